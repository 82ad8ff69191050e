// SPDX-License-Identifier: LicenseRef-Tavelcor
// The clipboard start modes: the test that picks the mode, the point-row and
// SIMA hand-over parsers, and start-up in each mode.
#include "app_fixture.h"

#include "main/app/clipboard_start.h"
#include "main/site/site_messages.h"

namespace tavelcor::apptest {
namespace {


// ------------------------------------------------------------ start mode

TEST(ClipboardStartModeTest, TextDecidesTheMode)
{
    const struct {
        const char* name;
        QString text;
        ClipboardStart mode;
    } rows[] = {
        {"empty", QString(), ClipboardStart::Chooser},
        {"plain text", QStringLiteral("hello world"), ClipboardStart::Chooser},
        {"hand-over", QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,A,0,0,0,"), ClipboardStart::SimaHandover},
        {"hand-over head only", QStringLiteral("Z00,NEW_SIMA"), ClipboardStart::SimaHandover},
        {"hand-over head cut", QStringLiteral("Z00,NEW_SIM"), ClipboardStart::Chooser},
        {"rows", QStringLiteral("1\tP1\t100\t200\r\n"), ClipboardStart::PointRows},
        {"tab as 7th character", QStringLiteral("123456\tX"), ClipboardStart::PointRows},
        {"tab as 8th character", QStringLiteral("1234567\tX"), ClipboardStart::Chooser},
        {"exactly 7 characters", QStringLiteral("1\tP\t1\t2"), ClipboardStart::Chooser},
        {"hand-over with tabs", QStringLiteral("Z00,NEW_SIMA\t\t\t\t"), ClipboardStart::SimaHandover},
    };
    for (const auto& row : rows)
        EXPECT_EQ(clipboardStartMode(row.text), row.mode) << row.name;
}

TEST(ClipboardStartModeTest, ElevationProfileIsToldByItsMark)
{
    EXPECT_TRUE(isElevationProfileHandover(QStringLiteral("Z00,NEW_SIMA 地理院標高API,")));
    EXPECT_FALSE(isElevationProfileHandover(QStringLiteral("Z00,NEW_SIMA,")));
}

// ------------------------------------------------------------ the parsers

class ClipboardParseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        mScript.emplace();
    }
    void TearDown() override { mScript.reset(); }

