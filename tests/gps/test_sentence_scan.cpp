// SPDX-License-Identifier: LicenseRef-Tavelcor
// The scan of a receive buffer: RMC date, clock comparison, GSA marks and the
// position of the first GGA sentence.
#include "gps/messages.h"
#include "gps/sentence_scan.h"
#include "message_observer.h"
#include "nmea_helpers.h"
#include "platform/prompt/testing.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using gpstest::gga;
using gpstest::nmea;
using platform::MsgResult;

const QByteArray kGga = gga("030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,");

struct DateCase {
    const char* legend;
    QByteArray buffer;
    std::optional<QString> date;
};

const DateCase kDates[] = {
    {"east longitude", nmea("GPRMC,045851.000,A,3519.9046,N,13640.2631,E,0.12,114.35,020524,,"),
     QStringLiteral("2024/05/02")},
    {"no fix: no hemisphere letter", nmea("GPRMC,151605.053,V,,,,,,,260705,,"), std::nullopt},
    {"west longitude, no E", nmea("GPRMC,125106,V,3854.5087,N,07726.4523,W,0.0,0.0,241011,10.5,W,S"),
     std::nullopt},
    {"another talker", nmea("GNRMC,045851.000,A,3519.9046,N,13640.2631,E,0.12,114.35,020524,,"),
     std::nullopt},
    {"date not six digits", nmea("GPRMC,045851.000,A,3519.9046,N,13640.2631,E,0.12,114.35,0205,,"),
     std::nullopt},
    {"not a calendar date", nmea("GPRMC,045851.000,A,3519.9046,N,13640.2631,E,0.12,114.35,310224,,"),
     std::nullopt},
    {"cut after the E", "$GPRMC,045851.000,A,3519.9046,N,13640.2631,E,0.1", std::nullopt},
};

TEST(RmcDate, IsTheItemThreePlacesAfterTheE)
{
    for (const DateCase& c : kDates)
        EXPECT_EQ(orbela::rmcDate(c.buffer), c.date) << c.legend;
}

struct GsaCase {
    const char* legend;
    QByteArray buffer;
    bool glonass;
    bool qzss;
};

const GsaCase kGsa[] = {
    {"GPS only", nmea("GPGSA,A,3,09,05,14,26,,,,,,,,,2.9,2.2,1.9"), false, false},
    {"3, 17, 194, empty fourth", nmea("GPGSA,A,3,03,17,194,,,,,,,,,,2.9,2.2,1.9"), false, true},
    {"GLONASS 65 and 96", nmea("GPGSA,A,3,65,96,,,,,,,,,,,2.9,2.2,1.9"), true, false},
    {"both", nmea("GPGSA,A,3,70,193,,,,,,,,,,,2.9,2.2,1.9"), true, true},
    {"64 and 97 are GPS or SBAS", nmea("GPGSA,A,3,64,97,,,,,,,,,,,2.9,2.2,1.9"), false, false},
    {"no GSA", kGga, false, false},
    {"malformed no-fix GSA", nmea("GPGSA,A,1,,,,"), false, false},
    {"the scan ends at the first empty field", nmea("GPGSA,A,3,09,,70,,,,,,,,,,2.9,2.2,1.9"), false, false},
    {"twelve satellites: the reading runs on into the next sentence",
     nmea("GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,2.9,2.2,1.9") + nmea("GPGSV,3,1,10,70,41,050,46"),
     true, false},
};

TEST(Constellations, MarksGlonassAndQzssOfTheFirstGsa)
{
    for (const GsaCase& c : kGsa) {
        const auto seen = orbela::scanConstellations(c.buffer);
        EXPECT_EQ(seen.glonass, c.glonass) << c.legend;
        EXPECT_EQ(seen.qzss, c.qzss) << c.legend;
    }
}

class Scan : public ::testing::Test {
protected:
    orbela::ScanOutcome scan(const QByteArray& buffer, bool clockRequested = false)
    {
        return orbela::GGASEEK(buffer, clockRequested, memory, clock);
    }

