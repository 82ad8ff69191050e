// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's window: start-up, the single instance, ORBELA.JKN, shut-down and
// the handlers that only switch controls.
#include "window_fixture.h"

#include "gps/messages.h"

#include "platform/system/window_presence.h"

#include <QDir>
#include <QFile>

namespace gpstest {
namespace {

using platform::MsgResult;

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

using Startup = WindowTest;

TEST_F(Startup, DesignValuesAfterStartUp)
{
    orbela::Form1& f = form();
    EXPECT_EQ(f.Caption(), QStringLiteral("ORBELA 1.361"));
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続"));
    EXPECT_TRUE(f.isServingLink());
    EXPECT_FALSE(f.hasEnded());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("38400"));
    EXPECT_EQ(f.Label6.Caption(), QStringLiteral("N,8,1"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("10"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("6"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("5"));
    EXPECT_EQ(f.MSComm1.RThreshold(), 500) << "the threshold field counts hundreds of bytes";
    EXPECT_FALSE(f.MSComm1.PortOpen()) << "the port is not opened at start-up";
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_TRUE(f.Option3.Value());
    EXPECT_FALSE(f.Text3.Visible());
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("保存"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("ポート(16以内)検索"));
    EXPECT_FALSE(f.Label9.Visible());
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_EQ(f.Check2.Value(), 0);
    EXPECT_EQ(f.reception().log().LogLine(), -1);
    EXPECT_EQ(f.Text8.Count(), 10);
    EXPECT_EQ(f.programFolder(), QDir(home.path()).absolutePath());

    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr) << "the link source exists as soon as the program runs";
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 1; }, kWaitMs));
    EXPECT_EQ(gps->texts.front(), QStringLiteral("未接続"));
}

TEST_F(Startup, ASecondInstanceReportsAndEnds)
{
    // The running ORBELA of this program folder.
    const auto running = platform::SingleInstance::acquire(QStringLiteral("ORBELA"));
    ASSERT_NE(running, nullptr);
    script->expectMessage(MsgResult::Ok, QStringLiteral("ORBELA　は既に起動中です"));
    orbela::Form1& f = form();
    EXPECT_TRUE(f.hasEnded());
    EXPECT_FALSE(f.isServingLink());
    EXPECT_EQ(script->records().at(0).buttons, platform::MsgButtons::OkOnly);
    EXPECT_EQ(linkToOrbela()->client, nullptr);
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("ORBELA.JKN"))));
}

TEST_F(Startup, AProgramFolderThatCannotBeWrittenIsReportedAndTheProgramRuns)
{
    // A plain file where the program folder's parent should be.
    writeBytes(inHome(QStringLiteral("plain")), "x");
    const QString folder = inHome(QStringLiteral("plain/orbela"));
    testing_support::ScopedEnv badHome("TAVELCOR_HOME", folder);
    script->expectMessage(MsgResult::Ok,
                          QStringLiteral("プログラムフォルダ ") + folder
                              + QStringLiteral(" に書き込めません。設定は保存されません。"));
    orbela::Form1& f = form();
    EXPECT_FALSE(f.hasEnded());
    EXPECT_TRUE(f.isServingLink());
    EXPECT_EQ(f.Text7.Text(), QStringLiteral("未接続"));
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("ORBELA")))
        << "a second start must still see this one";
    // Closing goes on past the settings file that cannot be written.
    EXPECT_TRUE(orbela::form1Holder().unload());
}

TEST_F(Startup, SettingsFileFillsTheControlsAndRunsTheirHandlers)
{
    writeBytes(inHome(QStringLiteral("ORBELA.JKN")),
               "3\r\n38400,N,8,1\r\n19\r\n/data/gps.csv\r\n2\r\n2\r\n15\r\n 0 . 5\r\n 1 \r\n");
    orbela::Form1& f = form();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("38400"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("19"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("/data/gps.csv"));
    EXPECT_TRUE(f.Option2.Value());
    EXPECT_TRUE(f.Text3.Visible()) << "choosing １回 shows the point file";
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("保存先"));
    EXPECT_TRUE(f.Option4.Value());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("15"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("0.5"));
    EXPECT_EQ(f.MSComm1.RThreshold(), 50) << "the threshold field's handler ran";
    EXPECT_EQ(f.Check1.Value(), 1);
}

TEST_F(Startup, ValuesOutsideTheirRangesLeaveTheDesignValues)
{
    writeBytes(inHome(QStringLiteral("ORBELA.JKN")), "150\r\n\r\n20\r\n\r\n1\r\n4\r\n");
    orbela::Form1& f = form();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("0")) << "an empty baud line reads 0";
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("6"));
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_TRUE(f.Option3.Value()) << "save type 4 keeps ＳＩＭＡ";
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("10")) << "the file ended before line 7";
    EXPECT_EQ(f.MSComm1.RThreshold(), 500);
}

