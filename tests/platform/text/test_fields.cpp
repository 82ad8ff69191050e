// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/fields.h"

#include "print_qt.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using platform::NextField;
using platform::sanitizeField;
using platform::splitCommaItems;
using platform::splitCommaViews;

struct SplitRow {
    const char* name;
    QString line;
    QStringList fields;
};

class SplitComma : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitComma, SplitsAtEveryComma)
{
    EXPECT_EQ(splitCommaItems(GetParam().line), GetParam().fields);
    QStringList fromViews;
    for (const QStringView v : splitCommaViews(GetParam().line))
        fromViews.append(v.toString());
    EXPECT_EQ(fromViews, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, SplitComma,
    testing::Values(
        // An empty line has no field: the DAT readers pass it over as short.
        SplitRow{"empty_line_has_no_field", "", {}},
        SplitRow{"comma_only", ",", {"", ""}},
        SplitRow{"one_field", "abc", {"abc"}},
        SplitRow{"empty_field_inside", "a,,b", {"a", "", "b"}},
        SplitRow{"trailing_comma_counts", "a,b,", {"a", "b", ""}},
        SplitRow{"blanks_belong_to_fields", " a , b ", {" a ", " b "}},
        SplitRow{"quotes_are_ordinary", "\"x,y\"", {"\"x", "y\""}},
        SplitRow{"fullwidth_comma_is_no_separator", QStringLiteral(u"甲，乙,丙"),
                 {QStringLiteral(u"甲，乙"), QStringLiteral(u"丙")}},
        SplitRow{"point_row", "3,P3,,-1234.56,5678.9,1",
                 {"3", "P3", "", "-1234.56", "5678.9", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Reads all fields of a text with NextField, as the SIMA parsers do: fields
// with their end positions.
std::vector<std::pair<QString, qsizetype>> allFields(const QString& text)
{
    std::vector<std::pair<QString, qsizetype>> out;
    qsizetype pos = 1;
    while (pos <= text.size()) {
        QString field = NextField(text, pos);
        out.emplace_back(field, pos);
    }
    return out;
}

TEST(NextField, WalksARecordAndStopsPastTheEnd)
{
    const QString line = "A01,12,P1,100.5,-20,3.25,";
    const std::vector<std::pair<QString, qsizetype>> expected = {
        {"A01", 5}, {"12", 8}, {"P1", 11}, {"100.5", 17}, {"-20", 21}, {"3.25", 26}};
    EXPECT_EQ(allFields(line), expected);
    qsizetype pos = 26;  // one past the last comma
    EXPECT_EQ(NextField(line, pos), QString());
    EXPECT_EQ(pos, line.size() + 1);
    pos = 99;
    EXPECT_EQ(NextField(line, pos), QString());
    EXPECT_EQ(pos, line.size() + 1);
}

// A hand-over text: LF separates like a comma, CR stays in the field.
TEST(NextField, LineFeedSeparatesAndCarriageReturnStays)
{
    const QString text = "Z00,NEW_SIMA\r\nA01,1,P";
    const std::vector<std::pair<QString, qsizetype>> expected = {
        {"Z00", 5}, {"NEW_SIMA\r", 15}, {"A01", 19}, {"1", 21}, {"P", 22}};
    EXPECT_EQ(allFields(text), expected);
}

TEST(NextField, EmptyFieldsAndPositionsBelowOne)
{
    const QString line = ",,x";
    qsizetype pos = 0;
    EXPECT_EQ(NextField(line, pos), QString());
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(NextField(line, pos), QString());
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(NextField(line, pos), "x");
    EXPECT_EQ(pos, 4);
    qsizetype emptyPos = 1;
    EXPECT_EQ(NextField(QString(), emptyPos), QString());
    EXPECT_EQ(emptyPos, 1);
}

struct SanitizeRow {
    const char* name;
    QString in;
    QString out;
};

class Sanitize : public testing::TestWithParam<SanitizeRow> {};

TEST_P(Sanitize, LeavesOneFieldOnOneLine)
{
    const QString safe = sanitizeField(GetParam().in);
    EXPECT_EQ(safe, GetParam().out);
    // Written between other fields, it reads back as exactly that field.
    const QStringList fields = splitCommaItems("1," + safe + ",2");
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields[1], safe);
    EXPECT_FALSE(safe.contains(u'\r') || safe.contains(u'\n'));
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, Sanitize,
    testing::Values(
        SanitizeRow{"plain", "P12", "P12"},
        SanitizeRow{"comma", "a,b", "a_b"},
        SanitizeRow{"crlf_one_blank", "a\r\nb", "a b"},
        SanitizeRow{"lone_cr", "a\rb", "a b"},
        SanitizeRow{"lone_lf", "a\nb", "a b"},
        SanitizeRow{"lf_then_cr_two_breaks", "a\n\rb", "a  b"},
        SanitizeRow{"mixed", "x,\r\n,y", "x_ _y"},
        SanitizeRow{"fullwidth_kept", QStringLiteral(u"地番，１　２"), QStringLiteral(u"地番，１　２")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
