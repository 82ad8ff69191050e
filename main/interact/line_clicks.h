// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The presses of the line panel (Frame10, "ライン操作"):
//   移動 (Option6)   a first press picks a line by the foot of the
//                     perpendicular and the end farther from the press
//                     (MoveLineEnd) stays; the next press drops the other
//                     end (snapped with "ピック", made due north-south or
//                     east-west with Shift); with Ctrl the first press asks
//                     for a new length measured from the near end "起点";
//   追加 (Option20)  one vertex per press, each completing a line and
//                     starting the next at the same place;
//   色変 (Option25)  the picked line takes the colour of Option14, and the
//                     press anchors a recolour rectangle for the release.
// Each records its step in the edit history and draws the change in place.

#include <QString>

namespace tavelcor {

class Plot;
struct Press;

/// The press in 移動 mode: a pick (LineDragging 0) or the drop (1).
void moveLineEnd(Plot& window, const Press& press);

/// The press in 追加 mode. A vertex that would need line 500001 is refused
/// with "ラインの件数が上限の500000件に達しています".
void addLineVertex(Plot& window, const Press& press);

/// The press in 色変 mode. False when there is no line at all: then only the
/// range anchor is stored and the draw mode stays as it is.
bool recolourPickedLine(Plot& window, const Press& press);

/// The message of a full line table.
QString lineTableFullMessage();

}  // namespace tavelcor
