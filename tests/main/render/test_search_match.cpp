// SPDX-License-Identifier: LicenseRef-Tavelcor
// The comparisons of the search, and the values the line-width and
// number-range dialogs take from their fields.
#include "main/render/linewidth.h"
#include "main/render/search_match.h"
#include "main/render/znohani.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

namespace tavelcor::search {
namespace {

struct NumberRow {
    const char16_t* text;
    int zahyoMax;
    std::optional<int> number;
};

TEST(SearchMatch, WhenAPointSearchTextNamesACoordinateNumber)
{
    const std::vector<NumberRow> rows = {
        {u"12", 100, 12},
        {u"12  ", 100, 12},        // trailing blanks are allowed
        {u" 12", 100, std::nullopt},  // a leading blank makes it a name
        {u"007", 100, 7},
        {u"100", 100, 100},
        {u"101", 100, std::nullopt},  // above ZahyoMax: a name
        {u"0", 100, 0},             // the scratch slot: the caller refuses it
        {u"", 100, 0},
        {u"   ", 100, 0},
        {u"1a", 100, std::nullopt},
        {u"1 2", 100, std::nullopt},
        {u"１２", 100, std::nullopt},  // full-width digits are no digits
        {u"-1", 100, std::nullopt},
        {u"99999999999999999999999", 500000, std::nullopt},
    };
    for (const NumberRow& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(coordinateNumber(text, row.zahyoMax), row.number) << '"' << text.toStdString() << '"';
    }
}

TEST(SearchMatch, ModeFromTheTwoBoxes)
{
    EXPECT_EQ(matchModeOf(0, 0), MatchMode::Exact);
    EXPECT_EQ(matchModeOf(0, 1), MatchMode::Exact);
    EXPECT_EQ(matchModeOf(1, 0), MatchMode::Contains);
    EXPECT_EQ(matchModeOf(1, 1), MatchMode::AtStart);
    EXPECT_EQ(matchModeOf(2, 0), MatchMode::Contains) << "a greyed box counts as ticked";
}

TEST(SearchMatch, WordsAreThePiecesBetweenHalfWidthBlanks)
{
    EXPECT_EQ(splitWords(QStringLiteral("AB 12")), (QStringList{QStringLiteral("AB"), QStringLiteral("12")}));
    EXPECT_EQ(splitWords(QStringLiteral("A  B")),
              (QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")}));
    EXPECT_EQ(splitWords(QStringLiteral("東　京")), (QStringList{QStringLiteral("東　京")}))
        << "the full-width blank does not split";
}

struct WordRow {
    const char16_t* word;
    const char16_t* search;
    MatchMode mode;
    bool matches;
};

TEST(SearchMatch, WordsOfTexts)
{
    const std::vector<WordRow> rows = {
        {u"xABy", u"AB", MatchMode::Contains, true},
        {u"xABy", u"AB", MatchMode::AtStart, false},
        {u"AB", u"AB", MatchMode::AtStart, true},
        {u"xABy", u"AB", MatchMode::Exact, false},
        {u"AB", u"AB", MatchMode::Exact, true},
        {u"ab", u"AB", MatchMode::Contains, true},  // case-insensitive
        {u"ab", u"AB", MatchMode::Exact, false},    // case counts
        {u"xABy", u" AB ", MatchMode::Contains, true},  // trimmed search text
        {u"AB", u" AB", MatchMode::Exact, false},    // as typed
        {u"AB", u"   ", MatchMode::Contains, false},  // blanks find nothing
        {u"", u"", MatchMode::Contains, false},
    };
    for (const WordRow& row : rows) {
        const QString word = QString::fromUtf16(row.word);
        const QString search = QString::fromUtf16(row.search);
        EXPECT_EQ(wordMatches(word, search, row.mode), row.matches)
            << word.toStdString() << " / " << search.toStdString() << " mode " << static_cast<int>(row.mode);
    }
}

TEST(SearchMatch, SingleAttributeColumns)
{
    const std::vector<WordRow> rows = {
        {u" 東町 ", u"東町", MatchMode::Exact, true},   // both trimmed
        {u"東町", u" 東町 ", MatchMode::Exact, true},
        {u"東町一丁目", u"東町", MatchMode::Exact, false},
        {u"東町一丁目", u"町一", MatchMode::Contains, true},
        {u"東町一丁目", u"町一", MatchMode::AtStart, false},
        {u"東町一丁目", u"東町", MatchMode::AtStart, true},
        {u"東町", u" 東町", MatchMode::Contains, false},  // the text as typed
        {u"", u"東", MatchMode::Contains, false},
        {u"Ab", u"aB", MatchMode::Contains, true},
    };
    for (const WordRow& row : rows) {
        const QString column = QString::fromUtf16(row.word);
        const QString search = QString::fromUtf16(row.search);
        EXPECT_EQ(columnMatches(column, search, row.mode), row.matches)
            << column.toStdString() << " / " << search.toStdString();
    }
}

TEST(SearchMatch, AndSearchCountsEachTermOnceInAnyColumn)
{
    const std::map<int, QString> cells = {{0, QStringLiteral("12-3")},
                                          {2, QStringLiteral(" 東町 ")},
                                          {3, QStringLiteral("田")},
                                          {40, QStringLiteral("山田")}};
    const auto column = [&cells](int c) {
        const auto found = cells.find(c);
        return found == cells.end() ? QString() : found->second;
    };
    struct Row {
        const char16_t* text;
        MatchMode mode;
        bool matches;
    };
    const std::vector<Row> rows = {
        {u"東+田", MatchMode::Contains, true},
        {u"東町+田", MatchMode::Exact, true},
        {u"東+田", MatchMode::Exact, false},
        {u"山+東", MatchMode::AtStart, true},
        {u"田+東", MatchMode::AtStart, true},   // the column 田 and the column 東町
        {u"町+田", MatchMode::AtStart, false},  // no column starts with 町
        {u"東+", MatchMode::Contains, false},   // an empty term never counts
        {u"東++田", MatchMode::Contains, false},
        {u" 東 + 田 ", MatchMode::Contains, true},
        {u"東+北", MatchMode::Contains, false},
    };
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(andTermsMatch(column, andTerms(text), row.mode), row.matches) << text.toStdString();
    }
}

struct WidthRow {
    const char16_t* text;
    int width;
    bool replaced;
};

TEST(DialogValues, LineWidthEntries)
{
    const std::vector<WidthRow> rows = {
        {u"0", 2, true},    {u"-3", 2, true},  {u"21", 2, true},  {u"abc", 2, true}, {u"", 2, true},
        {u"20", 20, false}, {u"1", 1, false},  {u"1.5", 2, false}, {u"2.5", 2, false}, {u"3x", 3, false},
        {u" 7", 7, false},  {u"20.4", 2, true}, {u"19.6", 20, false}, {u"0.9", 2, true},
    };
    for (const WidthRow& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        const LineWidthEntry entry = lineWidthFromText(text);
        EXPECT_EQ(entry.width, row.width) << text.toStdString();
        EXPECT_EQ(entry.replaced, row.replaced) << text.toStdString();
    }
}

TEST(DialogValues, RangeFieldsStayWithinOneAndNineHundredNinetyNineThousand)
{
    const std::vector<std::pair<const char16_t*, const char16_t*>> rows = {
        {u"0", u"1"},           {u"abc", u"1"},    {u"", u"1"},         {u"-5", u"1"},
        {u"1000000", u"999999"}, {u"999999", u"999999"}, {u"12.5", u"12.5"}, {u"300", u"300"},
        {u"12a", u"12a"},        {u"0.5", u"1"},
    };
    for (const auto& [in, out] : rows)
        EXPECT_EQ(clampRangeText(QString::fromUtf16(in)), QString::fromUtf16(out)) << QString::fromUtf16(in).toStdString();
}

}  // namespace
}  // namespace tavelcor::search
