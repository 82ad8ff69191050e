// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate hit test of the plot's presses, over the shared tables.
//
// A press is given in the plot's own units: x is the plot east (site east
// minus OriginY), y is minus the plot north (-(site north - OriginX)). The
// test looks for a coordinate (Zahyo, absolute metres) near the press in up
// to four passes whose tolerance grows by the base tolerance t0 each time
// (t0, 2 t0, 3 t0, 4 t0); in each pass the lowest usable number within the
// tolerance wins, not the nearest one. The right press may then fall back to
// the observation points (Point, plot metres) in a square window of 5 t0 and
// take the point found into the coordinate table as a coordinate of its own.
//
// Linear scans without an index, as the plot's presses need them: at full
// size (500000 coordinates, 500000 points) a miss costs four passes over the
// coordinates and one over the points. Nothing throws; numbers outside the
// tables are never read.
#pragma once

#include <functional>

namespace tavelcor {

/// The two shown ranges of coordinate numbers (the main window's Text2 to
/// Text5 and Text15 to Text16, as numbers).
struct ShownNumberRanges {
    double from1 = 1.0;
    double to1 = 10000.0;
    double from2 = 10001.0;
    double to2 = 500000.0;

    /// True when `number` lies in one of the two ranges (bounds included).
    bool contains(int number) const noexcept
    {
        const double n = number;
        return (from1 <= n && n <= to1) || (from2 <= n && n <= to2);
    }
};

/// Base tolerance t0 of the hit test in metres: hitRadius x viewSpanX / 2000,
/// at least 0.001 (also for a span that is not a finite number).
double pickBaseTolerance(int hitRadius, double viewSpanX) noexcept;

/// What the hit test found.
struct CoordinatePick {
    /// Coordinate number; 0 when nothing was hit.
    int number = 0;
    /// The tolerance of the pass that hit (metres); after a miss, the
    /// tolerance the search ended with (5 t0), which the fallback uses.
    double tolerance = 0.0;
};

/// The coordinate passes: the first coordinate i = 1 .. ZahyoMax, in the
/// pass with the smallest tolerance, whose distance to the site position
/// (north, east; absolute metres) is below the tolerance, whose trimmed name
/// is not the free-number name "_?>" and whose number lies in `ranges`.
CoordinatePick pickCoordinateNumber(double north, double east, double baseTolerance,
                                    const ShownNumberRanges& ranges);

/// Observation point j = 1 .. PointCount nearest in number order to the
/// press (x, y) within the square window: |PointX(j) + y| < tolerance and
/// |PointY(j) - x| < tolerance, PointMark(j) below 100 and shown(j) true
/// (asked only of points inside the window). 0 when none is.
int pickObservationPoint(double x, double y, double tolerance, const std::function<bool(int)>& shown);

/// Takes observation point j into the coordinate table as number
/// ZahyoMax + 1 named PointName(j) & "_?_", at the point's position (plot
/// and absolute), with no height, no parcel use and no linked file; the new
/// number, or 0 (nothing written) when the table is full or j is no point.
int appendPointCoordinate(int j);

/// The full hit test of a press at (x, y): the coordinate passes with the
/// base tolerance of HitRadius and ViewSpanX, then, when `withPoints` and
/// nothing was hit, the observation-point fallback. On a fallback hit `x`
/// and `y` become the point's plot position (as the press the calculations
/// go on with) and the pick's number is the coordinate made for it.
/// `pointShown` decides whether a point is shown on the plot. A fallback hit
/// that finds the coordinate table full shows "座標の件数が上限の500000件に
/// 達しています" (OK) and hits nothing.
CoordinatePick PickCoordinate(double& x, double& y, const ShownNumberRanges& ranges, bool withPoints,
                              const std::function<bool(int)>& pointShown);

}  // namespace tavelcor
