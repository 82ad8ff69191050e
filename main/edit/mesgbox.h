// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The program's own yes/no window MESGBOX (caption "MsgBox"): the question
// in Label1, "はい" (Command1) and "いいえ" (Command2).
//
// Protocol: the caller puts the question into MesgAnswer (it may hold a line
// break), shows the window modally, hides it when the showing has ended and
// reads MesgAnswer: "no" is No, "yes" is Yes.  Each activation takes
// MesgAnswer as the question and sets it to "yes" at once, so every way of
// ending the showing but "いいえ" answers Yes.  askInMesgbox() does all of
// this.

#include "platform/forms/forms.h"

namespace tavelcor {

class MESGBOX final : public platform::Form {
public:
    MESGBOX();

    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // はい
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // いいえ

private:
    void Form_Activate();
};

platform::FormHolder<MESGBOX>& mesgboxForm();
inline MESGBOX& mesgbox()
{
    return mesgboxForm().instance();
}

/// Asks `question` in the yes/no window through MesgAnswer; true for Yes.
bool askInMesgbox(const QString& question);

}  // namespace tavelcor
