// SPDX-License-Identifier: LicenseRef-Tavelcor
// Marks of single items drawn over the plot without a full redraw, and the
// two highlights that redraw first.
#include "main/render/plot_render.h"

#include "main/render/render_internal.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/text/strings.h"

#include <utility>

namespace tavelcor::render {

namespace {

enum class LabelRule { AsSwitches, FullWhenNone, NoneForProfileSamples };

// A dot at the coordinate in the given colour with the coordinate's label.
void markCoordinate(PlotFace& face, int n, int colorIndex, LabelRule rule)
{
    if (n < 0 || n > kCoordTop)
        return;
    PlotPainter p(face.picture());
    const std::uint32_t color = platform::QBColor(colorIndex);
    p.setForeColor(color);
    const double x = ZahyoPY[n];
    const double y = -ZahyoPX[n];
    p.pset(x, y, color);
    bool numbers = face.checkValue(1) != 0;
    bool names = face.checkValue(2) != 0;
    if (rule == LabelRule::FullWhenNone && !numbers && !names)
        numbers = names = true;
    if (rule == LabelRule::NoneForProfileSamples && ZahyoName[n] == u"n_p_m")
        return;
    const QString label = coordinateLabel(n, ZahyoName[n], numbers, names);
    if (!label.isEmpty())
        p.printAt(x, y, label);
}

}  // namespace

void redplot(PlotFace& face, int N)
{
    markCoordinate(face, N, 12, LabelRule::AsSwitches);
    PlotPainter(face.picture()).setForeColor(platform::QBColor(0));
}

void ZahyoIDplot(PlotFace& face, int F1)
{
    markCoordinate(face, F1, 13, LabelRule::FullWhenNone);
}

void Stblueplot2(PlotFace& face, int P)
{
    markCoordinate(face, P, 9, LabelRule::NoneForProfileSamples);
    PlotPainter(face.picture()).setForeColor(platform::QBColor(0));
}

void Pointplot(PlotFace& face, int F1)
{
    crtplot(face);
    if (F1 < 0 || F1 > kPointTop)
        return;
    const int mark = PointMark[F1];
    if (mark < 1 || mark > 18)
        return;  // no marker button: nothing to highlight
    PlotPainter p(face.picture());
    const double px = std::as_const(PointX)[F1], py = std::as_const(PointY)[F1];
    const double k = PointFontSize * metresPerTwip(face);
    const bool deleting = face.deleteOptionSelected();
    p.setFontSize(12);
    p.setFontUnderline(!deleting);
    p.setFontStrikethru(deleting);
    p.setForeColor(platform::QBColor(13));
    p.printAt(py - 9.5 * k, -(px + 8.4 * k), face.symbolCaption(mark));
    p.setFontUnderline(false);
    p.setFontSize(PointFontSize);
    p.setForeColor(platform::QBColor(0));
    p.printAt(py - k, -px, QLatin1Char(' ') + PointName[F1] + PointName2[F1]);
    p.setFontStrikethru(false);
    face.setPointNameFields(PointName[F1], platform::RTrim(PointName2[F1]));
}

void Txtplot(PlotFace& face, int F1)
{
    crtplot(face);
    if (F1 < 0 || F1 > kTxtTop)
        return;
    PlotPainter p(face.picture());
    p.setFontUnderline(true);
    p.setFontSize(FontSize);
    p.setForeColor(platform::QBColor(13));
    p.printAt(std::as_const(TxtY)[F1], -static_cast<double>(std::as_const(TxtX)[F1]), TxtString[F1]);
    p.setFontStrikethru(false);
    p.setFontUnderline(false);
}

}  // namespace tavelcor::render