    platform::ScriptedPrompter& script() { return mScript->get(); }

private:
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

TEST_F(ClipboardParseTest, TwoRowsGiveTwoCoordinates)
{
    readTabPointRows(QStringLiteral("1\tP1\t100.5\t200.25\r\n2\tP2\t110\t210\r\n"));
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("P1"));
    EXPECT_DOUBLE_EQ(ZahyoX[1], 100.5);
    EXPECT_DOUBLE_EQ(ZahyoY[1], 200.25);
    EXPECT_DOUBLE_EQ(ZahyoX[2], 110.0);
    EXPECT_DOUBLE_EQ(ZahyoY[2], 210.0);
    EXPECT_DOUBLE_EQ(ZahyoH[2], 0.0);
    EXPECT_EQ(KakuchiCount, 0);
}

TEST_F(ClipboardParseTest, FieldThatTheTextsEndReachesIsDropped)
{
    readTabPointRows(QStringLiteral("1\tP1\t100.5\t200.25\r\n2\tP2\t110\t210"));
    EXPECT_EQ(ZahyoName[2], QStringLiteral("P2"));
    EXPECT_DOUBLE_EQ(ZahyoX[2], 110.0);
    EXPECT_DOUBLE_EQ(ZahyoY[2], 0.0);
}

TEST_F(ClipboardParseTest, EmptyFifthColumnEndsAfterItsRow)
{
    readTabPointRows(QStringLiteral("1\tA\t1\t2\t\r\n2\tB\t3\t4\r\n"));
    EXPECT_EQ(ZahyoMax, 1);
    EXPECT_EQ(ZahyoName[2], freeZahyoName());
}

TEST_F(ClipboardParseTest, NumberZeroEndsTheRows)
{
    readTabPointRows(QStringLiteral("5\tA\t1\t2\r\n0\tB\t3\t4\r\n6\tC\t5\t6\r\n"));
    EXPECT_EQ(ZahyoMax, 5);
    EXPECT_EQ(ZahyoName[5], QStringLiteral("A"));
    EXPECT_EQ(ZahyoName[6], freeZahyoName());
}

TEST_F(ClipboardParseTest, HeaderRowGivesNoCoordinateAtAll)
{
    const ClipboardParse result = readTabPointRows(QStringLiteral("No\t点名\tX\tY\r\n1\tA\t1\t2\r\n"));
    EXPECT_EQ(result.coordinates, 0);
    EXPECT_EQ(ZahyoMax, 1);
    EXPECT_EQ(ZahyoName[1], freeZahyoName());
}

TEST_F(ClipboardParseTest, NamesStayAsTheyStandAndLineFeedsAreDropped)
{
    readTabPointRows(QStringLiteral("3\t K 3 \t1\t2\n\r4\tP\n4\t5\t6\r"));
    EXPECT_EQ(ZahyoName[3], QStringLiteral(" K 3 "));
    EXPECT_EQ(ZahyoName[4], QStringLiteral("P4"));
    EXPECT_DOUBLE_EQ(ZahyoY[4], 6.0);
}

TEST_F(ClipboardParseTest, RowNumbersRoundHalvesToEvenAndLaterRowsReplace)
{
    readTabPointRows(QStringLiteral("2.5\tA\t1\t1\r3.5\tB\t2\t2\r2\tC\t3\t3\r"));
    EXPECT_EQ(ZahyoName[2], QStringLiteral("C"));
    EXPECT_EQ(ZahyoName[4], QStringLiteral("B"));
    EXPECT_EQ(ZahyoMax, 4);
}

// Numbers beyond the coordinate table are refused, never written.
TEST_F(ClipboardParseTest, RowNumberOutsideTheTableStopsWithAMessage)
{
    for (const char* number : {"500001", "-3", "1e300"}) {
        SCOPED_TRACE(number);
        resetTables();
        script().expectMessage(platform::MsgResult::Ok,
                               clipboardRefusedMessage(QString::fromLatin1(number)));
        const ClipboardParse result =
            readTabPointRows(QStringLiteral("1\tA\t1\t2\r") + QString::fromLatin1(number) + QStringLiteral("\tB\t3\t4\r"));
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(result.coordinates, 1);
        EXPECT_EQ(ZahyoMax, 1);
    }
}

TEST_F(ClipboardParseTest, HandoverReadsCoordinatesAndParcels)
{
    const ClipboardParse result = readSimaHandover(QStringLiteral(
        "Z00,NEW_SIMA,\r\nG00,01,\r\nA00,\r\nA01,1, K1 ,100.000,200.000,5.500,\r\nA01,2,K2,100.000,210.000,0,\r\n"
        "A01,3,K3,90.000,210.000,0,\r\nA99,\r\nZ00,,\r\nD00,1, 地番1 ,1,info,\r\nB01,1,K1,\r\nB01,2,K2,\r\n"
        "B01,3,K3,\r\nD99,\r\nD00,2,route,2,\r\nB01,3,K3,\r\nB01,1,K1,\r\nD99,\r\nZ00,\r\n"));
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.coordinates, 3);
    EXPECT_EQ(ZahyoMax, 3);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("K1"));
    EXPECT_DOUBLE_EQ(ZahyoH[1], 5.5);
    EXPECT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiOpenCount, 1);
    EXPECT_EQ(KakuchiName[1], QStringLiteral(" 地番1 "));  // as read, not trimmed
    EXPECT_EQ(KakuchiInfo[1], QString());
    EXPECT_EQ(KakuchiName[2], openFigureName());
    // vertex slots from 1
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 3);
    EXPECT_EQ(KakuchiFirst[2], 4);
    EXPECT_EQ(KakuchiLast[2], 5);
    EXPECT_EQ(KakuchiVertex[4], 3);
    EXPECT_EQ(ZahyoUsed[2], 1);
}

TEST_F(ClipboardParseTest, NameWithALinkedFileIsSplit)
{
    const QString path = QStringLiteral("C:/photos/") + QString(250, u'x');
    const ClipboardParse result = readSimaHandover(QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,P1") + QChar(15) + path
                                                   + QStringLiteral(",1,2,3,\r\nA01,2, P2 ,1,2,3,\r\n"));
    EXPECT_TRUE(result.linkSeen);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("P1"));
    EXPECT_EQ(ZahyoLink[1], path.left(200));
    EXPECT_EQ(ZahyoName[2], QStringLiteral("P2"));
    EXPECT_EQ(ZahyoLink[2], QString());
}

