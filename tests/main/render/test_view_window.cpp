// SPDX-License-Identifier: LicenseRef-Tavelcor
// Region codes, segment rejection, the strict box test and the view fit.
#include "main/render/view_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace tavelcor::render {
namespace {

const ViewWindow kView{1000.0, 2000.0, 100.0, 200.0};  // centre (1000 N, 2000 E)

struct RegionRow {
    const char* name;
    double x, y, f;
    int code;
};

class RegionCodeTest : public testing::TestWithParam<RegionRow> {};

TEST_P(RegionCodeTest, GivesTheCodeOfTheScreenLayout)
{
    const RegionRow& r = GetParam();
    EXPECT_EQ(regionCode(r.x, r.y, kView, r.f), r.code) << r.name;
}

// Wide window: north bound 1000 + 60 = 1060, east bound 2000 + 120 = 2120.
INSTANTIATE_TEST_SUITE_P(
    Layout, RegionCodeTest,
    testing::Values(RegionRow{"centre", 1000, 2000, kWideWindowFactor, 5},
                    RegionRow{"north_west", 1100, 1800, kWideWindowFactor, 1},
                    RegionRow{"north", 1100, 2000, kWideWindowFactor, 2},
                    RegionRow{"north_east", 1100, 2200, kWideWindowFactor, 3},
                    RegionRow{"west", 1000, 1800, kWideWindowFactor, 4},
                    RegionRow{"east", 1000, 2200, kWideWindowFactor, 6},
                    RegionRow{"south_west", 900, 1800, kWideWindowFactor, 7},
                    RegionRow{"south", 900, 2000, kWideWindowFactor, 8},
                    RegionRow{"south_east", 900, 2200, kWideWindowFactor, 9},
                    RegionRow{"on_north_bound_is_inside", 1060, 2000, kWideWindowFactor, 5},
                    RegionRow{"hair_north_of_bound", 1060.000001, 2000, kWideWindowFactor, 2},
                    RegionRow{"on_east_bound_is_inside", 1000, 2120, kWideWindowFactor, 5},
                    RegionRow{"on_south_bound_is_inside", 940, 1880, kWideWindowFactor, 5},
                    // The same position lies north of the view itself.
                    RegionRow{"view_window_north", 1060, 2000, kViewWindowFactor, 2},
                    RegionRow{"view_window_bound", 1050, 2100, kViewWindowFactor, 5},
                    RegionRow{"inner_window_excludes_edge", 1050, 2000, kInnerWindowFactor, 2}),
    [](const testing::TestParamInfo<RegionRow>& i) { return std::string(i.param.name); });

TEST(Hantei2Test, RejectsExactlyThePairsBeyondOneCommonSide)
{
    // Rejected partners per first code, as laid out on the screen.
    const std::vector<std::vector<int>> rejected = {
        {},               // 0 unused
        {1, 2, 3, 4, 7},  // 1
        {1, 2, 3},        // 2
        {1, 2, 3, 6, 9},  // 3
        {1, 4, 7},        // 4
        {},               // 5
        {3, 6, 9},        // 6
        {1, 4, 7, 8, 9},  // 7
        {7, 8, 9},        // 8
        {3, 6, 7, 8, 9},  // 9
    };
    for (int hb = 1; hb <= 9; ++hb) {
        for (int h = 1; h <= 9; ++h) {
            const bool rejects = std::find(rejected[hb].begin(), rejected[hb].end(), h) != rejected[hb].end();
            EXPECT_EQ(hantei2(hb, h), rejects ? 0 : 1) << hb << "," << h;
            EXPECT_EQ(hantei2(hb, h), hantei2(h, hb)) << "symmetric " << hb << "," << h;
        }
    }
    EXPECT_EQ(hantei2(1, 9), 1);
    EXPECT_EQ(hantei2(3, 7), 1);
    EXPECT_EQ(hantei2(3, 4), 1);
    EXPECT_EQ(hantei2(2, 2), 0);
}

TEST(Hantei4Test, OrdersTheCornersAndTestsStrictly)
{
    double x1 = 10, y1 = 10, x2 = 0, y2 = 0;
    EXPECT_EQ(Hantei4(x1, y1, x2, y2, 5, 5), 1);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(x2, 10);
    EXPECT_EQ(y2, 10);
    EXPECT_EQ(Hantei4(x1, y1, x2, y2, 0, 5), 0) << "on the west edge";
    EXPECT_EQ(Hantei4(x1, y1, x2, y2, 5, 10), 0) << "on the north edge";
    EXPECT_EQ(Hantei4(x1, y1, x2, y2, 11, 5), 0) << "outside";
}

struct FitRow {
    const char* name;
    double widthTw, heightTw, spanX, spanY;
    double shownX, shownY;
};

class FitViewTest : public testing::TestWithParam<FitRow> {};

TEST_P(FitViewTest, WantedAreaFitsAndTheOtherAxisGrows)
{
    const FitRow& r = GetParam();
    const ViewWindow wanted{500.0, 300.0, r.spanX, r.spanY};
    const auto fitted = fitView(wanted, 400.0, 100.0, r.widthTw, r.heightTw);
    ASSERT_TRUE(fitted.has_value());
    EXPECT_DOUBLE_EQ(fitted->viewSpanX, r.shownX);
    EXPECT_DOUBLE_EQ(fitted->viewSpanY, r.shownY);
    EXPECT_DOUBLE_EQ(fitted->fitSpanX, r.spanX);
    EXPECT_DOUBLE_EQ(fitted->fitSpanY, r.spanY);
    // Centre (500 N, 300 E) minus origin (400, 100) is plot (100, 200).
    EXPECT_FLOAT_EQ(fitted->scaleLeft, 200.0 - r.shownY / 2);
    EXPECT_FLOAT_EQ(fitted->scaleTop, -(100.0 + r.shownX / 2));
    EXPECT_FLOAT_EQ(fitted->scaleWidth, r.shownY);
    EXPECT_FLOAT_EQ(fitted->scaleHeight, r.shownX);
}

INSTANTIATE_TEST_SUITE_P(
    Aspects, FitViewTest,
    testing::Values(FitRow{"twice_as_wide", 2000, 1000, 100, 100, 100, 200},
                    FitRow{"half_as_wide", 1000, 2000, 100, 100, 200, 100},
                    FitRow{"same_aspect_tie_keeps_east_extent", 2000, 1000, 50, 100, 50, 100},
                    FitRow{"wanted_wider_than_picture", 1000, 1000, 10, 40, 40, 40}),
    [](const testing::TestParamInfo<FitRow>& i) { return std::string(i.param.name); });

TEST(FitViewTest, ZeroNorthExtentBecomesOneNanometre)
{
    const auto fitted = fitView({0, 0, 0.0, 0.0}, 0, 0, 2000, 1000);
    ASSERT_TRUE(fitted.has_value());
    EXPECT_DOUBLE_EQ(fitted->fitSpanX, 1e-9);
    EXPECT_DOUBLE_EQ(fitted->viewSpanX, 1e-9);
    EXPECT_DOUBLE_EQ(fitted->viewSpanY, 2e-9);
}

TEST(FitViewTest, PictureWithoutSizeOrNonFiniteViewIsRefused)
{
    EXPECT_FALSE(fitView({0, 0, 100, 100}, 0, 0, 2000, 0).has_value());
    EXPECT_FALSE(fitView({0, 0, 100, 100}, 0, 0, 0, 1000).has_value());
    EXPECT_FALSE(fitView({0, 0, std::numeric_limits<double>::quiet_NaN(), 100}, 0, 0, 2000, 1000)
                     .has_value());
    EXPECT_FALSE(fitView({std::numeric_limits<double>::infinity(), 0, 100, 100}, 0, 0, 2000, 1000)
                     .has_value());
}

}  // namespace
}  // namespace tavelcor::render

