// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/redraw_hold.h"

#include "main/render/plot_render.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tavelcor::render {
namespace {

struct HoldState {
    int depth = 0;
    PlotFace* waiting = nullptr;
    bool queued = false;
};

HoldState& holdState() noexcept
{
    static HoldState state;
    return state;
}

void runWaitingRedraw()
{
    HoldState& state = holdState();
    state.queued = false;
    // Held again (a redraw started meanwhile and lets events run): the end
    // of that hold queues the redraw anew.
    if (state.depth > 0 || state.waiting == nullptr)
        return;
    PlotFace* face = state.waiting;
    state.waiting = nullptr;
    crtplot(*face);
}

void queueWaitingRedraw()
{
    HoldState& state = holdState();
    QCoreApplication* app = QCoreApplication::instance();
    if (state.queued || app == nullptr)
        return;
    state.queued = true;
    QMetaObject::invokeMethod(app, &runWaitingRedraw, Qt::QueuedConnection);
}

}  // namespace

RedrawHold::RedrawHold()
{
    ++holdState().depth;
}

RedrawHold::~RedrawHold()
{
    HoldState& state = holdState();
    if (--state.depth == 0 && state.waiting != nullptr)
        queueWaitingRedraw();
}

bool redrawHeld() noexcept
{
    return holdState().depth > 0;
}

void deferRedraw(PlotFace& face) noexcept
{
    holdState().waiting = &face;
}

void forgetDeferredRedraw() noexcept
{
    holdState().waiting = nullptr;
}

void forgetDeferredRedraw(const PlotFace& face) noexcept
{
    if (holdState().waiting == &face)
        holdState().waiting = nullptr;
}

}  // namespace tavelcor::render
