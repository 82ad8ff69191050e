// SPDX-License-Identifier: LicenseRef-Tavelcor
// Binds the settings dialog and the catalogue editors to the main window:
// its marker buttons, quick texts and phrase list, its window layout and
// the background settings window.
#pragma once

namespace tavelcor {

class Plot;

/// Installs the main window's views in uiServices() and wires the settings
/// and remaining command buttons. Registered with addPlotWiring.
void wireUiBindings(Plot& window);

}  // namespace tavelcor
