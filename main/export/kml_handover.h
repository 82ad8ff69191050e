// SPDX-License-Identifier: LicenseRef-Tavelcor
// The hand-over of the KML file to the globe viewer: the command line the
// desktop registers for the file's extension decides, and only a command
// that names the Google Earth program ("googleearth", exact case) gets the
// file, opened by the desktop with its registered program.
//
// On Linux the registered command is the Exec line of the desktop file that
// `xdg-mime query default` names for the extension's MIME type, its file
// field codes (%f, %F, %u, %U) standing for %1 (platform/system/documents.h);
// the file is opened with `xdg-open`.
#pragma once

#include <QString>

#include <optional>

namespace tavelcor {

/// The command line registered for the file's extension (the text from the
/// last "." of f to its end), with f put in for %1 (commandWithFile) and
/// %NAME% pieces expanded (GetEnvToRealPath). "" when f has no ".", nothing
/// is registered, or the expansion fails.
QString GetAssocCommand(const QString& f);

/// The command with the file put in: every %1 between double quotes, quotes
/// included, and then every other %1 becomes f between double quotes (exact
/// case; a %1 inside f itself is not replaced again).
QString commandWithFile(const QString& command, const QString& f);

/// The text split at every "/" into pieces; a piece whose first and last
/// characters are "%" is replaced by the value of the environment variable
/// named between them when that value is not empty (an unset variable
/// leaves the piece; a piece that begins with another character, a quote
/// for example, is not expanded). The pieces are joined again with a "/"
/// before each piece that follows some text, so empty pieces at the very
/// start vanish ("/usr/bin" gives "usr/bin") while later ones keep their
/// separators. nullopt when a piece is a lone "%": the expansion fails.
std::optional<QString> GetEnvToRealPath(const QString& path);

/// Opens the file with the program the desktop registers for it, without
/// waiting for it. False when the desktop cannot be asked (xdg-open cannot
/// be started).
bool FileOpen_ShellApplication(const QString& strFile);

/// The message shown when no Google Earth is registered for the file
/// `written`: that no viewer was found, and where the file was written
/// (it stays, and another viewer can open it).
QString globeViewerMissingMessage(const QString& written);

enum class HandOver {
    Opened,         ///< the registered Google Earth was asked to open the file
    NotRegistered,  ///< another program or none: the message was shown
    OpenFailed,     ///< the desktop could not be asked; no message shown yet
};

/// Hands the written file f to the globe viewer: opens it when the command
/// registered for it contains "googleearth", else shows
/// globeViewerMissingMessage(f) (OK button, the program's title). The file
/// stays either way.
HandOver handOverToGlobeViewer(const QString& f);

}  // namespace tavelcor
