// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/workbook_measure.h"

#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/text/strings.h"
#include "platform/workbook/workbook.h"

#include <QThread>

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

namespace tavelcor {

namespace {

const QString kMeasured = QStringLiteral("測定済");
const QChar kDone = u'済';
// The pause between two looks at the clipboard: short against the 5 s, and
// the UI thread does nothing else meanwhile either way.
constexpr unsigned long kPollPauseMs = 5;

std::int64_t clockNowMs()
{
    const MeasureServices& services = measureServices();
    if (services.clockMs)
        return services.clockMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A picked point, and the user's consent to measure the point
// just measured again. False stops the measurement.
bool readyToMeasure(Plot& window)
{
    if (CurPoint < 1 || CurPoint > kPointTop) {
        // A pick that names no slot of the table counts as none.
        if (platform::trimmedView(window.Text6.Text()).isEmpty())
            platform::MsgBox(QStringLiteral("ポイントが選択されていません"));
        else
            platform::MsgBox(QStringLiteral("ポイントを再度選択してください"));
        return false;
    }
    if (window.Text6.Text() == LastMeasured && window.Text7.Text().contains(kDone)) {
        const platform::MsgResult answer =
            platform::MsgBox(QStringLiteral("続けて同じ名称のポイントを測ろうとしています。観測しますか?"),
                             platform::MsgButtons::YesNo);
        if (answer != platform::MsgResult::Yes)
            return false;
    }
    return true;
}

// Every open workbook is WEMBRA (exact substring).
bool onlyWembraOpen(platform::Workbook& excel)
{
    const std::optional<QStringList> names = excel.workbookNames();
    if (!names)
        return true;
    for (const QString& name : *names) {
        if (!name.contains(QStringLiteral("WEMBRA"))) {
            platform::MsgBox(QStringLiteral(
                "WEMBRA.XLSを起動して下さい。他のブックが起動しているときは、それらを閉じて下さい。"));
            return false;
        }
    }
    return true;
}

// The clipboard's first text within the wait, polled without running
// other events; nullopt when the wait ran out.
std::optional<QString> waitForReply(platform::Clipboard& clipboard)
{
    const std::int64_t t0 = clockNowMs();
    for (;;) {
        if (clockNowMs() > t0 + kMeasureReplyWaitMs)
            return std::nullopt;
        QString text = clipboard.text();
        if (!text.isEmpty())
            return text;
        QThread::msleep(kPollPauseMs);
    }
}

// The reply "測定済": the point and its field marked, the points redrawn.
void markMeasured(Plot& window)
{
    LastMeasured = window.Text6.Text();
    window.Text7.setText(window.Text7.Text() + kDone);
    PointName2[CurPoint] = platform::RTrim(std::as_const(PointName2)[CurPoint]) + kDone;
    render::Pointview(plotFace());
}

// With the spreadsheet program attached: the workbook shown, the clipboard
// emptied, the macro run with the point's name, the reply awaited.
void runAndWait(Plot& window, platform::Workbook& excel, MeasureButton button)
{
    excel.setVisible(true);
    platform::Clipboard& clipboard = surveyClipboard();
    clipboard.clear();
    window.Text6.setText(std::as_const(PointName)[CurPoint]);
    const QString name = window.Text6.Text();
    const QString argument = window.Text7.Text().contains(kDone) ? platform::Trim(name) + QLatin1Char('X') : name;
    const platform::MacroOutcome outcome =
        excel.run(measureMacro(button, CollectorSdl, RecordMain), QVariantList{argument});
    if (!outcome.ok) {
        platform::MsgBox(QStringLiteral("wembraに　X が入らなかったかもしれません"));
        return;
    }
    takeMeasureReply(window, clipboard);
}

}  // namespace

void takeMeasureReply(Plot& window, platform::Clipboard& clipboard)
{
    const std::optional<QString> reply = waitForReply(clipboard);
    if (!reply)
        return;
    if (*reply == kMeasured)
        markMeasured(window);
    else
        platform::MsgBox(*reply);
    clipboard.clear();
}

QString measureMacro(MeasureButton button, int collectorSdl, int recordMain)
{
    const QString observe = QStringLiteral("sokutei_f");
    const QString record = QStringLiteral("Read_f");
    if (collectorSdl == 0 && (recordMain == 0 || recordMain == 1)) {
        // The button captioned 観測 runs sokutei_f, the one captioned 記録
        // Read_f; RecordMain 1 swaps the two captions.
        const bool first = button == MeasureButton::Command31;
        return (first == (recordMain == 0)) ? observe : record;
    }
    return QStringLiteral("sokutei_sdl");
}

MeasureServices& measureServices()
{
    static MeasureServices services;
    return services;
}

void measurePoint(Plot& window, MeasureButton button)
{
    if (!readyToMeasure(window))
        return;
    const bool focusAtEnd = button == MeasureButton::Command43;
    // Errors while attaching are passed over: only a missing program counts.
    const std::unique_ptr<platform::Workbook> excel =
        platform::Workbook::attach(measureServices().attachTimeoutMs);
    if (!excel) {
        platform::MsgBox(QStringLiteral("WEMBRA.XLSを起動して下さい"));
    } else {
        if (!onlyWembraOpen(*excel))
            return;
        runAndWait(window, *excel, button);
    }
    if (focusAtEnd)
        window.Picture1.SetFocus();
}

void Command43_Click(Plot& window)
{
    measurePoint(window, MeasureButton::Command43);
}

void wireWorkbookMeasure(Plot& window)
{
    window.Command43.Click = [&window] { Command43_Click(window); };
}

}  // namespace tavelcor
