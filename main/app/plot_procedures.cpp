// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/plot_procedures.h"

#include "main/app/app_context.h"
#include "main/site/site_messages.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/system/files.h"
#include "platform/text/textfile.h"

#include <QFileInfo>
#include <QStringList>

namespace tavelcor {
namespace {

const QString kTileListName = QStringLiteral("Eld.AR2");

QString tileListPath()
{
    return platform::findFileNoCase(WorkFolder, kTileListName);
}

// Takes names into TileCache(1..) until the list is full.
void takeTileNames(const QStringList& names)
{
    TileCacheCount = 0;
    for (const QString& name : names) {
        if (TileCacheCount >= kTileCacheTop)
            break;
        TileCache[++TileCacheCount] = name;
    }
}

}  // namespace

void Bbc(int /*sw*/)
{
    DataDirty = -1;
}

bool NMEACOPY(const QString& from, const QString& to)
{
    if (!platform::fileExists(from))
        return false;
    if (platform::copyFile(from, to))
        return true;
    showSiteMessage(QStringLiteral("nmeacopyでエラーがかかりました"));
    return false;
}

QString siteFolderOf(const QString& path)
{
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

void readTileList()
{
    const QString path = tileListPath();
    if (!platform::fileExists(path)) {
        takeTileNames(platform::listFiles(WorkFolder));
        return;
    }
    TileCacheCount = 0;
    platform::TextFileReader reader(path);
    QString line;
    while (TileCacheCount < kTileCacheTop && reader.readLine(line))
        TileCache[++TileCacheCount] = line;
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

void Command52_Click(Plot& /*window*/)
{
    takeTileNames(platform::listFiles(WorkFolder));
    writeTileList();
    const AppServices& services = appServices();
    if (services.showBackgroundWindow)
        services.showBackgroundWindow();
}

}  // namespace tavelcor
