// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/point_picks.h"

#include "geodesy/plane_geometry.h"
#include "main/site/tables.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

// Marks and colours from this value up mark a deleted item.
constexpr int kDeletedFrom = 100;
constexpr int kPasses = 4;
// A line end within this distance (north and east apart) of a moved point
// lies on it.
constexpr double kOnPointM = 0.01;

bool lineTakesPart(int i, const std::function<bool(int)>& shown)
{
    return LineColor[i] < kDeletedFrom && shown(i);
}

bool within(double n, double e, double north, double east, double radius)
{
    return std::hypot(n - north, e - east) < radius;
}

LineEndSnap endOf(int i, bool first)
{
    if (first)
        return {i, true, std::as_const(LineX1)[i], std::as_const(LineY1)[i]};
    return {i, false, std::as_const(LineX2)[i], std::as_const(LineY2)[i]};
}

// One pass over the lines: the first end of `ends` within `radius`.
enum class Ends { Both, First, Second };

std::optional<LineEndSnap> endWithin(double north, double east, double radius, Ends ends,
                                     const std::function<bool(int)>& shown)
{
    const int last = lastLineIndex();
    for (int i = 1; i <= last; ++i) {
        if (!lineTakesPart(i, shown))
            continue;
        if (ends != Ends::Second) {
            const LineEndSnap first = endOf(i, true);
            if (within(first.north, first.east, north, east, radius))
                return first;
        }
        if (ends != Ends::First) {
            const LineEndSnap second = endOf(i, false);
            if (within(second.north, second.east, north, east, radius))
                return second;
        }
    }
    return std::nullopt;
}

std::optional<LineEndSnap> endInPasses(double north, double east, double baseRadius, Ends ends,
                                       const std::function<bool(int)>& shown)
{
    for (int k = 1; k <= kPasses; ++k) {
        if (auto hit = endWithin(north, east, k * baseRadius, ends, shown))
            return hit;
    }
    return std::nullopt;
}

bool pointHit(int i, double north, double east, double tolerance, const std::function<bool(int)>& shown)
{
    return PointMark[i] < kDeletedFrom && shown(i)
           && within(std::as_const(PointX)[i], std::as_const(PointY)[i], north, east, tolerance);
}

}  // namespace

int pickPoint(double north, double east, double baseTolerance, PointScan order, const std::function<bool(int)>& shown)
{
    const int last = lastPointIndex();
    for (int k = 1; k <= kPasses; ++k) {
        const double t = k * baseTolerance;
        if (order == PointScan::Ascending) {
            for (int i = 1; i <= last; ++i)
                if (pointHit(i, north, east, t, shown))
                    return i;
        } else {
            for (int i = last; i >= 1; --i)
                if (pointHit(i, north, east, t, shown))
                    return i;
        }
    }
    return 0;
}

std::optional<LineEndSnap> snapAddedPoint(double north, double east, double baseRadius,
                                          const std::function<bool(int)>& shown)
{
    return endInPasses(north, east, baseRadius, Ends::Both, shown);
}

std::optional<LineEndSnap> snapMovedPoint(double north, double east, double baseRadius,
                                          const std::function<bool(int)>& shown)
{
    if (auto first = endInPasses(north, east, baseRadius, Ends::First, shown))
        return first;
    return endInPasses(north, east, baseRadius, Ends::Second, shown);
}

std::optional<LineUnderPress> nextLineUnderPress(int from, double north, double east, double tolerance,
                                                 const std::function<bool(int)>& shown)
{
    const int last = lastLineIndex();
    for (int i = std::max(from, 1); i <= last; ++i) {
        if (LineColor[i] >= kDeletedFrom || !shown(i))
            continue;
        const double x1 = std::as_const(LineX1)[i];
        const double y1 = std::as_const(LineY1)[i];
        const double dx = std::as_const(LineX2)[i] - x1;  // from the first end to the second
        const double dy = std::as_const(LineY2)[i] - y1;
        BaseAzimuth = geodesy::Inverse(-dx, -dy).angleDeg;
        const double length = std::hypot(dx, dy);
        if (!(length > 0.0))
            continue;
        const double pn = north - x1;
        const double pe = east - y1;
        const double along = (pn * dx + pe * dy) / length;
        const double off = std::abs(pn * dy - pe * dx) / length;
        if (along > 0.0 && along <= length && off < tolerance)
            return LineUnderPress{i, along, x1 + along * dx / length, y1 + along * dy / length};
    }
    return std::nullopt;
}

std::vector<CarriedEnd> lineEndsAt(double north, double east, const std::function<bool(int)>& shown)
{
    std::vector<CarriedEnd> ends;
    int firsts = 0;
    int seconds = 0;
    const auto onPoint = [north, east](double n, double e) {
        return std::abs(n - north) < kOnPointM && std::abs(e - east) < kOnPointM;
    };
    const int last = lastLineIndex();
    for (int j = 1; j <= last; ++j) {
        if (!lineTakesPart(j, shown))
            continue;
        if (firsts < kCarriedEndsTop && onPoint(std::as_const(LineX1)[j], std::as_const(LineY1)[j])) {
            ends.push_back({j, true});
            ++firsts;
        }
        if (seconds < kCarriedEndsTop && onPoint(std::as_const(LineX2)[j], std::as_const(LineY2)[j])) {
            ends.push_back({j, false});
            ++seconds;
        }
    }
    return ends;
}

}  // namespace tavelcor
