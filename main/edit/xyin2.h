// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The point-move window XYIN2 (caption "XYIN"): moves the observation point
// picked for moving (MovePoint) to typed absolute coordinates, X (north) in
// Text1 and Y (east) in Text2.  "移動" (Command1) moves the point, draws it
// at its new place over its old drawing, leaves MoveOldX, MoveOldY and
// MovedPoint for the point panel's cancel and hides the window; "Cancel"
// (Command2) hides it.  Shown modally by the point panel's "XY入力".
//
// A target 100 km or farther from the view centre along either axis is
// refused without a word.  No history step is recorded, the plot is not
// redrawn and lines ending at the point stay where they are.

#include "platform/forms/forms.h"

namespace tavelcor {

class XYIN2 final : public platform::Form {
public:
    XYIN2();

    platform::Label Label1{*this, QStringLiteral("Label1")};  // X=
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::Label Label2{*this, QStringLiteral("Label2")};  // Y=
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 移動
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // Cancel

    /// The move pick of the plot: the picked point's absolute position
    /// (metres) offered in whole metres, rounded down.
    void showPickedPosition(double northM, double eastM);

private:
    void Command1_Click();
};

platform::FormHolder<XYIN2>& xyin2Form();
inline XYIN2& xyin2()
{
    return xyin2Form().instance();
}

}  // namespace tavelcor
