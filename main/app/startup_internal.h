// SPDX-License-Identifier: LicenseRef-Tavelcor
// Steps of the start-up shared by its source files.
#pragma once

#include "main/app/app_context.h"

#include <QString>

#include <optional>

namespace platform {
class Clipboard;
class Form;
}  // namespace platform

namespace tavelcor {

class Plot;

namespace startup {

// What the site chooser opened.
enum class ChosenKind {
    Nothing,     // a file of no known type: nothing read
    Format2000,  // a ".HED" header
    MapXml,      // a ".XML" or ".TXT" map file
    SignFile,    // a site's TAVELCOR.TVX
    Sima,        // a ".SIM" file
};

// How the start mode's own steps ended: either start-up goes on with the
// view fit (kind tells what was read) or it has ended.
struct ModeOutcome {
    std::optional<StartupEnd> ended;
    ChosenKind kind = ChosenKind::Nothing;
};

// The chosen file's kind by its name (not its folder), upper-cased, in the
// order ".HED", ".XML", ".TXT", "TAVELCOR.TVX", ".SIM".
ChosenKind chosenKind(const QString& path);

// Start modes 1 and 2 (clipboard point rows and SIMA hand-over).
ModeOutcome startFromPointRows(Plot& window, const QString& text);
ModeOutcome startFromHandover(Plot& window, const QString& text);

// Start mode 0: the site chooser, its dispatch, the site sign file branch
// and the map-only view.
ModeOutcome runSiteChooser(Plot& window);

// The settings files of SiteFolder, applied to the window's controls:
// POINT.JKN (the marker buttons), tavelcor.jkn (found in SiteFolder or else
// the work folder; its layout code places the window) and TEXT.JKN (the
// quick-text buttons and the phrase list).
void readPointSymbols(Plot& window);
void readMainSettings(Plot& window);
void readTextPresets(Plot& window);

// The map-XML import's stage in the splash window START: its label hidden,
// the stage as its caption ("ＸＭＬを確認しています", "Shift_JIS　に変換中",
// the line count, "SIMAに変換しています"), shown modeless.
void showImportStage(const QString& caption);

// The clipboard of this run.
platform::Clipboard& clipboard();

// Paints the form now when it is shown.
void repaintNow(platform::Form& form);

// Records the window in front in ForeHwnd (0 when none can be told), which
// the plot's pointer motion compares later.
void recordWindowInFront(Plot& window);

}  // namespace startup
}  // namespace tavelcor
