// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point-move window XYIN2 behind the point panel's "XY入力": a point
// picked for moving (as the plot's move pick leaves it), the window shown
// modally and worked as a user does, the point drawn at its new place.
#include "edit_dialogs_fixture.h"

#include "main/edit/xyin2.h"
#include "platform/canvas/colors.h"

namespace tavelcor::edittest {
namespace {

class MoveWindow : public EditDialogs {
protected:
    void SetUp() override
    {
        EditDialogs::SetUp();
        ViewSpanX = ViewSpanY = 200.0;
    }

    // The move pick of the plot: point i remembered with its position, its
    // position offered in the window, "XY入力" shown.
    static void pick(int i)
    {
        MovePoint = i;
        MoveOldX = PointX[i];
        MoveOldY = PointY[i];
        MovedPoint = 0;
        xyin2().showPickedPosition(OriginX + PointX[i], OriginY + PointY[i]);
        plot().Command47.setVisible(true);
    }

    // The main window with the point panel open and the points drawn.
    Plot& panel()
    {
        Plot& w = shownPlot();
        w.Frame2.setVisible(false);
        w.Frame4.setVisible(true);
        w.Option11.setValue(true);
        w.Check12.setValue(1);
        crtplot();
        redraws = 0;
        return w;
    }

    // "XY入力" pressed; `act` works the window while it is shown.
    void pressKeyIn(Plot& w, std::function<void(XYIN2&)> act)
    {
        script().expectModal(platform::onForm<XYIN2>(std::move(act)), QStringLiteral("XYIN"));
        click(w.Command47);
    }

    static QString label(int i) { return QLatin1Char(' ') + PointName[i] + PointName2[i]; }
};

TEST_F(MoveWindow, TheOfferedPositionMovesThePointAndDrawsItThere)
{
    // Absolute 12345.678 N, -6789.5 E.
    const int i = addPoint(QStringLiteral("K7"), 12345.678 - kOriginX, -6789.5 - kOriginY);
    const int other = addPoint(QStringLiteral("M1"), 2345.0 - kOriginX, -6700.0 - kOriginY);
    ViewCX = 12300.0;
    ViewCY = -6750.0;
    Plot& w = panel();
    ASSERT_TRUE(printedAt(PointX[i], PointY[i], label(i), platform::QBColor(0), PointFontSize));
    pick(i);
    w.Label28.setCaption(QStringLiteral(" 移動"));
    pressKeyIn(w, [i, &w](XYIN2& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral(" 12345"));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("-6790"));
        EXPECT_NEAR(f.Top(), w.Top() + 100.0, 15.0);
        EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 100.0, 15.0);
        click(f.Command1);
        EXPECT_FALSE(f.Visible()) << "移動 hides the window";
        EXPECT_EQ(MovePoint, 0);
        EXPECT_EQ(MovedPoint, i);
    });
    EXPECT_DOUBLE_EQ(PointX[i] + OriginX, 12345.0);
    EXPECT_DOUBLE_EQ(PointY[i] + OriginY, -6790.0);
    EXPECT_DOUBLE_EQ(MoveOldX, 12345.678 - kOriginX) << "kept for the panel's cancel";
    EXPECT_DOUBLE_EQ(MoveOldY, -6789.5 - kOriginY);
    EXPECT_DOUBLE_EQ(PointX[other], 2345.0 - kOriginX);
    EXPECT_TRUE(w.Command31.Visible()) << "取消 can take the move back";
    EXPECT_EQ(w.Label28.Caption(), QString());
    EXPECT_FALSE(w.Command47.Visible());
    EXPECT_TRUE(printedAt(PointX[i], PointY[i], label(i), platform::QBColor(0), PointFontSize));
    EXPECT_FALSE(printedAt(MoveOldX, MoveOldY, label(i), platform::QBColor(0), PointFontSize))
        << "the old drawing is wiped";
    EXPECT_EQ(redraws, 0) << "no full redraw";
}

