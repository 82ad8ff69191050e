// SPDX-License-Identifier: LicenseRef-Tavelcor
// The press on the plot: Picture1_MouseDown and the choice of what a press
// does.
//
// Every press first runs the common start (the one-shot pan of the menu,
// the undo compaction, the focus and the copy pen). The middle button (and
// any button after the menu's "画面移動") only stores where a pan starts.
// Other presses show their site position in Label5 and remember it for the
// motion, release and double click; then the left button runs the left
// chain: the route start and the B, L, H readouts always, the pan arm, and
// the first branch of leftBranchFor(); any other button runs the right
// chain of rightBranchFor(). The position comes in the plot's scale: x is
// the plot east, y minus the plot north.
#pragma once

#include "main/interact/coordinate_pick.h"
#include "main/interact/press_bodies.h"

#include <QString>

namespace tavelcor {

class Plot;

/// The branches of the left chain, in the order they are tried.
enum class LeftBranch {
    DiagonalRectangle,   ///< the "対角" mode's first corner
    KeyInPick,           ///< the coordinate key-in window is shown: pick into it
    AreaVertex,          ///< an area measurement runs
    StrokeDeleteAnchor,  ///< hand strokes, 削除: first corner of the range
    LineMove,            ///< lines, 移動
    LineAdd,             ///< lines, 追加
    LineDeleteAnchor,    ///< lines, 削除
    LineColour,          ///< lines, 色変
    PointAdd,            ///< points, 追加 (single-press input)
    PointDeleteAnchor,   ///< points, 削除
    PointAttribute,      ///< points, 属性
    PointMove,           ///< points, 移動
    TextAdd,             ///< texts, 追加
    TextDeleteAnchor,    ///< texts, 削除
    TextEdit,            ///< texts, 編集
    TextPick,            ///< texts, 移動 with no text picked yet
    TextPlace,           ///< texts, 移動 with a text picked
    StationDesignation,  ///< the station designation frame is shown
    ZoomWindowArm,       ///< none of the above: arm the zoom window
};

/// The branches of the right chain.
enum class RightBranch {
    AbandonArea,        ///< right button while an area measurement runs
    ParcelInformation,  ///< idle, "画地" chosen and parcels exist
    Calculation,        ///< idle: hit test, then the right-click mode
    PanelMenu,          ///< an operation panel is open: the right-click menu
    Nothing,            ///< any other button with a panel open
};

/// The idle flag of the left chain: 0 while the hand-stroke panel is shown;
/// else true when the point panel adds by double click (DblClickInput 1,
/// Frame4 shown, 追加 chosen) or when no operation panel (Frame4, Frame11,
/// Frame9, Frame10) is shown. The station frame does not count.
bool pressIsIdle(const Plot& window);

/// The branch a left press takes now (from the window's panels, options,
/// the 対角 mode, the key-in window and the area measurement).
LeftBranch leftBranchFor(const Plot& window);

/// The branch a press of `button` (not the left one) takes now.
RightBranch rightBranchFor(const Plot& window, int button);

/// The two shown ranges of coordinate numbers from Text2, Text5, Text15 and
/// Text16 (the numbers their texts begin with).
ShownNumberRanges shownNumberRanges(const Plot& window);

/// The hit test of a press at (x, y) on the window's shown ranges; with
/// `withPoints` the observation-point fallback (points as the plot shows
/// them), which may move x, y to the point found.
CoordinatePick PickCoordinate(Plot& window, double& x, double& y, bool withPoints);

/// The right-click calculation on the idle plot: "MENU表示" chosen sets
/// RclickMode 0 (and forgets the pick); RclickMode 0 pops up the right-click
/// menu; any other mode runs runRightClickCalculation.
PressEnd rightClickCalculation(Plot& window, const Press& press, const CoordinatePick& pick);

/// The text of Label5 for a press at (x, y): "X=" north " Y=" east, each
/// FormatFixed with width 12 and 3 decimals (site metres).
QString pressPositionText(double x, double y);

/// The press handler of the plot (button 1 left, 2 right, 4 middle).
void Picture1_MouseDown(Plot& window, int button, int shift, double x, double y);

}  // namespace tavelcor
