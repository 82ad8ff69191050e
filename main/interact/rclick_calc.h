// SPDX-License-Identifier: LicenseRef-Tavelcor
// The computations of the right-click survey calculations over the shared
// tables, without any window: the report line parts, the traverse area, the
// perpendicular check, the base edge found under a press, the four-point
// intersection with its numbering and height, the link candidates, the
// parcel information block and the texts of the copy mode.
//
// Coordinates are the coordinate table's absolute metres (ZahyoX north,
// ZahyoY east). Direction angles are degrees clockwise from north in
// [0, 360). Distances are metres. Every result is exact to the computation
// in doubles; the reports write 3 decimals (millimetres).
//
// Nothing here throws, and no number outside its table is read or written:
// a coordinate number outside 0..500000 reads as no coordinate. The
// four-point intersection detects every case it cannot solve before it
// divides, so no infinity or NaN reaches a table.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavelcor::rclick {

/// Most picks of a traverse and rows of a copy list (CalcPickList 1..100).
inline constexpr int kMaxPicks = 100;
/// Most link candidates (LinkCand 1..1000).
inline constexpr int kMaxLinkCandidates = 1000;

/// True when n is a coordinate number of the table (0..500000; 0 is the
/// scratch slot).
bool isCoordinateNumber(int n) noexcept;

/// Direction angle and distance from coordinate p to coordinate q
/// (Inverse of ZahyoX(q) - ZahyoX(p), ZahyoY(q) - ZahyoY(p)).
struct Leg {
    double angleDeg = 0.0;
    double distance = 0.0;
};
Leg legBetween(int p, int q);

// --- report line parts ---------------------------------------------------------
/// " S=" and the distance in width 10 with 3 decimals.
QString distanceText(double distance);
/// "  方向角=" and the angle text of a, or "" when direction angles are off
/// (Check9 not 1).
QString directionText(double angleDeg, bool shown);
/// " 内角=" and the angle text of a - base (brought into 0..360), or "" when
/// interior angles are off (Check8 not 1).
QString interiorText(double angleDeg, double baseAzimuthDeg, bool shown);

// --- continuous inverse --------------------------------------------------------
/// Area (m², never negative) of the traverse whose picks are list[1..c - 1]
/// with list[c] the first point again: half the absolute coordinate sum of
/// the closing rule. c below 3 gives 0; a number that is no coordinate
/// gives nullopt.
std::optional<double> traverseArea(const std::vector<int>& list, int c);

// --- perpendicular check -------------------------------------------------------
/// A point tested against the base line: `along` is the signed distance from
/// point 2 to the foot in the base direction, `offset` the signed
/// perpendicular length (+ right of the base, - left), the foot absolute.
struct PerpendicularResult {
    double along = 0.0;
    double offset = 0.0;
    double footX = 0.0;
    double footY = 0.0;
};
/// The foot of coordinate n on the base line through coordinate `point2`
/// with the direction `baseAzimuthDeg`; nullopt when n or point2 is no
/// coordinate.
std::optional<PerpendicularResult> perpendicularTo(int point2, double baseAzimuthDeg, int n);

/// The two ends of a parcel edge: point 1 the end nearer the foot.
struct BaseEdge {
    int point1 = 0;
    int point2 = 0;
};
/// The parcel edge under the site position (north, east): parcels 1 ..
/// KakuchiCount in order (open figures included), in each the edges between
/// consecutive vertex slots and then the closing edge; the first edge whose
/// perpendicular from the position (the plot's Suisen, which notes the
/// edge's direction in BaseAzimuth) is shorter than t0 and whose foot F lies
/// on the edge (|AF| + |FB| - t0 < |AB|). nullopt when no edge qualifies.
std::optional<BaseEdge> findBaseEdge(double north, double east, double t0);

// --- four-point intersection ---------------------------------------------------
/// The meeting point of the line through coordinates p1, p2 with the line
/// through p3, p4, each brought to 3 decimals. nullopt, detected before any
/// division, when a line's two points share X, the slopes are equal, a
/// number is no coordinate, or the result is not finite or does not fit the
/// report's 11 columns (toMillimetres).
struct IntersectionPoint {
    double x = 0.0;
    double y = 0.0;
};
std::optional<IntersectionPoint> fourPointIntersection(int p1, int p2, int p3, int p4);

/// The number the next computed coordinate takes, raising ZahyoMax as the
/// intersection does: the first of a run (ZahyoBaseMax 0) notes ZahyoMax in
/// ZahyoBaseMax and, below 100000, goes on from the next multiple of 1000
/// (1234 → 2001); later ones follow on. nullopt, with nothing changed, when
/// the number would lie beyond the table (500000).
std::optional<int> nextComputedNumber();

/// The name of computed coordinate m: its number and "P", one more "P" when
/// coordinate m - 1 has that name.
QString computedName(int m);

/// The height of the intersection point (x, y) from the line p1 → p2,
/// interpolated or extrapolated along it by plane distances, 3 decimals;
/// nullopt when none of the four points has a height other than 0 or p1
/// and p2 coincide.
std::optional<double> intersectionHeight(double x, double y, int p1, int p2, int p3, int p4);

/// `value` to 3 decimals as the report writes it (the number read back from
/// its text); nullopt when it is not finite or its text does not fit the
/// report's 11 columns (from 1e7 m on, or -1e6 m for negative values).
std::optional<double> toMillimetres(double value);

// --- link mode -----------------------------------------------------------------
/// The coordinates 1 .. ZahyoMax (ascending, at most 1000) nearer than
/// `tolerance` to coordinate `centre` whose trimmed linked file name is not
/// empty and `exists`. Empty when centre is 0 or no coordinate: without a
/// hit there is nothing to be near.
std::vector<int> linkCandidates(int centre, double tolerance, const std::function<bool(const QString&)>& exists);

// --- parcel information --------------------------------------------------------
/// The block of parcel i: "画地　　　" name, "座標面積　" and the area with
/// "㎡", then each attribute column 2..39 that is not blank, lines ended by
/// CR LF.
QString parcelBlock(int parcel, double areaM2);
/// The vertex listing of parcel i (the "詳" details): a header line and one
/// line per vertex slot with number, name, X and Y.
QString parcelVertexListing(int parcel);

// --- copy or point -------------------------------------------------------------
/// The message that tells what the copy mode does to coordinate n with the
/// number (Check1) and name (Check2) switches.
QString copyNotice(int n, bool numbers, bool names);
/// The question asked when a list is waiting on the clipboard.
QString copyQuestion(const QString& waiting, int n);
/// True when a clipboard text is a waiting list (longer than one character
/// and holding a carriage return).
bool isWaitingList(const QString& text);
/// The name of the observation point made from coordinate n.
QString pointNameFor(int n, bool numbers, bool names);

}  // namespace tavelcor::rclick
