// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/site_index.h"

#include "main/site/tables.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor::render {

namespace {

long clampedCount(long n, long top) noexcept
{
    return std::clamp(n, 0L, top);
}

GridItem pointItem(double x, double y) noexcept
{
    return GridItem{GridPlace::Box, GridBox{x, x, y, y}};
}

GridItem segmentItem(double x1, double y1, double x2, double y2) noexcept
{
    return GridItem{GridPlace::Box, GridBox{std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)}};
}

/// Grows a box by one position; a position that is not a finite number
/// makes the item one for every answer (the walk's tests take such a
/// position for inside).
struct BoxBuilder {
    GridBox box{};
    bool any = false;
    bool finite = true;

    void add(double x, double y) noexcept
    {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            finite = false;
            return;
        }
        if (!any) {
            box = GridBox{x, x, y, y};
            any = true;
            return;
        }
        box.minX = std::min(box.minX, x);
        box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y);
        box.maxY = std::max(box.maxY, y);
    }
    GridItem item() const noexcept
    {
        if (!finite)
            return GridItem{GridPlace::Always, {}};
        if (!any)
            return GridItem{GridPlace::Never, {}};
        return GridItem{GridPlace::Box, box};
    }
};

TableStamp stampOf(SiteLayer layer)
{
    TableStamp s;
    switch (layer) {
    case SiteLayer::Coordinates:
        s.changes = {ZahyoX.changes(), ZahyoY.changes()};
        s.items = clampedCount(ZahyoMax, kZahyoTop);
        break;
    case SiteLayer::Parcels:
        s.changes = {ZahyoX.changes(), ZahyoY.changes(), KakuchiFirst.changes(), KakuchiLast.changes(),
                     KakuchiVertex.changes()};
        s.items = clampedCount(KakuchiCount, kKakuchiCountLimit);
        break;
    case SiteLayer::Labels:
        return labelStamp();
    case SiteLayer::Points:
        s.changes = {PointX.changes(), PointY.changes()};
        s.items = clampedCount(PointCount, kPointTop);
        break;
    case SiteLayer::Lines:
        s.changes = {LineX1.changes(), LineY1.changes(), LineX2.changes(), LineY2.changes()};
        s.items = clampedCount(static_cast<long>(LineNext) - 1, kLineTop);
        break;
    case SiteLayer::Strokes:
        s.changes = {TegakiX.changes(), TegakiY.changes(), TegakiPen.changes()};
        s.items = clampedCount(TegakiCount, kTegakiTop);
        break;
    case SiteLayer::Texts:
        s.changes = {TxtX.changes(), TxtY.changes()};
        s.items = clampedCount(TxtCount, kTxtTop);
        break;
    case SiteLayer::Count:
        break;
    }
    return s;
}

// Item i of a table of positions (X north, Y east) read through a const
// reference, so that building the index does not count as a change.
template <class Table>
auto pointsOf(const Table& xs, const Table& ys)
{
    return [x = xs.begin(), y = ys.begin()](int i) { return pointItem(x[i], y[i]); };
}

// A parcel's box is that of its vertices up to the first one outside the
// coordinate table, where the outline drawer stops; a parcel whose slots or
// first vertex the drawer refuses is never drawn.
GridItem parcelItem(int i)
{
    const auto& first = std::as_const(KakuchiFirst);
    const auto& last = std::as_const(KakuchiLast);
    const auto& vertex = std::as_const(KakuchiVertex);
    const auto& xs = std::as_const(ZahyoX);
    const auto& ys = std::as_const(ZahyoY);
    const long f = first[i], l = last[i];
    if (f < 0 || f > l || l > kKakuchiVertexTop || vertex[f] < 0 || vertex[f] > kZahyoTop)
        return GridItem{GridPlace::Never, {}};
    BoxBuilder b;
    for (long j = f; j <= l; ++j) {
        const long v = vertex[j];
        if (v < 0 || v > kZahyoTop)
            break;
        b.add(xs[v], ys[v]);
    }
    return b.item();
}


GridItem lineItem(int i)
{
    const double x1 = std::as_const(LineX1)[i], y1 = std::as_const(LineY1)[i];
    const double x2 = std::as_const(LineX2)[i], y2 = std::as_const(LineY2)[i];
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return GridItem{GridPlace::Always, {}};
    return segmentItem(x1, y1, x2, y2);
}

// The stroke drawer's mend of the pen codes, for the whole table at once:
// the vertex after an end vertex (within the table) starts a stroke unless
// it is deleted.  Only codes that change are written.
void mendPenCodes(long last)
{
    const std::uint8_t* pens = std::as_const(TegakiPen).begin();
    for (long i = 2; i <= last; ++i) {
        if (pens[i] == 3 && i + 1 <= kTegakiTop && pens[i + 1] != 0 && pens[i + 1] != 1)
            TegakiPen[i + 1] = 1;
    }
}

// Splits vertices 2..last into the runs the drawer walks and gives each the
// box of the vertices it can draw between.  Vertex 1 only ever serves as the
// first run's previous vertex.
void splitRuns(long last, std::vector<StrokeRun>& runs, std::vector<GridItem>& items)
{
    runs.clear();
    items.clear();
    const std::uint8_t* pens = std::as_const(TegakiPen).begin();
    const float* xs = std::as_const(TegakiX).begin();
    const float* ys = std::as_const(TegakiY).begin();
    long i = 2;
    while (i <= last) {
        StrokeRun run{i, i};
        BoxBuilder b;
        bool draws = false;
        if (i == 2)
            b.add(xs[1], ys[1]);
        for (long j = i; j <= last && (j == i || pens[j] != 1); ++j) {
            run.last = j;
            const std::uint8_t pen = pens[j];
            if (pen >= 1 && pen <= 3)
                b.add(xs[j], ys[j]);
            draws = draws || pen == 2 || pen == 3;
        }
        runs.push_back(run);
        items.push_back(draws ? b.item() : GridItem{GridPlace::Never, {}});
        i = run.last + 1;
    }
}

