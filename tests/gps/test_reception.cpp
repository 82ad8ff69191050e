// SPDX-License-Identifier: LicenseRef-Tavelcor
// One receive event at a time: status words, the fix text, the log and the
// caption, heights with the geoid, the workbook hand-over, the point file,
// the track and counted reception.
#include "gps/messages.h"
#include "gps/reception.h"
#include "message_observer.h"
#include "nmea_helpers.h"
#include "platform/prompt/testing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using gpstest::gga;
using gpstest::nmea;
using orbela::ReceiveResult;
using orbela::ReceptionMode;
using platform::MsgResult;

// 35° 39.1234' N, 139° 45.6789' E; in zone 9 PROJ's cs2cs (EPSG:6668 to
// EPSG:6677) gives X -38600.07451 m, Y -6521.19067 m.
const QByteArray kFields = "030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,";
const QByteArray kGga = gga(kFields);
const QString kFixText = QStringLiteral("-38600.075, -6521.191, 45.100, 8 , 12:00:00 ,1 ,0.9 ,M ,36.7 ,M");

// A GGA sentence at `north` thousandths of a minute north of kGga's latitude
// (one thousandth is about 1.85 m).
QByteArray ggaNorth(int north)
{
    const QByteArray minutes = QByteArray::number(39.1234 + north / 1000.0, 'f', 4);
    return gga("030000.00,35" + minutes + ",N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,");
}

class ReceptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        reception.setProgramFolder(folder.path());
        settings.zoneText = QStringLiteral("9");
    }

    orbela::ReceiveOutcome receive(const QByteArray& buffer) { return reception.receive(buffer, settings); }

    QTemporaryDir folder;
    gpstest::FakeClock clock;
    orbela::Reception reception{clock};
    orbela::ReceptionSettings settings;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(ReceptionTest, AFixIsShownPublishedLoggedAndKept)
{
    const auto outcome = receive(nmea("GPRMC,1,A") + kGga + nmea("GPGSA,A,3,03,17,,,,,,,,,,,2.9,2.2,1.9"));
    ASSERT_EQ(outcome.result, ReceiveResult::FixDone);
    EXPECT_EQ(outcome.text7, kFixText);
    EXPECT_EQ(outcome.caption, QStringLiteral("衛星8 NMEA"));
    EXPECT_EQ(reception.log().lines()[0], QStringLiteral("X=-38600.075 Y=-6521.191 H=45.100 衛星=8  12:00:00 単独即位(G)"));
    EXPECT_TRUE(outcome.armWatchdog);
    EXPECT_FALSE(outcome.stopReception);
    ASSERT_TRUE(outcome.fix);
    EXPECT_NEAR(outcome.fix->x, -38600.07451, 0.0005);
    EXPECT_NEAR(outcome.fix->y, -6521.19067, 0.0005);
    EXPECT_DOUBLE_EQ(outcome.fix->latitudeDms, 35.3907404);
    EXPECT_EQ(outcome.fix->sentence, kGga.trimmed());
    EXPECT_EQ(reception.NmeaField()[2], QStringLiteral(" 12:00:00")) << "the local time replaces the UTC time";
    EXPECT_EQ(reception.track().TrackCount(), 1);
    EXPECT_DOUBLE_EQ(reception.track().TrackX(1), -38600.075);
    EXPECT_FLOAT_EQ(reception.track().TrackH(1), 45.1f);
    EXPECT_EQ(reception.RecvCount(), 1);
    EXPECT_EQ(reception.SentencePos(1), nmea("GPRMC,1,A").size() + 1);
}

struct ReadinessCase {
    const char* legend;
    QByteArray quality;
    QByteArray satellites;
    QByteArray latitude;
    std::optional<QString> kind;  // nullopt: not ready
};

