// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// State of the plot that lives between redraws (the kept counts per view
// extent, the scale bar's corner, the address command's place) and the call
// points for layers that other parts of the program draw (background,
// survey marks, the map credit image).  The working tables of one redraw
// are not kept here: every call has its own (render_internal.h).

#include <cstdint>
#include <functional>

namespace tavelcor::render {

class PlotFace;

/// Call points of layers drawn by other parts of the program.  An empty
/// function draws nothing.
struct RedrawHooks {
    /// Draws the background layers into the picture.  Returns false when it
    /// drew nothing and left the clearing to the redraw.
    std::function<bool(PlotFace&)> background;
    /// Marks of the right-click survey picks and their construction lines.
    std::function<void(PlotFace&)> stblueplot;
    std::function<void(PlotFace&)> linedraw;
    /// The map-service credit image in the lower-left corner.
    std::function<void(PlotFace&)> creditImage;
};

struct RenderState {
    // Kept between redraws: the visible counts per view extent.  32-bit so
    // that a dense view never loses its count.
    double CoordCountSpan = 0.0;
    std::int32_t CoordCountKept = 0;
    double LabelCountSpan = 0.0;
    std::int32_t LabelCountKept = 0;

    /// Plane coordinates (absolute metres, single precision) of the last
    /// place found by the address command; both 0 = none.
    float GeocodeX = 0.0F;
    float GeocodeY = 0.0F;

    double ScaleBarTop = 0.0;   ///< scale bar corner, user units
    double ScaleBarLeft = 0.0;

    RedrawHooks hooks;
};

/// The plot's one render state.
RenderState& renderState();

/// Makes the next redraw count the coordinates and labels in view again
/// instead of keeping the counts of the last redraw at the same extent.
void forgetKeptCounts() noexcept;

}  // namespace tavelcor::render
