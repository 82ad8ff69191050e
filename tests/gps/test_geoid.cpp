// SPDX-License-Identifier: LicenseRef-Tavelcor
// The geoid model: import of the published ASCII grid into the record file,
// and the bilinear look-up.
#include "gps/geoid.h"

#include "file_size_limit.h"
#include "gps/messages.h"
#include "nmea_helpers.h"
#include "platform/prompt/testing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace {

using orbela::GeoidConversion;
using orbela::GeoidModel;

QString fixture(const char* name)
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/gps/") + QLatin1String(name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Record k of a grid file as its 32 value bits, or nullopt past the end.
std::optional<std::uint32_t> recordBits(const QByteArray& grid, int k)
{
    const qsizetype at = 6 * (k - 1);
    if (at + 6 > grid.size())
        return std::nullopt;
    return qFromLittleEndian<std::uint32_t>(grid.constData() + at);
}

std::uint32_t bitsOf(float v) { return std::bit_cast<std::uint32_t>(v); }

class GeoidGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        asc = dir.filePath(QStringLiteral("gsigeome.asc"));
        tmp = dir.filePath(QStringLiteral("gsigeome.tmp"));
    }

    GeoidModel convert(const char* name)
    {
        QFile::copy(fixture(name), asc);
        EXPECT_EQ(orbela::convertGeoidModel(asc, tmp), GeoidConversion::Done);
        return GeoidModel(asc, tmp);
    }

    QTemporaryDir dir;
    QString asc;
    QString tmp;
};

TEST(GeoidHeader, ReadsTheColumnsAndRoundsTheSpacing)
{
    const auto h = orbela::parseGeoidHeader(QStringLiteral(
        "  20.00000 120.00000 0.016667 0.025000 1801 1201  1 ver2.2"));
    ASSERT_TRUE(h);
    EXPECT_DOUBLE_EQ(h->lat0, 20.0);
    EXPECT_DOUBLE_EQ(h->lon0, 120.0);
    EXPECT_DOUBLE_EQ(h->dlat, 1.0 / 60);
    EXPECT_DOUBLE_EQ(h->dlon, 0.025);
    EXPECT_DOUBLE_EQ(h->rows, 1801);
    EXPECT_FLOAT_EQ(h->cols, 1201.0f);
}

TEST(GeoidHeader, RefusesAGridThatCannotBeAddressed)
{
    EXPECT_FALSE(orbela::parseGeoidHeader(QString()));
    EXPECT_FALSE(orbela::parseGeoidHeader(QStringLiteral("  20.00000 120.00000 0.000000 0.025000 1801 1201")));
    EXPECT_FALSE(orbela::parseGeoidHeader(QStringLiteral("  20.00000 120.00000 0.016667 0.025000 1801    1")));
}

TEST_F(GeoidGrid, ImportWritesOneRecordPerValuedNodeInReadingOrder)
{
    // Data line 38.1234, 999.0000, 38.2001: records k and k + 2, k + 1 left
    // unwritten.
    writeFile(asc, "  35.00000 139.00000 0.016667 0.025000    1    3\r\n"
                   "  38.1234 999.0000  38.2001\r\n");
    ASSERT_EQ(orbela::convertGeoidModel(asc, tmp), GeoidConversion::Done);
    const QByteArray grid = gpstest::fileBytes(tmp);
    ASSERT_EQ(grid.size(), 18);
    EXPECT_EQ(recordBits(grid, 1), bitsOf(381234.0f));
    EXPECT_EQ(recordBits(grid, 2), 0u);
    EXPECT_EQ(recordBits(grid, 3), bitsOf(382001.0f));
    for (int k = 1; k <= 3; ++k) {  // padding written as zero
        EXPECT_EQ(grid.at(6 * (k - 1) + 4), '\0');
        EXPECT_EQ(grid.at(6 * (k - 1) + 5), '\0');
    }
}

TEST_F(GeoidGrid, AnExactZeroIsStoredAsAValue)
{
    // Regression: a node of exactly 0.0000 m was skipped like a blank field,
    // shifting every later node by one record.
    writeFile(asc, "  35.00000 139.00000 0.016667 0.025000    1    3\r\n"
                   "  38.1000   0.0000  38.3000\r\n");
    ASSERT_EQ(orbela::convertGeoidModel(asc, tmp), GeoidConversion::Done);
    const QByteArray grid = gpstest::fileBytes(tmp);
    EXPECT_EQ(recordBits(grid, 2), 0x80000000u);  // negative zero: a value of 0
    EXPECT_EQ(recordBits(grid, 3), bitsOf(383000.0f));
}

TEST_F(GeoidGrid, AWholeLineOfNoDataAdvancesBy28)
{
    const GeoidModel model = convert("grid_nodata_line.asc");
    const QByteArray grid = gpstest::fileBytes(tmp);
    EXPECT_EQ(recordBits(grid, 28), 0u);
    EXPECT_EQ(recordBits(grid, 29), bitsOf(400000.0f));
    EXPECT_EQ(recordBits(grid, 30), bitsOf(401000.0f));
    EXPECT_EQ(recordBits(grid, 31), bitsOf(410000.0f));
    // Centre of the cell east of column 28 of row 0: 30°00'30" N,
    // 130°28'30" E.
    const auto h = model.ジオイドget(30.0030, 130.2830);
    ASSERT_TRUE(h);
    EXPECT_NEAR(*h, (40.0 + 40.1 + 41.28 + 41.29) / 4, 1e-6);
}

