// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the editing dialogs share when they show: their place at the main
// window's top right and the closing of the background settings window.

namespace platform {
class Form;
}

namespace tavelcor {

/// Places the dialog `gap` twips below the main window's top and with its
/// right edge `gap` twips inside the main window's right edge.
void placeAtMainTopRight(platform::Form& dialog, double gap);

/// Unloads the background settings window "Haikei" when it is loaded.
void unloadBackgroundSettings();

}  // namespace tavelcor
