// SPDX-License-Identifier: LicenseRef-Tavelcor
// The computations of the right-click calculations on the shared tables,
// without any window, each against a hand calculation to the millimetre:
// report parts, traverse area, perpendicular foot, the parcel edge under a
// press, the four-point intersection with its numbering, name and height,
// the link candidates, the parcel block and the copy mode's texts.
#include "main/interact/rclick_calc.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace tavelcor::rclick {
namespace {

class RclickCalcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        OriginX = 0.0;
        OriginY = 0.0;
    }

    static void coordinate(int n, const QString& name, double x, double y, double h = 0.0)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = x;
        ZahyoY[n] = y;
        ZahyoH[n] = h;
        ZahyoPX[n] = x;
        ZahyoPY[n] = y;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    static int parcel(const QString& name, const std::vector<int>& vertices)
    {
        const int i = ++KakuchiCount;
        const int first = i == 1 ? 0 : KakuchiLast[i - 1] + 1;
        for (std::size_t k = 0; k < vertices.size(); ++k)
            KakuchiVertex[first + static_cast<int>(k)] = vertices[k];
        KakuchiFirst[i] = first;
        KakuchiLast[i] = first + static_cast<int>(vertices.size()) - 1;
        KakuchiName[i] = name;
        return i;
    }
};

constexpr double kMm = 0.0005;  // half a millimetre: what 3 decimals show

TEST_F(RclickCalcTest, ReportPartsWriteTheDistanceAndAnglesInTheirWidths)
{
    EXPECT_EQ(distanceText(123.456), QStringLiteral(" S=   123.456"));
    EXPECT_EQ(directionText(90.0, true), QStringLiteral("  方向角= 90-00-00"));
    EXPECT_EQ(directionText(90.0, false), QString());
    // 45 - 90 is brought into 0..360.
    EXPECT_EQ(interiorText(45.0, 90.0, true), QStringLiteral(" 内角=315-00-00"));
    EXPECT_EQ(interiorText(45.0, 90.0, false), QString());
}

TEST_F(RclickCalcTest, LegsFollowTheSurveyAxes)
{
    coordinate(1, "A", 0, 0);
    coordinate(2, "B", 3, 4);
    coordinate(3, "C", 0, -5);
    const Leg ab = legBetween(1, 2);
    EXPECT_NEAR(ab.distance, 5.0, 1e-12);
    EXPECT_NEAR(ab.angleDeg, 53.13010235415598, 1e-9);
    EXPECT_DOUBLE_EQ(legBetween(1, 3).angleDeg, 270.0);
}

TEST_F(RclickCalcTest, TraverseAreaByTheCoordinateRule)
{
    coordinate(1, "A", 0, 0);
    coordinate(2, "B", 0, 10);
    coordinate(3, "C", 10, 10);
    coordinate(4, "D", 10, 0);
    coordinate(5, "E", 4, 3);
    struct Row {
        const char* name;
        std::vector<int> list;  // entry 0 unused, the last entry the first point again
        double area;
    };
    const Row rows[] = {
        {"square 10 x 10", {0, 1, 2, 3, 4, 1}, 100.0},
        {"square the other way round", {0, 1, 4, 3, 2, 1}, 100.0},
        {"degenerate: first point again as third pick", {0, 1, 2, 1}, 0.0},
        // Triangle (0,0), (0,10), (4,3): half of |0*(3-10) + 0*(0-3) + 4*(10-0)| = 20.
        {"triangle", {0, 1, 2, 5, 1}, 20.0},
    };
    for (const Row& row : rows) {
        const int c = static_cast<int>(row.list.size()) - 1;
        const std::optional<double> area = traverseArea(row.list, c);
        ASSERT_TRUE(area) << row.name;
        EXPECT_NEAR(*area, row.area, 1e-9) << row.name;
    }
    EXPECT_EQ(traverseArea({0, 1, 2}, 2), 0.0) << "fewer than three picks";
    EXPECT_FALSE(traverseArea({0, 1, 600000, 1}, 3)) << "a number outside the table";
}

