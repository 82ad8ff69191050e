// SPDX-License-Identifier: LicenseRef-Tavelcor
// Recorded receiver logs (the GPSD project's test logs, ../shared/data/nmea)
// replayed through the reception in chunks as a serial port delivers them:
// bytes gather in the port's input buffer, and each time at least the
// receive threshold has arrived one receive event takes the whole buffer.
//
// Every event is checked against an independent reading of its buffer: the
// first "$GPGGA" line is a fix only when it is complete, carries its correct
// checksum and is not the last character run of the buffer.  Published
// positions are checked against PROJ's cs2cs (JGD2011, EPSG:6668 to the
// zone's EPSG:6669..6687) to 1 mm where the log lies in Japan, and against
// GPSD's own decoding (.chk) elsewhere.  Logs of receivers ORBELA does not
// accept (the "GN" talker) must end reception with the message.
#include "gps/dms.h"
#include "gps/messages.h"
#include "gps/reception.h"
#include "nmea_helpers.h"
#include "platform/prompt/testing.h"
#include "platform/text/numbers.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

QString dataFolder() { return QStringLiteral(TAVELCOR_SHARED_DATA "/nmea"); }

// The log's bytes without its "#" comment lines, line ends kept as recorded.
QByteArray streamOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray stream;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (!line.startsWith('#'))
            stream += line;
    }
    return stream;
}

enum class Chunking { OneByte, Random };

// The receive events of a stream: chunks arrive, and once the input buffer
// holds at least `threshold` bytes one event takes all of it.  Bytes left
// below the threshold at the end raise no event.
std::vector<QByteArray> receiveEvents(const QByteArray& stream, Chunking chunking, int threshold)
{
    std::mt19937 random(20240502);
    std::uniform_int_distribution<int> size(1, 700);
    std::vector<QByteArray> events;
    QByteArray input;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype n = chunking == Chunking::OneByte ? 1 : size(random);
        input += stream.mid(at, n);
        at += n;
        if (input.size() >= threshold) {
            events.push_back(input);
            input.clear();
        }
    }
    return events;
}

