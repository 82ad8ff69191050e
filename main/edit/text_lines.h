// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The strings of the Txt table as the text panel and the line-break editor
// read and write them. A text keeps its lines in one string, separated by
// single half-width blanks; commas are stored as "_" because the site's text
// file separates its fields by commas.

#include <QString>
#include <QStringList>

namespace tavelcor {

/// The line-break editor shows at most this many lines.
inline constexpr int kEditorLines = 10;

/// `text` with every run of half-width blanks made one blank.
QString collapseBlanks(QString text);

/// The text panel's commit: runs of blanks made one, commas made "_".
QString textPanelString(const QString& field);

/// The lines the editor opens a text with: the text without leading and
/// trailing blanks, its blank runs made one, split at its blanks into at
/// most kEditorLines lines (further lines are dropped). A search for the
/// next blank looks at most 1000 characters ahead: a line longer than that
/// ends the split, and the rest of the text, blanks included, is the last
/// line. Always at least one line ("" for an empty text).
QStringList splitEditorLines(const QString& text);

/// The string the editor stores from its line boxes: every box that is not
/// blank (untrimmed) followed by a blank, then trailing blanks removed,
/// blank runs made one and commas made "_". Blank boxes vanish.
QString joinEditorLines(const QStringList& boxes);

/// `text` with the `length` characters from caret position `start`
/// replaced by `phrase` (inserted at the caret when length is 0). Positions
/// are clamped to the text.
QString insertPhrase(const QString& text, int start, int length, const QString& phrase);

}  // namespace tavelcor
