// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The geometry of the line panel's presses over the shared tables: picking
// a line by the foot of the perpendicular from the press, snapping a vertex
// or a moved end to a nearby point, coordinate or line end, the Shift
// constraint to due north-south or east-west, and the default of the typed
// length. Plot coordinates (north, east) in metres minus the site origin;
// the Zahyo table in absolute metres. No window: what the plot shows comes
// in as predicates.
//
// Linear scans in index order, as the presses need them: a pick or a snap
// at full size (500000 lines, points and coordinates) reads each table at
// most four times.

#include <QString>

#include <functional>
#include <optional>

namespace tavelcor {

/// A line picked by the foot of the perpendicular.
struct LineFootPick {
    /// Line index; 0 when none was picked.
    int line = 0;
    /// Distance along the line from its first end to the foot (metres).
    double alongFromFirst = 0.0;
    /// The line's length (metres).
    double length = 0.0;
};

/// The first line i = 1 .. LineNext - 1 with a colour below 20 for which
/// `shown(i)` holds and whose foot from the press (north, east) lies on the
/// line (0 < distance from the first end <= length) at a distance below
/// `tolerance` from the press. Leaves BaseAzimuth holding the direction of
/// the last line examined (from its second end towards its first, degrees).
LineFootPick pickLineByFoot(double north, double east, double tolerance, const std::function<bool(int)>& shown);

/// What a press snaps to.
enum class SnapKind { None, Point, Coordinate, LineFirstEnd, LineSecondEnd };

struct SnapHit {
    SnapKind kind = SnapKind::None;
    /// Point, coordinate or line index.
    int index = 0;
    /// The position the press takes (plot north, east).
    double north = 0.0;
    double east = 0.0;
};

/// Which press snaps: a vertex of the line add only takes what lies inside
/// the view, and takes coordinates within a square; the dropping press of
/// a line move takes any, within a circle.
enum class SnapUse { LineAdd, LineMoveDrop };

/// What the plot shows, as the snap needs it.
struct SnapView {
    std::function<bool(int)> pointShown;
    std::function<bool(int)> lineShown;
    /// The absolute position (north, east) lies inside the view.
    std::function<bool(double, double)> insideView;
    /// Coordinate j lies inside the view.
    std::function<bool(int)> coordinateInView;
    /// Coordinate numbers or names are shown (only then are coordinates
    /// candidates).
    bool coordinatesShown = false;
};

/// Base radius of the snap: HitRadius x ViewSpanX / 2000, at least 0.001 m.
double snapBaseRadius(int hitRadius, double viewSpanX) noexcept;

/// The snap cascade from the press (north, east): points and coordinates,
/// then first ends of lines, then second ends, each search in passes of
/// radius r0, 2 r0, 3 r0 and 4 r0 that end at the first candidate in index
/// order. Observation points need a mark below 100, lines a colour below
/// 100; coordinates 1 .. ZahyoMax need a name other than "_?>".
SnapHit snapPress(double north, double east, double baseRadius, SnapUse use, const SnapView& view);

/// A plot position.
struct PlotPosition {
    double north = 0.0;
    double east = 0.0;
};

/// The Shift constraint of the line add: the segment from `start` to the
/// press is made due north-south when its north difference is the larger,
/// else due east-west (a tie gives east-west).
PlotPosition constrainSegment(PlotPosition start, PlotPosition press) noexcept;

/// The Shift constraint of a moved end against the fixed end: due
/// east-west when the east difference is the larger, due north-south when
/// the north difference is, the press itself on a tie.
PlotPosition constrainMovedEnd(PlotPosition fixed, PlotPosition press) noexcept;

/// A length brought to the millimetre, half a millimetre going up.
double lengthToMillimetre(double length) noexcept;

/// The typed length: the answer as a number, blanks around it allowed;
/// nullopt when it is empty or not a finite number (taken as Cancel).
std::optional<double> typedLength(const QString& answer);

}  // namespace tavelcor
