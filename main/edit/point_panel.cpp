// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/point_panel.h"

#include "main/edit/panel_place.h"
#include "main/edit/panel_switch.h"
#include "main/edit/point_names.h"
#include "main/edit/xyin.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/ui/mode_marks.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/system/clipboard.h"

#include <algorithm>
#include <utility>

namespace tavelcor {

namespace {

void focusPlot(Plot& window)
{
    window.Picture1.SetFocus();
}

// Back to 追加 by the setting BackToAdd (1 always, 2 from 削除).
void returnToAdd(Plot& window)
{
    if (BackToAdd == 1 || (BackToAdd == 2 && window.Option10.Value()))
        window.Option12.setValue(true);
}

// The mode label and the workbook buttons' captions.
void captionOperation(Plot& window)
{
    const QString crlf = QStringLiteral("\r\n");
    if (window.Option12.Value()) {
        window.Command48.setVisible(true);
        window.Label28.setCaption(QStringLiteral("POINT") + crlf + QStringLiteral("追加"));
    } else if (window.Option11.Value()) {
        window.Label28.setCaption(QStringLiteral("POINT") + crlf + QStringLiteral("移動"));
    } else if (window.Option10.Value()) {
        window.Label28.setCaption(QStringLiteral("POINT") + crlf + QStringLiteral("削除"));
    } else if (window.Option9.Value()) {
        const bool recordFirst = RecordMain == 1;
        window.Command31.setCaption(recordFirst ? QStringLiteral("記録") : QStringLiteral("観測"));
        window.Command43.setCaption(recordFirst ? QStringLiteral("観測") : QStringLiteral("記録"));
        window.Command48.setVisible(true);
        window.Label28.setCaption(QStringLiteral("属性変更"));
    }
}

// The symbol button shows the chosen symbol and its label.
void captionSymbolButton(Plot& window)
{
    const int s = SelectedIndex(window.Option13);
    const platform::OptionButton* symbol = window.Option13.find(s);
    const platform::Label* label = window.Label24.find(s);
    if (symbol != nullptr && label != nullptr)
        window.Command24.setCaption(symbol->Caption() + QLatin1Char(' ') + label->Caption());
}

// The buttons by operation.
void showOperationButtons(Plot& window)
{
    if (window.Option12.Value())
        window.Command43.setVisible(false);
    else if (window.Option9.Value())
        window.Command43.setVisible(true);
    else if (window.Option10.Value())
        window.Command32.setVisible(false);
}

// The name after the highest point's, when it has one.
void proposeNextName(Plot& window)
{
    if (PointCount <= 0 || PointCount > kPointTop)
        return;
    const QString& highest = std::as_const(PointName)[PointCount];
    if (highest.isEmpty())
        return;
    window.Text6.setText(NextPointName(highest));
    window.Text7.setText(QString());
}

void clearMoveLines()
{
    for (int n = 1; n <= kMoveLinesTop; ++n) {
        MoveLines(0, n) = 0;
        MoveLines(1, n) = 0;
    }
}

}  // namespace

void Command20_Click(Plot& window)
{
    xyin().Hide();
    focusPlot(window);
    window.Command85.setVisible(false);
    PointChanged = 1;
    LineSubState = 0;
    window.Command48.setVisible(false);
    if (window.Check12.Value() == 0) {
        window.Check12.setValue(1);
        render::Pointview(plotFace());
    }
    returnToAdd(window);
    captionOperation(window);
    Commandcolor(window, 20);
    if (WembraOff == 0)
        surveyClipboard().clear();
    window.Command32.setVisible(false);
    disarmDiagonal(window);
    window.Command31.setVisible(window.Option9.Value());
    // The panel that gives its place is left as its own end leaves it: a
    // dragged line end dropped, the phrase list hidden.
    takePanelPlace(window, window.Frame4);
    captionSymbolButton(window);
    window.Frame4.setVisible(true);
    window.Frame6.setVisible(false);
    showOperationButtons(window);
    window.Check12.setValue(1);
    TxtEdit = 0;
    TxtPick = 0;
    proposeNextName(window);
}

void Command24_Click(Plot& window)
{
    // The picker keeps its designed place inside the panel, in front of the
    // panel's bottom row, which it covers while it is open.
    window.Frame6.ZOrder(0);
    window.Frame6.setVisible(true);
    focusPlot(window);
}

void Command25_Click(Plot& window)
{
    window.Frame6.setVisible(false);
    focusPlot(window);
}

void Command26_Click(Plot& window)
{
    Commandcolor(window, 0);
    closePanelToIdle(window, window.Frame4);
    window.Frame6.setVisible(false);
    MovedPoint = 0;
    if (MovePoint > 0) {
        MovePoint = 0;
        crtplot();
    }
    clearMoveLines();
    focusPlot(window);
}



void wirePointPanel(Plot& window)
{
    window.Command20.Click = [&window] { Command20_Click(window); };
    // The press runs the opening at once; the click that follows runs it
    // again and finds the panel open.
    window.Command20.MouseDown = [&window](int, int, double, double) { Command20_Click(window); };
    window.Command24.Click = [&window] { Command24_Click(window); };
    window.Command25.Click = [&window] { Command25_Click(window); };
    window.Command26.Click = [&window] { Command26_Click(window); };
    window.Command31.Click = [&window] { Command31_Click(window); };
    window.Command32.MouseDown = [&window](int, int, double, double) { Command32_MouseDown(window); };
}

}  // namespace tavelcor
