// SPDX-License-Identifier: LicenseRef-Tavelcor
// The mouse wheel on the plot: wheel events sent to Picture1's widget zoom
// about the cursor with a snapshot preview, and Timer6's tick does the one
// deferred redraw.  Also the window utilities of the same file.
#include "view_fixture.h"

#include "main/render/wheel_zoom.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <vector>

namespace tavelcor::viewtest {
namespace {

class WheelZoom : public ViewTest {
protected:
    Plot& hookedPlot()
    {
        Plot& w = shownPlot();
        HookWheel();
        return w;
    }

    // A wheel event at a pixel of the plot's picture (inside its border),
    // delivered to `target` (Picture1's widget unless given).
    static void wheel(Plot& w, QPointF pictureCursor, QPoint angleDelta, QWidget* target = nullptr)
    {
        QWidget* receiver = target ? target : w.Picture1.widget();
        const QPointF global = w.Picture1.clientWidget()->mapToGlobal(pictureCursor);
        QWheelEvent event(receiver->mapFromGlobal(global), global, QPoint(), angleDelta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(receiver, &event);
    }
    static void wheel(Plot& w, QPointF pictureCursor, int delta) { wheel(w, pictureCursor, QPoint(0, delta)); }

    static QPointF centrePixel(const Plot& w)
    {
        const QSize size = w.Picture1.clientPixels();
        return QPointF(size.width() / 2, size.height() / 2);
    }

    // Metres per pixel of the plot as the wheel measures the cursor.
    static double metresPerPixel(const Plot& w) { return ViewSpanX / w.Picture1.clientPixels().height(); }

    // Leftmost and rightmost column holding a red pixel, -1 when none.  The
    // preview draws the snapshot smoothed, as raster images are, so a red
    // line on white shrunk to half comes out pink: red is taken as a red
    // channel well above the green one.
    static std::pair<int, int> redColumns()
    {
        const QImage& image = plot().Picture1.canvas().image();
        int left = INT_MAX;
        int right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qRed(pixel) - qGreen(pixel) >= 64 && qBlue(pixel) == qGreen(pixel)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        return {right < 0 ? -1 : left, right};
    }
};

TEST_F(WheelZoom, OneNotchForwardAtTheCentreHalvesTheExtentsAndKeepsTheCentre)
{
    Plot& w = hookedPlot();
    const double spanX = ViewSpanX;
    const double spanY = ViewSpanY;
    const double cx = ViewCX;
    const double cy = ViewCY;
    const double pixel = metresPerPixel(w);
    wheel(w, centrePixel(w), 120);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX / 2);
    EXPECT_DOUBLE_EQ(ViewSpanY, spanY / 2);
    EXPECT_NEAR(ViewCX, cx, pixel);
    EXPECT_NEAR(ViewCY, cy, pixel);
    // The snapshot: the picture as it was, registered with the view it showed.
    EXPECT_EQ(RedrawCause, 2);
    EXPECT_EQ(HaikeiFile(3, 0), WorkFolder + QStringLiteral("/TEMP.BMP"));
    EXPECT_TRUE(QFileInfo::exists(HaikeiFile(3, 0)));
    EXPECT_DOUBLE_EQ(HaikeiXMin(3, 0), cx - spanX / 2);
    EXPECT_DOUBLE_EQ(HaikeiXMax(3, 0), cx + spanX / 2);
    EXPECT_DOUBLE_EQ(HaikeiYMin(3, 0), cy - spanY / 2);
    EXPECT_DOUBLE_EQ(HaikeiYMax(3, 0), cy + spanY / 2);
    EXPECT_TRUE(w.Timer6.isRunning());
    EXPECT_EQ(redraws, 0) << "a wheel step never runs the full redraw";
}

TEST_F(WheelZoom, OneNotchBackAtTheTopLeftCornerKeepsTheCornerWhereItIs)
{
    Plot& w = hookedPlot();
    const double north = ViewCX + ViewSpanX / 2;
    const double west = ViewCY - ViewSpanY / 2;
    const double spanX = ViewSpanX;
    wheel(w, QPointF(0, 0), -120);
    EXPECT_DOUBLE_EQ(ViewSpanX, 2 * spanX);
    EXPECT_NEAR(ViewCX + ViewSpanX / 2, north, 1e-3);
    EXPECT_NEAR(ViewCY - ViewSpanY / 2, west, 1e-3);
}

TEST_F(WheelZoom, OnlyTheSignOfTheTurnCounts)
{
    struct Row {
        int delta;
        double factor;
    };
    Plot& w = hookedPlot();
    for (const Row row : {Row{240, 0.5}, Row{1, 0.5}, Row{-360, 2.0}, Row{-1, 2.0}}) {
        SCOPED_TRACE(row.delta);
        const double spanX = ViewSpanX;
        wheel(w, centrePixel(w), row.delta);
        EXPECT_DOUBLE_EQ(ViewSpanX, spanX * row.factor);
    }
}

TEST_F(WheelZoom, ASidewaysTurnPassesWithoutASnapshot)
{
    Plot& w = hookedPlot();
    const double spanX = ViewSpanX;
    wheel(w, centrePixel(w), QPoint(120, 0));
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX);
    EXPECT_EQ(RedrawCause, 0);
    EXPECT_TRUE(HaikeiFile(3, 0).isEmpty());
}

TEST_F(WheelZoom, ZoomingInBelowTheFloorStopsAtTwelveCentimetresAfterThePreview)
{
    Plot& w = hookedPlot();
    ViewSpanX = 0.2;
    ViewSpanY = 0.2;
    crtplot();
    const double cx = ViewCX;
    // The cursor a quarter of the height above the centre.
    const QPointF cursor = centrePixel(w) - QPointF(0, w.Picture1.clientPixels().height() / 4);
    const auto plotCursor = C_position(w, w.Picture1.clientWidget()->mapToGlobal(cursor));
    ASSERT_TRUE(plotCursor.has_value());
    const double cursorX = OriginX - plotCursor->y();
    ASSERT_GT(cursorX, cx + 0.04);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("これ以上拡大できません"));
    wheel(w, cursor, 120);
    EXPECT_DOUBLE_EQ(ViewSpanX, 0.12);
    EXPECT_NEAR(ViewCX, (cx + cursorX) / 2, 1e-6) << "the centre moved halfway to the cursor";
    EXPECT_TRUE(w.Timer6.isRunning()) << "the deferred redraw shows the floored view";
}

