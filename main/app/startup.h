// SPDX-License-Identifier: LicenseRef-Tavelcor
// Start-up of the main program: the load handler of the main window.
//
// The program reads no command line. Form_Load prepares the work folder and
// the screen factors, gives every shared table and setting its initial
// value, reads the program folder's settings, decides from the clipboard how
// the program was started (point rows, a SIMA hand-over, or the site
// chooser), reads the chosen file with its reader, fits the view and makes
// the data relative to the site origin, reads the rest of the site folder,
// restores the saved view window and draws the plot. While it runs
// LoadingFlag is 9, so nothing is drawn before the end.
//
// A chosen SIMA or map file that is there but cannot be opened is said
// ("<path>を開けません。…") and start-up goes on as after a cancelled chooser,
// with the map-only question.
//
// A run that must end (the user declined the map-only view, cancelled the
// SIMA choice of a site without ZAHYO.SIM, a site's SIMA file cannot be
// opened, or a reader found a malformed file or one it could not read whole
// and said so) returns StartupEnd::ProgramEnds, which is also kept in
// plotRunState(): the executable then ends without saving anything. A load
// handler cannot unload its own window, so ending is left to the caller.
#pragma once

#include "main/app/app_context.h"

namespace tavelcor {

class Plot;

/// The whole start-up; see above. Messages and dialogs go through the
/// installed prompter, the clipboard through appServices().
StartupEnd Form_Load(Plot& window);

/// Wires Form_Load to the window's Load event.
void wireStartup(Plot& window);

}  // namespace tavelcor
