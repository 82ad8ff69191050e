// SPDX-License-Identifier: LicenseRef-Tavelcor
// The operation panels sharing one place in the side panel.
#include "edit_window_fixture.h"

#include "main/edit/panel_place.h"

namespace tavelcor::edittest {
namespace {

// Places are in twips and kept in whole pixels (15 twips each).
class PanelPlaceTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        for (platform::Frame* frame : operationPanels(plot())) {
            frame->setVisible(false);
        }
        plot().Frame2.setTop(480);
        plot().Frame2.setLeft(12000);
        plot().Frame2.setVisible(true);
    }
};

TEST_F(PanelPlaceTest, AnOpeningPanelTakesThePlaceOfTheShownOne)
{
    Plot& w = plot();
    w.Frame10.setTop(9000);
    w.Frame10.setLeft(300);
    openPanelInPlace(w, w.Frame10);
    EXPECT_TRUE(w.Frame10.Visible());
    EXPECT_FALSE(w.Frame2.Visible());
    EXPECT_EQ(w.Frame10.Top(), 480);
    EXPECT_EQ(w.Frame10.Left(), 12000);
    EXPECT_EQ(visibleOperationPanel(w), &w.Frame10);

    // The point panel replaces the line panel at the same place.
    w.Frame4.setTop(1);
    w.Frame4.setLeft(2);
    w.Frame6.setVisible(true);
    openPanelInPlace(w, w.Frame4);
    EXPECT_FALSE(w.Frame10.Visible());
    EXPECT_EQ(w.Frame4.Top(), 480);
    EXPECT_EQ(w.Frame4.Left(), 12000);
}

TEST_F(PanelPlaceTest, OpeningTheShownPanelMovesNothing)
{
    Plot& w = plot();
    openPanelInPlace(w, w.Frame11);
    w.Frame11.setTop(705);
    openPanelInPlace(w, w.Frame11);
    EXPECT_TRUE(w.Frame11.Visible());
    EXPECT_EQ(w.Frame11.Top(), 705);
    EXPECT_EQ(w.Frame11.Left(), 12000);
}

TEST_F(PanelPlaceTest, ClosingShowsTheIdlePanelWhereThePanelStood)
{
    Plot& w = plot();
    openPanelInPlace(w, w.Frame4);
    w.Frame6.setVisible(true);
    w.Frame4.setTop(900);
    w.Frame4.setLeft(10995);
    closePanelToIdle(w, w.Frame4);
    EXPECT_FALSE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame6.Visible());
    EXPECT_TRUE(w.Frame2.Visible());
    EXPECT_EQ(w.Frame2.Top(), 900);
    EXPECT_EQ(w.Frame2.Left(), 10995);
}

TEST_F(PanelPlaceTest, OnlyTheOpenedPanelShowsAfterwards)
{
    Plot& w = plot();
    w.Frame9.setVisible(true);  // left over beside Frame2
    openPanelInPlace(w, w.Frame13);
    for (platform::Frame* frame : operationPanels(w)) {
        EXPECT_EQ(frame->Visible(), frame == &w.Frame13) << frame->Name().toStdString();
    }
}

}  // namespace
}  // namespace tavelcor::edittest
