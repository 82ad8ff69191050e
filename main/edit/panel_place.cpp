// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/panel_place.h"

#include "main/window/plot.h"

namespace tavelcor {

std::array<platform::Frame*, 6> operationPanels(Plot& w)
{
    return {&w.Frame2, &w.Frame4, &w.Frame9, &w.Frame10, &w.Frame11, &w.Frame13};
}

platform::Frame* visibleOperationPanel(Plot& w)
{
    for (platform::Frame* frame : operationPanels(w)) {
        if (frame->Visible()) {
            return frame;
        }
    }
    return nullptr;
}

namespace {

void hidePanel(Plot& w, platform::Frame& panel)
{
    panel.setVisible(false);
    if (&panel == &w.Frame4) {
        w.Frame6.setVisible(false);
    }
}

}  // namespace

void openPanelInPlace(Plot& w, platform::Frame& panel)
{
    // Every other panel is hidden, so that exactly one shows whatever state
    // an earlier error left behind; the first visible one gives the place.
    platform::Frame* shown = visibleOperationPanel(w);
    if (shown != nullptr && shown != &panel) {
        panel.setTop(shown->Top());
        panel.setLeft(shown->Left());
    }
    for (platform::Frame* frame : operationPanels(w)) {
        if (frame != &panel && frame->Visible()) {
            hidePanel(w, *frame);
        }
    }
    panel.setVisible(true);
}

void closePanelToIdle(Plot& w, platform::Frame& panel)
{
    if (&panel != &w.Frame2) {
        w.Frame2.setTop(panel.Top());
        w.Frame2.setLeft(panel.Left());
        hidePanel(w, panel);
    }
    w.Frame2.setVisible(true);
}

}  // namespace tavelcor
