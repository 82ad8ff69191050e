// SPDX-License-Identifier: LicenseRef-Tavelcor
// SIMA coordinate files: the reader of *.SIM files (a chosen file or a site's
// ZAHYO.SIM) and the writer of ZAHYO.SIM.
//
// A SIMA file is CP932 text, one record per line, a three-character code and
// comma-separated fields without quoting. The subset used here:
//   Z00,,            header / section marker (ignored)
//   G00,01,          general header (ignored)
//   A00,  A99,       start and end of the coordinates (ignored)
//   A01,n,name,X,Y,H,        one coordinate: number 1..500000, metres, absolute
//   D00,p,name,type,info     start of a parcel (F00 is read alike); type "1"
//                            a closed parcel, anything else an open figure,
//                            stored under the name "type open"
//   B01,n,name,              one vertex of the current parcel
//   D99,             end of a parcel (ignored)
// Fields are split with platform::NextField (text/fields.h).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace tavelcor {

// Reads the SIMA file at path into the coordinate and parcel tables, then the
// parcel attribute file of SiteFolder (readParcelAttributes,
// parcel_attr_file.h).
//
// The caller prepares the tables: free coordinate numbers are named "_?>"
// and KakuchiCount counts the parcels to keep. Coordinates overwrite their
// numbers and raise ZahyoMax; parcels are appended after KakuchiCount; vertex
// slots are taken from slot 0 on each call. ZahyoPX/ZahyoPY are left to the
// caller.
//
// - A B01 vertex whose number holds no coordinate (or lies outside 1..500000)
//   is left out; the first 20 such vertices of a file show the
//   missing-coordinate message (site_messages.h).
// - A coordinate number outside 1..500000, an X or Y that cannot be a plane
//   coordinate (isPlaneCoordinate, tables.h: it would decide the site
//   origin), a 32768th parcel or a vertex beyond slot 600000 is never
//   written into the tables: the message names the file and the line, and
//   the result is StopProgram (what was read before stays in the tables).
// - A read of the file that fails part-way shows a message naming the file
//   and gives StopProgram (the lines before it stay in the tables); so does
//   an attribute file that cannot be read whole.
// - A coordinate row whose X or Y field holds no number (a row cut short,
//   a blank or "abc" field) is read with 0 there, as peers write blank
//   fields; once the file is read, one message names the file and its first
//   such rows (missingPositionMessage, site_messages.h). The numbers whose
//   last row was such a row go to `unplaced` (ascending), when given: they
//   have no place to fit the view to.
// - Missing when the file does not exist or cannot be opened; nothing changes
//   and nothing is said (the caller tells the user).
ReadOutcome ReadSima(const QString& path, std::vector<std::int32_t>* unplaced = nullptr);

// Writes the coordinate and parcel tables to path in the layout of
// ZAHYO.SIM (free "_?>", temporary "…_?_" and "n_p_m" coordinates are left
// out, but a free-named coordinate that a parcel has as a vertex, an unnamed
// point of a map XML file, is written with an empty name; X and Y with 3 decimals, H with 3 decimals; parcels numbered 1..
// KakuchiCount; open figures as "type open" with type 2). Names and info
// texts are written trimmed, with commas made "_" and line breaks blanks, so
// the reader gets each back as one field. Written atomically: on failure the
// old file stays.
WriteResult writeZahyoSim(const QString& path);

// Writes a kept SIMA text (a clipboard hand-over or the text a workbook
// reload keeps) to path as it stands, followed by a line break, in CP932
// with CR LF: the site's coordinate file then holds what the workbook sent.
// Written atomically: on failure the old file stays.
WriteResult writeSimaText(const QString& path, QStringView text);

// True when the coordinate named name is written to ZAHYO.SIM (it is neither
// free "_?>", nor temporary (ends in "_?_"), nor a profile sample "n_p_m";
// compared exactly, untrimmed).
bool isWrittenZahyoName(QStringView name);

}  // namespace tavelcor