TEST_F(WheelZoom, ARunOfStepsCostsOneRedrawAfterTheTimerTick)
{
    Plot& w = hookedPlot();
    const double spanX = ViewSpanX;
    for (int step = 0; step < 5; ++step) {
        const double before = ViewCX;
        wheel(w, centrePixel(w) + QPointF(20, 0), 120);
        EXPECT_DOUBLE_EQ(HaikeiXMin(3, 0), before - ViewSpanX) << "each preview saves the previous one";
    }
    EXPECT_EQ(redraws, 0);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX / 32);
    ASSERT_TRUE(w.Timer6.Enabled());
    EXPECT_EQ(w.Timer6.Interval(), 300);

    w.Timer6.Timer();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(causeDuringRedraw, 9) << "the deferred redraw keeps the picture";
    EXPECT_EQ(RedrawCause, 0);
    EXPECT_FALSE(w.Timer6.Enabled());
    EXPECT_EQ(w.Timer6.Interval(), 300);
}

TEST_F(WheelZoom, ThePreviewShowsTheOldPictureShrunkOrEnlargedAboutTheCursor)
{
    Plot& w = hookedPlot();
    addLine(0.0, -40.0, 0.0, 40.0, 12);  // red, across the centre
    crtplot();
    redraws = 0;
    const auto [left, right] = redColumns();
    ASSERT_GT(right - left, 100);
    const int middle = (left + right) / 2;

    wheel(w, centrePixel(w), -120);
    const auto [smallLeft, smallRight] = redColumns();
    EXPECT_NEAR(smallRight - smallLeft, (right - left) / 2.0, 2.0);
    EXPECT_NEAR((smallLeft + smallRight) / 2.0, middle, 2.0);
    EXPECT_EQ(redraws, 0) << "the preview is the snapshot, not a redraw";

    // Back in: the shrunk preview is enlarged to the first scale again.
    wheel(w, centrePixel(w), 120);
    const auto [bigLeft, bigRight] = redColumns();
    EXPECT_NEAR(bigRight - bigLeft, right - left, 4.0);
}

// A real turn over a label on the plot climbs from the label to the picture
// area inside the border, where the filter takes it as well.
TEST_F(WheelZoom, ATurnReachingThePictureAreaInsideTheBorderZoomsToo)
{
    Plot& w = hookedPlot();
    const double spanX = ViewSpanX;
    wheel(w, centrePixel(w), QPoint(0, 120), w.Picture1.clientWidget());
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX / 2);
}

