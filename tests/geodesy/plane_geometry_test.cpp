// SPDX-License-Identifier: LicenseRef-Tavelcor
// Inverse calculation, single-precision direction angle and intersection.
#include "geodesy/plane_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct InverseCase {
    const char* name;
    double dX;
    double dY;
    double angleDeg;
    double distance;
};

// Angles: atan2 by hand (3-4-5 triangles), axis rules of the inverse calculation.
const InverseCase kInverseCases[] = {
    {"first_quadrant", 3, 4, 53.13010235415598, 5},
    {"third_quadrant", -3, -4, 233.13010235415598, 5},
    {"fourth_quadrant", 3, -4, 306.86989764584402, 5},
    {"second_quadrant", -3, 4, 126.86989764584402, 5},
    {"zero_vector", 0, 0, 0, 0},
    {"north", 5, 0, 0, 5},
    {"south", -5, 0, 180, 5},
    {"east", 0, 5, 90, 5},
    {"west", 0, -5, 270, 5},
    {"diagonal_45", 2, 2, 45, std::sqrt(8.0)},
    {"diagonal_315", 1, -1, 315, std::sqrt(2.0)},
    {"negative_zero_dx_is_zero", -0.0, 3, 90, 3},
};

TEST(Inverse, AngleAndDistanceByQuadrant)
{
    for (const InverseCase& c : kInverseCases) {
        const geodesy::InverseResult r = geodesy::Inverse(c.dX, c.dY);
        EXPECT_NEAR(r.angleDeg, c.angleDeg, 1e-9) << c.name;
        EXPECT_NEAR(r.distance, c.distance, 1e-12) << c.name;
    }
}

TEST(Inverse, AngleStaysInHalfOpenRangeAroundTheCircle)
{
    for (int i = 0; i < 3600; ++i) {
        const double rad = i * 0.1 * std::acos(-1.0) / 180;
        const double dX = 100 * std::cos(rad);
        const double dY = 100 * std::sin(rad);
        const geodesy::InverseResult r = geodesy::Inverse(dX, dY);
        ASSERT_GE(r.angleDeg, 0.0) << i;
        ASSERT_LT(r.angleDeg, 360.0) << i;
        // Angle within 1e-9 degree of the geometric one (mod 360).
        const double diff = std::remainder(r.angleDeg - i * 0.1, 360.0);
        EXPECT_NEAR(diff, 0.0, 1e-9) << i;
    }
}

TEST(DirectionAngle, SameAnglesHeldInSinglePrecision)
{
    for (const InverseCase& c : kInverseCases) {
        const float a = geodesy::DirectionAngle(c.dX, c.dY);
        EXPECT_NEAR(a, c.angleDeg, 2e-5) << c.name;
    }
    // The addition of 180 is done in single precision: the result is the
    // float sum, not the rounded double sum.
    const double dX = -3, dY = -4.000001;
    const float partial = static_cast<float>(std::atan(dY / dX) * 180 / 3.14159265358979);
    EXPECT_EQ(geodesy::DirectionAngle(dX, dY), partial + 180.0f);
}

TEST(Intersection, CrossingLinesMeetWithoutNudge)
{
    const geodesy::IntersectionResult r = geodesy::Intersection(0, 0, 1, 1, 0, 1, 1, 0, 100);
    EXPECT_NEAR(r.x, 0.5, 1e-12);
    EXPECT_NEAR(r.y, 0.5, 1e-12);
    EXPECT_EQ(r.x2, 1);
    EXPECT_EQ(r.y2, 1);
    EXPECT_EQ(r.x4, 1);
    EXPECT_EQ(r.y4, 0);
}

TEST(Intersection, GeneralLinesMeetWhereBothEquationsHold)
{
    const geodesy::IntersectionResult r = geodesy::Intersection(-3, 2, 7, 9, 1, -8, 4, 12, 50);
    // Both lines through the result (cross products vanish).
    EXPECT_NEAR((r.x - -3) * (9 - 2) - (r.y - 2) * (7 - -3), 0, 1e-9);
    EXPECT_NEAR((r.x - 1) * (12 - -8) - (r.y - -8) * (4 - 1), 0, 1e-9);
}

// Distance of (x, y) from the straight line through a and b.
double offLine(double x, double y, double ax, double ay, double bx, double by)
{
    return std::fabs((x - ax) * (by - ay) - (y - ay) * (bx - ax)) / std::hypot(bx - ax, by - ay);
}

TEST(Intersection, EqualAbscissaeNudgeTheSecondPoint)
{
    // First line x1 = x2 = 5: x2 comes back as 5 + 0.0001 × viewSpanX; the
    // second line is level (y3 = y4), so y4 is nudged as well.
    const geodesy::IntersectionResult r = geodesy::Intersection(5, 0, 5, 10, 0, 3, 10, 3, 200);
    EXPECT_DOUBLE_EQ(r.x2, 5 + 0.0001 * 200);
    EXPECT_EQ(r.y2, 10);
    EXPECT_EQ(r.x4, 10);
    EXPECT_DOUBLE_EQ(r.y4, 3 + 0.0001 * 200);
    // The result lies on both lines as nudged, close to the true (5, 3).
    EXPECT_LT(offLine(r.x, r.y, 5, 0, r.x2, r.y2), 1e-9);
    EXPECT_LT(offLine(r.x, r.y, 0, 3, r.x4, r.y4), 1e-9);
    EXPECT_NEAR(r.x, 5, 0.02);
    EXPECT_NEAR(r.y, 3, 0.02);
}

TEST(Intersection, EqualOrdinatesNudgeTheSecondPointOfEachLine)
{
    const geodesy::IntersectionResult r = geodesy::Intersection(0, 2, 10, 2, 4, 0, 4, 10, 100);
    EXPECT_DOUBLE_EQ(r.y2, 2.01);   // y1 = y2
    EXPECT_DOUBLE_EQ(r.x4, 4.01);   // x3 = x4
    EXPECT_EQ(r.x2, 10);
    EXPECT_EQ(r.y4, 10);
    EXPECT_TRUE(std::isfinite(r.x));
    EXPECT_TRUE(std::isfinite(r.y));
    EXPECT_NEAR(r.x, 4, 0.01);
    EXPECT_NEAR(r.y, 2, 0.01);
}

TEST(Intersection, ParallelLinesGetTheSlopeNudgeAndMeetFarAway)
{
    // (0,0)-(10,10) and (0,1)-(10,11): equal slopes 1, the first becomes
    // 1 + s with s = 0.01, so x = -1 / -0.01 = 100 and y = 100 × 1.01.
    const geodesy::IntersectionResult r = geodesy::Intersection(0, 0, 10, 10, 0, 1, 10, 11, 100);
    EXPECT_NEAR(r.x, 100, 1e-9);
    EXPECT_NEAR(r.y, 101, 1e-9);
    EXPECT_EQ(r.x2, 10);
    EXPECT_EQ(r.y2, 10);
    EXPECT_EQ(r.x4, 10);
    EXPECT_EQ(r.y4, 11);
}

TEST(Intersection, TheNudgeScalesWithTheView)
{
    const geodesy::IntersectionResult r = geodesy::Intersection(0, 0, 10, 10, 0, 1, 10, 11, 1000);
    // s = 0.1: x = -1 / -0.1 = 10, y = 10 × 1.1.
    EXPECT_NEAR(r.x, 10, 1e-9);
    EXPECT_NEAR(r.y, 11, 1e-9);
}

}  // namespace
