// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The plain number forms of the site files ("-1234.56", " 12", ".5"), read
// straight from CP932 bytes: the site files hold millions of numbers. Inline
// so that the readers' row loops take them in. Internal to the site files
// (site_text.h).

#include <QByteArrayView>

#include <array>
#include <cstring>
#include <cstdint>
#include <limits>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The value of the n (0 to 8) decimal digits in the bytes from p on, with
// 8 bytes readable from p: the digits moved to the top of one word, then
// every two, four and eight digits joined by a multiplication each, so no
// digit waits for the one before it.
[[gnu::always_inline]] inline std::uint64_t eightDigitsAt(const char* p, unsigned n)
{
    if (n == 0)
        return 0;
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    // The n digits to the top bytes of the word (the bytes behind them drop
    // out, zero bytes come in as leading zeros), each byte its digit's value.
    word = (word << (8 * (8 - n))) & 0x0F0F0F0F0F0F0F0FULL;
    word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFULL;
    word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFULL;
    return (word * 10000 + (word >> 32)) & 0xFFFFFFFFULL;
}

inline constexpr std::array<std::uint64_t, 9> kWholePowersOfTen{1,         10,         100,         1000,     10000,
                                                                100000,    1000000,    10000000,    100000000};

// partsUpTo for a field whose row is followed by at least 32 readable
// bytes (platform::LineReader::kLinePadding): the digits before and after
// the point are found with one vector compare and read eight at a time.
// Any form but "[blanks][sign]digits[.digits]" with at most eight digits
// on either side, ending at a comma or the row's end, is left to
// partsUpTo, so both give the same parts for every field.
[[gnu::always_inline]] inline bool partsUpToPadded(const char* const first, const char* const end, Parts& parts,
                                                   const char*& stop)
{
#if defined(__SSE2__)
    const char* p = first;
    while (p != end && *p == ' ')
        ++p;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i offsets = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(offsets, _mm_set1_epi8(9)), offsets);
    const std::ptrdiff_t room = end - p;  // bytes of the row from p on
    const unsigned inRow = room >= 16 ? 0xFFFFU : (1U << room) - 1;
    const unsigned digits = static_cast<unsigned>(_mm_movemask_epi8(digit)) & inRow;
    const unsigned points =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.')))) & inRow;
    const auto whole = static_cast<unsigned>(__builtin_ctz(~digits));  // digits before the point
    unsigned decimals = 0;
    unsigned at = whole;  // where the number ends
    const bool point = ((points >> whole) & 1U) != 0;
    if (point) {
        decimals = static_cast<unsigned>(__builtin_ctz(~(digits >> (whole + 1))));
        at = whole + 1 + decimals;
    }
    const unsigned count = whole + decimals;
    if (whole <= 8 && decimals <= 8 && count != 0 && count <= unsigned(kFastDigits) && at < 16
        && (static_cast<std::ptrdiff_t>(at) == room || p[at] == ',')) [[likely]] {
        const std::uint64_t high = eightDigitsAt(p, whole);
        const std::uint64_t low = eightDigitsAt(p + whole + 1, decimals);
        parts.negative = negative;
        parts.mantissa = static_cast<std::int64_t>(high * kWholePowersOfTen[decimals] + low);
        parts.decimals = point ? static_cast<int>(decimals) : -1;
        stop = p + at;
        return true;
    }
#endif
    return partsUpTo(first, end, parts, stop);
}

// The plain form of the bytes [p, end); false for anything else.
[[gnu::always_inline]] inline bool partsOfBytes(const char* p, const char* const end, Parts& parts)
{
    const char* stop = end;
    return p != end && partsUpTo(p, end, parts, stop) && stop == end;
}

}  // namespace tavelcor::sitetext::plain
