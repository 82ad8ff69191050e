// SPDX-License-Identifier: LicenseRef-Tavelcor
// The display switches clicked as a user clicks them: layer boxes locked by
// their open panels, boxes that redraw, partner boxes, the labels that work
// a box, the marker picker and the status label's pass-through to the plot.
#include "view_fixture.h"

#include "main/render/display_switches.h"

#include <QImage>
#include <QMouseEvent>

#include <vector>

namespace tavelcor::viewtest {
namespace {

class DisplaySwitches : public ViewTest {};

struct LayerRow {
    const char* name;
    platform::CheckBox Plot::*box;
    platform::Frame Plot::*panel;
};

TEST_F(DisplaySwitches, ALayerWhosePanelIsOpenCannotBeSwitchedOff)
{
    const std::vector<LayerRow> rows = {
        {"Check12 points", &Plot::Check12, &Plot::Frame4},
        {"Check13 lines", &Plot::Check13, &Plot::Frame10},
        {"Check14 strokes", &Plot::Check14, &Plot::Frame9},
        {"Check15 texts", &Plot::Check15, &Plot::Frame11},
    };
    Plot& w = shownPlot();
    for (const LayerRow& row : rows) {
        SCOPED_TRACE(row.name);
        platform::CheckBox& box = w.*row.box;
        platform::Frame& panel = w.*row.panel;
        ASSERT_EQ(box.Value(), 1);
        redraws = 0;
        DragZoomArmed = 1;
        panel.setVisible(true);
        click(box);
        EXPECT_EQ(box.Value(), 1);
        EXPECT_EQ(redraws, 0);
        EXPECT_EQ(DragZoomArmed, 1);

        panel.setVisible(false);
        click(box);
        EXPECT_EQ(box.Value(), 0);
        EXPECT_EQ(redraws, 1);
        EXPECT_EQ(DragZoomArmed, 0);
        click(box);
        EXPECT_EQ(box.Value(), 1);
        EXPECT_EQ(redraws, 2);
    }
}

TEST_F(DisplaySwitches, LinesStayDrawnWhileTheLinePanelIsOpenAndGoAtOnceWithoutIt)
{
    addLine(0.0, -30.0, 0.0, 30.0, 12);
    Plot& w = shownPlot();
    ASSERT_EQ(colorAt(0.0, 0.0), platform::QBColor(12));
    w.Frame10.setVisible(true);
    click(w.Check13);
    EXPECT_EQ(colorAt(0.0, 0.0), platform::QBColor(12));
    w.Frame10.setVisible(false);
    click(w.Check13);
    EXPECT_EQ(colorAt(0.0, 0.0), 0xFFFFFFu);
}

struct RedrawRow {
    const char* name;
    platform::CheckBox Plot::*box;
    bool clearsDragZoom;
};

TEST_F(DisplaySwitches, SwitchesThatRedraw)
{
    const std::vector<RedrawRow> rows = {
        {"Check16 済", &Plot::Check16, true},     {"Check17 名", &Plot::Check17, true},
        {"Check1 numbers", &Plot::Check1, true},  {"Check2 names", &Plot::Check2, true},
        {"Check3 no vertex labels", &Plot::Check3, true},
        {"Check6 parcel numbers", &Plot::Check6, false}, {"Check36 所", &Plot::Check36, false},
        {"Check7 track", &Plot::Check7, false},   {"Check18 P red", &Plot::Check18, false},
        {"Check19 P blue", &Plot::Check19, false}, {"Check20 P green", &Plot::Check20, false},
        {"Check23 L red", &Plot::Check23, false}, {"Check22 L blue", &Plot::Check22, false},
        {"Check21 L green", &Plot::Check21, false}, {"Check28 T red", &Plot::Check28, false},
        {"Check27 T blue", &Plot::Check27, false}, {"Check26 T green", &Plot::Check26, false},
    };
    Plot& w = shownPlot();
    for (const RedrawRow& row : rows) {
        SCOPED_TRACE(row.name);
        platform::CheckBox& box = w.*row.box;
        const int before = box.Value();
        redraws = 0;
        DragZoomArmed = 1;
        click(box);
        EXPECT_EQ(box.Value(), 1 - before);
        EXPECT_EQ(redraws, 1);
        EXPECT_EQ(DragZoomArmed, row.clearsDragZoom ? 0 : 1);
    }
}

TEST_F(DisplaySwitches, SwitchesThatDoNotRedraw)
{
    Plot& w = shownPlot();
    for (platform::CheckBox* box : {&w.Check8, &w.Check9, &w.Check10, &w.Check33, &w.Check34}) {
        SCOPED_TRACE(box->Name().toStdString());
        const int before = box->Value();
        click(*box);
        EXPECT_NE(box->Value(), before) << "the click reached the box";
        EXPECT_EQ(redraws, 0);
    }
}

TEST_F(DisplaySwitches, ColourBoxesRedrawWithoutChangingThePicture)
{
    addLine(10.0, -30.0, -10.0, 30.0, 12);
    Plot& w = shownPlot();
    const QImage before = w.Picture1.canvas().image().copy();
    click(w.Check23);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(w.Picture1.canvas().image(), before);
}

TEST_F(DisplaySwitches, NumberLabelClickedTwiceReturnsTheBoxAndRedrawsTwice)
{
    Plot& w = shownPlot();
    const int before = w.Check1.Value();
    click(w.Label1);
    EXPECT_EQ(w.Check1.Value(), 1 - before);
    click(w.Label1);
    EXPECT_EQ(w.Check1.Value(), before);
    EXPECT_EQ(redraws, 2);
}

struct LabelRow {
    const char* name;
    platform::Label Plot::*label;
    platform::CheckBox Plot::*box;
};

TEST_F(DisplaySwitches, LabelsToggleTheirBoxesAndAGreyedBoxBecomesTicked)
{
    const std::vector<LabelRow> rows = {
        {"Label1", &Plot::Label1, &Plot::Check1},   {"Label2", &Plot::Label2, &Plot::Check2},
        {"Label16", &Plot::Label16, &Plot::Check3}, {"Label19", &Plot::Label19, &Plot::Check6},
        {"Label6", &Plot::Label6, &Plot::Check9},   {"Label11", &Plot::Label11, &Plot::Check10},
        {"Label17", &Plot::Label17, &Plot::Check5}, {"Label20", &Plot::Label20, &Plot::Check7},
        {"Label21", &Plot::Label21, &Plot::Check11},
    };
    Plot& w = shownPlot();
    for (const LabelRow& row : rows) {
        SCOPED_TRACE(row.name);
        platform::CheckBox& box = w.*row.box;
        for (const auto& [from, to] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 1}}) {
            box.setValue(from);
            click(w.*row.label);
            EXPECT_EQ(box.Value(), to) << "from " << from;
        }
    }
}

