// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/menu.h"

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"

#include <QAction>

#include <algorithm>

namespace platform {

Menu::Menu(Container& container, QString name, QString caption)
    : ControlBase(container.containerForm(), std::move(name)), mCaption(std::move(caption))
{
}

Menu::Menu(Menu& parent, QString name, QString caption)
    : ControlBase(parent.form(), std::move(name)), mParent(&parent), mCaption(std::move(caption))
{
    parent.mItems.push_back(this);
}

Menu::~Menu()
{
    if (mParent != nullptr)
        mParent->mItems.erase(std::remove(mParent->mItems.begin(), mParent->mItems.end(), this),
                              mParent->mItems.end());
    for (Menu* item : mItems)
        item->mParent = nullptr;
}

void Menu::setCaption(const QString& caption)
{
    mCaption = caption;
    updateBarAction();
}

void Menu::setEnabled(bool enabled)
{
    mEnabled = enabled;
    updateBarAction();
}

void Menu::setVisible(bool visible)
{
    mVisible = visible;
    updateBarAction();
}

void Menu::showInBar(QAction* action)
{
    mBarAction = action;
    updateBarAction();
}

void Menu::updateBarAction()
{
    if (mBarAction.isNull())
        return;
    mBarAction->setText(mCaption);
    mBarAction->setEnabled(mEnabled);
    mBarAction->setVisible(mVisible);
}

MenuEntry Menu::model() const
{
    MenuEntry entry;
    entry.caption = mCaption;
    entry.checked = mChecked;
    entry.enabled = mEnabled;
    entry.visible = mVisible;
    entry.children.reserve(mItems.size());
    for (const Menu* item : mItems)
        entry.children.push_back(item->model());
    return entry;
}

Menu* Menu::itemAt(const MenuPath& path) const
{
    const Menu* menu = this;
    for (int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= menu->mItems.size())
            return nullptr;
        menu = menu->mItems[static_cast<std::size_t>(index)];
    }
    return const_cast<Menu*>(menu);
}

void Menu::choose()
{
    detail::raise(&form(), Click);
}

}  // namespace platform
