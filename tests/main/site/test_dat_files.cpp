// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/dat_files.h"
#include "main/site/site_messages.h"
#include "site_test_support.h"

#include "broken_file.h"
#include "file_size_limit.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace tavelcor {
namespace {

using platform::MsgResult;

class DatFiles : public testsupport::SiteFileTest {};

// ---- reading ------------------------------------------------------------------

TEST_F(DatFiles, PointRowsGoToTheirOwnIndexes)
{
    OriginX = 1000.0;
    OriginY = -2000.0;
    writeSiteLines(QStringLiteral("POINT.DAT"),
                   {"3,境界①, 済 ,1234.56,-2100.25,2", "7, a  ,b,1000,-2000,105", "5,x,y,0,0,2.5"});
    ASSERT_EQ(readPointDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(PointCount, 7);
    EXPECT_EQ(PointName[3], QStringLiteral("境界①"));
    EXPECT_EQ(PointName2[3], QStringLiteral(" 済")) << "only trailing blanks go";
    EXPECT_DOUBLE_EQ(PointX[3], 234.56);
    EXPECT_DOUBLE_EQ(PointY[3], -100.25);
    EXPECT_EQ(PointMark[3], 2);
    EXPECT_EQ(PointName[7], QStringLiteral(" a"));
    EXPECT_EQ(PointMark[7], 105) << "a deleted point stays deleted";
    EXPECT_EQ(PointMark[5], 2) << "2.5 rounds to the even 2";
    for (int empty : {1, 2, 4, 6})
        EXPECT_EQ(PointMark[empty], 0) << empty;
}

TEST_F(DatFiles, PointCountOnlyGrows)
{
    PointCount = 10;
    writeSiteLines(QStringLiteral("POINT.DAT"), {"2,a,,0,0,1"});
    ASSERT_EQ(readPointDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(PointCount, 10);
}

TEST_F(DatFiles, LineRowsAreNumberedInFileOrder)
{
    OriginX = 10.0;
    OriginY = 20.0;
    writeSiteLines(QStringLiteral("LINE.DAT"), {"1,12,10,20,30,40", "2,3,0,0,1,1", "5,112,15,25,15,26"});
    ASSERT_EQ(readLineDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(LineNext, 4);
    EXPECT_EQ(LineColor[1], 12);
    EXPECT_DOUBLE_EQ(LineX1[1], 0.0);
    EXPECT_DOUBLE_EQ(LineY1[1], 0.0);
    EXPECT_DOUBLE_EQ(LineX2[1], 20.0);
    EXPECT_DOUBLE_EQ(LineY2[1], 20.0);
    EXPECT_EQ(LineColor[3], 112);
    EXPECT_DOUBLE_EQ(LineY2[3], 6.0);
}

// Lines loaded by another reader (a format-2000 set) are kept: LINE.DAT is
// not read at all.
TEST_F(DatFiles, LineFileIsNotReadOverLoadedLines)
{
    LineNext = 3;
    LineColor[1] = 7;
    writeSiteLines(QStringLiteral("LINE.DAT"), {"1,12,10,20,30,40", "bad,,,,,,,"});
    ASSERT_EQ(readLineDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(LineColor[1], 7);
}

TEST_F(DatFiles, TegakiRowsGoToTheirOwnIndexesInSinglePrecision)
{
    OriginX = 100000.0;
    writeSiteLines(QStringLiteral("TEGAKI.DAT"), {"2,1,12,100000.1,5.25", "4,3,12,100001.3,6", "3,0,9,1,1"});
    ASSERT_EQ(readTegakiDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(TegakiCount, 4);
    EXPECT_EQ(TegakiPen[2], 1);
    EXPECT_EQ(TegakiColor[2], 12);
    EXPECT_EQ(TegakiX[2], static_cast<float>(100000.1 - 100000.0));
    EXPECT_EQ(TegakiY[2], 5.25F);
    EXPECT_EQ(TegakiPen[3], 0);
    EXPECT_EQ(TegakiColor[3], 9);
}

TEST_F(DatFiles, TextRowsCloseGapsAndCollapseBlankRuns)
{
    OriginX = 1.0;
    writeSiteLines(QStringLiteral("TEXT.DAT"),
                   {" 1,      2.50,      3.00,  宅地   畑  , 12", " 2,  0,  0,   , 4", " 3,1,1,X,112"});
    ASSERT_EQ(readTextDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(TxtCount, 2);
    EXPECT_EQ(TxtString[1], QStringLiteral(" 宅地 畑 "));
    EXPECT_EQ(TxtX[1], 1.5F);
    EXPECT_EQ(TxtY[1], 3.0F);
    EXPECT_EQ(TxtColor[1], 12);
    EXPECT_EQ(TxtString[2], QStringLiteral("X")) << "the blank text row is dropped";
    EXPECT_EQ(TxtColor[2], 112);
}

TEST_F(DatFiles, FilesAreFoundWhateverTheCaseOfTheirNames)
{
    writeSiteLines(QStringLiteral("point.dat"), {"1,a,,0,0,1"});
    writeSiteLines(QStringLiteral("Text.Dat"), {" 1,0,0,t, 0"});
    ASSERT_EQ(readSiteDatFiles(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(PointCount, 1);
    EXPECT_EQ(TxtCount, 1);
}

TEST_F(DatFiles, MissingFilesAreNoError)
{
    EXPECT_EQ(readPointDat(SiteFolder), ReadOutcome::Missing);
    EXPECT_EQ(readLineDat(SiteFolder), ReadOutcome::Missing);
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(readSiteDatFiles(SiteFolder), ReadOutcome::Ok);
}

// One malformed or refused row and what the reader must do with it.
struct BadRow {
    const char* name;
    const char* file;
    ReadOutcome (*read)(const QString&);
    QString line;
    // The message shown, made from the file name and the line; none when the
    // row is passed over quietly.
    QString (*message)(const QString& fileName, QStringView line);
};

QString noMessage(const QString&, QStringView)
{
    return {};
}

void PrintTo(const BadRow& row, std::ostream* os)
{
    *os << row.name;
}

class DatBadRow : public DatFiles, public ::testing::WithParamInterface<BadRow> {};

TEST_P(DatBadRow, IsPassedOverOrStopsTheProgram)
{
    const BadRow row = GetParam();
    const QString file = QString::fromLatin1(row.file);
    const QString message = row.message(file, row.line);
    // A good row before and after: the one before stays read, nothing after
    // a stop is read.
    const QString good = file == u"TEXT.DAT"    ? QStringLiteral(" 1,0,0,before, 1")
                         : file == u"TEGAKI.DAT" ? QStringLiteral("1,1,1,0,0")
                                                 : QStringLiteral("1,1,before,0,0,1");
    const QString after = file == u"TEXT.DAT"    ? QStringLiteral(" 2,0,0,after, 1")
                          : file == u"TEGAKI.DAT" ? QStringLiteral("9,1,1,0,0")
                                                  : QStringLiteral("9,1,after,0,0,1");
    writeSiteLines(file, {good, row.line, after});
    if (!message.isEmpty())
        mScript->expectMessage(MsgResult::Ok, message);
    const ReadOutcome outcome = row.read(SiteFolder);
    EXPECT_EQ(outcome, message.isEmpty() ? ReadOutcome::Ok : ReadOutcome::StopProgram);
    const bool afterRead = PointCount == 9 || TegakiCount == 9 || TxtString[2] == u"after"
                           || LineNext == 3;
    EXPECT_EQ(afterRead, message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DatBadRow,
    ::testing::Values(
        BadRow{"PointExtraComma", "POINT.DAT", readPointDat, "2,a,b,c,0,0,1", extraCommaMessage},
        BadRow{"PointShortRow", "POINT.DAT", readPointDat, "2,a,0,0,1", noMessage},
        BadRow{"PointEmptyLine", "POINT.DAT", readPointDat, "", noMessage},
        BadRow{"PointIndexZero", "POINT.DAT", readPointDat, "0,a,,0,0,1", outOfRangeMessage},
        BadRow{"PointIndexPastTable", "POINT.DAT", readPointDat, "500001,a,,0,0,1", outOfRangeMessage},
        BadRow{"PointIndexNotANumber", "POINT.DAT", readPointDat, "x,a,,0,0,1", outOfRangeMessage},
        BadRow{"PointMarkPastByte", "POINT.DAT", readPointDat, "2,a,,0,0,256", outOfRangeMessage},
        BadRow{"PointMarkNegative", "POINT.DAT", readPointDat, "2,a,,0,0,-1", outOfRangeMessage},
        BadRow{"LineExtraComma", "LINE.DAT", readLineDat, "2,1,0,0,1,1,", extraCommaMessage},
        BadRow{"LineShortRow", "LINE.DAT", readLineDat, "2,1,0,0,1", noMessage},
        BadRow{"LineColourPastByte", "LINE.DAT", readLineDat, "2,300,0,0,1,1", outOfRangeMessage},
        BadRow{"TegakiExtraComma", "TEGAKI.DAT", readTegakiDat, "2,1,1,0,0,", extraCommaMessage},
        BadRow{"TegakiShortRow", "TEGAKI.DAT", readTegakiDat, "2,1,1,0", noMessage},
        BadRow{"TegakiIndexPastTable", "TEGAKI.DAT", readTegakiDat, "1000001,1,1,0,0", outOfRangeMessage},
        BadRow{"TegakiPenPastByte", "TEGAKI.DAT", readTegakiDat, "2,256,1,0,0", outOfRangeMessage},
        BadRow{"TegakiCoordinateBeyondSingle", "TEGAKI.DAT", readTegakiDat, "2,1,1,1e40,0", outOfRangeMessage},
        BadRow{"TextExtraComma", "TEXT.DAT", readTextDat, " 2,0,0,a,b, 1", extraCommaMessage},
        BadRow{"TextMissingComma", "TEXT.DAT", readTextDat, " 2,0,0,a", missingCommaMessage},
        BadRow{"TextEmptyLine", "TEXT.DAT", readTextDat, "", missingCommaMessage},
        BadRow{"TextColourPastByte", "TEXT.DAT", readTextDat, " 2,0,0,a, 256", outOfRangeMessage}),
    [](const ::testing::TestParamInfo<BadRow>& info) { return std::string(info.param.name); });

TEST_F(DatFiles, ExtraCommaMessageQuotesTheRow)
{
    EXPECT_EQ(extraCommaMessage(QStringLiteral("POINT.DAT"), u"1,a,b"),
              QStringLiteral("POINT.DATの「1,a,b」行データに余分なカンマ「,」が入っています。"
                             "エディタで直接修正してください。"));
    EXPECT_EQ(missingCommaMessage(QStringLiteral("TEXT.DAT"), u""),
              QStringLiteral("TEXT.DATの「」行データにカンマ「,」が不足しています。エディタで直接修正してください。"));
}

TEST_F(DatFiles, TheLastEntriesOfTheTablesAreTaken)
{
    writeSiteLines(QStringLiteral("POINT.DAT"), {"500000,last,,0,0,3"});
    writeSiteLines(QStringLiteral("TEGAKI.DAT"), {"1000000,3,1,0,0"});
    ASSERT_EQ(readPointDat(SiteFolder), ReadOutcome::Ok);
    ASSERT_EQ(readTegakiDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(PointName[500000], QStringLiteral("last"));
    EXPECT_EQ(TegakiCount, 1000000);
}

// A file with one row more than its table holds: that row stops the program
// with the table-full message, and the rows before it are all in.
struct OverflowRow {
    const char* name;
    const char* file;
    int top;                               // the last index of the table
    std::function<QString(int)> row;       // the file's row i
    ReadOutcome (*read)(const QString&);
    std::function<bool()> lastRowIsIn;     // row `top` reached the table
};

class DatOverflow : public DatFiles, public ::testing::WithParamInterface<OverflowRow> {};

TEST_P(DatOverflow, TheRowBeyondTheTableStopsTheProgram)
{
    const OverflowRow& r = GetParam();
    QStringList lines;
    for (int i = 1; i <= r.top + 1; ++i)
        lines.append(r.row(i));
    writeSiteLines(QString::fromLatin1(r.file), lines);
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(QString::fromLatin1(r.file), lines.last(), r.top));
    EXPECT_EQ(r.read(SiteFolder), ReadOutcome::StopProgram);
    EXPECT_TRUE(r.lastRowIsIn());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, DatOverflow,
    ::testing::Values(
        OverflowRow{"text_30001st_row", "TEXT.DAT", kTxtTop,
                    [](int i) { return QStringLiteral(" %1,0,0,t%1, 1").arg(i); }, &readTextDat,
                    [] { return TxtString[kTxtTop] == QStringLiteral("t30000"); }},
        OverflowRow{"line_500001st_row", "LINE.DAT", kLineTop,
                    [](int i) { return QStringLiteral("%1,1,0,0,1,1").arg(i); }, &readLineDat,
                    [] { return LineColor[kLineTop] == 1; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DatFiles, ReadingStopsAtTheFirstFileThatStopsTheProgram)
{
    writeSiteLines(QStringLiteral("POINT.DAT"), {"1,a,,0,0,1"});
    writeSiteLines(QStringLiteral("LINE.DAT"), {"1,1,0,0,1,1,9"});
    writeSiteLines(QStringLiteral("TEXT.DAT"), {" 1,0,0,t, 0"});
    mScript->expectMessage(MsgResult::Ok, extraCommaMessage(QStringLiteral("LINE.DAT"), u"1,1,0,0,1,1,9"));
    EXPECT_EQ(readSiteDatFiles(SiteFolder), ReadOutcome::StopProgram);
    EXPECT_EQ(PointCount, 1);
    EXPECT_EQ(TxtCount, 0);
}

// ---- files that cannot be read whole ----------------------------------------------

// A DAT file whose reading breaks off (a USB stick pulled out) or that
// cannot be opened stops the program with a message naming it, so that no
// half-read site is opened and saved over the whole files.
TEST_F(DatFiles, AFileThatCannotBeReadWholeStopsTheProgram)
{
    const struct {
        const char* name;
        ReadOutcome (*read)(const QString&);
        QStringList rows;
    } files[] = {
        {"POINT.DAT", readPointDat, {"1,a,,1000.00,2000.00,1", "2,b,,1010.00,2010.00,2", "3,c,,1020.00,2020.00,3"}},
        {"LINE.DAT", readLineDat, {"1,1,0,0,1,1", "2,2,0,0,2,2", "3,3,0,0,3,3"}},
        {"TEGAKI.DAT", readTegakiDat, {"1,1,1,0.00,0.00", "2,2,1,1.00,1.00", "3,3,1,2.00,2.00"}},
        {"TEXT.DAT", readTextDat, {" 1,      0.00,      0.00,a, 1", " 2,      1.00,      1.00,b, 1"}},
    };
    for (const auto& file : files) {
        for (const bool opens : {true, false}) {
            const QString name = QString::fromLatin1(file.name);
            SCOPED_TRACE(name.toStdString() + (opens ? ", breaks off" : ", cannot be opened"));
            resetKeepingFolders();
            writeSiteLines(name, file.rows);
            const QByteArray bytes = siteBytes(name);
            const BrokenFile broken(sitePath(name), opens ? std::optional<qint64>(bytes.size() / 2) : std::nullopt);
            mScript->expectMessage(MsgResult::Ok, opens ? readErrorMessage(name) : cannotOpenMessage(name));
            EXPECT_EQ(file.read(SiteFolder), ReadOutcome::StopProgram);
            EXPECT_EQ(broken.opens(), 1);
            EXPECT_EQ(siteBytes(name), bytes);
        }
    }
}

TEST_F(DatFiles, ReadingOfTheSiteEndsAtAFileThatBreaksOff)
{
    writeSiteLines(QStringLiteral("POINT.DAT"), {"1,a,,0,0,1", "2,b,,0,0,1"});
    writeSiteLines(QStringLiteral("TEXT.DAT"), {" 1,0,0,t, 0"});
    const BrokenFile broken(sitePath(QStringLiteral("POINT.DAT")), 12);
    mScript->expectMessage(MsgResult::Ok, readErrorMessage(QStringLiteral("POINT.DAT")));
    EXPECT_EQ(readSiteDatFiles(SiteFolder), ReadOutcome::StopProgram);
    EXPECT_EQ(TxtCount, 0);
}

// ---- writing ------------------------------------------------------------------

void fillPoints()
{
    OriginX = 1000.0;
    OriginY = -2000.0;
    PointCount = 3;
    PointName[1] = QStringLiteral("境界 ①");
    PointName2[1] = QStringLiteral("済 ");
    PointX[1] = 234.5678;
    PointY[1] = -100.004;
    PointMark[1] = 2;
    PointName[3] = QStringLiteral("a,b");
    PointName2[3] = QStringLiteral("　全角");
    PointMark[3] = 118;
    // Deleted points after the count: written while their mark is above 101.
    PointName[4] = QStringLiteral("x,y");
    PointMark[4] = 105;
    PointMark[5] = 112;
    PointMark[6] = 101;
    PointMark[7] = 110;
}

TEST_F(DatFiles, PointWriterRowsAreExact)
{
    fillPoints();
    ASSERT_EQ(writePointDat(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("POINT.DAT")),
              testsupport::cp932Lines({"1,境界①,済,1234.57,-2100.00,2", "3,ab,　全角,1000.00,-2000.00,118",
                                       "4,xy,,1000.00,-2000.00,105", "5,,,1000.00,-2000.00,112"}));
    // Commas leave the names of written points in the table too, but not of
    // the points after the count.
    EXPECT_EQ(PointName[3], QStringLiteral("ab"));
    EXPECT_EQ(PointName[4], QStringLiteral("x,y"));
    EXPECT_EQ(PointName[1], QStringLiteral("境界 ①")) << "blanks stay in the table";
}

TEST_F(DatFiles, BackupPointRowsIncludeEmptySlotsAndReadBackAlike)
{
    fillPoints();
    ASSERT_EQ(writePointDat(SiteFolder, PointRows::Backup).outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("POINT.DAT"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], QStringLiteral("2,,,1000.00,-2000.00,0"));
    resetKeepingFolders();
    OriginX = 1000.0;
    OriginY = -2000.0;
    ASSERT_EQ(readPointDat(SiteFolder), ReadOutcome::Ok);
    EXPECT_EQ(PointMark[2], 0);
    EXPECT_EQ(PointMark[5], 112);
    EXPECT_EQ(PointCount, 5);
}

TEST_F(DatFiles, LineWriterLeavesOutSegmentsWithoutLength)
{
    OriginX = 1.0;
    OriginY = 2.0;
    LineNext = 4;
    LineColor[1] = 12;
    LineX2[1] = 10.0;
    LineY2[1] = -10.005;
    LineX1[2] = 5.0;
    LineX2[2] = 5.0;
    LineColor[3] = 103;
    LineY2[3] = 1.0;
    ASSERT_EQ(writeLineDat(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("LINE.DAT")),
              QStringList({"1,12,1.00,2.00,11.00,-8.01", "3,103,1.00,2.00,1.00,3.00"}));
}

TEST_F(DatFiles, TegakiWriterWritesEveryVertex)
{
    OriginY = 0.5;
    TegakiCount = 2;
    TegakiPen[1] = 1;
    TegakiColor[1] = 12;
    TegakiX[1] = 1.25F;
    TegakiY[1] = -3.0F;
    ASSERT_EQ(writeTegakiDat(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("TEGAKI.DAT")),
              QStringList({"1,1,12,1.25,-2.50", "2,0,0,0.00,0.50"}));
}

TEST_F(DatFiles, TextWriterKeepsBlanksAndWidths)
{
    OriginX = 1000.0;
    TxtCount = 2;
    TxtX[1] = 234.567F;
    TxtY[1] = -12.0F;
    TxtString[1] = QStringLiteral("宅地 畑");
    TxtColor[1] = 12;
    TxtString[2] = QStringLiteral("a,b\r\nc");
    TxtColor[2] = 104;
    ASSERT_EQ(writeTextDat(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("TEXT.DAT")),
              QStringList({" 1,   1234.57,    -12.00,宅地 畑, 12", " 2,   1000.00,      0.00,a_b c, 104"}));
}

// The formatter keeps the rightmost 10 characters; a coordinate of eleven
// characters would lose its leading digit. The writers keep the number whole.
TEST_F(DatFiles, WritersNeverCutLongCoordinates)
{
    PointCount = 1;
    PointMark[1] = 2;
    PointX[1] = 12345678.9;
    PointY[1] = -1234567.891;
    TxtCount = 1;
    TxtString[1] = QStringLiteral("t");
    TxtX[1] = -1000000.0F;
    ASSERT_EQ(writePointDat(SiteFolder).outcome, WriteOutcome::Written);
    ASSERT_EQ(writeTextDat(SiteFolder).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("POINT.DAT")), QStringList({"1,,,12345678.90,-1234567.89,2"}));
    EXPECT_EQ(siteLines(QStringLiteral("TEXT.DAT")), QStringList({" 1,-1000000.00,      0.00,t, 0"}));
}

TEST_F(DatFiles, EmptyTablesLeaveTheOldFiles)
{
    const QByteArray old = testsupport::cp932Lines({"old"});
    for (const char* name : {"POINT.DAT", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT"})
        writeSiteBytes(QString::fromLatin1(name), old);
    EXPECT_EQ(writePointDat(SiteFolder).outcome, WriteOutcome::Skipped);
    EXPECT_EQ(writeLineDat(SiteFolder).outcome, WriteOutcome::Skipped);
    EXPECT_EQ(writeTegakiDat(SiteFolder).outcome, WriteOutcome::Skipped);
    EXPECT_EQ(writeTextDat(SiteFolder).outcome, WriteOutcome::Skipped);
    for (const char* name : {"POINT.DAT", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT"})
        EXPECT_EQ(siteBytes(QString::fromLatin1(name)), old) << name;
}

// A folder copied from Windows may hold "point.dat": the writer replaces that
// file instead of putting a second "POINT.DAT" beside it, which the reader
// might not pick.
TEST_F(DatFiles, WriterReplacesTheFileOfAnyCase)
{
    writeSiteLines(QStringLiteral("point.dat"), {"1,old,,0,0,1"});
    PointCount = 1;
    PointName[1] = QStringLiteral("new");
    PointMark[1] = 3;
    const WriteResult result = writePointDat(SiteFolder);
    ASSERT_EQ(result.outcome, WriteOutcome::Written);
    EXPECT_EQ(QFileInfo(result.path).fileName(), QStringLiteral("point.dat"));
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("POINT.DAT"))));
    EXPECT_EQ(siteLines(QStringLiteral("point.dat")), QStringList({"1,new,,0.00,0.00,3"}));
}

TEST_F(DatFiles, WriterFailureKeepsWhatIsThere)
{
    ASSERT_TRUE(QDir(mSite.path()).mkdir(QStringLiteral("TEGAKI.DAT")));
    TegakiCount = 1;
    const WriteResult result = writeTegakiDat(SiteFolder);
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(sitePath(QStringLiteral("TEGAKI.DAT"))).isDir());
    EXPECT_EQ(writePointDat(mSite.path() + QStringLiteral("/missing/")).outcome, WriteOutcome::Skipped);
    PointCount = 1;
    EXPECT_EQ(writePointDat(mSite.path() + QStringLiteral("/missing/")).outcome, WriteOutcome::Failed);
}

// The disk fills while the points are written: the save reports it and the
// old file stays whole, with no temporary file beside it.
TEST_F(DatFiles, AFullDiskKeepsTheOldFile)
{
    const QByteArray old = testsupport::cp932Lines({"1,old,,0.00,0.00,1"});
    writeSiteBytes(QStringLiteral("POINT.DAT"), old);
    PointCount = 200;
    for (int i = 1; i <= PointCount; ++i) {
        PointName[i] = QStringLiteral("P%1").arg(i);
        PointMark[i] = 1;
    }
    WriteResult result;
    {
        const testing_support::ScopedFileSizeLimit limit(1000);  // 200 rows are about 4 KB
        ASSERT_TRUE(limit.isActive());
        result = writePointDat(SiteFolder);
    }
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(siteBytes(QStringLiteral("POINT.DAT")), old);
    EXPECT_EQ(QDir(mSite.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("POINT.DAT")});
}

}  // namespace
}  // namespace tavelcor
