// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/parcel_attr_file.h"
#include "main/site/sima_file.h"
#include "main/site/site_messages.h"
#include "site_test_support.h"

#include "broken_file.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

using platform::MsgResult;

class SimaFile : public testsupport::SiteFileTest {
protected:
    ReadOutcome readZahyo(const QStringList& lines)
    {
        writeSiteLines(QStringLiteral("ZAHYO.SIM"), lines);
        return ReadSima(sitePath(QStringLiteral("ZAHYO.SIM")));
    }

    // The vertex numbers of parcel p in slot order.
    static QList<int> vertices(int p)
    {
        QList<int> v;
        for (int k = KakuchiFirst[p]; k <= KakuchiLast[p]; ++k)
            v.append(KakuchiVertex[k]);
        return v;
    }
};

TEST_F(SimaFile, ReadsCoordinatesWithTrimmedNamesAndLeadingNumbers)
{
    mScript->expectMessage(MsgResult::Ok, missingPositionMessage(QStringLiteral("ZAHYO.SIM"),
                                                                 {QStringLiteral("6行目「A01,12,short」")}, 1));
    ASSERT_EQ(readZahyo({"Z00,,", "G00,01,", "A00,", "A01,7, 境界① ,-12345.678,23456.789,12.345,",
                         "A01,3,　全角,.5,-.25,1e2,", "A01,12,short", "A99,"}),
              ReadOutcome::Ok);
    EXPECT_EQ(ZahyoName[7], QStringLiteral("境界①"));
    EXPECT_DOUBLE_EQ(ZahyoX[7], -12345.678);
    EXPECT_DOUBLE_EQ(ZahyoY[7], 23456.789);
    EXPECT_DOUBLE_EQ(ZahyoH[7], 12.345);
    // A full-width blank is an ordinary character, not trimmed.
    EXPECT_EQ(ZahyoName[3], QStringLiteral("　全角"));
    EXPECT_DOUBLE_EQ(ZahyoX[3], 0.5);
    EXPECT_DOUBLE_EQ(ZahyoY[3], -0.25);
    EXPECT_DOUBLE_EQ(ZahyoH[3], 100.0);
    // A record too short for its fields reads empty fields as "" and 0.
    EXPECT_EQ(ZahyoName[12], QStringLiteral("short"));
    EXPECT_DOUBLE_EQ(ZahyoX[12], 0.0);
    EXPECT_EQ(ZahyoMax, 12);
    EXPECT_EQ(ZahyoName[4], freeZahyoName());
    EXPECT_EQ(KakuchiCount, 0);
}

// A coordinate row without a number for X or Y is read with 0 there, as
// peers write blank fields; one message names the file and the rows, and the
// numbers are given back so that the view is not fitted to the made-up 0.
TEST_F(SimaFile, RowsWithoutXOrYAreReadAsZeroAndNamedInOneMessage)
{
    mScript->expectMessage(
        MsgResult::Ok,
        QStringLiteral("ZAHYO.SIMの次の行にX座標またはY座標の数値がありません。0として読み込みましたが、"
                       "全体表示の範囲には含めません。エディタで確認してください。"
                       "\r\n2行目「A01,150,150,-37050.1」\r\n3行目「A01,151,151,abc,-8000.000,0,」"
                       "\r\n5行目「A01,153,k153,,,5,」"));
    std::vector<std::int32_t> unplaced;
    writeSiteLines(QStringLiteral("ZAHYO.SIM"),
                   {"A00,", "A01,150,150,-37050.1", "A01,151,151,abc,-8000.000,0,",
                    "A01,152,k152,-37000.000,-8000.000,1.5,", "A01,153,k153,,,5,", "A01,154,k154,0,0,0,", "A99,"});
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM")), &unplaced), ReadOutcome::Ok);
    EXPECT_EQ(unplaced, (std::vector<std::int32_t>{150, 151, 153}));
    // read as before: the number there is taken, the missing one is 0
    EXPECT_EQ(ZahyoName[150], QStringLiteral("150"));
    EXPECT_DOUBLE_EQ(ZahyoX[150], -37050.1);
    EXPECT_DOUBLE_EQ(ZahyoY[150], 0.0);
    EXPECT_DOUBLE_EQ(ZahyoX[151], 0.0);
    EXPECT_DOUBLE_EQ(ZahyoY[151], -8000.0);
    EXPECT_DOUBLE_EQ(ZahyoH[153], 5.0);
    EXPECT_EQ(ZahyoMax, 154);
}

