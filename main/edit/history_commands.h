// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's history buttons: "Undo" (Command60), "Rdo" (Command61)
// and, on the symbol picker, "⊃" (Command62, undo) and "⊂" (Command63, redo).
//
// Undo and Redo (undo_steps.h) draw what they change in place on the plot,
// with the geometry of the plot's layer drawers: a point's marker glyph in
// its button's colour with its top left 9.5 u west and 8.4 u north of the
// point, its label " " + name + name2 (black, red when the second name holds
// "済") with its top left at the point, u = PointFontSize x ViewSpanY /
// the plot's width in twips; lines in their colour and line width; texts as
// the text layer prints them; stroke segments 2 pixels wide. Taking an item
// away draws it again in white. Only a change of ZahyoMax redraws the plot
// (再表示).
//
// "Rdo" is hidden at start; every Undo that found a record shows it, and
// Redo hides it once nothing is left above the history position (also when
// a new edit was recorded after an Undo: pressing it then changes nothing
// and hides it).
#pragma once

namespace tavelcor {

class Plot;

/// "Undo": takes back the latest step not yet taken back.
void Command60_Click(Plot& window);
/// "Rdo": applies again the step the last Undo took back.
void Command61_Click(Plot& window);
/// "⊃": Undo, then shows "⊂".
void Command62_Click(Plot& window);
/// "⊂": Redo while "Rdo" is shown; otherwise hides itself.
void Command63_Click(Plot& window);

}  // namespace tavelcor
