// SPDX-License-Identifier: LicenseRef-Tavelcor
// Canvas: the graphics methods (PSet, Line, Circle, Polygon). Lines of any
// width, dots and width-1 boxes are rasterized here pixel by pixel with the
// draw mode's exact raster operation; circles, wider boxes and polygons go
// through one persistent QPainter whose composition mode does the same
// operation (or, for filled figures with an outline, through a scratch mask
// so that no pixel is combined twice).
#include "platform/canvas/canvas.h"

#include "platform/canvas/colors.h"
#include "platform/canvas/raster.h"

#include <QBrush>
#include <QList>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

// Shapes are clipped to the picture plus this many pixels (plus the pen
// width), far enough out that the clipped ends never show.
constexpr double kClipMargin = 2.0;

// Radii beyond this many pixels are not drawn: Qt's rasterizer works in
// fixed point and cannot take such figures.
constexpr int kMaxRadiusPx = 1 << 23;

QPen makePen(std::uint32_t color, int width, LineStyle style, Qt::PenJoinStyle join)
{
    QPen pen(toQColor(color));
    if (width <= 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        const detail::DashPattern dash = detail::dashPatternFor(style);
        if (!dash.solid()) {
            QList<qreal> runs;
            int length = 0;
            for (int i = 0; i < dash.period; ++i) {
                ++length;
                if (i + 1 == dash.period || dash.on(i) != dash.on(i + 1)) {
                    runs.append(length);
                    length = 0;
                }
            }
            pen.setDashPattern(runs);
        }
    } else {
        pen.setWidth(width);
        pen.setCapStyle(Qt::RoundCap);
    }
    pen.setJoinStyle(join);
    return pen;
}

QBrush makeBrush(std::uint32_t color, FillPattern pattern)
{
    switch (pattern) {
    case FillPattern::Solid: return QBrush(toQColor(color), Qt::SolidPattern);
    case FillPattern::HorizontalLine: return QBrush(toQColor(color), Qt::HorPattern);
    case FillPattern::VerticalLine: return QBrush(toQColor(color), Qt::VerPattern);
    case FillPattern::UpwardDiagonal: return QBrush(toQColor(color), Qt::BDiagPattern);
    case FillPattern::DownwardDiagonal: return QBrush(toQColor(color), Qt::FDiagPattern);
    case FillPattern::Cross: return QBrush(toQColor(color), Qt::CrossPattern);
    case FillPattern::DiagonalCross: return QBrush(toQColor(color), Qt::DiagCrossPattern);
    case FillPattern::Transparent: break;
    }
    return QBrush(Qt::NoBrush);
}

// Direct access to the pixels. The raster paint engine writes straight into
// the same buffer, so this may be used while the canvas's QPainter is active:
// the image is never shared then (reading it through image() ends the
// painter first), and bits() does not copy an unshared image.
detail::PixelTarget pixelTarget(QImage& image)
{
    detail::PixelTarget target;
    target.bits = reinterpret_cast<QRgb*>(image.bits());
    target.stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    target.width = image.width();
    target.height = image.height();
    return target;
}

// One edge of the Sutherland-Hodgman polygon clip: keeps the part of the
// polygon on the inner side of the line coord(p) = limit.
template <class Inside, class Cross>
QPolygonF clipEdge(const QPolygonF& in, Inside inside, Cross cross)
{
    QPolygonF out;
    out.reserve(in.size() + 4);
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QPointF& current = in[i];
        const QPointF& previous = in[(i + in.size() - 1) % in.size()];
        if (inside(current)) {
            if (!inside(previous))
                out.append(cross(previous, current));
            out.append(current);
        } else if (inside(previous)) {
            out.append(cross(previous, current));
        }
    }
    return out;
}

QPolygonF clipPolygon(QPolygonF polygon, const QRectF& box)
{
    const auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    const auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    polygon = clipEdge(polygon, [&](QPointF p) { return p.x() >= box.left(); }, atX(box.left()));
    polygon = clipEdge(polygon, [&](QPointF p) { return p.x() <= box.right(); }, atX(box.right()));
    polygon = clipEdge(polygon, [&](QPointF p) { return p.y() >= box.top(); }, atY(box.top()));
    polygon = clipEdge(polygon, [&](QPointF p) { return p.y() <= box.bottom(); }, atY(box.bottom()));
    return polygon;
}

} // namespace

// --- painter state ------------------------------------------------------------

Canvas::PenKey Canvas::currentPen(std::uint32_t color, Qt::PenJoinStyle join) const
{
    return PenKey{color, m_drawWidth, m_drawStyle, join};
}

