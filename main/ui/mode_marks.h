// SPDX-License-Identifier: LicenseRef-Tavelcor
// Procedures of the main window that keep its buttons and its status label in
// step with what the user does: the marking of the layer button whose panel
// is open and of the chosen operation of each panel, the view buttons
// disabled and enabled together, the hover label beside the pointer, and the
// probe of the window in front and the active control.
#pragma once

#include "platform/desktop/foreground.h"

#include <QString>

#include <cstdint>

namespace tavelcor {

class Plot;

/// Grey of unmarked buttons, RGB (224, 224, 224), and the marking colour,
/// palette colour 11 (light cyan).
std::uint32_t unmarkedButtonColor();
std::uint32_t markedButtonColor();

/// Paints the four layer buttons ポイント (20), LINE (21), 手書き (22) and TEXT
/// (33) grey, then the one numbered `C` in the marking colour; any other
/// number (0 from the panels' end buttons) leaves all four grey.
void Commandcolor(Plot& window, int C);

/// Paints the fourteen operation options of the four panels grey, then each
/// chosen one in the marking colour.
void Opcol(Plot& window);

/// Disables / enables the sixteen view buttons (the pan pad, 全　体, ＋, －,
/// 再表示, 対角, 前画, 復帰, 記憶).
void Command_Enable_False(Plot& window);
void Command_Enable_True(Plot& window);

/// Shows TXT in the status label Label28 beside the pointer at (X, Y) of the
/// plot's own scale (site metres), and gives the plot the focus:
/// - SlideFactor exactly 9: the label is only hidden;
/// - while the main window's active control is a text field (its name holds
///   "Text"), nothing changes, so typing is not disturbed;
/// - else the label gets the font size 1.5 x FontSize, bold; its width is
///   the widened byte length of TXT (four units per ASCII character) x 120 x
///   that size / 10 twips, at least 2535 plot units; its height 220 x that
///   size / 10 twips (twips turned into plot units at ViewSpanX / the plot's
///   height); its left edge at X and its top SlideFactor label heights above
///   Y, or at Y while the text panel Frame11 is shown; its caption TXT.
void L_28SET(Plot& window, const QString& TXT, double X, double Y);

/// The window in front (0 when none can be told), which start-up records and
/// the plot's pointer motion compares. `ct` becomes the name of the main
/// window's active control when that control's value is not 0 (a text field
/// holding a number other than 0, a chosen option, a ticked box); with no
/// active control, a value of 0 (a command button, an unticked box, a text
/// field holding 0, the plot) or a text field that holds no number, `ct`
/// keeps what it held.
platform::WindowHandle Pointer_in(Plot& window, QString& ct);

}  // namespace tavelcor
