// SPDX-License-Identifier: LicenseRef-Tavelcor
// 再表示 of a "Z00,SIMA_RELOAD" text that holds a full-size site (500000 A01,
// 32767 D00 with 600000 B01), beside the SIMA file reader ReadSima taking
// the same records from a file, in the same iterations. The aim: the
// redisplay within 1.5 times the reader.
//
// The redisplay runs as the button runs it (Command6_Click on the main
// window, offscreen, the text on an in-memory clipboard): the check of the
// whole text, the clearing of a reload and the scan. Its closing redraw is
// left out (LoadingFlag 9 makes the redraw return at once): the full
// redraw has a benchmark of its own (bench_crtplot). The floor is walking
// the text's fields once, the least any reader of the text does.
//
// Every iteration starts from fresh tables (untimed). Times are CPU times of
// the thread; run on one CPU with repetitions and read the medians:
//   taskset -c 2 bench/bin/bench_redisplay --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "full_size_site.h"

#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "main/survey/redisplay.h"
#include "main/survey/survey_services.h"
#include "main/survey/survey_wiring.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/system/clipboard.h"
#include "platform/text/cp932.h"
#include "platform/text/fields.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tavelcor;
using benchsupport::threadCpuMs;

constexpr int kParcels = kKakuchiCountLimit;
constexpr int kVertices = 600000;
constexpr double kOriginX = -33000.0;
constexpr double kOriginY = 13000.0;

using benchsupport::coordinateName;

// 500000 coordinates and 32767 parcels over vertex slots 1..600000, the
// slots a reload onto a site without parcels fills.
void fillSite()
{
    resetTables();
    OriginX = kOriginX;
    OriginY = kOriginY;
    benchsupport::fillNamedCoordinatesAndParcels(1);
}

struct Site {
    QTemporaryDir dir;
    QString folder;
    QString simaFile;  // the records as a SIMA file
    QString text;      // the same records as the workbook's reload text
};

const Site& site()
{
    static Site s = [] {
        Site built;
        built.folder = built.dir.path() + QStringLiteral("/");
        built.simaFile = built.folder + QStringLiteral("SOURCE.SIM");
        fillSite();
        QFile file(built.simaFile);
        if (writeZahyoSim(built.simaFile).failed() || !file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot write the site into %s\n", qPrintable(built.folder));
            std::exit(1);
        }
        built.text = QStringLiteral("Z00,SIMA_RELOAD,\r\n") + platform::fromCp932(file.readAll());
        return built;
    }();
    return s;
}

// The tables as a site without parcels leaves them, the text on the
// clipboard, no backup, and the redraw left out.
void prepareReload(platform::MemoryClipboard& clipboard, const Site& s, const QString& kept)
{
    resetTables();
    OriginX = kOriginX;
    OriginY = kOriginY;
    SiteFolder = s.folder;
    BackupMinutes = 0;
    LoadingFlag = 9;
    KeptSima = kept;
    clipboard.setText(s.text);
}

void prepareRead(const Site& s)
{
    resetTables();
    OriginX = kOriginX;
    OriginY = kOriginY;
    SiteFolder = s.folder;
}

bool holdsTheSite()
{
    // Positions come back with the 3 decimals of the SIMA records.
    return ZahyoMax == kZahyoTop && ZahyoName[kZahyoTop] == coordinateName(kZahyoTop)
           && std::abs(ZahyoX[4] - (-34000.0 + 4 * 1.234567)) < 0.0006 && KakuchiCount == kParcels
           && KakuchiName[kParcels] == QString::number(kParcels) + QStringLiteral("-1");
}

// The fields of the text walked once, as every scan walks them.
qsizetype walkFields(const QString& text)
{
    qsizetype pos = 1;
    qsizetype fields = 0;
    while (pos <= text.size()) {
        benchmark::DoNotOptimize(platform::nextFieldView(text, pos).size());
        ++fields;
    }
    return fields;
}

// 再表示 and ReadSima of the same records in each iteration, with the floor;
// `kept` is the text kept before the reload (written to ZAHYO.SIM first when
// not empty).
void timeReloadBesideReadSima(benchmark::State& state, bool writeKept)
{
    const Site& s = site();
    platform::MemoryClipboard clipboard;
    surveyServices().clipboard = &clipboard;
    Plot& window = plot();
    double reloadMs = 0.0;
    double readMs = 0.0;
    double walkMs = 0.0;
    bool ok = true;
    for (auto _ : state) {
        prepareReload(clipboard, s, writeKept ? s.text : QString());
        double ms = benchsupport::timedMs([&] { Command6_Click(window); });
        reloadMs += ms;
        ok = ok && holdsTheSite() && KakuchiLast[kParcels] == kVertices && clipboard.text().isEmpty();
        prepareRead(s);
        readMs += benchsupport::timedMs([&] { ok = ReadSima(s.simaFile) == ReadOutcome::Ok && ok; });
        ok = ok && holdsTheSite();
        walkMs += benchsupport::timedMs([&] { benchmark::DoNotOptimize(walkFields(s.text)); });
        state.SetIterationTime(ms / 1000.0);
    }
    surveyServices().clipboard = nullptr;
    if (!ok)
        state.SkipWithError("the redisplay or the reader did not take the whole site");
    const double n = static_cast<double>(state.iterations());
    state.counters["redisplay_ms"] = reloadMs / n;
    state.counters["readsima_ms"] = readMs / n;
    state.counters["walk_ms"] = walkMs / n;
    state.counters["ratio_to_readsima"] = readMs > 0 ? reloadMs / readMs : 0.0;
    state.counters["ratio_to_walk"] = walkMs > 0 ? reloadMs / walkMs : 0.0;
}

void BM_RedisplayReload(benchmark::State& state)
{
    timeReloadBesideReadSima(state, false);
}

// The same with the full text kept before, which the reload first writes to
// the site's ZAHYO.SIM.
void BM_RedisplayReloadWritingTheKeptText(benchmark::State& state)
{
    timeReloadBesideReadSima(state, true);
}

BENCHMARK(BM_RedisplayReload)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_RedisplayReloadWritingTheKeptText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    allocateTables();
    addPlotWiring(wireSurvey);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::destroyAllForms();
    return 0;
}
