// SPDX-License-Identifier: LicenseRef-Tavelcor
// The compact mode on the close request, the restore by a press, and the
// proportional resize of the keys.
#include "keypad_fixture.h"

#include "keypad/geometry.h"
#include "keypad/keys.h"

namespace {

using keypad_test::KeypadTest;
using keypad_test::kWindowA;

constexpr double kPixel = 15.0;  // twips; the window's place is kept in pixels

struct Outer {
    double left, top, right, bottom;
};

Outer outerOf(const kintab::Form1& form)
{
    return {form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()};
}

TEST_F(KeypadTest, StartsAtTheDesignSizeAtTheBottomRight)
{
    kintab::Form1& form = keypadWindow();
    EXPECT_EQ(kintab::keypad().KeypadWidth, 3825);
    EXPECT_EQ(kintab::keypad().KeypadHeight, 2880);
    EXPECT_NEAR(form.Width(), 3825, kPixel);
    EXPECT_NEAR(form.Height(), 2880, kPixel);
    EXPECT_NEAR(form.Left(), kintab::screenWidthTwips() - 3825 - 100, kPixel);
    EXPECT_NEAR(form.Top(), kintab::screenHeightTwips() - 2880 - 600, kPixel);
    EXPECT_NEAR(form.ScaleWidth(), 3705, kPixel);
    EXPECT_NEAR(form.ScaleHeight(), 2475, kPixel);
    EXPECT_FALSE(settingsExist());
}

TEST_F(KeypadTest, FirstCloseShrinksAtTheSameCornerWithoutSaving)
{
    kintab::Form1& form = keypadWindow();
    form.Show();
    const Outer before = outerOf(form);

    EXPECT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));

    EXPECT_EQ(kintab::keypad().IconState, 1.0F);
    EXPECT_EQ(kintab::keypad().KeypadWidth, 1530);
    EXPECT_EQ(kintab::keypad().KeypadHeight, 1152);
    const Outer after = outerOf(form);
    EXPECT_NEAR(form.Width(), 1530, kPixel);
    EXPECT_NEAR(form.Height(), 1152, kPixel);
    EXPECT_NEAR(after.right, before.right, kPixel);
    EXPECT_NEAR(after.bottom, before.bottom, kPixel);
    EXPECT_TRUE(form.Visible());
    EXPECT_FALSE(settingsExist());
    EXPECT_EQ(mProgramEnds, 0);
    // The keys shrink with the window.
    EXPECT_NEAR(form.Command59(5).Width(), 495 * form.ScaleWidth() / 3705, kPixel);
}

TEST_F(KeypadTest, APressOnTheCompactKeypadRestoresItAndTypesNothing)
{
    kintab::Form1& form = keypadWindow();
    form.Show();
    const Outer before = outerOf(form);
    tickWith(kWindowA);
    ASSERT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));

    press(5, 4);  // the middle button restores too
    EXPECT_EQ(kintab::keypad().IconState, 0.0F);
    EXPECT_EQ(kintab::keypad().KeypadWidth, 3825);
    EXPECT_EQ(kintab::keypad().KeypadHeight, 2880);
    const Outer after = outerOf(form);
    EXPECT_NEAR(after.left, before.left, kPixel);
    EXPECT_NEAR(after.top, before.top, kPixel);
    EXPECT_NEAR(after.right, before.right, kPixel);
    EXPECT_NEAR(after.bottom, before.bottom, kPixel);
    EXPECT_NEAR(form.Command59(13).Width(), 1095, kPixel);
    EXPECT_TRUE(mDesktop.typed().empty());
    EXPECT_FALSE(settingsExist());

    press(5);  // restored: keys type again
    EXPECT_EQ(mDesktop.typed().size(), 1u);
}

TEST_F(KeypadTest, RightPressOnTheCompactKeypadOpensTheSettingsAndStaysCompact)
{
    kintab::Form1& form = keypadWindow();
    ASSERT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));
    form.Frame14_MouseDown(2, 0, 5, 5);
    EXPECT_TRUE(kintab::jyouken().Visible());
    EXPECT_EQ(kintab::keypad().IconState, 1.0F);
    form.Frame14_MouseDown(1, 0, 5, 5);  // a left press on the frame restores
    EXPECT_EQ(kintab::keypad().IconState, 0.0F);
}

TEST_F(KeypadTest, SecondCloseRestoresSavesTheFullPlaceAndEnds)
{
    kintab::Form1& form = keypadWindow();
    form.Show();
    const Outer before = outerOf(form);
    ASSERT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));
    ASSERT_TRUE(form.requestUnload(platform::UnloadMode::FormControlMenu));

    EXPECT_EQ(mProgramEnds, 1);
    const std::optional<kintab::KeypadFileValues> saved = kintab::readKeypadFile(settingsPath());
    ASSERT_TRUE(saved.has_value());
    EXPECT_NEAR(saved->top, before.top, kPixel);
    EXPECT_NEAR(saved->left, before.left, kPixel);
    EXPECT_EQ(saved->sizeFactor, std::optional<float>(1.0F));
    EXPECT_EQ(saved->iconMode, std::optional<std::uint8_t>(1));
    EXPECT_EQ(kintab::keypad().KeypadWidth, 3825);
    EXPECT_EQ(kintab::jyoukenHolder().ifLoaded(), nullptr);  // unloaded with the keypad
}

