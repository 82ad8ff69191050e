// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad's settings dialog "KINTAB条件": the letters of the three letter
// keys, the compact-mode switch "Icon化する" and the size factor (0.5 to 1.5
// in steps of 0.1). Modeless and above the other windows; "Ｏ　Ｋ" writes
// KINTAB.JKN and sizes the keypad, "CANCEL" closes without writing.
//
// Reading a letter box loads the dialog without showing it; every load and
// every activation reads the settings again, dropping changes not yet
// confirmed.
#pragma once

#include "platform/forms/buttons.h"
#include "platform/forms/form.h"
#include "platform/forms/form_holder.h"
#include "platform/forms/labels.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/textbox.h"

#include <QString>

namespace kintab {

class Jyouken : public platform::Form {
public:
    Jyouken();

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::Label Label1{Frame1, QStringLiteral("Label1")};
    platform::TextBox Text1{Frame1, QStringLiteral("Text1")};
    platform::Label Label2{Frame1, QStringLiteral("Label2")};
    platform::TextBox Text2{Frame1, QStringLiteral("Text2")};
    platform::Label Label3{Frame1, QStringLiteral("Label3")};
    platform::TextBox Text3{Frame1, QStringLiteral("Text3")};
    platform::CheckBox Check2{*this, QStringLiteral("Check2")};
    platform::CheckBox Check1{*this, QStringLiteral("Check1")};
    platform::Label Label4{*this, QStringLiteral("Label4")};
    platform::TextBox Text4{*this, QStringLiteral("Text4")};
    platform::Label Label5{*this, QStringLiteral("Label5")};
    platform::HScrollBar HScroll1{*this, QStringLiteral("HScroll1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};

    // The letter box of letter key n (1 to 3): Text1, Text2, Text3.
    platform::TextBox& letterBox(int n);

    void Form_Load();
    void Form_Activate();
    // A letter box changed: it keeps one upper-case letter A to Z (the first
    // character, made upper case when it starts a word), or the last letter
    // it accepted; an empty box stays empty.
    void LetterBox_Change(int n);
    void Check1_Click();
    void Check2_Click();
    void HScroll1_Change();
    void Command1_Click();
    void Command2_Click();

private:
    void design();
    void designLetterBox(platform::Label& label, platform::TextBox& box, const QString& caption,
                         const QString& letter, double top);
    void wireEvents();
};

platform::FormHolder<Jyouken>& jyoukenHolder();
inline Jyouken& jyouken()
{
    return jyoukenHolder().instance();
}

// The text with the first letter of each word upper case and the rest lower
// case (words are separated by blanks).
QString properCase(const QString& text);

}  // namespace kintab
