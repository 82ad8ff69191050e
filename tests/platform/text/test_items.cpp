// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/items.h"

#include "print_qt.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace {

using platform::ItemReader;
using platform::LineReader;
using platform::splitInputItems;

struct ItemsRow {
    const char* name;
    QString line;
    QStringList items;
};

class InputItems : public testing::TestWithParam<ItemsRow> {};

TEST_P(InputItems, SplitLikeInput)
{
    EXPECT_EQ(splitInputItems(GetParam().line), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, InputItems,
    testing::Values(
        ItemsRow{"empty_line_is_one_empty_item", "", {""}},
        // Settings lines in the signed-blank form read without their blank:
        // " 1" is the item "1".
        ItemsRow{"blanks_around_dropped", " 10 ", {"10"}},
        ItemsRow{"tabs_around_dropped", "\t x \t", {"x"}},
        ItemsRow{"blank_inside_kept", " a b ", {"a b"}},
        ItemsRow{"two_items", "a,b", {"a", "b"}},
        ItemsRow{"trailing_comma", "a,", {"a", ""}},
        ItemsRow{"comma_only", ",", {"", ""}},
        ItemsRow{"quoted_with_comma", "\"a, b\" ,c", {"a, b", "c"}},
        ItemsRow{"text_after_quote_dropped", "\"abc\"xyz,d", {"abc", "d"}},
        ItemsRow{"quote_not_closed", "\"open, still", {"open, still"}},
        ItemsRow{"quote_inside_unquoted", "ab\"c", {"ab\"c"}},
        ItemsRow{"fullwidth_blank_kept", QStringLiteral(u"　x　"), {QStringLiteral(u"　x　")}},
        // A background slot code written with a blank before and after it.
        ItemsRow{"slot_code", " 5 ", {"5"}}),
    [](const auto& info) { return std::string(info.param.name); });

class ItemFile : public testing::Test {
protected:
    void open(const QByteArray& bytes)
    {
        data = bytes;
        buffer.setBuffer(&data);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    }
    QByteArray data;
    QBuffer buffer;
};

// A settings file: one value per line, an empty line is an empty item, a
// comma splits a line into two items.
TEST_F(ItemFile, ReadsOneItemPerLineAndSplitsAtCommas)
{
    open(" 10\r\n 12\r\n\r\n1\r\na,b\r\nlast");
    LineReader lines(&buffer);
    ItemReader items(lines);
    QStringList got;
    while (const std::optional<QString> item = items.readItem())
        got.append(*item);
    EXPECT_EQ(got, QStringList({"10", "12", "", "1", "a", "b", "last"}));
    EXPECT_FALSE(items.readItem().has_value());
}

// Line Input between item reads: the rest of the current line after a comma,
// else the next line whole.
TEST_F(ItemFile, LineInputTakesTheRestOfTheLineOrTheNextLine)
{
    open("1,rest of, line\r\n 38400 baud\r\n3\r\n");
    LineReader lines(&buffer);
    ItemReader items(lines);
    EXPECT_EQ(items.readItem(), QString("1"));
    EXPECT_EQ(items.readLine(), QString("rest of, line"));
    EXPECT_EQ(items.readLine(), QString(" 38400 baud"));
    EXPECT_EQ(items.readItem(), QString("3"));
    EXPECT_FALSE(items.readLine().has_value());
}

TEST_F(ItemFile, EmptyFileHasNoItem)
{
    open("");
    LineReader lines(&buffer);
    ItemReader items(lines);
    EXPECT_FALSE(items.readItem().has_value());
}

}  // namespace
