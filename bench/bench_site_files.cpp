// SPDX-License-Identifier: LicenseRef-Tavelcor
// Reading and writing a full-size site as a real one holds it: 500000 named
// coordinates and 32767 named parcels over 600000 vertex slots (ZAHYO.SIM),
// an attribute row for every parcel (画地属性.txt), 500000 points with both
// names, 500000 lines, 1000000 hand-stroke vertices and 30000 texts (the DAT
// files), beside the time it takes only to decode the same files' bytes from
// CP932 with the same codec (platform::fromCp932). The aim: reading and
// writing each within 3 times the decode time.
//
// The site is built once in a temporary folder; each benchmark checks its
// result once, outside the timed loop: the read fills the tables whole, and
// the files written from them equal the files read, byte for byte.
// BM_FormatFixedOfSave times only the number texts a save makes, to tell
// the formatter's share of the write time; BM_ParseStrokeRowsInMemory only
// the reading of TEGAKI.DAT's fields from bytes in memory, to tell the
// number reading's share of the read time.
//
// The decode's byte loop is short: if it straddled two 64-byte lines of the
// processor's decoded instructions it would run at half its speed, and every
// ratio below would look twice as good. The codec is built with its loops
// on 32-byte boundaries so that it never does; when comparing with a build
// made otherwise, look at where its loop lies (`objdump -d` of
// platform::decodeCp932 in bench_site_files).
#include <benchmark/benchmark.h>

#include "bench_support.h"

#include "geodesy/format_fixed.h"
#include "main/site/dat_files.h"
#include "main/site/parcel_attr_file.h"
#include "main/site/sima_file.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {

using namespace tavelcor;
using benchsupport::threadCpuMs;

constexpr int kParcels = kKakuchiCountLimit;
constexpr int kVertexSlots = benchsupport::kNamedSiteVertexSlots;

const char* const kFiles[] = {"ZAHYO.SIM", "画地属性.txt", "POINT.DAT", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT"};

struct Site {
    QTemporaryDir dir;
    QString folder;
    std::vector<QByteArray> bytes;  // the files' contents, for the decode baseline
    qint64 totalBytes = 0;
};

// Writes every file of the site; the attribute file is written only where
// there is none, so an earlier one goes first.
bool writeSite(const QString& folder)
{
    QFile::remove(folder + QString::fromUtf8("画地属性.txt"));
    bool ok = !writeZahyoSim(folder + QStringLiteral("ZAHYO.SIM")).failed();
    ok = writeParcelAttributes(folder).outcome == WriteOutcome::Written && ok;
    ok = !writePointDat(folder).failed() && ok;
    ok = !writeLineDat(folder).failed() && ok;
    ok = !writeTegakiDat(folder).failed() && ok;
    return !writeTextDat(folder).failed() && ok;
}

// The tables as start-up leaves them before reading a site, and the memory
// the last read took given back to the system, as in a program that starts:
// the read gets fresh pages for what it makes.
void prepareForReading()
{
    resetTables();
    malloc_trim(0);
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
        benchsupport::buildNamedSite();
        if (!writeSite(built.folder)) {
            std::fprintf(stderr, "cannot write the site into %s\n", qPrintable(built.folder));
            std::exit(1);
        }
        for (const char* name : kFiles) {
            QFile file(built.folder + QString::fromUtf8(name));
            if (!file.open(QIODevice::ReadOnly))
                std::exit(1);
            built.bytes.push_back(file.readAll());
            built.totalBytes += built.bytes.back().size();
        }
        return built;
    }();
    return s;
}

// Decodes the bytes of every file into one reused buffer, as a reader that
// made no string of its own would: the floor of reading the site.
std::size_t decodeFiles(const Site& s)
{
    static std::vector<QChar> buffer;
    std::size_t characters = 0;
    for (const QByteArray& b : s.bytes) {
        if (buffer.size() < static_cast<std::size_t>(b.size()))
            buffer.resize(static_cast<std::size_t>(b.size()));
        characters += static_cast<std::size_t>(platform::decodeCp932(b, buffer.data()));
        benchmark::DoNotOptimize(buffer.data());
    }
    return characters;
}

