// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view buttons of the main window: pan in eight directions, zoom in and
// out, the whole site, the previous view, one memorised view, the two-corner
// (対角) rectangle and the switch between the standard and the compact
// layout.  Each command writes the wanted centre and extents (ViewCX,
// ViewCY, ViewSpanX, ViewSpanY, absolute metres) and calls the full redraw,
// which fits them to the plot and keeps the view it replaces as the previous
// view; the commands draw nothing themselves.
//
// The standard side panel carries Command2..5, 7, 8, 12..17, 39..41 and 66;
// the compact frame Frame15 carries the smaller twins Command67..78.

namespace platform {
class CommandButton;
}

namespace tavelcor {

class Plot;

/// Smallest north extent the zoom commands go down to, metres.
inline constexpr double kZoomFloor = 0.12;
/// The zoom commands' factors of the displayed extents.
inline constexpr double kZoomInFactor = 0.66;
inline constexpr double kZoomOutFactor = 2.25;
/// The pan step is the north extent divided by this, on both axes.
inline constexpr double kPanDivisor = 2.75;
/// The message of the zoom floor.
inline constexpr char16_t kZoomFloorMessage[] = u"これ以上拡大できません";

/// Moves the view centre by the pan step: north -1, 0 or +1 steps along X
/// and east -1, 0 or +1 steps along Y (the step is ViewSpanX / 2.75 on both
/// axes); the extents stay.  Gives the plot the focus, then redraws.
void panView(Plot& window, int north, int east);

/// The Click operations of the four straight pan buttons, which the plot's
/// arrow keys call: north, west, east and south.
void Command7_Click(Plot& window);
void Command12_Click(Plot& window);
void Command14_Click(Plot& window);
void Command16_Click(Plot& window);

/// ＋ (Command4; Command68 gives the focus before the redraw): both extents
/// 0.66 times the displayed ones; below 0.12 m the north extent becomes
/// 0.12 m with the message "これ以上拡大できません".  A picture without a
/// fitted scale leaves the view unchanged.
void zoomIn(Plot& window, bool focusBeforeRedraw);
/// － (Command5, Command69): both extents 2.25 times the displayed ones.
void zoomOut(Plot& window);
/// 全　体 (Command3): the whole data extent, the east extent widened by 1.2;
/// drawn once without observation points, texts and hand strokes when there
/// are more than 500 points.  Data without extent leave the view unchanged.
void Command3_MouseDown(Plot& window);
/// 前画 (Command39): the view shown before the last redraw.  Nothing moves
/// until a redraw has kept one.
void Command39_MouseDown(Plot& window);
/// 記憶 (Command41): memorises the view for the run.
void Command41_MouseDown(Plot& window);
/// 復帰 (Command40): back to the memorised view, once one is memorised.
void Command40_MouseDown(Plot& window);
/// 対角 (Command13, Command74): arms or disarms the two-corner rectangle
/// (DiagonalArmed), colouring only the pressed button red or white and
/// hiding the status label Label28 while armed.  Command13 then gives the
/// plot the focus.
void toggleDiagonal(Plot& window, platform::CommandButton& pressed, bool focusPlot);
/// × (Command66): the compact layout with the command frame Frame15.
void Command66_Click(Plot& window);
/// 標準 (Command67): the standard layout with the side panel, laid out by the
/// window's resize handler.
void Command67_Click(Plot& window);

/// Wires the view buttons of both panels.
void wireViewNavigation(Plot& window);

}  // namespace tavelcor
