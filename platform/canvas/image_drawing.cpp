// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/image_drawing.h"

#include "platform/canvas/bitmap_file.h"
#include "platform/canvas/canvas.h"

#include <QImageReader>

#include <cmath>

namespace platform {

namespace {

// Pixel values beyond this are refused: they overflow the drawing's integer
// arithmetic long before they could mean anything on a screen.
constexpr double kPixelLimit = 1073741824.0; // 2^30

bool usable(double value)
{
    return std::isfinite(value) && std::fabs(value) <= kPixelLimit;
}

// Nearest whole number, halves to the even neighbour (the default rounding
// mode of the floating-point unit).
double roundEven(double value)
{
    return std::nearbyint(value);
}

struct Axis {
    int offset = 0;
    int length = 0;
    double scale = 0.0;
};

// One axis of the placement: `pixels` image pixels whose edges lie at
// `imageFrom`/`imageTo` against the view `viewFrom`/`viewTo` on a target of
// `targetTwips` with `twipsPerPixel`. `floorLength` takes the drawn length
// down instead of to the nearest pixel (the height).
std::optional<Axis> placeAxis(int pixels, double targetTwips, double twipsPerPixel, double imageFrom,
                              double imageTo, double viewFrom, double viewTo, double size, bool floorLength)
{
    const double imageSpan = imageTo - imageFrom;
    const double viewSpan = viewTo - viewFrom;
    if (pixels <= 0 || imageSpan == 0.0 || viewSpan == 0.0 || twipsPerPixel == 0.0)
        return std::nullopt;
    const double first = std::floor(pixels / imageSpan * (viewFrom - imageFrom));
    const double scale = targetTwips / (twipsPerPixel * pixels) * imageSpan / viewSpan;
    const double drawn = roundEven(scale * pixels);
    const double offset = roundEven(scale * -first);
    const double length = floorLength ? std::floor(size * drawn) : roundEven(size * drawn);
    if (!usable(first) || !usable(scale) || !usable(drawn) || !usable(offset) || !usable(length))
        return std::nullopt;
    return Axis{static_cast<int>(offset), static_cast<int>(length), scale};
}

} // namespace

QImage loadDrawingImage(const QString& path)
{
    if (path.isEmpty())
        return {};
    return loadImageFile(path);
}

std::optional<QSize> imageFileSize(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (!size.isValid()) {
        // Some formats only know their size once decoded.
        const QImage image = reader.read();
        if (image.isNull())
            return std::nullopt;
        size = image.size();
    }
    return size;
}

std::optional<ImagePlacement> placeImage(QSize imagePixels, QSizeF targetTwips, QPointF twipsPerPixel,
                                         const ImageEdges& image, const ImageEdges& view, double size)
{
    const auto across = placeAxis(imagePixels.width(), targetTwips.width(), twipsPerPixel.x(), image.left,
                                  image.right, view.left, view.right, size, false);
    // Downwards the edges are taken top minus bottom over view top minus
    // view bottom: the same ratio, as both differences change sign.
    const auto down = placeAxis(imagePixels.height(), targetTwips.height(), twipsPerPixel.y(), image.top,
                                image.bottom, view.top, view.bottom, size, true);
    if (!across || !down)
        return std::nullopt;
    return ImagePlacement{across->offset, down->offset, across->length, down->length, across->scale,
                          down->scale};
}

ImageDrawResult drawImageAt(const ImageTarget& target, const QImage& picture, const ImageEdges& image,
                            const ImageEdges& view, double angleDeg, double size)
{
    if (picture.isNull())
        return {ImageDrawStatus::NotLoaded, 0.0};
    const auto placement = placeImage(picture.size(), target.sizeTwips, target.twipsPerPixel, image, view, size);
    if (!placement || !std::isfinite(angleDeg))
        return {ImageDrawStatus::Failed, 0.0};
    if (placement->width != 0 && placement->height != 0)
        target.canvas.DrawImage(picture, placement->x, placement->y, placement->width, placement->height,
                                angleDeg, true);
    return {ImageDrawStatus::Drawn, placement->scaleX};
}

ImageDrawResult drawImageFile(const ImageTarget& target, const QString& path, const ImageEdges& image,
                              const ImageEdges& view, double angleDeg, double size)
{
    return drawImageAt(target, loadDrawingImage(path), image, view, angleDeg, size);
}

} // namespace platform
