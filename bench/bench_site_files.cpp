// SPDX-License-Identifier: LicenseRef-Tavelcor
// Reading and writing a full-size site: 500000 coordinates, 32767 parcels
// over 600000 vertex slots (ZAHYO.SIM), 500000 points, 500000 lines,
// 1000000 hand-stroke vertices and 30000 texts (the DAT files), beside the
// time it takes only to decode the same files' bytes from CP932 with the same
// codec (platform::fromCp932). The aim: reading and writing each within 3
// times the decode time.
//
// The site is built once in a temporary folder; each benchmark checks its
// result once, outside the timed loop. BM_FormatFixedOfSave times only the
// fixed-width number texts a save makes, to tell the formatter's share of
// the write time.
#include <benchmark/benchmark.h>

#include "bench_support.h"

#include "geodesy/format_fixed.h"
#include "main/site/dat_files.h"
#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace tavelcor;
using benchsupport::threadCpuMs;

constexpr int kParcels = kKakuchiCountLimit;
constexpr int kVertexSlots = 600000;

const char* const kFiles[] = {"ZAHYO.SIM", "POINT.DAT", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT"};

using benchsupport::siteCoordinateName;

void fillItems()
{
    OriginX = -33000.0;
    OriginY = 13000.0;
    PointCount = kPointTop;
    for (int i = 1; i <= kPointTop; ++i) {
        PointName[i] = siteCoordinateName(i);
        PointName2[i] = i % 3 == 0 ? QStringLiteral("済") : QString();
        PointX[i] = (i % 5003) * 0.37 - 900.0;
        PointY[i] = (i % 4001) * 0.41 - 800.0;
        PointMark[i] = static_cast<std::uint8_t>(1 + i % 18);
    }
    LineNext = kLineTop + 1;
    for (int i = 1; i <= kLineTop; ++i) {
        LineX1[i] = (i % 3001) * 0.5 - 700.0;
        LineY1[i] = (i % 2003) * 0.5 - 500.0;
        LineX2[i] = LineX1[i] + 3.25;
        LineY2[i] = LineY1[i] - 1.5;
        LineColor[i] = static_cast<std::uint8_t>(i % 15);
    }
    TegakiCount = kTegakiTop;
    for (int i = 1; i <= kTegakiTop; ++i) {
        TegakiPen[i] = static_cast<std::uint8_t>(1 + i % 3);
        TegakiColor[i] = 12;
        TegakiX[i] = static_cast<float>(i % 1999) * 0.25F - 250.0F;
        TegakiY[i] = static_cast<float>(i % 1777) * 0.25F - 200.0F;
    }
    TxtCount = kTxtTop;
    for (int i = 1; i <= kTxtTop; ++i) {
        TxtString[i] = QStringLiteral("宅地 ") + QString::number(i) + QStringLiteral("㎡");
        TxtColor[i] = 12;
        TxtX[i] = static_cast<float>(i % 997) * 0.5F;
        TxtY[i] = static_cast<float>(i % 991) * -0.5F;
    }
}

struct Site {
    QTemporaryDir dir;
    QString folder;
    std::vector<QByteArray> bytes;  // the files' contents, for the decode baseline
    qint64 totalBytes = 0;
};

bool writeSite(const QString& folder)
{
    bool ok = !writeZahyoSim(folder + QStringLiteral("ZAHYO.SIM")).failed();
    ok = !writePointDat(folder).failed() && ok;
    ok = !writeLineDat(folder).failed() && ok;
    ok = !writeTegakiDat(folder).failed() && ok;
    return !writeTextDat(folder).failed() && ok;
}

// The tables as start-up leaves them before reading a site.
void prepareForReading()
{
    resetTables();
    OriginX = -33000.0;
    OriginY = 13000.0;
}

bool readSite(const QString& folder)
{
    SiteFolder = folder;
    return ReadSima(folder + QStringLiteral("ZAHYO.SIM")) == ReadOutcome::Ok
           && readSiteDatFiles(folder) == ReadOutcome::Ok;
}

Site& site()
{
    static Site s = [] {
        Site built;
        built.folder = built.dir.path() + QStringLiteral("/");
        resetTables();
        benchsupport::fillFullSimaSite(0);
        fillItems();
        if (!writeSite(built.folder)) {
            std::fprintf(stderr, "cannot write the site into %s\n", qPrintable(built.folder));
            std::exit(1);
        }
        for (const char* name : kFiles) {
            QFile file(built.folder + QString::fromLatin1(name));
            if (!file.open(QIODevice::ReadOnly))
                std::exit(1);
            built.bytes.push_back(file.readAll());
            built.totalBytes += built.bytes.back().size();
        }
        return built;
    }();
    return s;
}

// Decodes every file of the site once; the CPU time taken, in milliseconds.
double decodeOnce(const Site& s)
{
    const double start = threadCpuMs();
    for (const QByteArray& b : s.bytes) {
        const QString text = platform::fromCp932(b);
        benchmark::DoNotOptimize(text.constData());
    }
    return threadCpuMs() - start;
}

// Other programs share the machine, so a decode timed in another benchmark
// may have run under another load: each iteration of the read and write
// benchmarks also decodes the files once, untimed by the benchmark, and the
// counters give the CPU times of the two in the same iterations and their
// ratio.
void setRatioCounters(benchmark::State& state, double workMs, double decodeMs)
{
    benchsupport::setRatioCounters(state, workMs, decodeMs, "decode_ms");
}

// Times work() in each iteration and sets the ratio counters; before each
// run, untimed, prepare() and one decode of the site's files.
template <typename Prepare, typename Work>
void timeAgainstDecode(benchmark::State& state, const Site& s, Prepare prepare, Work work)
{
    double workMs = 0.0;
    double decodeMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        decodeMs += decodeOnce(s);
        state.ResumeTiming();
        const double start = threadCpuMs();
        work();
        workMs += threadCpuMs() - start;
    }
    setRatioCounters(state, workMs, decodeMs);
}

