// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/tile_list.h"

#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/textfile.h"

#include <QBuffer>
#include <QHash>

#include <algorithm>

namespace tavelcor {
namespace {

const QString kTileListName = QStringLiteral("Eld.AR2");

QString tileListPath()
{
    return platform::findFileNoCase(WorkFolder, kTileListName);
}

// The hash index of TileCache(1..indexed): each name to its first index.
struct TileIndex {
    QHash<QString, int> first;
    int indexed = 0;

    void clear()
    {
        first.clear();
        indexed = 0;
    }

    // Follows the table: entries appended since the last look are added; a
    // shorter list is indexed anew.
    void follow()
    {
        const int count = std::clamp(TileCacheCount, 0, kTileCacheTop);
        if (count < indexed)
            clear();
        for (int i = indexed + 1; i <= count; ++i) {
            if (!first.contains(TileCache[i]))
                first.insert(TileCache[i], i);
        }
        indexed = count;
    }
};

TileIndex& tileIndex()
{
    static TileIndex index;
    return index;
}

QStringList takeLines(platform::LineReader& reader)
{
    QStringList names;
    QString line;
    while (names.size() < kTileCacheTop && reader.readLine(line))
        names.append(line);
    return names;
}

}  // namespace

QStringList parseTileList(QByteArrayView bytes)
{
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    platform::LineReader reader(&buffer);
    return takeLines(reader);
}

void setTileCache(const QStringList& names)
{
    TileCacheCount = 0;
    tileIndex().clear();
    for (const QString& name : names) {
        if (TileCacheCount >= kTileCacheTop)
            break;
        TileCache[++TileCacheCount] = name;
    }
}

void readTileList()
{
    const QString path = tileListPath();
    if (!platform::fileExists(path)) {
        setTileCache(platform::listFiles(WorkFolder));
        return;
    }
    platform::TextFileReader file(path);
    setTileCache(takeLines(file.lines()));
}

bool writeTileList()
{
    if (TileCacheCount <= 0)
        return false;
    platform::TextFileWriter writer(tileListPath());
    for (int i = 1; i <= TileCacheCount && i <= kTileCacheTop; ++i)
        writer.writeLine(TileCache[i]);
    return writer.commit();
}

bool rebuildTileList()
{
    setTileCache(platform::listFiles(WorkFolder));
    return writeTileList();
}

int findTileName(const QString& name)
{
    TileIndex& index = tileIndex();
    index.follow();
    const auto hit = index.first.constFind(name);
    if (hit == index.first.cend())
        return 0;
    // An entry rewritten in place behind the index's back: index anew.
    if (TileCache[*hit] != name) {
        index.clear();
        index.follow();
        return index.first.value(name, 0);
    }
    return *hit;
}

bool appendTileName(const QString& name)
{
    if (TileCacheCount < 0 || TileCacheCount >= kTileCacheTop)
        return false;
    TileCache[++TileCacheCount] = name;
    return true;
}

}  // namespace tavelcor
