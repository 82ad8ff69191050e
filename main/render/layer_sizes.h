// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Letter sizes that the layers choose from the number of items in view.
// Pure arithmetic.  A limit of 0 or less (a settings file that slipped past
// its reader) never divides: the sizes then stay at the full size.

#include <cstdint>

namespace tavelcor::render {

/// Letter size (points) of observation-point names: fontSize, or with the
/// variable font fontSize / (1 + n / pointLimit), rounded to the nearest whole
/// number with halves to the even neighbour (11 points at n = limit give 6).
std::int16_t pointFontSizeFor(int fontSize, long n, long pointLimit, bool varFont) noexcept;

/// Factor on the text size: 1 - n / txtLimit, not below 0.5, with the
/// variable font; else 1.  Single precision, as the drawers keep it.
float textScaleFor(long n, long txtLimit, bool varFont) noexcept;

/// Letter size (points) of coordinate labels: fontSize, or with the variable
/// font fontSize / (count / pointLimit + 1).  Single precision.
float coordinateFontSizeFor(int fontSize, long count, long pointLimit, bool varFont) noexcept;

/// Factor of the parcel-label letters: 1 - count / txtLimit (may be negative).
double labelFactorFor(long count, long txtLimit) noexcept;

}  // namespace tavelcor::render