// The site read into the tables once, for the benchmarks that work on them.
const Site& siteInTables(benchmark::State& state)
{
    const Site& s = site();
    prepareForReading();
    if (!readSite(s.folder))
        state.SkipWithError("the site cannot be read");
    return s;
}

void BM_DecodeSiteFiles(benchmark::State& state)
{
    const Site& s = site();
    qsizetype characters = 0;
    for (auto _ : state) {
        characters = 0;
        for (const QByteArray& b : s.bytes) {
            const QString text = platform::fromCp932(b);
            characters += text.size();
            benchmark::DoNotOptimize(text.constData());
        }
    }
    if (characters < s.totalBytes / 2)
        state.SkipWithError("the decoded text is too short");
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}

void BM_ReadSite(benchmark::State& state)
{
    const Site& s = site();
    bool ok = true;
    timeAgainstDecode(state, s, prepareForReading, [&] { ok = readSite(s.folder) && ok; });
    if (!ok || ZahyoMax != kZahyoTop || KakuchiCount != kParcels || KakuchiLast[kParcels] != kVertexSlots - 1
        || PointCount != kPointTop || LineNext != kLineTop + 1 || TegakiCount != kTegakiTop
        || TxtCount != kTxtTop || ZahyoName[4] != siteCoordinateName(4)) {
        state.SkipWithError("the site did not read back whole");
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}

void BM_WriteSite(benchmark::State& state)
{
    const Site& s = siteInTables(state);
    QTemporaryDir out;
    const QString folder = out.path() + QStringLiteral("/");
    bool ok = true;
    timeAgainstDecode(state, s, [] {}, [&] { ok = writeSite(folder) && ok; });
    for (std::size_t i = 0; i < s.bytes.size(); ++i) {
        QFile file(folder + QString::fromLatin1(kFiles[i]));
        if (!ok || !file.open(QIODevice::ReadOnly) || file.readAll() != s.bytes[i])
            state.SkipWithError("the written files differ from the first ones");
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}

// Only the fixed-width number texts a save makes (geodesy::FormatFixed with
// the same values, widths and decimals), to tell the formatter's share of
// the write time from the rest.
std::size_t formatSaveNumbers()
{
    std::size_t characters = 0;
    const auto add = [&characters](double value, int width) {
        characters += geodesy::FormatFixed(value, width, width == 10 ? 2 : 3).size();
    };
    for (int n = 1; n <= ZahyoMax; ++n) {
        add(ZahyoX[n], 11);
        add(ZahyoY[n], 11);
        add(ZahyoH[n], 8);
    }
    for (int i = 1; i <= PointCount; ++i) {
        add(PointX[i] + OriginX, 10);
        add(PointY[i] + OriginY, 10);
    }
    for (int i = 1; i < LineNext; ++i) {
        add(LineX1[i] + OriginX, 10);
        add(LineY1[i] + OriginY, 10);
        add(LineX2[i] + OriginX, 10);
        add(LineY2[i] + OriginY, 10);
    }
    for (int i = 1; i <= TegakiCount; ++i) {
        add(double(TegakiX[i]) + OriginX, 10);
        add(double(TegakiY[i]) + OriginY, 10);
    }
    for (int i = 1; i <= TxtCount; ++i) {
        add(double(TxtX[i]) + OriginX, 10);
        add(double(TxtY[i]) + OriginY, 10);
    }
    return characters;
}

void BM_FormatFixedOfSave(benchmark::State& state)
{
    const Site& s = siteInTables(state);
    std::size_t characters = 0;
    timeAgainstDecode(state, s, [] {}, [&] { characters = formatSaveNumbers(); });
    if (characters == 0)
        state.SkipWithError("nothing was formatted");
}

BENCHMARK(BM_DecodeSiteFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FormatFixedOfSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
