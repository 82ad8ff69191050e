// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/serial_port.h"

#include "pty_pair.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace platform {
namespace {

using testing_support::PseudoTerminal;
using testing_support::ScopedEnv;

constexpr int kWaitMs = 3000;

// A port whose number 3 stands for a fresh pseudo-terminal.
class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.isValid());
        ASSERT_TRUE(port.setCommPort(3));
    }

    PseudoTerminal pty;
    ScopedEnv env{"ORBELA_PORT3", pty.slavePath()};
    SerialPort port;
};

TEST(SerialPortValues, DesignValues)
{
    SerialPort port;
    EXPECT_EQ(port.CommPort(), 1);
    EXPECT_EQ(port.Settings(), QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(port.RThreshold(), 0);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(port.input().isEmpty());
    EXPECT_EQ(port.InBufferCount(), 0);
}

TEST(SerialPortValues, RefusedValuesKeepTheOldOnes)
{
    SerialPort port;
    ASSERT_TRUE(port.setCommPort(5));
    for (int bad : {0, -1, 17, 100})
        EXPECT_FALSE(port.setCommPort(bad)) << bad;
    EXPECT_EQ(port.CommPort(), 5);

    ASSERT_TRUE(port.setRThreshold(500));
    // 5 hundreds is 500; a field of 400 hundreds would be 40000 bytes.
    for (int bad : {-1, 32768, 40000})
        EXPECT_FALSE(port.setRThreshold(bad)) << bad;
    EXPECT_EQ(port.RThreshold(), 500);
    EXPECT_TRUE(port.setRThreshold(32767));

    ASSERT_TRUE(port.setSettings(QStringLiteral("38400,N,8,1")));
    EXPECT_FALSE(port.setSettings(QStringLiteral("0,N,8,1")));
    EXPECT_FALSE(port.errorString().isEmpty());
    EXPECT_EQ(port.Settings(), QStringLiteral("38400,N,8,1"));
}

TEST(SerialPortValues, OpeningANumberWithoutDeviceFails)
{
    ScopedEnv none("ORBELA_PORT4", QString());
    ScopedEnv missing("ORBELA_PORT5", QStringLiteral("/nonexistent/tty-for-test"));
    SerialPort port;
    for (int number : {4, 5}) {
        ASSERT_TRUE(port.setCommPort(number));
        EXPECT_FALSE(port.open()) << number;
        EXPECT_FALSE(port.PortOpen());
        EXPECT_FALSE(port.errorString().isEmpty());
    }
}

TEST_F(SerialPortOnPty, ReadsWhatTheReceiverSent)
{
    ASSERT_TRUE(port.open()) << port.errorString().toStdString();
    EXPECT_EQ(port.devicePath(), pty.slavePath());
    ASSERT_TRUE(pty.send("$GPGGA,1*00\r\n"));
    QByteArray got;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        got += port.input();
        return got.size() >= 13;
    }, kWaitMs));
    EXPECT_EQ(got, QByteArray("$GPGGA,1*00\r\n"));
    EXPECT_TRUE(port.input().isEmpty()) << "the buffer is empty after reading";
}

TEST_F(SerialPortOnPty, InputWorksWithoutTheEventLoop)
{
    // The port search reads while it blocks the window.
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("abc"));
    QByteArray got;
    for (int i = 0; i < 300 && got.size() < 3; ++i) {
        got += port.input();
        if (got.size() < 3)
            QThread::msleep(10);
    }
    EXPECT_EQ(got, QByteArray("abc"));
}

