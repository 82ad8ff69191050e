// SPDX-License-Identifier: LicenseRef-Tavelcor
// The full-size sites of the benchmarks, in the shared tables: one spread
// over the plot (the plot's tests compare the indexed redraw with the walk
// over every table on it) and one with a name on every row and attributes on
// every parcel, as a site file holds them (the round trip of the site files
// is tested on it).
#pragma once

#include "main/site/tables.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>

namespace tavelcor::benchsupport {

// 32767 parcels in a grid over siteM x siteM metres around the origin, each
// of 15 corners on a circle (coordinates named K<n>, parcel vertices) and 18
// vertex entries (the first three corners again; 589806 slots from slot 1),
// named by their number with the label at the centre; then the remaining
// coordinates up to 500000 (named F<n>) scattered over the site. Absolute
// coordinates include the origin OriginX, OriginY as set before the call.
inline void buildFullSiteParcels(double siteM)
{
    constexpr int kGrid = 182;  // parcels per row (182 x 182 > 32767)
    constexpr int kParcelCorners = 15;
    constexpr int kParcelEntries = 18;
    const double cell = siteM / kGrid;
    int n = 0;
    std::int32_t slot = 0;
    for (int i = 1; i <= kKakuchiCountLimit; ++i) {
        const double cx = -siteM / 2 + ((i - 1) / kGrid + 0.5) * cell;
        const double cy = -siteM / 2 + ((i - 1) % kGrid + 0.5) * cell;
        const int firstCoord = n + 1;
        for (int k = 0; k < kParcelCorners; ++k) {
            const double a = 2 * M_PI * k / kParcelCorners;
            ++n;
            ZahyoName[n] = QStringLiteral("K%1").arg(n);
            ZahyoPX[n] = cx + 0.45 * cell * std::cos(a);
            ZahyoPY[n] = cy + 0.45 * cell * std::sin(a);
            ZahyoX[n] = ZahyoPX[n] + OriginX;
            ZahyoY[n] = ZahyoPY[n] + OriginY;
            ZahyoUsed[n] = 1;
        }
        KakuchiFirst[i] = slot + 1;
        for (int k = 0; k < kParcelEntries; ++k)
            KakuchiVertex[++slot] = firstCoord + (k % kParcelCorners);
        KakuchiLast[i] = slot;
        KakuchiName[i] = QString::number(i);
        KakuchiLabelX[i] = static_cast<float>(cx);
        KakuchiLabelY[i] = static_cast<float>(cy);
    }
    KakuchiCount = kKakuchiCountLimit;
    QRandomGenerator rng(7);
    while (n < kZahyoTop) {
        ++n;
        ZahyoName[n] = QStringLiteral("F%1").arg(n);
        ZahyoPX[n] = (rng.generateDouble() - 0.5) * siteM;
        ZahyoPY[n] = (rng.generateDouble() - 0.5) * siteM;
        ZahyoX[n] = ZahyoPX[n] + OriginX;
        ZahyoY[n] = ZahyoPY[n] + OriginY;
    }
    ZahyoMax = n;
}

// 500000 observation points (three symbols), 500000 lines, 1000000
// hand-stroke vertices in strokes of 100 and 30000 texts of two lines,
// spread over siteM x siteM metres around the origin; always the same.
inline void buildFullSiteItems(double siteM)
{
    QRandomGenerator rng(11);
    auto coord = [&] { return (rng.generateDouble() - 0.5) * siteM; };
    for (int i = 1; i <= kPointTop; ++i) {
        PointName[i] = QStringLiteral("P%1").arg(i);
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

// ---- the named site ------------------------------------------------------------

inline constexpr int kNamedSiteVertexSlots = 600000;

// Names as a site holds them: CP932 kanji and symbols, digits, some ASCII.
inline QString coordinateName(int n)
{
    switch (n % 4) {
    case 0: return QStringLiteral("境界①") + QString::number(n);
    case 1: return QStringLiteral("K") + QString::number(n);
    case 2: return QStringLiteral("杭－") + QString::number(n);
    default: return QString::number(n);
    }
}

// The named coordinates and parcels; the parcels' vertex entries fill
// kNamedSiteVertexSlots slots from firstSlot on.
inline void fillNamedCoordinatesAndParcels(int firstSlot = 0)
{
    ZahyoMax = kZahyoTop;
    for (int n = 1; n <= kZahyoTop; ++n) {
        ZahyoName[n] = coordinateName(n);
        ZahyoX[n] = -34000.0 + (n % 9973) * 1.234567;
        ZahyoY[n] = 12000.0 + (n % 7919) * 2.345678;
        ZahyoH[n] = (n % 1000) * 0.125;
    }
    KakuchiCount = kKakuchiCountLimit;
    const int perParcel = kNamedSiteVertexSlots / kKakuchiCountLimit;
    const int end = firstSlot + kNamedSiteVertexSlots;
    int slot = firstSlot;
    for (int p = 1; p <= kKakuchiCountLimit; ++p) {
        KakuchiName[p] = QString::number(p) + QStringLiteral("-1");
        KakuchiInfo[p] = QStringLiteral("字上ノ原");
        // Column 1 holds the name as the attribute file gives it.
        const QStringList attributes{KakuchiName[p],
                                     QStringLiteral("宅地"),
                                     QString::number(100 + p % 900) + QStringLiteral(".25"),
                                     QStringLiteral("山田　太郎"),
                                     QStringLiteral("R2.4.1"),
                                     QString(),
                                     QStringLiteral("備考") + QString::number(p)};
        for (int c = 1; c <= attributes.size(); ++c)
            setKakuchiAttr(p, c, attributes[c - 1]);
        KakuchiFirst[p] = slot;
        const int count = p == kKakuchiCountLimit ? end - slot : perParcel;
        for (int k = 0; k < count; ++k)
            KakuchiVertex[slot++] = 1 + (p * 13 + k * 7) % kZahyoTop;
        KakuchiLast[p] = slot - 1;
    }
}

inline void fillNamedItems()
{
    OriginX = -33000.0;
    OriginY = 13000.0;
    PointCount = kPointTop;
    for (int i = 1; i <= kPointTop; ++i) {
        PointName[i] = coordinateName(i);
        PointName2[i] = i % 3 == 0 ? QStringLiteral("済") : QStringLiteral("杭") + QString::number(i % 97);
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

// The named site: 500000 named coordinates, 32767 named parcels over
// 600000 vertex slots with an attribute row each, 500000 points with both
// names, 500000 lines, 1000000 hand-stroke vertices and 30000 texts, around
// the origin it sets (-33000, 13000). Call resetTables() first.
inline void buildNamedSite()
{
    fillNamedCoordinatesAndParcels();
    fillNamedItems();
}

}  // namespace tavelcor::benchsupport
