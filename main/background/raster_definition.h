// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Raster definition files (*.AR2): a user raster's images placed in site
// coordinates, one line per image, next to the images:
//
//     map_0.png,-12345.6,-23456.7,-12245.6,-23356.7
//
// five comma-separated fields: the image file name (a bare name in the
// definition's folder), Xmin (the image's south edge), Ymin (west), Xmax
// (north), Ymax (east), absolute plane coordinates in metres with a point as
// decimal separator; fields after the fifth are ignored. Shift-JIS text, lines
// ending in CR LF (a lone CR or LF is taken too). No header, no comments.
//
// The tile list "Eld.AR2" of the work folder shares the extension but is a
// different file.

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tavelcor {

/// One line of a definition.
struct RasterDefinitionRow {
    QString file;  ///< field 1, a bare file name
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
};

/// Why a definition cannot be read.
enum class RasterDefinitionFault {
    None,
    TooFewFields,    ///< fewer than five fields; an empty line has none
    NotANumber,      ///< a field 2 to 5 that is not a number in full
    NotABareName,    ///< field 1 empty, "." or "..", or holding a separator
    TooManyLines,    ///< more than kRasterDefinitionMaxLines lines
    CannotRead,      ///< the file or its folder cannot be opened or read
    CannotCopy,      ///< the local copy of a network image cannot be made
};

/// A slot holds at most this many images, in rows 0..9999.
inline constexpr int kRasterDefinitionMaxLines = 10000;

/// The lines of a definition read before the first bad one, and the fault
/// of that line (None when every line was good) with its 1-based number.
struct RasterDefinitionParse {
    std::vector<RasterDefinitionRow> rows;
    RasterDefinitionFault fault = RasterDefinitionFault::None;
    int faultLine = 0;
};

/// Reads a definition from its bytes; stops at the first bad line or after
/// kRasterDefinitionMaxLines lines (a further line is TooManyLines).  Never
/// throws, for any bytes.
RasterDefinitionParse parseRasterDefinition(QByteArrayView bytes);

/// The file system around the reading; the defaults are the platform's.
struct RasterFolderEnvironment {
    /// The drive type code of the place a path lies on (3 a network
    /// drive); nullopt when it cannot be asked.  Empty: DriveType.
    std::function<std::optional<int>(const QString& path)> driveType;
    /// The local copy folder of network images.  Empty: the platform's
    /// (the system temporary folder + "/TVXTEMP").
    QString copyFolder;
};

/// Reads definition file `path` into raster slot `slot` (0..2) of
/// HaikeiRaster: row i gets line i + 1, its file the definition's folder +
/// "/" + the name, and the row after the last one read is emptied (so a
/// slot's list always ends there); rows further on keep what they held, and
/// an empty definition changes nothing.  A definition in a folder of fewer
/// than 100 files on a network drive (drive type 3) uses local copies of its
/// images in the copy folder: an image is copied there once, and a copy of
/// the same name already there is used as it is.
///
/// Returns the fault that ended the reading (None when it read whole).  On a
/// fault the rows of the lines before stay, the failing line's row is
/// emptied, and nothing is written past row 9999 but the emptying of row
/// 10000.  The caller reports the failure ("ラスター定義ができません").
RasterDefinitionFault ReadRasterDefinition(const QString& path, int slot,
                                           const RasterFolderEnvironment& environment = {});

}  // namespace tavelcor
