// SPDX-License-Identifier: LicenseRef-Tavelcor
// Qt's own texts in Japanese: the buttons and labels of Qt's standard
// dialogs (the file dialog's "Look in", "File name", "Cancel", ...) come from
// Qt's translations (Debian package qt6-translations-l10n).
#pragma once

namespace platform {

/// Loads Qt's Japanese translations into the running application, whatever
/// the system's language (the programs speak Japanese). Each program's main
/// calls it once, after making its QApplication. False when the
/// translations are not installed: Qt's dialogs then stay in English.
bool installQtTranslations();

}  // namespace platform
