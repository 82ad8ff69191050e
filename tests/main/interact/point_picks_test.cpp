// SPDX-License-Identifier: LicenseRef-Tavelcor
// The geometry of the point panel's presses on the shared tables: the point
// hit test in its two orders, the line-end snaps of the add and of the move,
// the search for a line under a new point, and the line ends a move carries
// with their bound.
#include "line_rows.h"
#include "main/interact/point_picks.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavelcor {
namespace {

using interacttest::putLine;

class PointPicksTest : public ::testing::Test {
protected:
    void SetUp() override { resetTables(); }

    static void point(int i, double north, double east, int mark = 1)
    {
        PointX[i] = north;
        PointY[i] = east;
        PointMark[i] = static_cast<std::uint8_t>(mark);
        PointCount = std::max(PointCount, i);
    }

    static bool allShown(int) { return true; }

    // Lines 1 .. n far off, so that lines of a case may take higher indexes.
    static void farLines(int n)
    {
        for (int i = 1; i <= n; ++i)
            putLine(i, 1000.0, 1000.0 + i, 1010.0, 1000.0 + i);
    }
};

// t0 0.5 m (HitRadius 10 on a view 100 m high).
constexpr double kT0 = 0.5;

TEST_F(PointPicksTest, TheToleranceGrowsByT0ForFourPasses)
{
    struct Row {
        const char* name;
        double distance;
        int expected;
    };
    const Row rows[] = {{"first pass", 0.4, 1}, {"fourth pass (2 m)", 1.9, 1}, {"beyond the fourth", 2.1, 0},
                        {"exactly 2 m is not below it", 2.0, 0}};
    for (const Row& row : rows) {
        resetTables();
        point(1, row.distance, 0.0);
        EXPECT_EQ(pickPoint(0.0, 0.0, kT0, PointScan::Ascending, allShown), row.expected) << row.name;
    }
}

TEST_F(PointPicksTest, TheAttributePickTakesTheLowerIndexAndTheMovePickTheHigher)
{
    point(1, 0.45, 0.0);  // farther, lower index
    point(2, 0.1, 0.0);
    EXPECT_EQ(pickPoint(0.0, 0.0, kT0, PointScan::Ascending, allShown), 1);
    EXPECT_EQ(pickPoint(0.0, 0.0, kT0, PointScan::Descending, allShown), 2);
    // The pass decides before the order: point 3 lies in the third pass
    // (1.14 m), point 2 in the second (0.71 m).
    point(3, 0.9, 0.0);
    EXPECT_EQ(pickPoint(0.0, 0.7, kT0, PointScan::Descending, allShown), 2);
}

TEST_F(PointPicksTest, DeletedAndHiddenPointsAreNeverPicked)
{
    point(1, 0.1, 0.0, 100);
    point(2, 0.1, 0.0, 3);
    EXPECT_EQ(pickPoint(0.0, 0.0, kT0, PointScan::Ascending, [](int i) { return i != 2; }), 0);
    EXPECT_EQ(pickPoint(0.0, 0.0, kT0, PointScan::Ascending, allShown), 2);
}

TEST_F(PointPicksTest, TheAddSnapsToTheFirstLineInIndexOrderNotTheNearestEnd)
{
    farLines(7);
    putLine(3, 50.0, 50.0, 0.3, 0.0);   // second end 0.3 m away
    putLine(7, 0.05, 0.0, 60.0, 60.0);  // first end 0.05 m away
    const auto hit = snapAddedPoint(0.0, 0.0, kT0, allShown);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->line, 3);
    EXPECT_FALSE(hit->firstEnd);
    EXPECT_DOUBLE_EQ(hit->north, 0.3);
}

TEST_F(PointPicksTest, TheAddSnapsInTheThirdPassButNotBeyondTheFourth)
{
    putLine(1, 2.5 * kT0, 0.0, 50.0, 50.0);
    EXPECT_TRUE(snapAddedPoint(0.0, 0.0, kT0, allShown));
    resetTables();
    putLine(1, 4.5 * kT0, 0.0, 50.0, 50.0);
    EXPECT_FALSE(snapAddedPoint(0.0, 0.0, kT0, allShown));
}

TEST_F(PointPicksTest, DeletedAndHiddenLinesGiveNoEnd)
{
    putLine(1, 0.1, 0.0, 50.0, 50.0, 100);
    putLine(2, 0.1, 0.0, 50.0, 50.0, 4);
    EXPECT_FALSE(snapAddedPoint(0.0, 0.0, kT0, [](int i) { return i != 2; }));
    EXPECT_FALSE(snapMovedPoint(0.0, 0.0, kT0, [](int i) { return i != 2; }));
}

