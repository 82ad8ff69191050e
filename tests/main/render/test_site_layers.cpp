// SPDX-License-Identifier: LicenseRef-Tavelcor
// Parcel outlines, the coordinate layer and the parcel labels.
#include "plot_fixture.h"

#include <QString>

namespace tavelcor::render::testing_support {
namespace {

class SiteLayersTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        VarFont = 0;
        face->setCheck(6, 1);  // parcel labels
    }

    // Coordinate markers and labels with numbers and names.
    void showCoordinateLabels()
    {
        face->setCheck(1, 1);
        face->setCheck(2, 1);
    }
};

TEST_F(SiteLayersTest, ParcelOutlinesInTheParcelColour)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    face->setCheck(6, 0);
    crtplot(*face);
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(8)) << "north edge";
    EXPECT_EQ(colorAt(0, -50), platform::QBColor(8)) << "west edge";
    EXPECT_EQ(colorAt(-50, 0), platform::QBColor(8)) << "closing edge";
    EXPECT_EQ(colorAt(0, 0), 0xFFFFFFu) << "unfilled";
}

// Regression: the site readers give the first parcel slots from 0 on; the
// outline drawing once took slot 0 for "no slot" and left that parcel out.
TEST_F(SiteLayersTest, ParcelStartingAtSlotZeroIsDrawn)
{
    const int first = addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    ASSERT_EQ(KakuchiFirst[first], 0);
    face->setCheck(6, 0);
    crtplot(*face);
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(8)) << "north edge";
    EXPECT_EQ(colorAt(-50, 0), platform::QBColor(8)) << "closing edge";
}

TEST_F(SiteLayersTest, OpenFigureHasNoClosingEdgeUnlessSelected)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("type open"));
    crtplot(*face);
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(8));
    EXPECT_EQ(colorAt(0, 20), 0xFFFFFFu) << "no closing edge south-west to south-east";
    EXPECT_EQ(colorAt(-50, 0), 0xFFFFFFu);
    KakuchiSel[1] = 1;
    crtplot(*face);
    EXPECT_EQ(colorAt(-50, 0), platform::QBColor(1)) << "the navy mark closes it";
}

TEST_F(SiteLayersTest, HiddenParcelColourDrawsNoOutlineNoMarkAndNoMovedLabel)
{
    addSquare(10, -500, -500, 50, 50, QStringLiteral("1"));
    KakuchiSel[1] = 1;
    LineColorShown[KakuchiColor] = 0;
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(8)) + countPixels(platform::QBColor(1)), 0);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0) << "label point outside and no edge drawn: no label";
}

TEST_F(SiteLayersTest, SelectedParcelIsFilledUnlessTheSettingSaysNine)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    face->setCheck(6, 0);
    KakuchiSel[1] = 1;
    FillSelected = 0;
    crtplot(*face);
    EXPECT_EQ(colorAt(0, 0), platform::RGB(255, 218, 185)) << "filled";
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(1)) << "navy mark over the outline";
    EXPECT_EQ(colorAt(48, 0), platform::RGB(255, 218, 185)) << "2 pixels wide";

    FillSelected = 9;
    crtplot(*face);
    EXPECT_EQ(colorAt(0, 0), 0xFFFFFFu) << "not filled";
    EXPECT_EQ(countPixels(QRect(190, 98, 20, 6), platform::QBColor(1)), 20 * 4)
        << "a 4 pixel wide navy mark along the north edge";
}

// A huge selected parcel seen at a close zoom: a vertex billions of pixels
// away still bounds the fill.  At 1000 pixels per metre the far vertex (4000
// km north, 2000 km east) lies 2e9 pixels out; the edge to it from (-2, -1)
// runs through the view's centre along PX = 2 PY, and the parcel lies on its
// south-east side.
TEST_F(SiteLayersTest, AFarVertexStillBoundsTheFillOfASelectedParcel)
{
    setView(0, 0, 0.3, 0.4);
    addCoordinate(10, QStringLiteral("A"), -2, -1);
    addCoordinate(11, QStringLiteral("F"), 4e6, 2e6);
    addCoordinate(12, QStringLiteral("C"), -2, 3);
    const int i = addParcel(QStringLiteral("1"), {10, 11, 12});
    face->setCheck(6, 0);
    KakuchiSel[i] = 1;
    FillSelected = 0;
    crtplot(*face);
    const std::uint32_t fill = platform::RGB(255, 218, 185);
    struct Probe {
        double px, py;
        bool filled;
    };
    for (const Probe probe : {Probe{-0.1, 0.1, true}, Probe{0.12, 0.1, true}, Probe{-0.14, -0.05, true},
                              Probe{0.1, -0.1, false}, Probe{-0.12, -0.1, false}, Probe{0.14, 0.03, false}}) {
        SCOPED_TRACE(testing::Message() << probe.px << ", " << probe.py);
        EXPECT_EQ(colorAt(probe.px, probe.py), probe.filled ? fill : 0xFFFFFFu);
    }
}

