// SPDX-License-Identifier: LicenseRef-Tavelcor
// The exports of a full-size site, each beside its floor in the same run:
// - the SXF file of the whole site (answer Yes: everything written) beside
//   encoding the same file's text to CP932 alone (platform::toCp932), the
//   least any writer of that file does. Aim: within 2 times.
// - SIMA registration of 1000 selected parcels with their nearby
//   coordinates (target 6, radius 50 m) beside target 5 of the same
//   selection (the parcels and their vertices only). Aim: within 3 times.
//
// The site: 32767 parcels of 15 corners and 18 vertex entries (589806 slots)
// over 491505 coordinates, 8495 further coordinates scattered over the site,
// every coordinate, point and parcel named, three attribute columns per
// parcel, 500000 named observation points, 500000 lines, 1000000
// hand-stroke vertices in strokes of 100, 30000 texts of two lines, spread
// over 9 km x 9 km.
//
// Each iteration times the work and its floor back to back (CPU time of this
// thread) and reports both and their ratio as counters; run with
// repetitions to get medians, on one CPU:
//   taskset -c 3 bench/bin/bench_export --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_support.h"

#include "main/export/sima_registration.h"
#include "main/export/sxf_file.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/text/cp932.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tavelcor;
using benchsupport::timedMs;

constexpr double kSite = 9000.0;  // metres across
constexpr int kParcelCorners = 15;  // the corners of every parcel of the shared site
constexpr int kSelectedParcels = 1000;
constexpr double kRadius = 50.0;

// The shared parcels and coordinates, with names of kanji and digits on
// every coordinate and parcel, heights, locations and three attribute
// columns (the further columns hidden).
void buildParcels()
{
    benchsupport::buildFullSiteParcels(kSite);
    for (int n = 1; n <= ZahyoMax; ++n) {
        if (ZahyoUsed[n] == 1)
            ZahyoName[n] = QStringLiteral("境界%1").arg(n);
        ZahyoH[n] = 12.5 + (n % 80) * 0.125;
    }
    for (int p = 1; p <= KakuchiCount; ++p) {
        KakuchiName[p] = QStringLiteral("%1-%2").arg(p).arg(p % 7);
        KakuchiInfo[p] = QStringLiteral("字上ノ原");
        setKakuchiAttr(p, 1, KakuchiName[p]);
        setKakuchiAttr(p, 2, QStringLiteral("宅地"));
        setKakuchiAttr(p, 3, QStringLiteral("%1㎡").arg(150 + p % 100));
    }
    for (int c = 4; c <= kKakuchiAttrTop; ++c)
        KakuchiAttrShow[c] = 1;
}

// The shared points, lines, strokes and texts, the points with second names.
void buildItems()
{
    benchsupport::buildFullSiteItems(kSite);
    for (int i = 1; i <= kPointTop; ++i)
        PointName2[i] = i % 3 == 0 ? QStringLiteral("済") : QStringLiteral("杭");
}

sxf::SxfView exportView()
{
    sxf::SxfView view;
    view.includeHidden = true;
    view.check1 = view.check2 = view.check6 = 1;
    const QString captions[] = {QStringLiteral("■"), QStringLiteral("●"), QStringLiteral("◎")};
    for (int m = 1; m <= 3; ++m) {
        view.symbolCaption[std::size_t(m)] = captions[m - 1];
        view.symbolColorRgb[std::size_t(m)] = platform::QBColor(12);
        SymbolColor[m] = 12;
    }
    return view;
}

struct Site {
    QTemporaryDir dir;
    QString sxfPath;
    QString sxfText;  // the exported file decoded once: the floor's input
    qint64 sxfBytes = 0;
};

Site& site()
{
    static Site s = [] {
        Site built;
        resetTables();
        OriginX = -30000.0;
        OriginY = 20000.0;
        DataXMin = OriginX - kSite / 2;
        DataXMax = OriginX + kSite / 2;
        DataYMin = OriginY - kSite / 2;
        DataYMax = OriginY + kSite / 2;
        buildParcels();
        buildItems();
        built.sxfPath = built.dir.path() + QStringLiteral("/SITE.SFC");
        QFile file(built.sxfPath);
        if (sxf::writeSxfFile(built.sxfPath, exportView()).failed() || !file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot write the SXF file into %s\n", qPrintable(built.dir.path()));
            std::exit(1);
        }
        const QByteArray bytes = file.readAll();
        built.sxfBytes = bytes.size();
        built.sxfText = platform::fromCp932(bytes);
        return built;
    }();
    return s;
}

void BM_SxfExportBesideCp932(benchmark::State& state)
{
    Site& s = site();
    const sxf::SxfView view = exportView();
    const QString out = s.dir.path() + QStringLiteral("/OUT.SFC");
    bool ok = true;
    qsizetype encoded = 0;
    double workMs = 0.0;
    double floorMs = 0.0;
    for (auto _ : state) {
        workMs += timedMs([&] { ok = !sxf::writeSxfFile(out, view).failed() && ok; });
        floorMs += timedMs([&] {
            const QByteArray bytes = platform::toCp932(s.sxfText);
            encoded = bytes.size();
            benchmark::DoNotOptimize(bytes.constData());
        });
    }
    QFile written(out);
    if (!ok || encoded != s.sxfBytes || !written.open(QIODevice::ReadOnly) || written.size() != s.sxfBytes)
        state.SkipWithError("the export differs from the first one");
    benchsupport::setRatioCounters(state, workMs, floorMs, "floor_ms");
    state.counters["file_mb"] = static_cast<double>(s.sxfBytes) / 1e6;
}

// One registration of the selection as the command runs it, without its
// dialogs and redraws; the number of coordinates written.
std::int32_t registerSelection(int target, const QString& path)
{
    sima::Selection selection;
    if (!sima::chooseParcels(target, selection))
        return -1;
    sima::chooseCoordinates(target, false, selection);
    if (target == sima::kTargetSelectedNear)
        sima::addNearCoordinates(kRadius, selection);
    sima::SimaFileOptions options;
    if (sima::writeSimaRegistration(path, selection, options).file.failed())
        return -1;
    return sima::writtenCoordinateCount(selection);
}

void BM_SimaNearBesideSelected(benchmark::State& state)
{
    Site& s = site();
    // Every 32nd parcel: the selection spreads over the whole site.
    for (int p = 1; p <= KakuchiCount; ++p)
        KakuchiSel[p] = (p % 32 == 0 && p / 32 <= kSelectedParcels) ? 1 : 0;
    const QString out = s.dir.path() + QStringLiteral("/OUT.SIM");
    std::int32_t near = 0;
    std::int32_t selected = 0;
    double workMs = 0.0;
    double floorMs = 0.0;
    for (auto _ : state) {
        workMs += timedMs([&] { near = registerSelection(sima::kTargetSelectedNear, out); });
        floorMs += timedMs([&] { selected = registerSelection(sima::kTargetSelected, out); });
    }
    if (selected != kSelectedParcels * kParcelCorners || near <= selected)
        state.SkipWithError("the registrations did not write what they should");
    state.counters["coordinates_near"] = near - selected;
    benchsupport::setRatioCounters(state, workMs, floorMs, "floor_ms");
}

BENCHMARK(BM_SxfExportBesideCp932)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimaNearBesideSelected)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
