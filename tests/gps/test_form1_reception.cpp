// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's window receiving from a pseudo-terminal: fixes published over the
// link, status words, the watchdog, the workbook cell and macro, the point
// file, the track save and the geoid import.
#include "window_fixture.h"

#include "gps/messages.h"
#include "message_observer.h"

#include "platform/workbook/workbook_peer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace gpstest {
namespace {

using platform::MsgResult;

// A fix `north` thousandths of a minute north of kGgaFields (one is about
// 1.85 m), so that the track keeps it.
QByteArray burstNorth(int north)
{
    const QByteArray minutes = QByteArray::number(39.1234 + north / 1000.0, 'f', 4);
    return fixBurst("030000.00,35" + minutes + ",N,13945.6789,E,1,08,0.9,45.1,M,36.7,M,,");
}

using Reception = WindowTest;

TEST_F(Reception, AFixReachesEveryLinkedClientAtOnce)
{
    orbela::Form1& f = form();
    auto first = linkToOrbela();
    auto second = linkToOrbela();
    ASSERT_TRUE(first->client && second->client);
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(f.Text7.Text(), kFixText);
    for (const auto* client : {first.get(), second.get()}) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->texts.size() == 2; }, kWaitMs));
        EXPECT_EQ(client->texts, (QStringList{QStringLiteral("未接続"), kFixText}));
    }
    EXPECT_EQ(f.Caption(), QStringLiteral("衛星8 NMEA"));
    EXPECT_EQ(f.Text8(0).Text(), QStringLiteral("X=-38600.075 Y=-6521.191 H=45.100 衛星=8  12:00:00 単独即位(G)"));
    EXPECT_TRUE(f.Text8(1).Text().isEmpty());
    EXPECT_TRUE(f.Timer1.Enabled()) << "continuous reception re-arms the watchdog";
    EXPECT_EQ(f.Timer1.Interval(), 10000);
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.Command1.Enabled());
    EXPECT_EQ(f.reception().track().TrackCount(), 1);

    // Every further fix replaces the text, and every client gets it.
    ASSERT_TRUE(receive(burstNorth(10)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->texts.size() == 3 && second->texts.size() == 3; }, kWaitMs));
    EXPECT_EQ(first->texts.last(), f.Text7.Text());
    EXPECT_NE(first->texts.last(), kFixText);
    EXPECT_EQ(f.Caption(), QStringLiteral("衛星8  NMEA"));
    EXPECT_EQ(f.reception().track().TrackCount(), 2);
}

TEST_F(Reception, TenLogLinesThenTheyScroll)
{
    orbela::Form1& f = form();
    startReception();
    QStringList lines;  // the log line of each fix, as it first appeared
    for (int i = 0; i < 11; ++i) {
        ASSERT_TRUE(receive(burstNorth(i * 10))) << i;
        const int row = std::min(i, 9);
        lines.append(f.Text8(row).Text());
        EXPECT_TRUE(lines.last().startsWith(QStringLiteral("X="))) << i;
        if (i < 9) {
            EXPECT_TRUE(f.Text8(i + 1).Text().isEmpty()) << i;
        }
    }
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), 11) << "every fix has its own line";
    // The eleventh fix moved the boxes up by one.
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(f.Text8(row).Text(), lines[row + 1]) << row;
    EXPECT_EQ(f.reception().log().LogLine(), 9);
}

TEST_F(Reception, AReceiverThatIsNotReadyShowsTheStatusWord)
{
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    startReception();
    ASSERT_TRUE(receive(fixBurst("030000.00,3539.1234,N,13945.6789,E,0,02,0.9,45.1,M,36.7,M,,")));
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("準備中"));
    EXPECT_EQ(f.Caption(), QStringLiteral("準備中 NMEA"));
    EXPECT_EQ(f.Text8(0).Text(), QStringLiteral("ＧＰＳは受信準備中です"));
    EXPECT_FALSE(f.Timer1.Enabled()) << "no fix: the watchdog stays off";
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.contains(QStringLiteral("準備中")); }, kWaitMs));
}

