// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The phrase list `Plist` ("登録文字"): the registered phrases of the phrase
// file as a list. A click on a phrase puts it into the text panel's field
// Text8 of the main window, replacing its text ("新規") or appended to it
// ("文字追加"); a search finds a phrase by its beginning, or, when the search
// text begins with a blank, by any part of it. The window is modeless and
// stays above the other windows while shown; closing it only hides it, so
// its rows, selection and mode stay for the next showing.

#include "platform/forms/forms.h"

#include <QStringList>

#include <vector>

namespace tavelcor {

class Plot;

class Plist final : public platform::Form {
public:
    Plist();

    // The search field comes first, so that it takes the focus when the
    // window shows: a list taking the focus would choose its first row.
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::ListBox List1{*this, QStringLiteral("List1")};
    platform::OptionButton Option2{*this, QStringLiteral("Option2")};  // 新規
    platform::OptionButton Option1{*this, QStringLiteral("Option1")};  // 文字追加
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 検索
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 閉　じ　る

    /// Takes the selected row's phrase into the main window's Text8.
    void List1_Click();
    /// As List1_Click, then the caret at the end ("文字追加") or the start.
    void List1_DblClick();
    /// The search over the rows with the text of Text1.
    void Text1_DblClick();
    /// Hides the window (it keeps its list).
    void Command1_Click();

private:
    void Form_Load();
    void Form_Activate();
    /// Steps 1 to 3 of taking a phrase.
    void putPhrase();
    void placeCaret();
};

platform::FormHolder<Plist>& plistForm();
inline Plist& plist() { return plistForm().instance(); }

/// Rows of `rows` that the search text `search` finds, in list order: with
/// `search` (trailing blanks removed) not beginning with a blank, the rows
/// beginning with it; else the rows containing it without its leading
/// blanks. Exact comparison. An empty search finds every row.
std::vector<int> phraseMatches(const QStringList& rows, const QString& search);

/// The text panel's "リスト": selects the phrase option "他" (Option23(7))
/// and shows the phrase list.
void Command45_Click(Plot& window);

}  // namespace tavelcor
