// SPDX-License-Identifier: LicenseRef-Tavelcor
// Packed angles with whole seconds, angle texts and the area rounding.
#include "geodesy/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Independent reference for DegToDmsWhole: whole seconds of |angle| after
// adding 0.504 second, written as packed d.mmss.
double referenceWholeDms(double angleDeg)
{
    const double seconds = std::floor(std::fabs(angleDeg) * 3600 + 0.504);
    const double d = std::floor(seconds / 3600);
    const double m = std::floor((seconds - d * 3600) / 60);
    const double s = seconds - d * 3600 - m * 60;
    return (d + m / 100 + s / 10000) * (angleDeg < 0 ? -1 : 1);
}

struct DmsCase {
    double angleDeg;
    double expected;
};

TEST(DegToDmsWhole, KnownAndHandComputedValues)
{
    const DmsCase cases[] = {
        {-10.5, -10.3},                              // worked example
        {10.5, 10.3},
        {5.125, 5.073},                              // 5°07'30"
        {359.9999, 360.0},                           // 59'59.64" goes up, carries twice
        {0.0, 0.0},
        {10 + 0.495 / 3600, 10.0},                   // below 0.496 second stays
        {10 + 0.497 / 3600, 10.0001},                // 0.496 second or more goes up
        {10 + 59.0 / 60 + 59.7 / 3600, 11.0},        // seconds and minutes carry
        {-(123 + 27.0 / 60 + 24.12 / 3600), -123.2724},
    };
    for (const DmsCase& c : cases)
        EXPECT_NEAR(geodesy::DegToDmsWhole(c.angleDeg), c.expected, 1e-10) << c.angleDeg;
}

TEST(DegToDmsWhole, AgreesWithWholeSecondReferenceOverAGrid)
{
    // An irrational step keeps the grid off the exact 0.496-second boundaries.
    for (double a = -725.0; a < 725.0; a += 0.0137 * std::sqrt(2.0)) {
        const double got = geodesy::DegToDmsWhole(a);
        ASSERT_NEAR(got, referenceWholeDms(a), 1e-9) << a;
        // Exactly four decimals: whole seconds.
        EXPECT_NEAR(got * 10000, std::round(got * 10000), 1e-5) << a;
    }
}

struct NormalizeCase {
    double angleDeg;
    double expected;
};

TEST(NormalizeAngle, FourStepsMoveAtMostTwoTurns)
{
    const NormalizeCase cases[] = {
        {-90, 270},  {0, 0},       {359.5, 359.5}, {360, 0},   {-720, 0},
        {1079, 359}, {1080, 360},  {1100, 380},    {-721, -1}, {725, 5},
    };
    for (const NormalizeCase& c : cases)
        EXPECT_DOUBLE_EQ(geodesy::NormalizeAngle(c.angleDeg), c.expected) << c.angleDeg;
}

struct TextCase {
    double angleDeg;
    const char* expected;
};

TEST(AngleText, KnownAndHandComputedTexts)
{
    const TextCase cases[] = {
        {-90, "270-00-00"},                          // worked example
        {359.9999, "360-00-00"},                     // rounding comes after normalising
        {1100, "380-00-00"},                         // beyond two turns stays outside
        {5.125, "  5-07-30"},                        // two blanks, then 5-07-30
        {0, "  0-00-00"},
        {45, " 45-00-00"},
        {123 + 27.0 / 60 + 24.12 / 3600, "123-27-24"},
        {-0.5 / 3600, "360-00-00"},                  // just below north
        {-360 - 30, "330-00-00"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(geodesy::AngleText(c.angleDeg), c.expected) << c.angleDeg;
}

TEST(AngleText, AlwaysNineCharactersInsideTheNormalRange)
{
    for (double a = -700; a < 1000; a += 3.3333) {
        const std::string text = geodesy::AngleText(a);
        ASSERT_EQ(text.size(), 9u) << a;
        EXPECT_EQ(text[3], '-') << a;
        EXPECT_EQ(text[6], '-') << a;
    }
}

struct RoundCase {
    double a;
    double k;
    double expected;
};

TEST(Round, HalvesAwayFromZeroWithItsConstant)
{
    const RoundCase cases[] = {
        {2.345, 2, 2.35},        // worked example
        {-2.345, 2, -2.35},      // worked example
        {0, 2, 0},               // worked example
        {2.5, 0, 3},
        {-2.5, 0, -3},
        {0.0005, 3, 0.001},      // a millimetre difference of half a unit
        {-0.0005, 3, -0.001},
        {2.675, 2, 2.68},        // stored as 2.67499999…: the constant lifts it
        {1.0049999999, 2, 1.01}, // a hundred-millionth below a half still goes up
        {1.0049999, 2, 1.00},    // ten millionths below a half does not
        {10.0004, 3, 10.000},
        {123.4567891234, 7, 123.4567891},
        {-99.99999995, 7, -100.0},
    };
    for (const RoundCase& c : cases)
        EXPECT_NEAR(geodesy::round(c.a, c.k), c.expected, 1e-12) << c.a << " k=" << c.k;
}

}  // namespace
