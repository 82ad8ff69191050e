// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/plot_double_click.h"

#include "main/background/elevation_profile.h"
#include "main/edit/line_panel.h"
#include "main/edit/undo_history.h"
#include "main/interact/point_clicks.h"
#include "main/render/view_navigation.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/keys.h"

namespace tavelcor {
namespace {

constexpr int kCopyPen = 13;

// The route drawn in the line panel goes to the profile builder; its lines
// stay in the table (the end button 終了 instead takes them out).
void endProfileRoute(Plot& window)
{
    LineSubState = 3;
    RouteLast = LineNext - 1;
    MakeSection();
    LineSubState = 0;
    crtplot();
    Command29_Click(window);
}

}  // namespace

void Picture1_DblClick(Plot& window)
{
    U_compact();  // does nothing until the history nears its end
    if (window.Frame4.Visible() && window.Option12.Value() && DblClickInput == 1) {
        addObservationPoint(window, PressX, PressY, PointAddInput::DoubleClick);
        window.Picture1.canvas().setDrawMode(kCopyPen);
    }
    if (LineSubState == 2)
        endProfileRoute(window);
    if (window.Frame10.Visible())
        LineRubber = 0;
}

void Picture1_KeyDown(Plot& window, int keyCode, int /*shift*/)
{
    switch (keyCode) {
    case platform::key::Left: Command12_Click(window); break;
    case platform::key::Up: Command7_Click(window); break;
    case platform::key::Right: Command14_Click(window); break;
    case platform::key::Down: Command16_Click(window); break;
    default: break;
    }
}

}  // namespace tavelcor
