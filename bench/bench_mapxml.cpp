// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import on a file of about one million lines, beside
// `xmllint --stream --noout` (libxml2's streaming parser, which checks the
// file is well formed and builds nothing) on the same file.
//
// The file of exactly 1000000 lines is made here in the layout of the
// published registry maps (one element per line, the same element and
// attribute names): a grid of G x G
// boundary points, curves by point references along the grid's edges, one
// square parcel per cell with its surface, named boundary points, boundary
// lines (the first row of edges and the last row of vertical edges marked
// 大字界線), the parcels and four map sheets, with four curves of direct
// positions. Each cell's surface names its four edges (the reader takes
// their start points); reference points named by 名称 fill the file up to
// its size. Reading it fills 11236 points, 11025 parcels and 231 lines.
//
// Benchmarks (real time, since xmllint runs as a child process):
//   BM_ReadMapXml/utf8        the ".xml" read as it is (the converter advice declined)
//   BM_ReadMapXml/cp932       the same content as a CP932 ".TXT"
//   BM_ReadMapXmlConverted    the ".xml" through the converter program ransko
//   BM_XmllintStream          xmllint --stream --noout on the ".xml"
#include "main/site/mapxml.h"
#include "main/site/tables.h"
#include "platform/prompt/scripted_prompter.h"
#include "platform/system/folders.h"
#include "platform/text/cp932.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tavelcor;

constexpr int kGrid = 106;  // boundary points per grid side
constexpr int kSheets = 4;

// ---- the file ---------------------------------------------------------------------------

class MapWriter {
public:
    void line(const QString& text)
    {
        mText += text;
        mText += u'\n';
        ++mLines;
    }
    const QString& text() const { return mText; }
    qint64 lines() const { return mLines; }

private:
    QString mText;
    qint64 mLines = 0;
};

QString id(QChar kind, int n)
{
    return kind + QStringLiteral("%1").arg(n, 9, 10, QLatin1Char('0'));
}

int pointAt(int row, int column)
{
    return row * kGrid + column + 1;
}

void writePoint(MapWriter& w, int p, double x, double y)
{
    w.line(QStringLiteral("\t\t<zmn:GM_Point id=\"%1\">").arg(id(u'P', p)));
    w.line(QStringLiteral("\t\t\t<zmn:GM_Point.position>"));
    w.line(QStringLiteral("\t\t\t\t<zmn:DirectPosition>"));
    w.line(QStringLiteral("\t\t\t\t\t<zmn:X>%1</zmn:X>").arg(x, 0, 'f', 3));
    w.line(QStringLiteral("\t\t\t\t\t<zmn:Y>%1</zmn:Y>").arg(y, 0, 'f', 3));
    w.line(QStringLiteral("\t\t\t\t</zmn:DirectPosition>"));
    w.line(QStringLiteral("\t\t\t</zmn:GM_Point.position>"));
    w.line(QStringLiteral("\t\t</zmn:GM_Point>"));
}

void openCurve(MapWriter& w, int c)
{
    w.line(QStringLiteral("\t\t<zmn:GM_Curve id=\"%1\">").arg(id(u'C', c)));
    w.line(QStringLiteral("\t\t\t<zmn:GM_OrientablePrimitive.orientation>+</zmn:GM_OrientablePrimitive.orientation>"));
    w.line(QStringLiteral("\t\t\t<zmn:GM_OrientablePrimitive.primitive idref=\"%1\"/>").arg(id(u'C', c)));
    w.line(QStringLiteral("\t\t\t<zmn:GM_Curve.segment>"));
    w.line(QStringLiteral("\t\t\t\t<zmn:GM_LineString>"));
    w.line(QStringLiteral("\t\t\t\t\t<zmn:GM_LineString.controlPoint>"));
}

void closeCurve(MapWriter& w)
{
    w.line(QStringLiteral("\t\t\t\t\t</zmn:GM_LineString.controlPoint>"));
    w.line(QStringLiteral("\t\t\t\t</zmn:GM_LineString>"));
    w.line(QStringLiteral("\t\t\t</zmn:GM_Curve.segment>"));
    w.line(QStringLiteral("\t\t</zmn:GM_Curve>"));
}

void writeCurve(MapWriter& w, int c, int from, int to)
{
    openCurve(w, c);
    for (const int p : {from, to}) {
        w.line(QStringLiteral("\t\t\t\t\t\t<zmn:GM_PointArray.column>"));
        w.line(QStringLiteral("\t\t\t\t\t\t\t<zmn:GM_Position.indirect>"));
        w.line(QStringLiteral("\t\t\t\t\t\t\t\t<zmn:GM_PointRef.point idref=\"%1\"/>").arg(id(u'P', p)));
        w.line(QStringLiteral("\t\t\t\t\t\t\t</zmn:GM_Position.indirect>"));
        w.line(QStringLiteral("\t\t\t\t\t\t</zmn:GM_PointArray.column>"));
    }
    closeCurve(w);
}

