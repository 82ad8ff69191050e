// SPDX-License-Identifier: LicenseRef-Tavelcor
// FormatFixed computes its digits with integer arithmetic on the double's
// binary value. These tests hold it to the formatter it replaced, which
// printed exact digits with std::to_chars and rounded them by hand: the same
// texts for millions of numbers of every magnitude, width and number of
// decimals, halves and the numbers next to them, negatives, tiny and
// subnormal numbers, numbers too long for their width and numbers that are
// not finite.
#include "geodesy/format_fixed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <ostream>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// The previous formatter, unchanged: the reference.
namespace reference {

constexpr int kMaxDecimals = 9;
constexpr std::size_t kLeadingBlanks = 15;

// Extra digits printed beyond the wanted decimals before rounding by hand.
// A double that lies within one unit in the last place of a half is at most
// 2^-53 relative away from it, so 25 further exact digits always tell a half
// or more from less than a half.
constexpr int kGuardDigits = 25;

double biasFor(int decimals)
{
    switch (decimals) {
    case 7: return 1e-8;
    case 8: return 1e-9;
    case 9: return 1e-10;
    default: return 1e-7;
    }
}

// The sign, the digits and the point of one formatted number, built in place
// without allocating.
class NumberText {
public:
    // |value| rounded to `decimals` decimals, halves away from zero, on the
    // exact binary value; to_chars prints exact digits in the C locale.
    NumberText(double magnitude, int decimals, bool negative);
    std::string_view view() const { return {mBuffer.data() + mBegin, mEnd - mBegin}; }

private:
    bool isZero() const;
    void roundUpLastDigit();

    // Room for the sign, a carried digit, 309 integer digits of the largest
    // double, the point, the decimals and the guard digits.
    std::array<char, 400> mBuffer{};
    std::size_t mBegin = 2;
    std::size_t mEnd = 2;
};

NumberText::NumberText(double magnitude, int decimals, bool negative)
{
    char* const first = mBuffer.data() + mBegin;
    const auto [last, ec] = std::to_chars(first, mBuffer.data() + mBuffer.size(), magnitude,
                                          std::chars_format::fixed, decimals + kGuardDigits);
    if (ec != std::errc{})
        return;
    const std::string_view printed(first, static_cast<std::size_t>(last - first));
    const std::size_t point = printed.find('.');
    const std::size_t kept = decimals == 0 ? point : point + 1 + static_cast<std::size_t>(decimals);
    const char firstDropped = printed[point + 1 + static_cast<std::size_t>(decimals)];
    mEnd = mBegin + kept;
    if (firstDropped >= '5')
        roundUpLastDigit();
    if (negative && !isZero())
        mBuffer[--mBegin] = '-';
}

void NumberText::roundUpLastDigit()
{
    for (std::size_t i = mEnd; i-- > mBegin;) {
        char& c = mBuffer[i];
        if (c == '.')
            continue;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    mBuffer[--mBegin] = '1';
}

bool NumberText::isZero() const
{
    const std::string_view text = view();
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '.'; });
}


std::string formatFixed(double value, int width, int decimals)
{
    if (width < 0)
        return {};
    if (decimals < 0 || decimals > kMaxDecimals || !std::isfinite(value))
        return std::string(static_cast<std::size_t>(std::min(width, 15)), ' ');

    const double bias = biasFor(decimals);
    double biased = value;
    if (value > 0)
        biased = value + bias;
    else if (value < 0)
        biased = value - bias;

    const NumberText number(std::fabs(biased), decimals, biased < 0);
    const std::string_view text = number.view();

    // 15 blanks in front, then the last `width` characters of the whole.
    const std::size_t whole = kLeadingBlanks + text.size();
    const std::size_t length = std::min(static_cast<std::size_t>(width), whole);
    std::string result;
    result.reserve(length);
    if (length > text.size())
        result.append(length - text.size(), ' ');
    const std::size_t cut = length < text.size() ? text.size() - length : 0;
    result.append(text.substr(cut));
    return result;
}

}  // namespace reference

