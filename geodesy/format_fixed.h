// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixed-width number text that every report and file writer uses.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace geodesy {

/// Formats `value` right-aligned in `width` characters with exactly
/// `decimals` decimals (0 to 9).
///
/// - The value is first moved away from zero by a tiny bias (1e-7 for 0 to 6
///   decimals, 1e-8 for 7, 1e-9 for 8, 1e-10 for 9), so that a stored 1.005
///   (really 1.00499999…) still rounds to 1.01.
/// - Rounding is to the nearest, halves away from zero, on the exact binary
///   value; the integer part is never cut; "." is the decimal separator (no
///   point for 0 decimals), "-" leads negative values, no thousands
///   separators.  A negative value that rounds to zero is written without a
///   minus sign ("0.00").
/// - The text is put behind 15 blanks and the last `width` characters of the
///   whole are returned: a text longer than `width` loses its leading
///   characters (123456.789, width 6, 2 decimals → "456.79"), and a width
///   beyond the text's length plus 15 gives just 15 blanks in front.
/// - `decimals` outside 0 to 9, or a value that is not finite, give
///   min(width, 15) blanks.  A negative width gives the empty text.
///
/// Never throws; uses no locale.  Widths up to 15 stay in the small-string
/// buffer, so writers of large tables do not allocate per number.
std::string FormatFixed(double value, int width, int decimals);

/// Room for every text FixedDigits writes.
inline constexpr std::size_t kFixedDigitsRoom = 32;

/// The text FormatFixed gives, without the blanks it puts in front and never
/// cut at the width: the sign, the whole part, "." and the decimals.  For
/// writers of large tables: written to `out`, which must have room for
/// kFixedDigitsRoom characters, nothing allocated.  Returns the length of the
/// text; 0
/// when decimals lie outside 0 to 9, the value is not finite (FormatFixed
/// gives only blanks then) or its text would not fit the room (magnitudes
/// from about 1.8e10 on): the caller then takes FormatFixed's text.
std::size_t FixedDigits(double value, int decimals, char* out) noexcept;

/// Room for every text WholeDigits writes.
inline constexpr std::size_t kWholeDigitsRoom = 24;

/// The decimal digits of value ("0", "500000"), as std::to_chars writes them,
/// written to `out`, which must have room for kWholeDigitsRoom characters
/// (it writes whole words beyond the digits); returns their count. For
/// writers of large tables: nothing allocated.
std::size_t WholeDigits(std::uint64_t value, char* out) noexcept;