TEST_F(RclickCalcTest, PerpendicularFootAlongAndOffset)
{
    coordinate(1, "P1", 0, 0);
    coordinate(2, "P2", 10, 0);
    coordinate(3, "Q", 5, 3);
    coordinate(4, "ON", 7, 0);
    coordinate(5, "BEHIND", -2, 1);
    coordinate(11, "R1", 0, 0);
    coordinate(12, "R2", 30, 40);
    coordinate(13, "S", 50, 0);
    struct Row {
        const char* name;
        int point2;
        double base;
        int n;
        double fromPoint1;  // BaseLength + along, as the report writes it
        double offset;
        double footX, footY;
    };
    // Base 1 -> 2 of length 10 due north; base 11 -> 12 of length 50 at
    // 53.13 degrees: S = (50, 0) projects 30 along from R1, to (18, 24), and
    // lies 40 to the left.
    const double oblique = legBetween(11, 12).angleDeg;
    const Row rows[] = {
        {"point beside the base", 2, 0.0, 3, 5.0, 3.0, 5.0, 0.0},
        {"point on the base", 2, 0.0, 4, 7.0, 0.0, 7.0, 0.0},
        {"point behind point 1", 2, 0.0, 5, -2.0, 1.0, -2.0, 0.0},
        {"oblique base", 12, oblique, 13, 30.0, -40.0, 18.0, 24.0},
    };
    for (const Row& row : rows) {
        const double baseLength = legBetween(row.point2 == 2 ? 1 : 11, row.point2).distance;
        const std::optional<PerpendicularResult> r = perpendicularTo(row.point2, row.base, row.n);
        ASSERT_TRUE(r) << row.name;
        EXPECT_NEAR(baseLength + r->along, row.fromPoint1, kMm) << row.name;
        EXPECT_NEAR(r->offset, row.offset, kMm) << row.name;
        EXPECT_NEAR(r->footX, row.footX, kMm) << row.name;
        EXPECT_NEAR(r->footY, row.footY, kMm) << row.name;
    }
    EXPECT_FALSE(perpendicularTo(2, 0.0, -1));
}

TEST_F(RclickCalcTest, MillimetresAsTheReportWritesThem)
{
    EXPECT_EQ(toMillimetres(2.0004999), 2.0);
    EXPECT_EQ(toMillimetres(-2.0005), -2.001);
    EXPECT_EQ(toMillimetres(9999999.999), 9999999.999);
    EXPECT_FALSE(toMillimetres(10000000.0)) << "12 columns";
    EXPECT_EQ(toMillimetres(-999999.999), -999999.999);
    EXPECT_FALSE(toMillimetres(-1000000.0));
    EXPECT_FALSE(toMillimetres(std::nan("")));
    EXPECT_FALSE(toMillimetres(INFINITY));
}

class BaseEdgeTest : public RclickCalcTest {
protected:
    void SetUp() override
    {
        RclickCalcTest::SetUp();
        // Square (0,0), (0,10), (10,10), (10,0): X north, Y east.
        coordinate(1, "A", 0, 0);
        coordinate(2, "B", 0, 10);
        coordinate(3, "C", 10, 10);
        coordinate(4, "D", 10, 0);
        parcel("1", {1, 2, 3, 4});
    }
};

TEST_F(BaseEdgeTest, TheEdgeUnderThePressWithTheNearerEndFirst)
{
    struct Row {
        const char* name;
        double north, east;
        int point1, point2;
    };
    const Row rows[] = {
        {"near A on A-B", 0.1, 3.0, 1, 2},
        {"near B on A-B", -0.2, 8.0, 2, 1},
        {"on B-C near C", 7.0, 10.3, 3, 2},
        {"the closing edge D-A, near A", 4.0, 0.1, 1, 4},
    };
    for (const Row& row : rows) {
        const std::optional<BaseEdge> edge = findBaseEdge(row.north, row.east, 0.5);
        ASSERT_TRUE(edge) << row.name;
        EXPECT_EQ(edge->point1, row.point1) << row.name;
        EXPECT_EQ(edge->point2, row.point2) << row.name;
    }
}

TEST_F(BaseEdgeTest, NothingOffTheEdgesOrBeyondTheirEnds)
{
    EXPECT_FALSE(findBaseEdge(5.0, 5.0, 0.5)) << "inside, far from every edge";
    EXPECT_FALSE(findBaseEdge(0.1, 12.0, 0.5)) << "on the line of A-B beyond B";
    EXPECT_FALSE(findBaseEdge(0.6, 5.0, 0.5)) << "just outside the tolerance";
}

TEST_F(BaseEdgeTest, OnASharedEdgeTheLowerParcelWins)
{
    // Parcel 2 east of parcel 1 shares the edge B-C through coordinates of
    // its own at the same places, numbered lower than the second parcel's
    // other corners but higher than parcel 1's.
    coordinate(12, "B2", 0, 10);
    coordinate(13, "C2", 10, 10);
    coordinate(14, "E", 10, 20);
    coordinate(15, "F", 0, 20);
    parcel("2", {12, 15, 14, 13});
    const std::optional<BaseEdge> edge = findBaseEdge(2.0, 10.1, 0.5);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->point1, 2);
    EXPECT_EQ(edge->point2, 3);
}

