// SPDX-License-Identifier: LicenseRef-Tavelcor
// The mode option buttons of the main window and the handlers of the panel
// frames: what choosing an operation of a panel, a right-click calculation,
// a symbol, a colour, a phrase or a search kind sets, shows and redraws; the
// right press on the idle panel, the pointer over an operation panel and the
// double click on the search frame.
//
// The select operation of an operation panel's option also runs when the
// option is pressed while already chosen, and gives the same result however
// often it runs. Choosing an option from code (setValue(true)) runs its
// click like a user's choice, which is how the panel buttons and the
// right-click menu choose operations.
#pragma once

#include <QString>

namespace tavelcor {

class Plot;

// --- select operations of the operation panels ------------------------------
// Points: 追加, 移動, 削除, 属性.
void Option12_Click(Plot& window);
void Option11_Click(Plot& window);
void Option10_Click(Plot& window);
void Option9_Click(Plot& window);
// Lines: 追加, 削除, 移動, 色変.
void Option20_Click(Plot& window);
void Option21_Click(Plot& window);
void Option6_Click(Plot& window);
void Option25_Click(Plot& window);
// Hand strokes: 追加, 削除.
void Option16_Click(Plot& window);
void Option17_Click(Plot& window);
// Texts: 追加, 移動, 削除, 編集.
void Option22_Click(Plot& window);
void Option24_Click(Plot& window);
void Option19_Click(Plot& window);
void Option18_Click(Plot& window);
/// The press on the line panel's 削除 chooses it before its select operation.
void Option21_MouseDown(Plot& window);

// --- right-click calculations of the idle panel ------------------------------
void Option1_Click(Plot& window);   ///< ＳＴ放射 (RclickMode 1)
void Option2_Click(Plot& window);   ///< ＳＴ連続 (2)
void Option3_Click(Plot& window);   ///< 垂線ﾁｪｯｸ (3)
void Option4_Click(Plot& window);   ///< Copy/Point化 (4)
void Option5_Click(Plot& window);   ///< 画地 (5)
void Option32_Click(Plot& window);  ///< リンクＯＮ (32)
void Option34_Click(Plot& window);  ///< ４点交点 (34)
void Option33_Click(Plot& window);  ///< MENU表示: only shows "SIMA編集"

/// The hint "Copy/Point化" shows (two lines joined by CR LF).
QString copyPointHint();

// --- pickers ------------------------------------------------------------------
/// Symbol i pressed: Command24 "マーク" shows the symbol and its label.
void Option13_MouseDown(Plot& window, int index);
/// Line colour i: the next line starts anew, a cross-section route is dropped.
void Option14_Click(Plot& window, int index);
/// Stroke colour i: chooses the stroke panel's 追加.
void Option8_Click(Plot& window, int index);
/// Phrase i: into Text8 while 編集 is chosen, else Text8 shown for 他 only.
void Option23_Click(Plot& window, int index);

// --- search kinds (the full and the compact layout's twins) -------------------
void Option7_Click(Plot& window);
void Option15_Click(Plot& window);
void Option29_Click(Plot& window);
void Option30_Click(Plot& window);
void Option31_Click(Plot& window);

// --- frames -----------------------------------------------------------------
/// A right press on the idle panel chooses "MENU表示".
void Frame2_MouseDown(Plot& window, int button);
/// The pointer over an operation panel ends the 対角 mode.
void operationPanelMouseMove(Plot& window);
/// The double click on the search frame: the screen's twips-per-pixel
/// factors, each taken when within 1 % of the current one.
void Frame1_DblClick(Plot& window);

/// Wires every handler above to the window's controls.
void wireModeOptions(Plot& window);

}  // namespace tavelcor
