// SPDX-License-Identifier: LicenseRef-Tavelcor
// Canvas: the font and text output at the current point.
#include "platform/canvas/canvas.h"

#include "platform/canvas/colors.h"
#include "platform/canvas/font_names.h"
#include "platform/canvas/raster.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Font sizes are kept in whole pixels of em height at 96 dpi, as the
// original platform's TrueType fonts are.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

int pixelsForPoints(double points)
{
    return std::max(1, static_cast<int>(std::lround(points * kPixelsPerPoint)));
}

QStringList textLines(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return {text};
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(kBreak);
}

} // namespace

void Canvas::fontChanged()
{
    m_font.setFamily(qtFontFamily(m_fontName));
    m_font.setPixelSize(pixelsForPoints(m_fontPoints));
    // No antialiasing: text printed again in white must hit the same pixels.
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_font.setKerning(false);
    m_metrics.reset();
    m_painterFontStale = true;
}

void Canvas::setFontName(const QString& name)
{
    if (name == m_fontName)
        return;
    m_fontName = name;
    fontChanged();
}

double Canvas::FontSize() const
{
    return m_font.pixelSize() / kPixelsPerPoint;
}

bool Canvas::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0.0)
        return false;
    // The drawers set the size for every item; only a change costs work.
    if (pixelsForPoints(points) == m_font.pixelSize()) {
        m_fontPoints = points;
        return true;
    }
    m_fontPoints = points;
    fontChanged();
    return true;
}

void Canvas::setFontBold(bool on)
{
    if (m_font.bold() == on)
        return;
    m_font.setBold(on);
    fontChanged();
}

void Canvas::setFontItalic(bool on)
{
    if (m_font.italic() == on)
        return;
    m_font.setItalic(on);
    fontChanged();
}

void Canvas::setFontUnderline(bool on)
{
    if (m_font.underline() == on)
        return;
    m_font.setUnderline(on);
    fontChanged();
}

void Canvas::setFontStrikethru(bool on)
{
    if (m_font.strikeOut() == on)
        return;
    m_font.setStrikeOut(on);
    fontChanged();
}

const QFontMetrics& Canvas::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_font);
    return *m_metrics;
}

double Canvas::TextWidth(const QString& text) const
{
    int widest = 0;
    for (const QString& line : textLines(text))
        widest = std::max(widest, metrics().horizontalAdvance(line));
    return m_pxPerUnitX != 0.0 ? widest / m_pxPerUnitX : 0.0;
}

double Canvas::TextHeight(const QString& text) const
{
    const auto lines = textLines(text).size();
    const double pixels = static_cast<double>(lines) * metrics().height();
    return m_pxPerUnitY != 0.0 ? pixels / m_pxPerUnitY : 0.0;
}

void Canvas::printLine(const QString& line, QPoint topLeft)
{
    const QFontMetrics& fm = metrics();
    const QRect box(topLeft, QSize(fm.horizontalAdvance(line), fm.height()));
    if (line.isEmpty() || !box.intersects(m_image.rect()))
        return;
    // Text is always copied in the fore colour, whatever the draw mode.
    QPainter& p = qtPainter(QPainter::CompositionMode_SourceOver,
                            PenKey{m_foreColor, 1, LineStyle::Solid, Qt::RoundJoin}, BrushKey{});
    if (!m_fontTransparent)
        p.fillRect(box, toQColor(m_backColor));
    if (m_painterFontStale) {
        p.setFont(m_font);
        m_painterFontStale = false;
    }
    p.drawText(QPoint(topLeft.x(), topLeft.y() + fm.ascent()), line);
}

void Canvas::Print(const QString& text, bool newline)
{
    const QStringList lines = textLines(text);
    const double lineHeight = m_pxPerUnitY != 0.0 ? metrics().height() / m_pxPerUnitY : 0.0;
    double x = m_currentX;
    double y = m_currentY;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            x = m_scaleLeft;
            y += lineHeight;
        }
        if (!m_image.isNull())
            printLine(lines[i], pixelOf(x, y));
    }
    if (newline) {
        m_currentX = m_scaleLeft;
        m_currentY = y + lineHeight;
    } else {
        m_currentX = x + TextWidth(lines.back());
        m_currentY = y;
    }
    if (!m_image.isNull())
        changed();
}

} // namespace platform
