// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The comparisons of the search of the main window, without tables or
// controls: when a search text names a coordinate number, how words of a
// text and attribute columns of a parcel match a search text, and the AND
// terms of a parcel search.  "Trimmed" means without half-width blanks at
// either end; "case-insensitive" compares letters without regard to case.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace tavelcor::search {

/// How a search text is compared, from the search frame's two boxes:
/// neither ticked Exact, 含 (Check33) alone Contains, 含 and 先頭 (Check34)
/// AtStart.  先頭 without 含 counts as Exact.
enum class MatchMode { Exact, Contains, AtStart };

MatchMode matchModeOf(int containsBox, int atStartBox) noexcept;

/// The coordinate number a point search text names.  The text names a number
/// when every character up to its last non-blank one is a digit 0 to 9
/// (trailing blanks are allowed, a leading blank is not) and the value is not
/// above zahyoMax; the value is returned.  An empty or all-blank text counts
/// as the number 0.  nullopt: the text is a name.
std::optional<int> coordinateNumber(QStringView text, int zahyoMax) noexcept;

/// The words of a text: the pieces between half-width blanks, empty pieces
/// of consecutive blanks included ("A  B" gives "A", "", "B").
QStringList splitWords(const QString& text);

/// A word of a text against the search text.  Exact: the word equals the
/// search text as typed (case counts).  Contains: the trimmed search text
/// occurs in the word, case-insensitive; AtStart: at the word's start.  An
/// empty trimmed search text matches nothing.
bool wordMatches(QStringView word, const QString& searchText, MatchMode mode);

/// One attribute column of a parcel against a single search term.  Exact:
/// both trimmed and equal (case counts).  Contains: the search text as typed
/// occurs in the column as it is, case-insensitive; AtStart: at position 1.
bool columnMatches(QStringView column, const QString& searchText, MatchMode mode);

/// The terms of an AND search: the text split at every "+" (a trailing "+"
/// or two side by side give empty terms).
QStringList andTerms(const QString& text);

/// A parcel against the terms of an AND search.  column(c) gives column c
/// for c = 0..40.  Each term whose trimmed value is not empty counts once
/// when some non-blank column matches it: Exact both trimmed and equal,
/// Contains the trimmed term occurs in the trimmed column (case-insensitive),
/// AtStart at its start.  A hit needs every term counted, so an empty term
/// makes the search find nothing.
bool andTermsMatch(const std::function<QString(int column)>& column, const QStringList& terms,
                   MatchMode mode);

/// Number of attribute columns searched: 0..40.
inline constexpr int kSearchColumnTop = 40;

}  // namespace tavelcor::search
