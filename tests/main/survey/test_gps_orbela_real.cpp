// SPDX-License-Identifier: LicenseRef-Tavelcor
// The GPS client against the real GPS program: orbela runs as a child process
// on a private X server with a pseudo-terminal as its receiver, started
// receiving with a click; a recorded receiver log (../shared/data/nmea, read
// in place) is written into the terminal one GGA epoch at a time. The main
// window switches GPS on and polls after each change of Text9; the track
// must hold what an independent reading of the published fix lines gives.
#include "field_link_fixture.h"

#include "main/site/tables.h"
#include "orbela_process.h"
#include "pty_pair.h"
#include "xvfb_server.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

#include <cmath>
#include <optional>
#include <vector>

namespace tavelcor::fieldlinktest {
namespace {

// A log of a receiver in Gifu (plane zone 7), GP talker, every fix usable.
const QString kLog = QStringLiteral(TAVELCOR_SHARED_DATA "/nmea/iTrek.log");

// The log from its first GGA on, cut before each further GGA: every piece
// holds one fix and the sentences that follow it. "#" comment lines are
// left out.
std::vector<QByteArray> ggaEpochs(const QString& path)
{
    QFile f(path);
    std::vector<QByteArray> epochs;
    if (!f.open(QIODevice::ReadOnly))
        return epochs;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (line.startsWith('#'))
            continue;
        if (line.startsWith("$GPGGA"))
            epochs.emplace_back();
        if (!epochs.empty())
            epochs.back() += line;
    }
    return epochs;
}

// What the track must hold after the given fix texts, read here on their
// own: X and Y are the first two comma-separated numbers, less the site
// origin in single precision; the first ten positions are kept whatever
// their distance, later ones more than 1000 km from the last are dropped, a
// repeat of the last position is dropped.
struct Position {
    float x;
    float y;
};

std::vector<Position> expectedTrack(const QStringList& texts)
{
    std::vector<Position> track;
    for (const QString& text : texts) {
        const QStringList fields = text.split(QLatin1Char(','));
        if (fields.size() < 2)
            continue;
        const Position p{static_cast<float>(fields.at(0).trimmed().toDouble() - kOriginX),
                         static_cast<float>(fields.at(1).trimmed().toDouble() - kOriginY)};
        if (!track.empty()) {
            const Position& last = track.back();
            const double jump = std::hypot(static_cast<double>(p.x) - last.x, static_cast<double>(p.y) - last.y);
            if (track.size() >= 10 && jump > 1000000.0)
                continue;
            if (p.x == last.x && p.y == last.y)
                continue;
        }
        track.push_back(p);
    }
    return track;
}

class GpsClientWithOrbela : public FieldLinkTest {
protected:
    void SetUp() override
    {
        FieldLinkTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_FAIL() << "xdotool is not installed (scripts/install-packages installs it)";
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        ASSERT_TRUE(pty.isValid());
        QString whyNot;
        ASSERT_TRUE(xvfb.start(whyNot)) << "no private X server for this test: " << whyNot.toStdString();
        // The program folder of the main window: the link names belong to it.
        home = qEnvironmentVariable("TAVELCOR_HOME");
        ASSERT_FALSE(home.isEmpty());
        environment.insert(QStringLiteral("TAVELCOR_HOME"), home);
        environment.insert(QStringLiteral("TAVELCOR_HEADLESS_PROMPTS"), QStringLiteral("1"));
        environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        for (int port = 1; port <= 16; ++port)
            environment.insert(QStringLiteral("ORBELA_PORT%1").arg(port), port == 3 ? pty.slavePath() : QString());
    }