struct LookupCase {
    const char* legend;
    double latDms;   // packed d.mmss
    double lonDms;
    std::optional<double> expected;  // metres
};

// grid_3x4.asc: rows at 35°00', 35°01', 35°02'; columns at 139°00'00",
// 139°01'30", 139°03'00", 139°04'30".
//   row 2: 37.0 37.1 37.2 37.3
//   row 1: 36.5 36.6 0.0  36.8
//   row 0: 36.1 36.2 36.3 no data
const LookupCase kLookups[] = {
    {"on the south-west node", 35.0, 139.0, 36.1},
    {"on a node whose east neighbour is exactly 0 m", 35.01, 139.0130, 36.6},
    {"halfway to the 0 m node", 35.01, 139.0215, 18.3},
    {"centre of the south-west cell", 35.0030, 139.0045, (36.1 + 36.2 + 36.5 + 36.6) / 4},
    {"a quarter along both axes", 35.0015, 139.00225, 36.1 + 0.25 * 0.1 + 0.25 * 0.4},
    {"next to the no-data node", 35.0030, 139.0345, std::nullopt},
    {"south of the grid", 34.5959, 139.0045, std::nullopt},
    {"west of the grid", 35.0030, 138.5959, std::nullopt},
    {"beyond the last column", 35.0130, 139.0500, std::nullopt},
    {"north of the last row", 35.0230, 139.0045, std::nullopt},
    {"far north of the grid", 36.0, 139.0045, std::nullopt},
};

TEST_F(GeoidGrid, LooksUpBilinearlyAndGivesNoValueOutsideOrNextToNoData)
{
    const GeoidModel model = convert("grid_3x4.asc");
    for (const LookupCase& c : kLookups) {
        const auto h = model.ジオイドget(c.latDms, c.lonDms);
        ASSERT_EQ(h.has_value(), c.expected.has_value()) << c.legend;
        if (h) {
            EXPECT_NEAR(*h, *c.expected, 1e-6) << c.legend;
        }
    }
}

// The header's row count is not needed: without it the look-up is bounded
// by the grid file. A far position, or a header whose edge or column count
// is far out of any grid, gave record numbers no integer holds (undefined
// behaviour); now it gives no value.
TEST_F(GeoidGrid, AHeaderWithoutRowCountIsBoundedByTheGridFile)
{
    struct Row {
        const char* legend;
        QByteArray header;
        double latDms, lonDms;
        std::optional<double> expected;
    };
    const QByteArray values = "  36.1000  36.2000  36.3000 999.0000  36.5000\r\n"
                              "  36.6000   0.0000  36.8000  37.0000  37.1000  37.2000  37.3000\r\n";
    const Row rows[] = {
        {"inside, no row count", "  35.00000 139.00000 0.016667 0.025000         4\r\n", 35.0030, 139.0045,
         (36.1 + 36.2 + 36.5 + 36.6) / 4},
        {"north of the last row", "  35.00000 139.00000 0.016667 0.025000         4\r\n", 35.0230, 139.0045,
         std::nullopt},
        {"far north", "  35.00000 139.00000 0.016667 0.025000         4\r\n", 89.0, 139.0045, std::nullopt},
        {"south edge far south", "   -1D300  139.00000 0.016667 0.025000         4\r\n", 35.0030, 139.0045,
         std::nullopt},
        {"columns beyond any grid", "  35.00000 139.00000 0.016667 0.025000     1D30\r\n", 35.0130, 139.0045,
         std::nullopt},
    };
    for (const Row& row : rows) {
        writeFile(asc, row.header + values);
        ASSERT_EQ(orbela::convertGeoidModel(asc, tmp), GeoidConversion::Done) << row.legend;
        const auto h = GeoidModel(asc, tmp).ジオイドget(row.latDms, row.lonDms);
        ASSERT_EQ(h.has_value(), row.expected.has_value()) << row.legend;
        if (h) {
            EXPECT_NEAR(*h, *row.expected, 1e-6) << row.legend;
        }
    }
}

TEST_F(GeoidGrid, NoValueWithoutPathsOrFiles)
{
    convert("grid_3x4.asc");
    EXPECT_FALSE(GeoidModel().ジオイドget(35.0, 139.0));
    EXPECT_FALSE(GeoidModel(asc, QString()).ジオイドget(35.0, 139.0));
    QFile::remove(tmp);  // the grid file vanished while the paths are set
    EXPECT_FALSE(GeoidModel(asc, tmp).ジオイドget(35.0, 139.0));
}