TEST_F(SerialPortOnPty, OpenPortTakesTheLineSettings)
{
    ASSERT_TRUE(port.setSettings(QStringLiteral("4800,N,8,2")));
    ASSERT_TRUE(port.open()) << port.errorString().toStdString();
    auto t = pty.slaveSettings();
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(cfgetospeed(&*t), static_cast<speed_t>(B4800));
    EXPECT_FALSE(t->c_cflag & PARENB);
    EXPECT_EQ(t->c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(t->c_cflag & CSTOPB);

    // Settings changed on an open port apply at once.
    ASSERT_TRUE(port.setSettings(QStringLiteral("38400,N,8,1")));
    t = pty.slaveSettings();
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(cfgetospeed(&*t), static_cast<speed_t>(B38400));
    EXPECT_FALSE(t->c_cflag & CSTOPB);
}

TEST_F(SerialPortOnPty, SettingsTheDeviceRefusesKeepThePortClosed)
{
    // A pseudo-terminal always carries 8 data bits without parity.
    ASSERT_TRUE(port.setSettings(QStringLiteral("9600,E,7,1")));
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(port.errorString().isEmpty());

    // On an open port the refused settings leave the old ones in force.
    ASSERT_TRUE(port.setSettings(QStringLiteral("19200,N,8,1")));
    ASSERT_TRUE(port.open());
    EXPECT_FALSE(port.setSettings(QStringLiteral("9600,O,7,1")));
    EXPECT_EQ(port.Settings(), QStringLiteral("19200,N,8,1"));
    const auto t = pty.slaveSettings();
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(cfgetospeed(&*t), static_cast<speed_t>(B19200));
    EXPECT_TRUE(port.PortOpen());
}

TEST_F(SerialPortOnPty, OpenTwiceAndNumberChangeWhileOpenAreRefused)
{
    ASSERT_TRUE(port.open());
    EXPECT_FALSE(port.open());
    EXPECT_TRUE(port.PortOpen());
    EXPECT_FALSE(port.setCommPort(4));
    EXPECT_EQ(port.CommPort(), 3);
    port.close();
    EXPECT_FALSE(port.PortOpen());
    port.close();  // closing a closed port does nothing
    EXPECT_TRUE(port.setCommPort(4));
}

TEST_F(SerialPortOnPty, APortInUseCannotBeOpenedAgain)
{
    ASSERT_TRUE(port.open());
    SerialPort second;
    ASSERT_TRUE(second.setCommPort(3));
    EXPECT_FALSE(second.open());
    EXPECT_FALSE(second.PortOpen());
    port.close();
    EXPECT_TRUE(second.open()) << second.errorString().toStdString();
}

TEST_F(SerialPortOnPty, ThresholdRaisesOneReceiveEvent)
{
    std::vector<CommEvent> events;
    std::vector<QByteArray> read;
    port.OnComm = [&](CommEvent event) {
        events.push_back(event);
        read.push_back(port.input());
    };
    ASSERT_TRUE(port.setRThreshold(10));
    ASSERT_TRUE(port.open());

    ASSERT_TRUE(pty.send("12345"));
    // Once the port holds the bytes, whatever their arrival queued is run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 5; }, kWaitMs));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(events.empty()) << "5 bytes stay below a threshold of 10";

    ASSERT_TRUE(pty.send("67890abc"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !events.empty(); }, kWaitMs));
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], CommEvent::Receive);
    EXPECT_EQ(read[0], QByteArray("1234567890abc"));
}

TEST_F(SerialPortOnPty, EachBatchAboveTheThresholdRaisesItsEvent)
{
    int events = 0;
    QByteArray read;
    port.OnComm = [&](CommEvent) {
        ++events;
        read += port.input();
    };
    ASSERT_TRUE(port.setRThreshold(4));
    ASSERT_TRUE(port.open());
    for (const char* batch : {"AAAA", "BBBBB", "CCCC"}) {
        const int before = events;
        ASSERT_TRUE(pty.send(batch));
        EXPECT_TRUE(QTest::qWaitFor([&] { return events > before; }, kWaitMs)) << batch;
    }
    EXPECT_EQ(read, QByteArray("AAAABBBBBCCCC"));
}

TEST_F(SerialPortOnPty, ThresholdZeroRaisesNothing)
{
    int events = 0;
    port.OnComm = [&](CommEvent) { ++events; };
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("0123456789"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 10; }, kWaitMs));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events, 0);
    EXPECT_EQ(port.InBufferCount(), 10);
}

TEST_F(SerialPortOnPty, DataReadBeforeTheEventCancelsIt)
{
    int events = 0;
    port.OnComm = [&](CommEvent) { ++events; };
    ASSERT_TRUE(port.setRThreshold(3));
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("xyz"));
    // Fetch without the event loop, as the port search does; the event that
    // the arrival scheduled then finds nothing to report.
    QByteArray got;
    for (int i = 0; i < 300 && got.size() < 3; ++i) {
        got += port.input();
        if (got.size() < 3)
            QThread::msleep(10);
    }
    ASSERT_EQ(got, QByteArray("xyz"));
    QCoreApplication::sendPostedEvents();  // the event the arrival queued
    EXPECT_EQ(events, 0);
}

TEST_F(SerialPortOnPty, HandlerMayCloseThePort)
{
    int events = 0;
    port.OnComm = [&](CommEvent) {
        ++events;
        port.close();
    };
    ASSERT_TRUE(port.setRThreshold(2));
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("hello"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return events > 0; }, kWaitMs));
    ASSERT_TRUE(pty.send("more data"));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(port.PortOpen());
}

TEST(SerialPortLifetime, HandlerMayDestroyThePort)
{
    PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    ScopedEnv env("ORBELA_PORT2", pty.slavePath());
    auto port = std::make_unique<SerialPort>();
    int events = 0;
    ASSERT_TRUE(port->setCommPort(2));
    ASSERT_TRUE(port->setRThreshold(1));
    port->OnComm = [&](CommEvent) {
        ++events;
        port.reset();
    };
    ASSERT_TRUE(port->open());
    ASSERT_TRUE(pty.send("x"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return port == nullptr; }, kWaitMs));
    EXPECT_EQ(events, 1);
}

TEST_F(SerialPortOnPty, ReopeningStartsWithAnEmptyBuffer)
{
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("old"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return port.InBufferCount() == 3; }, kWaitMs));
    port.close();
    EXPECT_EQ(port.InBufferCount(), 0);
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(pty.send("new"));
    QByteArray got;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        got += port.input();
        return got.size() >= 3;
    }, kWaitMs));
    EXPECT_EQ(got, QByteArray("new"));
}

}  // namespace
}  // namespace platform
