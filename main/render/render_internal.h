// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Helpers shared by the plot's drawing files.  Not for use outside main/render.

#include "main/render/filters.h"
#include "main/render/plot_face.h"
#include "main/render/plot_painter.h"
#include "main/render/render_state.h"
#include "main/render/view_window.h"
#include "main/site/tables.h"

#include <QString>

#include <cstdint>

namespace tavelcor::render {

/// Region test against one window, with the bounds worked out once.  Gives
/// the same codes as regionCode() for the same window.
struct RegionTester {
    double xHi, xLo, yHi, yLo;

    RegionTester(const ViewWindow& v, double f) noexcept
        : xHi(v.cx + f * v.spanX), xLo(v.cx - f * v.spanX), yHi(v.cy + f * v.spanY),
          yLo(v.cy - f * v.spanY)
    {
    }
    int code(double x, double y) const noexcept
    {
        // Rows 1, 4, 7 and columns 0, 1, 2 without branches.
        const int row = 4 - 3 * static_cast<int>(x > xHi) + 3 * static_cast<int>(!(x > xHi) & (x < xLo));
        const int column = 1 + static_cast<int>(y > yHi) - static_cast<int>(!(y > yHi) & (y < yLo));
        return row + column;
    }
    bool inside(double x, double y) const noexcept
    {
        return !(x > xHi) && !(x < xLo) && !(y > yHi) && !(y < yLo);
    }
    /// inside() without short-circuits, for loops whose outcome is random.
    bool insideNoBranch(double x, double y) const noexcept
    {
        return !(x > xHi) & !(x < xLo) & !(y > yHi) & !(y < yLo);
    }
};

/// hantei2 for the hot loops: 0 when both codes lie beyond one common side.
inline int segmentMayCross(int hb, int h) noexcept
{
    // Bits: north 1, south 2, west 4, east 8, indexed by region code 0..9.
    static constexpr unsigned char kSides[10] = {0, 5, 1, 9, 4, 0, 8, 6, 2, 10};
    const auto a = static_cast<unsigned>(hb) < 10 ? kSides[hb] : 0;
    const auto b = static_cast<unsigned>(h) < 10 ? kSides[h] : 0;
    return (a & b) != 0 ? 0 : 1;
}

/// The shared view record as a window.
ViewWindow currentView() noexcept;

/// Metres per twip across the picture (ViewSpanY / Picture1.Width); 0 when
/// the picture has no width.
double metresPerTwip(const PlotFace& face) noexcept;

/// Metres per point of letter height across the picture (its scale width
/// over its width in points); 0 when the picture has no width.
double metresPerPoint(const PlotPainter& painter, const PlotFace& face) noexcept;

/// How full a table is for its gauge: used / top in whole percent, 0..100.
int percentOf(double used, double top) noexcept;

/// A visible count kept per view extent: while ViewSpanX stays at keptSpan
/// the kept count rules, so the first redraw at an extent fixes the font and
/// the limit; at a new extent `count` is kept and returned.
long countForExtent(double& keptSpan, std::int32_t& kept, long count) noexcept;

/// Steps of the full redraw.
void drawParcelOutlines(PlotFace& face, PlotPainter& painter, RenderState& st);
void drawCoordinates(PlotFace& face, PlotPainter& painter, RenderState& st);
void drawParcelLabels(PlotFace& face, PlotPainter& painter, RenderState& st);
void restoreMovedLabels(RenderState& st) noexcept;

/// Makes sure the working tables have their full size, and clears them.
void prepareWorkingTables(RenderState& st);

}  // namespace tavelcor::render

namespace tavelcor::render {

/// Bounds of the shared tables as the drawers check them.
inline constexpr int kCoordTop = kZahyoTop;          ///< coordinates 0..500000
inline constexpr int kParcelTop = kKakuchiCountLimit; ///< parcels 1..32767 in use
inline constexpr long kVertexTop = kKakuchiVertexTop; ///< parcel vertex slots
inline constexpr long kTegakiTopL = kTegakiTop;       ///< hand-stroke vertices

}  // namespace tavelcor::render
