// SPDX-License-Identifier: LicenseRef-Tavelcor
// The settings dialog and KINTAB.JKN as the keypad reads and writes them:
// defaults, the factor's size and place, stored positions, the letter boxes,
// the scroll bar, "Ｏ　Ｋ" and "CANCEL", and the byte-exact round trip.
#include "keypad_fixture.h"

#include "keypad/geometry.h"

#include "platform/system/window_presence.h"

#include <QDir>
#include <QTest>

namespace {

using keypad_test::KeypadTest;
using keypad_test::kWindowA;

constexpr double kPixel = 15.0;

TEST_F(KeypadTest, WithoutAFileTheDefaultsHold)
{
    keypadWindow();
    const kintab::KeypadState& state = kintab::keypad();
    EXPECT_EQ(state.KeyLetter, (std::array<QString, 3>{"X", "P", "R"}));
    EXPECT_EQ(state.UpperCaseFlag, 1);
    EXPECT_EQ(state.IconMode, 1);
    EXPECT_EQ(state.SizeFactor, 1.0F);
    kintab::Jyouken& dialog = kintab::jyouken();
    EXPECT_FALSE(dialog.Visible());  // loaded hidden by the start-up
    EXPECT_EQ(dialog.Text1.Text(), "X");
    EXPECT_EQ(dialog.Text4.Text(), " 1");
    EXPECT_EQ(dialog.HScroll1.Value(), 10);
    EXPECT_EQ(dialog.Check2.Value(), platform::check::Checked);
    EXPECT_FALSE(dialog.Check1.Visible());  // the upper-case box is never shown
    EXPECT_EQ(dialog.Caption(), QStringLiteral("KINTAB条件"));
}

TEST_F(KeypadTest, FactorTwelveTenthsSizesAndPlacesTheKeypad)
{
    writeSettings("X\r\nP\r\nR\r\n 1 \r\n 1.2 \r\n 99999 \r\n 99999 \r\n 1 \r\n");
    kintab::Form1& form = keypadWindow();
    EXPECT_EQ(kintab::keypad().SizeFactor, 1.2F);
    EXPECT_EQ(kintab::keypad().KeypadWidth, 4590);
    EXPECT_EQ(kintab::keypad().KeypadHeight, 3456);
    EXPECT_NEAR(form.Width(), 4590, kPixel);
    EXPECT_NEAR(form.Height(), 3456, kPixel);
    EXPECT_NEAR(form.Left(), kintab::screenWidthTwips() - 4590 - 120, kPixel);
    EXPECT_NEAR(form.Top(), kintab::screenHeightTwips() - 3456 - 720, kPixel);
    // The keys grew with the window.
    EXPECT_NEAR(form.Command59(5).Width(), 495 * form.ScaleWidth() / 3705, kPixel);
    EXPECT_EQ(kintab::jyouken().HScroll1.Value(), 12);
    EXPECT_EQ(kintab::jyouken().Text4.Text(), "1.2");
}

struct PlaceCase {
    const char* name;
    const char* top;   // line 6
    const char* left;  // line 7
    bool takesTop;
    bool takesLeft;
};

class StoredPlace : public KeypadTest, public testing::WithParamInterface<PlaceCase> {};

// A stored edge is taken when it is 0 or more and above (left of) the
// start-up placement; each edge by itself.
TEST_P(StoredPlace, IsTakenOnlyAboveOrLeftOfThePlacement)
{
    const PlaceCase& c = GetParam();
    for (const char* factor : {" 1 ", " 1.2 "}) {
        writeSettings(QByteArray("X\r\nP\r\nR\r\n 1 \r\n") + factor + "\r\n" + c.top + "\r\n"
                      + c.left + "\r\n 1 \r\n");
        kintab::Form1& form = keypadWindow();
        const kintab::OuterSize size = kintab::sizeForFactor(kintab::keypad().SizeFactor);
        const double f = kintab::keypad().SizeFactor;
        const double placedLeft = kintab::screenWidthTwips() - size.width - f * 100;
        const double placedTop = kintab::screenHeightTwips() - size.height - f * 600;
        EXPECT_NEAR(form.Top(), c.takesTop ? QByteArray(c.top).trimmed().toDouble() : placedTop, kPixel)
            << c.name << factor;
        EXPECT_NEAR(form.Left(), c.takesLeft ? QByteArray(c.left).trimmed().toDouble() : placedLeft,
                    kPixel)
            << c.name << factor;
        platform::destroyAllForms();
        kintab::resetKeypadState();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StoredPlace,
    testing::Values(PlaceCase{"both_taken", " 1500 ", " 3000 ", true, true},
                    PlaceCase{"zero_is_taken", " 0 ", " 0 ", true, true},
                    PlaceCase{"top_only", " 1500 ", " 99999 ", true, false},
                    PlaceCase{"left_only", " 99999 ", " 3000 ", false, true},
                    PlaceCase{"negative_ignored", "-15 ", "-1 ", false, false}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST_F(KeypadTest, AFactorOutsideHalfToOneAndAHalfIsIgnored)
{
    for (const char* factor : {" 2 ", " .3 ", "-1 ", " 100 "}) {
        writeSettings(QByteArray("X\r\nP\r\nR\r\n 1 \r\n") + factor + "\r\n 99999 \r\n 99999 \r\n 1 \r\n");
        kintab::Form1& form = keypadWindow();
        EXPECT_EQ(kintab::keypad().SizeFactor, 1.0F) << factor;
        EXPECT_EQ(kintab::keypad().KeypadWidth, 3825) << factor;
        EXPECT_NEAR(form.Width(), 3825, kPixel) << factor;
        EXPECT_EQ(kintab::jyouken().HScroll1.Value(), 10) << factor;
        platform::destroyAllForms();
        kintab::resetKeypadState();
    }
}

TEST_F(KeypadTest, SettingsRoundTripByteForByte)
{
    const QByteArray file("A\r\nB\r\nC\r\n 1 \r\n 1.2 \r\n 3000 \r\n 4500 \r\n 0 \r\n");
    writeSettings(file);
    keypadWindow();
    EXPECT_EQ(kintab::keypad().KeyLetter, (std::array<QString, 3>{"A", "B", "C"}));
    EXPECT_EQ(keypadWindow().Command59(22).Caption(), "B");
    EXPECT_EQ(kintab::keypad().IconMode, 0);
    kintab::jyouken().Command1_Click();
    EXPECT_EQ(settingsBytes(), file);
}

TEST_F(KeypadTest, AnUpperCaseFlagOfZeroStaysZero)
{
    const QByteArray file("X\r\nP\r\nR\r\n 0 \r\n 1 \r\n 1500 \r\n 3000 \r\n 1 \r\n");
    writeSettings(file);
    keypadWindow();
    EXPECT_EQ(kintab::keypad().UpperCaseFlag, 0);
    EXPECT_EQ(kintab::jyouken().Check1.Value(), platform::check::Unchecked);
    kintab::jyouken().Command1_Click();
    EXPECT_EQ(settingsBytes(), file);
}

TEST_F(KeypadTest, LetterLinesThatAreNoUpperCaseLetterAreIgnored)
{
    writeSettings("x\r\n5\r\n\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n");
    keypadWindow();
    EXPECT_EQ(kintab::keypad().KeyLetter, (std::array<QString, 3>{"X", "P", "R"}));
    EXPECT_EQ(keypadWindow().Command59(21).Caption(), "X");
    EXPECT_EQ(kintab::jyouken().Text1.Text(), "X");
}

TEST_F(KeypadTest, AShortFileKeepsWhatItDoesNotHold)
{
    writeSettings("Q\r\nW\r\n");
    kintab::Form1& form = keypadWindow();
    const kintab::KeypadState& state = kintab::keypad();
    EXPECT_EQ(state.KeyLetter, (std::array<QString, 3>{"Q", "W", "R"}));
    EXPECT_EQ(state.UpperCaseFlag, 1);
    EXPECT_EQ(state.SizeFactor, 1.0F);
    EXPECT_EQ(state.IconMode, 1);
    EXPECT_NEAR(form.Left(), kintab::screenWidthTwips() - 3825 - 100, kPixel);
}

struct TypingCase {
    const char* name;
    const char* typed;     // entered into the emptied box
    const char* box;       // what the box holds afterwards
    const char* letter;    // the key's letter afterwards
};

class LetterBoxTyping : public KeypadTest, public testing::WithParamInterface<TypingCase> {};

TEST_P(LetterBoxTyping, KeepsOneUpperCaseLetter)
{
    const TypingCase& c = GetParam();
    for (int n = 1; n <= 3; ++n) {
        kintab::Jyouken& dialog = kintab::jyouken();
        const QString before = kintab::keypad().KeyLetter.at(n - 1);
        QLineEdit* edit = lineEditOf(dialog.letterBox(n));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(dialog.letterBox(n).Text(), "") << c.name << n;
        if (*c.typed != '\0')
            edit->insert(QString::fromUtf8(c.typed));  // typed as a whole, as by an input method
        const QString letter = *c.letter == '\0' ? before : QString::fromUtf8(c.letter);
        const QString box = *c.box == '\0' && *c.typed != '\0' ? before : QString::fromUtf8(c.box);
        EXPECT_EQ(dialog.letterBox(n).Text(), box) << c.name << n;
        EXPECT_EQ(kintab::keypad().KeyLetter.at(n - 1), letter) << c.name << n;
        // The other boxes keep theirs.
        for (int other = 1; other <= 3; ++other) {
            if (other != n) {
                EXPECT_EQ(dialog.letterBox(other).Text().size(), 1) << c.name << n << other;
            }
        }
        dialog.letterBox(n).setText(before);  // back for the next box
    }
}

// An empty "box" column means: the letter the box had before; an empty
// "letter" column: the key's letter stays as it was.
INSTANTIATE_TEST_SUITE_P(
    Texts, LetterBoxTyping,
    testing::Values(TypingCase{"two_letters_keep_the_first_upper_case", "ab", "A", "A"},
                    TypingCase{"an_upper_case_letter", "K", "K", "K"},
                    TypingCase{"a_digit_puts_back_the_last_letter", "5", "", ""},
                    TypingCase{"a_sign_puts_back_the_last_letter", "+", "", ""},
                    TypingCase{"a_full_width_letter_is_refused", "ｑ", "", ""},
                    TypingCase{"nothing_leaves_the_box_empty", "", "", ""}),
    [](const testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST_F(KeypadTest, TypingTwoLettersKeyByKeyKeepsTheFirst)
{
    QLineEdit* edit = lineEditOf(kintab::jyouken().Text2);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("ab"));
    EXPECT_EQ(kintab::jyouken().Text2.Text(), "A");
    EXPECT_EQ(kintab::keypad().KeyLetter.at(1), "A");
    QTest::keyClicks(edit, QStringLiteral("7"));
    EXPECT_EQ(kintab::jyouken().Text2.Text(), "A");
}

TEST_F(KeypadTest, AnEmptiedBoxWritesTheLastAcceptedLetter)
{
    kintab::Jyouken& dialog = kintab::jyouken();
    dialog.Text1.setText(QStringLiteral("m"));
    ASSERT_EQ(dialog.Text1.Text(), "M");
    dialog.Text1.setText(QString());
    EXPECT_EQ(dialog.Text1.Text(), "");
    dialog.Command1_Click();
    EXPECT_TRUE(settingsBytes().startsWith("M\r\nP\r\nR\r\n"));
    EXPECT_EQ(keypadWindow().Command59(21).Caption(), "M");
    EXPECT_EQ(kintab::jyoukenHolder().ifLoaded(), nullptr);  // "Ｏ　Ｋ" closes the dialog
}

TEST_F(KeypadTest, TheScrollBarShowsTheFactorAtOnceAndTheKeypadSizesAtOk)
{
    kintab::Form1& form = keypadWindow();
    kintab::Jyouken& dialog = kintab::jyouken();
    dialog.Show();
    ASSERT_TRUE(dialog.HScroll1.setValue(15));
    EXPECT_EQ(dialog.Text4.Text(), "1.5");
    EXPECT_EQ(kintab::keypad().SizeFactor, 1.5F);
    EXPECT_NEAR(form.Width(), 3825, kPixel);  // not yet
    const double left = form.Left();
    const double top = form.Top();

    dialog.Command1_Click();
    EXPECT_EQ(kintab::keypad().KeypadWidth, 5738);  // 5737.5 to the even twip
    EXPECT_EQ(kintab::keypad().KeypadHeight, 4320);
    EXPECT_NEAR(form.Width(), 5738, kPixel);
    EXPECT_NEAR(form.Height(), 4320, kPixel);
    EXPECT_NEAR(form.Left(), left, kPixel);  // the top-left corner stays
    EXPECT_NEAR(form.Top(), top, kPixel);
    const std::optional<kintab::KeypadFileValues> saved = kintab::readKeypadFile(settingsPath());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->sizeFactor, std::optional<float>(1.5F));
}

TEST_F(KeypadTest, CancelWritesNothingAndTheNextReadingBringsBackTheFile)
{
    writeSettings("X\r\nP\r\nR\r\n 1 \r\n 1.2 \r\n 99999 \r\n 99999 \r\n 1 \r\n");
    keypadWindow();
    const QByteArray file = settingsBytes();
    kintab::Jyouken& dialog = kintab::jyouken();
    dialog.Show();
    ASSERT_TRUE(dialog.HScroll1.setValue(7));
    EXPECT_EQ(kintab::keypad().SizeFactor, 0.7F);  // in force at once
    dialog.Command2_Click();
    EXPECT_EQ(settingsBytes(), file);
    EXPECT_EQ(kintab::jyoukenHolder().ifLoaded(), nullptr);
    EXPECT_EQ(kintab::keypad().SizeFactor, 0.7F);  // CANCEL does not undo

    tickWith(kWindowA);
    press(21);  // the letter key loads the dialog, which reads the file again
    EXPECT_EQ(kintab::keypad().SizeFactor, 1.2F);
    EXPECT_EQ(kintab::jyouken().HScroll1.Value(), 12);
}

TEST_F(KeypadTest, ActivatingTheDialogAgainDropsUnconfirmedChanges)
{
    writeSettings("X\r\nP\r\nR\r\n 1 \r\n 1 \r\n 99999 \r\n 99999 \r\n 1 \r\n");
    keypadWindow();
    kintab::Jyouken& dialog = kintab::jyouken();
    dialog.Show();
    dialog.Text2.setText(QStringLiteral("Z"));
    dialog.Check2.setValue(platform::check::Unchecked);
    ASSERT_EQ(kintab::keypad().KeyLetter.at(1), "Z");
    ASSERT_EQ(kintab::keypad().IconMode, 0);

    dialog.Activate();  // the user came back from another window
    EXPECT_EQ(dialog.Text2.Text(), "P");
    EXPECT_EQ(kintab::keypad().KeyLetter.at(1), "P");
    EXPECT_EQ(kintab::keypad().IconMode, 1);
    EXPECT_EQ(dialog.Check2.Value(), platform::check::Checked);
}

TEST_F(KeypadTest, TheDialogOpensOverTheKeypad)
{
    kintab::Form1& form = keypadWindow();
    kintab::jyoukenHolder().unload();
    press(3, 2);
    EXPECT_NEAR(kintab::jyouken().Left(), form.Left(), kPixel);
    EXPECT_NEAR(kintab::jyouken().Top(), form.Top(), kPixel);
    EXPECT_TRUE(kintab::jyouken().TopMost());
}

TEST_F(KeypadTest, AFileThatCannotBeWrittenIsReportedAndTheKeypadGoesOn)
{
    ASSERT_TRUE(QDir(mHome.path()).mkdir(QStringLiteral("KINTAB.JKN")));  // a folder in the way
    keypadWindow();
    mScript->expectMessage(platform::MsgResult::Ok);
    kintab::jyouken().HScroll1.setValue(8);
    kintab::jyouken().Command1_Click();
    ASSERT_EQ(mScript->records().size(), 1u);
    EXPECT_TRUE(mScript->records().front().text.startsWith(
        QStringLiteral("KINTAB.JKNを保存できませんでした。")));
    EXPECT_EQ(kintab::keypad().KeypadWidth, 3060);  // the size still follows the factor
}

// Another keypad holds the program folder: this one ends without a word.
TEST_F(KeypadTest, WhileAnotherKeypadRunsTheProgramIsNotClaimed)
{
    const std::unique_ptr<platform::SingleInstance> running =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(kintab::claimTheProgram(), nullptr);
    EXPECT_TRUE(mScript->records().empty());
}

// A program folder that cannot be written is said, and the keypad runs.
TEST_F(KeypadTest, AProgramFolderThatCannotBeWrittenIsReportedAndTheKeypadRuns)
{
    writeSettings("X");  // a plain file where the folder's parent should be
    const QString folder = settingsPath() + QStringLiteral("/kintab");
    testing_support::ScopedEnv badHome("TAVELCOR_HOME", folder);
    mScript->expectMessage(platform::MsgResult::Ok,
                          QStringLiteral("プログラムフォルダ ") + folder
                              + QStringLiteral(" に書き込めません。設定は保存されません。"));
    const std::unique_ptr<platform::SingleInstance> instance = kintab::claimTheProgram();
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(instance->holdsLock());
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
}

}  // namespace
