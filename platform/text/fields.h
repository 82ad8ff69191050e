// SPDX-License-Identifier: LicenseRef-Tavelcor
// Comma-separated fields as the site, settings and survey files use them:
// every comma ends a field, there is no quoting and no escaping, blanks
// belong to the field. (For the Input-style items of the settings files, with
// blank trimming and quotes, see items.h.)
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace platform {

// The fields of one line, split at every comma. Empty fields count, also a
// trailing one: "a,,b" gives "a", "", "b"; "a,b," gives "a", "b", "". An empty
// line has no field at all (an empty list), so a reader that checks the field
// count sees 0 for it; "," gives two empty fields.
QStringList splitCommaItems(QStringView line);

// The same as views into line (no copy of the fields), for hot loops.
QList<QStringView> splitCommaViews(QStringView line);

// The SIMA field reader. pos is a 1-based character position into line and is
// moved on. Returns the characters from pos up to, not including, the next
// comma or line feed (U+000A), or up to the end of line; pos then stands one
// past that separator, or one past the end. A carriage return is an ordinary
// character and stays in the field. Two commas in a row give an empty field;
// reading at or past the end gives an empty field and leaves pos past the end
// (line.size() + 1). A pos below 1 reads from the first character.
QString NextField(QStringView line, qsizetype& pos);

// The same as a view into line.
QStringView nextFieldView(QStringView line, qsizetype& pos);

// A name or text made safe for one field of a comma-separated line, so that
// the readers above get back exactly one field: every comma becomes "_", and
// every line break (CR LF, a lone CR or a lone LF) becomes one blank. Other
// characters are kept; characters that CP932 cannot hold are left to the
// writer, which writes "?" for them (cp932.h).
QString sanitizeField(QStringView text);

}  // namespace platform
