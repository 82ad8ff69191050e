// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_text.h"

#include "geodesy/format_fixed.h"
#include "main/site/site_messages.h"
#include "platform/system/files.h"
#include "platform/text/fields.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>

namespace tavelcor::sitetext {
namespace {

// Wide enough for every finite coordinate the tables can hold with up to 9
// decimals, so the formatter never has to cut it.
constexpr int kWholeWidth = 40;

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

// Powers of ten a double holds exactly.
constexpr std::array<double, 16> kExactPowersOfTen{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// More digits than this may not fit the 53 bits of a double's mantissa.
constexpr int kFastDigits = 15;

// The parts of a plain number text "[blanks][sign]digits[.digits][blanks]".
struct PlainDigits {
    bool negative = false;
    std::int64_t mantissa = 0;  // every digit, the point left out
    int decimals = -1;          // digits after the point; -1: no point
};

// The parts of a plain number text with at most 15 digits, or nullopt for
// anything else.
std::optional<PlainDigits> plainDigits(QStringView text)
{
    const QChar* p = text.data();
    const QChar* const end = p + text.size();
    while (p != end && *p == u' ')
        ++p;
    PlainDigits parts;
    if (p != end && (*p == u'-' || *p == u'+')) {
        parts.negative = *p == u'-';
        ++p;
    }
    int digits = 0;
    for (; p != end; ++p) {
        const char16_t c = p->unicode();
        if (c >= u'0' && c <= u'9') {
            if (++digits > kFastDigits)
                return std::nullopt;
            parts.mantissa = parts.mantissa * 10 + (c - u'0');
            if (parts.decimals >= 0)
                ++parts.decimals;
        } else if (c == u'.' && parts.decimals < 0) {
            parts.decimals = 0;
        } else {
            break;
        }
    }
    while (p != end && *p == u' ')
        ++p;
    if (p != end || digits == 0)
        return std::nullopt;
    return parts;
}

// The plain form "[blanks][sign]digits[.digits][blanks]" with at most 15
// digits, or nullopt for anything else. The mantissa and the power of ten
// are both exact, so their quotient is the correctly rounded value of the
// decimal text: the same double a full parser gives.
std::optional<double> plainNumber(QStringView text)
{
    const std::optional<PlainDigits> parts = plainDigits(text);
    if (!parts)
        return std::nullopt;
    if (parts->mantissa == 0)
        return 0.0;  // never -0
    double value = static_cast<double>(parts->mantissa);
    if (parts->decimals > 0)
        value /= kExactPowersOfTen[static_cast<std::size_t>(parts->decimals)];
    return parts->negative ? -value : value;
}

// The plain whole number "[blanks][sign]digits[blanks]" (at most 15 digits),
// or nullopt for anything else.
std::optional<std::int64_t> plainWhole(QStringView text)
{
    const std::optional<PlainDigits> parts = plainDigits(text);
    if (!parts || parts->decimals >= 0)
        return std::nullopt;
    return parts->negative ? -parts->mantissa : parts->mantissa;
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
    showSiteMessage(readErrorMessage(fileName));
    return ReadOutcome::StopProgram;
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

double fieldNumber(QStringView field)
{
    if (const std::optional<double> plain = plainNumber(field))
        return *plain;
    return platform::Val(field);
}

std::optional<std::int32_t> fieldLong(QStringView field)
{
    if (const std::optional<std::int64_t> whole = plainWhole(field)) {
        if (*whole < INT32_MIN || *whole > INT32_MAX)
            return std::nullopt;
        return static_cast<std::int32_t>(*whole);
    }
    return platform::toLongChecked(fieldNumber(field));
}

std::optional<std::uint8_t> fieldByte(QStringView field)
{
    if (const std::optional<std::int64_t> whole = plainWhole(field)) {
        if (*whole < 0 || *whole > UINT8_MAX)
            return std::nullopt;
        return static_cast<std::uint8_t>(*whole);
    }
    return platform::toByteChecked(fieldNumber(field));
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