TEST_F(RclickCalcTest, FourPointIntersectionMeetsWhereAHandCalculationSays)
{
    coordinate(1, "1", 0, 0);
    coordinate(2, "2", 10, 10);
    coordinate(3, "3", 0, 10);
    coordinate(4, "4", 10, 0);
    coordinate(5, "5", 10, 5);
    std::optional<IntersectionPoint> p = fourPointIntersection(1, 2, 3, 4);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 5.0);
    EXPECT_DOUBLE_EQ(p->y, 5.0);
    // y = 0.5 x and y = 10 - x meet at x = 20/3, y = 10/3: 6.667, 3.333.
    p = fourPointIntersection(1, 5, 3, 4);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 6.667);
    EXPECT_DOUBLE_EQ(p->y, 3.333);
}

TEST_F(RclickCalcTest, FourPointIntersectionRefusesBeforeDividing)
{
    coordinate(1, "1", 0, 0);
    coordinate(2, "2", 0, 10);   // shares X with 1
    coordinate(3, "3", 5, -5);
    coordinate(4, "4", 5, 5);    // shares X with 3
    coordinate(5, "5", 10, 10);
    coordinate(6, "6", 0, 1);
    coordinate(7, "7", 10, 11);  // parallel to 1-5
    coordinate(8, "8", 0, 1e7);
    coordinate(9, "9", 1, 1e7 + 2);  // meets 1-5 at X = -1e7: 12 columns
    struct Row {
        const char* name;
        int p1, p2, p3, p4;
    };
    const Row rows[] = {
        {"first line north-south in X (equal X)", 1, 2, 3, 5},
        {"second line with equal X", 1, 5, 3, 4},
        {"parallel lines", 1, 5, 6, 7},
        {"a meeting point too far to write", 1, 5, 8, 9},
        {"a number outside the table", 1, 5, 6, 500001},
    };
    for (const Row& row : rows)
        EXPECT_FALSE(fourPointIntersection(row.p1, row.p2, row.p3, row.p4)) << row.name;
}

TEST_F(RclickCalcTest, ComputedNumbersGoOnFromTheNextThousand)
{
    struct Row {
        int zahyoMax, baseMax;
        std::optional<int> number;
        int baseMaxAfter;
    };
    const Row rows[] = {
        {1234, 0, 2001, 1234},       {2000, 0, 3001, 2000},     {999, 0, 1001, 999},
        {2001, 1234, 2002, 1234},    {150000, 0, 150001, 150000}, {499999, 7, 500000, 7},
        {500000, 0, std::nullopt, 0},
    };
    for (const Row& row : rows) {
        ZahyoMax = row.zahyoMax;
        ZahyoBaseMax = row.baseMax;
        EXPECT_EQ(nextComputedNumber(), row.number) << row.zahyoMax;
        EXPECT_EQ(ZahyoMax, row.number.value_or(row.zahyoMax)) << row.zahyoMax;
        EXPECT_EQ(ZahyoBaseMax, row.baseMaxAfter) << row.zahyoMax;
    }
}

TEST_F(RclickCalcTest, ComputedNamesTakeAnotherPWhenThePreviousHasTheName)
{
    EXPECT_EQ(computedName(2001), QStringLiteral("2001P"));
    ZahyoName[2000] = QStringLiteral("2001P");
    EXPECT_EQ(computedName(2001), QStringLiteral("2001PP"));
}

TEST_F(RclickCalcTest, IntersectionHeightAlongTheFirstLine)
{
    coordinate(1, "1", 0, 0, 10.0);
    coordinate(2, "2", 10, 0, 20.0);
    coordinate(3, "3", 5, -5);
    coordinate(4, "4", 5, 5);
    struct Row {
        const char* name;
        double x;
        double height;
    };
    const Row rows[] = {
        {"between the points", 5.0, 15.0},
        {"beyond point 2", 20.0, 30.0},
        {"beyond point 1", -5.0, 5.0},
        {"at point 1", 0.0, 10.0},
    };
    for (const Row& row : rows) {
        const std::optional<double> h = intersectionHeight(row.x, 0.0, 1, 2, 3, 4);
        ASSERT_TRUE(h) << row.name;
        EXPECT_NEAR(*h, row.height, 1e-9) << row.name;
    }
    ZahyoH[1] = ZahyoH[2] = 0.0;
    EXPECT_FALSE(intersectionHeight(5.0, 0.0, 1, 2, 3, 4)) << "no heights";
    ZahyoH[3] = 4.0;
    const std::optional<double> h = intersectionHeight(5.0, 0.0, 1, 2, 3, 4);
    ASSERT_TRUE(h) << "a height on the second line only";
    EXPECT_EQ(*h, 0.0) << "the first line carries no height";
}