// A turn with the cursor over a control of the side panel, delivered to that
// control as the window system does, zooms about the cursor all the same:
// the point under it keeps its site coordinates.  The control itself is left
// as it was.
TEST_F(WheelZoom, ATurnOverTheSidePanelZoomsAboutTheCursor)
{
    Plot& w = hookedPlot();
    QWidget* control = w.Check1.widget();
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(control->isVisible());
    ASSERT_TRUE(w.protprp.widget()->isAncestorOf(control));
    const int value = w.Check1.Value();
    const QPointF global = control->mapToGlobal(QPointF(control->width() / 2.0, control->height() / 2.0));
    const auto before = C_position(w, global);
    ASSERT_TRUE(before.has_value());
    const double spanX = ViewSpanX;
    const double spanY = ViewSpanY;
    const double pixel = metresPerPixel(w);

    QWheelEvent event(control->mapFromGlobal(global), global, QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(control, &event);

    EXPECT_DOUBLE_EQ(ViewSpanX, 2 * spanX);
    EXPECT_DOUBLE_EQ(ViewSpanY, 2 * spanY);
    EXPECT_EQ(RedrawCause, 2) << "the snapshot preview";
    const auto after = C_position(w, global);
    ASSERT_TRUE(after.has_value());
    EXPECT_NEAR(after->x(), before->x(), 2 * pixel) << "the point under the cursor stays";
    EXPECT_NEAR(after->y(), before->y(), 2 * pixel);
    EXPECT_EQ(w.Check1.Value(), value);
}

// Another window of the program keeps its own wheel.
TEST_F(WheelZoom, ATurnOverAnotherWindowDoesNotZoom)
{
    Plot& w = hookedPlot();
    QWidget other;
    other.resize(200, 100);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    const double spanX = ViewSpanX;
    const QPointF global = other.mapToGlobal(QPointF(100, 50));
    QWheelEvent event(QPointF(100, 50), global, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&other, &event);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX);
    EXPECT_EQ(RedrawCause, 0);
    (void)w;
}

// A work folder that cannot be written: the step still zooms, but the old
// snapshot is not drawn at the new view's extent.
TEST_F(WheelZoom, ASnapshotThatCannotBeSavedIsNotRegistered)
{
    Plot& w = hookedPlot();
    addLine(0.0, -40.0, 0.0, 40.0, 12);  // red, across the centre
    crtplot();
    QFile blocker(SiteFolder + QStringLiteral("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    WorkFolder = blocker.fileName() + QStringLiteral("/Eld");
    HaikeiFile(3, 0) = QStringLiteral("stale.bmp");
    const double spanX = ViewSpanX;
    wheel(w, centrePixel(w), -120);
    EXPECT_DOUBLE_EQ(ViewSpanX, 2 * spanX);
    EXPECT_TRUE(HaikeiFile(3, 0).isEmpty());
    EXPECT_EQ(redColumns().second, -1) << "the preview is blank";
    w.Timer6.Timer();
    EXPECT_NE(redColumns().second, -1) << "the deferred redraw draws the site";
}

TEST_F(WheelZoom, HookingTwiceStepsOnceAndUnhookingStopsTheZoom)
{
    Plot& w = hookedPlot();
    HookWheel();
    EXPECT_TRUE(wheelHooked());
    const double spanX = ViewSpanX;
    wheel(w, centrePixel(w), 120);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX / 2);
    UnhookWheel();
    EXPECT_FALSE(wheelHooked());
    wheel(w, centrePixel(w), 120);
    EXPECT_DOUBLE_EQ(ViewSpanX, spanX / 2);
    UnhookWheel();  // a second time does nothing
}

TEST_F(WheelZoom, TheCursorAtThePictureCentreIsTheViewCentreInPlotUnits)
{
    Plot& w = shownPlot();
    const QPointF global = w.Picture1.clientWidget()->mapToGlobal(centrePixel(w));
    const auto cursor = C_position(w, global);
    ASSERT_TRUE(cursor.has_value());
    const double pixel = metresPerPixel(w);
    EXPECT_NEAR(cursor->x(), ViewCY - OriginY, 2 * pixel);
    EXPECT_NEAR(cursor->y(), OriginX - ViewCX, 2 * pixel);
}

// The window system is asked to keep the window on top, and to let it go.
TEST_F(WheelZoom, TopMostAsksTheWindowSystemToKeepTheWindowOnTop)
{
    Plot& w = shownPlot();
    SetTopMost(w);
    EXPECT_TRUE(w.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.Visible());
    SetNotTopMost(w);
    EXPECT_FALSE(w.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.Visible());
}

TEST_F(WheelZoom, TheWorkAreaIsTheScreensAreaLessItsPanels)
{
    const auto area = GetWorkArea();
    ASSERT_TRUE(area.has_value());
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(area->left, available.left());
    EXPECT_EQ(area->top, available.top());
    EXPECT_EQ(area->right, available.right() + 1);
    EXPECT_EQ(area->bottom, available.bottom() + 1);
}

// A work area that cannot be had is reported with the stop icon, and no
// area is given.
TEST_F(WheelZoom, AWorkAreaThatCannotBeHadIsReported)
{
    platform::setWorkAreaSource([] { return std::optional<platform::WorkArea>{}; });
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("ワークエリアの取得に失敗しました。"));
    const auto area = GetWorkArea();
    platform::setWorkAreaSource(nullptr);
    EXPECT_FALSE(area.has_value());
    ASSERT_EQ(script().records().size(), 1U);
    const platform::PromptRecord& shown = script().records().front();
    EXPECT_EQ(shown.title, QStringLiteral("APIs No.1 エラー報告"));
    EXPECT_EQ(shown.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(shown.buttons, platform::MsgButtons::OkOnly);
    EXPECT_TRUE(GetWorkArea().has_value()) << "the screen's own again";
}

}  // namespace
}  // namespace tavelcor::viewtest
