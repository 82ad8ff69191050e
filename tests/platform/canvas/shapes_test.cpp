// SPDX-License-Identifier: LicenseRef-Tavelcor
// Where PSet, Line, boxes, circles and polygons put their pixels, and where
// they leave the current point.
#include "canvas_support.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <gtest/gtest.h>

#include <QPolygon>

#include <cmath>
#include <limits>

namespace {

using platform::Canvas;
using platform::LineOpt;
using platform::LineStyle;
using platform::ScaleMode;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;

class CanvasPixelTest : public testing::Test {
protected:
    CanvasPixelTest() { canvas.setScaleMode(ScaleMode::Pixels); }

    int marked() { return canvas_test::countOther(canvas.image(), kWhite); }
    QRect bounds() { return canvas_test::boundsOfOther(canvas.image(), kWhite); }

    Canvas canvas{QSize(200, 100)};
};

TEST_F(CanvasPixelTest, LineLeavesOutItsEndPixelAndEndsAtItsEndPoint)
{
    canvas.Line(2, 3, 9, 3, kRed);
    EXPECT_EQ(bounds(), QRect(QPoint(2, 3), QPoint(8, 3)));
    EXPECT_EQ(marked(), 7);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 9.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 3.0);
}

TEST_F(CanvasPixelTest, LineToStartsAtTheCurrentPoint)
{
    canvas.PSet(10, 10, kWhite);
    canvas.LineTo(20, 10, kRed);
    canvas.LineTo(20, 15, kRed);
    EXPECT_EQ(bounds(), QRect(QPoint(10, 10), QPoint(20, 14)));
    EXPECT_EQ(marked(), 10 + 5);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 20.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 15.0);
}

TEST_F(CanvasPixelTest, LineFromAPointToItselfDrawsNothingButMovesTheCurrentPoint)
{
    canvas.Line(0, 0, 0, 0, 0x000000);
    EXPECT_EQ(marked(), 0);
    canvas.setDrawWidth(3);
    canvas.Line(40, 40, 40, 40, 0x000000);
    EXPECT_EQ(marked(), 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 40.0);
}

TEST_F(CanvasPixelTest, DefaultColourIsForeColor)
{
    canvas.setForeColor(kBlue);
    canvas.Line(0, 0, 5, 0);
    canvas.PSet(7, 7);
    canvas.Circle(50, 50, 5);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kBlue), marked());
    EXPECT_GT(marked(), 7);
}

struct BoxCase {
    const char* name;
    QPoint a, b;
};

class CanvasBoxTest : public CanvasPixelTest, public testing::WithParamInterface<BoxCase> {};

TEST_P(CanvasBoxTest, BoxOutlineCoversBothCornersAndLeavesTheInside)
{
    const BoxCase row = GetParam();
    canvas.Line(row.a.x(), row.a.y(), row.b.x(), row.b.y(), kRed, LineOpt::Box);
    EXPECT_EQ(bounds(), QRect(QPoint(10, 10), QPoint(30, 20)));
    EXPECT_EQ(marked(), 2 * (21 + 11) - 4);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 20, 15), kWhite);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), row.b.x());
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), row.b.y());
}

TEST_P(CanvasBoxTest, FilledBoxCoversTheWholeBox)
{
    const BoxCase row = GetParam();
    canvas.Line(row.a.x(), row.a.y(), row.b.x(), row.b.y(), kRed, LineOpt::BoxFill);
    EXPECT_EQ(bounds(), QRect(QPoint(10, 10), QPoint(30, 20)));
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 21 * 11);
}

INSTANTIATE_TEST_SUITE_P(Corners, CanvasBoxTest,
                         testing::Values(BoxCase{"topLeftFirst", {10, 10}, {30, 20}},
                                         BoxCase{"bottomRightFirst", {30, 20}, {10, 10}},
                                         BoxCase{"bottomLeftFirst", {10, 20}, {30, 10}}),
                         [](const testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

TEST_F(CanvasPixelTest, BoxIsFilledWithFillColorWhenFillStyleIsSolid)
{
    canvas.setFillStyle(platform::FillPattern::Solid);
    canvas.setFillColor(kBlue);
    canvas.Line(10, 10, 30, 20, kRed, LineOpt::Box);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 2 * (21 + 11) - 4);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kBlue), 19 * 9);
}

