// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's own degree conversions of the geoid look-up.
#include "gps/dms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct DegCase {
    const char* legend;
    double packed;
    double degrees;
};

// Values worked by hand from the packed digits.
const DegCase kDegCases[] = {
    {"seconds with decimals", 35.3907404, 35 + 39.0 / 60 + 7.404 / 3600},
    {"negative keeps the sign", -135.3, -135.5},
    {"one minute", 0.01, 1.0 / 60},
    {"zero", 0.0, 0.0},
    {"whole degrees", 139.0, 139.0},
    {"59 minutes 59 seconds", 35.5959, 35 + 59.0 / 60 + 59.0 / 3600},
};

TEST(OrbelaDeg, PackedToDecimal)
{
    for (const DegCase& c : kDegCases)
        EXPECT_NEAR(orbela::deg(c.packed), c.degrees, 1e-12) << c.legend;
}

struct FdmsCase {
    const char* legend;
    double degrees;
    double packed;
};

const FdmsCase kFdmsCases[] = {
    {"half a degree", 35.5, 35.3},
    {"negative", -0.025, -0.013},
    {"a minute and a half", 139.025, 139.013},
    {"zero", 0.0, 0.0},
    {"above a full turn wraps once", 361.5, 1.3},
};

TEST(OrbelaFdms, DecimalToPacked)
{
    for (const FdmsCase& c : kFdmsCases)
        EXPECT_NEAR(orbela::Fdms(c.degrees), c.packed, 1e-12) << c.legend;
}

TEST(OrbelaFdms, RoundTripThroughDegKeepsTheAngle)
{
    for (double a : {35.658, 139.7613, 0.5, 24.0001, 45.9999})
        EXPECT_NEAR(orbela::deg(orbela::Fdms(a)), a, 1e-9) << a;
}

TEST(OrbelaGridSpacing, RoundsToWholeSecondsOfArc)
{
    // The published header carries 1 minute as 0.016667 degree.
    EXPECT_DOUBLE_EQ(orbela::roundSpacingToSecond(0.016667), 1.0 / 60);
    EXPECT_DOUBLE_EQ(orbela::roundSpacingToSecond(0.025000), 0.025);
    EXPECT_DOUBLE_EQ(orbela::roundSpacingToSecond(0.008333), 0.5 / 60);
}

}  // namespace
