// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A uniform grid over the items of one table (points or boxes, numbered
// 1..n), so that a question about a small window looks at the items near it
// instead of at every item.  Pure logic.
//
// The answer is a superset: every item whose box meets the window is in it,
// and so are some that do not.  The caller tests each item it gets exactly
// as it would in a walk over the whole table, so the outcome is the same as
// that walk's; the grid only leaves out items that the walk would pass over.

#include <cmath>
#include <cstdint>
#include <vector>

namespace tavelcor::render {

/// Bounds of an item or of a window, in one coordinate system (X north,
/// Y east, metres), both ends included.
struct GridBox {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
};

/// Where an item goes in the grid.
enum class GridPlace : std::uint8_t {
    Box,     ///< in the cells its box meets
    Always,  ///< in every answer (a position that is not a finite number)
    Never,   ///< in no answer (an item that can never be drawn)
};

struct GridItem {
    GridPlace place = GridPlace::Box;
    GridBox box;
};

class GridIndex {
public:
    /// Builds the grid over items 1..count; itemAt(i) gives item i's place.
    /// It is asked about a sample of the items first (to lay the grid out)
    /// and then about every item once.
    template <class ItemAt>
    void build(int count, ItemAt&& itemAt)
    {
        layOut(count, itemAt);
        fill(itemAt);
    }

    /// Builds the grid over items 1..items.size() (entry i - 1 is item i).
    void build(const std::vector<GridItem>& items)
    {
        build(static_cast<int>(items.size()), [&](int i) { return items[static_cast<std::size_t>(i - 1)]; });
    }

    /// Lays the grid out over a sample of items 1..count, without placing
    /// any item: enough for coversMost().  The grid holds no item until
    /// fill() runs.
    template <class ItemAt>
    void layOut(int count, ItemAt&& itemAt)
    {
        beginLayout(count);
        const int step = mCount > kSampleSize ? mCount / kSampleSize : 1;
        for (int i = 1; i <= mCount; i += step)
            sample(itemAt(i));
        endLayout();
    }

    /// Places every item in the laid-out grid.
    template <class ItemAt>
    void fill(ItemAt&& itemAt)
    {
        beginFill();
        for (int i = 1; i <= mCount; ++i)
            place(i, cellsOf(itemAt(i)));
        endFill();
    }

    /// Brings a filled grid up to date with items 1..count after its table
    /// changed, at the cost of one look at every item: an item whose cells
    /// are not those it was placed in goes into every answer from now on.
    /// Returns false, leaving the grid to be built again, when it holds no
    /// items or too many items moved.
    template <class ItemAt>
    bool refresh(int count, ItemAt&& itemAt)
    {
        if (!mFilled)
            return false;
        const int n = count > 0 ? count : 0;
        mCells.resize(static_cast<std::size_t>(n), kNoCells);
        mCount = n;
        for (int i = 1; i <= n; ++i) {
            const std::uint32_t cells = cellsOf(itemAt(i));
            std::uint32_t& kept = mCells[static_cast<std::size_t>(i - 1)];
            if (cells == kept)
                continue;
            kept = cells;
            mMoved.push_back(i);
            if (mMoved.size() > movedLimit())
                return false;
        }
        return true;
    }

    /// True once fill() ran (and no layOut() since).
    bool filled() const noexcept { return mFilled; }

    /// True when the window takes in so much of the grid that a walk over
    /// the whole table costs less than an answer; needs only the layout.
    bool coversMost(const GridBox& window) const noexcept;

    /// Puts into `out` (which it clears first), in ascending order and each
    /// once, the items 1..count() whose boxes may meet the window, and the
    /// items placed Always or moved since the grid was filled.  Returns
    /// false, with `out` empty, when the grid is not filled or the window is
    /// not a box of finite numbers, and (unless `always` is set) when the
    /// window covers most of the grid or takes in a large share of the items.
    bool query(const GridBox& window, std::vector<int>& out, bool always = false) const;

