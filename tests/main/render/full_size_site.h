// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A full-size site in the shared tables for the plot's benchmark and for
// the tests that compare the indexed redraw with a walk over every table:
// 32767 parcels of 18 vertex entries (589806 slots) over 491505 of the
// 500000 coordinates, 500000 observation points, 500000 lines, 1000000
// hand-stroke vertices in strokes of 100 and 30000 texts, spread over
// 9 km x 9 km around the site origin (plot coordinates -4500..4500).
// Call resetTables() and set OriginX, OriginY first.

#include "main/site/tables.h"

#include <QRandomGenerator>
#include <QString>

#include <cmath>
#include <cstdint>

namespace tavelcor::render::testing_support::full_size {

inline constexpr double kSite = 9000.0;  // metres across
inline constexpr int kGrid = 182;        // parcels per row (182 x 182 > 32767)
inline constexpr int kParcelCorners = 15;
inline constexpr int kParcelEntries = 18;

inline void buildParcels()
{
    const double cell = kSite / kGrid;
    int n = 0;
    long slot = 0;
    for (int i = 1; i <= kKakuchiCountLimit; ++i) {
        const double cx = -kSite / 2 + ((i - 1) / kGrid + 0.5) * cell;
        const double cy = -kSite / 2 + ((i - 1) % kGrid + 0.5) * cell;
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
        KakuchiFirst[i] = static_cast<std::int32_t>(slot + 1);
        for (int k = 0; k < kParcelEntries; ++k)
            KakuchiVertex[++slot] = firstCoord + (k % kParcelCorners);
        KakuchiLast[i] = static_cast<std::int32_t>(slot);
        KakuchiName[i] = QString::number(i);
        KakuchiLabelX[i] = static_cast<float>(cx);
        KakuchiLabelY[i] = static_cast<float>(cy);
    }
    KakuchiCount = kKakuchiCountLimit;
    QRandomGenerator rng(7);
    while (n < kZahyoTop) {
        ++n;
        ZahyoName[n] = QStringLiteral("F%1").arg(n);
        ZahyoPX[n] = (rng.generateDouble() - 0.5) * kSite;
        ZahyoPY[n] = (rng.generateDouble() - 0.5) * kSite;
        ZahyoX[n] = ZahyoPX[n] + OriginX;
        ZahyoY[n] = ZahyoPY[n] + OriginY;
    }
    ZahyoMax = n;
}

inline void buildItems()
{
    QRandomGenerator rng(11);
    auto coord = [&] { return (rng.generateDouble() - 0.5) * kSite; };
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

/// Parcels and coordinates, then every other table.
inline void buildSite()
{
    buildParcels();
    buildItems();
}

}  // namespace tavelcor::render::testing_support::full_size
