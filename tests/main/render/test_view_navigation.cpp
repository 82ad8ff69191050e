// SPDX-License-Identifier: LicenseRef-Tavelcor
// The view buttons of the side panel and the compact frame, pressed as a
// user presses them: pan steps, zoom factors and the zoom floor, the whole
// site, the previous and the memorised view, the two-corner rectangle and
// the two layouts.
#include "view_fixture.h"

#include "main/render/view_navigation.h"

#include <cmath>
#include <vector>

namespace tavelcor::viewtest {
namespace {

constexpr double kTolerance = 1e-9;  // metres
// The displayed extents come from the plot's scale, which is kept in single
// precision: about seven digits.
constexpr double kSingle = 1e-6;  // relative

class ViewNavigation : public ViewTest {};

struct PanRow {
    const char* name;
    platform::CommandButton Plot::*button;
    int north;
    int east;
};

TEST_F(ViewNavigation, EveryPanButtonMovesTheCentreByTheNorthExtentOver275)
{
    const std::vector<PanRow> rows = {
        {"Command2 north-west", &Plot::Command2, 1, -1},  {"Command7 north", &Plot::Command7, 1, 0},
        {"Command8 north-east", &Plot::Command8, 1, 1},   {"Command12 west", &Plot::Command12, 0, -1},
        {"Command14 east", &Plot::Command14, 0, 1},       {"Command15 south-west", &Plot::Command15, -1, -1},
        {"Command16 south", &Plot::Command16, -1, 0},     {"Command17 south-east", &Plot::Command17, -1, 1},
        {"Command70 north-west", &Plot::Command70, 1, -1}, {"Command71 north", &Plot::Command71, 1, 0},
        {"Command72 north-east", &Plot::Command72, 1, 1},  {"Command73 west", &Plot::Command73, 0, -1},
        {"Command75 east", &Plot::Command75, 0, 1},        {"Command76 south-west", &Plot::Command76, -1, -1},
        {"Command77 south", &Plot::Command77, -1, 0},      {"Command78 south-east", &Plot::Command78, -1, 1},
    };
    Plot& w = shownPlot();
    // The plot is wider than high, so the east extent exceeds the north one:
    // the step still comes from the north extent.
    ASSERT_GT(ViewSpanY, ViewSpanX * 1.2);
    for (const PanRow& row : rows) {
        SCOPED_TRACE(row.name);
        DragZoomArmed = 1;
        DiagonalArmed = 1;
        const double cx = ViewCX;
        const double cy = ViewCY;
        const double spanX = ViewSpanX;
        const double spanY = ViewSpanY;
        redraws = 0;
        click(w.*row.button);
        EXPECT_NEAR(ViewCX - cx, row.north * spanX / 2.75, kTolerance);
        EXPECT_NEAR(ViewCY - cy, row.east * spanX / 2.75, kTolerance);
        EXPECT_NEAR(ViewSpanX, spanX, kTolerance);
        EXPECT_NEAR(ViewSpanY, spanY, kTolerance);
        EXPECT_EQ(redraws, 1) << "one press, one step and one redraw";
        EXPECT_EQ(DragZoomArmed, 1);
        EXPECT_EQ(DiagonalArmed, 1);
    }
}

TEST_F(ViewNavigation, ArrowKeyOperationsOfTheStraightPanButtonsStepOnce)
{
    Plot& w = shownPlot();
    const double step = ViewSpanX / 2.75;
    const double cx = ViewCX;
    const double cy = ViewCY;
    w.Command7.setValue(true);  // the button's Click, as the up arrow reaches it
    EXPECT_NEAR(ViewCX, cx + step, kTolerance);
    Command14_Click(w);
    EXPECT_NEAR(ViewCY, cy + step, kTolerance);
    Command16_Click(w);
    Command12_Click(w);
    EXPECT_NEAR(ViewCX, cx, kTolerance);
    EXPECT_NEAR(ViewCY, cy, kTolerance);
    EXPECT_EQ(redraws, 4);
}

TEST_F(ViewNavigation, ZoomInTakesTwoThirdsOfTheDisplayedExtentsAboutTheSameCentre)
{
    Plot& w = shownPlot();
    DragZoomArmed = 1;
    const double spanX = ViewSpanX;
    const double spanY = ViewSpanY;
    const double cx = ViewCX;
    click(w.Command4);
    EXPECT_NEAR(ViewSpanX, spanX * 0.66, spanX * kSingle);
    EXPECT_NEAR(ViewSpanY, spanY * 0.66, spanY * kSingle);
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_EQ(DragZoomArmed, 0);
    EXPECT_EQ(redraws, 1) << "the button's Click only gives the plot the focus";
}

TEST_F(ViewNavigation, ZoomInAndOutDoNotRestoreTheExtents)
{
    Plot& w = shownPlot();
    const double spanX = ViewSpanX;
    click(w.Command68);
    click(w.Command69);
    EXPECT_NEAR(ViewSpanX, spanX * 0.66 * 2.25, spanX * kSingle);
    click(w.Command5);
    EXPECT_NEAR(ViewSpanX, spanX * 0.66 * 2.25 * 2.25, 10 * spanX * kSingle);
    EXPECT_EQ(redraws, 3);
}

TEST_F(ViewNavigation, ZoomInBelowTheFloorStopsAtTwelveCentimetresWithTheMessage)
{
    Plot& w = shownPlot();
    ViewSpanX = 0.15;
    ViewSpanY = 0.15;
    crtplot();
    const double cx = ViewCX;
    const double cy = ViewCY;
    redraws = 0;
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("これ以上拡大できません"));
    click(w.Command4);
    EXPECT_DOUBLE_EQ(FitSpanX, 0.12);
    EXPECT_DOUBLE_EQ(ViewSpanX, 0.12);
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_DOUBLE_EQ(ViewCY, cy);
    EXPECT_EQ(redraws, 1) << "the command still redraws after the message";
}

TEST_F(ViewNavigation, WholeViewKeepsTheNorthExtentTightAndWidensTheEastOne)
{
    Plot& w = shownPlot();
    DataXMin = 9000.0;
    DataXMax = 9400.0;
    DataYMin = 21000.0;
    DataYMax = 21100.0;
    DragZoomArmed = 1;
    RasterSize = 3.0F;
    click(w.Command3);
    EXPECT_DOUBLE_EQ(FitSpanX, 400.0);
    EXPECT_DOUBLE_EQ(FitSpanY, 120.0);
    EXPECT_DOUBLE_EQ(ViewCX, 9200.0);
    EXPECT_DOUBLE_EQ(ViewCY, 21050.0);
    EXPECT_EQ(DragZoomArmed, 0);
    EXPECT_EQ(RasterSize, 0.0F);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ViewNavigation, WholeViewOfManyPointsLeavesOutPointsTextsAndStrokesForOneRedraw)
{
    struct Row {
        int points;
        std::uint8_t skipDuringRedraw;
    };
    Plot& w = shownPlot();
    DataXMin = 9000.0;
    DataXMax = 9400.0;
    DataYMin = 21000.0;
    DataYMax = 21100.0;
    std::uint8_t seen[3] = {};
    render::renderState().hooks.stblueplot = [&seen](render::PlotFace&) {
        seen[0] = SkipPointview;
        seen[1] = SkipTxtview;
        seen[2] = SkipTegakidraw;
    };
    for (const Row& row : {Row{500, 0}, Row{501, 1}}) {
        SCOPED_TRACE(row.points);
        PointCount = row.points;
        click(w.Command3);
        EXPECT_EQ(seen[0], row.skipDuringRedraw);
        EXPECT_EQ(seen[1], row.skipDuringRedraw);
        EXPECT_EQ(seen[2], row.skipDuringRedraw);
        EXPECT_EQ(SkipPointview + SkipTxtview + SkipTegakidraw, 0) << "the flags go back at once";
    }
}

// A zero divisor: data without any extent give no view; the view stays.
TEST_F(ViewNavigation, WholeViewOfDataWithoutExtentLeavesTheView)
{
    Plot& w = shownPlot();
    DataXMin = DataXMax = 9000.0;
    DataYMin = DataYMax = 21000.0;
    const double cx = ViewCX;
    const double spanX = ViewSpanX;
    click(w.Command3);
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX);
    EXPECT_EQ(redraws, 0);
}