TEST_F(SiteLayersTest, SelectedOnlyHidesTheOtherParcelsWhileOneIsSelected)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    addSquare(20, -100, 80, -60, 120, QStringLiteral("2"));
    face->setCheck(6, 0);
    SelOnly = 1;
    crtplot(*face);
    EXPECT_EQ(colorAt(-60, 100), platform::QBColor(8)) << "nothing selected: all drawn";
    KakuchiSel[1] = 1;
    FillSelected = 9;
    crtplot(*face);
    EXPECT_EQ(colorAt(-60, 100), 0xFFFFFFu);
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(1));
}

TEST_F(SiteLayersTest, MaskPenCombinesOverlappingLayers)
{
    showCoordinateLabels();
    // The red marker of coordinate 30 crosses the grey outline of the
    // parcel: where both lie the picture holds grey AND red = maroon.
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    addCoordinate(30, QStringLiteral("M"), 50, 20);
    face->setCheck(17, 0);
    face->setCheck(6, 0);
    crtplot(*face);
    const int maroon = countPixels(around(50, 20, 8, 8), platform::QBColor(4));
    EXPECT_GE(maroon, 2) << "red marker over the grey edge";
    EXPECT_GT(countPixels(around(50, 20, 8, 8), platform::QBColor(12)), 0) << "red off the edge";
}

TEST_F(SiteLayersTest, BrokenVertexListSkipsOnlyThatParcel)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    const int bad = addSquare(20, -100, 80, -60, 120, QStringLiteral("2"));
    KakuchiVertex[KakuchiFirst[bad] + 1] = 700000;  // no such coordinate
    const int noSlots = addSquare(40, -140, -190, -120, -170, QStringLiteral("4"));
    KakuchiFirst[noSlots] = KakuchiLast[noSlots] + 1;  // an empty slice
    addSquare(30, 60, -150, 100, -100, QStringLiteral("3"));
    face->setCheck(6, 0);
    crtplot(*face);
    EXPECT_EQ(colorAt(50, 0), platform::QBColor(8));
    EXPECT_EQ(colorAt(100, -120), platform::QBColor(8)) << "the parcel after the broken one is drawn";
}

TEST_F(SiteLayersTest, CoordinatesWithHiddenNamesAreNeitherCountedNorDrawn)
{
    showCoordinateLabels();
    addCoordinate(3, QStringLiteral("_?>"), 10, 10);
    addCoordinate(4, QStringLiteral("n_p_m"), 20, 20);
    addCoordinate(5, QStringLiteral("P_?_"), 30, 30);
    addCoordinate(6, QStringLiteral("A1"), 40, 40);
    crtplot(*face);
    for (double d : {10.0, 20.0, 30.0})
        EXPECT_EQ(countPixels(around(d, d, 6, 6), platform::QBColor(12)), 0) << d;
    EXPECT_GT(countPixels(around(40, 40, 6, 6), platform::QBColor(12)), 0);
    EXPECT_EQ(renderState().CoordCountKept, 1);
}

TEST_F(SiteLayersTest, CoordinateLimitAppliesOnlyToSitesWithParcels)
{
    showCoordinateLabels();
    PointLimit = 3;
    for (int n = 3; n <= 6; ++n)
        addCoordinate(n, QStringLiteral("A%1").arg(n), 10.0 * n, 0);
    crtplot(*face);
    EXPECT_GT(countPixels(platform::QBColor(12)), 0) << "no parcels: all shown";

    addCoordinate(7, QStringLiteral("V1"), -400, -400);
    addCoordinate(8, QStringLiteral("V2"), -410, -400);
    addCoordinate(9, QStringLiteral("V3"), -410, -410);
    addParcel(QStringLiteral("1"), {7, 8, 9});
    face->setCheck(6, 0);
    forgetKeptCounts();
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0) << "4 counted > limit 3 with parcels";
    EXPECT_EQ(countInk(around(40, 0, 0, 40)), 0) << "no label either";
}

