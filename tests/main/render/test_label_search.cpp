// SPDX-License-Identifier: LicenseRef-Tavelcor
// The ring search for a label point inside both the parcel and the view.
#include "main/render/label_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavelcor::render {
namespace {

// View centred at plot (0, 0), 300 m north extent, 600 m east extent: step 10.
const LabelRing kRing = labelRingFor(0.0, 0.0, 300.0, 600.0);

TEST(LabelSearchTest, RingEdgesAndStep)
{
    EXPECT_DOUBLE_EQ(kRing.step, 10.0);
    EXPECT_DOUBLE_EQ(kRing.top, 150.0);
    EXPECT_DOUBLE_EQ(kRing.bottom, -150.0);
    EXPECT_DOUBLE_EQ(kRing.left, -300.0);
    EXPECT_DOUBLE_EQ(kRing.right, 300.0);
}

TEST(LabelSearchTest, TriesTopRowThenBottomRowThenWestThenEastColumn)
{
    std::vector<PlotPoint> tried;
    const auto found = findLabelPoint(kRing, [&](double x, double y) {
        tried.push_back({x, y});
        return false;
    });
    EXPECT_FALSE(found.has_value());
    // 60 per row (Y = -290 .. 300), 28 per column (X = 130 .. -140).
    ASSERT_EQ(tried.size(), 60u + 60u + 28u + 28u);
    EXPECT_DOUBLE_EQ(tried[0].x, 140.0);
    EXPECT_DOUBLE_EQ(tried[0].y, -290.0);
    EXPECT_DOUBLE_EQ(tried[59].y, 300.0) << "the row runs up to the east edge itself";
    EXPECT_DOUBLE_EQ(tried[60].x, -140.0);
    EXPECT_DOUBLE_EQ(tried[60].y, -290.0);
    EXPECT_DOUBLE_EQ(tried[120].x, 130.0) << "columns start two steps below the top";
    EXPECT_DOUBLE_EQ(tried[120].y, -290.0);
    EXPECT_DOUBLE_EQ(tried[147].x, -140.0) << "columns end one step above the bottom";
    EXPECT_DOUBLE_EQ(tried[148].y, 290.0);
}

TEST(LabelSearchTest, StopsAtTheFirstPointInside)
{
    // A parcel covering the south-east quarter only.
    const auto found = findLabelPoint(kRing, [](double x, double y) { return x < 0 && y > 100; });
    ASSERT_TRUE(found.has_value());
    EXPECT_DOUBLE_EQ(found->x, -140.0);
    EXPECT_DOUBLE_EQ(found->y, 110.0);
}

TEST(LabelSearchTest, BadStepFindsNothingAndDoesNotLoop)
{
    int calls = 0;
    auto count = [&](double, double) { ++calls; return true; };
    EXPECT_FALSE(findLabelPoint(labelRingFor(0, 0, 0.0, 100.0), count).has_value());
    EXPECT_FALSE(findLabelPoint(labelRingFor(0, 0, -30.0, 100.0), count).has_value());
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace tavelcor::render
