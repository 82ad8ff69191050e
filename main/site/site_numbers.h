// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The plain number forms of the site files ("-1234.56", " 12", ".5"), read
// straight from CP932 bytes: the site files hold millions of numbers. Inline
// so that the readers' row loops take them in. Internal to the site files
// (site_text.h).

#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace tavelcor::sitetext::plain {

// Powers of ten a double holds exactly.
inline constexpr std::array<double, 16> kExactPowersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// More digits than this may not fit the 53 bits of a double's mantissa.
inline constexpr int kFastDigits = 15;

// The parts of a plain number text "[blanks][sign]digits[.digits][blanks]".
struct Parts {
    bool negative = false;
    std::int64_t mantissa = 0;  // every digit, the point left out
    int decimals = -1;          // digits after the point; -1: no point
};

// The value of the parts: the mantissa and the power of ten are both exact,
// so their quotient is the correctly rounded value of the decimal text, the
// same double a full parser gives.
inline double valueOf(const Parts& parts)
{
    if (parts.mantissa == 0)
        return 0.0;  // never -0
    double value = static_cast<double>(parts.mantissa);
    if (parts.decimals > 0)
        value /= kExactPowersOfTen[static_cast<std::size_t>(parts.decimals)];
    return parts.negative ? -value : value;
}

// The whole number of parts without decimals as a T: nullopt when it does
// not fit T (as the checked conversions refuse it).
template <typename T>
std::optional<T> wholeAs(const Parts& parts)
{
    const std::int64_t value = parts.negative ? -parts.mantissa : parts.mantissa;
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(value);
}

// The digits from p on (up to end) into mantissa, one by one (the numbers
// of the site files are short: a word-at-a-time reading was slower); returns
// how many there were. Stops after 19, which the mantissa still holds.
[[gnu::always_inline]] inline int appendDigits(const char*& p, const char* end, std::uint64_t& mantissa)
{
    const char* const first = p;
    for (unsigned d; p != end && (d = static_cast<unsigned>(*p) - unsigned('0')) <= 9 && p - first < 19; ++p)
        mantissa = mantissa * 10 + d;
    return static_cast<int>(p - first);
}

// True when p (before end) holds a digit.
inline bool digitAt(const char* p, const char* end)
{
    return p != end && static_cast<unsigned>(*p) - unsigned('0') <= 9;
}

// The plain form at p of a field that ends at the first comma at or after
// p (or at end): when the bytes from p are one, sets parts and stop (the
// comma or end) and returns true; false for anything else.
[[gnu::always_inline]] inline bool partsUpTo(const char* p, const char* const end, Parts& parts, const char*& stop)
{
    while (p != end && *p == ' ')
        ++p;
    if (p != end && (*p == '-' || *p == '+')) {
        parts.negative = *p == '-';
        ++p;
    }
    std::uint64_t mantissa = 0;
    int digits = appendDigits(p, end, mantissa);
    if (p != end && *p == '.' && digits <= kFastDigits) {
        ++p;
        parts.decimals = appendDigits(p, end, mantissa);
        digits += parts.decimals;
    }
    if (digitAt(p, end))
        return false;  // more digits than the mantissa holds
    while (p != end && *p == ' ')
        ++p;
    if ((p != end && *p != ',') || digits == 0 || digits > kFastDigits)
        return false;
    parts.mantissa = static_cast<std::int64_t>(mantissa);
    stop = p;
    return true;
}

// The plain form of the bytes [p, end); false for anything else.
[[gnu::always_inline]] inline bool partsOfBytes(const char* p, const char* const end, Parts& parts)
{
    const char* stop = end;
    return p != end && partsUpTo(p, end, parts, stop) && stop == end;
}

}  // namespace tavelcor::sitetext::plain
