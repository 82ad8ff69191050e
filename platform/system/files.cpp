// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/files.h"

#include "platform/system/folders.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTime>

#include <cmath>

namespace platform {

namespace {

constexpr qint64 kMsecsPerDay = 86400000;
constexpr qint64 kCopyChunk = 1 << 20;

QDate dateEpoch()
{
    return QDate(1899, 12, 30);
}

// folder + "/" + name with exactly one "/" between them.
QString joined(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name
                                             : folder + QLatin1Char('/') + name;
}

bool streamCopy(QFile& in, QSaveFile& out)
{
    QByteArray chunk;
    while (!in.atEnd()) {
        chunk = in.read(kCopyChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

}  // namespace

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool folderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool copyFile(const QString& from, const QString& to)
{
    if (!fileExists(from) || to.isEmpty() || folderExists(to))
        return false;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile's commit puts its temporary file in place even when the last
    // flush of its buffer fails (a full disk), and may report success: flush
    // first, and give the copy up when that fails.
    if (!streamCopy(in, out) || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    return writeFileAtomically(path, [bytes](QIODevice& out) {
        return out.write(bytes.data(), bytes.size()) == bytes.size();
    });
}

bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& produce)
{
    if (path.isEmpty() || folderExists(path))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // As in copyFile: a failed last flush must not let commit() succeed.
    if (!produce(out) || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool removeFile(const QString& path)
{
    if (path.isEmpty())
        return true;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return false;
    return QFile::remove(path);
}

bool makeFolder(const QString& path)
{
    return ensureFolder(path);
}

bool removeFolderTree(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (clean == QStringLiteral("/"))
        return false;
    // A link is never followed: removing the tree behind it would empty a
    // folder elsewhere (a link planted in the shared temporary folder could
    // point anywhere). The link itself goes.
    if (QFileInfo(clean).isSymLink())
        return QFile::remove(clean);
    if (!QFileInfo(clean).isDir())
        return !QFileInfo(clean).exists();
    QDir dir(clean);
    return dir.removeRecursively() && !QFileInfo(clean).exists();
}

std::optional<QDateTime> lastModified(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    return info.lastModified().toLocalTime();
}

double toDateDouble(const QDateTime& when)
{
    if (!when.isValid())
        return 0.0;
    const QDateTime local = when.toLocalTime();
    const qint64 days = dateEpoch().daysTo(local.date());
    const double fraction = double(local.time().msecsSinceStartOfDay()) / double(kMsecsPerDay);
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

QDateTime fromDateDouble(double days)
{
    if (!std::isfinite(days))
        return {};
    const double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * double(kMsecsPerDay));
    qint64 dayOffset = qint64(whole);
    if (msecs >= kMsecsPerDay) {  // rounding reached the next midnight
        msecs -= kMsecsPerDay;
        dayOffset += days >= 0 ? 1 : -1;
    }
    const QDate date = dateEpoch().addDays(dayOffset);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

std::optional<double> lastModifiedDateDouble(const QString& path)
{
    const std::optional<QDateTime> when = lastModified(path);
    if (!when)
        return std::nullopt;
    return toDateDouble(*when);
}

QStringList listFiles(const QString& folder)
{
    QStringList names;
    if (!folderExists(folder))
        return names;
    const QDir dir(folder);
    return dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
}

bool isBareFileName(const QString& name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

QString findFileNoCase(const QString& folder, const QString& name)
{
    const QString designed = joined(folder, name);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || fileExists(designed))
        return designed;
    QString best;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                    QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QString candidate = it.fileName();
        if (candidate.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (best.isEmpty() || candidate < best)
            best = candidate;
    }
    return best.isEmpty() ? designed : joined(folder, best);
}

}  // namespace platform
