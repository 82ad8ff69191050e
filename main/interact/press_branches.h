// SPDX-License-Identifier: LicenseRef-Tavelcor
// The short branches of a left press: the pan arm, the first corner of the
// 対角 rectangle, the coordinate pick into the key-in window, the vertices of
// the on-map area measurement, the first corner of a range operation and
// the zoom-window arm of a press that no branch took. Most only leave
// pointer state for the motion and release handlers; the area measurement
// reports its result at the press that closes the polygon.
#pragma once

#include "main/interact/press_bodies.h"

namespace tavelcor {

class Plot;

/// The pan arm (the chain goes on afterwards): when the 対角 mode is off,
/// DiagZoom is 2 and the press is idle, PanDrag := 2 and the pan starts at
/// the press.
void armPanOnIdlePress(const Plot& window, const Press& press);

/// First corner of the 対角 rectangle: ParcelRange from "画地" with "範囲",
/// DiagonalDrag := 1, BandX/BandY := the press.
PressEnd diagonalRectanglePress(const Plot& window, const Press& press);

/// The coordinate pick into the shown key-in window (XYIN): the first
/// usable coordinate of the hit test fills its number, name, X, Y and H;
/// nothing found leaves the window as it is.
PressEnd keyInPickPress(Plot& window, const Press& press);

/// One vertex of the on-map area measurement; the closing press shows
/// "面積=" with the area.
PressEnd areaMeasurePress(Plot& window, const Press& press);

/// First corner of a range operation (the deletes of the four panels).
PressEnd rangeAnchorPress(const Press& press);

/// A press that no branch took: arms the zoom window and shows its position
/// in Label5 again.
PressEnd armZoomWindow(Plot& window, const Press& press);

}  // namespace tavelcor
