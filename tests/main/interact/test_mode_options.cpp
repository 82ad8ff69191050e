// SPDX-License-Identifier: LicenseRef-Tavelcor
// The mode option buttons through the main window: the select operations of
// the four operation panels, the right-click calculation options, the
// pickers, the search kinds, the right press on the idle frame, the pointer
// over an operation panel and the double click on the search frame.
#include "interact_fixture.h"

#include "main/interact/mode_options.h"
#include "main/render/render_state.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "platform/canvas/colors.h"

#include <vector>

namespace tavelcor::interacttest {
namespace {

class ModeOptions : public InteractTest {
protected:
    /// A user's click on an option (press and release).
    static void choose(platform::OptionButton& option) { click(option); }
};

// --- operation panels -----------------------------------------------------------

struct OperationRow {
    platform::Frame Plot::*panel;
    platform::OptionButton Plot::*option;
    const char16_t* caption;
};

TEST_F(ModeOptions, EveryOperationShowsItsCaptionInTheHoverLabel)
{
    Plot& w = shownPlot();
    const OperationRow rows[] = {
        {&Plot::Frame4, &Plot::Option11, u" 移動"},      {&Plot::Frame4, &Plot::Option10, u" 削除"},
        {&Plot::Frame4, &Plot::Option9, u" 属性変更"},   {&Plot::Frame4, &Plot::Option12, u" 追加"},
        {&Plot::Frame10, &Plot::Option21, u" LINE削除"}, {&Plot::Frame10, &Plot::Option6, u" LINE移動"},
        {&Plot::Frame10, &Plot::Option25, u" LINE変更"}, {&Plot::Frame10, &Plot::Option20, u" LINE追加"},
        {&Plot::Frame9, &Plot::Option17, u" 手書削除"},  {&Plot::Frame9, &Plot::Option16, u" 手書追加"},
        {&Plot::Frame11, &Plot::Option24, u" TEXT移動"}, {&Plot::Frame11, &Plot::Option19, u" TEXT削除"},
        {&Plot::Frame11, &Plot::Option18, u" TEXT編集"}, {&Plot::Frame11, &Plot::Option22, u" TEXT追加"},
    };
    for (const OperationRow& row : rows) {
        platform::OptionButton& option = w.*row.option;
        SCOPED_TRACE(option.Name().toStdString());
        openPanel(w.*row.panel, nullptr);
        w.Label28.setCaption(QString());
        choose(option);
        EXPECT_TRUE(option.Value());
        EXPECT_EQ(w.Label28.Caption(), QString::fromUtf16(row.caption));
        // Pressed again while chosen, the operation runs again.
        w.Label28.setCaption(QString());
        choose(option);
        EXPECT_EQ(w.Label28.Caption(), QString::fromUtf16(row.caption));
    }
}

TEST_F(ModeOptions, ThePointOperationsResetTheirStateAndButtons)
{
    Plot& w = shownPlot();
    openPanel(w.Frame4, nullptr);
    const auto dirty = [&w] {
        CurPoint = 5;
        MovePoint = 6;
        MovedPoint = 7;
        MoveLines(0, 1) = 8;
        MoveLines(1, 100) = 9;
        for (platform::CommandButton* b : {&w.Command32, &w.Command47, &w.Command43, &w.Command31})
            b->setVisible(true);
        w.Command32.setCaption(QStringLiteral("戻す"));
        w.Frame6.setVisible(true);
    };

    dirty();
    choose(w.Option11);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(MovePoint, 6) << "移動 keeps the move state";
    EXPECT_EQ(MoveLines(0, 1), 8);
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_FALSE(w.Command48.Visible());
    EXPECT_FALSE(w.Command24.Enabled());
    EXPECT_EQ(w.Command32.Caption(), QStringLiteral("確定"));
    for (platform::CommandButton* b : {&w.Command32, &w.Command47, &w.Command43, &w.Command31})
        EXPECT_FALSE(b->Visible()) << b->Name().toStdString();

    dirty();
    choose(w.Option10);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(MovePoint, 0);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_EQ(MoveLines(0, 1), 0);
    EXPECT_EQ(MoveLines(1, 100), 0);
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_FALSE(w.Command24.Enabled());
    EXPECT_EQ(w.Command31.Caption(), QStringLiteral("取消"));

    dirty();
    w.Text6.setText(QStringLiteral("K1"));
    choose(w.Option12);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_TRUE(w.Command48.Visible());
    EXPECT_TRUE(w.Command24.Enabled());
    EXPECT_TRUE(w.Frame6.Visible()) << "追加 leaves the symbol picker";
    for (platform::CommandButton* b : {&w.Command32, &w.Command47, &w.Command43, &w.Command31})
        EXPECT_FALSE(b->Visible()) << b->Name().toStdString();
}

TEST_F(ModeOptions, AddProposesTheNameAfterTheHighestPointWhenTheNameIsEmpty)
{
    Plot& w = shownPlot();
    addPoint(1, QStringLiteral("P20"), 1.0, 1.0);
    addPoint(2, QStringLiteral("P09"), 2.0, 2.0, 101);  // the highest index, deleted
    openPanel(w.Frame4, &w.Option10);
    w.Text6.setText(QString());
    w.Text7.setText(QStringLiteral("済"));
    choose(w.Option12);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P10"));
    EXPECT_TRUE(w.Text7.Text().isEmpty());

    w.Text6.setText(QStringLiteral("K1"));
    w.Text7.setText(QStringLiteral("second"));
    choose(w.Option12);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("K1"));
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("second"));
}

