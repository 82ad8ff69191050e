// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's openers of the name and coordinate dialogs, and the
// yes/no window put in place of the view part's question.

namespace tavelcor {

class Plot;

/// "P 最終": shows the last used names (LastName) modally, then gives the
/// plot the focus.
void Command42_Click(Plot& window);
/// "XY入力": shows the point-move window (XYIN2) modally; when it has gone,
/// hides the button and drops the pick (MovePoint 0), whatever it did.
void Command47_Click(Plot& window);
/// "SIMA編集": shows the coordinate key-in window (XYIN) modeless.
void Command85_Click(Plot& window);

/// Wires the three buttons and makes the search ask its questions in the
/// yes/no window MESGBOX. Part of wireEdit.
void wireEditDialogs(Plot& window);

}  // namespace tavelcor
