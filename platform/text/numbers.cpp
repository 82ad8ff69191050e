// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/numbers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace platform {
namespace {

// The characters of a number gathered for std::from_chars. Numbers with up to
// 62 characters stay on the stack; longer ones (long digit runs) spill over.
class NumberBuffer {
public:
    void push(char c)
    {
        if (mSize < qsizetype(mFixed.size()))
            mFixed[std::size_t(mSize)] = c;
        else
            spill().push_back(c);
        ++mSize;
    }
    qsizetype size() const { return mSize; }
    void truncate(qsizetype n)
    {
        mSize = n;
        if (!mLong.empty())
            mLong.resize(std::size_t(n));
    }
    const char* data() const { return mLong.empty() ? mFixed.data() : mLong.data(); }

private:
    std::string& spill()
    {
        if (mLong.empty())
            mLong.assign(mFixed.data(), mFixed.size());
        return mLong;
    }
    std::array<char, 62> mFixed{};
    std::string mLong;
    qsizetype mSize = 0;
};

// Walks a text as the leading-number reader sees it: blanks, tabs and line
// feeds are skipped wherever they stand.
class NumberScanner {
public:
    explicit NumberScanner(QStringView text) : mText(text) {}
    char16_t peek()
    {
        while (mPos < mText.size()) {
            const char16_t c = mText[mPos].unicode();
            if (c != u' ' && c != u'\t' && c != u'\n')
                return c;
            ++mPos;
        }
        return 0;
    }
    void next() { ++mPos; }
    qsizetype position() const { return mPos; }
    void rewind(qsizetype pos) { mPos = pos; }

private:
    QStringView mText;
    qsizetype mPos = 0;
};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isExponentMark(char16_t c)
{
    return c == u'E' || c == u'e' || c == u'D' || c == u'd';
}

// Digits and at most one point; returns the number of digits taken.
int scanMantissa(NumberScanner& s, NumberBuffer& buf)
{
    int digits = 0;
    bool point = false;
    for (char16_t c = s.peek(); c != 0; c = s.peek()) {
        if (isDigit(c)) {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        buf.push(char(c));
        s.next();
    }
    return digits;
}

// An exponent is taken only when complete: mark, optional sign, digits.
void scanExponent(NumberScanner& s, NumberBuffer& buf)
{
    if (!isExponentMark(s.peek()))
        return;
    const qsizetype restart = s.position();
    const qsizetype kept = buf.size();
    s.next();
    buf.push('e');
    if (const char16_t sign = s.peek(); sign == u'+' || sign == u'-') {
        buf.push(char(sign));
        s.next();
    }
    int digits = 0;
    for (char16_t c = s.peek(); isDigit(c); c = s.peek()) {
        buf.push(char(c));
        s.next();
        ++digits;
    }
    if (digits == 0) {
        buf.truncate(kept);
        s.rewind(restart);
    }
}

// Sign, mantissa and exponent as the leading-number reader takes them.
// False when the text does not start with a number.
bool scanNumber(NumberScanner& s, NumberBuffer& buf)
{
    if (const char16_t sign = s.peek(); sign == u'+' || sign == u'-') {
        if (sign == u'-')
            buf.push('-');
        s.next();
    }
    if (scanMantissa(s, buf) == 0)
        return false;
    scanExponent(s, buf);
    return true;
}

// nullopt when the number lies beyond the range of double (or below its
// smallest value).
std::optional<double> parseBuffer(const NumberBuffer& buf)
{
    double value = 0;
    const char* first = buf.data();
    const char* last = first + buf.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

bool isBlankOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The general (%G-like) text of a value with the given significant digits,
// locale-independent, upper-case exponent.
std::string generalText(double value, bool single)
{
    std::array<char, 64> buf{};
    if (!std::isfinite(value) || value == 0)
        return "0";
    const auto result = single
        ? std::to_chars(buf.data(), buf.data() + buf.size(), float(value),
                        std::chars_format::general, 7)
        : std::to_chars(buf.data(), buf.data() + buf.size(), value,
                        std::chars_format::general, 15);
    std::string text(buf.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    if (text == "-0")
        return "0";
    return text;
}

QString strText(double value, bool single)
{
    std::string text = generalText(value, single);
    const bool negative = text.front() == '-';
    const std::size_t digits = negative ? 1 : 0;
    if (text.size() > digits + 1 && text[digits] == '0' && text[digits + 1] == '.')
        text.erase(digits, 1);
    if (!negative)
        text.insert(text.begin(), ' ');
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// The 15 significant digits of a finite, non-zero value, rounded to
// nearest, without trailing zeros, and the decimal exponent of the first.
struct SignificantDigits {
    std::array<char, 17> digits{};
    std::size_t count = 0;
    int exponent = 0;
};

// Digits and exponent of a scientific text "d.ddde±x".
SignificantDigits parseScientific(const char* begin, const char* end)
{
    SignificantDigits d;
    const char* p = begin;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.' && d.count < d.digits.size())
            d.digits[d.count++] = *p;
    }
    if (p < end)
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, d.exponent);
    return d;
}

SignificantDigits withoutTrailingZeros(SignificantDigits d)
{
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    return d;
}

// Exact and slow: the value printed with 15 significant digits.
SignificantDigits roundedByPrintf(double magnitude)
{
    std::array<char, 32> sci{};
    const auto r = std::to_chars(sci.data(), sci.data() + sci.size(), magnitude, std::chars_format::scientific, 14);
    return parseScientific(sci.data(), r.ptr);
}

// The shortest text that reads back as the value (fast) rounded to 15
// digits. That equals rounding the value itself, except when the digits
// beyond the 15th are exactly a half: then the value may lie on either side
// of it, and the exact printing decides.
// 10^0 .. 10^20 (10^20 exceeds 64 bits).
constexpr auto kPowersOfTen = [] {
    std::array<unsigned __int128, 21> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k)
        p[k] = p[k - 1] * 10;
    return p;
}();

// Exact and fast for magnitudes from 1E-5 up to 1E+15: the value is m x 2^-s
// with a 53-bit integer m, so value x 10^d (d = 0..20 decimals for 15
// significant digits, one more while the decimal exponent is estimated) is
// the 128-bit integer m x 10^d shifted right by s, rounded half to even as
// printing rounds.
SignificantDigits roundedByIntegers(double magnitude)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int shift = 1075 - biased;  // magnitude = m / 2^shift; 3..69 here
    const int binary = biased - 1023;  // magnitude lies in [2^binary, 2^(binary+1))
    // floor(binary x log10 2), which is the decimal exponent or one less.
    int exponent = (binary * 78913) >> 18;
    unsigned __int128 q = 0;
    for (int pass = 0; pass < 3; ++pass) {
        const int decimals = std::clamp(14 - exponent, 0, 20);
        const unsigned __int128 product = m * kPowersOfTen[std::size_t(decimals)];
        q = product >> shift;
        if (q >= kPowersOfTen[15]) {
            ++exponent;
            continue;
        }
        if (q < kPowersOfTen[14] && decimals < 20) {
            --exponent;
            continue;
        }
        const unsigned __int128 rest = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0))
            ++q;
        break;
    }
    if (q == kPowersOfTen[15]) {
        q = kPowersOfTen[14];
        ++exponent;
    }
    SignificantDigits d;
    // The 15 digits, two at a time from the last.
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    auto digits = static_cast<std::uint64_t>(q);
    for (std::size_t k = 15; k > 1; k -= 2) {
        const std::size_t pair = std::size_t(digits % 100) * 2;
        digits /= 100;
        d.digits[k - 1] = kPairs[pair + 1];
        d.digits[k - 2] = kPairs[pair];
    }
    d.digits[0] = static_cast<char>('0' + digits);
    d.count = 15;
    d.exponent = exponent;
    return d;
}

