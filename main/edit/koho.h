// SPDX-License-Identifier: LicenseRef-Tavelcor
// The name-candidate window KOHO ("名称候補"), opened modally by the point
// panel's "候補" (Command48).
//
// Its list shows NameCandidates (point_names.h) from entry 1 up to the first
// empty entry. With no candidate yet, the list is first seeded with the
// names proposed after the last five points (PointCount, PointCount - 1, ...,
// newest first; deleted points included, a blank name giving an empty row).
// A click on a row puts it into the main window's Text6 and keeps the window
// open; "Ｏ　Ｋ" or a double click puts the chosen row (or "" when none is
// chosen) there and closes; "CANCEL" closes; "消　去" empties the candidate
// list and opens the window again, not modal, seeded anew. "呼び出し" does
// nothing. The window stands 100 twips inside the main window's top right
// corner, and its activation closes the background settings window.
#pragma once

#include "platform/forms/forms.h"

namespace tavelcor {

class Plot;

class Koho final : public platform::Form {
public:
    Koho();

    platform::ListBox List1{*this, QStringLiteral("List1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // Ｏ　Ｋ
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // CANCEL
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  // 消　去
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};  // 呼び出し

private:
    void Form_Load();
    void Form_Activate();
    void List1_Click();
    void Command1_Click();
    void Command3_Click();
    void placeAtMainWindow();
};

platform::FormHolder<Koho>& kohoForm();
inline Koho& koho()
{
    return kohoForm().instance();
}

/// "候補" of the point panel: shows KOHO modally.
void Command48_Click(Plot& window);

}  // namespace tavelcor
