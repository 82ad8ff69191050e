// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/plot_procedures.h"

#include "main/site/site_messages.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/system/files.h"

#include <QFileInfo>

namespace tavelcor {

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


}  // namespace tavelcor
