// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/raster_drawing.h"

#include "main/render/plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/picture_blend.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {

RasterTarget plotRasterTarget(render::PlotFace& face)
{
    return {face.picture(), face.pictureWidthTwips(), face.pictureHeightTwips()};
}

RasterTarget workPictureTarget(Plot& window)
{
    return {window.Picture6.canvas(), window.Picture6.Width(), window.Picture6.Height()};
}

std::optional<float> DrawRaster(const QString& file, const RasterEdges& image, const RasterEdges& view, float angle,
                                float size, const RasterTarget& target)
{
    const platform::ImageTarget on{target.canvas, QSizeF(target.widthTwips, target.heightTwips),
                                   QPointF(TwipPixX, TwipPixY)};
    const platform::ImageDrawResult result =
        platform::drawImageFile(on, file, image, view, angle, size);
    switch (result.status) {
    case platform::ImageDrawStatus::Drawn:
        target.canvas.Refresh();
        return static_cast<float>(result.scale);
    case platform::ImageDrawStatus::Failed:
        platform::MsgBox(QStringLiteral("GDI ERROR"));
        return std::nullopt;
    case platform::ImageDrawStatus::NotLoaded:
        break;
    }
    return std::nullopt;
}

void BlendPictures(platform::Canvas& first, platform::Canvas& second, platform::Canvas& target,
                   std::int16_t percent)
{
    const QImage& a = first.image();
    const QImage& b = second.image();
    if (percent < 0 || percent > 100 || a.size() != b.size() || a.size() != target.pixelSize())
        return;
    if (platform::blendPictureBytes(a, b, target.imageForEdit(), percent))
        target.Refresh();
}

}  // namespace tavelcor
