// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point panel Frame4 ("ポイント操作") of the main window: opening it in
// the place of the open panel (ポイント, Command20), the symbol picker Frame6
// ("マーク" Command24, "閉じる" Command25), ending it ("終了" Command26), the
// duplicate check every point registration runs, its commit "確定"
// (Command32) and its cancel "取消" (Command31), which in the operation 属性
// asks the field workbook to measure the picked point.
#pragma once

#include <QString>

namespace tavelcor {

class Plot;

/// ポイント: opens the point panel in the place of the panel shown now.
/// Running it again while the panel is open moves no frame and repeats the
/// captions, the buttons and the name proposal (a press of the button runs
/// it twice).
void Command20_Click(Plot& window);

/// マーク: shows the symbol picker Frame6; 閉じる: hides it. The plot gets
/// the focus.
void Command24_Click(Plot& window);
void Command25_Click(Plot& window);

/// 終了: closes the point panel; the idle panel Frame2 takes its place. The
/// names, the chosen operation and symbol, CurPoint and the history stay.
void Command26_Click(Plot& window);

/// Who registers the point the duplicate check looks at.
enum class NameCheckFor {
    /// The point just added (j = PointCount): a duplicate withdraws it.
    AddedPoint,
    /// A point that stays in the table whatever the answer (the attribute
    /// commit), also when it is the highest one.
    ExistingPoint,
};

/// The duplicate check of point j registered under the first name d, over
/// points 1..PointCount (the bound taken at the start):
/// - another live point (symbol below 100) at exactly the same X and Y:
///   "同位置に(<name>)名のポイントが登録済みです。登録をキャンセルします"; the
///   scan ends after this pass and an added point is withdrawn;
/// - another live point named d (d not empty): "<d>は、すでに登録済みです。
///   この名称で登録しますか？" (Yes/No); the scan ends after this pass; No
///   withdraws an added point, or puts an existing point's stored name back
///   into Text6.
/// Withdrawing: d becomes the name of point PointCount - 1, Text6 the name
/// after it, Text7 empty, PointCount one less (the slot's data stay); sw
/// becomes 1. sw is not changed otherwise. An index j outside the point
/// table checks nothing.
void Pointnamecheck(Plot& window, QString& d, int j, int& sw, NameCheckFor target);

/// 確定 (on the press of any mouse button): in 属性 with a picked point the
/// attribute commit with its history record of kind 14; in 追加 the commit
/// of the names and symbol into the point just added (no history record);
/// otherwise nothing. The key-in window and "SIMA編集" are hidden first.
void Command32_MouseDown(Plot& window);

/// 取消 outside 属性: takes back the last point move with the line ends that
/// moved along (the history keeps the move) and hides the button. In 属性:
/// the field workbook's measurement of the picked point.
void Command31_Click(Plot& window);

/// Wires the panel's buttons to the handlers above. Registered with
/// addPlotWiring.
void wirePointPanel(Plot& window);

}  // namespace tavelcor
