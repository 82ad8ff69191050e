// SPDX-License-Identifier: LicenseRef-Tavelcor
// Layout of the main window: the plot and the side panel follow the window's
// size.
#pragma once

namespace tavelcor {

class Plot;

/// The window's resize handler: keeps the window at least 5000 x 5000 twips,
/// stretches the plot over the window's width and its height less 360 twips,
/// keeps the side panel (or the compact frame) at the right edge, fits the
/// plot's scale to the new size and redraws. A minimised window is left alone.
void Form_Resize(Plot& window);

/// Wires the layout handlers to the window.
void wireWindowLayout(Plot& window);

}  // namespace tavelcor
