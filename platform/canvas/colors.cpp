// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/colors.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// The classic 16-colour palette, red in the low byte.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, // 0 black
    0x800000, // 1 navy
    0x008000, // 2 dark green
    0x808000, // 3 teal
    0x000080, // 4 maroon
    0x800080, // 5 purple
    0x008080, // 6 olive
    0xC0C0C0, // 7 silver
    0x808080, // 8 grey
    0xFF0000, // 9 blue
    0x00FF00, // 10 lime
    0xFFFF00, // 11 cyan
    0x0000FF, // 12 red
    0xFF00FF, // 13 magenta
    0x00FFFF, // 14 yellow
    0xFFFFFF, // 15 white
};

std::uint32_t channel(int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); }

} // namespace

std::uint32_t QBColor(int index)
{
    return isQBColorIndex(index) ? kPalette[static_cast<std::size_t>(index)] : 0u;
}

std::uint32_t RGB(int red, int green, int blue)
{
    return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

QColor toQColor(std::uint32_t value)
{
    return QColor::fromRgb(toQRgb(value));
}

std::uint32_t fromQColor(const QColor& color)
{
    return fromQRgb(color.rgb());
}

} // namespace platform
