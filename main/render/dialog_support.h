// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the display dialogs (shown colours, line widths, number ranges and
// the colour picker) share: the colour indexes they offer and the removal
// of their controls from the Tab order.

#include <array>

namespace platform {
class Form;
}

namespace tavelcor {

class Plot;

/// The colour indexes the dialogs offer, top to bottom (no 1, 5, 7 or 15).
inline constexpr std::array<int, 12> kOfferedColors = {0, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14};

/// Makes every control of the form unreachable by the Tab key (a click still
/// focuses it).
void clearTabStops(platform::Form& form);

/// Places a dialog so that its top lies `gap` twips below the main window's
/// top edge and its right edge `gap` twips left of the main window's right
/// edge.
void placeTopRight(platform::Form& dialog, const Plot& window, double gap);

}  // namespace tavelcor
