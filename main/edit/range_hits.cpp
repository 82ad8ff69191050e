// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/range_hits.h"

#include "main/site/tables.h"

#include <cmath>
#include <utility>

namespace tavelcor {

namespace {

bool onSegment(double ax, double ay, double bx, double by, double px, double py, double tolerance)
{
    const double ab = std::hypot(bx - ax, by - ay);
    const double pa = std::hypot(ax - px, ay - py);
    const double pb = std::hypot(bx - px, by - py);
    return pa + pb <= ab + tolerance;
}

}  // namespace

int lxariWithin(double F1x, double F1y, double F2x, double F2y, double F3x, double F3y, double F4x, double F4y,
                double PX, double PY, double tolerance)
{
    if (!onSegment(F1x, F1y, F2x, F2y, PX, PY, tolerance))
        return 0;
    return onSegment(F3x, F3y, F4x, F4y, PX, PY, tolerance) ? 1 : 0;
}

int Lxari(double F1x, double F1y, double F2x, double F2y, double F3x, double F3y, double F4x, double F4y,
          double PX, double PY)
{
    return lxariWithin(F1x, F1y, F2x, F2y, F3x, F3y, F4x, F4y, PX, PY, ViewSpanX / 1000.0);
}

int Hantei5(double& ax1, double& ay1, double& ax2, double& ay2, double tx1, double ty1, double tx2, double ty2)
{
    if (ax1 > ax2)
        std::swap(ax1, ax2);
    if (ay1 > ay2)
        std::swap(ay1, ay2);
    const bool verticalBand = tx1 > ax1 && tx2 < ax2 && ty1 < ay1 && ty2 > ay2;
    const bool horizontalBand = tx1 < ax1 && tx2 > ax2 && ty1 > ay1 && ty2 < ay2;
    const bool covers = tx1 < ax1 && tx2 > ax2 && ty1 < ay1 && ty2 > ay2;
    return verticalBand || horizontalBand || covers ? 1 : 0;
}

}  // namespace tavelcor