// Decodes every file of the site once; the CPU time taken, in milliseconds.
double decodeOnce(const Site& s)
{
    const double start = threadCpuMs();
    decodeFiles(s);
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
//
// The work's time is also split into its own code's (user_ms) and the
// system's (system_ms: fresh pages, the reading, writing and syncing of the
// files), each with its ratio to the decode: the system's share is what no
// change to the program's own code can take away.
template <typename Prepare, typename Work>
void timeAgainstDecode(benchmark::State& state, const Site& s, Prepare prepare, Work work)
{
    double workMs = 0.0;
    double decodeMs = 0.0;
    benchsupport::CpuSplitMs split;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        decodeMs += decodeOnce(s);
        state.ResumeTiming();
        const double start = threadCpuMs();
        const benchsupport::CpuSplitMs splitStart = benchsupport::threadCpuSplitMs();
        work();
        const benchsupport::CpuSplitMs splitEnd = benchsupport::threadCpuSplitMs();
        workMs += threadCpuMs() - start;
        split.user += splitEnd.user - splitStart.user;
        split.system += splitEnd.system - splitStart.system;
    }
    setRatioCounters(state, workMs, decodeMs);
    const double n = static_cast<double>(state.iterations());
    state.counters["user_ms"] = split.user / n;
    state.counters["system_ms"] = split.system / n;
    if (decodeMs > 0) {
        state.counters["user_ratio"] = split.user / decodeMs;
        state.counters["system_ratio"] = split.system / decodeMs;
    }
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
    std::size_t characters = 0;
    for (auto _ : state)
        characters = decodeFiles(s);
    if (characters < static_cast<std::size_t>(s.totalBytes / 2))
        state.SkipWithError("the decoded text is too short");
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}

// The resident size of the process in MB (VmRSS), or -1 when unknown.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1.0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1.0;
}

