// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/wheel_zoom.h"

#include "main/render/background_step.h"
#include "main/render/plot_render.h"
#include "main/render/view_navigation.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/prompt/prompter.h"
#include "platform/system/folders.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>
#include <exception>

namespace tavelcor {

namespace {

constexpr int kSnapshotSlot = 3;
constexpr int kSnapshotRow = 0;
constexpr std::uint8_t kCauseNormal = 0;
constexpr std::uint8_t kCauseSnapshot = 2;
constexpr std::uint8_t kCauseDeferred = 9;

// Takes the wheel events of every widget of the main window (the plot, the
// labels on it, the side panel's controls: the zoom follows the cursor
// wherever it is over the window) and lets every other event pass.  It
// watches the application, as the controls keep their wheel events from
// their containers; other windows keep theirs.
class WheelFilter final : public QObject {
public:
    WheelFilter(Plot& window, QObject* parent) : QObject(parent), mWindow(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window system's own window object sees the event before the
        // widget under the cursor does; only the widget's delivery counts.
        if (event->type() != QEvent::Wheel || !watched->isWidgetType())
            return QObject::eventFilter(watched, event);
        const QWidget* target = static_cast<const QWidget*>(watched);
        if (target->window() != mWindow.window())
            return false;
        const auto* wheel = static_cast<QWheelEvent*>(event);
        // Only the vertical wheel zooms; a sideways turn or an event that
        // carries no turn (the start or end of a touchpad gesture) passes.
        const int delta = wheel->angleDelta().y();
        if (delta == 0)
            return false;
        if (!mWindow.takesEvents())
            return true;
        // Nothing may leave the filter: it runs outside any event handler.
        try {
            if (const auto cursor = C_position(mWindow, wheel->globalPosition()))
                WheelWndProc(mWindow, delta, *cursor);
        } catch (const std::exception& e) {
            qWarning() << "mouse wheel:" << e.what();
        } catch (...) {
            qWarning() << "mouse wheel: unknown error";
        }
        return true;
    }

private:
    Plot& mWindow;
};

struct Hook {
    QPointer<WheelFilter> filter;
    const Plot* window = nullptr;
};

Hook& hook()
{
    static Hook h;
    return h;
}

QString workFolderPath()
{
    return WorkFolder.isEmpty() ? platform::workFolder() : WorkFolder;
}

// Saves the plot's picture and registers it as background slot 3, row 0
// with the extent of the view it shows.
void takeSnapshot(Plot& window)
{
    RedrawCause = kCauseNormal;
    const QString folder = workFolderPath();
    const QString path = folder + QStringLiteral("/TEMP.BMP");
    const bool saved = platform::ensureFolder(folder) && window.Picture1.canvas().SavePicture(path);
    RedrawCause = kCauseSnapshot;
    HaikeiFile(kSnapshotSlot, kSnapshotRow) = saved ? path : QString();
    HaikeiXMin(kSnapshotSlot, kSnapshotRow) = ViewCX - ViewSpanX / 2;
    HaikeiYMin(kSnapshotSlot, kSnapshotRow) = ViewCY - ViewSpanY / 2;
    HaikeiXMax(kSnapshotSlot, kSnapshotRow) = ViewCX + ViewSpanX / 2;
    HaikeiYMax(kSnapshotSlot, kSnapshotRow) = ViewCY + ViewSpanY / 2;
}

// The snapshot drawn at the new view at once: the background drawing's
// layer code 0.
void preview(Plot& window)
{
    std::uint8_t snapshot = 0;
    render::drawBackgroundLayer(plotFace(), snapshot);
    window.Timer6.setEnabled(true);
}

}  // namespace

void HookWheel()
{
    Plot& window = plot();
    Hook& h = hook();
    if (h.filter && h.window == &window)
        return;
    UnhookWheel();
    QWidget* outer = window.Picture1.widget();
    if (!outer || !qApp)
        return;
    // The filter belongs to the plot's widget and goes with it.
    auto* filter = new WheelFilter(window, outer);
    qApp->installEventFilter(filter);
    h.filter = filter;
    h.window = &window;
}

void UnhookWheel()
{
    Hook& h = hook();
    if (h.filter)
        delete h.filter.data();  // the application forgets a filter that is gone
    h.filter = nullptr;
    h.window = nullptr;
}

bool wheelHooked()
{
    const Hook& h = hook();
    const Plot* loaded = plotForm().ifLoaded();
    return h.filter && loaded && h.window == loaded;
}

std::optional<QPointF> C_position(Plot& window, QPointF globalPixels)
{
    render::justsc(plotFace());
    const QWidget* client = window.Picture1.clientWidget();
    const int heightPx = window.Picture1.clientPixels().height();
    if (!client || heightPx <= 0)
        return std::nullopt;
    const double metresPerPixel = ViewSpanX / heightPx;
    if (!std::isfinite(metresPerPixel) || metresPerPixel <= 0.0)
        return std::nullopt;
    const QPointF pixel = client->mapFromGlobal(globalPixels);
    const platform::Canvas& canvas = window.Picture1.canvas();
    return QPointF(pixel.x() * metresPerPixel + canvas.ScaleLeft(),
                   pixel.y() * metresPerPixel + canvas.ScaleTop());
}

void WheelWndProc(Plot& window, int delta, QPointF cursor)
{
    const double cursorX = OriginX - cursor.y();
    const double cursorY = OriginY + cursor.x();
    takeSnapshot(window);
    if (delta < 0) {
        // The cursor point keeps its place: the centre moves to twice its
        // offset from the cursor.
        window.Timer6.setEnabled(false);
        ViewCX = 2 * ViewCX - cursorX;
        ViewCY = 2 * ViewCY - cursorY;
        ViewSpanX *= 2;
        ViewSpanY *= 2;
        preview(window);
    } else if (delta > 0) {
        window.Timer6.setEnabled(false);
        ViewCX = (ViewCX + cursorX) / 2;
        ViewCY = (ViewCY + cursorY) / 2;
        ViewSpanX /= 2;
        ViewSpanY /= 2;
        preview(window);
        if (ViewSpanX < kZoomFloor || ViewSpanY < kZoomFloor) {
            ViewSpanX = kZoomFloor;
            platform::MsgBox(QString::fromUtf16(kZoomFloorMessage));
        }
    }
}

void Timer6_Timer(Plot& window)
{
    window.Timer6.setInterval(kWheelRedrawDelayMs);
    window.Timer6.setEnabled(false);
    RedrawCause = kCauseDeferred;
    crtplot();
    RedrawCause = kCauseNormal;
}

void SetTopMost(platform::Form& form)
{
    form.setTopMost(true);
}

void SetNotTopMost(platform::Form& form)
{
    form.setTopMost(false);
}

std::optional<platform::WorkArea> GetWorkArea()
{
    const auto area = platform::desktopWorkArea();
    if (!area)
        platform::MsgBox(QStringLiteral("ワークエリアの取得に失敗しました。"), 16,
                         QStringLiteral("APIs No.1 エラー報告"));
    return area;
}

void wireWheelZoom(Plot& window)
{
    window.Timer6.Timer = [&window] { Timer6_Timer(window); };
}

}  // namespace tavelcor
