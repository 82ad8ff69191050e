// SPDX-License-Identifier: LicenseRef-Tavelcor
// The parcel attribute file 画地属性.txt of a site folder: one parcel per
// line, comma-separated: the parcel's name, then attribute columns 2, 3, ...
// of KakuchiAttr (column 1 holds the name). CP932, CR LF. Its name is
// matched without regard to case ("画地属性.TXT" is the same file).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

namespace tavelcor {

// Reads folder's attribute file into KakuchiAttr. Each line is split at every
// comma; field 1 is trimmed; every parcel 1..KakuchiCount whose name with
// each "V1" removed equals field 1 gets fields 1..k in columns 1..k (column 1
// the trimmed name; at most 40 columns, later fields have no column and are
// dropped; columns after k keep what they held). Lines that match no parcel
// and empty lines are passed over. Linear in the size of the file and the
// parcel table. Missing when the folder holds no such file; StopProgram,
// after a message naming it, when the file is there but cannot be opened or
// its reading fails part-way.
ReadOutcome readParcelAttributes(const QString& folder);

// Writes folder's attribute file, but only when the folder holds none yet
// (an existing file is never replaced: Skipped) and some parcel has an
// attribute row (column 1 not empty; else Skipped). One line per parcel
// 1..KakuchiCount: the parcel's name with each "V1" removed (the form the
// reader matches), then columns 2..7, and further up to the last column (at
// most 40) that holds text in any parcel, so no column is lost. Commas in the
// texts become "_" and line breaks blanks; nothing is trimmed. Written
// atomically.
WriteResult writeParcelAttributes(const QString& folder);

}  // namespace tavelcor