TEST_F(ViewNavigation, PreviousViewAlternatesBetweenTheLastTwoViews)
{
    Plot& w = shownPlot();
    const double firstCX = ViewCX;
    click(w.Command7);
    const double secondCX = ViewCX;
    ASSERT_NE(firstCX, secondCX);
    const double tolerance = ViewSpanX * kSingle;
    click(w.Command39);
    EXPECT_NEAR(ViewCX, firstCX, tolerance);
    click(w.Command39);
    EXPECT_NEAR(ViewCX, secondCX, tolerance);
    click(w.Command39);
    EXPECT_NEAR(ViewCX, firstCX, tolerance);
    EXPECT_EQ(redraws, 4);
}

// Before any redraw has kept a view, the previous view has no size: it is
// not shown (a zero divisor of the fit).
TEST_F(ViewNavigation, PreviousViewBeforeAnyKeptViewChangesNothing)
{
    Plot& w = plot();
    w.Show();
    ASSERT_EQ(PrevSpanX, 0.0);
    Command39_MouseDown(w);
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX);
    EXPECT_DOUBLE_EQ(ViewSpanX, 100.0);
    EXPECT_EQ(redraws, 0);
}

TEST_F(ViewNavigation, RestoreBeforeMemoriseOnlyFocusesThenReturnsToTheMemorisedView)
{
    Plot& w = shownPlot();
    const double cx = ViewCX;
    click(w.Command40);
    EXPECT_EQ(redraws, 0);
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_TRUE(w.Picture1.hasFocus());

    click(w.Command41);
    EXPECT_EQ(redraws, 1);
    EXPECT_DOUBLE_EQ(MemoCX, cx);
    EXPECT_DOUBLE_EQ(MemoSpanX, ViewSpanX);
    click(w.Command4);
    click(w.Command16);
    ASSERT_NE(ViewCX, cx);
    click(w.Command40);
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_DOUBLE_EQ(ViewSpanX, MemoSpanX);
    EXPECT_EQ(redraws, 4);
}

