// SPDX-License-Identifier: LicenseRef-Tavelcor
// Colour values as the drawing code of the programs stores them: 24-bit
// integers with red in the low byte, green in the middle and blue in the high
// byte (0x00BBGGRR), plus the classic 16-colour palette that colour indexes
// 0 to 15 name.
#pragma once

#include <QColor>
#include <QRgb>

#include <cstdint>

namespace platform {

/// True for the palette indexes 0 to 15.
constexpr bool isQBColorIndex(int index) { return index >= 0 && index <= 15; }

/// The 24-bit value (0x00BBGGRR) of palette index 0 to 15: 0 black, 1 navy,
/// 2 dark green, 3 teal, 4 maroon, 5 purple, 6 olive, 7 silver, 8 grey,
/// 9 blue, 10 lime, 11 cyan, 12 red, 13 magenta, 14 yellow, 15 white.
/// An index outside 0..15 gives black (0); callers that must tell such an
/// index apart test it with isQBColorIndex first.
std::uint32_t QBColor(int index);

/// The 24-bit value of red, green and blue, each 0..255 (values outside are
/// clamped to the range).
std::uint32_t RGB(int red, int green, int blue);

/// 24-bit value -> opaque QColor. Bits above the low 24 are ignored.
QColor toQColor(std::uint32_t value);

/// QColor -> 24-bit value; alpha is dropped.
std::uint32_t fromQColor(const QColor& color);

/// 24-bit value -> opaque QRgb (0xFFRRGGBB), the pixel form of an RGB32 image.
constexpr QRgb toQRgb(std::uint32_t value)
{
    return 0xFF000000u | ((value & 0xFFu) << 16) | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}

/// QRgb (any alpha) -> 24-bit value.
constexpr std::uint32_t fromQRgb(QRgb rgb)
{
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

} // namespace platform