const ReadinessCase kReadiness[] = {
    {"quality 1", "1", "08", "3539.1234", QStringLiteral("単独即位(G)")},
    {"quality 0 with 3 satellites counts as ready", "0", "03", "3539.1234", QStringLiteral("0?(G)")},
    {"quality 6 with 2 satellites", "6", "02", "3539.1234", std::nullopt},
    {"quality 0 with 2 satellites", "0", "02", "3539.1234", std::nullopt},
    {"empty latitude whatever the rest", "1", "08", "", std::nullopt},
    {"quality 5 without satellites", "5", "00", "3539.1234", QStringLiteral("RTK FLOAT(G)")},
    {"empty quality with 11 satellites", "", "11", "3539.1234", QStringLiteral("?(G)")},
    {"quality 4", "4", "12", "3539.1234", QStringLiteral("RTK FIX(G)")},
};

TEST_F(ReceptionTest, ReadinessAndKindOfFix)
{
    for (const ReadinessCase& c : kReadiness) {
        const QByteArray sentence = gga("030000.00," + c.latitude + ",N,13945.6789,E," + c.quality + ","
                                        + c.satellites + ",0.9,45.1,M,36.7,M,,");
        const auto outcome = receive(sentence);
        if (!c.kind) {
            EXPECT_EQ(outcome.result, ReceiveResult::NotReady) << c.legend;
            EXPECT_EQ(outcome.text7, orbela::kStatusNotReady.toString()) << c.legend;
            EXPECT_TRUE(outcome.caption->startsWith(QStringLiteral("準備中 "))) << c.legend;
            EXPECT_EQ(reception.log().lines()[reception.log().LogLine()], orbela::kLogNotReady.toString());
            EXPECT_FALSE(outcome.armWatchdog) << c.legend;
            EXPECT_FALSE(outcome.fix) << c.legend;
        } else {
            EXPECT_EQ(outcome.result, ReceiveResult::FixDone) << c.legend;
            ASSERT_TRUE(outcome.fix) << c.legend;
            EXPECT_EQ(outcome.fix->kind, *c.kind) << c.legend;
            EXPECT_TRUE(outcome.armWatchdog) << c.legend;
        }
    }
}

TEST_F(ReceptionTest, NotReadyKeepsThePreviousFixInTheTrack)
{
    receive(kGga);
    const auto outcome = receive(gga("030001.00,,N,,E,0,00,,,M,,M,,"));
    EXPECT_EQ(outcome.result, ReceiveResult::NotReady);
    EXPECT_EQ(outcome.caption, QStringLiteral("準備中  NMEA"));
    EXPECT_EQ(reception.track().TrackCount(), 1);
}

struct RejectCase {
    const char* legend;
    QByteArray buffer;
};

const RejectCase kRejected[] = {
    {"wrong checksum", QByteArray(kGga).replace("*", "0*")},
    {"lower-case checksum digits", QByteArray(kGga).replace("*5E", "*5e")},
    {"cut at the buffer's end, no checksum", "$GPGGA,030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1,M"},
    {"cut within the checksum", kGga.left(kGga.size() - 3)},
    {"complete but the buffer ends right after it", kGga.left(kGga.size() - 2)},
    {"valid checksum, too few fields", gga("030000.00,3539.1234,N,13945.6789,E,1,08,0.9,45.1")},
    {"spliced by another sentence",
     "$GPGGA,030130" + nmea("GPGLL,2638.1728,N,08011.3893,W,030131.000,A,A") + kGga},
};

TEST_F(ReceptionTest, ASentenceWithoutAValidChecksumShowsNothing)
{
    ASSERT_TRUE(kGga.contains("*5E")) << "the lower-case row needs a checksum with a letter";
    for (const RejectCase& c : kRejected) {
        const auto outcome = receive(c.buffer);
        EXPECT_EQ(outcome.result, ReceiveResult::Rejected) << c.legend;
        EXPECT_FALSE(outcome.text7) << c.legend;
        EXPECT_FALSE(outcome.caption) << c.legend;
        EXPECT_FALSE(outcome.armWatchdog) << c.legend << ": the watchdog stays off";
        EXPECT_FALSE(outcome.stopReception) << c.legend;
    }
    EXPECT_EQ(reception.track().TrackCount(), 0);
    EXPECT_EQ(reception.log().LogLine(), -1);
    EXPECT_EQ(reception.RecvCount(), static_cast<int>(std::size(kRejected)));
}

