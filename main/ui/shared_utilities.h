// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small procedures of the main program's shared module that several parts
// call: the chosen member of an option-button array, the drive type of a
// path, the clearing of the work folder, the state of the internet
// connection and the counting of double-byte characters. None keeps state.
#pragma once

#include "platform/forms/buttons.h"
#include "platform/forms/control_array.h"

#include <QString>

#include <optional>

namespace tavelcor {

/// The index of the first member of `opts`, in index order, whose value is
/// set; -1 when none is.
int SelectedIndex(const platform::ControlArray<platform::OptionButton>& opts);

/// The drive type code of the place `path` lies on (a file or a folder): 0
/// unknown, 1 removable, 2 fixed, 3 network, 4 CD-ROM, 5 RAM disk. Callers
/// copy the raster files of a network drive (3) to a local folder first.
/// nullopt when the path does not exist: the caller's error.
std::optional<int> DriveType(const QString& path);

/// Clears the work folder WorkFolder: renames it to the same path with "old"
/// appended, then deletes the renamed folder with everything in it. False,
/// with nothing renamed or deleted, when the rename fails (the work folder
/// is missing, or a folder or file of the new name is left over from an
/// earlier clearing); a deletion that fails part-way is not reported, and
/// what remains stays under the new name. The work folder is not made again:
/// the caller does that.
[[nodiscard]] bool ClearWorkFolder();

/// Whether the machine is online, as the tile download asks it: "non" when
/// it is offline, "ok" when it is connected, "" when nothing is known (taken
/// as online too).
QString NetState();

/// Characters of a text that take two bytes in Shift-JIS and those that take
/// one.
struct WideCount {
    int wide = 0;
    int narrow = 0;
};

/// Counts the characters of `s` by their Shift-JIS width: wide ones take two
/// bytes; ASCII, half-width katakana and characters without a Shift-JIS
/// form (written as one "?") are narrow.
WideCount CountWide(const QString& s);

}  // namespace tavelcor
