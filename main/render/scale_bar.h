// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The scale bar of the plot: which bar length and caption fit a view of a
// given north extent.  Pure arithmetic.

#include <string_view>

namespace tavelcor::render {

/// One row of the scale-bar table.  Lengths in metres.
struct ScaleBarRow {
    std::string_view caption;  ///< caption of the bar label ("100m" ...), ASCII
    double length = 0.0;       ///< bar length (width of the bar label), metres
    double captionOffset = 0;  ///< caption's distance right of the bar start, metres
};

/// The row for a view whose north extent is viewSpanX metres:
///   >= 100000 "100km", >= 10000 "10km", >= 1000 "1000m", >= 200 "100m",
///   >= 10 "10m", > 1 "1m", otherwise "0.1m" (1 m exactly and NaN included).
/// Between 200 and 1000 m the bar stays 100 m long.
ScaleBarRow scaleBarFor(double viewSpanX) noexcept;

/// Upper limit of either view extent (metres); larger extents are cut to it.
inline constexpr double kMaxViewSpan = 10000000.0;

}  // namespace tavelcor::render
