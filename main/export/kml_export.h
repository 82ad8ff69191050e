// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's KML export: the button "GoogleEarth KML" writes what the
// plot shows around the view as "Tavelcor.KML" in the site folder and hands
// the file to the globe viewer.
#pragma once

#include "main/export/kml_document.h"

#include <QString>

namespace tavelcor {

class Plot;

namespace render {
class PlotFace;
}

/// The message of every failed export.
QString kmlFailureMessage();

/// What the document takes from the plot: its display switches, the scale
/// of its picture (after the view was fitted) and its point filter; the
/// header lines are given.
KmlInput kmlInputOf(render::PlotFace& face, const QString& header);

/// The export: fits the view to the plot (justsc), shows the splash window
/// START ("KMLを作成しています", its label hidden), builds the document and
/// writes it to SiteFolder + "Tavelcor.KML" through a temporary file that
/// replaces the old one only when complete, hides START and hands the file
/// to the globe viewer. Any failure (the picture has no size, the document
/// needs more than 1,000,000 entries or a position does not convert, the
/// file cannot be written, the desktop cannot open the file) shows
/// kmlFailureMessage() (OK button) and hides START; a file that was not
/// written leaves the old one as it was.
void Kml_SAVE(Plot& window);

/// "GoogleEarth KML": the export; nothing escapes the handler.
void Command82_Click(Plot& window);

}  // namespace tavelcor