// The message names the first five rows and counts the others; a number
// that a later row places is no longer given back, one a later row leaves
// without X or Y is.
TEST_F(SimaFile, TheMessageNamesTheFirstFiveRowsAndALaterRowDecides)
{
    QStringList lines;
    QStringList named;
    for (int n = 1; n <= 7; ++n) {
        lines << QStringLiteral("A01,%1,p%1,100,").arg(n);
        if (n <= 5)
            named << QStringLiteral("%1行目「A01,%1,p%1,100,」").arg(n);
    }
    lines << QStringLiteral("A01,2,p2,100,200,0,") << QStringLiteral("A01,9,p9,1,2,3,")
          << QStringLiteral("A01,9,p9,1,,3,");
    const QString message = missingPositionMessage(QStringLiteral("ZAHYO.SIM"), named, 8);
    EXPECT_TRUE(message.endsWith(QStringLiteral("\r\nほか3行")));
    mScript->expectMessage(MsgResult::Ok, message);
    writeSiteLines(QStringLiteral("ZAHYO.SIM"), lines);
    std::vector<std::int32_t> unplaced;
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM")), &unplaced), ReadOutcome::Ok);
    EXPECT_EQ(unplaced, (std::vector<std::int32_t>{1, 3, 4, 5, 6, 7, 9}));
}

TEST_F(SimaFile, LaterRecordOfTheSameNumberOverwrites)
{
    ASSERT_EQ(readZahyo({"A01,2,a,1,2,3,", "A01,2,b,4,5,6,"}), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(ZahyoX[2], 4.0);
    EXPECT_EQ(ZahyoMax, 2);
}

struct FigureTypeRow {
    const char* type;
    bool closed;
};

void PrintTo(const FigureTypeRow& row, std::ostream* os)
{
    *os << "type \"" << row.type << '"';
}

class SimaFigureType : public SimaFile, public ::testing::WithParamInterface<FigureTypeRow> {};

// Only a type field that is exactly "1" after trimming keeps a parcel closed.
TEST_P(SimaFigureType, OnlyTypeOneIsClosed)
{
    const FigureTypeRow row = GetParam();
    ASSERT_EQ(readZahyo({"A01,1,p,0,0,0,", QStringLiteral("D00,9,筆1,%1,字東").arg(QLatin1String(row.type)),
                         "B01,1,p,"}),
              ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 1);
    EXPECT_EQ(KakuchiName[1], row.closed ? QStringLiteral("筆1") : openFigureName());
    EXPECT_EQ(KakuchiOpenCount, row.closed ? 0 : 1);
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral("字東"));
}

INSTANTIATE_TEST_SUITE_P(Types, SimaFigureType,
                         ::testing::Values(FigureTypeRow{"1", true}, FigureTypeRow{" 1 ", true},
                                           FigureTypeRow{"", false}, FigureTypeRow{"0", false},
                                           FigureTypeRow{"01", false}, FigureTypeRow{"2", false}));

TEST_F(SimaFile, ParcelsTakeVertexRunsAndMarkTheirCoordinates)
{
    ASSERT_EQ(readZahyo({"A01,1,a,0,0,0,", "A01,2,b,0,10,0,", "A01,3,c,10,10,0,", "Z00,,",
                         "D00,1,1-1,1, 字北 ", "B01,1,a,", "B01,2,b,", "B01,3", "D99,",
                         "F00,2,1-2,1,", "B01,3,c,", "B01,1,a,", "D99,",
                         "D00,3,empty,1,", "D99,", "Z00,"}),
              ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 3);
    EXPECT_EQ(vertices(1), QList<int>({1, 2, 3}));
    EXPECT_EQ(vertices(2), QList<int>({3, 1}));
    // The information text is kept untrimmed.
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral(" 字北 "));
    EXPECT_EQ(KakuchiName[2], QStringLiteral("1-2"));
    // A parcel without vertices ends one slot before it begins.
    EXPECT_EQ(KakuchiLast[3], KakuchiFirst[3] - 1);
    EXPECT_EQ(ZahyoUsed[1], 1);
    EXPECT_EQ(ZahyoUsed[3], 1);
}

