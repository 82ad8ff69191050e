// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_text.h"

#include "geodesy/format_fixed.h"
#include "main/site/site_messages.h"
#include "platform/system/files.h"
#include "platform/text/cp932.h"
#include "platform/text/fields.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstring>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavelcor::sitetext {
namespace {

// Wide enough for every finite double with up to 9 decimals (a sign, the
// 309 integer digits of the largest double, the point and the decimals), so
// the formatter never has to cut a number: a value read from a file is
// written back whole, however large.
constexpr int kWholeWidth = 1 + 309 + 1 + 9;

// The fixed form of value in width, or the whole number text when it does not
// fit (then with no blank in front).
std::string fixedText(double value, int width, int decimals)
{
    std::string text = geodesy::FormatFixed(value, width, decimals);
    if (!text.empty() && text.front() != ' ') {
        // The text filled the width: it may have been cut. Take the whole
        // number when it is longer.
        std::string whole = geodesy::FormatFixed(value, kWholeWidth, decimals);
        const std::size_t first = whole.find_first_not_of(' ');
        if (first != std::string::npos && whole.size() - first > text.size())
            text.assign(whole, first, std::string::npos);
    }
    return text;
}

// The parts of a plain number text with at most 15 digits, or nullopt for
// anything else. Char is a UTF-16 code unit or a byte of CP932 text: the
// characters of a plain number are ASCII, which both hold as themselves.
template <typename Char>
std::optional<plain::Parts> plainDigits(const Char* p, const Char* const end)
{
    const auto digit = [](Char c) { return static_cast<unsigned>(c) - unsigned('0'); };
    while (p != end && *p == ' ')
        ++p;
    plain::Parts parts;
    if (p != end && (*p == '-' || *p == '+')) {
        parts.negative = *p == '-';
        ++p;
    }
    // Whole digits, then the decimals after a point. Up to 19 digits fit the
    // 64 bits; more than 15 are refused after the count.
    std::uint64_t mantissa = 0;
    const Char* const first = p;
    for (unsigned d; p != end && (d = digit(*p)) <= 9; ++p)
        mantissa = mantissa * 10 + d;
    std::ptrdiff_t digits = p - first;
    if (p != end && *p == '.') {
        const Char* const point = ++p;
        for (unsigned d; p != end && (d = digit(*p)) <= 9 && digits + (p - point) < 19; ++p)
            mantissa = mantissa * 10 + d;
        parts.decimals = static_cast<int>(p - point);
        digits += p - point;
        if (p != end && digit(*p) <= 9)
            return std::nullopt;  // more digits than the mantissa holds
    }
    while (p != end && *p == ' ')
        ++p;
    if (p != end || digits == 0 || digits > plain::kFastDigits)
        return std::nullopt;
    parts.mantissa = static_cast<std::int64_t>(mantissa);
    return parts;
}

// The plain form "[blanks][sign]digits[.digits][blanks]" with at most 15
// digits, or nullopt for anything else. The mantissa and the power of ten
// are both exact, so their quotient is the correctly rounded value of the
// decimal text: the same double a full parser gives.
template <typename Char>
std::optional<double> plainNumber(const Char* p, const Char* end)
{
    const std::optional<plain::Parts> parts = plainDigits(p, end);
    if (!parts)
        return std::nullopt;
    return plain::valueOf(*parts);
}

const char16_t* begin16(QStringView text)
{
    return text.utf16();
}
const char16_t* end16(QStringView text)
{
    return text.utf16() + text.size();
}

bool needsCleaning(QStringView text)
{
    for (const QChar c : text) {
        if (c == u',' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

}  // namespace

QString siteFile(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return platform::findFileNoCase(folder, name);
}

QString siteFilePath(const QString& path)
{
    const QFileInfo info(path);
    return platform::findFileNoCase(info.path(), info.fileName());
}

WriteResult commitFile(platform::TextFileWriter& out, const QString& path)
{
    if (!out.commit())
        return {WriteOutcome::Failed, path, out.errorString()};
    return {WriteOutcome::Written, path, {}};
}

ReadOutcome readingEnd(const platform::TextFileReader& in, const QString& fileName)
{
    if (!in.hasError())
        return ReadOutcome::Ok;
    showSiteMessage(readFailureMessage(in, fileName));
    return ReadOutcome::StopProgram;
}

QString readFailureMessage(const platform::TextFileReader& in, const QString& fileName)
{
    if (in.lineTooLong())
        return lineTooLongMessage(fileName, in.lineCount() + 1);
    return readErrorMessage(fileName);
}

ReadOutcome notOpened(const QString& path, const QString& fileName)
{
    if (!platform::fileExists(path))
        return ReadOutcome::Missing;
    showSiteMessage(cannotOpenMessage(fileName));
    return ReadOutcome::StopProgram;
}

void appendInt(Row& row, std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    row.appendAscii(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
}

void appendFixed(Row& row, double value, int width, int decimals)
{
    const std::string text = fixedText(value, width, decimals);
    row.appendAscii(text.data(), text.size());
}

void appendFixedTrimmed(Row& row, double value, int width, int decimals)
{
    const std::string text = fixedText(value, width, decimals);
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos)
        row.appendAscii(text.data() + first, text.size() - first);
}

void appendField(Row& row, QStringView text)
{
    if (needsCleaning(text))
        row << platform::sanitizeField(text);
    else
        row << text;
}

void appendLineText(Row& row, QStringView text)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        row << text.sliced(from, i - from) << u' ';
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;  // CR LF is one line break
        from = i + 1;
    }
    row << text.sliced(from);
}

void appendTrimmedField(Row& row, QStringView text)
{
    if (needsCleaning(text))
        row << platform::trimmedView(platform::sanitizeField(text));
    else
        row << platform::trimmedView(text);
}

void appendCompact(Row& row, QStringView text)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',' || c == u' ' || c == u'\r' || c == u'\n') {
            row << text.sliced(from, i - from);
            from = i + 1;
        }
    }
    row << text.sliced(from);
}