    /// Number of items the grid covers.
    int count() const noexcept { return mCount; }
    /// Columns and rows of the grid.
    int columns() const noexcept { return mColumns; }
    int rows() const noexcept { return mRows; }
    /// Items moved since the grid was filled.
    std::size_t moved() const noexcept { return mMoved.size(); }

private:
    static constexpr int kSampleSize = 4096;
    // Cells of one item, packed: bits 0..19 the first cell (row-major),
    // 20..23 the further columns, 24..27 the further rows; or one of these.
    static constexpr std::uint32_t kNoCells = 0xFFFFFFFFU;   ///< placed Never
    static constexpr std::uint32_t kAllCells = 0xFFFFFFFEU;  ///< placed Always

    static constexpr int kMaxCellsPerItem = 16;  ///< a bigger box goes into every answer instead

    static bool finiteBox(const GridBox& b) noexcept
    {
        return std::isfinite(b.minX) && std::isfinite(b.maxX) && std::isfinite(b.minY) && std::isfinite(b.maxY);
    }
    static int cellOf(double v, double origin, double perMetre, int cells) noexcept
    {
        const double t = (v - origin) * perMetre;
        if (!(t >= 0.0))
            return 0;
        if (t >= static_cast<double>(cells))
            return cells - 1;
        return static_cast<int>(t);
    }
    int rowOf(double x) const noexcept { return cellOf(x, mOriginX, mRowsPerMetre, mRows); }
    int columnOf(double y) const noexcept { return cellOf(y, mOriginY, mColumnsPerMetre, mColumns); }
    // Called once per item and build: kept in the header so that it is
    // worked out inline in the loops over the items.
    [[gnu::always_inline]] std::uint32_t cellsOf(const GridItem& it) const noexcept
    {
        if (it.place == GridPlace::Never)
            return kNoCells;
        if (it.place == GridPlace::Always || !finiteBox(it.box))
            return kAllCells;
        const int r0 = rowOf(it.box.minX), c0 = columnOf(it.box.minY);
        const int r1 = it.box.maxX == it.box.minX ? r0 : rowOf(it.box.maxX);
        const int c1 = it.box.maxY == it.box.minY ? c0 : columnOf(it.box.maxY);
        if ((c1 - c0 + 1) * (r1 - r0 + 1) > kMaxCellsPerItem)
            return kAllCells;
        const auto first = static_cast<std::uint32_t>(r0 * mColumns + c0);
        return first | (static_cast<std::uint32_t>(c1 - c0) << 20) | (static_cast<std::uint32_t>(r1 - r0) << 24);
    }
    void beginLayout(int count);
    void sample(const GridItem& item);
    void endLayout();
    void beginFill();
    void place(int item, std::uint32_t cells)
    {
        mCells[static_cast<std::size_t>(item - 1)] = cells;
        if (cells == kNoCells)
            return;
        if (cells == kAllCells) {
            mAlways.push_back(item);
            return;
        }
        const std::uint32_t more = cells >> 20;
        if (more == 0)
            ++mCellStart[(cells & 0xFFFFFU) + 1];
        else
            placeSpanning(cells);
    }
    void placeSpanning(std::uint32_t cells);
    void endFill();
    std::size_t movedLimit() const noexcept;

    int mCount = 0;
    int mColumns = 1;
    int mRows = 1;
    double mOriginX = 0.0;  ///< north value where row 0 starts
    double mOriginY = 0.0;  ///< east value where column 0 starts
    double mRowsPerMetre = 0.0;
    double mColumnsPerMetre = 0.0;
    bool mFilled = false;
    bool mSpanning = false;                ///< some item lies in more than one cell
    std::vector<std::int32_t> mCellStart;  ///< per cell (row-major) + 1: first entry in mEntries
    std::vector<std::int32_t> mEntries;    ///< item numbers, ascending within each cell
    std::vector<std::int32_t> mAlways;     ///< items placed Always, ascending
    std::vector<std::int32_t> mMoved;      ///< items moved since the fill, in no order
    std::vector<std::uint32_t> mCells;     ///< per item: its cells as placed (or as moved)
    std::vector<double> mSampleXs, mSampleYs;
    int mSampleTries = 0;
};

}  // namespace tavelcor::render
