// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Where a parcel label goes when the parcel reaches the view but its own
// label point lies outside: the first point, on a ring one step inside the
// view's edges, that lies inside the parcel.  Pure logic; the inside test is
// the caller's.

#include <optional>

namespace tavelcor::render {

/// The view's edges in plot coordinates (X north, Y east, metres, origin
/// subtracted) and the search step (metres).
struct LabelRing {
    double top = 0.0;     ///< north edge
    double bottom = 0.0;  ///< south edge
    double left = 0.0;    ///< west edge
    double right = 0.0;   ///< east edge
    double step = 0.0;    ///< north extent / 30
};

/// A point in plot coordinates (X north, Y east).
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
};

/// Steps of the ring search for the given view (centre in plot
/// coordinates, extents in metres).
LabelRing labelRingFor(double centrePX, double centrePY, double spanX, double spanY) noexcept;

/// Tries the candidates in this order until inside(X, Y) holds:
///   the row one step below the top edge, west to east (Y = left + j step, j >= 1, Y <= right);
///   the row one step above the bottom edge, likewise;
///   the column one step inside the west edge, top down (X = top - j step, j >= 2, X >= bottom + step);
///   the column one step inside the east edge, likewise.
/// A step that is not a positive finite number finds nothing.
template <class InsideFn>
std::optional<PlotPoint> findLabelPoint(const LabelRing& r, InsideFn&& inside)
{
    if (!(r.step > 0.0) || !(r.step < 1e300) || !(r.right - r.left < 1e7 * r.step)
        || !(r.top - r.bottom < 1e7 * r.step))
        return std::nullopt;
    const double rows[2] = {r.top - r.step, r.bottom + r.step};
    for (double x : rows) {
        for (long j = 1;; ++j) {
            const double y = r.left + static_cast<double>(j) * r.step;
            if (!(y <= r.right))
                break;
            if (inside(x, y))
                return PlotPoint{x, y};
        }
    }
    const double columns[2] = {r.left + r.step, r.right - r.step};
    for (double y : columns) {
        for (long j = 2;; ++j) {
            const double x = r.top - static_cast<double>(j) * r.step;
            if (!(x >= r.bottom + r.step))
                break;
            if (inside(x, y))
                return PlotPoint{x, y};
        }
    }
    return std::nullopt;
}

}  // namespace tavelcor::render
