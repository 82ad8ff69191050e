// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixed-width number text: rounding, bias, cutting and padding.
#include "geodesy/format_fixed.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct FixedCase {
    const char* name;
    double value;
    int width;
    int decimals;
    const char* expected;
};

// Rows name where the expectation comes from: the known worked examples, or a
// hand computation of "bias, round half away from zero, 15 blanks, right cut".
const FixedCase kFixedCases[] = {
    {"stored_1_005_rounds_up_by_bias", 1.005, 10, 2, "      1.01"},
    {"zero_two_decimals", 0.0, 5, 2, " 0.00"},
    {"negative_half_away_from_zero", -2.5, 6, 0, "    -3"},
    {"positive_half_away_from_zero", 2.5, 6, 0, "     3"},
    {"width_beyond_15_blanks_stops_at_15", 7.0, 20, 0, "               7"},
    {"too_long_loses_leading_characters", 123456.789, 6, 2, "456.79"},
    {"too_long_negative_loses_sign", -123456.789, 9, 2, "123456.79"},
    {"exact_width", 123456.789, 9, 2, "123456.79"},
    {"decimals_10_give_width_blanks", 1.0, 8, 10, "        "},
    {"decimals_10_wide_give_15_blanks", 1.0, 30, 10, "               "},
    {"negative_decimals_give_blanks", 1.0, 4, -1, "    "},
    {"dat_file_coordinate", -12345.678, 10, 2, " -12345.68"},
    {"sima_coordinate", 34567.8915, 11, 3, "  34567.892"},
    {"sima_height", 12.3455, 8, 3, "  12.346"},
    {"nine_decimals_bias_1e_10", 0.1234567895, 12, 9, " 0.123456790"},
    {"seven_decimals", 100.00000005, 12, 7, " 100.0000001"},
    {"eight_decimals", 1.000000005, 11, 8, " 1.00000001"},
    {"carry_into_new_digit", 999.9999, 8, 2, " 1000.00"},
    {"carry_whole_number", 9.5, 3, 0, " 10"},
    {"negative_rounding_to_zero_has_no_sign", -0.001, 6, 2, "  0.00"},
    {"negative_zero", -0.0, 4, 1, " 0.0"},
    {"width_zero_is_empty", 5.0, 0, 2, ""},
    {"integer_part_never_cut_by_pattern", 12345678901.0, 15, 0, "    12345678901"},
    {"large_value_exact_half_goes_away", 1e15 + 0.5, 18, 0, "  1000000000000001"},
    {"large_negative_exact_half_goes_away", -(1e15 + 0.5), 18, 0, " -1000000000000001"},
    {"tiny_positive", 1e-300, 6, 3, " 0.000"},
    {"angle_text_form", 5.073, 8, 4, "  5.0730"},
    {"angle_text_form_270", 270.0, 8, 4, "270.0000"},
};

