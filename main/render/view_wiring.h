// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's view commands, mouse-wheel timer, display switches and
// search controls, wired in one place.

namespace tavelcor {

class Plot;

/// Wires the view buttons of both panels, Timer6, the display switches with
/// their labels, the marker picker, the status label's pass-through and the
/// search controls.  Registered with addPlotWiring.
void wireView(Plot& window);

}  // namespace tavelcor
