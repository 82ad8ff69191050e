// SPDX-License-Identifier: LicenseRef-Tavelcor
// The orbela executable as the main program meets it: started as a child
// process with a program folder of the test's own and a pseudo-terminal as
// the receiver, it searches the ports and starts reception when the user
// clicks its buttons (on a private X server, clicked with xdotool) and
// serves each fix over the link; a second start reports and ends; the end of
// the session closes it in order.
#include "nmea_helpers.h"
#include "orbela_process.h"
#include "platform/link/link_client.h"
#include "pty_pair.h"
#include "xvfb_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <memory>

namespace {

using namespace std::chrono_literals;
using gpstest::fileBytes;

constexpr int kWaitMs = gpstest::kOrbelaWaitMs;
const QString kFixText = QStringLiteral("-38600.075, -6521.191, 45.100, 8 , 12:00:00 ,1 ,0.9 ,M ,36.7 ,M");

QByteArray fixBurst()
{
    return gpstest::nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,,A")
           + gpstest::gga("030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,")
           + gpstest::nmea("GPGSA,A,3,03,17,22,,,,,,,,,,2.9,2.2,1.9");
}

using gpstest::Orbela;

class OrbelaProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(pty.isValid());
        environment.insert(QStringLiteral("TAVELCOR_HOME"), home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TAVELCOR_HEADLESS_PROMPTS"), QStringLiteral("1"));
        // The receiver on port 3; no device under the other numbers.
        for (int port = 1; port <= 16; ++port)
            environment.insert(QStringLiteral("ORBELA_PORT%1").arg(port), port == 3 ? pty.slavePath() : QString());
    }

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(home.filePath(QStringLiteral("ORBELA.JKN")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Links to the running program's fix item, as the main program does,
    // trying until the program serves it.
    struct Link {
        std::unique_ptr<platform::LinkClient> client;
        QStringList texts;
        bool closed = false;
    };
    std::unique_ptr<Link> linkWhenServed()
    {
        auto link = std::make_unique<Link>();
        const bool linked = QTest::qWaitFor([&] {
            link->client = platform::LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"),
                                                      QStringLiteral("Text7"));
            return link->client != nullptr;
        }, kWaitMs);
        if (linked) {
            Link* raw = link.get();
            link->client->Change = [raw](const QString& text) { raw->texts.append(text); };
            link->client->Closed = [raw] { raw->closed = true; };
        }
        return link;
    }

    // The program on a private X server, where a user's clicks can reach
    // its buttons. Fails when Xvfb or xdotool is not installed.
    void useAnXServer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_FAIL() << "xdotool is not installed (scripts/install-packages installs it)";
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        QString whyNot;
        ASSERT_TRUE(xvfb.start(whyNot)) << "no private X server for this test: " << whyNot.toStdString();
        environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    // Clicks the window's point (x, y), in pixels from its top-left corner.
    bool click(const QString& window, int x, int y) { return gpstest::clickAt(environment, window, x, y); }

    XvfbServer xvfb;  // stopped after the program (declared before it in each test)
    QTemporaryDir home;
    // The test's own link names: they belong to the program folder.
    testing_support::ScopedEnv testHome{"TAVELCOR_HOME", home.path()};
    testing_support::PseudoTerminal pty;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(OrbelaProgram, SearchesStartsAndServesEachFixToTheMainProgram)
{
    useAnXServer();
    if (IsSkipped() || HasFatalFailure())
        return;
    // Port 1, zone 9, a time-out of 0.5 s (search waits of 100 ms), a
    // threshold of 100 bytes.
    writeSettings("1\r\n38400\r\n9\r\n\r\n1\r\n1\r\n0.5\r\n1\r\n 0 \r\n");
    testing_support::Feeder receiver(pty, fixBurst(), 100ms);
    Orbela orbela(environment);
    ASSERT_TRUE(orbela.start());
    const std::optional<QString> found = gpstest::orbelaWindow(environment);
    ASSERT_TRUE(found.has_value()) << "the window did not appear "
                                   << orbela.process().readAllStandardError().toStdString();
    const QString window = *found;

    // The centres of "ポート(16以内)検索" (Command4) and "受信開始" (Command1), at
    // 15 twips a pixel. The search holds the window until it found port 3;
    // the second click waits for it in the window's queue.
    ASSERT_TRUE(click(window, gpstest::kPortSearchX, gpstest::kPortSearchY));
    ASSERT_TRUE(click(window, gpstest::kStartX, gpstest::kStartY));

    auto link = linkWhenServed();
    ASSERT_NE(link->client, nullptr) << orbela.process().readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return link->client->text() == kFixText; }, kWaitMs))
        << link->client->text().toStdString() << orbela.process().readAllStandardError().toStdString();

    orbela.endSession();
    EXPECT_TRUE(QTest::qWaitFor([&] { return link->closed; }, kWaitMs));
    EXPECT_EQ(link->texts.last(), QStringLiteral("終了"));
    ASSERT_TRUE(orbela.waitForEnd());
    EXPECT_EQ(orbela.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orbela.process().exitCode(), 0);
    // The port the search found is kept for the next run.
    EXPECT_EQ(fileBytes(home.filePath(QStringLiteral("ORBELA.JKN"))),
              QByteArray("3\r\n38400\r\n9\r\n\r\n1\r\n1\r\n0.5\r\n1\r\n 0 \r\n"));
    // Several fixes at one place: one track point, no track file.
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("ORBELATMP*")}, QDir::Files).isEmpty());
}

TEST_F(OrbelaProgram, ASecondStartReportsAndEnds)
{
    Orbela first(environment);
    ASSERT_TRUE(first.start());
    auto link = linkWhenServed();
    ASSERT_NE(link->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return link->client->text() == QStringLiteral("未接続"); }, kWaitMs));

    Orbela second(environment);
    ASSERT_TRUE(second.start());
    ASSERT_TRUE(second.waitForEnd());
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    const QString said = QString::fromUtf8(second.process().readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("ORBELA　は既に起動中です"))) << said.toStdString();

    // The running one is not disturbed.
    EXPECT_EQ(first.process().state(), QProcess::Running);
    EXPECT_TRUE(link->client->isLinked());
    first.endSession();
    ASSERT_TRUE(first.waitForEnd());
    EXPECT_EQ(first.process().exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return link->closed; }, kWaitMs));
    EXPECT_EQ(link->client->text(), QStringLiteral("終了"));
}

TEST_F(OrbelaProgram, AProgramFolderThatCannotBeWrittenIsReportedAndTheProgramRuns)
{
    QFile plain(home.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString folder = home.filePath(QStringLiteral("plain/orbela"));
    environment.insert(QStringLiteral("TAVELCOR_HOME"), folder);
    testing_support::ScopedEnv sameFolder("TAVELCOR_HOME", folder);  // the link names belong to it

    Orbela orbela(environment);
    ASSERT_TRUE(orbela.start());
    auto link = linkWhenServed();
    ASSERT_NE(link->client, nullptr) << orbela.process().readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return link->client->text() == QStringLiteral("未接続"); }, kWaitMs));
    const QString said = QString::fromUtf8(orbela.process().readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("プログラムフォルダ ") + folder
                              + QStringLiteral(" に書き込めません。設定は保存されません。")))
        << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("既に起動中"))) << said.toStdString();

    orbela.endSession();
    ASSERT_TRUE(orbela.waitForEnd());
    EXPECT_EQ(orbela.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(orbela.process().exitCode(), 0);
}

}  // namespace