TEST_F(GeoidGrid, StartUpNeedsBothFiles)
{
    const QString folder = dir.path();
    EXPECT_FALSE(GeoidModel::fromProgramFolder(folder).isAvailable());
    writeFile(tmp, QByteArray(6, '\0'));
    EXPECT_FALSE(GeoidModel::fromProgramFolder(folder).isAvailable()) << "only the grid file";
    QFile::remove(tmp);
    writeFile(asc, "header\r\n");
    EXPECT_FALSE(GeoidModel::fromProgramFolder(folder).isAvailable()) << "only the text";
    writeFile(tmp, QByteArray(6, '\0'));
    const GeoidModel both = GeoidModel::fromProgramFolder(folder);
    EXPECT_TRUE(both.isAvailable());
    EXPECT_EQ(both.GeoidAscPath(), asc);
    EXPECT_EQ(both.GeoidTmpPath(), tmp);
}

TEST_F(GeoidGrid, ImportCopiesConvertsAndAnnounces)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, orbela::kMsgGeoidLoading.toString());
    bool busyShown = false;
    const auto outcome = orbela::importGeoidModel(fixture("grid_3x4.asc"), dir.path(),
                                                  [&] { busyShown = true; });
    EXPECT_TRUE(outcome.imported);
    EXPECT_TRUE(busyShown);
    EXPECT_EQ(outcome.ascPath, asc);
    EXPECT_EQ(outcome.tmpPath, tmp);
    EXPECT_EQ(gpstest::fileBytes(asc), gpstest::fileBytes(fixture("grid_3x4.asc")));
    ASSERT_EQ(script->records().size(), 1u);
    EXPECT_EQ(script->records()[0].icon, platform::MsgIcon::Information);
    const auto h = GeoidModel(outcome.ascPath, outcome.tmpPath).ジオイドget(35.0, 139.0);
    ASSERT_TRUE(h);
    EXPECT_NEAR(*h, 36.1, 1e-6);
}

TEST_F(GeoidGrid, ImportOfTheProgramFoldersOwnCopyKeepsIt)
{
    QFile::copy(fixture("grid_3x4.asc"), asc);
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, orbela::kMsgGeoidLoading.toString());
    const auto outcome = orbela::importGeoidModel(asc, dir.path());
    EXPECT_TRUE(outcome.imported);
    EXPECT_EQ(gpstest::fileBytes(asc), gpstest::fileBytes(fixture("grid_3x4.asc")));
}

TEST_F(GeoidGrid, AnUnreadableModelEmptiesThePaths)
{
    writeFile(tmp, QByteArray(60, '\x11'));  // an older grid must not stay paired
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, orbela::kMsgGeoidUnreadable.toString());
    const auto outcome = orbela::importGeoidModel(dir.filePath(QStringLiteral("missing.asc")), dir.path());
    EXPECT_FALSE(outcome.imported);
    EXPECT_TRUE(outcome.ascPath.isEmpty());
    EXPECT_TRUE(outcome.tmpPath.isEmpty());
    EXPECT_FALSE(QFile::exists(tmp));
}

// The disk fills while the grid file is written: the conversion reports it,
// and the grid file of the model before stays as it was.
TEST_F(GeoidGrid, AFullDiskLeavesTheOldGridFile)
{
    ASSERT_TRUE(QFile::copy(fixture("grid_3x4.asc"), asc));
    writeFile(tmp, QByteArray(60, '\x11'));
    {
        const testing_support::ScopedFileSizeLimit limit(30);  // the new grid has 12 records of 6 bytes
        ASSERT_TRUE(limit.isActive());
        EXPECT_EQ(orbela::convertGeoidModel(asc, tmp), GeoidConversion::GridUnwritable);
    }
    EXPECT_EQ(gpstest::fileBytes(tmp), QByteArray(60, '\x11'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("gsigeome.asc"), QStringLiteral("gsigeome.tmp")}));
}

// The disk fills while the chosen model is copied into the program folder:
// a cut copy is never imported, and the text of the model before stays.
TEST_F(GeoidGrid, AModelCutByAFullDiskIsNotImported)
{
    writeFile(asc, "  35.00000 139.00000 0.016667 0.025000    1    1  the model before\r\n  36.0000\r\n");
    const QByteArray before = gpstest::fileBytes(asc);
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(platform::MsgResult::Ok, orbela::kMsgGeoidUnreadable.toString());
    orbela::GeoidImportOutcome outcome;
    {
        const testing_support::ScopedFileSizeLimit limit(120);  // the chosen model has about 250 bytes
        ASSERT_TRUE(limit.isActive());
        outcome = orbela::importGeoidModel(fixture("grid_3x4.asc"), dir.path());
    }
    EXPECT_FALSE(outcome.imported);
    EXPECT_EQ(gpstest::fileBytes(asc), before);
}

TEST_F(GeoidGrid, ConversionReportsAMissingText)
{
    EXPECT_EQ(orbela::convertGeoidModel(dir.filePath(QStringLiteral("none.asc")), tmp),
              GeoidConversion::SourceUnreadable);
    EXPECT_FALSE(QFile::exists(tmp));
}

}  // namespace
