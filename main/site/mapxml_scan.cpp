// SPDX-License-Identifier: LicenseRef-Tavelcor
// The scanners of the map XML import: one per pass of the line-oriented
// reader, each fed every line in order.
#include "main/site/mapxml_scan.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"

#include <algorithm>

namespace tavelcor::mapxml {
namespace {

constexpr std::uint8_t kDirectCurveColor = 7;
constexpr std::array<std::uint8_t, 3> kBoundaryColors = {11, 10, 13};

QString numberText(qint64 n)
{
    return QString::number(n);
}

// Grows a table indexed by number so that it holds index n.
template <typename T>
void holdIndex(std::vector<T>& table, std::size_t n)
{
    if (table.size() <= n)
        table.resize(n + 1);
}

}  // namespace

Markers::Markers(FileEncoding e)
    : zone(u"<座標系>", e), point(u"zmn:GM_Point id=", e), x(u"zmn:X", e), y(u"zmn:Y", e),
      curve(u"zmn:GM_Curve id=", e), directOpen(u"<zmn:GM_Position.direct>", e),
      directClose(u"</zmn:GM_Position.direct>", e), indirect(u"zmn:GM_Position.indirect", e),
      pointRef(u"zmn:GM_PointRef.point idref=", e), surface(u"zmn:GM_Surface id=", e),
      generator(u"zmn:GM_CompositeCurve.generator idref=", e), ringEnd(u"/zmn:GM_Ring", e),
      idref(u"idref=", e), pointName(u"<点番名>", e), name(u"<名称>", e),
      boundaryMarks{Marker(u"大字界線", e), Marker(u"小字界線", e), Marker(u"市区町村界線", e)},
      parcel(u"<筆 id=", e), parcelEnd(u"</筆>", e), district(u"<大字名>", e),
      parcelNumber(u"<地番>", e), undetermined(u"<筆界未定構成筆>", e), sheetNumber(u"<地図番号>", e),
      corners{Marker(u"<左下座標>", e), Marker(u"<左上座標>", e), Marker(u"<右上座標>", e),
              Marker(u"<右下座標>", e)},
      sheetBlock(u"<図郭>", e), sheetBlockEnd(u"</図郭>", e), sheetRef(u"<筆参照 idref=", e),
      rootEnd(u"</地図>", e)
{
}

// ---- context ---------------------------------------------------------------------

ScanContext::ScanContext(FileEncoding encoding, QString name)
    : markers(encoding), fileName(std::move(name))
{
}

std::optional<int> ScanContext::number(Line& line, int lo, int hi)
{
    const std::optional<qint64> n = idNumber(line.text());
    if (n && *n >= lo && *n <= hi)
        return int(*n);
    failAt(line, QStringLiteral("の番号が範囲外です（") + numberText(lo) + QStringLiteral("～")
                     + numberText(hi) + QStringLiteral("）。"));
    return std::nullopt;
}

void ScanContext::failAt(Line& line, const QString& problem)
{
    failFile(QStringLiteral("の") + numberText(line.number()) + QStringLiteral("行目「") + quotedLine(line.text())
             + QStringLiteral("」") + problem);
}

void ScanContext::failAtNumber(qint64 n, const QString& problem)
{
    failFile(QStringLiteral("の") + numberText(n) + QStringLiteral("行目") + problem);
}

void ScanContext::failFile(const QString& problem)
{
    failure.set(fileName + problem + QStringLiteral("\r\n地図XMLを読み込めません。"));
}

QString tableFullProblem(const QString& what, int limit)
{
    return QStringLiteral("で") + what + QStringLiteral("の件数が上限の") + numberText(limit)
           + QStringLiteral("を超えました。");
}

namespace {

QString openElementProblem()
{
    return QStringLiteral("で始まる要素が閉じないままファイルが終わっています（ファイルが途中で切れています）。");
}

}  // namespace

// ---- points ----------------------------------------------------------------------

void PointScanner::feed(Line& line, Line& previous)
{
    const Markers& m = mC.markers;
    switch (mState) {
    case State::Idle:
        if (line.contains(m.point)) {
            const auto p = mC.number(line, 1, kZahyoTop);
            if (!p)
                return;
            mPoint = *p;
            mStart = line.number();
            mState = State::WantX;
        }
        return;
    case State::WantX:
        if (line.contains(m.point)) {
            mC.failAtNumber(mStart, QStringLiteral("の点に座標（zmn:X）がありません。"));
        } else if (line.contains(m.x)) {
            mX = coordinate(line.text());
            mState = State::WantY;
        }
        return;
    case State::WantY:
        if (!line.contains(m.y)) {
            mC.failAt(previous, QStringLiteral("の次の行に「zmn:Y」がありません。"));
            return;
        }
        ZahyoX[mPoint] = mX;
        ZahyoY[mPoint] = coordinate(line.text());
        ZahyoMax = std::max(ZahyoMax, mPoint);
        holdIndex(mC.found.pointDefined, std::size_t(mPoint));
        mC.found.pointDefined[std::size_t(mPoint)] = true;
        mState = State::Idle;
        return;
    }
}

void PointScanner::finish()
{
    if (mState != State::Idle)
        mC.failAtNumber(mStart, openElementProblem());
}

// ---- curves ----------------------------------------------------------------------

void CurveScanner::feed(Line& line)
{
    const Markers& m = mC.markers;
    if (begin(line))
        return;
    switch (mState) {
    case State::Idle:
        return;
    case State::Seek:
        if (line.contains(m.directOpen)) {
            mEntry = 0;
            mState = State::Direct1;
        } else if (line.contains(m.indirect)) {
            mState = State::Start;
        }
        return;
    case State::Direct1:
        direct(line, true);
        return;
    case State::Direct2:
        direct(line, false);
        return;
    case State::Start:
    case State::End:
        reference(line);
        return;
    }
}

// A line naming a new curve; a curve still being read then has no more
// positions (it stays without points).
bool CurveScanner::begin(Line& line)
{
    if (!line.contains(mC.markers.curve))
        return false;
    const auto c = mC.number(line, 0, kMapXmlCurveTop);
    if (!c)
        return true;
    mCurve = *c;
    mStart = line.number();
    mState = State::Seek;
    return true;
}

// The first direct position gives the start of one line entry, the second
// its end; later positions are not read.
void CurveScanner::direct(Line& line, bool first)
{
    const Markers& m = mC.markers;
    if (line.contains(m.directClose)) {
        mState = first ? State::Direct2 : State::Idle;
    } else if (line.contains(m.x)) {
        if (!first) {
            if (mEntry != 0)
                LineX2[mEntry] = coordinate(line.text());
            return;
        }
        if (LineNext >= kLineTop) {
            mC.failAt(line, tableFullProblem(QStringLiteral("線"), kLineTop));
            return;
        }
        mEntry = ++LineNext;
        LineColor[mEntry] = kDirectCurveColor;
        LineX1[mEntry] = coordinate(line.text());
        LineY1[mEntry] = LineX2[mEntry] = LineY2[mEntry] = 0.0;
    } else if (line.contains(m.y) && mEntry != 0) {
        if (first)
            LineY1[mEntry] = coordinate(line.text());
        else
            LineY2[mEntry] = coordinate(line.text());
    }
}

void CurveScanner::reference(Line& line)
{
    if (!line.contains(mC.markers.pointRef))
        return;
    const auto p = mC.number(line, 1, kZahyoTop);
    if (!p)
        return;
    if (mState == State::Start) {
        mStartPoint = *p;
        mState = State::End;
        return;
    }
    Found& f = mC.found;
    holdIndex(f.curveStart, std::size_t(mCurve));
    holdIndex(f.curveEnd, std::size_t(mCurve));
    f.curveStart[std::size_t(mCurve)] = mStartPoint;
    f.curveEnd[std::size_t(mCurve)] = *p;
    mState = State::Idle;
}

void CurveScanner::finish()
{
    if (mState != State::Idle && mState != State::Seek)
        mC.failAtNumber(mStart, openElementProblem());
}

// ---- surfaces --------------------------------------------------------------------

void SurfaceScanner::feed(Line& line)
{
    const Markers& m = mC.markers;
    if (!mInRing) {
        if (!line.contains(m.surface))
            return;
        const auto s = mC.number(line, 1, kKakuchiTop);
        if (!s)
            return;
        mSurface = *s;
        mC.found.highestSurface = std::max(mC.found.highestSurface, mSurface);
        holdIndex(mC.found.surfaceDefined, std::size_t(mSurface));
        mC.found.surfaceDefined[std::size_t(mSurface)] = true;
        mFirst = true;
        mInRing = true;
        mStart = line.number();
        return;
    }
    if (line.contains(m.ringEnd)) {
        closeRing();
    } else if (line.contains(m.generator)) {
        const auto c = mC.number(line, 0, kMapXmlCurveTop);
        if (!c)
            return;
        if (mSlot > kKakuchiVertexTop) {
            mC.failAt(line, tableFullProblem(QStringLiteral("画地の頂点"), kKakuchiVertexTop));
            return;
        }
        if (mFirst)
            KakuchiFirst[mSurface] = mSlot;
        mFirst = false;
        mC.found.vertexCurves.push_back({*c, line.number()});
        ++mSlot;
    } else if (line.contains(m.surface)) {
        mC.failAtNumber(mStart, QStringLiteral("の面の外周（GM_Ring）が閉じていません。"));
    }
}

// The ring's vertices are the start points of its curves; the end point of
// the last curve closes the ring and is left out.
void SurfaceScanner::closeRing()
{
    if (mFirst)
        KakuchiFirst[mSurface] = mSlot;  // a ring without curves holds no vertex
    KakuchiLast[mSurface] = mSlot - 1;
    mInRing = false;
}

void SurfaceScanner::finish()
{
    if (mInRing)
        mC.failAtNumber(mStart, openElementProblem());
}

// ---- names, boundary lines and parcels -------------------------------------------------

void NameScanner::feed(Line& line, Line& previous)
{
    switch (mState) {
    case State::Normal:
        normal(line, previous);
        return;
    case State::AfterName:
        afterName(line);
        return;
    case State::InParcel:
        inParcel(line);
        return;
    }
}

void NameScanner::normal(Line& line, Line& previous)
{
    const Markers& m = mC.markers;
    const bool pointName = line.contains(m.pointName);
    if (pointName || line.contains(m.name)) {
        mName = elementText(line.text());
        mPointName = pointName;
        mState = State::AfterName;
        return;
    }
    for (std::size_t k = 0; k < m.boundaryMarks.size(); ++k) {
        if (!line.contains(m.boundaryMarks[k]))
            continue;
        if (previous.empty() || !previous.contains(m.idref))
            return;
        const auto c = mC.number(previous, 0, kMapXmlCurveTop);
        if (!c)
            return;
        if (mC.found.boundaries.size() >= std::size_t(kLineTop)) {
            mC.failAt(line, tableFullProblem(QStringLiteral("線"), kLineTop));
            return;
        }
        mC.found.boundaries.push_back({*c, kBoundaryColors[k]});
        return;
    }
    if (line.contains(m.parcel))
        startParcel(line);
}

// The line after a point's name: its idref names the point.
void NameScanner::afterName(Line& line)
{
    mState = State::Normal;
    if (!line.contains(mC.markers.idref))
        return;
    const auto p = mC.number(line, 1, kZahyoTop);
    if (!p)
        return;
    ZahyoName[*p] = mName;
    if (mPointName)
        ZahyoUsed[*p] = 1;
}

void NameScanner::startParcel(Line& line)
{
    const auto h = mC.number(line, 1, kKakuchiTop);
    if (!h)
        return;
    mParcel = *h;
    mC.found.highestParcel = std::max(mC.found.highestParcel, mParcel);
    mUndetermined = false;
    mStart = line.number();
    mState = State::InParcel;
}

void NameScanner::inParcel(Line& line)
{
    const Markers& m = mC.markers;
    if (line.contains(m.parcelEnd)) {
        mState = State::Normal;
    } else if (line.contains(m.parcel)) {
        startParcel(line);  // a parcel without its "</筆>" ends where the next begins
    } else if (line.contains(m.undetermined)) {
        mUndetermined = true;
    } else if (line.contains(m.district)) {
        KakuchiInfo[mParcel] = elementText(line.text());
    } else if (line.contains(m.parcelNumber)) {
        const QString number = elementText(line.text());
        if (mUndetermined)
            KakuchiName[mParcel] += u'(' + number + u')';
        else
            KakuchiName[mParcel] = number;
    }
}

void NameScanner::finish()
{
    if (mState == State::InParcel)
        mC.failAtNumber(mStart, openElementProblem());
}

// ---- map sheets and their parcel references ----------------------------------------

void SheetScanner::feed(Line& line)
{
    const Markers& m = mC.markers;
    Found& f = mC.found;
    if (line.contains(m.sheetBlock)) {
        ++mSheetBlocks;
        mInBlock = true;
    } else if (line.contains(m.sheetBlockEnd)) {
        mInBlock = false;
    } else if (mInBlock && line.contains(m.sheetRef)) {
        const auto h = mC.number(line, 1, kKakuchiTop);
        if (h && f.sheetRefs.size() >= std::size_t(kKakuchiTop))
            mC.failAt(line, tableFullProblem(QStringLiteral("筆参照"), kKakuchiTop));
        else if (h)
            f.sheetRefs.push_back({mSheetBlocks, *h});
        return;
    }
    if (line.contains(m.sheetNumber)) {
        if (f.sheets.size() >= std::size_t(kLineTop / 4)) {
            mC.failAt(line, QStringLiteral("で図郭の件数が上限を超えました。"));
            return;
        }
        f.sheets.push_back({elementText(line.text(), kSheetNumberWidth), {}, {}});
        mState = State::Idle;
        return;
    }
    for (int k = 0; k < 4; ++k) {
        if (line.contains(m.corners[std::size_t(k)])) {
            mCorner = k;
            mStart = line.number();
            mState = f.sheets.empty() ? State::Idle : State::WantX;  // no sheet yet: nothing to place
            return;
        }
    }
    if (mState == State::WantX && line.contains(m.x)) {
        mX = coordinate(line.text());
        mState = State::WantY;
    } else if (mState == State::WantY && line.contains(m.y)) {
        Found::Sheet& sheet = f.sheets.back();
        sheet.corner[std::size_t(2 * mCorner)] = mX;
        sheet.corner[std::size_t(2 * mCorner + 1)] = coordinate(line.text());
        sheet.seen[std::size_t(mCorner)] = true;
        mState = State::Idle;
    }
}

void SheetScanner::finish()
{
    if (mState != State::Idle)
        mC.failAtNumber(mStart, openElementProblem());
}

// ---- the import --------------------------------------------------------------------------

Import::Import(FileEncoding encoding, QString fileName)
    : mContext(encoding, std::move(fileName)), mPoints(mContext), mCurves(mContext),
      mSurfaces(mContext), mNames(mContext), mSheets(mContext)
{
}

void Import::feed(Line& line, Line& previous)
{
    Found& f = mContext.found;
    const Markers& m = mContext.markers;
    if (!f.zone && line.contains(m.zone)) {
        f.zone = zoneNumber(line.text());
        if (!f.zone)
            mContext.failAt(line, QStringLiteral("の座標系の番号が範囲外です。"));
    }
    if (!f.rootEnded && line.contains(m.rootEnd))
        f.rootEnded = true;
    mPoints.feed(line, previous);
    mCurves.feed(line);
    mSurfaces.feed(line);
    mNames.feed(line, previous);
    mSheets.feed(line);
}

void Import::finish(qint64 lastLine)
{
    mPoints.finish();
    mCurves.finish();
    mSurfaces.finish();
    mNames.finish();
    mSheets.finish();
    if (!mContext.found.rootEnded)
        mContext.failAtNumber(lastLine, QStringLiteral("でファイルが終わっていますが「</地図>」がありません（ファイルが途中で切れています）。"));
    if (!mContext.found.zone)
        mContext.failFile(QStringLiteral("に「<座標系>」の行がありません。"));
}

}  // namespace tavelcor::mapxml
