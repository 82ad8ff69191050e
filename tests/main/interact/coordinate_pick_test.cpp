// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate hit test of the plot's presses on the shared tables: the
// four passes with a tolerance growing by t0, the lowest number within the
// tolerance, the shown ranges and free numbers, and the observation-point
// fallback with its square window and the coordinate it appends.
#include "main/interact/coordinate_pick.h"
#include "main/site/tables.h"
#include "platform/prompt/testing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavelcor {
namespace {

constexpr double kOriginX = 10000.0;
constexpr double kOriginY = 20000.0;

// HitRadius 10 on a view 100 m high: t0 = 0.5 m.
class CoordinatePickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        OriginX = kOriginX;
        OriginY = kOriginY;
        HitRadius = 10;
        ViewSpanX = 100.0;
    }

    // Coordinate n at (north, east) metres from the origin.
    static void coordinate(int n, const QString& name, double north, double east)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = kOriginX + north;
        ZahyoY[n] = kOriginY + east;
        ZahyoPX[n] = north;
        ZahyoPY[n] = east;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    static void point(int j, const QString& name, double north, double east, int mark = 1)
    {
        PointName[j] = name;
        PointX[j] = north;
        PointY[j] = east;
        PointMark[j] = static_cast<std::uint8_t>(mark);
        PointCount = std::max(PointCount, j);
    }

    // The press at plot north, east (x east, y minus north) through the
    // full test, every point shown.
    static CoordinatePick pressAt(double north, double east, bool withPoints = false)
    {
        double x = east;
        double y = -north;
        return PickCoordinate(x, y, ShownNumberRanges{}, withPoints, [](int) { return true; });
    }

    platform::testing::GTestScriptedPrompter script;
};

TEST(PickBaseTolerance, IsHitRadiusTimesTheNorthExtentOver2000WithAFloorOfOneMillimetre)
{
    EXPECT_DOUBLE_EQ(pickBaseTolerance(10, 100.0), 0.5);
    EXPECT_DOUBLE_EQ(pickBaseTolerance(1, 1.0), 0.001);
    EXPECT_DOUBLE_EQ(pickBaseTolerance(1, 0.5), 0.001) << "0.00025 is raised to the floor";
    EXPECT_DOUBLE_EQ(pickBaseTolerance(30, 2000.0), 30.0);
    EXPECT_DOUBLE_EQ(pickBaseTolerance(10, std::nan("")), 0.001);
}

// Each row: one coordinate at a distance along a direction; whether it is
// hit and the tolerance of the pass that hits it.
struct DistanceRow {
    const char* name;
    double north;
    double east;
    int number;
    double tolerance;
};

class PickDistances : public CoordinatePickTest, public ::testing::WithParamInterface<DistanceRow> {};