TEST_F(SimaFile, EmptyInfoFieldLeavesInfoAsItWas)
{
    KakuchiInfo[1] = QStringLiteral("before");
    ASSERT_EQ(readZahyo({"D00,1,x,1,  "}), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral("before"));
}

TEST_F(SimaFile, VerticesBeforeTheFirstParcelTakeSlots)
{
    ASSERT_EQ(readZahyo({"A01,1,a,0,0,0,", "B01,1,a,", "B01,1,a,", "D00,1,p,1,", "B01,1,a,"}),
              ReadOutcome::Ok);
    EXPECT_EQ(KakuchiFirst[1], 2);
    EXPECT_EQ(KakuchiLast[1], 2);
}

// Parcels stored before the coordinates they use: every vertex is missing,
// the first 20 are reported, reading goes on (fixture of 25 such vertices).
TEST_F(SimaFile, MissingVerticesAreLeftOutAndTheFirstTwentyReported)
{
    copyFixture(QStringLiteral("sima_parcels_first"));
    QStringList expected;
    for (int n = 1; n <= 20; ++n) {
        const QString text = missingCoordinateMessage(QStringLiteral("筆①"), QString::number(n), freeZahyoName());
        mScript->expectMessage(MsgResult::Ok, text);
        expected.append(text);
    }
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("PARCELS_FIRST.SIM"))), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 1);
    EXPECT_TRUE(vertices(1).isEmpty());
    EXPECT_EQ(ZahyoMax, 25);
    EXPECT_EQ(expected.first(),
              QStringLiteral("筆①画地データに、座標ナンバー 1 を含んでいますが、座標データが有りませんので、"
                             "このポイントを無視しました_?>"));
}

TEST_F(SimaFile, MissingVertexMessageQuotesTheFieldAsWritten)
{
    mScript->expectMessage(MsgResult::Ok, missingCoordinateMessage(QStringLiteral("p"), QStringLiteral(" 08"),
                                                                   freeZahyoName()));
    ASSERT_EQ(readZahyo({"D00,1,p,1,", "B01, 08,x,"}), ReadOutcome::Ok);
}

// Vertex numbers outside the coordinate table are treated as missing
// coordinates instead of being looked up (number 0 is the scratch slot).
TEST_F(SimaFile, VertexNumbersOutsideTheTableAreMissing)
{
    for (const char* field : {"0", "-3", "500001", "abc"}) {
        mScript->expectMessage(MsgResult::Ok, missingCoordinateMessage(QStringLiteral("p"),
                                                                       QString::fromLatin1(field), freeZahyoName()));
    }
    ASSERT_EQ(readZahyo({"D00,1,p,1,", "B01,0,", "B01,-3,", "B01,500001,", "B01,abc,"}), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiLast[1], KakuchiFirst[1] - 1);
    EXPECT_EQ(ZahyoUsed[0], 0);
}

// A coordinate number outside 1..500000 is never stored: the file is refused
// and the program must stop.
TEST_F(SimaFile, CoordinateNumberOutsideTheTableStopsTheProgram)
{
    for (const char* number : {"0", "500001", "-1", "x"}) {
        resetKeepingFolders();
        const QString bad = QStringLiteral("A01,%1,p,1,2,3,").arg(QLatin1String(number));
        mScript->expectMessage(MsgResult::Ok, outOfRangeMessage(QStringLiteral("ZAHYO.SIM"), bad));
        EXPECT_EQ(readZahyo({"A01,4,ok,1,1,1,", bad, "A01,5,after,1,1,1,"}), ReadOutcome::StopProgram) << number;
        EXPECT_EQ(ZahyoName[4], QStringLiteral("ok"));
        EXPECT_EQ(ZahyoName[5], freeZahyoName()) << "nothing after the refused row is read";
        EXPECT_EQ(ZahyoMax, 4);
    }
}

