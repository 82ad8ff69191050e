// SPDX-License-Identifier: LicenseRef-Tavelcor
// Opening and ending the point panel, its symbol picker, and the site's
// modified mark.
#include "point_panel_fixture.h"

#include "main/edit/plist.h"
#include "main/app/plot_procedures.h"
#include "main/edit/panel_place.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"

namespace tavelcor::edittest {
namespace {

const QString kAddCaption = QStringLiteral("POINT\r\n追加");

class OpenPanel : public PointPanelTest {
protected:
    void SetUp() override
    {
        PointPanelTest::SetUp();
        putPoint(1, QStringLiteral("P6"), -20.0, -20.0);
        putPoint(2, QStringLiteral("P7"), 20.0, 10.0);
    }
};

TEST_F(OpenPanel, TakesTheIdlePanelsPlaceAndProposesTheNextName)
{
    Plot& w = shownPlot();
    w.Frame2.setTop(480);
    w.Frame2.setLeft(12000);
    PointChanged = 0;
    LineSubState = 2;
    TxtEdit = 4;
    TxtPick = 5;
    w.Command85.setVisible(true);
    w.Text7.setText(QStringLiteral("old"));
    Command20_Click(w);
    EXPECT_TRUE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame2.Visible());
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_EQ(w.Frame4.Top(), 480);
    EXPECT_EQ(w.Frame4.Left(), 12000);
    EXPECT_EQ(w.Label28.Caption(), kAddCaption);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P8"));
    EXPECT_EQ(w.Text7.Text(), QString());
    EXPECT_EQ(PointChanged, 1);
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(TxtEdit, 0);
    EXPECT_EQ(TxtPick, 0);
    EXPECT_FALSE(w.Command85.Visible());
    EXPECT_TRUE(w.Command48.Visible());
    EXPECT_FALSE(w.Command31.Visible());
    EXPECT_FALSE(w.Command32.Visible());
    EXPECT_FALSE(w.Command43.Visible());
    EXPECT_EQ(w.Command20.BackColor(), platform::QBColor(11)) << "the ポイント button is marked";
    EXPECT_EQ(w.Command24.Caption(), QStringLiteral(" なし")) << "symbol 1 has no glyph";
}

// The label of the window named `name`, or null when it has none.
const platform::Label* labelNamed(const Plot& w, const QString& name)
{
    for (const platform::ControlBase* control : w.controls()) {
        if (const auto* label = dynamic_cast<const platform::Label*>(control); label && label->Name() == name)
            return label;
    }
    return nullptr;
}

// Each name field has its caption in front of it on the same row: 名１ for
// the name, 名２ for the second name.
TEST_F(OpenPanel, ShowsTheCaptionsOfTheTwoNameFieldsInFrontOfThem)
{
    Plot& w = openPanel();
    const struct {
        const char* label;
        const platform::TextBox& field;
        const char* text;
    } rows[] = {{"Label22", w.Text6, "名１"}, {"Label23", w.Text7, "名２"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const platform::Label* caption = labelNamed(w, QString::fromUtf8(row.label));
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->Caption(), QString::fromUtf8(row.text));
        EXPECT_EQ(&caption->container(), &row.field.container());
        EXPECT_TRUE(caption->widget()->isVisible());
        const QRect place = caption->widget()->geometry();
        const QRect field = row.field.widget()->geometry();
        EXPECT_LT(place.right(), field.left()) << "the caption stands in front of its field";
        EXPECT_GT(place.bottom(), field.top()) << "on the field's row";
        EXPECT_LT(place.top(), field.bottom()) << "on the field's row";
    }
}

TEST_F(OpenPanel, OpeningTheOpenPanelMovesNothingAndRepeatsTheRest)
{
    Plot& w = openPanel();
    w.Frame4.setTop(705);
    w.Frame4.setLeft(300);
    w.Label28.setCaption(QStringLiteral("x"));
    w.Text6.setText(QStringLiteral("typed"));
    w.Command48.setVisible(false);
    w.Command32.setVisible(true);
    Command20_Click(w);
    EXPECT_EQ(w.Frame4.Top(), 705);
    EXPECT_EQ(w.Frame4.Left(), 300);
    EXPECT_TRUE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame2.Visible());
    EXPECT_EQ(w.Label28.Caption(), kAddCaption);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P8"));
    EXPECT_TRUE(w.Command48.Visible());
    EXPECT_FALSE(w.Command32.Visible());
}

TEST_F(OpenPanel, AClickOnTheButtonOpensThePanelOnceInEffect)
{
    Plot& w = shownPlot();
    w.Frame2.setTop(480);
    w.Frame2.setLeft(12000);
    click(w.Command20);
    EXPECT_TRUE(w.Frame4.Visible());
    EXPECT_EQ(w.Frame4.Top(), 480) << "the second run finds the panel open";
    EXPECT_EQ(w.Frame4.Left(), 12000);
    EXPECT_FALSE(w.Frame2.Visible());
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P8"));
}

