// SPDX-License-Identifier: LicenseRef-Tavelcor
// The two clipboard texts that start the main program without the site
// chooser: rows of points copied from a spreadsheet (TAB-separated) and a
// SIMA text handed over by the field workbook or by the elevation-profile
// command of another instance ("Z00,NEW_SIMA" first).
//
// The parsers fill the coordinate and parcel tables, which start-up has
// cleared before (every name "_?>", counts 0). They touch no control: what
// the window shows or hides afterwards is told by the result. Pure logic.
//
// Every number taken from the text is checked against its table: a
// coordinate number outside 1..500000, an X or Y that cannot be a plane
// coordinate, a 32768th parcel or a vertex beyond slot 600000 is never
// written. The parse stops at that record with a message naming it; what
// was read before stays.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace tavelcor {

enum class ClipboardStart : std::uint8_t {
    Chooser = 0,       // the site chooser (anything else on the clipboard)
    PointRows = 1,     // TAB-separated point rows
    SimaHandover = 2,  // a SIMA text beginning "Z00,NEW_SIMA"
};

// The start mode of a clipboard text: SimaHandover when it has more than 7
// characters and begins "Z00,NEW_SIMA"; else PointRows when it has more than
// 7 characters and a TAB among its first 7; else Chooser.
ClipboardStart clipboardStartMode(QStringView text);

// True for a hand-over made by the elevation-profile command: the text holds
// "地理院標高API" anywhere.
bool isElevationProfileHandover(QStringView text);

// How a clipboard parse ended.
struct ClipboardParse {
    // Coordinates stored (rows or A01 records), refused ones not counted.
    int coordinates = 0;
    // An A01 name carried a linked file (the part after character 15).
    bool linkSeen = false;
    // B01 vertices left out because their coordinate does not exist.
    int missingVertices = 0;
    // A record named a number outside its table; the parse stopped there.
    bool refused = false;
};

// Point rows (start mode 1). The text is a stream of fields, each ended by
// a TAB or a CR (an LF is dropped wherever it stands); the fields repeat as
// number, name, X, Y. ZahyoMax starts at 1 and rises to the highest number
// read. A number field of 0 ends the parse; so does a field that the text's
// end reaches before its TAB or CR (it is dropped). Numbers are the fields'
// leading numbers, the coordinate number rounded halves to even; the name is
// stored as it stands. A later row with the same number replaces the
// earlier. H stays 0; no parcel is made.
ClipboardParse readTabPointRows(QStringView text);

// A SIMA hand-over (start mode 2), read as one stream of fields with
// platform::NextField from position 1, vertex slots from 1:
//   G00  the next two fields are dropped
//   A01  number, name, X, Y, H; a name holding the character with code 15
//        is split: ZahyoName the part before it (untrimmed), ZahyoLink at
//        most 200 characters after it (linkSeen); else the trimmed name
//   D00  a new parcel: the number is dropped, KakuchiName the next field as
//        read, then the type: not "1" after trimming makes it an open figure
//        ("type open", KakuchiOpenCount + 1); KakuchiFirst the next slot
//   B01  a vertex: a number that holds no coordinate ("_?>") is left out
//        with the missing-coordinate message (the first 20 only);
//        otherwise ZahyoUsed 1 and the number goes into the next slot
//   any other field is passed over, wherever it stands.
// ZahyoMax starts at 1. At the end the last parcel's KakuchiLast is set.
ClipboardParse readSimaHandover(QStringView text);

// The message of a refused record: the record's fields as the text holds
// them, and that nothing from there on is taken.
QString clipboardRefusedMessage(QStringView record);

// The message of a refused X or Y that cannot be a plane coordinate
// (isPlaneCoordinate, tables.h): the field or record as the text holds it.
QString clipboardCoordinateRefusedMessage(QStringView record);

}  // namespace tavelcor
