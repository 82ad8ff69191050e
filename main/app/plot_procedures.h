// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small procedures of the main window that start-up, the save command, the
// backup and shut-down call: the data-changed mark, the file copy of a
// chosen SIMA file, the site folder of a chosen file, the tile list of the
// work folder, and the background button's rebuilding of that list.
#pragma once

#include <QString>


namespace tavelcor {

class Plot;

/// Marks the site data as modified (DataDirty -1). The argument is not used.
void Bbc(int sw);

/// Copies the file `from` over `to` when `from` exists (nothing otherwise).
/// A failed copy shows "nmeacopyでエラーがかかりました" and leaves `to` as it
/// was. True when the copy was made.
bool NMEACOPY(const QString& from, const QString& to);

/// The folder of a chosen file as SiteFolder holds it: absolute, with a
/// trailing "/" (the root keeps its single "/").
QString siteFolderOf(const QString& path);

/// The tile list "Eld.AR2" of the work folder: each line one cached file
/// name. Reads it into TileCache(1..) when it exists, else takes the names of
/// the work folder's files in the order the file system lists them; at most
/// 100000 names; TileCacheCount is the number taken.
void readTileList();

/// Rewrites WorkFolder + "/Eld.AR2" from TileCache(1..TileCacheCount), one
/// name per CR LF line, atomically; with an empty list the old file stays
/// (false, nothing written). False when the file cannot be written.
bool writeTileList();

/// The background button 背景 (the map-only view calls it after its first
/// redraw): TileCache from the work folder's file listing (at most 100000
/// names), then Eld.AR2 rewritten, then the background settings window shown
/// modeless through appServices().showBackgroundWindow (the background part
/// installs it; without it nothing is shown).
void Command52_Click(Plot& window);

}  // namespace tavelcor