TEST_F(RclickCalcTest, LinkCandidatesNearTheHitInAscendingOrder)
{
    coordinate(1, "HIT", 0, 0);
    coordinate(2, "NEAR", 0.3, 0.0);
    coordinate(3, "FAR", 5.0, 0.0);
    coordinate(4, "NOFILE", 0.0, 0.2);
    coordinate(5, "NOLINK", 0.1, 0.1);
    ZahyoLink[1] = QStringLiteral("a.jpg");
    ZahyoLink[2] = QStringLiteral(" b.jpg ");
    ZahyoLink[3] = QStringLiteral("c.jpg");
    ZahyoLink[4] = QStringLiteral("gone.jpg");
    ZahyoLink[5] = QStringLiteral("  ");
    const std::set<QString> files{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg")};
    const auto exists = [&files](const QString& name) { return files.count(name) > 0; };
    EXPECT_EQ(linkCandidates(1, 1.0, exists), (std::vector<int>{1, 2}));
    EXPECT_EQ(linkCandidates(3, 1.0, exists), (std::vector<int>{3}));
    // Regression: without a hit there is nothing to be near; the scratch
    // slot 0 (a stale computed point at the origin) is not searched around.
    EXPECT_TRUE(linkCandidates(0, 1.0, exists).empty());
}

TEST_F(RclickCalcTest, LinkCandidatesStopAtAThousand)
{
    for (int i = 1; i <= 1200; ++i) {
        coordinate(i, QStringLiteral("L%1").arg(i), 0.0, 0.0);
        ZahyoLink[i] = QStringLiteral("p.jpg");
    }
    const std::vector<int> found = linkCandidates(1, 1.0, [](const QString&) { return true; });
    ASSERT_EQ(found.size(), 1000u);
    EXPECT_EQ(found.back(), 1000);
}

TEST_F(RclickCalcTest, ParcelBlockAndVertexListing)
{
    coordinate(1, "A", 0, 0);
    coordinate(22, "長い名前の境界点ABCDEFGH", 0, 10);
    coordinate(3, "C", 10, 10.5);
    const int i = parcel("12-3", {1, 22, 3});
    setKakuchiAttr(i, 2, QStringLiteral("宅地 "));
    setKakuchiAttr(i, 5, QStringLiteral("   "));
    setKakuchiAttr(i, 39, QStringLiteral("所有者"));
    EXPECT_EQ(parcelBlock(i, 52.5),
              QStringLiteral("画地　　　12-3\r\n座標面積　52.5000000㎡\r\n宅地 \r\n所有者\r\n"));
    EXPECT_EQ(parcelVertexListing(i),
              QStringLiteral("    NO  NAME                 X            Y\r\n"
                             "      1 A                    0.000        0.000\r\n"
                             "     22 長い名前の境界点ABCDEFG      0.000       10.000\r\n"
                             "      3 C                   10.000       10.500\r\n"));
}

TEST_F(RclickCalcTest, CopyTexts)
{
    coordinate(5, "K5", 12.5, -3.25);
    coordinate(6, "", 0, 0);
    struct Row {
        int n;
        bool numbers, names;
        const char* notice;
        const char* pointName;
    };
    const Row rows[] = {
        {5, false, true, "K5をポイント化しました", "K5"},
        {6, false, true, " 6をポイント化しました", "6"},
        {5, true, false, " 5をポイント化しました", "5"},
        {5, true, true, " 5  K5をコピーしました", "5"},
        {5, false, false, " 5  K5をコピーしました", "5"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(copyNotice(row.n, row.numbers, row.names), QString::fromUtf8(row.notice));
        EXPECT_EQ(pointNameFor(row.n, row.numbers, row.names), QString::fromUtf8(row.pointName));
    }
    EXPECT_EQ(copyQuestion(QStringLiteral("1\r\n2\r\n"), 5),
              QStringLiteral("すでにクリップボードには\r\n1\r\n2\r\nがコピーされています。\r\n\r\n5\tK5\t12.5\t-3.25\r\n"
                             "を追加する場合[はい]を、この点のみをコピーする場合は、[いいえ] を選んで下さい"));
    EXPECT_FALSE(isWaitingList(QStringLiteral("12")));
    EXPECT_FALSE(isWaitingList(QStringLiteral("\r")));
    EXPECT_TRUE(isWaitingList(QStringLiteral("1\r\n")));
}

}  // namespace
}  // namespace tavelcor::rclick
