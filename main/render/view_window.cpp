// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/view_window.h"

#include <cmath>
#include <utility>

namespace tavelcor::render {

int regionCode(double x, double y, const ViewWindow& view, double f) noexcept
{
    int row = 4;
    if (x > view.cx + f * view.spanX)
        row = 1;
    else if (x < view.cx - f * view.spanX)
        row = 7;
    int column = 1;
    if (y > view.cy + f * view.spanY)
        column = 2;
    else if (y < view.cy - f * view.spanY)
        column = 0;
    return row + column;
}

namespace {
// Bit per side of the window that a region code lies beyond.
constexpr unsigned kNorth = 1, kSouth = 2, kWest = 4, kEast = 8;

constexpr unsigned sidesOf(int code) noexcept
{
    switch (code) {
    case 1: return kNorth | kWest;
    case 2: return kNorth;
    case 3: return kNorth | kEast;
    case 4: return kWest;
    case 6: return kEast;
    case 7: return kSouth | kWest;
    case 8: return kSouth;
    case 9: return kSouth | kEast;
    default: return 0;  // 5 (inside) and anything unknown never reject
    }
}
}  // namespace

int hantei2(int hb, int h) noexcept
{
    return (sidesOf(hb) & sidesOf(h)) != 0 ? 0 : 1;
}

int Hantei4(double& x1, double& y1, double& x2, double& y2, double x3, double y3) noexcept
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    return (x1 < x3 && x3 < x2 && y1 < y3 && y3 < y2) ? 1 : 0;
}

std::optional<FittedView> fitView(const ViewWindow& wanted, double originX, double originY,
                                  double pictureWidthTwips, double pictureHeightTwips) noexcept
{
    if (!(pictureHeightTwips > 0.0) || !(pictureWidthTwips > 0.0))
        return std::nullopt;
    if (!std::isfinite(wanted.cx) || !std::isfinite(wanted.cy) || !std::isfinite(wanted.spanX)
        || !std::isfinite(wanted.spanY))
        return std::nullopt;
    FittedView v;
    v.fitSpanX = wanted.spanX;
    v.fitSpanY = wanted.spanY;
    // The picture reports its aspect as a single-precision value.
    const double aspect = static_cast<float>(pictureWidthTwips / pictureHeightTwips);
    if (v.fitSpanX == 0.0)
        v.fitSpanX = 1e-9;
    if (aspect > v.fitSpanY / v.fitSpanX) {
        v.viewSpanX = v.fitSpanX;
        v.viewSpanY = aspect * v.fitSpanX;
    } else {
        v.viewSpanY = v.fitSpanY;
        v.viewSpanX = v.fitSpanY / aspect;
    }
    // The picture keeps its scale in single precision.
    v.scaleLeft = static_cast<float>(wanted.cy - originY - v.viewSpanY / 2);
    v.scaleTop = static_cast<float>(-(wanted.cx - originX + v.viewSpanX / 2));
    v.scaleHeight = static_cast<float>(v.viewSpanX);
    v.scaleWidth = static_cast<float>(v.viewSpanY);
    return v;
}

}  // namespace tavelcor::render