void writeDirectCurve(MapWriter& w, int c, double x1, double y1, double x2, double y2)
{
    openCurve(w, c);
    for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}}) {
        w.line(QStringLiteral("\t\t\t\t\t\t<zmn:GM_PointArray.column>"));
        w.line(QStringLiteral("\t\t\t\t\t\t\t<zmn:GM_Position.direct>"));
        w.line(QStringLiteral("\t\t\t\t\t\t\t\t<zmn:X>%1</zmn:X>").arg(x, 0, 'f', 3));
        w.line(QStringLiteral("\t\t\t\t\t\t\t\t<zmn:Y>%1</zmn:Y>").arg(y, 0, 'f', 3));
        w.line(QStringLiteral("\t\t\t\t\t\t\t</zmn:GM_Position.direct>"));
        w.line(QStringLiteral("\t\t\t\t\t\t</zmn:GM_PointArray.column>"));
    }
    closeCurve(w);
}

// Curve numbers: the horizontal edge right of (r, c) and the vertical edge
// below it.
int horizontalCurve(int row, int column)
{
    return row * (kGrid - 1) + column + 1;
}
int verticalCurve(int row, int column)
{
    return kGrid * (kGrid - 1) + row * kGrid + column + 1;
}
constexpr int kFrameCurveBase = 2 * kGrid * (kGrid - 1);

void writeSurface(MapWriter& w, int s, const std::array<int, 4>& curves)
{
    w.line(QStringLiteral("\t\t<zmn:GM_Surface id=\"%1\">").arg(id(u'F', s)));
    w.line(QStringLiteral("\t\t\t<zmn:GM_Surface.patch>"));
    w.line(QStringLiteral("\t\t\t\t<zmn:GM_Polygon>"));
    w.line(QStringLiteral("\t\t\t\t\t<zmn:GM_Polygon.boundary>"));
    w.line(QStringLiteral("\t\t\t\t\t\t<zmn:GM_SurfaceBoundary>"));
    w.line(QStringLiteral("\t\t\t\t\t\t\t<zmn:GM_SurfaceBoundary.exterior>"));
    w.line(QStringLiteral("\t\t\t\t\t\t\t\t<zmn:GM_Ring>"));
    for (const int c : curves)
        w.line(QStringLiteral("\t\t\t\t\t\t\t\t\t<zmn:GM_CompositeCurve.generator idref=\"%1\"/>").arg(id(u'C', c)));
    w.line(QStringLiteral("\t\t\t\t\t\t\t\t</zmn:GM_Ring>"));
    w.line(QStringLiteral("\t\t\t\t\t\t\t</zmn:GM_SurfaceBoundary.exterior>"));
    w.line(QStringLiteral("\t\t\t\t\t\t</zmn:GM_SurfaceBoundary>"));
    w.line(QStringLiteral("\t\t\t\t\t</zmn:GM_Polygon.boundary>"));
    w.line(QStringLiteral("\t\t\t\t</zmn:GM_Polygon>"));
    w.line(QStringLiteral("\t\t\t</zmn:GM_Surface.patch>"));
    w.line(QStringLiteral("\t\t</zmn:GM_Surface>"));
}

void writeGeometry(MapWriter& w)
{
    for (int r = 0; r < kGrid; ++r)
        for (int c = 0; c < kGrid; ++c)
            writePoint(w, pointAt(r, c), -42000.0 - 10.0 * r, 25000.0 + 10.0 * c);
    // Curves run along the grid's edges, rightwards and downwards.
    for (int r = 0; r < kGrid; ++r)
        for (int c = 0; c + 1 < kGrid; ++c)
            writeCurve(w, horizontalCurve(r, c), pointAt(r, c), pointAt(r, c + 1));
    for (int r = 0; r + 1 < kGrid; ++r)
        for (int c = 0; c < kGrid; ++c)
            writeCurve(w, verticalCurve(r, c), pointAt(r, c), pointAt(r + 1, c));
    const double span = 10.0 * (kGrid - 1);
    for (int k = 0; k < kSheets; ++k)
        writeDirectCurve(w, kFrameCurveBase + k + 1, -42000.0, 25000.0 + k * span / kSheets, -42000.0 - span,
                         25000.0 + k * span / kSheets);
    int s = 0;
    for (int r = 0; r + 1 < kGrid; ++r)
        for (int c = 0; c + 1 < kGrid; ++c)
            writeSurface(w, ++s, {horizontalCurve(r, c), verticalCurve(r, c + 1), horizontalCurve(r + 1, c),
                                  verticalCurve(r, c)});
}