QPainter& Canvas::qtPainter(QPainter::CompositionMode mode, const PenKey& pen,
                            const BrushKey& brush)
{
    QPainter& p = painter();
    if (m_painterMode != mode) {
        p.setCompositionMode(mode);
        m_painterMode = mode;
    }
    if (m_painterPen != pen) {
        if (pen.style == LineStyle::Transparent)
            p.setPen(Qt::NoPen);
        else
            p.setPen(makePen(pen.color, pen.width, pen.style, pen.join));
        m_painterPen = pen;
    }
    if (m_painterBrush != brush) {
        p.setBrush(makeBrush(brush.color, brush.pattern));
        m_painterBrush = brush;
    }
    return p;
}

bool Canvas::drawsOutline() const
{
    return m_drawStyle != LineStyle::Transparent;
}

// --- primitives ---------------------------------------------------------------

void Canvas::drawOutlinedFill(QRect bounds, const PenKey& pen, const BrushKey& brush,
                              const std::function<void(QPainter&)>& shape)
{
    // Qt fills first and strokes the outline over it, which would combine
    // the outline's inner pixels twice. Instead the figure is drawn into a
    // scratch image in two marker colours, and each pixel is then combined
    // once, with the pen or with the fill colour.
    bounds &= m_image.rect();
    if (bounds.isEmpty())
        return;
    constexpr QRgb kPenMark = 0xFFFF0000u;
    constexpr QRgb kFillMark = 0xFF00FF00u;
    QImage scratch(bounds.size(), QImage::Format_ARGB32);
    scratch.fill(Qt::transparent);
    {
        QPainter marker(&scratch);
        marker.setRenderHint(QPainter::Antialiasing, false);
        marker.translate(-bounds.left(), -bounds.top());
        QPen markPen = makePen(0, pen.width, pen.style, pen.join);
        markPen.setColor(QColor::fromRgba(kPenMark));
        marker.setPen(markPen);
        QBrush markBrush = makeBrush(0, brush.pattern);
        markBrush.setColor(QColor::fromRgba(kFillMark));
        marker.setBrush(markBrush);
        shape(marker);
    }
    const QRgb penPixel = toQRgb(pen.color);
    const QRgb fillPixel = toQRgb(brush.color);
    detail::visitPenMode(m_drawMode, [&](auto m) {
        constexpr PenMode M = decltype(m)::value;
        for (int y = 0; y < bounds.height(); ++y) {
            const auto* marks = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            auto* row = reinterpret_cast<QRgb*>(m_image.scanLine(bounds.top() + y)) + bounds.left();
            for (int x = 0; x < bounds.width(); ++x) {
                if (marks[x] == kPenMark)
                    row[x] = detail::applyPenMode(M, penPixel, row[x]);
                else if (marks[x] == kFillMark)
                    row[x] = detail::applyPenMode(M, fillPixel, row[x]);
            }
        }
    });
}

void Canvas::drawSegment(QPointF a, QPointF b, std::uint32_t color)
{
    double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by))
        return;
    const double margin = kClipMargin + m_drawWidth;
    if (!detail::clipSegment(ax, ay, bx, by, -margin, -margin, m_image.width() - 1 + margin,
                             m_image.height() - 1 + margin))
        return;
    const QPoint from(detail::pixelIndex(ax), detail::pixelIndex(ay));
    const QPoint to(detail::pixelIndex(bx), detail::pixelIndex(by));
    if (from == to)
        return;
    if (m_drawWidth == 1) {
        detail::rasterThinLine(pixelTarget(m_image), from, to, toQRgb(color), m_drawMode,
                               detail::dashPatternFor(m_drawStyle));
        return;
    }
    detail::rasterWideLine(pixelTarget(m_image), from, to, m_drawWidth, toQRgb(color), m_drawMode);
}

void Canvas::fillPixelRect(QRect rect, std::uint32_t color)
{
    rect &= m_image.rect();
    if (rect.isEmpty())
        return;
    detail::rasterFillRect(pixelTarget(m_image), rect, toQRgb(color), m_drawMode);
}

void Canvas::drawDot(QPoint p, std::uint32_t color)
{
    if (m_drawWidth == 1) {
        fillPixelRect(QRect(p, QSize(1, 1)), color);
        return;
    }
    // A round dot: the same shape as the end of a wide line.
    detail::rasterWideLine(pixelTarget(m_image), p, p, m_drawWidth, toQRgb(color), m_drawMode);
}