// ---- LineBlock -------------------------------------------------------------

namespace {

// Room beyond a full block: a row that ends past kLineBlockBytes still fits
// before the block goes out.
constexpr std::size_t kLineBlockSlack = 4096;

}  // namespace

LineBlock::LineBlock(platform::TextFileWriter& out) : mOut(out), mBytes(kLineBlockBytes + kLineBlockSlack, '\0')
{
    mStart = mBytes.data();
    mNext = mStart;
    mEnd = mStart + mBytes.size();
}

void LineBlock::grow(std::size_t n)
{
    const auto used = static_cast<std::size_t>(mNext - mStart);
    mBytes.resize(std::max(2 * mBytes.size(), used + n));
    mStart = mBytes.data();
    mNext = mStart + used;
    mEnd = mStart + mBytes.size();
}

void LineBlock::appendFixed(double value, int width, int decimals)
{
    // The blanks that right-align a text shorter than the width (the
    // formatter puts 15 at most), then the text.
    char* p = room(15 + geodesy::kFixedDigitsRoom);
    char digits[geodesy::kFixedDigitsRoom];
    const std::size_t n = geodesy::FixedDigits(value, decimals, digits);
    if (n == 0) {
        *this << std::string_view(fixedText(value, width, decimals));
        return;
    }
    const std::size_t blanks =
        n < static_cast<std::size_t>(width) ? std::min<std::size_t>(static_cast<std::size_t>(width) - n, 15) : 0;
    std::memset(p, ' ', blanks);
    std::memcpy(p + blanks, digits, n);
    mNext += blanks + n;
}

void LineBlock::appendLongFixedTrimmed(double value, int width, int decimals)
{
    const std::string text = fixedText(value, width, decimals);
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos)
        *this << std::string_view(text).substr(first);
}

void LineBlock::appendEncoded(QStringView text, Cleaner clean)
{
    // Two bytes a character at most.
    const auto size = static_cast<std::size_t>(text.size());
    char* const start = room(2 * size);
    // Most names are ASCII above ',' (letters, digits, '-', '.'): their CP932
    // bytes are their characters, and nothing in them is cleaned. They are
    // copied in one pass that also tells whether the text is one of them.
    // Only a character at most ',' (0x2C) may be changed by cleaning (a
    // comma, a blank, CR, LF), and the bytes of any other character are
    // none of them: the lowest character tells whether to clean.
    const char16_t* const units = text.utf16();
    char16_t any = 0;
    char16_t lowest = u'\xFFFF';
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = units[i];
        start[i] = static_cast<char>(c);
        any |= c;
        lowest = std::min(lowest, c);
    }
    if (any < 0x80 && lowest > u',') {
        mNext = start + size;
        return;
    }
    const auto n = static_cast<std::size_t>(platform::encodeCp932(text, start));
    mNext = lowest <= u',' ? clean(start, start + n, start) : start + n;
}

