// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/prompt/file_filter.h"

namespace platform {

namespace {

QStringList splitPatterns(const QString& text)
{
    QStringList patterns;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            patterns.append(pattern);
    }
    if (patterns.isEmpty())
        patterns.append(QStringLiteral("*"));
    return patterns;
}

}  // namespace

std::vector<NameFilter> parseFileFilter(const QString& filter)
{
    std::vector<NameFilter> entries;
    if (filter.trimmed().isEmpty())
        return entries;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i);
        const bool last = i + 1 >= parts.size();
        if (last && description.trimmed().isEmpty())
            break;  // a closing "|" adds no entry
        const QString patterns = i + 1 < parts.size() ? parts.at(i + 1) : description;
        entries.push_back(NameFilter{description, splitPatterns(patterns)});
    }
    return entries;
}

QStringList qtNameFilters(const QString& filter)
{
    QStringList result;
    for (const NameFilter& entry : parseFileFilter(filter)) {
        const QString patterns = entry.patterns.join(QLatin1Char(' '));
        QString description = entry.description.trimmed();
        if (description.isEmpty())
            description = entry.patterns.join(QLatin1Char(';'));
        result.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return result;
}

int qtFilterPosition(const QString& filter, int filterIndex)
{
    const auto count = static_cast<int>(parseFileFilter(filter).size());
    if (count == 0)
        return -1;
    if (filterIndex < 1 || filterIndex > count)
        return 0;
    return filterIndex - 1;
}

}  // namespace platform