TEST_F(ReceptionTest, ACutSentenceNeverPublishesTheFieldsOfThePreviousOne)
{
    // Regression: a GGA cut after its altitude used to be taken without a
    // check, with the separation and units of the sentence before it.
    ASSERT_EQ(receive(kGga).result, ReceiveResult::FixDone);
    const auto outcome = receive("$GPGGA,030001.00,3539.2234,N,13945.6789,E,1,08,0.9,46.0,");
    EXPECT_EQ(outcome.result, ReceiveResult::Rejected);
    EXPECT_FALSE(outcome.text7);
    EXPECT_EQ(reception.track().TrackCount(), 1);
}

TEST_F(ReceptionTest, FieldsOneToTenAreBlankedAtEveryEvent)
{
    receive(kGga);
    reception.otherCommEvent();
    for (int f = 1; f <= 10; ++f)
        EXPECT_EQ(reception.NmeaField()[f], QStringLiteral(" ")) << f;
    EXPECT_EQ(reception.NmeaField()[12], QStringLiteral("36.7")) << "fields 11 to 14 keep their values";
}

TEST_F(ReceptionTest, NoGgaEndsReception)
{
    script->expectMessage(MsgResult::Ok, orbela::kMsgCheckLine.toString());
    const auto outcome = receive(nmea("GNGGA," + kFields));
    EXPECT_EQ(outcome.result, ReceiveResult::NoGga);
    EXPECT_TRUE(outcome.endReception);
    EXPECT_FALSE(outcome.text7) << "the fix item keeps its last text";
    EXPECT_FALSE(outcome.caption);
}

