// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The window LastName (caption "LastName"): the report of the last used
// point names (last_names.h) in Text1, computed when the window loads, and
// "文字で抽出" (Command1), which lists the names containing the text of
// Text2.  "終　了" (Command2) and the close box unload it.  Shown modally by
// the main window's "P 最終".

#include "platform/forms/forms.h"

namespace tavelcor {

class LastName final : public platform::Form {
public:
    LastName();

    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 文字で抽出
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 終　了

    /// Surveys the shown points and writes the report into Text1.
    void Kaishi();

private:
    void Form_Activate();
    void Command1_Click();
};

platform::FormHolder<LastName>& lastNameForm();
inline LastName& lastName()
{
    return lastNameForm().instance();
}

}  // namespace tavelcor