TEST_F(OpenPanel, FromTheLinePanelADraggedLineEndIsDroppedAndTheLinesDrawn)
{
    putLine(1, 0.0, -40.0, 0.0, 40.0, 9);
    Plot& w = shownPlot();
    w.Check13.setValue(1);
    crtplot();
    for (platform::Frame* frame : operationPanels(w))
        frame->setVisible(false);
    w.Frame10.setTop(900);
    w.Frame10.setLeft(150);
    w.Frame10.setVisible(true);
    ASSERT_EQ(colorAt(0.0, -30.0), platform::QBColor(9));
    // The line as the drag leaves it: wiped from the picture.
    {
        render::PlotPainter p(w.Picture1.canvas());
        p.setDrawWidth(3);
        p.line(-40.0, 0.0, 40.0, 0.0, platform::QBColor(15));
    }
    ASSERT_EQ(colorAt(0.0, -30.0), platform::QBColor(15));
    LineDragging = 1;
    LineRubber = 1;
    Command20_Click(w);
    EXPECT_EQ(LineDragging, 0);
    EXPECT_EQ(LineRubber, 0);
    EXPECT_EQ(colorAt(0.0, -30.0), platform::QBColor(9)) << "the line layer drawn again";
    EXPECT_FALSE(w.Frame10.Visible());
    EXPECT_EQ(w.Frame4.Top(), 900);
    EXPECT_EQ(w.Frame4.Left(), 150);
}

TEST_F(OpenPanel, FromTheTextPanelThePhraseListIsHidden)
{
    Plot& w = shownPlot();
    for (platform::Frame* frame : operationPanels(w))
        frame->setVisible(false);
    w.Frame11.setVisible(true);
    plist().Show();
    ASSERT_TRUE(plist().Visible());
    Command20_Click(w);
    EXPECT_FALSE(plist().Visible());
    EXPECT_FALSE(w.Frame11.Visible());
    EXPECT_TRUE(w.Frame4.Visible());
}

struct BackToAddCase {
    const char* name;
    int backToAdd;
    int chosen;  // 11 移動, 10 削除
    bool addChosenAfter;
    const char16_t* caption;
};

class BackToAddTest : public OpenPanel, public ::testing::WithParamInterface<BackToAddCase> {};

