// SPDX-License-Identifier: LicenseRef-Tavelcor
// Format-2000 file sets: the registry survey files that share one base name,
// a header "X.HED" with its companions X.PNT, X.TCP (points), X.POL (parcels
// with their vertices and boundary lines), X.ATR (parcel attributes and the
// registered area), X.LIN (polylines), X.COS (persons per parcel) and X.MAP
// (map-sheet frames, imported by start-up after the site's own files).
//
// Every file is CP932 text read line by line and split at every comma (no
// quoting); companions are found beside the header without regard to the case
// of their names ("x.pnt" serves for "X.PNT"). Coordinates are metres, X
// north and Y east, absolute (not minus the site origin) unless said.
//
// Malformed files stop the import: the reader shows its message (through the
// installed prompter) and returns ReadOutcome::StopProgram; the start-up code
// ends the program unsaved. Every number from a file is checked against the
// table it indexes; nothing is written outside a table.
#pragma once

#include "main/site/site_file_result.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace tavelcor {

// The area of parcel i in square metres by the coordinate method over the
// absolute coordinates (the survey computations' menseki); nullopt when the
// parcel cannot be computed. The start-up code passes survey::menseki.
using ParcelAreaFunction = std::function<std::optional<double>(int parcel)>;

// Imports the set whose header is path (the chosen ".HED" file) into the
// empty tables: ZoneNo from the header, coordinates 1..ZahyoMax from .PNT
// then .TCP, parcels with their vertex slots and boundary lines from .POL,
// attribute columns 1..7 from .POL, .ATR and .COS, polylines from .LIN; lines
// are appended at LineNext in absolute coordinates and LineImported is set to
// LineNext at the end (see shiftImportedLines). The site's old "画地属性.txt"
// beside the header is deleted so that the next save writes the imported
// attributes.
//
// Questions asked (Yes/No): the area rule when .ATR exists, the area check
// for each parcel whose rounded area differs from the registered one, and a
// parcel of .ATR that matches no parcel.
//
// Results:
// - Missing: no .PNT beside the header (path is cleared; only ZoneNo was
//   set), or the header cannot be opened (nothing changed);
// - StopProgram: a malformed line ("PNT Data False", "TCP Data False",
//   "POL Data False", or a message naming the file and the line for a short
//   line, a number outside its table or type, a table that is full, a file
//   that ends inside a parcel or polyline), or a file of the set that is
//   there but cannot be opened or whose reading fails part-way (the message
//   names the file);
// - Ok otherwise.
ReadOutcome ReadFormat2000(QString& path, const ParcelAreaFunction& area);

// The land-category name of a format-2000 code (1 "田", 3 "宅地", 19
// "公衆用道路", 92 "その他", ...); "" for 0 and for every code not listed
// (fractional codes included).
QString LandCategoryName(double code);

// The rule of the area check, chosen by the user for one .ATR file.
enum class AreaRule {
    Truncation,  // registered areas cut after the second decimal (the 2020 rule)
    Rounding,    // the older rounding rule
};

// The parcel area as the registry would record it, for comparing with the
// registered area: area in m² computed from the coordinates; basisFlag the
// .ATR field 8 ("1": the registered area is kept to whole m² from 10 m² on,
// except for "宅地" and "鉱泉地"); registered the registered area in m²;
// category the land-category name. The result is compared exactly.
double roundParcelArea(double area, AreaRule rule, QStringView basisFlag, double registered,
                       QStringView category);

// Makes the lines the format-2000 import stored (lines 1 .. LineImported,
// absolute) relative to the site origin (metres); start-up calls it once
// after it has fitted the view. Lines past LineNext - 1 hold nothing and
// are left alone.
void shiftImportedLines(double originX, double originY);

// The map-sheet frame file that start-up offers after the site's own files:
// chosenPath with its last four characters replaced by ".MAP", found without
// regard to case; "" when chosenPath is empty or no such file exists.
QString format2000FramePath(const QString& chosenPath);

// Asks "フォーマット２０００の図郭をラインとポイントに取り込みますか？" when the frame
// file of chosenPath exists and, on Yes, imports every frame (a line with
// more than 11 fields: sheet name, then corners 1 to 4 at fields 3..10) as
// four lines of colour index 8 and one observation point (the sheet's name,
// symbol 1) at corner 2, relative to the site origin (OriginX, OriginY).
// The frames go in whole or not at all: when the line or point table cannot
// take them all, a message names the file and the line and nothing is
// imported; a frame file that cannot be read whole is reported and imports
// nothing as well. Returns Missing when there is no frame file, Ok otherwise.
ReadOutcome ImportFormat2000Frames(const QString& chosenPath);

}  // namespace tavelcor
