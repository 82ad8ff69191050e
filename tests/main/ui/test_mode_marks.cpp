// SPDX-License-Identifier: LicenseRef-Tavelcor
// Marking of the layer buttons and operation options, the view buttons
// disabled together, the hover label and the focus probe, on the shown main
// window.
#include "ui_fixture.h"

#include "main/ui/mode_marks.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QPalette>

#include <array>
#include <vector>

namespace tavelcor::uitest {
namespace {

const std::uint32_t kGrey = platform::RGB(224, 224, 224);
const std::uint32_t kCyan = platform::RGB(0, 255, 255);

class ModeMarks : public UiTest {};

struct LayerRow {
    int number;
    int marked;  // index into the four buttons; -1 none
};

TEST_F(ModeMarks, CommandcolorMarksOnlyTheNumberedLayerButton)
{
    Plot& w = shownPlot();
    const std::array<platform::CommandButton*, 4> buttons{&w.Command20, &w.Command21, &w.Command22, &w.Command33};
    const std::vector<LayerRow> rows{{20, 0}, {33, 3}, {21, 1}, {0, -1}, {22, 2}, {99, -1}, {-20, -1}};
    for (const LayerRow& row : rows) {
        Commandcolor(w, row.number);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(buttons[k]->BackColor(), k == row.marked ? kCyan : kGrey)
                << "Commandcolor(" << row.number << "), button " << buttons[k]->Name().toStdString();
        }
    }
}

TEST_F(ModeMarks, MarkedButtonIsPaintedInTheMarkingColour)
{
    Plot& w = shownPlot();
    Commandcolor(w, 33);
    EXPECT_EQ(w.Command33.widget()->palette().color(QPalette::Button), QColor(0, 255, 255));
    EXPECT_EQ(w.Command20.widget()->palette().color(QPalette::Button), QColor(224, 224, 224));
}

TEST_F(ModeMarks, OpcolMarksTheChosenOptionOfEachPanel)
{
    Plot& w = shownPlot();
    w.Option11.setValue(true);
    w.Option18.setValue(true);
    w.Option6.setValue(true);
    w.Option17.setValue(true);
    Opcol(w);
    const std::vector<platform::OptionButton*> marked{&w.Option11, &w.Option18, &w.Option6, &w.Option17};
    const std::vector<platform::OptionButton*> all{&w.Option12, &w.Option11, &w.Option10, &w.Option9,  &w.Option22,
                                                   &w.Option18, &w.Option24, &w.Option19, &w.Option20, &w.Option21,
                                                   &w.Option25, &w.Option6,  &w.Option16, &w.Option17};
    for (platform::OptionButton* option : all) {
        const bool isMarked = std::find(marked.begin(), marked.end(), option) != marked.end();
        EXPECT_EQ(option->BackColor(), isMarked ? kCyan : kGrey) << option->Name().toStdString();
    }
    // A panel's options exclude each other, so a new choice moves the mark.
    w.Option12.setValue(true);
    Opcol(w);
    EXPECT_EQ(w.Option12.BackColor(), kCyan);
    EXPECT_EQ(w.Option11.BackColor(), kGrey);
}

TEST_F(ModeMarks, ChoosingAnOperationKeepsTheChosenSymbol)
{
    Plot& w = shownPlot();
    w.Option13(5).setValue(true);
    w.Option9.setValue(true);
    EXPECT_TRUE(w.Option13(5).Value());
    EXPECT_TRUE(w.Option9.Value());
    EXPECT_FALSE(w.Option12.Value());
}

TEST_F(ModeMarks, ViewButtonsAreDisabledAndEnabledTogether)
{
    Plot& w = shownPlot();
    const std::vector<platform::CommandButton*> view{&w.Command2,  &w.Command3,  &w.Command4,  &w.Command5,
                                                     &w.Command6,  &w.Command7,  &w.Command8,  &w.Command12,
                                                     &w.Command13, &w.Command14, &w.Command15, &w.Command16,
                                                     &w.Command17, &w.Command39, &w.Command40, &w.Command41};
    Command_Enable_False(w);
    for (platform::CommandButton* button : view)
        EXPECT_FALSE(button->Enabled()) << button->Name().toStdString();
    EXPECT_TRUE(w.Command66.Enabled());
    EXPECT_TRUE(w.Command44.Enabled());

    // A click on a disabled zoom button does not zoom.
    const double span = ViewSpanX;
    click(w.Command4);
    EXPECT_DOUBLE_EQ(ViewSpanX, span);

    Command_Enable_True(w);
    for (platform::CommandButton* button : view)
        EXPECT_TRUE(button->Enabled()) << button->Name().toStdString();
    click(w.Command4);
    EXPECT_LT(ViewSpanX, span);
}

// ---------------------------------------------------------------- hover label

class HoverLabel : public UiTest {
protected:
    // Plot units per pixel of the shown plot: the label's geometry is held
    // in whole pixels.
    static double unitsPerPixel(Plot& w)
    {
        return w.Picture1.canvas().ScaleHeight() / w.Picture1.widget()->height();
    }
    // The view's metres per twip, as the label's size is measured.
    static double metresPerTwip(Plot& w) { return ViewSpanX / w.Picture1.Height(); }
};

TEST_F(HoverLabel, EmptyTextGivesTheLeastWidthAndAnEmptyCaption)
{
    Plot& w = shownPlot();
    w.Label28.setCaption(QStringLiteral("前"));
    L_28SET(w, QString(), 10.0, -5.0);
    EXPECT_TRUE(w.Label28.Visible());
    EXPECT_TRUE(w.Label28.Caption().isEmpty());
    EXPECT_NEAR(w.Label28.Width(), 2535.0, 1.5 * unitsPerPixel(w));
}

TEST_F(HoverLabel, WidthFollowsTheWidenedByteLengthAboveTheLeast)
{
    ViewSpanX = 100000.0;
    ViewSpanY = 100000.0;
    Plot& w = shownPlot();
    FontSize = 10;
    // Four units per ASCII character: "ABC" is 12.
    L_28SET(w, QStringLiteral("ABC"), 0.0, 0.0);
    const double expected = 12 * metresPerTwip(w) * 120.0 * 15.0 / 10.0;
    ASSERT_GT(expected, 2535.0);
    EXPECT_NEAR(w.Label28.Width(), expected, 1.5 * unitsPerPixel(w));
    EXPECT_NEAR(w.Label28.Height(), metresPerTwip(w) * 220.0 * 15.0 / 10.0, 1.5 * unitsPerPixel(w));
}

TEST_F(HoverLabel, FontIsOneAndAHalfTimesTheSettingAndBold)
{
    Plot& w = shownPlot();
    FontSize = 11;
    L_28SET(w, QStringLiteral("画面移動"), 0.0, 0.0);
    EXPECT_DOUBLE_EQ(w.Label28.FontSize(), 16.5);
    EXPECT_TRUE(w.Label28.FontBold());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("画面移動"));
}

