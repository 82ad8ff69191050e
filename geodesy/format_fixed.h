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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace detail {

#if defined(__SSE2__)
// The eight decimal digits of each of two numbers below 10^8, held in the
// 32-bit lanes 0 and 2 of x, as the numbers 0..9 in the 16-bit lanes of one
// register each: every digit found by multiplications of all lanes at once.
inline void eightDigitLanes(__m128i x, __m128i& first, __m128i& second) noexcept
{
    // abcdefgh → abcd and efgh (x × 0xD1B71759 >> 45 is x / 10000).
    const __m128i high = _mm_srli_epi64(_mm_mul_epu32(x, _mm_set1_epi32(static_cast<int>(0xD1B71759U))), 45);
    const __m128i low = _mm_sub_epi32(x, _mm_mul_epu32(high, _mm_set1_epi32(10000)));
    // Each number's lanes [abcd × 4 four times, efgh × 4 four times], then
    // [a, ab, abc, abcd, e, ef, efg, efgh] by dividing by 1000, 100, 10
    // and 1 (a multiplication keeping the high half, then a shift made a
    // multiplication too), and the digits as each of those minus ten times
    // the one before.
    const __m128i divisors = _mm_setr_epi16(8389, 5243, 13108, static_cast<short>(32768), 8389, 5243, 13108,
                                            static_cast<short>(32768));
    const __m128i shifts = _mm_setr_epi16(1 << 7, 1 << 11, 1 << 13, static_cast<short>(1 << 15), 1 << 7, 1 << 11,
                                          1 << 13, static_cast<short>(1 << 15));
    const auto digitsOf = [&](__m128i pair) {
        const __m128i times4 = _mm_slli_epi64(pair, 2);
        const __m128i spread = _mm_unpacklo_epi16(times4, times4);
        const __m128i lanes = _mm_unpacklo_epi32(spread, spread);
        const __m128i prefixes = _mm_mulhi_epu16(_mm_mulhi_epu16(lanes, divisors), shifts);
        const __m128i tens = _mm_slli_epi64(_mm_mullo_epi16(prefixes, _mm_set1_epi16(10)), 16);
        return _mm_sub_epi16(prefixes, tens);
    };
    first = digitsOf(_mm_unpacklo_epi16(high, low));
    second = digitsOf(_mm_unpackhi_epi16(high, low));
}
#endif

// One number's text of FixedDigitsPairOf from its eight digits: the sign,
// the whole part without leading zeros, the point and the decimals.
template <int Decimals>
inline char* placeFixedText(std::uint64_t text, unsigned leadingZeros, bool negative, char* p) noexcept
{
    *p = '-';
    p += negative ? 1 : 0;
    const unsigned skip = std::min(leadingZeros, 7U - Decimals);
    storeWord(p, text >> (8 * skip));
    p += 8 - skip - Decimals;
    storeWord(p, '.' | (text >> (8 * (8 - Decimals)) << 8));
    return p + 1 + Decimals;
}

}  // namespace detail

/// The texts FixedDigitsOf gives for two numbers, with separator between
/// them, written to out (room for 2 × kFixedDigitsRoom); returns the length
/// written. For the rows that hold a pair of coordinates: where the
/// processor has SSE2 (every x86-64 one), both are scaled and both turned
/// into digits at once. 0 (nothing written that counts) when either number
/// needs the exact way (not finite, 10^8 units of the last decimal or more,
/// or within a hair of a half) or the processor lacks SSE2: the caller then
/// writes them one at a time.
template <int Decimals>
inline std::size_t FixedDigitsPairOf(double first, double second, char separator, char* out) noexcept
{
    static_assert(Decimals == 2 || Decimals == 3);
#if defined(__SSE2__)
    const __m128d values = _mm_setr_pd(first, second);
    const __m128d signBit = _mm_set1_pd(-0.0);
    // value ± 1e-7 away from zero, as FixedDigitsOf biases it.
    const __m128d biased = _mm_add_pd(values, _mm_or_pd(_mm_and_pd(values, signBit), _mm_set1_pd(1e-7)));
    // |biased| × 10^Decimals, rounded once: below 10^8 < 2^27 it lies
    // within 2^-27 of the exact product, so its whole part and a part
    // below the point that is not within 2^-24 of a half round the exact
    // product as FixedDigitsOf rounds it (halves up). Any other pair (not
    // finite, too large, or near a half) is left to the caller.
    const __m128d scaled = _mm_mul_pd(_mm_andnot_pd(signBit, biased), _mm_set1_pd(Decimals == 2 ? 100.0 : 1000.0));
    const __m128i whole = _mm_cvttpd_epi32(_mm_min_pd(scaled, _mm_set1_pd(1e8)));
    const __m128d fraction = _mm_sub_pd(scaled, _mm_cvtepi32_pd(whole));
    const __m128d offHalf = _mm_andnot_pd(signBit, _mm_sub_pd(fraction, _mm_set1_pd(0.5)));
    // Below 10^8 - 0.5, so that rounding up keeps eight digits.
    const __m128d clear =
        _mm_and_pd(_mm_cmplt_pd(scaled, _mm_set1_pd(99999999.5)), _mm_cmpgt_pd(offHalf, _mm_set1_pd(0x1p-24)));
    if (_mm_movemask_pd(clear) != 3) [[unlikely]]
        return 0;
    // The whole parts into the 32-bit lanes 0 and 2, each plus one where
    // the part below the point is above a half.
    const __m128i roundUp = _mm_srli_epi64(_mm_castpd_si128(_mm_cmpgt_pd(fraction, _mm_set1_pd(0.5))), 63);
    const __m128i numbers = _mm_add_epi64(_mm_shuffle_epi32(whole, _MM_SHUFFLE(3, 1, 2, 0)), roundUp);
    __m128i firstDigits;
    __m128i secondDigits;
    detail::eightDigitLanes(numbers, firstDigits, secondDigits);
    const __m128i text = _mm_or_si128(_mm_packus_epi16(firstDigits, secondDigits), _mm_set1_epi8('0'));
    const auto zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(text, _mm_set1_epi8('0'))));
    const auto firstText = static_cast<std::uint64_t>(_mm_cvtsi128_si64(text));
    const auto secondText = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(text, text)));
    // Leading "0" bytes: the trailing ones of the mask, 8 for a zero.
    const auto firstZeros = static_cast<unsigned>(__builtin_ctz(~zeros | 0x100U));
    const auto secondZeros = static_cast<unsigned>(__builtin_ctz((~zeros >> 8) | 0x100U));
    const int signs = _mm_movemask_pd(biased);
    const auto numbersNonZero = ~zeros;
    char* p =
        detail::placeFixedText<Decimals>(firstText, firstZeros, (signs & 1) != 0 && (numbersNonZero & 0xFFU) != 0, out);
    *p++ = separator;
    p = detail::placeFixedText<Decimals>(secondText, secondZeros, (signs & 2) != 0 && (numbersNonZero & 0xFF00U) != 0,
                                         p);
    return static_cast<std::size_t>(p - out);
#else
    (void)first;
    (void)second;
    (void)separator;
    (void)out;
    return 0;
#endif
}

/// WholeDigits in line: the values below 10^8 without a call.
inline std::size_t WholeDigitsInline(std::uint64_t value, char* out) noexcept
{
    if (value < 100) {
        // Colours, pens and marks: one look-up.
        const unsigned oneDigit = value < 10 ? 1U : 0U;
        const auto pair = static_cast<std::uint16_t>(detail::kDigitPairWords[value] >> (8 * oneDigit));
        std::memcpy(out, &pair, sizeof pair);
        return 2 - oneDigit;
    }
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