TEST_F(SiteLayersTest, NumberRangesDecideMarkersAndLabels)
{
    showCoordinateLabels();
    addCoordinate(3, QStringLiteral("A3"), 50, 0);
    addCoordinate(4, QStringLiteral("A4"), -50, 0);
    face->setRangeText(2, QStringLiteral("1"));
    face->setRangeText(5, QStringLiteral("3x"));  // reads 3
    face->setRangeText(15, QStringLiteral("200"));
    face->setRangeText(16, QStringLiteral("100"));  // empty range
    crtplot(*face);
    EXPECT_GT(countPixels(around(50, 0, 6, 6), platform::QBColor(12)), 0);
    EXPECT_EQ(countInk(around(-50, 0, 6, 30)), 0) << "in view but outside both ranges";
}

TEST_F(SiteLayersTest, LabelSwitchesAndParcelVertices)
{
    showCoordinateLabels();
    addSquare(10, -50, -50, 50, 50, QStringLiteral("1"));
    addCoordinate(30, QStringLiteral("FREE"), -100, -150);
    face->setCheck(6, 0);
    face->setCheck(3, 1);  // no labels on parcel vertices
    crtplot(*face);
    // Right of and below each point, clear of its marker.
    const QRect vertexLabel = around(50, 50, -6, 30);
    const QRect freeLabel = around(-100, -150, -6, 30);
    EXPECT_EQ(countInk(vertexLabel), 0);
    EXPECT_GT(countInk(freeLabel), 0);
    EXPECT_GT(countPixels(around(50, 50, 6, 6), platform::QBColor(12)), 0) << "the marker stays";

    face->setCheck(1, 0);
    face->setCheck(2, 0);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0) << "neither switch: no markers";
    EXPECT_EQ(countInk(freeLabel), 0) << "and no labels";
}

TEST_F(SiteLayersTest, CoordinateLabelText)
{
    showCoordinateLabels();
    addCoordinate(12, QStringLiteral("A1"), 40, -100);
    FontSize = 12;
    crtplot(*face);
    EXPECT_TRUE(containsText(referenceText(-100, -40, QStringLiteral(" 12:A1"), platform::QBColor(0), 12)));
}

TEST_F(SiteLayersTest, PreviewShrinksCoordinateMarkersToATenth)
{
    showCoordinateLabels();
    addCoordinate(3, QStringLiteral("A3"), 0, 0);
    face->setCheck(17, 0);
    crtplot(*face);
    const int full = countPixels(around(0, 0, 8, 8), platform::QBColor(12));
    PrintMode = 10;
    crtplot(*face);
    const int preview = countPixels(around(0, 0, 8, 8), platform::QBColor(12));
    EXPECT_GE(full, 16);
    EXPECT_LE(preview, 4);
}

// The redraw leaves the picture at the coordinates' letter size when VarFont
// is on.
TEST_F(SiteLayersTest, VariableFontFollowsTheCountKeptPerExtent)
{
    VarFont = 1;
    FontSize = 12;
    PointLimit = 1000;
    // 3000 coordinates in the west half, 500 in the far east.
    int n = 3;
    for (int k = 0; k < 3000; ++k, ++n)
        addCoordinate(n, QStringLiteral("W"), -100 + (k % 60) * 3, -180 + (k / 60) * 3);
    for (int k = 0; k < 500; ++k, ++n)
        addCoordinate(n, QStringLiteral("E"), -100 + (k % 50) * 4, 2000 + (k / 50) * 4);
    face->setCheck(17, 0);
    crtplot(*face);
    EXPECT_DOUBLE_EQ(canvas().FontSize(), letterSizeTaken(3.0));

    setView(0, 2100, 300, 400);  // pan: same extent
    crtplot(*face);
    EXPECT_DOUBLE_EQ(canvas().FontSize(), letterSizeTaken(3.0)) << "the count of the first redraw rules";

    forgetKeptCounts();
    crtplot(*face);
    EXPECT_DOUBLE_EQ(canvas().FontSize(), letterSizeTaken(8.0));
    ASSERT_NE(letterSizeTaken(3.0), letterSizeTaken(8.0));
}

TEST_F(SiteLayersTest, ParcelNameIsPrintedCentredOnItsLabelPoint)
{
    addSquare(10, -50, -50, 50, 50, QStringLiteral("123"));
    face->setCheck(1, 0);
    face->setCheck(2, 0);
    crtplot(*face);
    EXPECT_GT(countPixels(around(0, 0, 30, 30), platform::QBColor(4)), 0) << "maroon name";
    KakuchiSel[1] = 1;
    FillSelected = 9;
    crtplot(*face);
    EXPECT_GT(countPixels(around(0, 0, 30, 30), platform::QBColor(12)), 0) << "red when selected";
    TxtColorShown[12] = 0;
    crtplot(*face);
    EXPECT_EQ(countPixels(around(0, 0, 30, 30), platform::QBColor(12)), 0) << "hidden colour";
}

