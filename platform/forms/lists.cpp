// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/lists.h"

#include "platform/forms/dispatch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace platform {

namespace {

// The index after an item was inserted at `position` (+1) or removed from it.
int shiftedIndex(int chosen, int position, bool inserted)
{
    if (chosen < 0)
        return chosen;
    if (inserted)
        return position <= chosen ? chosen + 1 : chosen;
    if (position == chosen)
        return -1;
    return position < chosen ? chosen - 1 : chosen;
}

}  // namespace

// --- ItemList -----------------------------------------------------------------------

ItemList::ItemList(Container& container, QString name) : Control(container, std::move(name)) {}

std::optional<int> ItemList::insertPosition(const QString& text, int index) const
{
    const int count = ListCount();
    if (mSorted) {
        for (int i = 0; i < count; ++i) {
            if (QString::compare(List(i), text, Qt::CaseInsensitive) > 0)
                return i;
        }
        return count;
    }
    if (index == -1)
        return count;
    if (index >= 0 && index <= count)
        return index;
    return std::nullopt;
}

bool ItemList::setListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        return false;
    if (index == mListIndex)
        return true;
    mListIndex = index;
    showIndex(index);
    fire(Click);
    return true;
}

// --- ListBox ------------------------------------------------------------------------

ListBox::ListBox(Container& container, QString name) : ItemList(container, std::move(name))
{
    auto* list = new QListWidget(container.clientWidget());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    attach(list);
    watchMouse(list->viewport());
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) { userChose(row); });
    // A mouse press makes the row current before it selects it.
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] { userChose(this->list()->currentRow()); });
}

QListWidget* ListBox::list() const
{
    return static_cast<QListWidget*>(widget());
}

void ListBox::showIndex(int index)
{
    QListWidget* items = list();
    const QSignalBlocker blocker(items);
    items->setCurrentRow(index);
    if (index < 0)
        items->clearSelection();
}

void ListBox::userChose(int row)
{
    detail::DeliveryScope delivery;
    if (row == mListIndex)
        return;
    // A click or a key selects the row it makes current; the focus only
    // makes the first row current without selecting it, and chooses nothing.
    // Its choice counts once the row is both current and selected.
    if (row >= 0 && !list()->item(row)->isSelected())
        return;
    mListIndex = row;
    fire(Click);
}

bool ListBox::AddItem(const QString& text, int index)
{
    const std::optional<int> position = insertPosition(text, index);
    if (!position)
        return false;
    {
        const QSignalBlocker blocker(list());
        list()->insertItem(*position, text);
    }
    mListIndex = shiftedIndex(mListIndex, *position, true);
    showIndex(mListIndex);
    return true;
}

bool ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return false;
    {
        const QSignalBlocker blocker(list());
        delete list()->takeItem(index);
    }
    mListIndex = shiftedIndex(mListIndex, index, false);
    showIndex(mListIndex);
    return true;
}

void ListBox::Clear()
{
    {
        const QSignalBlocker blocker(list());
        list()->clear();
    }
    mListIndex = -1;
}

int ListBox::ListCount() const
{
    return list()->count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem* item = list()->item(index);
    return item != nullptr ? item->text() : QString();
}

QString ListBox::Text() const
{
    return List(mListIndex);
}

std::int32_t ListBox::ItemData(int index) const
{
    const QListWidgetItem* item = list()->item(index);
    return item != nullptr ? item->data(Qt::UserRole).toInt() : 0;
}

bool ListBox::setItemData(int index, std::int32_t value)
{
    QListWidgetItem* item = list()->item(index);
    if (item == nullptr)
        return false;
    item->setData(Qt::UserRole, value);
    return true;
}

// --- ComboBox -----------------------------------------------------------------------

ComboBox::ComboBox(Container& container, QString name) : ItemList(container, std::move(name))
{
    auto* box = new QComboBox(container.clientWidget());
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    attach(box);
    watchLineEdit();
    QObject::connect(box, &QComboBox::activated, box, [this](int index) { userChose(index); });
}

QComboBox* ComboBox::box() const
{
    return static_cast<QComboBox*>(widget());
}

void ComboBox::watchLineEdit()
{
    QLineEdit* edit = box()->lineEdit();
    if (edit == nullptr)
        return;
    watchMouse(edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { userTyped(); });
}

void ComboBox::setStyle(int style)
{
    const bool wasEditable = editable();
    mStyle = style == combo::DropdownList || style == combo::SimpleCombo ? style : combo::DropdownCombo;
    const QSignalBlocker blocker(box());
    // Only a change of editability makes or drops the line edit; watching an
    // existing one again would report each typed key twice.
    if (editable() != wasEditable) {
        box()->setEditable(editable());
        if (editable()) {
            box()->setInsertPolicy(QComboBox::NoInsert);
            watchLineEdit();
        }
    }
    showIndex(mListIndex);
}

void ComboBox::showIndex(int index)
{
    QComboBox* items = box();
    const QSignalBlocker blocker(items);
    items->setCurrentIndex(index);
}

void ComboBox::userChose(int index)
{
    detail::DeliveryScope delivery;
    mListIndex = index;
    fire(Click);
}

void ComboBox::userTyped()
{
    detail::DeliveryScope delivery;
    mListIndex = -1;
    fire(Change);
}

bool ComboBox::AddItem(const QString& text, int index)
{
    const std::optional<int> position = insertPosition(text, index);
    if (!position)
        return false;
    const QString shown = Text();
    {
        const QSignalBlocker blocker(box());
        box()->insertItem(*position, text);
        mListIndex = shiftedIndex(mListIndex, *position, true);
        box()->setCurrentIndex(mListIndex);
        if (editable())
            box()->setEditText(shown);
    }
    return true;
}

bool ComboBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return false;
    const QString shown = Text();
    {
        const QSignalBlocker blocker(box());
        box()->removeItem(index);
        mListIndex = shiftedIndex(mListIndex, index, false);
        box()->setCurrentIndex(mListIndex);
        if (editable())
            box()->setEditText(shown);
    }
    return true;
}

void ComboBox::Clear()
{
    const QSignalBlocker blocker(box());
    box()->clear();
    if (editable())
        box()->clearEditText();
    mListIndex = -1;
}

int ComboBox::ListCount() const
{
    return box()->count();
}

QString ComboBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? box()->itemText(index) : QString();
}

QString ComboBox::Text() const
{
    if (editable())
        return box()->currentText();
    return List(mListIndex);
}

bool ComboBox::setText(const QString& text)
{
    if (!editable()) {
        const int index = box()->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        return index >= 0 && setListIndex(index);
    }
    if (text == Text())
        return true;
    {
        const QSignalBlocker blocker(box());
        box()->setEditText(text);
    }
    mListIndex = -1;
    fire(Change);
    return true;
}

std::int32_t ComboBox::ItemData(int index) const
{
    return index >= 0 && index < ListCount() ? box()->itemData(index).toInt() : 0;
}

bool ComboBox::setItemData(int index, std::int32_t value)
{
    if (index < 0 || index >= ListCount())
        return false;
    box()->setItemData(index, value);
    return true;
}

}  // namespace platform
