// SPDX-License-Identifier: LicenseRef-Tavelcor
// The on-map area measurement through presses on the main window: the
// result message of the closing press, the closing radius of twice the pick
// radius, the silent drop at the 200th vertex, the right press that
// abandons it, and the polygon drawn on the plot.
#include "interact_fixture.h"

#include "main/site/tables.h"

namespace tavelcor::interacttest {
namespace {

// HitRadius 10 on the 100 m view: the pick radius is 0.5 m, the closing
// radius 1 m.
class AreaPress : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        HitRadius = 10;
    }

    Plot& startMeasurement()
    {
        Plot& w = shownPlot();
        AreaCount = 1;  // the area command
        return w;
    }
};

TEST_F(AreaPress, AUnitSquareReportsOneSquareMetre)
{
    startMeasurement();
    pressAt(1, 0.0, 0.0);
    pressAt(1, 0.0, 1.0);
    pressAt(1, 1.0, 1.0);
    pressAt(1, 1.0, 0.0);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("面積=1㎡"));
    pressAt(1, 0.2, -0.3);
    EXPECT_EQ(AreaCount, 0);
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkOnly);
}

TEST_F(AreaPress, ClosingAfterTwoVerticesReportsZero)
{
    startMeasurement();
    pressAt(1, 0.0, 0.0);
    pressAt(1, 20.0, 0.0);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("面積=0㎡"));
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(AreaCount, 0);
}

TEST_F(AreaPress, TheClosingRadiusIsTwiceThePickRadius)
{
    startMeasurement();
    for (const auto& [north, east] : {std::pair{0.0, 0.0}, std::pair{0.0, 10.0}, std::pair{10.0, 10.0}})
        pressAt(1, north, east);
    pressAt(1, 10.0, 0.0);
    pressAt(1, 1.05, 0.0);  // beyond 1 m: a further vertex
    EXPECT_EQ(AreaCount, 6);
    // 0.9 m off along both axes: outside the pick radius, inside the
    // closing radius; the closing vertex is vertex 1 itself, so the area is
    // that of the polygon 0,0 / 0,10 / 10,10 / 10,0 / 1.05,0.
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("面積=100㎡"));
    pressAt(1, 0.9, -0.9);
    EXPECT_EQ(AreaCount, 0);
}

TEST_F(AreaPress, TheClosedPolygonIsDrawnOnThePlot)
{
    startMeasurement();
    pressAt(1, -20.0, -20.0);
    pressAt(1, -20.0, 20.0);
    EXPECT_EQ(colorAt(-20.0, 0.0), platform::QBColor(5)) << "the open polygon's first segment";
    pressAt(1, 20.0, 20.0);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("面積=800㎡"));
    pressAt(1, -20.0, -20.0);
    EXPECT_EQ(colorAt(0.0, 0.0), platform::QBColor(5)) << "the closing segment back to vertex 1";
}

TEST_F(AreaPress, The200thVertexWithoutClosingDropsTheMeasurementSilently)
{
    startMeasurement();
    pressAt(1, 45.0, 45.0);  // vertex 1, far from the zigzag of the others
    for (int k = 2; k <= 199; ++k)
        pressAt(1, -40.0 + 0.4 * k, k % 2 == 0 ? 10.0 : -10.0);
    EXPECT_EQ(AreaCount, 200);
    pressAt(1, 30.0, 30.0);
    EXPECT_EQ(AreaCount, 0);
    EXPECT_TRUE(script().records().empty());
    EXPECT_EQ(plot().Picture1.canvas().DrawMode(), platform::PenMode::CopyPen);
}

TEST_F(AreaPress, ARightPressAbandonsAndTheNextLeftPressArmsTheZoomWindow)
{
    startMeasurement();
    pressAt(1, 0.0, 0.0);
    pressAt(1, 0.0, 5.0);
    pressAt(2, 3.0, 3.0);
    EXPECT_EQ(AreaCount, 0);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(DragZoomArmed, 1);
    EXPECT_TRUE(script().records().empty());
}

}  // namespace
}  // namespace tavelcor::interacttest
