// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The mapping between site metres and the plot, and the cheap window tests
// that every drawer, pointer handler and exporter uses to decide whether an
// item can be seen.  Pure arithmetic: no tables, no Qt.
//
// Conventions: X is north (metres), Y is east (metres).  The plot draws a
// plot coordinate (PX, PY) = (X - OriginX, Y - OriginY) at the user point
// (x, y) = (PY, -PX), so x grows east and y grows south.

#include <optional>

namespace tavelcor::render {

/// The view record as the redraw uses it: centre (absolute metres) and the
/// north and east extents (metres).
struct ViewWindow {
    double cx = 0.0;     ///< centre, north (absolute metres)
    double cy = 0.0;     ///< centre, east (absolute metres)
    double spanX = 0.0;  ///< north extent (metres)
    double spanY = 0.0;  ///< east extent (metres)
};

/// Half-extent factors of the windows the region codes test against.
inline constexpr double kWideWindowFactor = 0.6;    ///< 1.2 times the view (hantei)
inline constexpr double kViewWindowFactor = 0.5;    ///< the view itself (hantei6)
inline constexpr double kInnerWindowFactor = 0.49;  ///< just inside the view (Hantei3)

/// Region code 1..9 of the absolute position (x north, y east) against a
/// window centred on the view with half extents f * spanX and f * spanY:
///   1 2 3   (north row)
///   4 5 6   (5 = inside; a position exactly on a bound is inside that band)
///   7 8 9   (south row)
/// A NaN coordinate compares as inside its band (no comparison holds).
int regionCode(double x, double y, const ViewWindow& view, double f) noexcept;

/// Segment test from the region codes of its two ends: 0 when both ends lie
/// beyond one common side of the window (both north, both south, both west
/// or both east), else 1.  Code 5 never rejects.  Symmetric.
int hantei2(int hb, int h) noexcept;

/// Strict box test.  Orders the corners first (x1 <= x2, y1 <= y2, written
/// back into the caller's variables), then returns 1 when x1 < x3 < x2 and
/// y1 < y3 < y2, else 0.  A position on an edge is outside.
int Hantei4(double& x1, double& y1, double& x2, double& y2, double x3, double y3) noexcept;

/// Result of fitting the wanted view to the picture's aspect.
struct FittedView {
    double fitSpanX = 0.0;     ///< the wanted north extent (1e-9 m when it was 0)
    double fitSpanY = 0.0;     ///< the wanted east extent
    double viewSpanX = 0.0;    ///< north extent actually shown (metres)
    double viewSpanY = 0.0;    ///< east extent actually shown (metres)
    double scaleLeft = 0.0;    ///< user x of the picture's left edge (metres)
    double scaleTop = 0.0;     ///< user y of the picture's top edge (metres)
    double scaleWidth = 0.0;   ///< = viewSpanY
    double scaleHeight = 0.0;  ///< = viewSpanX (positive: y grows downwards)
};

/// Fits the wanted view (centre and extents) to a picture of the given outer
/// size in twips: the wanted area always fits, the other axis grows, the
/// centre stays.  The aspect is taken in single precision, as the picture
/// reports it.  A picture without height or width, or a non-finite input,
/// gives nullopt: the caller leaves the view and the scale unchanged.
std::optional<FittedView> fitView(const ViewWindow& wanted, double originX, double originY,
                                  double pictureWidthTwips, double pictureHeightTwips) noexcept;

}  // namespace tavelcor::render
