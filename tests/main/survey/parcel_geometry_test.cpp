// SPDX-License-Identifier: LicenseRef-Tavelcor
// Parcel geometry over the shared tables: centroid, inside test,
// perpendicular foot and the registered-area rounding rules.
#include "main/survey/parcel_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "main/site/tables.h"

namespace {

using tavelcor::survey::jyusin;
using tavelcor::survey::kseek;
using tavelcor::survey::menseki;

struct Vertex {
    double x;  // north
    double y;  // east
};

class ParcelGeometry : public testing::Test {
protected:
    void SetUp() override { tavelcor::resetTables(); }

    // Stores the vertices as coordinates (absolute = plot, origin 0) and as
    // one parcel after the parcels already added; returns its index.
    int addParcel(const std::vector<Vertex>& vertices) { return addParcel(vertices, vertices); }

    // Absolute and plot positions given separately.
    int addParcel(const std::vector<Vertex>& absolute, const std::vector<Vertex>& plot)
    {
        using namespace tavelcor;
        const int parcel = KakuchiCount + 1;
        KakuchiFirst[parcel] = mNextSlot;
        for (std::size_t i = 0; i < absolute.size(); ++i) {
            const int n = ++ZahyoMax;
            ZahyoX[n] = absolute[i].x;
            ZahyoY[n] = absolute[i].y;
            ZahyoPX[n] = plot[i].x;
            ZahyoPY[n] = plot[i].y;
            KakuchiVertex[mNextSlot++] = n;
        }
        KakuchiLast[parcel] = mNextSlot - 1;
        KakuchiCount = static_cast<std::int16_t>(parcel);
        return parcel;
    }

    // Repeats the first vertex of the parcel just added at its end.
    void closeLastParcel()
    {
        using namespace tavelcor;
        KakuchiVertex[mNextSlot] = KakuchiVertex[KakuchiFirst[KakuchiCount]];
        KakuchiLast[KakuchiCount] = mNextSlot++;
    }

    std::int32_t mNextSlot = 1;
};

const std::vector<Vertex> kSquare{{0, 0}, {0, 10}, {10, 10}, {10, 0}};

TEST_F(ParcelGeometry, SquareGivesAreaCentroidAndInsideTest)
{
    const int p = addParcel(kSquare);
    EXPECT_EQ(menseki(p), 100.0);
    const auto g = jyusin(p);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->x, 5);
    EXPECT_DOUBLE_EQ(g->y, 5);
    const auto inside = kseek(p, 5, 5);
    ASSERT_TRUE(inside);
    EXPECT_NEAR(std::fabs(*inside), 360, 1e-3);
    const auto outside = kseek(p, 15, 5);
    ASSERT_TRUE(outside);
    EXPECT_NEAR(*outside, 0, 1e-3);
}

TEST_F(ParcelGeometry, RepeatedFirstVertexChangesNothing)
{
    const int open = addParcel(kSquare);
    const int closed = addParcel(kSquare);
    closeLastParcel();
    EXPECT_EQ(menseki(closed), menseki(open));
    EXPECT_DOUBLE_EQ(jyusin(closed)->x, jyusin(open)->x);
    EXPECT_DOUBLE_EQ(jyusin(closed)->y, jyusin(open)->y);
    EXPECT_EQ(*kseek(closed, 5, 5), *kseek(open, 5, 5));
    EXPECT_EQ(*kseek(closed, 15, 5), *kseek(open, 15, 5));
}