TEST_F(MoveWindow, AMeasuredPointIsDrawnWithItsLabelInRed)
{
    const int i = addPoint(QStringLiteral("K7"), 10.0, 10.0, 2, QStringLiteral("済"));
    Plot& w = panel();
    pick(i);
    pressKeyIn(w, [](XYIN2& f) {
        f.Text1.setText(QString::number(kOriginX - 20.0));
        f.Text2.setText(QString::number(kOriginY + 30.0));
        click(f.Command1);
    });
    EXPECT_DOUBLE_EQ(PointX[i], -20.0);
    EXPECT_DOUBLE_EQ(PointY[i], 30.0);
    EXPECT_TRUE(printedAt(-20.0, 30.0, label(i), platform::QBColor(12), PointFontSize));
}

TEST_F(MoveWindow, TargetsOneHundredKilometresFromTheViewCentreAreRefusedSilently)
{
    const int i = addPoint(QStringLiteral("K7"), 10.0, 10.0);
    Plot& w = panel();
    pick(i);
    pressKeyIn(w, [i](XYIN2& f) {
        f.Text1.setText(QString::number(ViewCX + 100000.0, 'f', 2));
        click(f.Command1);
        EXPECT_TRUE(f.Visible()) << "the window stays";
        EXPECT_DOUBLE_EQ(PointX[i], 10.0);
        EXPECT_EQ(MovePoint, i);
        f.Text1.setText(QString::number(ViewCX + 99999.99, 'f', 2));
        click(f.Command1);
        EXPECT_FALSE(f.Visible());
    });
    EXPECT_NEAR(PointX[i] + OriginX, ViewCX + 99999.99, 1e-6);
}

TEST_F(MoveWindow, MovingWithNothingPickedSaysSoAndKeepsTheWindow)
{
    addPoint(QStringLiteral("K7"), 10.0, 10.0);
    Plot& w = panel();
    w.Command47.setVisible(true);
    pressKeyIn(w, [this](XYIN2& f) {
        script().expectMessage(platform::MsgResult::Ok, QStringLiteral("移動番０"));
        click(f.Command1);
        EXPECT_TRUE(f.Visible());
        click(f.Command2);
    });
    EXPECT_DOUBLE_EQ(PointX[1], 10.0);
    EXPECT_FALSE(w.Command31.Visible());
}

// A pick whose point has been taken back since (by Undo) names no point.
TEST_F(MoveWindow, APickBeyondThePointsInUseCountsAsNone)
{
    addPoint(QStringLiteral("K7"), 10.0, 10.0);
    Plot& w = panel();
    pick(1);
    PointCount = 0;
    pressKeyIn(w, [this](XYIN2& f) {
        script().expectMessage(platform::MsgResult::Ok, QStringLiteral("移動番０"));
        click(f.Command1);
        click(f.Command2);
    });
    EXPECT_DOUBLE_EQ(PointX[1], 10.0);
}

TEST_F(MoveWindow, CancelLeavesThePointAndClosingDropsThePick)
{
    const int i = addPoint(QStringLiteral("K7"), 10.0, 10.0);
    Plot& w = panel();
    pick(i);
    pressKeyIn(w, [i](XYIN2& f) {
        f.Text1.setText(QStringLiteral("0"));
        click(f.Command2);
        EXPECT_EQ(MovePoint, i);
        EXPECT_DOUBLE_EQ(PointX[i], 10.0);
    });
    EXPECT_FALSE(w.Command47.Visible());
    EXPECT_EQ(MovePoint, 0);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_FALSE(w.Command31.Visible());
}

TEST_F(MoveWindow, TheFieldsSelectTheirTextOnFocus)
{
    const int i = addPoint(QStringLiteral("K7"), 10.0, 10.0);
    Plot& w = panel();
    pick(i);
    pressKeyIn(w, [](XYIN2& f) {
        f.Text2.SetFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(f.Text2.SelLength(), f.Text2.Text().size());
        f.Text1.SetFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(f.Text1.SelLength(), f.Text1.Text().size());
        click(f.Command2);
    });
}

}  // namespace
}  // namespace tavelcor::edittest
