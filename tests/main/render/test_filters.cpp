// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the plot shows: colour conversions, the item predicates, the shown
// number ranges and the region codes of coordinates.
#include "main/render/filters.h"

#include "plot_fixture.h"

#include <QString>

#include <limits>

namespace tavelcor::render::testing_support {
namespace {

TEST(ColorIndexTest, ExactPaletteMatchesOnly)
{
    struct Row { std::int64_t value; int inPlace; std::optional<int> index; };
    const Row rows[] = {
        {0x0000FF, 12, 12}, {0xC0C0C0, 7, 7}, {0xFFFFFF, 15, 15}, {0x000000, 0, 0},
        {0x800000, 1, 1},   {0x0000FE, 0, std::nullopt}, {0x1000000, 0, std::nullopt}, {-1, 0, std::nullopt},
    };
    for (const Row& r : rows) {
        std::int64_t v = r.value;
        ToQbIndexInPlace(v);
        EXPECT_EQ(v, r.inPlace) << std::hex << r.value;
        EXPECT_EQ(QbIndex(r.value), r.index) << std::hex << r.value;
    }
}

TEST(ShownRangesTest, LeadingNumbersAndClosedRanges)
{
    const ShownRanges defaults = shownRangesFromTexts("1", "10000", "10001", "500000");
    for (double n : {1.0, 10000.0, 10001.0, 250000.0, 500000.0})
        EXPECT_TRUE(defaults.contains(n)) << n;
    EXPECT_FALSE(defaults.contains(0));
    EXPECT_FALSE(defaults.contains(500001));

    const ShownRanges empty = shownRangesFromTexts("200", "100", "", "abc");
    EXPECT_FALSE(empty.contains(150)) << "lower bound above upper bound";
    EXPECT_TRUE(empty.contains(0)) << "two texts without a number read 0..0";

    const ShownRanges lead = shownRangesFromTexts(" 12a", "15", "0", "0");
    EXPECT_TRUE(lead.contains(12));
    EXPECT_FALSE(lead.contains(11));
}

using PredicateTest = PlotFixture;

TEST_F(PredicateTest, PointFollowsItsSymbolColourAndTheLayerSwitch)
{
    face->setSymbol(5, QStringLiteral("▲"), platform::QBColor(12));
    face->setSymbol(6, QStringLiteral("x"), 0x123456);  // not a palette colour
    const int p5 = addPoint("A", "", 0, 0, 5);
    const int p6 = addPoint("B", "", 0, 0, 6);
    const int none = addPoint("C", "", 0, 0, 0);
    const int deleted = addPoint("D", "", 0, 0, 105);
    const int noButton = addPoint("E", "", 0, 0, 30);
    EXPECT_TRUE(PointShown(*face, p5));
    face->setCheck(12, 0);
    EXPECT_FALSE(PointShown(*face, p5));
    face->setCheck(12, 2);
    EXPECT_TRUE(PointShown(*face, p5)) << "a greyed switch counts as ticked";
    PointColorShown[12] = 0;
    EXPECT_FALSE(PointShown(*face, p5));
    EXPECT_TRUE(PointShown(*face, p6)) << "unknown colour follows black";
    PointColorShown[0] = 0;
    EXPECT_FALSE(PointShown(*face, p6));
    EXPECT_FALSE(PointShown(*face, none));
    EXPECT_FALSE(PointShown(*face, deleted));
    EXPECT_FALSE(PointShown(*face, noButton));
    EXPECT_FALSE(PointShown(*face, -1));
    EXPECT_FALSE(PointShown(*face, kPointTop + 1));
}

TEST_F(PredicateTest, LinesAndTextsFollowTheirColourFlags)
{
    const int red = addLine(0, 0, 1, 1, 12);
    const int deleted = addLine(0, 0, 1, 1, 112);
    const int noFlag = addLine(0, 0, 1, 1, 40);
    face->setCheck(13, 0);
    EXPECT_TRUE(LineShown(red)) << "the layer switch is the caller's";
    EXPECT_FALSE(LineShown(deleted));
    EXPECT_FALSE(LineShown(noFlag));
    LineColorShown[12] = 0;
    EXPECT_FALSE(LineShown(red));

    const int text = addText("A", 0, 0, 12);
    const int emptyText = addText("", 0, 0, 12);
    const int deletedText = addText("B", 0, 0, 112);
    EXPECT_TRUE(TextShown(text));
    EXPECT_FALSE(TextShown(emptyText));
    EXPECT_FALSE(TextShown(deletedText));
    TxtColorShown[12] = 0;
    EXPECT_FALSE(TextShown(text));
    EXPECT_FALSE(TextShown(kTxtTop + 5));
}

TEST_F(PredicateTest, RegionCodesOfCoordinatesAndFreePositions)
{
    // View 300 x 400 around the origin: the wide window reaches 180 N, 240 E.
    addCoordinate(3, "N", 181, 0);
    addCoordinate(4, "IN", 180, 240);
    addCoordinate(kZahyoTop, "LAST", -200, -300);
    EXPECT_EQ(hantei(3), 2);
    EXPECT_EQ(hantei(4), 5);
    EXPECT_EQ(hantei6(4), 3) << "outside the view itself";
    EXPECT_EQ(hantei(kZahyoTop), 7);
    EXPECT_EQ(hantei(kZahyoTop + 1), 0) << "no such coordinate";
    EXPECT_EQ(hantei(-1), 0);
    EXPECT_EQ(Hantei3(OriginX + 147, OriginY), 5);
    EXPECT_EQ(Hantei3(OriginX + 148, OriginY), 2) << "0.49 of the extent";
}

TEST_F(PredicateTest, JustscFitsTheScaleAndKeepsTheWantedExtents)
{
    setView(10, 20, 100, 100);
    ASSERT_TRUE(justsc(*face));
    EXPECT_DOUBLE_EQ(FitSpanX, 100);
    EXPECT_DOUBLE_EQ(ViewSpanX, 100);
    EXPECT_NEAR(ViewSpanY, 400.0 / 3.0, 1e-4);
    EXPECT_NEAR(canvas().ScaleLeft(), 20 - ViewSpanY / 2, 1e-4);
    EXPECT_NEAR(canvas().ScaleTop(), -(10 + 50), 1e-4);
    EXPECT_NEAR(canvas().ScaleHeight(), 100, 1e-4);
}

TEST_F(PredicateTest, FillTakesAtMostTenThousandVertices)
{
    // A thin 10500-vertex parcel: vertices 1..10000 run along a 100 m
    // rectangle's west, north and east sides, the last 500 close it far away.
    int n = 3;
    std::vector<int> vertices;
    auto corner = [](int k) -> std::pair<double, double> {
        // Up the west side, along the north side, down the east side.
        const double t = (k % 3334) / 3333.0;
        if (k < 3334)
            return {-50 + 100 * t, -50};
        if (k < 6668)
            return {50, -50 + 100 * t};
        return {50 - 100 * t, 50};
    };
    for (int k = 0; k < 10000; ++k, ++n) {
        const auto [x, y] = corner(k);
        addCoordinate(n, "V", x, y);
        vertices.push_back(n);
    }
    for (int k = 0; k < 500; ++k, ++n) {
        addCoordinate(n, "W", 140, 190);
        vertices.push_back(n);
    }
    const int i = addParcel("BIG", vertices);
    crtplot(*face);
    canvas().Cls();
    Draw_Pol(*face, KakuchiFirst[i], KakuchiLast[i]);
    EXPECT_EQ(colorAt(0, 0), platform::RGB(255, 218, 185)) << "inside the first 10000 vertices";
    EXPECT_EQ(colorAt(13, 63), 0xFFFFFFu) << "the triangle to the far vertices is not filled";
    Draw_Pol(*face, 0, 5);         // no such slots: nothing, no crash
    Draw_Pol(*face, 10, 5);
}

}  // namespace
}  // namespace tavelcor::render::testing_support
