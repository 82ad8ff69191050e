// SPDX-License-Identifier: LicenseRef-Tavelcor
// The geoid model of ORBELA: import of the published ASCII grid of Japan's
// geoid into a binary record file, and the bilinear look-up of the geoid
// height at a fix's position.
//
// The model text (gsigeome.asc in the program folder, a copy of the file the
// user imported) has a header line read by columns:
//
//   columns  1-10  latitude of the south edge (first grid row), degrees
//   columns 11-20  longitude of the west edge (first grid column), degrees
//   columns 21-29  latitude spacing, degrees (rounded to whole seconds of arc)
//   columns 30-38  longitude spacing, degrees (rounded likewise)
//   columns 39-43  number of rows
//   columns 44-48  number of grid columns per row
//   from column 51 the model version (not used)
//
// and then the node values, up to 28 a line, 9 characters each (value m of a
// line in columns 9(m-1)+1 to 9m), metres with four decimals, 999.0000 for a
// node without data.  They run from the south-west corner west to east, row
// after row northwards; line breaks carry no meaning for the order.
//
// The grid file (gsigeome.tmp) holds one 6-byte record per node, record k
// (from 1) at byte offset 6(k-1): bytes 0-3 the geoid height in metres times
// 10000 as an IEEE-754 single, little-endian; bytes 4-5 padding, written as
// zero and never read.  A record of four zero bytes (never written, or past
// the end of the file) means "no data".  A node whose height is exactly 0 is
// written as negative zero (bits 0x80000000): it reads as the value 0, and a
// reader that only compares with 0 still sees a height of 0 m.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace orbela {

/// File names of the imported model text and of the grid file in the
/// program folder.
inline constexpr char kGeoidAscName[] = "gsigeome.asc";
inline constexpr char kGeoidTmpName[] = "gsigeome.tmp";

/// The header line of the model text.
struct GeoidHeader {
    double lat0 = 0;   // south edge, decimal degrees
    double lon0 = 0;   // west edge, decimal degrees
    double dlat = 0;   // latitude spacing, degrees, rounded to whole seconds
    double dlon = 0;   // longitude spacing, degrees, rounded likewise
    double rows = 0;   // number of rows (0 when the header leaves it blank)
    float cols = 0;    // nodes per row, single precision as stored
};

/// Reads the header line by its columns (each field's leading number, blanks
/// ignored).  nullopt when the grid cannot be used: a spacing that is not
/// positive, or fewer than two nodes per row.
std::optional<GeoidHeader> parseGeoidHeader(const QString& line);

/// How a conversion of the model text into the grid file ended.
enum class GeoidConversion {
    Done,            // the grid file was written
    SourceUnreadable,  // the model text could not be opened or holds no header
    GridUnwritable,    // the grid file could not be written; any old one is kept
};

/// Converts the model text at `ascPath` into the grid file at `tmpPath`,
/// replacing it atomically.  Data lines: a line of 28 no-data values moves on
/// by 28 records without writing; otherwise each 9-character field that holds
/// a number is one node: 999.0000 and above (times 10000, at least 9000000)
/// moves on by one record without writing, any other value (0 included) is
/// written.  A blank field (also past the end of a short line) is no node.
GeoidConversion convertGeoidModel(const QString& ascPath, const QString& tmpPath);

/// The imported model as the reception uses it.  Both paths are set while a
/// usable model is present; the look-up is active only then.  The files are
/// opened at each look-up and closed again; nothing is held in memory.
class GeoidModel {
public:
    GeoidModel() = default;
    GeoidModel(QString ascPath, QString tmpPath);

    /// The model of a program folder at start-up: both paths set when both
    /// files exist there, else both empty (no geoid correction).
    static GeoidModel fromProgramFolder(const QString& programFolder);

    const QString& GeoidAscPath() const { return mAscPath; }
    const QString& GeoidTmpPath() const { return mTmpPath; }
    void setPaths(QString ascPath, QString tmpPath);
    void clear();

    /// True when both paths are set.
    bool isAvailable() const { return !mAscPath.isEmpty() && !mTmpPath.isEmpty(); }

    /// The geoid height in metres at latitude n and longitude e, both packed
    /// d.mmss (not times 10000), interpolated bilinearly between the four
    /// nodes around the position.  nullopt ("no value", which the reception
    /// takes as 0) when the model is not available, a file cannot be read,
    /// the position lies outside the grid (south or west of it, on or beyond
    /// its last column or row), or one of the four nodes has no data.
    std::optional<double> ジオイドget(double n, double e) const;

private:
    QString mAscPath;
    QString mTmpPath;
};

/// How an import ended.
struct GeoidImportOutcome {
    bool imported = false;
    QString ascPath;  // the model's paths afterwards (both empty on failure)
    QString tmpPath;
};

/// Steps of the import after the user chose `sourceFile`: copies it into the
/// program folder as gsigeome.asc (replacing an older copy), shows
/// "ジオイドファイルを呼び出します" (information icon), calls
/// `conversionStarts` (the window shows its busy cursor) and converts the
/// text into gsigeome.tmp.  When the text cannot be read, or the grid file
/// cannot be written, shows "ジオイドモデルファイルが読み込めませんでした"
/// and returns empty paths, so that no look-up uses a broken model.
GeoidImportOutcome importGeoidModel(const QString& sourceFile, const QString& programFolder,
                                    const std::function<void()>& conversionStarts = {});

}  // namespace orbela
