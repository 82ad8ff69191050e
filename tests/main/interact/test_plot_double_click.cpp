// SPDX-License-Identifier: LicenseRef-Tavelcor
// The plot's double click and arrow keys through the main window: the point
// add of the double-click input (its position, precision, snap, cut and
// backup flag), the end of an elevation-profile route against a local
// elevation server, the end of a line chain, and the arrow keys' pan.
#include "line_rows.h"
#include "interact_fixture.h"
#include "local_http_server.h"

#include "main/background/web_services.h"
#include "main/interact/plot_double_click.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/desktop/system_clipboard.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"

#include <QRegularExpression>

#include <vector>

namespace tavelcor::interacttest {
namespace {

using testing_support::LocalHttpServer;

constexpr double kR0 = 0.5;  // HitRadius 10 on a view 100 m high
const QString kDropQuestion = QStringLiteral("線上にポイントを落としますか?");

class DoubleClick : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        HitRadius = 10;
    }

    // The point panel on 追加 with "ピック" ticked, the points and lines shown.
    Plot& addMode(int dblClickInput)
    {
        DblClickInput = static_cast<std::uint8_t>(dblClickInput);
        Plot& w = shownPlot();
        openPanel(w.Frame4, &w.Option12);
        w.Check12.setValue(platform::check::Checked);
        w.Check13.setValue(platform::check::Checked);
        w.Check24.setValue(platform::check::Checked);
        w.Check29.setValue(platform::check::Unchecked);
        return w;
    }


    // A press at plot (north, east), then the double click.
    static void doubleClickAt(double north, double east)
    {
        pressAt(1, north, east);
        Plot& w = plot();
        ASSERT_TRUE(w.Picture1.DblClick);
        w.Picture1.DblClick();
    }

    // A double click at the middle of the plot as the window system
    // delivers it: press, release, double-click press, release.
    static void doubleClickMiddle()
    {
        // The picture box's drawing surface fills its frame.
        QWidget* frame = plot().Picture1.widget();
        QWidget* widget = frame->childAt(frame->width() / 2, frame->height() / 2);
        ASSERT_NE(widget, nullptr);
        const QPoint at(widget->width() / 2, widget->height() / 2);
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &second);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }

    static std::vector<int> history()
    {
        std::vector<int> kinds;
        for (int p = 1; p <= UndoPos; ++p)
            kinds.push_back(UndoKind[p]);
        return kinds;
    }
};

TEST_F(DoubleClick, WithSinglePressInputTheDoubleClickAddsExactlyOnePointFromItsPress)
{
    addMode(0);
    doubleClickMiddle();
    ASSERT_EQ(PointCount, 1);
    EXPECT_FLOAT_EQ(static_cast<float>(PointX[1]), -PressY);
    EXPECT_FLOAT_EQ(static_cast<float>(PointY[1]), PressX);
    EXPECT_EQ(history(), std::vector<int>{11});
}

TEST_F(DoubleClick, WithDoubleClickInputThePressAddsNothingAndTheDoubleClickAddsAtIt)
{
    Plot& w = addMode(1);
    w.Check24.setValue(platform::check::Unchecked);
    PointChanged = 0;
    pressAt(1, 3.0, 4.0);
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(DragZoomArmed, 1) << "the press is an idle press";
    w.Picture1.DblClick();
    ASSERT_EQ(PointCount, 1);
    EXPECT_DOUBLE_EQ(PointX[1], 3.0);
    EXPECT_DOUBLE_EQ(PointY[1], 4.0);
    EXPECT_EQ(PointChanged, 1) << "the point table is due for the backup, as after a press add";
    EXPECT_EQ(history(), std::vector<int>{11});
    EXPECT_TRUE(w.Command32.Visible());

    doubleClickMiddle();  // as the window system delivers it
    EXPECT_EQ(PointCount, 2);
}

TEST_F(DoubleClick, AnEndTwoAndAHalfRadiiAwayIsTakenExactlyWithoutAQuestion)
{
    addMode(1);
    // An end single precision cannot hold; a line passing under the press
    // would be offered if the snap had not found the end.
    putLine(1, 2.5 * kR0 + 1.23456789e-7, 0.0, 30.0, 0.0);
    putLine(2, 0.1, -10.0, 0.1, 10.0);
    doubleClickAt(0.0, 0.0);
    ASSERT_EQ(PointCount, 1);
    EXPECT_EQ(PointX[1], LineX1[1]);
    EXPECT_EQ(LineNext, 3);
    EXPECT_TRUE(script().records().empty());
}

TEST_F(DoubleClick, WithoutAnEndTheLineSearchAsksAndCuts)
{
    addMode(1);
    putLine(1, 0.1, -10.0, 0.1, 10.0, 4);
    script().expectMessage(platform::MsgResult::Yes, kDropQuestion);
    doubleClickAt(0.0, 2.0);
    EXPECT_EQ(history(), (std::vector<int>{125, 126, 11}));
    EXPECT_DOUBLE_EQ(LineY2[1], 2.0);
    EXPECT_EQ(LineColor[2], 4);
    EXPECT_DOUBLE_EQ(PointX[1], 0.1) << "the foot in double precision";
}

TEST_F(DoubleClick, TheGpsFixIsTakenOnlyWithoutPick)
{
    Plot& w = addMode(1);
    w.Check29.setValue(platform::check::Checked);
    GpsCount = 3;
    GpsX[3] = 1.0F;
    GpsY[3] = 1.0F;
    doubleClickAt(0.0, 0.0);  // "ピック" and "Ｇ" on: neither snap nor fix
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    w.Check24.setValue(platform::check::Unchecked);
    doubleClickAt(0.5, 0.0);
    EXPECT_DOUBLE_EQ(PointX[2], 1.0);
    EXPECT_DOUBLE_EQ(PointY[2], 1.0);
}

