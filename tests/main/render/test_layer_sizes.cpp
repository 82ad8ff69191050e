// SPDX-License-Identifier: LicenseRef-Tavelcor
// Letter sizes chosen from the number of items in view.
#include "main/render/layer_sizes.h"

#include <gtest/gtest.h>

namespace tavelcor::render {
namespace {

TEST(PointFontSizeTest, ShrinksWithTheCountAndRoundsHalvesToEven)
{
    struct Row { int font; long n, limit; bool var; int expected; };
    const Row rows[] = {
        {11, 1000, 1000, true, 6},   // 5.5 rounds to the even 6
        {11, 500, 1000, true, 7},    // 7.33
        {13, 1000, 1000, true, 6},   // 6.5 rounds to the even 6
        {15, 1000, 1000, true, 8},   // 7.5 rounds to the even 8
        {11, 0, 1000, true, 11},
        {11, 1000, 1000, false, 11}, // fixed font
        {11, 1000, 0, true, 11},     // no limit: never divides
    };
    for (const Row& r : rows)
        EXPECT_EQ(pointFontSizeFor(r.font, r.n, r.limit, r.var), r.expected)
            << r.font << " " << r.n << "/" << r.limit;
}

TEST(TextScaleTest, LinearDownToHalf)
{
    EXPECT_FLOAT_EQ(textScaleFor(100, 500, true), 0.8F);
    EXPECT_FLOAT_EQ(textScaleFor(400, 500, true), 0.5F);
    EXPECT_FLOAT_EQ(textScaleFor(250, 500, true), 0.5F);
    EXPECT_FLOAT_EQ(textScaleFor(0, 500, true), 1.0F);
    EXPECT_FLOAT_EQ(textScaleFor(400, 500, false), 1.0F);
    EXPECT_FLOAT_EQ(textScaleFor(400, 0, true), 1.0F);
}

TEST(CoordinateFontSizeTest, DividesByCountOverLimitPlusOne)
{
    EXPECT_FLOAT_EQ(coordinateFontSizeFor(12, 3000, 1000, true), 3.0F);
    EXPECT_FLOAT_EQ(coordinateFontSizeFor(12, 500, 1000, true), 8.0F);
    EXPECT_FLOAT_EQ(coordinateFontSizeFor(12, 3000, 1000, false), 12.0F);
}

TEST(LabelFactorTest, FallsWithTheCount)
{
    EXPECT_DOUBLE_EQ(labelFactorFor(249, 500), 0.502);
    EXPECT_DOUBLE_EQ(labelFactorFor(250, 500), 0.5);
    EXPECT_DOUBLE_EQ(labelFactorFor(600, 500), -0.2);
}

}  // namespace
}  // namespace tavelcor::render
