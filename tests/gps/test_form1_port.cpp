// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's window: the serial port's fields, start and stop, the port
// search over ports 1 to 16 and the busy wait.
#include "window_fixture.h"

#include "gps/messages.h"

#include <QElapsedTimer>
#include <QTimer>

#include <chrono>

namespace gpstest {
namespace {

using namespace std::chrono_literals;
using platform::MsgResult;

using Port = WindowTest;

TEST_F(Port, DoubleClickingTheBaudFieldStepsTheRate)
{
    orbela::Form1& f = form();
    QStringList seen;
    for (int i = 0; i < 7; ++i) {
        QTest::mouseDClick(f.Text4.widget(), Qt::LeftButton);
        seen.append(f.Text4.Text());
    }
    EXPECT_EQ(seen, (QStringList{"57600", "115200", "1200", "4800", "9600", "19200", "38400"}));
    f.Text4.setText(QStringLiteral("2400"));
    QTest::mouseDClick(f.Text4.widget(), Qt::LeftButton);
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("1200"));
}

TEST_F(Port, AnOpenPortKeepsItsRateUntilTheNextStart)
{
    orbela::Form1& f = form();
    startReception();
    QTest::mouseDClick(f.Text4.widget(), Qt::LeftButton);
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("57600"));
    EXPECT_EQ(f.MSComm1.Settings(), QStringLiteral("38400,N,8,1"));
    f.Command2.setValue(true);
    f.Command1.setValue(true);
    EXPECT_EQ(f.MSComm1.Settings(), QStringLiteral("57600,N,8,1"));
}

TEST_F(Port, ThresholdFieldSetsTheThresholdAtOnce)
{
    orbela::Form1& f = form();
    const std::pair<const char*, int> rows[] = {{"5", 500}, {"0.5", 50}, {"3", 300},
                                                // refused: the threshold in force stays
                                                {"400", 300}, {"-1", 300}, {"327.67", 32767}};
    for (const auto& [text, expected] : rows) {
        f.Text6.setText(QString::fromUtf8(text));
        EXPECT_EQ(f.MSComm1.RThreshold(), expected) << text;
    }
}

TEST_F(Port, TheThresholdOfAnOpenPortChangesToo)
{
    orbela::Form1& f = form();
    startReception();
    EXPECT_EQ(f.MSComm1.RThreshold(), 100);
    f.Text6.setText(QStringLiteral("2"));
    EXPECT_EQ(f.MSComm1.RThreshold(), 200);
}

TEST_F(Port, PortFieldTakesFullWidthDigitsAsNarrowOnes)
{
    orbela::Form1& f = form();
    f.Text2.setText(QStringLiteral("３"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("3"));
    f.Text2.setText(QStringLiteral("１６"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("16"));
}

TEST_F(Port, StartingOnAPortWithoutDeviceReports)
{
    orbela::Form1& f = form();
    f.Text2.setText(QStringLiteral("2"));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ポートが見つかりません"));
    f.Command1.setValue(true);
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.Timer1.Enabled()) << "the watchdog is not running";
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続"));
    EXPECT_EQ(f.Caption(), QStringLiteral("ORBELA 1.361"));
}

TEST_F(Port, StartingWithRefusedFieldsReports)
{
    const std::pair<const char*, const char*> rows[] = {
        {"Text2", "17"},   // no port 17
        {"Text2", "99999"},  // no 16-bit number
        {"Text4", "0"},    // no baud rate
        {"Text6", "400"},  // a threshold of 40000 bytes
    };
    for (const auto& [field, value] : rows) {
        orbela::Form1& f = form();
        platform::TextBox& box = QString::fromUtf8(field) == QStringLiteral("Text2") ? f.Text2
                                 : QString::fromUtf8(field) == QStringLiteral("Text4") ? f.Text4
                                                                                      : f.Text6;
        box.setText(QString::fromUtf8(value));
        script->expectMessage(MsgResult::Ok, QStringLiteral("ポートが見つかりません"));
        f.Command1.setValue(true);
        EXPECT_FALSE(f.MSComm1.PortOpen()) << field << "=" << value;
        EXPECT_TRUE(f.Command1.Enabled());
        EXPECT_FALSE(f.Timer1.Enabled());
        platform::destroyAllForms();
    }
}

TEST_F(Port, StartOpensThePortAndArmsTheWatchdog)
{
    orbela::Form1& f = form();
    f.Text1.setText(QStringLiteral("2"));
    startReception();
    EXPECT_FALSE(f.Command1.Enabled());
    EXPECT_TRUE(f.Timer1.Enabled());
    EXPECT_EQ(f.Timer1.Interval(), 2000);
    EXPECT_EQ(f.reception().RecvCount(), 0);
    EXPECT_EQ(f.MSComm1.devicePath(), pty.slavePath());
    EXPECT_EQ(f.MSComm1.Settings(), QStringLiteral("38400,N,8,1"));
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続")) << "the start does not change the fix item";
}

// The field shows the time-out in use: one the timer cannot hold is set to
// the nearest limit when reception starts.
TEST_F(Port, ATimeOutTheTimerCannotHoldIsLimitedInTheField)
{
    const std::tuple<const char*, const char*, int> rows[] = {
        {"100", "65", 65000}, {"65.535", "65.535", 65535}, {"-3", "0", 0}, {"7", "7", 7000}};
    for (const auto& [typed, shown, interval] : rows) {
        orbela::Form1& f = form();
        f.Text1.setText(QStringLiteral("3"));
        startReception();
        f.Command2.setValue(true);
        f.Text1.setText(QString::fromUtf8(typed));
        f.Command1.setValue(true);
        EXPECT_TRUE(f.MSComm1.PortOpen()) << typed;
        EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(shown)) << typed;
        EXPECT_TRUE(f.Timer1.Enabled()) << typed;
        EXPECT_EQ(f.Timer1.Interval(), interval) << typed;
        platform::destroyAllForms();
    }
}