struct PlaceRow {
    const char* name;
    float slide;
    bool textPanelOpen;
    double heightsAbove;  // the label's top lies this many label heights above Y
};

class HoverLabelPlace : public HoverLabel, public testing::WithParamInterface<PlaceRow> {};

TEST_P(HoverLabelPlace, LeftAtXTopAboveYBySlideFactorHeights)
{
    const PlaceRow& row = GetParam();
    Plot& w = shownPlot();
    SlideFactor = row.slide;
    w.Frame11.setVisible(row.textPanelOpen);
    const double x = 12.0;
    const double y = -8.0;
    L_28SET(w, QStringLiteral("追加"), x, y);
    const double tolerance = 1.5 * unitsPerPixel(w);
    EXPECT_NEAR(w.Label28.Left(), x, tolerance);
    EXPECT_NEAR(w.Label28.Top(), y - row.heightsAbove * w.Label28.Height(), tolerance);
}

INSTANTIATE_TEST_SUITE_P(Slide, HoverLabelPlace,
                         testing::Values(PlaceRow{"slide_zero", 0.0F, false, 0.0},
                                         PlaceRow{"slide_one_and_half", 1.5F, false, 1.5},
                                         PlaceRow{"slide_two_text_panel_open", 2.0F, true, 0.0}),
                         [](const testing::TestParamInfo<PlaceRow>& info) { return std::string(info.param.name); });

TEST_F(HoverLabel, ShownLabelTakesTheFocusToThePlot)
{
    Plot& w = shownPlot();
    w.Command44.SetFocus();
    L_28SET(w, QStringLiteral("画面移動"), 0.0, 0.0);
    EXPECT_TRUE(w.Picture1.hasFocus());
    EXPECT_TRUE(w.Label28.Visible());
}

