// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the plot shows: the item predicates, the coordinate labels, the
// conversions from a 24-bit colour value to a palette index, and the two
// shown ranges of coordinate numbers.

#include <QString>

#include <cstdint>
#include <optional>

namespace tavelcor::render {

class PlotFace;

/// The two closed ranges of coordinate numbers that get markers and labels.
/// A range whose lower bound exceeds its upper bound holds nothing.
struct ShownRanges {
    double a1 = 0, b1 = 0;  ///< Text2 .. Text5
    double a2 = 0, b2 = 0;  ///< Text15 .. Text16
    bool contains(double n) const noexcept { return (a1 <= n && n <= b1) || (a2 <= n && n <= b2); }
};

/// Reads the four fields, each as its leading number (a text without one
/// reads 0; "12a" reads 12).
ShownRanges shownRangesFromTexts(const QString& text2, const QString& text5, const QString& text15,
                                 const QString& text16);
ShownRanges readShownRanges(const PlotFace& face);

/// The palette index of an exact 24-bit colour (0..15), or nullopt for a
/// colour that is not in the palette.
std::optional<int> QbIndex(std::int64_t rgb) noexcept;

/// Replaces a 24-bit colour by its palette index; 0 stays 0, a colour not in
/// the palette becomes 0.
void ToQbIndexInPlace(std::int64_t& value) noexcept;

/// Point predicate from its parts: symbol number 1..99 (0 no symbol, 100 and
/// more deleted), the point layer switch, the symbol's text colour.
bool pointShownBy(int mark, int layerSwitch, std::uint32_t symbolColor) noexcept;

/// True when observation point i is shown: the point layer switch Check12 is
/// ticked (or greyed), its symbol is 1..99 and that symbol's colour is shown.
/// A symbol without a marker button (19..99) counts as colour 0.
bool PointShown(const PlotFace& face, int i);
/// True when line i is shown (colour 99 or less and that colour shown); the
/// line layer switch is the caller's test.  Colours 17..99 have no flag and
/// are hidden.
bool LineShown(int i);
/// True when text i is shown (string not empty, colour 99 or less and shown).
bool TextShown(int i);

/// Coordinate label: " n:name", " n", " name" or "" as the number and name
/// switches ask.
QString coordinateLabel(int n, const QString& name, bool numbers, bool names);

/// True when the coordinate's name keeps it off the plot and out of the
/// exports: a free number ("_?>"), a temporary coordinate (last three
/// characters, trimmed, "_?_") or an elevation-profile sample ("n_p_m").
bool hiddenCoordinateName(const QString& name) noexcept;

}  // namespace tavelcor::render

namespace tavelcor {
using render::LineShown;
using render::PointShown;
using render::TextShown;
}  // namespace tavelcor
