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
#include <utility>
#include <vector>

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

// A box in plot metres widened by a hair, so that rounding in the layer's
// own tests can never leave out an item the box should take in.
GridBox paddedBox(double minX, double maxX, double minY, double maxY) noexcept
{
    const auto pad = [](double v) { return 1e-9 * (1.0 + std::fabs(v)); };
    return GridBox{minX - pad(minX), maxX + pad(maxX), minY - pad(minY), maxY + pad(maxY)};
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
    const double* x1s = std::as_const(LineX1).begin();
    const double* y1s = std::as_const(LineY1).begin();
    const double* x2s = std::as_const(LineX2).begin();
    const double* y2s = std::as_const(LineY2).begin();
    const std::uint8_t* colors = std::as_const(LineColor).begin();
    // The view in plot coordinates (north is minus the picture's y).
    const Scratch<std::vector<int>> lines;
    const bool indexed = siteIndex().lines(paddedBox(-bottom, -top, left, right), *lines);
    visitItems(indexed, *lines, last, [&](int i) {
        const int c = colors[i];
        if (!shown[static_cast<std::size_t>(c)])
            return false;
        const double x1 = y1s[i], y1 = -x1s[i];
        const double x2 = y2s[i], y2 = -x2s[i];
        // Four comparisons against the exact view, bitwise: which side a
        // line lies beyond is random.
        if (((y1 < top) & (y2 < top)) | ((y1 > bottom) & (y2 > bottom)) | ((x1 < left) & (x2 < left))
            | ((x1 > right) & (x2 > right)))
            return false;
        p.setDrawWidth(LineWidthOf[c]);
        p.line(x1, y1, x2, y2, platform::QBColor(c));
        return false;
    });
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(1);
    showFill(face, Gauge::Line);
}

namespace {

// Walks the hand-stroke vertices as the drawer does: P is the previous
// vertex, the pen code of each vertex says what it does with it.
class StrokeWalk {
public:
    StrokeWalk(PlotPainter& p, double viewSpanX)
        : mPainter(p), mWide(currentView(), kWideWindowFactor), mThin(viewSpanX / 500.0), mVisible(visibleRect(p)),
          mXs(std::as_const(TegakiX).begin()), mYs(std::as_const(TegakiY).begin()),
          mColors(std::as_const(TegakiColor).begin()), mPens(std::as_const(TegakiPen).begin())
    {
    }

    const PlotRect& visible() const noexcept { return mVisible; }

    /// Vertices from..to with P starting at vertex from - 1.  With
    /// skipHidden a stroke wholly beyond one side of the picture is passed
    /// over at its start.
    void walk(long from, long to, bool skipHidden)
    {
        double px = mXs[from - 1], py = mYs[from - 1];
        for (long i = from; i <= to; ++i) {
            const double qx = mXs[i], qy = mYs[i];
            const std::uint8_t pen = mPens[i];
            if (pen == 2) {
                // Steps below 1/500 of the view height add up until they
                // reach it, and a short step between two positions off the
                // view is left out; either way the stroke keeps its previous
                // vertex.  Worked out without branches: the outcome is
                // unpredictable, while "off the picture" mostly is.
                const double dx = std::fabs(px - qx), dy = std::fabs(py - qy);
                const bool farEnough = (dx >= mThin) | (dy >= mThin);
                const bool shortOff = (dx * dx + dy * dy < 0.25) & !mWide.insideNoBranch(px + OriginX, py + OriginY)
                                      & !mWide.insideNoBranch(qx + OriginX, qy + OriginY);
                const bool take = farEnough & !shortOff;
                if (take & !mVisible.misses(px, py, qx, qy))
                    draw(px, py, qx, qy, mColors[i]);
                px = take ? qx : px;
                py = take ? qy : py;
            } else if (pen == 1) {
                px = qx;
                py = qy;
                const long end = skipHidden ? hiddenStrokeEnd(mVisible, i, to, mXs, mYs, mPens) : 0;
                if (end != 0) {
                    mend(end);
                    i = end;
                }
            } else if (pen == 3) {
                mend(i);
                draw(px, py, qx, qy, mColors[i]);
            }
        }
    }

private:
    void draw(double ax, double ay, double bx, double by, int c)
    {
        if (strokeColorShown(c) && !mVisible.misses(ax, ay, bx, by))
            mPainter.line(ay, -ax, by, -bx, platform::QBColor(c));
    }
    // The vertex after a stroke's end always starts a stroke (unless it is
    // deleted); only a code that changes is written.
    void mend(long end)
    {
        if (end + 1 <= kTegakiTop && mPens[end + 1] != 0 && mPens[end + 1] != 1)
            TegakiPen[end + 1] = 1;
    }

    PlotPainter& mPainter;
    RegionTester mWide;
    double mThin;
    PlotRect mVisible;
    const float* mXs;
    const float* mYs;
    const std::uint8_t* mColors;
    const std::uint8_t* mPens;
};

void drawStrokes(PlotFace& face)
{
    PlotPainter p(face.picture());
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(2);
    const long last = std::min<long>(TegakiCount, kTegakiTop);
    StrokeWalk strokes(p, ViewSpanX);
    const PlotRect& v = strokes.visible();
    const Scratch<std::vector<StrokeRun>> runs;
    if (siteIndex().strokes(GridBox{v.south, v.north, v.west, v.east}, *runs)) {
        // Building the index mended every pen code the walk would mend.
        for (const StrokeRun& run : *runs)
            if (run.last <= last)
                strokes.walk(run.first, run.last, false);
    } else if (last >= 2) {
        strokes.walk(2, last, true);
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
