// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The shown-colour dialog Cselect ("表示色選択"): per offered colour index
// one check box for observation points (Frame1 "POINT", Check1(c)), lines
// (Frame2 "LINE", Check2(c)), texts (Frame3 "TEXT", Check3(c)) and hand
// strokes (Frame4 "手書", Check4(c)), each with the colour as its
// background.  Below each frame "全選択" ticks and "全解除" clears its twelve
// boxes; "再表示" (Command1) applies the boxes to the shown-colour tables
// and redraws; "閉じる" (Command2) and every other way of closing apply them
// and redraw.  There is no cancel.  Entries 1, 5, 7, 15 and 16 of the tables
// are never changed here, and nothing is written to a file: the flags reach
// COLSELECT.JKN when the site is saved.

#include "platform/forms/forms.h"

namespace tavelcor {

class Cselect final : public platform::Form {
public:
    Cselect();

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};
    platform::Frame Frame3{*this, QStringLiteral("Frame3")};
    platform::Frame Frame4{*this, QStringLiteral("Frame4")};
    platform::ControlArray<platform::CheckBox> Check1{QStringLiteral("Check1")};
    platform::ControlArray<platform::CheckBox> Check2{QStringLiteral("Check2")};
    platform::ControlArray<platform::CheckBox> Check3{QStringLiteral("Check3")};
    platform::ControlArray<platform::CheckBox> Check4{QStringLiteral("Check4")};
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};   // 全選択 POINT
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};   // 全解除 POINT
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};   // 全選択 LINE
    platform::CommandButton Command6{*this, QStringLiteral("Command6")};   // 全解除 LINE
    platform::CommandButton Command7{*this, QStringLiteral("Command7")};   // 全選択 TEXT
    platform::CommandButton Command8{*this, QStringLiteral("Command8")};   // 全解除 TEXT
    platform::CommandButton Command9{*this, QStringLiteral("Command9")};   // 全選択 手書
    platform::CommandButton Command10{*this, QStringLiteral("Command10")}; // 全解除 手書
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};   // 再表示
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};   // 閉じる

    /// Copies the boxes of the offered colours into PointColorShown,
    /// LineColorShown, TxtColorShown and TegakiColorShown (0 or 1).
    void applyBoxes();

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};

platform::FormHolder<Cselect>& cselectForm();
inline Cselect& cselect()
{
    return cselectForm().instance();
}

}  // namespace tavelcor
