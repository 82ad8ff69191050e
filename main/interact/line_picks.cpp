// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/line_picks.h"

#include "geodesy/constants.h"
#include "geodesy/plane_geometry.h"
#include "main/site/tables.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

// Lines with a colour from this value up cannot be picked with the mouse.
constexpr int kPickableColourEnd = 20;
// Marks and colours from this value up mark a deleted item.
constexpr int kDeletedFrom = 100;
constexpr int kSnapPasses = 4;

double distance(double dn, double de)
{
    return std::hypot(dn, de);
}

// First observation point within `radius` of the press.
SnapHit snapPoint(double north, double east, double radius, SnapUse use, const SnapView& view)
{
    const int last = lastPointIndex();
    for (int i = 1; i <= last; ++i) {
        if (PointMark[i] >= kDeletedFrom || !view.pointShown(i))
            continue;
        const double pn = std::as_const(PointX)[i];
        const double pe = std::as_const(PointY)[i];
        if (!(distance(pn - north, pe - east) < radius))
            continue;
        if (use == SnapUse::LineAdd && !view.insideView(pn + OriginX, pe + OriginY))
            continue;
        return {SnapKind::Point, i, pn, pe};
    }
    return {};
}

// First coordinate within `radius` of the press: a square inside the view
// for the line add, a circle anywhere for a moved end.
SnapHit snapCoordinate(double north, double east, double radius, SnapUse use, const SnapView& view)
{
    if (!view.coordinatesShown)
        return {};
    const double absNorth = north + OriginX;
    const double absEast = east + OriginY;
    const int last = std::min(ZahyoMax, kZahyoTop);
    for (int j = 1; j <= last; ++j) {
        const double dn = std::as_const(ZahyoX)[j] - absNorth;
        const double de = std::as_const(ZahyoY)[j] - absEast;
        const bool near = use == SnapUse::LineAdd ? std::abs(dn) < radius && std::abs(de) < radius
                                                  : distance(dn, de) < radius;
        if (!near || platform::trimmedView(ZahyoName[j]) == u"_?>")
            continue;
        if (use == SnapUse::LineAdd && !view.coordinateInView(j))
            continue;
        return {SnapKind::Coordinate, j, ZahyoX[j] - OriginX, ZahyoY[j] - OriginY};
    }
    return {};
}

// First line end (the first ends or the second ends) within `radius`.
SnapHit snapLineEnd(double north, double east, double radius, SnapUse use, const SnapView& view, bool firstEnds)
{
    const auto& ns = firstEnds ? LineX1 : LineX2;
    const auto& es = firstEnds ? LineY1 : LineY2;
    const int last = lastLineIndex();
    for (int i = 1; i <= last; ++i) {
        if (LineColor[i] >= kDeletedFrom)
            continue;
        const double ln = std::as_const(ns)[i];
        const double le = std::as_const(es)[i];
        if (!(distance(ln - north, le - east) < radius) || !view.lineShown(i))
            continue;
        if (use == SnapUse::LineAdd && !view.insideView(ln + OriginX, le + OriginY))
            continue;
        return {firstEnds ? SnapKind::LineFirstEnd : SnapKind::LineSecondEnd, i, ln, le};
    }
    return {};
}

template <typename Search>
SnapHit inPasses(double baseRadius, Search search)
{
    for (int k = 1; k <= kSnapPasses; ++k) {
        const SnapHit hit = search(k * baseRadius);
        if (hit.kind != SnapKind::None)
            return hit;
    }
    return {};
}

}  // namespace

LineFootPick pickLineByFoot(double north, double east, double tolerance, const std::function<bool(int)>& shown)
{
    const int last = lastLineIndex();
    for (int i = 1; i <= last; ++i) {
        if (LineColor[i] >= kPickableColourEnd)
            continue;
        const double x1 = std::as_const(LineX1)[i];
        const double y1 = std::as_const(LineY1)[i];
        const geodesy::InverseResult along = geodesy::Inverse(x1 - std::as_const(LineX2)[i], y1 - std::as_const(LineY2)[i]);
        BaseAzimuth = along.angleDeg;
        const geodesy::InverseResult toFirst = geodesy::Inverse(x1 - north, y1 - east);
        const double theta = (toFirst.angleDeg - along.angleDeg) * geodesy::kPi / 180.0;
        const double d1 = toFirst.distance * std::cos(theta);
        const double d2 = std::abs(toFirst.distance * std::sin(theta));
        if (d1 > 0.0 && d1 <= along.distance && d2 < tolerance && shown(i))
            return {i, d1, along.distance};
    }
    return {};
}

double snapBaseRadius(int hitRadius, double viewSpanX) noexcept
{
    const double radius = hitRadius * viewSpanX / 2000.0;
    return radius >= 0.001 ? radius : 0.001;
}

SnapHit snapPress(double north, double east, double baseRadius, SnapUse use, const SnapView& view)
{
    SnapHit hit = inPasses(baseRadius, [&](double r) {
        const SnapHit point = snapPoint(north, east, r, use, view);
        return point.kind != SnapKind::None ? point : snapCoordinate(north, east, r, use, view);
    });
    if (hit.kind == SnapKind::None)
        hit = inPasses(baseRadius, [&](double r) { return snapLineEnd(north, east, r, use, view, true); });
    if (hit.kind == SnapKind::None)
        hit = inPasses(baseRadius, [&](double r) { return snapLineEnd(north, east, r, use, view, false); });
    return hit;
}

PlotPosition constrainSegment(PlotPosition start, PlotPosition press) noexcept
{
    if (std::abs(press.north - start.north) > std::abs(start.east - press.east))
        press.east = start.east;
    else
        press.north = start.north;
    return press;
}

PlotPosition constrainMovedEnd(PlotPosition fixed, PlotPosition press) noexcept
{
    const double dE = std::abs(fixed.east - press.east);
    const double dN = std::abs(press.north - fixed.north);
    if (dE > dN)
        return {fixed.north, press.east};
    if (dE < dN)
        return {press.north, fixed.east};
    return press;
}

double lengthToMillimetre(double length) noexcept
{
    return std::floor(length * 1000.0 + 0.5) / 1000.0;
}

std::optional<double> typedLength(const QString& answer)
{
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace tavelcor
