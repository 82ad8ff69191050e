// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's "断面確認" (Command57): arms the elevation-profile route,
// opens the line panel on its add operation, shows the profile dialog and
// draws the map credit picture in the plot's corner again. The route then
// ends in the line panel, which hands it to MakeSection.

namespace tavelcor {

namespace render {
class PlotFace;
}

class Plot;

void Command57_Click(Plot& window);

/// The work folder's "ELD.BMP" drawn into a 500 by 500 twip box at the
/// plot's bottom left corner: 50 twips right of the left edge plus the
/// printer's left offset, 200 twips above the bottom edge less the printer's
/// bottom margin. A missing picture draws nothing.
void drawCornerPicture(render::PlotFace& face);

/// Wires Command57 to the window.
void wireElevationProfile(Plot& window);

}  // namespace tavelcor
