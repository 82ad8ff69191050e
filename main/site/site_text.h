// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small text helpers shared by the site file readers and writers: building a
// row without allocating per number, splitting a row into field views, and
// finding a site file without regard to the case of its name.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavelcor::sitetext {

// The path of the file name in folder, matched without regard to letter case
// ("画地属性.txt" finds "画地属性.TXT"); folder + name when no such file exists,
// so a writer creates the designed name and never a second file beside an old
// one that differs only in case. folder may end in "/" or not; an empty
// folder gives the bare name.
QString siteFile(const QString& folder, const QString& name);

// Appends the decimal text of value ("-12", "500000").
void appendInt(QString& line, std::int64_t value);

// Appends the fixed-width number text of value (FormatFixed: value plus a
// tiny bias, decimals 0..9, right-aligned in width characters). Unlike the
// bare formatter it never cuts leading digits or the sign: a number whose text
// is longer than width is appended whole (wider than width), so a reader gets
// the value back. Values that fit keep their exact width.
void appendFixed(QString& line, double value, int width, int decimals);

// The same without the leading blanks (the trimmed fixed form).
void appendFixedTrimmed(QString& line, double value, int width, int decimals);

// Appends text made safe for one comma-separated field: a comma becomes "_"
// and a line break (CR LF, a lone CR or LF) one blank. Allocates only when
// text holds such a character.
void appendField(QString& line, QStringView text);

// Appends text made safe as appendField() does, then without its leading and
// trailing half-width blanks (cleaning first, so a trailing line break does
// not leave a blank behind).
void appendTrimmedField(QString& line, QStringView text);

// Appends text with every comma left out and every line break made a blank
// (the rows of POINT.DAT drop commas from names).
void appendWithoutCommas(QString& line, QStringView text);

// Removes every half-width blank from line, in place.
void removeBlanksInPlace(QString& line);

// Empties line but keeps its capacity, so one buffer serves every row.
void resetLine(QString& line);

// Fields of one row split at every comma, as views into the row (no copy).
// count is the number of fields of the row (0 for an empty row, commas + 1
// otherwise), even when it exceeds the views kept (the first N).
template <std::size_t N>
struct Fields {
    std::array<QStringView, N> view{};
    int count = 0;

    QStringView operator[](std::size_t i) const { return view[i]; }
};

template <std::size_t N>
Fields<N> splitFields(QStringView line)
{
    Fields<N> f;
    if (line.isEmpty())
        return f;
    qsizetype start = 0;
    const qsizetype size = line.size();
    const QChar* data = line.data();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i == size || data[i] == u',') {
            if (f.count < static_cast<int>(N))
                f.view[static_cast<std::size_t>(f.count)] = line.sliced(start, i - start);
            ++f.count;
            start = i + 1;
        }
    }
    return f;
}

// text without trailing half-width blanks.
QStringView rightTrimmed(QStringView text);

// text with every run of half-width blanks made one blank (a leading or a
// trailing run stays, as one blank).
QString collapseBlankRuns(QStringView text);

}  // namespace tavelcor::sitetext