TEST_P(PickDistances, TheToleranceGrowsByT0UpToFourPasses)
{
    const DistanceRow& row = GetParam();
    coordinate(7, QStringLiteral("P7"), row.north, row.east);
    const CoordinatePick pick = pressAt(0.0, 0.0);
    EXPECT_EQ(pick.number, row.number);
    EXPECT_DOUBLE_EQ(pick.tolerance, row.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, PickDistances,
    ::testing::Values(DistanceRow{"firstPass", 0.3, 0.0, 7, 0.5}, DistanceRow{"secondPass", 0.0, -0.7, 7, 1.0},
                      DistanceRow{"thirdPass", 1.2, 0.0, 7, 1.5},
                      // 1.7 m away: not below 1.5 m, below 2 m.
                      DistanceRow{"fourthPass", 1.2, std::sqrt(1.7 * 1.7 - 1.44), 7, 2.0},
                      // 2.2 m away: beyond the fourth pass; the search ends at 5 t0.
                      DistanceRow{"beyondFourthPass", -2.2, 0.0, 0, 2.5},
                      // Exactly 0.5 m is not below the first pass's tolerance.
                      DistanceRow{"onTheFirstBoundary", 0.5, 0.0, 7, 1.0}),
    [](const ::testing::TestParamInfo<DistanceRow>& info) { return std::string(info.param.name); });

TEST_F(CoordinatePickTest, TheLowerNumberWinsWithinOnePassEvenWhenFarther)
{
    coordinate(3, QStringLiteral("FAR"), 0.45, 0.0);
    coordinate(9, QStringLiteral("NEAR"), 0.05, 0.0);
    EXPECT_EQ(pressAt(0.0, 0.0).number, 3);
}

TEST_F(CoordinatePickTest, AnEarlierPassWinsOverALowerNumber)
{
    coordinate(3, QStringLiteral("FARTHER"), 1.2, 0.0);
    coordinate(9, QStringLiteral("NEAR"), 0.2, 0.0);
    EXPECT_EQ(pressAt(0.0, 0.0).number, 9);
}

TEST_F(CoordinatePickTest, FreeNumbersAndNumbersOutsideBothRangesAreNeverHit)
{
    coordinate(4, QStringLiteral(" _?> "), 0.0, 0.0);
    coordinate(20, QStringLiteral("OUT"), 0.0, 0.01);
    coordinate(30, QStringLiteral("IN"), 1.9, 0.0);
    double x = 0.0;
    double y = 0.0;
    const ShownNumberRanges ranges{1, 10, 25, 40};
    const CoordinatePick pick = PickCoordinate(x, y, ranges, false, {});
    EXPECT_EQ(pick.number, 30) << "the free number 4 and number 20 (between the ranges) are passed over";

    EXPECT_TRUE(ranges.contains(1));
    EXPECT_TRUE(ranges.contains(10));
    EXPECT_FALSE(ranges.contains(11));
    EXPECT_FALSE(ranges.contains(24));
    EXPECT_TRUE(ranges.contains(25));
    EXPECT_TRUE(ranges.contains(40));
    EXPECT_FALSE(ranges.contains(41));
}

TEST_F(CoordinatePickTest, ReadsNoCoordinateAboveZahyoMax)
{
    coordinate(5, QStringLiteral("P5"), 0.0, 0.0);
    ZahyoMax = 4;
    EXPECT_EQ(pressAt(0.0, 0.0).number, 0);
    ZahyoMax = kZahyoTop + 10;  // a counter beyond the table reads up to its end only
    EXPECT_EQ(pressAt(0.0, 0.0).number, 5);
}

TEST_F(CoordinatePickTest, APointInTheSquareWindowBecomesANewCoordinateAfterTheLast)
{
    coordinate(1, QStringLiteral("FAR"), 500.0, 500.0);
    ZahyoH[2] = 7.5;  // left from an earlier coordinate in the slot
    ZahyoLink[2] = QStringLiteral("old.jpg");
    // 2.4 m along both axes: outside every pass's circle, inside 2.5 m.
    point(1, QStringLiteral("KUI6"), 2.4, -2.4);
    double x = 0.0;
    double y = 0.0;
    const CoordinatePick pick = PickCoordinate(x, y, ShownNumberRanges{}, true, [](int) { return true; });
    EXPECT_EQ(pick.number, 2);
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("KUI6_?_"));
    EXPECT_DOUBLE_EQ(ZahyoX[2], kOriginX + 2.4);
    EXPECT_DOUBLE_EQ(ZahyoY[2], kOriginY - 2.4);
    EXPECT_DOUBLE_EQ(ZahyoPX[2], 2.4);
    EXPECT_DOUBLE_EQ(ZahyoPY[2], -2.4);
    EXPECT_EQ(ZahyoH[2], 0.0);
    EXPECT_TRUE(ZahyoLink[2].isEmpty());
    EXPECT_DOUBLE_EQ(x, -2.4) << "the press moves to the point";
    EXPECT_DOUBLE_EQ(y, -2.4);
}

TEST_F(CoordinatePickTest, TheFallbackSkipsDeletedHiddenAndFartherPointsAndRunsOnlyWhenAsked)
{
    point(1, QStringLiteral("GONE"), 0.0, 0.0, 101);
    point(2, QStringLiteral("HIDDEN"), 0.1, 0.0);
    point(3, QStringLiteral("OUTSIDE"), 2.6, 0.0);
    point(4, QStringLiteral("TAKEN"), -1.0, 2.0);
    double x = 0.0;
    double y = 0.0;
    EXPECT_EQ(PickCoordinate(x, y, ShownNumberRanges{}, false, {}).number, 0);
    EXPECT_EQ(ZahyoMax, 0);
    const CoordinatePick pick = PickCoordinate(x, y, ShownNumberRanges{}, true, [](int j) { return j != 2; });
    EXPECT_EQ(pick.number, 1);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("TAKEN_?_"));
}

TEST_F(CoordinatePickTest, ACoordinateHitKeepsThePointsOutOfTheTable)
{
    coordinate(8, QStringLiteral("P8"), 1.8, 0.0);
    point(1, QStringLiteral("NEAR"), 0.0, 0.0);
    EXPECT_EQ(pressAt(0.0, 0.0, true).number, 8);
    EXPECT_EQ(ZahyoMax, 8);
}

TEST_F(CoordinatePickTest, AFullCoordinateTableRefusesThePointWithAMessage)
{
    ZahyoMax = kZahyoTop;
    point(1, QStringLiteral("NEAR"), 0.0, 0.0);
    script->expectMessage(platform::MsgResult::Ok, QStringLiteral("座標の件数が上限の500000件に達しています"));
    EXPECT_EQ(pressAt(0.0, 0.0, true).number, 0);
    EXPECT_EQ(ZahyoMax, kZahyoTop);
}

}  // namespace
}  // namespace tavelcor
