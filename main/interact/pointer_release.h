// SPDX-License-Identifier: LicenseRef-Tavelcor
// The release on the plot: Picture1_MouseUp.
//
// Every release compacts the history when it is long, turns the menu's
// one-shot pan into a middle-button release, ends a pan drag (the view
// moves by the whole drag from the press and is redrawn, unless the drag
// stayed within 0.1 m both ways), and leaves the plot with the cross
// pointer and the copy pen. A left release then runs the first row of
// releaseRowFor(): the end of a hand stroke (record 41), a delete of the
// one item under the release (records 12, 22, 32, 42; the item is painted
// white, the full redraw comes later), the range operations of a dragged
// rectangle, or a zoom window from the 対角 mode or the drag zoom.
//
// Positions come in the plot's scale: x the plot east, y minus the plot
// north.
#pragma once

#include <QString>

namespace tavelcor {

class Plot;

/// The rows of the left release, in the order they are tried.
enum class ReleaseRow {
    StrokeEnd,          ///< hand strokes, 追加
    StrokeDelete,       ///< hand strokes, 削除, a click
    StrokeRangeDelete,  ///< hand strokes, 削除, a drag
    PointDelete,        ///< points, 削除, a click
    PointRangeDelete,   ///< points, 削除, a drag with a rectangle drawn
    TextDelete,         ///< texts, 削除, a click
    TextRangeDelete,    ///< texts, 削除, a drag with a rectangle drawn
    TextRangeRecolour,  ///< texts, 編集, a rectangle drawn
    LineDelete,         ///< lines, 削除, a click
    LineRangeDelete,    ///< lines, 削除, a drag with a rectangle drawn
    LineRangeRecolour,  ///< lines, 色変, a rectangle drawn
    DiagonalWindow,     ///< the 対角 mode: zoom window or parcel selection
    DragZoomWindow,     ///< the drag zoom armed by a press on the idle plot
    Nothing,
};

/// The row a left release takes now. Every row but the two windows needs
/// the 対角 mode off; the panel rows but the stroke end need the hover
/// label not hidden by the 対角 button.
ReleaseRow releaseRowFor(const Plot& window);

/// The message of a zoom window below the smallest view.
QString zoomFloorMessage();

/// The release handler of the plot (button 1 left, 2 right, 4 middle).
void Picture1_MouseUp(Plot& window, int button, int shift, double x, double y);

}  // namespace tavelcor