TEST_F(ReceptionTest, NoFixFromABufferWhoseClockSetFailed)
{
    // Regression: after a failed clock set the sentence positions of the
    // previous buffer were used on this one.
    receive(nmea("GPRMC,1,A") + kGga);
    settings.clockRequested = true;
    clock.mAllowSet = false;
    clock.mNow = QDateTime(QDate(2024, 4, 30), QTime(3, 0, 0), Qt::UTC);
    script->expectMessage(MsgResult::Yes, QStringLiteral("システム時刻が2日以上ずれているので調整します"));
    script->expectMessage(MsgResult::Ok, orbela::kMsgClockFailed.toString());
    const auto outcome = receive(nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,") + ggaNorth(50));
    EXPECT_EQ(outcome.result, ReceiveResult::ClockFailed);
    EXPECT_TRUE(outcome.untickClockBox);
    EXPECT_FALSE(outcome.text7);
    EXPECT_FALSE(outcome.fix);
    EXPECT_EQ(reception.track().TrackCount(), 1);
}

TEST_F(ReceptionTest, ASuccessfulClockSetGoesOnToTheFix)
{
    settings.clockRequested = true;
    clock.mNow = QDateTime(QDate(2024, 5, 2), QTime(3, 45, 0), Qt::UTC);
    script->expectMessage(MsgResult::Yes, QStringLiteral("システム時刻が30分以上ずれているので調整します"));
    const auto outcome = receive(nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,") + kGga);
    EXPECT_EQ(outcome.result, ReceiveResult::FixDone);
    EXPECT_TRUE(outcome.untickClockBox);
    EXPECT_EQ(clock.mNow, QDateTime(QDate(2024, 5, 2), QTime(3, 0, 0), Qt::UTC));
}

TEST_F(ReceptionTest, TheCaptionMovesByOneToFivePlaces)
{
    for (int i = 0; i < 7; ++i) {
        const auto outcome = receive(ggaNorth(i * 10));
        const int blanks = i % 5 + 1;
        EXPECT_EQ(outcome.caption, QStringLiteral("衛星8") + QString(blanks, QLatin1Char(' ')) + QStringLiteral("NMEA"))
            << i;
    }
}

TEST_F(ReceptionTest, AZoneOutside1To19IsReportedTwiceAndTheFixStillGoesOut)
{
    // A text beyond a byte's range is no zone at all.
    const std::pair<const char*, int> zones[] = {{"0", 0}, {"20", 20}, {"300", 0}, {"", 0}, {"-1", 0}};
    for (const auto& [text, zone] : zones) {
        settings.zoneText = QString::fromLatin1(text);
        script->expectMessage(MsgResult::Ok, orbela::kMsgZone.toString());
        script->expectMessage(MsgResult::Ok, orbela::kMsgZone.toString());
        const auto outcome = receive(kGga);
        EXPECT_EQ(outcome.result, ReceiveResult::FixDone) << text;
        ASSERT_TRUE(outcome.fix) << text;
        ASSERT_TRUE(outcome.text7) << text;
        EXPECT_EQ(outcome.fix->zone, zone) << text;
        EXPECT_EQ(outcome.text7->count(QLatin1Char(',')), 9) << text;
    }
}

// A 2 x 3 geoid grid around the test position: 35.6 to 35.7 N, 139.7 to
// 139.9 E every 0.1 degree; 40 m everywhere except one node without data
// (35.6 N, 139.9 E).
void writeGeoid(const QString& folder)
{
    QFile asc(QDir(folder).filePath(QStringLiteral("gsigeome.asc")));
    ASSERT_TRUE(asc.open(QIODevice::WriteOnly));
    asc.write("  35.60000 139.70000 0.100000 0.100000    2    3\r\n"
              "  40.0000  40.0000 999.0000  40.0000  40.0000  40.0000\r\n");
    asc.close();
    ASSERT_EQ(orbela::convertGeoidModel(asc.fileName(), QDir(folder).filePath(QStringLiteral("gsigeome.tmp"))),
              orbela::GeoidConversion::Done);
}

TEST_F(ReceptionTest, HeightWithTheGeoidModel)
{
    writeGeoid(folder.path());
    reception.geoid() = orbela::GeoidModel::fromProgramFolder(folder.path());
    ASSERT_TRUE(reception.geoid().isAvailable());
    // altitude 45.1 + separation 36.7 - model 40.0
    auto outcome = receive(kGga);
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->texts.h, QStringLiteral("41.800"));
    EXPECT_NEAR(*outcome.fix->geoidHeight, 40.0, 1e-9);
    // Next to the no-data node the model has no value: altitude + separation.
    outcome = receive(gga("030000.00,3539.1234,N,13951.0000,E,1,08,0.9,45.1,M,36.7,M,,"));
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->texts.h, QStringLiteral("81.800"));
    EXPECT_FALSE(outcome.fix->geoidHeight);
    // Without a model: the altitude alone.
    reception.geoid().clear();
    outcome = receive(ggaNorth(100));
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->texts.h, QStringLiteral("45.100"));
}

TEST_F(ReceptionTest, TheWorkbookGetsTheFixWhileTheLinkIsOn)
{
    gpstest::RecordingWorkbook workbook;
    reception.setWorkbook(&workbook);
    receive(kGga);
    EXPECT_TRUE(workbook.mFixes.empty());
    settings.workbookLink = true;
    receive(gga("030000.00,3539.1234,N,13945.6789,E,2,08,0.9,45.1,M,36.7,M,,"));
    ASSERT_EQ(workbook.mFixes.size(), 1u);
    const orbela::WorkbookFix& w = workbook.mFixes[0];
    EXPECT_DOUBLE_EQ(w.x, -38600.075);
    EXPECT_DOUBLE_EQ(w.y, -6521.191);
    EXPECT_DOUBLE_EQ(w.h, 45.1);
    EXPECT_EQ(w.gps, 8);
    EXPECT_EQ(w.gpsTime, QStringLiteral(" 12:00:00"));
    EXPECT_EQ(w.status, 2);
    EXPECT_FLOAT_EQ(w.hdop, 0.9f);
    EXPECT_FLOAT_EQ(w.gioid, 0.0f) << "field 11 is the unit letter";
}

