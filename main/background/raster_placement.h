// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The arithmetic of the raster placement by two points, apart from its
// window: the preview of a loaded bitmap laid over the view, the placement
// that scales the preview about point A and carries its top-left corner
// around A by the rotation between the picked and the true points, the
// definition file's path beside the bitmap and its one line.
//
// Coordinates: X north, Y east, metres. Preview rectangles are absolute site
// coordinates; picked points are plot coordinates (site minus the origin).
// The image is never turned: it stays north-up and axis-parallel.

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace tavelcor {

/// A raster rectangle in absolute site metres; (xMax, yMin) is the image's
/// top-left corner.
struct RasterRect {
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
};

/// The view the bitmap is laid over: centre (absolute) and extents, metres.
struct PlacementView {
    double centreX = 0.0;
    double centreY = 0.0;
    double spanX = 0.0;  ///< north extent
    double spanY = 0.0;  ///< east extent
};

/// The preview of a bitmap of `pixels` (only the ratio counts): its top-left
/// corner at the view's top-left corner, as large as fits into the view, in
/// its own aspect. nullopt for an empty bitmap or a view without extent.
std::optional<RasterRect> previewForBitmap(QSize pixels, const PlacementView& view);

/// What the placement takes: the preview before the change, the picked
/// points A and B (plot coordinates), the site origin and the true
/// coordinates of A and B as typed (single precision, as the fields give
/// them).
struct PlacementInput {
    RasterRect preview;
    double pickedAX = 0.0;
    double pickedAY = 0.0;
    double pickedBX = 0.0;
    double pickedBY = 0.0;
    double originX = 0.0;
    double originY = 0.0;
    float trueAX = 0.0F;
    float trueAY = 0.0F;
    float trueBX = 0.0F;
    float trueBY = 0.0F;
};

struct PlacementResult {
    double rotationDeg = 0.0;  ///< true direction A'B' minus picked direction AB
    RasterRect placed;         ///< the preview scaled about A and moved to A'
};

/// The placement by two points: scale s = |A'B'| / |AB|, rotation ρ = the
/// direction of A'B' minus that of AB (degrees, directions clockwise from
/// north in [0, 360), computed in single precision); the top-left corner is
/// carried along the vector from A, scaled by s and turned by ρ, to A', and
/// the preview keeps its axes, scaled by s. nullopt when A and B coincide on
/// the plot (no scale can be taken from them).
std::optional<PlacementResult> placeByTwoPoints(const PlacementInput& in);

/// The rotation as the window shows it: width 8, 4 decimals ("  0.0000").
QString rotationText(double rotationDeg);

/// Above this many degrees the placement warns that the drawing is turned.
inline constexpr double kRotationWarningDeg = 0.05;

/// True when the rotation, taken as the window shows it (4 decimals), is
/// above kRotationWarningDeg; so 0.05 does not warn, 0.0501 does.
bool rotationWarns(double rotationDeg);

/// The definition file beside the bitmap: the bitmap's folder (the path up
/// to and including its last separator, "/" or "\"), the file name up to its
/// first "." (the whole name when it has none) and ".AR2".
QString definitionPathFor(const QString& bitmapPath);

/// The bare file name of a path (after its last "/" or "\").
QString bareFileName(const QString& path);

/// The definition's one line: the bitmap's bare name and the rectangle's
/// Xmin, Ymin, Xmax, Ymax as the shortest texts of up to 15 significant
/// digits, joined by commas, ending in CR LF (CP932).
QByteArray definitionLine(const QString& bitmapName, const RasterRect& rect);

/// Why a bitmap's bare name cannot stand in a definition line.
enum class DefinitionNameFault {
    None,
    Comma,       ///< the name holds a comma, the line's field separator
    Unreadable,  ///< the line would not read back as this name (a line
                 ///< break, a character without a CP932 form)
};

/// Whether the definition line of a bitmap named `bitmapName` reads back,
/// by the definition reader, as one row with that very name; the fault when
/// it does not.
DefinitionNameFault definitionNameFault(const QString& bitmapName);

/// The lowest index in 1..pointCount of a live point (marker below 100)
/// named `name`; 0 when there is none.
int findPlacementPoint(const QString& name, int pointCount);

}  // namespace tavelcor
