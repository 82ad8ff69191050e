// SPDX-License-Identifier: LicenseRef-Tavelcor
// Parcel geometry over the shared tables: centroid, inside test (winding
// angle), perpendicular foot and the registered-area computation.
//
// A parcel i covers the vertex slots KakuchiFirst[i] .. KakuchiLast[i] of
// KakuchiVertex, whose entries are coordinate numbers; the list may repeat
// its first vertex at the end (that adds only zero terms).  Plot coordinates
// (ZahyoPX north, ZahyoPY east, metres minus the site origin) serve the
// centroid and the inside test; absolute ZahyoX, ZahyoY the area.
//
// Nothing here writes a table except Suisen, which leaves the base line's
// direction in BaseAzimuth.  Nothing throws.  A parcel that cannot be read
// safely (index outside 0..50000, vertex slots outside 0..600000, a vertex
// number outside 0..500000, tables not allocated) gives nullopt; callers
// treat that like a parcel that contains nothing.
#pragma once

#include <optional>

namespace tavelcor::survey {

/// A position in plot coordinates: x north, y east, metres minus the origin.
struct PlotPoint {
    double x = 0;
    double y = 0;
};

/// Area centroid of parcel i in plot coordinates.
/// - Fewer than three vertex entries (last slot minus first slot below 2):
///   (0, 0).
/// - Signed area exactly 0 (a collinear or self-cancelling outline): the two
///   sums are returned undivided, as the computation leaves them.  The label
///   placement tests the point with kseek anyway and then falls back to
///   vertex midpoints, so such a point only has to be finite.
std::optional<PlotPoint> jyusin(int parcel);

/// Winding angle in degrees (single precision) of parcel i's outline around
/// the plot point (gx north, gy east): the sum of the turns of the direction
/// from the point to consecutive vertices, each taken the short way round,
/// the closing turn included.  About ±360 inside (the sign follows the
/// vertex order), about 0 outside; callers take |angle| > 359 as inside (the
/// loader also requires < 361).  One- and two-entry parcels give 0.  A parcel
/// whose last slot lies below its first gives nullopt.
std::optional<float> kseek(int parcel, double gx, double gy);

/// Perpendicular from P3 = (x3, y3) onto the line P1 = (x1, y1) → P2 = (x2, y2)
/// (survey axes: x north, y east, metres).
struct Perpendicular {
    double h = 0;            ///< signed offset of P3: + right of P1→P2, − left
    double along = 0;        ///< signed distance from P2 to the foot, along P1→P2
    double x4 = 0;           ///< foot of the perpendicular
    double y4 = 0;
    double baseAzimuth = 0;  ///< direction angle of P1→P2, degrees
};

/// The perpendicular foot and offset; changes nothing.  The foot is measured
/// from P2, not from P1.
Perpendicular perpendicularFoot(double x1, double y1, double x2, double y2, double x3, double y3);

/// perpendicularFoot that also leaves the base line's direction angle in the
/// shared BaseAzimuth, as the right-click calculations expect of it.
Perpendicular Suisen(double x1, double y1, double x2, double y2, double x3, double y3);

/// Area of parcel i in square metres by the coordinate method, with the
/// rounding steps of a registered-area computation (halves away from zero):
/// each Y difference of the neighbours of a vertex to 3 decimals before it
/// is multiplied by the vertex's X, the running sum to 6 decimals after each
/// addition, in the order inner positions, then the last, then the first;
/// the result |sum / 2| to 7 decimals, never negative.
/// Two-entry parcels give 0; a one-entry parcel gives 0 (its neighbours in
/// the shared list belong to other parcels and are not read).  A parcel
/// whose last slot lies below its first gives nullopt.
std::optional<double> menseki(int parcel);

}  // namespace tavelcor::survey