TEST_F(ReceptionTest, SingleReadingSavesOnePointAndStops)
{
    settings.mode = ReceptionMode::Once;
    settings.saveType = orbela::SaveType::Type1;
    settings.pointFilePath = folder.filePath(QStringLiteral("GPSLOG.CSV"));
    reception.startReception();
    const auto outcome = receive(kGga);
    EXPECT_TRUE(outcome.stopReception);
    EXPECT_FALSE(outcome.armWatchdog);
    EXPECT_EQ(gpstest::fileBytes(settings.pointFilePath), QByteArray("G1,-38600.1,-6521.2,0,20\r\n"));
    EXPECT_EQ(reception.pointFile().PointSaveCount(), 1);
}

TEST_F(ReceptionTest, APointFileThatCannotBeWrittenIsReportedAndDropped)
{
    settings.mode = ReceptionMode::Once;
    settings.pointFilePath = folder.filePath(QStringLiteral("missing/GPSLOG.CSV"));
    script->expectMessage(MsgResult::Ok, orbela::kMsgNoFolder.toString());
    const auto outcome = receive(kGga);
    EXPECT_TRUE(outcome.clearPointFilePath);
    EXPECT_EQ(outcome.result, ReceiveResult::FixDone);
    EXPECT_EQ(reception.pointFile().PointSaveCount(), 0);
}

// Writes the order of the hand-overs into a shared list.
class OrderedWorkbook final : public orbela::WorkbookHandOver {
public:
    explicit OrderedWorkbook(QStringList& order) : mOrder(order) {}
    void To_Excel(const orbela::WorkbookFix&) override { mOrder << QStringLiteral("workbook"); }

private:
    QStringList& mOrder;
};

TEST_F(ReceptionTest, TheFixIsShownBeforeTheWorkbookAndThePointFile)
{
    // The fix is shown and published first; a slow workbook macro or the
    // point file's failure message must not hold it back.
    QStringList order;
    reception.setFixShown([&](const orbela::ReceiveOutcome& shown) {
        order << QStringLiteral("shown ") + shown.text7.value_or(QString());
        EXPECT_EQ(shown.caption, QStringLiteral("衛星8 NMEA"));
        EXPECT_EQ(reception.log().lines()[0].left(2), QStringLiteral("X=")) << "the log line is written";
    });
    OrderedWorkbook workbook(order);
    reception.setWorkbook(&workbook);
    settings.workbookLink = true;
    settings.mode = ReceptionMode::Once;
    settings.pointFilePath = folder.filePath(QStringLiteral("missing/GPSLOG.CSV"));
    script->expectMessage(MsgResult::Ok, orbela::kMsgNoFolder.toString());
    const gpstest::ScopedMessageObserver observer(
        [&](const platform::MessageRequest& request) { order << QStringLiteral("message ") + request.text; });
    const auto outcome = receive(kGga);
    EXPECT_EQ(outcome.result, ReceiveResult::FixDone);
    EXPECT_EQ(order, (QStringList{QStringLiteral("shown ") + kFixText, QStringLiteral("workbook"),
                                  QStringLiteral("message ") + orbela::kMsgNoFolder.toString()}));

    // Events without a fix show nothing through this way.
    order.clear();
    receive(gga("030001.00,,N,,E,0,00,,,M,,M,,"));
    receive(QByteArray(kGga).replace("*", "0*"));
    EXPECT_TRUE(order.isEmpty());
}