TEST_F(ParcelGeometry, WindingSignFollowsVertexOrder)
{
    const int clockwise = addParcel(kSquare);  // north, then east: clockwise on the map
    const int anticlockwise = addParcel({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_NEAR(*kseek(clockwise, 3, 7), -360, 1e-3);
    EXPECT_NEAR(*kseek(anticlockwise, 3, 7), 360, 1e-3);
    EXPECT_EQ(menseki(clockwise), menseki(anticlockwise));  // never negative
}

TEST_F(ParcelGeometry, CentroidOfTriangleAndLShape)
{
    const int triangle = addParcel({{0, 0}, {0, 6}, {3, 0}});
    EXPECT_NEAR(jyusin(triangle)->x, 1, 1e-12);
    EXPECT_NEAR(jyusin(triangle)->y, 2, 1e-12);
    // L-shape: a 2 x 4 bar (centroid (1, 2)) plus a 2 x 2 foot (centroid
    // (3, 1)); by parts ((8 × (1, 2) + 4 × (3, 1)) / 12 = (5/3, 5/3).
    const int l = addParcel({{0, 0}, {0, 4}, {2, 4}, {2, 2}, {4, 2}, {4, 0}});
    EXPECT_NEAR(jyusin(l)->x, 5.0 / 3, 1e-12);
    EXPECT_NEAR(jyusin(l)->y, 5.0 / 3, 1e-12);
    EXPECT_EQ(menseki(l), 12.0);
}

// The centroid works in plot coordinates, the area in absolute ones.
TEST_F(ParcelGeometry, CentroidUsesPlotAndAreaAbsoluteCoordinates)
{
    const std::vector<Vertex> absolute{{-30000, 12000}, {-30000, 12010}, {-29990, 12010}, {-29990, 12000}};
    const std::vector<Vertex> plot{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    const int p = addParcel(absolute, plot);
    EXPECT_DOUBLE_EQ(jyusin(p)->x, 5);
    EXPECT_DOUBLE_EQ(jyusin(p)->y, 5);
    EXPECT_EQ(menseki(p), 100.0);
}

// Points on the outline: the half-turn of the edge under the point is taken
// as +180 or -180 by the sign of the raw difference, so an edge point counts
// as inside on some edges and outside on others; a vertex point looks at
// that vertex in direction 0.  Expected values worked out by hand.
struct OutlineCase {
    const char* name;
    double gx;
    double gy;
    float expected;
};

TEST_F(ParcelGeometry, InsideTestOnEdgesAndVertices)
{
    const int square = addParcel(kSquare);
    const int triangle = addParcel({{0, 0}, {10, 0}, {0, 10}});
    const OutlineCase squareCases[] = {
        {"west_edge_midpoint", 0, 5, -360},   // 270 -> 90 is -180
        {"north_edge_midpoint", 5, 10, -360}, // 180 -> 0 is -180
        {"vertex_0_0", 0, 0, 0},
        {"just_inside_corner", 0.001, 0.001, -360},
        {"just_outside_corner", -0.001, -0.001, 0},
    };
    for (const OutlineCase& c : squareCases) {
        const auto w = kseek(square, c.gx, c.gy);
        ASSERT_TRUE(w) << c.name;
        EXPECT_NEAR(*w, c.expected, 1e-3) << c.name;
    }
    const OutlineCase triangleCases[] = {
        {"hypotenuse_midpoint", 5, 5, 0},     // 315 -> 135 is -180 against +180 elsewhere
        {"west_leg_midpoint", 0, 5, 360},     // 90 -> 270 is +180
        {"centre", 3, 3, 360},
    };
    for (const OutlineCase& c : triangleCases) {
        const auto w = kseek(triangle, c.gx, c.gy);
        ASSERT_TRUE(w) << c.name;
        EXPECT_NEAR(*w, c.expected, 1e-3) << c.name;
    }
}

TEST_F(ParcelGeometry, TwoVertexParcelGivesZeros)
{
    const int p = addParcel({{0, 0}, {10, 10}});
    EXPECT_EQ(jyusin(p)->x, 0);
    EXPECT_EQ(jyusin(p)->y, 0);
    EXPECT_EQ(menseki(p), 0.0);
    EXPECT_NEAR(*kseek(p, 5, 5), 0, 1e-6);   // on the segment: +180 then -180
    EXPECT_NEAR(*kseek(p, 2, 7), 0, 1e-6);
}

// A one-entry parcel sits between other parcels in the shared vertex list;
// their vertices must not leak into its area.
TEST_F(ParcelGeometry, OneVertexParcelDoesNotReadItsNeighbours)
{
    addParcel(kSquare);
    const int single = addParcel({{50, 50}});
    addParcel({{0, 0}, {0, 20}, {20, 20}});
    EXPECT_EQ(menseki(single), 0.0);
    EXPECT_EQ(jyusin(single)->x, 0);
    EXPECT_EQ(*kseek(single, 1, 1), 0.0f);
}

TEST_F(ParcelGeometry, ZeroAreaParcelsDoNotCrash)
{
    // Collinear: every cross term is 0, the sums stay 0.
    const int collinear = addParcel({{0, 0}, {1, 1}, {2, 2}});
    EXPECT_EQ(jyusin(collinear)->x, 0);
    EXPECT_EQ(jyusin(collinear)->y, 0);
    EXPECT_EQ(menseki(collinear), 0.0);
    // Bow-tie: the two halves cancel; the centroid keeps its undivided sums
    // (-1000, 0), worked out by hand.
    const int bowTie = addParcel({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    EXPECT_DOUBLE_EQ(jyusin(bowTie)->x, -1000);
    EXPECT_DOUBLE_EQ(jyusin(bowTie)->y, 0);
    EXPECT_EQ(menseki(bowTie), 0.0);
    EXPECT_NEAR(*kseek(bowTie, 5, 2), 0, 1e-3);
    // All vertices on one spot.
    const int spot = addParcel({{3, 3}, {3, 3}, {3, 3}, {3, 3}});
    EXPECT_EQ(menseki(spot), 0.0);
    EXPECT_TRUE(jyusin(spot));
    EXPECT_NEAR(*kseek(spot, 0, 0), 0, 1e-6);
}

TEST_F(ParcelGeometry, UnreadableParcelsAreRefusedNotIndexed)
{
    using namespace tavelcor;
    const int good = addParcel(kSquare);
    EXPECT_FALSE(jyusin(-1));
    EXPECT_FALSE(kseek(kKakuchiTop + 1, 0, 0));
    EXPECT_FALSE(menseki(kKakuchiTop + 1));

    const int badSlot = addParcel(kSquare);
    KakuchiLast[badSlot] = kKakuchiVertexTop + 1;
    EXPECT_FALSE(jyusin(badSlot));
    EXPECT_FALSE(kseek(badSlot, 5, 5));
    EXPECT_FALSE(menseki(badSlot));

    const int badNumber = addParcel(kSquare);
    KakuchiVertex[KakuchiFirst[badNumber] + 1] = kZahyoTop + 1;
    EXPECT_FALSE(jyusin(badNumber));
    EXPECT_FALSE(kseek(badNumber, 5, 5));
    EXPECT_FALSE(menseki(badNumber));

    const int backwards = addParcel(kSquare);
    std::swap(KakuchiFirst[backwards], KakuchiLast[backwards]);
    EXPECT_FALSE(kseek(backwards, 5, 5));
    EXPECT_FALSE(menseki(backwards));
    EXPECT_EQ(jyusin(backwards)->x, 0);  // fewer than three entries

    EXPECT_EQ(menseki(good), 100.0);  // untouched by its neighbours' faults
}

// The registered-area rounding rules.
struct AreaCase {
    const char* name;
    std::vector<Vertex> vertices;
    double expected;
};

TEST_F(ParcelGeometry, AreaRoundingRules)
{
    const AreaCase cases[] = {
        // Y differences are taken to the millimetre: 10.0004 counts as 10.000.
        {"sub_mm_difference_rounds_down", {{0, 0}, {0, 10.0004}, {10, 10.0004}, {10, 0}}, 100},
        // 0.0005 m goes away from zero: 10.0005 counts as 10.001.
        {"half_mm_difference_rounds_away", {{0, 0}, {0, 10.0005}, {10, 10.0005}, {10, 0}}, 100.01},
        {"half_mm_reverse_order", {{10, 0}, {10, 10.0005}, {0, 10.0005}, {0, 0}}, 100.01},
        // Partial sums keep 6 decimals: 10 × 10.00000004 = 100.0000004 is
        // taken as 100.000000 at each step, so the area is 100, not
        // 100.0000004.
        {"partial_sums_keep_six_decimals", {{0, 0}, {0, 10}, {10.00000004, 10}, {10.00000004, 0}}, 100},
        // The result keeps 7 decimals of |sum| / 2: 0.0000005 × 2 / 2.
        {"area_to_seven_decimals", {{0, 0}, {0, 0.001}, {0.001, 0.001}}, 0.0000005},
        {"triangle_half_area", {{0, 0}, {0, 10}, {10, 0}}, 50},
    };
    for (const AreaCase& c : cases) {
        const int p = addParcel(c.vertices);
        const auto area = menseki(p);
        ASSERT_TRUE(area) << c.name;
        EXPECT_NEAR(*area, c.expected, 1e-9) << c.name;
    }
}

// With millimetre coordinates every rounding step is exact, so the area is
// the exact shoelace area, here computed with integers (square millimetres).
TEST_F(ParcelGeometry, MillimetreCoordinatesGiveTheExactShoelaceArea)
{
    const std::vector<std::pair<std::int64_t, std::int64_t>> mm{
        {-34567891, 12345678}, {-34560123, 12351234}, {-34552001, 12349999},
        {-34553456, 12340002}, {-34561789, 12338765}, {-34566543, 12341111},
    };
    std::vector<Vertex> vertices;
    std::int64_t twiceArea = 0;
    for (std::size_t i = 0; i < mm.size(); ++i) {
        const auto& a = mm[i];
        const auto& b = mm[(i + 1) % mm.size()];
        twiceArea += a.first * b.second - b.first * a.second;
        vertices.push_back({a.first / 1000.0, a.second / 1000.0});
    }
    const double expected = std::llabs(twiceArea) / 2.0 / 1e6;
    const int p = addParcel(vertices, std::vector<Vertex>(vertices.size(), Vertex{0, 0}));
    EXPECT_NEAR(*menseki(p), expected, 1e-7);
}

// No working tables limit the vertex count: 150000 vertices on a circle,
// at millimetre positions (so that the area rounding is exact and the area
// is the polygon's own, computed here with integers).
TEST_F(ParcelGeometry, VeryLargeParcelIsHandled)
{
    constexpr int kCount = 150000;
    const double r = 100;
    std::vector<Vertex> circle;
    std::vector<std::pair<std::int64_t, std::int64_t>> mm;
    circle.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        const double t = 2 * 3.141592653589793 * i / kCount;
        mm.emplace_back(std::llround((50 + r * std::cos(t)) * 1000), std::llround((-20 + r * std::sin(t)) * 1000));
        circle.push_back({mm.back().first / 1000.0, mm.back().second / 1000.0});
    }
    std::int64_t twiceArea = 0;
    for (std::size_t i = 0; i < mm.size(); ++i) {
        const auto& a = mm[i];
        const auto& b = mm[(i + 1) % mm.size()];
        twiceArea += a.first * b.second - b.first * a.second;
    }
    const int p = addParcel(circle);
    EXPECT_NEAR(*menseki(p), std::llabs(twiceArea) / 2.0 / 1e6, 1e-6);
    EXPECT_NEAR(*menseki(p), 3.141592653589793 * r * r, 0.1);
    EXPECT_NEAR(jyusin(p)->x, 50, 1e-4);
    EXPECT_NEAR(jyusin(p)->y, -20, 1e-4);
    EXPECT_NEAR(std::fabs(*kseek(p, 50, -20)), 360, 0.5);
    EXPECT_NEAR(*kseek(p, 200, 0), 0, 0.5);
}

struct PerpendicularCase {
    const char* name;
    double x1, y1, x2, y2, x3, y3;
    double h, along, x4, y4, azimuth;
};

const double kR2 = std::sqrt(2.0);

const PerpendicularCase kPerpendicularCases[] = {
    {"right_of_line", 0, 0, 10, 0, 5, 3, 3, -5, 5, 0, 0},
    {"left_of_line", 0, 0, 10, 0, 5, -3, -3, -5, 5, 0, 0},
    {"beyond_second_point", 0, 0, 10, 0, 12, 3, 3, 2, 12, 0, 0},
    {"behind_first_point", 0, 0, 10, 0, -4, 1, 1, -14, -4, 0, 0},
    {"on_the_line", 0, 0, 10, 0, 7, 0, 0, -3, 7, 0, 0},
    {"at_second_point", 0, 0, 10, 0, 10, 0, 0, 0, 10, 0, 0},
    {"oblique_line", 0, 0, 10, 10, 10, 0, -5 * kR2, -5 * kR2, 5, 5, 45},
    {"south_west_line", 4, 4, 0, 0, 0, 4, -2 * kR2, -2 * kR2, 2, 2, 225},
};

TEST_F(ParcelGeometry, PerpendicularFootAndOffset)
{
    for (const PerpendicularCase& c : kPerpendicularCases) {
        tavelcor::BaseAzimuth = -1;
        const auto p = tavelcor::survey::Suisen(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3);
        EXPECT_NEAR(p.h, c.h, 1e-9) << c.name;
        EXPECT_NEAR(p.along, c.along, 1e-9) << c.name;
        EXPECT_NEAR(p.x4, c.x4, 1e-9) << c.name;
        EXPECT_NEAR(p.y4, c.y4, 1e-9) << c.name;
        EXPECT_NEAR(p.baseAzimuth, c.azimuth, 1e-9) << c.name;
        EXPECT_EQ(tavelcor::BaseAzimuth, p.baseAzimuth) << c.name;
    }
}

TEST_F(ParcelGeometry, PerpendicularFootAloneLeavesBaseAzimuth)
{
    tavelcor::BaseAzimuth = 123.0;
    const auto p = tavelcor::survey::perpendicularFoot(0, 0, 0, 10, 5, 5);
    EXPECT_EQ(tavelcor::BaseAzimuth, 123.0);
    EXPECT_NEAR(p.baseAzimuth, 90, 1e-12);
    // The foot is square to the line: (P3 - foot) · (P2 - P1) = 0.
    EXPECT_NEAR((5 - p.x4) * 0 + (5 - p.y4) * 10, 0, 1e-9);
}

}  // namespace
