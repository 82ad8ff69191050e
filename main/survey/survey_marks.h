// SPDX-License-Identifier: LicenseRef-Tavelcor
// The marks of the right-click survey picks on the plot and the one-line
// text of a coordinate in the calculation reports.
//
// The picks are CalcPick1..3 (coordinate numbers, 0 = none) and the ordered
// list CalcPickList(1..CalcPickCount) that the construction lines join. The
// full redraw draws both marks after every redraw (its survey-mark call
// points), so the picks survive redraws. A coordinate lies on the plot at
// (ZahyoPY, -ZahyoPX).
#pragma once

#include <QString>

namespace tavelcor {

class Plot;

namespace render {
class PlotFace;
}

/// Marks up to three picks in blue (colour index 9), each with a dot and its
/// label as the number and name switches (Check1, Check2) ask: CalcPick1
/// when above 0; then CalcPick2 when it is above 0 and not an elevation
/// profile sample ("n_p_m"), only after CalcPick1; then CalcPick3 alike,
/// only after CalcPick2. A profile sample as the first pick gets its dot
/// but no label. The drawing colour is black (0) afterwards.
void stblueplot(render::PlotFace& face);

/// The construction lines between the picks, two pixels wide: in the
/// four-point mode (RclickMode 34) entry 1 to 2 for 2 or 3 picks, and 1 to
/// 2 and 3 to 4 for 5; in the other modes entry i to i + 1 for every pick
/// after the first, all in magenta (13), and in the perpendicular check
/// (mode 3) with 4 picks one more line from entry 1 to entry 3 in navy (1).
/// An entry that is no coordinate skips its line only. The pen is one pixel
/// wide afterwards.
void linedraw(render::PlotFace& face);

/// What of the main window the coordinate line reads.
struct ZahyoLineSwitches {
    bool fourPointChosen = false;  ///< Option34 "４点交点" chosen
    int heightSwitch = 0;          ///< Check10's value
};

/// The one-line text of coordinate a (0..500000; "" for any other number):
/// for a above 0 the number in width 5 (6 from 100000 on), a blank, the
/// trimmed name (at most 14 characters) filled to 14 display columns (a
/// double-width character takes two; the fill counts at most 7 of them), a
/// blank; for a = 0 in the perpendicular check (RclickMode 3) "直交点" and two
/// blanks; then "X=" and X, " Y=" and Y, each in width 11 with 3 decimals,
/// and " Z=" with the height in width 8 with 3 decimals when the height is
/// not 0, the four-point option is chosen and Check10 is 1. X, Y and the
/// height are absolute.
QString zahyodispText(int a, const ZahyoLineSwitches& switches);

/// zahyodispText with the switches of the main window.
QString zahyodisp(const Plot& window, int a);

}  // namespace tavelcor