TEST_P(BackToAddTest, ChoosesAddOnlyAsTheSettingSays)
{
    const BackToAddCase& c = GetParam();
    Plot& w = openPanel();
    (c.chosen == 11 ? w.Option11 : w.Option10).setValue(true);
    BackToAdd = static_cast<std::uint8_t>(c.backToAdd);
    Command20_Click(w);
    EXPECT_EQ(w.Option12.Value(), c.addChosenAfter);
    EXPECT_EQ(w.Label28.Caption(), QString::fromUtf16(c.caption));
    EXPECT_EQ(w.Command48.Visible(), c.addChosenAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BackToAddTest,
    ::testing::Values(BackToAddCase{"two_keeps_move", 2, 11, false, u"POINT\r\n移動"},
                      BackToAddCase{"two_leaves_delete", 2, 10, true, u"POINT\r\n追加"},
                      BackToAddCase{"zero_keeps_delete", 0, 10, false, u"POINT\r\n削除"},
                      BackToAddCase{"zero_keeps_move", 0, 11, false, u"POINT\r\n移動"},
                      BackToAddCase{"one_leaves_move", 1, 11, true, u"POINT\r\n追加"}),
    [](const ::testing::TestParamInfo<BackToAddCase>& info) { return std::string(info.param.name); });

TEST_F(OpenPanel, AttributeModeShowsTheWorkbookButtonsByTheMainAction)
{
    for (const int recordMain : {0, 1}) {
        SCOPED_TRACE(recordMain);
        Plot& w = openPanel();
        w.Option9.setValue(true);
        RecordMain = static_cast<std::uint8_t>(recordMain);
        Command20_Click(w);
        EXPECT_EQ(w.Label28.Caption(), QStringLiteral("属性変更"));
        EXPECT_TRUE(w.Command31.Visible());
        EXPECT_TRUE(w.Command43.Visible());
        EXPECT_TRUE(w.Command48.Visible());
        EXPECT_EQ(w.Command31.Caption(), recordMain == 1 ? QStringLiteral("記録") : QStringLiteral("観測"));
        EXPECT_EQ(w.Command43.Caption(), recordMain == 1 ? QStringLiteral("観測") : QStringLiteral("記録"));
    }
}

TEST_F(OpenPanel, WithoutANameOnTheHighestPointTheFieldsKeepTheirText)
{
    for (const bool noPoints : {true, false}) {
        SCOPED_TRACE(noPoints);
        Plot& w = shownPlot();
        if (noPoints)
            PointCount = 0;
        else
            PointName[2].clear();
        w.Text6.setText(QStringLiteral("K3"));
        w.Text7.setText(QStringLiteral("second"));
        Command20_Click(w);
        EXPECT_EQ(w.Text6.Text(), QStringLiteral("K3"));
        EXPECT_EQ(w.Text7.Text(), QStringLiteral("second"));
    }
}

TEST_F(OpenPanel, TheClipboardIsEmptiedOnlyWhileTheWorkbookIsInUse)
{
    Plot& w = shownPlot();
    clipboard.setText(QStringLiteral("kept"));
    WembraOff = 1;
    Command20_Click(w);
    EXPECT_EQ(clipboard.text(), QStringLiteral("kept"));
    WembraOff = 0;
    Command20_Click(w);
    EXPECT_EQ(clipboard.text(), QString());
}

TEST_F(OpenPanel, AHiddenPointLayerIsSwitchedOnAndDrawn)
{
    Plot& w = shownPlot();
    w.Check12.setValue(0);
    crtplot();
    ASSERT_FALSE(printedAt(20.0, 10.0, label(2), platform::QBColor(0)));
    Command20_Click(w);
    EXPECT_EQ(w.Check12.Value(), 1);
    EXPECT_TRUE(printedAt(20.0, 10.0, label(2), platform::QBColor(0)));
}

TEST_F(OpenPanel, TheDiagonalZoomIsDisarmed)
{
    Plot& w = shownPlot();
    DiagonalArmed = 1;
    w.Command13.setBackColor(platform::QBColor(12));
    w.Command74.setBackColor(platform::QBColor(12));
    Command20_Click(w);
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_EQ(w.Command13.BackColor(), platform::QBColor(15));
    EXPECT_EQ(w.Command74.BackColor(), platform::QBColor(15));
}

TEST_F(OpenPanel, ThePickerOpensClosesAndIsHiddenByTheNextOpening)
{
    Plot& w = openPanel();
    click(w.Command24);
    EXPECT_TRUE(w.Frame6.Visible());
    // The open picker lies in front of the panel's bottom row.
    QWidget* panel = w.Frame4.widget();
    const QPoint onEnd = w.Command26.widget()->geometry().center();
    QWidget* seen = panel->childAt(onEnd);
    ASSERT_NE(seen, nullptr);
    EXPECT_TRUE(seen == w.Frame6.widget() || w.Frame6.widget()->isAncestorOf(seen));
    click(w.Command25);
    EXPECT_FALSE(w.Frame6.Visible());
    click(w.Command24);
    w.Option13(3).setValue(true);
    Command20_Click(w);
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_EQ(w.Command24.Caption(), w.Option13(3).Caption() + QLatin1Char(' ') + w.Label24(3).Caption());
}

TEST_F(OpenPanel, EndingBringsBackTheIdlePanelAndDropsTheMovePick)
{
    putLine(1, 0.0, 0.0, 10.0, 10.0);
    Plot& w = openPanel();
    w.Frame4.setTop(600);
    w.Frame4.setLeft(240);
    click(w.Command24);
    w.Text6.setText(QStringLiteral("N1"));
    CurPoint = 2;
    MovePoint = 1;
    MovedPoint = 2;
    MoveLines(0, 1) = 1;
    MoveLines(1, 100) = 1;
    const int before = UndoPos;
    // A stray mark far from the site shows whether the plot is drawn anew.
    const auto strayMark = [&w] {
        render::PlotPainter p(w.Picture1.canvas());
        p.setDrawWidth(5);
        p.line(40.0, -40.0, 42.0, -40.0, platform::QBColor(13));
    };
    strayMark();
    ASSERT_EQ(colorAt(40.0, 41.0), platform::QBColor(13));
    click(w.Command26);
    EXPECT_TRUE(w.Frame2.Visible());
    EXPECT_FALSE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_EQ(w.Frame2.Top(), 600);
    EXPECT_EQ(w.Frame2.Left(), 240);
    EXPECT_EQ(MovePoint, 0);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_EQ(MoveLines(0, 1), 0);
    EXPECT_EQ(MoveLines(1, 100), 0);
    EXPECT_EQ(colorAt(40.0, 41.0), platform::QBColor(15)) << "the pick's highlight goes with a full redraw";
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("N1"));
    EXPECT_EQ(CurPoint, 2);
    EXPECT_EQ(UndoPos, before);
    EXPECT_EQ(w.Command20.BackColor(), w.Command21.BackColor()) << "no layer button marked";

    // Without a pick nothing is redrawn.
    Command20_Click(w);
    strayMark();
    Command26_Click(w);
    EXPECT_EQ(colorAt(40.0, 41.0), platform::QBColor(13));
}

TEST(ModifiedMark, AnyArgumentMarksTheSiteModified)
{
    for (const int sw : {0, 1, -1}) {
        DataDirty = 0;
        Bbc(sw);
        EXPECT_EQ(DataDirty, -1);
    }
}

}  // namespace
}  // namespace tavelcor::edittest
