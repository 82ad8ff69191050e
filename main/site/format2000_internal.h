// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the source files of the format-2000 import (format2000*.cpp) share:
// the files of one set, the name look-ups, line appending and stopping.
// Not for use outside the import.
#pragma once

#include "main/site/format2000.h"
#include "main/site/site_file_result.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace platform {
class TextFileReader;
}

namespace tavelcor::f2000 {

// The files of one set: the header's folder and base name (the header's
// name without its last four characters, "X" of "X.HED").
class FileSet {
public:
    explicit FileSet(const QString& headerPath);

    // The companion with extension ext (".PNT"), found without regard to
    // case; "" when it does not exist.
    QString path(QStringView ext) const;
    // The companion's name as messages give it ("X.PNT").
    QString fileName(QStringView ext) const { return mBaseName + ext.toString(); }
    // The header's folder, without a trailing "/".
    const QString& folder() const { return mFolder; }

private:
    QString mFolder;
    QString mBaseName;
};

// A name field as the set's names are compared and stored: half-width blanks
// around it removed, then full-width characters narrowed ("１２" -> "12").
QString cleanName(QStringView field);

// Coordinate numbers 1..ZahyoMax by their exact name, built once after the
// points are read. Look-ups cost O(1) plus the numbers sharing the name.
class ZahyoNameIndex {
public:
    void build();

    // The lowest number with this name; 0 when none.
    int first(const QString& name) const;
    // The lowest number with this name that is at least start, else the
    // lowest with this name at all; 0 when none. This is what scanning
    // start..ZahyoMax and then 1..start-1 finds first.
    int firstFrom(const QString& name, int start) const;

private:
    QHash<QString, int> mFirst;
    std::vector<int> mNext;  // the next higher number with the same name, 0 at the end
};

// Parcels 1..KakuchiCount by name and the district and sub-district as the
// .POL header gave them (attribute columns 5 and 6); the lowest index wins.
class ParcelIndex {
public:
    void build();
    // The parcel, 0 when none.
    int find(const QString& name, QStringView district, QStringView subDistrict) const;

private:
    static QString key(QStringView name, QStringView district, QStringView subDistrict);
    QHash<QString, int> mIndex;
};

// Appends a line at LineNext (absolute metres) and advances LineNext; false
// (nothing written) when the line table is full.
bool appendLine(double x1, double y1, double x2, double y2, std::uint8_t color);

// Shows message (OK) and returns StopProgram.
ReadOutcome stopWith(const QString& message);

// For a companion found beside the header whose reader did not open it: Ok
// when it is gone after all (it is skipped, as a missing one is);
// StopProgram after the message naming fileName when it is there but cannot
// be opened.
ReadOutcome companionNotOpened(const QString& path, const QString& fileName);

// A record announced more lines than the file gave: the read error of
// fileName when a read of in failed, else the file ends after lastLine.
ReadOutcome cutShort(const platform::TextFileReader& in, const QString& fileName, const QString& lastLine);

// The steps after the parcels, each skipped when its file is missing.
ReadOutcome readAttributes(const FileSet& files, const ParcelIndex& parcels,
                           const ParcelAreaFunction& area);
ReadOutcome readPersonCounts(const FileSet& files, const ParcelIndex& parcels);
ReadOutcome readPolylines(const FileSet& files, const ZahyoNameIndex& names);

}  // namespace tavelcor::f2000
