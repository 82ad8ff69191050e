// SPDX-License-Identifier: LicenseRef-Tavelcor
// The press on the plot through the main window: which branch a left or a
// right press takes for each panel and option, the common start (one-shot
// pan, undo compaction, copy pen), the middle button, the route start, the
// pan arm, the zoom-window arm, the range anchors and the right press on
// the idle plot.
#include "interact_fixture.h"

#include "main/site/tables.h"

#include <functional>

namespace tavelcor::interacttest {
namespace {

struct LeftRow {
    const char* name;
    std::function<void(Plot&)> setUp;
    LeftBranch branch;
};

class LeftBranches : public InteractTest, public ::testing::WithParamInterface<LeftRow> {};

TEST_P(LeftBranches, ThePanelAndOptionChooseTheBranch)
{
    Plot& w = shownPlot();
    GetParam().setUp(w);
    EXPECT_EQ(leftBranchFor(w), GetParam().branch);
}

// Opens `panel` with `option` chosen.
std::function<void(Plot&)> panel(platform::Frame Plot::*frame, platform::OptionButton Plot::*option)
{
    return [frame, option](Plot& w) { openPanel(w.*frame, &(w.*option)); };
}

INSTANTIATE_TEST_SUITE_P(
    Panels, LeftBranches,
    ::testing::Values(
        LeftRow{"IdlePlot", [](Plot&) {}, LeftBranch::ZoomWindowArm},
        LeftRow{"StrokeAddEndsAsTheIdlePress", panel(&Plot::Frame9, &Plot::Option16), LeftBranch::ZoomWindowArm},
        LeftRow{"StrokeDelete", panel(&Plot::Frame9, &Plot::Option17), LeftBranch::StrokeDeleteAnchor},
        LeftRow{"LineMove", panel(&Plot::Frame10, &Plot::Option6), LeftBranch::LineMove},
        LeftRow{"LineAdd", panel(&Plot::Frame10, &Plot::Option20), LeftBranch::LineAdd},
        LeftRow{"LineDelete", panel(&Plot::Frame10, &Plot::Option21), LeftBranch::LineDeleteAnchor},
        LeftRow{"LineColour", panel(&Plot::Frame10, &Plot::Option25), LeftBranch::LineColour},
        LeftRow{"PointAdd", panel(&Plot::Frame4, &Plot::Option12), LeftBranch::PointAdd},
        LeftRow{"PointAddByDoubleClickArmsTheZoomWindow",
                [](Plot& w) {
                    openPanel(w.Frame4, &w.Option12);
                    DblClickInput = 1;
                },
                LeftBranch::ZoomWindowArm},
        LeftRow{"PointDelete", panel(&Plot::Frame4, &Plot::Option10), LeftBranch::PointDeleteAnchor},
        LeftRow{"PointAttribute", panel(&Plot::Frame4, &Plot::Option9), LeftBranch::PointAttribute},
        LeftRow{"PointMove", panel(&Plot::Frame4, &Plot::Option11), LeftBranch::PointMove},
        LeftRow{"TextAdd", panel(&Plot::Frame11, &Plot::Option22), LeftBranch::TextAdd},
        LeftRow{"TextDelete", panel(&Plot::Frame11, &Plot::Option19), LeftBranch::TextDeleteAnchor},
        LeftRow{"TextEdit", panel(&Plot::Frame11, &Plot::Option18), LeftBranch::TextEdit},
        LeftRow{"TextMoveFirstPicks", panel(&Plot::Frame11, &Plot::Option24), LeftBranch::TextPick},
        LeftRow{"TextMoveWithAPickedTextPlaces",
                [](Plot& w) {
                    openPanel(w.Frame11, &w.Option24);
                    TxtPick = 4;
                },
                LeftBranch::TextPlace},
        LeftRow{"StationFrame",
                [](Plot& w) {
                    w.Frame2.setVisible(false);
                    w.Frame13.setVisible(true);
                },
                LeftBranch::StationDesignation},
        LeftRow{"DiagonalModeComesFirst",
                [](Plot& w) {
                    openPanel(w.Frame10, &w.Option20);
                    AreaCount = 2;
                    DiagonalArmed = 1;
                },
                LeftBranch::DiagonalRectangle},
        LeftRow{"AreaMeasurementComesBeforeThePanels",
                [](Plot& w) {
                    openPanel(w.Frame4, &w.Option10);
                    AreaCount = 2;
                },
                LeftBranch::AreaVertex}),
    [](const ::testing::TestParamInfo<LeftRow>& info) { return std::string(info.param.name); });

struct RightRow {
    const char* name;
    std::function<void(Plot&)> setUp;
    int button;
    RightBranch branch;
};

class RightBranches : public InteractTest, public ::testing::WithParamInterface<RightRow> {};

TEST_P(RightBranches, TheIdlePanelAndTheButtonChooseTheBranch)
{
    Plot& w = shownPlot();
    GetParam().setUp(w);
    EXPECT_EQ(rightBranchFor(w, GetParam().button), GetParam().branch);
}

INSTANTIATE_TEST_SUITE_P(
    Panels, RightBranches,
    ::testing::Values(
        RightRow{"IdleCalculates", [](Plot&) {}, 2, RightBranch::Calculation},
        RightRow{"CompactFrameIsIdle",
                 [](Plot& w) {
                     w.Frame2.setVisible(false);
                     w.Frame15.setVisible(true);
                 },
                 2, RightBranch::Calculation},
        RightRow{"ParcelInformationNeedsParcels",
                 [](Plot& w) {
                     w.Option5.setValue(true);
                     KakuchiCount = 1;
                 },
                 2, RightBranch::ParcelInformation},
        RightRow{"ParcelOptionWithoutParcelsCalculates", [](Plot& w) { w.Option5.setValue(true); }, 2,
                 RightBranch::Calculation},
        RightRow{"AreaMeasurementIsAbandoned",
                 [](Plot& w) {
                     openPanel(w.Frame4, &w.Option12);
                     AreaCount = 3;
                 },
                 2, RightBranch::AbandonArea},
        RightRow{"OpenPanelPopsUpTheMenu", [](Plot& w) { openPanel(w.Frame11, &w.Option22); }, 2,
                 RightBranch::PanelMenu},
        RightRow{"OtherButtonsOnAnOpenPanelDoNothing",
                 [](Plot& w) { openPanel(w.Frame11, &w.Option22); }, 8, RightBranch::Nothing}),
    [](const ::testing::TestParamInfo<RightRow>& info) { return std::string(info.param.name); });

class PressDispatch : public InteractTest {};

TEST_F(PressDispatch, AMiddlePressOnlyStoresWhereThePanStarts)
{
    Plot& w = shownPlot();
    w.Check30.setValue(1);
    w.Label5.setCaption(QStringLiteral("before"));
    w.Label18.setCaption(QStringLiteral("B before"));
    LastClickX = 1.0;
    LastClickY = 2.0;
    PressX = 3.0F;
    AreaCount = 2;
    pressAt(4, 7.0, 5.0);
    EXPECT_EQ(PanStartX, 5.0F);
    EXPECT_EQ(PanStartY, -7.0F);
    EXPECT_EQ(w.Label5.Caption(), QStringLiteral("before"));
    EXPECT_EQ(w.Label18.Caption(), QStringLiteral("B before"));
    EXPECT_EQ(LastClickX, 1.0);
    EXPECT_EQ(LastClickY, 2.0);
    EXPECT_EQ(PressX, 3.0F);
    EXPECT_EQ(AreaCount, 2);
    EXPECT_EQ(PanDrag, 0);
}

TEST_F(PressDispatch, AfterTheMenusPanOnceEveryButtonPans)
{
    Plot& w = shownPlot();
    w.Label5.setCaption(QStringLiteral("before"));
    for (const int button : {1, 2}) {
        SCOPED_TRACE(button);
        PanOnce = 1;
        AreaCount = 3;  // a right or left press of its own would act on it
        pressAt(button, -4.0, 9.0);
        EXPECT_EQ(PanStartX, 9.0F);
        EXPECT_EQ(PanStartY, 4.0F);
        EXPECT_EQ(AreaCount, 3);
        EXPECT_EQ(w.Label5.Caption(), QStringLiteral("before"));
        EXPECT_EQ(PanOnce, 1) << "the release clears it";
    }
}

TEST_F(PressDispatch, EveryPressStartsOnTheCopyPenWithNothingMovedAndAPlainRedraw)
{
    Plot& w = shownPlot();
    PointerMoved = 1;
    RedrawCause = 9;
    w.Picture1.canvas().setDrawMode(10);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(PointerMoved, 0);
    EXPECT_EQ(RedrawCause, 0);
    EXPECT_EQ(w.Picture1.canvas().DrawMode(), platform::PenMode::CopyPen);
}

TEST_F(PressDispatch, AHistoryAbove14999IsCompactedBeforeThePress)
{
    shownPlot();
    for (const int position : {14999, 15000}) {
        SCOPED_TRACE(position);
        UndoPos = UndoTop = static_cast<std::int16_t>(position);
        UndoKind[position] = 11;
        UndoItem[position] = 77;
        pressAt(4, 0.0, 0.0);  // even the middle button's press
        const int expected = position == 15000 ? 10000 : 14999;
        EXPECT_EQ(UndoPos, expected);
        EXPECT_EQ(UndoTop, expected);
        EXPECT_EQ(std::as_const(UndoKind)[expected], 11);
        EXPECT_EQ(std::as_const(UndoItem)[expected], 77);
    }
}

TEST_F(PressDispatch, Label5ShowsTheSiteNorthAndEastOfThePress)
{
    Plot& w = shownPlot();
    w.Picture1.MouseDown(1, 0, 12.3456, -7.5);
    EXPECT_EQ(w.Label5.Caption(), QStringLiteral("X=   10007.500 Y=   20012.346"));
    EXPECT_EQ(LastClickX, 12.3456);
    EXPECT_EQ(LastClickY, -7.5);
    EXPECT_EQ(PressX, 12.3456F);
    EXPECT_EQ(PressY, -7.5F);
    script().expectPopupMenu(std::nullopt);  // the design's "MENU表示"
    w.Picture1.MouseDown(2, 0, -20000.25, 10000.5);
    EXPECT_EQ(w.Label5.Caption(), QStringLiteral("X=      -0.500 Y=      -0.250"));
}

TEST_F(PressDispatch, ARealPressOnThePlotReachesTheHandler)
{
    Plot& w = shownPlot();
    // The picture is drawn in a view inside the control's frame.
    QWidget* view = w.Picture1.widget()->childAt(QPoint(40, 30));
    ASSERT_NE(view, nullptr);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(40, 30));
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.Label5.Caption().startsWith(QStringLiteral("X="))) << w.Label5.Caption().toStdString();
    EXPECT_EQ(DragZoomArmed, 1);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(40, 30));
}

