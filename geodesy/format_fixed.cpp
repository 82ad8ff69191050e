// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "geodesy/format_fixed.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
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

constexpr std::array<std::uint64_t, kMaxDecimals + 1> kPowersOfTen = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL, 1000000000ULL};

// The number of decimal digits of n (1 for 0), without a loop: the bit
// length gives the count or one more than it.
int digitCount(std::uint64_t n)
{
    static constexpr std::array<std::uint64_t, 20> kPowers = [] {
        std::array<std::uint64_t, 20> powers{};
        std::uint64_t p = 1;
        for (std::size_t i = 0; i < powers.size(); ++i, p *= 10)
            powers[i] = p;
        return powers;
    }();
    const int bits = 64 - __builtin_clzll(n | 1);
    const int guess = (bits * 1233) >> 12;  // about bits × log10(2), one short at most
    return guess + (n >= kPowers[static_cast<std::size_t>(guess)] ? 1 : 0) + (n == 0 ? 1 : 0);
}

// "00" "01" ... "99": two digits per division.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// magnitude × 10^decimals rounded to a whole number, halves up, on the exact
// binary value: the same rounding as printing exact digits and looking at the
// first one dropped. A finite non-negative double is mantissa × 2^exponent
// with mantissa < 2^53, so mantissa × 10^decimals < 2^83 fits in 128 bits
// and the part below the point is exact. Nullopt when the result reaches
// 2^64 (only magnitudes beyond about 1.8e10 can).
std::optional<std::uint64_t> scaledAndRounded(double magnitude, int decimals)
{
    using Wide = unsigned __int128;
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;  // subnormal numbers
    if (biasedExponent != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(decimals)];
    std::uint64_t narrow = 0;
    if (exponent < 0 && exponent > -64 && !__builtin_mul_overflow(mantissa, unit, &narrow)) {
        // The common case (up to 3 decimals, or small mantissas) in 64 bits.
        const int shift = -exponent;
        const std::uint64_t whole = narrow >> shift;
        const std::uint64_t rest = narrow & ((std::uint64_t{1} << shift) - 1);
        return whole + (rest >= (std::uint64_t{1} << (shift - 1)) ? 1 : 0);
    }
    const Wide scaled = static_cast<Wide>(mantissa) * unit;
    if (exponent >= 0) {
        if (exponent >= 64 || (scaled >> (64 - exponent)) != 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(scaled << exponent);
    }
    const int shift = -exponent;
    if (shift >= 128)
        return 0;  // below 2^-45 even after scaling: rounds to 0
    const Wide whole = scaled >> shift;
    const Wide rest = scaled - (whole << shift);
    const Wide rounded = whole + (rest >= (Wide{1} << (shift - 1)) ? 1 : 0);
    if ((rounded >> 64) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(rounded);
}

// scaledAndRounded for the writers of large tables: the common case (a
// normal number, up to 3 decimals or a small mantissa) with one 64-bit
// multiplication, in line; the rest the general way. A flag and a
// reference, not an optional: the optional went through memory in the
// writers' loops and stalled them.
inline bool scaledAndRoundedTo(double magnitude, int decimals, std::uint64_t& scaled)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    const int shift = 1075 - biasedExponent;  // minus the exponent of a normal number
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    std::uint64_t narrow = 0;
    if (biasedExponent != 0 && shift > 0 && shift < 64
        && !__builtin_mul_overflow(mantissa, kPowersOfTen[static_cast<std::size_t>(decimals)], &narrow)) {
        // The part below the point is a half or more exactly when its top
        // bit is set.
        scaled = (narrow >> shift) + ((narrow >> (shift - 1)) & 1);
        return true;
    }
    const std::optional<std::uint64_t> exact = scaledAndRounded(magnitude, decimals);
    scaled = exact.value_or(0);
    return exact.has_value();
}

// Writes the decimal digits of `number` backwards, ending before `end`, at
// least `minDigits` of them (leading zeros); returns where they start.
inline char* writeDigitsBackwards(char* end, std::uint64_t number, int minDigits)
{
    char* p = end;
    while (number >= 100) {
        const auto pair = static_cast<std::size_t>(number % 100) * 2;
        number /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (number >= 10) {
        const auto pair = static_cast<std::size_t>(number) * 2;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    } else {
        *--p = static_cast<char>('0' + number);
    }
    while (end - p < minDigits)
        *--p = '0';
    return p;
}

// n / 10^D and n % 10^D with D known when compiling: a multiplication, not a
// division.
template <int D>
std::uint64_t splitAt(std::uint64_t n, std::uint64_t& rest)
{
    constexpr std::uint64_t unit = kPowersOfTen[D];
    rest = n % unit;
    return n / unit;
}

std::uint64_t splitDecimals(std::uint64_t n, int decimals, std::uint64_t& rest)
{
    switch (decimals) {
    case 1: return splitAt<1>(n, rest);
    case 2: return splitAt<2>(n, rest);
    case 3: return splitAt<3>(n, rest);
    case 4: return splitAt<4>(n, rest);
    case 5: return splitAt<5>(n, rest);
    case 6: return splitAt<6>(n, rest);
    case 7: return splitAt<7>(n, rest);
    case 8: return splitAt<8>(n, rest);
    default: return splitAt<9>(n, rest);
    }
}

// The text of a number already scaled and rounded, right-aligned behind 15
// blanks in one buffer: the sign, the whole part (at least "0"), then "."
// and exactly `decimals` digits.
class ScaledText {
public:
    ScaledText(std::uint64_t scaled, int decimals, bool negative)
    {
        char* const end = mBuffer.data() + mBuffer.size();
        char* p = end;
        std::uint64_t whole = scaled;
        if (decimals > 0) {
            std::uint64_t fraction = 0;
            whole = splitDecimals(scaled, decimals, fraction);
            p = writeDigitsBackwards(p, fraction, decimals);
            *--p = '.';
        }
        p = writeDigitsBackwards(p, whole, 1);
        if (negative && scaled != 0)
            *--p = '-';
        mTextLength = static_cast<std::size_t>(end - p);
        std::memcpy(p - kBlankRun.size(), kBlankRun.data(), kBlankRun.size());
    }

    // The last `width` characters of the 15 blanks and the text.
    std::string lastCharacters(int width) const
    {
        const std::size_t length = std::min(static_cast<std::size_t>(width), kLeadingBlanks + mTextLength);
        return std::string(mBuffer.data() + mBuffer.size() - length, length);
    }

private:
    static constexpr std::array<char, 16> kBlankRun = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                                       ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    // 16 blanks, a sign, 20 digits of 2^64 - 1 and a point (at most 38).
    std::array<char, 48> mBuffer;
    std::size_t mTextLength = 0;
};

// The last `width` characters of 15 blanks followed by `text`.
std::string rightAligned(std::string_view text, int width)
{
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

// The sign, the digits and the point of one formatted number, built in place
// without allocating; for magnitudes too large for ScaledText.
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

    const double magnitude = std::fabs(biased);
    if (const std::optional<std::uint64_t> scaled = scaledAndRounded(magnitude, decimals))
        return ScaledText(*scaled, decimals, biased < 0).lastCharacters(width);
    return rightAligned(NumberText(magnitude, decimals, biased < 0).view(), width);
}

namespace {

// The eight decimal digits of n (below 10^8, leading zeros included) as
// numbers 0..9 in the bytes of one word, the first digit in the lowest byte
// (the byte stored first): each step splits every lane of the word in two
// with multiplications, so no digit waits for the one before it.
inline std::uint64_t eightDigits(std::uint64_t n)
{
    // Lanes of 32 bits: the first four digits and the last four.
    const std::uint64_t high = n / 10000;
    std::uint64_t x = high | ((n - high * 10000) << 32);
    // Lanes of 16 bits: each four-digit lane split into its two pairs
    // (x × 5243 >> 19 is x / 100 for x below 10000).
    const std::uint64_t hundreds = ((x * 5243) >> 19) & 0x0000007F0000007FULL;
    x = hundreds | ((x - hundreds * 100) << 16);
    // Bytes: each pair split into its digits (x × 103 >> 10 is x / 10 for x
    // below 100).
    const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000FULL;
    return tens | ((x - tens * 10) << 8);
}

constexpr std::uint64_t kAsciiZeros = 0x3030303030303030ULL;

inline void storeWord(char* out, std::uint64_t word)
{
    std::memcpy(out, &word, sizeof word);
}

// The digits of scaled with a point before its last `decimals` (1 to 7) and
// at least one digit before the point, written to out (room for 24 bytes:
// words are stored whole); the length written. scaled is below 10^16. The
// digits go out in whole words, each built in a register: a text stored a
// byte at a time and read back at once stalls the writers.
inline std::size_t writeScaledWords(std::uint64_t scaled, int decimals, char* out)
{
    const auto d = static_cast<unsigned>(decimals);
    std::uint64_t low = scaled;
    char* p = out;
    if (scaled >= 100000000) {
        const std::uint64_t top = scaled / 100000000;
        low = scaled - top * 100000000;
        const std::uint64_t digits = eightDigits(top);  // top is not 0
        const auto skip = static_cast<unsigned>(__builtin_ctzll(digits)) / 8;
        storeWord(p, (digits + kAsciiZeros) >> (8 * skip));
        p += 8 - skip;
    }
    const std::uint64_t digits = eightDigits(low);
    unsigned skip = 0;
    if (p == out) {
        // Leading zeros go, but one digit stays before the point.
        skip = digits == 0 ? 8 : static_cast<unsigned>(__builtin_ctzll(digits)) / 8;
        skip = std::min(skip, 7 - d);
    }
    const std::uint64_t text = (digits + kAsciiZeros) >> (8 * skip);
    storeWord(p, text);
    p += 8 - skip - d;
    // The point, then the last `decimals` digits over what followed.
    storeWord(p, '.' | ((digits + kAsciiZeros) >> (8 * (8 - d)) << 8));
    return static_cast<std::size_t>(p + 1 + d - out);
}

}  // namespace

std::size_t WholeDigits(std::uint64_t value, char* out) noexcept
{
    if (value >= 100000000) {
        const auto [end, ec] = std::to_chars(out, out + kWholeDigitsRoom, value);
        return static_cast<std::size_t>(end - out);
    }
    const std::uint64_t digits = eightDigits(value);
    const unsigned skip = digits == 0 ? 7 : static_cast<unsigned>(__builtin_ctzll(digits)) / 8;
    storeWord(out, (digits + kAsciiZeros) >> (8 * skip));
    return 8 - skip;
}

namespace {

// FixedDigits for any number of decimals.
std::size_t anyFixedDigits(double value, int decimals, char* out) noexcept
{
    static constexpr std::array<double, kMaxDecimals + 1> kBias = {1e-7, 1e-7, 1e-7, 1e-7, 1e-7,
                                                                  1e-7, 1e-7, 1e-8, 1e-9, 1e-10};
    if (decimals < 0 || decimals > kMaxDecimals || !std::isfinite(value))
        return 0;
    const double bias = kBias[static_cast<std::size_t>(decimals)];
    const double biased = value > 0 ? value + bias : (value < 0 ? value - bias : value);
    std::uint64_t scaled = 0;
    if (!scaledAndRoundedTo(std::fabs(biased), decimals, scaled))
        return 0;
    char* p = out;
    if (biased < 0 && scaled != 0)
        *p++ = '-';
    // The room holds the sign and the three words writeScaledWords stores.
    static_assert(kFixedDigitsRoom >= 1 + 24);
    if (decimals >= 1 && decimals <= 7 && scaled < 10000000000000000ULL)
        return static_cast<std::size_t>(p - out) + writeScaledWords(scaled, decimals, p);
    // Straight into out, each part written backwards from where it ends (a
    // buffer read back in one piece right after its digits were stored
    // stalled the writers): the sign, the whole part, the point, the
    // decimals.
    std::uint64_t fraction = 0;
    const std::uint64_t whole = decimals > 0 ? splitDecimals(scaled, decimals, fraction) : scaled;
    p += digitCount(whole);
    writeDigitsBackwards(p, whole, 1);
    if (decimals > 0) {
        *p++ = '.';
        p += decimals;
        writeDigitsBackwards(p, fraction, decimals);
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace

std::size_t detail::fixedDigitsOutOfLine(double value, int decimals, char* out) noexcept
{
    return anyFixedDigits(value, decimals, out);
}

std::size_t FixedDigits(double value, int decimals, char* out) noexcept
{
    switch (decimals) {
    case 2: return FixedDigitsOf<2>(value, out);
    case 3: return FixedDigitsOf<3>(value, out);
    default: return anyFixedDigits(value, decimals, out);
    }
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
