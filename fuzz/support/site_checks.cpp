// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "fuzz/support/site_checks.h"

#include "fuzz/support/fuzz_support.h"

#include "main/app/view_fit.h"
#include "main/site/dat_files.h"
#include "main/site/settings_file.h"
#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <vector>

namespace fuzz {
namespace {

using namespace tavelcor;

// A value written with `decimals` decimals and read back lies within half a
// unit of the last decimal (plus the formatter's bias and rounding of the
// value itself).
bool sameWritten(double before, double after, int decimals)
{
    const double half = 0.5 * std::pow(10.0, -decimals) + 1e-7;
    return std::fabs(after - before) <= half + std::fabs(before) * 4e-16;
}

QString number(double v)
{
    return QString::number(v, 'g', 17);
}

struct SavedCoordinate {
    int n;
    double x, y, h;
};

// True when a save writes coordinate n: a written name, or an unnamed point
// that a parcel has as a vertex (its name stays free after a map XML file).
bool savedCoordinate(std::int32_t n, const std::vector<bool>& vertices)
{
    return isWrittenZahyoName(ZahyoName[n]) || (ZahyoName[n] == freeZahyoName() && vertices[std::size_t(n)]);
}

// The coordinate numbers that some parcel has as a vertex.
std::vector<bool> vertexNumbers()
{
    std::vector<bool> used(std::size_t(kZahyoTop) + 1, false);
    for (int p = 1; p <= KakuchiCount; ++p) {
        for (std::int32_t k = std::max(KakuchiFirst[p], 0); k <= std::min(KakuchiLast[p], kKakuchiVertexTop); ++k) {
            const std::int32_t n = KakuchiVertex[k];
            if (n >= 1 && n <= kZahyoTop)
                used[std::size_t(n)] = true;
        }
    }
    return used;
}

// The vertices of parcel p whose coordinates a save writes.
int writtenVertices(int p, const std::vector<bool>& vertices)
{
    int count = 0;
    for (std::int32_t k = std::max(KakuchiFirst[p], 0); k <= std::min(KakuchiLast[p], kKakuchiVertexTop); ++k) {
        const std::int32_t n = KakuchiVertex[k];
        if (n >= 1 && n <= kZahyoTop && savedCoordinate(n, vertices))
            ++count;
    }
    return count;
}

// Empty tables, as a new start before reading the saved file.
void startAgain()
{
    resetSite();
}

}  // namespace

void fitAsStartUpDoes(const std::vector<std::int32_t>& unplaced)
{
    fitViewToCoordinates(unplaced);
    if (!std::isfinite(OriginX) || !std::isfinite(OriginY))
        fail(QStringLiteral("the site origin is not finite: ") + number(OriginX) + u' ' + number(OriginY));
    setPlotCoordinates();
    placeParcelLabels();
}

void checkSimaSurvivesSave(const QString& path)
{
    const std::vector<bool> vertexNumber = vertexNumbers();
    std::vector<SavedCoordinate> coordinates;
    for (int n = 1; n <= std::min(ZahyoMax, kZahyoTop); ++n) {
        if (savedCoordinate(n, vertexNumber))
            coordinates.push_back({n, ZahyoX[n], ZahyoY[n], ZahyoH[n]});
    }
    std::vector<int> vertices;
    for (int p = 1; p <= KakuchiCount; ++p)
        vertices.push_back(writtenVertices(p, vertexNumber));

    const QString saved = path + QStringLiteral(".saved.SIM");
    if (writeZahyoSim(saved).failed())
        fail(QStringLiteral("the SIMA file could not be saved"));
    startAgain();
    if (ReadSima(saved) != ReadOutcome::Ok)
        fail(QStringLiteral("the saved SIMA file does not read back"));

    for (const SavedCoordinate& c : coordinates) {
        if (!isWrittenZahyoName(ZahyoName[c.n]))
            fail(QStringLiteral("coordinate %1 is lost").arg(c.n));
        if (!sameWritten(c.x, ZahyoX[c.n], 3) || !sameWritten(c.y, ZahyoY[c.n], 3) || !sameWritten(c.h, ZahyoH[c.n], 3))
            fail(QStringLiteral("coordinate %1 changed: ").arg(c.n) + number(c.x) + u' ' + number(c.y) + u' '
                 + number(c.h) + QStringLiteral(" became ") + number(ZahyoX[c.n]) + u' ' + number(ZahyoY[c.n])
                 + u' ' + number(ZahyoH[c.n]));
    }
    if (KakuchiCount != int(vertices.size()))
        fail(QStringLiteral("%1 parcels became %2").arg(vertices.size()).arg(KakuchiCount));
    for (int p = 1; p <= KakuchiCount; ++p) {
        const int now = KakuchiLast[p] - KakuchiFirst[p] + 1;
        if (now != vertices[std::size_t(p - 1)])
            fail(QStringLiteral("parcel %1 had %2 vertices, now %3").arg(p).arg(vertices[std::size_t(p - 1)]).arg(now));
    }
}

namespace {

struct PointRow {
    int i;
    double x, y;
    std::uint8_t mark;
};

void checkPoints()
{
    std::vector<PointRow> rows;
    for (int i = 1; i <= PointCount; ++i) {
        if (PointMark[i] != 0)
            rows.push_back({i, PointX[i], PointY[i], PointMark[i]});
    }
    if (writePointDat(SiteFolder).failed())
        fail(QStringLiteral("POINT.DAT could not be saved"));
    startAgain();
    if (readPointDat(SiteFolder) != ReadOutcome::Ok)
        fail(QStringLiteral("the saved POINT.DAT does not read back"));
    for (const PointRow& r : rows) {
        if (PointMark[r.i] != r.mark || !sameWritten(r.x, PointX[r.i], 2) || !sameWritten(r.y, PointY[r.i], 2))
            fail(QStringLiteral("point %1 changed: ").arg(r.i) + number(r.x) + u' ' + number(r.y)
                 + QStringLiteral(" became ") + number(PointX[r.i]) + u' ' + number(PointY[r.i]));
    }
}

struct LineRow {
    double x1, y1, x2, y2;
    std::uint8_t colour;
};

void checkLines()
{
    std::vector<LineRow> rows;
    for (int i = 1; i < LineNext; ++i) {
        if (LineX1[i] != LineX2[i] || LineY1[i] != LineY2[i])
            rows.push_back({LineX1[i], LineY1[i], LineX2[i], LineY2[i], LineColor[i]});
    }
    if (writeLineDat(SiteFolder).failed())
        fail(QStringLiteral("LINE.DAT could not be saved"));
    startAgain();
    if (readLineDat(SiteFolder) != ReadOutcome::Ok)
        fail(QStringLiteral("the saved LINE.DAT does not read back"));
    if (LineNext - 1 != int(rows.size()))
        fail(QStringLiteral("%1 lines became %2").arg(rows.size()).arg(LineNext - 1));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const LineRow& r = rows[k];
        const int i = int(k) + 1;
        if (LineColor[i] != r.colour || !sameWritten(r.x1, LineX1[i], 2) || !sameWritten(r.y1, LineY1[i], 2)
            || !sameWritten(r.x2, LineX2[i], 2) || !sameWritten(r.y2, LineY2[i], 2))
            fail(QStringLiteral("line %1 changed").arg(i));
    }
}

// A single-precision value written with 2 decimals and read back as single
// precision: half a unit of the last decimal and half a unit in the last
// place of the float on both sides.
bool sameSingle(float before, float after)
{
    const double ulp = std::fabs(double(before)) * 1.2e-7;
    return std::fabs(double(after) - double(before)) <= 0.005 + 1e-7 + 2 * ulp;
}

// TEGAKI.DAT is written for every index up to the highest one read, so an
// input naming vertex 1000000 makes a save of a million rows: the save check
// is left to smaller tables, where it costs what it shows.
constexpr int kLargestCheckedTegaki = 20000;

void checkTegaki()
{
    if (TegakiCount > kLargestCheckedTegaki)
        return;
    struct Row {
        float x, y;
        std::uint8_t pen, colour;
    };
    std::vector<Row> rows;
    for (int i = 1; i <= TegakiCount; ++i)
        rows.push_back({TegakiX[i], TegakiY[i], TegakiPen[i], TegakiColor[i]});
    if (writeTegakiDat(SiteFolder).failed())
        fail(QStringLiteral("TEGAKI.DAT could not be saved"));
    startAgain();
    if (readTegakiDat(SiteFolder) != ReadOutcome::Ok)
        fail(QStringLiteral("the saved TEGAKI.DAT does not read back"));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int i = int(k) + 1;
        const Row& r = rows[k];
        if (TegakiPen[i] != r.pen || TegakiColor[i] != r.colour || !sameSingle(r.x, TegakiX[i])
            || !sameSingle(r.y, TegakiY[i]))
            fail(QStringLiteral("stroke vertex %1 changed: ").arg(i) + number(r.x) + u' ' + number(r.y)
                 + QStringLiteral(" became ") + number(TegakiX[i]) + u' ' + number(TegakiY[i]));
    }
}

