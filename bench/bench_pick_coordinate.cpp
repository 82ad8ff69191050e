// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate hit test of the plot's right press on a full-size site
// (500000 coordinates, 500000 observation points), beside a plain loop over
// the same positions doing the same distance tests, in the same iterations.
// The aim: the hit test within 1.5 times the loop.
//
// Two presses, both beside the site so that no coordinate or point lies
// near them except where placed:
// - a miss: four passes over every coordinate (tolerances t0 to 4 t0), then
//   the observation-point fallback over every point (square window 5 t0);
// - a hit in the fourth pass: the last coordinate (500000) placed 1.7 m
//   (3.4 t0) from the press, so three passes run in full and the fourth
//   to the end.
// The floor reads the positions from plain arrays and checks nothing else;
// the hit test also checks the shown ranges, the free-number name and the
// point's symbol, but only for positions inside the tolerance.
//
// Times are CPU times of the thread; run on one CPU with repetitions and
// read the medians:
//   taskset -c 2 bench/bin/bench_pick_coordinate --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "full_size_site.h"

#include "main/interact/coordinate_pick.h"
#include "main/site/tables.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

using namespace tavelcor;

constexpr double kSiteM = 2000.0;
constexpr double kOriginX = -33000.0;
constexpr double kOriginY = 13000.0;
// HitRadius 10 on a view 100 m high: t0 = 0.5 m.
constexpr int kHitRadius = 10;
constexpr double kViewSpanX = 100.0;
// The press, plot north and east: 100 m beyond the site's north-east corner.
constexpr double kPressNorth = kSiteM / 2 + 100.0;
constexpr double kPressEast = kSiteM / 2 + 100.0;

// The positions as plain arrays, for the floor.
struct Positions {
    std::vector<double> north;  // coordinates, absolute
    std::vector<double> east;
    std::vector<double> pointNorth;  // observation points, plot metres
    std::vector<double> pointEast;
};

const Positions& positions()
{
    static const Positions p = [] {
        Positions built;
        built.north.assign(ZahyoX.begin(), ZahyoX.end());
        built.east.assign(ZahyoY.begin(), ZahyoY.end());
        built.pointNorth.assign(PointX.begin(), PointX.end());
        built.pointEast.assign(PointY.begin(), PointY.end());
        return built;
    }();
    return p;
}

void buildSite()
{
    resetTables();
    OriginX = kOriginX;
    OriginY = kOriginY;
    benchsupport::buildFullSiteParcels(kSiteM);
    benchsupport::buildFullSiteItems(kSiteM);
    HitRadius = kHitRadius;
    ViewSpanX = kViewSpanX;
}

// Puts the last coordinate `distance` metres north of the press, or back
// into the site.
void placeLastCoordinate(std::optional<double> distance)
{
    const double north = distance ? kPressNorth + *distance : 0.0;
    const double east = distance ? kPressEast : 0.0;
    ZahyoPX[kZahyoTop] = north;
    ZahyoPY[kZahyoTop] = east;
    ZahyoX[kZahyoTop] = north + OriginX;
    ZahyoY[kZahyoTop] = east + OriginY;
}

// The same passes and the same window over plain arrays: the coordinate
// number, or minus the point number, or 0.
int plainLoop(const Positions& p, double north, double east, double x, double y, double t0)
{
    const int last = static_cast<int>(p.north.size()) - 1;
    double t = t0;
    for (int pass = 1; pass <= 4; ++pass) {
        for (int i = 1; i <= last; ++i) {
            const double dx = p.north[i] - north;
            const double dy = p.east[i] - east;
            if (std::sqrt(dx * dx + dy * dy) < t)
                return i;
        }
        t += t0;
    }
    const int points = static_cast<int>(p.pointNorth.size()) - 1;
    for (int j = 1; j <= points; ++j) {
        if (std::fabs(p.pointNorth[j] + y) < t && std::fabs(p.pointEast[j] - x) < t)
            return -j;
    }
    return 0;
}

void timePickBesideLoop(benchmark::State& state, std::optional<double> lastAt, int expected)
{
    placeLastCoordinate(lastAt);
    const Positions& p = positions();
    // The floor's copy is taken after the placement.
    std::vector<double> north = p.north;
    std::vector<double> east = p.east;
    north[kZahyoTop] = ZahyoX[kZahyoTop];
    east[kZahyoTop] = ZahyoY[kZahyoTop];
    const Positions floorPositions{north, east, p.pointNorth, p.pointEast};
    const ShownNumberRanges ranges{1, 10000, 10001, 500000};
    const double t0 = pickBaseTolerance(kHitRadius, kViewSpanX);
    const int zahyoBefore = ZahyoMax;
    double pickMs = 0.0;
    double loopMs = 0.0;
    bool ok = true;
    for (auto _ : state) {
        double x = kPressEast;
        double y = -kPressNorth;
        CoordinatePick pick;
        const double ms = benchsupport::timedMs(
            [&] { pick = PickCoordinate(x, y, ranges, true, [](int) { return true; }); });
        pickMs += ms;
        int floorHit = 0;
        loopMs += benchsupport::timedMs([&] {
            floorHit = plainLoop(floorPositions, kPressNorth + kOriginX, kPressEast + kOriginY, kPressEast,
                                 -kPressNorth, t0);
        });
        ok = ok && pick.number == expected && floorHit == expected && ZahyoMax == zahyoBefore;
        state.SetIterationTime(ms / 1000.0);
    }
    if (!ok)
        state.SkipWithError("the hit test or the loop found something else");
    benchsupport::setRatioCounters(state, pickMs, loopMs, "loop_ms");
}

void BM_PickCoordinateMissWithFallback(benchmark::State& state)
{
    timePickBesideLoop(state, std::nullopt, 0);
}

void BM_PickCoordinateHitInFourthPass(benchmark::State& state)
{
    timePickBesideLoop(state, 1.7, kZahyoTop);
}

BENCHMARK(BM_PickCoordinateMissWithFallback)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_PickCoordinateHitInFourthPass)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv)
{
    allocateTables();
    buildSite();
    positions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
