// SPDX-License-Identifier: LicenseRef-Tavelcor
// File-dialog filter strings as the programs write them,
// "text|pattern|text|pattern" with patterns joined by ";"
// (e.g. "SIMA ファイル|*.SIM|すべてのファイル|*.*"), and their translation into
// the "text (pattern pattern)" entries that Qt's file dialog takes. QtCore only.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

/// One entry of a filter string: what the user reads and the name patterns.
struct NameFilter {
    QString description;
    QStringList patterns;  // never empty: "*" when the string gave none
};

/// Splits a filter string into its entries, in order. A trailing text without
/// a pattern (a string such as "*.csv;*.sim" that holds no "|") serves as both
/// the description and the patterns. Blanks around patterns are dropped; an
/// empty string gives no entries.
std::vector<NameFilter> parseFileFilter(const QString& filter);

/// The entries in Qt's form "description (p1 p2)", one per entry, in order:
/// "SIMA ファイル|*.SIM" gives "SIMA ファイル (*.SIM)". An entry without a
/// description shows its patterns. Qt matches these without regard to case.
QStringList qtNameFilters(const QString& filter);

/// The position (0-based) in qtNameFilters(filter) of a 1-based filter index
/// as the programs give it; 0 and indexes past the end choose the first entry.
/// -1 when the filter has no entries.
int qtFilterPosition(const QString& filter, int filterIndex);

}  // namespace platform