TEST_F(SiteLayersTest, InfoTextGoesInFrontOfTheName)
{
    const int i = addSquare(10, -50, -50, 50, 50, QStringLiteral("123"));
    KakuchiInfo[i] = QStringLiteral("字名");
    KakuchiLabelX[i] = 0;
    KakuchiLabelY[i] = -100;  // outside the parcel but in view: centring by name length
    face->setCheck(1, 0);
    face->setCheck(2, 0);
    face->setCheck(36, 1);
    // Metres per twip of the main window's height, from the view as asked.
    const double twip = ViewSpanX / face->formHeightTwips();
    crtplot(*face);
    const double x = -100 - 50 * twip * 3;
    const double y = -0.0 - 100 * twip;
    EXPECT_TRUE(containsText(referenceText(x, y, QStringLiteral("字名123"), platform::QBColor(4), FontSize)));
}

TEST_F(SiteLayersTest, LabelLimitAndHalfLimitSearch)
{
    TxtLimit = 4;
    face->setCheck(1, 0);
    face->setCheck(2, 0);
    // Parcel 1 reaches the view, its label point lies outside.
    addSquare(10, -145, -195, 400, 400, QStringLiteral("BIG"));
    KakuchiLabelX[1] = 300;
    KakuchiLabelY[1] = 300;
    crtplot(*face);
    // Ring step 10: first candidate one step below the top (X 140) at Y -190.
    EXPECT_GT(countPixels(around(140, -190, 0, 25), platform::QBColor(4)), 0);
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 300.0F) << "moved only for the redraw";
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], 300.0F);

    // Two labels in view of a limit of 4: k = 0.5, no search.
    addSquare(20, -20, -20, -10, -10, QStringLiteral("a"));
    addSquare(30, 20, 20, 30, 30, QStringLiteral("b"));
    forgetKeptCounts();
    crtplot(*face);
    EXPECT_EQ(countPixels(around(140, -190, 0, 25), platform::QBColor(4)), 0);
    EXPECT_GT(countPixels(around(-15, -15, 30, 30), platform::QBColor(4)), 0);

    // Four labels in view: none printed.
    addSquare(40, 60, 60, 70, 70, QStringLiteral("c"));
    addSquare(50, -70, 60, -60, 70, QStringLiteral("d"));
    forgetKeptCounts();
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(4)), 0);
}

TEST_F(SiteLayersTest, AttributeRowsPrintTheShownColumnsDownwards)
{
    const int i = addSquare(10, -50, -50, 50, 50, QStringLiteral("77"));
    setKakuchiAttr(i, 1, QStringLiteral("77"));
    setKakuchiAttr(i, 2, QStringLiteral("hidden"));
    setKakuchiAttr(i, 4, QStringLiteral("ABC"));
    for (int col = 2; col <= 40; ++col)
        KakuchiAttrShow[col] = 1;
    KakuchiAttrShow[4] = 0;
    face->setCheck(1, 0);
    face->setCheck(2, 0);
    FontSize = 12;
    crtplot(*face);
    const double a = canvas().ScaleWidth() / face->pictureWidthTwips() * 20.0;
    EXPECT_TRUE(containsText(referenceText(0, 0, QStringLiteral("77"), platform::QBColor(4), 12)));
    EXPECT_TRUE(containsText(referenceText(0, a * 12, QStringLiteral("ABC"), platform::QBColor(4), 12)));
}

TEST_F(SiteLayersTest, LabelsOffMeansNoLabelsAndNoSearch)
{
    addSquare(10, -140, -190, 400, 400, QStringLiteral("BIG"));
    KakuchiLabelX[1] = 300;
    KakuchiLabelY[1] = 300;
    face->setCheck(6, 0);
    // The survey marks are drawn after the labels step, before the moved
    // label points are put back: the label point is still where it was.
    float seenX = 0.0F;
    renderState().hooks.stblueplot = [&seenX](PlotFace&) { seenX = KakuchiLabelX[1]; };
    crtplot(*face);
    renderState().hooks = RedrawHooks{};
    EXPECT_EQ(countPixels(platform::QBColor(4)), 0);
    EXPECT_FLOAT_EQ(seenX, 300.0F) << "no search moved it";
}

}  // namespace
}  // namespace tavelcor::render::testing_support
