// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The number-range dialog ZnoHani ("座標範囲"): the two shown ranges of
// coordinate numbers kept in the main window's hidden fields Text2..Text5
// (first range) and Text15..Text16 (second range), edited in the dialog's
// Text1..Text2 and Text3..Text4.  "初期化" (Command2) puts the ranges back to
// 1..10000 and 10001..500000 in both windows and redraws; "ＯＫ" (Command1)
// and every other way of closing copy the dialog's ranges into the main
// window, each value kept within 1..999999, and redraw.  The values are
// copied as text (no rounding, no check that a range's low end is not
// above its high end) and are not stored in any file.

#include "platform/forms/forms.h"

#include <QString>

namespace tavelcor {

/// Lowest and highest value of a range field.
inline constexpr double kRangeMin = 1.0;
inline constexpr double kRangeMax = 999999.0;

/// A range field's text kept within 1..999999 by its leading number: below
/// 1 gives "1", above 999999 gives "999999", anything else stays as it is
/// ("12.5" stays "12.5", "abc" gives "1").
QString clampRangeText(const QString& text);

class ZnoHani final : public platform::Form {
public:
    ZnoHani();

    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::TextBox Text3{*this, QStringLiteral("Text3")};
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::TextBox Text4{*this, QStringLiteral("Text4")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 初期化
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // ＯＫ

private:
    void Form_Load();
    void Command2_Click();
    void Form_Unload();
};

platform::FormHolder<ZnoHani>& znoHaniForm();
inline ZnoHani& znoHani()
{
    return znoHaniForm().instance();
}

}  // namespace tavelcor