TEST_F(ReceptionTest, NoPointFileInContinuousReception)
{
    settings.pointFilePath = folder.filePath(QStringLiteral("GPSLOG.CSV"));
    EXPECT_EQ(receive(kGga).result, ReceiveResult::FixDone) << "a fix that a counted reception would save";
    EXPECT_FALSE(QFile::exists(settings.pointFilePath));
    EXPECT_EQ(reception.pointFile().PointSaveCount(), 0);
}

struct CountedCase {
    ReceptionMode mode;
    int stopsAt;
};

TEST_F(ReceptionTest, CountedReceptionStopsAtItsNumber)
{
    for (const CountedCase c : {CountedCase{ReceptionMode::Once, 1}, CountedCase{ReceptionMode::Twice, 2},
                                CountedCase{ReceptionMode::Ten, 10}, CountedCase{ReceptionMode::Fifty, 50}}) {
        settings.mode = c.mode;
        reception.startReception();
        for (int event = 1; event <= c.stopsAt; ++event) {
            const auto outcome = receive(ggaNorth(event * 10));
            EXPECT_EQ(outcome.stopReception, event == c.stopsAt) << c.stopsAt << " event " << event;
            EXPECT_FALSE(outcome.armWatchdog);
        }
    }
}

TEST_F(ReceptionTest, ACountedReceptionEndsAtTheFirstFixAfterItsNumber)
{
    settings.mode = ReceptionMode::Twice;
    reception.startReception();
    receive(kGga);
    EXPECT_FALSE(receive(QByteArray(kGga).replace("*", "0*")).stopReception) << "event 2 brought no fix";
    EXPECT_TRUE(receive(ggaNorth(10)).stopReception);
}

TEST_F(ReceptionTest, StandingStillIsNotAddedToTheTrack)
{
    receive(kGga);
    receive(kGga);
    EXPECT_EQ(reception.track().TrackCount(), 1);
    receive(ggaNorth(1));
    EXPECT_EQ(reception.track().TrackCount(), 2);
}

TEST_F(ReceptionTest, TheThousandthKeptPointWritesATrackFile)
{
    orbela::ReceiveOutcome outcome;
    for (int i = 0; i < 1000; ++i) {
        outcome = receive(ggaNorth(i));
        ASSERT_EQ(outcome.trackFileWritten.isEmpty(), i < 999) << i;
    }
    EXPECT_EQ(outcome.trackFileWritten, orbela::trackFilePath(folder.path(), 1));
    EXPECT_EQ(reception.track().TrackCount(), 1000);
    const QByteArray file = gpstest::fileBytes(outcome.trackFileWritten);
    EXPECT_TRUE(file.contains("\r\nA01,1000,12:00:00,"));
    EXPECT_TRUE(file.endsWith("B01,1000,12:00:00\r\nD99,\r\nZ00,,\r\n"));
}

TEST_F(ReceptionTest, TheReceiveCountDoesNotWrapInADay)
{
    // A day of continuous reception at one event a second is 86400 events:
    // far past a 16-bit count.
    const QByteArray waiting = gga("030000.00,,N,,E,0,00,,,M,,M,,");
    for (int i = 0; i < 40000; ++i)
        reception.receive(waiting, settings);
    EXPECT_EQ(reception.RecvCount(), 40000);
    reception.startReception();
    EXPECT_EQ(reception.RecvCount(), 0);
}

TEST_F(ReceptionTest, TheMarkFollowsTheGsaOfTheSameBuffer)
{
    auto outcome = receive(nmea("GPGSA,A,3,03,17,194,,,,,,,,,,2.9,2.2,1.9") + kGga);
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->kind, QStringLiteral("単独即位(GQ)"));
    EXPECT_TRUE(reception.QzssSeen());
    outcome = receive(kGga + nmea("GPGSA,A,3,70,,,,,,,,,,,,2.9,2.2,1.9"));
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->kind, QStringLiteral("単独即位(GG)"));
    outcome = receive(ggaNorth(5));
    ASSERT_TRUE(outcome.fix);
    EXPECT_EQ(outcome.fix->kind, QStringLiteral("単独即位(G)"));
}

}  // namespace
