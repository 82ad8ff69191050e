// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/fields.h"

namespace platform {

QList<QStringView> splitCommaViews(QStringView line)
{
    QList<QStringView> fields;
    if (line.isEmpty())
        return fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u',') {
            fields.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    fields.append(line.sliced(start));
    return fields;
}

QStringList splitCommaItems(QStringView line)
{
    QStringList fields;
    const QList<QStringView> views = splitCommaViews(line);
    fields.reserve(views.size());
    for (const QStringView v : views)
        fields.append(v.toString());
    return fields;
}

QStringView nextFieldView(QStringView line, qsizetype& pos)
{
    if (pos < 1)
        pos = 1;
    const qsizetype start = pos - 1;
    if (start >= line.size()) {
        pos = line.size() + 1;
        return {};
    }
    qsizetype end = start;
    while (end < line.size() && line[end] != u',' && line[end] != u'\n')
        ++end;
    // One past the separator; at the end of the line, one past the end.
    pos = end < line.size() ? end + 2 : line.size() + 1;
    return line.sliced(start, end - start);
}

QString NextField(QStringView line, qsizetype& pos)
{
    return nextFieldView(line, pos).toString();
}

QString sanitizeField(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u',') {
            out.append(u'_');
        } else if (c == u'\r') {
            out.append(u' ');
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(u' ');
        } else {
            out.append(c);
        }
    }
    return out;
}

}  // namespace platform
