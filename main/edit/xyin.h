// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The coordinate key-in window XYIN (caption "SIMA XYZ IN"): one entry of
// the SIMA coordinate table by its number, with its name and X, Y, Z.
// Leaving the number field loads the entry; "ＯＫ" (Command1) stores the
// fields, asking before it overwrites a different entry; "新規" (Command3)
// proposes the number after the highest one in use.  Modeless, above the
// other windows while it is shown; the close box unloads it.  No history
// step is recorded: the coordinates reach ZAHYO.SIM when the site is saved.
//
// Numbers outside 1 to 500000 are never stored: leaving the field with a
// number above 500000 shows "登録番号は５０万番以内です" and puts ZahyoMax back
// into it, and "ＯＫ" refuses such a number (it can be reached without
// leaving the field) as well as 0, negative numbers and texts that are not
// numbers ("登録番号は１番以上です").

#include "platform/forms/forms.h"

namespace tavelcor {

class XYIN final : public platform::Form {
public:
    XYIN();

    platform::Label Label1{*this, QStringLiteral("Label1")};  // No
    platform::Label Label2{*this, QStringLiteral("Label2")};  // 点名
    platform::Label Label3{*this, QStringLiteral("Label3")};  // X
    platform::Label Label4{*this, QStringLiteral("Label4")};  // Y
    platform::Label Label5{*this, QStringLiteral("Label5")};  // Z
    platform::TextBox Text1{*this, QStringLiteral("Text1")};  // number
    platform::TextBox Text2{*this, QStringLiteral("Text2")};  // name
    platform::TextBox Text3{*this, QStringLiteral("Text3")};  // X (north), metres
    platform::TextBox Text4{*this, QStringLiteral("Text4")};  // Y (east), metres
    platform::TextBox Text5{*this, QStringLiteral("Text5")};  // Z (height), metres
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // ＯＫ
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  // 新規

    /// The key-in pick of the plot: coordinate n (in use) into the fields,
    /// its number with one leading blank.  Nothing is stored.
    void showPicked(int n);

private:
    void Form_Load();
    void Text1_LostFocus();
    void Command1_Click();
    void Command3_Click();
};

platform::FormHolder<XYIN>& xyinForm();
inline XYIN& xyin()
{
    return xyinForm().instance();
}

}  // namespace tavelcor
