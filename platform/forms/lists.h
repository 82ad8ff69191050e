// SPDX-License-Identifier: LicenseRef-Tavelcor
// List boxes and combo boxes. Items are indexed from 0; ListIndex is -1 when
// no item is chosen. Choosing an item, by the user or by setting ListIndex
// from code, fires Click when the choice changes. A combo box whose text can
// be typed fires Change when its text is typed or set from code.
#pragma once

#include "platform/forms/control.h"

#include <QStringList>

#include <cstdint>
#include <vector>

class QComboBox;
class QListWidget;

namespace platform {

class ListBox final : public Control {
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
    int ListCount() const;
    /// The text of item `index`; "" when there is none.
    QString List(int index) const;
    bool setList(int index, const QString& text);
    int ListIndex() const { return mListIndex; }
    /// -1..ListCount()-1, else refused (false); fires Click when it changes.
    bool setListIndex(int index);
    /// The chosen item's text; "" when none is chosen.
    QString Text() const;
    /// A number kept with each item (0 for a new item).
    std::int32_t ItemData(int index) const;
    bool setItemData(int index, std::int32_t value);
    /// Design-time: items kept in text order.
    bool Sorted() const { return mSorted; }
    void setSorted(bool sorted);
    /// The first item shown.
    int TopIndex() const;
    void setTopIndex(int index);

private:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool sinkGenericClick() const override { return false; }
    QListWidget* list() const;
    void showIndex(int index);
    void userChose(int row);

    int mListIndex = -1;
    bool mSorted = false;
};

/// Combo box styles.
namespace combo {
inline constexpr int DropdownCombo = 0;  // a typed text or an item
inline constexpr int SimpleCombo = 1;    // shown as a dropdown combo
inline constexpr int DropdownList = 2;   // items only
}  // namespace combo

class ComboBox final : public Control {
public:
    explicit ComboBox(Container& container, QString name = QString());

    /// Design-time: combo::DropdownCombo (default) or combo::DropdownList.
    int Style() const { return mStyle; }
    void setStyle(int style);

    bool AddItem(const QString& text, int index = -1);
    bool RemoveItem(int index);
    /// Removes every item and the typed text; nothing is chosen (no events).
    void Clear();
    int ListCount() const;
    QString List(int index) const;
    bool setList(int index, const QString& text);
    /// The chosen item; typing a text leaves none chosen (-1).
    int ListIndex() const { return mListIndex; }
    /// -1..ListCount()-1, else refused (false); fires Click when it changes.
    bool setListIndex(int index);
    /// The text shown: the typed text, or the chosen item's.
    QString Text() const;
    /// A typed-text combo takes any text and fires Change when it changes. A
    /// list-only combo chooses the item with exactly this text (firing Click)
    /// and refuses other texts (false).
    bool setText(const QString& text);
    std::int32_t ItemData(int index) const;
    bool setItemData(int index, std::int32_t value);
    bool Sorted() const { return mSorted; }
    void setSorted(bool sorted);

    /// Fires when the text is typed or set from code (typed-text combos).
    std::function<void()> Change;

private:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    bool sinkGenericClick() const override { return false; }
    QComboBox* box() const;
    bool editable() const { return mStyle != combo::DropdownList; }
    void showIndex(int index);
    void userChose(int index);
    void userTyped();
    void watchLineEdit();
    int insertPosition(const QString& text, int index) const;

    int mStyle = combo::DropdownCombo;
    int mListIndex = -1;
    bool mSorted = false;
};

}  // namespace platform
