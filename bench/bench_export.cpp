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
#include <ctime>

namespace {

using namespace tavelcor;

constexpr double kSite = 9000.0;  // metres across
constexpr int kGrid = 182;        // parcels per row (182 x 182 > 32767)
constexpr int kParcelCorners = 15;
constexpr int kParcelEntries = 18;
constexpr int kSelectedParcels = 1000;
constexpr double kRadius = 50.0;

void buildParcels()
{
    const double cell = kSite / kGrid;
    int n = 0;
    std::int32_t slot = 0;
    for (int i = 1; i <= kKakuchiCountLimit; ++i) {
        const double cx = -kSite / 2 + ((i - 1) / kGrid + 0.5) * cell;
        const double cy = -kSite / 2 + ((i - 1) % kGrid + 0.5) * cell;
        const int firstCoord = n + 1;
        for (int k = 0; k < kParcelCorners; ++k) {
            const double a = 2 * M_PI * k / kParcelCorners;
            ++n;
            ZahyoName[n] = QStringLiteral("境界%1").arg(n);
            ZahyoPX[n] = cx + 0.45 * cell * std::cos(a);
            ZahyoPY[n] = cy + 0.45 * cell * std::sin(a);
            ZahyoX[n] = ZahyoPX[n] + OriginX;
            ZahyoY[n] = ZahyoPY[n] + OriginY;
            ZahyoH[n] = 12.5 + k * 0.125;
            ZahyoUsed[n] = 1;
        }
        KakuchiFirst[i] = slot;
        for (int k = 0; k < kParcelEntries; ++k)
            KakuchiVertex[slot++] = firstCoord + (k % kParcelCorners);
        KakuchiLast[i] = slot - 1;
        KakuchiName[i] = QStringLiteral("%1-%2").arg(i).arg(i % 7);
        KakuchiInfo[i] = QStringLiteral("字上ノ原");
        setKakuchiAttr(i, 1, KakuchiName[i]);
        setKakuchiAttr(i, 2, QStringLiteral("宅地"));
        setKakuchiAttr(i, 3, QStringLiteral("%1㎡").arg(150 + i % 100));
        KakuchiLabelX[i] = static_cast<float>(cx);
        KakuchiLabelY[i] = static_cast<float>(cy);
    }
    KakuchiCount = kKakuchiCountLimit;
    for (int c = 4; c <= kKakuchiAttrTop; ++c)
        KakuchiAttrShow[c] = 1;
    QRandomGenerator rng(7);
    while (n < kZahyoTop) {
        ++n;
        ZahyoName[n] = QStringLiteral("K%1").arg(n);
        ZahyoPX[n] = (rng.generateDouble() - 0.5) * kSite;
        ZahyoPY[n] = (rng.generateDouble() - 0.5) * kSite;
        ZahyoX[n] = ZahyoPX[n] + OriginX;
        ZahyoY[n] = ZahyoPY[n] + OriginY;
    }
    ZahyoMax = n;
}

void buildItems()
{
    QRandomGenerator rng(11);
    auto coord = [&] { return (rng.generateDouble() - 0.5) * kSite; };
    for (int i = 1; i <= kPointTop; ++i) {
        PointName[i] = QStringLiteral("P%1").arg(i);
        PointName2[i] = i % 3 == 0 ? QStringLiteral("済") : QStringLiteral("杭");
        PointX[i] = coord();
        PointY[i] = coord();
        PointMark[i] = static_cast<std::uint8_t>(1 + i % 3);
    }
    PointCount = kPointTop;
    for (int i = 1; i <= kLineTop; ++i) {
        LineX1[i] = coord();
        LineY1[i] = coord();
        LineX2[i] = LineX1[i] + rng.bounded(20.0) - 10;
        LineY2[i] = LineY1[i] + rng.bounded(20.0) - 10;
        LineColor[i] = static_cast<std::uint8_t>(i % 2 == 0 ? 12 : 9);
    }
    LineNext = kLineTop + 1;
    double x = 0, y = 0;
    for (int i = 1; i <= kTegakiTop; ++i) {
        const int k = (i - 1) % 100;
        if (k == 0) {
            x = coord();
            y = coord();
        }
        x += rng.bounded(1.0) - 0.5;
        y += rng.bounded(1.0);
        TegakiX[i] = static_cast<float>(x);
        TegakiY[i] = static_cast<float>(y);
        TegakiColor[i] = 2;
        TegakiPen[i] = static_cast<std::uint8_t>(k == 0 ? 1 : (k == 99 ? 3 : 2));
    }
    TegakiCount = kTegakiTop;
    for (int i = 1; i <= kTxtTop; ++i) {
        TxtString[i] = QStringLiteral("境界 %1").arg(i);
        TxtX[i] = static_cast<float>(coord());
        TxtY[i] = static_cast<float>(coord());
        TxtColor[i] = 4;
    }
    TxtCount = kTxtTop;
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

// CPU time of this thread in milliseconds: less disturbed than the wall
// clock by other programs running on the machine.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

template <typename Work>
double timed(Work work)
{
    const double start = threadCpuMs();
    work();
    return threadCpuMs() - start;
}

void setCounters(benchmark::State& state, double workMs, double floorMs)
{
    const double n = static_cast<double>(state.iterations());
    state.counters["work_ms"] = workMs / n;
    state.counters["floor_ms"] = floorMs / n;
    state.counters["ratio"] = floorMs > 0 ? workMs / floorMs : 0.0;
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
        workMs += timed([&] { ok = !sxf::writeSxfFile(out, view).failed() && ok; });
        floorMs += timed([&] {
            const QByteArray bytes = platform::toCp932(s.sxfText);
            encoded = bytes.size();
            benchmark::DoNotOptimize(bytes.constData());
        });
    }
    QFile written(out);
    if (!ok || encoded != s.sxfBytes || !written.open(QIODevice::ReadOnly) || written.size() != s.sxfBytes)
        state.SkipWithError("the export differs from the first one");
    setCounters(state, workMs, floorMs);
    state.SetBytesProcessed(state.iterations() * s.sxfBytes);
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
        workMs += timed([&] { near = registerSelection(sima::kTargetSelectedNear, out); });
        floorMs += timed([&] { selected = registerSelection(sima::kTargetSelected, out); });
    }
    if (selected != kSelectedParcels * kParcelCorners || near <= selected)
        state.SkipWithError("the registrations did not write what they should");
    state.counters["coordinates_near"] = near - selected;
    setCounters(state, workMs, floorMs);
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
