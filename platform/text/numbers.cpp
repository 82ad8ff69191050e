// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
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

// Longest plain text: a sign, 309 integer digits (1.8E+308) or a point with
// 323 zeros and 15 digits (4.9E-324).
constexpr std::size_t kPlainTextMax = 352;

// Writes the plain number text of value into out (kPlainTextMax characters)
// and returns its length.
std::size_t plainChars(double value, char* out)
{
    if (!std::isfinite(value) || value == 0) {
        out[0] = '0';
        return 1;
    }
    // d.dddddddddddddde±x: the 15 significant digits and the exponent.
    std::array<char, 32> sci{};
    const auto result = std::to_chars(sci.data(), sci.data() + sci.size(), value,
                                      std::chars_format::scientific, 14);
    const char* p = sci.data();
    std::size_t n = 0;
    if (*p == '-') {
        out[n++] = '-';
        ++p;
    }
    std::array<char, 15> digits{};
    std::size_t count = 0;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            digits[count++] = *p;
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (exponent < 0) {
        out[n++] = '.';
        for (int z = -1; z > exponent; --z)
            out[n++] = '0';
        for (std::size_t k = 0; k < count; ++k)
            out[n++] = digits[k];
        return n;
    }
    const std::size_t whole = std::size_t(exponent) + 1;
    for (std::size_t k = 0; k < whole; ++k)
        out[n++] = k < count ? digits[k] : '0';
    if (count > whole) {
        out[n++] = '.';
        for (std::size_t k = whole; k < count; ++k)
            out[n++] = digits[k];
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

QString plainNumberText(double value)
{
    std::array<char, kPlainTextMax> text{};
    return QString::fromLatin1(text.data(), qsizetype(plainChars(value, text.data())));
}

void appendPlainNumberText(QByteArray& out, double value)
{
    std::array<char, kPlainTextMax> text{};
    out.append(text.data(), qsizetype(plainChars(value, text.data())));
}

}  // namespace platform
