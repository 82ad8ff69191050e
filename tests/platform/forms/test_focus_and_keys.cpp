// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keyboard: focus events when the focus moves between controls, key
// events that swallow or replace keys, the form's key preview, and the
// default and cancel buttons.
#include "sample_form.h"
#include "sample_form_fixture.h"

#include <QLineEdit>

namespace formstest {
namespace {

class Keys : public SampleFormTest {
protected:
    static QStringList withPrefix(const QStringList& log, const QString& prefix)
    {
        QStringList picked;
        for (const QString& entry : log) {
            if (entry.startsWith(prefix))
                picked.append(entry);
        }
        return picked;
    }
};

TEST_F(Keys, FocusEventsFollowTheFocusBetweenControls)
{
    SampleForm& f = shownForm();
    EXPECT_TRUE(f.Text1.SetFocus());
    EXPECT_TRUE(f.Text2.SetFocus());
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Text")),
              (QStringList{QStringLiteral("Text1_GotFocus"), QStringLiteral("Text1_LostFocus"),
                           QStringLiteral("Text2_GotFocus")}));
    EXPECT_EQ(f.ActiveControl(), &f.Text2);
}

TEST_F(Keys, AnotherWindowComingToTheFrontIsNoFocusChange)
{
    SampleForm& f = shownForm();
    f.Text1.SetFocus();
    f.log.clear();
    SampleForm other;
    ASSERT_TRUE(showActive(other));
    ASSERT_TRUE(showActive(f));
    EXPECT_TRUE(withPrefix(f.log, QStringLiteral("Text")).isEmpty()) << f.log.join(',').toStdString();
    EXPECT_TRUE(f.log.contains(QStringLiteral("Form_Deactivate")));
    EXPECT_TRUE(f.log.contains(QStringLiteral("Form_Activate")));
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
}

TEST_F(Keys, SetFocusFailsOnHiddenOrDisabledControls)
{
    SampleForm& f = shownForm();
    f.Text1.setEnabled(false);
    f.Text2.setVisible(false);
    EXPECT_FALSE(f.Text1.SetFocus());
    EXPECT_FALSE(f.Text2.SetFocus());
    EXPECT_FALSE(f.Label1.SetFocus()) << "labels never take the focus";
    SampleForm hidden;
    hidden.load();
    EXPECT_FALSE(hidden.Text1.SetFocus());
}

TEST_F(Keys, TabStopFalseIsPassedByTab)
{
    SampleForm& f = shownForm();
    f.Text1.SetFocus();
    f.Text2.setTabStop(false);
    QTest::keyClick(f.Text1.widget(), Qt::Key_Tab);
    EXPECT_FALSE(f.Text2.hasFocus());
    EXPECT_FALSE(f.Text2.TabStop());
    f.Text2.setTabStop(true);
    f.Text1.SetFocus();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Tab);
    EXPECT_TRUE(f.Text2.hasFocus());
}

TEST_F(Keys, KeyEventsCarryCodesAndShift)
{
    SampleForm& f = shownForm();
    f.Text1.SetFocus();
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_A);
    QTest::keyClick(f.Text1.widget(), Qt::Key_Left);
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Text1_Key")),
              (QStringList{QStringLiteral("Text1_KeyDown 65 0"), QStringLiteral("Text1_KeyPress 97"),
                           QStringLiteral("Text1_KeyUp 65 0"), QStringLiteral("Text1_KeyDown 37 0"),
                           QStringLiteral("Text1_KeyUp 37 0")}));

    // The Shift key reports itself, then shifts the letter's codes.
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_A, Qt::ShiftModifier);
    const QStringList shifted = withPrefix(f.log, QStringLiteral("Text1_Key"));
    EXPECT_EQ(shifted.value(0), QStringLiteral("Text1_KeyDown 16 1"));
    EXPECT_TRUE(shifted.contains(QStringLiteral("Text1_KeyDown 65 1")));
    EXPECT_TRUE(shifted.contains(QStringLiteral("Text1_KeyUp 65 1")));
}

struct TypingCase {
    const char* name;
    std::function<void(SampleForm&)> wire;
    const char* typed;
    const char* expected;
};

