// SPDX-License-Identifier: LicenseRef-Tavelcor
// The site's display settings files in SiteFolder (names matched without
// regard to case), CP932, CR LF; the readers take values separated by line
// ends or commas, numbers as their leading number rounded to a byte (halves
// to even).
//   LINEWID.JKN    15 lines: line c + 1 the line width of colour index c
//   COLSELECT.JKN  60 lines: per colour 0..14 the shown flags of points,
//                  lines, texts and hand strokes (an older form has 45
//                  lines, three per colour, without the hand-stroke flag)
//   HAIKEI.JKN     13 lines: lines 1..8 the brightness 0..5 of background
//                  layer codes 1..8; lines 9..11 the definition file paths of
//                  user rasters 1..3; lines 12 and 13 the layer codes of
//                  background slots 1 and 2, written " 5 "
//
// A value that cannot be a byte (300, -1), and a layer code outside 0..9, is
// refused: the reader shows a message naming the file and the value, keeps
// the values read before and reads no further. Values after the tables'
// last entry (colour index 16) are not read. A file that is there but cannot
// be opened or read whole (no right to read it, a read that fails, a line
// too long) gives StopProgram after a message naming it: start-up ends, so
// the save never writes the defaults over the file.
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

namespace tavelcor {

// LINEWID.JKN into LineWidthOf(0), (1), ... until the end of the file.
// Missing file: widths 2 for colours 0..14, 1 for colour 8.
ReadOutcome LoadLineWidths();

// COLSELECT.JKN: more than 50 values give four flags per colour (points,
// lines, texts, hand strokes), otherwise three (the hand-stroke flags keep
// their values). Missing file: the flags keep their values.
ReadOutcome LoadColorSelect();

// The background window as far as loading HAIKEI.JKN drives it.
class BackgroundWindow {
public:
    BackgroundWindow() = default;
    BackgroundWindow(const BackgroundWindow&) = delete;
    BackgroundWindow& operator=(const BackgroundWindow&) = delete;
    virtual ~BackgroundWindow() = default;

    // Loads user raster n (1..3) from the definition file at path without a
    // file dialog (HaikeiAutoLoad is 1 meanwhile): its file dialog's name and
    // label n take the path, then its button procedure for raster n runs,
    // which fills raster slot n - 1 and HaikeiDef(n - 1), selects the raster
    // (Haikei1Code = n), redraws, and reports a definition it cannot read.
    virtual void loadUserRaster(int n, const QString& path) = 0;
    // Unloads the window (nothing when it is not loaded).
    virtual void unload() = 0;
};

// HAIKEI.JKN: brightness levels 1..8 (a value outside 0..5 stored as 0),
// HaikeiDef(0..2), then for each raster with a path: when no file exists
// there, the same path below the site folder's root is tried
// (relocatedRasterPath) and kept when it exists; an existing definition is
// loaded through window (when given), a missing one is forgotten (its path
// made empty). Finally Haikei1Code and Haikei2Code take lines 12 and 13
// (after the rasters, so they override the code the loading chose), the
// window is unloaded and HaikeiAutoLoad is 0 again. A file with fewer than 13
// values sets what it holds. Missing file: HaikeiAutoLoad 0, tables kept.
ReadOutcome LoadBackgroundSettings(BackgroundWindow* window = nullptr);

// The stored raster definition path moved below the site folder's root, for
// a definition whose drive has changed: the part of stored after its first
// separator ("\" or "/"), at most 50 characters, trimmed of blanks, behind
// the root of siteFolder: up to and including its first separator (a drive
// "E:\" or "/"), or, for a network folder beginning with two separators, up
// to and including the separator after the server name. Backslashes become
// "/" when the root uses "/". Empty when stored has no separator.
QString relocatedRasterPath(const QString& stored, const QString& siteFolder);

// Writers: each creates or replaces its file in SiteFolder, atomically, with
// whatever the tables hold (numbers in decimal without blanks; HAIKEI.JKN's
// lines 12 and 13 with one blank before and after the number). A raster path
// holding a comma is written in double quotes, so the reader keeps it whole.
WriteResult SaveLineWidths();
WriteResult SaveColorSelect();
WriteResult SaveBackgroundSettings();

}  // namespace tavelcor