void writeThemes(MapWriter& w)
{
    w.line(QStringLiteral("\t<主題属性>"));
    for (int p = 1; p <= kGrid * kGrid; ++p) {
        w.line(QStringLiteral("\t\t<筆界点>"));
        w.line(QStringLiteral("\t\t\t<点番名>%1</点番名>").arg(10000 + p));
        w.line(QStringLiteral("\t\t\t<形状 idref=\"%1\"/>").arg(id(u'P', p)));
        w.line(QStringLiteral("\t\t</筆界点>"));
    }
    for (int c = 1; c <= kFrameCurveBase; ++c) {
        const bool outer = c <= kGrid - 1 || c > kFrameCurveBase - kGrid;
        w.line(QStringLiteral("\t\t<筆界線>"));
        w.line(QStringLiteral("\t\t\t<形状 idref=\"%1\"/>").arg(id(u'C', c)));
        w.line(outer ? QStringLiteral("\t\t\t<線種別>大字界線</線種別>") : QStringLiteral("\t\t\t<線種別>筆界線</線種別>"));
        w.line(QStringLiteral("\t\t</筆界線>"));
    }
    for (int h = 1; h <= (kGrid - 1) * (kGrid - 1); ++h) {
        w.line(QStringLiteral("\t\t<筆 id=\"%1\">").arg(id(u'H', h)));
        w.line(QStringLiteral("\t\t\t<大字コード>010</大字コード>"));
        w.line(QStringLiteral("\t\t\t<丁目コード>000</丁目コード>"));
        w.line(QStringLiteral("\t\t\t<小字コード>0000</小字コード>"));
        w.line(QStringLiteral("\t\t\t<予備コード>00</予備コード>"));
        w.line(QStringLiteral("\t\t\t<大字名>稲毛</大字名>"));
        w.line(QStringLiteral("\t\t\t<地番>%1-%2</地番>").arg(100 + h / 50).arg(h % 50 + 1));
        w.line(QStringLiteral("\t\t\t<形状 idref=\"%1\"/>").arg(id(u'F', h)));
        w.line(QStringLiteral("\t\t\t<精度区分>甲三</精度区分>"));
        w.line(QStringLiteral("\t\t\t<座標値種別>図上測量</座標値種別>"));
        w.line(QStringLiteral("\t\t</筆>"));
    }
}

// Lines of the map sheets and the document's end, written after the themes.
constexpr qint64 kTailLines = 1 + kSheets * 21 + 1;
constexpr qint64 kTargetLines = 1000000;

// Reference points (基準点, named by 名称) on the last grid points, until the
// file reaches exactly kTargetLines lines; they rename those points.
void padThemes(MapWriter& w)
{
    int p = kGrid * kGrid;
    while (w.lines() + 4 <= kTargetLines - kTailLines) {
        w.line(QStringLiteral("\t\t<基準点>"));
        w.line(QStringLiteral("\t\t\t<名称>T%1</名称>").arg(p));
        w.line(QStringLiteral("\t\t\t<形状 idref=\"%1\"/>").arg(id(u'P', p)));
        w.line(QStringLiteral("\t\t</基準点>"));
        --p;
    }
    while (w.lines() < kTargetLines - kTailLines)
        w.line(QStringLiteral("\t\t<!-- 性能測定用 -->"));
}

void writeCorner(MapWriter& w, const QString& tag, double x, double y)
{
    w.line(QStringLiteral("\t\t<%1>").arg(tag));
    w.line(QStringLiteral("\t\t\t<zmn:X>%1</zmn:X>").arg(x, 0, 'f', 3));
    w.line(QStringLiteral("\t\t\t<zmn:Y>%1</zmn:Y>").arg(y, 0, 'f', 3));
    w.line(QStringLiteral("\t\t</%1>").arg(tag));
}

void writeSheets(MapWriter& w)
{
    const double span = 10.0 * (kGrid - 1);
    for (int k = 0; k < kSheets; ++k) {
        const double left = 25000.0 + k * span / kSheets;
        const double right = left + span / kSheets;
        w.line(QStringLiteral("\t<図郭>"));
        w.line(QStringLiteral("\t\t<地図番号>B%1</地図番号>").arg(k + 1));
        w.line(QStringLiteral("\t\t<縮尺分母>500</縮尺分母>"));
        writeCorner(w, QStringLiteral("左下座標"), -42000.0 - span, left);
        writeCorner(w, QStringLiteral("左上座標"), -42000.0, left);
        writeCorner(w, QStringLiteral("右下座標"), -42000.0 - span, right);
        writeCorner(w, QStringLiteral("右上座標"), -42000.0, right);
        w.line(QStringLiteral("\t\t<地図種類>地籍図</地図種類>"));
        w.line(QStringLiteral("\t</図郭>"));
    }
}

