// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The text panel Frame11 ("テキスト"): its opener TEXT (Command33), its end
// button 終了 (Command35), the commit of an edit made in its field Text8
// (Command34, a history step of kind 34) and the current text colour's
// buttons 字 (Command36, steps through the colour indexes) and 色
// (Command37, the colour dialog).

#include <QString>

namespace tavelcor {

class Plot;

/// Opens the text panel in the shared panel place; no text stays in edit
/// (TxtEdit 0).
void Command33_Click(Plot& window);

/// Closes the text panel and hides the phrase list; the edit state (TxtEdit,
/// Text8, Command34) stays as it is.
void Command35_Click(Plot& window);

/// With 編集 chosen and the caption "確定": stores Text8 (blank runs made
/// one, commas made "_") and TxtColorCur into text TxtEdit, draws it and
/// records one step of kind 34. In every case the button then hides.
void Command34_Click(Plot& window);

/// 字: the next colour index, 15 followed by 0.
void Command36_Click(Plot& window);

/// 色: the colour dialog, preselecting TxtColorCur, sets it.
void Command37_Click(Plot& window);

/// Stores `text` and colour `color` into text `item` with the step of kind
/// 34 that takes it back: the text is erased from the plot (drawn in white)
/// first and drawn in its new colour afterwards. Nothing for an item
/// outside the table.
void storeTextEdit(int item, const QString& text, int color);

}  // namespace tavelcor
