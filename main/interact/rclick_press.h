// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right press on the idle plot: the parcel information ("画地") and the
// right-click survey calculations of RclickMode. Each press adds one pick to
// the calculation state of the shared tables; the results go as report lines
// into MsgText and the report window stdisp takes them; the picks are marked
// with stblueplot and linedraw. The computations are rclick_calc.h's.
//
// Modes: 1 radial inverse from a station and back-sight, 2 continuous
// inverse closing to an area, 3 perpendicular check against a base line
// (picked as two coordinates, or as the parcel edge under a press beside
// the coordinates), 4 copy coordinate numbers to the clipboard or turn
// coordinates into observation points, 32 the photos linked to coordinates
// near the press, 34 four-point intersection that stores a new coordinate.
//
// Limits: a traverse of more than 100 picks and a copy list of more than 100
// rows are refused with a message; at most 1000 link candidates are taken.
// A press in the link mode that hits no coordinate shows nothing.
#pragma once

#include "main/interact/coordinate_pick.h"
#include "main/interact/press_bodies.h"

namespace tavelcor {

class Plot;

/// "画地": toggles and lists every parcel that contains the press (parcels
/// named "type open" skipped) into Text18 of Frame16. A press inside none
/// ends without the common ending.
PressEnd showParcelInformation(Plot& window, const Press& press);

/// The calculation of RclickMode on coordinate pick.number (0: none).
PressEnd runRightClickCalculation(Plot& window, const Press& press, const CoordinatePick& pick);

}  // namespace tavelcor
