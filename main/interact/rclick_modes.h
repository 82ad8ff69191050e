// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right-click calculations that store what they find: the four-point
// intersection (a new coordinate, undo kind 51), copy or point (the
// clipboard's number list, or a new observation point, undo kind 11), and
// the link mode (the photo viewer on the files linked near the press).
// Called by runRightClickCalculation (rclick_press.h) with the coordinate
// number the hit test found.
#pragma once

#include "main/interact/coordinate_pick.h"
#include "main/interact/press_bodies.h"

namespace tavelcor {

class Plot;

namespace rclick_modes {

/// One pick of the four-point intersection (n > 0). The failed
/// intersection ends without the common ending.
PressEnd intersectionPress(Plot& window, int n);
/// One press of the copy-or-point mode on coordinate n (n > 0, not an
/// observation point's "_?_" coordinate).
void copyOrPointPress(Plot& window, int n);
/// The link mode: the coordinates near the one hit whose linked file exists
/// go into LinkCand, and the photo viewer opens on the first. A press that
/// hit no coordinate collects nothing and shows nothing.
void linkPress(Plot& window, const CoordinatePick& pick);

}  // namespace rclick_modes
}  // namespace tavelcor
