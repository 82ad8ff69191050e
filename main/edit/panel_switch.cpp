// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/panel_switch.h"

#include "main/edit/panel_place.h"
#include "main/edit/plist.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

namespace tavelcor {

namespace {

constexpr int kWhite = 15;

void endLineDrag()
{
    if (LineDragging == 1) {
        LineDragging = 0;
        Lineview(plotFace());
    }
    LineRubber = 0;
}

}  // namespace

void clearPointPicks()
{
    MovePoint = 0;
    MovedPoint = 0;
    CurPoint = 0;
    for (int n = 1; n <= kMoveLinesTop; ++n) {
        MoveLines(0, n) = 0;
        MoveLines(1, n) = 0;
    }
}

void disarmDiagonal(Plot& window)
{
    DiagonalArmed = 0;
    window.Command13.setBackColor(platform::QBColor(kWhite));
    window.Command74.setBackColor(platform::QBColor(kWhite));
}

void hidePhraseList()
{
    if (Plist* list = plistForm().ifLoaded())
        list->Hide();
}

void takePanelPlace(Plot& window, platform::Frame& panel)
{
    platform::Frame* shown = visibleOperationPanel(window);
    if (shown != nullptr && shown != &panel) {
        if (shown == &window.Frame10) {
            endLineDrag();
        } else if (shown == &window.Frame4) {
            window.Frame6.setVisible(false);
            CurPoint = 0;
            window.Command32.setCaption(QStringLiteral("確定"));
        } else if (shown == &window.Frame11) {
            hidePhraseList();
        }
    }
    openPanelInPlace(window, panel);
}

bool switchLayerOn(Plot& window, int number)
{
    platform::CheckBox& layer = number == 13 ? window.Check13 : number == 14 ? window.Check14 : window.Check15;
    if (layer.Value() != 0)
        return false;
    layer.setValue(1);
    return true;
}

}  // namespace tavelcor
