// SPDX-License-Identifier: LicenseRef-Tavelcor
// Layout of the main window: the plot and the side panel follow the window's
// size, and the window layout code of the settings places the window.
#pragma once

namespace tavelcor {

class Plot;

/// The window's resize handler: queries the desktop work area (only its
/// failure message can come of it), keeps the window at least 5000 x 5000
/// twips, unloads the background settings window and stops when the window
/// is minimised; otherwise stretches the plot over the window's width and its
/// height less 360 twips, keeps the side panel (or the compact frame) at the
/// right edge, fits the plot's scale to the new size and redraws (nothing is
/// drawn while start-up runs).
void Form_Resize(Plot& window);

/// Applies the window layout code of the settings (WindowLayout) to the
/// window: exactly 1 maximises it; 2 restores it 3/4 of the screen width
/// wide, 0.97 of the screen height high, its left edge at 1/4 of the screen
/// width; 3 restores it 3/5 wide, 0.97 high, left edge at 2/5; any other
/// value leaves it. The top edge is not set. Without a screen only 1 acts.
void applyWindowLayout(Plot& window, float layoutCode);

/// Wires the layout handlers to the window.
void wireWindowLayout(Plot& window);

}  // namespace tavelcor
