// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/line_panel.h"

#include "main/background/elevation_profile.h"
#include "main/edit/panel_place.h"
#include "main/edit/panel_switch.h"
#include "main/edit/undo_history.h"
#include "main/edit/xyin.h"
#include "main/render/color_picker.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/mode_marks.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

namespace tavelcor {

namespace {

constexpr int kLineButton = 21;
constexpr double kColorDialogDrop = 200.0;  // twips below the main window's top

void hideKeyIn(Plot& window)
{
    if (XYIN* keyIn = xyinForm().ifLoaded())
        keyIn->Hide();
    window.Picture1.SetFocus();
    window.Command85.setVisible(false);
}

// What 追加 returns to, by the setting BackToAdd.
void returnToAdd(Plot& window)
{
    if (BackToAdd == 1 || (BackToAdd == 2 && window.Option21.Value()))
        window.Option20.setValue(true);
}

QString lineModeCaption(const Plot& window)
{
    const QString crlf = QStringLiteral("\r\n");
    if (window.Option20.Value())
        return QStringLiteral("LINE") + crlf + QStringLiteral("追加");
    if (window.Option21.Value())
        return QStringLiteral("LINE") + crlf + QStringLiteral("削除");
    if (window.Option25.Value())
        return QStringLiteral("線色変更");
    if (window.Option6.Value())
        return QStringLiteral("LINE") + crlf + QStringLiteral("移動");
    return QString();
}

void endLineDrag()
{
    if (LineDragging == 1) {
        LineDragging = 0;
        Lineview(plotFace());
    }
}

// The route drawn since the first route click leaves the Line table and is
// handed to the profile builder. Its segments' history records are
// withdrawn: Undo must not put them back among the site's lines.
void handOverRoute()
{
    LineSubState = 3;
    RouteLast = LineNext - 1;
    LineNext = RouteFirst;
    withdrawLineAdditions(RouteFirst);
    MakeSection();
    LineSubState = 0;
    crtplot();
}

// The plot's double click ends the polyline being added.
void endPolyline(Plot& window)
{
    if (const auto handler = window.Picture1.DblClick)
        handler();
    LineRubber = 0;
}

}  // namespace

void Command21_Click(Plot& window)
{
    hideKeyIn(window);
    LineChanged = 1;
    if (switchLayerOn(window, 13))
        Lineview(plotFace());
    returnToAdd(window);
    window.Label28.setCaption(lineModeCaption(window));
    Commandcolor(window, kLineButton);
    clearPointPicks();
    disarmDiagonal(window);
    takePanelPlace(window, window.Frame10);
    endLineDrag();
    LineRubber = 0;
    window.Frame10.setVisible(true);
    window.Check13.setValue(1);
    TxtEdit = 0;
    TxtPick = 0;
}

void Command29_Click(Plot& window)
{
    if (LineSubState == 2)
        handOverRoute();
    LineSubState = 0;
    Commandcolor(window, 0);
    if (window.Option20.Value())
        endPolyline(window);
    LineRubber = 0;
    endLineDrag();
    closePanelToIdle(window, window.Frame10);
    window.Picture1.SetFocus();
}

void Command38_MouseDown(Plot& window)
{
    ColorPick = kParcelColorPick;
    Color& dialog = colorPicker();
    dialog.Move(window.Left() + window.protprp.Left(), window.Top() + kColorDialogDrop);
    dialog.ShowModal();
    window.Command38.setBackColor(platform::QBColor(KakuchiColor));
    crtplot();
    window.Picture1.SetFocus();
}

void Command38_MouseUp(Plot&)
{
    crtplot();
}

}  // namespace tavelcor
