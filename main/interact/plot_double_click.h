// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The double click and the arrow keys of the plot.
//
// The double click carries no position: the press just before it left its
// position in PressX, PressY. In this order it
//   - adds an observation point there when the point panel is on 追加 and
//     the setting DblClickInput is 1 (point_clicks.h, double-click input);
//   - ends the route of the elevation profile (LineSubState 2): the lines
//     RouteFirst .. LineNext - 1 are handed to MakeSection and stay in the
//     Line table, the plot is redrawn and the line panel closed (終了);
//   - ends a line-add chain while the line panel is shown (LineRubber 0).
// The arrow keys pan the view like the four pan buttons (a step of the
// view's north extent / 2.75); other keys do nothing.

namespace tavelcor {

class Plot;

/// The plot's double-click handler.
void Picture1_DblClick(Plot& window);

/// The plot's key handler (KeyCode 37 left, 38 up, 39 right, 40 down);
/// Shift is not read.
void Picture1_KeyDown(Plot& window, int keyCode, int shift);

}  // namespace tavelcor