// An X or Y that cannot be a plane coordinate decided the site origin at
// start-up and broke every saved value ("A01,9,,1D99" is the shortest such
// file): the row is refused with a message naming the file and the row. A
// height is no plane coordinate: any height is taken, and written back whole.
TEST_F(SimaFile, AnXOrYThatCannotBeAPlaneCoordinateStopsTheProgram)
{
    for (const char* bad : {"A01,9,,1D99", "A01,9,P,2E16,0,0,", "A01,9,P,0,-1E308,0,", "A01,9,P,10000000.001,0,0,"}) {
        SCOPED_TRACE(bad);
        resetKeepingFolders();
        mScript->expectMessage(MsgResult::Ok, outOfRangeMessage(QStringLiteral("ZAHYO.SIM"), QString::fromLatin1(bad)));
        EXPECT_EQ(readZahyo({"A01,4,ok,1,1,1,", bad, "A01,5,after,1,1,1,"}), ReadOutcome::StopProgram);
        EXPECT_EQ(ZahyoName[9], freeZahyoName());
        EXPECT_EQ(ZahyoMax, 4);
    }
    resetKeepingFolders();
    ASSERT_EQ(readZahyo({"A01,1,edge,-10000000,10000000,-1D99,"}), ReadOutcome::Ok);
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("A.SIM"))).outcome, WriteOutcome::Written);
    resetKeepingFolders();
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("A.SIM"))), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoX[1], -10000000.0);
    EXPECT_EQ(ZahyoY[1], 10000000.0);
    EXPECT_EQ(ZahyoH[1], -1e99);
}

TEST_F(SimaFile, TheLastCoordinateNumberIsTaken)
{
    ASSERT_EQ(readZahyo({"A01,500000,last,1,2,3,"}), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoName[500000], QStringLiteral("last"));
    EXPECT_EQ(ZahyoMax, 500000);
}

TEST_F(SimaFile, The32768thParcelStopsTheProgram)
{
    QStringList lines;
    for (int p = 1; p <= kKakuchiCountLimit + 1; ++p)
        lines.append(QStringLiteral("D00,%1,p%1,1,").arg(p));
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(QStringLiteral("ZAHYO.SIM"), lines.last(),
                                                           kKakuchiCountLimit));
    ASSERT_EQ(readZahyo(lines), ReadOutcome::StopProgram);
    EXPECT_EQ(KakuchiCount, kKakuchiCountLimit);
    EXPECT_EQ(KakuchiName[kKakuchiCountLimit], QStringLiteral("p32767"));
}

TEST_F(SimaFile, AVertexBeyondTheLastSlotStopsTheProgram)
{
    QStringList lines{"A01,1,a,0,0,0,", "D00,1,p,1,"};
    for (int k = 0; k <= kKakuchiVertexTop; ++k)
        lines.append(QStringLiteral("B01,1,a,"));
    lines.append(QStringLiteral("B01,1,one too many,"));
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(QStringLiteral("ZAHYO.SIM"), lines.last(),
                                                           kKakuchiVertexTop + 1));
    ASSERT_EQ(readZahyo(lines), ReadOutcome::StopProgram);
    EXPECT_EQ(KakuchiLast[1], kKakuchiVertexTop);
}

TEST_F(SimaFile, MissingFileChangesNothing)
{
    EXPECT_EQ(ReadSima(sitePath(QStringLiteral("NONE.SIM"))), ReadOutcome::Missing);
    EXPECT_EQ(ZahyoMax, 0);
}

// A SIMA file whose reading breaks off stops the program with a message
// naming it; one that cannot be opened is Missing without a word (start-up
// says so itself).
TEST_F(SimaFile, AFileThatBreaksOffStopsTheProgram)
{
    copyFixture(QStringLiteral("sima_attributes"));
    const QString path = sitePath(QStringLiteral("ZAHYO.SIM"));
    {
        const BrokenFile broken(path, testsupport::fileBytes(path).size() / 2);
        mScript->expectMessage(MsgResult::Ok, readErrorMessage(QStringLiteral("ZAHYO.SIM")));
        EXPECT_EQ(ReadSima(path), ReadOutcome::StopProgram);
    }
    resetKeepingFolders();
    {
        const BrokenFile broken(path, std::nullopt);
        EXPECT_EQ(ReadSima(path), ReadOutcome::Missing);
        EXPECT_EQ(ZahyoMax, 0);
    }
}

