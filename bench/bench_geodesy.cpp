// SPDX-License-Identifier: LicenseRef-Tavelcor
// Forward and inverse plane rectangular conversion, ours beside PROJ's
// proj_trans on the same points (zone 9, JGD2011: EPSG:6668 -> EPSG:6677).
//
// Before timing, every point is converted by both and compared once: the
// benchmark refuses to run when the two disagree by more than 0.1 mm, so the
// figures compare conversions of the same accuracy.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "geodesy/constants.h"
#include "geodesy/plane_rectangular.h"

namespace {

constexpr int kZone = 9;
constexpr double kToleranceMetres = 0.0001;

struct Point {
    double latDeg;
    double lonDeg;
};

// 10000 points within 2 degrees of latitude and about 300 km of the central
// meridian of zone 9 (139°50'E), spread by a fixed pseudo-random sequence.
const std::vector<Point>& points()
{
    static const std::vector<Point> pts = [] {
        std::vector<Point> v;
        v.reserve(10000);
        unsigned state = 12345u;
        auto next = [&state] {
            state = state * 1103515245u + 12345u;
            return static_cast<double>((state >> 8) & 0xFFFFu) / 65535.0;
        };
        for (int i = 0; i < 10000; ++i)
            v.push_back({34.0 + 4.0 * next(), 139.0 + 50.0 / 60 - 3.3 + 6.6 * next()});
        return v;
    }();
    return pts;
}

struct ProjDeleter {
    void operator()(PJ* p) const { proj_destroy(p); }
};
struct ContextDeleter {
    void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};

// JGD2011 geographic (latitude, longitude in degrees) to zone 9 (X north,
// Y east), with the axis order of the EPSG definitions.
struct Proj {
    std::unique_ptr<PJ_CONTEXT, ContextDeleter> context{proj_context_create()};
    std::unique_ptr<PJ, ProjDeleter> transform{
        proj_create_crs_to_crs(context.get(), "EPSG:6668", "EPSG:6677", nullptr)};
};

Proj& proj()
{
    static Proj p;
    return p;
}

// Worst disagreement between ours and PROJ over all points, metres.
struct Agreement {
    bool projReady = false;
    double worstForward = 0;  // plane position
    double worstInverse = 0;  // latitude/longitude, as a ground distance
};

Agreement compareWithProj()
{
    Agreement a;
    PJ* P = proj().transform.get();
    if (P == nullptr)
        return a;
    a.projReady = true;
    constexpr double kMetresPerDegree = 111320;  // enough to state millimetres
    for (const Point& p : points()) {
        const PJ_COORD ref = proj_trans(P, PJ_FWD, proj_coord(p.latDeg, p.lonDeg, 0, 0));
        const geodesy::PlaneXY ours = geodesy::BLtoXYCalc(p.latDeg * 10000, p.lonDeg * 10000, kZone);
        a.worstForward = std::fmax(a.worstForward, std::hypot(ours.x - ref.v[0], ours.y - ref.v[1]));
        const geodesy::LatLonRad back = geodesy::XYtoBLRad(ref.v[0], ref.v[1], kZone);
        const PJ_COORD refBack = proj_trans(P, PJ_INV, ref);
        const double dLat = (back.latitude * 180 / geodesy::kPi - refBack.v[0]) * kMetresPerDegree;
        const double dLon = (back.longitude * 180 / geodesy::kPi - refBack.v[1]) * kMetresPerDegree
            * std::cos(p.latDeg / 180 * geodesy::kPi);
        a.worstInverse = std::fmax(a.worstInverse, std::hypot(dLat, dLon));
    }
    return a;
}

// Checks the agreement (computed once, outside every timed loop); false,
// with the benchmark marked as failed, when the two disagree.
bool agreeOnce(benchmark::State& state)
{
    static const Agreement agreement = compareWithProj();
    if (!agreement.projReady) {
        state.SkipWithError("PROJ could not create EPSG:6668 -> EPSG:6677");
        return false;
    }
    state.counters["worst_forward_mm"] = agreement.worstForward * 1000;
    state.counters["worst_inverse_mm"] = agreement.worstInverse * 1000;
    if (agreement.worstForward > kToleranceMetres || agreement.worstInverse > kToleranceMetres) {
        state.SkipWithError("ours and PROJ disagree by more than 0.1 mm");
        return false;
    }
    return true;
}

void setRate(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points().size()));
    state.counters["ns_per_point"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(points().size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ForwardOurs(benchmark::State& state)
{
    if (!agreeOnce(state))
        return;
    for (auto _ : state) {
        for (const Point& p : points()) {
            const geodesy::PlaneXY xy = geodesy::BLtoXYCalc(p.latDeg * 10000, p.lonDeg * 10000, kZone);
            benchmark::DoNotOptimize(xy);
        }
    }
    setRate(state);
}

void BM_ForwardProj(benchmark::State& state)
{
    if (!agreeOnce(state))
        return;
    PJ* P = proj().transform.get();
    for (auto _ : state) {
        for (const Point& p : points()) {
            const PJ_COORD xy = proj_trans(P, PJ_FWD, proj_coord(p.latDeg, p.lonDeg, 0, 0));
            benchmark::DoNotOptimize(xy);
        }
    }
    setRate(state);
}

// Plane positions of the points, computed once for the inverse runs.
const std::vector<geodesy::PlaneXY>& planePoints()
{
    static const std::vector<geodesy::PlaneXY> xy = [] {
        std::vector<geodesy::PlaneXY> v;
        for (const Point& p : points())
            v.push_back(geodesy::BLtoXYCalc(p.latDeg * 10000, p.lonDeg * 10000, kZone));
        return v;
    }();
    return xy;
}

void BM_InverseOurs(benchmark::State& state)
{
    if (!agreeOnce(state))
        return;
    for (auto _ : state) {
        for (const geodesy::PlaneXY& p : planePoints()) {
            const geodesy::LatLonRad bl = geodesy::XYtoBLRad(p.x, p.y, kZone);
            benchmark::DoNotOptimize(bl);
        }
    }
    setRate(state);
}

void BM_InverseOursPacked(benchmark::State& state)
{
    if (!agreeOnce(state))
        return;
    for (auto _ : state) {
        for (const geodesy::PlaneXY& p : planePoints()) {
            const geodesy::LatLonPacked bl = geodesy::XYtoBLCalc(p.x, p.y, kZone);
            benchmark::DoNotOptimize(bl);
        }
    }
    setRate(state);
}

void BM_InverseProj(benchmark::State& state)
{
    if (!agreeOnce(state))
        return;
    PJ* P = proj().transform.get();
    for (auto _ : state) {
        for (const geodesy::PlaneXY& p : planePoints()) {
            const PJ_COORD bl = proj_trans(P, PJ_INV, proj_coord(p.x, p.y, 0, 0));
            benchmark::DoNotOptimize(bl);
        }
    }
    setRate(state);
}

BENCHMARK(BM_ForwardOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardProj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InverseOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InverseOursPacked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InverseProj)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