TEST_F(DoubleClick, OnTheLinePanelTheChainEndsInEveryOption)
{
    Plot& w = shownPlot();
    openPanel(w.Frame10, nullptr);
    for (platform::OptionButton* option : {&w.Option20, &w.Option21, &w.Option6, &w.Option25}) {
        option->setValue(true);
        LineRubber = 1;
        w.Picture1.DblClick();
        EXPECT_EQ(LineRubber, 0) << option->Name().toStdString();
    }
    EXPECT_EQ(LineNext, 1) << "no line is added";
}

TEST_F(DoubleClick, ThePointPanelWithSinglePressInputChangesNothingButTheCompaction)
{
    Plot& w = addMode(0);
    LineRubber = 1;
    UndoPos = UndoTop = 15000;
    w.Picture1.DblClick();
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(LineRubber, 1);
    EXPECT_EQ(UndoPos, 10000);
}

// The route drawn in the line panel, ended by the double click: the profile
// is built along the lines from RouteFirst to the last line drawn, which
// stay in the table, and the line panel closes.
class RouteEnd : public DoubleClick {
protected:
    void SetUp() override
    {
        DoubleClick::SetUp();
        ASSERT_TRUE(server.isListening());
        saved = webServices();
        webServices().elevationBase = server.base();
        webServices().timeoutMs = 2000;
        server.setHandler([this](const QByteArray&) {
            ++asked;
            return LocalHttpServer::Reply{200, R"({"elevation":)" + QByteArray::number(20 + asked) + R"(,"hsrc":"5m"})"};
        });
        ZoneNo = 9;
        DanmenMaxPoints = 50;
        DanmenFixedPitch = 20;
        starter.install(platform::executableFolder() + QStringLiteral("/tavelcor"));
    }

    void TearDown() override
    {
        webServices() = saved;
        DoubleClick::TearDown();
    }

    LocalHttpServer server;
    WebServices saved;
    platform::RecordingProcessStarter starter;
    platform::ScopedProcessStarter starterScope{starter};
    int asked = 0;
};

TEST_F(RouteEnd, TheDoubleClickBuildsTheProfileAndKeepsTheRoute)
{
    Plot& w = shownPlot();
    openPanel(w.Frame10, &w.Option20);
    putLine(1, -40.0, -40.0, -40.0, -30.0);  // drawn before the route
    LineSubState = 2;
    RouteFirst = 2;
    putLine(2, 0.0, 0.0, 40.0, 0.0);
    putLine(3, 40.0, 0.0, 40.0, 20.0);
    LineRubber = 1;
    script().expectMessage(platform::MsgResult::No, QStringLiteral("軌道を出力する= ok 出力しない= CANCEL"));
    w.Picture1.DblClick();
    EXPECT_EQ(RouteFirst, 2);
    EXPECT_EQ(RouteLast, 3);
    EXPECT_EQ(LineNext, 4) << "the route's lines stay";
    EXPECT_DOUBLE_EQ(LineX2[3], 40.0);
    EXPECT_GT(asked, 0);
    const QString handedOver = platform::SystemClipboard().text();
    EXPECT_TRUE(handedOver.contains(QRegularExpression(QStringLiteral("\r\nA01,\\d+,3,\\d+,60,\r\n"))))
        << "the route's end, 60 m along it";
    EXPECT_EQ(starter.starts().size(), 1U);
    EXPECT_TRUE(platform::SystemClipboard().text().startsWith(QStringLiteral("Z00,NEW_SIMA")));
    EXPECT_EQ(LineSubState, 0);
    EXPECT_EQ(LineRubber, 0);
    EXPECT_FALSE(w.Frame10.Visible()) << "the line panel closed";
    EXPECT_TRUE(w.Frame2.Visible());
}

// ---- arrow keys ------------------------------------------------------------

TEST_F(DoubleClick, TheArrowKeysPanByTheNorthExtentOverTwoPointSevenFive)
{
    Plot& w = shownPlot();
    const double step = 300.0 / 2.75;
    struct Row {
        int key;
        double north, east;
    };
    const Row rows[] = {{38, step, 0.0}, {39, 0.0, step}, {40, -step, 0.0}, {37, 0.0, -step}, {65, 0.0, 0.0},
                        {13, 0.0, 0.0}};
    for (int shift : {0, 1, 2}) {
        for (const Row& row : rows) {
            // The redraw fits the extents to the plot's shape: each row starts
            // from a view 300 m high.
            ViewCX = kOriginX;
            ViewCY = kOriginY;
            ViewSpanX = 300.0;
            ViewSpanY = 500.0;
            int key = row.key;
            w.Picture1.KeyDown(key, shift);
            EXPECT_NEAR(ViewCX, kOriginX + row.north, 1e-9) << row.key << " shift " << shift;
            EXPECT_NEAR(ViewCY, kOriginY + row.east, 1e-9) << row.key << " shift " << shift;
        }
    }
}

TEST_F(DoubleClick, TheUpKeyOnThePlotPansNorth)
{
    Plot& w = shownPlot();
    ASSERT_TRUE(w.Picture1.SetFocus());
    QCoreApplication::processEvents();
    // The picture box's frame hands its focus to the drawing surface.
    QWidget* surface = QApplication::focusWidget();
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->focusProxy(), nullptr);
    QTest::keyClick(surface, Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_NEAR(ViewCX, kOriginX + 100.0 / 2.75, 1e-9);
}

}  // namespace
}  // namespace tavelcor::interacttest
