// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/stroke_panel.h"

#include "main/edit/panel_place.h"
#include "main/edit/panel_switch.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/mode_marks.h"
#include "main/window/plot.h"

namespace tavelcor {

namespace {

constexpr int kStrokeButton = 22;
constexpr std::uint8_t kPenGoesOn = 2;
constexpr std::uint8_t kPenEnds = 3;

QString strokeModeCaption(const Plot& window)
{
    if (window.Option16.Value())
        return QStringLiteral("手書追加");
    if (window.Option17.Value())
        return QStringLiteral("手書削除");
    return QString();
}

}  // namespace

void closeUnfinishedStroke()
{
    if (TegakiCount < 1 || TegakiCount > kTegakiTop)
        return;
    if (TegakiPen[TegakiCount] == kPenGoesOn)
        TegakiPen[TegakiCount] = kPenEnds;
}

void Command22_Click(Plot& window)
{
    TegakiChanged = 1;
    window.Picture1.SetFocus();
    LineSubState = 0;
    if (switchLayerOn(window, 14))
        Tegakidraw(plotFace());
    if (BackToAdd == 1 || (BackToAdd == 2 && window.Option17.Value()))
        window.Option16.setValue(true);
    window.Label28.setCaption(strokeModeCaption(window));
    Commandcolor(window, kStrokeButton);
    clearPointPicks();
    disarmDiagonal(window);
    takePanelPlace(window, window.Frame9);
    window.Frame9.setVisible(true);
    window.Check14.setValue(1);
    closeUnfinishedStroke();
    TxtPick = 0;
    TxtEdit = 0;
}

void Command28_Click(Plot& window)
{
    Commandcolor(window, 0);
    closePanelToIdle(window, window.Frame9);
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
