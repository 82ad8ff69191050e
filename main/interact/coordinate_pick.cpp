// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/coordinate_pick.h"

#include "main/site/tables.h"
#include "platform/prompt/prompter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

constexpr double kMinimumTolerance = 0.001;  // metres
constexpr int kPasses = 4;

// The number's name, trimmed, is not the free-number mark and the number is
// shown: the checks of a coordinate that lies within the tolerance.
bool usableCoordinate(int i, const ShownNumberRanges& ranges)
{
    return ranges.contains(i) && std::as_const(ZahyoName)[i].trimmed() != freeZahyoName();
}

// The first usable coordinate 1..last within `tolerance` of (north, east).
// The tables are read through plain pointers: the scan is the hot loop of
// every right press on a full-size site.
int firstWithin(double north, double east, double tolerance, int last, const ShownNumberRanges& ranges)
{
    const double* xs = std::as_const(ZahyoX).begin();
    const double* ys = std::as_const(ZahyoY).begin();
    for (int i = 1; i <= last; ++i) {
        const double dx = xs[i] - north;
        const double dy = ys[i] - east;
        if (std::sqrt(dx * dx + dy * dy) < tolerance && usableCoordinate(i, ranges))
            return i;
    }
    return 0;
}

}  // namespace

double pickBaseTolerance(int hitRadius, double viewSpanX) noexcept
{
    const double t0 = hitRadius * viewSpanX / 2000.0;
    return t0 >= kMinimumTolerance ? t0 : kMinimumTolerance;  // also for NaN
}

CoordinatePick pickCoordinateNumber(double north, double east, double baseTolerance,
                                    const ShownNumberRanges& ranges)
{
    if (!ZahyoX.allocated())
        return {0, baseTolerance};
    const int last = std::clamp(ZahyoMax, 0, kZahyoTop);
    // The tolerance grows by t0 from pass to pass (t0, 2 t0, 3 t0, 4 t0);
    // after a fruitless fourth pass it stands at 5 t0.
    double tolerance = baseTolerance;
    for (int pass = 1; pass <= kPasses; ++pass) {
        if (const int hit = firstWithin(north, east, tolerance, last, ranges))
            return {hit, tolerance};
        tolerance += baseTolerance;
    }
    return {0, tolerance};
}

int pickObservationPoint(double x, double y, double tolerance, const std::function<bool(int)>& shown)
{
    if (!PointX.allocated())
        return 0;
    const int last = std::clamp(PointCount, 0, kPointTop);
    const double* north = std::as_const(PointX).begin();
    const double* east = std::as_const(PointY).begin();
    const std::uint8_t* mark = std::as_const(PointMark).begin();
    for (int j = 1; j <= last; ++j) {
        if (std::fabs(north[j] + y) < tolerance && std::fabs(east[j] - x) < tolerance && mark[j] < 100
            && (!shown || shown(j)))
            return j;
    }
    return 0;
}

int appendPointCoordinate(int j)
{
    if (j < 1 || j > kPointTop || ZahyoMax < 0 || ZahyoMax >= kZahyoTop)
        return 0;
    const int n = ZahyoMax + 1;
    ZahyoMax = n;
    ZahyoName[n] = PointName[j] + QStringLiteral("_?_");
    ZahyoX[n] = OriginX + PointX[j];
    ZahyoY[n] = PointY[j] + OriginY;
    ZahyoPX[n] = PointX[j];
    ZahyoPY[n] = PointY[j];
    // The slot may hold what an earlier coordinate left there (a computed
    // coordinate taken back by Undo): the point has no height, is no parcel
    // vertex and has no linked file.
    ZahyoH[n] = 0.0;
    ZahyoUsed[n] = 0;
    ZahyoLink[n].clear();
    return n;
}

CoordinatePick PickCoordinate(double& x, double& y, const ShownNumberRanges& ranges, bool withPoints,
                              const std::function<bool(int)>& pointShown)
{
    const double north = OriginX - y;
    const double east = x + OriginY;
    CoordinatePick pick = pickCoordinateNumber(north, east, pickBaseTolerance(HitRadius, ViewSpanX), ranges);
    if (pick.number != 0 || !withPoints)
        return pick;
    const int j = pickObservationPoint(x, y, pick.tolerance, pointShown);
    if (j == 0)
        return pick;
    const int number = appendPointCoordinate(j);
    if (number == 0) {
        platform::MsgBox(QStringLiteral("座標の件数が上限の500000件に達しています"));
        return pick;
    }
    y = -PointX[j];
    x = PointY[j];
    pick.number = number;
    return pick;
}

}  // namespace tavelcor
