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

// The work folder (tile cache, its list Eld.AR2, snapshots, temporary
// bitmaps): "Eld" in a folder of the user's own, $XDG_RUNTIME_DIR/tavelcor
// when that variable is set and not empty, else the system temporary folder
// + "/tavelcor-" + the user id. That folder is made with mode 0700 (closed to
// others when it was open); the temporary folder is shared by all users, so
// a folder of that name that is not the user's own (another user's, a link)
// is never used: a new one beside it is made instead. The work folder itself
// is not created here: callers that write into it call ensureFolder() first.
QString workFolder();

// The folder of local copies of network raster images: "TVXTEMP" beside the
// work folder, in the same folder of the user's own. Not created here.
QString localRasterFolder();

// The folder of the running executable; the programs of the system find each
// other there. Works before a QCoreApplication exists too.
QString executableFolder();

// Makes the folder (with its parents) when it does not exist. True when the
// folder exists afterwards; false for an empty path or when it cannot be made.
bool ensureFolder(const QString& path);

}  // namespace platform
