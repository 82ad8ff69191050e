// SPDX-License-Identifier: LicenseRef-Tavelcor
// The folders the programs use on Linux.
//
// Every path returned here is absolute, uses "/" and has no trailing "/".
#pragma once

#include <QString>

namespace platform {

// The program folder: the programs' own files (POINT.JKN, TEXT.JKN,
// tavelcor.jkn, ORBELA.JKN, KINTAB.JKN, track files, the geoid file).
// $TAVELCOR_HOME when that variable is set and not empty, else
// ~/.local/share/tavelcor. Created (with its parents) on every call when it
// does not exist yet; a folder that cannot be created is still returned, and
// the first file operation in it then fails.
QString programFolder();

// The work folder: the system temporary folder + "/Eld" (tile cache, its list
// Eld.AR2, snapshots, temporary bitmaps). Not created here: callers that
// write into it call ensureFolder() first.
QString workFolder();

// The folder of local copies of network raster images: the system temporary
// folder + "/TVXTEMP". Not created here.
QString localRasterFolder();

// The folder of the running executable; the programs of the system find each
// other there. Works before a QCoreApplication exists too.
QString executableFolder();

// Makes the folder (with its parents) when it does not exist. True when the
// folder exists afterwards; false for an empty path or when it cannot be made.
bool ensureFolder(const QString& path);

}  // namespace platform
