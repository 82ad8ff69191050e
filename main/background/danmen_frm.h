// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The profile dialog DanmenFrm (caption "断面図作成"), shown modally by the
// main window's "断面確認".
//
// In an ordinary instance it sets how the next profile is sampled: the
// maximum number of points (Text2, 10 to 1000), an optional fixed pitch
// (Check2 with Text3, metres), the curvature and refraction correction
// (Check1) and whether pitch samples become named points (Check3). In the
// profile-view instance (the main window's caption holds "地理院標高API") it
// sets only the vertical factor (Text1, 1 to 50) and, on closing, stretches
// every height-axis coordinate of the site by the ratio of the new factor to
// the old one and refits the view.
//
// The two number fields are brought into their ranges when they lose the
// focus and again on every way of closing, so DanmenScale and
// DanmenMaxPoints never leave their ranges.

#include "platform/forms/forms.h"

#include <cstdint>

namespace tavelcor {

class DanmenFrm final : public platform::Form {
public:
    DanmenFrm();

    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::TextBox Text1{*this, QStringLiteral("Text1")};  // vertical factor
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};  // maximum number of points
    platform::CheckBox Check2{*this, QStringLiteral("Check2")};
    platform::Label Label5{*this, QStringLiteral("Label5")};
    platform::TextBox Text3{*this, QStringLiteral("Text3")};  // fixed pitch, metres
    platform::CheckBox Check1{*this, QStringLiteral("Check1")};
    platform::Label Label4{*this, QStringLiteral("Label4")};
    platform::CheckBox Check3{*this, QStringLiteral("Check3")};
    platform::Label Label3{*this, QStringLiteral("Label3")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // Ｏ　Ｋ
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // CANCEL

    /// True in the profile-view instance (decided at load).
    bool profileView() const { return mProfileView; }

private:
    void designControls();
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    void Command1_Click();
    void Command2_Click();
    void Text1_DblClick();
    void enterActsAsOk(int& keyAscii);
    void rescaleProfileView() const;

    bool mProfileView = false;
    std::uint8_t DanmenOldScale = 1;
};

platform::FormHolder<DanmenFrm>& danmenFrmForm();
inline DanmenFrm& danmenFrm()
{
    return danmenFrmForm().instance();
}

/// True when the main window's caption marks the profile-view instance.
bool isProfileViewInstance();

}  // namespace tavelcor
