// SPDX-License-Identifier: LicenseRef-Tavelcor
// The operations a press on the plot runs once the dispatcher has chosen
// them (press_dispatch.h): the editing clicks of the operation panels, the
// station designation, the right-click calculations and the right-click
// menu. Each takes the press as the dispatcher received it (x, y in the
// plot's scale) and tells whether the press ends with the dispatcher's
// common ending (the plot's draw mode set back to copy pen).
//
// Operations that are not built yet are listed in press_bodies.cpp: they do
// nothing and let the common ending run.
#pragma once

#include "main/interact/coordinate_pick.h"

namespace tavelcor {

class Plot;

/// How a press leaves the plot.
enum class PressEnd {
    /// The common ending runs: the draw mode goes back to copy pen (13).
    Common,
    /// The operation leaves the draw mode as it set it.
    Skip,
};

/// The press as the dispatcher hands it on.
struct Press {
    int button = 0;
    int shift = 0;
    double x = 0.0;
    double y = 0.0;
};

// Editing clicks of the line panel: move a line end, add a line, change a
// line's colour.
PressEnd lineMovePress(Plot& window, const Press& press);
PressEnd lineAddPress(Plot& window, const Press& press);
PressEnd lineColourPress(Plot& window, const Press& press);

// Editing clicks of the point panel: add, attribute, move.
PressEnd pointAddPress(Plot& window, const Press& press);
PressEnd pointAttributePress(Plot& window, const Press& press);
PressEnd pointMovePress(Plot& window, const Press& press);

// Editing clicks of the text panel: add, edit, pick for moving, place the
// picked text.
PressEnd textAddPress(Plot& window, const Press& press);
PressEnd textEditPress(Plot& window, const Press& press);
PressEnd textPickPress(Plot& window, const Press& press);
PressEnd textPlacePress(Plot& window, const Press& press);

/// The station designation frame's click.
PressEnd stationDesignationPress(Plot& window, const Press& press);

/// The parcel information of the right press ("画地").
PressEnd parcelInformationPress(Plot& window, const Press& press);

/// The right-click calculation of RclickMode (1, 2, 3, 4, 32, 34) on the
/// coordinate `pick` found at the press (its position already moved to an
/// observation point taken by the fallback). The dispatcher has dealt with
/// "MENU表示" before (rightClickCalculation in press_dispatch.h).
PressEnd runRclickMode(Plot& window, const Press& press, const CoordinatePick& pick);

/// The right-click menu (its form loaded and its pop-up menu shown at the
/// pointer). A press that pops it up leaves without the common ending.
void showRightClickMenu(Plot& window, const Press& press);

}  // namespace tavelcor