TEST_F(CanvasPixelTest, OnePixelBoxIsOnePixel)
{
    canvas.Line(5, 5, 5, 5, kRed, LineOpt::Box);
    EXPECT_EQ(bounds(), QRect(5, 5, 1, 1));
}

struct DotCase {
    int width;
    QRect expected;
};

class CanvasWideDotTest : public CanvasPixelTest, public testing::WithParamInterface<DotCase> {};

TEST_P(CanvasWideDotTest, DotIsCentredOnItsPixel)
{
    ASSERT_TRUE(canvas.setDrawWidth(GetParam().width));
    canvas.PSet(50, 40, kRed);
    EXPECT_EQ(bounds(), GetParam().expected);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 50.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 40.0);
}

INSTANTIATE_TEST_SUITE_P(Widths, CanvasWideDotTest,
                         testing::Values(DotCase{1, QRect(50, 40, 1, 1)},
                                         DotCase{3, QRect(49, 39, 3, 3)},
                                         DotCase{5, QRect(48, 38, 5, 5)}));

TEST_F(CanvasPixelTest, WideLineHasRoundEndsCentredOnItsPixels)
{
    canvas.setDrawWidth(3);
    canvas.Line(10, 10, 30, 10, kRed);
    EXPECT_EQ(bounds(), QRect(QPoint(9, 9), QPoint(31, 11)));
}

struct ThicknessCase {
    int width;
    int rows; // rows covered by a long horizontal line, columns by a vertical one
};

class CanvasWideLineThicknessTest : public CanvasPixelTest,
                              public testing::WithParamInterface<ThicknessCase> {};