class Typing : public Keys, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(Typing, KeyHandlersDecideWhatReachesTheTextBox)
{
    SampleForm& f = shownForm();
    GetParam().wire(f);
    f.Text1.SetFocus();
    QTest::keyClicks(f.Text1.widget(), QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Typing,
    ::testing::Values(
        TypingCase{"unhandled", [](SampleForm&) {}, "a1b", "a1b"},
        TypingCase{"keypress_zero_swallows",
                   [](SampleForm& f) { f.Text1.KeyPress = [](int& ascii) { if (ascii == 'x') ascii = 0; }; }, "axbx",
                   "ab"},
        TypingCase{"keypress_replaces",
                   [](SampleForm& f) {
                       f.Text1.KeyPress = [](int& ascii) {
                           if (ascii >= 'a' && ascii <= 'z')
                               ascii -= 32;
                       };
                   },
                   "ab1", "AB1"},
        TypingCase{"keydown_zero_still_types_characters",
                   [](SampleForm& f) { f.Text1.KeyDown = [](int& code, int) { code = 0; }; }, "ab", "ab"},
        TypingCase{"preview_form_swallows_digits",
                   [](SampleForm& f) {
                       f.setKeyPreview(true);
                       f.KeyPress = [](int& ascii) { if (ascii >= '0' && ascii <= '9') ascii = 0; };
                   },
                   "a1b2", "ab"}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST_F(Keys, KeyDownZeroKeepsAnEditingKeyFromTheControl)
{
    SampleForm& f = shownForm();
    f.Text1.setText(QStringLiteral("abc"));
    f.Text1.SetFocus();
    f.Text1.setSelStart(3);
    f.Text1.KeyDown = [](int& code, int) {
        if (code == platform::key::Left)
            code = 0;
    };
    QTest::keyClick(f.Text1.widget(), Qt::Key_Left);
    EXPECT_EQ(f.Text1.SelStart(), 3);
    QTest::keyClick(f.Text1.widget(), Qt::Key_Home);
    EXPECT_EQ(f.Text1.SelStart(), 0);
}

TEST_F(Keys, PreviewSeesTheKeyBeforeTheControl)
{
    SampleForm& f = shownForm();
    f.setKeyPreview(true);
    f.KeyDown = [&f](int& code, int) { f.log.append(QStringLiteral("Form_KeyDown %1").arg(code)); };
    f.Text1.SetFocus();
    f.log.clear();
    QTest::keyPress(f.Text1.widget(), Qt::Key_5);
    EXPECT_EQ(f.log.value(0), QStringLiteral("Form_KeyDown 53"));
    EXPECT_EQ(f.log.value(1), QStringLiteral("Text1_KeyDown 53 0"));
}

TEST_F(Keys, EnterClicksTheDefaultButtonAndEscTheCancelButton)
{
    SampleForm& f = shownForm();
    f.Text1.SetFocus();
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Return);
    QTest::keyClick(f.Text1.widget(), Qt::Key_Escape);
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Command")),
              (QStringList{QStringLiteral("Command1_Click"), QStringLiteral("Command2_Click")}));
    EXPECT_FALSE(f.log.contains(QStringLiteral("Text1_KeyPress 13"))) << "the default button takes the Enter key";
}

TEST_F(Keys, EnterOnAFocusedButtonClicksThatButton)
{
    SampleForm& f = shownForm();
    f.Command3.SetFocus();
    QTest::keyClick(f.Command3.widget(), Qt::Key_Return);
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Command")), QStringList{QStringLiteral("Command3_Click")});
}

TEST_F(Keys, WithoutAnEnabledDefaultButtonEnterReachesTheControl)
{
    SampleForm& f = shownForm();
    f.Command1.setEnabled(false);
    f.Text1.SetFocus();
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Return);
    EXPECT_TRUE(f.log.contains(QStringLiteral("Text1_KeyPress 13")));
    EXPECT_TRUE(withPrefix(f.log, QStringLiteral("Command")).isEmpty());

    f.Command1.setEnabled(true);
    f.Command1.setDefault(false);
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Return);
    EXPECT_TRUE(f.log.contains(QStringLiteral("Text1_KeyPress 13")));
}

TEST_F(Keys, OnlyOneDefaultButtonPerForm)
{
    SampleForm& f = shownForm();
    f.Command3.setDefault(true);
    EXPECT_FALSE(f.Command1.Default());
    EXPECT_TRUE(f.Command3.Default());
    f.Text1.SetFocus();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Return);
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Command")), QStringList{QStringLiteral("Command3_Click")});
}

TEST_F(Keys, OnlyOneCancelButtonPerFormAndClearingItLeavesNone)
{
    SampleForm& f = shownForm();
    EXPECT_TRUE(f.Command2.Cancel());
    f.Command3.setCancel(true);
    EXPECT_FALSE(f.Command2.Cancel());
    EXPECT_TRUE(f.Command3.Cancel());
    f.Command2.setCancel(false);  // no longer the cancel button: changes nothing
    EXPECT_TRUE(f.Command3.Cancel());
    f.Text1.SetFocus();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Escape);
    EXPECT_EQ(withPrefix(f.log, QStringLiteral("Command")), QStringList{QStringLiteral("Command3_Click")});

    f.Command3.setCancel(false);
    EXPECT_FALSE(f.Command3.Cancel());
    f.log.clear();
    QTest::keyClick(f.Text1.widget(), Qt::Key_Escape);
    EXPECT_TRUE(withPrefix(f.log, QStringLiteral("Command")).isEmpty());
    EXPECT_TRUE(f.log.contains(QStringLiteral("Text1_KeyPress 27"))) << "Esc reaches the control";
}

}  // namespace
}  // namespace formstest
