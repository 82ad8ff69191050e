// SPDX-License-Identifier: LicenseRef-Tavelcor
// Canvas: pictures drawn into the canvas, the background Picture and
// bitmap files.
#include "platform/canvas/canvas.h"

#include "platform/canvas/bitmap_file.h"
#include "platform/canvas/raster.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

QRgb combinePicture(PictureOp op, QRgb s, QRgb d)
{
    QRgb r = s;
    switch (op) {
    case PictureOp::SrcCopy: r = s; break;
    case PictureOp::SrcPaint: r = s | d; break;
    case PictureOp::SrcAnd: r = s & d; break;
    case PictureOp::SrcInvert: r = s ^ d; break;
    case PictureOp::SrcErase: r = s & ~d; break;
    case PictureOp::NotSrcCopy: r = ~s; break;
    case PictureOp::NotSrcErase: r = ~(s | d); break;
    case PictureOp::MergePaint: r = ~s | d; break;
    case PictureOp::DstInvert: r = ~d; break;
    case PictureOp::Blackness: r = 0; break;
    case PictureOp::Whiteness: r = 0x00FFFFFF; break;
    }
    return r | 0xFF000000u;
}

// For each destination pixel in [visibleFrom, visibleTo) of a run of `count`
// pixels starting at `first`, the source pixel it shows: nearest pixel of
// the `sourceCount` pixels from `sourceFirst`, mirrored when asked.
std::vector<int> sourceIndexes(int first, int count, int visibleFrom, int visibleTo,
                               int sourceFirst, int sourceCount, bool mirrored)
{
    std::vector<int> indexes;
    indexes.reserve(static_cast<std::size_t>(std::max(0, visibleTo - visibleFrom)));
    for (int d = visibleFrom; d < visibleTo; ++d) {
        const double along = (d - first + 0.5) * sourceCount / count;
        int s = std::clamp(static_cast<int>(std::floor(along)), 0, sourceCount - 1);
        if (mirrored)
            s = sourceCount - 1 - s;
        indexes.push_back(sourceFirst + s);
    }
    return indexes;
}

// A run of destination pixels from a continuous start and signed length.
struct Run {
    int first = 0;
    int count = 0;
    bool mirrored = false;
};

Run runOf(double start, double length)
{
    int a = detail::pixelIndex(start);
    int b = detail::pixelIndex(start + length);
    const bool mirrored = b < a;
    if (mirrored)
        std::swap(a, b);
    return {a, b - a, mirrored};
}

} // namespace

void Canvas::PaintPicture(const QImage& picture, double x, double y, std::optional<double> width,
                          std::optional<double> height, QRect source, PictureOp op)
{
    if (m_image.isNull() || picture.isNull())
        return;
    const QRect from = source.isEmpty() ? picture.rect() : source.normalized() & picture.rect();
    if (from.isEmpty())
        return;
    const QPointF origin = toPixel({x, y});
    const double widthPx = width ? *width * m_pxPerUnitX : from.width();
    const double heightPx = height ? *height * m_pxPerUnitY : from.height();
    if (!std::isfinite(widthPx) || !std::isfinite(heightPx))
        return;
    const Run across = runOf(origin.x(), widthPx);
    const Run down = runOf(origin.y(), heightPx);
    const int left = std::max(across.first, 0);
    const int right = std::min(across.first + across.count, m_image.width());
    const int top = std::max(down.first, 0);
    const int bottom = std::min(down.first + down.count, m_image.height());
    if (across.count == 0 || down.count == 0 || left >= right || top >= bottom)
        return;
    const std::vector<int> columns = sourceIndexes(across.first, across.count, left, right,
                                                   from.left(), from.width(), across.mirrored);
    const std::vector<int> rows = sourceIndexes(down.first, down.count, top, bottom, from.top(),
                                                from.height(), down.mirrored);
    const QImage src = picture.convertToFormat(QImage::Format_RGB32);
    // Pixels are written directly; see pixelTarget in canvas_draw.cpp on why
    // this is safe next to the canvas's painter.
    for (int dy = top; dy < bottom; ++dy) {
        const auto* srcRow = reinterpret_cast<const QRgb*>(src.constScanLine(rows[dy - top]));
        auto* dstRow = reinterpret_cast<QRgb*>(m_image.scanLine(dy));
        for (int dx = left; dx < right; ++dx)
            dstRow[dx] = combinePicture(op, srcRow[columns[dx - left]], dstRow[dx]);
    }
    changed();
}

void Canvas::DrawImage(const QImage& picture, int x, int y, int width, int height,
                       double rotationDeg, bool smooth)
{
    if (m_image.isNull() || picture.isNull() || width == 0 || height == 0
        || !std::isfinite(rotationDeg))
        return;
    const bool mirrorX = width < 0;
    const bool mirrorY = height < 0;
    const QImage image = (mirrorX || mirrorY) ? picture.mirrored(mirrorX, mirrorY) : picture;
    const QRectF target(mirrorX ? double(x) + width : double(x), mirrorY ? double(y) + height : double(y),
                        std::abs(double(width)), std::abs(double(height)));
    QPainter& p = painter();
    if (m_painterMode != QPainter::CompositionMode_SourceOver) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_painterMode = QPainter::CompositionMode_SourceOver;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (rotationDeg != 0.0) {
        p.setTransform(QTransform().rotate(rotationDeg));
        p.drawImage(target, image);
        p.resetTransform();
    } else {
        // Only the visible part is scaled, so a box far larger than the
        // canvas (a deep zoom into a raster) costs no more than the canvas.
        const QRectF visible = target & QRectF(m_image.rect());
        if (!visible.isEmpty()) {
            const double sx = image.width() / target.width();
            const double sy = image.height() / target.height();
            const QRectF part((visible.left() - target.left()) * sx,
                              (visible.top() - target.top()) * sy, visible.width() * sx,
                              visible.height() * sy);
            p.drawImage(visible, image, part);
        }
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    changed();
}

bool Canvas::SavePicture(const QString& path) const
{
    return saveBitmap24(image(), path);
}

bool Canvas::LoadPicture(const QString& path)
{
    const QImage picture = loadImageFile(path);
    if (picture.isNull())
        return false;
    setPicture(picture);
    return true;
}

void Canvas::setPicture(const QImage& picture)
{
    m_picture = picture;
    endPainter();
    fillBackground(m_image);
    changed();
}

} // namespace platform
