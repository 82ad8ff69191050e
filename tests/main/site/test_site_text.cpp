// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_text.h"
#include "platform/text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace tavelcor::sitetext {
namespace {

// The readers' fast number path must give exactly the double the text kit's
// Val gives, for the plain forms it takes itself and for everything it hands
// on.
void expectSameAsVal(const QString& text)
{
    const double fast = fieldNumber(text);
    const double val = platform::Val(text);
    EXPECT_EQ(fast, val) << '"' << text.toStdString() << '"';
    EXPECT_EQ(std::signbit(fast), std::signbit(val)) << '"' << text.toStdString() << '"';
}

TEST(FieldNumber, AgreesWithValOnTrickyTexts)
{
    for (const char* text : {"", " ", "0", "-0", "-0.00", "+5", "12", " 12 ", "-1234.56", ".5", "-.25", "5.",
                             ".", "-", "1.2.3", "1 2", "1,234", "12.5m", "1e3", "1.5E+20", "12E", "\t7",
                             "123456789012345", "1234567890123456", "0.000000000000001", "9999999.99",
                             "-12345.678", "0.1", "0.3", "2.675", "1.005", "  -0.125  ", "abc", "１２"}) {
        expectSameAsVal(QString::fromUtf8(text));
    }
}

TEST(FieldNumber, AgreesWithValOnGeneratedCoordinates)
{
    std::mt19937_64 random(20240105);
    std::uniform_int_distribution<std::int64_t> mantissa(-99999999999999, 99999999999999);
    std::uniform_int_distribution<int> decimals(0, 14);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t m = mantissa(random);
        const int d = decimals(random);
        QString digits = QString::number(m < 0 ? -m : m).rightJustified(d + 1, u'0');
        if (d > 0)
            digits.insert(digits.size() - d, u'.');
        expectSameAsVal((m < 0 ? QStringLiteral("-") : QString()) + digits);
    }
}

// Whole-number fields: the fast path gives what rounding Val's number gives.
TEST(FieldNumber, WholeNumbersAgreeWithCheckedRounding)
{
    for (const char* text : {"0", " 12", "-3", "+7", "255", "256", "-1", "2.5", "3.5", " 1e2", "x", "",
                             "2147483647", "2147483648", "-2147483648", "-2147483649", "123456789012345",
                             "1234567890123456", "0012", "1 2", "12 "}) {
        const QString t = QString::fromUtf8(text);
        EXPECT_EQ(fieldLong(t), platform::toLongChecked(platform::Val(t))) << '"' << text << '"';
        EXPECT_EQ(fieldByte(t), platform::toByteChecked(platform::Val(t))) << '"' << text << '"';
    }
}

TEST(SiteText, FixedFormKeepsWidthOrTheWholeNumber)
{
    const auto fixed = [](double value, int width, bool trimmed) {
        Row row;
        if (trimmed)
            appendFixedTrimmed(row, value, width, 2);
        else
            appendFixed(row, value, width, 2);
        return row.toString();
    };
    EXPECT_EQ(fixed(-1234.567, 10, false), QStringLiteral("  -1234.57"));
    EXPECT_EQ(fixed(-1234567.891, 10, false), QStringLiteral("-1234567.89")) << "eleven characters: not cut";
    EXPECT_EQ(fixed(1234567.891, 10, false), QStringLiteral("1234567.89")) << "exactly ten";
    EXPECT_EQ(fixed(0.0004, 11, true), QStringLiteral("0.00"));
}

TEST(SiteText, FieldsAreCleanedAndCounted)
{
    Row row;
    appendField(row, u"a,b\r\nc\rd\ne");
    EXPECT_EQ(row.toString(), QStringLiteral("a_b c d e"));
    row.clear();
    appendLineText(row, u"a,b\r\nc\rd\ne\n");
    EXPECT_EQ(row.toString(), QStringLiteral("a,b c d e ")) << "commas stay, each line break is one blank";
    row.clear();
    appendTrimmedField(row, u" x\r\n");
    EXPECT_EQ(row.toString(), QStringLiteral("x"));
    row.clear();
    appendCompact(row, u"1, 2,\r\n3　4");
    EXPECT_EQ(row.toString(), QStringLiteral("123　4")) << "the full-width blank stays";
    row.clear();
    appendInt(row, -500000);
    row << u',' << u"末";
    EXPECT_EQ(row.toString(), QStringLiteral("-500000,末"));
    EXPECT_EQ(collapseBlankRuns(u"  a   b  "), QStringLiteral(" a b "));
    EXPECT_EQ(splitFields<3>(u"").count, 0);
    EXPECT_EQ(splitFields<3>(u",").count, 2);
    const auto f = splitFields<2>(u"a,b,c,");
    EXPECT_EQ(f.count, 4);
    EXPECT_EQ(f[1], u"b");
}

}  // namespace
}  // namespace tavelcor::sitetext