unsigned xorOf(const QByteArray& bytes)
{
    unsigned sum = 0;
    for (char c : bytes)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

// The first "$GPGGA" line of a buffer when it is a usable sentence: whole
// (followed by at least one more byte, its line end), checksum correct in
// upper-case digits, 14 fields.  nullopt otherwise.
struct FirstGga {
    bool present = false;
    std::optional<QByteArray> usable;  // "$GPGGA,...*hh"
};

FirstGga firstGga(const QByteArray& buffer)
{
    FirstGga result;
    const qsizetype at = buffer.indexOf("$GPGGA");
    if (at < 0)
        return result;
    result.present = true;
    qsizetype end = at;
    while (end < buffer.size() && buffer[end] != '\r' && buffer[end] != '\n')
        ++end;
    if (end >= buffer.size())
        return result;  // the buffer ends inside the line: its last byte is left out
    const QByteArray line = buffer.mid(at, end - at);
    const qsizetype star = line.indexOf('*');
    if (star < 0 || star + 3 != line.size() || line.indexOf('$', 1) >= 0)
        return result;
    const QByteArray body = line.mid(1, star - 1);
    if (line.mid(star + 1) != QByteArray::number(xorOf(body), 16).toUpper().rightJustified(2, '0'))
        return result;
    if (body.count(',') < 14)
        return result;
    result.usable = line;
    return result;
}

QList<QByteArray> fieldsOf(const QByteArray& sentence)
{
    return sentence.left(sentence.indexOf('*')).split(',');
}

// NMEA ddmm.mmmm to decimal degrees, read on its own for the comparison.
double nmeaDegrees(const QByteArray& field)
{
    const qsizetype point = field.indexOf('.');
    const double minutesAndDegrees = field.toDouble();
    const double degrees = std::floor(field.left(point - 2).toDouble());
    return degrees + (minutesAndDegrees - degrees * 100) / 60;
}

struct LogCase {
    const char* file;
    int zone;
    bool inJapan;
    bool expectFixes;  // some fixes are published
    bool gnOnly;       // no GP talker's GGA at all: reception ends at the first event
};

// Test names and failure reports show the log's name.
void PrintTo(const LogCase& log, std::ostream* out)
{
    *out << log.file;
}

const LogCase kLogs[] = {
    {"iTrek.log", 7, true, true, false},                 // Gifu, zone 7
    {"GPSmap-76S.log", 6, false, true, false},           // quality 8 (simulator) counts as ready
    {"nmea-fuzzy-cases.log", 6, false, true, false},     // RTK fixes, GP and GN by turns
    {"triton400.log", 6, false, true, false},            // a spliced, unterminated GGA
    {"isync.log", 6, false, true, false},                // colliding sentences
    {"com-1289.log", 6, false, true, false},             // one bad checksum (in a GSV)
    {"firefly-II.log", 6, false, false, false},          // every GGA's checksum is wrong
    {"ublox-f9p-hpnmea.log", 6, false, false, true},     // GN talker only
    {"quectel-l76k-nmea.log", 6, false, false, true},    // GN talker only
};

struct ReplayParam {
    LogCase log;
    Chunking chunking;
    int threshold;
};

void PrintTo(const ReplayParam& param, std::ostream* out)
{
    *out << param.log.file << (param.chunking == Chunking::OneByte ? " byte by byte, " : " in random chunks, ")
         << param.threshold << " bytes";
}

// A log's file name as a part of a test's name.
std::string nameOf(const char* file)
{
    std::string name = file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::string paramName(const ::testing::TestParamInfo<ReplayParam>& info)
{
    std::string name = nameOf(info.param.log.file);
    name += info.param.chunking == Chunking::OneByte ? "_bytes_" : "_random_";
    return name + std::to_string(info.param.threshold);
}

// The design receive threshold (500 bytes), and thresholds as a user sets
// them for these receivers: every GGA of these logs lies within 720 bytes of
// the next, so a buffer of 800 bytes or more always holds the start of one.
// Where a buffer has none (at 500 bytes often, the tail of a log, or a
// receiver that switched to GN), reception ends as it must.
constexpr int kDesignThreshold = 500;

std::vector<ReplayParam> allParams()
{
    std::vector<ReplayParam> params;
    for (const LogCase& log : kLogs)
        for (Chunking chunking : {Chunking::OneByte, Chunking::Random})
            for (int threshold : {kDesignThreshold, 800, 1200})
                params.push_back({log, chunking, threshold});
    return params;
}

// PROJ's plane X, Y of latitude/longitude pairs in one cs2cs run.
std::optional<std::vector<std::pair<double, double>>> projForward(int zone,
                                                                  const std::vector<std::pair<double, double>>& latLon)
{
    const QString cs2cs = QStandardPaths::findExecutable(QStringLiteral("cs2cs"));
    if (cs2cs.isEmpty())
        return std::nullopt;
    QProcess proc;
    proc.start(cs2cs, {QStringLiteral("EPSG:6668"), QStringLiteral("EPSG:%1").arg(6668 + zone),
                       QStringLiteral("-f"), QStringLiteral("%.6f")});
    if (!proc.waitForStarted(10000))
        return std::nullopt;
    QByteArray input;
    for (const auto& [lat, lon] : latLon)
        input += QByteArray::number(lat, 'f', 12) + ' ' + QByteArray::number(lon, 'f', 12) + '\n';
    proc.write(input);
    proc.closeWriteChannel();
    if (!proc.waitForFinished(60000) || proc.exitCode() != 0)
        return std::nullopt;
    std::vector<std::pair<double, double>> xy;
    for (const QByteArray& line : proc.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2)
            xy.emplace_back(parts[0].toDouble(), parts[1].toDouble());
    }
    if (xy.size() != latLon.size())
        return std::nullopt;
    return xy;
}

// GPSD's decoded positions of the log (|lat|, |lon|: ORBELA reads no
// hemisphere letters).
std::vector<std::pair<double, double>> gpsdPositions(const QString& logPath)
{
    std::vector<std::pair<double, double>> positions;
    QFile f(logPath + QStringLiteral(".chk"));
    if (!f.open(QIODevice::ReadOnly))
        return positions;
    while (!f.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(f.readLine()).object();
        if (o.value(QStringLiteral("class")).toString() == QStringLiteral("TPV") && o.contains(QStringLiteral("lat")))
            positions.emplace_back(std::fabs(o.value(QStringLiteral("lat")).toDouble()),
                                   std::fabs(o.value(QStringLiteral("lon")).toDouble()));
    }
    return positions;
}

class Replay : public ::testing::TestWithParam<ReplayParam> {
protected:
    void SetUp() override
    {
        if (!QDir(dataFolder()).exists())
            GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
        settings.zoneText = QString::number(GetParam().log.zone);
    }

    gpstest::FakeClock clock;
    orbela::Reception reception{clock};
    orbela::ReceptionSettings settings;
};

TEST_P(Replay, EveryEventPublishesExactlyItsUsableFirstGga)
{
    const LogCase& log = GetParam().log;
    const QString path = dataFolder() + QLatin1Char('/') + QLatin1String(log.file);
    const QByteArray stream = streamOf(path);
    ASSERT_FALSE(stream.isEmpty()) << path.toStdString();
    const auto events = receiveEvents(stream, GetParam().chunking, GetParam().threshold);
    ASSERT_FALSE(events.empty());

    platform::testing::GTestScriptedPrompter script;
    // A zone outside Japan's is never chosen here: no zone messages.
    std::vector<orbela::Fix> fixes;
    int rejected = 0;
    bool ended = false;
    for (const QByteArray& buffer : events) {
        const FirstGga expected = firstGga(buffer);
        if (!expected.present)
            script->expectMessage(platform::MsgResult::Ok, orbela::kMsgCheckLine.toString());
        const auto outcome = reception.receive(buffer, settings);
        if (!expected.present) {
            EXPECT_EQ(outcome.result, orbela::ReceiveResult::NoGga);
            EXPECT_TRUE(outcome.endReception);
            ended = true;
            break;  // the port is closed: nothing more arrives
        }
        if (!expected.usable) {
            EXPECT_EQ(outcome.result, orbela::ReceiveResult::Rejected) << buffer.toStdString();
            EXPECT_FALSE(outcome.text7);
            ++rejected;
            continue;
        }
        const QList<QByteArray> f = fieldsOf(*expected.usable);
        if (outcome.result == orbela::ReceiveResult::NotReady) {
            const bool noPosition = f[2].isEmpty();
            const double quality = platform::Val(QString::fromLatin1(f[6]));
            const bool poorFix = (quality == 0 || quality > 5) && platform::Val(QString::fromLatin1(f[7])) <= 2;
            EXPECT_TRUE(noPosition || poorFix) << expected.usable->toStdString();
            continue;
        }
        ASSERT_EQ(outcome.result, orbela::ReceiveResult::FixDone) << buffer.toStdString();
        ASSERT_TRUE(outcome.fix);
        EXPECT_EQ(outcome.fix->sentence, *expected.usable);
        EXPECT_EQ(outcome.text7, outcome.fix->fixText);
        // The fix line carries the sentence's own fields.
        const QStringList published = outcome.fix->fixText.split(QLatin1Char(','));
        ASSERT_EQ(published.size(), 10);
        EXPECT_EQ(published[3].trimmed(), platform::CStr(platform::Val(QString::fromLatin1(f[7]))));
        EXPECT_EQ(published[5].trimmed(), QString::fromLatin1(f[6]).trimmed());
        EXPECT_EQ(published[6].trimmed(), QString::fromLatin1(f[8]).trimmed());
        fixes.push_back(*outcome.fix);
    }
    // At the design threshold reception may end before the first fix (where
    // it ends is pinned below).
    if (GetParam().threshold > kDesignThreshold || !ended) {
        EXPECT_EQ(!fixes.empty(), log.expectFixes) << log.file;
    }
    if (log.gnOnly) {
        EXPECT_TRUE(ended) << log.file;
    }
    if (std::string(log.file) == "firefly-II.log") {
        EXPECT_GT(rejected, 0) << "its GGA sentences all carry a wrong checksum";
    }

    // Positions: the packed latitude and longitude against an independent
    // reading of the fields, and against GPSD where it decoded the log.
    const auto gpsd = gpsdPositions(path);
    if (QFile::exists(path + QStringLiteral(".chk"))) {
        ASSERT_FALSE(gpsd.empty()) << "GPSD's decoding of " << log.file << " holds no position";
    }
    std::vector<std::pair<double, double>> latLon;
    for (const orbela::Fix& fix : fixes) {
        const QList<QByteArray> f = fieldsOf(fix.sentence);
        const double lat = nmeaDegrees(f[2]);
        const double lon = nmeaDegrees(f[4]);
        EXPECT_NEAR(orbela::deg(fix.latitudeDms), lat, 1e-9) << fix.sentence.toStdString();
        EXPECT_NEAR(orbela::deg(fix.longitudeDms), lon, 1e-9) << fix.sentence.toStdString();
        latLon.emplace_back(lat, lon);
        if (gpsd.empty())
            continue;
        const bool decodedAlike = std::any_of(gpsd.begin(), gpsd.end(), [&](const auto& p) {
            return std::fabs(p.first - lat) < 2e-8 && std::fabs(p.second - lon) < 2e-8;
        });
        EXPECT_TRUE(decodedAlike) << "GPSD has no position like " << fix.sentence.toStdString();
    }
    if (!log.inJapan || latLon.empty())
        return;
    const auto proj = projForward(log.zone, latLon);
    ASSERT_TRUE(proj) << "PROJ's cs2cs (package proj-bin) is needed for this check";
    for (std::size_t i = 0; i < fixes.size(); ++i) {
        // The published texts have 3 decimals: 0.5 mm of rounding on top of
        // the conversion's error.
        EXPECT_NEAR(platform::Val(fixes[i].texts.x), (*proj)[i].first, 0.001) << fixes[i].sentence.toStdString();
        EXPECT_NEAR(platform::Val(fixes[i].texts.y), (*proj)[i].second, 0.001) << fixes[i].sentence.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, Replay, ::testing::ValuesIn(allParams()), paramName);

// At the design threshold, with the bytes arriving one by one, buffer n
// holds bytes 500 (n - 1) to 500 n - 1 of the log.  These receivers send up
// to 717 bytes between two GGA sentences, so some buffer holds none:
// reception ends there with "通信条件を見直してください" and the user has to
// start it again.  Pinned per log: the buffer that ends reception (0: none,
// the log runs out after `events` buffers) and the UTC times of the fixes
// published before.
struct DesignThresholdCase {
    const char* file;
    int zone;
    int endingEvent;
    int events;
    QStringList fixTimes;
};

void PrintTo(const DesignThresholdCase& log, std::ostream* out)
{
    *out << log.file;
}

const DesignThresholdCase kDesignThresholdCases[] = {
    // The first GGA begins at byte 506: the first buffer already ends it.
    {"iTrek.log", 7, 1, 1, {}},
    // Buffer 5 cuts the GGA of 12:51:14; buffer 6 holds GSV, RMB, BOD and
    // the like, no GGA.
    {"GPSmap-76S.log", 6, 6, 6, {"125106", "125108", "125110", "125112"}},
    // Buffer 3 holds the receiver's GN sentences only.
    {"nmea-fuzzy-cases.log", 6, 3, 3, {"132820.60", "132822.10"}},
    // Buffer 2's first GGA is the spliced one; the log runs out after 3.
    {"triton400.log", 6, 0, 3, {"030129.00", "030132.00"}},
    // Buffer 4 holds GSV, GST, GBS, ZDA and the colliding PTNTA, no GGA.
    {"isync.log", 6, 4, 4, {"131519.00", "131520.00", "131521.00"}},
    // A GGA in every buffer: the first GGA of each is published.
    {"com-1289.log", 6, 0, 11,
     {"143748.77", "143749.77", "143750.77", "143751.77", "143753.77", "143754.77", "143755.77",
      "143756.77", "143757.77", "143759.77", "143800.77"}},
    // A GGA in every buffer, none with a matching checksum.
    {"firefly-II.log", 6, 0, 8, {}},
    // No GP talker at all.
    {"ublox-f9p-hpnmea.log", 6, 1, 1, {}},
    {"quectel-l76k-nmea.log", 6, 1, 1, {}},
};

class DesignThreshold : public ::testing::TestWithParam<DesignThresholdCase> {};

TEST_P(DesignThreshold, ReceptionEndsAtTheFirstBufferWithoutAGga)
{
    const DesignThresholdCase& log = GetParam();
    const QString path = dataFolder() + QLatin1Char('/') + QLatin1String(log.file);
    if (!QFile::exists(path))
        GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
    const auto events = receiveEvents(streamOf(path), Chunking::OneByte, kDesignThreshold);
    gpstest::FakeClock clock;
    orbela::Reception reception(clock);
    orbela::ReceptionSettings settings;
    settings.zoneText = QString::number(log.zone);
    platform::testing::GTestScriptedPrompter script;
    QStringList fixTimes;
    int handled = 0;
    int endingEvent = 0;
    for (const QByteArray& buffer : events) {
        ++handled;
        if (handled == log.endingEvent)
            script->expectMessage(platform::MsgResult::Ok, orbela::kMsgCheckLine.toString());
        const auto outcome = reception.receive(buffer, settings);
        if (outcome.result == orbela::ReceiveResult::FixDone)
            fixTimes.append(QString::fromLatin1(fieldsOf(outcome.fix->sentence).at(1)));
        if (outcome.endReception) {
            EXPECT_EQ(outcome.result, orbela::ReceiveResult::NoGga);
            endingEvent = handled;
            break;  // the port is closed: nothing more arrives
        }
    }
    EXPECT_EQ(endingEvent, log.endingEvent);
    EXPECT_EQ(handled, log.events);
    EXPECT_EQ(fixTimes, log.fixTimes);
}

INSTANTIATE_TEST_SUITE_P(Logs, DesignThreshold, ::testing::ValuesIn(kDesignThresholdCases),
                         [](const ::testing::TestParamInfo<DesignThresholdCase>& info) {
                             return nameOf(info.param.file);
                         });

// Buffers cut anywhere: windows of the log starting at every 7th byte, so
// that GGA sentences are cut at the buffer's start and end in every place.
class Windows : public ::testing::TestWithParam<LogCase> {};

TEST_P(Windows, ACutSentenceIsNeverPublished)
{
    const LogCase& log = GetParam();
    const QString path = dataFolder() + QLatin1Char('/') + QLatin1String(log.file);
    if (!QFile::exists(path))
        GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
    const QByteArray stream = streamOf(path).left(20000);
    gpstest::FakeClock clock;
    orbela::Reception reception(clock);
    orbela::ReceptionSettings settings;
    settings.zoneText = QString::number(log.zone);
    platform::testing::GTestScriptedPrompter script;
    int fixes = 0, rejected = 0;
    for (int length : {150, 400}) {
        for (qsizetype start = 0; start + length <= stream.size(); start += 7) {
            const QByteArray buffer = stream.mid(start, length);
            const FirstGga expected = firstGga(buffer);
            if (!expected.present)
                script->expectMessage(platform::MsgResult::Ok, orbela::kMsgCheckLine.toString());
            const auto outcome = reception.receive(buffer, settings);
            if (!expected.present) {
                ASSERT_EQ(outcome.result, orbela::ReceiveResult::NoGga);
            } else if (!expected.usable) {
                ASSERT_EQ(outcome.result, orbela::ReceiveResult::Rejected) << buffer.toStdString();
                ASSERT_FALSE(outcome.text7);
                ++rejected;
            } else if (outcome.result == orbela::ReceiveResult::FixDone) {
                ASSERT_EQ(outcome.fix->sentence, *expected.usable) << buffer.toStdString();
                ++fixes;
            } else {
                ASSERT_EQ(outcome.result, orbela::ReceiveResult::NotReady) << buffer.toStdString();
            }
        }
    }
    if (log.expectFixes) {
        EXPECT_GT(fixes, 0) << log.file;
    }
    if (!log.gnOnly) {
        EXPECT_GT(rejected, 0) << log.file << ": some windows cut their first GGA";
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, Windows, ::testing::ValuesIn(kLogs),
                         [](const ::testing::TestParamInfo<LogCase>& info) { return nameOf(info.param.file); });

TEST(ReplayLines, TheSplicedGgaOfTheTritonLogPublishesNothing)
{
    const QString path = dataFolder() + QStringLiteral("/triton400.log");
    if (!QFile::exists(path))
        GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
    const QByteArray stream = streamOf(path);
    const qsizetype spliced = stream.indexOf("$GPGGA,030130$GPGLL");
    ASSERT_GE(spliced, 0);
    gpstest::FakeClock clock;
    orbela::Reception reception(clock);
    platform::testing::GTestScriptedPrompter script;
    const auto outcome = reception.receive(stream.mid(spliced, 400), {});
    EXPECT_EQ(outcome.result, orbela::ReceiveResult::Rejected);
    EXPECT_FALSE(outcome.text7);
}

TEST(ReplayLines, ABufferOfGnSentencesEndsReception)
{
    // The RTK receiver reports under GN for a while: a buffer of those
    // sentences holds no GP talker's GGA.
    const QString path = dataFolder() + QStringLiteral("/nmea-fuzzy-cases.log");
    if (!QFile::exists(path))
        GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
    const QByteArray stream = streamOf(path);
    const qsizetype gn = stream.indexOf("$GNGGA");
    const qsizetype gpAgain = stream.indexOf("$GPGGA", gn);
    ASSERT_GT(gn, 0);
    ASSERT_GT(gpAgain, gn);
    gpstest::FakeClock clock;
    orbela::Reception reception(clock);
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, orbela::kMsgCheckLine.toString());
    const auto outcome = reception.receive(stream.mid(gn, gpAgain - gn), {});
    EXPECT_EQ(outcome.result, orbela::ReceiveResult::NoGga);
    EXPECT_TRUE(outcome.endReception);
}

TEST(ReplayLines, TheCollidingSentencesOfTheIsyncLogPublishNothingWrong)
{
    const QString path = dataFolder() + QStringLiteral("/isync.log");
    if (!QFile::exists(path))
        GTEST_SKIP() << "recorded receiver logs not found at " << dataFolder().toStdString();
    const QByteArray stream = streamOf(path);
    const qsizetype collision = stream.indexOf("$GPGSV,4,1,15,02,11,115,36,0$PTNTA");
    ASSERT_GE(collision, 0);
    // A buffer that starts at the collision: its first GGA is the next whole one.
    gpstest::FakeClock clock;
    orbela::Reception reception(clock);
    platform::testing::GTestScriptedPrompter script;
    const QByteArray buffer = stream.mid(collision, 1500);
    const auto outcome = reception.receive(buffer, {});
    const FirstGga expected = firstGga(buffer);
    ASSERT_TRUE(expected.usable);
    ASSERT_EQ(outcome.result, orbela::ReceiveResult::FixDone);
    EXPECT_EQ(outcome.fix->sentence, *expected.usable);
}

}  // namespace