TEST_F(Startup, ClosingWritesBackTheFileItRead)
{
    const QByteArray file = "7\r\n9600\r\n12\r\n/home/u/測点.csv\r\n2\r\n3\r\n30\r\n2\r\n 1 \r\n";
    QByteArray cp932 = file;
    cp932.replace("測点", QByteArray("\x91\xaa\x93\x5f", 4));
    writeBytes(inHome(QStringLiteral("ORBELA.JKN")), cp932);
    form();
    ASSERT_TRUE(orbela::form1Holder().unload());
    EXPECT_EQ(fileBytes(inHome(QStringLiteral("ORBELA.JKN"))), cp932);
}

TEST_F(Startup, ClosingSavesWhatTheControlsHold)
{
    orbela::Form1& f = form();
    f.Text2.setText(QStringLiteral("４"));  // typed full-width, kept narrow
    f.Text4.setText(QStringLiteral("4800"));
    f.Option6.setValue(true);               // ２回 is kept as 連続受信
    f.Option5.setValue(true);
    f.Text3.setText(QStringLiteral("/tmp/x.sim"));
    f.Check1.setValue(1);
    ASSERT_TRUE(orbela::form1Holder().unload());
    EXPECT_EQ(fileBytes(inHome(QStringLiteral("ORBELA.JKN"))),
              QByteArray("4\r\n4800\r\n6\r\n/tmp/x.sim\r\n1\r\n3\r\n10\r\n5\r\n 1 \r\n"));

    // The next start shows 連続受信, the point file hidden and "保存".
    orbela::Form1& next = form();
    EXPECT_TRUE(next.Option1.Value());
    EXPECT_FALSE(next.Text3.Visible());
    EXPECT_EQ(next.Command3.Caption(), QStringLiteral("保存"));
    EXPECT_EQ(next.Text2.Text(), QStringLiteral("4"));
    EXPECT_TRUE(next.Option5.Value());
}

TEST_F(Startup, ClosingTellsTheMainProgramAndWritesTheTrack)
{
    writeBytes(inHome(QStringLiteral("ORBELA.TMP")), "left over");
    orbela::Form1& f = form();
    auto gps = linkToOrbela();
    ASSERT_NE(gps->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 1; }, kWaitMs));
    f.reception().track().add(100.0, 200.0, 10.0f, QStringLiteral(" 9:00:00"));
    f.reception().track().add(101.0, 200.0, 10.5f, QStringLiteral(" 9:00:01"));
    ASSERT_TRUE(orbela::form1Holder().unload());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->closed; }, kWaitMs));
    EXPECT_EQ(gps->texts, (QStringList{QStringLiteral("未接続"), QStringLiteral("終了")}));
    EXPECT_FALSE(QFile::exists(inHome(QStringLiteral("ORBELA.TMP"))));
    const QByteArray track = fileBytes(inHome(QStringLiteral("ORBELATMP1.SIM")));
    EXPECT_TRUE(track.startsWith("Z00,,\r\nG00,01,\r\nA00,\r\nA01,1,9:00:00,100,200,10,\r\nA01,2,9:00:01,101,200,10.5,\r\n"))
        << track.toStdString();
    EXPECT_TRUE(track.contains("D00,1,"));
}

TEST_F(Startup, ClosingWithOneTrackPointWritesNoTrackFile)
{
    form().reception().track().add(100.0, 200.0, 10.0f, QStringLiteral(" 9:00:00"));
    ASSERT_TRUE(orbela::form1Holder().unload());
    EXPECT_TRUE(QDir(home.path()).entryList({QStringLiteral("ORBELATMP*")}, QDir::Files).isEmpty());
    EXPECT_TRUE(QFile::exists(inHome(QStringLiteral("ORBELA.JKN"))));
}

TEST_F(Startup, GeoidModelNeedsBothFiles)
{
    writeBytes(inHome(QStringLiteral("gsigeome.asc")), "header\r\n");
    {
        orbela::Form1& f = form();
        EXPECT_FALSE(f.Label9.Visible());
        EXPECT_TRUE(f.reception().geoid().GeoidAscPath().isEmpty());
        EXPECT_TRUE(f.reception().geoid().GeoidTmpPath().isEmpty());
    }
    platform::destroyAllForms();
    writeBytes(inHome(QStringLiteral("gsigeome.tmp")), QByteArray(6, '\0'));
    orbela::Form1& f = form();
    EXPECT_TRUE(f.Label9.Visible());
    EXPECT_EQ(f.Label9.Caption(), QStringLiteral("ジオイドモデル　取得済"));
    EXPECT_EQ(f.reception().geoid().GeoidTmpPath(), inHome(QStringLiteral("gsigeome.tmp")));
}

TEST_F(Startup, CountedModesShowThePointFile)
{
    orbela::Form1& f = form();
    for (platform::OptionButton* counted : {&f.Option2, &f.Option6, &f.Option7, &f.Option8}) {
        QTest::mouseClick(counted->widget(), Qt::LeftButton);
        EXPECT_TRUE(counted->Value()) << counted->Name().toStdString();
        EXPECT_TRUE(f.Text3.Visible());
        EXPECT_EQ(f.Command3.Caption(), QStringLiteral("保存先"));
        QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
        EXPECT_FALSE(f.Text3.Visible());
        EXPECT_EQ(f.Command3.Caption(), QStringLiteral("保存"));
    }
}

}  // namespace
}  // namespace gpstest
