// SPDX-License-Identifier: LicenseRef-Tavelcor
// The field workbook's clipboard reply to a point measurement, taken as the
// point panel's workbook buttons take it: Command31 (in 属性) or Command43
// on the main window, offscreen, against a workbook peer whose macros put
// the input on an in-memory clipboard while they run.
//
// The first input byte sets the scene: the button, the data collector and
// main action settings, whether the second name already holds "済" (and
// the point was the last one measured), and which point is picked (a
// point, none, or an index beyond the table). The rest is the reply as
// UTF-8. The clock runs a second per look at the clipboard, so an empty
// reply ends the wait at once.
//
// Afterwards the point is marked exactly when the reply was "測定済", its
// first name and the count are unchanged, and a reply was taken off the
// clipboard.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/main_window.h"

#include "main/edit/edit_wiring.h"
#include "main/edit/point_panel.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/survey/workbook_measure.h"
#include "main/window/plot.h"
#include "platform/system/clipboard.h"
#include "platform/text/strings.h"
#include "platform/workbook/workbook_peer.h"

#include <QVariant>

#include <atomic>
#include <memory>
#include <mutex>

namespace {

using namespace tavelcor;

// The clipboard the peer's thread writes during a macro run.
class SharedClipboard final : public platform::Clipboard {
public:
    QString text() const override
    {
        std::lock_guard lock(mMutex);
        return mText;
    }
    void setText(const QString& text) override
    {
        std::lock_guard lock(mMutex);
        mText = text;
    }
    void clear() override { setText(QString()); }

private:
    mutable std::mutex mMutex;
    QString mText;
};

SharedClipboard& clipboard()
{
    static SharedClipboard shared;
    return shared;
}

// The reply of the current case, read by the peer's thread.
std::mutex replyMutex;
QString reply;

platform::WorkbookPeer& peer()
{
    static platform::WorkbookPeer* started = [] {
        auto* made = new platform::WorkbookPeer;  // lives for the process
        made->setWorkbooks({QStringLiteral("WEMBRA.XLS")});
        for (const char* macro : {"sokutei_f", "Read_f", "sokutei_sdl"})
            made->setMacro(QString::fromLatin1(macro), [](const QVariantList&) {
                std::lock_guard lock(replyMutex);
                clipboard().setText(reply);
                return platform::MacroReply{};
            });
        if (!made->start()) {
            std::fprintf(stderr, "fuzz: the workbook peer does not start\n");
            std::abort();
        }
        return made;
    }();
    return *started;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::setUpOnce(fuzz::App::Widgets);
    // The peer's name follows the program folder: private to this process.
    qputenv("TAVELCOR_HOME", fuzz::programFolder().toUtf8());
    addPlotWiring(wireEdit);
    (void)fuzz::mainWindow();
    (void)peer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const std::uint8_t scene = bytes.take();
    const QByteArrayView text = bytes.rest();
    const QString answer = QString::fromUtf8(text.data(), text.size());
    {
        std::lock_guard lock(replyMutex);
        reply = answer;
    }
    auto looks = std::make_shared<std::atomic<std::int64_t>>(0);
    measureServices().clockMs = [looks] { return 1000 * looks->fetch_add(1); };
    surveyServices().clipboard = &clipboard();
    clipboard().clear();

    CollectorSdl = (scene & 0x02) != 0 ? 1 : 0;
    RecordMain = (scene & 0x04) != 0 ? 1 : 0;
    const bool marked = (scene & 0x08) != 0;
    PointName[1] = QStringLiteral("K1");
    PointName2[1] = marked ? QStringLiteral("済 ") : QStringLiteral("a ");
    PointMark[1] = 2;
    PointCount = 1;
    LastMeasured = marked ? QStringLiteral("K1") : QString();
    fuzz::answerYes(true);
    switch ((scene >> 4) % 3) {
    case 0: CurPoint = 1; break;
    case 1: CurPoint = 0; break;
    default: CurPoint = kPointTop + 1; break;
    }
    const int picked = CurPoint;

    Plot& window = fuzz::mainWindow();
    window.Option9.setValue(true);
    window.Text6.setText(QStringLiteral("K1"));
    window.Text7.setText(platform::RTrim(PointName2[1]));
    if ((scene & 0x01) != 0)
        Command43_Click(window);
    else
        Command31_Click(window);

    const QString before = marked ? QStringLiteral("済 ") : QStringLiteral("a ");
    const bool taken = picked == 1 && answer == QStringLiteral("測定済");
    const QString expected = taken ? platform::RTrim(before) + QStringLiteral("済") : before;
    if (PointName2[1] != expected)
        fuzz::fail(QStringLiteral("second name %1").arg(PointName2[1]));
    if (PointName[1] != QStringLiteral("K1") || PointCount != 1 || CurPoint != picked)
        fuzz::fail(QStringLiteral("the point table changed"));
    if (picked == 1 && !answer.isEmpty() && !clipboard().text().isEmpty())
        fuzz::fail(QStringLiteral("the reply stays on the clipboard"));
    surveyServices().clipboard = nullptr;
    measureServices() = MeasureServices{};
    return 0;
}