// The parcel attribute file read after the SIMA file is read whole or the
// program stops: half a file would leave later parcels without attributes.
TEST_F(SimaFile, AnAttributeFileThatCannotBeReadWholeStopsTheProgram)
{
    copyFixture(QStringLiteral("sima_attributes"));
    const QString attributes = sitePath(QStringLiteral("画地属性.TXT"));
    for (const bool opens : {true, false}) {
        SCOPED_TRACE(opens ? "breaks off" : "cannot be opened");
        resetKeepingFolders();
        const BrokenFile broken(attributes, opens ? std::optional<qint64>(testsupport::fileBytes(attributes).size() / 2)
                                                  : std::nullopt);
        mScript->expectMessage(MsgResult::Ok, opens ? readErrorMessage(QStringLiteral("画地属性.TXT"))
                                                    : cannotOpenMessage(QStringLiteral("画地属性.TXT")));
        EXPECT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM"))), ReadOutcome::StopProgram);
    }
}

// ---- parcel attribute file -------------------------------------------------

TEST_F(SimaFile, AttributeLinesMatchNamesWithoutV1AndEveryParcelOfAName)
{
    copyFixture(QStringLiteral("sima_attributes"));
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM"))), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 5);
    // "12-1V1" matches the line "12-1"; the name keeps its "V1".
    EXPECT_EQ(KakuchiName[1], QStringLiteral("12-1V1"));
    EXPECT_EQ(KakuchiAttr(1, 1), QStringLiteral("12-1"));
    EXPECT_EQ(KakuchiAttr(1, 2), QStringLiteral("宅地"));
    EXPECT_EQ(KakuchiAttr(2, 2), QStringLiteral("宅地")) << "a second parcel 12-1 takes the line too";
    // Field 1 is trimmed; the other fields are not.
    EXPECT_EQ(KakuchiAttr(3, 1), QStringLiteral("15"));
    EXPECT_EQ(KakuchiAttr(3, 2), QStringLiteral(" 畑 "));
    // A line of 45 fields fills columns 1..40; the rest has no column.
    EXPECT_EQ(KakuchiAttr(4, 40), QStringLiteral("c40"));
    EXPECT_EQ(KakuchiAttr(4, 39), QStringLiteral("c39"));
    // A parcel no line names has no attributes.
    EXPECT_TRUE(KakuchiAttr(5, 1).isEmpty());
    EXPECT_EQ(kakuchiAttrRowCount(), 4);
}

TEST_F(SimaFile, AttributeFileIsFoundWhateverTheCaseOfItsName)
{
    for (const QString& name : {QStringLiteral("画地属性.TXT"), QStringLiteral("画地属性.txt"),
                               QStringLiteral("画地属性.Txt")}) {
        resetKeepingFolders();
        QDir(mSite.path()).removeRecursively();
        QDir().mkpath(mSite.path());
        writeSiteLines(name, {"x,a,b"});
        ASSERT_EQ(readZahyo({"D00,1,x,1,"}), ReadOutcome::Ok);
        EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("b")) << name.toStdString();
    }
}

TEST_F(SimaFile, LaterAttributeColumnsStayWhenALineIsShort)
{
    KakuchiCount = 1;
    KakuchiName[1] = QStringLiteral("x");
    setKakuchiAttr(1, 5, QStringLiteral("kept"));
    writeSiteLines(QStringLiteral("画地属性.txt"), {"x,new", "", "nobody,z"});
    ASSERT_EQ(readParcelAttributes(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 2), QStringLiteral("new"));
    EXPECT_EQ(KakuchiAttr(1, 5), QStringLiteral("kept"));
}

// ---- ZAHYO.SIM writer ---------------------------------------------------------

void fillSmallSite()
{
    ZahyoMax = 5;
    ZahyoName[1] = QStringLiteral("境界①");
    ZahyoX[1] = -12345.678;
    ZahyoY[1] = 23456.7891;
    ZahyoH[1] = 12.3456;
    ZahyoName[3] = QStringLiteral("T1_?_");
    ZahyoName[4] = QStringLiteral("n_p_m");
    ZahyoName[5] = QStringLiteral(" K5 ");
    ZahyoY[5] = 0.0004;
    ZahyoH[5] = -1.5;
    KakuchiCount = 2;
    KakuchiName[1] = QStringLiteral("1-2");
    KakuchiInfo[1] = QStringLiteral(" 字上 ");
    KakuchiName[2] = openFigureName();
    KakuchiVertex[0] = 1;
    KakuchiVertex[1] = 5;
    KakuchiVertex[2] = 5;
    KakuchiVertex[3] = 1;
    KakuchiFirst[1] = 0;
    KakuchiLast[1] = 1;
    KakuchiFirst[2] = 2;
    KakuchiLast[2] = 3;
}

