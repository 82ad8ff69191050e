// SPDX-License-Identifier: LicenseRef-Tavelcor
// The uniform grid behind the plot's spatial index: its answers against a
// brute-force look at every item, items that move after the grid was
// filled, and when it leaves the question to a walk.
#include "main/render/grid_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tavelcor::render {
namespace {

bool meets(const GridItem& it, const GridBox& w)
{
    return it.place == GridPlace::Box && !(it.box.minX > w.maxX) && !(it.box.maxX < w.minX)
           && !(it.box.minY > w.maxY) && !(it.box.maxY < w.minY);
}

// Builds over `items` and checks that every answer holds every item whose
// box meets the window (or that is placed Always), in ascending order and
// once each, and no item placed Never.
void expectSupersets(const std::vector<GridItem>& items, const std::vector<GridBox>& windows)
{
    GridIndex grid;
    grid.build(items);
    for (const GridBox& w : windows) {
        std::vector<int> got;
        ASSERT_TRUE(grid.query(w, got, true));
        EXPECT_TRUE(std::is_sorted(got.begin(), got.end()));
        EXPECT_EQ(std::adjacent_find(got.begin(), got.end()), got.end()) << "an item twice";
        for (std::size_t k = 0; k < items.size(); ++k) {
            const int item = static_cast<int>(k) + 1;
            const bool in = std::binary_search(got.begin(), got.end(), item);
            if (items[k].place == GridPlace::Never) {
                EXPECT_FALSE(in) << "item " << item << " placed Never";
            } else if (items[k].place == GridPlace::Always || meets(items[k], w)) {
                EXPECT_TRUE(in) << "item " << item << " missing from window " << w.minX << ".." << w.maxX << ", "
                                << w.minY << ".." << w.maxY;
            }
        }
    }
}

GridItem point(double x, double y)
{
    return GridItem{GridPlace::Box, GridBox{x, x, y, y}};
}

// count points in rows of `perRow`, one metre apart: item k + 1 at
// (k / perRow, k % perRow).
std::vector<GridItem> pointRows(int count, int perRow)
{
    std::vector<GridItem> items;
    for (int k = 0; k < count; ++k)
        items.push_back(point(k / perRow, k % perRow));
    return items;
}

// The item table as the grid asks it: item i is entry i - 1.
auto itemsOf(const std::vector<GridItem>& items)
{
    return [&items](int i) { return items[static_cast<std::size_t>(i - 1)]; };
}

std::vector<GridBox> randomWindows(std::mt19937& rng, double lo, double hi, int n)
{
    std::uniform_real_distribution<double> at(lo, hi), size(0.0, (hi - lo) / 20);
    std::vector<GridBox> windows;
    for (int k = 0; k < n; ++k) {
        const double x = at(rng), y = at(rng);
        windows.push_back(GridBox{x, x + size(rng), y, y + size(rng)});
    }
    return windows;
}

TEST(GridIndexTest, PointAnswersHoldEveryPointInTheWindow)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> at(-500.0, 500.0);
    std::vector<GridItem> items;
    for (int k = 0; k < 20000; ++k)
        items.push_back(point(at(rng), at(rng)));
    auto windows = randomWindows(rng, -600.0, 600.0, 50);
    // Windows whose edges pass exactly through items: both ends count.
    windows.push_back(GridBox{items[10].box.minX, items[10].box.minX, items[10].box.minY, items[10].box.minY});
    const double a = items[20].box.minX, b = items[30].box.minX;
    windows.push_back(GridBox{std::min(a, b), std::max(a, b), -1000, items[20].box.minY});
    expectSupersets(items, windows);
}

TEST(GridIndexTest, BoxAnswersHoldEveryBoxMeetingTheWindowOnce)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> at(-500.0, 500.0), size(0.0, 40.0);
    std::vector<GridItem> items;
    for (int k = 0; k < 5000; ++k) {
        const double x = at(rng), y = at(rng);
        items.push_back(GridItem{GridPlace::Box, GridBox{x, x + size(rng), y, y + size(rng)}});
    }
    // One box over the whole site goes into every answer.
    items.push_back(GridItem{GridPlace::Box, GridBox{-500, 500, -500, 500}});
    expectSupersets(items, randomWindows(rng, -600.0, 600.0, 50));
}

