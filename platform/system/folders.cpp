// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

namespace platform {

namespace {

// Absolute, clean, without a trailing "/" (the root "/" stays as it is).
QString normalised(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

}  // namespace

QString programFolder()
{
    const QString home = qEnvironmentVariable("TAVELCOR_HOME");
    const QString folder = home.isEmpty()
        ? normalised(QDir::homePath() + QStringLiteral("/.local/share/tavelcor"))
        : normalised(home);
    ensureFolder(folder);
    return folder;
}

QString workFolder()
{
    return normalised(QDir::tempPath()) + QStringLiteral("/Eld");
}

QString localRasterFolder()
{
    return normalised(QDir::tempPath()) + QStringLiteral("/TVXTEMP");
}

QString executableFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return normalised(QCoreApplication::applicationDirPath());
    // Without an application object Qt cannot tell; the kernel can.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return normalised(QFileInfo(self.symLinkTarget()).absolutePath());
}

bool ensureFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    QDir dir;
    return dir.mkpath(path) && QFileInfo(path).isDir();
}

}  // namespace platform
