// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/text_panel.h"

#include "main/edit/panel_place.h"
#include "main/edit/panel_switch.h"
#include "main/edit/text_lines.h"
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

constexpr int kTextButton = 33;
constexpr int kWhite = 15;
constexpr int kTextEdited = 34;

QString textModeCaption(const Plot& window)
{
    if (window.Option22.Value())
        return QStringLiteral("文字追加");
    if (window.Option18.Value())
        return QStringLiteral("文字編集");
    if (window.Option24.Value())
        return QStringLiteral("文字移動");
    if (window.Option19.Value())
        return QStringLiteral("文字削除");
    return QString();
}

void paintColorButton(platform::CommandButton& button)
{
    button.setBackColor(platform::QBColor(TxtColorCur));
}

}  // namespace

void storeTextEdit(int item, const QString& text, int color)
{
    if (item < 0 || item > kTxtTop)
        return;
    render::PlotFace& face = plotFace();
    Txtexprint(face, item, kWhite);
    TxtEditOld = TxtString[item];
    TxtEditOldColor = TxtColor[item];
    TxtString[item] = text;
    TxtColor[item] = static_cast<std::uint8_t>(color);
    pushUndoRecord(UndoRecordFields(kTextEdited)
                       .item(item)
                       .values(static_cast<float>(TxtEditOldColor), static_cast<float>(color))
                       .texts(TxtEditOld, text));
    Txtexprint(face, item, color);
}

void Command33_Click(Plot& window)
{
    if (XYIN* keyIn = xyinForm().ifLoaded())
        keyIn->Hide();
    window.Picture1.SetFocus();
    window.Command85.setVisible(false);
    TxtChanged = 1;
    LineSubState = 0;
    if (switchLayerOn(window, 15))
        Txtview(plotFace());
    if (BackToAdd == 1 || (BackToAdd == 2 && window.Option19.Value()))
        window.Option22.setValue(true);
    window.Label28.setCaption(textModeCaption(window));
    Commandcolor(window, kTextButton);
    disarmDiagonal(window);
    CurPoint = 0;
    MovePoint = 0;
    TxtPick = 0;
    window.Command34.setVisible(false);
    window.Command34.setDefault(false);
    clearPointPicks();
    takePanelPlace(window, window.Frame11);
    window.Frame11.setVisible(true);
    window.Check15.setValue(1);
    TxtEdit = 0;
}

void Command35_Click(Plot& window)
{
    Commandcolor(window, 0);
    hidePhraseList();
    window.Frame4.setVisible(false);
    window.Frame6.setVisible(false);
    closePanelToIdle(window, window.Frame11);
    TxtPick = 0;
    window.Picture1.SetFocus();
}

void Command34_Click(Plot& window)
{
    window.Picture1.setFontSize(FontSize);
    if (window.Option18.Value() && window.Command34.Caption() == QStringLiteral("確定")) {
        window.Command34.setDefault(false);
        const QString collapsed = collapseBlanks(window.Text8.Text());
        if (collapsed != window.Text8.Text())
            window.Text8.setText(collapsed);
        const QString stored = textPanelString(collapsed);
        if (stored != window.Text8.Text())
            window.Text8.setText(stored);
        storeTextEdit(TxtEdit, stored, TxtColorCur);
    }
    window.Command34.setVisible(false);
    window.Picture1.SetFocus();
}

void Command36_Click(Plot& window)
{
    TxtColorCur = static_cast<std::int16_t>(TxtColorCur + 1 > kWhite ? 0 : TxtColorCur + 1);
    paintColorButton(window.Command36);
    paintColorButton(window.Command37);
}

void Command37_Click(Plot& window)
{
    ColorPick = static_cast<std::uint8_t>(TxtColorCur);
    Color& dialog = colorPicker();
    dialog.Move(window.Left() + window.protprp.Left(), window.Top() + window.protprp.Top());
    dialog.ShowModal();
    TxtColorCur = ColorPick;
    paintColorButton(window.Command37);
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
