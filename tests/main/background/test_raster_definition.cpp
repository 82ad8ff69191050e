// SPDX-License-Identifier: LicenseRef-Tavelcor
// Raster definition files (*.AR2): their lines read from bytes, and a file
// read into a raster slot, with the local copies of images on network
// storage.  The drive type is answered by the test.
#include "main/background/raster_definition.h"

#include "main/site/tables.h"
#include "platform/text/cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace tavelcor {
namespace {

QByteArray lines(const QStringList& rows, const char* end = "\r\n")
{
    QByteArray bytes;
    for (const QString& row : rows)
        bytes += platform::toCp932(row) + end;
    return bytes;
}

// ------------------------------------------------------------------ parsing

TEST(RasterDefinitionParse, ThreeLinesGiveThreeRowsInOrder)
{
    const auto parse = parseRasterDefinition(lines({QStringLiteral("a_0.png,-100.5,-200,-50,-150.25"),
                                                     QStringLiteral("b.png,1,2,3,4"),
                                                     QStringLiteral("地図.jpg,10,20,30,40")}));
    EXPECT_EQ(parse.fault, RasterDefinitionFault::None);
    ASSERT_EQ(parse.rows.size(), 3U);
    EXPECT_EQ(parse.rows[0].file, QStringLiteral("a_0.png"));
    EXPECT_DOUBLE_EQ(parse.rows[0].xMin, -100.5);
    EXPECT_DOUBLE_EQ(parse.rows[0].yMin, -200.0);
    EXPECT_DOUBLE_EQ(parse.rows[0].xMax, -50.0);
    EXPECT_DOUBLE_EQ(parse.rows[0].yMax, -150.25);
    EXPECT_EQ(parse.rows[2].file, QStringLiteral("地図.jpg")) << "the name is Shift-JIS";
    EXPECT_DOUBLE_EQ(parse.rows[2].yMax, 40.0);
}

TEST(RasterDefinitionParse, FieldsAfterTheFifthAreIgnored)
{
    const auto parse = parseRasterDefinition(lines({QStringLiteral("a.png,1,2,3,4,ignored,more")}));
    EXPECT_EQ(parse.fault, RasterDefinitionFault::None);
    ASSERT_EQ(parse.rows.size(), 1U);
    EXPECT_DOUBLE_EQ(parse.rows[0].yMax, 4.0);
}

TEST(RasterDefinitionParse, LineEndsOfEveryKindAndBlanksAroundNumbers)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const auto parse =
            parseRasterDefinition(lines({QStringLiteral("a.png, 1.5 ,2,3,4"), QStringLiteral("b.png,5,6,7,8")}, end));
        EXPECT_EQ(parse.fault, RasterDefinitionFault::None);
        ASSERT_EQ(parse.rows.size(), 2U);
        EXPECT_DOUBLE_EQ(parse.rows[0].xMin, 1.5);
    }
    const auto lastWithoutEnd = parseRasterDefinition(QByteArray("a.png,1,2,3,4\r\nb.png,5,6,7,8"));
    EXPECT_EQ(lastWithoutEnd.rows.size(), 2U);
}

