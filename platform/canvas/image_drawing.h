// SPDX-License-Identifier: LicenseRef-Tavelcor
// Image files drawn onto a picture the way the system's image library did:
// the whole image is drawn into a rectangle of whole pixels that is worked
// out from where a rectangle of the image's own placement lies against the
// picture's visible rectangle, optionally turned, with the picture's edge
// cutting off what lies outside.
//
// The same facility draws the rasters under the plot (scanned maps, map
// tiles, the wheel and pan snapshots) and the photos of the photo viewer.
// An image that cannot be read is left out without a word; a placement that
// cannot be computed (a divisor of zero, a result beyond the range of
// pixels) is a drawing failure that the caller reports as it must.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <optional>

namespace platform {

class Canvas;

/// Reads an image file for drawing: BMP, PNG, JPEG (".jpg", ".jpeg") and
/// the other formats Qt reads, recognised by content. A null image when the
/// file is missing or cannot be decoded.
QImage loadDrawingImage(const QString& path);

/// The size in pixels of the image in a file, read from its header without
/// decoding it; nullopt when the file cannot be read as an image.
std::optional<QSize> imageFileSize(const QString& path);

/// Edges of a rectangle in a picture's own scale units (y grows with bottom
/// when the scale runs downwards). An image's edges say where the image
/// lies; a view's edges are the picture's visible rectangle (ScaleTop,
/// ScaleLeft, ScaleTop + ScaleHeight, ScaleLeft + ScaleWidth).
struct ImageEdges {
    double top = 0.0;
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
};

/// The picture an image is drawn onto: its canvas, its outer size in twips
/// and the screen's twips per pixel across and down.
struct ImageTarget {
    Canvas& canvas;
    QSizeF sizeTwips;
    QPointF twipsPerPixel;
};

/// Where a whole image lands, in pixels of the target.
struct ImagePlacement {
    /// Left, top, width and height. The top-left corner may lie outside
    /// the picture; a negative width or height draws the image mirrored.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    /// Target pixels per image pixel across and down.
    double scaleX = 0.0;
    double scaleY = 0.0;
};

/// Works out the placement of an image of `imagePixels` whose edges are
/// `image` on a picture whose visible rectangle is `view`:
///
///   scale across sx = target width twips / (twips per pixel x * w)
///                     * (image right - image left) / (view right - view left)
///   first shown column u = floor(w * (view left - image left) / (image right - image left))
///   x = round(-sx * u), width = round(size * round(sx * w))
///
/// and the same downwards with top and bottom, except that the height is
/// floor(size * round(sy * h)); "round" takes halves to the even neighbour.
/// The offset thus starts at a whole image pixel, and `size` grows the
/// image to the right and downwards from its top-left corner. nullopt when a
/// divisor is zero (an image or a view without width or height, an empty
/// image, no twips per pixel) or a result is not finite or beyond ±2^30
/// pixels.
std::optional<ImagePlacement> placeImage(QSize imagePixels, QSizeF targetTwips, QPointF twipsPerPixel,
                                         const ImageEdges& image, const ImageEdges& view, double size);

enum class ImageDrawStatus {
    Drawn,     ///< the image was drawn
    NotLoaded, ///< the file could not be read; nothing was drawn
    Failed,    ///< the placement could not be computed; nothing was drawn
};

struct ImageDrawResult {
    ImageDrawStatus status = ImageDrawStatus::NotLoaded;
    /// Target pixels per image pixel across (sx above); 0 unless drawn.
    double scale = 0.0;
};

/// Loads the image file and draws it whole at its placement (placeImage),
/// turned by `angleDeg` about the target's top-left pixel (clockwise on
/// screen for a positive angle), smoothed as the original library's
/// default interpolation did.
ImageDrawResult drawImageFile(const ImageTarget& target, const QString& path, const ImageEdges& image,
                              const ImageEdges& view, double angleDeg, double size);

/// The same with an image already in memory (a null image: NotLoaded).
ImageDrawResult drawImageAt(const ImageTarget& target, const QImage& picture, const ImageEdges& image,
                            const ImageEdges& view, double angleDeg, double size);

} // namespace platform