TEST_F(Port, StopWithThePortClosedStillSetsTheStatus)
{
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    f.Command2.setValue(true);
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("中断"));
    EXPECT_EQ(f.Caption(), QStringLiteral("中断 ORBELA"));
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.contains(QStringLiteral("中断")); }, kWaitMs));
}

TEST_F(Port, StopClosesAnOpenPort)
{
    orbela::Form1& f = form();
    startReception();
    f.Command2.setValue(true);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_TRUE(f.Command1.Enabled());
}

// Ports: 1 none, 2 a silent device, 3 a receiver that talks, 4..16 none.
TEST_F(Port, SearchFindsThePortThatDeliversData)
{
    testing_support::PseudoTerminal silent;
    testing_support::PseudoTerminal talking;
    ASSERT_TRUE(silent.isValid() && talking.isValid());
    ports.clear();
    ports = portsOnly({{2, silent.slavePath()}, {3, talking.slavePath()}});
    testing_support::Feeder receiver(talking, fixBurst(), 20ms);

    orbela::Form1& f = form();
    f.Text1.setText(QStringLiteral("0.5"));  // waits of 100 ms
    f.Text2.setText(QStringLiteral("9"));
    QElapsedTimer clock;
    clock.start();
    f.Command4.setValue(true);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text2.BackColor(), 0x008000u) << "green: colour 2 of the classic palette";
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("ポート検索"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    // Port 2 opened and listened twice 100 ms; port 3 as well.
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_EQ(f.reception().RecvCount(), 0) << "no receive event during the search";

    // The port found is where reception starts.
    f.Text6.setText(QStringLiteral("1"));
    f.Text5.setText(QStringLiteral("9"));
    f.Command1.setValue(true);
    EXPECT_EQ(f.MSComm1.devicePath(), talking.slavePath());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Text7.Text() == kFixText; }, kWaitMs));
}

// Records the window's state when each message box comes.
class ObservingPrompter final : public platform::Prompter {
public:
    std::function<void(const QString&)> onMessage;
    platform::MsgResult message(const platform::MessageRequest& request) override
    {
        if (onMessage)
            onMessage(request.text);
        return platform::MsgResult::Ok;
    }
    std::optional<QString> input(const platform::InputRequest&) override { return std::nullopt; }
    std::optional<platform::FileChoice> file(const platform::FileRequest&) override { return std::nullopt; }
    std::optional<std::uint32_t> color(const platform::ColorRequest&) override { return std::nullopt; }
    std::optional<QString> printer(const platform::PrinterRequest&) override { return std::nullopt; }
    std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest&) override { return std::nullopt; }
    void runModal(platform::ModalWindow& window) override { window.modalClose(); }
};

TEST_F(Port, SearchWithoutReceiverReportsAndStartsAgainAtOne)
{
    testing_support::PseudoTerminal silent;
    ASSERT_TRUE(silent.isValid());
    ports.clear();
    ports = portsOnly({{5, silent.slavePath()}, {16, pty.slavePath()}});
    auto observer = std::make_unique<ObservingPrompter>();
    QStringList messages;
    QString buttonAtMessage;
    QString portAtMessage;
    QString captionAtMessage;
    orbela::Form1& f = form();
    observer->onMessage = [&](const QString& text) {
        messages.append(text);
        buttonAtMessage = f.Command4.Caption();
        portAtMessage = f.Text2.Text();
        captionAtMessage = f.Caption();
    };
    auto previous = platform::setPrompter(std::move(observer));
    f.Text1.setText(QStringLiteral("0.1"));
    f.Command4.setValue(true);
    platform::setPrompter(std::move(previous));

    EXPECT_EQ(messages, QStringList{QStringLiteral("ＧＰＳ受信機が見つかりません｡接続を確認して下さい。")});
    EXPECT_EQ(buttonAtMessage, QStringLiteral("17 ポート調査中"));
    EXPECT_EQ(portAtMessage, QStringLiteral("17"));
    EXPECT_EQ(captionAtMessage, QStringLiteral("未接続NMEA"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("ポート検索"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_NE(f.Text2.BackColor(), 0x008000u);
}

TEST_F(Port, TheSearchLimitsATimeOutTheTimerCannotHold)
{
    ports.clear();
    ports = portsOnly({});  // no device anywhere: every port fails at once
    orbela::Form1& f = form();
    f.Text1.setText(QStringLiteral("-5"));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ＧＰＳ受信機が見つかりません｡接続を確認して下さい。"));
    f.Command4.setValue(true);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("0"));
}

TEST_F(Port, WaitBlocksTheWindowForItsTime)
{
    orbela::Form1& f = form();
    bool ranMeanwhile = false;
    QTimer::singleShot(0, [&] { ranMeanwhile = true; });
    QElapsedTimer clock;
    clock.start();
    f.wait(120);
    EXPECT_GE(clock.elapsed(), 120);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(ranMeanwhile) << "no event is handled during the wait";
    EXPECT_TRUE(QTest::qWaitFor([&] { return ranMeanwhile; }, kWaitMs)) << "it is handled afterwards";
    clock.restart();
    f.wait(-5);
    EXPECT_LT(clock.elapsed(), 50);
}

}  // namespace
}  // namespace gpstest