class FormatFixedTable : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTable, GivesExpectedText)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(geodesy::FormatFixed(c.value, c.width, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatFixedTable, testing::ValuesIn(kFixedCases),
                         [](const testing::TestParamInfo<FixedCase>& info) { return std::string(info.param.name); });

TEST(FormatFixed, NegativeWidthGivesEmptyText)
{
    EXPECT_EQ(geodesy::FormatFixed(1.5, -1, 2), "");
}

TEST(FormatFixed, NonFiniteValuesGiveBlanksNotGarbage)
{
    EXPECT_EQ(geodesy::FormatFixed(std::numeric_limits<double>::quiet_NaN(), 6, 2), "      ");
    EXPECT_EQ(geodesy::FormatFixed(std::numeric_limits<double>::infinity(), 20, 2), std::string(15, ' '));
}

TEST(FormatFixed, LargestDoubleIsWrittenInFull)
{
    const std::string text = geodesy::FormatFixed(std::numeric_limits<double>::max(), 400, 2);
    ASSERT_EQ(text.size(), 15u + 309u + 3u);
    EXPECT_EQ(text.substr(15, 6), "179769");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

// The writers of the site files rely on every value coming back from its
// text: within half a unit of the last decimal, for a spread of magnitudes.
TEST(FormatFixed, TextReadsBackWithinHalfAUnit)
{
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const double unit = std::pow(10.0, -decimals);
        for (double v = -98765.4321987; v < 98765.4321987; v += 1234.56789012345) {
            const std::string text = geodesy::FormatFixed(v, 30, decimals);
            double back = 0;
            const char* first = text.data() + text.find_first_not_of(' ');
            std::from_chars(first, text.data() + text.size(), back);
            EXPECT_LE(std::fabs(back - v), unit / 2 + 1e-7) << v << " " << decimals << " '" << text << "'";
        }
    }
}

struct TextCase {
    const char* text;
    int width;
    int decimals;
    const char* expected;  // nullptr: not a number
};

const TextCase kTextCases[] = {
    {"1.005", 10, 2, "      1.01"},
    {" -2.5 ", 6, 0, "    -3"},
    {"+3", 4, 1, " 3.0"},
    {".5", 4, 1, " 0.5"},
    {"1e3", 8, 2, " 1000.00"},
    {"", 4, 0, nullptr},
    {"   ", 4, 0, nullptr},
    {"abc", 4, 0, nullptr},
    {"12abc", 4, 0, nullptr},
    {"nan", 4, 0, nullptr},
    {"inf", 4, 0, nullptr},
    {"--1", 4, 0, nullptr},
    {"1", -1, 0, nullptr},
};

TEST(FormatFixedText, ParsesNumbersAndRefusesOtherTexts)
{
    for (const TextCase& c : kTextCases) {
        const auto result = geodesy::FormatFixedText(c.text, c.width, c.decimals);
        if (c.expected == nullptr) {
            EXPECT_FALSE(result.has_value()) << "'" << c.text << "'";
        } else {
            ASSERT_TRUE(result.has_value()) << "'" << c.text << "'";
            EXPECT_EQ(*result, c.expected) << "'" << c.text << "'";
        }
    }
}

}  // namespace

namespace {

// The text FixedDigits writes, or "" when it writes none.
std::string fixedDigits(double value, int decimals)
{
    std::array<char, geodesy::kFixedDigitsRoom> out{};
    return std::string(out.data(), geodesy::FixedDigits(value, decimals, out.data()));
}

// FormatFixed's text, whole and without its blanks.
std::string wholeFormatFixed(double value, int decimals)
{
    const std::string text = geodesy::FormatFixed(value, 60, decimals);
    return text.substr(text.find_first_not_of(' '));
}

// The writers' digits are FormatFixed's text: on the rows of the table, on
// halves and near-halves, and on a million random values of every magnitude
// the site files hold, for every number of decimals.
TEST(FixedDigits, AreFormatFixedsTextWithoutBlanks)
{
    std::vector<double> values;
    for (const FixedCase& c : kFixedCases)
        values.push_back(c.value);
    for (double v : {0.0, -0.0, 0.005, -0.005, 1.005, 2.675, -2.675, 0.125, -0.0001, 1e-12, 123456.785,
                     -34000.125, 9999999.995, 1.7e10, -1.7e10, 4294967296.0})
        values.push_back(v);
    std::mt19937_64 random(20250101);
    std::uniform_real_distribution<double> magnitude(-7.0, 10.0);
    std::uniform_int_distribution<int> sign(0, 1);
    for (int i = 0; i < 1000000; ++i)
        values.push_back((sign(random) != 0 ? -1.0 : 1.0) * std::pow(10.0, magnitude(random)));
    // Halves of the last decimal and their neighbours a few units in the
    // last place away, where a quick rounding could go the wrong way.
    std::uniform_int_distribution<std::int64_t> units(0, 999999999);
    for (int i = 0; i < 100000; ++i) {
        const int d = static_cast<int>(i % 4);
        double v = (static_cast<double>(units(random)) + 0.5) / std::pow(10.0, d);
        for (int step = 0; step < 3; ++step) {
            values.push_back(v);
            v = std::nextafter(v, step == 0 ? 0.0 : 1e300);
        }
    }
    for (const double v : values) {
        for (int d = 0; d <= 9; ++d) {
            const std::string digits = fixedDigits(v, d);
            if (digits.empty())
                continue;  // left to FormatFixed (magnitudes beyond the room)
            ASSERT_EQ(digits, wholeFormatFixed(v, d)) << v << " with " << d << " decimals";
        }
        ASSERT_FALSE(fixedDigits(v, 2).empty() && std::fabs(v) < 1e10) << v;
    }
}

// Whole numbers at every number of digits, around each power of ten, every
// number below 1000 (the in-line form looks those up), random magnitudes
// and the ends of the range.
std::vector<std::uint64_t> wholeNumberCases()
{
    std::vector<std::uint64_t> values{500000, 1000000, 99999999, 100000000,
                                      std::numeric_limits<std::uint64_t>::max()};
    for (std::uint64_t v = 0; v < 1000; ++v)
        values.push_back(v);
    for (std::uint64_t p = 1; p <= 1000000000000000000ULL; p *= 10) {
        for (std::uint64_t v : {p - 1, p, p + 1, 3 * p, 7 * p + 5})
            values.push_back(v);
    }
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i)
        values.push_back(random() >> (random() % 64));
    return values;
}

