// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/plot_painter.h"

#include "platform/canvas/canvas.h"

#include <QPolygonF>

namespace tavelcor::render {

double PlotPainter::scaleLeft() const { return mCanvas.ScaleLeft(); }
double PlotPainter::scaleTop() const { return mCanvas.ScaleTop(); }
double PlotPainter::scaleWidth() const { return mCanvas.ScaleWidth(); }
double PlotPainter::scaleHeight() const { return mCanvas.ScaleHeight(); }

void PlotPainter::setScale(double left, double top, double width, double height)
{
    mCanvas.setScaleLeft(left);
    mCanvas.setScaleTop(top);
    mCanvas.setScaleWidth(width);
    mCanvas.setScaleHeight(height);
}

void PlotPainter::setForeColor(std::uint32_t color)
{
    if (mCanvas.ForeColor() != color)
        mCanvas.setForeColor(color);
}

std::uint32_t PlotPainter::foreColor() const { return mCanvas.ForeColor(); }

void PlotPainter::setDrawMode(int mode) { mCanvas.setDrawMode(mode); }

void PlotPainter::setDrawWidth(int pixels)
{
    if (pixels < 1)
        pixels = 1;  // a width of 0 from an edited settings file draws thin
    if (mCanvas.DrawWidth() != pixels)
        mCanvas.setDrawWidth(pixels);
}

void PlotPainter::setFillColor(std::uint32_t color) { mCanvas.setFillColor(color); }
void PlotPainter::setFontName(const QString& name) { mCanvas.setFontName(name); }
void PlotPainter::setFontSize(double points) { mCanvas.setFontSize(points); }
double PlotPainter::fontSize() const { return mCanvas.FontSize(); }
void PlotPainter::setFontBold(bool bold) { mCanvas.setFontBold(bold); }
void PlotPainter::setFontUnderline(bool on) { mCanvas.setFontUnderline(on); }
void PlotPainter::setFontStrikethru(bool on) { mCanvas.setFontStrikethru(on); }

void PlotPainter::clear()
{
    mCanvas.Refresh();
    mCanvas.Cls();
}

void PlotPainter::line(double x1, double y1, double x2, double y2, std::uint32_t color)
{
    mCanvas.Line(x1, y1, x2, y2, color);
}

void PlotPainter::pset(double x, double y, std::uint32_t color) { mCanvas.PSet(x, y, color); }

void PlotPainter::circle(double x, double y, double radius, std::uint32_t color)
{
    mCanvas.Circle(x, y, radius, color);
}

void PlotPainter::printAt(double x, double y, QStringView text)
{
    mCanvas.setCurrentX(x);
    mCanvas.setCurrentY(y);
    print(text);
}

void PlotPainter::print(QStringView text)
{
    mCanvas.Print(text.toString());
}

void PlotPainter::fillPolygonPixels(std::span<const QPointF> points, std::uint32_t brush,
                                    std::uint32_t pen)
{
    QPolygonF polygon(static_cast<qsizetype>(points.size()));
    for (std::size_t k = 0; k < points.size(); ++k)
        polygon[static_cast<qsizetype>(k)] = points[k];
    const std::uint32_t fore = mCanvas.ForeColor();
    mCanvas.setForeColor(pen);
    mCanvas.Polygon(polygon, brush);
    mCanvas.setForeColor(fore);
}

}  // namespace tavelcor::render
