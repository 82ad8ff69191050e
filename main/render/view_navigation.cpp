// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/view_navigation.h"

#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"

#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

namespace tavelcor {

namespace {

constexpr int kPointsWithoutDetail = 500;
constexpr int kArmedColor = 12;
constexpr int kIdleColor = 15;

void focusPlot(Plot& window)
{
    window.Picture1.SetFocus();
}

// Wires a button whose mouse press does the work.  With clickToo the
// button's Click does it as well (the arrow keys reach the command that
// way), but not the Click that ends a press which already did it: one press
// of the button moves the view once.
void onPress(platform::CommandButton& button, std::function<void()> work, bool clickToo = false)
{
    auto pressed = std::make_shared<bool>(false);
    button.MouseDown = [pressed, work](int, int, double, double) {
        *pressed = true;
        work();
    };
    if (!clickToo)
        return;
    // The release's Click comes within the release; the flag goes once it
    // has been handled, also when the button was released elsewhere.
    button.MouseUp = [pressed](int, int, double, double) {
        QTimer::singleShot(0, [pressed] { *pressed = false; });
    };
    button.Click = [pressed, work] {
        if (*pressed) {
            *pressed = false;
            return;
        }
        work();
    };
}

bool usableExtent(double value) noexcept
{
    return std::isfinite(value) && value > 0.0;
}

}  // namespace

void panView(Plot& window, int north, int east)
{
    if (north != 0)
        ViewCX += north * (ViewSpanX / kPanDivisor);
    if (east != 0)
        ViewCY += east * (ViewSpanX / kPanDivisor);
    focusPlot(window);
    crtplot();
}

void Command7_Click(Plot& window)
{
    panView(window, 1, 0);
}

void Command12_Click(Plot& window)
{
    panView(window, 0, -1);
}

void Command14_Click(Plot& window)
{
    panView(window, 0, 1);
}

void Command16_Click(Plot& window)
{
    panView(window, -1, 0);
}

void zoomIn(Plot& window, bool focusBeforeRedraw)
{
    DragZoomArmed = 0;
    const platform::Canvas& canvas = window.Picture1.canvas();
    const double spanX = canvas.ScaleHeight() * kZoomInFactor;
    const double spanY = canvas.ScaleWidth() * kZoomInFactor;
    if (!usableExtent(spanX) || !usableExtent(spanY)) {
        focusPlot(window);
        return;
    }
    ViewSpanX = spanX;
    ViewSpanY = spanY;
    if (ViewSpanX < kZoomFloor || ViewSpanY < kZoomFloor) {
        ViewSpanX = kZoomFloor;
        platform::MsgBox(QString::fromUtf16(kZoomFloorMessage));
    }
    if (focusBeforeRedraw)
        focusPlot(window);
    crtplot();
    if (!focusBeforeRedraw)
        focusPlot(window);
}

void zoomOut(Plot& window)
{
    DragZoomArmed = 0;
    const platform::Canvas& canvas = window.Picture1.canvas();
    const double spanX = canvas.ScaleHeight() * kZoomOutFactor;
    const double spanY = canvas.ScaleWidth() * kZoomOutFactor;
    if (usableExtent(spanX) && usableExtent(spanY)) {
        ViewSpanX = spanX;
        ViewSpanY = spanY;
        crtplot();
    }
    focusPlot(window);
}

void Command3_MouseDown(Plot& window)
{
    DragZoomArmed = 0;
    RasterSize = 0.0F;
    const double spanX = DataXMax - DataXMin;
    const double spanY = (DataYMax - DataYMin) * 1.2;
    // Data without any extent give no view to show (a zero divisor of the fit).
    if (!(std::isfinite(spanX) && std::isfinite(spanY)) || (spanX <= 0.0 && spanY <= 0.0)) {
        focusPlot(window);
        return;
    }
    if (PointCount > kPointsWithoutDetail) {
        SkipPointview = 1;
        SkipTxtview = 1;
        SkipTegakidraw = 1;
    }
    ViewSpanX = spanX;
    ViewSpanY = spanY;
    ViewCX = (DataXMin + DataXMax) / 2;
    ViewCY = (DataYMin + DataYMax) / 2;
    focusPlot(window);
    crtplot();
    SkipPointview = 0;
    SkipTxtview = 0;
    SkipTegakidraw = 0;
}

void Command39_MouseDown(Plot& window)
{
    // Until a redraw has kept a previous view its extents are 0: a view of
    // no size is not shown.
    if (usableExtent(PrevSpanX) && usableExtent(PrevSpanY)) {
        ViewCX = PrevCX;
        ViewCY = PrevCY;
        ViewSpanX = PrevSpanX;
        ViewSpanY = PrevSpanY;
        crtplot();
    }
    focusPlot(window);
}

void Command41_MouseDown(Plot& window)
{
    MemoCX = ViewCX;
    MemoCY = ViewCY;
    MemoSpanX = ViewSpanX;
    MemoSpanY = ViewSpanY;
    crtplot();
    focusPlot(window);
}

void Command40_MouseDown(Plot& window)
{
    if (MemoSpanX > 0) {
        ViewCX = MemoCX;
        ViewCY = MemoCY;
        ViewSpanX = MemoSpanX;
        ViewSpanY = MemoSpanY;
        crtplot();
    }
    focusPlot(window);
}

void toggleDiagonal(Plot& window, platform::CommandButton& pressed, bool focusPlotAfter)
{
    if (DiagonalArmed == 0) {
        DiagonalArmed = 1;
        pressed.setBackColor(platform::QBColor(kArmedColor));
        DiagonalLabelHidden = 0;
        if (window.Label28.Visible()) {
            DiagonalLabelHidden = 1;
            window.Label28.setVisible(false);
        }
    } else {
        if (DiagonalLabelHidden == 1)
            window.Label28.setVisible(true);
        DiagonalArmed = 0;
        pressed.setBackColor(platform::QBColor(kIdleColor));
    }
    if (focusPlotAfter)
        focusPlot(window);
}

void Command66_Click(Plot& window)
{
    window.protprp.setVisible(false);
    FullLayout = 0;
    window.Picture1.setWidth(window.Width());
    window.Picture1.setHeight(window.Height() - Plot::kPlotBottomGap);
    crtplot();
    window.Frame15.setTop(200.0);
    window.Frame15.setLeft(window.Width() - Plot::kCompactPanelOffset);
    window.Frame15.setVisible(true);
    // The compact twins of the search kinds take the standard ones' state.
    window.Option31.setValue(window.Option7.Value());
    window.Option30.setValue(window.Option29.Value());
}

void Command67_Click(Plot& window)
{
    FullLayout = 1;
    window.Frame15.setVisible(false);
    window.protprp.setVisible(true);
    if (window.Resize) {
        const auto layout = window.Resize;
        layout();
    }
    focusPlot(window);
}

void wireViewNavigation(Plot& w)
{
    struct Pan {
        platform::CommandButton& standard;
        platform::CommandButton& compact;
        int north;
        int east;
        bool clickToo;
    };
    const Pan pans[] = {
        {w.Command2, w.Command70, 1, -1, false}, {w.Command7, w.Command71, 1, 0, true},
        {w.Command8, w.Command72, 1, 1, false},  {w.Command12, w.Command73, 0, -1, true},
        {w.Command14, w.Command75, 0, 1, true},  {w.Command15, w.Command76, -1, -1, false},
        {w.Command16, w.Command77, -1, 0, true}, {w.Command17, w.Command78, -1, 1, false},
    };
    for (const Pan& pan : pans) {
        auto step = [&w, north = pan.north, east = pan.east] { panView(w, north, east); };
        onPress(pan.standard, step, pan.clickToo);
        onPress(pan.compact, step);
    }

    onPress(w.Command4, [&w] { zoomIn(w, false); });
    w.Command4.Click = [&w] { focusPlot(w); };
    onPress(w.Command68, [&w] { zoomIn(w, true); });
    onPress(w.Command5, [&w] { zoomOut(w); });
    w.Command5.Click = [&w] { focusPlot(w); };
    onPress(w.Command69, [&w] { zoomOut(w); });
    onPress(w.Command3, [&w] { Command3_MouseDown(w); });
    onPress(w.Command39, [&w] { Command39_MouseDown(w); });
    onPress(w.Command41, [&w] { Command41_MouseDown(w); });
    onPress(w.Command40, [&w] { Command40_MouseDown(w); });
    onPress(w.Command13, [&w] { toggleDiagonal(w, w.Command13, true); });
    onPress(w.Command74, [&w] { toggleDiagonal(w, w.Command74, false); });
    w.Command66.Click = [&w] { Command66_Click(w); };
    w.Command67.Click = [&w] { Command67_Click(w); };
}

}  // namespace tavelcor
