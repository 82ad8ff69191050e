// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import after the reading: what one pass found that needs
// another pass's results is written into the tables, in the passes' order.
#include "main/site/mapxml_scan.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"

#include <algorithm>
#include <utility>

namespace tavelcor::mapxml {
namespace {

constexpr std::uint8_t kSheetFrameColor = 6;

}  // namespace

ReadOutcome Import::apply(const std::function<bool(const QString&)>& askYes)
{
    if (failed() || !mContext.found.zone)
        return ReadOutcome::StopProgram;
    ZoneNo = std::uint8_t(*mContext.found.zone);
    if (!resolveVertices())
        return ReadOutcome::StopProgram;
    emptyParcelsWithoutSurface();
    const bool done = appendBoundaries() && storeSheets()
                      && (mContext.found.zone.value_or(0) == 0 ? renumberBySheets(askYes) : setParcelCount());
    return done ? ReadOutcome::Ok : ReadOutcome::StopProgram;
}

// Vertex slot v of a surface holds the start point of the v-th curve of its
// ring; a curve without point references, or a point without coordinates,
// cannot give a vertex.
bool Import::resolveVertices()
{
    const Found& f = mContext.found;
    for (std::size_t i = 0; i < f.vertexCurves.size(); ++i) {
        const Found::VertexRef& ref = f.vertexCurves[i];
        const auto c = std::size_t(ref.curve);
        const std::int32_t p = c < f.curveStart.size() ? f.curveStart[c] : 0;
        if (p == 0) {
            mContext.failAtNumber(ref.line, QStringLiteral("の面が、点で定まっていない曲線（番号 ")
                                                + QString::number(ref.curve) + QStringLiteral("）を参照しています。"));
            return false;
        }
        if (std::size_t(p) >= f.pointDefined.size() || !f.pointDefined[std::size_t(p)]) {
            mContext.failAtNumber(ref.line, QStringLiteral("の面の頂点（点番号 ") + QString::number(p)
                                                + QStringLiteral("）に座標がありません。"));
            return false;
        }
        KakuchiVertex[std::ptrdiff_t(i) + 1] = p;
    }
    return true;
}

// A parcel number that no surface describes (a gap in the numbering, a
// parcel whose surface is missing) holds no vertex: its run is made empty
// (last slot one before the first), where the untouched first and last slot
// 0 would make it one vertex naming coordinate 0, the scratch number, which
// the coordinate file would then carry as a vertex that reads back missing.
void Import::emptyParcelsWithoutSurface()
{
    const Found& f = mContext.found;
    int top = std::max(f.highestParcel, f.highestSurface);
    for (const Found::SheetRef& ref : f.sheetRefs)
        top = std::max(top, int(ref.parcel));
    for (int p = 1; p <= top; ++p) {
        const auto i = std::size_t(p);
        if (i < f.surfaceDefined.size() && f.surfaceDefined[i])
            continue;
        KakuchiFirst[p] = 0;
        KakuchiLast[p] = -1;
    }
}

// Boundary lines run from the start to the end point of their curve. A
// boundary whose curve has no point references (given by direct positions,
// already drawn as such, or missing) adds no line.
bool Import::appendBoundaries()
{
    const Found& f = mContext.found;
    const auto defined = [&f](std::int32_t p) {
        return p > 0 && std::size_t(p) < f.pointDefined.size() && f.pointDefined[std::size_t(p)];
    };
    for (const Found::Boundary& b : f.boundaries) {
        const auto c = std::size_t(b.curve);
        if (c >= f.curveStart.size() || !defined(f.curveStart[c]) || !defined(f.curveEnd[c]))
            continue;
        if (LineNext >= kLineTop) {
            mContext.failFile(tableFullProblem(QStringLiteral("線"), kLineTop));
            return false;
        }
        const int e = ++LineNext;
        const int a = f.curveStart[c];
        const int z = f.curveEnd[c];
        LineX1[e] = ZahyoX[a];
        LineY1[e] = ZahyoY[a];
        LineX2[e] = ZahyoX[z];
        LineY2[e] = ZahyoY[z];
        LineColor[e] = b.color;
    }
    return true;
}

// Each map sheet: one observation point named by its number at the upper-left
// corner, and four frame lines lower left -> upper left -> upper right ->
// lower right -> lower left, placed right after the last line written.
// LineNext ends one past the last frame line.
bool Import::storeSheets()
{
    const std::vector<Found::Sheet>& sheets = mContext.found.sheets;
    const qint64 firstEntry = qint64(LineNext) + 1;
    const qint64 lastEntry = firstEntry + 4 * qint64(sheets.size()) - 1;
    if (lastEntry > kLineTop || qint64(PointCount) + qint64(sheets.size()) > kPointTop) {
        const bool lines = lastEntry > kLineTop;
        mContext.failFile(tableFullProblem(lines ? QStringLiteral("線") : QStringLiteral("ポイント"),
                                           lines ? kLineTop : kPointTop));
        return false;
    }
    int a = int(firstEntry);
    for (const Found::Sheet& sheet : sheets) {
        const auto& c = sheet.corner;  // lower left, upper left, upper right, lower right
        for (int k = 0; k < 4; ++k) {
            const int e = a + k;
            const std::size_t from = std::size_t(2 * k);
            const std::size_t to = std::size_t(2 * ((k + 1) % 4));
            LineX1[e] = c[from];
            LineY1[e] = c[from + 1];
            LineX2[e] = c[to];
            LineY2[e] = c[to + 1];
            LineColor[e] = sheet.seen[1] ? kSheetFrameColor : 0;
        }
        const int p = ++PointCount;
        PointName[p] = sheet.name;
        PointName2[p] = QString();
        if (sheet.seen[1]) {
            PointX[p] = c[2];
            PointY[p] = c[3];
            PointMark[p] = 1;
        }
        a += 4;
    }
    LineNext = a;
    return true;
}

// The parcels are those numbered by "<筆 id=" (the highest number is the
// count); a file without any keeps the surfaces' count.
bool Import::setParcelCount()
{
    const Found& f = mContext.found;
    const int count = f.highestParcel > 0 ? f.highestParcel : f.highestSurface;
    if (count > kKakuchiCountLimit) {
        mContext.failFile(tableFullProblem(QStringLiteral("筆"), kKakuchiCountLimit));
        return false;
    }
    KakuchiCount = std::int16_t(count);
    return true;
}

// A file without a public zone: the parcels become those the map sheets
// list, in their order (a parcel listed twice comes twice; one listed by no
// sheet is dropped), optionally named with the sheet's number appended.
bool Import::renumberBySheets(const std::function<bool(const QString&)>& askYes)
{
    const Found& f = mContext.found;
    if (f.sheetRefs.size() > std::size_t(kKakuchiCountLimit)) {
        mContext.failFile(tableFullProblem(QStringLiteral("筆"), kKakuchiCountLimit));
        return false;
    }
    const bool appendSheet = f.sheets.size() > 1 && askYes(QStringLiteral("地番の後に図面番号を追加しますか"));
    int top = std::max(f.highestParcel, f.highestSurface);
    for (const Found::SheetRef& ref : f.sheetRefs) {
        top = std::max(top, int(ref.parcel));
        if (appendSheet) {
            const bool named = ref.sheet >= 1 && ref.sheet <= PointCount;
            KakuchiName[ref.parcel] += u'_' + (named ? PointName[ref.sheet] : QString());
        }
    }
    // Every parcel that exists is saved first, so that a reference to a number
    // above the count of references still finds its parcel.
    std::vector<QString> names(std::size_t(top) + 1), infos(std::size_t(top) + 1);
    std::vector<std::int32_t> firsts(std::size_t(top) + 1), lasts(std::size_t(top) + 1);
    for (int i = 1; i <= top; ++i) {
        names[std::size_t(i)] = std::exchange(KakuchiName[i], QString());
        infos[std::size_t(i)] = std::exchange(KakuchiInfo[i], QString());
        firsts[std::size_t(i)] = std::exchange(KakuchiFirst[i], 0);
        lasts[std::size_t(i)] = std::exchange(KakuchiLast[i], 0);
    }
    int i = 0;
    for (const Found::SheetRef& ref : f.sheetRefs) {
        const auto h = std::size_t(ref.parcel);
        ++i;
        KakuchiName[i] = names[h];
        KakuchiInfo[i] = infos[h];
        KakuchiFirst[i] = firsts[h];
        KakuchiLast[i] = lasts[h];
    }
    KakuchiCount = std::int16_t(i);
    return true;
}

}  // namespace tavelcor::mapxml