    orbela::ScanMemory memory;
    gpstest::FakeClock clock;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(Scan, LocatesTheFirstGgaUpToTheNextGpSentence)
{
    const QByteArray buffer = "xx" + kGga + nmea("GPRMC,1") + kGga;
    const auto outcome = scan(buffer);
    EXPECT_EQ(outcome.result, orbela::ScanResult::Located);
    EXPECT_EQ(outcome.sentenceStart, 3);
    EXPECT_EQ(outcome.sentenceEnd, 3 + kGga.size());
    EXPECT_FALSE(outcome.untickClockBox);
}

TEST_F(Scan, TheLastSentenceEndsOneCharacterBeforeTheBuffersEnd)
{
    const QByteArray buffer = nmea("GPRMC,1") + kGga;
    const auto outcome = scan(buffer);
    EXPECT_EQ(outcome.sentenceStart, buffer.indexOf("$GPGGA") + 1);
    EXPECT_EQ(outcome.sentenceEnd, buffer.size());
}

TEST_F(Scan, ASentenceStartingWithin20CharactersIsPartOfTheGga)
{
    // A GGA cut short by another sentence (the receiver spliced a GLL into
    // it): the next "$GP" within 20 characters does not end it.
    const QByteArray buffer = "$GPGGA,030130" + nmea("GPGLL,2638.1728,N,08011.3893,W,030131.000,A,A") + kGga;
    const auto outcome = scan(buffer);
    EXPECT_EQ(outcome.sentenceStart, 1);
    EXPECT_EQ(outcome.sentenceEnd, buffer.indexOf("$GPGGA", 1) + 1);
}

TEST_F(Scan, NoGpGgaEndsReceptionWithTheMessage)
{
    for (const QByteArray& buffer :
         {QByteArray(), nmea("GPRMC,1,A"), nmea("GNGGA,030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,,M,,")}) {
        script->expectMessage(MsgResult::Ok, orbela::kMsgCheckLine.toString());
        const auto outcome = scan(buffer);
        EXPECT_EQ(outcome.result, orbela::ScanResult::NoGga);
        EXPECT_EQ(outcome.sentenceStart, 0);
        EXPECT_EQ(outcome.sentenceEnd, 0);
    }
}

TEST_F(Scan, KeepsTheLastDateAcrossBuffers)
{
    scan(nmea("GPRMC,045851.000,A,3519.9046,N,13640.2631,E,0.12,114.35,020524,,") + kGga);
    EXPECT_EQ(memory.GpsDateText, QStringLiteral("2024/05/02"));
    scan(kGga);
    EXPECT_EQ(memory.GpsDateText, QStringLiteral("2024/05/02"));
}

const QByteArray kRmcMay2 = nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,");

struct ClockCase {
    const char* legend;
    qint64 computerAheadSeconds;  // computer clock minus GPS time
    std::optional<QString> question;
};

const ClockCase kClock[] = {
    {"45 minutes behind", -45 * 60, QStringLiteral("システム時刻が30分以上ずれているので調整します")},
    {"3 h 20 min off", 3 * 3600 + 20 * 60, QStringLiteral("システム時刻が4時間ずれているので調整します")},
    {"50 s off: no question", 50, std::nullopt},
    {"2 minutes off", -120, QStringLiteral("システム時刻が1分以上ずれているので調整します")},
    {"2.5 days off", 216000, QStringLiteral("システム時刻が2日以上ずれているので調整します")},
    {"in step", 0, std::nullopt},
};

TEST_F(Scan, ClockQuestionsByHowFarTheClockIsOff)
{
    const QDateTime gpsUtc(QDate(2024, 5, 2), QTime(3, 0, 0), Qt::UTC);
    for (const ClockCase& c : kClock) {
        clock.mNow = gpsUtc.addSecs(c.computerAheadSeconds);
        clock.mSetTo.clear();
        if (c.question)
            script->expectMessage(MsgResult::Yes, *c.question);
        const auto outcome = scan(kRmcMay2 + kGga, true);
        EXPECT_TRUE(outcome.untickClockBox) << c.legend;
        EXPECT_EQ(outcome.result, orbela::ScanResult::Located) << c.legend;
        ASSERT_EQ(clock.mSetTo.size(), c.question ? 1u : 0u) << c.legend;
        if (c.question) {
            EXPECT_EQ(clock.mSetTo[0], gpsUtc) << c.legend;
            EXPECT_EQ(script->records().back().buttons, platform::MsgButtons::YesNo);
        }
    }
}

TEST_F(Scan, GpsDateTimeIsJapaneseLocalTime)
{
    clock.mNow = QDateTime(QDate(2024, 5, 2), QTime(3, 0, 0), Qt::UTC);
    scan(kRmcMay2 + kGga, true);
    ASSERT_TRUE(memory.GpsDateTime);
    EXPECT_EQ(memory.GpsDateTime->time(), QTime(12, 0, 0));
    EXPECT_EQ(memory.GpsDateTime->date(), QDate(2024, 5, 2));
    EXPECT_EQ(memory.GpsDateTime->toUTC(), clock.mNow);
}

TEST_F(Scan, ANoLeavesTheClock)
{
    clock.mNow = QDateTime(QDate(2024, 5, 2), QTime(5, 30, 0), Qt::UTC);
    script->expectMessage(MsgResult::No, QStringLiteral("システム時刻が3時間ずれているので調整します"));
    const auto outcome = scan(kRmcMay2 + kGga, true);
    EXPECT_TRUE(clock.mSetTo.empty());
    EXPECT_TRUE(outcome.untickClockBox);
    EXPECT_EQ(outcome.result, orbela::ScanResult::Located);
}

TEST_F(Scan, AFailedClockSetEndsTheScan)
{
    clock.mNow = QDateTime(QDate(2024, 4, 30), QTime(3, 0, 0), Qt::UTC);
    clock.mAllowSet = false;
    script->expectMessage(MsgResult::Yes, QStringLiteral("システム時刻が2日以上ずれているので調整します"));
    script->expectMessage(MsgResult::Ok, orbela::kMsgClockFailed.toString());
    const auto outcome = scan(kRmcMay2 + kGga, true);
    EXPECT_EQ(outcome.result, orbela::ScanResult::ClockFailed);
    EXPECT_EQ(outcome.sentenceStart, 0);
    EXPECT_TRUE(outcome.untickClockBox);
}

TEST_F(Scan, TheBoxIsUntickedBeforeTheQuestion)
{
    // The box is unticked at once, so that it is already clear while the
    // user answers the question.
    clock.mNow = QDateTime(QDate(2024, 5, 2), QTime(5, 30, 0), Qt::UTC);
    QStringList order;
    script->expectMessage(MsgResult::No, QStringLiteral("システム時刻が3時間ずれているので調整します"));
    const gpstest::ScopedMessageObserver observer(
        [&](const platform::MessageRequest& request) { order << QStringLiteral("question ") + request.text; });
    const auto outcome = orbela::GGASEEK(kRmcMay2 + kGga, true, memory, clock, [&] { order << QStringLiteral("untick"); });
    EXPECT_TRUE(outcome.untickClockBox);
    EXPECT_EQ(order, (QStringList{QStringLiteral("untick"),
                                  QStringLiteral("question システム時刻が3時間ずれているので調整します")}));

    // No date yet: no comparison, the box stays ticked.
    order.clear();
    memory = orbela::ScanMemory{};
    orbela::GGASEEK(kGga, true, memory, clock, [&] { order << QStringLiteral("untick"); });
    EXPECT_TRUE(order.isEmpty());
}

TEST_F(Scan, TheClockWaitsForADate)
{
    clock.mNow = QDateTime(QDate(2020, 1, 1), QTime(0, 0, 0), Qt::UTC);
    const auto outcome = scan(kGga, true);
    EXPECT_FALSE(outcome.untickClockBox) << "no date yet: the box stays ticked";
    EXPECT_TRUE(clock.mSetTo.empty());
}

TEST_F(Scan, AShortGgaTimeEndsTheClockStepWithoutAQuestion)
{
    clock.mNow = QDateTime(QDate(2020, 1, 1), QTime(0, 0, 0), Qt::UTC);
    const auto outcome = scan(kRmcMay2 + gga("0300,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,"), true);
    EXPECT_TRUE(outcome.untickClockBox);
    EXPECT_TRUE(clock.mSetTo.empty());
}

TEST(ClockQuestion, Thresholds)
{
    EXPECT_FALSE(orbela::clockQuestion(0.0007));
    EXPECT_TRUE(orbela::clockQuestion(0.00071));
    EXPECT_EQ(orbela::clockQuestion(0.021), QStringLiteral("システム時刻が1分以上ずれているので調整します"));
    EXPECT_EQ(orbela::clockQuestion(0.042), QStringLiteral("システム時刻が30分以上ずれているので調整します"));
    EXPECT_EQ(orbela::clockQuestion(0.0421), QStringLiteral("システム時刻が2時間ずれているので調整します"));
    EXPECT_EQ(orbela::clockQuestion(1.0), QStringLiteral("システム時刻が25時間ずれているので調整します"));
    EXPECT_EQ(orbela::clockQuestion(1.5), QStringLiteral("システム時刻が1日以上ずれているので調整します"));
}

}  // namespace