TEST(RasterDefinitionParse, ABadLineEndsTheReadingWithTheRowsBefore)
{
    struct Row {
        const char* name;
        QString bad;
        RasterDefinitionFault fault;
    };
    const Row rows[] = {
        {"four fields", QStringLiteral("c.png,1,2,3"), RasterDefinitionFault::TooFewFields},
        {"empty line", QString(), RasterDefinitionFault::TooFewFields},
        {"a letter for a number", QStringLiteral("c.png,1,2,x,4"), RasterDefinitionFault::NotANumber},
        {"a number with a tail", QStringLiteral("c.png,1,2m,3,4"), RasterDefinitionFault::NotANumber},
        {"an empty number", QStringLiteral("c.png,1,,3,4"), RasterDefinitionFault::NotANumber},
        {"a number beyond double", QStringLiteral("c.png,1,2,3,1e999"), RasterDefinitionFault::NotANumber},
        {"parent folder", QStringLiteral("../x.bmp,1,2,3,4"), RasterDefinitionFault::NotABareName},
        {"subfolder", QStringLiteral("sub/x.bmp,1,2,3,4"), RasterDefinitionFault::NotABareName},
        {"backslash", QStringLiteral("sub\\x.bmp,1,2,3,4"), RasterDefinitionFault::NotABareName},
        {"absolute", QStringLiteral("/etc/x.bmp,1,2,3,4"), RasterDefinitionFault::NotABareName},
        {"no name", QStringLiteral(",1,2,3,4"), RasterDefinitionFault::NotABareName},
        {"dot dot", QStringLiteral("..,1,2,3,4"), RasterDefinitionFault::NotABareName},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto parse = parseRasterDefinition(lines(
            {QStringLiteral("a.png,1,2,3,4"), QStringLiteral("b.png,5,6,7,8"), row.bad, QStringLiteral("d.png,1,2,3,4")}));
        EXPECT_EQ(parse.fault, row.fault);
        EXPECT_EQ(parse.faultLine, 3);
        EXPECT_EQ(parse.rows.size(), 2U);
    }
}

TEST(RasterDefinitionParse, TenThousandLinesAreTheMostASlotHolds)
{
    QByteArray bytes;
    for (int i = 0; i < kRasterDefinitionMaxLines; ++i)
        bytes += "p" + QByteArray::number(i) + ".png,1,2,3,4\r\n";
    const auto full = parseRasterDefinition(bytes);
    EXPECT_EQ(full.fault, RasterDefinitionFault::None);
    EXPECT_EQ(full.rows.size(), 10000U);
    bytes += "one_more.png,1,2,3,4\r\n";
    const auto over = parseRasterDefinition(bytes);
    EXPECT_EQ(over.fault, RasterDefinitionFault::TooManyLines);
    EXPECT_EQ(over.faultLine, 10001);
    EXPECT_EQ(over.rows.size(), 10000U);
}

TEST(RasterDefinitionParse, EmptyBytesHaveNoRowAndNoFault)
{
    const auto parse = parseRasterDefinition(QByteArray());
    EXPECT_EQ(parse.fault, RasterDefinitionFault::None);
    EXPECT_TRUE(parse.rows.empty());
}

// ------------------------------------------------------------ reading files

class RasterDefinitionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        folder = dir.filePath(QStringLiteral("raster"));
        copies = dir.filePath(QStringLiteral("TVXTEMP"));
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder + u'/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // Image files img0.png .. img<n-1>.png (their bytes name them).
    void writeImages(int n) const
    {
        for (int i = 0; i < n; ++i)
            write(QStringLiteral("img%1.png").arg(i), "image " + QByteArray::number(i));
    }

    RasterFolderEnvironment drive(int type) const
    {
        RasterFolderEnvironment env;
        env.driveType = [this, type](const QString& asked) -> std::optional<int> {
            EXPECT_EQ(asked, folder);
            return type;
        };
        env.copyFolder = copies;
        return env;
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString folder;
    QString copies;
};