TEST_P(CanvasWideLineThicknessTest, LineIsAsThickAsItsWidth)
{
    ASSERT_TRUE(canvas.setDrawWidth(GetParam().width));
    canvas.Line(20, 50, 120, 50, kRed);
    EXPECT_EQ(canvas_test::boundsOf(canvas.image().copy(60, 0, 1, 100),
                                    [](std::uint32_t c) { return c == kRed; })
                  .height(),
              GetParam().rows);
    canvas.Cls();
    canvas.Line(150, 10, 150, 90, kRed);
    EXPECT_EQ(canvas_test::boundsOf(canvas.image().copy(0, 50, 200, 1),
                                    [](std::uint32_t c) { return c == kRed; })
                  .width(),
              GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Widths, CanvasWideLineThicknessTest,
                         testing::Values(ThicknessCase{2, 2}, ThicknessCase{3, 3},
                                         ThicknessCase{4, 4}, ThicknessCase{7, 7}));

TEST_F(CanvasPixelTest, WideLineIsTheSameDrawnEitherWay)
{
    canvas.setDrawWidth(4);
    canvas.Line(13, 17, 151, 66, kRed);
    const QImage forward = canvas.image().copy();
    canvas.Cls();
    canvas.Line(151, 66, 13, 17, kRed);
    EXPECT_TRUE(canvas_test::samePixels(canvas.image(), forward));
}

TEST_F(CanvasPixelTest, DrawWidthBelowOneIsRefused)
{
    EXPECT_FALSE(canvas.setDrawWidth(0));
    EXPECT_FALSE(canvas.setDrawWidth(-2));
    EXPECT_EQ(canvas.DrawWidth(), 1);
}

struct DashCase {
    LineStyle style;
    std::vector<int> onRuns; // lengths of the first drawn runs, gaps between
    int firstGap;
};

class CanvasDashTest : public CanvasPixelTest, public testing::WithParamInterface<DashCase> {};

TEST_P(CanvasDashTest, ThinLinesFollowThePenPattern)
{
    canvas.setDrawStyle(GetParam().style);
    canvas.Line(0, 50, 199, 50, kRed);
    const QImage& image = canvas.image();
    std::vector<int> runs;
    int firstGap = 0;
    int x = 0;
    while (x < 100 && runs.size() < GetParam().onRuns.size()) {
        int on = 0;
        while (canvas_test::colorAt(image, x, 50) == kRed) {
            ++on;
            ++x;
        }
        runs.push_back(on);
        int off = 0;
        while (canvas_test::colorAt(image, x, 50) != kRed) {
            ++off;
            ++x;
        }
        if (firstGap == 0)
            firstGap = off;
    }
    EXPECT_EQ(runs, GetParam().onRuns);
    EXPECT_EQ(firstGap, GetParam().firstGap);
}

INSTANTIATE_TEST_SUITE_P(Patterns, CanvasDashTest,
                         testing::Values(DashCase{LineStyle::Dash, {18, 18}, 6},
                                         DashCase{LineStyle::Dot, {3, 3, 3}, 3},
                                         DashCase{LineStyle::DashDot, {9, 3, 9}, 6},
                                         DashCase{LineStyle::DashDotDot, {9, 3, 3, 9}, 3}));

TEST_F(CanvasPixelTest, TransparentPenDrawsNoOutlineButMovesTheCurrentPoint)
{
    canvas.setDrawStyle(LineStyle::Transparent);
    canvas.Line(0, 0, 50, 50, kRed);
    canvas.Line(10, 10, 20, 20, kRed, LineOpt::Box);
    canvas.Circle(60, 60, 10, kRed);
    EXPECT_EQ(marked(), 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 60.0);
}

TEST_F(CanvasPixelTest, NopModeDrawsNothing)
{
    canvas.setDrawMode(platform::PenMode::Nop);
    canvas.Line(0, 0, 50, 50, kRed);
    canvas.PSet(5, 5, kRed);
    canvas.Circle(60, 60, 10, kRed);
    canvas.Line(1, 1, 9, 9, kRed, LineOpt::BoxFill);
    EXPECT_EQ(marked(), 0);
}

struct CircleCase {
    const char* name;
    double radius; // user units across
    double aspect;
    int rx, ry;    // expected half-axes in pixels
};

class CanvasCircleTest : public testing::TestWithParam<CircleCase> {};

TEST_P(CanvasCircleTest, RadiusIsMeasuredAcrossAndRoundedToPixels)
{
    const CircleCase row = GetParam();
    // 2 pixels per unit across and down, y growing upwards like a map.
    Canvas canvas(QSize(200, 200));
    ASSERT_TRUE(canvas.Scale(0, 100, 100, 0));
    canvas.Circle(50, 50, row.radius, kRed, std::nullopt, std::nullopt, row.aspect);
    const QRect box = canvas_test::boundsOfOther(canvas.image(), kWhite);
    EXPECT_EQ(box, QRect(QPoint(100 - row.rx, 100 - row.ry), QPoint(100 + row.rx, 100 + row.ry)));
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 100), kWhite); // an outline only
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 50.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 50.0);
}

INSTANTIATE_TEST_SUITE_P(Radii, CanvasCircleTest,
                         testing::Values(CircleCase{"round", 10, 1.0, 20, 20},
                                         CircleCase{"flat", 10, 0.5, 20, 10},
                                         CircleCase{"tall", 10, 2.0, 10, 20},
                                         CircleCase{"roundsUp", 2.3, 1.0, 5, 5},   // 4.6 px
                                         CircleCase{"roundsDown", 2.2, 1.0, 4, 4}), // 4.4 px
                         [](const testing::TestParamInfo<CircleCase>& info) { return info.param.name; });

