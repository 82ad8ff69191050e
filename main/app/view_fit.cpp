// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/view_fit.h"

#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {
namespace {

constexpr double kMargin = 0.025;          // of the span, on each side
constexpr double kWidenSavedWindow = 0.3;  // of the window's width, towards the larger x
constexpr double kSmallestEastSpan = 0.15;
constexpr double kFarDistance = 10000000.0;

bool isFree(int n)
{
    return platform::trimmedView(ZahyoName[n]) == freeZahyoName();
}

// Slot k's coordinate number when the slot and the number lie inside their
// tables.
std::optional<int> vertexAt(std::int32_t slot)
{
    if (slot < 0 || slot > kKakuchiVertexTop)
        return std::nullopt;
    const std::int32_t n = KakuchiVertex[slot];
    if (n < 0 || n > kZahyoTop)
        return std::nullopt;
    return n;
}

bool windsRound(int parcel, const survey::PlotPoint& at)
{
    const std::optional<float> angle = survey::kseek(parcel, at.x, at.y);
    return angle && std::fabs(*angle) > 359.0F && std::fabs(*angle) < 361.0F;
}

// The slot (First..Last) whose vertex lies nearest to `at`, leaving out
// slot `skip`; the first of equally near slots wins. -1 when there is none.
std::int32_t nearestSlot(int parcel, const survey::PlotPoint& at, std::int32_t skip)
{
    double best = kFarDistance;
    std::int32_t found = -1;
    for (std::int32_t k = KakuchiFirst[parcel]; k <= KakuchiLast[parcel]; ++k) {
        const std::optional<int> n = vertexAt(k);
        if (k == skip || !n)
            continue;
        const double d = std::hypot(ZahyoPX[*n] - at.x, ZahyoPY[*n] - at.y);
        if (d < best) {
            best = d;
            found = k;
        }
    }
    return found;
}

survey::PlotPoint midpoint(std::int32_t slotA, std::int32_t slotB)
{
    const int a = vertexAt(slotA).value_or(0);
    const int b = vertexAt(slotB).value_or(a);
    return {(ZahyoPX[a] + ZahyoPX[b]) / 2.0, (ZahyoPY[a] + ZahyoPY[b]) / 2.0};
}

survey::PlotPoint labelPoint(int parcel)
{
    const survey::PlotPoint centroid = survey::jyusin(parcel).value_or(survey::PlotPoint{});
    if (windsRound(parcel, centroid))
        return centroid;
    const std::int32_t k1 = nearestSlot(parcel, centroid, -1);
    if (k1 < 0)
        return centroid;
    const std::int32_t nearK2 = nearestSlot(parcel, centroid, k1);
    const survey::PlotPoint between = midpoint(k1, nearK2 < 0 ? k1 : nearK2);
    if (windsRound(parcel, between))
        return between;
    std::int32_t neighbour = k1 == KakuchiFirst[parcel] ? k1 + 1 : k1 - 1;
    if (neighbour > KakuchiLast[parcel])
        neighbour = k1;
    return midpoint(k1, neighbour);
}

// True when coordinate n can decide the extent: one that cannot be a plane
// coordinate (the readers refuse such values) would move the origin so far
// that the other values lose their digits, or make it infinite.
bool isPlaneAt(int n)
{
    return isPlaneCoordinate(ZahyoX[n]) && isPlaneCoordinate(ZahyoY[n]);
}

}  // namespace

void fitViewToCoordinates(const std::vector<std::int32_t>& leftOut)
{
    const auto fits = [&leftOut](int n) {
        return isPlaneAt(n) && (leftOut.empty() || !std::binary_search(leftOut.begin(), leftOut.end(), n));
    };
    const int seed = std::clamp(ZahyoMax, 0, kZahyoTop);
    const bool seedFits = fits(seed);
    double maxX = seedFits ? ZahyoX[seed] : 0.0;
    double minX = maxX;
    double maxY = seedFits ? ZahyoY[seed] : 0.0;
    double minY = maxY;
    bool seeded = seedFits;
    for (int n = 1; n < seed; ++n) {
        if (isFree(n) || !fits(n))
            continue;
        if (!seeded) {
            maxX = minX = ZahyoX[n];
            maxY = minY = ZahyoY[n];
            seeded = true;
        }
        maxX = std::max(maxX, ZahyoX[n]);
        minX = std::min(minX, ZahyoX[n]);
        maxY = std::max(maxY, ZahyoY[n]);
        minY = std::min(minY, ZahyoY[n]);
    }
    const double spanX = maxX - minX;
    const double spanY = maxY - minY;
    DataXMax = maxX + kMargin * spanX;
    DataXMin = minX - kMargin * spanX;
    DataYMax = maxY + kMargin * spanY;
    DataYMin = minY - kMargin * spanY;

    DragZoomArmed = 0;
    ViewSpanX = DataXMax - DataXMin;
    ViewSpanY = DataYMax - DataYMin;
    FitSpanX = ViewSpanX;
    FitSpanY = ViewSpanY;
    ViewCX = (DataXMin + DataXMax) / 2.0;
    ViewCY = (DataYMin + DataYMax) / 2.0;
    OriginX = ViewCX;
    OriginY = ViewCY;
    PrevSpanX = ViewSpanX;
    PrevSpanY = ViewSpanY;
    PrevCX = ViewCX;
    PrevCY = ViewCY;
}

void setPlotCoordinates()
{
    const int last = std::min(ZahyoMax, kZahyoTop);
    for (int n = 1; n <= last; ++n) {
        if (isFree(n))
            continue;
        ZahyoPX[n] = ZahyoX[n] - OriginX;
        ZahyoPY[n] = ZahyoY[n] - OriginY;
    }
}

ParcelPresets parcelPresets()
{
    ParcelPresets presets;
    if (KakuchiCount == 1 && KakuchiOpenCount == 0) {
        presets.tickNumbers = true;
        presets.tickNames = true;
    } else if (KakuchiCount == 2 && KakuchiOpenCount == 1) {
        presets.tickNames = true;
    }
    presets.hideParcelControls = KakuchiOpenCount == KakuchiCount;
    return presets;
}

void placeParcelLabels()
{
    const int last = std::min<int>(KakuchiCount, kKakuchiTop);
    for (int p = 1; p <= last; ++p) {
        const survey::PlotPoint at = labelPoint(p);
        KakuchiLabelX[p] = static_cast<float>(at.x);
        KakuchiLabelY[p] = static_cast<float>(at.y);
    }
}

SavedView applySavedView(const std::optional<SignFileWindow>& window)
{
    if (KeepView != 1 || !window || window->left == window->top || window->right == window->bottom)
        return SavedView::NotApplied;
    double left = window->left;
    double right = window->right;
    const double top = window->top;
    const double bottom = window->bottom;
    if (left > right)
        left += kWidenSavedWindow * (left - right);
    else
        right += kWidenSavedWindow * (right - left);
    ViewSpanY = std::fabs(left - right);
    ViewSpanX = std::fabs(top - bottom);
    ViewCY = OriginY + (left + right) / 2.0;
    ViewCX = OriginX - (top + bottom) / 2.0;
    if (ViewSpanX < kSmallestSpan && ViewSpanY < kSmallestEastSpan) {
        ViewSpanX = kSmallestSpan;
        return SavedView::AppliedAtFloor;
    }
    return SavedView::Applied;
}

QString smallestSpanMessage()
{
    return QStringLiteral("これ以上拡大できません");
}

}  // namespace tavelcor
