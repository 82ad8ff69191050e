// SPDX-License-Identifier: LicenseRef-Tavelcor
// Checks of the site targets beyond "no crash": what start-up does after a
// reader, and that a save followed by a second reading gives back what the
// first reading kept (to within the decimals the file holds). A check that
// fails ends the case with fuzz::fail.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace fuzz {

// What start-up does with the coordinates read: the view fit with the site
// origin (leaving out the coordinates the reader found without X or Y), the
// plot coordinates and the parcel label points. The origin must come out
// finite.
void fitAsStartUpDoes(const std::vector<std::int32_t>& unplaced = {});

// Saves the coordinate and parcel tables as a SIMA file beside path, reads
// that into empty tables and compares: every coordinate written is back (X,
// Y, H to 3 decimals), and every parcel with as many vertices as it had
// whose coordinates are written.
void checkSimaSurvivesSave(const QString& path);

enum class DatFile { Point, Line, Tegaki, Text };

// Saves the table of the DAT file, reads the saved file into empty tables
// and compares the rows (coordinates to 2 decimals).
void checkDatSurvivesSave(DatFile file);

// Writes the settings as tavelcor.jkn, reads that file into fresh tables and
// writes it again: both files must be the same.
void checkSettingsSurviveSave();

}  // namespace fuzz
