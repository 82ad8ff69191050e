// SPDX-License-Identifier: LicenseRef-Tavelcor
// The geometry of the line panel's presses on the shared tables: the pick
// by the foot of the perpendicular and the end it leaves fixed, the snap
// cascade with its passes and its two uses, the Shift constraints, the
// length to the millimetre and the typed length.
#include "line_rows.h"
#include "main/interact/line_picks.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavelcor {
namespace {

using interacttest::putLine;

constexpr double kOriginX = 10000.0;
constexpr double kOriginY = 20000.0;

class LinePicksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        OriginX = kOriginX;
        OriginY = kOriginY;
    }

    static void coordinate(int n, const QString& name, double north, double east)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = kOriginX + north;
        ZahyoY[n] = kOriginY + east;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    static bool allShown(int) { return true; }

    // Everything shown; the view is the square of +-50 m around the origin.
    static SnapView view(bool coordinatesShown = true)
    {
        SnapView v;
        v.pointShown = allShown;
        v.lineShown = allShown;
        v.insideView = [](double n, double e) {
            return std::abs(n - kOriginX) < 50.0 && std::abs(e - kOriginY) < 50.0;
        };
        v.coordinateInView = [](int j) {
            return std::abs(ZahyoX[j] - kOriginX) < 50.0 && std::abs(ZahyoY[j] - kOriginY) < 50.0;
        };
        v.coordinatesShown = coordinatesShown;
        return v;
    }
};

