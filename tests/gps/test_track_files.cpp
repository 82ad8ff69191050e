// SPDX-License-Identifier: LicenseRef-Tavelcor
// Track file ring, the three track save types and the one-point file, byte
// for byte (CP932, CR LF).
#include "gps/track_files.h"
#include "nmea_helpers.h"

#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbela::SaveType;
using orbela::Track;

// CP932 bytes of "ルート".
const QByteArray kRoute = QByteArray::fromHex("838b815b8367");

Track twoPointTrack()
{
    Track track;
    track.add(123.456, -234.5, 0.5f, QStringLiteral(" 9:05:07"));
    track.add(-0.25, 100, -12.25f, QStringLiteral(" 23:59:59"));
    return track;
}

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(TrackSima, RecordsOfTwoPointsWithTheRoute)
{
    const QByteArray expected = "Z00,,\r\nG00,01,\r\nA00,\r\n"
                                "A01,1,9:05:07,123.456,-234.5,.5,\r\n"
                                "A01,2,23:59:59,-.25,100,-12.25,\r\n"
                                "A99,\r\nZ00,,\r\n"
                                "D00,1," + kRoute + ",2,\r\n"
                                "B01,1,9:05:07\r\n"
                                "B01,2,23:59:59\r\n"
                                "D99,\r\nZ00,,\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sim"));
    ASSERT_TRUE(orbela::saveTrack(path, twoPointTrack(), SaveType::Sima));
    EXPECT_EQ(gpstest::fileBytes(path), expected);
}

TEST(TrackSima, OnePointHasNoRoute)
{
    Track track;
    track.add(1, 2, 3, QStringLiteral("0:00:00"));
    EXPECT_EQ(orbela::trackSimaLines(track),
              QStringList({"Z00,,", "G00,01,", "A00,", "A01,1,0:00:00,1,2,3,", "A99,", "Z00,,"}));
}

TEST(TrackSima, TheExampleRecordOfPointSeven)
{
    Track track;
    for (int i = 1; i <= 6; ++i)
        track.add(i, 0, 0, QStringLiteral("t"));
    track.add(123.456, -234.5, 0.5f, QStringLiteral(" 9:05:07"));
    EXPECT_EQ(orbela::trackSimaLines(track).at(9), QStringLiteral("A01,7,9:05:07,123.456,-234.5,.5,"));
}

TEST(TrackSave, TypeOneAndTypeTwoWritePlainNumbers)
{
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one.csv"));
    const QString two = dir.filePath(QStringLiteral("two.csv"));
    ASSERT_TRUE(orbela::saveTrack(one, twoPointTrack(), SaveType::Type1));
    ASSERT_TRUE(orbela::saveTrack(two, twoPointTrack(), SaveType::Type2));
    EXPECT_EQ(gpstest::fileBytes(one), QByteArray("1,123.456,-234.5,,20\r\n2,-0.25,100,,20\r\n"));
    EXPECT_EQ(gpstest::fileBytes(two), QByteArray("123.456,-234.5,9:05:07\r\n-0.25,100,23:59:59\r\n"));
}

TEST(TrackSave, AFileThatCannotBeWrittenLeavesTheOldOne)
{
    QTemporaryDir dir;
    EXPECT_FALSE(orbela::saveTrack(dir.filePath(QStringLiteral("no/such/folder/a.sim")), twoPointTrack(),
                                   SaveType::Sima));
    EXPECT_FALSE(orbela::saveTrack(QString(), twoPointTrack(), SaveType::Sima));

    // An old track whose new one meets a full disk half-way (the new file
    // has about 150 bytes) stays as it was.
    const QString old = dir.filePath(QStringLiteral("a.sim"));
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write("Z00,,\r\n"), 7);
    }
    {
        const testing_support::ScopedFileSizeLimit limit(40);
        ASSERT_TRUE(limit.isActive());
        EXPECT_FALSE(orbela::saveTrack(old, twoPointTrack(), SaveType::Sima));
    }
    EXPECT_EQ(gpstest::fileBytes(old), QByteArray("Z00,,\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.sim")});
}

struct RingCase {
    const char* legend;
    std::vector<int> present;  // ORBELATMP<n>.SIM present before the write
    int written;
    int deleted;  // the file after the gap, gone afterwards
};