TEST_F(PressDispatch, TheRouteStartsAtTheNextLineAndThePanelsBranchStillRuns)
{
    Plot& w = shownPlot();
    openPanel(w.Frame10, &w.Option21);
    LineSubState = 1;  // the cross-section command armed the route
    LineNext = 37;
    pressAt(1, 3.0, 4.0);
    EXPECT_EQ(LineSubState, 2);
    EXPECT_EQ(RouteFirst, 37);
    EXPECT_EQ(RangeStartX, 4.0F) << "the line delete's range anchor";
    EXPECT_EQ(RangeStartY, -3.0F);
    LineNext = 40;
    pressAt(1, 3.0, 4.0);
    EXPECT_EQ(RouteFirst, 37) << "only the first press after the command starts the route";
}

TEST_F(PressDispatch, OnTheIdlePlotDiagZoomTwoArmsAPanAndTheZoomWindow)
{
    shownPlot();
    DiagZoom = 2;
    BandX = 5.0;
    pressAt(1, -6.0, 8.0);
    EXPECT_EQ(PanDrag, 2);
    EXPECT_EQ(PanStartX, 8.0F);
    EXPECT_EQ(PanStartY, 6.0F);
    EXPECT_EQ(DragZoomArmed, 1);
    EXPECT_EQ(DragZoomHeld, 1);
    EXPECT_EQ(BandX, 0.0);
    EXPECT_EQ(BandY, 0.0);
}