TEST_F(DisplaySwitches, TheTrackLabelGivesThePlotTheFocusFirst)
{
    Plot& w = shownPlot();
    w.Text3.SetFocus();
    int focusedWhenToggled = -1;
    w.Check7.Click = [&w, &focusedWhenToggled] { focusedWhenToggled = w.Picture1.hasFocus() ? 1 : 0; };
    click(w.Label20);
    EXPECT_EQ(focusedWhenToggled, 1);
}

TEST_F(DisplaySwitches, TickingHTicksBAndLWhichStayTickedWhileHIs)
{
    Plot& w = shownPlot();
    click(w.Check32);
    EXPECT_EQ(w.Check32.Value(), 1);
    EXPECT_EQ(w.Check30.Value(), 1);
    EXPECT_EQ(w.Check31.Value(), 1);
    click(w.Check30);
    EXPECT_EQ(w.Check30.Value(), 1) << "B comes back while H is ticked";
    click(w.Check32);
    click(w.Check31);
    EXPECT_EQ(w.Check31.Value(), 0) << "with H off, L goes off";
    EXPECT_EQ(w.Check30.Value(), 1);
}

TEST_F(DisplaySwitches, AtStartGoesOnlyWithContains)
{
    Plot& w = shownPlot();
    click(w.Check34);
    EXPECT_EQ(w.Check34.Value(), 1);
    EXPECT_EQ(w.Check33.Value(), 1) << "先頭 ticks 含";
    click(w.Check34);
    EXPECT_EQ(w.Check33.Value(), 1) << "unticking 先頭 leaves 含";
    click(w.Check34);
    click(w.Check33);
    EXPECT_EQ(w.Check33.Value(), 0);
    EXPECT_EQ(w.Check34.Value(), 0) << "unticking 含 unticks 先頭";
}

