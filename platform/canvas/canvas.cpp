// SPDX-License-Identifier: LicenseRef-Tavelcor
// Canvas: size, persistent image, change notification, user scale and the
// drawing state. The drawing methods are in canvas_draw.cpp, text in
// canvas_text.cpp, pictures and files in canvas_picture.cpp.
#include "platform/canvas/canvas.h"

#include "platform/canvas/colors.h"
#include "platform/canvas/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {

// 96 dots per inch, written into saved bitmaps.
constexpr int kDotsPerMeter = 3780;

// Twips per unit across (x) and down (y); 0 for units that have no fixed size.
double fixedTwipsPerUnit(ScaleMode mode, bool vertical)
{
    switch (mode) {
    case ScaleMode::Twips: return 1.0;
    case ScaleMode::Points: return 20.0;
    case ScaleMode::Pixels: return Canvas::kTwipsPerPixel;
    case ScaleMode::Characters: return vertical ? 240.0 : 120.0;
    case ScaleMode::Inches: return 1440.0;
    case ScaleMode::Millimeters: return 1440.0 / 25.4;
    case ScaleMode::Centimeters: return 14400.0 / 25.4;
    case ScaleMode::Himetric: return 1440.0 / 2540.0;
    case ScaleMode::User: break;
    }
    return 0.0;
}

QImage blankImage(QSize pixels)
{
    const QSize size(std::max(0, pixels.width()), std::max(0, pixels.height()));
    QImage image(size, QImage::Format_RGB32);
    if (!image.isNull()) {
        image.setDotsPerMeterX(kDotsPerMeter);
        image.setDotsPerMeterY(kDotsPerMeter);
    }
    return image;
}

} // namespace

Canvas::Canvas(QSize pixels)
    : m_image(blankImage(pixels))
    , m_fontName(QStringLiteral("ＭＳ ゴシック"))
{
    fillBackground(m_image);
    setUnitScale();
    fontChanged();
}

Canvas::~Canvas()
{
    endPainter();
}

// --- size, image and notification -----------------------------------------

void Canvas::resize(QSize pixels)
{
    QImage next = blankImage(pixels);
    if (next.size() == m_image.size())
        return;
    endPainter();
    fillBackground(next);
    if (!next.isNull() && !m_image.isNull()) {
        QPainter copier(&next);
        copier.setCompositionMode(QPainter::CompositionMode_Source);
        copier.drawImage(0, 0, m_image);
    }
    m_image = std::move(next);
    if (m_scaleMode == ScaleMode::User)
        updateScaleFactors();
    else
        setUnitScale();
    changed();
}

const QImage& Canvas::image() const
{
    endPainter();
    m_notified = false;
    return m_image;
}

QImage& Canvas::imageForEdit()
{
    endPainter();
    changed();
    return m_image;
}

void Canvas::setChangedCallback(std::function<void()> callback)
{
    m_changedCallback = std::move(callback);
    m_notified = false;
}

void Canvas::Refresh()
{
    m_notified = true;
    if (m_changedCallback)
        m_changedCallback();
}

void Canvas::changed()
{
    if (m_notified)
        return;
    m_notified = true;
    if (m_changedCallback)
        m_changedCallback();
}

QPainter& Canvas::painter()
{
    if (!m_painter.isActive()) {
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, false);
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        // A new painter starts with Qt's defaults: forget what was set.
        m_painterFontStale = true;
        m_painterPen.reset();
        m_painterBrush.reset();
        m_painterMode.reset();
    }
    return m_painter;
}

void Canvas::endPainter() const
{
    if (m_painter.isActive())
        m_painter.end();
}

void Canvas::fillBackground(QImage& image) const
{
    if (image.isNull())
        return;
    image.fill(toQRgb(m_backColor));
    if (!m_picture.isNull()) {
        QPainter background(&image);
        background.drawImage(0, 0, m_picture);
    }
}

// --- user scale ---------------------------------------------------------------

void Canvas::updateScaleFactors()
{
    const QSize size = m_image.size();
    m_pxPerUnitX = size.width() / m_scaleWidth;
    m_pxPerUnitY = size.height() / m_scaleHeight;
}

void Canvas::setUnitScale()
{
    const QSize size = m_image.size();
    const double twipsX = fixedTwipsPerUnit(m_scaleMode, false);
    const double twipsY = fixedTwipsPerUnit(m_scaleMode, true);
    m_scaleLeft = 0.0;
    m_scaleTop = 0.0;
    // A picture without pixels keeps a unit extent so that the scale never
    // divides by zero.
    m_scaleWidth = size.width() > 0 ? size.width() * kTwipsPerPixel / twipsX : 1.0;
    m_scaleHeight = size.height() > 0 ? size.height() * kTwipsPerPixel / twipsY : 1.0;
    updateScaleFactors();
}

bool Canvas::setScaleLeft(double value)
{
    if (!std::isfinite(value))
        return false;
    m_scaleLeft = value;
    m_scaleMode = ScaleMode::User;
    return true;
}

