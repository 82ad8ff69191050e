// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate pick into the key-in window XYIN through presses on the
// main window: the fields it fills, the coordinates it never takes, the pan
// it arms beside it on the idle plot, and the right-click options that hide
// the window.
#include "interact_fixture.h"

#include "main/edit/xyin.h"
#include "main/site/tables.h"

namespace tavelcor::interacttest {
namespace {

class KeyInPick : public InteractTest {
protected:
    // The key-in window shown beside the main window, empty.
    Plot& withKeyInWindow()
    {
        Plot& w = shownPlot();
        xyin().Show();
        for (platform::TextBox* field : {&xyin().Text1, &xyin().Text2, &xyin().Text3, &xyin().Text4, &xyin().Text5})
            field->setText(QString());
        return w;
    }
};

TEST_F(KeyInPick, APressNearACoordinateFillsTheWindow)
{
    withKeyInWindow();
    addCoordinate(12, QStringLiteral("境界12"), 3.0, 4.0);
    ZahyoX[12] = kOriginX + 3.0004;
    ZahyoH[12] = 25.5;
    AreaCount = 2;  // the key-in pick comes first
    pressAt(1, 3.2, 4.1);
    EXPECT_EQ(xyin().Text1.Text(), QStringLiteral(" 12"));
    EXPECT_EQ(xyin().Text2.Text(), QStringLiteral("境界12"));
    EXPECT_EQ(xyin().Text3.Text(), QStringLiteral("  10003.000"));
    EXPECT_EQ(xyin().Text4.Text(), QStringLiteral("  20004.000"));
    EXPECT_EQ(xyin().Text5.Text(), QStringLiteral("  25.500"));
    EXPECT_EQ(AreaCount, 2);
}

TEST_F(KeyInPick, NothingNearLeavesTheWindowAsItIs)
{
    withKeyInWindow();
    xyin().Text2.setText(QStringLiteral("typed"));
    addCoordinate(12, QStringLiteral("P12"), 30.0, 30.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(xyin().Text2.Text(), QStringLiteral("typed"));
    EXPECT_EQ(DragZoomArmed, 0) << "the pick ends the press";
}

TEST_F(KeyInPick, CoordinatesOutsideTheShownRangesOrFreeAreNeverPicked)
{
    Plot& w = withKeyInWindow();
    w.Text5.setText(QStringLiteral("10"));  // first range 1..10, second 10001..500000
    addCoordinate(12, QStringLiteral("OUT"), 0.0, 0.0);
    addCoordinate(3, QStringLiteral("_?>"), 0.0, 0.1);
    pressAt(1, 0.0, 0.0);
    EXPECT_TRUE(xyin().Text1.Text().isEmpty());
    addCoordinate(10001, QStringLiteral("FAR"), 1.8, 0.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(xyin().Text1.Text(), QStringLiteral(" 10001")) << "found in the fourth pass";
}

TEST_F(KeyInPick, OnTheIdlePlotWithDiagZoomTwoThePressAlsoArmsAPan)
{
    withKeyInWindow();
    DiagZoom = 2;
    addCoordinate(12, QStringLiteral("P12"), 3.0, 4.0);
    pressAt(1, 3.0, 4.0);
    EXPECT_EQ(xyin().Text1.Text(), QStringLiteral(" 12"));
    EXPECT_EQ(PanDrag, 2);
    EXPECT_EQ(PanStartX, 4.0F);
    EXPECT_EQ(PanStartY, -3.0F);
}

TEST_F(KeyInPick, AHiddenWindowTakesNoPick)
{
    withKeyInWindow();
    xyin().Hide();
    addCoordinate(12, QStringLiteral("P12"), 0.0, 0.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_TRUE(xyin().Text1.Text().isEmpty());
    EXPECT_EQ(DragZoomArmed, 1);
}

TEST_F(KeyInPick, TheRightClickOptionsHideTheWindowAndTheKeyInButton)
{
    Plot& w = withKeyInWindow();
    for (platform::OptionButton* option : {&w.Option3, &w.Option5, &w.Option34, &w.Option2}) {
        SCOPED_TRACE(option->Name().toStdString());
        xyin().Show();
        w.Command85.setVisible(true);
        click(*option);
        EXPECT_FALSE(xyin().Visible());
        EXPECT_FALSE(w.Command85.Visible());
    }
}

}  // namespace
}  // namespace tavelcor::interacttest
