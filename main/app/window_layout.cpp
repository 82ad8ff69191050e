// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/window_layout.h"

#include "main/render/plot_render.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "main/render/window_plot_face.h"

namespace tavelcor {

namespace {
constexpr double kMinimumSize = 5000.0;
}

void Form_Resize(Plot& window)
{
    if (window.Width() < kMinimumSize)
        window.setWidth(kMinimumSize);
    if (window.Height() < kMinimumSize)
        window.setHeight(kMinimumSize);
    if (window.windowState() == platform::WindowState::Minimized)
        return;

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

void wireWindowLayout(Plot& window)
{
    window.Resize = [&window] { Form_Resize(window); };
}

}  // namespace tavelcor
