// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/redraw_hold.h"

namespace tavelcor::render {
namespace {

struct HoldState {
    int depth = 0;
    PlotFace* waiting = nullptr;
};

HoldState& holdState() noexcept
{
    static HoldState state;
    return state;
}

}  // namespace

RedrawHold::RedrawHold()
{
    ++holdState().depth;
}

RedrawHold::~RedrawHold()
{
    --holdState().depth;
}

bool redrawHeld() noexcept
{
    return holdState().depth > 0;
}

void deferRedraw(PlotFace& face) noexcept
{
    holdState().waiting = &face;
}

PlotFace* takeDeferredRedraw() noexcept
{
    HoldState& state = holdState();
    if (state.depth > 0)
        return nullptr;
    PlotFace* face = state.waiting;
    state.waiting = nullptr;
    return face;
}

}  // namespace tavelcor::render
