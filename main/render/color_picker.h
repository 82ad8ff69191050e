// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The colour picker Color ("色"): a column of colour swatches, the option
// buttons Option14(i) for the offered colour indexes 1 (shown black, caption
// "黒", standing for colour 0), 2, 3, 4, 6 and 8 to 14, and "閉じる"
// (Command1).  A hidden, disabled Option14(0) carries the preselection of
// colour 0.
//
// Protocol: the opener sets ColorPick to the current colour index, or to 99
// to edit the parcel colour KakuchiColor, places the window and shows it
// modally; afterwards ColorPick (or, in the parcel mode, KakuchiColor, with
// ColorPick still 99) holds the choice.  "閉じる" and every other way of
// closing take the selected swatch; there is no cancel, so closing without
// a click returns the colour given (a preset 1 returns 0).  A preset with no
// swatch (5, 7, 15 or any other value) selects none; the window then
// returns the preset unchanged unless the user picks one.

#include "platform/forms/forms.h"

namespace tavelcor {

/// The ColorPick value that asks for the parcel colour KakuchiColor.
inline constexpr int kParcelColorPick = 99;

class Color final : public platform::Form {
public:
    Color();

    platform::ControlArray<platform::OptionButton> Option14{QStringLiteral("Option14")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 閉じる

private:
    void Form_Load();
    void takeChoice();
};

platform::FormHolder<Color>& colorForm();
inline Color& colorPicker()
{
    return colorForm().instance();
}

}  // namespace tavelcor
