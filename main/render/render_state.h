// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// State of the plot that lives between redraws (the kept counts per view
// extent, the scale bar's corner, the address command's place) and the call
// points for layers that other parts of the program draw (background,
// survey marks, the map credit image).  The working tables of one redraw
// are not kept here: every call has its own (render_internal.h).

#include <cstdint>
#include <functional>

namespace platform {
class Canvas;
}

namespace tavelcor::render {

class PlotFace;

/// The procedures of the background part that the redraw's background step
/// (and the wheel's preview) call.  An empty function does nothing: no
/// layer is drawn, no blend is made, the placement window counts as hidden.
struct BackgroundCalls {
    /// plot.Haikei_Draw: draws one background layer into the picture.  The
    /// code is the caller's variable: the background step passes the slot
    /// variables Haikei1Code and Haikei2Code themselves, which the drawer
    /// may change.
    std::function<void(PlotFace&, std::uint8_t& code)> Haikei_Draw;
    /// Module1.BlendPictures: first, second and target picture, percent.
    std::function<void(platform::Canvas&, platform::Canvas&, platform::Canvas&, std::int16_t)> BlendPictures;
    /// Whether the raster placement window RasterSet is shown, asked
    /// without creating it.
    std::function<bool()> rasterSetShown;
};

/// Call points of layers drawn by other parts of the program.  An empty
/// function draws nothing.
struct RedrawHooks {
    /// The background layers (the redraw composes them, background_step.h).
    BackgroundCalls background;
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
