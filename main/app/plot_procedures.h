// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small procedures of the main window that start-up, the save command, the
// backup and shut-down call: the data-changed mark, the file copy of a
// chosen SIMA file and the site folder of a chosen file.
#pragma once

#include <QString>


namespace tavelcor {

class Plot;

/// Marks the site data as modified (DataDirty -1). The argument is not used.
void Bbc(int sw);

/// Copies the file `from` over `to` when `from` exists (nothing otherwise).
/// A failed copy shows "nmeacopyでエラーがかかりました" and leaves `to` as it
/// was. True when the copy was made.
bool NMEACOPY(const QString& from, const QString& to);

/// The folder of a chosen file as SiteFolder holds it: absolute, with a
/// trailing "/" (the root keeps its single "/").
QString siteFolderOf(const QString& path);


}  // namespace tavelcor
