// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's remaining command buttons, clicked as a user does.

#include "dialogs_fixture.h"

#include "main/render/cselect.h"
#include "main/render/znohani.h"
#include "main/site/tables.h"
#include "main/survey/keypad_start.h"
#include "main/ui/command_buttons.h"

#include <QElapsedTimer>
#include <QSignalSpy>

namespace tavelcor::uitest {
namespace {

constexpr int kDoubleClickMs = 60;

class CommandButtons : public DialogsTest {
protected:
    Plot& window()
    {
        Plot& w = shownPlot();
        uiServices().doubleClickMs = [] { return kDoubleClickMs; };
        return w;
    }

    /// `n` quick clicks on 表示色, then the wait until the series acts.
    void colourClicks(Plot& w, int n)
    {
        for (int i = 0; i < n; ++i)
            click(w.Command55);
        QTRY_COMPARE_WITH_TIMEOUT(colorClickCount(), 0, 5000);
    }

    void expectShown(int red, int blue)
    {
        EXPECT_EQ(PointColorShown[12], red);
        EXPECT_EQ(PointColorShown[9], blue);
    }
};

TEST_F(CommandButtons, OneClickOpensTheShownColoursAfterTheDoubleClickTime)
{
    Plot& w = window();
    QElapsedTimer clock;
    qint64 openedAfter = -1;
    script().expectModal([&](platform::ModalWindow&) {
        openedAfter = clock.elapsed();
        click(cselect().Command2);
    }, QStringLiteral("表示色選択"));
    clock.start();
    colourClicks(w, 1);
    EXPECT_GE(openedAfter, kDoubleClickMs - 5);
    // The main window becomes active again once the dialog has gone, which
    // a loaded machine may deliver a little later.
    (void)QTest::qWaitFor([&w] { return w.Picture1.hasFocus(); }, 5000);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

TEST_F(CommandButtons, DoubleAndTripleClicksSwapAndShowTheRedAndBluePoints)
{
    Plot& w = window();
    PointColorShown[12] = 1;
    PointColorShown[9] = 1;
    PointColorShown[2] = 0;
    colourClicks(w, 2);
    expectShown(0, 1);
    colourClicks(w, 2);
    expectShown(1, 0);
    colourClicks(w, 2);
    expectShown(0, 1);
    colourClicks(w, 3);
    expectShown(1, 1);
    EXPECT_EQ(PointColorShown[2], 0) << "other colours keep their setting";
    PointColorShown[12] = 0;
    PointColorShown[9] = 0;
    colourClicks(w, 2);
    expectShown(1, 0);
}

TEST_F(CommandButtons, FourQuickClicksChangeNothingAndTheNextClickOpensTheDialog)
{
    Plot& w = window();
    PointColorShown[12] = 1;
    PointColorShown[9] = 0;
    colourClicks(w, 4);
    expectShown(1, 0);
    script().expectModal([](platform::ModalWindow&) { click(cselect().Command2); });
    colourClicks(w, 1);
}

TEST_F(CommandButtons, KeypadButtonStartsTheKeypadOrSaysItIsMissing)
{
    Plot& w = window();
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("KIXTAB.EXEが見つかりません。手動で起動して下さい。"));
    click(w.Command64);
    EXPECT_TRUE(starter.starts().empty());
    // The main window becomes active again once the dialog has gone, which
    // a loaded machine may deliver a little later.
    (void)QTest::qWaitFor([&w] { return w.Picture1.hasFocus(); }, 5000);
    EXPECT_TRUE(w.Picture1.hasFocus());

    starter.install(kintabProgram());
    click(w.Command64);
    click(w.Command64);
    ASSERT_EQ(starter.starts().size(), 2U) << "no look for a running keypad";
    EXPECT_EQ(starter.starts().front().program, kintabProgram());
    EXPECT_TRUE(starter.starts().front().arguments.isEmpty());
}

TEST_F(CommandButtons, AreaButtonStartsAndEndsAMeasurement)
{
    Plot& w = window();
    w.Command85.setVisible(true);
    AreaCount = 0;
    click(w.Command65);
    EXPECT_EQ(AreaCount, 1);
    EXPECT_FALSE(w.Command85.Visible());
    AreaCount = 4;  // three points taken
    click(w.Command65);
    EXPECT_EQ(AreaCount, 0);
    // The main window becomes active again once the dialog has gone, which
    // a loaded machine may deliver a little later.
    (void)QTest::qWaitFor([&w] { return w.Picture1.hasFocus(); }, 5000);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

TEST_F(CommandButtons, ResultsPanelCloseKeepsItsTextAndClearCloseEmptiesIt)
{
    Plot& w = window();
    w.Text18.setText(QStringLiteral("面積 = 12.34"));
    w.Frame16.setVisible(true);
    click(w.Command83);
    EXPECT_FALSE(w.Frame16.Visible());
    EXPECT_EQ(w.Text18.Text(), QStringLiteral("面積 = 12.34"));
    w.Frame16.setVisible(true);
    click(w.Command84);
    EXPECT_FALSE(w.Frame16.Visible());
    EXPECT_TRUE(w.Text18.Text().isEmpty());
}

TEST_F(CommandButtons, NumberRangeButtonOpensTheDialogAtTheSidePanel)
{
    Plot& w = window();
    double left = 0.0;
    script().expectModal([&left](platform::ModalWindow&) {
        left = znoHani().Left();
        znoHaniForm().unload();
    });
    click(w.Command53);
    EXPECT_EQ(left, w.Left() + w.protprp.Left());
    // The focus the button gave is the plot's once the window is in front.
    QApplication::setActiveWindow(w.window());
    // The main window becomes active again once the dialog has gone, which
    // a loaded machine may deliver a little later.
    (void)QTest::qWaitFor([&w] { return w.Picture1.hasFocus(); }, 5000);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

}  // namespace
}  // namespace tavelcor::uitest