bool Canvas::setScaleTop(double value)
{
    if (!std::isfinite(value))
        return false;
    m_scaleTop = value;
    m_scaleMode = ScaleMode::User;
    return true;
}

bool Canvas::setScaleWidth(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return false;
    m_scaleWidth = value;
    m_scaleMode = ScaleMode::User;
    updateScaleFactors();
    return true;
}

bool Canvas::setScaleHeight(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return false;
    m_scaleHeight = value;
    m_scaleMode = ScaleMode::User;
    updateScaleFactors();
    return true;
}

bool Canvas::Scale(double x1, double y1, double x2, double y2)
{
    const double width = x2 - x1;
    const double height = y2 - y1;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(width)
        || !std::isfinite(height) || width == 0.0 || height == 0.0)
        return false;
    m_scaleLeft = x1;
    m_scaleTop = y1;
    m_scaleWidth = width;
    m_scaleHeight = height;
    m_scaleMode = ScaleMode::User;
    updateScaleFactors();
    return true;
}

void Canvas::Scale()
{
    m_scaleMode = ScaleMode::Twips;
    setUnitScale();
}

bool Canvas::setScaleMode(ScaleMode mode)
{
    if (mode == ScaleMode::Himetric)
        return false;
    m_scaleMode = mode;
    if (mode != ScaleMode::User)
        setUnitScale();
    return true;
}

bool Canvas::setScaleMode(int mode)
{
    if (mode < 0 || mode > 7)
        return false;
    return setScaleMode(static_cast<ScaleMode>(mode));
}

QPointF Canvas::toPixel(QPointF user) const
{
    return {(user.x() - m_scaleLeft) * m_pxPerUnitX, (user.y() - m_scaleTop) * m_pxPerUnitY};
}

QPointF Canvas::toUser(QPointF pixel) const
{
    const double x = m_pxPerUnitX != 0.0 ? pixel.x() / m_pxPerUnitX : 0.0;
    const double y = m_pxPerUnitY != 0.0 ? pixel.y() / m_pxPerUnitY : 0.0;
    return {m_scaleLeft + x, m_scaleTop + y};
}

QPoint Canvas::pixelOf(double x, double y) const
{
    const QPointF p = toPixel({x, y});
    return {detail::pixelIndex(p.x()), detail::pixelIndex(p.y())};
}

double Canvas::ScaleX(double width, ScaleMode from, ScaleMode to) const
{
    const auto twipsPerUnit = [this](ScaleMode mode) {
        return mode == ScaleMode::User ? kTwipsPerPixel * m_pxPerUnitX
                                       : fixedTwipsPerUnit(mode, false);
    };
    const double divisor = twipsPerUnit(to);
    return divisor != 0.0 ? width * twipsPerUnit(from) / divisor : 0.0;
}

double Canvas::ScaleY(double height, ScaleMode from, ScaleMode to) const
{
    const auto twipsPerUnit = [this](ScaleMode mode) {
        return mode == ScaleMode::User ? kTwipsPerPixel * m_pxPerUnitY
                                       : fixedTwipsPerUnit(mode, true);
    };
    const double divisor = twipsPerUnit(to);
    return divisor != 0.0 ? height * twipsPerUnit(from) / divisor : 0.0;
}

// --- drawing state ------------------------------------------------------------

void Canvas::setForeColor(std::uint32_t color)
{
    m_foreColor = color & 0xFFFFFFu;
}

void Canvas::setBackColor(std::uint32_t color)
{
    m_backColor = color & 0xFFFFFFu;
    Cls();
}

void Canvas::setFillColor(std::uint32_t color)
{
    m_fillColor = color & 0xFFFFFFu;
}

void Canvas::setFillStyle(FillPattern style)
{
    m_fillStyle = style;
}

bool Canvas::setFillStyle(int style)
{
    if (style < 0 || style > 7)
        return false;
    m_fillStyle = static_cast<FillPattern>(style);
    return true;
}

bool Canvas::setDrawWidth(int pixels)
{
    if (pixels < 1 || pixels > 32767)
        return false;
    m_drawWidth = pixels;
    return true;
}

void Canvas::setDrawMode(PenMode mode)
{
    m_drawMode = mode;
}

bool Canvas::setDrawMode(int mode)
{
    if (mode < 1 || mode > 16)
        return false;
    m_drawMode = static_cast<PenMode>(mode);
    return true;
}

void Canvas::setDrawStyle(LineStyle style)
{
    m_drawStyle = style;
}

bool Canvas::setDrawStyle(int style)
{
    if (style < 0 || style > 6)
        return false;
    m_drawStyle = static_cast<LineStyle>(style);
    return true;
}

void Canvas::Cls()
{
    endPainter();
    fillBackground(m_image);
    m_currentX = 0.0;
    m_currentY = 0.0;
    changed();
}

std::int32_t Canvas::Point(double x, double y) const
{
    const QPoint p = pixelOf(x, y);
    if (!m_image.valid(p))
        return -1;
    const auto* row = reinterpret_cast<const QRgb*>(m_image.constScanLine(p.y()));
    return static_cast<std::int32_t>(fromQRgb(row[p.x()]));
}

} // namespace platform
