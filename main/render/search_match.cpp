// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/search_match.h"

#include "platform/text/strings.h"

#include <array>

namespace tavelcor::search {

namespace {

bool occursIn(QStringView haystack, QStringView needle, MatchMode mode)
{
    if (mode == MatchMode::AtStart)
        return haystack.startsWith(needle, Qt::CaseInsensitive);
    return haystack.contains(needle, Qt::CaseInsensitive);
}

}  // namespace

MatchMode matchModeOf(int containsBox, int atStartBox) noexcept
{
    if (containsBox == 0)
        return MatchMode::Exact;
    return atStartBox != 0 ? MatchMode::AtStart : MatchMode::Contains;
}

std::optional<int> coordinateNumber(QStringView text, int zahyoMax) noexcept
{
    // Up to the last non-blank character: trailing blanks are allowed.
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    const QStringView significant = text.first(end);
    long long value = 0;
    for (const QChar c : significant) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > zahyoMax)
            return std::nullopt;  // too large for a number in use: a name
    }
    return static_cast<int>(value);
}

QStringList splitWords(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

bool wordMatches(QStringView word, const QString& searchText, MatchMode mode)
{
    if (mode == MatchMode::Exact)
        return word == searchText;
    const QStringView term = platform::trimmedView(searchText);
    // An empty term would occur in every word: it finds nothing instead.
    if (term.isEmpty())
        return false;
    return occursIn(word, term, mode);
}

bool columnMatches(QStringView column, const QString& searchText, MatchMode mode)
{
    if (mode == MatchMode::Exact)
        return platform::trimmedView(column) == platform::trimmedView(searchText);
    if (searchText.isEmpty())
        return false;
    return occursIn(column, searchText, mode);
}

QStringList andTerms(const QString& text)
{
    return text.split(QLatin1Char('+'), Qt::KeepEmptyParts);
}

bool andTermsMatch(const std::function<QString(int column)>& column, const QStringList& terms,
                   MatchMode mode)
{
    // The trimmed columns are taken once for all terms.
    std::array<QString, kSearchColumnTop + 1> cells;
    for (int c = 0; c <= kSearchColumnTop; ++c)
        cells[static_cast<std::size_t>(c)] = platform::Trim(column(c));
    qsizetype counted = 0;
    for (const QString& term : terms) {
        const QStringView wanted = platform::trimmedView(term);
        if (wanted.isEmpty())
            continue;
        for (const QString& cell : cells) {
            if (cell.isEmpty())
                continue;
            const bool hit = mode == MatchMode::Exact ? cell == wanted : occursIn(cell, wanted, mode);
            if (hit) {
                ++counted;
                break;
            }
        }
    }
    return counted == terms.size();
}

}  // namespace tavelcor::search
