// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "geodesy/format_fixed.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace geodesy {
namespace {

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

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would take "inf" and "nan"; they are not numbers here.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.'))
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals)
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

std::optional<std::string> FormatFixedText(std::string_view text, int width, int decimals)
{
    if (width < 0)
        return std::nullopt;
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    return FormatFixed(*value, width, decimals);
}

}  // namespace geodesy
