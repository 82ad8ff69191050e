// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/point_drawing.h"

#include "main/render/plot_painter.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

#include <utility>

namespace tavelcor {

namespace {

constexpr int kWhite = 15;

// Prints a text with its top left at (x, y), the place first marked by a
// white pixel.
void printMarked(render::PlotPainter& p, double x, double y, const QString& text, std::uint32_t color)
{
    p.pset(x, y, platform::QBColor(kWhite));
    p.setForeColor(color);
    p.printAt(x, y, text);
}

}  // namespace

void drawPointInPlace(Plot& window, int i, bool erase)
{
    if (i < 1 || i > kPointTop)
        return;
    WindowPlotFace face(window);
    render::PlotPainter p(face.picture());
    p.setDrawMode(render::kCopyPen);
    p.setFontSize(PointFontSize);
    const double width = face.pictureWidthTwips();
    const double k = width > 0.0 ? p.fontSize() * ViewSpanY / width : 0.0;
    const double px = std::as_const(PointX)[i];
    const double py = std::as_const(PointY)[i];
    // A slot without a symbol yet (0) is drawn with symbol 1.
    const int mark = PointMark[i] == 0 ? 1 : int(PointMark[i]);
    const std::uint32_t white = platform::QBColor(kWhite);
    printMarked(p, py - 9.5 * k, -(px + 8.4 * k), face.symbolCaption(mark), erase ? white : face.symbolColor(mark));
    const QString& name2 = std::as_const(PointName2)[i];
    const bool measured = name2.contains(u'済');
    printMarked(p, py, -px, QLatin1Char(' ') + std::as_const(PointName)[i] + name2,
                erase ? white : platform::QBColor(measured ? 12 : 0));
}

void drawLineInPlace(Plot& window, int j, bool erase, int widthPixels)
{
    if (j < 1 || j > kLineTop)
        return;
    WindowPlotFace face(window);
    render::PlotPainter p(face.picture());
    p.setDrawMode(render::kCopyPen);
    p.setDrawWidth(widthPixels);
    const int index = LineColor[j];
    const std::uint32_t own = platform::QBColor(platform::isQBColorIndex(index) ? index : 0);
    const std::uint32_t color = erase ? platform::QBColor(kWhite) : own;
    p.line(std::as_const(LineY1)[j], -std::as_const(LineX1)[j], std::as_const(LineY2)[j], -std::as_const(LineX2)[j],
           color);
}

}  // namespace tavelcor
