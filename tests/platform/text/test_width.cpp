// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/width.h"

#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include "print_qt.h"

#include <gtest/gtest.h>

namespace {

using platform::toFullWidth;
using platform::toHalfWidth;

struct WidthRow {
    const char* name;
    QString in;
    QString out;
};

class FullWidth : public testing::TestWithParam<WidthRow> {};

TEST_P(FullWidth, Widens)
{
    EXPECT_EQ(toFullWidth(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, FullWidth,
    testing::Values(
        WidthRow{"letters", "ab", QStringLiteral(u"ａｂ")},
        WidthRow{"digits", "500", QStringLiteral(u"５００")},
        // A symbol character "o" becomes the full-width "ｏ".
        WidthRow{"symbol_mark", "o", QStringLiteral(u"ｏ")},
        WidthRow{"signs", "A-1+*#", QStringLiteral(u"Ａ－１＋＊＃")},
        WidthRow{"blank", " ", QStringLiteral(u"　")},
        WidthRow{"code_page_signs", "\"'\\`~", QStringLiteral(u"”’￥‘￣")},
        WidthRow{"katakana", QStringLiteral(u"ｱｲｳ"), QStringLiteral(u"アイウ")},
        WidthRow{"voiced_joined", QStringLiteral(u"ｶﾞｷﾞ"), QStringLiteral(u"ガギ")},
        WidthRow{"semi_voiced_joined", QStringLiteral(u"ﾊﾟﾎﾟ"), QStringLiteral(u"パポ")},
        WidthRow{"vu_joined", QStringLiteral(u"ｳﾞ"), QStringLiteral(u"ヴ")},
        WidthRow{"mark_without_pair", QStringLiteral(u"ｱﾞ"), QStringLiteral(u"ア゛")},
        // ヷ exists in Unicode but not in CP932: kept as two characters.
        WidthRow{"joined_form_not_in_code_page", QStringLiteral(u"ﾜﾞ"), QStringLiteral(u"ワ゛")},
        WidthRow{"lone_marks", QStringLiteral(u"ﾞﾟ"), QStringLiteral(u"゛゜")},
        WidthRow{"kana_signs", QStringLiteral(u"｢ｰ･｣｡､"), QStringLiteral(u"「ー・」。、")},
        WidthRow{"fullwidth_unchanged", QStringLiteral(u"５あ漢ア"), QStringLiteral(u"５あ漢ア")},
        WidthRow{"other_letters_unchanged", QStringLiteral(u"é\t"), QStringLiteral(u"é\t")}),
    [](const auto& info) { return std::string(info.param.name); });

class HalfWidth : public testing::TestWithParam<WidthRow> {};

TEST_P(HalfWidth, Narrows)
{
    EXPECT_EQ(toHalfWidth(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, HalfWidth,
    testing::Values(
        WidthRow{"digits", QStringLiteral(u"５００"), "500"},
        WidthRow{"letters", QStringLiteral(u"ＡＢＣｘ"), "ABCx"},
        WidthRow{"blank", QStringLiteral(u"a　b"), "a b"},
        WidthRow{"minus_of_code_page", QStringLiteral(u"－１２"), "-12"},
        WidthRow{"unicode_fullwidth_signs", QStringLiteral(u"＂＇＼｀～"), "\"'\\`~"},
        WidthRow{"code_page_signs", QStringLiteral(u"”’￥‘￣"), "\"'\\`~"},
        WidthRow{"voiced_split", QStringLiteral(u"ガ"), QStringLiteral(u"ｶﾞ")},
        WidthRow{"semi_voiced_split", QStringLiteral(u"パピプペポ"), QStringLiteral(u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ")},
        WidthRow{"vu_split", QStringLiteral(u"ヴ"), QStringLiteral(u"ｳﾞ")},
        WidthRow{"kana_signs", QStringLiteral(u"「ー・」。、゛゜"), QStringLiteral(u"｢ｰ･｣｡､ﾞﾟ")},
        WidthRow{"no_halfwidth_form", QStringLiteral(u"ヰヵあ漢①"), QStringLiteral(u"ヰヵあ漢①")},
        WidthRow{"halfwidth_unchanged", QStringLiteral(u"abｱ1"), QStringLiteral(u"abｱ1")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidthConversion, PrintableAsciiAndKatakanaSurviveWideningAndNarrowing)
{
    for (char16_t c = 0x20; c <= 0x7E; ++c) {
        const QString one(QChar{c});
        const QString wide = toFullWidth(one);
        ASSERT_NE(wide, one) << int(c);
        ASSERT_TRUE(platform::isCp932Encodable(wide.at(0))) << int(c);
        ASSERT_EQ(platform::cp932Length(wide), 2) << int(c);
        ASSERT_EQ(toHalfWidth(wide), one) << int(c);
    }
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        const QString one(QChar{c});
        const QString wide = toFullWidth(one);
        ASSERT_EQ(platform::cp932Length(wide), 2) << std::hex << int(c);
        ASSERT_EQ(toHalfWidth(wide), one) << std::hex << int(c);
    }
}

// Every full-width katakana that narrows comes back whole when widened.
TEST(WidthConversion, FullWidthKatakanaSurviveNarrowingAndWidening)
{
    int narrowed = 0;
    for (char16_t c = 0x30A1; c <= 0x30FC; ++c) {
        const QString one(QChar{c});
        if (!platform::isCp932Encodable(one.at(0)))
            continue;
        const QString half = toHalfWidth(one);
        if (half == one)
            continue;
        ++narrowed;
        ASSERT_EQ(toFullWidth(half), one) << std::hex << int(c);
    }
    EXPECT_GT(narrowed, 80);
}

// A denominator typed as "５００" reads as 500 after narrowing; a page field
// of "０１０" reads as 10; a port number typed as "３" becomes "3".
TEST(WidthConversion, FullWidthDigitsReadAsNumbersAfterNarrowing)
{
    EXPECT_EQ(platform::Val(QStringLiteral(u"５００")), 0);
    EXPECT_EQ(platform::Val(toHalfWidth(QStringLiteral(u"５００"))), 500);
    EXPECT_EQ(platform::Val(toHalfWidth(QStringLiteral(u"０１０"))), 10);
    EXPECT_EQ(toHalfWidth(QStringLiteral(u"３")), "3");
    EXPECT_EQ(toHalfWidth(toHalfWidth(QStringLiteral(u"３"))), "3");
}

}  // namespace