TEST_F(Reception, ABufferWithoutGgaEndsReception)
{
    orbela::Form1& f = form();
    startReception();
    script->expectMessage(MsgResult::Ok, QStringLiteral("通信条件を見直してください"));
    ASSERT_TRUE(receive(nmea("GPRMC,030000.00,A,3539.1234,N,13945.6789,E,0.0,0.0,020524,,,A")
                        + nmea("GNGGA," + kGgaFields)));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続")) << "the fix item keeps its last text";
}

TEST_F(Reception, ABadChecksumShowsNothing)
{
    orbela::Form1& f = form();
    startReception();
    QByteArray burst = fixBurst();
    burst.replace("*", "*0");  // every checksum now wrong
    ASSERT_TRUE(receive(burst + QByteArray(40, ' ')));
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続"));
    EXPECT_TRUE(f.Text8(0).Text().isEmpty());
    EXPECT_EQ(f.reception().track().TrackCount(), 0);
    EXPECT_FALSE(f.Timer1.Enabled());
}

TEST_F(Reception, SingleReadingSavesOnePointAndStops)
{
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    f.Option2.setValue(true);
    f.Option4.setValue(true);
    f.Text3.setText(inHome(QStringLiteral("point.csv")));
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(fileBytes(inHome(QStringLiteral("point.csv"))), QByteArray("G1,-38600.1,-6521.2,0,20\r\n"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("中断"));
    EXPECT_EQ(f.Caption(), QStringLiteral("中断 ORBELA"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 3; }, kWaitMs));
    EXPECT_EQ(gps->texts, (QStringList{QStringLiteral("未接続"), kFixText, QStringLiteral("中断")}));
}

TEST_F(Reception, APointFileThatCannotBeWrittenIsDropped)
{
    orbela::Form1& f = form();
    f.Option2.setValue(true);
    f.Text3.setText(inHome(QStringLiteral("missing/folder/point.csv")));
    startReception();
    script->expectMessage(MsgResult::Ok, QStringLiteral("保存先のディレクトリが見つかりません。"));
    // The message comes after the fix is shown and published, and before
    // the path is cleared.
    QString text7AtMessage, captionAtMessage, text3AtMessage;
    const ScopedMessageObserver observer([&](const platform::MessageRequest&) {
        text7AtMessage = f.Text7.Text();
        captionAtMessage = f.Caption();
        text3AtMessage = f.Text3.Text();
    });
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(text7AtMessage, kFixText);
    EXPECT_EQ(captionAtMessage, QStringLiteral("衛星8 NMEA"));
    EXPECT_EQ(text3AtMessage, inHome(QStringLiteral("missing/folder/point.csv")));
    EXPECT_TRUE(f.Text3.Text().isEmpty());
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("中断"));
}

TEST_F(Reception, CountedReceptionKeepsTheWatchdogOff)
{
    orbela::Form1& f = form();
    f.Option7.setValue(true);  // １０
    startReception();
    EXPECT_TRUE(f.Timer1.Enabled());
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_TRUE(f.MSComm1.PortOpen());
}

TEST_F(Reception, TheWatchdogTickStopsASilentPort)
{
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ＧＰＳの出力データが確認できません。通信状態を確認してください。"));
    f.Timer1.Timer();
    ASSERT_EQ(script->records().size(), 1u);
    EXPECT_EQ(script->records()[0].title, QStringLiteral("ORBELAメッセージ"));
    EXPECT_TRUE(script->records()[0].systemModal);
    EXPECT_EQ(script->records()[0].buttons, platform::MsgButtons::OkOnly);
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続"));
    EXPECT_EQ(f.Caption(), QStringLiteral("NMEA未接続"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 3; }, kWaitMs));
    EXPECT_EQ(gps->texts.last(), QStringLiteral("未接続"));
}

