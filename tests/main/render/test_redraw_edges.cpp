// SPDX-License-Identifier: LicenseRef-Tavelcor
// Edges of the full redraw: the place circle of the address command, the
// picture's letter set-up, layers of other parts of the program that fail,
// one-vertex parcels and the parcel labels that are never printed.
#include "plot_fixture.h"

#include "platform/prompt/testing.h"

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <stdexcept>

namespace tavelcor::render::testing_support {
namespace {

class RedrawEdgesTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        VarFont = 0;
        face->setCheck(1, 0);  // no coordinate markers or labels in the way
        face->setCheck(2, 0);
        face->setCheck(6, 1);  // parcel labels
    }

    void TearDown() override
    {
        renderState().hooks = RedrawHooks{};
        PlotFixture::TearDown();
    }

    // Parcel 1 crosses the view while its label point (300, 300) lies
    // outside; with few labels in view the search moves the point to the
    // first candidate one ring step (10 m) below the top edge: (140, -190).
    static void addParcelLabelledOutsideTheView()
    {
        TxtLimit = 4;
        addSquare(10, -145, -195, 400, 400, QStringLiteral("BIG"));
        KakuchiLabelX[1] = 300;
        KakuchiLabelY[1] = 300;
    }
};

// ------------------------------------------------------------ place circle

struct PlaceCase {
    const char* name;
    double northOffset;  ///< GeocodeX - OriginX, or no place (0 absolute)
    double eastOffset;
    bool northZero;      ///< GeocodeX itself 0
    bool eastZero;       ///< GeocodeY itself 0
    bool drawn;
};

class PlaceCircleTest : public RedrawEdgesTest, public ::testing::WithParamInterface<PlaceCase> {};

