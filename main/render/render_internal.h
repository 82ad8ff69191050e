// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Helpers shared by the plot's drawing files.  Not for use outside main/render.

#include "main/render/filters.h"
#include "main/render/plot_face.h"
#include "main/render/plot_painter.h"
#include "main/render/render_state.h"
#include "main/render/site_index.h"
#include "main/render/view_window.h"
#include "main/site/tables.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace tavelcor::render {

/// Scratch of one call: taken from a pool of its type when the call starts
/// and given back, as it was left, when the call ends.  A call entered again
/// while an earlier one still runs (a layer that lets events run may start
/// another redraw) gets an object of its own, so neither clears nor reuses
/// what the other is working with; in the usual case nothing is allocated.
template <class T>
class Scratch {
public:
    Scratch() : mItem(take()) {}
    ~Scratch() { giveBack(std::move(mItem)); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    T& operator*() const noexcept { return *mItem; }
    T* operator->() const noexcept { return mItem.get(); }

private:
    static std::vector<std::unique_ptr<T>>& pool()
    {
        static std::vector<std::unique_ptr<T>> idle;
        return idle;
    }
    static std::unique_ptr<T> take()
    {
        auto& idle = pool();
        if (idle.empty())
            return std::make_unique<T>();
        std::unique_ptr<T> item = std::move(idle.back());
        idle.pop_back();
        return item;
    }
    static void giveBack(std::unique_ptr<T> item) noexcept
    {
        try {
            pool().push_back(std::move(item));
        } catch (...) {
            // No room to keep it: the object is simply freed.
        }
    }

    std::unique_ptr<T> mItem;
};

/// A label point that the label search moved into view for one redraw.
struct MovedLabel {
    int parcel = 0;
    float labelX = 0.0F;  ///< KakuchiLabelX before the move
    float labelY = 0.0F;  ///< KakuchiLabelY before the move
};

/// Flags per item of one table with the list of the items flagged, in the
/// order they were flagged; clearing costs what was flagged, not the table.
class FlagList {
public:
    /// Gives the flags room for items 0..top and clears them.
    void reset(std::size_t top);
    void set(int i)
    {
        auto& f = mFlags[static_cast<std::size_t>(i)];
        if (f == 0) {
            f = 1;
            mItems.push_back(i);
        }
    }
    bool operator[](int i) const noexcept { return mFlags[static_cast<std::size_t>(i)] != 0; }
    /// The flagged items in the order they were flagged.
    const std::vector<int>& items() const noexcept { return mItems; }

private:
    std::vector<std::uint8_t> mFlags;
    std::vector<int> mItems;
};

/// Working tables of one call of the redraw, cleared at its start.  Items
/// are flagged in ascending order, so each list is in table order.
struct RedrawWork {
    FlagList ParcelDrawn;                ///< per parcel 0..32767
    FlagList CoordVisible;               ///< per coordinate 0..500000
    FlagList LabelVisible;               ///< per parcel 0..32767
    std::vector<MovedLabel> MovedLabels; ///< one entry per parcel at most
    TableStamp LabelsBeforeMoves;        ///< the label tables' stamp before the first move
    double TwipUnit = 0.0;               ///< metres per twip of the form height
    float CoordFontSize = 0.0F;          ///< letter size of coordinate labels
    std::vector<int> Candidates;         ///< what the index gave the step at work
    std::vector<int> Merged;             ///< scratch for merging lists of items
};

/// Items the point or text drawer selected, in index order, and the
/// candidates the index gave it.
struct ItemFlags {
    std::vector<int> selected;
    std::vector<int> candidates;
};

/// Device points of one parcel fill.
struct FillPoints {
    std::vector<QPointF> points;
};

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
    /// The window as a box in absolute metres.
    GridBox box() const noexcept { return GridBox{xLo, xHi, yLo, yHi}; }
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

/// Visits items in ascending order, each once: the candidates the index gave
/// (when `indexed`) that lie within 1..last, or else every item 1..last.
/// Stops at the first visit that returns true.
template <class Visit>
void visitItems(bool indexed, const std::vector<int>& candidates, int last, Visit&& visit)
{
    if (indexed) {
        for (const int i : candidates)
            if (i >= 1 && i <= last && visit(i))
                return;
        return;
    }
    for (int i = 1; i <= last; ++i)
        if (visit(i))
            return;
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

/// Sets a fill gauge from its table: hand strokes of 1000000, texts of
/// 30000, points and lines of 500000, in percent.
void showFill(PlotFace& face, Gauge gauge);

/// A visible count kept per view extent: while ViewSpanX stays at keptSpan
/// the kept count rules, so the first redraw at an extent fixes the font and
/// the limit; at a new extent `count` is kept and returned.
long countForExtent(double& keptSpan, std::int32_t& kept, long count) noexcept;

/// Steps of the full redraw.  The kept counts live in `st`, what one call
/// works with in `work`.
void drawParcelOutlines(PlotFace& face, PlotPainter& painter, RedrawWork& work);
void drawCoordinates(PlotFace& face, PlotPainter& painter, RenderState& st, RedrawWork& work);
void drawParcelLabels(PlotFace& face, PlotPainter& painter, RenderState& st, RedrawWork& work);
/// Puts back every label point of work.MovedLabels, in list order, and
/// empties the list.
void restoreMovedLabels(RedrawWork& work) noexcept;

/// Makes sure the working tables have their full size, and clears them.
void prepareWorkingTables(RedrawWork& work);

}  // namespace tavelcor::render

namespace tavelcor::render {

/// Bounds of the shared tables as the drawers check them.
inline constexpr int kCoordTop = kZahyoTop;          ///< coordinates 0..500000
inline constexpr int kParcelTop = kKakuchiCountLimit; ///< parcels 1..32767 in use
inline constexpr long kVertexTop = kKakuchiVertexTop; ///< parcel vertex slots
inline constexpr long kTegakiTopL = kTegakiTop;       ///< hand-stroke vertices

}  // namespace tavelcor::render