    // Port 3, 4800 baud, zone 7, continuous reception, a receive threshold
    // of one byte.
    void writeOrbelaSettings()
    {
        QFile file(home + QStringLiteral("/ORBELA.JKN"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray bytes("3\r\n4800\r\n7\r\n\r\n1\r\n1\r\n10\r\n1\r\n 0 \r\n");
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    XvfbServer xvfb;  // stopped after the program
    testing_support::PseudoTerminal pty;
    QString home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(GpsClientWithOrbela, TheTrackHoldsEachFixThatTheGpsProgramPublished)
{
    const std::vector<QByteArray> epochs = ggaEpochs(kLog);
    ASSERT_GE(epochs.size(), 20U) << "the log " << kLog.toStdString() << " cannot be read";
    writeOrbelaSettings();
    gpstest::Orbela orbela(environment);
    ASSERT_TRUE(orbela.start());
    const std::optional<QString> window = gpstest::orbelaWindow(environment);
    ASSERT_TRUE(window.has_value()) << "the window did not appear "
                                    << orbela.process().readAllStandardError().toStdString();

    // GPS on once the program serves its fix item ("未接続" before any data).
    Plot& w = shownPlot();
    GpsWaitMsg = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            auto probe = platform::LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"),
                                                    QStringLiteral("Text7"));
            return probe != nullptr;
        },
        gpstest::kOrbelaWaitMs))
        << orbela.process().readAllStandardError().toStdString();
    w.Check5.setValue(1);
    ASSERT_EQ(w.Check5.Value(), 1);
    // The test polls itself, once after each change of Text9.
    w.Timer1.setEnabled(false);
    // The program answers the link from its own event loop, which a loaded
    // machine may serve late: the program's wait, not the stand-in's.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Text9.Text() == QStringLiteral("未接続"); }, gpstest::kOrbelaWaitMs))
        << w.Text9.Text().toStdString();
    QStringList published;  // the fix lines; status words ("準備中") are polled too
    w.Text9.Change = [&] {
        if (w.Text9.Text().contains(QLatin1Char(',')))
            published.append(w.Text9.Text());
        Timer1_Timer(w);
    };

    ASSERT_TRUE(gpstest::clickAt(environment, *window, gpstest::kStartX, gpstest::kStartY));
    // The program empties the port's input when it opens it, which may be
    // after the click returned: the first epoch is sent again until its fix
    // is published. A copy that arrives twice gives the same fix text, which
    // publishes nothing the second time.
    const QByteArray& first = epochs.front();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (!published.isEmpty())
                return true;
            return pty.send(first) && QTest::qWaitFor([&] { return !published.isEmpty(); }, 1000);
        },
        gpstest::kOrbelaWaitMs))
        << "no fix published for the first epoch\n" << orbela.process().readAllStandardError().toStdString();
    for (const QByteArray& epoch : epochs) {
        if (&epoch == &first)
            continue;
        const qsizetype before = published.size();
        ASSERT_TRUE(pty.send(epoch));
        EXPECT_TRUE(QTest::qWaitFor([&] { return published.size() > before; }, gpstest::kOrbelaWaitMs))
            << "no fix published for " << epoch.left(epoch.indexOf('\r')).toStdString() << "\n"
            << orbela.process().readAllStandardError().toStdString();
    }
    // GPS off before the program ends: its closing word is not polled.
    w.Text9.Change = nullptr;
    w.Check5.setValue(0);
    orbela.endSession();
    EXPECT_TRUE(orbela.waitForEnd());

    // Every epoch gave one fix line, each another (its time differs).
    ASSERT_EQ(published.size(), static_cast<qsizetype>(epochs.size())) << published.join(u'\n').toStdString();
    const std::vector<Position> track = expectedTrack(published);
    ASSERT_LT(track.size(), epochs.size()) << "the log repeats positions: some fixes must be dropped";
    ASSERT_EQ(GpsCount, static_cast<std::int32_t>(track.size()));
    for (std::size_t i = 0; i < track.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(GpsX[static_cast<std::int32_t>(i) + 1], track[i].x);
        EXPECT_EQ(GpsY[static_cast<std::int32_t>(i) + 1], track[i].y);
    }
}

}  // namespace
}  // namespace tavelcor::fieldlinktest
