// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/text_clicks.h"

#include "main/edit/crtext.h"
#include "main/edit/text_lines.h"
#include "main/edit/undo_history.h"
#include "main/interact/press_bodies.h"
#include "main/interact/text_boxes.h"
#include "main/render/filters.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/mode_marks.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <algorithm>

namespace tavelcor {
namespace {

constexpr int kMagenta = 13;
constexpr int kWhite = 15;
constexpr int kFreeText = 7;
constexpr int kLineBreakEditor = -1;
const QString kCommit = QStringLiteral("確定");

// The string of a new text: the free text of Text8 (written back cleaned),
// or the chosen phrase, or the phrase option's caption for an empty phrase.
QString newTextString(Plot& window)
{
    const int s = SelectedIndex(window.Option23);
    if (s < 1 || s >= kFreeText) {
        window.Text8.setText(textPanelString(window.Text8.Text()));
        return window.Text8.Text();
    }
    const QString& phrase = PhraseText[s];
    if (!platform::trimmedView(phrase).isEmpty())
        return phrase;
    const platform::OptionButton* option = window.Option23.find(s);
    return option ? option->Caption() : QString();
}

bool validText(int i)
{
    return i >= 1 && i <= std::min(TxtCount, kTxtTop);
}

}  // namespace

QString textTableFullMessage()
{
    return QStringLiteral("テキストの件数が上限の30000件に達しています");
}

int hitText(Plot& window, double north, double east, double letterPoints)
{
    WindowPlotFace face(window);
    const TextBoxScale scale = textBoxScale(face, letterPoints);
    const float n = static_cast<float>(north);
    const float e = static_cast<float>(east);
    const int last = std::min(TxtCount, kTxtTop);
    for (int i = 1; i <= last; ++i) {
        if (!textTakesPart(i))
            continue;
        const bool hit = anyTextBox(face, i, scale, [n, e](const TextBox& box) {
            return box.west < e && e < box.east && box.south < n && n < box.north;
        });
        if (hit) {
            Txtexprint(face, i, kMagenta);
            return i;
        }
    }
    return 0;
}

void addText(Plot& window, const Press& press)
{
    TxtChanged = 1;
    TxtEdit = 0;
    if (TxtCount < 0 || TxtCount >= kTxtTop) {
        platform::MsgBox(textTableFullMessage());
        return;
    }
    const int n = TxtCount + 1;
    TxtCount = n;
    TxtX[n] = static_cast<float>(-press.y);
    TxtY[n] = static_cast<float>(press.x);
    TxtColor[n] = static_cast<std::uint8_t>(TxtColorCur);
    TxtString[n] = newTextString(window);
    pushUndoRecord(UndoRecordFields(undo_kind::kTextAdded).values(static_cast<float>(n - 1)));
    Txtexprint(plotFace(), n, TxtColor[n]);
}

void pickTextToEdit(Plot& window, const Press& press)
{
    RangeStartX = static_cast<float>(press.x);
    RangeStartY = static_cast<float>(press.y);
    if (TxtCount <= 0)
        return;
    TxtEdit = 0;
    const int i = hitText(window, -press.y, press.x, FontSize);
    if (i == 0)
        return;
    L_28SET(window, QString(), press.x, press.y);
    window.Command34.setCaption(kCommit);
    window.Command34.setVisible(true);
    window.Command34.setDefault(true);
    TxtEdit = i;
    TxtColorCur = TxtColor[i];
    window.Command36.setBackColor(platform::QBColor(std::clamp<int>(TxtColorCur, 0, 15)));
    window.Command37.setBackColor(platform::QBColor(std::clamp<int>(TxtColorCur, 0, 15)));
    if (platform::OptionButton* freeText = window.Option23.find(kFreeText))
        freeText->setValue(true);
    window.Text8.setVisible(true);
    window.Text8.setText(TxtString[i]);
    if (TxtLineEdit == kLineBreakEditor)
        editTextInLines(window);
}

void pickTextToMove(Plot& window, const Press& press)
{
    if (TxtCount <= 0)
        return;
    TxtPick = 0;
    const int i = hitText(window, -press.y, press.x, FontSize * static_cast<double>(TextScale));
    if (i == 0)
        return;
    TxtPick = i;
    window.Label28.setCaption(TxtString[i]);
}

void placePickedText(Plot& window, const Press& press)
{
    const int i = TxtPick;
    TxtPick = 0;
    if (!validText(i))
        return;
    render::PlotFace& face = plotFace();
    Txtexprint(face, i, kWhite);
    MoveOldX = TxtX[i];
    MoveOldY = TxtY[i];
    TxtEdit = i;
    TxtX[i] = static_cast<float>(-press.y);
    TxtY[i] = static_cast<float>(press.x);
    Txtexprint(face, i, TxtColor[i]);
    window.Label28.setCaption(QString());
    window.Command34.setDefault(false);
    pushUndoRecord(UndoRecordFields(undo_kind::kTextMoved)
                       .item(i)
                       .values(static_cast<float>(MoveOldX), static_cast<float>(MoveOldY))
                       .texts(undoCoordinateText(TxtX[i]), undoCoordinateText(TxtY[i])));
}

}  // namespace tavelcor