TEST_F(ModeOptions, AttributeCaptionsTheWorkbookButtonsByTheCollector)
{
    Plot& w = shownPlot();
    openPanel(w.Frame4, nullptr);
    const struct {
        int collector;
        int recordMain;
        const char16_t* first;
        const char16_t* second;
    } rows[] = {{0, 0, u"観測", u"記録"}, {0, 1, u"記録", u"観測"}, {1, 0, u"転送", u"どれか"}, {2, 1, u"転送", u"どれか"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.collector * 10 + row.recordMain);
        CollectorSdl = static_cast<std::uint8_t>(row.collector);
        RecordMain = static_cast<std::uint8_t>(row.recordMain);
        w.Command43.setCaption(QStringLiteral("どれか"));
        choose(w.Option12);
        choose(w.Option9);
        EXPECT_EQ(w.Command31.Caption(), QString::fromUtf16(row.first));
        EXPECT_EQ(w.Command43.Caption(), QString::fromUtf16(row.second));
        EXPECT_TRUE(w.Command31.Visible());
        EXPECT_TRUE(w.Command43.Visible());
        EXPECT_TRUE(w.Command48.Visible());
        EXPECT_FALSE(w.Frame6.Visible());
        EXPECT_FALSE(w.Command32.Visible());
    }
}

TEST_F(ModeOptions, TheLineOperationsResetTheLineStateAndDrawTheLines)
{
    Plot& w = shownPlot();
    viewtest::addLine(0.0, -30.0, 0.0, 30.0, 9);
    openPanel(w.Frame10, nullptr);
    w.Picture1.canvas().Cls();
    LineSubState = 2;
    LineRubber = 1;
    LineDragging = 1;
    w.Command30.setVisible(true);
    choose(w.Option20);
    EXPECT_EQ(LineSubState, 2) << "a route in progress goes on";
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(LineDragging, 0);
    EXPECT_FALSE(w.Command30.Visible());
    EXPECT_EQ(colorAt(0.0, 10.0), platform::QBColor(9)) << "the lines are drawn again";

    for (platform::OptionButton* option : {&w.Option21, &w.Option6, &w.Option25}) {
        SCOPED_TRACE(option->Name().toStdString());
        LineSubState = 2;
        LineRubber = 1;
        LineDragging = 1;
        choose(*option);
        EXPECT_EQ(LineSubState, 0);
        EXPECT_EQ(LineRubber, 0);
        EXPECT_EQ(LineDragging, 0);
    }
}

TEST_F(ModeOptions, TheTextOperationsDropThePickAndTheCommitButton)
{
    Plot& w = shownPlot();
    openPanel(w.Frame11, nullptr);
    const auto dirty = [&w] {
        TxtEdit = 3;
        TxtPick = 4;
        w.Command34.setVisible(true);
        w.Command34.setDefault(true);
    };
    for (platform::OptionButton* option : {&w.Option22, &w.Option24}) {
        dirty();
        choose(*option);
        EXPECT_EQ(TxtEdit, 0);
        EXPECT_EQ(TxtPick, 0);
        EXPECT_FALSE(w.Command34.Visible());
        EXPECT_FALSE(w.Command34.Default());
    }
    dirty();
    choose(w.Option19);
    EXPECT_EQ(TxtEdit, 0);
    EXPECT_EQ(TxtPick, 0);
    EXPECT_TRUE(w.Command34.Visible()) << "削除 leaves the commit button";
    dirty();
    choose(w.Option18);
    EXPECT_EQ(TxtEdit, 3) << "編集 keeps the text being edited";
    EXPECT_FALSE(w.Command34.Visible());
    EXPECT_FALSE(w.Command34.Default());
}