namespace detail {

// "00" "01" ... "99" as the two bytes of a word, the first digit in the
// lower byte (the byte stored first).
inline constexpr std::array<std::uint16_t, 100> kDigitPairWords = [] {
    std::array<std::uint16_t, 100> pairs{};
    for (int i = 0; i < 100; ++i)
        pairs[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(('0' + i / 10) | (('0' + i % 10) << 8));
    return pairs;
}();

inline constexpr std::uint64_t kAsciiZeroWord = 0x3030303030303030ULL;

// The eight decimal digits of n (below 10^8, leading zeros included) as
// ASCII in the bytes of one word, the first digit in the lowest byte: the
// four two-digit pairs are looked up at once, after two splits that do not
// wait on each other.
inline std::uint64_t eightDigitText(std::uint32_t n) noexcept
{
    const std::uint32_t high = n / 10000;
    const std::uint32_t low = n - high * 10000;
    const std::uint32_t highPair = high / 100;
    const std::uint32_t lowPair = low / 100;
    return std::uint64_t{kDigitPairWords[highPair]} | (std::uint64_t{kDigitPairWords[high - highPair * 100]} << 16)
           | (std::uint64_t{kDigitPairWords[lowPair]} << 32)
           | (std::uint64_t{kDigitPairWords[low - lowPair * 100]} << 48);
}

// The number of leading "0" bytes of an eightDigitText word, counting 7 at
// most (7 for zero too): a text keeps its last digit.
inline unsigned leadingZeroDigits(std::uint64_t text) noexcept
{
    return static_cast<unsigned>(__builtin_ctzll((text ^ kAsciiZeroWord) | (std::uint64_t{1} << 63))) / 8;
}

inline void storeWord(char* out, std::uint64_t word) noexcept
{
    std::memcpy(out, &word, sizeof word);
}

// FixedDigits for what the inline forms leave: zero, tiny, huge or not
// finite values, and texts of more than eight digits.
std::size_t fixedDigitsOutOfLine(double value, int decimals, char* out) noexcept;

}  // namespace detail

/// FixedDigits with 2 or 3 decimals known when compiling, in line: for the
/// writers of large tables, which call it for every coordinate. The same
/// text as FixedDigits(value, Decimals, out), with the same room.
template <int Decimals>
inline std::size_t FixedDigitsOf(double value, char* out) noexcept
{
    static_assert(Decimals == 2 || Decimals == 3);
    constexpr std::uint64_t unit = Decimals == 2 ? 100 : 1000;
    // value ± 1e-7 away from zero; a zero becomes ±1e-7, which rounds to
    // zero below, and writes no sign as FormatFixed writes none.
    const double biased = value + std::copysign(1e-7, value);
    const auto bits = std::bit_cast<std::uint64_t>(biased);
    // The exact binary value is mantissa × 2^-shift; shift 1 to 63 holds
    // every magnitude from 2^-10 to 2^52 (the others go out of line).
    const unsigned shift = 1075U - static_cast<unsigned>((bits >> 52) & 0x7FF);
    if (shift - 1U >= 63U) [[unlikely]]
        return detail::fixedDigitsOutOfLine(value, Decimals, out);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // Below 2^63: the mantissa has 53 bits, unit 10 at most.
    const std::uint64_t narrow = mantissa * unit;
    // Rounded half up: the part below the point is a half or more exactly
    // when its top bit is set.
    const std::uint64_t scaled = (narrow >> shift) + ((narrow >> (shift - 1)) & 1);
    if (scaled >= 100000000) [[unlikely]]
        return detail::fixedDigitsOutOfLine(value, Decimals, out);
    const std::uint64_t text = detail::eightDigitText(static_cast<std::uint32_t>(scaled));
    // Leading zeros go, but one digit stays before the point.
    const unsigned skip = std::min(detail::leadingZeroDigits(text), 7U - Decimals);
    // The sign is stored always and kept only for a negative non-zero text.
    char* p = out;
    *p = '-';
    p += static_cast<std::size_t>((bits >> 63) & (scaled != 0 ? 1U : 0U));
    detail::storeWord(p, text >> (8 * skip));
    p += 8 - skip - Decimals;
    // The point, then the decimals over what followed.
    detail::storeWord(p, '.' | (text >> (8 * (8 - Decimals)) << 8));
    return static_cast<std::size_t>(p + 1 + Decimals - out);
}

/// WholeDigits in line: the values below 10^8 without a call.
inline std::size_t WholeDigitsInline(std::uint64_t value, char* out) noexcept
{
    if (value >= 100000000) [[unlikely]]
        return WholeDigits(value, out);
    const std::uint64_t text = detail::eightDigitText(static_cast<std::uint32_t>(value));
    const unsigned skip = detail::leadingZeroDigits(text);
    detail::storeWord(out, text >> (8 * skip));
    return 8 - skip;
}

/// FormatFixed of a number given as text (a field's contents).  The text may
/// carry blanks around an optional sign, digits with an optional "." and an
/// optional exponent ("1.5", " -2 ", "1e3"); anything else is not a number
/// and gives nullopt, as does a negative width.  An empty or blank text is
/// not a number either.
std::optional<std::string> FormatFixedText(std::string_view text, int width, int decimals);

}  // namespace geodesy
