// SPDX-License-Identifier: LicenseRef-Tavelcor
// What a press on the plot hands to the operation the dispatcher chose
// (press_dispatch.h), and how that operation leaves the plot. The editing
// clicks of the panels (point_clicks.*, line_clicks.*, text_clicks.*), the
// right button's calculations and menu (rclick_press.*, rclick_menu.*) and
// the station designation take the press as the dispatcher received it
// (x, y in the plot's scale).
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

/// The station designation frame's click.
PressEnd stationDesignationPress(Plot& window, const Press& press);

}  // namespace tavelcor
