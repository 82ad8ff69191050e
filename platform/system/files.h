// SPDX-License-Identifier: LicenseRef-Tavelcor
// File-system helpers: existence, copy, delete, folders, modification times
// and the case-insensitive lookup of site file names.
//
// Paths use "/". The Linux file system is case-sensitive while the site
// folders come from a system where "画地属性.txt" and "画地属性.TXT" are the same
// file: findFileNoCase() bridges that. Where a caller upper-cases a path to
// test it, it tests the upper-cased text and opens the original path.
#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace platform {

// True when path names an existing regular file (or a link to one).
bool fileExists(const QString& path);

// True when path names an existing folder (or a link to one).
bool folderExists(const QString& path);

// Copies the file from to the file to, replacing an existing target. The copy
// is written to a temporary file beside the target and renamed over it, so a
// failure leaves an existing target as it was. False when from is no file,
// the target folder is missing or writing fails.
[[nodiscard]] bool copyFile(const QString& from, const QString& to);

// Replaces the file's contents with bytes atomically: they go to a temporary
// file beside the target, which is renamed over it only when every byte was
// written, so a failure leaves an existing target exactly as it was. False
// when the folder is missing or read-only, path names a folder, or writing
// fails (a full disk).
[[nodiscard]] bool writeFileAtomically(const QString& path, QByteArrayView bytes);

// The same for contents made while they are written: produce writes them
// into the device it is given (the temporary file) and returns false to give
// the file up. The target is replaced only when produce returned true and
// every write succeeded; otherwise the temporary file goes and an existing
// target stays as it was. For writers of files too large to hold in memory
// first.
[[nodiscard]] bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& produce);

// Deletes the file. True when no file of that name exists afterwards (also
// when there was none); false when it exists and cannot be deleted. Never
// deletes a folder.
bool removeFile(const QString& path);

// Makes the folder with its parents. True when the folder exists afterwards.
// The same as ensureFolder() of folders.h.
bool makeFolder(const QString& path);

// Deletes the folder with everything in it. True when no folder of that name
// exists afterwards (also when there was none). Refuses, returning false, an
// empty path and the root folder "/". A path that is a symbolic link loses
// the link only: the folder it points to and its files stay.
bool removeFolderTree(const QString& path);

// Last-modified time of a file or folder in local time, to the millisecond;
// nullopt when the path does not exist.
std::optional<QDateTime> lastModified(const QString& path);

// Date-time as a "date double": days since 1899-12-30 00:00 local time plus
// the fraction of the day (0.5 = noon). Before that day the whole part counts
// days backwards and the fraction still counts forwards from midnight (-1.25
// is 1899-12-29 06:00), as the system's stored date values do. Invalid input
// gives 0.
double toDateDouble(const QDateTime& when);

// Inverse of toDateDouble(), to the millisecond, in local time.
QDateTime fromDateDouble(double days);

// lastModified() as a date double; nullopt when the path does not exist.
std::optional<double> lastModifiedDateDouble(const QString& path);

// Names (without folder) of the regular files in folder, hidden files
// included, in the order the file system lists them. Empty when the folder
// does not exist.
QStringList listFiles(const QString& folder);

// True when name, taken from a file's contents, is a bare file name that
// stays inside the folder it is joined to: not empty, not "." or "..", and
// without "/", a backslash or a NUL character. Callers refuse other names.
bool isBareFileName(const QString& name);

// The path of the existing regular file in folder whose name equals name
// without regard to letter case (Latin letters of either width, and any other
// letters with simple case folding; "画地属性.txt" finds "画地属性.TXT").
// An exact match wins; among several names that differ only in case the one
// first in code-point order is taken (so "A.TXT" before "a.txt"), which keeps
// the choice the same on every run. When no such file exists the designed
// name is returned, folder + "/" + name, so a writer writes that name.
// folder may end in "/" or not; name is a bare file name (a name holding "/"
// is joined to the folder as given, without lookup).
QString findFileNoCase(const QString& folder, const QString& name);

}  // namespace platform
