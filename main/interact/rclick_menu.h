// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right-click menu of the plot: the invisible holder RclickMenu whose
// only content is the menu tree under popupme. The holder is never shown;
// the press pops its root up at the pointer.
//
// Loading the holder prepares the tree for the open operation panel (the
// generic items 追加, 移動, 削除, 編集 named after its class and its own
// submenu hidden) or, with no panel open, for the last operation chosen
// (MenuMode); REDO is hidden while the main window's "Rdo" is. The leaf
// items open their panel, choose the operation and note it in MenuMode;
// a generic item acts on the class its caption names: the open panel's,
// else the one of MenuMode. 終了 closes the open panel, UNDO and REDO step
// the history, 再表示 shows the plot again and chooses the hand-stroke
// "追加", 画面移動 makes the next press pan. Every item but 画面移動 and the
// submenu headers releases (unloads) the holder, so the next pop-up is
// prepared anew. MenuMode outlives the holder.
#pragma once

#include "platform/forms/forms.h"

#include <cstdint>

namespace tavelcor {

class Plot;
struct Press;

class RclickMenu final : public platform::Form {
public:
    RclickMenu();

    platform::Menu popupme{*this, QStringLiteral("popupme"), QStringLiteral("popupmenu")};
    platform::Menu endItem{popupme, QStringLiteral("終了"), QStringLiteral("終了")};
    platform::Menu addItem{popupme, QStringLiteral("追加"), QStringLiteral("追加")};
    platform::Menu moveItem{popupme, QStringLiteral("移動"), QStringLiteral("移動")};
    platform::Menu deleteItem{popupme, QStringLiteral("削除"), QStringLiteral("削除")};
    platform::Menu editItem{popupme, QStringLiteral("編集"), QStringLiteral("編集")};
    platform::Menu pointMenu{popupme, QStringLiteral("ポイント"), QStringLiteral("ポイント")};
    platform::Menu pointAdd{pointMenu, QStringLiteral("P追加"), QStringLiteral("追加")};
    platform::Menu pointMove{pointMenu, QStringLiteral("P移動"), QStringLiteral("移動")};
    platform::Menu pointDelete{pointMenu, QStringLiteral("P削除"), QStringLiteral("削除")};
    platform::Menu pointAttribute{pointMenu, QStringLiteral("P属性"), QStringLiteral("属性")};
    platform::Menu lineMenu{popupme, QStringLiteral("ライン"), QStringLiteral("ライン")};
    platform::Menu lineAdd{lineMenu, QStringLiteral("L追加"), QStringLiteral("追加")};
    platform::Menu lineMove{lineMenu, QStringLiteral("L移動"), QStringLiteral("移動")};
    platform::Menu lineDelete{lineMenu, QStringLiteral("L削除"), QStringLiteral("削除")};
    platform::Menu lineColour{lineMenu, QStringLiteral("L色変"), QStringLiteral("色変")};
    platform::Menu textMenu{popupme, QStringLiteral("テキスト"), QStringLiteral("テキスト")};
    platform::Menu textAdd{textMenu, QStringLiteral("T追加"), QStringLiteral("追加")};
    platform::Menu textMove{textMenu, QStringLiteral("T移動"), QStringLiteral("移動")};
    platform::Menu textDelete{textMenu, QStringLiteral("T削除"), QStringLiteral("削除")};
    platform::Menu textEdit{textMenu, QStringLiteral("T編集"), QStringLiteral("編集")};
    platform::Menu strokeMenu{popupme, QStringLiteral("手書き"), QStringLiteral("手書き")};
    platform::Menu strokeAdd{strokeMenu, QStringLiteral("手書追加"), QStringLiteral("追加")};
    platform::Menu strokeDelete{strokeMenu, QStringLiteral("手書削除"), QStringLiteral("削除")};
    platform::Menu undoItem{popupme, QStringLiteral("UNDO"), QStringLiteral("UNDO")};
    platform::Menu redoItem{popupme, QStringLiteral("REDO"), QStringLiteral("REDO")};
    platform::Menu redisplayItem{popupme, QStringLiteral("再表示"), QStringLiteral("再表示")};
    platform::Menu panItem{popupme, QStringLiteral("画面移動"), QStringLiteral("画面移動")};

    /// The preparation of Form Load, from the design state.
    void Form_Load();

private:
    void wire();
    void prepareForPanel(int panelClass);
    void prepareForMenuMode();
};

platform::FormHolder<RclickMenu>& rclickMenuForm();
inline RclickMenu& rclickMenu()
{
    return rclickMenuForm().instance();
}

/// Releases (unloads) the holder; the next reference prepares it anew.
void releaseRclickMenu();

/// The operation-panel class open on the main window: 1 points (Frame4),
/// 2 lines (Frame10), 3 texts (Frame11), 4 hand strokes (Frame9), tested in
/// this order; 0 when none is (the station frame Frame13 does not count).
int openPanelClass(const Plot& window);

/// Runs the leaf item of `code` (11..14, 21..24, 31..34, 41, 43): the panel
/// button of its class, the select operation of its option, MenuMode :=
/// code and the release. False, with nothing done, for any other code.
bool runMenuLeaf(int code);

/// The generic item of operation `op` (1 追加, 2 移動, 3 削除, 4 編集): the
/// leaf of the open panel's class, else with no panel open the leaf of
/// MenuMode's class when its operation is op; then the release.
void runGenericItem(int op);

/// Pops the menu up at the pointer: the press of an open operation panel
/// releases the holder first (the menu is prepared for that panel); the
/// idle plot's menu mode shows the holder as it stands.
void popUpRightClickMenu(Plot& window, const Press& press);

}  // namespace tavelcor
