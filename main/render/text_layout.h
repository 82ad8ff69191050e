// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// How a plot text breaks into lines at its half-width blanks.  Pure logic
// over QtCore strings; no allocation (the lines are views into the text).

#include <QStringView>

#include <array>
#include <cstdint>

namespace tavelcor::render {

/// Most lines one text is laid out into: the line tables of the text layout
/// have entries 1 to 500.  A text with more blanks keeps its remainder,
/// blanks included, in the last line.
inline constexpr int kMaxTextLines = 500;

/// A blank is searched for within this many characters after the previous
/// break; a longer run without one makes the rest of the text the last line.
inline constexpr int kBlankSearchReach = 1000;

/// The lines of one text: line k (1-based) is lines[k - 1].
struct TextLines {
    int count = 0;
    std::array<QStringView, kMaxTextLines> lines{};
};

/// True when the text is laid out into lines: splitting is on (non-zero) and
/// the text holds a half-width blank.
bool usesLineLayout(int txtSplit, QStringView text) noexcept;

/// Trims the half-width blanks at both ends, then cuts at every blank: two
/// blanks in a row give an empty line.  "A B  C" gives A, B, "" and C.
/// The views point into `text`, which must outlive the result.
void splitTextLines(QStringView text, TextLines& out) noexcept;

/// Line show flags: entry k is 0 when line k is shown.  Entries past the
/// table (k > 500) count as shown.
struct LineShowFlags {
    const std::uint8_t* flags = nullptr;  ///< entries 0..size-1
    int size = 0;
    bool shown(int k) const noexcept { return k >= size || flags == nullptr || flags[k] == 0; }
};

}  // namespace tavelcor::render
