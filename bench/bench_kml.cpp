// SPDX-License-Identifier: LicenseRef-Tavelcor
// The KML export of a full-size site whose view fills the document's
// 1,000,000-entry table, beside the bare cost of its parts measured in the
// same iterations: the inverse conversion (XYtoBL) of the same positions and
// a plain buffered write of a file of the same size. The aim: the export
// within 1.5 times their sum.
//
// The site, 9 km across in zone 9, is the benchmarks' full-size site
// (bench_support.h): 32767 parcels of 15 corners (18 vertex entries each),
// 500000 coordinates, 500000 observation points, 500000 lines and 30000
// texts. The view is the largest square around the site centre whose
// document fits the table: the parcel edges, the parcel labels and the lines
// in it (the coordinates, points and texts in it pass their display limits,
// so their folders are left out, as on a real site); a few lines from
// elsewhere are then moved into the view to fill the table to within one
// placemark.
//
// The floor converts every written position (both angles at once, with
// geodesy::XYtoBLCalc); the export converts each parcel vertex only once
// however many edges share it, and streams the file through a block of
// 1 MiB into its temporary file.
//
// Run by hand from the build folder, on one CPU:
//     taskset -c 2 bench/bin/bench_kml --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_support.h"

#include "geodesy/plane_rectangular.h"
#include "main/export/kml_document.h"
#include "main/render/filters.h"
#include "main/render/plot_render.h"
#include "main/render/view_window.h"
#include "main/site/tables.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using namespace tavelcor;
using benchsupport::threadCpuMs;

constexpr double kSiteM = 9000.0;  // metres across

KmlInput exportInput()
{
    KmlInput input;
    input.header = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\r\n"
        "<Folder>\r\n<name>Tavelcor4</name>");
    input.switches = KmlSwitches{1, 1, 0, 1, 1, 1, 1, 1};
    input.scaleLeft = ViewCY - OriginY - ViewSpanY / 2;
    input.scaleTop = -(ViewCX - OriginX + ViewSpanX / 2);
    input.pointShown = [](int i) { return PointMark[i] >= 1 && PointMark[i] <= 99; };
    return input;
}

void setSquareView(double span)
{
    ViewCX = OriginX;
    ViewCY = OriginY;
    ViewSpanX = ViewSpanY = FitSpanX = FitSpanY = span;
}

// The absolute positions the document converts, in its order: both ends of
// each parcel edge that may cross the view, each parcel label in it and
// both ends of each line in the picture.
std::vector<std::pair<double, double>> exportedPositions()
{
    std::vector<std::pair<double, double>> out;
    const auto vertex = [](long k) {
        const int n = KakuchiVertex[k];
        return std::pair{ZahyoPX[n] + OriginX, ZahyoPY[n] + OriginY};
    };
    for (int p = 1; p <= KakuchiCount; ++p) {
        const long first = KakuchiFirst[p];
        const long last = KakuchiLast[p];
        for (long k = first + 1; k <= last + 1; ++k) {
            const long a = k - 1;
            const long b = k <= last ? k : first;
            if (hantei2(hantei(KakuchiVertex[a]), hantei(KakuchiVertex[b])) == 1) {
                out.push_back(vertex(a));
                out.push_back(vertex(b));
            }
        }
    }
    const render::ViewWindow view{ViewCX, ViewCY, ViewSpanX, ViewSpanY};
    for (int p = 1; p <= KakuchiCount; ++p) {
        const double x = KakuchiLabelX[p] + OriginX;
        const double y = KakuchiLabelY[p] + OriginY;
        if (render::regionCode(x, y, view, render::kWideWindowFactor) == 5)
            out.emplace_back(x, y);
    }
    const double left = ViewCY - OriginY - ViewSpanY / 2;
    const double top = -(ViewCX - OriginX + ViewSpanX / 2);
    const auto right = static_cast<float>(left + ViewSpanY);
    const double bottom = top + ViewSpanX;
    for (int i = 1; i < LineNext; ++i) {
        if (!LineShown(i) || (-LineX1[i] < top && -LineX2[i] < top) ||
            (-LineX1[i] > bottom && -LineX2[i] > bottom) || (LineY1[i] < left && LineY2[i] < left) ||
            (static_cast<float>(LineY1[i]) > right && static_cast<float>(LineY2[i]) > right))
            continue;
        out.emplace_back(LineX1[i] + OriginX, LineY1[i] + OriginY);
        out.emplace_back(LineX2[i] + OriginX, LineY2[i] + OriginY);
    }
    return out;
}

