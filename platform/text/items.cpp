// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/items.h"

namespace platform {
namespace {

bool isBlankOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

struct Item {
    QString text;
    qsizetype next;  // where the next item starts, or -1 when the line is used up
};

// The item that starts at pos in line.
Item takeItem(QStringView line, qsizetype pos)
{
    while (pos < line.size() && isBlankOrTab(line[pos]))
        ++pos;
    qsizetype end = pos;
    QString text;
    if (pos < line.size() && line[pos] == u'"') {
        const qsizetype close = line.indexOf(u'"', pos + 1);
        const qsizetype stop = close < 0 ? line.size() : close;
        text = line.sliced(pos + 1, stop - pos - 1).toString();
        end = close < 0 ? line.size() : close + 1;
        while (end < line.size() && line[end] != u',')
            ++end;
    } else {
        while (end < line.size() && line[end] != u',')
            ++end;
        qsizetype last = end;
        while (last > pos && isBlankOrTab(line[last - 1]))
            --last;
        text = line.sliced(pos, last - pos).toString();
    }
    return {text, end < line.size() ? end + 1 : -1};
}

}  // namespace

QStringList splitInputItems(QStringView line)
{
    QStringList items;
    qsizetype pos = 0;
    do {
        Item item = takeItem(line, pos);
        items.append(std::move(item.text));
        pos = item.next;
    } while (pos >= 0);
    return items;
}

ItemReader::ItemReader(LineReader& lines) : mLines(lines)
{
}

std::optional<QString> ItemReader::readItem()
{
    if (!mInLine) {
        if (!mLines.readLine(mLine))
            return std::nullopt;
        mPos = 0;
        mInLine = true;
    }
    Item item = takeItem(mLine, mPos);
    mPos = item.next;
    mInLine = item.next >= 0;
    return std::move(item.text);
}

std::optional<QString> ItemReader::readLine()
{
    if (mInLine) {
        mInLine = false;
        return mLine.sliced(mPos);
    }
    QString line;
    if (!mLines.readLine(line))
        return std::nullopt;
    return line;
}

}  // namespace platform
