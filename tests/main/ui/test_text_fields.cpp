// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's text fields, typed into, clicked and double-clicked as a
// user does: the search on Enter, the compact search field, the point
// names, the text item field and the note; and the keypad start when a
// number field gets the focus, with the programs the window starts observed.
#include "ui_fixture.h"

#include "main/survey/keypad_start.h"
#include "main/ui/text_fields.h"
#include "platform/system/window_presence.h"

#include <vector>

namespace tavelcor::uitest {
namespace {

const QString kMiss = QStringLiteral("ポイントNOPEが見あたりません");

class TextFields : public UiTest {
protected:
    // The view centre moved by a search that found something.
    static bool viewMoved() { return ViewCX != kOriginX || ViewCY != kOriginY; }
};

// ---------------------------------------------------------------- search fields

TEST_F(TextFields, EnterWithShiftSearchesToo)
{
    Plot& w = shownPlot();
    click(w.Text1);
    type(w.Text1, QStringLiteral("NOPE"));
    script().expectMessage(platform::MsgResult::Ok, kMiss);
    pressEnter(w.Text1, Qt::ShiftModifier);
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("NOPE"));
}

TEST_F(TextFields, CompactSearchFieldMirrorsIntoTheSearchFieldOnly)
{
    Plot& w = shownPlot();
    click(w.Command66);  // × : the compact layout
    ASSERT_TRUE(w.Frame15.Visible());
    w.Frame11.setVisible(true);
    click(w.Text17);
    type(w.Text17, QStringLiteral("1"));
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("1"));
    type(w.Text17, QStringLiteral("2"));
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("12"));

    click(w.Command67);  // 標準: back to the side panel
    click(w.Text1);
    QTest::keyClick(w.Text1.widget(), Qt::Key_End);
    type(w.Text1, QStringLiteral("5"));
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("125"));
    EXPECT_EQ(w.Text17.Text(), QStringLiteral("12"));
}

TEST_F(TextFields, EnterInTheCompactFieldSearchesAndFocusesThePlot)
{
    Plot& w = shownPlot();
    click(w.Command66);
    click(w.Text17);
    type(w.Text17, QStringLiteral("NOPE"));
    script().expectMessage(platform::MsgResult::Ok, kMiss);
    pressEnter(w.Text17);
    EXPECT_EQ(script().records().size(), 1u);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

TEST_F(TextFields, CompactSearchButtonSearchesAndFocusesThePlot)
{
    addCoordinate(7, QStringLiteral("K7"), -20.0, 10.0);
    Plot& w = shownPlot();
    click(w.Command66);
    click(w.Text17);
    type(w.Text17, QStringLiteral("K7"));
    click(w.Command80);
    EXPECT_TRUE(viewMoved());
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX - 20.0);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

// The side panel's search runs the same way whether it is started by Enter
// in the field or by the 検索 button: a name that is found centres the view
// on it, one that is not is reported once; the field keeps its text.
enum class SearchStart { Enter, Button };

class SideSearch : public TextFields, public testing::WithParamInterface<SearchStart> {
protected:
    void search(Plot& w)
    {
        if (GetParam() == SearchStart::Enter)
            pressEnter(w.Text1);
        else
            click(w.Command44);
    }
};

TEST_P(SideSearch, FindsACoordinateAndCentresTheView)
{
    addCoordinate(7, QStringLiteral("K7"), 30.0, 40.0);
    Plot& w = shownPlot();
    click(w.Text1);
    type(w.Text1, QStringLiteral("K7"));
    search(w);
    EXPECT_TRUE(script().records().empty());
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX + 30.0);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY + 40.0);
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("K7"));
}

TEST_P(SideSearch, ReportsANameNotFoundOnceAndKeepsTheText)
{
    Plot& w = shownPlot();
    click(w.Text1);
    type(w.Text1, QStringLiteral("NOPE"));
    script().expectMessage(platform::MsgResult::Ok, kMiss);
    search(w);
    EXPECT_EQ(script().records().size(), 1u);
    EXPECT_FALSE(viewMoved());
    EXPECT_EQ(w.Text1.Text(), QStringLiteral("NOPE"));
}

INSTANTIATE_TEST_SUITE_P(Starts, SideSearch, testing::Values(SearchStart::Enter, SearchStart::Button),
                         [](const testing::TestParamInfo<SearchStart>& info) {
                             return std::string(info.param == SearchStart::Enter ? "Enter" : "SearchButton");
                         });

// ---------------------------------------------------------------- panel fields

TEST_F(TextFields, DoubleClicksOnTheSecondNameMarkItDoneInFront)
{
    Plot& w = shownPlot();
    openPanels(w);
    w.Text7.setText(QStringLiteral("A"));
    doubleClick(w.Text7);
    doubleClick(w.Text7);
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("済済A"));
    w.Text7.setText(QString());
    doubleClick(w.Text7);
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("済"));
}

struct DblRow {
    const char* name;
    const char16_t* text;
    bool emptied;
};

class TextItemDoubleClick : public UiTest, public testing::WithParamInterface<DblRow> {};