QString makeMap(qint64& lines)
{
    MapWriter w;
    w.line(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    w.line(QStringLiteral("<地図 xmlns=\"http://www.moj.go.jp/MINJI/tizuxml\" xmlns:zmn=\"http://www.moj.go.jp/MINJI/tizuzumen\">"));
    w.line(QStringLiteral("\t<version>ver1.0</version>"));
    w.line(QStringLiteral("\t<地図名>性能測定用</地図名>"));
    w.line(QStringLiteral("\t<座標系>公共座標9系</座標系>"));
    w.line(QStringLiteral("\t<空間属性>"));
    writeGeometry(w);
    w.line(QStringLiteral("\t</空間属性>"));
    writeThemes(w);
    padThemes(w);
    w.line(QStringLiteral("\t</主題属性>"));
    writeSheets(w);
    w.line(QStringLiteral("</地図>"));
    lines = w.lines();
    return w.text();
}

// ---- the benchmarks --------------------------------------------------------------------------

struct Files {
    QTemporaryDir dir;
    QString xml;
    QString txt;
    qint64 lines = 0;
};

const Files& files()
{
    static const std::unique_ptr<Files> f = [] {
        auto made = std::make_unique<Files>();
        const QString text = makeMap(made->lines);
        made->xml = made->dir.filePath(QStringLiteral("map.xml"));
        made->txt = made->dir.filePath(QStringLiteral("map.TXT"));
        QFile xml(made->xml);
        QFile txt(made->txt);
        if (!xml.open(QIODevice::WriteOnly) || !txt.open(QIODevice::WriteOnly))
            return made;
        xml.write(text.toUtf8());
        txt.write(platform::toCp932(text));
        return made;
    }();
    return *f;
}

void prepareTables(const Files& f)
{
    resetTables();
    SiteFolder = f.dir.path() + u'/';
    WorkFolder = f.dir.path();
}

// True when the tables hold what the generated map gives.
bool tablesAsMade()
{
    const int cells = (kGrid - 1) * (kGrid - 1);
    return ZahyoMax == kGrid * kGrid && KakuchiCount == cells && PointCount == kSheets
           && KakuchiLast[cells] == 4 * cells && ZahyoName[1] == QStringLiteral("10001")
           && LineNext == 2 + kSheets + (2 * kGrid - 1) + 4 * kSheets;
}

void readOnce(const QString& path, const MapXmlEnvironment& env, benchmark::State& state)
{
    platform::ScriptedPrompter& script = *static_cast<platform::ScriptedPrompter*>(&platform::prompter());
    state.PauseTiming();
    prepareTables(files());
    if (path.endsWith(u".xml") && !QFile::exists(env.converterPath))
        script.expectMessage(platform::MsgResult::No);  // read it as it is
    state.ResumeTiming();
    if (ReadMapXml(path, env) != ReadOutcome::Ok)
        state.SkipWithError("the import failed");
}

void BM_ReadMapXml(benchmark::State& state)
{
    const Files& f = files();
    const QString path = state.range(0) == 0 ? f.xml : f.txt;
    MapXmlEnvironment env;
    env.converterPath = f.dir.filePath(QStringLiteral("no-converter"));
    for (auto _ : state)
        readOnce(path, env, state);
    if (!tablesAsMade())
        state.SkipWithError("the tables do not hold the generated map");
    state.counters["lines"] = double(f.lines);
    state.SetLabel(state.range(0) == 0 ? "utf8 .xml" : "cp932 .TXT");
}
BENCHMARK(BM_ReadMapXml)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadMapXmlConverted(benchmark::State& state)
{
    const Files& f = files();
    MapXmlEnvironment env;
    env.converterPath = platform::executableFolder() + QStringLiteral("/../../bin/ransko");
    if (!QFile::exists(env.converterPath)) {
        state.SkipWithError("ransko is not built beside the programs");
        return;
    }
    for (auto _ : state)
        readOnce(f.xml, env, state);
    if (!tablesAsMade())
        state.SkipWithError("the tables do not hold the generated map");
    state.counters["lines"] = double(f.lines);
}
BENCHMARK(BM_ReadMapXmlConverted)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_XmllintStream(benchmark::State& state)
{
    const Files& f = files();
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        state.SkipWithError("xmllint is not installed (Debian libxml2-utils)");
        return;
    }
    int exitCode = 0;
    for (auto _ : state) {
        QProcess process;
        process.start(xmllint, {QStringLiteral("--stream"), QStringLiteral("--noout"), f.xml});
        process.waitForFinished(-1);
        exitCode = process.exitCode();
    }
    if (exitCode != 0)
        state.SkipWithError("xmllint found the file malformed");
    state.counters["lines"] = double(f.lines);
}
BENCHMARK(BM_XmllintStream)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    platform::setPrompter(std::make_unique<platform::ScriptedPrompter>());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