TEST_F(ClipboardParseTest, OnlyTheFirstTwentyMissingVerticesAreReported)
{
    QString text = QStringLiteral("Z00,NEW_SIMA,\r\nD00,1,P,1,\r\n");
    for (int i = 0; i < 25; ++i)
        text += QStringLiteral("B01,%1,X,\r\n").arg(100 + i);
    const QString first = missingCoordinateMessage(QStringLiteral("P"), QStringLiteral("100"), freeZahyoName());
    for (int i = 0; i < 20; ++i)
        script().expectMessage(platform::MsgResult::Ok);
    const ClipboardParse result = readSimaHandover(text);
    EXPECT_EQ(result.missingVertices, 25);
    EXPECT_EQ(script().records().size(), 20U);
    EXPECT_EQ(script().records().front().text, first);
    EXPECT_EQ(KakuchiLast[1], 0);  // no vertex: last slot one below the first
}

TEST_F(ClipboardParseTest, AnyFieldReadingAOneIsARecordHead)
{
    readSimaHandover(QStringLiteral("Z00,A01,7,T,1,2,3,\r\n"));
    EXPECT_EQ(ZahyoName[7], QStringLiteral("T"));
    EXPECT_EQ(ZahyoMax, 7);
}

TEST_F(ClipboardParseTest, HandoverNumbersOutsideTheirTablesAreRefused)
{
    script().expectMessage(platform::MsgResult::Ok, clipboardRefusedMessage(QStringLiteral("A01,500001")));
    const ClipboardParse result = readSimaHandover(
        QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,A,1,2,3,\r\nA01,500001,B,1,2,3,\r\nA01,2,C,1,2,3,\r\n"));
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(ZahyoMax, 1);
    EXPECT_EQ(ZahyoName[2], freeZahyoName());
}

// An X or Y that cannot be a plane coordinate would decide the site origin:
// the row or record is refused and the parse stops there.
TEST_F(ClipboardParseTest, CoordinatesThatCannotBePlaneCoordinatesAreRefused)
{
    for (const char* value : {"1D99", "-2E16", "10000000.5"}) {
        SCOPED_TRACE(value);
        const QString v = QString::fromLatin1(value);
        resetTables();
        script().expectMessage(platform::MsgResult::Ok, clipboardCoordinateRefusedMessage(v));
        ClipboardParse result = readTabPointRows(QStringLiteral("1\tA\t1\t2\r2\tB\t3\t") + v + QStringLiteral("\r3\tC\t5\t6\r"));
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(result.coordinates, 1);
        EXPECT_EQ(ZahyoName[2], freeZahyoName());
        EXPECT_EQ(ZahyoName[3], freeZahyoName());

        resetTables();
        script().expectMessage(platform::MsgResult::Ok,
                               clipboardCoordinateRefusedMessage(QStringLiteral("A01,2,B,") + v + QStringLiteral(",4")));
        result = readSimaHandover(QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,A,1,2,3,\r\nA01,2,B,") + v
                                  + QStringLiteral(",4,5,\r\nA01,3,C,1,2,3,\r\n"));
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(result.coordinates, 1);
        EXPECT_EQ(ZahyoName[2], freeZahyoName());
        EXPECT_EQ(ZahyoX[2], 0.0);
    }
}

TEST_F(ClipboardParseTest, ParcelBeyondTheSixteenBitCountIsRefused)
{
    KakuchiCount = kKakuchiCountLimit;
    script().expectMessage(platform::MsgResult::Ok, clipboardRefusedMessage(QStringLiteral("D00")));
    const ClipboardParse result = readSimaHandover(QStringLiteral("Z00,NEW_SIMA,\r\nD00,1,X,1,\r\n"));
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(KakuchiCount, kKakuchiCountLimit);
    EXPECT_EQ(KakuchiName[0], QString());
}

// ------------------------------------------------------- start-up in a mode

class ClipboardStartupTest : public AppTest {};

TEST_F(ClipboardStartupTest, PointRowsStartWithoutTheChooser)
{
    // a program folder with DAT files: not read in this mode
    ASSERT_TRUE(writeLines(programFolder() + QStringLiteral("/POINT.DAT"), {QStringLiteral("1,P,,0.00,0.00,2")}));
    clipboardText.setText(QStringLiteral("1\tP1\t100.5\t200.25\r\n2\tP2\t110\t210\r\n"));
    Plot& window = startProgram();

    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(StartMode, 1);
    EXPECT_EQ(SiteMode, 0);
    EXPECT_EQ(WembraOff, 1);
    EXPECT_TRUE(window.Command1.Visible());
    EXPECT_FALSE(window.Command23.Visible());
    EXPECT_FALSE(window.Timer2.Enabled());
    EXPECT_TRUE(clipboardText.text().isEmpty());
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(SiteFolder, programFolder() + u'/');
    EXPECT_DOUBLE_EQ(OriginX, 105.25);
    EXPECT_DOUBLE_EQ(OriginY, 205.125);
    EXPECT_DOUBLE_EQ(ZahyoPX[2], 110.0 - 105.25);
}

TEST_F(ClipboardStartupTest, SimaHandoverIsKeptAndWrittenToTheProgramFolder)
{
    const QString text = QStringLiteral(
        "Z00,NEW_SIMA,\r\nA01,1,K1,0.000,0.000,0,\r\nA01,2,K2,0.000,10.000,0,\r\nA01,3,K3,10.000,10.000,0,\r\n"
        "D00,1,1-1,1,\r\nB01,1,K1,\r\nB01,2,K2,\r\nB01,3,K3,\r\nD99,\r\nZ00,");
    clipboardText.setText(text);
    Plot& window = startProgram();

    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(StartMode, 2);
    EXPECT_EQ(SiteMode, 0);
    EXPECT_EQ(KeptSima, text);
    EXPECT_EQ(fileBytes(programFolder() + QStringLiteral("/ZAHYO.SIM")), cp932Lines({text}));
    EXPECT_TRUE(window.Command1.Visible());
    EXPECT_TRUE(window.Command23.Visible());
    EXPECT_EQ(window.Check17.Value(), 0);
    EXPECT_FALSE(window.Option32.Visible());
    // one closed parcel and no open figure: numbers and names are shown
    EXPECT_EQ(window.Check1.Value(), 1);
    EXPECT_EQ(window.Check2.Value(), 1);
    EXPECT_TRUE(window.Option5.Visible());
    EXPECT_TRUE(clipboardText.text().isEmpty());
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360"));
    EXPECT_EQ(KakuchiCount, 1);
}

TEST_F(ClipboardStartupTest, ElevationProfileHidesTheWebMapButtons)
{
    clipboardText.setText(QStringLiteral(
        "Z00,NEW_SIMA 地理院標高API,\r\nA01,1,0,0.000,0.000,10,\r\nA01,2,n_p_m,0.000,50.000,0,\r\n"
        "A01,3,100,0.000,100.000,12,\r\nD00,1,route,2,\r\nB01,1,,\r\nB01,3,,\r\nD99,\r\n"
        "A01,4,g1,-10,0,0,\r\nA01,5,g2,-10,100,0,\r\nA01,6,g3,-20,100,0,\r\n"
        "D00,2,grid,1,\r\nB01,4,,\r\nB01,5,,\r\nB01,6,,\r\nD99,\r\n"));
    Plot& window = startProgram();

    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360 地理院標高APIを使用した断面図"));
    EXPECT_FALSE(window.Frame8.Visible());
    EXPECT_FALSE(window.Command46.Visible());
    EXPECT_FALSE(window.Command56.Visible());
    EXPECT_FALSE(window.Command58.Visible());
    // one open route and one closed grid: names only
    EXPECT_EQ(window.Check1.Value(), 0);
    EXPECT_EQ(window.Check2.Value(), 1);
}

TEST_F(ClipboardStartupTest, LinkedFilesShowTheLinkOption)
{
    clipboardText.setText(QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,P1") + QChar(15)
                          + QStringLiteral("/photos/p1.jpg,0,0,0,\r\nA01,2,P2,5,5,0,\r\n"));
    Plot& window = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_TRUE(window.Option32.Visible());
    EXPECT_EQ(window.Check17.Value(), 1);
    EXPECT_EQ(ZahyoLink[1], QStringLiteral("/photos/p1.jpg"));
}

TEST_F(ClipboardStartupTest, TextOfNoModeLeadsToTheChooser)
{
    clipboardText.setText(QStringLiteral("just some words"));
    startWithoutASite(platform::MsgResult::No);
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
    EXPECT_EQ(clipboardText.text(), QStringLiteral("just some words"));
}

// A program folder that cannot take ZAHYO.SIM: said, and the hand-over is
// still shown.
TEST_F(ClipboardStartupTest, UnwritableProgramFolderCopyIsReported)
{
    ASSERT_TRUE(QDir().mkpath(programFolder() + QStringLiteral("/ZAHYO.SIM")));
    clipboardText.setText(QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,A,1,1,0,\r\nA01,2,B,2,2,0,\r\n"));
    script().expectMessage(platform::MsgResult::Ok,
                           programFolder() + QStringLiteral("/ZAHYO.SIM に書き込めませんでした"));
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 2);
}

}  // namespace
}  // namespace tavelcor::apptest
