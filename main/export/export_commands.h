// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The exports as the main window starts them: the SXF drawing file
// ("SXF作成", Command10) and the SIMA registration ("ＳＩＭＡ登録",
// Command1), with their questions and file dialogs.

#include <QString>

#include <optional>

namespace tavelcor {

class Plot;

/// The SXF export: asks whether hidden items are written too, asks for the
/// file ("TAVELCOR.SFC") and writes the whole site. A cancelled dialog
/// writes nothing; a file that cannot be written shows "保存に失敗しました"
/// and leaves the old file as it was.
void sxfmake(Plot& window);

/// "SXF作成": the SXF export, then the keyboard focus back to the plot.
void Command10_Click(Plot& window);

/// "ＳＩＭＡ登録": the options dialog simasave, the choice of parcels and
/// coordinates (selecting the parcels that cross the view for targets 2 to
/// 4), the file ("TAVELCOR.SIM", with a question before an existing file is
/// replaced) and the location question. Refuses, with a message and before
/// any file is touched, a renumbering that would give numbers above 500000.
/// A file that cannot be written shows "保存に失敗しました", leaves the old
/// file and the start numbers as they were.
void Command1_Click(Plot& window);

/// The main window's file dialog for saving, with the filter and the file
/// name given, opened in the site folder, and no title or overwrite
/// question left from another command; the chosen path, or nullopt when the
/// user cancelled.
std::optional<QString> chooseExportFile(Plot& window, const QString& filter, const QString& fileName);

/// The message of a renumbering that would pass the last coordinate number.
QString renumberingTooLargeMessage();

/// Wires the export buttons of the main window, SXF作成, ＳＩＭＡ登録 and
/// GoogleEarth KML (for addPlotWiring).
void wireExport(Plot& window);

}  // namespace tavelcor
