// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's controls and settings part, wired in one place.

namespace tavelcor {

class Plot;

/// Wires the main window's text fields and the compact panel's search
/// button. Registered with addPlotWiring.
void wireUi(Plot& window);

}  // namespace tavelcor
