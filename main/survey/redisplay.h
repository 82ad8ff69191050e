// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's command "再表示" (show again) and the buttons that run it.
//
// Every call clears the picks of the right-click calculations, the search
// mark and the kept counts of the redraw (and, after "解除", every parcel
// and text selection). Then, in the radial mode with the instrument station
// kept by the settings, it offers to set the last station and back-sight up
// again; otherwise it takes the clipboard text as SIMA records
// (sima_reload.h): "Z00,SIMA_RELOAD" replaces the site's coordinates and
// parcels (the previous kept text is written to ZAHYO.SIM first and a
// backup is made when backups are on), "Z00,SIMA_TUIKA" adds to them with
// the new parcels selected, and any other text is merged. The plot is
// redrawn and the clipboard emptied, so a workbook text is taken once.
//
// A text with a record outside the tables (a coordinate number outside
// 1..500000, a 32768th parcel, a vertex beyond slot 600000) is refused
// whole with a message naming the record before anything changes: no table
// is cleared, ZAHYO.SIM is not written, and the text is taken off the
// clipboard all the same. A reload whose ZAHYO.SIM cannot be written is
// refused with a message too; its text stays on the clipboard, so the
// reload can be tried again.
#pragma once

namespace tavelcor {

class Plot;

/// "再表示" (Command6; the compact panel's twin and 解除 run it too).
void Command6_Click(Plot& window);

/// The redisplay after the history changed ZahyoMax (Undo and Redo of a
/// computed coordinate): the same resets as 再表示 and a full redraw, but
/// the clipboard is neither read nor emptied and no station is offered, so
/// rows the user copied never reach the coordinates through the history.
void redisplayForHistory(Plot& window);

/// "解除": clears every selection through the redisplay (SelClearPending).
void Command86_Click(Plot& window);

/// The compact panel's "再表示": the redisplay, then the plot takes the focus.
void Command81_Click(Plot& window);

}  // namespace tavelcor