TEST(CanvasCircleMarkerTest, MarkerOfSeventyTwipsIsFivePixelsAcross)
{
    // The coordinate marker: radius MarkSize (70) twips converted to the
    // plot's metres; 70 / 15 = 4.67 pixels, drawn as 5.
    Canvas canvas(QSize(300, 200));
    ASSERT_TRUE(canvas.Scale(-75, -50, 75, 50)); // 0.5 m per pixel
    const double radius = canvas.ScaleX(70, ScaleMode::Twips, ScaleMode::User);
    EXPECT_NEAR(radius, 70.0 / 15.0 * 0.5, 1e-12);
    canvas.Circle(0, 0, radius, kRed);
    EXPECT_EQ(canvas_test::boundsOfOther(canvas.image(), kWhite), QRect(145, 95, 11, 11));
}

TEST_F(CanvasPixelTest, FilledCircleUsesFillColorInside)
{
    canvas.setFillStyle(platform::FillPattern::Solid);
    canvas.setFillColor(kBlue);
    canvas.Circle(100, 50, 20, kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 50), kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 80, 50), kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 78, 50), kWhite);
}

TEST_F(CanvasPixelTest, ArcRunsCounterClockwiseFromStartToEnd)
{
    // A quarter from 0 (three o'clock) to pi/2 (twelve o'clock): only the
    // upper right quadrant is drawn.
    canvas.Circle(100, 50, 30, kRed, 0.0, M_PI / 2);
    const QRect box = bounds();
    EXPECT_GE(box.left(), 99);
    EXPECT_LE(box.bottom(), 51);
    EXPECT_NEAR(box.right(), 130, 1);
    EXPECT_NEAR(box.top(), 20, 1);
    // Half-way round, 45 degrees up and right, the arc passes 30 pixels out.
    const int diagonal = static_cast<int>(std::lround(30 / std::sqrt(2.0)));
    const QImage near = canvas.image().copy(100 + diagonal - 1, 50 - diagonal - 1, 3, 3);
    EXPECT_GT(canvas_test::countColor(near, kRed), 0);
}

TEST_F(CanvasPixelTest, NegativeArcEndsDrawARadiusAndAFilledPie)
{
    canvas.setFillStyle(platform::FillPattern::Solid);
    canvas.setFillColor(kBlue);
    // A quarter pie from three o'clock up to twelve o'clock, both radii drawn.
    canvas.Circle(100, 50, 30, kRed, -0.000001, -M_PI / 2);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 115, 50), kRed); // the radius to three o'clock
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 35), kRed); // the radius to twelve o'clock
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 110, 40), kBlue); // inside the pie
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 90, 60), kWhite); // the rest of the circle
}

TEST_F(CanvasPixelTest, OnlyTheNegativeEndGetsItsRadius)
{
    canvas.Circle(100, 50, 30, kRed, 0.0, -M_PI / 2);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 35), kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 115, 50), kWhite);
}

TEST_F(CanvasPixelTest, VeryWidePenCoversThePictureWithoutTrouble)
{
    ASSERT_TRUE(canvas.setDrawWidth(32767));
    canvas.PSet(100, 50, kRed);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 200 * 100);
}

TEST_F(CanvasPixelTest, BoxFromTheCurrentPoint)
{
    canvas.PSet(10, 10, kWhite);
    canvas.LineTo(30, 20, kRed, LineOpt::BoxFill);
    EXPECT_EQ(bounds(), QRect(QPoint(10, 10), QPoint(30, 20)));
}

TEST_F(CanvasPixelTest, FarAwayAndNonFiniteCoordinatesAreClippedConsistently)
{
    canvas.Line(-1e12, 5, 1e12, 5, kRed);
    EXPECT_EQ(bounds(), QRect(0, 5, 200, 1));
    canvas.Line(-1e12, 5, 1e12, 5, kWhite); // drawing it again erases it
    EXPECT_EQ(marked(), 0);

    canvas.setDrawWidth(3);
    canvas.Line(1e15, -1e15, -1e15, 1e15, kRed); // a wide diagonal through the corner
    EXPECT_GT(marked(), 0);
    canvas.Line(1e15, -1e15, -1e15, 1e15, kWhite);
    EXPECT_EQ(marked(), 0);
    canvas.setDrawWidth(1);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    canvas.Line(nan, 0, 10, 10, kRed);
    canvas.PSet(nan, nan, kRed);
    canvas.Circle(10, 10, nan, kRed);
    canvas.Circle(50, 50, 1e12, kRed); // larger than the rasterizer can take
    canvas.Circle(1e9, 1e9, 10, kRed); // far outside
    EXPECT_EQ(marked(), 0);
    EXPECT_EQ(canvas.Point(nan, 0), -1);

    canvas.Line(-1e15, -1e15, 1e15, 1e15, kRed, LineOpt::BoxFill);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 200 * 100);
}

