// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The plot's spatial index over the site tables: one grid per table that the
// redraw walks (coordinates, parcels by their vertices, parcel label points,
// observation points, lines, hand strokes, texts), so that a redraw of a
// small window looks at the items near it and not at every item.
//
// Each layer asks for the items that may lie in its window and then tests
// every item it gets exactly as a walk over the whole table would, in table
// order; the picture, the drawing order and every count stay those of the
// walk.  When the window takes in much of the site the layer is told to walk
// the whole table instead.
//
// The index follows the tables by itself: each grid keeps the change counts
// of the tables it was built from (FixedTable::changes()) and the number of
// items, and is built again at its next use when any of them moved, so an
// item added or moved by any code is drawn by the next redraw.  A writer
// that wrote through a pointer taken before calls the table's touch(), or
// dropSiteIndex().

#include "main/render/grid_index.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tavelcor::render {

/// A run of hand-stroke vertices as the stroke drawer walks it: from a
/// vertex with pen code 1 (or from vertex 2, with vertex 1 as the previous
/// vertex) up to the vertex before the next pen code 1.
struct StrokeRun {
    long first = 0;
    long last = 0;
};

/// Change counts of the tables a grid is built from, and its item count.
struct TableStamp {
    std::array<std::uint64_t, 5> changes{};
    long items = 0;
    bool operator==(const TableStamp&) const = default;
};

/// The tables of the site that the index covers.
enum class SiteLayer : int { Coordinates, Parcels, Labels, Points, Lines, Strokes, Texts, Count };

class SiteIndex {
public:
    /// Each puts into `out` the items (in ascending order) that may lie in
    /// the window, or returns false when the layer should walk its whole
    /// table.  Coordinates and parcels take a window in absolute metres
    /// (ZahyoX, ZahyoY); the others one in plot metres (origin subtracted).
    bool coordinates(const GridBox& absolute, std::vector<int>& out);
    /// Parcels whose vertices' box may meet the window; parcels that can
    /// never be drawn (broken slots, a first vertex outside the table) are
    /// left out.
    bool parcels(const GridBox& absolute, std::vector<int>& out);
    bool labels(const GridBox& plot, std::vector<int>& out);
    bool points(const GridBox& plot, std::vector<int>& out);
    bool lines(const GridBox& plot, std::vector<int>& out);
    bool texts(const GridBox& plot, std::vector<int>& out);
    /// Hand strokes: puts the runs that may reach the window into `out`, in
    /// table order.  Building this grid first mends the pen codes as the
    /// stroke drawer does (the vertex after an end vertex starts a stroke),
    /// so it is asked only from inside that drawer.
    bool strokes(const GridBox& plot, std::vector<StrokeRun>& out);

    /// The label points were moved and put back by one redraw, which made
    /// `writes` writes to each of KakuchiLabelX and KakuchiLabelY since
    /// `before`.  When no other write came between, the label grid built at
    /// `before` is good again and is kept.
    void labelsPutBack(const TableStamp& before, std::uint64_t writes) noexcept;

    /// Forgets every grid; each is built again at its next use.
    void drop() noexcept;

    /// How the layers use the index: Auto as it pays, Always wherever a
    /// window allows (so that small sites take the same road as large ones),
    /// Never (every layer walks its whole table).  Auto at start.
    enum class Use : std::uint8_t { Auto, Always, Never };
    void setUse(Use use) noexcept { mUse = use; }
    Use use() const noexcept { return mUse; }

private:
    struct Grid {
        GridIndex index;
        TableStamp stamp;     ///< of the tables when the grid was last brought up to date
        bool laidOut = false; ///< the grid has a layout, filled or not
    };
    bool ask(SiteLayer layer, const GridBox& window, std::vector<int>& out);
    bool bringStrokesUpToDate(Grid& g, const GridBox& window, bool always, int count);

    std::array<Grid, static_cast<std::size_t>(SiteLayer::Count)> mGrids;
    std::vector<StrokeRun> mRuns;
    std::vector<GridItem> mRunItems;
    std::vector<int> mRunHits;
    Use mUse = Use::Auto;
};

/// The plot's one index.
SiteIndex& siteIndex();

/// Forgets every grid of the plot's index.
void dropSiteIndex() noexcept;

/// The stamp the label grid compares (label point tables and count).
TableStamp labelStamp();

/// A window in absolute metres as the same window in plot metres (origin
/// subtracted), widened by a hair so that it still takes in every item whose
/// plot coordinate plus the origin lies in the absolute window.
GridBox plotWindowOf(const GridBox& absolute, double originX, double originY) noexcept;

}  // namespace tavelcor::render
