// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// How a plot text breaks into lines at its half-width blanks.  Pure logic
// over QtCore strings; no allocation (the lines are views into the text).

#include "platform/text/strings.h"

#include <QStringView>
#include <QtGlobal>

#include <algorithm>
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

/// The lines of splitTextLines, handed one by one to visit(QStringView line)
/// in order, at most maxLines of them (the last one keeps the remainder,
/// blanks included); maxLines below 1 counts as 1.  Allocates nothing.
template <class Visit>
void forEachTextLine(QStringView text, qsizetype maxLines, Visit&& visit)
{
    const QStringView s = platform::trimmedView(text);
    qsizetype given = 0;
    qsizetype start = 0;
    while (given < maxLines - 1) {
        const QStringView rest = s.sliced(start);
        const qsizetype reach = std::min<qsizetype>(rest.size(), kBlankSearchReach);
        const qsizetype blank = rest.first(reach).indexOf(u' ');
        if (blank < 0)
            break;
        visit(rest.first(blank));
        ++given;
        start += blank + 1;
    }
    visit(s.sliced(start));
}

/// Line show flags: entry k is 0 when line k is shown.  Entries past the
/// table (k > 500) count as shown.
struct LineShowFlags {
    const std::uint8_t* flags = nullptr;  ///< entries 0..size-1
    int size = 0;
    bool shown(int k) const noexcept { return k >= size || flags == nullptr || flags[k] == 0; }
};

}  // namespace tavelcor::render
