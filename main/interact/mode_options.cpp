// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/mode_options.h"

#include "main/edit/point_names.h"
#include "main/interact/key_in_pick.h"
#include "main/render/plot_render.h"
#include "main/render/view_navigation.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/redisplay.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <optional>

namespace tavelcor {
namespace {

const QString kCommit = QStringLiteral("確定");
const QString kCancel = QStringLiteral("取消");

void focusPlot(Plot& window)
{
    window.Picture1.SetFocus();
}

// The point move state: no point picked, none moved, no carried line ends.
void clearMoveState()
{
    MovePoint = 0;
    MovedPoint = 0;
    for (int row = 1; row <= kMoveLinesTop; ++row) {
        MoveLines(0, row) = 0;
        MoveLines(1, row) = 0;
    }
}

// What every point operation does to the commit and cancel buttons: 確定
// hidden with its caption back, the key-in and the workbook buttons hidden,
// 取消 hidden with its caption back.
void hidePointCommitButtons(Plot& window)
{
    window.Command32.setCaption(kCommit);
    window.Command32.setVisible(false);
    window.Command47.setVisible(false);
    window.Command43.setVisible(false);
    window.Command31.setCaption(kCancel);
    window.Command31.setVisible(false);
}

// Option12's name proposal: the name after the highest point's, when the
// name field is empty.
void proposePointName(Plot& window)
{
    if (!window.Text6.Text().isEmpty())
        return;
    window.Text7.setText(QString());
    const int highest = std::clamp(PointCount, 0, kPointTop);
    window.Text6.setText(NextPointName(PointName[highest]));
}

// Option9's captions of the workbook buttons, by the data collector type
// and the recording order of the settings.
void labelWorkbookButtons(Plot& window)
{
    if (CollectorSdl == 0 && RecordMain == 0) {
        window.Command31.setCaption(QStringLiteral("観測"));
        window.Command43.setCaption(QStringLiteral("記録"));
    } else if (CollectorSdl == 0 && RecordMain == 1) {
        window.Command31.setCaption(QStringLiteral("記録"));
        window.Command43.setCaption(QStringLiteral("観測"));
    } else {
        window.Command31.setCaption(QStringLiteral("転送"));
    }
}

// The line options' common part after the caption: the line state, the
// panel's cancel button, the lines drawn again.
void resetLineOperation(Plot& window, bool keepRoute)
{
    if (!keepRoute)
        LineSubState = 0;
    LineDragging = 0;
    LineRubber = 0;
    window.Command30.setVisible(false);
    Lineview(plotFace());
}

void hideTextCommit(Plot& window)
{
    window.Command34.setVisible(false);
    window.Command34.setDefault(false);
}

void clearCalculationPicks()
{
    CalcStep = 0;
    CalcPickCount = 0;
    CalcPick1 = 0;
    CalcPick2 = 0;
    CalcPick3 = 0;
}

// What every right-click calculation option does first.
void hideKeyInControls(Plot& window)
{
    hideKeyInWindow();
    window.Command85.setVisible(false);
}

// ＳＴ放射, 垂線ﾁｪｯｸ and ４点交点: a change of mode clears the picks and shows
// the plot anew (ＳＴ放射 through 再表示).
void chooseCalculation(Plot& window, const platform::OptionButton& option, int mode)
{
    hideKeyInControls(window);
    if (option.Value() && RclickMode != mode) {
        clearCalculationPicks();
        RclickMode = static_cast<std::int16_t>(mode);
        if (mode == 1)
            Command6_Click(window);
        else
            crtplot();
    }
    focusPlot(window);
}

void showSearchComparisons(Plot& window, bool shown)
{
    window.Check33.setVisible(shown);
    window.Check34.setVisible(shown);
}

// A twips-per-pixel factor typed in the search frame's double click: taken
// when it is a number within 1 % of the current factor.
void takeTwipFactor(float& factor, const QString& typed)
{
    const std::optional<double> value = platform::toNumberChecked(typed);
    if (!value || factor == 0.0F)
        return;
    const auto candidate = static_cast<float>(*value);
    const double ratio = static_cast<double>(candidate) / static_cast<double>(factor);
    if (ratio > 0.99 && ratio < 1.01)
        factor = candidate;
}

}  // namespace

// --- points ------------------------------------------------------------------

void Option12_Click(Plot& window)
{
    window.Option12.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 追加"));
    CurPoint = 0;
    clearMoveState();
    window.Command48.setVisible(true);
    hidePointCommitButtons(window);
    window.Command24.setEnabled(true);
    proposePointName(window);
    focusPlot(window);
}

void Option11_Click(Plot& window)
{
    window.Option11.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 移動"));
    CurPoint = 0;
    window.Command48.setVisible(false);
    window.Frame6.setVisible(false);
    window.Command24.setEnabled(false);
    hidePointCommitButtons(window);
    focusPlot(window);
}

void Option10_Click(Plot& window)
{
    window.Option10.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 削除"));
    CurPoint = 0;
    clearMoveState();
    window.Frame6.setVisible(false);
    window.Command48.setVisible(false);
    window.Command24.setEnabled(false);
    hidePointCommitButtons(window);
    focusPlot(window);
}

void Option9_Click(Plot& window)
{
    window.Option9.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 属性変更"));
    CurPoint = 0;
    clearMoveState();
    window.Command48.setVisible(true);
    window.Frame6.setVisible(false);
    window.Command24.setEnabled(true);
    window.Command32.setCaption(kCommit);
    window.Command32.setVisible(false);
    window.Command47.setVisible(false);
    labelWorkbookButtons(window);
    window.Command31.setVisible(true);
    window.Command43.setVisible(true);
    focusPlot(window);
}

// --- lines ---------------------------------------------------------------------

void Option20_Click(Plot& window)
{
    window.Option20.setValue(true);
    window.Label28.setCaption(QStringLiteral(" LINE追加"));
    // A cross-section route in progress goes on.
    resetLineOperation(window, true);
}

void Option21_Click(Plot& window)
{
    focusPlot(window);
    window.Option21.setValue(true);
    window.Label28.setCaption(QStringLiteral(" LINE削除"));
    resetLineOperation(window, false);
}

void Option6_Click(Plot& window)
{
    focusPlot(window);
    window.Option6.setValue(true);
    window.Label28.setCaption(QStringLiteral(" LINE移動"));
    resetLineOperation(window, false);
}

void Option25_Click(Plot& window)
{
    window.Option25.setValue(true);
    window.Label28.setCaption(QStringLiteral(" LINE変更"));
    resetLineOperation(window, false);
    focusPlot(window);
}

void Option21_MouseDown(Plot& window)
{
    window.Option21.setValue(true);
    Option21_Click(window);
}

// --- hand strokes ----------------------------------------------------------------

void Option16_Click(Plot& window)
{
    window.Option16.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 手書追加"));
    focusPlot(window);
}

void Option17_Click(Plot& window)
{
    window.Option17.setValue(true);
    window.Label28.setCaption(QStringLiteral(" 手書削除"));
    focusPlot(window);
}

// --- texts -------------------------------------------------------------------------

void Option22_Click(Plot& window)
{
    window.Option22.setValue(true);
    window.Label28.setCaption(QStringLiteral(" TEXT追加"));
    TxtEdit = 0;
    TxtPick = 0;
    hideTextCommit(window);
    focusPlot(window);
}

void Option24_Click(Plot& window)
{
    window.Option24.setValue(true);
    window.Label28.setCaption(QStringLiteral(" TEXT移動"));
    TxtEdit = 0;
    TxtPick = 0;
    hideTextCommit(window);
    focusPlot(window);
}

void Option19_Click(Plot& window)
{
    window.Option19.setValue(true);
    window.Label28.setCaption(QStringLiteral(" TEXT削除"));
    TxtEdit = 0;
    TxtPick = 0;
    focusPlot(window);
}

void Option18_Click(Plot& window)
{
    window.Option18.setValue(true);
    window.Label28.setCaption(QStringLiteral(" TEXT編集"));
    hideTextCommit(window);
    focusPlot(window);
}

// --- right-click calculations ---------------------------------------------------------

void Option1_Click(Plot& window)
{
    chooseCalculation(window, window.Option1, 1);
}

void Option2_Click(Plot& window)
{
    hideKeyInControls(window);
    if (window.Option2.Value()) {
        for (int k = 1; k <= 50; ++k)
            CalcPickList[k] = 0;
        if (RclickMode != 2) {
            clearCalculationPicks();
            RclickMode = 2;
            crtplot();
        }
    }
    focusPlot(window);
}

void Option3_Click(Plot& window)
{
    chooseCalculation(window, window.Option3, 3);
}

void Option34_Click(Plot& window)
{
    chooseCalculation(window, window.Option34, 34);
}

QString copyPointHint()
{
    return QStringLiteral("座標番号をクリップボードにコピーするときは、simaの「ナンバー表示」と「名称表示」にチェックを入れてください。")
           + QStringLiteral("\r\n")
           + QStringLiteral("sima測点をポイント化するときは、いずれかにチェックを入れてください");
}

void Option4_Click(Plot& window)
{
    hideKeyInControls(window);
    if (window.Option4.Value()) {
        surveyClipboard().clear();
        RclickMode = 4;
        clearCalculationPicks();
        crtplot();
        CalcPickName.clear();
        MsgText = copyPointHint();
        platform::MsgBox(MsgText, platform::MsgButtons::OkOnly);
    }
    focusPlot(window);
}

void Option5_Click(Plot& window)
{
    hideKeyInControls(window);
    if (window.Option5.Value()) {
        window.Check35.setVisible(true);
        window.Check37.setVisible(true);
        RclickMode = 5;
        clearCalculationPicks();
        crtplot();
    }
    focusPlot(window);
}

void Option32_Click(Plot& window)
{
    hideKeyInControls(window);
    if (window.Option32.Value()) {
        clearCalculationPicks();
        RclickMode = 32;
        Command66_Click(window);
        crtplot();
    }
    focusPlot(window);
}

void Option33_Click(Plot& window)
{
    window.Command85.setVisible(true);
}

// --- pickers -------------------------------------------------------------------------

void Option13_MouseDown(Plot& window, int index)
{
    const platform::OptionButton* symbol = window.Option13.find(index);
    const platform::Label* label = window.Label24.find(index);
    if (!symbol || !label)
        return;
    window.Command24.setCaption(symbol->Caption() + QStringLiteral(" ") + label->Caption());
}

void Option14_Click(Plot& window, int /*index*/)
{
    LineRubber = 0;
    LineSubState = 0;
    focusPlot(window);
}

void Option8_Click(Plot& window, int /*index*/)
{
    window.Option16.setValue(true);
    focusPlot(window);
}

void Option23_Click(Plot& window, int index)
{
    if (window.Option18.Value()) {
        if (const platform::OptionButton* phrase = window.Option23.find(index))
            window.Text8.setText(phrase->Caption());
    } else {
        window.Text8.setVisible(index == 7);
    }
    focusPlot(window);
}

// --- search kinds --------------------------------------------------------------------

void Option7_Click(Plot& window)
{
    showSearchComparisons(window, false);
    window.Option31.setValue(true);
}

void Option15_Click(Plot& window)
{
    showSearchComparisons(window, true);
}

void Option29_Click(Plot& window)
{
    showSearchComparisons(window, true);
    window.Option30.setValue(true);
}

void Option30_Click(Plot& window)
{
    window.Option29.setValue(true);
    focusPlot(window);
}

void Option31_Click(Plot& window)
{
    showSearchComparisons(window, false);
    window.Option7.setValue(true);
    focusPlot(window);
}

// --- frames --------------------------------------------------------------------------

void Frame2_MouseDown(Plot& window, int button)
{
    if (button == 2)
        window.Option33.setValue(true);
}

void operationPanelMouseMove(Plot& window)
{
    DiagonalArmed = 0;
    DiagonalLabelHidden = 0;
    window.Command13.setBackColor(platform::QBColor(15));
    window.Command74.setBackColor(platform::QBColor(15));
}

void Frame1_DblClick(Plot& /*window*/)
{
    const QString title = QStringLiteral("twip to pixcel");
    const QString across = platform::InputBox(QStringLiteral("横倍率"), title, platform::CStrSingle(TwipPixX));
    const QString down = platform::InputBox(QStringLiteral("縦倍率"), title, platform::CStrSingle(TwipPixY));
    takeTwipFactor(TwipPixX, across);
    takeTwipFactor(TwipPixY, down);
}

}  // namespace tavelcor

