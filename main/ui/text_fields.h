// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's text fields with behaviour of their own: the search
// fields Text1 and Text17 (Enter searches; Text17 copies itself into Text1),
// the point names Text6 and Text7, the text item Text8 and the note Text14;
// the number fields ask for the keypad when they get the focus. Also the
// compact panel's search button Command80.
#pragma once

namespace tavelcor {

class Plot;

/// The search button 検索 of the search frame: runs the search of Text1 (the
/// handler of Text1's double click).
void Command44_Click(Plot& window);

/// The search button 検索 of the compact panel: the search, then the focus to
/// the plot.
void Command80_Click(Plot& window);

void Text1_GotFocus(Plot& window);
/// Enter (key code 13, whatever the shift state) runs the search.
void Text1_KeyDown(Plot& window, int& keyCode, int shift);
/// The Enter character is swallowed, so the field's text stays as typed.
void Text1_KeyPress(Plot& window, int& keyAscii);

/// Text1 takes Text17's text on every change (not the other way round).
void Text17_Change(Plot& window);
void Text17_GotFocus(Plot& window);
/// Enter runs Command80_Click.
void Text17_KeyDown(Plot& window, int& keyCode, int shift);

/// The point panel's commit button Command32 becomes the default button.
void Text6_Change(Plot& window);
void Text6_GotFocus(Plot& window);

/// Puts "済" in front of the second name (the point is marked done).
void Text7_DblClick(Plot& window);

/// While the text panel edits a text (Option18), Command34 shows "確定" and
/// is not the default button; Command35 is never the default after a change.
void Text8_Change(Plot& window);
/// Empties the field when its numeric value is 0 or less.
void Text8_DblClick(Plot& window);
void Text8_GotFocus(Plot& window);

/// Empties the note field.
void Text14_DblClick(Plot& window);

/// Wires the handlers above to the window's controls. Registered with
/// addPlotWiring.
void wireTextFields(Plot& window);

}  // namespace tavelcor
