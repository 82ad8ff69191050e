// SPDX-License-Identifier: LicenseRef-Tavelcor
// The pointer moving over the plot: Picture1_MouseMove, and Timer4, which
// takes the line rubber band off the plot once the pointer rests.
//
// One motion, in this order: nothing at all while another window is in
// front of a normally started program (a clipboard start never checks);
// the undo compaction and the moved-since-the-press flag; then either a pan
// step (the middle button, the left button after the menu's "画面移動" or
// an armed pan drag), which draws the picture taken at the first step
// shifted under the pointer, or everything else: the readout of the site
// position (with latitude and longitude), the 対角 rectangle, the area
// hint, the hover texts of the open panel with the range rectangles and the
// line rubber bands, the recording of hand strokes and the drag-zoom
// rectangle. Rubber figures are drawn with the not-xor pen in grey, so that
// drawing them again takes them off; only the last one is remembered.
//
// Positions come in the plot's scale: x the plot east, y minus the plot
// north.
#pragma once

#include <QString>

namespace tavelcor {

class Plot;

/// The text of the line-add length label: this segment's length d and the
/// chain's length with it (d + chain), each trimmed, with 3 decimals below
/// 100 m, 2 below 1000 m, else 1, separated by a blank.
QString chainLengthText(double d, double chain);

/// Whether the program shows its busy cursor now (the hourglass, or the
/// arrow with hourglass, on the main window, on the plot or over the whole
/// application). Timer4 waits while it does.
bool busyCursorShown(const Plot& window);

/// The motion handler of the plot (button: the buttons held, 1 left, 2
/// right, 4 middle, summed; shift: 1 Shift, 2 Ctrl, 4 Alt).
void Picture1_MouseMove(Plot& window, int button, int shift, double x, double y);

/// Timer4's tick: unless the busy cursor shows, takes the line rubber band
/// of the line panel (move or add) off the plot, puts its loose end back
/// to its anchor and stops the timer.
void Timer4_Timer(Plot& window);

/// The message when a hand stroke would need a vertex past the table's
/// last slot.
QString strokeTableFullMessage();

}  // namespace tavelcor