TEST_P(TextItemDoubleClick, EmptiesTheFieldWhenItsValueIsNotAboveZero)
{
    const DblRow& row = GetParam();
    Plot& w = shownPlot();
    openPanels(w);
    const QString text = QString::fromUtf16(row.text);
    w.Text8.setText(text);
    doubleClick(w.Text8);
    EXPECT_EQ(w.Text8.Text(), row.emptied ? QString() : text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextItemDoubleClick,
    testing::Values(DblRow{"zero", u"0", true}, DblRow{"letters", u"abc", true}, DblRow{"negative", u"-3", true},
                    DblRow{"three", u"3", false}, DblRow{"three_then_letters", u"3ab", false},
                    DblRow{"blank_then_half", u" 0.5", false}, DblRow{"full_width_three", u"３", true}),
    [](const testing::TestParamInfo<DblRow>& info) { return std::string(info.param.name); });

TEST_F(TextFields, DoubleClickEmptiesTheNote)
{
    Plot& w = shownPlot();
    w.Frame9.setVisible(true);
    w.Check4.setVisible(true);
    w.Check4.setValue(1);
    ASSERT_TRUE(w.Text14.Visible());
    w.Text14.setText(QStringLiteral("メモ"));
    doubleClick(w.Text14);
    EXPECT_TRUE(w.Text14.Text().isEmpty());
}

TEST_F(TextFields, AfterANameChangeEnterOnlyClicksTheCommitButton)
{
    Plot& w = shownPlot();
    openPanels(w);
    w.Command32.setVisible(true);  // as after a point was added
    int clicks = 0;
    int presses = 0;
    w.Command32.Click = [&clicks] { ++clicks; };
    w.Command32.MouseDown = [&presses](int, int, double, double) { ++presses; };
    click(w.Text6);
    EXPECT_FALSE(w.Command32.Default());
    type(w.Text6, QStringLiteral("P5"));
    EXPECT_TRUE(w.Command32.Default());
    pressEnter(w.Text6);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(presses, 0);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P5"));
}

TEST_F(TextFields, TextItemChangeOutsideEditLeavesTheCommitButtonAlone)
{
    Plot& w = shownPlot();
    openPanels(w);
    ASSERT_TRUE(w.Option22.Value());
    w.Command34.setDefault(true);
    click(w.Text8);
    type(w.Text8, QStringLiteral("a"));
    EXPECT_FALSE(w.Command34.Visible());
    EXPECT_EQ(w.Command34.Caption(), QStringLiteral("取消"));
    EXPECT_TRUE(w.Command34.Default());

    w.Command35.setDefault(true);
    type(w.Text8, QStringLiteral("b"));
    EXPECT_FALSE(w.Command35.Default());
    EXPECT_FALSE(w.Command34.Visible());
    EXPECT_EQ(w.Command34.Caption(), QStringLiteral("取消"));
}

TEST_F(TextFields, TextItemChangeWhileEditingShowsTheCommitButton)
{
    Plot& w = shownPlot();
    openPanels(w);
    w.Option18.setValue(true);
    w.Command34.setDefault(true);
    click(w.Text8);
    commitInput(w.Text8, QStringLiteral("宅地"));
    EXPECT_TRUE(w.Command34.Visible());
    EXPECT_EQ(w.Command34.Caption(), QStringLiteral("確定"));
    EXPECT_FALSE(w.Command34.Default());
    EXPECT_FALSE(w.Command35.Default());
    // Enter now clicks no button and stays in the field.
    int commits = 0;
    w.Command34.Click = [&commits] { ++commits; };
    pressEnter(w.Text8);
    EXPECT_EQ(commits, 0);
}

// ---------------------------------------------------------------- keypad start

class KeypadOnFocus : public UiTest {
protected:
    // Enters the four number fields one after the other, `rounds` times, by
    // clicking them; the fields keep the focus they were given.
    void enterNumberFields(Plot& w, int rounds)
    {
        openPanels(w);
        w.Frame15.setVisible(true);
        for (int round = 0; round < rounds; ++round) {
            for (platform::TextBox* field : {&w.Text1, &w.Text6, &w.Text8, &w.Text17}) {
                click(*field);
                EXPECT_TRUE(field->hasFocus()) << field->Name().toStdString();
            }
        }
    }

    std::vector<platform::RecordingProcessStarter::Start> kintabStarts(int count) const
    {
        return std::vector<platform::RecordingProcessStarter::Start>(count, {kintabProgram(), {}});
    }
};

TEST_F(KeypadOnFocus, SettingOffStartsNothing)
{
    starter.install(kintabProgram());
    KintabAuto = 0;
    Plot& w = shownPlot();
    enterNumberFields(w, 2);
    EXPECT_TRUE(starter.starts().empty());
}

TEST_F(KeypadOnFocus, RunningKeypadIsNotStartedAgain)
{
    starter.install(kintabProgram());
    KintabAuto = 1;
    platform::WindowPresence keypad(QStringLiteral("KINTAB"));
    ASSERT_TRUE(keypad.announce());
    Plot& w = shownPlot();
    enterNumberFields(w, 3);
    EXPECT_TRUE(starter.starts().empty());
}

TEST_F(KeypadOnFocus, WithoutARunningKeypadEachFocusStartsItOnce)
{
    starter.install(kintabProgram());
    KintabAuto = 1;
    Plot& w = shownPlot();
    enterNumberFields(w, 2);
    EXPECT_EQ(starter.starts(), kintabStarts(8));
}

TEST_F(KeypadOnFocus, SecondNameFieldDoesNotAskForTheKeypad)
{
    starter.install(kintabProgram());
    KintabAuto = 1;
    Plot& w = shownPlot();
    openPanels(w);
    click(w.Text7);
    click(w.Command44);
    click(w.Text7);
    EXPECT_TRUE(starter.starts().empty());
}

TEST_F(KeypadOnFocus, MissingKeypadIsReportedOnceAndStartsNothing)
{
    KintabAuto = 1;
    script().expectMessage(platform::MsgResult::Ok, kintabMissingMessage());
    Plot& w = shownPlot();
    enterNumberFields(w, 2);
    EXPECT_TRUE(starter.starts().empty());
    EXPECT_EQ(script().records().size(), 1u);
}

}  // namespace
}  // namespace tavelcor::uitest