TEST_F(SimaFile, WriterLayoutIsExact)
{
    fillSmallSite();
    const WriteResult result = writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM")));
    ASSERT_EQ(result.outcome, WriteOutcome::Written) << result.error.toStdString();
    EXPECT_EQ(siteBytes(QStringLiteral("ZAHYO.SIM")),
              testsupport::cp932Lines({"Z00,,", "G00,01,", "A00,",
                                       "A01,1,境界①,-12345.678,23456.789,12.346,",
                                       "A01,5,K5,0.000,0.000,-1.500,", "A99,", "Z00,,",
                                       "D00,1,1-2,1,字上", "B01,1,境界①,", "B01,5,K5,", "D99,",
                                       "D00,2,type open,2,", "B01,5,K5,", "B01,1,境界①,", "D99,", "Z00,"}));
}

TEST_F(SimaFile, WriterWithoutParcelsEndsAfterTheCoordinates)
{
    ZahyoMax = 1;
    ZahyoName[1] = QStringLiteral("a");
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM"))).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("ZAHYO.SIM")),
              QStringList({"Z00,,", "G00,01,", "A00,", "A01,1,a,0.000,0.000,0.000,", "A99,", "Z00,,"}));
}

// A comma or a line break in a name or an info text would split the record
// on reading: the writer makes them "_" and a blank.
TEST_F(SimaFile, WriterKeepsEveryNameOneField)
{
    ZahyoMax = 1;
    ZahyoName[1] = QStringLiteral("a,b\r\nc");
    KakuchiCount = 1;
    KakuchiName[1] = QStringLiteral("p,1");
    KakuchiInfo[1] = QStringLiteral("字,上\n");
    KakuchiVertex[0] = 1;
    KakuchiFirst[1] = 0;
    KakuchiLast[1] = 0;
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM"))).outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("ZAHYO.SIM"));
    EXPECT_EQ(lines[3], QStringLiteral("A01,1,a_b c,0.000,0.000,0.000,"));
    EXPECT_EQ(lines[6], QStringLiteral("D00,1,p_1,1,字_上"));
    EXPECT_EQ(lines[7], QStringLiteral("B01,1,a_b c,"));
}

// The bare formatter keeps the rightmost 8 characters of a height: -12345.678
// would lose its sign and first digit. The writer keeps the whole number.
TEST_F(SimaFile, WriterNeverCutsLongNumbers)
{
    ZahyoMax = 1;
    ZahyoName[1] = QStringLiteral("far");
    ZahyoX[1] = -1234567.891;
    ZahyoH[1] = -12345.678;
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM"))).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("ZAHYO.SIM"))[3], QStringLiteral("A01,1,far,-1234567.891,0.000,-12345.678,"));
    resetKeepingFolders();
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM"))), ReadOutcome::Ok);
    EXPECT_DOUBLE_EQ(ZahyoX[1], -1234567.891);
    EXPECT_DOUBLE_EQ(ZahyoH[1], -12345.678);
}

TEST_F(SimaFile, WrittenNamesTable)
{
    EXPECT_TRUE(isWrittenZahyoName(u"A-1"));
    EXPECT_TRUE(isWrittenZahyoName(u""));
    EXPECT_TRUE(isWrittenZahyoName(u" _?> "));
    EXPECT_FALSE(isWrittenZahyoName(u"_?>"));
    EXPECT_FALSE(isWrittenZahyoName(u"P12_?_"));
    EXPECT_FALSE(isWrittenZahyoName(u"n_p_m"));
}

TEST_F(SimaFile, WriteReadWriteIsByteIdentical)
{
    fillSmallSite();
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("A.SIM"))).outcome, WriteOutcome::Written);
    resetKeepingFolders();
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("A.SIM"))), ReadOutcome::Ok);
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("B.SIM"))).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("A.SIM")), siteBytes(QStringLiteral("B.SIM")));
}

