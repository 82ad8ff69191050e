// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The line panel Frame10 ("ライン操作"): its opener LINE (Command21), its end
// button 終了 (Command29), which hands a cross-section route drawn in it to
// the elevation profile, and the parcel line colour button 線色 (Command38).

namespace tavelcor {

class Plot;

/// Opens the line panel in the shared panel place (opening it again moves
/// no panel). Leaves LineSubState as it is, so a route armed by 断面確認
/// survives the opening.
void Command21_Click(Plot& window);

/// Closes the line panel. A route being drawn (LineSubState 2) is handed to
/// the profile builder: LineSubState 3, RouteLast = LineNext - 1, LineNext
/// back to RouteFirst (the route's segments leave the table), MakeSection,
/// then a redraw. LineSubState is 0 afterwards in every case.
void Command29_Click(Plot& window);

/// 線色: the colour dialog edits KakuchiColor; the button is painted in it
/// and the plot redrawn.
void Command38_MouseDown(Plot& window);
/// Releasing 線色 redraws once more.
void Command38_MouseUp(Plot& window);

}  // namespace tavelcor
