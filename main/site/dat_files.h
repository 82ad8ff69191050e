// SPDX-License-Identifier: LicenseRef-Tavelcor
// The DAT files of a site folder: POINT.DAT (observation points), LINE.DAT
// (line segments), TEGAKI.DAT (hand-stroke vertices) and TEXT.DAT (texts).
//
// CP932 text, CR LF lines, comma-separated without quoting. Coordinates are
// absolute in the files (the stored plot value plus OriginX for X/north,
// OriginY for Y/east) and written in the fixed form: FormatFixed with width
// 10 and 2 decimals. Rows:
//   POINT.DAT   index,name,name2,X,Y,mark            every blank removed
//   LINE.DAT    index,colour,X1,Y1,X2,Y2             every blank removed
//   TEGAKI.DAT  index,pen,colour,X,Y                 every blank removed
//   TEXT.DAT     index,    X,    Y,text, colour      blanks kept: index and
//               colour in the signed-blank form (" 12"), X and Y 10 wide
// Example rows: "3,境界①,済,-1234.56,2345.67,102" and
// " 1,  -1234.56,   2345.67,宅地, 12".
//
// Reading (start-up, folder = SiteFolder): a row with more fields than its
// layout (and a TEXT.DAT row with fewer) stops the program with a message
// naming the file and the row; shorter POINT/LINE/TEGAKI rows and empty lines
// are passed over. A row whose index or byte field lies outside its table or
// type is refused the same way (the message names the file and the row): the
// tables are never written outside their bounds. A file that is there but
// cannot be opened, or whose reading fails part-way (a USB stick pulled
// out), stops the program with a message naming it, so that no half-read
// site is opened and later saved over the whole files. File names are
// matched without regard to case.
//
// Writing: each file is written whole and atomically (a temporary file in the
// folder renamed over the old one), and only when its table holds something;
// an empty table leaves the old file as it is (Skipped).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

namespace tavelcor {

// POINT.DAT: row i goes to point i (1..500000; no renumbering); names lose
// trailing blanks; PointMark is the mark rounded to a byte (halves to even).
// PointCount becomes the largest index seen (it only grows).
ReadOutcome readPointDat(const QString& folder);

// LINE.DAT, read only while no line is loaded (LineNext below 2; otherwise
// Ok without reading): rows become lines 1, 2, ... in file order (the index
// field is ignored), at most 500000; LineNext = rows + 1.
ReadOutcome readLineDat(const QString& folder);

// TEGAKI.DAT: row i goes to vertex i (1..1000000); pen and colour are bytes;
// X and Y single precision. TegakiCount becomes the largest index seen.
ReadOutcome readTegakiDat(const QString& folder);

// TEXT.DAT: rows whose text is blank are passed over; the others become texts
// 1, 2, ... in file order (at most 30000); every run of blanks in a text
// becomes one blank. TxtCount becomes the number of rows taken (it only
// grows).
ReadOutcome readTextDat(const QString& folder);

// The DAT files as start-up reads them: POINT.DAT, LINE.DAT (only while no
// line is loaded), TEGAKI.DAT, TEXT.DAT, in this order; a missing file is
// skipped. Ends at the first StopProgram and returns it; Ok otherwise.
ReadOutcome readSiteDatFiles(const QString& folder);

// Which points POINT.DAT holds.
enum class PointRows {
    Save,    // the save command: points 1..PointCount whose mark is not 0
    Backup,  // the hourly backup: every point 1..PointCount, empty slots too
};

// POINT.DAT when PointCount >= 1: points 1..PointCount as rows says (their
// commas removed from PointName and PointName2 in the table itself first),
// then the points after PointCount as long as their mark is above 101
// (deleted points of symbol 2 and up; their names keep their commas in the
// table but not in the file).
WriteResult writePointDat(const QString& folder, PointRows rows = PointRows::Save);

// LINE.DAT when LineNext > 1: lines 1..LineNext - 1 except those whose two
// ends coincide; the index field is the line's index (gaps may show).
WriteResult writeLineDat(const QString& folder);

// TEGAKI.DAT when TegakiCount > 0: every vertex 1..TegakiCount, deleted ones
// included.
WriteResult writeTegakiDat(const QString& folder);

// TEXT.DAT when TxtCount > 0: every text 1..TxtCount, deleted ones included.
// A comma in a text is written as "_" and a line break as a blank.
WriteResult writeTextDat(const QString& folder);

}  // namespace tavelcor
