// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA.JKN: reading line by line with the checks of each line, writing
// the nine lines byte for byte.
#include "gps/settings_file.h"

#include "nmea_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using orbela::SaveType;
using orbela::SettingsRead;

QStringList nineLines(const char* port, const char* baud, const char* zone, const char* mode = "1",
                      const char* saveType = "1", const char* check = " 0 ")
{
    return {QString::fromUtf8(port), QString::fromUtf8(baud), QString::fromUtf8(zone),
            QStringLiteral("/tmp/p.csv"), QString::fromUtf8(mode), QString::fromUtf8(saveType),
            QStringLiteral("10"), QStringLiteral("5"), QString::fromUtf8(check)};
}

struct PortZoneRow {
    const char* port;
    const char* zone;
    std::optional<QString> expectedPort;
    std::optional<QString> expectedZone;
};

TEST(SettingsFileRead, PortAndZoneAreCheckedAgainstTheirRanges)
{
    const PortZoneRow rows[] = {
        {"3", "19", QStringLiteral("3"), QStringLiteral("19")},
        {"0", "0", std::nullopt, std::nullopt},
        {"150", "20", std::nullopt, std::nullopt},
        {"-1", "-1", std::nullopt, std::nullopt},
        {"99", "1", QStringLiteral("99"), QStringLiteral("1")},
        {"100", "19.5", std::nullopt, QStringLiteral("19.5")},
        {" 7 ", "abc", QStringLiteral("7"), std::nullopt},
        {"", "", std::nullopt, std::nullopt},
    };
    for (const PortZoneRow& row : rows) {
        const SettingsRead read = orbela::readSettingsLines(nineLines(row.port, "38400", row.zone));
        EXPECT_EQ(read.port, row.expectedPort) << row.port;
        EXPECT_EQ(read.zone, row.expectedZone) << row.zone;
    }
}

TEST(SettingsFileRead, BaudLineIsReadWholeAsItsLeadingNumber)
{
    const std::pair<const char*, const char*> rows[] = {
        {"38400,N,8,1", "38400"}, {"  4800  ", "4800"}, {"", "0"}, {"abc", "0"}, {"9600.5", "9600.5"},
    };
    for (const auto& [line, expected] : rows) {
        const SettingsRead read = orbela::readSettingsLines(nineLines("3", line, "9"));
        EXPECT_EQ(read.baud, QString::fromUtf8(expected)) << line;
        // The lines after it keep their places.
        EXPECT_EQ(read.zone, QStringLiteral("9")) << line;
        EXPECT_EQ(read.pointFile, QStringLiteral("/tmp/p.csv")) << line;
    }
}

TEST(SettingsFileRead, ReceptionModeAndSaveType)
{
    const struct {
        const char* mode;
        const char* type;
        bool continuous;
        std::optional<SaveType> saveType;
    } rows[] = {
        {"1", "1", true, SaveType::Sima},   {"2", "2", false, SaveType::Type1},
        {" 1 ", "3", true, SaveType::Type2}, {"", "4", false, std::nullopt},
        {"x", "0", false, std::nullopt},    {"1.0", "2.0", true, SaveType::Type1},
    };
    for (const auto& row : rows) {
        const SettingsRead read = orbela::readSettingsLines(nineLines("1", "38400", "6", row.mode, row.type));
        EXPECT_EQ(read.continuous, row.continuous) << row.mode;
        EXPECT_EQ(read.saveType, row.saveType) << row.type;
    }
}

TEST(SettingsFileRead, ExcelLinkIsAWholeNumberTheCheckBoxTakes)
{
    const std::pair<const char*, std::optional<int>> rows[] = {
        {" 1 ", 1}, {" 0 ", 0}, {"2", 2}, {"1.5", 2}, {"3", std::nullopt}, {"-1", std::nullopt},
        {"abc", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [line, expected] : rows)
        EXPECT_EQ(orbela::readSettingsLines(nineLines("1", "1", "1", "1", "1", line)).excelLink, expected)
            << line;
}

TEST(SettingsFileRead, ShortFileGivesTheValuesBeforeItsEnd)
{
    const SettingsRead read = orbela::readSettingsLines({QStringLiteral("4"), QStringLiteral("9600"), QStringLiteral("12")});
    EXPECT_EQ(read.port, QStringLiteral("4"));
    EXPECT_EQ(read.baud, QStringLiteral("9600"));
    EXPECT_EQ(read.zone, QStringLiteral("12"));
    EXPECT_FALSE(read.pointFile || read.continuous || read.saveType || read.watchdogSeconds || read.threshold
                 || read.excelLink);
}

TEST(SettingsFileRead, ValuesAreTrimmedAndTheThresholdLosesEveryBlank)
{
    QStringList lines = nineLines("1", "38400", "6");
    lines[3] = QStringLiteral("  /home/u/点 ファイル,1.csv  ");
    lines[6] = QStringLiteral("  15 ");
    lines[7] = QStringLiteral(" 0 . 5 ");
    const SettingsRead read = orbela::readSettingsLines(lines);
    EXPECT_EQ(read.pointFile, QStringLiteral("/home/u/点 ファイル,1.csv"));
    EXPECT_EQ(read.watchdogSeconds, QStringLiteral("15"));
    EXPECT_EQ(read.threshold, QStringLiteral("0.5"));
}

TEST(SettingsFileWrite, NineLinesByteForByte)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    orbela::WindowSettings settings;
    settings.port = QStringLiteral("3");
    settings.pointFile = QStringLiteral("/data/測点.csv");
    settings.once = true;
    settings.saveType = SaveType::Type2;
    settings.excelLink = 1;
    ASSERT_TRUE(orbela::writeSettingsFile(folder.path(), settings));
    const QByteArray expected = "3\r\n38400\r\n6\r\n/data/" + QByteArray("\x91\xaa\x93\x5f", 4)
                                + ".csv\r\n2\r\n3\r\n10\r\n5\r\n 1 \r\n";
    EXPECT_EQ(gpstest::fileBytes(folder.filePath(QStringLiteral("ORBELA.JKN"))), expected);

    const auto read = orbela::readSettingsFile(folder.path());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->port, QStringLiteral("3"));
    EXPECT_EQ(read->pointFile, settings.pointFile);
    EXPECT_EQ(read->continuous, false);
    EXPECT_EQ(read->saveType, SaveType::Type2);
    EXPECT_EQ(read->excelLink, 1);
}

TEST(SettingsFileWrite, ALineBreakInAValueDoesNotShiftTheLinesAfterIt)
{
    orbela::WindowSettings settings;
    settings.pointFile = QStringLiteral("a\r\nb");
    const QStringList lines = orbela::settingsLines(settings);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[3], QStringLiteral("a  b"));
    EXPECT_EQ(orbela::readSettingsLines(lines).threshold, QStringLiteral("5"));
}

TEST(SettingsFileWrite, AFolderThatCannotBeWrittenLeavesNothing)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("no/such/folder"));
    EXPECT_FALSE(orbela::writeSettingsFile(missing, orbela::WindowSettings{}));
    EXPECT_FALSE(orbela::readSettingsFile(missing).has_value());
}

}  // namespace
