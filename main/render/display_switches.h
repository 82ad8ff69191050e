// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The display switches of the main window: the check boxes that switch
// parts of the drawing on and off, the labels beside them whose click works
// a box, the marker picker of the point panel and the status label Label28
// that passes its mouse events to the plot below it.
//
// The switches are the boxes' own values (0 unticked, 1 ticked, 2 greyed);
// nothing is copied into the site tables and nothing is saved.  Setting a
// box's value from code runs its click handler whenever the value changes,
// which several handlers rely on.

namespace platform {
class CheckBox;
}

namespace tavelcor {

class Plot;

/// Toggles a box as its label's click does: value := |value - 1| (a greyed
/// box becomes ticked); the box's click handler runs.
void toggleCheck(platform::CheckBox& box);

/// A layer box (Check12 Ｐ, Check13 Ｌ, Check14 手, Check15 Ｔ) whose
/// editing panel is open cannot be switched off: it is ticked again at once,
/// without a redraw.  With the panel closed every change clears
/// DragZoomArmed and redraws.
void layerSwitchClicked(platform::CheckBox& box, bool panelOpen);

/// The marker picker: a press on Label24(i) selects Option13(i) and sets the
/// caption of Command24 to the option's caption, a blank and the label's.
void Label24_MouseDown(Plot& window, int index);

/// Label28's mouse events at (x, y) twips inside the label, as the plot's
/// user coordinates: x / Picture1.Width * Picture1.ScaleWidth + Label28.Left,
/// y the same with Label28.Top (both with the horizontal scale).
double label28ToPlotX(const Plot& window, double x);
double label28ToPlotY(const Plot& window, double y);

/// Wires every box and label of the display switches, the marker picker and
/// Label28's pass-through (to Picture1's own mouse handlers).
void wireDisplaySwitches(Plot& window);

}  // namespace tavelcor