// Brings a grid up to date for a window: left as it is when the window
// covers most of it (the layer walks), else refreshed, or laid out and
// filled again when a refresh does not pay.  False when the layer should
// walk its whole table.
template <class ItemAt>
bool bringUpToDate(GridIndex& grid, bool& laidOut, const GridBox& window, bool always, int count, ItemAt&& itemAt)
{
    if (!always && laidOut && grid.coversMost(window))
        return false;
    if (grid.refresh(count, itemAt))
        return true;
    grid.layOut(count, itemAt);
    laidOut = true;
    if (!always && grid.coversMost(window))
        return false;
    grid.fill(itemAt);
    return true;
}

}  // namespace

TableStamp labelStamp()
{
    TableStamp s;
    s.changes = {KakuchiLabelX.changes(), KakuchiLabelY.changes()};
    s.items = clampedCount(KakuchiCount, kKakuchiCountLimit);
    return s;
}

bool SiteIndex::ask(SiteLayer layer, const GridBox& window, std::vector<int>& out)
{
    out.clear();
    if (mUse == Use::Never)
        return false;
    const bool always = mUse == Use::Always;
    Grid& g = mGrids[static_cast<std::size_t>(layer)];
    const TableStamp now = stampOf(layer);
    if (!(g.stamp == now && g.index.filled())) {
        const int count = static_cast<int>(now.items);
        bool ready = false;
        switch (layer) {
        case SiteLayer::Coordinates:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, pointsOf(ZahyoX, ZahyoY));
            break;
        case SiteLayer::Parcels:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, [](int i) { return parcelItem(i); });
            break;
        case SiteLayer::Labels:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, pointsOf(KakuchiLabelX, KakuchiLabelY));
            break;
        case SiteLayer::Points:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, pointsOf(PointX, PointY));
            break;
        case SiteLayer::Lines:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, [](int i) { return lineItem(i); });
            break;
        case SiteLayer::Texts:
            ready = bringUpToDate(g.index, g.laidOut, window, always, count, pointsOf(TxtX, TxtY));
            break;
        case SiteLayer::Strokes:
            ready = bringStrokesUpToDate(g, window, always, count);
            break;
        case SiteLayer::Count:
            break;
        }
        if (!ready)
            return false;
        // Taken after the work: the stroke mend may have written pen codes.
        g.stamp = stampOf(layer);
    }
    return g.index.query(window, out, always);
}

bool SiteIndex::bringStrokesUpToDate(Grid& g, const GridBox& window, bool always, int count)
{
    if (!always && g.laidOut && g.index.coversMost(window))
        return false;
    // Splitting into runs mends the pen codes first, as the drawer would in
    // this call.
    mendPenCodes(count);
    splitRuns(count, mRuns, mRunItems);
    const auto runAt = [this](int r) { return mRunItems[static_cast<std::size_t>(r - 1)]; };
    return bringUpToDate(g.index, g.laidOut, window, always, static_cast<int>(mRunItems.size()), runAt);
}

bool SiteIndex::coordinates(const GridBox& absolute, std::vector<int>& out)
{
    return ask(SiteLayer::Coordinates, absolute, out);
}

bool SiteIndex::parcels(const GridBox& absolute, std::vector<int>& out)
{
    return ask(SiteLayer::Parcels, absolute, out);
}

bool SiteIndex::labels(const GridBox& plot, std::vector<int>& out)
{
    return ask(SiteLayer::Labels, plot, out);
}

bool SiteIndex::points(const GridBox& plot, std::vector<int>& out)
{
    return ask(SiteLayer::Points, plot, out);
}

bool SiteIndex::lines(const GridBox& plot, std::vector<int>& out)
{
    return ask(SiteLayer::Lines, plot, out);
}

bool SiteIndex::texts(const GridBox& plot, std::vector<int>& out)
{
    return ask(SiteLayer::Texts, plot, out);
}

bool SiteIndex::strokes(const GridBox& plot, std::vector<StrokeRun>& out)
{
    out.clear();
    if (!ask(SiteLayer::Strokes, plot, mRunHits))
        return false;
    out.reserve(mRunHits.size());
    for (int r : mRunHits)
        out.push_back(mRuns[static_cast<std::size_t>(r - 1)]);
    return true;
}

void SiteIndex::labelsPutBack(const TableStamp& before, std::uint64_t writes) noexcept
{
    Grid& g = mGrids[static_cast<std::size_t>(SiteLayer::Labels)];
    if (!g.index.filled() || !(g.stamp == before))
        return;
    TableStamp expected = before;
    expected.changes[0] += writes;
    expected.changes[1] += writes;
    const TableStamp now = labelStamp();
    if (now == expected)
        g.stamp = now;
}

void SiteIndex::drop() noexcept
{
    for (Grid& g : mGrids)
        g = Grid{};
}

SiteIndex& siteIndex()
{
    static SiteIndex index;
    return index;
}

void dropSiteIndex() noexcept
{
    siteIndex().drop();
}

GridBox plotWindowOf(const GridBox& absolute, double originX, double originY) noexcept
{
    const auto pad = [](double bound, double origin) { return 1e-9 * (1.0 + std::fabs(bound) + std::fabs(origin)); };
    return GridBox{absolute.minX - originX - pad(absolute.minX, originX),
                   absolute.maxX - originX + pad(absolute.maxX, originX),
                   absolute.minY - originY - pad(absolute.minY, originY),
                   absolute.maxY - originY + pad(absolute.maxY, originY)};
}

}  // namespace tavelcor::render
