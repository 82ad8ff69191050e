// SPDX-License-Identifier: LicenseRef-Tavelcor
// Parcel outlines with the selection mark and fill.
#include "main/render/plot_render.h"
#include "main/render/render_internal.h"

#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/text/numbers.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

namespace tavelcor::render {

namespace {

constexpr long kMaxFillVertices = 10000;

bool validSlots(long first, long last) noexcept
{
    // Readers fill the vertex list from slot 0 on, so slot 0 is a real vertex.
    return first >= 0 && first <= last && last <= kVertexTop;
}

bool validVertex(long v) noexcept
{
    return v >= 0 && v <= kCoordTop;
}

// Clipped outline of one parcel; true when an edge reached the picture.
bool drawClippedOutline(PlotPainter& p, const RegionTester& wide, int i, std::uint32_t color)
{
    const auto& vertex = std::as_const(KakuchiVertex);
    const auto& xs = std::as_const(ZahyoX);
    const auto& ys = std::as_const(ZahyoY);
    const long first = std::as_const(KakuchiFirst)[i];
    const long last = std::as_const(KakuchiLast)[i];
    const long v0 = vertex[first];
    const int firstCode = wide.code(xs[v0], ys[v0]);
    int c = firstCode;
    bool drawn = false;
    long prev = v0;
    for (long j = first + 1; j <= last; ++j) {
        const long v = vertex[j];
        if (!validVertex(v))
            return drawn;  // a broken vertex list ends this parcel's outline
        const int d = wide.code(xs[v], ys[v]);
        if (segmentMayCross(c, d) == 1) {
            p.line(ZahyoPY[prev], -ZahyoPX[prev], ZahyoPY[v], -ZahyoPX[v], color);
            drawn = true;
        }
        c = d;
        prev = v;
    }
    if (segmentMayCross(c, firstCode) == 1 && KakuchiName[i] != u"type open") {
        p.line(ZahyoPY[v0], -ZahyoPX[v0], ZahyoPY[prev], -ZahyoPX[prev], color);
        drawn = true;
    }
    return drawn;
}

// Navy mark over a selected parcel: every edge and the closing edge, without
// clipping, for open figures too.
void drawSelectionMark(PlotFace& face, PlotPainter& p, int i, int width)
{
    const auto& vertex = std::as_const(KakuchiVertex);
    const long first = std::as_const(KakuchiFirst)[i];
    const long last = std::as_const(KakuchiLast)[i];
    const std::uint32_t navy = platform::QBColor(1);
    p.setDrawWidth(FillSelected == 9 ? 4 : 2);
    for (long j = first + 1; j <= last; ++j) {
        const long a = vertex[j - 1];
        const long b = vertex[j];
        if (validVertex(a) && validVertex(b))
            p.line(ZahyoPY[a], -ZahyoPX[a], ZahyoPY[b], -ZahyoPX[b], navy);
    }
    const long a = vertex[first];
    const long b = vertex[last];
    if (validVertex(a) && validVertex(b))
        p.line(ZahyoPY[a], -ZahyoPX[a], ZahyoPY[b], -ZahyoPX[b], navy);
    p.setFillColor(platform::RGB(255, 255, 255));
    p.setDrawWidth(width);
    if (FillSelected != 9)
        Draw_Pol(face, first, last);
}

// Puts into work.Candidates the parcels the outline step visits, in number
// order: those whose vertices the index places near the window and every
// selected parcel (its mark is drawn whole). False when the index gives
// none: all parcels are visited. The others would draw nothing.
bool parcelsToVisit(RedrawWork& work, const RegionTester& wide, int count)
{
    if (!siteIndex().parcels(wide.box(), work.Candidates))
        return false;
    std::vector<int>& selected = work.Merged;
    selected.clear();
    const std::uint8_t* sel = std::as_const(KakuchiSel).begin();
    for (int i = 1; i <= count; ++i)
        if (sel[i] == 1)
            selected.push_back(i);
    if (selected.empty())
        return true;
    std::vector<int> both;
    both.reserve(work.Candidates.size() + selected.size());
    std::set_union(work.Candidates.begin(), work.Candidates.end(), selected.begin(), selected.end(),
                   std::back_inserter(both));
    work.Candidates.swap(both);
    return true;
}

}  // namespace

void drawParcelOutlines(PlotFace& face, PlotPainter& p, RedrawWork& work)
{
    const int colorIndex = KakuchiColor;
    if (colorIndex < 0 || colorIndex > 15 || LineColorShown[colorIndex] != 1 || KakuchiCount <= 0)
        return;
    const int width = LineWidthOf[colorIndex];
    const std::uint32_t color = platform::QBColor(colorIndex);
    const int count = std::min<int>(KakuchiCount, kParcelTop);
    p.setDrawWidth(width);
    bool anySelected = false;
    for (int i = 1; i <= count && !anySelected; ++i)
        anySelected = KakuchiSel[i] == 1;
    const RegionTester wide(currentView(), kWideWindowFactor);
    const auto& first = std::as_const(KakuchiFirst);
    const auto& last = std::as_const(KakuchiLast);
    const bool indexed = parcelsToVisit(work, wide, count);
    visitItems(indexed, work.Candidates, count, [&](int i) {
        if (anySelected && SelOnly == 1 && KakuchiSel[i] == 0)
            return false;
        if (!validSlots(first[i], last[i]) || !validVertex(std::as_const(KakuchiVertex)[first[i]]))
            return false;
        if (drawClippedOutline(p, wide, i, color))
            work.ParcelDrawn.set(i);
        if (KakuchiSel[i] == 1)
            drawSelectionMark(face, p, i, width);
        return false;
    });
}

void Draw_Pol(PlotFace& face, long Stp, long Edp)
{
    PlotPainter p(face.picture());
    if (Stp < 0 || Edp > kVertexTop || Edp < Stp)
        return;
    const double sw = p.scaleWidth();
    const double sh = p.scaleHeight();
    if (sw == 0 || sh == 0)
        return;
    // Device pixels with the fixed factors of 15.025 and 15.05 twips per pixel.
    const double sx = face.pictureWidthTwips() / sw / 15.025;
    const double sy = face.pictureHeightTwips() / sh / 15.05;
    const long n = std::min(Edp - Stp + 1, kMaxFillVertices);
    const Scratch<FillPoints> scratch;
    std::vector<QPointF>& points = scratch->points;
    points.clear();
    const double left = p.scaleLeft();
    const double top = p.scaleTop();
    const auto& vertex = std::as_const(KakuchiVertex);
    for (long k = Stp; k < Stp + n; ++k) {
        const long v = vertex[k];
        if (v < 0 || v > kCoordTop)
            continue;
        // Whole pixels, held as doubles: a vertex billions of pixels away (a
        // huge parcel at a close zoom) keeps its place, and the picture clips
        // the figure to what it shows.
        const double px = platform::roundHalfEven((ZahyoPY[v] - left) * sx);
        const double py = platform::roundHalfEven((-ZahyoPX[v] - top) * sy);
        if (!std::isfinite(px) || !std::isfinite(py))
            continue;
        points.emplace_back(px, py);
    }
    if (!points.empty())
        p.fillPolygonPixels(points, platform::RGB(255, 218, 185), platform::QBColor(1));
}

}  // namespace tavelcor::render