// The red circle of the address command needs both plane coordinates: a 0
// in either means "no place".
TEST_P(PlaceCircleTest, DrawnOnlyWhenBothCoordinatesAreSet)
{
    const PlaceCase& c = GetParam();
    renderState().GeocodeX = c.northZero ? 0.0F : static_cast<float>(OriginX + c.northOffset);
    renderState().GeocodeY = c.eastZero ? 0.0F : static_cast<float>(OriginY + c.eastOffset);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)) > 0, c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Gates, PlaceCircleTest,
    ::testing::Values(PlaceCase{"both", 30, -40, false, false, true},
                      PlaceCase{"north0", 30, -40, true, false, false},
                      PlaceCase{"east0", 30, -40, false, true, false},
                      PlaceCase{"none", 0, 0, true, true, false}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

// The circle is 2 x MarkSize twips in radius on the screen: 140 twips, 9
// pixels at 15 twips a pixel, whatever the scale.
TEST_F(RedrawEdgesTest, PlaceCircleRadiusIsTwiceTheMarkerSizeOnTheScreen)
{
    renderState().GeocodeX = static_cast<float>(OriginX);
    renderState().GeocodeY = static_cast<float>(OriginY);
    for (double span : {300.0, 3000.0}) {
        SCOPED_TRACE(span);
        setView(0, 0, span * 0.75, span);
        crtplot(*face);
        const double metresPerPixel = canvas().ScaleWidth() / 400.0;
        const double r = 2.0 * MarkSize / 15.0 * metresPerPixel;
        EXPECT_EQ(colorAt(0, r), platform::QBColor(12)) << "east of the centre";
        EXPECT_EQ(colorAt(r, 0), platform::QBColor(12)) << "north of the centre";
        EXPECT_NE(colorAt(0, 0), platform::QBColor(12)) << "the centre is not filled";
    }
}

// ------------------------------------------------------------ letter set-up

TEST_F(RedrawEdgesTest, LettersAreBoldFromTwelvePointsOn)
{
    for (const auto& [size, bold] : {std::pair{11, false}, std::pair{12, true}, std::pair{9, false},
                                     std::pair{20, true}}) {
        SCOPED_TRACE(size);
        FontSize = static_cast<std::int16_t>(size);
        canvas().setFontName(QStringLiteral("Other"));
        crtplot(*face);
        EXPECT_EQ(canvas().FontBold(), bold);
        EXPECT_EQ(canvas().FontName(), QStringLiteral("ＭＳ ゴシック"));
        // The picture takes the nearest size its fonts offer.
        EXPECT_NEAR(canvas().FontSize(), size, 0.5) << "the coordinate letter size without VarFont";
        EXPECT_EQ(static_cast<int>(canvas().DrawMode()), 13) << "the redraw ends with the copy pen";
        EXPECT_EQ(canvas().DrawWidth(), 1);
    }
}

// ------------------------------------------------- failing layers of others

TEST_F(RedrawEdgesTest, AFailingBackgroundLeavesAClearPictureAndTheSiteIsDrawn)
{
    canvas().Scale(-200, -150, 200, 150);
    canvas().Line(-100, -100, 100, -100, platform::QBColor(0));  // left from before
    addLine(0, -100, 0, 100, 12);
    Haikei1Code = 1;
    HaikeiDef[0] = QStringLiteral("raster.AR2");
    renderState().hooks.background.Haikei_Draw = [](PlotFace&, std::uint8_t&) { throw std::runtime_error("no tile"); };
    EXPECT_NO_THROW(crtplot(*face));
    EXPECT_EQ(countPixels(platform::QBColor(0)), 0) << "the old picture is cleared";
    EXPECT_EQ(colorAt(0, 0), platform::QBColor(12)) << "the line layer is drawn";
    EXPECT_FALSE(face->scaleBar().label25Caption.isEmpty());
}

// A layer that fails after the label search moved a label point into view:
// the point is back where it was, and the redraw goes on to its last steps.
TEST_F(RedrawEdgesTest, AFailingSurveyMarkLayerEndsOnlyThatLayer)
{
    addParcelLabelledOutsideTheView();
    int lines = 0;
    int credits = 0;
    renderState().hooks.stblueplot = [&](PlotFace&) {
        EXPECT_FLOAT_EQ(KakuchiLabelX[1], 140.0F) << "moved into view for this redraw";
        throw std::runtime_error("survey marks");
    };
    renderState().hooks.linedraw = [&](PlotFace&) { ++lines; };
    renderState().hooks.creditImage = [&](PlotFace&) { ++credits; };
    Haikei1Code = 5;
    TileZoom = 15;
    EXPECT_NO_THROW(crtplot(*face));
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 300.0F);
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], 300.0F);
    EXPECT_EQ(lines, 1) << "the construction lines are still drawn";
    EXPECT_EQ(credits, 1) << "and the map credit";
    EXPECT_TRUE(face->scaleBar().label25Caption.endsWith(QStringLiteral(" (15)")));
    EXPECT_EQ(static_cast<int>(canvas().DrawMode()), 13);
}

// A layer that lets events run (a message box, a tile download) may ask for
// another redraw before this one has put its moved label points back.  That
// redraw never runs inside this one: it runs once, from the event loop,
// after this one has ended, and each puts its own move back.
TEST_F(RedrawEdgesTest, ARedrawAskedForFromALayerRunsOnceAfterTheOuterOne)
{
    addParcelLabelledOutsideTheView();
    int calls = 0;
    bool inside = false;
    renderState().hooks.stblueplot = [&](PlotFace& f) {
        EXPECT_FALSE(inside) << "a redraw ran inside another";
        inside = true;
        EXPECT_FLOAT_EQ(KakuchiLabelX[1], 140.0F) << "moved into view by this redraw";
        if (++calls == 1) {
            crtplot(f);
            crtplot(f);
        }
        EXPECT_FLOAT_EQ(KakuchiLabelX[1], 140.0F) << "nothing else moved it meanwhile";
        inside = false;
    };
    crtplot(*face);
    EXPECT_EQ(calls, 1);
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 300.0F);
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], 300.0F);
    // The picture the outer redraw finishes still shows the name in view.
    EXPECT_GT(countPixels(around(140, -190, 0, 25), platform::QBColor(4)), 0);

    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2) << "the two asks make one redraw";
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 300.0F);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2);
}

