// SPDX-License-Identifier: LicenseRef-Tavelcor
// resetTables(), which tests and the fuzz targets run between every two
// cases: after a small case (a few coordinates, points and texts written)
// and after a case that filled whole tables.
#include <benchmark/benchmark.h>

#include "main/site/tables.h"

#include <cstdlib>

namespace {

using namespace tavelcor;

void writeSmallCase()
{
    for (int n = 1; n <= 20; ++n) {
        ZahyoName[n] = QStringLiteral("K%1").arg(n);
        ZahyoX[n] = n;
        PointName[n * 1000] = QStringLiteral("杭%1").arg(n);
        TxtString[n] = QStringLiteral("宅地");
    }
    ZahyoMax = 20;
}

void BM_ResetAfterSmallCase(benchmark::State& state)
{
    resetTables();
    for (auto _ : state) {
        writeSmallCase();
        resetTables();
    }
    if (ZahyoName[1] != u"_?>" || !PointName[1000].isNull())
        std::abort();  // the reset must have given the start values back
}
BENCHMARK(BM_ResetAfterSmallCase)->Unit(benchmark::kMicrosecond);

void BM_ResetAfterFullTables(benchmark::State& state)
{
    resetTables();
    for (auto _ : state) {
        state.PauseTiming();
        for (int n = 1; n <= kZahyoTop; ++n) {
            ZahyoName[n] = QStringLiteral("F");
            ZahyoX[n] = n;
            PointX[n] = n;
        }
        state.ResumeTiming();
        resetTables();
    }
    if (ZahyoName[kZahyoTop] != u"_?>" || ZahyoX[kZahyoTop] != 0.0)
        std::abort();
}
BENCHMARK(BM_ResetAfterFullTables)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
