// SPDX-License-Identifier: LicenseRef-Tavelcor
// The folder the site chooser starts in: the folder of the file last chosen
// in it, kept between runs as a file dialog of the desktop keeps the folder
// it was last used in.
//
// The program folder's "CHOOSER.JKN" holds it: one line, the folder's path
// in UTF-8 (a Linux path need not fit the system's code page), ended by
// CR LF. Written after each choice; a file that cannot be written is passed
// over (the chooser then starts where it did before).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

namespace tavelcor {

/// The file's name in the program folder.
inline constexpr char16_t kChooserFolderFile[] = u"CHOOSER.JKN";

/// The folder kept in `file`: its first line when that names an existing
/// folder; empty when the file is missing, empty or names no folder.
QString readChooserFolder(const QString& file);

/// Keeps `folder` in `file` (replaced atomically).
WriteResult writeChooserFolder(const QString& file, const QString& folder);

}  // namespace tavelcor
