// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/units.h"

#include "platform/desktop/screen.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kPointsPerInch = 72.0;

}  // namespace

double twipsPerPixelX()
{
    const auto metrics = primaryScreenMetrics();
    return metrics ? metrics->twipsPerPixelX : ScreenMetrics{}.twipsPerPixelX;
}

double twipsPerPixelY()
{
    const auto metrics = primaryScreenMetrics();
    return metrics ? metrics->twipsPerPixelY : ScreenMetrics{}.twipsPerPixelY;
}

int fontPixels(double points)
{
    const double dotsPerInch = kTwipsPerInch / twipsPerPixelY();
    return std::max(1, static_cast<int>(std::lround(points * dotsPerInch / kPointsPerInch)));
}

double fontPointsOfPixels(int pixels)
{
    const double dotsPerInch = kTwipsPerInch / twipsPerPixelY();
    return pixels * kPointsPerInch / dotsPerInch;
}

int nearestPixel(double pixels)
{
    constexpr double kLargest = QWIDGETSIZE_MAX;
    if (std::isnan(pixels))
        return 0;
    return static_cast<int>(std::clamp(std::floor(pixels + 0.5), -kLargest, kLargest));
}

}  // namespace platform
