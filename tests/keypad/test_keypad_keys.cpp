// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad window's keys on a desktop in memory: what each key types and
// where, the target that follows the window in front, the right button, and
// the key sender made once (or refused once, with a message).
#include "keypad_fixture.h"

#include "keypad/keys.h"

#include "platform/forms/control.h"

#include <QTest>
#include <QWidget>

namespace {

using keypad_test::KeypadTest;
using keypad_test::kWindowA;
using keypad_test::kWindowB;
using Typed = platform::FakeDesktop::Typed;

struct KeyCase {
    int key;
    const char16_t* typed;
};

class KeypadKey : public KeypadTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(KeypadKey, BringsTheTargetBackAndTypesItsText)
{
    tickWith(kWindowA);
    mDesktop.setForeground(keypadWindow().windowHandle());  // the user clicks the keypad
    press(GetParam().key);
    const std::vector<Typed> expected{{kWindowA, QString::fromUtf16(GetParam().typed)}};
    EXPECT_EQ(mDesktop.typed(), expected);
    EXPECT_EQ(mDesktop.broughtToFront(), std::vector<platform::WindowHandle>{kWindowA});
}

INSTANTIATE_TEST_SUITE_P(
    EveryKey, KeypadKey,
    testing::Values(KeyCase{0, u"0"}, KeyCase{1, u"1"}, KeyCase{2, u"2"}, KeyCase{3, u"3"},
                    KeyCase{4, u"4"}, KeyCase{5, u"5"}, KeyCase{6, u"6"}, KeyCase{7, u"7"},
                    KeyCase{8, u"8"}, KeyCase{9, u"9"}, KeyCase{10, u"."}, KeyCase{11, u" "},
                    KeyCase{13, u"{ENTER}"}, KeyCase{14, u"{LEFT}"}, KeyCase{15, u"{RIGHT}"},
                    KeyCase{16, u"{DELETE}"}, KeyCase{17, u"{BS}"}, KeyCase{18, u"{+}"},
                    KeyCase{19, u"-"}, KeyCase{20, u"/"}, KeyCase{21, u"X"}, KeyCase{22, u"P"},
                    KeyCase{23, u"R"}),
    [](const testing::TestParamInfo<KeyCase>& info) {
        return "key" + std::to_string(info.param.key);
    });

TEST_F(KeypadTest, NumbersThatAreNoKeyTypeNothing)
{
    tickWith(kWindowA);
    for (int number : {12, 24, -1, 100})
        keypadWindow().KEYIN(number);
    EXPECT_TRUE(mDesktop.typed().empty());
    keypadWindow().KEYIN(1);  // a key's number types at once
    EXPECT_EQ(mDesktop.typed(), (std::vector<Typed>{{kWindowA, "1"}}));
}

TEST_F(KeypadTest, KeyCaptionsAndPlacesFollowTheTable)
{
    kintab::Form1& form = keypadWindow();
    EXPECT_EQ(form.Command59.Count(), 23);
    EXPECT_FALSE(form.Command59.exists(12));
    EXPECT_EQ(form.Command59(14).Caption(), QStringLiteral("←"));
    EXPECT_EQ(form.Command59(11).Caption(), QStringLiteral(" "));
    EXPECT_EQ(form.Command59(13).Caption(), QStringLiteral("Ent"));
    EXPECT_EQ(form.Caption(), QStringLiteral("KINTAB1.43"));
    // Places at the design size, within a pixel.
    EXPECT_NEAR(form.Command59(13).Left(), 2520, 15);
    EXPECT_NEAR(form.Command59(13).Width(), 1095, 15);
    EXPECT_NEAR(form.Command59(0).Top(), 1920, 15);
    EXPECT_NEAR(form.Command59(15).Left(), 3120, 15);
    EXPECT_TRUE(form.TopMost());
}

TEST_F(KeypadTest, MouseClicksOnTheButtonsTypeIntoTheFieldInFront)
{
    tickWith(kWindowA);
    for (int key : {5, 10, 13})
        QTest::mousePress(keypadWindow().Command59(key).widget(), Qt::LeftButton);
    const std::vector<Typed> expected{
        {kWindowA, "5"}, {kWindowA, "."}, {kWindowA, "{ENTER}"}};
    EXPECT_EQ(mDesktop.typed(), expected);
}

TEST_F(KeypadTest, TheKeypadNeverTakesTheFocus)
{
    QWidget* window = keypadWindow().window();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
    for (const auto& [index, key] : keypadWindow().Command59)
        EXPECT_EQ(key->widget()->focusPolicy(), Qt::NoFocus) << index;
    // Also after the window was shrunk and restored (its flags stay).
    EXPECT_FALSE(keypadWindow().requestUnload(platform::UnloadMode::FormControlMenu));
    press(1);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
}

TEST_F(KeypadTest, TargetIsTheLastOtherWindowInFrontAtATick)
{
    EXPECT_EQ(kintab::keypad().KeyTarget, 0u);
    tickWith(kWindowA);
    EXPECT_EQ(kintab::keypad().KeyTarget, kWindowA);
    tickWith(keypadWindow().windowHandle());  // clicking the keypad keeps the target
    EXPECT_EQ(kintab::keypad().KeyTarget, kWindowA);
    tickWith(kWindowB);
    EXPECT_EQ(kintab::keypad().KeyTarget, kWindowB);
    tickWith(0);  // no window in front is taken too
    EXPECT_EQ(kintab::keypad().KeyTarget, 0u);
}

TEST_F(KeypadTest, KeysGoOnIntoTheSameWindowAfterClicksOnTheKeypad)
{
    tickWith(kWindowA);
    press(1);
    tickWith(keypadWindow().windowHandle());
    press(2);
    tickWith(keypadWindow().windowHandle());
    press(3);
    const std::vector<Typed> expected{{kWindowA, "1"}, {kWindowA, "2"}, {kWindowA, "3"}};
    EXPECT_EQ(mDesktop.typed(), expected);
}

TEST_F(KeypadTest, WithinATickOfASwitchKeysStillGoToTheOldWindow)
{
    tickWith(kWindowA);
    mDesktop.setForeground(kWindowB);  // no tick yet
    press(7);
    EXPECT_EQ(mDesktop.typed(), (std::vector<Typed>{{kWindowA, "7"}}));
    tickWith(kWindowB);
    press(8);
    EXPECT_EQ(mDesktop.typed().back(), (Typed{kWindowB, "8"}));
}

TEST_F(KeypadTest, AClosedTargetLetsTheKeysGoToTheWindowInFront)
{
    tickWith(kWindowA);
    mDesktop.closeWindow(kWindowA);
    mDesktop.setForeground(keypadWindow().windowHandle());
    press(4);
    EXPECT_EQ(kintab::keypad().KeyTarget, kWindowA);  // kept after the window closed
    EXPECT_EQ(mDesktop.typed(), (std::vector<Typed>{{keypadWindow().windowHandle(), "4"}}));
}

TEST_F(KeypadTest, RightButtonOpensTheSettingsAndTypesNothing)
{
    tickWith(kWindowA);
    press(5, 2);
    ASSERT_NE(kintab::jyoukenHolder().ifLoaded(), nullptr);
    EXPECT_TRUE(kintab::jyouken().Visible());
    EXPECT_TRUE(mDesktop.typed().empty());
    EXPECT_TRUE(mDesktop.broughtToFront().empty());
}

TEST_F(KeypadTest, FrameOpensTheSettingsOnTheRightButtonOnly)
{
    tickWith(kWindowA);
    keypadWindow().Frame14_MouseDown(1, 0, 10, 10);
    EXPECT_FALSE(kintab::jyouken().Visible());
    keypadWindow().Frame14_MouseDown(2, 0, 10, 10);
    EXPECT_TRUE(kintab::jyouken().Visible());
    EXPECT_TRUE(mDesktop.typed().empty());
}

TEST_F(KeypadTest, KeySenderIsMadeAtTheFirstKeyAndKept)
{
    EXPECT_EQ(mDesktop.keySenderOpenings(), 0);
    tickWith(kWindowA);
    press(1);
    press(2);
    press(13);
    EXPECT_EQ(mDesktop.keySenderOpenings(), 1);
    EXPECT_EQ(mDesktop.typed().size(), 3u);
}

TEST_F(KeypadTest, WhenKeysCannotBeSentTheUserIsToldOnce)
{
    const QString reason = QStringLiteral("X11 の画面がないため、キーを送れません。");
    mDesktop.setKeySenderFailure(reason);
    mScript->expectMessage(platform::MsgResult::Ok, reason);
    tickWith(kWindowA);
    press(1);
    press(2);
    press(21);
    EXPECT_TRUE(mDesktop.typed().empty());
    EXPECT_EQ(mDesktop.keySenderOpenings(), 1);
    ASSERT_EQ(mScript->records().size(), 1u);
    EXPECT_EQ(mScript->records().front().icon, platform::MsgIcon::Exclamation);
}

TEST_F(KeypadTest, LetterKeysTypeWhatTheirBoxesHold)
{
    tickWith(kWindowA);
    kintab::jyouken().Text2.setText(QStringLiteral("q"));  // taken as Q
    kintab::jyouken().Text3.setText(QString());             // an empty box
    press(21);
    press(22);
    press(23);
    const std::vector<Typed> expected{{kWindowA, "X"}, {kWindowA, "Q"}};
    EXPECT_EQ(mDesktop.typed(), expected);
}

TEST_F(KeypadTest, ALetterKeyLoadsTheUnloadedDialogHidden)
{
    tickWith(kWindowA);
    kintab::jyoukenHolder().unload();
    ASSERT_EQ(kintab::jyoukenHolder().ifLoaded(), nullptr);
    press(22);
    ASSERT_NE(kintab::jyoukenHolder().ifLoaded(), nullptr);
    EXPECT_FALSE(kintab::jyouken().Visible());
    EXPECT_EQ(mDesktop.typed(), (std::vector<Typed>{{kWindowA, "P"}}));
}

}  // namespace
