// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/strings.h"

#include "print_qt.h"

#include <gtest/gtest.h>

namespace {

struct TrimRow {
    const char* name;
    QString in;
    QString trim, ltrim, rtrim, noBlanks;
};

class BlankTrimming : public testing::TestWithParam<TrimRow> {};

TEST_P(BlankTrimming, RemovesHalfWidthBlanksOnly)
{
    const TrimRow& r = GetParam();
    EXPECT_EQ(platform::Trim(r.in), r.trim);
    EXPECT_EQ(platform::trimmedView(r.in).toString(), r.trim);
    EXPECT_EQ(platform::LTrim(r.in), r.ltrim);
    EXPECT_EQ(platform::RTrim(r.in), r.rtrim);
    EXPECT_EQ(platform::removeBlanks(r.in), r.noBlanks);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, BlankTrimming,
    testing::Values(
        TrimRow{"empty", "", "", "", "", ""},
        TrimRow{"blanks_only", "   ", "", "", "", ""},
        TrimRow{"both_sides", "  a b  ", "a b", "a b  ", "  a b", "ab"},
        // Full-width blanks and tabs are ordinary characters.
        TrimRow{"fullwidth_blank_kept", QStringLiteral(u" 　甲 "), QStringLiteral(u"　甲"),
                QStringLiteral(u"　甲 "), QStringLiteral(u" 　甲"), QStringLiteral(u"　甲")},
        TrimRow{"tab_kept", "\ta\t ", "\ta\t", "\ta\t ", "\ta\t", "\ta\t"},
        TrimRow{"fixed_form_number", "  -1234.56", "-1234.56", "-1234.56", "  -1234.56",
                "-1234.56"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
