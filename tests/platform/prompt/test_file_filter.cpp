// SPDX-License-Identifier: LicenseRef-Tavelcor
// Filter strings as the programs write them, translated for Qt's file dialog.
#include "platform/prompt/file_filter.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
    const char* name;
    const char* filter;
    QStringList expected;
};

class QtNameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(QtNameFilters, TranslatesEveryEntryInOrder)
{
    const FilterCase& row = GetParam();
    EXPECT_EQ(platform::qtNameFilters(QString::fromUtf8(row.filter)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtNameFilters,
    ::testing::Values(
        FilterCase{"two_entries", "SIMA ファイル|*.SIM|すべてのファイル|*.*",
                   {QStringLiteral("SIMA ファイル (*.SIM)"), QStringLiteral("すべてのファイル (*.*)")}},
        FilterCase{"six_entries_of_the_site_chooser",
                   "TVX ファイル|*.TVX|SIMA ファイル|*.SIM|フォーマット2000|*.HED|地図xml(UTF8)|*.xml|"
                   "地図xml(JIS)|*.TXT|すべてのファイル|*.*",
                   {QStringLiteral("TVX ファイル (*.TVX)"), QStringLiteral("SIMA ファイル (*.SIM)"),
                    QStringLiteral("フォーマット2000 (*.HED)"), QStringLiteral("地図xml(UTF8) (*.xml)"),
                    QStringLiteral("地図xml(JIS) (*.TXT)"), QStringLiteral("すべてのファイル (*.*)")}},
        FilterCase{"semicolon_patterns_become_blank_separated", "CSVファイル(*.csv;*.sim)|*.csv;*.sim",
                   {QStringLiteral("CSVファイル(*.csv;*.sim) (*.csv *.sim)")}},
        FilterCase{"exact_file_name_as_pattern", "POINT定義 ファイル|POINT.JKN|すべてのファイル|*.*",
                   {QStringLiteral("POINT定義 ファイル (POINT.JKN)"), QStringLiteral("すべてのファイル (*.*)")}},
        FilterCase{"lone_pattern_without_bar", "*.csv;*.sim", {QStringLiteral("*.csv;*.sim (*.csv *.sim)")}},
        FilterCase{"empty_description_shows_patterns", "|*.txt", {QStringLiteral("*.txt (*.txt)")}},
        FilterCase{"empty_pattern_matches_all", "定義ファイル|", {QStringLiteral("定義ファイル (*)")}},
        FilterCase{"closing_bar_adds_nothing", "TVX ファイル|*.TVX|", {QStringLiteral("TVX ファイル (*.TVX)")}},
        FilterCase{"blanks_around_patterns_dropped", "A| *.a ; *.b ", {QStringLiteral("A (*.a *.b)")}},
        FilterCase{"empty_filter", "", {}}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(FileFilter, ParsesDescriptionsAndPatterns)
{
    const auto entries = platform::parseFileFilter(QStringLiteral("BMP ファイル|*.BMP;*.bmp|全部|*.*"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, QStringLiteral("BMP ファイル"));
    EXPECT_EQ(entries[0].patterns, (QStringList{QStringLiteral("*.BMP"), QStringLiteral("*.bmp")}));
    EXPECT_EQ(entries[1].patterns, QStringList{QStringLiteral("*.*")});
}

TEST(FileFilter, FilterIndexIsOneBasedAndFallsBackToTheFirstEntry)
{
    const QString filter = QStringLiteral("A|*.a|B|*.b|C|*.c");
    EXPECT_EQ(platform::qtFilterPosition(filter, 1), 0);
    EXPECT_EQ(platform::qtFilterPosition(filter, 3), 2);
    EXPECT_EQ(platform::qtFilterPosition(filter, 0), 0);
    EXPECT_EQ(platform::qtFilterPosition(filter, 4), 0);
    EXPECT_EQ(platform::qtFilterPosition(filter, -1), 0);
    EXPECT_EQ(platform::qtFilterPosition(QString(), 1), -1);
}

}  // namespace
