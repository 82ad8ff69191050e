// SPDX-License-Identifier: LicenseRef-Tavelcor
// Form1: the serial port's start and stop, the port search over ports 1 to
// 16, the busy wait, the baud rate steps and the threshold and port fields.
#include "gps/form1.h"

#include "gps/fix_texts.h"
#include "gps/messages.h"
#include "gps/port_settings.h"

#include "platform/prompt/prompter.h"
#include "platform/serial/port_paths.h"
#include "platform/text/numbers.h"
#include "platform/text/width.h"

#include <QThread>

namespace orbela {

namespace {

// The background of a port field whose port delivered data: colour 2 of the
// classic palette, RGB(0, 128, 0), as 0x00BBGGRR.
constexpr std::uint32_t kFoundColor = 0x008000;
constexpr int kSearchThreshold = 10;

}  // namespace

// ---- start and stop ----------------------------------------------------------

// Settings, port number, open, threshold: false at the first step that fails.
bool Form1::openPortForStart()
{
    const std::optional<int> port = portNumber(Text2.Text());
    const std::optional<int> threshold = receiveThreshold(Text6.Text());
    return MSComm1.setSettings(Text4.Text() + QLatin1Char(',') + Label6.Caption()) && port
           && MSComm1.setCommPort(*port) && MSComm1.open() && threshold
           && MSComm1.setRThreshold(*threshold);
}

void Form1::Command1_Click()
{
    mReception.startReception();
    Command1.setEnabled(false);
    limitWatchdogField();
    Timer1.setInterval(watchdogIntervalMs(Text1.Text()).value_or(Timer1.Interval()));
    Timer1.setEnabled(true);
    if (openPortForStart())
        return;
    Command1.setEnabled(true);
    platform::MsgBox(kMsgPortNotFound.toString());
    if (MSComm1.PortOpen())
        MSComm1.close();
    Timer1.setEnabled(false);
}

void Form1::Command2_Click()
{
    if (MSComm1.PortOpen()) {
        Timer1.setEnabled(false);
        MSComm1.close();
    }
    Timer1.setEnabled(false);
    Command1.setEnabled(true);
    Text7.setText(kStatusStopped.toString());
    setCaption(kCaptionStopped.toString());
}

// ---- port search -----------------------------------------------------------------

void Form1::Command4_Click()
{
    portseek();
}

void Form1::wait(double misec)
{
    const std::uint32_t start = tickCount32();
    while (elapsedMs(start, tickCount32()) <= misec)
        QThread::msleep(1);
}

// Opens the port in the port field and listens; true when data came.  A
// step that fails is passed over; a port that does not open gives no data.
bool Form1::probePort()
{
    MSComm1.setSettings(Text4.Text() + QLatin1Char(',') + Label6.Caption());
    const std::optional<int> port = portNumber(Text2.Text());
    if (!port || !MSComm1.setCommPort(*port) || !MSComm1.open())
        return false;
    MSComm1.setRThreshold(kSearchThreshold);
    static_cast<void>(MSComm1.input());
    const double waitMs = searchWaitMs(Text1.Text());
    wait(waitMs);
    const QByteArray sample = MSComm1.input();
    wait(waitMs);
    return !sample.isEmpty();
}

// One port of the search; false when the search has ended.
bool Form1::searchStep()
{
    if (MSComm1.PortOpen())
        MSComm1.close();
    Command1.setEnabled(false);
    if (probePort()) {
        Command1.setEnabled(true);
        MSComm1.close();
        Text2.setBackColor(kFoundColor);
        Command4.setCaption(kCaptionPortSearch.toString());
        return false;
    }
    Text2.setText(platform::CStr(platform::Val(Text2.Text()) + 1));
    Command4.setCaption(Text2.Text() + kCaptionSearching.toString());
    if (platform::Val(Text2.Text()) > platform::kLastSerialPort) {
        searchFailed();
        return false;
    }
    return true;
}

void Form1::searchFailed()
{
    if (MSComm1.PortOpen())
        MSComm1.close();
    Command1.setEnabled(true);
    setCaption(movingCaption(kStatusNotConnected.toString(), mReception.CaptionStep()));
    platform::MsgBox(kMsgReceiverNotFound.toString());
    Text2.setText(QStringLiteral("1"));
    Command4.setCaption(kCaptionPortSearch.toString());
}

void Form1::portseek()
{
    limitWatchdogField();
    Text2.setText(QStringLiteral("1"));
    while (searchStep()) {
    }
}

// ---- fields ------------------------------------------------------------------------

// The timer holds at most 65535 ms: a time-out outside 0 to 65 s is set to
// the nearest limit in the field, so the field shows the time-out in use.
void Form1::limitWatchdogField()
{
    if (const std::optional<QString> limited = limitedWatchdogField(Text1.Text()))
        Text1.setText(*limited);
}

void Form1::Text4_DblClick()
{
    Text4.setText(nextBaudRate(Text4.Text()));
}

void Form1::Text6_Change()
{
    // A threshold the port cannot hold is refused: the one in force stays.
    if (const std::optional<int> threshold = receiveThreshold(Text6.Text()))
        MSComm1.setRThreshold(*threshold);
}

void Form1::Text2_Change()
{
    const QString narrow = platform::toHalfWidth(Text2.Text());
    if (narrow != Text2.Text())
        Text2.setText(narrow);
}

}  // namespace orbela