// Temporary and profile coordinates are not saved: a parcel vertex on one of
// them is reported missing when the file is read again.
TEST_F(SimaFile, AVertexOnAnUnsavedCoordinateIsMissingAfterReading)
{
    ZahyoMax = 2;
    ZahyoName[1] = QStringLiteral("a");
    ZahyoName[2] = QStringLiteral("計算_?_");
    KakuchiCount = 1;
    KakuchiName[1] = QStringLiteral("p");
    KakuchiVertex[0] = 1;
    KakuchiVertex[1] = 2;
    KakuchiFirst[1] = 0;
    KakuchiLast[1] = 1;
    ASSERT_EQ(writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM"))).outcome, WriteOutcome::Written);
    resetKeepingFolders();
    mScript->expectMessage(MsgResult::Ok, missingCoordinateMessage(QStringLiteral("p"), u"2", freeZahyoName()));
    ASSERT_EQ(ReadSima(sitePath(QStringLiteral("ZAHYO.SIM"))), ReadOutcome::Ok);
    EXPECT_EQ(vertices(1), QList<int>({1}));
}

// ---- parcel attribute writer ------------------------------------------------------

class ParcelAttributes : public SimaFile {
protected:
    void SetUp() override
    {
        SimaFile::SetUp();
        KakuchiCount = 3;
        KakuchiName[1] = QStringLiteral("1");
        KakuchiName[2] = QStringLiteral("12-3V1");
        KakuchiName[3] = QStringLiteral("14");
    }
};

TEST_F(ParcelAttributes, WritesNameAndColumnsTwoToSeven)
{
    setKakuchiAttr(1, 1, QStringLiteral("1"));
    setKakuchiAttr(1, 2, QStringLiteral("宅地"));
    setKakuchiAttr(1, 7, QStringLiteral("120㎡"));
    setKakuchiAttr(3, 3, QStringLiteral(" a,b "));
    ASSERT_EQ(writeParcelAttributes(SiteFolder).outcome, WriteOutcome::Written);
    // The name is written as the reader matches it, without "V1"; texts are
    // not trimmed, commas become "_".
    EXPECT_EQ(siteLines(QStringLiteral("画地属性.txt")),
              QStringList({"1,宅地,,,,,120㎡", "12-3,,,,,,", "14,, a_b ,,,,"}));
}

// The save-as into a new folder must not drop columns 8 to 40 that the site
// read from its attribute file.
TEST_F(ParcelAttributes, KeepsColumnsBeyondSevenUpToTheLastOneWithText)
{
    setKakuchiAttr(1, 1, QStringLiteral("1"));
    setKakuchiAttr(3, 1, QStringLiteral("14"));
    setKakuchiAttr(3, 9, QStringLiteral("九"));
    ASSERT_EQ(writeParcelAttributes(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("画地属性.txt"))[2], QStringLiteral("14,,,,,,,,九"));
}

// The first parcel may lack attributes while later ones have them.
TEST_F(ParcelAttributes, AnyParcelWithAnAttributeRowGetsTheFileWritten)
{
    setKakuchiAttr(2, 1, QStringLiteral("12-3"));
    setKakuchiAttr(2, 2, QStringLiteral("畑"));
    ASSERT_EQ(writeParcelAttributes(SiteFolder).outcome, WriteOutcome::Written);
    resetKeepingFolders();
    ASSERT_EQ(readZahyo({"D00,1,1,1,", "D00,2,12-3V1,1,", "D00,3,14,1,"}), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(2, 2), QStringLiteral("畑"));
}

TEST_F(ParcelAttributes, AnExistingFileIsNeverReplaced)
{
    setKakuchiAttr(1, 1, QStringLiteral("1"));
    writeSiteLines(QStringLiteral("画地属性.TXT"), {"kept"});
    EXPECT_EQ(writeParcelAttributes(SiteFolder).outcome, WriteOutcome::Skipped);
    EXPECT_EQ(siteLines(QStringLiteral("画地属性.TXT")), QStringList({"kept"}));
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("画地属性.txt"))));
}

TEST_F(ParcelAttributes, NothingIsWrittenWithoutAttributes)
{
    EXPECT_EQ(writeParcelAttributes(SiteFolder).outcome, WriteOutcome::Skipped);
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("画地属性.txt"))));
}

TEST_F(SimaFile, WriterFailureIsReported)
{
    ASSERT_TRUE(QDir(mSite.path()).mkdir(QStringLiteral("ZAHYO.SIM")));  // a folder in the way
    ZahyoMax = 1;
    ZahyoName[1] = QStringLiteral("a");
    const WriteResult result = writeZahyoSim(sitePath(QStringLiteral("ZAHYO.SIM")));
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(sitePath(QStringLiteral("ZAHYO.SIM"))).isDir());
}

}  // namespace
}  // namespace tavelcor
