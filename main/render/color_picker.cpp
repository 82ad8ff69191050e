// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/color_picker.h"

#include "main/render/dialog_support.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "platform/canvas/colors.h"

#include <array>

namespace tavelcor {

namespace {

// The swatches top to bottom; index 1 stands for black (colour 0).
constexpr std::array<int, 12> kSwatches = {1, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14};
constexpr double kSwatchHeight = 300.0;

}  // namespace

Color::Color() : platform::Form(QStringLiteral("Color"))
{
    setCaption(QStringLiteral("色"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    const double buttonTop = 100.0 + static_cast<double>(kSwatches.size()) * kSwatchHeight + 100.0;
    setClientSize(1200.0, buttonTop + 450.0);

    platform::OptionButton& hidden = Option14.add(0, *this);
    hidden.Move(100.0, 100.0, 1000.0, 280.0);
    hidden.setVisible(false);
    hidden.setEnabled(false);
    int row = 0;
    for (int i : kSwatches) {
        platform::OptionButton& swatch = Option14.add(i, *this);
        swatch.Move(100.0, 100.0 + row * kSwatchHeight, 1000.0, 280.0);
        ++row;
    }
    platform::OptionButton& black = Option14(1);
    black.setCaption(QStringLiteral("黒"));
    black.setBackColor(platform::QBColor(0));
    black.setForeColor(platform::QBColor(0));
    Command1.setCaption(QStringLiteral("閉じる"));
    Command1.Move(100.0, buttonTop, 1000.0, 350.0);

    Load = [this] { Form_Load(); };
    Command1.Click = [this] {
        takeChoice();
        platform::Unload(*this);
    };
    // Every way of closing takes the choice: there is no cancel.
    Unload = [this](int&) { takeChoice(); };
}

void Color::Form_Load()
{
    clearTabStops(*this);
    for (int i : kOfferedColors)
        Option14(i).setBackColor(platform::QBColor(i));
    const int preset = ColorPick == kParcelColorPick ? KakuchiColor : ColorPick;
    if (platform::OptionButton* option = Option14.find(preset))
        option->setValue(true);
}

void Color::takeChoice()
{
    const int s = SelectedIndex(Option14);
    // No swatch chosen (a preset without one, and no click): the colour
    // given stays; "no option" is never stored as a colour.
    if (s < 0)
        return;
    const int chosen = s == 1 ? 0 : s;
    if (ColorPick == kParcelColorPick)
        KakuchiColor = static_cast<std::int16_t>(chosen);
    else
        ColorPick = static_cast<std::uint8_t>(chosen);
}

platform::FormHolder<Color>& colorForm()
{
    static platform::FormHolder<Color> holder;
    return holder;
}

}  // namespace tavelcor