#include "main/render/render_internal.h"

namespace tavelcor::render {
namespace {

// The drawers' precomputed window test agrees with the region codes,
// bounds included, and its segment test with hantei2.
TEST(RegionTesterTest, AgreesWithRegionCodeAndHantei2)
{
    for (double f : {kWideWindowFactor, kViewWindowFactor}) {
        const RegionTester tester(kView, f);
        const double xs[] = {kView.cx - f * kView.spanX - 1, kView.cx - f * kView.spanX, kView.cx,
                             kView.cx + f * kView.spanX, kView.cx + f * kView.spanX + 1e-9};
        const double ys[] = {kView.cy - f * kView.spanY - 5, kView.cy - f * kView.spanY, kView.cy + 3,
                             kView.cy + f * kView.spanY, kView.cy + f * kView.spanY + 0.5};
        for (double x : xs)
            for (double y : ys) {
                const int code = regionCode(x, y, kView, f);
                EXPECT_EQ(tester.code(x, y), code) << x << "," << y;
                EXPECT_EQ(tester.inside(x, y), code == 5);
                EXPECT_EQ(tester.insideNoBranch(x, y), code == 5);
            }
    }
    for (int a = 0; a <= 9; ++a)
        for (int b = 0; b <= 9; ++b)
            EXPECT_EQ(segmentMayCross(a, b), hantei2(a, b)) << a << "," << b;
}

}  // namespace
}  // namespace tavelcor::render