void BM_ReadSite(benchmark::State& state)
{
    const Site& s = site();
    bool ok = true;
    timeAgainstDecode(state, s, prepareForReading, [&] { ok = readSite(s.folder) && ok; });
    if (!ok || ZahyoMax != kZahyoTop || KakuchiCount != kParcels || KakuchiLast[kParcels] != kVertexSlots - 1
        || PointCount != kPointTop || LineNext != kLineTop + 1 || TegakiCount != kTegakiTop
        || TxtCount != kTxtTop || ZahyoName[4] != benchsupport::coordinateName(4) || PointName2[5] != QStringLiteral("杭5")
        || KakuchiAttr(kParcels, 7) != QStringLiteral("備考%1").arg(kParcels)) {
        state.SkipWithError("the site did not read back whole");
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
    // With the site just read, after the memory of the one before it went
    // back to the system: what a program that opened the site holds.
    state.counters["resident_mb"] = residentMb();
}

void BM_WriteSite(benchmark::State& state)
{
    const Site& s = siteInTables(state);
    QTemporaryDir out;
    const QString folder = out.path() + QStringLiteral("/");
    bool ok = true;
    timeAgainstDecode(state, s, [] {}, [&] { ok = writeSite(folder) && ok; });
    for (std::size_t i = 0; i < s.bytes.size(); ++i) {
        QFile file(folder + QString::fromUtf8(kFiles[i]));
        if (!ok || !file.open(QIODevice::ReadOnly) || file.readAll() != s.bytes[i])
            state.SkipWithError("the written files differ from the first ones");
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}

// Only the number texts a save makes, in the forms the writers use (the
// in-line fixed forms, a row's two coordinates as one pair, the exact form
// where those leave a number), with the same values, into one reused
// buffer: the formatter's share of the write time.
std::size_t formatSaveNumbers()
{
    static std::array<char, 4 * geodesy::kFixedDigitsRoom> out{};
    std::size_t characters = 0;
    const auto pair2 = [&characters](double x, double y) {
        std::size_t n = geodesy::FixedDigitsPairOf<2>(x, y, ',', out.data());
        if (n == 0)
            n = geodesy::FixedDigitsOf<2>(x, out.data()) + geodesy::FixedDigitsOf<2>(y, out.data());
        characters += n;
        benchmark::DoNotOptimize(out.data());
    };
    for (int n = 1; n <= ZahyoMax; ++n) {
        std::size_t k = geodesy::FixedDigitsPairOf<3>(ZahyoX[n], ZahyoY[n], ',', out.data());
        if (k == 0)
            k = geodesy::FixedDigitsOf<3>(ZahyoX[n], out.data()) + geodesy::FixedDigitsOf<3>(ZahyoY[n], out.data());
        characters += k + geodesy::FixedDigitsOf<3>(ZahyoH[n], out.data());
        benchmark::DoNotOptimize(out.data());
    }
    for (int i = 1; i <= PointCount; ++i)
        pair2(PointX[i] + OriginX, PointY[i] + OriginY);
    for (int i = 1; i < LineNext; ++i) {
        pair2(LineX1[i] + OriginX, LineY1[i] + OriginY);
        pair2(LineX2[i] + OriginX, LineY2[i] + OriginY);
    }
    for (int i = 1; i <= TegakiCount; ++i)
        pair2(double(TegakiX[i]) + OriginX, double(TegakiY[i]) + OriginY);
    for (int i = 1; i <= TxtCount; ++i)
        pair2(double(TxtX[i]) + OriginX, double(TxtY[i]) + OriginY);
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

// The fields of TEGAKI.DAT's rows (index, pen, colour, X, Y) read with the
// readers' row cursor from the file's bytes in memory, stored in tables of
// this benchmark whose pages are already there: no file, no line reader and
// no fresh page, only the program's own reading of the numbers, beside the
// decode of the same bytes. What it costs above the decode, no change to
// the rest of the read can take away.
struct StrokeRows {
    QByteArray padded;  // the file's bytes and the padding a row cursor may read
    std::vector<std::uint8_t> pen, colour;
    std::vector<float> x, y;
};

std::int64_t parseStrokeRows(StrokeRows& t, qsizetype bytes)
{
    const char* p = t.padded.constData();
    const char* const end = p + bytes;
    std::int64_t rows = 0;
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* const next = lineEnd != nullptr ? lineEnd + 1 : end;
        if (lineEnd == nullptr)
            lineEnd = end;
        if (lineEnd != p && lineEnd[-1] == '\r')
            --lineEnd;
        sitetext::RowCursor row(QByteArrayView(p, lineEnd - p), sitetext::RowCursor::Padded{});
        std::int32_t i = 0;
        std::uint8_t pen = 0, colour = 0;
        const bool ok = row.whole(1, kTegakiTop, i) && row.byte(pen) && row.byte(colour);
        const double x = row.number();
        const double y = row.number();
        if (ok && row.atEnd() && !row.overran()) {
            const auto k = static_cast<std::size_t>(i);
            t.pen[k] = pen;
            t.colour[k] = colour;
            t.x[k] = static_cast<float>(x - OriginX);
            t.y[k] = static_cast<float>(y - OriginY);
            ++rows;
        }
        p = next;
    }
    return rows;
}

void BM_ParseStrokeRowsInMemory(benchmark::State& state)
{
    const Site& s = site();
    const QByteArray& file = s.bytes[4];  // TEGAKI.DAT
    StrokeRows t;
    t.padded = file + QByteArray(platform::LineReader::kLinePadding, '\0');
    t.pen.assign(kTegakiTop + 1, 0);
    t.colour.assign(kTegakiTop + 1, 0);
    t.x.assign(kTegakiTop + 1, 0.0F);
    t.y.assign(kTegakiTop + 1, 0.0F);
    std::vector<QChar> decoded(static_cast<std::size_t>(file.size()));
    double parseMs = 0.0;
    double decodeMs = 0.0;
    std::int64_t rows = 0;
    for (auto _ : state) {
        decodeMs += benchsupport::timedMs([&] {
            benchmark::DoNotOptimize(platform::decodeCp932(file, decoded.data()));
        });
        parseMs += benchsupport::timedMs([&] { rows = parseStrokeRows(t, file.size()); });
    }
    if (rows != kTegakiTop)
        state.SkipWithError("not every stroke row was read");
    benchsupport::setRatioCounters(state, parseMs, decodeMs, "decode_ms");
    state.SetBytesProcessed(state.iterations() * file.size());
}

BENCHMARK(BM_DecodeSiteFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FormatFixedOfSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ParseStrokeRowsInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
