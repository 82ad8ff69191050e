// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The presses of the point panel (Frame4, "ポイント操作"):
//   追加 (Option12)  a new observation point at the press, snapped to a
//                     nearby line end or dropped onto a line (which is cut
//                     in two there after "線上にポイントを落としますか?"), or
//                     at the last GPS fix, named from Text6 and Text7, with
//                     the symbol of Option13; drawn at once, the next name
//                     proposed. With the double-click input setting the
//                     double click adds instead (plot_double_click.h);
//   属性 (Option9)   the point hit is marked and loaded into the panel for
//                     the commit 確定;
//   移動 (Option11)  a first press picks a point, the second puts it down,
//                     snapped to a line end with "ピック", carrying the line
//                     ends that lay on it.
// Each records its step in the edit history and draws the change in place.

#include <QString>

namespace tavelcor {

class Plot;
struct Press;

/// How the point add takes its position.
enum class PointAddInput {
    /// A single press: the position is kept in single precision, the
    /// symbol and label are drawn at the point-label size (PointFontSize).
    Press,
    /// The double click at the last press: the position stays in double
    /// precision, the GPS fix is taken only without "ピック", and the
    /// symbol and label are drawn at the label size (FontSize).
    DoubleClick,
};

/// What the point add did.
enum class PointAddResult {
    Added,
    /// The duplicate check withdrew the point (a line cut stays as made).
    Withdrawn,
    /// The point table is full: "ポイントの件数が上限の500000件に達しています",
    /// nothing written.
    Refused,
};

/// Adds an observation point at the plot position (x east, y minus north)
/// as the panel's 追加 asks. Sets the point backup flag PointChanged in both
/// inputs.
PointAddResult addObservationPoint(Plot& window, double x, double y, PointAddInput input);

/// The press in 追加 mode (single-press input).
void addPointAtPress(Plot& window, const Press& press);

/// The press in 属性 mode.
void pickPointAttributes(Plot& window, const Press& press);

/// The press in 移動 mode: the pick (MovePoint 0) or the placement.
void movePointPress(Plot& window, const Press& press);

/// The message of a full point table.
QString pointTableFullMessage();

/// The question before a point is dropped onto a line.
QString dropOnLineQuestion();

}  // namespace tavelcor
