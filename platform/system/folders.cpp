// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Absolute, clean, without a trailing "/" (the root "/" stays as it is).
QString normalised(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

// The folder of the user's own that is wanted: $XDG_RUNTIME_DIR/tavelcor, or
// the temporary folder + "/tavelcor-" + the user id.
QString wantedUserFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return normalised(runtime) + QStringLiteral("/tavelcor");
    return normalised(QDir::tempPath()) + QStringLiteral("/tavelcor-") + QString::number(::geteuid());
}

// True when `path` is a folder (not a link) of this user that no one else
// can enter, after closing it to others when it was open.
bool isOwnPrivateFolder(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid())
        return false;
    if ((status.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0)
        return false;
    return true;
}

// The folder made or found at `path` when it is the user's own, else empty.
QString ownFolderAt(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return isOwnPrivateFolder(path) ? path : QString();
}

// A new folder of the user's own beside the wanted one, for a wanted one that
// belongs to someone else (made with mkdtemp: a fresh name, mode 0700). One
// per run, kept for as long as the wanted folder stays taken.
QString freshOwnFolder(const QString& wanted)
{
    static QString takenFolder;
    static QString fresh;
    if (takenFolder == wanted && !fresh.isEmpty() && isOwnPrivateFolder(fresh))
        return fresh;
    QByteArray pattern = QFile::encodeName(wanted + QStringLiteral("-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    takenFolder = wanted;
    fresh = QFile::decodeName(pattern);
    return fresh;
}

// The folder of the user's own that holds the work folder and the raster
// copies, made with mode 0700 when missing. When the wanted one cannot be
// used, a fresh one beside it; when none can be made, the wanted path (the
// first file operation in it then fails).
QString userFolder()
{
    const QString wanted = wantedUserFolder();
    QDir().mkpath(QFileInfo(wanted).path());
    QString folder = ownFolderAt(wanted);
    if (folder.isEmpty())
        folder = freshOwnFolder(wanted);
    return folder.isEmpty() ? wanted : folder;
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
    return userFolder() + QStringLiteral("/Eld");
}

QString localRasterFolder()
{
    return userFolder() + QStringLiteral("/TVXTEMP");
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
