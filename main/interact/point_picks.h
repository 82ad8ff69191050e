// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The geometry of the point panel's presses over the shared tables: the
// hit test of an observation point, the snap of a new or moved point to a
// line end, the search for a line under a new point (which the add may cut
// there), and the line ends a moved point carries along. Plot coordinates
// (north, east) in metres minus the site origin. No window: what the plot
// shows comes in as predicates.
//
// Linear scans in index order; a hit test or a snap reads its table at most
// four times (passes of tolerance t0, 2 t0, 3 t0 and 4 t0: the tolerance
// grows by t0, it does not double).

#include <functional>
#include <optional>
#include <vector>

namespace tavelcor {

/// Which point wins within a pass.
enum class PointScan {
    /// 1 .. PointCount: the lowest index (the attribute pick).
    Ascending,
    /// PointCount .. 1: the highest index (the pick for moving).
    Descending,
};

/// The observation point hit from the press (north, east): passes k = 1 to 4
/// with tolerance k x `baseTolerance`; a candidate is live (mark below 100)
/// and `shown(i)`; a hit lies closer than the tolerance. The first hit in
/// `order` of the first pass that has one; 0 when none.
int pickPoint(double north, double east, double baseTolerance, PointScan order, const std::function<bool(int)>& shown);

/// A line end a point snaps to.
struct LineEndSnap {
    int line = 0;
    /// True: the first end (LineX1, LineY1); false: the second.
    bool firstEnd = true;
    double north = 0.0;
    double east = 0.0;
};

/// The snap of the point add: passes k = 1 to 4 with radius k x `baseRadius`;
/// in each pass lines 1 .. LineNext - 1 in index order, a line's first end
/// before its second. Lines with a colour of 100 or more or not `shown` are
/// passed over. nullopt when no pass finds an end.
std::optional<LineEndSnap> snapAddedPoint(double north, double east, double baseRadius,
                                          const std::function<bool(int)>& shown);

/// The snap of the point move: the four passes over the first ends of all
/// lines, and only when they find none, the four passes over the second
/// ends. Candidates as for snapAddedPoint.
std::optional<LineEndSnap> snapMovedPoint(double north, double east, double baseRadius,
                                          const std::function<bool(int)>& shown);

/// A line the press lies over, found by the foot of the perpendicular.
struct LineUnderPress {
    int line = 0;
    /// Distance along the line from its first end to the foot (metres).
    double alongFromFirst = 0.0;
    /// The foot (plot north, east).
    double footNorth = 0.0;
    double footEast = 0.0;
};

/// The next line i = `from` .. LineNext - 1 in index order with a colour
/// below 100 for which `shown(i)` holds, whose foot from the press lies on
/// the line (0 < distance from the first end <= length) and whose distance
/// from the press is below `tolerance`. Every line examined leaves
/// BaseAzimuth holding its direction (from its second end towards its
/// first, degrees).
///
/// The distance along the line and the distance from it are the press's
/// projections on the line's direction and its normal (the distance to the
/// first end times the cosine and the sine of the angle between them),
/// computed from the components so that a foot exactly at an end is found
/// exactly there: at the first end it lies off the line, at the second on.
std::optional<LineUnderPress> nextLineUnderPress(int from, double north, double east, double tolerance,
                                                 const std::function<bool(int)>& shown);

/// One line end carried by a point move.
struct CarriedEnd {
    int line = 0;
    bool firstEnd = true;
};

/// Most line ends of each kind (first ends, second ends) one move carries.
inline constexpr int kCarriedEndsTop = 100;

/// The line ends lying within 0.01 m in north and in east of (north, east):
/// lines 1 .. LineNext - 1 in index order with a colour below 100 and
/// `shown`, for each line its first end before its second. At most
/// kCarriedEndsTop first ends and kCarriedEndsTop second ends are listed;
/// ends beyond them stay where they are.
std::vector<CarriedEnd> lineEndsAt(double north, double east, const std::function<bool(int)>& shown);

}  // namespace tavelcor