namespace tavelcor {

void wireModeOptions(Plot& window)
{
    Plot* w = &window;
    // The operation options run their select operation at the press too,
    // so it runs even when the option is chosen already.
    const auto operation = [w](platform::OptionButton& option, void (*select)(Plot&)) {
        option.Click = [w, select] { select(*w); };
        option.MouseDown = [w, select](int, int, double, double) { select(*w); };
    };
    operation(w->Option12, Option12_Click);
    operation(w->Option11, Option11_Click);
    operation(w->Option10, Option10_Click);
    operation(w->Option9, Option9_Click);
    operation(w->Option20, Option20_Click);
    operation(w->Option6, Option6_Click);
    operation(w->Option25, Option25_Click);
    operation(w->Option16, Option16_Click);
    operation(w->Option17, Option17_Click);
    operation(w->Option22, Option22_Click);
    operation(w->Option24, Option24_Click);
    operation(w->Option19, Option19_Click);
    operation(w->Option18, Option18_Click);
    w->Option21.Click = [w] { Option21_Click(*w); };
    w->Option21.MouseDown = [w](int, int, double, double) { Option21_MouseDown(*w); };

    const auto click = [w](platform::OptionButton& option, void (*handler)(Plot&)) {
        option.Click = [w, handler] { handler(*w); };
    };
    click(w->Option1, Option1_Click);
    click(w->Option2, Option2_Click);
    click(w->Option3, Option3_Click);
    click(w->Option4, Option4_Click);
    click(w->Option5, Option5_Click);
    click(w->Option32, Option32_Click);
    click(w->Option33, Option33_Click);
    click(w->Option34, Option34_Click);
    click(w->Option7, Option7_Click);
    click(w->Option15, Option15_Click);
    click(w->Option29, Option29_Click);
    click(w->Option30, Option30_Click);
    click(w->Option31, Option31_Click);

    w->Option13.MouseDown = [w](int index, int, int, double, double) { Option13_MouseDown(*w, index); };
    w->Option14.Click = [w](int index) { Option14_Click(*w, index); };
    w->Option8.Click = [w](int index) { Option8_Click(*w, index); };
    w->Option23.Click = [w](int index) { Option23_Click(*w, index); };

    w->Frame2.MouseDown = [w](int button, int, double, double) { Frame2_MouseDown(*w, button); };
    for (platform::Frame* panel : {&w->Frame4, &w->Frame9, &w->Frame10, &w->Frame11})
        panel->MouseMove = [w](int, int, double, double) { operationPanelMouseMove(*w); };
    w->Frame1.DblClick = [w] { Frame1_DblClick(*w); };
}

}  // namespace tavelcor
