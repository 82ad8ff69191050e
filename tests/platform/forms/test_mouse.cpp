// SPDX-License-Identifier: LicenseRef-Tavelcor
// Mouse events: button and shift codes, positions in the control's scale
// (twips, or a picture box's user scale), Click after MouseUp, and DblClick in
// place of the second MouseDown.
#include "sample_form.h"
#include "sample_form_fixture.h"

#include <QMouseEvent>

namespace formstest {
namespace {

class Mouse : public SampleFormTest {
protected:
    static void sendDoubleClick(QWidget* widget, QPoint at)
    {
        QMouseEvent event(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
};

TEST_F(Mouse, PressAndReleaseReportButtonShiftAndTwips)
{
    SampleForm& f = shownForm();
    QWidget* label = f.Label1.widget();
    QTest::mousePress(label, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 6));
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Label1_MouseDown 1 1 150 75"),
                                  QStringLiteral("Label1_MouseUp 1 1 180 90"), QStringLiteral("Label1_Click")}));
}

TEST_F(Mouse, ButtonsAndShiftCombinations)
{
    struct Row {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        int vbButton;
        int vbShift;
        bool clicks;
    };
    const std::vector<Row> rows = {
        {Qt::LeftButton, Qt::NoModifier, 1, 0, true},
        {Qt::RightButton, Qt::ControlModifier, 2, 2, false},
        {Qt::MiddleButton, Qt::AltModifier | Qt::ShiftModifier, 4, 5, false},
        {Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, 1, 6, true},
    };
    SampleForm& f = shownForm();
    for (const Row& row : rows) {
        f.log.clear();
        QTest::mouseClick(f.Label1.widget(), row.button, row.modifiers, QPoint(2, 2));
        const QString down = QStringLiteral("Label1_MouseDown %1 %2 30 30").arg(row.vbButton).arg(row.vbShift);
        EXPECT_EQ(f.log.value(0), down);
        EXPECT_EQ(f.log.contains(QStringLiteral("Label1_Click")), row.clicks) << row.vbButton;
    }
}

TEST_F(Mouse, ReleaseOutsideTheControlIsNoClick)
{
    SampleForm& f = shownForm();
    QTest::mousePress(f.Label1.widget(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(f.Label1.widget(), Qt::LeftButton, {}, QPoint(500, 2));
    // Down and up both reach the control (500 pixels are 7500 twips); only
    // the Click is missing.
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Label1_MouseDown 1 0 30 30"),
                                  QStringLiteral("Label1_MouseUp 1 0 7500 30")}));
}

TEST_F(Mouse, DoubleClickReplacesTheSecondMouseDown)
{
    SampleForm& f = shownForm();
    QWidget* label = f.Label1.widget();
    const QPoint at(4, 4);
    QTest::mousePress(label, Qt::LeftButton, {}, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
    sendDoubleClick(label, at);
    QTest::mouseRelease(label, Qt::LeftButton, {}, at);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Label1_MouseDown 1 0 60 60"), QStringLiteral("Label1_MouseUp 1 0 60 60"),
                                  QStringLiteral("Label1_Click"), QStringLiteral("Label1_DblClick"),
                                  QStringLiteral("Label1_MouseUp 1 0 60 60")}));
}

TEST_F(Mouse, TextBoxDoubleClick)
{
    SampleForm& f = shownForm();
    int doubleClicks = 0;
    f.Text1.DblClick = [&doubleClicks] { ++doubleClicks; };
    sendDoubleClick(f.Text1.widget(), QPoint(5, 5));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(Mouse, PictureBoxReportsItsUserScale)
{
    SampleForm& f = shownForm();
    ASSERT_EQ(f.Picture1.clientPixels(), QSize(200, 120));
    ASSERT_TRUE(f.Picture1.canvas().Scale(-50, 30, 50, -30));  // y grows upwards
    QWidget* client = f.Picture1.clientWidget();
    QTest::mousePress(client, Qt::MiddleButton, Qt::ControlModifier, QPoint(40, 20));
    QTest::mouseMove(client, QPoint(100, 60));
    QTest::mouseRelease(client, Qt::MiddleButton, Qt::ControlModifier, QPoint(100, 60));
    ASSERT_GE(f.log.size(), 3);
    EXPECT_EQ(f.log.first(), QStringLiteral("Picture1_MouseDown 4 2 -30 20"));
    EXPECT_TRUE(f.log.contains(QStringLiteral("Picture1_MouseMove 4 0 0 0"))) << f.log.join(',').toStdString();
    EXPECT_EQ(f.log.last(), QStringLiteral("Picture1_MouseUp 4 2 0 0"));
}

TEST_F(Mouse, MoveWithoutButtonsReportsNone)
{
    SampleForm& f = shownForm();
    ASSERT_TRUE(f.Picture1.canvas().Scale(0, 0, 100, 60));
    QWidget* client = f.Picture1.clientWidget();
    const QPoint at(20, 40);
    QMouseEvent move(QEvent::MouseMove, at, client->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    EXPECT_TRUE(f.log.contains(QStringLiteral("Picture1_MouseMove 0 0 10 20"))) << f.log.join(',').toStdString();
}

TEST_F(Mouse, FormGetsTheMouseWhereNoControlIs)
{
    SampleForm& f = shownForm();
    QStringList formEvents;
    f.MouseDown = [&](int b, int s, double x, double y) {
        formEvents.append(QStringLiteral("%1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y));
    };
    QTest::mouseClick(f.Label1.widget(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseClick(f.window(), Qt::RightButton, {}, QPoint(590, 490));
    EXPECT_EQ(formEvents, QStringList{QStringLiteral("2 0 8850 7350")});
}

// A handler shows the hand while the button is held; the picture's own
// cursor comes back once the pointer moves freely, or when MousePointer is
// set.
TEST_F(Mouse, ASystemCursorLastsUntilTheNextMoveWithoutButtons)
{
    SampleForm& f = shownForm();
    QWidget* client = f.Picture1.clientWidget();
    f.Picture1.setMousePointer(platform::pointer::Cross);
    const auto move = [client](Qt::MouseButtons held) {
        const QPoint at(20, 40);
        QMouseEvent event(QEvent::MouseMove, at, client->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(client, &event);
    };
    f.Picture1.MouseMove = [&f](int buttons, int, double, double) {
        if (buttons == 2)
            f.Picture1.showCursor(platform::SystemCursor::Hand);
        if (buttons == 1)
            f.Picture1.showCursor(platform::SystemCursor::SizeAll);
    };
    move(Qt::RightButton);
    EXPECT_EQ(f.Picture1.shownCursor(), platform::SystemCursor::Hand);
    EXPECT_EQ(client->cursor().shape(), Qt::PointingHandCursor);
    move(Qt::LeftButton);
    EXPECT_EQ(client->cursor().shape(), Qt::SizeAllCursor);
    move(Qt::NoButton);
    EXPECT_FALSE(f.Picture1.shownCursor().has_value());
    EXPECT_EQ(client->cursor().shape(), Qt::CrossCursor);
    f.Picture1.showCursor(platform::SystemCursor::Hand);
    f.Picture1.setMousePointer(platform::pointer::Default);
    EXPECT_FALSE(f.Picture1.shownCursor().has_value());
    EXPECT_EQ(client->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace formstest
