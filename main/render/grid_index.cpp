// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/grid_index.h"

#include <algorithm>
#include <cmath>

namespace tavelcor::render {

namespace {

constexpr int kItemsPerCell = 6;
constexpr int kMaxSide = 1024;

struct Extent {
    double lo = 0.0;
    double hi = 0.0;
};

// The 0.1 % and 99.9 % quantiles of the sampled centres: a few far-off items
// do not stretch the grid over empty land; they land in the border cells.
Extent extentOf(std::vector<double>& values)
{
    if (values.empty())
        return {};
    const std::size_t loAt = values.size() / 1000;
    const std::size_t hiAt = values.size() - 1 - values.size() / 1000;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(loAt), values.end());
    const double lo = values[loAt];
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(hiAt), values.end());
    return {lo, values[hiAt]};
}

}  // namespace

void GridIndex::beginLayout(int count)
{
    mCount = count > 0 ? count : 0;
    mFilled = false;
    mSampleXs.clear();
    mSampleYs.clear();
    mSampleTries = 0;
}

void GridIndex::sample(const GridItem& it)
{
    ++mSampleTries;
    if (it.place != GridPlace::Box || !finiteBox(it.box))
        return;
    mSampleXs.push_back(it.box.minX / 2 + it.box.maxX / 2);
    mSampleYs.push_back(it.box.minY / 2 + it.box.maxY / 2);
}

void GridIndex::endLayout()
{
    // The share of the items that go into cells, as the sample has it.
    const double share = mSampleTries > 0 ? static_cast<double>(mSampleXs.size()) / mSampleTries : 0.0;
    const Extent ex = extentOf(mSampleXs);
    const Extent ey = extentOf(mSampleYs);
    const double spanX = ex.hi - ex.lo;
    const double spanY = ey.hi - ey.lo;
    // About kItemsPerCell placed items per cell.
    const double cells = std::clamp(mCount * share / kItemsPerCell, 1.0, static_cast<double>(kMaxSide) * kMaxSide);
    int rows = 1, columns = 1;
    if (spanX > 0 && spanY > 0) {
        rows = static_cast<int>(std::clamp(std::sqrt(cells * spanX / spanY), 1.0, double(kMaxSide)));
        columns = static_cast<int>(std::clamp(cells / rows, 1.0, double(kMaxSide)));
    } else if (spanX > 0) {
        rows = static_cast<int>(std::clamp(cells, 1.0, double(kMaxSide)));
    } else if (spanY > 0) {
        columns = static_cast<int>(std::clamp(cells, 1.0, double(kMaxSide)));
    }
    mRows = rows;
    mColumns = columns;
    mOriginX = ex.lo;
    mOriginY = ey.lo;
    mRowsPerMetre = spanX > 0 ? rows / spanX : 0.0;
    mColumnsPerMetre = spanY > 0 ? columns / spanY : 0.0;
    if (!std::isfinite(mRowsPerMetre))
        mRowsPerMetre = 0.0;
    if (!std::isfinite(mColumnsPerMetre))
        mColumnsPerMetre = 0.0;
}

void GridIndex::beginFill()
{
    mSpanning = false;
    mAlways.clear();
    mMoved.clear();
    mCells.assign(static_cast<std::size_t>(mCount), kNoCells);
    mCellStart.assign(static_cast<std::size_t>(mRows) * static_cast<std::size_t>(mColumns) + 1, 0);
}

void GridIndex::placeSpanning(std::uint32_t cells)
{
    mSpanning = true;
    const std::uint32_t first = cells & 0xFFFFFU;
    const std::uint32_t more = cells >> 20;
    const std::uint32_t columns = more & 0xFU, rows = more >> 4;
    for (std::uint32_t r = 0; r <= rows; ++r)
        for (std::uint32_t c = 0; c <= columns; ++c)
            ++mCellStart[first + r * static_cast<std::uint32_t>(mColumns) + c + 1];
}

void GridIndex::endFill()
{
    const std::size_t cellCount = mCellStart.size() - 1;
    for (std::size_t c = 1; c <= cellCount; ++c)
        mCellStart[c] += mCellStart[c - 1];
    mEntries.resize(static_cast<std::size_t>(mCellStart[cellCount]));
    // Each cell's next free entry.
    std::vector<std::int32_t> next(mCellStart.begin(), mCellStart.end() - 1);
    for (std::size_t k = 0; k < mCells.size(); ++k) {
        const std::uint32_t cells = mCells[k];
        if (cells == kNoCells || cells == kAllCells)
            continue;
        const auto item = static_cast<std::int32_t>(k) + 1;
        const std::uint32_t first = cells & 0xFFFFFU;
        const std::uint32_t more = cells >> 20;
        const std::uint32_t columns = more & 0xFU, rows = more >> 4;
        for (std::uint32_t r = 0; r <= rows; ++r)
            for (std::uint32_t c = 0; c <= columns; ++c)
                mEntries[static_cast<std::size_t>(next[first + r * static_cast<std::uint32_t>(mColumns) + c]++)] = item;
    }
    mFilled = true;
}

std::size_t GridIndex::movedLimit() const noexcept
{
    // Past this many moved items, answers grow and building again pays.
    return std::max<std::size_t>(256, static_cast<std::size_t>(mCount) / 64);
}

bool GridIndex::coversMost(const GridBox& window) const noexcept
{
    if (!finiteBox(window))
        return true;
    const long columns = columnOf(window.maxY) - columnOf(window.minY) + 1;
    const long rows = rowOf(window.maxX) - rowOf(window.minX) + 1;
    return columns * rows * 4 > static_cast<long>(mRows) * mColumns;
}

bool GridIndex::query(const GridBox& window, std::vector<int>& out, bool always) const
{
    out.clear();
    // A window turned inside out is left to the walk, which knows what it
    // means for each layer.
    if (!mFilled || !finiteBox(window) || window.minX > window.maxX || window.minY > window.maxY)
        return false;
    if (!always && coversMost(window))
        return false;
    const int c0 = columnOf(window.minY), c1 = columnOf(window.maxY);
    const int r0 = rowOf(window.minX), r1 = rowOf(window.maxX);
    // Sorting what the cells hold costs more than a walk long before they
    // hold a large share of the table.
    long held = static_cast<long>(mAlways.size() + mMoved.size());
    for (int r = r0; r <= r1; ++r) {
        const std::size_t row = static_cast<std::size_t>(r) * mColumns;
        held += mCellStart[row + c1 + 1] - mCellStart[row + c0];
    }
    if (!always && held * 16 > static_cast<long>(mCount) + 64)
        return false;
    out.reserve(static_cast<std::size_t>(held));
    for (int r = r0; r <= r1; ++r) {
        const std::size_t row = static_cast<std::size_t>(r) * mColumns;
        out.insert(out.end(), mEntries.begin() + mCellStart[row + c0], mEntries.begin() + mCellStart[row + c1 + 1]);
    }
    out.insert(out.end(), mAlways.begin(), mAlways.end());
    out.insert(out.end(), mMoved.begin(), mMoved.end());
    std::sort(out.begin(), out.end());
    if (mSpanning || !mAlways.empty() || !mMoved.empty())
        out.erase(std::unique(out.begin(), out.end()), out.end());
    // Items past the count (the table shrank since the fill) are no items.
    out.erase(std::upper_bound(out.begin(), out.end(), mCount), out.end());
    return true;
}

}  // namespace tavelcor::render
