// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/profile_view.h"

#include "main/site/tables.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace tavelcor {

namespace {

constexpr double kMargin = 0.1;

// A plot X (absolute minus the origin) stretched about absolute 0.
double stretched(double plotX, float ratio)
{
    return (plotX + OriginX) * static_cast<double>(ratio) - OriginX;
}

bool usedCoordinate(int n)
{
    return std::as_const(ZahyoName)[n] != freeZahyoName();
}

}  // namespace

void stretchProfileHeights(float ratio)
{
    const int zahyoTop = std::min<int>(ZahyoMax, kZahyoTop);
    for (int n = 1; n <= zahyoTop; ++n) {
        if (!usedCoordinate(n))
            continue;
        ZahyoX[n] = std::as_const(ZahyoX)[n] * static_cast<double>(ratio);
        ZahyoPX[n] = std::as_const(ZahyoX)[n] - OriginX;
    }
    const int lineTop = std::min<int>(LineNext - 1, kLineTop);
    for (int i = 1; i <= lineTop; ++i) {
        LineX1[i] = stretched(std::as_const(LineX1)[i], ratio);
        LineX2[i] = stretched(std::as_const(LineX2)[i], ratio);
    }
    const int pointTop = std::min<int>(PointCount, kPointTop);
    for (int i = 1; i <= pointTop; ++i)
        PointX[i] = stretched(std::as_const(PointX)[i], ratio);
    const int txtTop = std::min<int>(TxtCount, kTxtTop);
    for (int i = 1; i <= txtTop; ++i)
        TxtX[i] = static_cast<float>(stretched(std::as_const(TxtX)[i], ratio));
    const int tegakiTop = std::min<int>(TegakiCount, kTegakiTop);
    for (int i = 1; i <= tegakiTop; ++i)
        TegakiX[i] = static_cast<float>(stretched(std::as_const(TegakiX)[i], ratio));
}

void fitProfileExtent()
{
    double xMax = -std::numeric_limits<double>::infinity();
    double xMin = std::numeric_limits<double>::infinity();
    double yMax = xMax;
    double yMin = xMin;
    const int zahyoTop = std::min<int>(ZahyoMax, kZahyoTop);
    for (int n = 1; n <= zahyoTop; ++n) {
        if (!usedCoordinate(n))
            continue;
        const double x = std::as_const(ZahyoX)[n];
        const double y = std::as_const(ZahyoY)[n];
        xMax = std::max(xMax, x);
        xMin = std::min(xMin, x);
        yMax = std::max(yMax, y);
        yMin = std::min(yMin, y);
    }
    if (xMin > xMax)
        return;
    const double marginX = kMargin * (xMax - xMin);
    const double marginY = kMargin * (yMax - yMin);
    DataXMax = xMax + marginX;
    DataXMin = xMin - marginX;
    DataYMax = yMax + marginY;
    DataYMin = yMin - marginY;
    ViewSpanX = DataXMax - DataXMin;
    ViewSpanY = DataYMax - DataYMin;
    ViewCX = (DataXMax + DataXMin) / 2.0;
    ViewCY = (DataYMax + DataYMin) / 2.0;
}

}  // namespace tavelcor