TEST_F(Reception, TheWatchdogFiresWhenNoDataComesAfterTheStart)
{
    orbela::Form1& f = form();
    f.Text1.setText(QStringLiteral("0.2"));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ＧＰＳの出力データが確認できません。通信状態を確認してください。"));
    startReception();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !script->records().empty(); }, kWaitMs));
    EXPECT_EQ(f.Caption(), QStringLiteral("NMEA未接続"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
    // One warning only: the watchdog that gave it is off and stopped.
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_FALSE(f.Timer1.isRunning());
    EXPECT_EQ(script->records().size(), 1u);
}

TEST_F(Reception, TheWorkbookCellSwitchesTheHandOver)
{
    platform::WorkbookPeer excel;
    excel.setWorkbooks({QStringLiteral("WEMBRA.XLS")});
    excel.setWorksheets({QStringLiteral("境界")});
    excel.setMacro(QStringLiteral("Orbela"));
    excel.setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("9999"));
    ASSERT_TRUE(excel.start());

    orbela::Form1& f = form();
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    // The cell link is made at the receive event; the cell's value then
    // switches the hand-over on for the next fix.
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Check1.Value() == 1; }, kWaitMs));
    EXPECT_EQ(f.Text10.Text(), QStringLiteral("9999"));
    EXPECT_TRUE(excel.calls().empty());

    ASSERT_TRUE(receive(fixBurst()));
    const auto calls = excel.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, QStringLiteral("Orbela"));
    const QVariantList expected{-38600.075, -6521.191, 45.1, QVariant::fromValue<quint8>(8),
                                QStringLiteral(" 12:00:00"), QVariant::fromValue<quint8>(1),
                                QVariant::fromValue(0.9f), QVariant::fromValue(0.0f)};
    EXPECT_EQ(calls[0].arguments, expected);
    EXPECT_EQ(f.Text8(0).Text().left(2), QStringLiteral("X=")) << "no failure logged";

    excel.setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("0"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Check1.Value() == 0; }, kWaitMs));
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(excel.calls().size(), 1u);
}

TEST_F(Reception, WithoutTheSpreadsheetProgramEachFixLogsTheFailure)
{
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    f.Check1.setValue(1);
    startReception();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(receive(burstNorth(i * 10)));
        EXPECT_EQ(f.Text8(0).Text(), QStringLiteral("エクセルへのリンクに失敗しました")) << i;
    }
    EXPECT_EQ(f.reception().track().TrackCount(), 2) << "the fixes are still kept";
    EXPECT_TRUE(f.Text8(1).Text().startsWith(QStringLiteral("X=")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 3; }, kWaitMs));
    EXPECT_EQ(f.Check1.Value(), 1);
}

TEST_F(Reception, AWorkbookWithoutTheMacroLogsTheFailure)
{
    platform::WorkbookPeer excel;
    excel.setWorkbooks({QStringLiteral("Book1")});
    excel.setWorksheets({QStringLiteral("Sheet1")});
    ASSERT_TRUE(excel.start());
    orbela::Form1& f = form();
    f.Check1.setValue(1);
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(f.Text8(0).Text(), QStringLiteral("エクセルへのリンクに失敗しました"));
    EXPECT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(f.Text7.Text(), kFixText);
}

TEST_F(Reception, TheCellTicksTheBoxOnlyFor9999)
{
    orbela::Form1& f = form();
    const std::pair<const char*, int> rows[] = {
        {"9999", 1}, {"9998", 0}, {"9999.0", 1}, {"", 0}, {" 9999", 1}, {"text", 0}, {"9999abc", 1}, {"99990", 0},
    };
    for (const auto& [text, expected] : rows) {
        f.Text10.setText(QString::fromUtf8(text));
        EXPECT_EQ(f.Check1.Value(), expected) << text;
    }
}

TEST_F(Reception, TheClockBoxAsksOnceAndIsUntickedWhateverTheAnswer)
{
    orbela::Form1& f = form();
    FakeClock clock;
    clock.mNow = QDateTime(QDate(2024, 5, 2), QTime(2, 15, 0), Qt::UTC);  // 45 min behind
    f.setClock(&clock);
    f.Check2.setValue(1);
    startReception();
    script->expectMessage(MsgResult::No, QStringLiteral("システム時刻が30分以上ずれているので調整します"));
    int boxAtQuestion = -1;
    const ScopedMessageObserver observer([&](const platform::MessageRequest&) { boxAtQuestion = f.Check2.Value(); });
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_EQ(boxAtQuestion, 0) << "the box is unticked before the question";
    EXPECT_EQ(f.Check2.Value(), 0);
    EXPECT_TRUE(clock.mSetTo.empty());
    EXPECT_EQ(f.Text7.Text(), kFixText);
    ASSERT_TRUE(receive(burstNorth(10)));  // no second question
    f.setClock(nullptr);
}

