// SPDX-License-Identifier: LicenseRef-Tavelcor
// Shut-down of the main program: the main window's unload handler.
//
// Closing the main window (its close box, or the Unload statement) asks
// "プログラムを終了します。よろしいですか？" (OK/Cancel); Cancel keeps the
// program, the site and every file as they were. OK deletes the folder of
// local raster copies, unloads the calculation results window (stdisp),
// marks the data as changed, stops the GPS poll and runs the save command
// when a site was opened through the chooser (the map-only view included;
// not after a clipboard start), rewrites the work folder's tile list when it
// holds names, removes the wheel hook and unloads every other window. A save
// that fails (its message names the file and the reason) keeps the program
// running, the GPS poll as it was, so the user can save elsewhere; a
// cancelled save dialog closes all the same. A
// raster folder that cannot be deleted or a tile list that cannot be written
// is named in a message ("<path> を削除できませんでした", "<path>/Eld.AR2 に
// 書き込めませんでした") and the shut-down goes on. The main window's own unload then completes, and the
// program ends once no window is left (the executable ends its event loop).
#pragma once

namespace tavelcor {

class Plot;

/// The unload handler; sets cancel to 1 when the user keeps the program.
void Form_Unload(Plot& window, int& cancel);

/// The end of the desktop session (SIGTERM, SIGHUP or SIGINT, as at log-out),
/// also while a dialog is open: asks nothing; writes the hourly backup of a
/// site opened through its sign file with every table, so that nothing since
/// the last save is lost; stops the GPS poll, writes the tile list, removes
/// the local raster copies and the wheel hook without a message; then ends
/// every event loop, those of open dialogs included, so the program ends.
void endSession();

/// Wires Form_Unload to the window's Unload event.
void wireShutdown(Plot& window);

}  // namespace tavelcor