// The cleaning of Row's text functions on CP932 bytes: a comma, a blank, CR
// and LF are never part of a two-byte character, so cleaning the encoded
// bytes gives the encoding of the cleaned text. Most texts hold none of
// them and are taken as encoded.
void LineBlock::appendField(QStringView text)
{
    appendEncoded(text, [](const char* p, const char* end, char* out) {
        for (; p != end; ++p) {
            const char c = *p;
            if (c == ',') {
                *out++ = '_';
            } else if (c == '\r' || c == '\n') {
                *out++ = ' ';
                if (c == '\r' && p + 1 != end && p[1] == '\n')
                    ++p;  // CR LF is one line break
            } else {
                *out++ = c;
            }
        }
        return out;
    });
}

void LineBlock::appendTrimmedField(QStringView text)
{
    char* const first = mNext;
    appendField(text);
    char* end = mNext;
    while (end != first && end[-1] == ' ')
        --end;
    char* p = first;
    while (p != end && *p == ' ')
        ++p;
    if (p != first)
        std::memmove(first, p, static_cast<std::size_t>(end - p));
    mNext = first + (end - p);
}

void LineBlock::appendCompact(QStringView text)
{
    appendEncoded(text, [](const char* p, const char* end, char* out) {
        for (; p != end; ++p) {
            const char c = *p;
            if (c != ',' && c != ' ' && c != '\r' && c != '\n')
                *out++ = c;
        }
        return out;
    });
}

void LineBlock::flush()
{
    if (mNext == mStart)
        return;
    mOut.writeBytes(QByteArrayView(mStart, mNext - mStart));
    mNext = mStart;
}

double fieldNumber(QStringView field)
{
    if (const std::optional<double> plain = plainNumber(begin16(field), end16(field)))
        return *plain;
    return platform::Val(field);
}

std::optional<std::int32_t> fieldLong(QStringView field)
{
    const std::optional<plain::Parts> parts = plainDigits(begin16(field), end16(field));
    if (parts && parts->decimals < 0)
        return plain::wholeAs<std::int32_t>(*parts);
    return platform::toLongChecked(fieldNumber(field));
}

std::optional<std::uint8_t> fieldByte(QStringView field)
{
    const std::optional<plain::Parts> parts = plainDigits(begin16(field), end16(field));
    if (parts && parts->decimals < 0)
        return plain::wholeAs<std::uint8_t>(*parts);
    return platform::toByteChecked(fieldNumber(field));
}

QByteArrayView rightTrimmed(QByteArrayView bytes)
{
    qsizetype n = bytes.size();
    while (n > 0 && bytes[n - 1] == ' ')
        --n;
    return bytes.first(n);
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    const QByteArrayView right = rightTrimmed(bytes);
    qsizetype first = 0;
    while (first < right.size() && right[first] == ' ')
        ++first;
    return right.sliced(first);
}

// The fields of CP932 bytes that are no plain numbers: decoded and read as
// the text versions read them.
double fieldNumberOfText(QByteArrayView field)
{
    return fieldNumber(QStringView(platform::fromCp932(field)));
}

std::optional<double> leadingNumberOfText(QByteArrayView field)
{
    return platform::leadingNumber(QStringView(platform::fromCp932(field)));
}

std::optional<std::int32_t> fieldLongOfText(QByteArrayView field)
{
    return fieldLong(QStringView(platform::fromCp932(field)));
}

std::optional<std::uint8_t> fieldByteOfText(QByteArrayView field)
{
    return fieldByte(QStringView(platform::fromCp932(field)));
}

double fieldNumber(QByteArrayView field)
{
    plain::Parts parts;
    if (plain::partsOfBytes(field.begin(), field.end(), parts))
        return plain::valueOf(parts);
    return fieldNumberOfText(field);
}

std::optional<std::int32_t> fieldLong(QByteArrayView field)
{
    plain::Parts parts;
    if (plain::partsOfBytes(field.begin(), field.end(), parts) && parts.decimals < 0)
        return plain::wholeAs<std::int32_t>(parts);
    return fieldLongOfText(field);
}

std::optional<std::uint8_t> fieldByte(QByteArrayView field)
{
    plain::Parts parts;
    if (plain::partsOfBytes(field.begin(), field.end(), parts) && parts.decimals < 0)
        return plain::wholeAs<std::uint8_t>(parts);
    return fieldByteOfText(field);
}

QString collapseBlankRuns(QStringView text)
{
    if (!text.contains(u"  "))
        return text.toString();
    QString out;
    out.reserve(text.size());
    bool lastBlank = false;
    for (const QChar c : text) {
        const bool blank = c == u' ';
        if (!(blank && lastBlank))
            out.append(c);
        lastBlank = blank;
    }
    return out;
}

}  // namespace tavelcor::sitetext