TEST_F(PressDispatch, DiagZoomOneArmsOnlyTheZoomWindow)
{
    shownPlot();
    DiagZoom = 1;
    pressAt(1, -6.0, 8.0);
    EXPECT_EQ(PanDrag, 0);
    EXPECT_EQ(DragZoomArmed, 1);
}

TEST_F(PressDispatch, AnOpenPanelArmsNoPan)
{
    Plot& w = shownPlot();
    DiagZoom = 2;
    openPanel(w.Frame9, &w.Option16);
    pressAt(1, 1.0, 1.0);
    EXPECT_EQ(PanDrag, 0) << "the hand-stroke panel is never idle";
    EXPECT_EQ(DragZoomArmed, 1) << "the stroke press ends as the idle press does";
}

TEST_F(PressDispatch, WithDoubleClickInputThePointPanelsPressAddsNothingAndArmsTheZoomWindow)
{
    Plot& w = shownPlot();
    DiagZoom = 2;
    DblClickInput = 1;
    openPanel(w.Frame4, &w.Option12);
    const int points = PointCount;
    pressAt(1, 2.0, 2.0);
    EXPECT_EQ(PointCount, points);
    EXPECT_EQ(DragZoomArmed, 1);
    EXPECT_EQ(PanDrag, 2) << "the point panel adding by double click counts as idle";
}