// Moves lines from outside the view into it until the document lacks fewer
// than 7 entries (one line placemark) of the full table.
void fillTheTable()
{
    const std::optional<QByteArray> document = buildKmlDocument(exportInput());
    const qsizetype entries = document ? document->count("\r\n") + 1 - 3 : kKmlEntryTop;
    qsizetype missing = (kKmlEntryTop - entries) / 7;
    const double inside = ViewSpanX / 4;
    for (int i = LineNext - 1; i >= 1 && missing > 0; --i) {
        if (std::abs(LineX1[i]) < ViewSpanX && std::abs(LineY1[i]) < ViewSpanY)
            continue;  // possibly in view already
        LineX1[i] = LineX2[i] = (i % 100) * inside / 100;
        LineY1[i] = -inside;
        LineY2[i] = inside;
        LineColor[i] = 12;
        --missing;
    }
}

struct Site {
    QTemporaryDir dir;
    double span = 0.0;
    qsizetype bytes = 0;
    std::vector<std::pair<double, double>> positions;
};

// The site in the tables and the largest square view (to 1 m) whose
// document fits the table.
Site& site()
{
    static Site s = [] {
        Site built;
        resetTables();
        ZoneNo = 9;
        OriginX = -32000.0;
        OriginY = 4000.0;
        benchsupport::buildFullSiteParcels(kSiteM);
        benchsupport::buildFullSiteItems(kSiteM);
        double fits = 100.0;
        double failsAt = kSiteM * 1.2;
        while (failsAt - fits > 1.0) {
            const double span = (fits + failsAt) / 2;
            setSquareView(span);
            (buildKmlDocument(exportInput()) ? fits : failsAt) = span;
        }
        built.span = fits;
        setSquareView(fits);
        fillTheTable();
        const std::optional<QByteArray> document = buildKmlDocument(exportInput());
        built.bytes = document ? document->size() : 0;
        built.positions = exportedPositions();
        const qsizetype lines = document ? document->count("\r\n") + 1 : 0;
        std::fprintf(stderr, "view %.0f m square: %lld lines (%lld entries), %lld bytes, %zu positions\n", fits,
                     static_cast<long long>(lines), static_cast<long long>(lines - 3),
                     static_cast<long long>(built.bytes), built.positions.size());
        if (lines < 1000000 - 4) {
            std::fprintf(stderr, "the view does not fill the table\n");
            std::exit(1);
        }
        return built;
    }();
    return s;
}

// The inverse conversion of every position; the CPU time taken.
double convertOnce(const Site& s)
{
    const double start = threadCpuMs();
    double sum = 0.0;
    for (const auto& [x, y] : s.positions) {
        const geodesy::LatLonPacked angles = geodesy::XYtoBLCalc(x, y, ZoneNo);
        sum += angles.latitude + angles.longitude;
    }
    benchmark::DoNotOptimize(sum);
    return threadCpuMs() - start;
}

// A plain buffered write of as many bytes as the document has; the CPU time.
double writeOnce(const QString& path, const QByteArray& bytes)
{
    const double start = threadCpuMs();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        for (qsizetype at = 0; at < bytes.size(); at += 1 << 16)
            file.write(bytes.constData() + at, std::min<qsizetype>(1 << 16, bytes.size() - at));
        file.close();
    }
    return threadCpuMs() - start;
}

// Each iteration exports the view (the document built and written to
// Tavelcor.KML through a temporary file) and, in the same iteration, runs
// the floor: the conversion of the same positions and a plain write of a
// file of the same size. The counters give the CPU times and their ratio.
void BM_KmlExportFullTable(benchmark::State& state)
{
    Site& s = site();
    setSquareView(s.span);
    const KmlInput input = exportInput();
    const QString kml = s.dir.path() + QStringLiteral("/Tavelcor.KML");
    const QString plain = s.dir.path() + QStringLiteral("/plain.bin");
    const QByteArray same(s.bytes, 'x');
    double exportMs = 0.0, convertMs = 0.0, writeMs = 0.0;
    bool ok = true;
    for (auto _ : state) {
        const double start = threadCpuMs();
        ok = saveKmlDocument(kml, input) && ok;
        exportMs += threadCpuMs() - start;
        state.PauseTiming();
        convertMs += convertOnce(s);
        writeMs += writeOnce(plain, same);
        state.ResumeTiming();
    }
    if (!ok || QFile(kml).size() != s.bytes)
        state.SkipWithError("the export failed or wrote another size");
    const double n = static_cast<double>(state.iterations());
    state.counters["export_ms"] = exportMs / n;
    state.counters["xytobl_ms"] = convertMs / n;
    state.counters["write_ms"] = writeMs / n;
    state.counters["floor_ms"] = (convertMs + writeMs) / n;
    state.counters["ratio"] = exportMs / (convertMs + writeMs);
    state.SetBytesProcessed(state.iterations() * s.bytes);
}

BENCHMARK(BM_KmlExportFullTable)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