TEST_F(ViewNavigation, DiagonalButtonsShareOneFlagButEachColoursOnlyItself)
{
    Plot& w = shownPlot();
    w.Label28.setVisible(true);
    const double cx = ViewCX;
    click(w.Command13);
    EXPECT_EQ(DiagonalArmed, 1);
    EXPECT_EQ(DiagonalLabelHidden, 1);
    EXPECT_FALSE(w.Label28.Visible());
    EXPECT_EQ(w.Command13.BackColor(), platform::QBColor(12));

    click(w.Command74);
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_TRUE(w.Label28.Visible());
    EXPECT_EQ(w.Command74.BackColor(), platform::QBColor(15));
    EXPECT_EQ(w.Command13.BackColor(), platform::QBColor(12)) << "stays red until the plot repaints both";
    EXPECT_DOUBLE_EQ(ViewCX, cx);
    EXPECT_EQ(redraws, 0);
}

TEST_F(ViewNavigation, ArmingWithTheStatusLabelHiddenDoesNotShowItOnDisarming)
{
    Plot& w = shownPlot();
    w.Label28.setVisible(false);
    click(w.Command74);
    EXPECT_EQ(DiagonalLabelHidden, 0);
    click(w.Command74);
    EXPECT_FALSE(w.Label28.Visible());
}

TEST_F(ViewNavigation, CompactLayoutAndBack)
{
    Plot& w = shownPlot();
    int layouts = 0;
    w.Resize = [&layouts] { ++layouts; };
    w.Option29.setValue(true);
    click(w.Command66);
    EXPECT_FALSE(w.protprp.Visible());
    EXPECT_EQ(FullLayout, 0);
    EXPECT_NEAR(w.Picture1.Width(), w.Width(), 15.0);
    EXPECT_NEAR(w.Picture1.Height(), w.Height() - 360.0, 15.0);
    EXPECT_TRUE(w.Frame15.Visible());
    EXPECT_NEAR(w.Frame15.Left(), w.Width() - 1800.0, 15.0);
    EXPECT_NEAR(w.Frame15.Top(), 200.0, 15.0);
    EXPECT_TRUE(w.Option30.Value()) << "地 copied to the compact twin";
    EXPECT_FALSE(w.Option31.Value());
    EXPECT_EQ(redraws, 1);

    layouts = 0;
    click(w.Command67);
    EXPECT_EQ(FullLayout, 1);
    EXPECT_FALSE(w.Frame15.Visible());
    EXPECT_TRUE(w.protprp.Visible());
    EXPECT_EQ(layouts, 1) << "the window's resize layout runs";
    EXPECT_TRUE(w.Picture1.hasFocus());
}

}  // namespace
}  // namespace tavelcor::viewtest