TEST_F(KeypadTest, WithCompactModeOffTheCloseBoxSavesAndEndsAtOnce)
{
    kintab::jyouken().Check2.setValue(platform::check::Unchecked);
    ASSERT_EQ(kintab::keypad().IconMode, 0);
    EXPECT_TRUE(keypadWindow().requestUnload(platform::UnloadMode::FormControlMenu));
    EXPECT_EQ(mProgramEnds, 1);
    const std::optional<kintab::KeypadFileValues> saved = kintab::readKeypadFile(settingsPath());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->iconMode, std::optional<std::uint8_t>(0));
}

TEST_F(KeypadTest, CompactModeOffAlsoClosesAShrunkKeypad)
{
    ASSERT_FALSE(keypadWindow().requestUnload(platform::UnloadMode::FormControlMenu));
    kintab::keypad().IconMode = 0;  // switched off in the dialog meanwhile
    EXPECT_TRUE(keypadWindow().requestUnload(platform::UnloadMode::AppWindows));
    EXPECT_EQ(mProgramEnds, 1);
}

// The end of the session cannot be refused: from either state the keypad
// closes at its full size and the file keeps the full keypad's place.
TEST_F(KeypadTest, TheEndOfTheSessionClosesTheKeypadFromEitherStateAndSaves)
{
    for (const bool compact : {false, true}) {
        SCOPED_TRACE(compact ? "compact" : "full");
        QFile::remove(settingsPath());
        mProgramEnds = 0;
        kintab::Form1& form = keypadWindow();
        form.Show();
        const Outer before = outerOf(form);
        if (compact) {
            ASSERT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));
        }

        kintab::endForSession();

        EXPECT_EQ(kintab::form1Holder().ifLoaded(), nullptr);
        EXPECT_EQ(mProgramEnds, 1);
        const std::optional<kintab::KeypadFileValues> saved = kintab::readKeypadFile(settingsPath());
        ASSERT_TRUE(saved.has_value());
        EXPECT_NEAR(saved->top, before.top, kPixel);
        EXPECT_NEAR(saved->left, before.left, kPixel);
        EXPECT_EQ(saved->iconMode, std::optional<std::uint8_t>(1));
        kintab::resetKeypadState();
    }
}

TEST_F(KeypadTest, TheEndOfTheSessionWithoutAKeypadDoesNothing)
{
    kintab::endForSession();
    EXPECT_EQ(kintab::form1Holder().ifLoaded(), nullptr);
    EXPECT_FALSE(settingsExist());
    EXPECT_EQ(mProgramEnds, 0);
}

TEST_F(KeypadTest, ARestoreNearTheTopLeftCornerStopsAtZero)
{
    kintab::Form1& form = keypadWindow();
    ASSERT_FALSE(form.requestUnload(platform::UnloadMode::FormControlMenu));
    form.Move(600, 300);  // the user dragged the compact keypad up and left
    press(9);
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
    EXPECT_NEAR(form.Width(), 3825, kPixel);
}

TEST_F(KeypadTest, AResizeScalesEveryKeyByTheClientRatios)
{
    kintab::Form1& form = keypadWindow();
    const std::vector<kintab::Class1> recorded = form.layoutList();
    ASSERT_EQ(recorded.size(), 25u);  // the frame, 23 keys and the timer
    const double designWidth = form.ScaleWidth();
    const double designHeight = form.ScaleHeight();

    form.Move(form.Left(), form.Top(), 3825 * 1.5, 2880 * 1.5);
    const double fx = form.ScaleWidth() / designWidth;
    const double fy = form.ScaleHeight() / designHeight;
    EXPECT_GT(fx, 1.5);  // the border does not scale
    for (const kintab::Class1& record : recorded) {
        const auto* control = dynamic_cast<const platform::Control*>(record.csControl);
        if (control == nullptr)
            continue;  // the timer
        EXPECT_NEAR(control->Left(), record.csLeft * fx, kPixel) << control->Name().toStdString();
        EXPECT_NEAR(control->Width(), record.csWidth * fx, kPixel);
        EXPECT_NEAR(control->Top(), record.csTop * fy, kPixel);
        EXPECT_NEAR(control->Height(), record.csHeight * fy, kPixel);
        EXPECT_NEAR(control->FontSize(), record.csFontSize * fx, 0.75);  // one pixel of font
    }
}

TEST_F(KeypadTest, AWindowAboveOrLeftOfTheScreenIsPutAtZeroByTheNextResize)
{
    kintab::Form1& form = keypadWindow();
    form.Move(-300, -150);
    EXPECT_EQ(form.Left(), -300);
    form.Move(form.Left(), form.Top(), 3000, 2500);
    EXPECT_EQ(form.Left(), 0);
    EXPECT_EQ(form.Top(), 0);
}

TEST_F(KeypadTest, ShrinkAndRestoreChangeTheSizeByAtMostATwipAtEveryFactor)
{
    keypadWindow();  // loaded first: its start-up sets the sizes
    for (int step = 5; step <= 15; ++step) {
        kintab::KeypadState& state = kintab::keypad();
        const kintab::OuterSize size = kintab::sizeForFactor(static_cast<float>(step) / 10.0F);
        state.KeypadWidth = size.width;
        state.KeypadHeight = size.height;
        keypadWindow().Move(6000, 4000, size.width, size.height);
        ASSERT_FALSE(keypadWindow().requestUnload(platform::UnloadMode::FormControlMenu));
        press(1);
        EXPECT_NEAR(state.KeypadWidth, size.width, 1) << step;
        EXPECT_NEAR(state.KeypadHeight, size.height, 1) << step;
    }
    EXPECT_TRUE(mDesktop.typed().empty());
}

}  // namespace