struct Case {
    double value;
    int width;
    int decimals;
};

using Random = std::mt19937_64;

std::string describe(const Case& c)
{
    std::array<char, 160> text{};
    std::snprintf(text.data(), text.size(), "%a (%.17g), width %d, decimals %d", c.value, c.value, c.width,
                  c.decimals);
    return text.data();
}

double uniform(Random& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

int between(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

double withRandomSign(Random& random, double magnitude)
{
    return between(random, 0, 1) == 0 ? magnitude : -magnitude;
}

// Mostly the widths and decimals writers use, sometimes ones out of range.
int anyWidth(Random& random)
{
    const int pick = between(random, 0, 99);
    return pick < 3 ? between(random, -3, -1) : pick < 6 ? between(random, 31, 60) : between(random, 0, 30);
}

int anyDecimals(Random& random)
{
    const int pick = between(random, 0, 99);
    return pick < 2 ? between(random, -3, -1) : pick < 4 ? between(random, 10, 12) : between(random, 0, 9);
}

double biasOf(int decimals)
{
    return decimals == 7 ? 1e-8 : decimals == 8 ? 1e-9 : decimals == 9 ? 1e-10 : 1e-7;
}

// Moves a value by a few units in the last place either way.
double nudged(Random& random, double value)
{
    const int steps = between(random, -3, 3);
    const double toward = steps < 0 ? -std::numeric_limits<double>::infinity()
                                    : std::numeric_limits<double>::infinity();
    for (int i = 0; i < std::abs(steps); ++i)
        value = std::nextafter(value, toward);
    return value;
}

// Any magnitude from 1e-12 to 1e22, either sign.
Case magnitudes(Random& random)
{
    const double value = withRandomSign(random, std::pow(10.0, uniform(random, -12.0, 22.0)));
    return {value, anyWidth(random), anyDecimals(random)};
}

// Values on a rounding half after the bias (and without it), and the values
// a few units in the last place beside them: (k + 0.5) / 10^d - bias.
Case halves(Random& random)
{
    const int decimals = between(random, 0, 9);
    const int digits = between(random, 0, 17 - decimals);
    const double whole = std::floor(uniform(random, 0.0, std::pow(10.0, digits)));
    double value = (whole + 0.5) / std::pow(10.0, decimals);
    if (between(random, 0, 1) == 0)
        value -= biasOf(decimals);
    return {withRandomSign(random, nudged(random, value)), between(random, 0, 25), decimals};
}

// Tiny numbers down to the subnormal ones.
Case tiny(Random& random)
{
    const double value = withRandomSign(random, std::pow(10.0, uniform(random, -323.0, -5.0)));
    return {value, anyWidth(random), anyDecimals(random)};
}

// Any bit pattern: every exponent, subnormals, infinities and NaNs.
Case anyBits(Random& random)
{
    return {std::bit_cast<double>(random()), anyWidth(random), anyDecimals(random)};
}

// Texts near their width: cut by a few characters, exact, or padded.
Case nearTheWidth(Random& random)
{
    const int decimals = between(random, 0, 9);
    const int digits = between(random, 1, 16);
    const double value = withRandomSign(random, uniform(random, 0.0, std::pow(10.0, digits)));
    const int textLength = digits + (decimals > 0 ? decimals + 1 : 0);
    return {value, std::max(0, textLength + between(random, -4, 4)), decimals};
}

// Where the integer arithmetic changes ways: products of the mantissa and
// 10^d near 2^64, exponents near 0 and near 2^52 and 2^53, powers of two.
Case integerLimits(Random& random)
{
    const int decimals = between(random, 0, 9);
    double value = 0.0;
    switch (between(random, 0, 3)) {
    case 0: value = 0x1p64 / std::pow(10.0, decimals) * uniform(random, 0.999, 1.001); break;
    case 1: value = std::ldexp(1.0, between(random, 40, 70)); break;
    case 2: value = std::ldexp(uniform(random, 1.0, 2.0), between(random, 50, 56)); break;
    default: value = std::ldexp(1.0, between(random, -140, 0)); break;
    }
    return {withRandomSign(random, nudged(random, value)), between(random, 0, 40), decimals};
}

// What the writers format: zone coordinates (±300 km) with 3 decimals in 11
// columns, heights in 8, drawing coordinates with 2 decimals in 10, as
// typed decimals (k / 1000) and as computed values.
Case siteNumbers(Random& random)
{
    static constexpr std::array<std::array<int, 2>, 3> kFields = {{{11, 3}, {8, 3}, {10, 2}}};
    const auto& field = kFields[static_cast<std::size_t>(between(random, 0, 2))];
    double value = uniform(random, -300000.0, 300000.0);
    if (between(random, 0, 1) == 0)
        value = std::round(value * 1000.0) / 1000.0;
    return {value, field[0], field[1]};
}

struct Family {
    const char* name;
    std::size_t count;
    Case (*next)(Random&);
};

void PrintTo(const Family& family, std::ostream* out)
{
    *out << family.name;
}

const Family kFamilies[] = {
    {"magnitudes", 1000000, &magnitudes},
    {"halves", 1000000, &halves},
    {"tiny", 300000, &tiny},
    {"any_bits", 500000, &anyBits},
    {"near_the_width", 500000, &nearTheWidth},
    {"integer_limits", 400000, &integerLimits},
    {"site_numbers", 500000, &siteNumbers},
};

class SameTextsAsTheReference : public testing::TestWithParam<Family> {};

TEST_P(SameTextsAsTheReference, ForRandomNumbersOfTheFamily)
{
    const Family& family = GetParam();
    Random random(std::hash<std::string_view>{}(family.name));
    std::size_t differences = 0;
    for (std::size_t i = 0; i < family.count; ++i) {
        const Case c = family.next(random);
        const std::string ours = geodesy::FormatFixed(c.value, c.width, c.decimals);
        const std::string expected = reference::formatFixed(c.value, c.width, c.decimals);
        if (ours != expected && ++differences <= 10)
            ADD_FAILURE() << describe(c) << ": \"" << ours << "\", the reference \"" << expected << '"';
    }
    EXPECT_EQ(differences, 0u);
}

INSTANTIATE_TEST_SUITE_P(FormatFixed, SameTextsAsTheReference, testing::ValuesIn(kFamilies),
                         [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

// Chosen values at every width from -1 to 24 and every number of decimals
// from -1 to 10.
TEST(FormatFixedReference, SameTextsForChosenValuesAtEveryWidthAndDecimals)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const double chosen[] = {
        0.0, -0.0, kInfinity, -kInfinity, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
        0.5, 1.5, 2.5, -2.5, 0.05, 0.005, 1.005, 0.0000005, 0.49999999, 0.9999999999,
        999.9999, 9.5, -9.5, 1e15 + 0.5, 0x1p52, 0x1p53, 0x1p53 + 2.0, 0x1p63, 0x1p64,
        18446744073709551616.0 / 1e9, 18446744073709551616.0 / 1e3, 123456.789, -123456.789,
        12345678901.0, 34567.8915, 12.3455, 0.1234567895, 100.00000005, 1.000000005,
    };
    std::size_t differences = 0;
    for (const double value : chosen) {
        for (const double number : {value, -value}) {
            for (int width = -1; width <= 24; ++width) {
                for (int decimals = -1; decimals <= 10; ++decimals) {
                    const std::string ours = geodesy::FormatFixed(number, width, decimals);
                    const std::string expected = reference::formatFixed(number, width, decimals);
                    if (ours != expected && ++differences <= 10)
                        ADD_FAILURE() << describe({number, width, decimals}) << ": \"" << ours
                                      << "\", the reference \"" << expected << '"';
                }
            }
        }
    }
    EXPECT_EQ(differences, 0u);
}

}  // namespace