// A full redraw that starts while one waits takes its place.
TEST_F(RedrawEdgesTest, AWaitingRedrawIsDroppedWhenAFullRedrawRunsFirst)
{
    int calls = 0;
    renderState().hooks.stblueplot = [&](PlotFace& f) {
        if (++calls == 1)
            crtplot(f);
    };
    crtplot(*face);
    crtplot(*face);
    EXPECT_EQ(calls, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 2);
}

TEST_F(RedrawEdgesTest, AFailingCreditImageStillDrawsTheSecondOne)
{
    int calls = 0;
    renderState().hooks.creditImage = [&](PlotFace&) {
        if (++calls == 1)
            throw std::runtime_error("GDI");
    };
    Haikei2Code = 6;
    face->setCheck(32, 1);
    EXPECT_NO_THROW(crtplot(*face));
    EXPECT_EQ(calls, 2);
}

// --------------------------------------------------- failing layers of its own

// The plot face of the main window, failing where a test asks: reading one
// check box, or setting one gauge (each layer drawer sets its gauge at its
// end, after drawing).
class FailingFace final : public PlotFace {
public:
    explicit FailingFace(StandalonePlot& inner) : mInner(inner) {}

    std::optional<int> failingCheck;
    std::optional<Gauge> failingGauge;

    platform::Canvas& picture() override { return mInner.picture(); }
    double pictureWidthTwips() const override { return mInner.pictureWidthTwips(); }
    double pictureHeightTwips() const override { return mInner.pictureHeightTwips(); }
    double formHeightTwips() const override { return mInner.formHeightTwips(); }
    int checkValue(int number) const override
    {
        if (failingCheck == number)
            throw std::runtime_error("check box");
        return mInner.checkValue(number);
    }
    QString rangeText(int number) const override { return mInner.rangeText(number); }
    QString symbolCaption(int mark) const override { return mInner.symbolCaption(mark); }
    std::uint32_t symbolColor(int mark) const override { return mInner.symbolColor(mark); }
    bool deleteOptionSelected() const override { return mInner.deleteOptionSelected(); }
    void hideStatusLabel() override { mInner.hideStatusLabel(); }
    ScaleBarLabels scaleBar() const override { return mInner.scaleBar(); }
    void setScaleBar(const ScaleBarLabels& labels) override { mInner.setScaleBar(labels); }
    void setPointNameFields(const QString& name, const QString& name2) override
    {
        mInner.setPointNameFields(name, name2);
    }
    void setGauge(Gauge gauge, int percent) override
    {
        if (failingGauge == gauge)
            throw std::runtime_error("gauge");
        mInner.setGauge(gauge, percent);
    }
    platform::Canvas& blendBuffer() override { return mInner.blendBuffer(); }
    void showBlendBuffer(bool shown) override { mInner.showBlendBuffer(shown); }
    int pictureMousePointer() const override { return mInner.pictureMousePointer(); }
    void setPictureMousePointer(int pointer) override { mInner.setPictureMousePointer(pointer); }

private:
    StandalonePlot& mInner;
};

struct FailingLayerCase {
    const char* name;
    std::optional<int> failingCheck;
    std::optional<Gauge> failingGauge;
    const char* message;  ///< the message the failing layer shows, or none
    bool labelLost = false;  ///< the failing layer is the parcel labels'
};

class FailingLayerTest : public RedrawEdgesTest, public ::testing::WithParamInterface<FailingLayerCase> {};

