// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's print button.

namespace tavelcor {

class Plot;

/// "印刷": the print dialog for the plot (PrintKind 1), modeless; the
/// keyboard focus goes back to the plot.
void Command11_Click(Plot& window);

/// Wires the print button of the main window (for addPlotWiring).
void wirePrint(Plot& window);

}  // namespace tavelcor
