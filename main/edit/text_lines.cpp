// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/text_lines.h"

#include <algorithm>

namespace tavelcor {

namespace {

constexpr int kBlankLookAhead = 1000;
const QChar kBlank = QLatin1Char(' ');

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == kBlank)
        ++first;
    while (last > first && text.at(last - 1) == kBlank)
        --last;
    return text.mid(first, last - first);
}

QString trimTrailingBlanks(const QString& text)
{
    qsizetype last = text.size();
    while (last > 0 && text.at(last - 1) == kBlank)
        --last;
    return text.left(last);
}

}  // namespace

QString collapseBlanks(QString text)
{
    const QString pair = QStringLiteral("  ");
    while (text.contains(pair))
        text.replace(pair, QStringLiteral(" "));
    return text;
}

QString textPanelString(const QString& field)
{
    QString text = collapseBlanks(field);
    text.replace(QLatin1Char(','), QLatin1Char('_'));
    return text;
}

QStringList splitEditorLines(const QString& text)
{
    const QString s = collapseBlanks(trimBlanks(text));
    QStringList lines;
    qsizetype start = 0;
    while (lines.size() < kEditorLines) {
        const qsizetype blank = s.mid(start, kBlankLookAhead).indexOf(kBlank);
        if (blank < 0) {
            lines.append(s.mid(start));
            break;
        }
        lines.append(s.mid(start, blank));
        start += blank + 1;
    }
    return lines;
}

QString joinEditorLines(const QStringList& boxes)
{
    QString joined;
    for (const QString& box : boxes) {
        if (!trimBlanks(box).isEmpty())
            joined += box + kBlank;
    }
    QString text = collapseBlanks(trimTrailingBlanks(joined));
    text.replace(QLatin1Char(','), QLatin1Char('_'));
    return text;
}

QString insertPhrase(const QString& text, int start, int length, const QString& phrase)
{
    const qsizetype size = text.size();
    const qsizetype st = std::clamp<qsizetype>(start, 0, size);
    const qsizetype ln = std::clamp<qsizetype>(length, 0, size - st);
    const QString rest = text.left(st) + text.mid(st + ln);
    return rest.left(st) + phrase + rest.mid(st);
}

}  // namespace tavelcor