SignificantDigits significantDigits(double magnitude)
{
    if (magnitude >= 1e-5 && magnitude < 1e15)
        return withoutTrailingZeros(roundedByIntegers(magnitude));
    // Subnormal values hold fewer digits than 15: their shortest text says
    // nothing about the 15-digit rounding.
    if (magnitude < std::numeric_limits<double>::min())
        return withoutTrailingZeros(roundedByPrintf(magnitude));
    std::array<char, 32> sci{};
    const auto r = std::to_chars(sci.data(), sci.data() + sci.size(), magnitude, std::chars_format::scientific);
    SignificantDigits d = parseScientific(sci.data(), r.ptr);
    if (d.count > 15) {
        const bool exactHalf = d.digits[15] == '5' && d.count == 16;
        if (exactHalf)
            return withoutTrailingZeros(roundedByPrintf(magnitude));
        const bool up = d.digits[15] >= '5';
        d.count = 15;
        if (up) {
            std::size_t k = 15;
            while (k > 0 && d.digits[k - 1] == '9')
                d.digits[--k] = '0';
            if (k == 0) {
                d.digits[0] = '1';
                ++d.exponent;
            } else {
                ++d.digits[k - 1];
            }
        }
    }
    return withoutTrailingZeros(d);
}

// Writes the plain number text of value into out (kPlainNumberTextMax
// characters) and returns its length.
std::size_t plainChars(double value, char* out)
{
    if (!std::isfinite(value) || value == 0) {
        out[0] = '0';
        return 1;
    }
    std::size_t n = 0;
    if (value < 0)
        out[n++] = '-';
    const SignificantDigits d = significantDigits(std::fabs(value));
    if (d.exponent < 0) {
        out[n++] = '.';
        for (int z = -1; z > d.exponent; --z)
            out[n++] = '0';
        for (std::size_t k = 0; k < d.count; ++k)
            out[n++] = d.digits[k];
        return n;
    }
    const std::size_t whole = std::size_t(d.exponent) + 1;
    for (std::size_t k = 0; k < whole; ++k)
        out[n++] = k < d.count ? d.digits[k] : '0';
    if (d.count > whole) {
        out[n++] = '.';
        for (std::size_t k = whole; k < d.count; ++k)
            out[n++] = d.digits[k];
    }
    return n;
}

