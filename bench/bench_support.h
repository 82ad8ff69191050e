// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the benchmarks share: the CPU time of the running thread, the counters
// of a piece of work timed beside its floor, and the observation points,
// lines, hand strokes and texts of a full-size site.
#pragma once

#include "main/site/tables.h"

#include <QRandomGenerator>
#include <QString>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <ctime>

namespace tavelcor::benchsupport {

// CPU time of this thread in milliseconds (user and system): less disturbed
// than the wall clock by other programs running on the machine.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The CPU time work() takes, in milliseconds.
template <typename Work>
double timedMs(Work work)
{
    const double start = threadCpuMs();
    work();
    return threadCpuMs() - start;
}

// Counters of work timed beside its floor in the same iterations: the mean
// times of both per iteration and their ratio.
inline void setRatioCounters(benchmark::State& state, double workMs, double floorMs, const char* floorName)
{
    const double n = static_cast<double>(state.iterations());
    state.counters["work_ms"] = workMs / n;
    state.counters[floorName] = floorMs / n;
    state.counters["ratio"] = floorMs > 0 ? workMs / floorMs : 0.0;
}

// Names as a site holds them: CP932 kanji and symbols, digits, some ASCII.
inline QString siteCoordinateName(int n)
{
    switch (n % 4) {
    case 0: return QStringLiteral("境界①") + QString::number(n);
    case 1: return QStringLiteral("K") + QString::number(n);
    case 2: return QStringLiteral("杭－") + QString::number(n);
    default: return QString::number(n);
    }
}

// The coordinates 1..500000 named by siteCoordinateName (absolute X, Y and
// H in metres, always the same) and 32767 parcels over 600000 vertex slots
// from `firstSlot` on (18 each, the last one the rest), as a site file
// lists them. The plot positions are left to the caller.
inline void fillFullSimaSite(int firstSlot)
{
    constexpr int kVertexSlots = 600000;
    ZahyoMax = kZahyoTop;
    for (int n = 1; n <= kZahyoTop; ++n) {
        ZahyoName[n] = siteCoordinateName(n);
        ZahyoX[n] = -34000.0 + (n % 9973) * 1.234567;
        ZahyoY[n] = 12000.0 + (n % 7919) * 2.345678;
        ZahyoH[n] = (n % 1000) * 0.125;
    }
    KakuchiCount = kKakuchiCountLimit;
    const int perParcel = kVertexSlots / kKakuchiCountLimit;
    const int end = firstSlot + kVertexSlots;
    int slot = firstSlot;
    for (int p = 1; p <= kKakuchiCountLimit; ++p) {
        KakuchiName[p] = QString::number(p) + QStringLiteral("-1");
        KakuchiInfo[p] = QStringLiteral("字上ノ原");
        KakuchiFirst[p] = slot;
        const int count = p == kKakuchiCountLimit ? end - slot : perParcel;
        for (int k = 0; k < count; ++k)
            KakuchiVertex[slot++] = 1 + (p * 13 + k * 7) % kZahyoTop;
        KakuchiLast[p] = slot - 1;
    }
}

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

}  // namespace tavelcor::benchsupport
