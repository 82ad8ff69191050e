// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point-symbol catalogue editor pointcat ("ポイント定義"), opened
// modally from the settings dialog. 18 rows (1 to 9 on the left, 10 to 18
// on the right): a number label Label1(i), the mark field Text1(i) shown in
// the symbol's colour, the label field Text2(i) and the colour button
// Command1(i) "色". Opening reads the site's POINT.JKN; "呼び出し" reads
// another one; "登　　録" copies the rows into the symbol table, asks where
// to save, writes that file and the site's POINT.JKN and closes. The close
// box writes nothing; colours chosen meanwhile stay in the table (the SXF
// export uses them) but not on the main window's marker buttons.
#pragma once

#include "platform/forms/forms.h"

namespace tavelcor {

class Pointcat final : public platform::Form {
public:
    Pointcat();

    platform::ControlArray<platform::Label> Label1{QStringLiteral("Label1")};
    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    platform::ControlArray<platform::TextBox> Text2{QStringLiteral("Text2")};
    platform::ControlArray<platform::CommandButton> Command1{QStringLiteral("Command1")};
    platform::ControlArray<platform::Label> LabelHead{QStringLiteral("LabelHead")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 呼び出し
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  // 登　　録

    void Command1_Click(int index);
    void Command2_Click();
    void Command3_Click();

private:
    void Form_Load();
    void fillRows();
    void showColor(int row, int colorIndex);
    void Text1_LostFocus(int index);
};

platform::FormHolder<Pointcat>& pointcatForm();
inline Pointcat& pointcat()
{
    return pointcatForm().instance();
}

/// The mark a mark field keeps when it loses the focus: its first character
/// made full-width ("ab" gives "ａ"); empty stays empty.
QString fittedMark(const QString& text);

}  // namespace tavelcor