void Canvas::drawBoxOutline(const QRect& box, std::uint32_t color)
{
    if (m_drawWidth == 1) {
        if (box.width() == 1 || box.height() == 1) {
            fillPixelRect(box, color); // a box one pixel thin is one run of pixels
            return;
        }
        const QPoint corners[4] = {box.topLeft(), box.topRight(), box.bottomRight(),
                                   box.bottomLeft()};
        const detail::DashPattern dash = detail::dashPatternFor(m_drawStyle);
        const detail::PixelTarget target = pixelTarget(m_image);
        for (int i = 0; i < 4; ++i)
            detail::rasterThinLine(target, corners[i], corners[(i + 1) % 4], toQRgb(color),
                                   m_drawMode, dash);
        return;
    }
    QRectF outline(box.left() + 0.5, box.top() + 0.5, box.width() - 1, box.height() - 1);
    if (m_drawStyle == LineStyle::InsideSolid) {
        const double half = m_drawWidth / 2.0;
        outline = QRectF(box.left() + half, box.top() + half, box.width() - m_drawWidth,
                         box.height() - m_drawWidth);
        if (outline.width() <= 0 || outline.height() <= 0) {
            fillPixelRect(box, color);
            return;
        }
    }
    QPainter& p = qtPainter(detail::compositionFor(m_drawMode), currentPen(color, Qt::MiterJoin),
                            BrushKey{});
    p.drawRect(outline);
}

void Canvas::drawBox(QPoint a, QPoint b, std::uint32_t color, bool fillWithPen)
{
    // Built from the corners in order (QRect::normalized would shift them).
    QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
              QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    // Keep the box within reach of the picture: edges beyond the margin
    // cannot show, and huge coordinates would overflow the rasterizer.
    const int margin = static_cast<int>(kClipMargin) + m_drawWidth;
    box &= m_image.rect().adjusted(-margin, -margin, margin, margin);
    if (box.isEmpty())
        return;
    if (fillWithPen) {
        fillPixelRect(box, color);
        return;
    }
    if (m_fillStyle != FillPattern::Transparent) {
        const int inset = (m_drawWidth + 1) / 2;
        const QRect inner = box.adjusted(inset, inset, -inset, -inset);
        if (m_fillStyle == FillPattern::Solid) {
            fillPixelRect(inner, m_fillColor);
        } else if (!inner.isEmpty()) {
            QPainter& p = qtPainter(detail::compositionFor(m_drawMode),
                                    PenKey{0, 1, LineStyle::Transparent, Qt::RoundJoin},
                                    BrushKey{m_fillColor, m_fillStyle});
            p.drawRect(inner);
        }
    }
    if (drawsOutline())
        drawBoxOutline(box, color);
}

void Canvas::drawEllipse(QPoint centre, int rx, int ry, std::uint32_t color,
                         std::optional<double> start, std::optional<double> end)
{
    const bool arc = start.has_value() || end.has_value();
    const double from = std::abs(start.value_or(0.0));
    const double to = std::abs(end.value_or(2.0 * std::numbers::pi));
    const bool pieFrom = start.value_or(0.0) < 0.0;
    const bool pieTo = end.value_or(0.0) < 0.0;
    const bool filled = m_fillStyle != FillPattern::Transparent && (!arc || (pieFrom && pieTo));

    QRectF box = m_drawWidth == 1 ? QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry)
                                  : QRectF(centre.x() + 0.5 - rx, centre.y() + 0.5 - ry,
                                           2 * rx, 2 * ry);
    if (m_drawStyle == LineStyle::InsideSolid && m_drawWidth > 1) {
        const double half = m_drawWidth / 2.0;
        box.adjust(half, half, -half, -half);
    }
    // Qt counts angles in sixteenths of a degree, counter-clockwise on
    // screen from three o'clock, as the arc arguments do.
    const int startAngle = static_cast<int>(std::lround(from * 180.0 / std::numbers::pi * 16.0));
    int span = static_cast<int>(std::lround((to - from) * 180.0 / std::numbers::pi * 16.0));
    if (span <= 0)
        span += 360 * 16;
    const auto closedShape = [&](QPainter& p) {
        if (arc)
            p.drawPie(box, startAngle, span);
        else
            p.drawEllipse(box);
    };
    if (filled && drawsOutline()) {
        const int reach = m_drawWidth + 1;
        drawOutlinedFill(box.toAlignedRect().adjusted(-reach, -reach, reach, reach),
                         currentPen(color), BrushKey{m_fillColor, m_fillStyle}, closedShape);
        return;
    }
    const BrushKey brush = filled ? BrushKey{m_fillColor, m_fillStyle} : BrushKey{};
    QPainter& p = qtPainter(detail::compositionFor(m_drawMode), currentPen(color), brush);
    if (!arc || (pieFrom && pieTo)) {
        closedShape(p);
        return;
    }
    p.drawArc(box, startAngle, span);
    const QPointF middle = box.center();
    const auto radiusTo = [&](double angle) {
        const QPointF rim(middle.x() + box.width() / 2.0 * std::cos(angle),
                          middle.y() - box.height() / 2.0 * std::sin(angle));
        drawSegment(m_drawWidth == 1 ? QPointF(centre) : middle - QPointF(0.5, 0.5),
                    m_drawWidth == 1 ? rim : rim - QPointF(0.5, 0.5), color);
    };
    if (pieFrom)
        radiusTo(from);
    if (pieTo)
        radiusTo(to);
}