TEST_F(RasterDefinitionFile, ThreeLinesFillRowsZeroToTwoAndEmptyRowThree)
{
    HaikeiFile(1, 3) = QStringLiteral("left from before");
    HaikeiFile(1, 4) = QStringLiteral("kept");
    const QString def = write(QStringLiteral("site.AR2"),
                              lines({QStringLiteral("img0.png,-100,-200,-50,-150"), QStringLiteral("img1.png,1,2,3,4"),
                                     QStringLiteral("img2.png,5,6,7,8")}));
    EXPECT_EQ(ReadRasterDefinition(def, 1, drive(2)), RasterDefinitionFault::None);
    EXPECT_EQ(HaikeiFile(1, 0), folder + QStringLiteral("/img0.png"));
    EXPECT_EQ(HaikeiFile(1, 2), folder + QStringLiteral("/img2.png"));
    EXPECT_DOUBLE_EQ(HaikeiXMin(1, 0), -100.0);
    EXPECT_DOUBLE_EQ(HaikeiYMin(1, 0), -200.0);
    EXPECT_DOUBLE_EQ(HaikeiXMax(1, 0), -50.0);
    EXPECT_DOUBLE_EQ(HaikeiYMax(1, 0), -150.0);
    EXPECT_TRUE(HaikeiFile(1, 3).isEmpty());
    EXPECT_EQ(HaikeiFile(1, 4), QStringLiteral("kept")) << "rows past the end keep what they held";
    EXPECT_TRUE(HaikeiFile(0, 0).isEmpty()) << "other slots are untouched";
}

TEST_F(RasterDefinitionFile, ABadLineKeepsTheRowsBeforeAndEndsTheListThere)
{
    HaikeiFile(0, 1) = QStringLiteral("old1");
    HaikeiFile(0, 2) = QStringLiteral("old2");
    const QString def = write(QStringLiteral("bad.AR2"),
                              lines({QStringLiteral("img0.png,1,2,3,4"), QStringLiteral("img1.png,1,2,3"),
                                     QStringLiteral("img2.png,1,2,3,4")}));
    EXPECT_EQ(ReadRasterDefinition(def, 0, drive(2)), RasterDefinitionFault::TooFewFields);
    EXPECT_EQ(HaikeiFile(0, 0), folder + QStringLiteral("/img0.png"));
    EXPECT_TRUE(HaikeiFile(0, 1).isEmpty());
    EXPECT_EQ(HaikeiFile(0, 2), QStringLiteral("old2"));
}

TEST_F(RasterDefinitionFile, MoreThanTenThousandLinesFailWithoutWritingPastTheTable)
{
    QByteArray bytes;
    for (int i = 0; i <= kRasterDefinitionMaxLines; ++i)
        bytes += "p" + QByteArray::number(i) + ".png,1,2,3,4\r\n";
    HaikeiFile(2, kHaikeiRowTop) = QStringLiteral("end of the table");
    const QString def = write(QStringLiteral("huge.AR2"), bytes);
    EXPECT_EQ(ReadRasterDefinition(def, 2, drive(2)), RasterDefinitionFault::TooManyLines);
    EXPECT_EQ(HaikeiFile(2, 9999), folder + QStringLiteral("/p9999.png"));
    EXPECT_TRUE(HaikeiFile(2, kHaikeiRowTop).isEmpty()) << "the table's last row only ever ends the list";
}

TEST_F(RasterDefinitionFile, AnEmptyDefinitionLeavesTheEarlierRows)
{
    HaikeiFile(0, 0) = QStringLiteral("earlier.png");
    HaikeiFile(0, 1) = QStringLiteral("earlier2.png");
    const QString def = write(QStringLiteral("empty.AR2"), QByteArray());
    RasterFolderEnvironment unanswered = drive(3);
    unanswered.driveType = [](const QString&) { return std::nullopt; };
    EXPECT_EQ(ReadRasterDefinition(def, 0, unanswered), RasterDefinitionFault::None)
        << "with no image to place the drive is not asked about";
    EXPECT_EQ(HaikeiFile(0, 0), QStringLiteral("earlier.png"));
    EXPECT_EQ(HaikeiFile(0, 1), QStringLiteral("earlier2.png"));
}