TEST_F(PointPicksTest, TheMoveSearchesEveryFirstEndBeforeAnySecondEnd)
{
    farLines(9);
    putLine(2, 50.0, 50.0, 0.5 * kT0, 0.0);
    putLine(9, 1.5 * kT0, 0.0, 60.0, 60.0);
    const auto hit = snapMovedPoint(0.0, 0.0, kT0, allShown);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->line, 9);
    EXPECT_TRUE(hit->firstEnd);
    // The add takes line 2's second end: it comes first in index order and
    // is inside the first pass.
    EXPECT_EQ(snapAddedPoint(0.0, 0.0, kT0, allShown)->line, 2);
}

TEST_F(PointPicksTest, AFootAtTheFirstEndIsOffTheLineAndOneAtTheSecondEndOnIt)
{
    putLine(1, 0.0, 0.0, 0.0, 10.0);  // 10 m due east
    EXPECT_FALSE(nextLineUnderPress(1, 0.5, 0.0, 1.0, allShown)) << "d1 = 0";
    const auto atSecond = nextLineUnderPress(1, 0.5, 10.0, 1.0, allShown);
    ASSERT_TRUE(atSecond) << "d1 = L";
    EXPECT_DOUBLE_EQ(atSecond->alongFromFirst, 10.0);
    EXPECT_FALSE(nextLineUnderPress(1, 0.5, 10.001, 1.0, allShown)) << "beyond the second end";
    EXPECT_FALSE(nextLineUnderPress(1, 1.0, 5.0, 1.0, allShown)) << "as far as the tolerance";
}

TEST_F(PointPicksTest, TheFootLiesOnTheLineAndTheSearchGoesOnFromAGivenLine)
{
    putLine(1, 0.0, 0.0, 30.0, 40.0);  // 50 m, direction from the second end 233.13 degrees
    putLine(2, 100.0, 0.0, 0.0, 40.0, 100);
    putLine(3, 0.0, 10.0, 30.0, 50.0);
    const auto first = nextLineUnderPress(1, 12.0 + 0.4 * 0.8, 16.0 - 0.4 * 0.6, 1.0, allShown);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->line, 1);
    EXPECT_NEAR(first->alongFromFirst, 20.0, 1e-12);
    EXPECT_NEAR(first->footNorth, 12.0, 1e-12);
    EXPECT_NEAR(first->footEast, 16.0, 1e-12);
    EXPECT_NEAR(BaseAzimuth, 233.130102354156, 1e-9);

    // Line 3 is 6 m from the press; a tolerance of 9 m reaches both, and the
    // search from line 2 passes the deleted line and finds line 3.
    const auto next = nextLineUnderPress(first->line + 1, 12.0, 16.0, 9.0, allShown);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->line, 3);
    EXPECT_FALSE(nextLineUnderPress(1, 12.0, 16.0, 9.0, [](int) { return false; }));
}

TEST_F(PointPicksTest, LineEndsWithinOneCentimetreFollowTheMovedPoint)
{
    putLine(1, 0.009, 0.009, 20.0, 20.0);   // first end follows
    putLine(2, 0.01, 0.0, 20.0, 20.0);      // 1 cm north: stays
    putLine(3, 20.0, 20.0, -0.009, 0.005);  // second end follows
    putLine(4, 0.0, 0.0, 0.0, 0.0);         // zero length: both ends
    putLine(5, 0.0, 0.0, 9.0, 9.0, 100);    // deleted
    const std::vector<CarriedEnd> ends = lineEndsAt(0.0, 0.0, allShown);
    const std::vector<std::pair<int, bool>> expected{{1, true}, {3, false}, {4, true}, {4, false}};
    ASSERT_EQ(ends.size(), expected.size());
    for (std::size_t k = 0; k < ends.size(); ++k) {
        EXPECT_EQ(ends[k].line, expected[k].first) << k;
        EXPECT_EQ(ends[k].firstEnd, expected[k].second) << k;
    }
}

// More than 100 ends of one kind: the first 100 of each kind follow, the
// rest stay, so the cancel (which reads 100 list entries) sees every end
// that moved.
TEST_F(PointPicksTest, AMoveCarriesAtMostOneHundredEndsOfEachKind)
{
    for (int i = 1; i <= 103; ++i)
        putLine(i, 0.0, 0.0, 10.0, i);
    for (int i = 104; i <= 205; ++i)
        putLine(i, 10.0, i, 0.0, 0.0);
    const std::vector<CarriedEnd> ends = lineEndsAt(0.0, 0.0, allShown);
    int firsts = 0;
    int seconds = 0;
    int lastFirst = 0;
    for (const CarriedEnd& end : ends) {
        if (end.firstEnd) {
            ++firsts;
            lastFirst = end.line;
        } else {
            ++seconds;
        }
    }
    EXPECT_EQ(firsts, kCarriedEndsTop);
    EXPECT_EQ(seconds, kCarriedEndsTop);
    EXPECT_EQ(lastFirst, 100);
    EXPECT_EQ(ends.back().line, 203);
}

}  // namespace
}  // namespace tavelcor