// --- right-click calculations -------------------------------------------------------

TEST_F(ModeOptions, RadialWhileAlreadyRadialResetsNothingAndDoesNotRedisplay)
{
    Plot& w = shownPlot();
    ASSERT_EQ(RclickMode, 1);
    CalcPick1 = 5;
    CalcPickCount = 2;
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\n"));
    w.Command85.setVisible(true);
    choose(w.Option1);
    EXPECT_EQ(RclickMode, 1);
    EXPECT_EQ(CalcPick1, 5);
    EXPECT_EQ(CalcPickCount, 2);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(clipboard.text(), QStringLiteral("Z00,SIMA_RELOAD,\r\n")) << "the redisplay did not take it";
    EXPECT_FALSE(w.Command85.Visible());
}

TEST_F(ModeOptions, RadialFromAnotherModeClearsThePicksAndRedisplays)
{
    Plot& w = shownPlot();
    RclickMode = 3;
    CalcPick1 = 5;
    CalcStep = 2;
    KeepStation = QStringLiteral("0");
    clipboard.setText(QStringLiteral("anything"));
    choose(w.Option1);
    EXPECT_EQ(RclickMode, 1);
    EXPECT_EQ(CalcPick1, 0);
    EXPECT_EQ(CalcStep, 0);
    EXPECT_GE(redraws, 1);
    EXPECT_TRUE(clipboard.text().isEmpty()) << "the redisplay empties the clipboard";
}

TEST_F(ModeOptions, ContinuousAfterOnlyTheMenuClearsTheListAndKeepsTheOtherPicks)
{
    Plot& w = shownPlot();
    choose(w.Option2);
    ASSERT_EQ(RclickMode, 2);
    for (int k = 1; k <= 60; ++k)
        CalcPickList[k] = 7;
    CalcPick1 = 3;
    CalcPickCount = 9;
    redraws = 0;
    w.Option33.setValue(true);  // MENU表示, with no right press on the plot after it
    ASSERT_EQ(RclickMode, 2);
    choose(w.Option2);
    for (int k = 1; k <= 50; ++k)
        EXPECT_EQ(std::as_const(CalcPickList)[k], 0) << k;
    EXPECT_EQ(std::as_const(CalcPickList)[51], 7);
    EXPECT_EQ(CalcPick1, 3);
    EXPECT_EQ(CalcPickCount, 9);
    EXPECT_EQ(redraws, 0);
}

TEST_F(ModeOptions, PerpendicularAndIntersectionClearThePicksOnAChangeOfMode)
{
    Plot& w = shownPlot();
    for (const auto& [option, mode] : {std::pair{&w.Option3, 3}, std::pair{&w.Option34, 34}}) {
        SCOPED_TRACE(mode);
        CalcPick2 = 4;
        redraws = 0;
        choose(*option);
        EXPECT_EQ(RclickMode, mode);
        EXPECT_EQ(CalcPick2, 0);
        EXPECT_EQ(redraws, 1);
        CalcPick2 = 4;
        choose(*option);  // the same mode again
        EXPECT_EQ(CalcPick2, 4);
        EXPECT_EQ(redraws, 1);
    }
}

TEST_F(ModeOptions, CopyPointClearsTheClipboardAndShowsItsHintEveryTime)
{
    Plot& w = shownPlot();
    const QString hint =
        QStringLiteral("座標番号をクリップボードにコピーするときは、simaの「ナンバー表示」と「名称表示」にチェックを入れてください。\r\n"
                       "sima測点をポイント化するときは、いずれかにチェックを入れてください");
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        clipboard.setText(QStringLiteral("12\t"));
        CalcPickName = QStringLiteral("1,2,");
        CalcPick1 = 8;
        script().expectMessage(platform::MsgResult::Ok, hint);
        choose(w.Option4);  // the second round clicks the chosen option again
        EXPECT_TRUE(clipboard.text().isEmpty());
        EXPECT_EQ(RclickMode, 4);
        EXPECT_EQ(CalcPick1, 0);
        EXPECT_TRUE(CalcPickName.isEmpty());
        EXPECT_EQ(MsgText, hint);
        EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkOnly);
    }
}

