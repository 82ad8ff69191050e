// SPDX-License-Identifier: LicenseRef-Tavelcor
// The full redraw: its gates, the previous view, the scale bar, the map-tile
// caption and the call points of other layers.
#include "plot_fixture.h"

#include <QString>

#include <array>

namespace tavelcor::render::testing_support {
namespace {

using CrtplotTest = PlotFixture;

TEST_F(CrtplotTest, WhileLoadingOnlyHidesTheStatusLabel)
{
    canvas().PSet(0, 0, platform::QBColor(0));
    const QImage before = canvas().image().copy();
    addLine(0, -100, 0, 100, 12);
    LoadingFlag = 9;
    ViewSpanX = 20000000;
    crtplot(*face);
    EXPECT_FALSE(face->statusLabelVisible());
    EXPECT_EQ(canvas().image(), before);
    EXPECT_EQ(ViewSpanX, 20000000) << "the view is not even limited";
}

TEST_F(CrtplotTest, WithoutCoordinatesNothingIsClearedOrDrawnButThePlaceCircle)
{
    for (int zahyoMax : {0, 1}) {
        SCOPED_TRACE(zahyoMax);
        SetUp();
        canvas().Scale(-200, -150, 200, 150);
        canvas().PSet(-150, -100, platform::QBColor(0));  // plot (100, -150)
        addLine(0, -100, 0, 100, 12);
        ZahyoMax = zahyoMax;
        renderState().GeocodeX = static_cast<float>(OriginX + 50);
        renderState().GeocodeY = static_cast<float>(OriginY + 50);
        PrevCX = 7;
        crtplot(*face);
        EXPECT_EQ(colorAt(100, -150), platform::QBColor(0)) << "not cleared";
        EXPECT_EQ(countPixels(around(0, 0, 40, 40), platform::QBColor(12)), 0) << "no line";
        EXPECT_GT(countPixels(platform::QBColor(12)), 0) << "the place circle is drawn";
        EXPECT_EQ(PrevCX, 7) << "previous view unchanged";
        EXPECT_TRUE(face->scaleBar().label25Caption.isEmpty());
    }
}

struct BarCase {
    double spanX;
    const char* caption;
    double barWidth;
};

class ScaleBarRedrawTest : public PlotFixture, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ScaleBarRedrawTest, CaptionAndBarFollowTheFittedExtent)
{
    const BarCase& c = GetParam();
    // A wide picture keeps the wanted north extent.
    setView(0, 0, c.spanX, c.spanX);
    crtplot(*face);
    const ScaleBarLabels bar = face->scaleBar();
    EXPECT_EQ(bar.label25Caption, QString::fromLatin1(c.caption));
    EXPECT_DOUBLE_EQ(bar.label26Width, c.barWidth);
    EXPECT_EQ(bar.label25BorderStyle, 1);
    EXPECT_EQ(bar.label26BorderStyle, 1);
    // The bar starts 5 % of the extents from the lower-left corner.
    EXPECT_NEAR(bar.label26Left, -0.45 * ViewSpanY, 1e-6 * ViewSpanY);
    EXPECT_NEAR(bar.label26Top, 0.45 * ViewSpanX, 1e-6 * ViewSpanX);
    EXPECT_NEAR(bar.label25Top, bar.label26Top + 0.006 * ViewSpanY, 1e-6 * ViewSpanY);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ScaleBarRedrawTest,
                         ::testing::Values(BarCase{200, "100m", 100}, BarCase{199.9, "10m", 10},
                                           BarCase{10, "10m", 10}, BarCase{1, "0.1m", 0.1},
                                           BarCase{20000000, "100km", 100000}));

// The four gauges show how full the hand-stroke, text, point and line tables
// are once a redraw ends, also when the redraw left a layer out: the first
// redraw of a large site, a layer switched off, a table emptied.
TEST_F(CrtplotTest, GaugesShowHowFullTheTablesAreAfterEveryRedraw)
{
    TegakiCount = 100000;  // of 1000000
    TxtCount = 15000;      // of 30000
    PointCount = 250000;   // of 500000
    LineNext = 50000;      // of 500000
    for (int i = 1; i < LineNext; ++i)
        LineColor[i] = 100;  // deleted: nothing to draw
    const auto gauges = [this] {
        return std::array<int, 4>{face->gauge(Gauge::Tegaki), face->gauge(Gauge::Text), face->gauge(Gauge::Point),
                                  face->gauge(Gauge::Line)};
    };
    const std::array<int, 4> full{10, 50, 50, 10};

    SkipTegakidraw = SkipTxtview = SkipPointview = 1;  // the first redraw of a large site
    crtplot(*face);
    EXPECT_EQ(gauges(), full);
    SkipTegakidraw = SkipTxtview = SkipPointview = 0;

    for (int layer : {12, 13, 14, 15})
        face->setCheck(layer, 0);
    crtplot(*face);
    EXPECT_EQ(gauges(), full) << "layers switched off";

    TegakiCount = 0;
    TxtCount = 0;
    PointCount = 0;
    LineNext = 1;
    crtplot(*face);
    EXPECT_EQ(gauges(), (std::array<int, 4>{0, 0, 0, 0})) << "tables emptied";
}

TEST_F(CrtplotTest, HugeExtentsAreLimitedBeforeTheFit)
{
    setView(0, 0, 20000000, 1);
    crtplot(*face);
    EXPECT_DOUBLE_EQ(FitSpanX, 10000000);
    EXPECT_DOUBLE_EQ(ViewSpanX, 10000000);
}

TEST_F(CrtplotTest, KeepsTheViewItReplacesAsThePreviousView)
{
    setView(10, 20, 300, 400);
    crtplot(*face);
    setView(-50, 70, 600, 800);
    crtplot(*face);
    EXPECT_NEAR(PrevCX, OriginX + 10, 1e-3);
    EXPECT_NEAR(PrevCY, OriginY + 20, 1e-3);
    EXPECT_NEAR(PrevSpanX, 300, 1e-3);
    EXPECT_NEAR(PrevSpanY, 400, 1e-3);
    // A picture scale of 0.001 or less leaves the previous view alone.
    ASSERT_TRUE(canvas().setScaleHeight(0.001));
    crtplot(*face);
    EXPECT_NEAR(PrevSpanX, 300, 1e-3);
}

TEST_F(CrtplotTest, ClearsThePictureWithoutBackground)
{
    canvas().Scale(-200, -150, 200, 150);
    canvas().Line(-100, -100, 100, 100, platform::QBColor(0));
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(0)), 0);
}