QString cstrText(double value, bool single)
{
    const std::string text = generalText(value, single);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

template <typename T>
std::optional<T> checkedRound(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        return std::nullopt;
    return T(r);
}

template <typename T>
T clampedRound(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = roundHalfEven(value);
    if (r <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(r);
}

}  // namespace

double Val(QStringView text)
{
    NumberScanner s(text);
    NumberBuffer buf;
    if (!scanNumber(s, buf))
        return 0;
    return parseBuffer(buf).value_or(0.0);
}

std::optional<double> leadingNumber(QStringView text)
{
    NumberScanner s(text);
    NumberBuffer buf;
    if (!scanNumber(s, buf))
        return std::nullopt;
    return parseBuffer(buf);
}

std::optional<double> toNumberChecked(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrTab(text[first]))
        ++first;
    while (last > first && isBlankOrTab(text[last - 1]))
        --last;
    const QStringView core = text.sliced(first, last - first);
    // Val skips blanks inside a number; a number in full may not hold any.
    for (const QChar c : core) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            return std::nullopt;
    }
    NumberScanner s(core);
    NumberBuffer buf;
    if (!scanNumber(s, buf) || s.position() != core.size())
        return std::nullopt;
    return parseBuffer(buf);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double f = std::floor(value);
    const double d = value - f;  // exact: 0 <= d < 1
    if (d < 0.5)
        return f;
    if (d > 0.5)
        return f + 1;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

std::optional<std::int32_t> toLongChecked(double value)
{
    return checkedRound<std::int32_t>(value);
}

std::optional<std::int16_t> toIntegerChecked(double value)
{
    return checkedRound<std::int16_t>(value);
}

std::optional<std::uint8_t> toByteChecked(double value)
{
    return checkedRound<std::uint8_t>(value);
}

std::int32_t CLng(double value)
{
    return clampedRound<std::int32_t>(value);
}

std::int16_t CInt(double value)
{
    return clampedRound<std::int16_t>(value);
}

std::uint8_t CByte(double value)
{
    return clampedRound<std::uint8_t>(value);
}

QString Str(double value)
{
    return strText(value, false);
}

QString StrSingle(float value)
{
    return strText(double(value), true);
}

QString CStr(double value)
{
    return cstrText(value, false);
}

QString CStrSingle(float value)
{
    return cstrText(double(value), true);
}

// The longest text: a sign and 309 integer digits (1.8E+308), or a sign, a
// point, 323 zeros and 15 digits (4.9E-324).
static_assert(kPlainNumberTextMax >= 1 + 1 + 323 + 15);

std::size_t writePlainNumberText(double value, char* out)
{
    return plainChars(value, out);
}

QString plainNumberText(double value)
{
    std::array<char, kPlainNumberTextMax> text{};
    return QString::fromLatin1(text.data(), qsizetype(plainChars(value, text.data())));
}

}  // namespace platform
