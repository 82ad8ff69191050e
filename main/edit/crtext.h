// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The line-break text editor `crtext` ("改行テキスト"): edits the text being
// edited in the text panel (TxtEdit, its string in the panel's Text8) as up
// to ten lines. "Ｏ　Ｋ" joins the lines with single blanks and stores them
// with the colour chosen, recording one step of kind 34; "Cancel" and the
// close box store nothing. Nine insert buttons put the phrases CrtextPhrase
// 1 to 9 into the line box that last had the focus, in place of its
// selection. A fresh window at each showing.

#include "platform/forms/forms.h"

namespace tavelcor {

class Plot;

class Crtext final : public platform::Form {
public:
    Crtext();

    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};  // 挿入文字
    platform::CommandButton Command3{Frame1, QStringLiteral("Command3")};
    platform::CommandButton Command4{Frame1, QStringLiteral("Command4")};
    platform::CommandButton Command5{Frame1, QStringLiteral("Command5")};
    platform::CommandButton Command6{Frame1, QStringLiteral("Command6")};
    platform::CommandButton Command7{Frame1, QStringLiteral("Command7")};
    platform::CommandButton Command8{Frame1, QStringLiteral("Command8")};
    platform::CommandButton Command9{Frame1, QStringLiteral("Command9")};
    platform::CommandButton Command10{Frame1, QStringLiteral("Command10")};
    platform::CommandButton Command11{Frame1, QStringLiteral("Command11")};
    platform::ControlArray<platform::OptionButton> Option14{QStringLiteral("Option14")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // Ｏ　Ｋ
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // Cancel

    /// The line box that last had the focus (0 at load).
    int CurLine() const { return mCurLine; }

    /// Insert button n (1 to 9): its caption replaces the selection of line
    /// box CurLine, or goes in at its caret.
    void insertButton(int n);
    void Command1_Click();
    void Command2_Click();

private:
    void Form_Load();
    void Form_Activate();
    platform::CommandButton& insertButtonControl(int n);

    int mCurLine = 0;
    /// The text's colour when the editor opened: stored when it has no
    /// colour option (1, 5, 7, 15), so that no option chosen never becomes
    /// a colour.
    int mOpenColor = 0;
};

platform::FormHolder<Crtext>& crtextForm();
inline Crtext& crtext() { return crtextForm().instance(); }

/// Opens the editor for the text picked in 編集: the panel's Command34
/// emptied and hidden, SlideFactor 9 (which keeps the hover label hidden)
/// while the editor is shown modal, and its old value put back afterwards.
void editTextInLines(Plot& window);

}  // namespace tavelcor