TEST_F(ModeOptions, ParcelShowsItsSwitchesForGood)
{
    Plot& w = shownPlot();
    ASSERT_FALSE(w.Check35.Visible());
    choose(w.Option5);
    EXPECT_EQ(RclickMode, 5);
    EXPECT_TRUE(w.Check35.Visible());
    EXPECT_TRUE(w.Check37.Visible());
    choose(w.Option3);
    EXPECT_TRUE(w.Check35.Visible());
    EXPECT_TRUE(w.Check37.Visible());
}

TEST_F(ModeOptions, LinkSwitchesToTheCompactLayoutBeforeTheRedraw)
{
    Plot& w = shownPlot();
    w.Option32.setVisible(true);
    std::vector<bool> compactAtRedraw;
    render::renderState().hooks.stblueplot = [&w, &compactAtRedraw](render::PlotFace&) {
        compactAtRedraw.push_back(FullLayout == 0 && !w.protprp.Visible() && RclickMode == 32);
    };
    CalcPick1 = 2;
    choose(w.Option32);
    EXPECT_EQ(RclickMode, 32);
    EXPECT_EQ(CalcPick1, 0);
    ASSERT_FALSE(compactAtRedraw.empty());
    for (const bool compact : compactAtRedraw)
        EXPECT_TRUE(compact);
    EXPECT_TRUE(w.Frame15.Visible());
}

TEST_F(ModeOptions, TheMenuOptionOnlyShowsTheKeyInButton)
{
    Plot& w = shownPlot();
    choose(w.Option3);
    ASSERT_FALSE(w.Command85.Visible());
    CalcPick1 = 6;
    choose(w.Option33);
    EXPECT_TRUE(w.Command85.Visible());
    EXPECT_EQ(RclickMode, 3);
    EXPECT_EQ(CalcPick1, 6);
}

TEST_F(ModeOptions, ARightPressOnTheIdleFrameChoosesTheMenuUntilTheNextRightPressOnThePlot)
{
    Plot& w = shownPlot();
    choose(w.Option1);
    ASSERT_TRUE(w.Option1.Value());
    ASSERT_EQ(RclickMode, 1);
    w.Frame2.MouseDown(1, 0, 100.0, 100.0);
    EXPECT_TRUE(w.Option1.Value()) << "the left button does nothing";
    w.Frame2.MouseDown(2, 0, 100.0, 100.0);
    EXPECT_TRUE(w.Option33.Value());
    EXPECT_TRUE(w.Command85.Visible());
    EXPECT_EQ(RclickMode, 1);
    script().expectPopupMenu(std::nullopt);
    pressAt(2, 30.0, 30.0);
    EXPECT_EQ(RclickMode, 0);
}

// --- pickers --------------------------------------------------------------------------

TEST_F(ModeOptions, APhraseGoesIntoTheFieldWhileEditing)
{
    Plot& w = shownPlot();
    openPanel(w.Frame11, &w.Option18);
    w.Text8.setVisible(false);
    choose(w.Option23(2));
    EXPECT_EQ(w.Text8.Text(), QStringLiteral("畑"));
    EXPECT_FALSE(w.Text8.Visible()) << "editing leaves the field's visibility";

    choose(w.Option22);
    w.Text8.setText(QStringLiteral("kept"));
    choose(w.Option23(7));
    EXPECT_TRUE(w.Text8.Visible());
    choose(w.Option23(4));
    EXPECT_FALSE(w.Text8.Visible());
    EXPECT_EQ(w.Text8.Text(), QStringLiteral("kept"));
}

TEST_F(ModeOptions, ALineColourDropsTheRouteAndTheRubberBand)
{
    Plot& w = shownPlot();
    openPanel(w.Frame10, &w.Option20);
    LineSubState = 2;
    LineRubber = 1;
    choose(w.Option14(12));
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(SelectedIndex(w.Option14), 12);
}

TEST_F(ModeOptions, AStrokeColourChoosesStrokeAdd)
{
    Plot& w = shownPlot();
    openPanel(w.Frame9, &w.Option17);
    choose(w.Option8(10));
    EXPECT_TRUE(w.Option16.Value());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral(" 手書追加"));
    EXPECT_EQ(SelectedIndex(w.Option8), 10);
}