void checkTexts()
{
    struct Row {
        float x, y;
        QByteArray text;
        std::uint8_t colour;
    };
    std::vector<Row> rows;
    for (int i = 1; i <= TxtCount; ++i)
        rows.push_back({TxtX[i], TxtY[i], platform::toCp932(TxtString[i]), TxtColor[i]});
    if (writeTextDat(SiteFolder).failed())
        fail(QStringLiteral("TEXT.DAT could not be saved"));
    startAgain();
    if (readTextDat(SiteFolder) != ReadOutcome::Ok)
        fail(QStringLiteral("the saved TEXT.DAT does not read back"));
    if (TxtCount != int(rows.size()))
        fail(QStringLiteral("%1 texts became %2").arg(rows.size()).arg(TxtCount));
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int i = int(k) + 1;
        const Row& r = rows[k];
        if (TxtColor[i] != r.colour || platform::toCp932(TxtString[i]) != r.text || !sameSingle(r.x, TxtX[i])
            || !sameSingle(r.y, TxtY[i]))
            fail(QStringLiteral("text %1 changed").arg(i));
    }
}

}  // namespace

void checkDatSurvivesSave(DatFile file)
{
    switch (file) {
    case DatFile::Point: checkPoints(); return;
    case DatFile::Line: checkLines(); return;
    case DatFile::Tegaki: checkTegaki(); return;
    case DatFile::Text: checkTexts(); return;
    }
}

QByteArray savedSettings()
{
    const WriteResult written = SaveSettings({});
    QFile file(written.path);
    if (written.failed() || !file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("tavelcor.jkn could not be saved"));
    return file.readAll();
}

void checkSettingsSurviveSave()
{
    const QByteArray first = savedSettings();
    startAgain();
    (void)LoadSettings([](float) {});
    const QByteArray second = savedSettings();
    if (first != second)
        fail(QStringLiteral("tavelcor.jkn changed at the second save:\n") + QString::fromLatin1(first.toPercentEncoding(" \r\n"))
             + QStringLiteral("\nbecame\n") + QString::fromLatin1(second.toPercentEncoding(" \r\n")));
}

}  // namespace fuzz
