// SPDX-License-Identifier: LicenseRef-Tavelcor
// The on-map area measurement: vertices stored per press, the closing press
// within twice the pick radius of vertex 1, the area of the closed polygon
// by the shoelace sum, the drop at the 200th vertex, and the result text.
#include "main/interact/area_measure.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tavelcor {
namespace {

// Presses are given as plot north, east; the press position is (x = east,
// y = -north).
class AreaMeasureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        AreaCount = 1;  // the area command armed the measurement
    }

    static AreaPress press(double north, double east, double radius = 0.1)
    {
        return areaVertexPress(east, -north, radius);
    }
};

TEST_F(AreaMeasureTest, AUnitSquareClosedNearVertexOneIsOneSquareMetre)
{
    EXPECT_EQ(press(0.0, 0.0).step, AreaStep::Open);
    EXPECT_EQ(press(0.0, 1.0).step, AreaStep::Open);
    EXPECT_EQ(press(1.0, 1.0).step, AreaStep::Open);
    EXPECT_EQ(press(1.0, 0.0).step, AreaStep::Open);
    EXPECT_EQ(AreaCount, 5);
    const AreaPress closing = press(0.05, -0.05);
    EXPECT_EQ(closing.step, AreaStep::Closed);
    EXPECT_DOUBLE_EQ(closing.area, 1.0);
    EXPECT_EQ(AreaCount, 6) << "one past the closing vertex, for the drawing";
    EXPECT_EQ(std::as_const(AreaX)[5], 0.0F) << "the closing vertex is vertex 1 itself";
    EXPECT_EQ(std::as_const(AreaY)[5], 0.0F);
    EXPECT_EQ(areaMessage(closing.area), QStringLiteral("面積=1㎡"));
}

TEST_F(AreaMeasureTest, ClosingAfterTwoVerticesGivesZero)
{
    press(0.0, 0.0);
    press(3.0, 4.0);
    const AreaPress closing = press(0.0, 0.0);
    EXPECT_EQ(closing.step, AreaStep::Closed);
    EXPECT_EQ(closing.area, 0.0);
    EXPECT_EQ(areaMessage(closing.area), QStringLiteral("面積=0㎡"));
}

TEST_F(AreaMeasureTest, TheSecondPressNearVertexOneDoesNotClose)
{
    press(0.0, 0.0);
    EXPECT_EQ(press(0.01, 0.0).step, AreaStep::Open);
    EXPECT_EQ(AreaCount, 3);
}

TEST_F(AreaMeasureTest, ThePressMustLieWithinTheRadiusAlongBothAxes)
{
    for (const auto& [north, east] : std::vector<std::pair<double, double>>{{0, 0}, {0, 10}, {10, 10}})
        press(north, east, 0.5);
    EXPECT_EQ(press(0.4, 0.6, 0.5).step, AreaStep::Open) << "east 0.6 is not below 0.5";
    EXPECT_EQ(press(-0.49, 0.49, 0.5).step, AreaStep::Closed);
}

TEST_F(AreaMeasureTest, TheAreaDoesNotDependOnWhereTheClosingPressLands)
{
    for (const auto& [north, east] : std::vector<std::pair<double, double>>{{0, 0}, {0, 20}, {10, 20}})
        press(north, east, 1.0);
    const double area = press(0.9, 0.9, 1.0).area;
    EXPECT_DOUBLE_EQ(area, 100.0);
}

TEST_F(AreaMeasureTest, TheTwoHundredthVertexWithoutClosingDropsTheMeasurement)
{
    for (int k = 1; k <= 199; ++k)
        ASSERT_EQ(press(k, k * k).step, AreaStep::Open);
    EXPECT_EQ(AreaCount, 200);
    EXPECT_EQ(press(-5.0, 7.0).step, AreaStep::Full);
    EXPECT_EQ(AreaCount, 201) << "one past the 200th vertex until the open polygon is drawn";
}

TEST_F(AreaMeasureTest, ACounterOutsideTheVerticesEndsTheMeasurementWithoutWriting)
{
    AreaCount = 201;
    EXPECT_EQ(press(1.0, 1.0).step, AreaStep::Full);
    EXPECT_EQ(AreaCount, 0);
    AreaCount = -3;
    EXPECT_EQ(press(1.0, 1.0).step, AreaStep::Full);
    EXPECT_EQ(AreaCount, 0);
}

TEST(AreaMessage, RoundsToTwoDecimalsWithoutTrailingZeros)
{
    const struct {
        double area;
        const char16_t* text;
    } rows[] = {{123.45, u"面積=123.45㎡"}, {123.454, u"面積=123.45㎡"}, {123.455, u"面積=123.46㎡"},
                {0.5, u"面積=0.5㎡"},      {2.0, u"面積=2㎡"},          {0.004, u"面積=0㎡"}};
    for (const auto& row : rows)
        EXPECT_EQ(areaMessage(row.area), QString::fromUtf16(row.text)) << row.area;
}

TEST(ClosedAreaOf, TakesTheVerticesCyclicallyInEitherTurn)
{
    resetTables();
    // A 3-4-5 right triangle, clockwise then counter-clockwise.
    const float xs[] = {0.0F, 0.0F, 3.0F};
    const float ys[] = {0.0F, 4.0F, 0.0F};
    for (int k = 0; k < 3; ++k) {
        AreaX[k + 1] = xs[k];
        AreaY[k + 1] = ys[k];
    }
    EXPECT_DOUBLE_EQ(closedAreaOf(3), 6.0);
    std::swap(AreaX[2], AreaX[3]);
    std::swap(AreaY[2], AreaY[3]);
    EXPECT_DOUBLE_EQ(closedAreaOf(3), 6.0);
    EXPECT_EQ(closedAreaOf(2), 0.0);
    EXPECT_EQ(closedAreaOf(201), 0.0);
}

}  // namespace
}  // namespace tavelcor
