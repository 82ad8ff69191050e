// SPDX-License-Identifier: LicenseRef-Tavelcor
// The seven feature sections of the SXF file, in the order written:
// observation points, lines, hand strokes, texts, survey coordinates, parcel
// outlines, parcel labels. Each walks its table from the first entry to the
// last; with the opening question answered No (the filter applies) only what
// the plot shows is written.
#include "main/export/sxf_writer.h"

#include "main/render/filters.h"
#include "main/site/line_length.h"
#include "main/site/tables.h"
#include "platform/text/strings.h"

#include <algorithm>

namespace tavelcor::sxf {
namespace {

constexpr int kPointLayer = 1;
constexpr int kLineLayer = 2;
constexpr int kStrokeLayer = 3;
constexpr int kCoordinateLayer = 5;
constexpr int kParcelLayer = 6;
// Texts, coordinate labels and parcel features are drawn in white.
constexpr int kWhiteSxf = 15;
constexpr int kBlackSxf = 1;
// Items whose colour index is above this are never written.
constexpr int kHighestWrittenColor = 19;
// Parcel attribute columns written as label rows.
constexpr int kAttributeRows = 10;

bool isOn(int switchValue)
{
    return switchValue != 0;
}

// The vertex slots of parcel p, when its range and every coordinate number
// in it lie inside their tables.
bool parcelIsWritable(int p)
{
    const std::int32_t first = KakuchiFirst[p];
    const std::int32_t last = KakuchiLast[p];
    if (first < 0 || last < first || last > kKakuchiVertexTop)
        return false;
    for (std::int32_t s = first; s <= last; ++s)
        if (KakuchiVertex[s] < 0 || KakuchiVertex[s] > kZahyoTop)
            return false;
    return true;
}

}  // namespace

// ---- 1. observation points --------------------------------------------------------

void SxfWriter::writePoints()
{
    const int top = std::min<int>(PointCount, kPointTop);
    for (int i = 1; i <= top; ++i) {
        const int m = PointMark[i];
        if (filterApplies()) {
            const std::uint32_t rgb = m >= 1 && m <= kSymbolCount ? mView.symbolColorRgb[std::size_t(m)] : 0U;
            if (!render::pointShownBy(m, mView.check12, rgb))
                continue;
            if (!isOn(mView.check16) && PointName2[i].contains(u"済"))
                continue;
        }
        if (m == 0 || m >= 20)
            continue;
        const double east = PointY[i] + OriginY;
        const double north = PointX[i] + OriginX;
        const int color = m <= kSymbolCount ? sxfColorOf(SymbolColor[m]) : kBlackSxf;
        if (mView.markMode == 1) {
            const MarkerCode marker = markerCodeOf(mMarkerClass[std::size_t(m)]);
            begin("point_marker_feature");
            attr(kPointLayer);
            attr(color);
            attrCoordinate(east);
            attrCoordinate(north);
            attr(marker.code);
            attr(marker.angle);
            attrPlain(mMarkScale);
            end();
        } else {
            const QString& caption = m <= kSymbolCount ? mView.symbolCaption[std::size_t(m)] : QString();
            textFeatureWithWidth(kPointLayer, color, caption, east, north, mMarkH, mMarkH.text, 5);
        }
        writePointLabel(i, east, north);
    }
}

// The name label beside a point: its name, "_" and its second name when
// there is one.
void SxfWriter::writePointLabel(int i, double eastM, double northM)
{
    const QString& name = PointName[i];
    const QStringView name2 = PointName2[i];
    const bool hasName2 = !platform::trimmedView(name2).isEmpty();
    if (platform::trimmedView(name).isEmpty() && !hasName2)
        return;
    mLabel.clear();
    mLabel << QStringView(name);
    if (hasName2) {
        QStringView kept = name2;
        while (kept.endsWith(u' '))
            kept.chop(1);
        mLabel << u'_' << kept;
    }
    textFeature(kPointLayer, kBlackSxf, mLabel.view(), eastM + mLabelOffsetM, northM, mLabelH, 7);
}

// ---- 2. lines -------------------------------------------------------------------------

void SxfWriter::writeLines()
{
    const int top = std::min<int>(LineNext - 1, kLineTop);
    for (int i = 1; i <= top; ++i) {
        if (filterApplies() && !render::LineShown(i))
            continue;
        // A line without length (the empty entry 1 of a map XML site) would
        // be a zero-length feature at the zone origin.
        if (LineColor[i] > kHighestWrittenColor || lineWithoutLength(i))
            continue;
        begin("line_feature");
        attr(kLineLayer);
        attr(sxfColorOf(LineColor[i]));
        attr(1);
        attr(1);
        attrCoordinate(LineY1[i] + OriginY);
        attrCoordinate(LineX1[i] + OriginX);
        attrCoordinate(LineY2[i] + OriginY);
        attrCoordinate(LineX2[i] + OriginX);
        end();
    }
}

// ---- 3. hand strokes ------------------------------------------------------------------

void SxfWriter::writeStrokes()
{
    if (filterApplies() && !isOn(mView.check14))
        return;
    const int top = std::min<int>(TegakiCount, kTegakiTop);
    // Vertex 1 of the table is never part of a stroke.
    int current = 2;
    for (;;) {
        int s = current;
        while (s <= top && TegakiPen[s] != 1)
            ++s;
        if (s > top)
            return;
        int e = s + 1;
        while (e <= top && TegakiPen[e] != 3 && TegakiPen[e] != 0)
            ++e;
        if (e > top)
            return;  // a stroke without its end is not written
        writeStroke(s, e);
        current = e + 1;
    }
}

// One stroke, vertices s..e. A vertex on the very spot of the vertex before
// it in the table is moved east by 1, 2, 3, 4, 1, ... millimetres, so that a
// CAD program does not drop it as a zero-length segment.
void SxfWriter::writeStroke(int s, int e)
{
    begin("polyline_feature");
    attr(kStrokeLayer);
    attr(sxfColorOf(TegakiColor[s + 1]));
    attr(1);
    attr(2);
    attr(e - s + 1);
    int repeats = 0;
    attrMillimetreList(e - s + 1, [&](std::int32_t k) {
        const int v = s + k;
        double east = static_cast<double>(TegakiY[v]) + OriginY;
        if (TegakiX[v] == TegakiX[v - 1] && TegakiY[v] == TegakiY[v - 1]) {
            east += 0.001 * (repeats % 4 + 1);
            ++repeats;
        }
        return east;
    });
    attrMillimetreList(e - s + 1, [&](std::int32_t k) { return static_cast<double>(TegakiX[s + k]) + OriginX; });
    end();
}

// ---- 4. texts -------------------------------------------------------------------------

void SxfWriter::writeTexts()
{
    if (filterApplies() && !isOn(mView.check15))
        return;
    const int top = std::min<int>(TxtCount, kTxtTop);
    for (int t = 1; t <= top; ++t) {
        if (filterApplies() && !render::TextShown(t))
            continue;
        if (TxtString[t].isEmpty() || TxtColor[t] > kHighestWrittenColor)
            continue;
        layoutSxfText(t, mTextHeightM, mLines);
        const double east = static_cast<double>(TxtY[t]) + OriginY;
        for (int k = 1; k <= mLines.count(); ++k) {
            const auto at = static_cast<std::size_t>(k - 1);
            textFeature(textLayer(k), kWhiteSxf, mLines.text[at], east,
                        static_cast<double>(mLines.north[at]) + OriginX, mTextH, 7);
        }
    }
}

// ---- 5. survey coordinates ------------------------------------------------------------

void SxfWriter::writeCoordinates()
{
    if (filterApplies() && !isOn(mView.check1) && !isOn(mView.check2))
        return;
    const QString freeName = freeZahyoName();
    const int top = std::min<int>(ZahyoMax, kZahyoTop);
    for (int c = 1; c <= top; ++c) {
        if (ZahyoName[c] == freeName)
            continue;
        begin("point_marker_feature");
        attr(kCoordinateLayer);
        attr(kWhiteSxf);
        attrCoordinate(ZahyoY[c]);
        attrCoordinate(ZahyoX[c]);
        attr(2);
        attr(0);
        attrPlain(mMarkScale);
        end();
        writeCoordinateLabel(c, ZahyoY[c], ZahyoX[c]);
    }
}

// The label by the switches: the name, the number, or " 12 (name)" (the
// blanks count in the width and vanish from the line).
void SxfWriter::writeCoordinateLabel(int c, double eastM, double northM)
{
    const QString& name = ZahyoName[c];
    const bool unnamed = platform::trimmedView(name).isEmpty();
    mLabel.clear();
    if (!isOn(mView.check1)) {
        if (unnamed)
            return;
        mLabel << QStringView(name);
    } else if (!isOn(mView.check2) || unnamed) {
        sitetext::appendInt(mLabel, c);
    } else {
        mLabel << u' ';
        sitetext::appendInt(mLabel, c);
        mLabel << u" (" << QStringView(name) << u')';
    }
    textFeature(kCoordinateLayer, kWhiteSxf, mLabel.view(), eastM + mLabelOffsetM, northM, mLabelH, 7);
}

// ---- 6. parcel outlines ---------------------------------------------------------------

void SxfWriter::writeParcelOutlines()
{
    for (int p = 1; p <= KakuchiCount; ++p)
        if (parcelIsWritable(p))
            writeParcelOutline(p);
}

// A closed parcel repeats its first vertex at the end.
void SxfWriter::writeParcelOutline(int p)
{
    const std::int32_t first = KakuchiFirst[p];
    const std::int32_t last = KakuchiLast[p];
    const bool closed = KakuchiName[p] != openFigureName();
    begin("polyline_feature");
    attr(kParcelLayer);
    attr(kWhiteSxf);
    attr(1);
    attr(1);
    const std::int32_t count = last - first + 1 + (closed ? 1 : 0);
    // The vertex of the k-th entry of the outline, the first one again at
    // the end of a closed parcel.
    const auto vertex = [&](std::int32_t k) { return KakuchiVertex[k <= last - first ? first + k : first]; };
    attr(count);
    attrMillimetreList(count, [&](std::int32_t k) { return ZahyoY[vertex(k)]; });
    attrMillimetreList(count, [&](std::int32_t k) { return ZahyoX[vertex(k)]; });
    end();
}

// ---- 7. parcel labels -----------------------------------------------------------------

void SxfWriter::writeParcelLabels()
{
    if (filterApplies() && !isOn(mView.check6))
        return;
    const QString open = openFigureName();
    for (int p = 1; p <= KakuchiCount; ++p) {
        if (KakuchiName[p] == open)
            continue;
        if (!KakuchiAttr(p, 1).isEmpty() && isOn(mView.check6)) {
            writeAttributeRows(p);
            continue;
        }
        textFeature(kParcelLayer, kWhiteSxf, KakuchiName[p], static_cast<double>(KakuchiLabelY[p]) + OriginY,
                    static_cast<double>(KakuchiLabelX[p]) + OriginX, mTextH, 5);
    }
}

// The shown attribute columns 1..10, one row below the other; hidden
// columns leave no gap.
void SxfWriter::writeAttributeRows(int p)
{
    const double east = static_cast<double>(KakuchiLabelY[p]) + OriginY;
    const double north = static_cast<double>(KakuchiLabelX[p]) + OriginX;
    int row = 1;
    for (int c = 1; c <= kAttributeRows; ++c) {
        if (KakuchiAttrShow[c] != 0)
            continue;
        const QString text = KakuchiAttr(p, c);
        textFeature(kParcelLayer + c, kWhiteSxf, text, east,
                    north - (row - 1) * static_cast<double>(SxfTextH), mTextH, 7);
        ++row;
    }
}

}  // namespace tavelcor::sxf
