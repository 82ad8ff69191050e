// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/numbers.h"

#include "print_qt.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>

namespace {

using platform::CByte;
using platform::CInt;
using platform::CLng;
using platform::CStr;
using platform::writePlainNumberText;
using platform::CStrSingle;
using platform::plainNumberText;
using platform::roundHalfEven;
using platform::Str;
using platform::StrSingle;
using platform::toByteChecked;
using platform::toIntegerChecked;
using platform::toLongChecked;
using platform::toNumberChecked;
using platform::Val;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// ---- Val ---------------------------------------------------------------------

struct ValRow {
    const char* name;
    QString text;
    double expected;
};

class ValTable : public testing::TestWithParam<ValRow> {};

TEST_P(ValTable, ReadsTheLeadingNumber)
{
    const double v = Val(GetParam().text);
    EXPECT_EQ(v, GetParam().expected) << GetParam().text.toStdString();
    EXPECT_FALSE(std::signbit(v) && v == 0) << "never -0";
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, ValTable,
    testing::Values(
        ValRow{"empty", "", 0},
        ValRow{"letters", "abc", 0},
        ValRow{"plain", "12", 12},
        ValRow{"leading_blanks", "   12", 12},
        // The signed-blank form of the site files and the proposal " 357".
        ValRow{"signed_blank_form", " 357", 357},
        ValRow{"negative_decimal", "-3.5", -3.5},
        ValRow{"plus_sign", "+4", 4},
        ValRow{"point_first", ".5", 0.5},
        ValRow{"negative_point_first", "-.25", -0.25},
        ValRow{"trailing_point", "5.", 5},
        ValRow{"unit_after_number", "12.5m", 12.5},
        ValRow{"second_point_ends", "1.2.3", 1.2},
        ValRow{"comma_ends", "1,234", 1},
        ValRow{"carriage_return_ends", "12\r", 12},
        // Blanks, tabs and line feeds are skipped wherever they stand.
        ValRow{"blanks_inside", "1 2 3", 123},
        ValRow{"tab_and_line_feed_inside", "\t7\n8", 78},
        ValRow{"blank_after_sign", " - 5", -5},
        ValRow{"trailing_blanks", "5   ", 5},
        ValRow{"exponent", "1.5E3", 1500},
        ValRow{"exponent_lower_negative", "1.5e-3", 0.0015},
        ValRow{"exponent_d", "2D2", 200},
        ValRow{"site_file_exponent", "1.234568E+08", 123456800},
        ValRow{"exponent_without_digits", "12E", 12},
        ValRow{"exponent_sign_without_digits", "1E+", 1},
        ValRow{"exponent_then_letter", "1Ex", 1},
        ValRow{"no_radix_prefix", "&H10", 0},
        ValRow{"double_sign", "--5", 0},
        ValRow{"mixed_signs", "+-5", 0},
        ValRow{"sign_only", "-", 0},
        ValRow{"point_only", ".", 0},
        ValRow{"negative_zero", "-0", 0},
        ValRow{"fullwidth_blank_is_no_blank", QStringLiteral(u"　12"), 0},
        ValRow{"fullwidth_digits_are_no_digits", QStringLiteral(u"１２"), 0},
        // A zone text "公共座標9系" cut after 公共: "9系".
        ValRow{"digit_before_kanji", QStringLiteral(u"9系"), 9},
        // An id made of a letter and 000123, read behind the letter.
        ValRow{"leading_zeros", "000123", 123},
        ValRow{"beyond_double", "1e400", 0},
        ValRow{"below_double", "1e-400", 0},
        ValRow{"long_digit_run", "123456789012345678901234567890123456789012345678901234567890123456789",
               1.23456789012345678901234567890123456789e68}),
    [](const auto& info) { return std::string(info.param.name); });

// What the writers put out reads back as the same value, for values that
// have no more digits than the text keeps (15, or 7 in single precision).
TEST(Val, ReadsBackTheNumberTextsOfTheWriters)
{
    for (const double v : {0.0, 12.0, -3.5, 0.5, -0.25, 1e-5, 1.5e20, 12345678.9, -1234.56,
                           123456789012345.0, -0.000123456789012345}) {
        EXPECT_EQ(Val(Str(v)), v) << v;
        EXPECT_EQ(Val(CStr(v)), v) << v;
    }
    for (const float f : {0.1f, 1.2f, -0.25f, -1234.56f, 1e-5f}) {
        EXPECT_EQ(float(Val(StrSingle(f))), f) << f;
    }
}

// leadingNumber tells a text that starts with 0 from one that does not
// start with a number, which Val reads as 0 alike.
TEST(LeadingNumber, GivesValsNumberOrNothingWhenTheTextDoesNotStartWithOne)
{
    const struct {
        const char* text;
        std::optional<double> expected;
    } rows[] = {
        {"123.4,\"hsrc\"", 123.4}, {" -.5x", -0.5}, {"0", 0.0}, {"0.0m", 0.0}, {"1 2", 12.0},
        {"\"-----\",\"h", std::nullopt}, {"-----", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt},
        {"abc", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"1E999", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::leadingNumber(QString::fromLatin1(row.text)), row.expected) << row.text;
}

struct CheckedRow {
    const char* name;
    QString text;
    std::optional<double> expected;
};

class NumberChecked : public testing::TestWithParam<CheckedRow> {};

TEST_P(NumberChecked, AcceptsOnlyWholeNumbers)
{
    EXPECT_EQ(toNumberChecked(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, NumberChecked,
    testing::Values(
        CheckedRow{"integer", "12", 12.0},
        CheckedRow{"blanks_around", " -1.5E3 ", -1500.0},
        CheckedRow{"tab_around", "\t7\t", 7.0},
        CheckedRow{"point_first", ".5", 0.5},
        CheckedRow{"empty", "", std::nullopt},
        CheckedRow{"blanks_only", "   ", std::nullopt},
        CheckedRow{"trailing_letter", "12a", std::nullopt},
        CheckedRow{"blank_inside", "1 2", std::nullopt},
        CheckedRow{"thousands_separator", "1,234", std::nullopt},
        CheckedRow{"incomplete_exponent", "12E", std::nullopt},
        CheckedRow{"sign_only", "-", std::nullopt},
        CheckedRow{"beyond_double", "1e400", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- rounding ----------------------------------------------------------------

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    struct Row {
        double in, out;
    };
    for (const Row r : {Row{0.5, 0}, Row{1.5, 2}, Row{2.5, 2}, Row{3.5, 4}, Row{-0.5, 0},
                        Row{-1.5, -2}, Row{-2.5, -2}, Row{12.5, 12}, Row{13.5, 14},
                        Row{2.4999999, 2}, Row{2.5000001, 3}, Row{-2.5000001, -3},
                        Row{0.49999999999999994, 0}, Row{4503599627370497.0, 4503599627370497.0}}) {
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
    }
    EXPECT_TRUE(std::isnan(roundHalfEven(kNaN)));
    EXPECT_EQ(roundHalfEven(kInf), kInf);
}

template <typename T>
struct WholeRow {
    double in;
    std::optional<T> out;
};

TEST(WholeNumbers, LongRefusesWhatRoundsOutOfRange)
{
    for (const auto& r : {WholeRow<std::int32_t>{2147483647.4, 2147483647},
                          WholeRow<std::int32_t>{2147483647.5, std::nullopt},
                          WholeRow<std::int32_t>{-2147483648.5, -2147483648},
                          WholeRow<std::int32_t>{-2147483648.6, std::nullopt},
                          WholeRow<std::int32_t>{-2147483649.0, std::nullopt},
                          WholeRow<std::int32_t>{500000.5, 500000},
                          WholeRow<std::int32_t>{kNaN, std::nullopt},
                          WholeRow<std::int32_t>{kInf, std::nullopt}}) {
        EXPECT_EQ(toLongChecked(r.in), r.out) << r.in;
    }
}

TEST(WholeNumbers, IntegerRefusesWhatRoundsOutOfRange)
{
    for (const auto& r : {WholeRow<std::int16_t>{32766.5, 32766},
                          WholeRow<std::int16_t>{32767.5, std::nullopt},
                          WholeRow<std::int16_t>{-32768.5, -32768},
                          WholeRow<std::int16_t>{-32769.0, std::nullopt},
                          WholeRow<std::int16_t>{40000.0, std::nullopt},
                          WholeRow<std::int16_t>{-1.5, -2}}) {
        EXPECT_EQ(toIntegerChecked(r.in), r.out) << r.in;
    }
}

TEST(WholeNumbers, ByteRefusesWhatRoundsOutOfRange)
{
    for (const auto& r : {WholeRow<std::uint8_t>{254.5, 254}, WholeRow<std::uint8_t>{255.5, std::nullopt},
                          WholeRow<std::uint8_t>{255.4, 255}, WholeRow<std::uint8_t>{-0.5, 0},
                          WholeRow<std::uint8_t>{-0.6, std::nullopt},
                          WholeRow<std::uint8_t>{300.0, std::nullopt},
                          WholeRow<std::uint8_t>{-1.0, std::nullopt}}) {
        EXPECT_EQ(toByteChecked(r.in), r.out) << r.in;
    }
}

TEST(WholeNumbers, UncheckedFormsRoundHalfEvenAndClamp)
{
    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(-3.5), -4);
    EXPECT_EQ(CLng(1e20), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CLng(-1e20), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(CLng(kNaN), 0);
    EXPECT_EQ(CInt(12.5), 12);
    EXPECT_EQ(CInt(13.5), 14);
    EXPECT_EQ(CInt(99999.0), 32767);
    EXPECT_EQ(CByte(0.5), 0);
    EXPECT_EQ(CByte(1.5), 2);
    EXPECT_EQ(CByte(-3.0), 0);
    EXPECT_EQ(CByte(300.0), 255);
    EXPECT_EQ(CByte(kNaN), 0);
}

// ---- number texts -------------------------------------------------------------

struct TextRow {
    const char* name;
    double value;
    const char* str;   // Str
    const char* cstr;  // CStr
};

class DoubleTexts : public testing::TestWithParam<TextRow> {};

TEST_P(DoubleTexts, MatchTheRuntimeForms)
{
    EXPECT_EQ(Str(GetParam().value), QString::fromLatin1(GetParam().str));
    EXPECT_EQ(CStr(GetParam().value), QString::fromLatin1(GetParam().cstr));
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, DoubleTexts,
    testing::Values(
        TextRow{"whole", 12, " 12", "12"},
        TextRow{"negative", -3.5, "-3.5", "-3.5"},
        TextRow{"half", 0.5, " .5", "0.5"},
        TextRow{"negative_quarter", -0.25, "-.25", "-0.25"},
        TextRow{"zero", 0, " 0", "0"},
        TextRow{"negative_zero", -0.0, " 0", "0"},
        TextRow{"ten_thousandth_fixed", 0.0001, " .0001", "0.0001"},
        TextRow{"hundred_thousandth_exponent", 1e-5, " 1E-05", "1E-05"},
        TextRow{"negative_small", -1.5e-10, "-1.5E-10", "-1.5E-10"},
        TextRow{"fifteen_digits_fixed", 1e14, " 100000000000000", "100000000000000"},
        TextRow{"sixteen_digits_exponent", 1e15, " 1E+15", "1E+15"},
        TextRow{"rounded_to_fifteen", 123456789012345678.0, " 1.23456789012346E+17",
                "1.23456789012346E+17"},
        TextRow{"three_digit_exponent", 1e100, " 1E+100", "1E+100"},
        TextRow{"binary_noise_hidden", 0.1 + 0.2, " .3", "0.3"},
        TextRow{"third", 1.0 / 3.0, " .333333333333333", "0.333333333333333"},
        // Print sizes and corners: 500, -12345, 1250.5.
        TextRow{"print_denominator", 500, " 500", "500"},
        TextRow{"print_corner", -12345, "-12345", "-12345"},
        TextRow{"print_corner_half", 1250.5, " 1250.5", "1250.5"},
        TextRow{"site_coordinate", -34567.891, "-34567.891", "-34567.891"},
        TextRow{"not_a_number", kNaN, " 0", "0"},
        TextRow{"infinity", kInf, " 0", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SingleRow {
    const char* name;
    float value;
    const char* str;
    const char* cstr;
};

class SingleTexts : public testing::TestWithParam<SingleRow> {};

TEST_P(SingleTexts, HaveSevenSignificantDigits)
{
    EXPECT_EQ(StrSingle(GetParam().value), QString::fromLatin1(GetParam().str));
    EXPECT_EQ(CStrSingle(GetParam().value), QString::fromLatin1(GetParam().cstr));
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, SingleTexts,
    testing::Values(
        SingleRow{"tenth", 0.1f, " .1", "0.1"},
        SingleRow{"keypad_factor", 1.2f, " 1.2", "1.2"},
        SingleRow{"large_exponent", 123456789.0f, " 1.234568E+08", "1.234568E+08"},
        SingleRow{"seven_digits_fixed", 1234567.0f, " 1234567", "1234567"},
        SingleRow{"eight_digits_exponent", 12345678.0f, " 1.234568E+07", "1.234568E+07"},
        SingleRow{"pi", 3.14159265f, " 3.141593", "3.141593"},
        SingleRow{"negative_quarter", -0.25f, "-.25", "-0.25"},
        SingleRow{"small", 1e-5f, " 1E-05", "1E-05"},
        SingleRow{"coordinate", -1234.56f, "-1234.56", "-1234.56"}),
    [](const auto& info) { return std::string(info.param.name); });

// A track record as the GPS program builds it from Str texts, blanks removed:
// X 123.456, Y -234.5, H .5 (single).
TEST(NumberTexts, TrackRecordFieldsAfterBlankRemoval)
{
    const QString line = "A01,7,9:05:07," + Str(123.456).trimmed() + "," + Str(-234.5).trimmed() +
                         "," + StrSingle(0.5f).trimmed() + ",";
    EXPECT_EQ(line, "A01,7,9:05:07,123.456,-234.5,.5,");
    EXPECT_EQ("3," + CStr(-0.25) + "," + CStr(100) + ",,20", "3,-0.25,100,,20");
}

}  // namespace

// ---- plain number texts (no exponent) ---------------------------------------------

struct PlainRow {
    const char* name;
    double value;
    const char* text;
};

class PlainTexts : public testing::TestWithParam<PlainRow> {};

TEST_P(PlainTexts, AreTheDigitsOfStrWithoutAnExponent)
{
    EXPECT_EQ(plainNumberText(GetParam().value), QString::fromLatin1(GetParam().text));
    std::array<char, platform::kPlainNumberTextMax> out{};
    const std::size_t n = writePlainNumberText(GetParam().value, out.data());
    EXPECT_EQ(QByteArray(out.data(), qsizetype(n)), QByteArray(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, PlainTexts,
    testing::Values(
        PlainRow{"longitude", 139.83333333333334, "139.833333333333"},
        PlainRow{"latitude_rounded_to_fifteen", 35.123456789012345678, "35.1234567890123"},
        PlainRow{"whole", 12, "12"},
        PlainRow{"half_without_zero", 0.5, ".5"},
        PlainRow{"negative_quarter", -0.25, "-.25"},
        PlainRow{"negative_whole", -3, "-3"},
        PlainRow{"zero", 0, "0"},
        PlainRow{"negative_zero", -0.0, "0"},
        PlainRow{"hundred_thousandth_written_out", 1e-5, ".00001"},
        PlainRow{"small_negative_written_out", -1.5e-10, "-.00000000015"},
        PlainRow{"sixteen_digits_written_out", 1e15, "1000000000000000"},
        PlainRow{"rounded_large_written_out", 123456789012345678.0, "123456789012346000"},
        PlainRow{"rounding_carries_into_a_new_digit", 9.9999999999999999, "10"},
        PlainRow{"binary_noise_hidden", 0.1 + 0.2, ".3"},
        PlainRow{"exact_half_to_even_down", 100000000000000.5, "100000000000000"},
        PlainRow{"exact_half_to_even_up", 100000000000001.5, "100000000000002"},
        PlainRow{"smallest_of_the_fast_range", 1e-5, ".00001"},
        PlainRow{"below_the_fast_range", 9.87654321e-6, ".00000987654321"},
        PlainRow{"largest_below_1e15", 999999999999999.9, "1000000000000000"},
        PlainRow{"just_below_a_power_of_ten", 0.09999999999999999, ".1"},
        PlainRow{"not_a_number", kNaN, "0"},
        PlainRow{"infinity", -kInf, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// Wherever Str writes no exponent, the plain text is Str's text trimmed.
TEST(PlainTexts, EqualTrimmedStrWhereStrHasNoExponent)
{
    for (double v : {1e-4, 0.00123456789012345, 1.0 / 7.0, 35.6581, -139.7454, 12345.678901234567,
                     99999999999999.9, 1e14, -0.75}) {
        ASSERT_FALSE(Str(v).contains(u'E')) << v;
        EXPECT_EQ(plainNumberText(v), Str(v).trimmed()) << v;
    }
}

// The digits come from the shortest text that reads back, rounded to 15
// digits; they must equal the exact 15-digit printing everywhere, also for
// values whose 16th digit is a 5 (written as decimals with 16 digits, so
// the double lies just above or just below the half).
TEST(PlainTexts, MatchTheExactPrintingOnManyValues)
{
    std::uint64_t state = 12345;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    int compared = 0;
    for (int k = 0; k < 200000; ++k) {
        double v = 0;
        if (k % 2 == 0) {
            // 16 significant digits ending in 5, times a power of ten.
            const double digits = double(1000000000000000ULL + next() % 9000000000000000ULL) / 10 * 10 + 5;
            v = digits * std::pow(10.0, int(next() % 24) - 20);
        } else {
            v = double(next()) / double(1ULL << 53) * std::pow(10.0, int(next() % 18) - 4);
        }
        if (k % 3 == 0)
            v = -v;
        const QString str = Str(v).trimmed();
        if (str.contains(u'E') || v == 0)
            continue;
        ASSERT_EQ(plainNumberText(v), str) << std::setprecision(17) << v;
        ++compared;
    }
    EXPECT_GT(compared, 150000);
}

// The extremes of double fit the text without an exponent.
TEST(PlainTexts, ExtremesAreWrittenOutInFull)
{
    const QString largest = plainNumberText(std::numeric_limits<double>::max());
    EXPECT_EQ(largest.size(), 309);
    EXPECT_TRUE(largest.startsWith(QStringLiteral("179769313486232"))) << largest.toStdString();
    const QString smallest = plainNumberText(-std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(smallest, QStringLiteral("-.") + QString(323, u'0') + QStringLiteral("494065645841247"));
}
