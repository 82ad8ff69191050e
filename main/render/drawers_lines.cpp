// SPDX-License-Identifier: LicenseRef-Tavelcor
// Lines, hand strokes and the area-measurement polyline.
#include "main/render/plot_render.h"

#include "main/render/filters.h"
#include "main/render/render_internal.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {

using namespace render;  // NOLINT: the drawers are the render layer itself

namespace {

int percentOf(double used, double top)
{
    return static_cast<int>(std::clamp(used / top * 100.0, 0.0, 100.0));
}

bool strokeColorShown(int c)
{
    return c >= 0 && c <= 16 && TegakiColorShown[c] == 1;
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
    const int last = std::min<int>(LineNext - 1, kLineTop);
    for (int i = 1; i <= last; ++i) {
        const int c = LineColor[i];
        if (c > 99 || !LineShown(i))
            continue;
        const double x1 = LineY1[i], y1 = -LineX1[i];
        const double x2 = LineY2[i], y2 = -LineX2[i];
        if ((y1 < top && y2 < top) || (y1 > bottom && y2 > bottom) || (x1 < left && x2 < left)
            || (x1 > right && x2 > right))
            continue;
        p.setDrawWidth(LineWidthOf[c]);
        p.line(x1, y1, x2, y2, paletteColor(c));
    }
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(1);
    face.setGauge(Gauge::Line, percentOf(LineNext, 500000.0));
}

void Tegakidraw(PlotFace& face)
{
    PlotPainter p(face.picture());
    p.setDrawMode(kCopyPen);
    p.setDrawWidth(2);
    const long last = std::min<long>(TegakiCount, kTegakiTop);
    const RegionTester wide(currentView(), kWideWindowFactor);
    const double thin = ViewSpanX / 500.0;
    double px = TegakiX[1], py = TegakiY[1];
    for (long i = 2; i <= last; ++i) {
        const double qx = TegakiX[i], qy = TegakiY[i];
        const int c = TegakiColor[i];
        switch (TegakiPen[i]) {
        case 1:
            px = qx;
            py = qy;
            break;
        case 3:
            // The vertex after a stroke's end always starts a stroke.
            if (i + 1 <= kTegakiTop && TegakiPen[i + 1] != 0)
                TegakiPen[i + 1] = 1;
            if (strokeColorShown(c))
                p.line(py, -px, qy, -qx, paletteColor(c));
            break;
        case 2: {
            const double dx = std::fabs(px - qx), dy = std::fabs(py - qy);
            if (std::hypot(dx, dy) < 0.5 && !wide.inside(px + OriginX, py + OriginY)
                && !wide.inside(qx + OriginX, qy + OriginY))
                break;
            if (dx >= thin || dy >= thin) {
                if (strokeColorShown(c))
                    p.line(py, -px, qy, -qx, paletteColor(c));
                px = qx;
                py = qy;
            }
            break;
        }
        default:
            break;
        }
    }
    p.setDrawWidth(1);
    face.setGauge(Gauge::Tegaki, percentOf(static_cast<double>(TegakiCount), 1000000.0));
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

}  // namespace tavelcor
