// SPDX-License-Identifier: LicenseRef-Tavelcor
// Form1: each receive event of the port through the reception, the
// watchdog, the workbook cell link, the track and point file commands and
// the geoid import.
#include "gps/form1.h"

#include "gps/fix_texts.h"
#include "gps/geoid.h"
#include "gps/messages.h"
#include "gps/track_files.h"

#include "platform/forms/dispatch.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/workbook/workbook.h"

namespace orbela {

namespace {

constexpr double kWorkbookAsksForFixes = 9999;
// The cell link is tried again at every event of the port; a spreadsheet
// program that is not running answers at once, so the wait stays short.
constexpr int kCellLinkTimeoutMs = 200;

}  // namespace

// ---- receive events ------------------------------------------------------------

// The option of the frame "保存タイプ" that is chosen.
SaveType Form1::chosenSaveType() const
{
    if (Option4.Value())
        return SaveType::Type1;
    return Option5.Value() ? SaveType::Type2 : SaveType::Sima;
}

ReceptionSettings Form1::receptionSettings() const
{
    ReceptionSettings settings;
    settings.zoneText = Text5.Text();
    settings.workbookLink = Check1.Value() == platform::check::Checked;
    settings.pointFilePath = Text3.Text();
    if (Option2.Value())
        settings.mode = ReceptionMode::Once;
    else if (Option6.Value())
        settings.mode = ReceptionMode::Twice;
    else if (Option7.Value())
        settings.mode = ReceptionMode::Ten;
    else if (Option8.Value())
        settings.mode = ReceptionMode::Fifty;
    settings.saveType = chosenSaveType();
    settings.clockRequested = Check2.Value() == platform::check::Checked;
    return settings;
}

// The workbook cell that switches the hand-over is linked again at every
// event of the port; a link that holds is kept, and a spreadsheet program
// that is not running is passed over.
void Form1::relinkWorkbookCell()
{
    if (mWorkbookCell && mWorkbookCell->isLinked())
        return;
    mWorkbookCell = platform::linkCell(kSignalSheet.toString(), kSignalCell.toString(), kCellLinkTimeoutMs);
    if (!mWorkbookCell)
        return;
    mWorkbookCell->Change = [this](const QString& text) {
        platform::detail::raise(this, std::function<void()>([this, text] { Text10.setText(text); }));
    };
}

void Form1::MSComm1_OnComm(platform::CommEvent event)
{
    relinkWorkbookCell();
    if (event != platform::CommEvent::Receive) {
        mReception.otherCommEvent();
        return;
    }
    const QByteArray buffer = MSComm1.input();
    Timer1.setEnabled(false);
    showOutcome(mReception.receive(buffer, receptionSettings()));
}

void Form1::showLog()
{
    const auto& lines = mReception.log().lines();
    for (int i = 0; i < LogBox::kLines; ++i)
        Text8(i).setText(lines[static_cast<std::size_t>(i)]);
}

// No GGA sentence: the scan has shown its message; reception ends.
void Form1::endReceptionWithoutGga()
{
    MSComm1.close();
    Timer1.setEnabled(false);
    Command1.setEnabled(true);
}

// The caption, the log and the fix item of an event; setting a text again
// to what it holds changes nothing and publishes nothing.
void Form1::showFix(const ReceiveOutcome& outcome)
{
    if (outcome.caption)
        setCaption(*outcome.caption);
    showLog();
    if (outcome.text7)
        Text7.setText(*outcome.text7);
}

void Form1::showOutcome(const ReceiveOutcome& outcome)
{
    if (outcome.untickClockBox)
        Check2.setValue(platform::check::Unchecked);
    if (outcome.endReception) {
        endReceptionWithoutGga();
        return;
    }
    if (outcome.result != ReceiveResult::NotReady && outcome.result != ReceiveResult::FixDone)
        return;
    // A fix was shown already, before the workbook and the point file; the
    // log is shown again for the workbook's failure line.
    showFix(outcome);
    if (outcome.clearPointFilePath)
        Text3.setText(QString());
    if (outcome.stopReception) {
        Command2_Click();
    } else if (outcome.armWatchdog) {
        Timer1.setInterval(kFixWatchdogMs);
        Timer1.setEnabled(true);
    }
}

// ---- watchdog ------------------------------------------------------------------------

void Form1::Timer1_Timer()
{
    // Off first: the warning waits for the user, and a second tick meanwhile
    // would stack another warning on it.
    Timer1.setEnabled(false);
    setCaption(movingCaption(kCaptionLeadNoData.toString(), mReception.CaptionStep()));
    Text7.setText(kStatusNotConnected.toString());
    platform::MsgBox(kMsgNoOutput.toString(), platform::MsgButtons::OkOnly, platform::MsgIcon::None,
                     kTitleMessage.toString(), true);
    Show();
    Command1.setEnabled(true);
    if (MSComm1.PortOpen())
        MSComm1.close();
    Timer1.setEnabled(false);
    setCaption(kCaptionNotConnected.toString());
}

// ---- workbook cell ----------------------------------------------------------------------

void Form1::Text10_Change()
{
    Check1.setValue(platform::Val(Text10.Text()) == kWorkbookAsksForFixes ? platform::check::Checked
                                                                          : platform::check::Unchecked);
}

// ---- track save and point file ---------------------------------------------------------

void Form1::Command3_Click()
{
    if (!CommonDialog1.ShowOpen()) {
        Text3.setText(QString());
        return;
    }
    Text3.setText(CommonDialog1.FileName());
    if (!Option1.Value())
        return;
    if (mReception.track().TrackCount() < 2) {
        platform::MsgBox(kMsgNoData.toString());
        return;
    }
    if (MSComm1.PortOpen())
        MSComm1.close();
    // A file that cannot be written is passed over without a message.
    static_cast<void>(saveTrack(Text3.Text(), mReception.track(), chosenSaveType()));
    Timer1.setEnabled(false);
    Command1.setEnabled(true);
}

// ---- geoid model ------------------------------------------------------------------------

void Form1::Command5_Click()
{
    const QString tmpPath = mProgramFolder + QLatin1Char('/') + QLatin1String(kGeoidTmpName);
    GeoidModel& geoid = mReception.geoid();
    if (platform::fileExists(tmpPath)
        && platform::MsgBox(kMsgGeoidOverwrite.toString(), platform::MsgButtons::YesNo) == platform::MsgResult::No) {
        geoid.setPaths(geoid.GeoidAscPath(), tmpPath);
        return;
    }
    geoid.setPaths(geoid.GeoidAscPath(), tmpPath);
    CommonDialog2.setInitDir(mProgramFolder);
    if (!CommonDialog2.ShowOpen())
        return;
    const GeoidImportOutcome outcome = importGeoidModel(
        CommonDialog2.FileName(), mProgramFolder, [this] { setMousePointer(platform::pointer::Hourglass); });
    setMousePointer(platform::pointer::Default);
    if (outcome.imported) {
        geoid.setPaths(outcome.ascPath, outcome.tmpPath);
        Label9.setVisible(true);
    } else {
        geoid.clear();
        Label9.setVisible(false);
    }
}

}  // namespace orbela