TEST_F(ModeOptions, ASymbolPressCaptionsTheMarkButton)
{
    Plot& w = shownPlot();
    openPanel(w.Frame4, &w.Option12);
    choose(w.Option13(3));
    EXPECT_EQ(w.Command24.Caption(), QStringLiteral("◎ ２重丸"));
    EXPECT_EQ(SelectedIndex(w.Option13), 3);
}

TEST_F(ModeOptions, EveryPickerKeepsOneOptionChosen)
{
    Plot& w = shownPlot();
    EXPECT_EQ(SelectedIndex(w.Option13), 1);
    EXPECT_EQ(SelectedIndex(w.Option14), 9);
    EXPECT_EQ(SelectedIndex(w.Option8), 3);
    EXPECT_EQ(SelectedIndex(w.Option23), 3);
    openPanel(w.Frame11, &w.Option22);
    choose(w.Option23(3));  // clicking the chosen one keeps it
    EXPECT_EQ(SelectedIndex(w.Option23), 3);
    // Choosing operations never clears a picker.
    for (platform::OptionButton* option : {&w.Option18, &w.Option24, &w.Option19, &w.Option22})
        choose(*option);
    EXPECT_EQ(SelectedIndex(w.Option23), 3);
    EXPECT_EQ(SelectedIndex(w.Option13), 1);
}

// --- search kinds ---------------------------------------------------------------------

TEST_F(ModeOptions, TheSearchKindsAndTheirCompactTwinsStayInStep)
{
    Plot& w = shownPlot();
    choose(w.Option15);
    EXPECT_TRUE(w.Check33.Visible());
    EXPECT_TRUE(w.Check34.Visible());
    choose(w.Option7);
    EXPECT_FALSE(w.Check33.Visible());
    EXPECT_TRUE(w.Option31.Value());
    w.Option30.setValue(true);  // the compact layout's 地
    EXPECT_TRUE(w.Option29.Value());
    EXPECT_TRUE(w.Check33.Visible());
    w.Option31.setValue(true);
    EXPECT_TRUE(w.Option7.Value());
    EXPECT_FALSE(w.Check34.Visible());
}

// --- frames ---------------------------------------------------------------------------

TEST_F(ModeOptions, ThePointerOverAnOperationPanelEndsTheDiagonalMode)
{
    Plot& w = shownPlot();
    for (platform::Frame* panel : {&w.Frame4, &w.Frame9, &w.Frame10, &w.Frame11}) {
        SCOPED_TRACE(panel->Name().toStdString());
        DiagonalArmed = 1;
        DiagonalLabelHidden = 1;
        w.Command13.setBackColor(platform::QBColor(12));
        w.Command74.setBackColor(platform::QBColor(12));
        ASSERT_TRUE(panel->MouseMove);
        panel->MouseMove(0, 0, 10.0, 10.0);
        EXPECT_EQ(DiagonalArmed, 0);
        EXPECT_EQ(DiagonalLabelHidden, 0);
        EXPECT_EQ(w.Command13.BackColor(), platform::QBColor(15));
        EXPECT_EQ(w.Command74.BackColor(), platform::QBColor(15));
    }
}

TEST_F(ModeOptions, TheSearchFramesDoubleClickTakesFactorsWithinOnePercent)
{
    Plot& w = shownPlot();
    TwipPixX = 15.03F;
    TwipPixY = 15.03F;
    script().expectInput(QStringLiteral("15.1"), QStringLiteral("横倍率"));
    script().expectInput(QStringLiteral("15.2"), QStringLiteral("縦倍率"));
    doubleClick(w.Frame1);
    EXPECT_EQ(TwipPixX, 15.1F);
    EXPECT_EQ(TwipPixY, 15.03F) << "15.2 is 1.13 % above";
    ASSERT_EQ(script().records().size(), 2u);
    EXPECT_EQ(script().records()[0].title, QStringLiteral("twip to pixcel"));
    EXPECT_EQ(script().records()[0].defaultText, QStringLiteral("15.03"));
    EXPECT_EQ(script().records()[1].defaultText, QStringLiteral("15.03"));

    script().expectInput(std::nullopt, QStringLiteral("横倍率"));
    script().expectInput(QStringLiteral("abc"), QStringLiteral("縦倍率"));
    Frame1_DblClick(w);
    EXPECT_EQ(TwipPixX, 15.1F);
    EXPECT_EQ(TwipPixY, 15.03F);
}

}  // namespace
}  // namespace tavelcor::interacttest
