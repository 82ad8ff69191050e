// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The line-width dialog Linewidth ("線太さ"): one row per offered colour
// index with a swatch (Label1(c)), a sample line in the colour and width
// (Line1(c)) and the width in pixels as text (Text1(c)).  "変更再表示"
// (Command2) checks and applies every width to LineWidthOf and redraws;
// "閉じる" (Command1) does the same and hides the window, which stays
// loaded; the close box unloads it without applying anything.  Nothing is
// written to a file: the widths reach LINEWID.JKN when the site is saved.

#include "platform/forms/forms.h"

#include <QString>

#include <cstdint>

namespace tavelcor {

/// Line widths the dialog takes, pixels; other entries become 2.
inline constexpr int kMinLineWidth = 1;
inline constexpr int kMaxLineWidth = 20;
inline constexpr int kDefaultLineWidth = 2;

/// The width an entry gives: its leading number rounded to the nearest
/// whole number (halves to even); an entry whose number lies below 1 or
/// above 20 gives 2 ("0", "-3", "21", "abc"; "1.5" and "2.5" give 2, "3x"
/// gives 3).  `replaced` tells whether the entry must be shown as "2".
struct LineWidthEntry {
    std::uint8_t width = kDefaultLineWidth;
    bool replaced = false;
};
LineWidthEntry lineWidthFromText(const QString& text);

class Linewidth final : public platform::Form {
public:
    Linewidth();

    platform::ControlArray<platform::Label> Label1{QStringLiteral("Label1")};
    platform::ControlArray<platform::LineControl> Line1{QStringLiteral("Line1")};
    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 変更再表示
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 閉じる

private:
    void Form_Load();
    void Command2_Click();
    void Command1_Click();
};

platform::FormHolder<Linewidth>& linewidthForm();
inline Linewidth& linewidth()
{
    return linewidthForm().instance();
}

}  // namespace tavelcor
