// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The two procedures that put pictures on the main window's picture boxes.
// DrawRaster draws an image file so that a rectangle given in the target
// picture's own scale is covered by the image: it scales the image from
// the picture's size in twips and its visible rectangle, can turn it and
// enlarge it slightly.  The background drawing uses it for every raster
// image, snapshot and map tile.  BlendPictures mixes the pictures of two
// boxes byte by byte into a third (the composition of two backgrounds).

#include "platform/canvas/image_drawing.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {
class Canvas;
}

namespace tavelcor {

namespace render {
class PlotFace;
}

class Plot;

/// Edges of a rectangle in a picture's own scale units: the image's (where
/// it lies) or the view's (ScaleTop, ScaleLeft, ScaleTop + ScaleHeight,
/// ScaleLeft + ScaleWidth).
using RasterEdges = platform::ImageEdges;

/// The picture DrawRaster draws into: its canvas and its size in twips.
struct RasterTarget {
    platform::Canvas& canvas;
    double widthTwips = 0.0;
    double heightTwips = 0.0;
};

/// The plot surface Picture1 of a plot face.
RasterTarget plotRasterTarget(render::PlotFace& face);
/// The main window's hidden work picture Picture6 (the target callers of
/// the full redraw name with a negative number).
RasterTarget workPictureTarget(Plot& window);

/// Module1.DrawRaster: loads the image file and draws it whole into the
/// target so that the image's edges land where they lie within the view's
/// (each edge against the view edge of the same name), scaled with the
/// screen's twips per pixel (TwipPixX, TwipPixY), turned by `angle` degrees
/// about the picture's top-left pixel (clockwise for a positive angle) and
/// grown by `size` to the right and downwards.  Returns the scale used
/// (target pixels per image pixel across) when the image was drawn.
///
/// An image that cannot be loaded draws nothing and says nothing (nullopt);
/// one that cannot be placed (right = left, a view without width, an image
/// without pixels, no twips factors, a size that overflows) draws nothing
/// and shows "GDI ERROR" (nullopt).
std::optional<float> DrawRaster(const QString& file, const RasterEdges& image, const RasterEdges& view, float angle,
                                float size, const RasterTarget& target);

/// Module1.BlendPictures: writes into `target` every byte of the pictures
/// as Int((1 - percent / 100) * second + percent / 100 * first) and
/// refreshes it.  A percent outside 0..100, or pictures of different sizes,
/// change nothing.
void BlendPictures(platform::Canvas& first, platform::Canvas& second, platform::Canvas& target,
                   std::int16_t percent);

}  // namespace tavelcor
