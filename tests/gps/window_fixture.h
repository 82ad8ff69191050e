// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the window tests: a program folder of the test's own, a
// pseudo-terminal standing in for the receiver on port 1 (the other ports
// have no device, so the machine's own serial devices stay out of the
// tests), the scripted prompter, and Form1 destroyed after each test.
#pragma once

#include "gps/form1.h"

#include "nmea_helpers.h"
#include "platform/link/link_client.h"
#include "platform/prompt/testing.h"
#include "pty_pair.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace gpstest {

inline constexpr int kWaitMs = 5000;

// 35° 39.1234' N, 139° 45.6789' E, 8 satellites, quality 1; in zone 9 the
// fix text below (X and Y checked against PROJ by the reception's tests).
inline const QByteArray kGgaFields = "030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,";
inline const QString kFixText = QStringLiteral("-38600.075, -6521.191, 45.100, 8 , 12:00:00 ,1 ,0.9 ,M ,36.7 ,M");

/// A receiver's burst: RMC, GGA and GSA, about 200 bytes.
inline QByteArray fixBurst(const QByteArray& ggaFields = kGgaFields)
{
    return nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,,A") + gga(ggaFields)
           + nmea("GPGSA,A,3,03,17,22,,,,,,,,,,2.9,2.2,1.9");
}

/// Everything a linked client received.
struct LinkRecorder {
    std::unique_ptr<platform::LinkClient> client;
    QStringList texts;
    bool closed = false;
};

/// Links to ORBELA's fix item as the main program does, and waits until the
/// item's current text has arrived (a link gets the current text at once).
inline std::unique_ptr<LinkRecorder> linkToOrbela()
{
    auto recorder = std::make_unique<LinkRecorder>();
    // Written as the main program writes them: the names compare without case.
    recorder->client = platform::LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"),
                                                  QStringLiteral("Text7"));
    if (recorder->client) {
        LinkRecorder* raw = recorder.get();
        recorder->client->Change = [raw](const QString& text) { raw->texts.append(text); };
        recorder->client->Closed = [raw] { raw->closed = true; };
        if (!QTest::qWaitFor([raw] { return !raw->texts.isEmpty(); }, kWaitMs))
            recorder->client.reset();
    }
    return recorder;
}

/// Port n's device: the pty for port 1, none for the others.
inline std::vector<std::unique_ptr<testing_support::ScopedEnv>> portsOnly(
    const std::vector<std::pair<int, QString>>& devices)
{
    std::vector<std::unique_ptr<testing_support::ScopedEnv>> env;
    for (int port = 1; port <= 16; ++port) {
        QString path;
        for (const auto& [number, device] : devices) {
            if (number == port)
                path = device;
        }
        const QByteArray name = "ORBELA_PORT" + QByteArray::number(port);
        env.push_back(std::make_unique<testing_support::ScopedEnv>(name.constData(), path));
    }
    return env;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(pty.isValid());
    }
    void TearDown() override { platform::destroyAllForms(); }

    orbela::Form1& form() { return orbela::form1(); }
    QString inHome(const QString& name) const { return home.filePath(name); }

    /// Starts reception on port 1 with a threshold of 100 bytes in zone 9.
    void startReception()
    {
        form().Text5.setText(QStringLiteral("9"));
        form().Text6.setText(QStringLiteral("1"));
        form().Command1.setValue(true);
        ASSERT_TRUE(form().MSComm1.PortOpen());
    }

    /// Sends a burst and waits until the window handled it.
    bool receive(const QByteArray& burst)
    {
        const int before = form().reception().RecvCount();
        return pty.send(burst)
               && QTest::qWaitFor([&] { return form().reception().RecvCount() > before; }, kWaitMs);
    }

    QTemporaryDir home;
    testing_support::ScopedEnv envHome{"TAVELCOR_HOME", home.path()};
    testing_support::PseudoTerminal pty;
    std::vector<std::unique_ptr<testing_support::ScopedEnv>> ports = portsOnly({{1, pty.slavePath()}});
    platform::testing::GTestScriptedPrompter script;
};

}  // namespace gpstest
