// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/press_branches.h"

#include "main/interact/area_measure.h"
#include "main/interact/key_in_pick.h"
#include "main/interact/press_dispatch.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {
namespace {

// The closing radius of the area measurement: twice the pick's base
// tolerance (HitRadius x ViewSpanX / 1000), at least 0.001 m.
double areaClosingRadius()
{
    const double radius = HitRadius * ViewSpanX / 1000.0;
    return radius >= 0.001 ? radius : 0.001;
}

}  // namespace

void armPanOnIdlePress(const Plot& window, const Press& press)
{
    if (DiagonalArmed == 1 || DiagZoom != 2 || !pressIsIdle(window))
        return;
    PanDrag = 2;
    PanStartX = static_cast<float>(press.x);
    PanStartY = static_cast<float>(press.y);
}

PressEnd diagonalRectanglePress(const Plot& window, const Press& press)
{
    ParcelRange = window.Option5.Value() && window.Check37.Value() == platform::check::Checked ? 1 : 0;
    DiagonalDrag = 1;
    BandX = press.x;
    BandY = press.y;
    return PressEnd::Skip;
}

PressEnd keyInPickPress(Plot& window, const Press& press)
{
    double x = press.x;
    double y = press.y;
    const CoordinatePick pick = PickCoordinate(window, x, y, false);
    if (pick.number != 0)
        fillKeyInWindow(pick.number);
    return PressEnd::Skip;
}

PressEnd areaMeasurePress(Plot& /*window*/, const Press& press)
{
    const AreaPress result = areaVertexPress(press.x, press.y, areaClosingRadius());
    switch (result.step) {
    case AreaStep::Closed:
        ArAview(plotFace());
        platform::MsgBox(areaMessage(result.area), platform::MsgButtons::OkOnly);
        AreaCount = 0;
        return PressEnd::Skip;
    case AreaStep::Full:
        if (AreaCount > kAreaTop)
            ArAview(plotFace());
        AreaCount = 0;
        break;
    case AreaStep::Open:
        ArAview(plotFace());
        break;
    }
    return PressEnd::Common;
}

PressEnd rangeAnchorPress(const Press& press)
{
    RangeStartX = static_cast<float>(press.x);
    RangeStartY = static_cast<float>(press.y);
    LastClickX = press.x;
    LastClickY = press.y;
    return PressEnd::Common;
}

PressEnd armZoomWindow(Plot& window, const Press& press)
{
    BandX = 0.0;
    BandY = 0.0;
    DragZoomArmed = 1;
    DragZoomHeld = 1;
    LastClickX = press.x;
    LastClickY = press.y;
    window.Label5.setCaption(pressPositionText(press.x, press.y));
    return PressEnd::Common;
}

}  // namespace tavelcor
