// SPDX-License-Identifier: LicenseRef-Tavelcor
// The line panel with its route hand-over and the parcel line colour, and
// the hand-stroke panel, opened and closed through their buttons.
#include "panels_fixture.h"

#include "main/edit/line_panel.h"
#include "main/edit/stroke_panel.h"
#include "main/render/color_picker.h"

namespace tavelcor::edittest {
namespace {

using LinePanel = PanelsTest;

TEST_F(LinePanel, OpensInTheIdlePanelsPlaceAndMarksTheLineButton)
{
    Plot& w = plot();
    click(w.Command21);
    EXPECT_TRUE(onlyShown(w.Frame10));
    EXPECT_EQ(w.Frame10.Top(), 2310);
    EXPECT_EQ(w.Frame10.Left(), 105);
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("LINE\r\n追加"));
    EXPECT_EQ(w.Command21.BackColor(), platform::QBColor(11));
    EXPECT_EQ(LineChanged, 1);
}

TEST_F(LinePanel, OpeningTheOpenPanelMovesNothingAndRepeatsItsSettings)
{
    Plot& w = plot();
    Command21_Click(w);
    w.Frame10.setTop(3000);
    MovePoint = 4;
    MovedPoint = 4;
    CurPoint = 2;
    MoveLines(0, 1) = 7;
    MoveLines(1, 100) = 8;
    DiagonalArmed = 1;
    w.Command13.setBackColor(platform::QBColor(12));
    LineRubber = 1;
    TxtEdit = 3;
    TxtPick = 3;
    LineSubState = 1;  // an armed route survives the opening
    Command21_Click(w);
    EXPECT_EQ(w.Frame10.Top(), 3000);
    EXPECT_TRUE(onlyShown(w.Frame10));
    EXPECT_EQ(MovePoint, 0);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(MoveLines(0, 1), 0);
    EXPECT_EQ(MoveLines(1, 100), 0);
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_EQ(w.Command13.BackColor(), platform::QBColor(15));
    EXPECT_EQ(w.Command74.BackColor(), platform::QBColor(15));
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(TxtEdit, 0);
    EXPECT_EQ(TxtPick, 0);
    EXPECT_EQ(LineSubState, 1);
}

TEST_F(LinePanel, ALayerSwitchedOffIsSwitchedOnAndTheSegmentsDrawn)
{
    Plot& w = plot();
    putLine(1, 20.0, -20.0, 20.0, 20.0, 12);
    w.Check13.setValue(0);
    crtplot();
    ASSERT_EQ(inkNear(20.0, 0.0, 1.0), 0) << "lines are hidden";
    Command21_Click(w);
    EXPECT_EQ(w.Check13.Value(), 1);
    EXPECT_GT(inkNear(20.0, 0.0, 1.0), 0) << "the segment is drawn";
}

TEST_F(LinePanel, BackToAddChoosesTheOperationTheOpeningKeeps)
{
    Plot& w = plot();
    const struct {
        int backToAdd;
        platform::OptionButton* chosen;
        platform::OptionButton* expected;
        const char* caption;
    } cases[] = {
        {0, &w.Option21, &w.Option21, "LINE\r\n削除"},
        {0, &w.Option25, &w.Option25, "線色変更"},
        {2, &w.Option6, &w.Option6, "LINE\r\n移動"},
        {2, &w.Option21, &w.Option20, "LINE\r\n追加"},
        {1, &w.Option6, &w.Option20, "LINE\r\n追加"},
    };
    for (const auto& c : cases) {
        BackToAdd = static_cast<std::uint8_t>(c.backToAdd);
        c.chosen->setValue(true);
        Command21_Click(w);
        EXPECT_TRUE(c.expected->Value()) << c.backToAdd << " " << c.chosen->Name().toStdString();
        EXPECT_EQ(w.Label28.Caption(), QString::fromUtf8(c.caption));
    }
}

TEST_F(LinePanel, EndInTheArmedStateBuildsNoProfile)
{
    Plot& w = plot();
    putLine(1, 0.0, 0.0, 5.0, 5.0);
    Command21_Click(w);
    LineSubState = 1;
    RouteFirst = 0;
    RouteLast = 0;
    redraws = 0;
    click(w.Command29);
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(LineNext, 2);
    EXPECT_EQ(RouteLast, 0);
    EXPECT_EQ(redraws, 0) << "no profile, no redraw";
    EXPECT_TRUE(onlyShown(w.Frame2));
    EXPECT_EQ(w.Command21.BackColor(), unmarkedButtonColor());
}

TEST_F(LinePanel, EndAfterTheFirstRouteClickHandsOverARouteOfNoSegment)
{
    Plot& w = plot();
    for (int j = 1; j <= 4; ++j)
        putLine(j, j, 0.0, j, 5.0);
    Command21_Click(w);
    LineSubState = 2;  // the first route click took RouteFirst = LineNext
    RouteFirst = LineNext;
    redraws = 0;
    // The builder asks for its files, then finds the route too short.
    script().expectMessage(platform::MsgResult::No, QStringLiteral("軌道を出力する= ok 出力しない= CANCEL"));
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("全長が短かすぎます"));
    Command29_Click(w);
    EXPECT_EQ(RouteFirst, 5);
    EXPECT_EQ(RouteLast, RouteFirst - 1);
    EXPECT_EQ(LineNext, 5);
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(redraws, 1) << "the plot is redrawn after the profile";
}