TEST_F(Reception, SavingTheTrackNeedsTwoPoints)
{
    orbela::Form1& f = form();
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    const QString path = inHome(QStringLiteral("track.csv"));
    script->expectOpenFile(path);
    script->expectMessage(MsgResult::Ok, QStringLiteral("データがありません"));
    f.Command3.setValue(true);
    EXPECT_EQ(f.Text3.Text(), path);
    EXPECT_TRUE(f.MSComm1.PortOpen()) << "reception goes on";
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Reception, SavingTheTrackStopsReceptionAndWritesTheFile)
{
    orbela::Form1& f = form();
    f.Option4.setValue(true);  // ＴＹＰＥ１
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    ASSERT_TRUE(receive(burstNorth(10)));
    const QString path = inHome(QStringLiteral("track.csv"));
    const QString lastFix = f.Text7.Text();
    script->expectOpenFile(path);
    f.Command3.setValue(true);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Timer1.Enabled());
    const QByteArray written = fileBytes(path);
    const QRegularExpression lines(QStringLiteral("^1,-38600.075,-6521.191,,20\r\n2,-38581.\\d+,-6521.\\d+,,20\r\n$"));
    EXPECT_TRUE(lines.match(QString::fromLatin1(written)).hasMatch()) << written.toStdString();
    EXPECT_EQ(f.Text7.Text(), lastFix) << "the fix item keeps its last text";
}

TEST_F(Reception, CancellingTheChooserDropsThePointFile)
{
    orbela::Form1& f = form();
    f.Option2.setValue(true);
    f.Text3.setText(inHome(QStringLiteral("point.csv")));
    script->expectOpenFile(std::nullopt);
    f.Command3.setValue(true);
    EXPECT_TRUE(f.Text3.Text().isEmpty());
    startReception();
    ASSERT_TRUE(receive(fixBurst()));
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("point.csv"))));
}

TEST_F(Reception, ImportingTheGeoidModelCorrectsTheHeights)
{
    orbela::Form1& f = form();
    const QString source = QStringLiteral(TAVELCOR_TEST_DATA "/gps/grid_3x4.asc");
    script->expectOpenFile(source, QStringLiteral("ジオイドモデル"));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ジオイドファイルを呼び出します"));
    f.Command5.setValue(true);
    EXPECT_TRUE(f.Label9.Visible());
    EXPECT_EQ(f.reception().geoid().GeoidAscPath(), inHome(QStringLiteral("gsigeome.asc")));
    EXPECT_EQ(f.reception().geoid().GeoidTmpPath(), inHome(QStringLiteral("gsigeome.tmp")));
    EXPECT_TRUE(QFile::exists(inHome(QStringLiteral("gsigeome.tmp"))));
    EXPECT_EQ(f.MousePointer(), platform::pointer::Default);

    // A model in place: the next import asks first; No changes nothing.
    script->expectMessage(MsgResult::No, QStringLiteral("既存のジオイドモデルを書き換えますか？"));
    f.Command5.setValue(true);
    EXPECT_TRUE(f.reception().geoid().isAvailable());

    // A fix on the model's south-west node (35° N, 139° E, 36.1 m in
    // grid_3x4.asc): altitude 45.1 + separation 36.7 - 36.1 = 45.7 m.
    startReception();
    ASSERT_TRUE(receive(fixBurst("030000.00,3500.0000,N,13900.0000,E,1,08,0.9,45.1,M,36.7,M,,")));
    const QStringList fields = f.Text7.Text().split(QLatin1Char(','));
    ASSERT_EQ(fields.size(), 10) << f.Text7.Text().toStdString();
    EXPECT_EQ(fields[2].trimmed(), QStringLiteral("45.700"));
}

TEST_F(Reception, AnUnreadableGeoidModelSwitchesTheCorrectionOff)
{
    orbela::Form1& f = form();
    script->expectOpenFile(inHome(QStringLiteral("no-such-model.asc")));
    script->expectMessage(MsgResult::Ok, QStringLiteral("ジオイドモデルファイルが読み込めませんでした"));
    f.Command5.setValue(true);
    EXPECT_FALSE(f.Label9.Visible());
    EXPECT_FALSE(f.reception().geoid().isAvailable());
}

}  // namespace
}  // namespace gpstest