const RingCase kRing[] = {
    {"empty folder", {}, 1, 2},
    {"1 to 4 present", {1, 2, 3, 4}, 5, 6},
    {"1 to 4 and 6 present", {1, 2, 3, 4, 6}, 5, 6},
    {"all ten present", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 1, 2},
    {"only 10 missing", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 10, 11},
    {"a gap at 3 after a wrap", {1, 2, 4, 5, 6, 7, 8, 9, 10}, 3, 4},
};

TEST(TrackFileRing, FillsTheGapAndOpensTheNext)
{
    for (const RingCase& c : kRing) {
        QTemporaryDir dir;
        for (int n : c.present)
            touch(orbela::trackFilePath(dir.path(), n));
        touch(orbela::trackFilePath(dir.path(), 11));  // never part of the ring
        const QString written = orbela::WriteTrackFile(dir.path(), twoPointTrack());
        EXPECT_EQ(written, orbela::trackFilePath(dir.path(), c.written)) << c.legend;
        EXPECT_EQ(gpstest::fileBytes(written).left(6), QByteArray("Z00,,\r")) << c.legend;
        EXPECT_FALSE(QFile::exists(orbela::trackFilePath(dir.path(), c.deleted))) << c.legend;
        for (int n : c.present) {
            if (n != c.written && n != c.deleted) {
                EXPECT_EQ(gpstest::fileBytes(orbela::trackFilePath(dir.path(), n)), QByteArray())
                    << c.legend << " file " << n << " untouched";
            }
        }
    }
}

TEST(TrackFileRing, NamesAreUpperCase)
{
    EXPECT_EQ(QFileInfo(orbela::trackFilePath(QStringLiteral("/p"), 10)).fileName(),
              QStringLiteral("ORBELATMP10.SIM"));
}

TEST(TrackFileRing, AnUnwritableFolderIsReportedByAnEmptyPath)
{
    QTemporaryDir dir;
    EXPECT_TRUE(orbela::WriteTrackFile(dir.filePath(QStringLiteral("missing")), twoPointTrack()).isEmpty());
}

struct PointCase {
    SaveType type;
    QByteArray expected;
};

TEST(PointFile, HoldsOnlyTheLastPointUnderTheRunningNumber)
{
    const PointCase cases[] = {
        {SaveType::Sima, "Z00,,\r\nG00,01,\r\nA00,\r\nA01,2,9:05:30,-123.5,234.6,45.1,\r\nA99,\r\nZ00,,\r\n"},
        {SaveType::Type1, "G2,-123.5,234.6,0,20\r\n"},
        {SaveType::Type2, "-123.5,234.6,9:05:30\r\n"},
    };
    for (const PointCase& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("GPSLOG.CSV"));
        orbela::PointFile points;
        ASSERT_TRUE(points.SAVEONE(path, c.type, QStringLiteral("    1000.0"), QStringLiteral("     -20.0"),
                                   QStringLiteral("     1.0"), QStringLiteral(" 8:00:00")));
        ASSERT_TRUE(points.SAVEONE(path, c.type, QStringLiteral("    -123.5"), QStringLiteral("     234.6"),
                                   QStringLiteral("    45.1"), QStringLiteral(" 9:05:30")));
        EXPECT_EQ(points.PointSaveCount(), 2);
        EXPECT_EQ(gpstest::fileBytes(path), c.expected) << static_cast<int>(c.type);
    }
}

TEST(PointFile, AFailedWriteDoesNotCount)
{
    QTemporaryDir dir;
    orbela::PointFile points;
    EXPECT_FALSE(points.SAVEONE(dir.filePath(QStringLiteral("none/p.csv")), SaveType::Sima, QStringLiteral("1"),
                                QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("t")));
    EXPECT_FALSE(points.SAVEONE(QString(), SaveType::Sima, QStringLiteral("1"), QStringLiteral("2"),
                                QStringLiteral("3"), QStringLiteral("t")));
    EXPECT_EQ(points.PointSaveCount(), 0);
    const QString path = dir.filePath(QStringLiteral("p.csv"));
    ASSERT_TRUE(points.SAVEONE(path, SaveType::Type1, QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("t")));
    EXPECT_EQ(gpstest::fileBytes(path), QByteArray("G1,1,2,0,20\r\n"));
}

}  // namespace