namespace {

TEST(HostClock, TellsTheCurrentTimeAndRefusesAnInvalidOne)
{
    orbela::HostClock clock;
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const QDateTime now = clock.now();
    EXPECT_LE(std::llabs(before.msecsTo(now)), 5000);
    // Only an invalid time is tried here: a test must not move the
    // machine's clock.
    EXPECT_FALSE(clock.set(QDateTime()));
}

TEST(GpsTime, DateAndTimeTexts)
{
    EXPECT_EQ(orbela::gpsDateText(u"020524"), QStringLiteral("2024/05/02"));
    EXPECT_EQ(orbela::gpsDateText(u"290224"), QStringLiteral("2024/02/29"));
    EXPECT_FALSE(orbela::gpsDateText(u"290223")) << "no 29 February in 2023";
    EXPECT_FALSE(orbela::gpsDateText(u"02052"));
    EXPECT_FALSE(orbela::gpsDateText(u"02a524"));
    const auto t = orbela::gpsLocalDateTime(QStringLiteral("2024/05/02"), u"150000");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->date(), QDate(2024, 5, 3)) << "15 h UTC is midnight in Japan";
    EXPECT_EQ(t->time(), QTime(0, 0, 0));
    EXPECT_FALSE(orbela::gpsLocalDateTime(QStringLiteral("2024/05/02"), u"256000"));
    EXPECT_FALSE(orbela::gpsLocalDateTime(QString(), u"120000"));
}

}  // namespace
