// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The pointer part's handlers of the main window, wired in one place.

namespace tavelcor {

class Plot;

/// Wires the press on the plot (Picture1_MouseDown), its double click and
/// arrow keys (Picture1_DblClick, Picture1_KeyDown), the mode option
/// buttons and the handlers of the panel frames. Registered with
/// addPlotWiring.
void wireInteract(Plot& window);

}  // namespace tavelcor
