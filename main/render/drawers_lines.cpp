// SPDX-License-Identifier: LicenseRef-Tavelcor
// Lines, hand strokes and the area-measurement polyline.
#include "main/render/plot_render.h"

#include "main/render/filters.h"
#include "main/render/render_internal.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace tavelcor::render {

namespace {

bool strokeColorShown(int c)
{
    return c >= 0 && c <= 16 && TegakiColorShown[c] == 1;
}

// The picture's rectangle in plot coordinates (X north, Y east), widened by
// a margin, so that segments wholly beyond one side are never handed to the
// picture: they would leave no pixel anyway.
struct PlotRect {
    double north, south, west, east;

    bool misses(double ax, double ay, double bx, double by) const noexcept
    {
        // Bitwise, not short-circuit: which side a stroke misses by is random.
        return ((ax > north) & (bx > north)) | ((ax < south) & (bx < south)) | ((ay < west) & (by < west))
               | ((ay > east) & (by > east));
    }
    /// Bits of the sides the point lies beyond: north 1, south 2, west 4, east 8.
    unsigned sidesOf(double x, double y) const noexcept
    {
        return static_cast<unsigned>(x > north) | (static_cast<unsigned>(x < south) << 1)
               | (static_cast<unsigned>(y < west) << 2) | (static_cast<unsigned>(y > east) << 3);
    }
};

// A stroke that starts at vertex `start` (pen code 1) and lies wholly beyond
// one side of the picture draws nothing, and when the vertex after its end
// starts the next stroke its thinning leaves nothing behind either.  Returns
// the end vertex of such a stroke, or 0 when the stroke must be walked.
long hiddenStrokeEnd(const PlotRect& visible, long start, long last, const float* xs, const float* ys,
                     const std::uint8_t* pens)
{
    unsigned common = 0xF;
    for (long j = start; j <= last; ++j) {
        common &= visible.sidesOf(xs[j], ys[j]);
        if (common == 0)
            return 0;
        if (pens[j] == 3)
            return (j + 1 > last || j + 1 > kTegakiTop || pens[j + 1] != 0) ? j : 0;
    }
    return 0;
}

PlotRect visibleRect(const PlotPainter& p)
{
    const double marginX = std::fabs(p.scaleHeight()) * 0.01;
    const double marginY = std::fabs(p.scaleWidth()) * 0.01;
    const double north = -p.scaleTop();
    const double west = p.scaleLeft();
    return PlotRect{north + marginX, north - std::fabs(p.scaleHeight()) - marginX, west - marginY,
                    west + std::fabs(p.scaleWidth()) + marginY};
}

}  // namespace

void Lineview(PlotFace& face)
{
    PlotPainter p(face.picture());
    Redrawn = 1;
    p.setDrawWidth(2);
    p.setDrawMode(kCopyPen);
    const double left = p.scaleLeft();
    const double top = p.scaleTop();
    const double right = left + ViewSpanY;
    const double bottom = top + ViewSpanX;
    // Shown flag per stored colour value, worked out once.
    std::array<bool, 256> shown{};
    for (int c = 0; c <= kColorTableTop; ++c)
        shown[static_cast<std::size_t>(c)] = LineColorShown[c] != 0;
    const int last = std::min<int>(LineNext - 1, kLineTop);
    const double* x1s = LineX1.begin();
    const double* y1s = LineY1.begin();
    const double* x2s = LineX2.begin();
    const double* y2s = LineY2.begin();
    const std::uint8_t* colors = LineColor.begin();
    for (int i = 1; i <= last; ++i) {
        const int c = colors[i];
        if (!shown[static_cast<std::size_t>(c)])
            continue;
        const double x1 = y1s[i], y1 = -x1s[i];
        const double x2 = y2s[i], y2 = -x2s[i];
        // Four comparisons against the exact view, bitwise: which side a
        // line lies beyond is random.
        if (((y1 < top) & (y2 < top)) | ((y1 > bottom) & (y2 > bottom)) | ((x1 < left) & (x2 < left))
            | ((x1 > right) & (x2 > right)))
            continue;
        p.setDrawWidth(LineWidthOf[c]);
        p.line(x1, y1, x2, y2, platform::QBColor(c));
    }
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(1);
    showFill(face, Gauge::Line);
}

namespace {

void drawStrokes(PlotFace& face)
{
    PlotPainter p(face.picture());
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(2);
    const long last = std::min<long>(TegakiCount, kTegakiTop);
    const RegionTester wide(currentView(), kWideWindowFactor);
    const double thin = ViewSpanX / 500.0;
    const PlotRect visible = visibleRect(p);
    const float* xs = TegakiX.begin();
    const float* ys = TegakiY.begin();
    const std::uint8_t* colors = TegakiColor.begin();
    std::uint8_t* pens = TegakiPen.begin();
    auto draw = [&](double ax, double ay, double bx, double by, int c) {
        if (strokeColorShown(c) && !visible.misses(ax, ay, bx, by))
            p.line(ay, -ax, by, -bx, platform::QBColor(c));
    };
    double px = xs[1], py = ys[1];
    for (long i = 2; i <= last; ++i) {
        const double qx = xs[i], qy = ys[i];
        const std::uint8_t pen = pens[i];
        if (pen == 2) {
            // Steps below 1/500 of the view height add up until they reach
            // it, and a short step between two positions off the view is left
            // out; either way the stroke keeps its previous vertex.  Worked
            // out without branches: the outcome is unpredictable, while
            // "off the picture" mostly is.
            const double dx = std::fabs(px - qx), dy = std::fabs(py - qy);
            const bool farEnough = (dx >= thin) | (dy >= thin);
            const bool shortOff = (dx * dx + dy * dy < 0.25) & !wide.insideNoBranch(px + OriginX, py + OriginY)
                                  & !wide.insideNoBranch(qx + OriginX, qy + OriginY);
            const bool take = farEnough & !shortOff;
            if (take & !visible.misses(px, py, qx, qy))
                draw(px, py, qx, qy, colors[i]);
            px = take ? qx : px;
            py = take ? qy : py;
        } else if (pen == 1) {
            px = qx;
            py = qy;
            const long end = hiddenStrokeEnd(visible, i, last, xs, ys, pens);
            if (end != 0) {
                if (end + 1 <= kTegakiTop && pens[end + 1] != 0)
                    pens[end + 1] = 1;
                i = end;
            }
        } else if (pen == 3) {
            // The vertex after a stroke's end always starts a stroke.
            if (i + 1 <= kTegakiTop && pens[i + 1] != 0)
                pens[i + 1] = 1;
            draw(px, py, qx, qy, colors[i]);
        }
    }
    p.setDrawWidth(1);
    showFill(face, Gauge::Tegaki);
}

}  // namespace

void Tegakidraw(PlotFace& face)
{
    // Any error ends the drawing with the drawer's own message; the strokes
    // drawn so far stay on the picture.
    try {
        drawStrokes(face);
        return;
    } catch (const std::exception& e) {
        qWarning("hand strokes: %s", e.what());
    } catch (...) {
        qWarning("hand strokes: unknown error");
    }
    platform::MsgBox(QStringLiteral("tegakidrawでエラーがかかりました"));
}

void ArAview(PlotFace& face)
{
    PlotPainter p(face.picture());
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(3);
    const int last = std::min<int>(AreaCount - 1, kAreaTop);
    const std::uint32_t purple = platform::QBColor(5);
    for (int k = 2; k <= last; ++k)
        p.line(AreaY[k - 1], -AreaX[k - 1], AreaY[k], -AreaX[k], purple);
    p.setDrawWidth(2);
}

}  // namespace tavelcor::render