TEST_F(CrtplotTest, TileZoomSuffixAndCreditImageFollowThePrintState)
{
    int credits = 0;
    renderState().hooks.creditImage = [&](PlotFace&) { ++credits; };
    setView(0, 0, 300, 300);
    Haikei1Code = 5;
    TileZoom = 16;
    crtplot(*face);
    EXPECT_EQ(face->scaleBar().label25Caption, QStringLiteral("100m (16)"));
    EXPECT_EQ(credits, 1);

    face->setCheck(32, 1);
    credits = 0;
    crtplot(*face);
    EXPECT_EQ(credits, 2) << "drawn for the tiles and again for the elevation switch";

    PrintMode = 10;
    credits = 0;
    crtplot(*face);
    EXPECT_EQ(face->scaleBar().label25Caption, QStringLiteral("100m"));
    EXPECT_EQ(credits, 1) << "preview: only the elevation switch draws it";

    // Without coordinates the caption of the last redraw keeps one suffix.
    PrintMode = 1;
    crtplot(*face);
    ZahyoMax = 1;
    TileZoom = 17;
    crtplot(*face);
    crtplot(*face);
    EXPECT_EQ(face->scaleBar().label25Caption, QStringLiteral("100m (17)"));
}

TEST_F(CrtplotTest, SurveyMarkCallPointsRunOnEveryRedraw)
{
    int blue = 0, lines = 0;
    renderState().hooks.stblueplot = [&](PlotFace&) { ++blue; };
    renderState().hooks.linedraw = [&](PlotFace&) { ++lines; };
    crtplot(*face);
    crtplot(*face);
    EXPECT_EQ(blue, 2);
    EXPECT_EQ(lines, 2);
}

TEST_F(CrtplotTest, PerpendicularFootIsMarkedOnlyWithFourPicks)
{
    ZahyoX[0] = OriginX + 20;
    ZahyoY[0] = OriginY + 30;
    ZahyoPX[0] = 20;
    ZahyoPY[0] = 30;
    addPoint(QStringLiteral("P1"), QString(), 60, 60, 1);  // a drawn item tests positions too
    RclickMode = 3;
    for (int picks : {3, 4}) {
        SCOPED_TRACE(picks);
        CalcPickCount = picks;
        crtplot(*face);
        const int red = countPixels(around(20, 30, 3, 3), platform::QBColor(12));
        const int label = countPixels(around(20, 30, 0, 40), platform::QBColor(4));
        EXPECT_EQ(red > 0, picks == 4);
        EXPECT_EQ(label > 0, picks == 4);
    }
    EXPECT_EQ(ZahyoX[0], OriginX + 20) << "the foot is not overwritten by the drawers";
    EXPECT_EQ(ZahyoPY[0], 30);
}

TEST_F(CrtplotTest, SearchHitIsMarkedInRed)
{
    addCoordinate(3, QStringLiteral("K5"), 10, 10);
    crtplot(*face);
    EXPECT_NE(colorAt(10, 10), platform::QBColor(12)) << "no red there without a search hit";
    SearchHit = 3;
    crtplot(*face);
    EXPECT_EQ(colorAt(10, 10), platform::QBColor(12));
}

TEST_F(CrtplotTest, ZeroSizedPictureDrawsNothingAndKeepsTheView)
{
    StandalonePlot flat(QSize(400, 0));
    addLine(0, -100, 0, 100, 12);
    setView(0, 0, 300, 300);
    crtplot(flat);
    EXPECT_EQ(ViewSpanX, 300);
    EXPECT_EQ(ViewSpanY, 300);
}

}  // namespace
}  // namespace tavelcor::render::testing_support
