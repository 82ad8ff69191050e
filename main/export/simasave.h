// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The options dialog of the SIMA registration, simasave ("Sima登録"),
// shown modally by the main window's "ＳＩＭＡ登録": the target (Option1 to
// Option6 in Frame1 "対象", with the radius of target 6 in Text1), and the
// renumbering (Frame2 "圧縮": Check1 "圧縮する" with the coordinate and
// parcel start numbers in Text2 and Text3).
//
// What the dialog decides lives in the shared state, not in the form:
// SimaTarget, SimaCancel, SimaCompress, SimaZahyoStart and SimaKakuchiStart
// (tables.h). "登録" and "CANCEL" hide the dialog, so its check box and
// radius keep their values from one registration to the next; its close box
// unloads it, and the next opening starts from the design again.
//
// Geometry is in twips.

#include "platform/forms/forms.h"

#include <QString>

namespace tavelcor {

class Simasave final : public platform::Form {
public:
    Simasave();

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};  // 対象
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::OptionButton Option2{Frame1, QStringLiteral("Option2")};
    platform::OptionButton Option3{Frame1, QStringLiteral("Option3")};
    platform::OptionButton Option4{Frame1, QStringLiteral("Option4")};
    platform::OptionButton Option5{Frame1, QStringLiteral("Option5")};
    platform::Label Label4{Frame1, QStringLiteral("Label4")};  // hint beside Option5
    platform::OptionButton Option6{Frame1, QStringLiteral("Option6")};
    platform::TextBox Text1{Frame1, QStringLiteral("Text1")};  // radius, metres
    platform::Label Label1{Frame1, QStringLiteral("Label1")};  // m
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};   // 圧縮
    platform::CheckBox Check1{Frame2, QStringLiteral("Check1")};
    platform::Label Label2{Frame2, QStringLiteral("Label2")};
    platform::TextBox Text2{Frame2, QStringLiteral("Text2")};  // coordinate start number
    platform::Label Label3{Frame2, QStringLiteral("Label3")};
    platform::TextBox Text3{Frame2, QStringLiteral("Text3")};  // parcel start number
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 登録
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // CANCEL

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void showState();
    void enableRenumbering();
    void recordChoices();
    void Command2_Click();
    void Command1_Click();
    void Check1_Click();
    static void limitStartNumber(platform::TextBox& field, double limit);
};

/// The largest start numbers the dialog takes.
inline constexpr double kSimaZahyoStartLimit = 400000.0;
inline constexpr double kSimaKakuchiStartLimit = 40000.0;

platform::FormHolder<Simasave>& simasaveForm();
inline Simasave& simasave()
{
    return simasaveForm().instance();
}

}  // namespace tavelcor
