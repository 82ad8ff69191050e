// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The presses of the text panel (Frame11, "テキスト"):
//   追加 (Option22)  a new text at the press: the chosen phrase, or with
//                     "他" (Option23(7)) the free text of Text8 with its
//                     blank runs made one and its commas made "_";
//   編集 (Option18)  the text under the press is loaded into the panel (or
//                     into the line-break editor crtext when TxtLineEdit is
//                     -1); the panel's commit records the edit;
//   移動 (Option24)  a first press picks the text under the press, the next
//                     one puts it there.
// Of overlapping texts the one with the lowest index is taken. The edit
// measures the lines at the settings' letter size, the move at the size the
// view draws them (FontSize x TextScale).

#include <QString>

namespace tavelcor {

class Plot;
struct Press;

/// The text hit by the press (plot north, east) with lines `letterPoints`
/// high (22 twips per ten points) and 11 twips per ten points per Shift-JIS
/// byte wide, or 0. A hit text is marked in magenta.
int hitText(Plot& window, double north, double east, double letterPoints);

/// The press in 追加 mode. A text that would need index 30001 is refused
/// with "テキストの件数が上限の30000件に達しています".
void addText(Plot& window, const Press& press);
/// The press in 編集 mode.
void pickTextToEdit(Plot& window, const Press& press);
/// The first press in 移動 mode.
void pickTextToMove(Plot& window, const Press& press);
/// The second press in 移動 mode.
void placePickedText(Plot& window, const Press& press);

/// The message of a full text table.
QString textTableFullMessage();

}  // namespace tavelcor
