// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main settings file tavelcor.jkn: 56 lines with one value each, the
// meaning of a value given by its line (the settings block of tables.h names
// each line's setting). CP932, CR LF.
//
// Where: the reader takes SiteFolder + "tavelcor.jkn" when that exists, else
// WorkFolder + "/tavelcor.jkn" when that exists, else reads nothing. The
// writer writes into SiteFolder when the folder holds the site sign file
// TAVELCOR.TVX, else into WorkFolder. File names are matched without regard
// to case.
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

#include <functional>

namespace tavelcor {

struct SettingsReadResult {
    QString path;       // the file read; empty when there was none
    int linesRead = 0;  // lines taken, 0..56 (fewer for a short or faulty file)
};

// Reads tavelcor.jkn into the settings.
//
// Before reading, every call sets the reader's defaults: KeepStation "1", the
// three SXF heights 2, BackupMinutes 5, DiagZoom 2, TxtSplit and TxtLineEdit
// -1, WembraOff 1, PointLimit 1000, TxtLimit 500; and, when a file is found,
// FontSize and PointFontSize 11. Then lines 1..56 are read in order, each
// as one item (up to a comma or the line end, blanks around it dropped),
// numbers as the item's leading number rounded halves to even, each with its
// line's rule (a value outside the accepted range is replaced or ignored as
// the line says).
//
// The reading ends quietly at the end of the file or at the first value that
// does not fit its type (a byte line holding 300 or -1): that line and all
// later ones keep their values. No message.
//
// Right after line 3, applyWindowLayout (when given) receives WindowLayout,
// so the main window can apply it (1 maximised; 2 and 3 restored at 3/4 and
// 3/5 of the screen width; other values leave the window).
SettingsReadResult LoadSettings(const std::function<void(float)>& applyWindowLayout = {});

// Writes every setting as the 56 lines of tavelcor.jkn (lines 4 and 23..26
// empty), atomically. A range-limited value is written as the reader would
// take it (Setting17 and ZoneNo of 0 as 5 and 6, TileScreens outside 1..99
// as 5, SlideFactor outside 0..9 as 1, PointLimit and TxtLimit of 0 as 1000
// and 500), so a file read and written again stays the same. The two text settings (lines 5 and 6) are written
// trimmed, with commas made "_" and line breaks blanks, so that they read back
// as one item and no later line moves. After a successful write, when
// WembraOff is 0, switchOnWembraTimer (when given) is called: the main window
// switches on Timer3 then. On failure the old file stays.
WriteResult SaveSettings(const std::function<void()>& switchOnWembraTimer = {});

// The file LoadSettings would read now; empty when there is none.
QString settingsFileToRead();

// The file SaveSettings would write now.
QString settingsFileToWrite();

}  // namespace tavelcor