// A layer that fails ends only itself: every other layer of the redraw is
// drawn.  The hand-stroke drawer reports its failure itself.
TEST_P(FailingLayerTest, EveryOtherLayerIsStillDrawn)
{
    const FailingLayerCase& c = GetParam();
    addSquare(10, -20, -20, 20, 20, QStringLiteral("9"));
    addStrokeVertex(-100, -150, 2, 1);
    addStrokeVertex(-100, -100, 2, 2);
    addStrokeVertex(-100, -50, 2, 3);
    addLine(-60, 50, -60, 150, 12);
    addPoint(QStringLiteral("P1"), QString(), 60, 100, 1);
    addText(QStringLiteral("境界"), 80, -120, 6);
    platform::testing::GTestScriptedPrompter script;
    if (c.message)
        script->expectMessage(platform::MsgResult::Ok, QString::fromUtf8(c.message));
    FailingFace failing(*face);
    failing.failingCheck = c.failingCheck;
    failing.failingGauge = c.failingGauge;
    EXPECT_NO_THROW(crtplot(failing));
    if (!c.labelLost) {
        EXPECT_GT(countPixels(around(0, 0, 15, 15), platform::QBColor(4)), 0) << "the parcel's name";
    }
    EXPECT_EQ(colorAt(-20, 0), platform::QBColor(8)) << "the parcel's outline";
    EXPECT_EQ(colorAt(-100, -100), platform::QBColor(2)) << "the hand stroke";
    EXPECT_EQ(colorAt(-60, 100), platform::QBColor(12)) << "the line";
    EXPECT_GT(countPixels(around(60, 100, 15, 15), platform::QBColor(9)), 0) << "the point's symbol";
    EXPECT_GT(countPixels(around(80, -120, 0, 30), platform::QBColor(6)), 0) << "the text";
    EXPECT_FALSE(face->scaleBar().label25Caption.isEmpty()) << "the scale bar";
    EXPECT_EQ(static_cast<int>(canvas().DrawMode()), 13);
    if (c.message) {
        ASSERT_EQ(script->records().size(), 1U);
        EXPECT_EQ(script->records().front().buttons, platform::MsgButtons::OkOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, FailingLayerTest,
    ::testing::Values(FailingLayerCase{"none", std::nullopt, std::nullopt, nullptr},
                      FailingLayerCase{"coordinates", 1, std::nullopt, nullptr},
                      FailingLayerCase{"parcel_labels", 36, std::nullopt, nullptr, true},
                      FailingLayerCase{"hand_strokes", std::nullopt, Gauge::Tegaki,
                                       "tegakidrawでエラーがかかりました"},
                      FailingLayerCase{"lines", std::nullopt, Gauge::Line, nullptr},
                      FailingLayerCase{"points", std::nullopt, Gauge::Point, nullptr},
                      FailingLayerCase{"texts", std::nullopt, Gauge::Text, nullptr}),
    [](const ::testing::TestParamInfo<FailingLayerCase>& info) { return std::string(info.param.name); });

// The hand-stroke drawer called on its own (after a stroke is drawn) reports
// its failure itself and returns; the strokes drawn so far stay.
TEST_F(RedrawEdgesTest, AFailingHandStrokeDrawerReportsItselfAndReturns)
{
    addStrokeVertex(-100, -150, 2, 1);
    addStrokeVertex(-100, -50, 2, 3);
    crtplot(*face);
    canvas().Cls();
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, QStringLiteral("tegakidrawでエラーがかかりました"));
    FailingFace failing(*face);
    failing.failingGauge = Gauge::Tegaki;
    EXPECT_NO_THROW(Tegakidraw(failing));
    EXPECT_EQ(colorAt(-100, -100), platform::QBColor(2));
}

// ------------------------------------------------------------ kept counts

// The count of coordinates in view is kept in 32 bits: a dense view of more
// than 32767 coordinates keeps its count for the next redraw at the same
// extent instead of an earlier one.
TEST_F(RedrawEdgesTest, CoordinateCountAbove32767IsKeptPerExtent)
{
    constexpr int kDense = 40000;
    for (int n = 3; n < 3 + kDense; ++n)
        addCoordinate(n, QStringLiteral("D"), (n % 200) - 100.0, (n / 200) - 100.0);
    VarFont = 1;
    FontSize = 12;
    PointLimit = 1000;
    crtplot(*face);
    EXPECT_EQ(renderState().CoordCountKept, kDense);
    const double dense = 12.0 / (kDense / 1000.0 + 1.0);
    EXPECT_DOUBLE_EQ(canvas().FontSize(), letterSizeTaken(dense));

    // Panning away at the same extent keeps the dense count.
    setView(5000, 5000, 300, 400);
    crtplot(*face);
    EXPECT_EQ(renderState().CoordCountKept, kDense);
    EXPECT_DOUBLE_EQ(canvas().FontSize(), letterSizeTaken(dense));
    EXPECT_NE(letterSizeTaken(dense), letterSizeTaken(12.0)) << "an empty view would read otherwise";
}

// ------------------------------------------------------------ parcels

// A parcel of one vertex has no edge; its closing edge joins the vertex to
// itself, which counts as drawn only when the vertex lies in the window.  A
// drawn parcel whose label point lies outside the view is labelled at that
// point: 3 m above the top edge, so the lower part of the name shows.
TEST_F(RedrawEdgesTest, OneVertexParcelReachesThePictureOnlyInTheWindow)
{
    addCoordinate(10, QStringLiteral("IN"), 20, -100);
    addCoordinate(11, QStringLiteral("OUT"), 5000, 100);
    const int inside = addParcel(QStringLiteral("1"), {10});
    const int outside = addParcel(QStringLiteral("2"), {11});
    KakuchiLabelX[inside] = 153;
    KakuchiLabelY[inside] = -100;
    KakuchiLabelX[outside] = 153;
    KakuchiLabelY[outside] = 100;
    crtplot(*face);
    EXPECT_GT(countPixels(QRect(100, 0, 40, 20), platform::QBColor(4)), 0) << "labelled: drawn";
    EXPECT_EQ(countPixels(QRect(300, 0, 40, 20), platform::QBColor(4)), 0) << "not drawn, no label";
}

// An open figure gets no label, whether its label point is in view (the
// count leaves it out) or outside while its line crosses the view.
TEST_F(RedrawEdgesTest, OpenFigureGetsNoLabel)
{
    const int inView = addSquare(10, -50, -50, 50, 50, QStringLiteral("type open"));
    const int crossing = addSquare(20, -140, 100, 400, 190, QStringLiteral("type open"));
    KakuchiLabelX[crossing] = 300;
    KakuchiLabelY[crossing] = 300;
    crtplot(*face);
    EXPECT_EQ(colorAt(0, 100), platform::QBColor(8)) << "the crossing figure reaches the view";
    EXPECT_EQ(countPixels(platform::QBColor(4)), 0) << "no maroon label";
    EXPECT_FLOAT_EQ(KakuchiLabelX[crossing], 300.0F);

    // The same outline under another name is labelled.
    KakuchiName[inView] = QStringLiteral("7");
    crtplot(*face);
    EXPECT_GT(countPixels(around(0, 0, 30, 30), platform::QBColor(4)), 0);
}

// The label colours follow the text colours 4 (unselected) and 12 (selected).
TEST_F(RedrawEdgesTest, LabelColoursFollowTheTextColourFlags)
{
    struct Row {
        int selected;
        int hiddenColour;
        int labelColour;
        bool printed;
    };
    const Row rows[] = {{0, -1, 4, true}, {0, 4, 4, false}, {0, 12, 4, true},
                        {1, -1, 12, true}, {1, 12, 12, false}, {1, 4, 12, true}};
    const int i = addSquare(10, -50, -50, 50, 50, QStringLiteral("123"));
    FillSelected = 9;  // no fill over the label
    for (const Row& row : rows) {
        SCOPED_TRACE(row.selected * 100 + row.hiddenColour);
        TxtColorShown[4] = 1;
        TxtColorShown[12] = 1;
        if (row.hiddenColour >= 0)
            TxtColorShown[row.hiddenColour] = 0;
        KakuchiSel[i] = static_cast<std::uint8_t>(row.selected);
        crtplot(*face);
        EXPECT_EQ(countPixels(around(0, 0, 30, 30), platform::QBColor(row.labelColour)) > 0, row.printed);
    }
}

}  // namespace
}  // namespace tavelcor::render::testing_support
