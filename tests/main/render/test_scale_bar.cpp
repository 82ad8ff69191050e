// SPDX-License-Identifier: LicenseRef-Tavelcor
// The scale-bar table and its boundaries.
#include "main/render/scale_bar.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tavelcor::render {
namespace {

struct BarRow {
    double spanX;
    const char* caption;
    double length;
    double offset;
};

class ScaleBarTest : public testing::TestWithParam<BarRow> {};

TEST_P(ScaleBarTest, PicksTheFirstRowWhoseTestPasses)
{
    const BarRow& r = GetParam();
    const ScaleBarRow row = scaleBarFor(r.spanX);
    EXPECT_EQ(std::string(row.caption), r.caption) << r.spanX;
    EXPECT_DOUBLE_EQ(row.length, r.length) << r.spanX;
    EXPECT_DOUBLE_EQ(row.captionOffset, r.offset) << r.spanX;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ScaleBarTest,
    testing::Values(BarRow{10000000, "100km", 100000, 40000}, BarRow{100000, "100km", 100000, 40000},
                    BarRow{99999.99, "10km", 10000, 4000}, BarRow{10000, "10km", 10000, 4000},
                    BarRow{9999, "1000m", 1000, 400}, BarRow{1000, "1000m", 1000, 400},
                    BarRow{999, "100m", 100, 40}, BarRow{200, "100m", 100, 40},
                    BarRow{199.9, "10m", 10, 4}, BarRow{10, "10m", 10, 4}, BarRow{9.99, "1m", 1, 0.4},
                    BarRow{1.0000001, "1m", 1, 0.4}, BarRow{1, "0.1m", 0.1, 0.04},
                    BarRow{0.12, "0.1m", 0.1, 0.04}, BarRow{0, "0.1m", 0.1, 0.04},
                    BarRow{std::numeric_limits<double>::quiet_NaN(), "0.1m", 0.1, 0.04}));

}  // namespace
}  // namespace tavelcor::render
