// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/parcel_geometry.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "geodesy/angles.h"
#include "geodesy/constants.h"
#include "geodesy/plane_geometry.h"
#include "main/site/tables.h"

namespace tavelcor::survey {
namespace {

// The vertex slots of a parcel, checked against every table they index.
struct VertexRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// Slots of parcel i when the parcel index, both slots and every coordinate
// number between them lie inside their tables; nullopt otherwise.  A last
// slot below the first is returned as it is (callers decide).
std::optional<VertexRange> readableRange(int parcel)
{
    if (!tablesAllocated() || !decltype(KakuchiFirst)::contains(parcel))
        return std::nullopt;
    const VertexRange r{std::as_const(KakuchiFirst)[parcel], std::as_const(KakuchiLast)[parcel]};
    if (!decltype(KakuchiVertex)::contains(r.first) || !decltype(KakuchiVertex)::contains(r.last))
        return std::nullopt;
    for (std::int32_t j = r.first; j <= r.last; ++j) {
        if (!decltype(ZahyoX)::contains(std::as_const(KakuchiVertex)[j]))
            return std::nullopt;
    }
    return r;
}

double plotX(std::int32_t slot)
{
    return ZahyoPX[std::as_const(KakuchiVertex)[slot]];
}

double plotY(std::int32_t slot)
{
    return ZahyoPY[std::as_const(KakuchiVertex)[slot]];
}

// The turn from one direction angle to the next, taken the short way round,
// in single precision like the angles.
float shortTurn(float from, float to)
{
    float d = to - from;
    if (std::fabs(d) > 180.0f) {
        const float sign = d > 0 ? 1.0f : -1.0f;
        d = -sign * (360.0f - std::fabs(d));
    }
    return d;
}

}  // namespace

std::optional<PlotPoint> jyusin(int parcel)
{
    const auto range = readableRange(parcel);
    if (!range)
        return std::nullopt;
    const std::int32_t F = range->first;
    const std::int32_t L = range->last;
    PlotPoint g;
    if (L - F < 2)
        return g;

    double sum = 0;
    double gx = 0;
    double gy = 0;
    auto add = [&](std::int32_t a, std::int32_t b) {
        const double term = plotX(a) * plotY(b) - plotX(b) * plotY(a);
        sum += term;
        gx += (plotX(a) + plotX(b)) * term;
        gy += (plotY(a) + plotY(b)) * term;
    };
    for (std::int32_t j = F; j <= L - 1; ++j)
        add(j, j + 1);
    add(L, F);  // closing edge

    const double S = sum / 2;  // signed area
    // A zero area leaves the sums undivided.
    if (S != 0) {
        gx = gx / 6 / S;
        gy = gy / 6 / S;
    }
    g.x = gx;
    g.y = gy;
    return g;
}

std::optional<float> kseek(int parcel, double gx, double gy)
{
    const auto range = readableRange(parcel);
    if (!range || range->last < range->first)
        return std::nullopt;
    const std::int32_t F = range->first;
    const std::int32_t L = range->last;

    const float first = geodesy::DirectionAngle(plotX(F) - gx, plotY(F) - gy);
    float previous = first;
    float ww = 0;
    for (std::int32_t j = F + 1; j <= L; ++j) {
        const float angle = geodesy::DirectionAngle(plotX(j) - gx, plotY(j) - gy);
        ww += shortTurn(previous, angle);
        previous = angle;
    }
    ww += shortTurn(previous, first);  // closing turn
    return ww;
}

Perpendicular perpendicularFoot(double x1, double y1, double x2, double y2, double x3, double y3)
{
    const geodesy::InverseResult base = geodesy::Inverse(x2 - x1, y2 - y1);
    const geodesy::InverseResult toPoint = geodesy::Inverse(x3 - x2, y3 - y2);
    const double a = base.angleDeg;
    const double r = toPoint.distance;
    const double theta = (toPoint.angleDeg - a) / 180 * geodesy::kPi;
    const double aRad = a / 180 * geodesy::kPi;

    Perpendicular p;
    p.baseAzimuth = a;
    p.h = std::sin(theta) * r;
    p.along = std::cos(theta) * r;
    p.x4 = std::cos(aRad) * p.along + x2;
    p.y4 = p.along * std::sin(aRad) + y2;
    return p;
}

Perpendicular Suisen(double x1, double y1, double x2, double y2, double x3, double y3)
{
    const Perpendicular p = perpendicularFoot(x1, y1, x2, y2, x3, y3);
    BaseAzimuth = p.baseAzimuth;
    return p;
}

std::optional<double> menseki(int parcel)
{
    const auto range = readableRange(parcel);
    if (!range || range->last < range->first)
        return std::nullopt;
    const std::int32_t F = range->first;
    const std::int32_t L = range->last;
    if (L == F)
        return 0.0;

    auto X = [](std::int32_t slot) { return std::as_const(ZahyoX)[std::as_const(KakuchiVertex)[slot]]; };
    auto Y = [](std::int32_t slot) { return std::as_const(ZahyoY)[std::as_const(KakuchiVertex)[slot]]; };
    double M = 0;
    auto addTerm = [&](std::int32_t previous, std::int32_t next, std::int32_t at) {
        const double d = geodesy::round(Y(previous) - Y(next), 3);
        M = geodesy::round(M + d * X(at), 6);
    };
    for (std::int32_t j = F + 1; j <= L - 1; ++j)
        addTerm(j - 1, j + 1, j);
    addTerm(L - 1, F, L);
    addTerm(L, F + 1, F);
    return geodesy::round(std::fabs(M / 2), 7);
}

}  // namespace tavelcor::survey
