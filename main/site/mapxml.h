// SPDX-License-Identifier: LicenseRef-Tavelcor
// Land-registry map XML files (地図XML): "*.xml" in UTF-8 and "*.TXT", the
// same content saved as CP932 text.
//
// The reader is line-oriented, not an XML parser: it recognises elements by
// fixed texts contained in a line and takes values from fixed places in that
// line, so it expects one element per line (as the published files are
// written). It expands no entity and loads nothing the file refers to: an
// "&amp;" in a parcel number stays "&amp;".
//
// It streams: the file is read once, line by line, and memory grows only
// with what the tables take (a start and end point per curve number, one
// curve number per vertex slot, the boundary lines and map sheets found), so
// files of up to 20000000 lines are read in a few seconds.
//
// Coordinates are metres, X north, Y east; the reader stores them absolute
// and start-up makes lines and points relative to the origin afterwards
// (shiftMapXmlRows).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tavelcor {

// How a helper program ran.
enum class ProcessRun {
    NotStarted,  // it could not be started (missing, not executable)
    Failed,      // it ran and ended with an error or crashed
    Succeeded,   // it ended with exit code 0
};

// What the reader needs from its surroundings; tests replace the parts.
struct MapXmlEnvironment {
    // The converter program that turns a UTF-8 file into CP932 text
    // ("ransko" beside the running program); "" means that default.
    QString converterPath;
    // Runs program with arguments hidden and waits for its end without a time
    // limit. The default is runHiddenAndWait.
    std::function<ProcessRun(const QString& program, const QStringList& arguments)> runConverter;
    // Opens a file in the desktop's text editor; the result is not looked
    // at. The default runs "xdg-open".
    std::function<bool(const QString& path)> openTextEditor;
    // Shows the stage of the import in the caption of the start-up splash
    // window ("ＸＭＬを確認しています", "Shift_JIS　に変換中", "120k/",
    // "SIMAに変換しています"). The default does nothing.
    std::function<void(const QString& caption)> showStage;
};

// Lines of a UTF-8 ".xml" file from which the reader offers the converter.
inline constexpr int kMapXmlConvertLines = 500001;
// Most lines a map XML file may have (entries 0..20000000).
inline constexpr qint64 kMapXmlLineTop = 20000000;
// Curve numbers 0..2000000 are kept.
inline constexpr int kMapXmlCurveTop = 2000000;

// Imports the map XML file at path into the empty tables (coordinates
// cleared to "_?>", no parcels, no points, LineNext 1), with SiteFolder the
// file's folder and WorkFolder the work folder:
// - ZoneNo from "<座標系>" (公共座標9系 gives 9; a file without a public zone
//   is read with zone 0, its parcels renumbered in the order its map sheets
//   list them, and gets zone 6 at the end);
// - coordinates of the points (ZahyoX, ZahyoY, ZahyoMax), their names from
//   "<点番名>" (ZahyoUsed 1) and "<名称>";
// - parcels (KakuchiName, KakuchiInfo, vertex slots from the first ring of
//   the surface with the same number), then attribute columns from the
//   site's "画地属性.txt";
// - lines from LineNext + 1 on (line 1 stays empty): curves given by direct
//   positions (colour index 7), boundaries marked "大字界線" (11), "小字界線"
//   (10), "市区町村界線" (13), and four frame lines per map sheet (6);
// - one observation point per map sheet at its upper-left corner.
// LineNext ends one past the last line written.
//
// A UTF-8 ".xml" file of kMapXmlConvertLines lines or more is first turned
// into CP932 by the converter (the work folder's "Tempora.txt", removed at
// the end); without a converter the user is advised to convert it with a
// text editor and may read it as it is. When the converter fails, the file
// is read as it is.
//
// Results: Ok; Missing when the file cannot be opened (nothing changed);
// StopProgram when the user chose to convert the file first, or the file is
// malformed — a point whose "zmn:X" line is not followed by a "zmn:Y" line, a
// number outside its table, a surface that names a curve without points, a
// file that ends inside an element or lacks "</地図>", too many lines, a
// ".TXT" file saved in UTF-8 (told by its first line beyond ASCII) — or
// the reading of the file or of the site's attribute file fails part-way:
// the message names the file and, where there is one, the line.
//
// After Ok the start-up code empties the search field Text1 of the main
// window, as the import does after the map sheets.
ReadOutcome ReadMapXml(const QString& path, const MapXmlEnvironment& environment = {});

// Makes the lines 1..LineNext-1 and the points 1..PointCount that the import
// stored absolute relative to the site origin (metres). Start-up calls it
// once, after fitting the view and before any site file adds rows.
void shiftMapXmlRows(double originX, double originY);

// Opens path in the desktop's text editor ("xdg-open path", detached);
// false when it could not be started.
bool openInTextEditor(const QString& path);

// Runs program with arguments, without a window and without a time limit,
// and waits for its end.
ProcessRun runHiddenAndWait(const QString& program, const QStringList& arguments);

}  // namespace tavelcor
