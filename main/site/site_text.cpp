// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_text.h"

#include "geodesy/format_fixed.h"
#include "platform/system/files.h"
#include "platform/text/strings.h"

#include <QLatin1StringView>

#include <charconv>
#include <string>

namespace tavelcor::sitetext {
namespace {

// Wide enough for every finite coordinate the tables can hold with up to 9
// decimals, so the formatter never has to cut it.
constexpr int kWholeWidth = 40;

void appendLatin1(QString& line, const std::string& text, std::size_t from = 0)
{
    line.append(QLatin1StringView(text.data() + from, static_cast<qsizetype>(text.size() - from)));
}

// The fixed form of value in width, or the whole number text when it does not
// fit (then with no blank in front).
std::string fixedText(double value, int width, int decimals)
{
    std::string text = geodesy::FormatFixed(value, width, decimals);
    if (text.empty() || text.front() == ' ')
        return text;  // fits with room to spare: nothing was cut
    std::string whole = geodesy::FormatFixed(value, kWholeWidth, decimals);
    const std::size_t first = whole.find_first_not_of(' ');
    if (first == std::string::npos || whole.size() - first <= text.size())
        return text;  // fitted exactly
    return whole.substr(first);
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

void appendInt(QString& line, std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    line.append(QLatin1StringView(buffer.data(), end - buffer.data()));
}

void appendFixed(QString& line, double value, int width, int decimals)
{
    appendLatin1(line, fixedText(value, width, decimals));
}

void appendFixedTrimmed(QString& line, double value, int width, int decimals)
{
    const std::string text = fixedText(value, width, decimals);
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos)
        appendLatin1(line, text, first);
}

void appendField(QString& line, QStringView text)
{
    if (!needsCleaning(text)) {
        line.append(text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',') {
            line.append(u'_');
        } else if (c == u'\r') {
            line.append(u' ');
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;  // CR LF is one line break
        } else if (c == u'\n') {
            line.append(u' ');
        } else {
            line.append(c);
        }
    }
}

void appendTrimmedField(QString& line, QStringView text)
{
    if (!needsCleaning(text)) {
        line.append(platform::trimmedView(text));
        return;
    }
    QString cleaned;
    appendField(cleaned, text);
    line.append(platform::trimmedView(cleaned));
}

void appendWithoutCommas(QString& line, QStringView text)
{
    if (!needsCleaning(text)) {
        line.append(text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',')
            continue;
        if (c == u'\r') {
            line.append(u' ');
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            line.append(u' ');
        } else {
            line.append(c);
        }
    }
}

void removeBlanksInPlace(QString& line)
{
    if (line.contains(u' '))
        line.remove(u' ');
}

void resetLine(QString& line)
{
    line.truncate(0);
}

QStringView rightTrimmed(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.first(end);
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