TEST_F(HoverLabel, SlideFactorNineOnlyHidesTheLabelEvenWhileTyping)
{
    Plot& w = shownPlot();
    openPanels(w);
    L_28SET(w, QStringLiteral("前"), 1.0, 1.0);
    ASSERT_TRUE(w.Label28.Visible());
    click(w.Text8);
    ASSERT_TRUE(w.Text8.hasFocus());
    SlideFactor = 9.0F;
    L_28SET(w, QStringLiteral("新"), 30.0, 30.0);
    EXPECT_FALSE(w.Label28.Visible());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("前"));
    EXPECT_TRUE(w.Text8.hasFocus());
}

TEST_F(HoverLabel, WhileATextFieldHasTheFocusNothingChanges)
{
    Plot& w = shownPlot();
    openPanels(w);
    L_28SET(w, QStringLiteral("前"), 1.0, 1.0);
    const QRect before = w.Label28.widget()->geometry();
    click(w.Text8);
    ASSERT_TRUE(w.Text8.hasFocus());
    type(w.Text8, QStringLiteral("ab"));
    L_28SET(w, QStringLiteral("新しい文字"), 30.0, 30.0);
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("前"));
    EXPECT_EQ(w.Label28.widget()->geometry(), before);
    EXPECT_TRUE(w.Label28.Visible());
    EXPECT_TRUE(w.Text8.hasFocus());
    EXPECT_FALSE(w.Picture1.hasFocus());
    EXPECT_EQ(w.Text8.Text(), QStringLiteral("ab"));
}

// ---------------------------------------------------------------- focus probe

class FocusProbe : public UiTest {};

TEST_F(FocusProbe, ReportsTheWindowInFront)
{
    Plot& w = shownPlot();
    desktop.addWindow(0x4200001);
    desktop.setForeground(0x4200001);
    QString ct;
    EXPECT_EQ(Pointer_in(w, ct), 0x4200001u);
    desktop.setForeground(0);
    EXPECT_EQ(Pointer_in(w, ct), 0u);
    uiServices().foreground = nullptr;
    EXPECT_EQ(Pointer_in(w, ct), 0u);
}

TEST_F(FocusProbe, CommandButtonWithTheFocusLeavesTheNameAsItWas)
{
    Plot& w = shownPlot();
    ASSERT_TRUE(w.Command44.SetFocus());
    QString ct = QStringLiteral("before");
    Pointer_in(w, ct);
    EXPECT_EQ(ct, QStringLiteral("before"));
}

struct FieldRow {
    const char* name;
    const char16_t* text;
    bool named;
};

class FocusProbeField : public FocusProbe, public testing::WithParamInterface<FieldRow> {};

TEST_P(FocusProbeField, TextFieldIsNamedWhenItHoldsANumberOtherThanZero)
{
    const FieldRow& row = GetParam();
    Plot& w = shownPlot();
    click(w.Text1);
    ASSERT_TRUE(w.Text1.hasFocus());
    type(w.Text1, QString::fromUtf16(row.text));
    QString ct = QStringLiteral("before");
    Pointer_in(w, ct);
    EXPECT_EQ(ct, row.named ? QStringLiteral("Text1") : QStringLiteral("before"));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FocusProbeField,
    testing::Values(FieldRow{"twelve", u"12", true}, FieldRow{"negative", u"-3.5", true},
                    FieldRow{"zero", u"0", false}, FieldRow{"zero_point_zero", u"0.0", false},
                    FieldRow{"letters", u"abc", false}, FieldRow{"number_then_letters", u"12a", false},
                    FieldRow{"empty", u"", false}),
    [](const testing::TestParamInfo<FieldRow>& info) { return std::string(info.param.name); });

TEST_F(FocusProbe, TickedBoxAndChosenOptionAreNamed)
{
    Plot& w = shownPlot();
    QString ct = QStringLiteral("before");
    w.Check12.setValue(0);
    ASSERT_TRUE(w.Check12.SetFocus());
    Pointer_in(w, ct);
    EXPECT_EQ(ct, QStringLiteral("before"));
    w.Check12.setValue(1);
    Pointer_in(w, ct);
    EXPECT_EQ(ct, QStringLiteral("Check12"));
    ASSERT_TRUE(w.Option7.SetFocus());
    w.Option7.setValue(true);
    Pointer_in(w, ct);
    EXPECT_EQ(ct, QStringLiteral("Option7"));
}

}  // namespace
}  // namespace tavelcor::uitest