// --- graphics methods -----------------------------------------------------------

void Canvas::PSet(double x, double y, std::optional<std::uint32_t> color)
{
    m_currentX = x;
    m_currentY = y;
    if (m_image.isNull() || m_drawMode == PenMode::Nop)
        return;
    drawDot(pixelOf(x, y), color.value_or(m_foreColor) & 0xFFFFFFu);
    changed();
}

void Canvas::Line(double x1, double y1, double x2, double y2,
                  std::optional<std::uint32_t> color, LineOpt opt)
{
    m_currentX = x2;
    m_currentY = y2;
    if (m_image.isNull() || m_drawMode == PenMode::Nop)
        return;
    const std::uint32_t pen = color.value_or(m_foreColor) & 0xFFFFFFu;
    switch (opt) {
    case LineOpt::None:
        if (drawsOutline())
            drawSegment(toPixel({x1, y1}), toPixel({x2, y2}), pen);
        break;
    case LineOpt::Box: drawBox(pixelOf(x1, y1), pixelOf(x2, y2), pen, false); break;
    case LineOpt::BoxFill: drawBox(pixelOf(x1, y1), pixelOf(x2, y2), pen, true); break;
    }
    changed();
}

void Canvas::LineTo(double x2, double y2, std::optional<std::uint32_t> color, LineOpt opt)
{
    Line(m_currentX, m_currentY, x2, y2, color, opt);
}

void Canvas::Circle(double x, double y, double radius, std::optional<std::uint32_t> color,
                    std::optional<double> start, std::optional<double> end, double aspect)
{
    m_currentX = x;
    m_currentY = y;
    if (m_image.isNull() || m_drawMode == PenMode::Nop)
        return;
    const double radiusPx = std::abs(radius * m_pxPerUnitX);
    aspect = std::abs(aspect);
    if (!std::isfinite(radiusPx) || !std::isfinite(aspect))
        return;
    const double rx = aspect < 1.0 ? radiusPx : radiusPx / aspect;
    const double ry = aspect < 1.0 ? radiusPx * aspect : radiusPx;
    if (rx > kMaxRadiusPx || ry > kMaxRadiusPx)
        return;
    const int irx = static_cast<int>(std::lround(rx));
    const int iry = static_cast<int>(std::lround(ry));
    const QPoint centre = pixelOf(x, y);
    const int reach = m_drawWidth + 1;
    const QRect bounds(centre.x() - irx - reach, centre.y() - iry - reach,
                       2 * (irx + reach) + 1, 2 * (iry + reach) + 1);
    if (!bounds.intersects(m_image.rect()))
        return;
    const std::uint32_t pen = color.value_or(m_foreColor) & 0xFFFFFFu;
    if (irx == 0 && iry == 0)
        drawDot(centre, pen);
    else
        drawEllipse(centre, irx, iry, pen, start, end);
    changed();
}

void Canvas::Polygon(const QPolygon& pixelPoints, std::uint32_t fillColor)
{
    Polygon(QPolygonF(pixelPoints), fillColor);
}

void Canvas::Polygon(const QPolygonF& pixelPoints, std::uint32_t fillColor)
{
    if (m_image.isNull() || m_drawMode == PenMode::Nop || pixelPoints.size() < 2)
        return;
    const double offset = m_drawWidth == 1 ? 0.0 : 0.5;
    QPolygonF polygon;
    polygon.reserve(pixelPoints.size());
    for (const QPointF& p : pixelPoints) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            return;  // no figure has a vertex at infinity
        polygon.append(QPointF(p.x() + offset, p.y() + offset));
    }
    const double margin = kClipMargin + m_drawWidth;
    const QRectF reach = QRectF(m_image.rect()).adjusted(-margin, -margin, margin, margin);
    if (!reach.contains(polygon.boundingRect())) {
        polygon = clipPolygon(polygon, reach);
        if (polygon.size() < 2)
            return;
    }
    const BrushKey brush{fillColor & 0xFFFFFFu, FillPattern::Solid};
    const auto shape = [&polygon](QPainter& p) { p.drawPolygon(polygon); };
    if (drawsOutline()) {
        const int reach = m_drawWidth + 1;
        drawOutlinedFill(polygon.boundingRect().toAlignedRect().adjusted(-reach, -reach, reach, reach),
                         currentPen(m_foreColor), brush, shape);
    } else {
        shape(qtPainter(detail::compositionFor(m_drawMode), currentPen(m_foreColor), brush));
    }
    changed();
}

} // namespace platform
