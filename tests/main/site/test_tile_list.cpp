// SPDX-License-Identifier: LicenseRef-Tavelcor
// The tile list: Eld.AR2 read from bytes (line ends, CP932, the 100000-line
// cap), written and read back, and the hash lookup following the table
// through appends, resets and in-place rewrites.
#include "main/site/tables.h"
#include "main/site/tile_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

class TileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        setTileCache({});
        WorkFolder = dir.path();
    }

    QByteArray readListFile() const
    {
        QFile file(dir.filePath(QStringLiteral("Eld.AR2")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
};

TEST_F(TileListTest, ParsesEveryLineEndAndKeepsEmptyNames)
{
    const struct {
        const char* name;
        QByteArray bytes;
        QStringList names;
    } rows[] = {
        {"CR LF", "a.png\r\nb.png\r\n", {"a.png", "b.png"}},
        {"LF alone", "a.png\nb.png", {"a.png", "b.png"}},
        {"CR alone", "a.png\rb.png\r", {"a.png", "b.png"}},
        {"empty line kept", "a.png\r\n\r\nb.png\r\n", {"a.png", "", "b.png"}},
        {"nothing", "", {}},
        {"CP932 name", "\x93\x8C.png\r\n", {QStringLiteral("東.png")}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(parseTileList(row.bytes), row.names) << row.name;
}

TEST_F(TileListTest, TakesAtMost100000Lines)
{
    QByteArray bytes;
    for (int i = 0; i < kTileCacheTop + 5; ++i)
        bytes += "t" + QByteArray::number(i) + "\r\n";
    const QStringList names = parseTileList(bytes);
    ASSERT_EQ(names.size(), kTileCacheTop);
    EXPECT_EQ(names.last(), QStringLiteral("t99999"));
}

TEST_F(TileListTest, WrittenListReadsBackAtStartUp)
{
    setTileCache({QStringLiteral("01164230051613.png"), QStringLiteral("Q01164230051613.png")});
    ASSERT_TRUE(writeTileList());
    EXPECT_EQ(readListFile(), "01164230051613.png\r\nQ01164230051613.png\r\n");
    setTileCache({});
    readTileList();
    ASSERT_EQ(TileCacheCount, 2);
    EXPECT_EQ(findTileName(QStringLiteral("Q01164230051613.png")), 2);
}

TEST_F(TileListTest, RebuildListsTheWorkFolderAndWritesTheFile)
{
    QFile tile(dir.filePath(QStringLiteral("x.png")));
    ASSERT_TRUE(tile.open(QIODevice::WriteOnly));
    tile.close();
    ASSERT_TRUE(rebuildTileList());
    EXPECT_GT(findTileName(QStringLiteral("x.png")), 0);
    EXPECT_TRUE(readListFile().contains("x.png\r\n"));
}

TEST_F(TileListTest, LookupIsExactAndFindsTheFirstEntry)
{
    setTileCache({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("a.png")});
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 1);
    EXPECT_EQ(findTileName(QStringLiteral("b.png")), 2);
    EXPECT_EQ(findTileName(QStringLiteral("A.PNG")), 0);
    EXPECT_EQ(findTileName(QStringLiteral("c.png")), 0);
}

TEST_F(TileListTest, LookupFollowsAppendsAndAFullListRefusesMore)
{
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 0);
    ASSERT_TRUE(appendTileName(QStringLiteral("a.png")));
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 1);
    // entries written straight into the table are seen too
    TileCache[2] = QStringLiteral("b.png");
    TileCacheCount = 2;
    EXPECT_EQ(findTileName(QStringLiteral("b.png")), 2);
    TileCacheCount = kTileCacheTop;
    EXPECT_FALSE(appendTileName(QStringLiteral("z.png")));
    EXPECT_EQ(TileCacheCount, kTileCacheTop);
}

// Entries beyond the count do not count, however the count came down (the
// clearing of the work folder sets it to 0).
TEST_F(TileListTest, EntriesBeyondTheCountAreNotFound)
{
    setTileCache({QStringLiteral("a.png"), QStringLiteral("b.png")});
    EXPECT_EQ(findTileName(QStringLiteral("b.png")), 2);
    TileCacheCount = 1;
    EXPECT_EQ(findTileName(QStringLiteral("b.png")), 0);
    TileCacheCount = 0;
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 0);
    resetTables();
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 0);
}

TEST_F(TileListTest, AnEntryRewrittenInPlaceIsLookedUpByItsNewName)
{
    setTileCache({QStringLiteral("a.png"), QStringLiteral("b.png")});
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 1);
    TileCache[1] = QStringLiteral("c.png");
    EXPECT_EQ(findTileName(QStringLiteral("a.png")), 0);
    EXPECT_EQ(findTileName(QStringLiteral("c.png")), 1);
}

}  // namespace
}  // namespace tavelcor