TEST_F(LinePicksTest, TheFootMustLieOnTheLineAndNearIt)
{
    putLine(1, 0.0, 0.0, 0.0, 10.0);  // first end west, second east
    struct Row {
        const char* name;
        double north, east;
        int line;
    };
    const Row rows[] = {
        {"beside the middle", 0.2, 5.0, 1},
        {"too far beside", 0.6, 5.0, 0},
        {"beyond the first end", 0.0, -0.1, 0},
        {"beyond the second end", 0.0, 10.1, 0},
        {"at the second end", 0.1, 10.0, 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(pickLineByFoot(row.north, row.east, 0.5, allShown).line, row.line) << row.name;
}

TEST_F(LinePicksTest, ColoursFromTwentyAreNeverPickedButTheirEndsAreSnapped)
{
    for (int colour : {20, 57, 99}) {
        putLine(1, 0.0, 0.0, 0.0, 10.0, colour);
        EXPECT_EQ(pickLineByFoot(0.1, 5.0, 0.5, allShown).line, 0) << colour;
        const SnapHit hit = snapPress(0.05, 10.05, 0.1, SnapUse::LineAdd, view());
        EXPECT_EQ(hit.kind, SnapKind::LineSecondEnd) << colour;
        EXPECT_EQ(hit.index, 1);
        EXPECT_DOUBLE_EQ(hit.east, 10.0);
    }
    putLine(1, 0.0, 0.0, 0.0, 10.0, 19);
    EXPECT_EQ(pickLineByFoot(0.1, 5.0, 0.5, allShown).line, 1);
}

TEST_F(LinePicksTest, AHiddenLineIsNeitherPickedNorSnapped)
{
    putLine(1, 0.0, 0.0, 0.0, 10.0);
    SnapView hidden = view();
    hidden.lineShown = [](int) { return false; };
    EXPECT_EQ(pickLineByFoot(0.1, 5.0, 0.5, [](int) { return false; }).line, 0);
    EXPECT_EQ(snapPress(0.0, 0.05, 0.1, SnapUse::LineMoveDrop, hidden).kind, SnapKind::None);
}

TEST_F(LinePicksTest, TheFarEndStaysAndTheMiddleCountsAsTheSecondHalf)
{
    // North-south line: the first end 10 m north of the second, so the
    // distances along it are exact.
    putLine(1, 10.0, 0.0, 0.0, 0.0);
    const LineFootPick nearFirst = pickLineByFoot(7.0, 0.1, 0.5, allShown);
    ASSERT_EQ(nearFirst.line, 1);
    EXPECT_LT(nearFirst.alongFromFirst, nearFirst.length / 2.0);
    const LineFootPick middle = pickLineByFoot(5.0, 0.0, 0.5, allShown);
    ASSERT_EQ(middle.line, 1);
    EXPECT_DOUBLE_EQ(middle.alongFromFirst, 5.0);
    EXPECT_FALSE(middle.alongFromFirst < middle.length / 2.0);
    EXPECT_DOUBLE_EQ(BaseAzimuth, 0.0);  // from the second end towards the first: north
}

TEST_F(LinePicksTest, ACoordinateJustOutsideTheViewSnapsOnlyTheMovedEnd)
{
    coordinate(3, QStringLiteral("K3"), 49.99, 50.02);  // just east of the view
    const SnapHit add = snapPress(49.99, 49.99, 0.1, SnapUse::LineAdd, view());
    EXPECT_EQ(add.kind, SnapKind::None);
    const SnapHit move = snapPress(49.99, 49.99, 0.1, SnapUse::LineMoveDrop, view());
    EXPECT_EQ(move.kind, SnapKind::Coordinate);
    EXPECT_EQ(move.index, 3);
    EXPECT_NEAR(move.east, 50.02, 1e-9);
}

TEST_F(LinePicksTest, CoordinatesTakeASquareForTheAddAndACircleForTheMove)
{
    // K4 lies 0.09 m north and 0.09 m east of the press: inside the first
    // pass's square of 0.1, outside its circle (0.127 m away). K6 lies
    // 0.099 m east: inside both.
    coordinate(4, QStringLiteral("K4"), 1.09, 1.09);
    coordinate(6, QStringLiteral("K6"), 1.0, 1.099);
    EXPECT_EQ(snapPress(1.0, 1.0, 0.1, SnapUse::LineAdd, view()).index, 4);
    EXPECT_EQ(snapPress(1.0, 1.0, 0.1, SnapUse::LineMoveDrop, view()).index, 6);
    ZahyoName[6] = QStringLiteral("_?>");
    EXPECT_EQ(snapPress(1.0, 1.0, 0.1, SnapUse::LineMoveDrop, view()).index, 4);  // second pass
}

TEST_F(LinePicksTest, CoordinatesNeedTheirNumbersOrNamesShownAndANameInUse)
{
    coordinate(3, QStringLiteral("K3"), 1.0, 1.0);
    EXPECT_EQ(snapPress(1.0, 1.0, 0.1, SnapUse::LineMoveDrop, view(false)).kind, SnapKind::None);
    ZahyoName[3] = QStringLiteral(" _?> ");
    EXPECT_EQ(snapPress(1.0, 1.0, 0.1, SnapUse::LineMoveDrop, view()).kind, SnapKind::None);
}

TEST_F(LinePicksTest, PointsComeBeforeLineEndsAndAnEarlierPassBeforeALowerIndex)
{
    putLine(1, 0.0, 0.0, 0.0, 10.0);
    PointX[1] = 0.0;
    PointY[1] = 0.35;  // fourth pass
    PointMark[1] = 1;
    PointCount = 1;
    SnapHit hit = snapPress(0.0, 0.0, 0.1, SnapUse::LineMoveDrop, view());
    EXPECT_EQ(hit.kind, SnapKind::Point);
    PointMark[1] = 101;  // deleted
    hit = snapPress(0.0, 0.0, 0.1, SnapUse::LineMoveDrop, view());
    EXPECT_EQ(hit.kind, SnapKind::LineFirstEnd);
    putLine(2, 0.0, 0.25, 0.0, 0.15);  // its first end in pass 3, its second in pass 2
    LineColor[1] = 105;             // deleted
    hit = snapPress(0.0, 0.0, 0.1, SnapUse::LineMoveDrop, view());
    EXPECT_EQ(hit.kind, SnapKind::LineFirstEnd);
    EXPECT_EQ(hit.index, 2);
}

TEST_F(LinePicksTest, ShiftMakesASegmentDueEastOrDueNorth)
{
    struct Row {
        const char* name;
        PlotPosition press, expected;
    };
    const PlotPosition start{0.0, 0.0};
    const Row rows[] = {
        {"3 east 1 north: due east", {1.0, 3.0}, {0.0, 3.0}},
        {"1 east 3 north: due north", {3.0, 1.0}, {3.0, 0.0}},
        {"a tie: due east", {2.0, 2.0}, {0.0, 2.0}},
        {"south-west", {-1.0, -3.0}, {0.0, -3.0}},
    };
    for (const Row& row : rows) {
        const PlotPosition got = constrainSegment(start, row.press);
        EXPECT_DOUBLE_EQ(got.north, row.expected.north) << row.name;
        EXPECT_DOUBLE_EQ(got.east, row.expected.east) << row.name;
    }
}

TEST_F(LinePicksTest, ShiftMakesAMovedEndLevelOrPlumbAndLeavesATie)
{
    const PlotPosition fixed{0.0, 0.0};
    EXPECT_DOUBLE_EQ(constrainMovedEnd(fixed, {1.0, 3.0}).north, 0.0);
    EXPECT_DOUBLE_EQ(constrainMovedEnd(fixed, {3.0, 1.0}).east, 0.0);
    const PlotPosition tie = constrainMovedEnd(fixed, {2.0, -2.0});
    EXPECT_DOUBLE_EQ(tie.north, 2.0);
    EXPECT_DOUBLE_EQ(tie.east, -2.0);
}

TEST_F(LinePicksTest, LengthsGoToTheMillimetreHalfGoingUp)
{
    EXPECT_DOUBLE_EQ(lengthToMillimetre(10.0), 10.0);
    EXPECT_DOUBLE_EQ(lengthToMillimetre(12.3454), 12.345);
    EXPECT_DOUBLE_EQ(lengthToMillimetre(12.3456), 12.346);
    EXPECT_DOUBLE_EQ(lengthToMillimetre(0.0625), 0.063);  // exactly half a millimetre
}

TEST_F(LinePicksTest, ATypedLengthIsANumberOrNothing)
{
    EXPECT_EQ(typedLength(QStringLiteral("12.5")), 12.5);
    EXPECT_EQ(typedLength(QStringLiteral(" 7 ")), 7.0);
    for (const char* bad : {"", "abc", "12m", "1,5", "inf", "nan"})
        EXPECT_FALSE(typedLength(QString::fromLatin1(bad)).has_value()) << bad;
}

}  // namespace
}  // namespace tavelcor