// The writers' whole numbers, through the called and the in-line form, are
// std::to_chars's digits.
TEST(WholeDigits, AreToCharsDigits)
{
    for (const std::uint64_t v : wholeNumberCases()) {
        std::array<char, 24> expected{};
        const auto [end, ec] = std::to_chars(expected.data(), expected.data() + expected.size(), v);
        const std::string_view want(expected.data(), std::size_t(end - expected.data()));
        std::array<char, geodesy::kWholeDigitsRoom> out{};
        ASSERT_EQ(std::string_view(out.data(), geodesy::WholeDigits(v, out.data())), want) << v;
        std::array<char, geodesy::kWholeDigitsRoom> inlineOut{};
        ASSERT_EQ(std::string_view(inlineOut.data(), geodesy::WholeDigitsInline(v, inlineOut.data())), want)
            << v << " in line";
    }
}

// The values where the writers' in-line forms could go wrong: both signs
// and zero, halves of the last decimal and their neighbours, the largest
// texts of eight digits and the first of nine, carries through every digit,
// values without a finite text, and the magnitudes around the ends of the
// in-line scaling (2^-10 and 2^52).
std::vector<double> writerEdgeValues()
{
    std::vector<double> values{0.0, -0.0, 0.004, -0.004, 0.005, -0.005, 0.0049999, -0.0050001, 0.0005, -0.0005,
                               1.005, -1.005, 2.675, -2.675, 0.125, -0.125, 0.5, -0.5, 12.345, -12.345,
                               999999.99, -999999.99, 999999.994, 999999.995, -999999.995, 999999.996,
                               99999.9994, 99999.9995, -99999.9995, 9999999.995, -9999999.995, 1e8, -1e8,
                               -33700.0, -32199.5, 13000.25, 0x1p-10, 0x1p-11, -0x1p-10, 0x1p52, 0x1p53, 1e-300,
                               -1e-300, 5e-324, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (double p = 1.0; p < 1e9; p *= 10.0) {
        for (double d : {-0.0051, -0.005, -0.0049, 0.0049, 0.005, 0.0051, 0.0005, -0.0005})
            values.push_back(p - 0.01 + d);
    }
    return values;
}

template <int Decimals>
std::string fixedDigitsOf(double value)
{
    std::array<char, geodesy::kFixedDigitsRoom> out{};
    return std::string(out.data(), geodesy::FixedDigitsOf<Decimals>(value, out.data()));
}

// The text of FixedDigitsPairOf, or "" when it leaves the pair to the caller.
template <int Decimals>
std::string fixedDigitsPair(double first, double second)
{
    std::array<char, 2 * geodesy::kFixedDigitsRoom> out{};
    return std::string(out.data(), geodesy::FixedDigitsPairOf<Decimals>(first, second, ',', out.data()));
}

// The in-line form with 2 or 3 decimals is FixedDigits's text, which the
// test above holds to FormatFixed's.
TEST(FixedDigitsOf, IsFixedDigitsText)
{
    std::vector<double> values = writerEdgeValues();
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> magnitude(-4.0, 9.0);
    for (int i = 0; i < 300000; ++i)
        values.push_back((i % 2 == 0 ? -1.0 : 1.0) * std::pow(10.0, magnitude(random)));
    for (const double v : values) {
        ASSERT_EQ(fixedDigitsOf<2>(v), fixedDigits(v, 2)) << v;
        ASSERT_EQ(fixedDigitsOf<3>(v), fixedDigits(v, 3)) << v;
    }
    EXPECT_EQ(fixedDigitsOf<2>(-0.0), "0.00");
    EXPECT_EQ(fixedDigitsOf<2>(-0.004), "0.00");
    EXPECT_EQ(fixedDigitsOf<2>(-0.005), "-0.01");
    EXPECT_EQ(fixedDigitsOf<2>(999999.995), "1000000.00");
    EXPECT_EQ(fixedDigitsOf<3>(-99999.9995), "-100000.000");
    EXPECT_EQ(fixedDigitsOf<2>(9999999.995), "10000000.00") << "a ninth digit, out of line";
}

// A pair's text is the two texts with the separator between, whenever the
// pair is taken; it is left to the caller only for a number without a
// finite text, one of more than eight digits, or one near a half.
TEST(FixedDigitsPairOf, IsBothTextsWhenTaken)
{
    std::vector<double> values = writerEdgeValues();
    std::mt19937_64 random(31);
    std::uniform_real_distribution<double> magnitude(-4.0, 8.0);
    std::uniform_int_distribution<std::int64_t> units(0, 99999999);
    for (int i = 0; i < 200000; ++i) {
        values.push_back((i % 2 == 0 ? -1.0 : 1.0) * std::pow(10.0, magnitude(random)));
        // Halves of the last decimal and a unit in the last place either side.
        const double half = (static_cast<double>(units(random)) + 0.5) / (i % 3 == 0 ? 1000.0 : 100.0);
        values.push_back(std::nextafter(half, i % 2 == 0 ? 0.0 : 1e9));
        values.push_back(-half);
    }
    std::size_t taken = 0;
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        for (const auto& [first, second] : {std::pair{values[i], values[i + 1]}, std::pair{values[i + 1], values[i]}}) {
            const std::string two = fixedDigitsPair<2>(first, second);
            if (!two.empty()) {
                ++taken;
                ASSERT_EQ(two, fixedDigitsOf<2>(first) + "," + fixedDigitsOf<2>(second)) << first << " " << second;
            } else {
                ASSERT_TRUE(!std::isfinite(first) || !std::isfinite(second) || std::fabs(first) >= 999999.99
                            || std::fabs(second) >= 999999.99 || std::fabs(first * 100.0 - std::round(first * 100.0)) > 0.49
                            || std::fabs(second * 100.0 - std::round(second * 100.0)) > 0.49)
                    << first << " " << second << " left to the caller";
            }
            const std::string three = fixedDigitsPair<3>(first, second);
            if (!three.empty()) {
                ASSERT_EQ(three, fixedDigitsOf<3>(first) + "," + fixedDigitsOf<3>(second)) << first << " " << second;
            }
        }
    }
    EXPECT_GT(taken, values.size()) << "most pairs are taken";
    EXPECT_EQ(fixedDigitsPair<2>(-0.0, 0.004), "0.00,0.00");
    EXPECT_EQ(fixedDigitsPair<2>(-33700.0, 13000.25), "-33700.00,13000.25");
    EXPECT_EQ(fixedDigitsPair<3>(-21700.123, 0.0), "-21700.123,0.000");
    EXPECT_EQ(fixedDigitsPair<2>(999999.995, 1.0), "") << "the first would need nine digits";
    EXPECT_EQ(fixedDigitsPair<2>(1.0, std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(fixedDigitsPair<2>(0.125, 1.0), "0.13,1.00") << "the bias moves a stored half up";
    EXPECT_EQ(fixedDigitsPair<2>(1.0, 0.125 - 1e-7), "") << "a half after the bias goes the exact way";
    EXPECT_EQ(fixedDigitsOf<2>(0.125 - 1e-7), "0.13");
}

TEST(FixedDigits, WriteNothingWhereFormatFixedGivesBlanksOrTheRoomIsTooSmall)
{
    EXPECT_EQ(fixedDigits(std::numeric_limits<double>::quiet_NaN(), 2), "");
    EXPECT_EQ(fixedDigits(std::numeric_limits<double>::infinity(), 2), "");
    EXPECT_EQ(fixedDigits(1.5, -1), "");
    EXPECT_EQ(fixedDigits(1.5, 10), "");
    EXPECT_EQ(fixedDigits(1e300, 2), "") << "FormatFixed writes it in full";
    EXPECT_EQ(fixedDigits(-0.004, 2), "0.00") << "no minus sign on a zero";
}

}  // namespace