TEST_F(DisplaySwitches, TheCircleBoxShowsItsFieldAndTheLatitudeLabelWorksItOnlyWithSetting6)
{
    Plot& w = shownPlot();
    w.Frame9.setVisible(true);
    w.Check4.setVisible(true);
    ASSERT_FALSE(w.Text14.Visible());
    click(w.Label18);
    EXPECT_EQ(w.Check4.Value(), 0) << "line 6 of the settings is empty";
    Setting6Text = QStringLiteral("1");
    click(w.Label18);
    EXPECT_EQ(w.Check4.Value(), 1);
    EXPECT_TRUE(w.Text14.Visible());
    click(w.Check4);
    EXPECT_FALSE(w.Text14.Visible());
    EXPECT_EQ(redraws, 0);
}

TEST_F(DisplaySwitches, LabelsThatChooseARightClickOption)
{
    Plot& w = shownPlot();
    w.Option5.setValue(true);
    click(w.Label7);
    EXPECT_TRUE(w.Option2.Value());
    click(w.Label4);
    EXPECT_TRUE(w.Option4.Value());
    EXPECT_FALSE(w.Option2.Value());
    EXPECT_TRUE(w.Label4.Caption().startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml")));
}

TEST_F(DisplaySwitches, APressOnAMarkerLabelChoosesTheMarkerAndNamesIt)
{
    Plot& w = shownPlot();
    QTest::mousePress(w.Label24(3).widget(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(w.Label24(3).widget(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(w.Option13(3).Value());
    ASSERT_FALSE(w.Option13(3).Caption().isEmpty());
    EXPECT_EQ(w.Command24.Caption(), w.Option13(3).Caption() + QStringLiteral(" ２重丸"));
}

TEST_F(DisplaySwitches, TheStatusLabelPassesItsMouseEventsToThePlotInPlotUnits)
{
    Plot& w = shownPlot();
    struct Event {
        int button;
        int shift;
        double x;
        double y;
    };
    std::vector<Event> downs;
    std::vector<Event> ups;
    int doubleClicks = 0;
    w.Picture1.MouseDown = [&downs](int b, int s, double x, double y) { downs.push_back({b, s, x, y}); };
    w.Picture1.MouseUp = [&ups](int b, int s, double x, double y) { ups.push_back({b, s, x, y}); };
    w.Picture1.DblClick = [&doubleClicks] { ++doubleClicks; };
    const platform::Canvas& canvas = w.Picture1.canvas();
    w.Label28.setCaption(QStringLiteral("追加"));
    w.Label28.Move(canvas.ScaleLeft() + 10.0, canvas.ScaleTop() + 20.0);
    w.Label28.setVisible(true);

    // A press on the label's top-left pixel reaches the plot at the label's
    // own position (QTest takes the point (0, 0) for the widget's centre).
    w.Label28.MouseDown(1, 1, 0.0, 0.0);
    QTest::mousePress(w.Label28.widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 1));
    QTest::mouseRelease(w.Label28.widget(), Qt::LeftButton, {}, QPoint(10, 4));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_NEAR(downs[0].x, w.Label28.Left(), 1e-9);
    EXPECT_NEAR(downs[0].y, w.Label28.Top(), 1e-9);
    // Both axes take the horizontal scale: 15 and 15 twips, then 150 and 60
    // twips inside the label.
    const double metresPerTwip = canvas.ScaleWidth() / w.Picture1.Width();
    EXPECT_EQ(downs[1].button, 1);
    EXPECT_EQ(downs[1].shift, 1);
    EXPECT_NEAR(downs[1].x, w.Label28.Left() + 15.0 * metresPerTwip, 1e-9);
    EXPECT_NEAR(downs[1].y, w.Label28.Top() + 15.0 * metresPerTwip, 1e-9);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NEAR(ups[0].x, w.Label28.Left() + 150.0 * metresPerTwip, 1e-9);
    EXPECT_NEAR(ups[0].y, w.Label28.Top() + 60.0 * metresPerTwip, 1e-9);

    const QPoint at(2, 2);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, w.Label28.widget()->mapToGlobal(at), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Label28.widget(), &doubleClick);
    EXPECT_EQ(doubleClicks, 1);
}

}  // namespace
}  // namespace tavelcor::viewtest