TEST_F(LinePanel, ARouteEndedWithEndLeavesLineNextWhereItWas)
{
    Plot& w = plot();
    putLine(1, 0.0, 0.0, 5.0, 5.0);
    putLine(2, 5.0, 5.0, 9.0, 5.0);
    Command21_Click(w);
    LineSubState = 2;
    RouteFirst = LineNext;  // 3
    putLine(3, 10.0, 0.0, 20.0, 0.0);
    putLine(4, 20.0, 0.0, 30.0, 5.0);
    putLine(5, 30.0, 5.0, 40.0, 5.0);
    ASSERT_EQ(LineNext, 6);
    // The builder asks for its files; no elevation service answers here.
    script().expectMessage(platform::MsgResult::No, QStringLiteral("軌道を出力する= ok 出力しない= CANCEL"));
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("地理院から標高が取得できません"));
    Command29_Click(w);
    EXPECT_EQ(RouteFirst, 3);
    EXPECT_EQ(RouteLast, 5);
    EXPECT_EQ(LineNext, 3) << "the route's segments leave the table";
    EXPECT_EQ(LineX2[4], 30.0) << "their values stay for the builder";
    EXPECT_EQ(LineSubState, 0);
}

// The route's segments, recorded as completed segments while they were
// drawn, stay out of the site after 終了: Undo steps over their records and
// then takes back the segment drawn before the route.
TEST_F(LinePanel, UndoAfterARouteEndedWithEndDoesNotReviveTheRoute)
{
    Plot& w = plot();
    putLine(1, 0.0, 0.0, 5.0, 5.0);
    pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(1.0F));
    putLine(2, 5.0, 5.0, 9.0, 5.0);
    pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(2.0F));
    Command21_Click(w);
    LineSubState = 2;
    RouteFirst = LineNext;  // 3
    for (int j = 3; j <= 5; ++j) {
        putLine(j, 10.0 * (j - 2), 0.0, 10.0 * (j - 1), 5.0);
        pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(float(j)));
    }
    script().expectMessage(platform::MsgResult::No, QStringLiteral("軌道を出力する= ok 出力しない= CANCEL"));
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("地理院から標高が取得できません"));
    Command29_Click(w);
    ASSERT_EQ(LineNext, 3);
    crtplot();
    ASSERT_GT(inkNear(7.0, 5.0, 0.3), 0);
    press(w.Command60);
    EXPECT_EQ(LineNext, 3) << "the route stays out of the lines";
    press(w.Command60);
    press(w.Command60);
    EXPECT_EQ(UndoPos, 2);
    EXPECT_EQ(LineNext, 3);
    EXPECT_GT(inkNear(7.0, 5.0, 0.3), 0) << "line 2 is not painted over";
    press(w.Command60);
    EXPECT_EQ(LineNext, 2) << "the segment before the route is taken back";
    while (UndoPos > 0)
        press(w.Command60);
    while (w.Command61.Visible())
        press(w.Command61);
    EXPECT_EQ(LineNext, 3) << "Redo brings back no route segment either";
}

TEST_F(LinePanel, EndWithAddRunsThePlotsDoubleClickHandling)
{
    Plot& w = plot();
    int doubleClicks = 0;
    w.Picture1.DblClick = [&doubleClicks] { ++doubleClicks; };
    Command21_Click(w);
    w.Option20.setValue(true);
    LineRubber = 1;
    Command29_Click(w);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(LineRubber, 0);

    Command21_Click(w);
    w.Option21.setValue(true);
    LineRubber = 1;
    LineDragging = 1;
    Command29_Click(w);
    EXPECT_EQ(doubleClicks, 1) << "only with 追加";
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(LineDragging, 0);
}