TEST(GridIndexTest, FarOffItemsAndOddPositionsAreNeverLeftOut)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<GridItem> items;
    for (int k = 0; k < 5000; ++k)
        items.push_back(point(k % 100, k / 50.0));
    items.push_back(point(1e9, -1e9));   // far off: lands in a border cell
    items.push_back(point(inf, 5.0));    // not finite: in every answer
    items.push_back(point(nan, 5.0));
    items.push_back(GridItem{GridPlace::Always, {}});
    items.push_back(GridItem{GridPlace::Never, GridBox{10, 10, 10, 10}});
    expectSupersets(items, {GridBox{1e9 - 1, 1e9 + 1, -1e9 - 1, -1e9 + 1}, GridBox{0, 1, 0, 1},
                            GridBox{-1e12, -1e11, 1e11, 1e12}, GridBox{50, 60, 20, 30}});
}

TEST(GridIndexTest, AllItemsAtOnePlaceOrOnALine)
{
    std::vector<GridItem> same(3000, point(7.0, 7.0));
    expectSupersets(same, {GridBox{7, 7, 7, 7}, GridBox{0, 6.9, 0, 100}});
    std::vector<GridItem> line;
    for (int k = 0; k < 3000; ++k)
        line.push_back(point(3.0, k));
    expectSupersets(line, {GridBox{3, 3, 100, 110}, GridBox{0, 10, 2990, 5000}});
}

TEST(GridIndexTest, MovedItemsAreFoundAtTheirNewPlaceAfterARefresh)
{
    std::vector<GridItem> items = pointRows(10000, 100);
    GridIndex grid;
    grid.build(items);
    const GridBox farCorner{90, 95, 90, 95};
    std::vector<int> got;
    ASSERT_TRUE(grid.query(farCorner, got, true));
    EXPECT_EQ(std::count(got.begin(), got.end(), 1), 0);

    items[0] = point(92, 92);         // item 1 moves into the corner
    items.push_back(point(93, 93));   // item 10001 is added there
    const auto itemAt = itemsOf(items);
    ASSERT_TRUE(grid.refresh(static_cast<int>(items.size()), itemAt));
    EXPECT_EQ(grid.moved(), 2u);
    ASSERT_TRUE(grid.query(farCorner, got, true));
    EXPECT_EQ(std::count(got.begin(), got.end(), 1), 1);
    EXPECT_EQ(std::count(got.begin(), got.end(), 10001), 1);

    // The table shrinks: items past the count are no answer, wherever they lie.
    items.resize(5000);
    ASSERT_TRUE(grid.refresh(5000, itemAt));
    ASSERT_TRUE(grid.query(GridBox{-1, 100, -1, 100}, got, true));
    EXPECT_EQ(got.back(), 5000);
}

TEST(GridIndexTest, RefreshGivesUpWhenManyItemsMoved)
{
    std::vector<GridItem> items = pointRows(100000, 300);
    GridIndex grid;
    grid.build(items);
    for (auto& it : items)
        it.box.minX = it.box.maxX = it.box.minX + 200;  // everything moves
    const auto itemAt = itemsOf(items);
    EXPECT_FALSE(grid.refresh(static_cast<int>(items.size()), itemAt));
    grid.build(items);
    std::vector<int> got;
    ASSERT_TRUE(grid.query(GridBox{200, 200, 0, 0}, got, true));
    EXPECT_EQ(std::count(got.begin(), got.end(), 1), 1);
}

TEST(GridIndexTest, LargeWindowsAndBadWindowsAreLeftToTheWalk)
{
    std::vector<GridItem> items = pointRows(100000, 300);
    GridIndex grid;
    grid.build(items);
    std::vector<int> got{99};
    EXPECT_FALSE(grid.query(GridBox{-10, 400, -10, 400}, got)) << "the whole site";
    EXPECT_TRUE(got.empty());
    EXPECT_TRUE(grid.coversMost(GridBox{-10, 400, -10, 400}));
    EXPECT_TRUE(grid.query(GridBox{10, 12, 10, 12}, got)) << "a small window";
    EXPECT_FALSE(grid.coversMost(GridBox{10, 12, 10, 12}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(grid.query(GridBox{nan, 1, 0, 1}, got, true));
    EXPECT_FALSE(grid.query(GridBox{5, 1, 0, 1}, got, true)) << "turned inside out";
    GridIndex empty;
    EXPECT_FALSE(empty.query(GridBox{0, 1, 0, 1}, got, true)) << "never filled";
}

TEST(GridIndexTest, AnEmptyTableAnswersNothing)
{
    GridIndex grid;
    grid.build(std::vector<GridItem>{});
    std::vector<int> got{1};
    EXPECT_TRUE(grid.query(GridBox{0, 1, 0, 1}, got, true));
    EXPECT_TRUE(got.empty());
}

}  // namespace
}  // namespace tavelcor::render
