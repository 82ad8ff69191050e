// SPDX-License-Identifier: LicenseRef-Tavelcor
// A single observation point or line drawn in place on the main window's
// plot, with the point layer's geometry, so that drawing it again in white
// takes away exactly what was drawn.
//
// Point i: its symbol glyph (the caption of Option13(PointMark)) in that
// button's colour with its top left at (PointY - 9.5 k, -(PointX + 8.4 k)),
// its label " " + name + second name in black (red when the second name
// holds "済") with its top left at (PointY, -PointX); k = the letter size
// the plot took for PointFontSize x ViewSpanY / the plot's width in twips.
// Each print position is first marked by one white pixel.
#pragma once

namespace tavelcor {

class Plot;

/// Draws point i at its table position; `erase` draws it in white. An index
/// outside the point table draws nothing.
void drawPointInPlace(Plot& window, int i, bool erase);

/// Draws line j from (LineY1, -LineX1) to (LineY2, -LineX2) `widthPixels`
/// wide in its colour, or in white with `erase`. An index outside the line
/// table draws nothing.
void drawLineInPlace(Plot& window, int j, bool erase, int widthPixels);

}  // namespace tavelcor
