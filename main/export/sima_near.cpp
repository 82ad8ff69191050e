// SPDX-License-Identifier: LicenseRef-Tavelcor
// Target 6 of the SIMA registration: the coordinates near the vertices of
// the selected parcels.
//
// The vertices (the centres) go into a grid of square cells at least the
// radius wide over their own extent, so every centre nearer than the radius
// to a coordinate lies in the coordinate's cell or one of its eight
// neighbours. A second grid marks the cells that have a centre in or beside
// them; a coordinate in an unmarked cell is passed over after one look-up.
// The cells are widened when the extent over the radius would make more than
// kMaxCellsPerSide cells a side, which keeps the grid small for any radius.
#include "main/export/sima_registration.h"

#include "main/site/tables.h"

#include <algorithm>
#include <cmath>

namespace tavelcor::sima {
namespace {

constexpr int kMaxCellsPerSide = 1024;

struct Centre {
    double x = 0.0;  // north, absolute metres
    double y = 0.0;  // east
};

class CentreGrid {
public:
    CentreGrid(std::vector<Centre> centres, double radius);

    // True when a centre lies closer than the radius to (x, y).
    bool hasCentreNear(double x, double y) const;

private:
    std::int64_t cellIndex(double v, double min) const
    {
        return static_cast<std::int64_t>(std::floor((v - min) / mCell));
    }
    std::size_t at(std::int64_t ix, std::int64_t iy) const { return std::size_t(ix * mNy + iy); }

    std::vector<Centre> mCentres;  // sorted by cell
    std::vector<std::int32_t> mCellStart;  // mNx * mNy + 1 entries into mCentres
    std::vector<std::uint8_t> mNearCell;   // 1 = a centre in this cell or beside it
    double mRadius = 0.0;
    double mCell = 1.0;
    double mMinX = 0.0;
    double mMinY = 0.0;
    std::int64_t mNx = 1;
    std::int64_t mNy = 1;
};

CentreGrid::CentreGrid(std::vector<Centre> centres, double radius) : mRadius(radius)
{
    double maxX = centres.front().x;
    double maxY = centres.front().y;
    mMinX = maxX;
    mMinY = maxY;
    for (const Centre& c : centres) {
        mMinX = std::min(mMinX, c.x);
        mMinY = std::min(mMinY, c.y);
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    const double span = std::max(maxX - mMinX, maxY - mMinY);
    mCell = std::max(radius, span / (kMaxCellsPerSide - 1));
    mNx = cellIndex(maxX, mMinX) + 1;
    mNy = cellIndex(maxY, mMinY) + 1;

    // Counting sort of the centres by cell.
    mCellStart.assign(std::size_t(mNx * mNy) + 1, 0);
    for (const Centre& c : centres)
        ++mCellStart[at(cellIndex(c.x, mMinX), cellIndex(c.y, mMinY)) + 1];
    for (std::size_t k = 1; k < mCellStart.size(); ++k)
        mCellStart[k] += mCellStart[k - 1];
    mCentres.resize(centres.size());
    std::vector<std::int32_t> fill(mCellStart.begin(), mCellStart.end() - 1);
    for (const Centre& c : centres)
        mCentres[std::size_t(fill[at(cellIndex(c.x, mMinX), cellIndex(c.y, mMinY))]++)] = c;

    mNearCell.assign(std::size_t(mNx * mNy), 0);
    for (std::int64_t ix = 0; ix < mNx; ++ix) {
        for (std::int64_t iy = 0; iy < mNy; ++iy) {
            if (mCellStart[at(ix, iy)] == mCellStart[at(ix, iy) + 1])
                continue;
            for (std::int64_t dx = std::max<std::int64_t>(ix - 1, 0); dx <= std::min(ix + 1, mNx - 1); ++dx)
                for (std::int64_t dy = std::max<std::int64_t>(iy - 1, 0); dy <= std::min(iy + 1, mNy - 1); ++dy)
                    mNearCell[at(dx, dy)] = 1;
        }
    }
}

bool CentreGrid::hasCentreNear(double x, double y) const
{
    const double ix0 = std::floor((x - mMinX) / mCell);
    const double iy0 = std::floor((y - mMinY) / mCell);
    // Beyond the cells next to the grid no centre is near; this also keeps
    // far and non-finite positions out of the integer cell numbers.
    if (!(ix0 >= -1.0 && ix0 <= double(mNx) && iy0 >= -1.0 && iy0 <= double(mNy)))
        return false;
    const auto ix = static_cast<std::int64_t>(ix0);
    const auto iy = static_cast<std::int64_t>(iy0);
    if (ix >= 0 && ix < mNx && iy >= 0 && iy < mNy && mNearCell[at(ix, iy)] == 0)
        return false;
    for (std::int64_t cx = std::max<std::int64_t>(ix - 1, 0); cx <= std::min(ix + 1, mNx - 1); ++cx) {
        for (std::int64_t cy = std::max<std::int64_t>(iy - 1, 0); cy <= std::min(iy + 1, mNy - 1); ++cy) {
            const std::size_t cell = at(cx, cy);
            for (std::int32_t k = mCellStart[cell]; k < mCellStart[cell + 1]; ++k) {
                const Centre& c = mCentres[std::size_t(k)];
                if (std::sqrt((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y)) < mRadius)
                    return true;
            }
        }
    }
    return false;
}

}  // namespace

void addNearCoordinates(double radiusM, Selection& selection)
{
    if (!(radiusM > 0.0) || !std::isfinite(radiusM))
        return;
    const int top = std::clamp<int>(ZahyoMax, 0, kZahyoTop);
    std::vector<Centre> centres;
    for (int c = 1; c <= top; ++c) {
        if (selection.coordinate[std::size_t(c)] == kWritten && std::isfinite(ZahyoX[c]) && std::isfinite(ZahyoY[c]))
            centres.push_back({ZahyoX[c], ZahyoY[c]});
    }
    if (centres.empty())
        return;
    const CentreGrid grid(std::move(centres), radiusM);
    for (int j = 1; j <= top; ++j) {
        if (selection.coordinate[std::size_t(j)] != kNotWritten || ZahyoUsed[j] != 0)
            continue;
        if (grid.hasCentreNear(ZahyoX[j], ZahyoY[j]) && isUsableZahyo(j))
            selection.coordinate[std::size_t(j)] = kNear;
    }
}

}  // namespace tavelcor::sima
