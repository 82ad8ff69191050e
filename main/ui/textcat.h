// SPDX-License-Identifier: LicenseRef-Tavelcor
// The phrase catalogue editor textcat ("テキスト定義"), opened modally from
// the settings dialog. It shows the phrase table 30 entries at a time (rows
// 1 to 15 on the left, 16 to 30 on the right): the entry number Label1(r),
// the key field Text1(r) (entries 1 to 6 only) and the text field Text2(r)
// (entry 7, the free category, shows only its number). Every change of a
// field goes at once into the table under the number its row shows. The
// page field Text3 holds the first entry shown, with the buttons ≪ ＜ and
// ＞ ≫ around it. "呼び出し" reads another TEXT.JKN, "登録" writes the table
// to a chosen file and to the site's TEXT.JKN and reads that back, and
// "登録せず終了" reads the site's file back, dropping the edits.
#pragma once

#include "platform/forms/forms.h"

#include <cstdint>

namespace tavelcor {

class Textcat final : public platform::Form {
public:
    Textcat();

    platform::ControlArray<platform::Label> Label1{QStringLiteral("Label1")};
    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    platform::ControlArray<platform::TextBox> Text2{QStringLiteral("Text2")};
    platform::ControlArray<platform::Label> LabelHead{QStringLiteral("LabelHead")};
    platform::CommandButton Command6{*this, QStringLiteral("Command6")};  // ≪
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // ＜
    platform::TextBox Text3{*this, QStringLiteral("Text3")};              // page
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};  // ＞
    platform::CommandButton Command7{*this, QStringLiteral("Command7")};  // ≫
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 呼び出し
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  // 登録
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};  // 登録せず終了

    /// The entry shown in row 1, 1..3971.
    std::int16_t PageStart = 1;

    /// Shows the page that begins at PageStart.
    void textdisp();
    /// Takes the page field: narrowed, its leading number kept in 1..3971,
    /// rounded; the field then shows it in the signed form and the page is
    /// shown.
    void Text3_LostFocus();

    void Command2_Click();
    void Command3_Click();
    void Command5_Click();

private:
    void Form_Load();
    void goToPage(int start);
    void applyPageAndSelect();
};

platform::FormHolder<Textcat>& textcatForm();
inline Textcat& textcat()
{
    return textcatForm().instance();
}

}  // namespace tavelcor