TEST_F(RasterDefinitionFile, OnANetworkDriveAFolderOf99FilesIsCopiedAndOneOf100UsedInPlace)
{
    // The definition and 98 images: 99 files.
    writeImages(98);
    const QString def = write(QStringLiteral("net.AR2"), lines({QStringLiteral("img0.png,1,2,3,4"),
                                                                QStringLiteral("img97.png,5,6,7,8")}));
    ASSERT_EQ(QDir(folder).entryList(QDir::Files).size(), 99);
    EXPECT_EQ(ReadRasterDefinition(def, 0, drive(3)), RasterDefinitionFault::None);
    EXPECT_EQ(HaikeiFile(0, 0), copies + QStringLiteral("/img0.png"));
    EXPECT_EQ(HaikeiFile(0, 1), copies + QStringLiteral("/img97.png"));
    EXPECT_EQ(readAll(copies + QStringLiteral("/img97.png")), QByteArray("image 97"));

    write(QStringLiteral("img98.png"), "image 98");
    ASSERT_EQ(QDir(folder).entryList(QDir::Files).size(), 100);
    EXPECT_EQ(ReadRasterDefinition(def, 1, drive(3)), RasterDefinitionFault::None);
    EXPECT_EQ(HaikeiFile(1, 0), folder + QStringLiteral("/img0.png"));
}

TEST_F(RasterDefinitionFile, AFixedDriveUsesItsImagesInPlace)
{
    writeImages(2);
    const QString def = write(QStringLiteral("local.AR2"), lines({QStringLiteral("img1.png,1,2,3,4")}));
    EXPECT_EQ(ReadRasterDefinition(def, 0, drive(2)), RasterDefinitionFault::None);
    EXPECT_EQ(HaikeiFile(0, 0), folder + QStringLiteral("/img1.png"));
    EXPECT_FALSE(QFile::exists(copies));
}

TEST_F(RasterDefinitionFile, ImagesOfTheSameNamesReuseTheCopiesThere)
{
    writeImages(1);
    ASSERT_TRUE(QDir().mkpath(copies));
    QFile earlier(copies + QStringLiteral("/img0.png"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("copied from an earlier definition");
    earlier.close();
    const QString def = write(QStringLiteral("again.AR2"), lines({QStringLiteral("img0.png,1,2,3,4")}));
    EXPECT_EQ(ReadRasterDefinition(def, 2, drive(3)), RasterDefinitionFault::None);
    EXPECT_EQ(HaikeiFile(2, 0), copies + QStringLiteral("/img0.png"));
    EXPECT_EQ(readAll(copies + QStringLiteral("/img0.png")), QByteArray("copied from an earlier definition"));
}

TEST_F(RasterDefinitionFile, FailuresOfTheFileSystemFailTheReading)
{
    writeImages(1);
    const QString def = write(QStringLiteral("net.AR2"), lines({QStringLiteral("img0.png,1,2,3,4"),
                                                                QStringLiteral("missing.png,1,2,3,4")}));
    EXPECT_EQ(ReadRasterDefinition(def, 0, drive(3)), RasterDefinitionFault::CannotCopy)
        << "an image that cannot be copied";
    EXPECT_EQ(HaikeiFile(0, 0), copies + QStringLiteral("/img0.png"));
    EXPECT_TRUE(HaikeiFile(0, 1).isEmpty());

    RasterFolderEnvironment unanswered = drive(3);
    unanswered.driveType = [](const QString&) { return std::nullopt; };
    EXPECT_EQ(ReadRasterDefinition(def, 0, unanswered), RasterDefinitionFault::CannotRead);
    EXPECT_EQ(ReadRasterDefinition(folder + QStringLiteral("/none.AR2"), 0, drive(2)),
              RasterDefinitionFault::CannotRead);
    EXPECT_EQ(ReadRasterDefinition(dir.filePath(QStringLiteral("nowhere/x.AR2")), 0, drive(2)),
              RasterDefinitionFault::CannotRead);
    EXPECT_EQ(ReadRasterDefinition(def, 3, drive(2)), RasterDefinitionFault::CannotRead) << "slot 3 is no raster";
}

}  // namespace
}  // namespace tavelcor
