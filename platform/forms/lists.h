// SPDX-License-Identifier: LicenseRef-Tavelcor
// List boxes and combo boxes. Items are indexed from 0; ListIndex is -1 when
// no item is chosen. Choosing an item, by the user or by setting ListIndex
// from code, fires Click when the choice changes. A combo box whose text can
// be typed fires Change when its text is typed or set from code.
#pragma once

#include "platform/forms/control.h"

#include <QStringList>

#include <cstdint>
#include <optional>

class QComboBox;
class QListWidget;

namespace platform {

/// What list boxes and combo boxes share: items indexed from 0, the chosen
/// index with its Click, and the place of a new item.
class ItemList : public Control {
public:
    virtual int ListCount() const = 0;
    /// The text of item `index`; "" when there is none.
    virtual QString List(int index) const = 0;
    /// The chosen item; -1 when none is chosen.
    int ListIndex() const { return mListIndex; }
    /// -1..ListCount()-1, else refused (false); fires Click when it changes.
    bool setListIndex(int index);
    /// Design-time: items kept in text order (letter case ignored).
    bool Sorted() const { return mSorted; }
    void setSorted(bool sorted) { mSorted = sorted; }

protected:
    ItemList(Container& container, QString name);

    /// Where a new item `text` goes: in text order for a sorted list, else
    /// at `index` (-1: the end); nullopt past the end.
    std::optional<int> insertPosition(const QString& text, int index) const;
    /// Shows `index` as chosen in the widget, firing no events.
    virtual void showIndex(int index) = 0;

    int mListIndex = -1;

private:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool sinkGenericClick() const override { return false; }

    bool mSorted = false;
};

class ListBox final : public ItemList {
public:
    explicit ListBox(Container& container, QString name = QString());

    /// Adds an item at `index` (at the end when omitted or -1; past the end
    /// refused: false). A sorted list puts it in its place.
    bool AddItem(const QString& text, int index = -1);
    /// Removes item `index`; false when there is none. Removing the chosen
    /// item leaves no item chosen.
    bool RemoveItem(int index);
    /// Removes every item; nothing is chosen then (no Click).
    void Clear();
    int ListCount() const override;
    QString List(int index) const override;
    /// The chosen item's text; "" when none is chosen.
    QString Text() const;
    /// A number kept with each item (0 for a new item).
    std::int32_t ItemData(int index) const;
    bool setItemData(int index, std::int32_t value);

private:
    QListWidget* list() const;
    void showIndex(int index) override;
    void userChose(int row);
};

/// Combo box styles.
namespace combo {
inline constexpr int DropdownCombo = 0;  // a typed text or an item
inline constexpr int SimpleCombo = 1;    // shown as a dropdown combo
inline constexpr int DropdownList = 2;   // items only
}  // namespace combo

/// A combo box; typing a text leaves no item chosen (ListIndex -1).
class ComboBox final : public ItemList {
public:
    explicit ComboBox(Container& container, QString name = QString());

    /// Design-time: combo::DropdownCombo (default) or combo::DropdownList.
    int Style() const { return mStyle; }
    void setStyle(int style);

    bool AddItem(const QString& text, int index = -1);
    bool RemoveItem(int index);
    /// Removes every item and the typed text; nothing is chosen (no events).
    void Clear();
    int ListCount() const override;
    QString List(int index) const override;
    /// The text shown: the typed text, or the chosen item's.
    QString Text() const;
    /// A typed-text combo takes any text and fires Change when it changes. A
    /// list-only combo chooses the item with exactly this text (firing Click)
    /// and refuses other texts (false).
    bool setText(const QString& text);
    std::int32_t ItemData(int index) const;
    bool setItemData(int index, std::int32_t value);

    /// Fires when the text is typed or set from code (typed-text combos).
    std::function<void()> Change;

private:
    QComboBox* box() const;
    bool editable() const { return mStyle != combo::DropdownList; }
    void showIndex(int index) override;
    void userChose(int index);
    void userTyped();
    void watchLineEdit();

    int mStyle = combo::DropdownCombo;
};

}  // namespace platform
