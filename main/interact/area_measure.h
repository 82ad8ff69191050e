// SPDX-License-Identifier: LicenseRef-Tavelcor
// The on-map area measurement: the vertices a press places, the closing
// press near the first vertex and the area of the closed polygon.
//
// The measurement lives in the shared AreaCount, AreaX, AreaY: AreaCount 0
// when none runs, else the index at which the next vertex is written;
// vertices 1 to 200 in plot coordinates (AreaX north, AreaY east, single
// precision). Nothing here draws or asks: the press shows the polygon and
// the result.
#pragma once

#include <QString>

namespace tavelcor {

/// What a vertex press did to the measurement.
enum class AreaStep {
    /// The vertex was stored; the polygon stays open (AreaCount is the next index).
    Open,
    /// The press closed the polygon: `area` holds its area, AreaCount is one
    /// past the closing vertex, ready for the drawing of the closed polygon.
    Closed,
    /// The 200th vertex was stored without closing: the measurement is
    /// dropped (AreaCount 0 once the open polygon was drawn).
    Full,
};

struct AreaPress {
    AreaStep step = AreaStep::Open;
    /// Square metres, unrounded (Closed only).
    double area = 0.0;
};

/// A press at plot position (x east, y minus north) while a measurement runs
/// (AreaCount 1 to 200): stores vertex m = AreaCount; when m > 2 and the
/// press lies within `closeRadius` of vertex 1 along both axes (single
/// precision), vertex m becomes vertex 1 exactly and the polygon of the m - 1
/// distinct vertices is closed; otherwise AreaCount becomes m + 1. An
/// AreaCount outside 1 to 200 ends the measurement (Full, AreaCount 0)
/// without writing.
AreaPress areaVertexPress(double x, double y, double closeRadius);

/// Area of the polygon of vertices 1..n taken cyclically, by the shoelace
/// formula: S = sum of AreaX(k) x (AreaY(k - 1) - AreaY(k + 1)), the terms in
/// single precision summed in double in the order k = 2 .. n - 1, 1, n; the
/// area is |S / 2|. 0 for fewer than three vertices or n beyond 200.
double closedAreaOf(int n);

/// The area as the result message shows it: rounded to 2 decimals
/// (Int(area x 100 + 0.5) / 100) after "面積=", without blanks or trailing
/// zeros, then "㎡": 123.45 gives "面積=123.45㎡", 1 gives "面積=1㎡".
QString areaMessage(double area);

}  // namespace tavelcor
