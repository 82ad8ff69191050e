// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the view commands, the search and the display dialogs ask of parts
// of the program that live elsewhere, as replaceable call points, and the
// main window's own variables of these commands that outlive a redraw.
//
// Each call point has a default that keeps the command working on its own:
// the geocoder finds nothing, the yes/no question is answered "yes" without
// asking, hiding the background window does nothing.  The parts that own
// the real services install theirs when they wire the main window (the edit
// part its yes/no window MESGBOX).

#include <QString>

#include <functional>

namespace tavelcor {

/// The geocoder's answer for an address or landmark, in decimal degrees.
/// A latitude of 0 means nothing was found, -1 that the request failed and
/// -9998 that no request could be made.
struct GeocodeAnswer {
    double latitude = 0.0;
    double longitude = 0.0;
};

struct ViewServices {
    /// Looks an address up.  Default: nothing found.
    std::function<GeocodeAnswer(const QString& place)> geocode;
    /// Asks a yes/no question in the yes/no window; true for "yes".
    /// Default: "yes", the window's answer when it is closed without a
    /// choice.
    std::function<bool(const QString& question)> askYesNo;
    /// Hides the background settings window (loading it when it is not
    /// loaded).  Default: nothing.
    std::function<void()> hideBackgroundWindow;
};

/// The one set of call points; empty members fall back to the defaults.
ViewServices& viewServices();

/// The defaults, for the call points left empty.
GeocodeAnswer geocodeAddress(const QString& place);
bool askYesNo(const QString& question);
void hideBackgroundWindow();

/// Variables of the main window used by these commands, kept for the run.
struct ViewState {
    /// The last text entered in the address prompt, offered as its default.
    QString LastAddress;
};

ViewState& viewState();

}  // namespace tavelcor
