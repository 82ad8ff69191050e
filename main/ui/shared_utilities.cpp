// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/shared_utilities.h"

#include "main/site/tables.h"
#include "platform/system/drive_type.h"
#include "platform/system/files.h"
#include "platform/system/network_state.h"
#include "platform/text/cp932.h"

#include <QDir>
#include <QFileInfo>

namespace tavelcor {

int SelectedIndex(const platform::ControlArray<platform::OptionButton>& opts)
{
    for (const auto& [index, option] : opts) {
        if (option->Value())
            return index;
    }
    return -1;
}

std::optional<int> DriveType(const QString& path)
{
    return platform::driveType(path);
}

bool ClearWorkFolder()
{
    QString folder = QDir::cleanPath(WorkFolder);
    if (folder.isEmpty() || folder == QStringLiteral("/"))
        return false;
    const QString renamed = folder + QStringLiteral("old");
    // A leftover of the new name makes the rename fail, as it must: on this
    // file system a rename would silently replace an empty folder.
    if (!QFileInfo(folder).isDir() || QFileInfo::exists(renamed) || QFileInfo(renamed).isSymLink())
        return false;
    if (!QDir().rename(folder, renamed))
        return false;
    platform::removeFolderTree(renamed);
    return true;
}

QString NetState()
{
    return platform::queryNetState();
}

WideCount CountWide(const QString& s)
{
    const auto characters = static_cast<int>(s.size());
    const auto wide = static_cast<int>(platform::cp932Length(s)) - characters;
    return {wide, characters - wide};
}

}  // namespace tavelcor
