// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/strings.h"

namespace platform {
namespace {

qsizetype firstNonBlank(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

qsizetype endOfNonBlank(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return n;
}

}  // namespace

QStringView trimmedView(QStringView text)
{
    const qsizetype last = endOfNonBlank(text);
    const qsizetype first = last == 0 ? 0 : firstNonBlank(text);
    return text.sliced(first, last - first);
}

QString Trim(QStringView text)
{
    return trimmedView(text).toString();
}

QString LTrim(QStringView text)
{
    return text.sliced(firstNonBlank(text)).toString();
}

QString RTrim(QStringView text)
{
    return text.first(endOfNonBlank(text)).toString();
}

QString removeBlanks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ')
            out.append(c);
    }
    return out;
}

}  // namespace platform
