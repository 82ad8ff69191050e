// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The tile list of the work folder: TileCache(1..TileCacheCount) names the
// files the work folder holds (map tiles and whatever else lies there), and
// "Eld.AR2" keeps it between runs, one name per CR LF line in the system's
// code page, no header, at most 100000 lines. Start-up reads it (or lists
// the folder when it is missing), shut-down writes it, the background
// button rebuilds it from a listing, and the tile download appends a name
// for every file it fetches.
//
// Names are looked up exactly (case-sensitive) through a hash index kept
// beside the table, so that a lookup never walks the 100000 names. Code that
// replaces the list goes through setTileCache(); the index also follows
// entries appended to the table and a count that shrinks (a reset, the
// clearing of the work folder).

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tavelcor {

/// The names in the bytes of a tile list: one per line (CR LF, CR or LF
/// ends a line; a last line without an end counts), CP932, empty lines
/// kept as empty names, at most kTileCacheTop names (further lines are not
/// read).
QStringList parseTileList(QByteArrayView bytes);

/// Replaces the list: `names` into TileCache(1..), at most kTileCacheTop of
/// them; TileCacheCount the number taken.
void setTileCache(const QStringList& names);

/// Start-up: the list from WorkFolder's "Eld.AR2" (found without regard to
/// case) when it exists, else from the names of the work folder's files in
/// the order the file system lists them. A list file that cannot be read
/// gives the lines read before the failure.
void readTileList();

/// Rewrites WorkFolder + "/Eld.AR2" from TileCache(1..TileCacheCount), one
/// name per CR LF line, atomically; with an empty list the old file stays
/// (false, nothing written). False when the file cannot be written.
bool writeTileList();

/// Replaces the list with a fresh listing of the work folder's files (at
/// most kTileCacheTop names) and writes Eld.AR2 from it. False when the file
/// cannot be written.
bool rebuildTileList();

/// The index (1..TileCacheCount) of the first entry equal to `name`; 0 when
/// the list holds no such entry.
int findTileName(const QString& name);

/// Appends `name` to the list when it has room (TileCacheCount below
/// kTileCacheTop); false when it is full.
bool appendTileName(const QString& name);

}  // namespace tavelcor
