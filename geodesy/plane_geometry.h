// SPDX-License-Identifier: LicenseRef-Tavelcor
// Inverse calculation, direction angle and line intersection on the plane.
//
// Coordinates follow the survey convention: X is northing, Y is easting, in
// metres.  A direction angle is in degrees from +X (north) clockwise towards
// +Y (east), in [0, 360).  Degrees and radians are converted with kPi
// (constants.h).  Nothing here throws; extreme inputs give non-finite
// results, which callers must test where they can arise.
#pragma once

namespace geodesy {

/// Result of the surveyor's inverse calculation.
struct InverseResult {
    double angleDeg = 0;   ///< direction angle, degrees, [0, 360)
    double distance = 0;   ///< √(dX² + dY²), metres
};

/// Inverse calculation from the coordinate differences of two points
/// (dX = X of the far point minus X of the near point; the same for dY).
/// Direction rules, tested in this order: dX = 0 gives 270 for dY < 0, 90
/// for dY > 0, 0 for dY = 0; otherwise atan(dY/dX) in degrees, plus 180 for
/// dX < 0, plus 360 for dX > 0 and dY < 0.  So (3, 4) → 53.1301…, distance 5.
///
/// The distance is returned beside the angle; it takes the place of the
/// older form that overwrote the caller's dX with it.  Every caller that
/// needs a length (reports, line picks, raster placement, tile rotation,
/// profiles) reads `distance`.
InverseResult Inverse(double dX, double dY);

/// The same direction angle in single precision (the intermediate angle and
/// the additions of 180 or 360 are single-precision operations).  The
/// inside test of parcels sums these angles; their rounding is part of its
/// result.
float DirectionAngle(double dX, double dY);

/// Result of Intersection: the intersection point and the second point of
/// each line as the computation used them (possibly nudged, see below).
struct IntersectionResult {
    double x = 0;
    double y = 0;
    double x2 = 0;  ///< second point of the first line, after the nudges
    double y2 = 0;
    double x4 = 0;  ///< second point of the second line, after the nudges
    double y4 = 0;
};

/// Intersects the straight line through (x1, y1)-(x2, y2) with the one
/// through (x3, y3)-(x4, y4).  The first coordinate of each pair is taken as
/// the abscissa: each line is y = y1 + m (x - x1).  The routine does not care
/// which axis is north.
///
/// With s = 0.0001 × `viewSpanX` (the north extent of the current view in
/// metres, which the view keeps at 0.12 or more) divisions are kept finite
/// by nudges, each an exact equality test without tolerance, in this order:
/// x1 = x2 → x2 + s; x3 = x4 → x4 + s; y1 = y2 → y2 + s; y3 = y4 → y4 + s;
/// equal slopes → the first slope + s.  Parallel lines thus meet far away,
/// at a distance that depends on s.
///
/// The nudged second points are returned in x2, y2, x4, y4 (they equal the
/// arguments when no nudge applied).  The range selection of lines on the
/// plot tests the intersection against the segments as the computation saw
/// them; callers must never write these values back into the line table.
/// With viewSpanX <= 0 a vertical or parallel pair gives non-finite x, y.
IntersectionResult Intersection(double x1, double y1, double x2, double y2,
                                double x3, double y3, double x4, double y4, double viewSpanX);

}  // namespace geodesy