TEST_F(CanvasPixelTest, PointOutsideThePictureReadsMinusOne)
{
    canvas.PSet(199, 99, kRed);
    EXPECT_EQ(canvas.Point(199, 99), static_cast<std::int32_t>(kRed));
    EXPECT_EQ(canvas.Point(0, 0), static_cast<std::int32_t>(kWhite));
    for (const QPointF& p : {QPointF(-1, 0), QPointF(0, -1), QPointF(200, 0), QPointF(0, 100)})
        EXPECT_EQ(canvas.Point(p.x(), p.y()), -1) << p.x() << "," << p.y();
}

TEST_F(CanvasPixelTest, PolygonIsFilledAndOutlinedWithThePen)
{
    canvas.setForeColor(kRed);
    const QPolygon triangle({QPoint(20, 10), QPoint(80, 10), QPoint(20, 70)});
    canvas.Polygon(triangle, kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 30, 20), kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 50, 10), kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 20, 40), kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 70, 60), kWhite);
    EXPECT_EQ(bounds(), QRect(QPoint(20, 10), QPoint(80, 70)));
}

TEST_F(CanvasPixelTest, PolygonWithVerticesFarOutsideFillsTheVisiblePart)
{
    canvas.setForeColor(kRed);
    const QPolygon huge({QPoint(-100000000, -100000000), QPoint(100000000, -100000000),
                         QPoint(0, 100000000)});
    canvas.Polygon(huge, kBlue);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kBlue), 200 * 100);
}

// Vertices beyond the range of int keep their place: the edge from (0, 50)
// to a vertex 4e12 pixels right and 2e12 down runs at half a pixel down per
// pixel across, and the fill keeps to its side of it.
TEST_F(CanvasPixelTest, PolygonWithVerticesBeyondIntRangeKeepsItsEdges)
{
    canvas.setForeColor(kBlue);
    const QPolygonF far({QPointF(0, 50), QPointF(4e12, 50 + 2e12), QPointF(0, 1e12)});
    canvas.Polygon(far, kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 99), kWhite) << "above the edge";
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 100, 60), kWhite);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 10, 60), kBlue) << "below the edge";
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 60, 90), kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 199, 40), kWhite);
}

TEST_F(CanvasPixelTest, PolygonWithAVertexAtInfinityDrawsNothing)
{
    canvas.setForeColor(kRed);
    const double inf = std::numeric_limits<double>::infinity();
    canvas.Polygon(QPolygonF({QPointF(10, 10), QPointF(inf, 10), QPointF(10, 80)}), kBlue);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kWhite), 200 * 100);
}

TEST_F(CanvasPixelTest, DirectAndPainterDrawingMixInOneBatch)
{
    // Thin lines and fills are written to the pixels directly, wide lines,
    // circles and text through a QPainter that stays open between calls.
    canvas.setDrawWidth(3);
    canvas.Line(10, 10, 60, 10, kRed);
    canvas.setDrawWidth(1);
    canvas.Line(10, 30, 60, 30, kBlue);
    canvas.Circle(100, 50, 10, kRed);
    canvas.Line(150, 5, 190, 5, kBlue, LineOpt::BoxFill);
    canvas.setDrawWidth(3);
    canvas.Line(10, 80, 60, 80, kRed);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::colorAt(image, 30, 10), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 30, 30), kBlue);
    EXPECT_EQ(canvas_test::colorAt(image, 90, 50), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 170, 5), kBlue);
    EXPECT_EQ(canvas_test::colorAt(image, 30, 80), kRed);
}

} // namespace