TEST_F(PressDispatch, TheDiagonalModesPressSetsTheFirstCornerAndNoPan)
{
    Plot& w = shownPlot();
    DiagZoom = 2;
    DiagonalArmed = 1;
    pressAt(1, -2.0, 3.0);
    EXPECT_EQ(DiagonalDrag, 1);
    EXPECT_EQ(BandX, 3.0);
    EXPECT_EQ(BandY, 2.0);
    EXPECT_EQ(ParcelRange, 0);
    EXPECT_EQ(PanDrag, 0);
    EXPECT_EQ(DragZoomArmed, 0);

    w.Option5.setValue(true);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(ParcelRange, 0) << "画地 without 範囲";
    w.Check37.setValue(1);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(ParcelRange, 1);
}

TEST_F(PressDispatch, TheFourDeletesRecordTheFirstCornerOfTheirRange)
{
    Plot& w = shownPlot();
    const struct {
        platform::Frame* panel;
        platform::OptionButton* option;
    } deletes[] = {{&w.Frame9, &w.Option17}, {&w.Frame10, &w.Option21}, {&w.Frame4, &w.Option10},
                   {&w.Frame11, &w.Option19}};
    double east = 1.0;
    for (const auto& row : deletes) {
        SCOPED_TRACE(row.option->Name().toStdString());
        for (platform::Frame* frame : {&w.Frame9, &w.Frame10, &w.Frame4, &w.Frame11})
            frame->setVisible(false);
        openPanel(*row.panel, row.option);
        pressAt(1, -east, east);
        EXPECT_EQ(RangeStartX, static_cast<float>(east));
        EXPECT_EQ(RangeStartY, static_cast<float>(east));
        EXPECT_EQ(LastClickX, east);
        EXPECT_EQ(DragZoomArmed, 0);
        east += 1.0;
    }
}

TEST_F(PressDispatch, ARightPressAbandonsTheAreaMeasurement)
{
    shownPlot();
    AreaCount = 4;
    pressAt(2, 1.0, 1.0);
    EXPECT_EQ(AreaCount, 0);
}

TEST_F(PressDispatch, ARightPressWithTheMenuChosenSetsModeZeroAfterTheHitTest)
{
    Plot& w = shownPlot();
    ASSERT_TRUE(w.Option33.Value());
    ASSERT_EQ(RclickMode, 1) << "the value at start-up";
    addPoint(1, QStringLiteral("KUI"), 10.0, 10.0);
    const int last = ZahyoMax;
    script().expectPopupMenu(std::nullopt);
    pressAt(2, 10.2, 9.9);
    EXPECT_EQ(RclickMode, 0);
    EXPECT_EQ(ZahyoMax, last + 1) << "the point near the press is taken in first";
    EXPECT_EQ(ZahyoName[last + 1], QStringLiteral("KUI_?_"));
    EXPECT_EQ(BandX, 0.0);
}

TEST_F(PressDispatch, ARightPressOnAnOpenPanelChangesNoMode)
{
    Plot& w = shownPlot();
    openPanel(w.Frame4, &w.Option12);
    script().expectPopupMenu(std::nullopt);
    pressAt(2, 1.0, 1.0);
    EXPECT_TRUE(script().records().back().text.contains(QStringLiteral("ポイント追加"))) << "the point panel's menu";
    EXPECT_EQ(RclickMode, 1);
    EXPECT_EQ(DragZoomArmed, 0);
}

}  // namespace
}  // namespace tavelcor::interacttest
