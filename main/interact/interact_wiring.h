// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The pointer part's handlers of the main window, wired in one place.

namespace tavelcor {

class Plot;

/// Wires the press, motion and release on the plot, its double click and
/// arrow keys (Picture1_DblClick, Picture1_KeyDown), Timer4 (100 ms, off
/// until a line rubber band is drawn), the mode option buttons and the
/// handlers of the panel frames. Registered with addPlotWiring.
void wireInteract(Plot& window);

}  // namespace tavelcor
