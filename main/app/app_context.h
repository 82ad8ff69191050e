// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the start-up, save, backup and shut-down of the main window take from
// their surroundings, and the main window's own variables that live for the
// whole run (they outlive the form object, which an unload destroys).
//
// The surroundings are replaceable so tests run without a desktop: the
// clipboard, the clock, the map-XML reader's helper
// programs and the background settings window of the background part. The
// executable installs the desktop's; each member's default is given below.
#pragma once

#include "main/site/mapxml.h"
#include "main/site/sign_file.h"

#include <QDateTime>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class Clipboard;
class SingleInstance;
}  // namespace platform

namespace tavelcor {

class BackgroundWindow;

struct AppServices {
    // The clipboard start-up reads and empties; nullptr: the desktop's.
    platform::Clipboard* clipboard = nullptr;
    // The current local date and time (backup folders, save times). Empty:
    // the system clock.
    std::function<QDateTime()> now;
    // The map-XML reader's converter, editor and stage captions; an empty
    // showStage shows the stage in the start-up splash window.
    MapXmlEnvironment mapXml;
    // The background settings window that loads the site's rasters while
    // start-up reads HAIKEI.JKN (the background part installs it); nullptr:
    // none, the raster paths are kept as read.
    std::function<BackgroundWindow*()> backgroundWindow;
    // Unloads the background settings window (save command, minimising);
    // empty: there is none to unload.
    std::function<void()> unloadBackgroundWindow;
    // Opens the background settings window as its button 背景 does (the
    // map-only view presses it after its first redraw); empty: there is none
    // to show.
    std::function<void()> showBackgroundWindow;
};

// The one set of services of this run.
AppServices& appServices();

// How start-up ended.
enum class StartupEnd {
    NotRun,       // Form_Load has not run (or has not finished)
    Drawn,        // a site, a file or a clipboard text was read and drawn
    MapOnly,      // the map-only view without any file
    ProgramEnds,  // the user declined, or a reader found a malformed file:
                  // the program ends without saving
};

// Variables of the main window kept for the run.
struct PlotRunState {
    StartupEnd startupEnd = StartupEnd::NotRun;
    // The view window of the site sign file as start-up read it; nullopt
    // when no sign file was read or it held fewer than four values.
    std::optional<SignFileWindow> signWindow;
    // The coordinate numbers the SIMA file read at start-up gave no X or Y
    // (ascending): the view is not fitted to them.
    std::vector<std::int32_t> unplacedCoordinates;
    // Minutes counted towards the next hourly backup.
    int BackupTicks = 0;
    // The last backup failed part-way (its tick reports it).
    bool backupFailed = false;
    // This run holds the program's single-instance lock while it lives.
    std::shared_ptr<platform::SingleInstance> instance;
};

PlotRunState& plotRunState();

// Back to a fresh run: empty services (the main window's controls' too) and
// state (tests).
void resetAppContext();

// The current local date and time through the services.
QDateTime currentDateTime();

// Unloads the background settings window through the services; nothing when
// none is installed.
void unloadBackgroundWindow();

// Opens the background settings window as its button 背景 does, through the
// services; nothing when none is installed.
void showBackgroundWindow();

}  // namespace tavelcor
