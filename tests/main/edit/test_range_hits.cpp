// SPDX-License-Identifier: LicenseRef-Tavelcor
// The segment test of the line range selection and the overlap test of the
// text range selection. Expected values are worked by hand from the sums of
// distances (segment test) and the strict comparisons (overlap test).
#include "main/edit/range_hits.h"

#include "main/site/tables.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

struct SegmentCase {
    const char* name;
    double f1x, f1y, f2x, f2y, f3x, f3y, f4x, f4y, px, py;
    int expected;
};

// ViewSpanX 100 m: tolerance t = 0.1 m.
const SegmentCase kSegmentCases[] = {
    {"end of both segments", 0, 0, 10, 0, 0, 0, 0, 10, 0, 0, 1},
    {"crossing inside both", 0, 0, 10, 0, 5, -5, 5, 5, 5, 0, 1},
    // |PF1| + |PF2| = 10.2 + 0.2 = 10.4 > 10.1.
    {"extension of the first beyond t", 0, 0, 10, 0, 10.2, -5, 10.2, 5, 10.2, 0, 0},
    {"extension of the second beyond t", 10.2, -5, 10.2, 5, 0, 0, 10, 0, 10.2, 0, 0},
    // 10.04 + 0.04 = 10.08 <= 10.1.
    {"extension within t", 0, 0, 10, 0, 10.04, -5, 10.04, 5, 10.04, 0, 1},
    {"beside both segments", 0, 0, 10, 0, 0, 0, 0, 10, 5, 5, 0},
    // F1 = F2: 2 |PF1| <= t.
    {"point segment, P within t/2, on the other", 5, 5, 5, 5, 0, 5, 10, 5, 5.04, 5, 1},
    {"point segment, P beyond t/2", 5, 5, 5, 5, 0, 5, 10, 5, 5.06, 5, 0},
    {"point segment, P within t/2, off the other", 5, 5, 5, 5, 0, 20, 10, 20, 5.04, 5, 0},
};

TEST(RangeHits, LxariTellsAPointOnBothSegments)
{
    resetTables();
    ViewSpanX = 100.0;
    for (const SegmentCase& c : kSegmentCases) {
        EXPECT_EQ(Lxari(c.f1x, c.f1y, c.f2x, c.f2y, c.f3x, c.f3y, c.f4x, c.f4y, c.px, c.py), c.expected) << c.name;
    }
}

TEST(RangeHits, LxariToleranceFollowsTheVisibleExtent)
{
    resetTables();
    // 10.4 + 0.4 = 10.8: beyond t = 0.1 m, within t = 1 m.
    ViewSpanX = 100.0;
    EXPECT_EQ(Lxari(0, 0, 10, 0, 10.4, -5, 10.4, 5, 10.4, 0), 0);
    ViewSpanX = 1000.0;
    EXPECT_EQ(Lxari(0, 0, 10, 0, 10.4, -5, 10.4, 5, 10.4, 0), 1);
    EXPECT_EQ(lxariWithin(0, 0, 10, 0, 10.4, -5, 10.4, 5, 10.4, 0, 0.79), 0);
    EXPECT_EQ(lxariWithin(0, 0, 10, 0, 10.4, -5, 10.4, 5, 10.4, 0, 0.81), 1);
}

struct OverlapCase {
    const char* name;
    double tx1, ty1, tx2, ty2;
    int expected;
};

// Range (0, 0)-(10, 10).
const OverlapCase kOverlapCases[] = {
    {"strictly inside", 2, 2, 8, 8, 0},
    {"vertical band", 2, -5, 8, 15, 1},
    {"horizontal band", -5, 2, 15, 8, 1},
    {"covers", -5, -5, 15, 15, 1},
    {"vertical band sharing the west edge", 0, -5, 8, 15, 0},
    {"horizontal band sharing the south edge", -5, 0, 15, 8, 0},
    {"cover sharing the east edge", -5, -5, 10, 15, 0},
    {"cover sharing the north edge", -5, -5, 15, 10, 0},
    {"spans vertically, reaching in from the west", -5, -5, 8, 15, 0},
    {"outside", 20, 20, 30, 30, 0},
};

TEST(RangeHits, Hantei5TellsBandsAndCovers)
{
    for (const OverlapCase& c : kOverlapCases) {
        double ax1 = 0, ay1 = 0, ax2 = 10, ay2 = 10;
        EXPECT_EQ(Hantei5(ax1, ay1, ax2, ay2, c.tx1, c.ty1, c.tx2, c.ty2), c.expected) << c.name;
        EXPECT_EQ(ax1, 0.0);
        EXPECT_EQ(ax2, 10.0);
    }
}

TEST(RangeHits, Hantei5PutsAReversedRangeInOrderForTheCaller)
{
    double ax1 = 10, ay1 = 10, ax2 = 0, ay2 = 0;
    EXPECT_EQ(Hantei5(ax1, ay1, ax2, ay2, -5, -5, 15, 15), 1);
    EXPECT_EQ(ax1, 0.0);
    EXPECT_EQ(ay1, 0.0);
    EXPECT_EQ(ax2, 10.0);
    EXPECT_EQ(ay2, 10.0);

    // Only the x values reversed: only they are swapped.
    ax1 = 10, ay1 = 0, ax2 = 0, ay2 = 10;
    EXPECT_EQ(Hantei5(ax1, ay1, ax2, ay2, 2, -5, 8, 15), 1);
    EXPECT_EQ(ax1, 0.0);
    EXPECT_EQ(ay1, 0.0);
    EXPECT_EQ(ax2, 10.0);
    EXPECT_EQ(ay2, 10.0);

    // The text corners are taken as passed: a reversed box meets nothing.
    ax1 = 0, ay1 = 0, ax2 = 10, ay2 = 10;
    EXPECT_EQ(Hantei5(ax1, ay1, ax2, ay2, 15, 15, -5, -5), 0);
}

}  // namespace
}  // namespace tavelcor