TEST_F(LinePanel, ParcelLineColourComesFromTheColourDialog)
{
    Plot& w = plot();
    KakuchiColor = 8;
    script().expectModal(platform::onForm<Color>([](Color& dialog) {
        EXPECT_TRUE(dialog.Option14(8).Value()) << "the parcel colour is preselected";
        dialog.Option14(12).setValue(true);
        dialog.Command1.Click();
    }));
    redraws = 0;
    Command38_MouseDown(w);
    EXPECT_EQ(KakuchiColor, 12);
    EXPECT_EQ(w.Command38.BackColor(), platform::QBColor(12));
    EXPECT_EQ(redraws, 1);
    Command38_MouseUp(w);
    EXPECT_EQ(redraws, 2);
}

using StrokePanel = PanelsTest;

TEST_F(StrokePanel, OpeningEndsOnlyAStrokeLeftUnfinished)
{
    const struct {
        int count;
        std::uint8_t lastPen;
        std::uint8_t expected;
    } cases[] = {{3, 2, 3}, {3, 1, 1}, {3, 3, 3}, {3, 0, 0}, {0, 2, 2}};
    for (const auto& c : cases) {
        TegakiCount = c.count;
        TegakiPen[1] = 1;
        TegakiPen[2] = 2;
        TegakiPen[3] = c.count == 3 ? c.lastPen : 3;
        TegakiPen[0] = c.count == 0 ? c.lastPen : 0;
        Command22_Click(plot());
        EXPECT_EQ(TegakiPen[c.count], c.expected) << "count " << c.count << ", pen " << int(c.lastPen);
        EXPECT_EQ(TegakiPen[2], 2) << "no other vertex is looked at";
    }
}

TEST_F(StrokePanel, OpeningGivesUpARouteAndKeepsItsSegments)
{
    Plot& w = plot();
    Command21_Click(w);
    putLine(1, 0.0, 0.0, 5.0, 5.0);
    LineSubState = 2;
    RouteFirst = 1;
    putLine(2, 5.0, 5.0, 9.0, 5.0);
    LineRubber = 1;
    LineDragging = 1;
    click(w.Command22);
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(LineDragging, 0);
    EXPECT_TRUE(onlyShown(w.Frame9));
    EXPECT_EQ(w.Frame9.Top(), 2310);
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("手書追加"));
    EXPECT_EQ(TegakiChanged, 1);
}

TEST_F(StrokePanel, OpeningFromThePointPanelResetsIt)
{
    Plot& w = plot();
    openPanelInPlace(w, w.Frame4);
    w.Frame6.setVisible(true);
    w.Command32.setCaption(QStringLiteral("観測"));
    CurPoint = 7;
    Command22_Click(w);
    EXPECT_FALSE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_EQ(w.Command32.Caption(), QStringLiteral("確定"));
    EXPECT_EQ(CurPoint, 0);
    EXPECT_TRUE(onlyShown(w.Frame9));
}

TEST_F(StrokePanel, OpeningFromTheTextPanelHidesThePhraseList)
{
    Plot& w = plot();
    openPanelInPlace(w, w.Frame11);
    phraseList({QStringLiteral("墓地")}).Show();
    ASSERT_TRUE(plist().Visible());
    Command22_Click(w);
    EXPECT_FALSE(plist().Visible());
    EXPECT_TRUE(plistForm().isLoaded()) << "hidden, not unloaded";
    EXPECT_TRUE(onlyShown(w.Frame9));
}

TEST_F(StrokePanel, BackToAddReturnsToAddOnlyFromDelete)
{
    Plot& w = plot();
    BackToAdd = 2;
    w.Option17.setValue(true);
    Command22_Click(w);
    EXPECT_TRUE(w.Option16.Value());
    BackToAdd = 0;
    w.Option17.setValue(true);
    Command22_Click(w);
    EXPECT_TRUE(w.Option17.Value());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("手書削除"));
}

TEST_F(StrokePanel, ClosingLeavesAnUnfinishedStrokeUnfinished)
{
    Plot& w = plot();
    Command22_Click(w);
    TegakiCount = 2;
    TegakiPen[1] = 1;
    TegakiPen[2] = 2;
    w.Frame9.setTop(2400);
    click(w.Command28);
    EXPECT_EQ(TegakiPen[2], 2);
    EXPECT_TRUE(onlyShown(w.Frame2));
    EXPECT_EQ(w.Frame2.Top(), 2400);
    EXPECT_EQ(w.Command22.BackColor(), unmarkedButtonColor());
}

}  // namespace
}  // namespace tavelcor::edittest
