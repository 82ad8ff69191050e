// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/window_layout.h"

#include "main/app/app_context.h"
#include "main/render/plot_render.h"
#include "main/render/wheel_zoom.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/desktop/screen.h"

namespace tavelcor {

namespace {

constexpr double kMinimumSize = 5000.0;
constexpr double kLayoutHeight = 0.97;  // of the screen height

struct LayoutProportions {
    double width;  // of the screen width
    double left;   // of the screen width
};

}  // namespace

void Form_Resize(Plot& window)
{
    // Only the query's own failure message can come of it; its result is
    // not used.
    static_cast<void>(GetWorkArea());
    if (window.Width() < kMinimumSize)
        window.setWidth(kMinimumSize);
    if (window.Height() < kMinimumSize)
        window.setHeight(kMinimumSize);
    if (window.windowState() == platform::WindowState::Minimized) {
        unloadBackgroundWindow();
        return;
    }

    window.Picture1.setWidth(window.Width());
    window.Picture1.setHeight(window.Height() - Plot::kPlotBottomGap);
    if (FullLayout != 0) {
        window.protprp.setTop(10.0);
        window.protprp.setLeft(window.Width() - Plot::kPanelOffset);
    } else {
        window.Frame15.setTop(200.0);
        window.Frame15.setLeft(window.Width() - Plot::kCompactPanelOffset);
    }
    render::PlotFace& face = plotFace();
    render::justsc(face);
    render::crtplot(face);
}

void applyWindowLayout(Plot& window, float layoutCode)
{
    if (layoutCode == 1.0F) {
        window.setWindowState(platform::WindowState::Maximized);
        return;
    }
    LayoutProportions proportions{};
    if (layoutCode == 2.0F)
        proportions = {0.75, 0.25};
    else if (layoutCode == 3.0F)
        proportions = {0.6, 0.4};
    else
        return;
    const std::optional<platform::ScreenMetrics> screen = platform::primaryScreenMetrics();
    if (!screen)
        return;
    window.setWindowState(platform::WindowState::Normal);
    window.Move(screen->widthTwips * proportions.left, std::nullopt, screen->widthTwips * proportions.width,
                screen->heightTwips * kLayoutHeight);
}

void wireWindowLayout(Plot& window)
{
    window.Resize = [&window] { Form_Resize(window); };
}

}  // namespace tavelcor
