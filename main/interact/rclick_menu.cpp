// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/rclick_menu.h"

#include "main/edit/history_commands.h"
#include "main/edit/line_panel.h"
#include "main/edit/point_panel.h"
#include "main/edit/stroke_panel.h"
#include "main/edit/text_panel.h"
#include "main/interact/mode_options.h"
#include "main/interact/press_bodies.h"
#include "main/site/tables.h"
#include "main/survey/redisplay.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"

#include <array>

namespace tavelcor {
namespace {

using Handler = void (*)(Plot&);

// The classes, in the order the generic items test them.
constexpr int kPoints = 1;
constexpr int kLines = 2;
constexpr int kTexts = 3;
constexpr int kStrokes = 4;

// One leaf item: its MenuMode code, the panel button of its class and the
// select operation of its option.
struct Leaf {
    int code;
    Handler panelButton;
    Handler select;
};

constexpr std::array kLeaves{
    Leaf{11, Command20_Click, Option12_Click}, Leaf{12, Command20_Click, Option11_Click},
    Leaf{13, Command20_Click, Option10_Click}, Leaf{14, Command20_Click, Option9_Click},
    Leaf{21, Command21_Click, Option20_Click}, Leaf{22, Command21_Click, Option6_Click},
    Leaf{23, Command21_Click, Option21_Click}, Leaf{24, Command21_Click, Option25_Click},
    Leaf{31, Command33_Click, Option22_Click}, Leaf{32, Command33_Click, Option24_Click},
    Leaf{33, Command33_Click, Option19_Click}, Leaf{34, Command33_Click, Option18_Click},
    Leaf{41, Command22_Click, Option16_Click}, Leaf{43, Command22_Click, Option17_Click},
};

const Leaf* leafFor(int code)
{
    for (const Leaf& leaf : kLeaves)
        if (leaf.code == code)
            return &leaf;
    return nullptr;
}

// The captions of the generic items by class, in the order 追加, 移動, 削除,
// 編集 (operation digits 1 to 4); "" where the class has no such leaf.
const std::array<std::array<QString, 4>, 5>& genericCaptions()
{
    static const std::array<std::array<QString, 4>, 5> captions{{
        {},
        {QStringLiteral("ポイント追加"), QStringLiteral("ポイント移動"), QStringLiteral("ポイント削除"),
         QStringLiteral("ポイント属性")},
        {QStringLiteral("ライン追加"), QStringLiteral("ライン移動"), QStringLiteral("ライン削除"),
         QStringLiteral("ライン色変")},
        {QStringLiteral("テキスト追加"), QStringLiteral("テキスト移動"), QStringLiteral("テキスト削除"),
         QStringLiteral("テキスト編集")},
        {QStringLiteral("手書き追加"), QString(), QStringLiteral("手書き削除"), QString()},
    }};
    return captions;
}

// The end button of the first open operation panel.
void closeOpenPanel(Plot& w)
{
    static constexpr std::array<Handler, 5> kEndButtons{nullptr, Command26_Click, Command29_Click, Command35_Click,
                                                        Command28_Click};
    if (const int c = openPanelClass(w); c != 0)
        kEndButtons[static_cast<std::size_t>(c)](w);
}

}  // namespace

RclickMenu::RclickMenu() : platform::Form(QStringLiteral("RclickMenu"))
{
    wire();
    Load = [this] { Form_Load(); };
}

void RclickMenu::wire()
{
    const auto leaf = [](platform::Menu& item, int code) { item.Click = [code] { runMenuLeaf(code); }; };
    leaf(pointAdd, 11);
    leaf(pointMove, 12);
    leaf(pointDelete, 13);
    leaf(pointAttribute, 14);
    leaf(lineAdd, 21);
    leaf(lineMove, 22);
    leaf(lineDelete, 23);
    leaf(lineColour, 24);
    leaf(textAdd, 31);
    leaf(textMove, 32);
    leaf(textDelete, 33);
    leaf(textEdit, 34);
    leaf(strokeAdd, 41);
    leaf(strokeDelete, 43);
    addItem.Click = [] { runGenericItem(1); };
    moveItem.Click = [] { runGenericItem(2); };
    deleteItem.Click = [] { runGenericItem(3); };
    editItem.Click = [] { runGenericItem(4); };
    endItem.Click = [] {
        closeOpenPanel(plot());
        releaseRclickMenu();
    };
    undoItem.Click = [] {
        Command60_Click(plot());
        releaseRclickMenu();
    };
    redoItem.Click = [] {
        Plot& w = plot();
        if (w.Command61.Visible())
            Command61_Click(w);
        releaseRclickMenu();
    };
    redisplayItem.Click = [] {
        Plot& w = plot();
        Command6_Click(w);
        Option16_Click(w);
        releaseRclickMenu();
    };
    // The one-shot pan keeps the holder: the next idle menu shows the same set.
    panItem.Click = [] { PanOnce = 1; };
}

void RclickMenu::Form_Load()
{
    const Plot& w = plot();
    if (const int c = openPanelClass(w); c != 0)
        prepareForPanel(c);
    else
        prepareForMenuMode();
    if (!w.Command61.Visible())
        redoItem.setVisible(false);
}

void RclickMenu::prepareForPanel(int panelClass)
{
    const std::array<platform::Menu*, 5> submenus{nullptr, &pointMenu, &lineMenu, &textMenu, &strokeMenu};
    const std::array<platform::Menu*, 4> generic{&addItem, &moveItem, &deleteItem, &editItem};
    submenus[static_cast<std::size_t>(panelClass)]->setVisible(false);
    const auto& captions = genericCaptions()[static_cast<std::size_t>(panelClass)];
    for (std::size_t op = 0; op < generic.size(); ++op) {
        if (captions[op].isEmpty())
            generic[op]->setVisible(false);
        else
            generic[op]->setCaption(captions[op]);
    }
}

void RclickMenu::prepareForMenuMode()
{
    const std::array<platform::Menu*, 4> generic{&addItem, &moveItem, &deleteItem, &editItem};
    for (platform::Menu* item : generic)
        item->setVisible(false);
    const int c = MenuMode / 10;
    const int op = MenuMode % 10;
    if (c < kPoints || c > kStrokes || op < 1 || op > 4)
        return;
    const QString& caption = genericCaptions()[static_cast<std::size_t>(c)][static_cast<std::size_t>(op - 1)];
    if (caption.isEmpty())
        return;
    platform::Menu* item = generic[static_cast<std::size_t>(op - 1)];
    item->setCaption(caption);
    item->setVisible(true);
}

platform::FormHolder<RclickMenu>& rclickMenuForm()
{
    static platform::FormHolder<RclickMenu> holder;
    return holder;
}

void releaseRclickMenu()
{
    rclickMenuForm().unload();
}

int openPanelClass(const Plot& window)
{
    if (window.Frame4.Visible())
        return kPoints;
    if (window.Frame10.Visible())
        return kLines;
    if (window.Frame11.Visible())
        return kTexts;
    if (window.Frame9.Visible())
        return kStrokes;
    return 0;
}

bool runMenuLeaf(int code)
{
    const Leaf* leaf = leafFor(code);
    if (leaf == nullptr)
        return false;
    Plot& w = plot();
    leaf->panelButton(w);
    leaf->select(w);
    MenuMode = static_cast<std::uint8_t>(code);
    releaseRclickMenu();
    return true;
}

void runGenericItem(int op)
{
    // The class the item's caption names: the open panel's; with no panel
    // open, MenuMode's when it holds this operation.
    int c = openPanelClass(plot());
    if (c == 0 && MenuMode % 10 == op)
        c = MenuMode / 10;
    if (c != 0)
        runMenuLeaf(c * 10 + op);
    releaseRclickMenu();
}

void popUpRightClickMenu(Plot& window, const Press&)
{
    const bool idle = window.Frame2.Visible() || window.Frame15.Visible();
    if (!idle)
        releaseRclickMenu();
    window.PopupMenu(rclickMenu().popupme);
}

}  // namespace tavelcor
