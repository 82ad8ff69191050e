// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad's sizes and places: the size of a size factor, the compact
// (shrunk) keypad at the same bottom-right corner and its restore, and the
// proportional resize of the controls. Twips throughout; a value is brought
// to a whole twip by rounding half to even.
//
// QtCore only.
#pragma once

#include <cstdint>

namespace kintab {

// Design outer size of the keypad window at factor 1, twips.
inline constexpr std::int32_t kDesignOuterWidth = 3825;
inline constexpr std::int32_t kDesignOuterHeight = 2880;

// The compact keypad is 40 % of the size, moved by the other 60 %.
inline constexpr double kCompactSize = 0.4;
inline constexpr double kCompactMove = 0.6;

// The nearest whole twip, a half going to the even neighbour.
std::int32_t wholeTwips(double twips);

struct OuterSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Outer size of the keypad for a size factor (single precision as stored).
OuterSize sizeForFactor(float factor);

// Where the keypad goes for a factor on a screen: the bottom-right corner,
// factor × 100 twips from the right and factor × 600 from the bottom.
struct Corner {
    double left = 0;
    double top = 0;
};
Corner placeForFactor(float factor, OuterSize size, double screenWidth, double screenHeight);

// The keypad's outer place: the top-left corner (twips, may be negative) and
// the size as the program last set it.
struct KeypadPlace {
    double left = 0;
    double top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const KeypadPlace&, const KeypadPlace&) = default;
};

// The compact keypad: 40 % of the size, moved right and down by 60 % of the
// size before shrinking, so the bottom-right corner stays within a twip.
KeypadPlace shrunkPlace(const KeypadPlace& normal);

// The full keypad again, on a press of a key of the compact one: the size
// ÷ 0.4, moved back by 60 % of the new size, but no edge above or left of 0.
KeypadPlace restoredByPress(const KeypadPlace& compact);

// The full keypad again before the program closes from the compact state:
// as restoredByPress(), but without the bound at 0, so the settings keep
// the full size's position.
KeypadPlace restoredForClose(const KeypadPlace& compact);

// One control's recorded place and font (twips and points), and what a
// resize makes of it: left and width follow the width ratio fx, top and
// height the height ratio fy, the font the width ratio alone.
struct ControlLayout {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double fontPoints = 0;

    friend bool operator==(const ControlLayout&, const ControlLayout&) = default;
};
ControlLayout scaledLayout(const ControlLayout& recorded, double fx, double fy);

}  // namespace kintab
