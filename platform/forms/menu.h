// SPDX-License-Identifier: LicenseRef-Tavelcor
// Menus of a form, used as pop-up menus: a top menu made with its form holds
// items made with it as their parent, and items may hold items in turn.
//
//     platform::Menu popupme{*this, "popupme", "popupmenu"};
//     platform::Menu pointAdd{popupme, "pointAdd", "追加"};
//     ...
//     plot().PopupMenu(rclickMenu().popupme);
//
// Declare a menu before its items. A caption of "-" makes a separator line.
// The top menu itself need not be visible to pop up.
//
// Top menus can also stand in their form's menu bar as commands
// (Form::setMenuBar): choosing one there fires its Click.
#pragma once

#include "platform/forms/control.h"
#include "platform/prompt/menu_model.h"

#include <QPointer>

#include <functional>
#include <vector>

class QAction;

namespace platform {

class Menu final : public ControlBase {
public:
    /// A top menu of `container`'s form.
    Menu(Container& container, QString name, QString caption = QString());
    /// An item of `parent`.
    Menu(Menu& parent, QString name, QString caption = QString());
    ~Menu() override;

    QString Caption() const { return mCaption; }
    void setCaption(const QString& caption);
    bool Checked() const { return mChecked; }
    void setChecked(bool checked) { mChecked = checked; }
    bool Enabled() const { return mEnabled; }
    void setEnabled(bool enabled);
    bool Visible() const { return mVisible; }
    void setVisible(bool visible);

    /// The items, in the order they were made.
    const std::vector<Menu*>& items() const { return mItems; }
    /// The menu as the prompters see it.
    MenuEntry model() const;
    /// The item a path from this menu leads to; nullptr when none.
    Menu* itemAt(const MenuPath& path) const;
    /// Fires Click, as choosing the item does.
    void choose();

    std::function<void()> Click;

    /// Used by Form::setMenuBar: the bar's item that shows this menu follows
    /// its caption, Enabled and Visible from now on.
    void showInBar(QAction* action);

private:
    void updateBarAction();

    QPointer<QAction> mBarAction;
    Menu* mParent = nullptr;
    std::vector<Menu*> mItems;
    QString mCaption;
    bool mChecked = false;
    bool mEnabled = true;
    bool mVisible = true;
};

}  // namespace platform
