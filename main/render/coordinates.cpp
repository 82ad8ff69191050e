// SPDX-License-Identifier: LicenseRef-Tavelcor
// The SIMA coordinates in view with their markers and labels.
#include "main/render/render_internal.h"

#include "main/render/layer_sizes.h"
#include "main/render/filters.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"

#include <algorithm>
#include <utility>

namespace tavelcor::render {

namespace {

// Counts the coordinates in view and flags them, in number order: those the
// index gives for the window, or every number when it gives none.
long countVisibleCoordinates(RedrawWork& work)
{
    const RegionTester wide(currentView(), kWideWindowFactor);
    const int top = std::min<int>(ZahyoMax, kCoordTop);
    const double* xs = std::as_const(ZahyoX).begin();
    const double* ys = std::as_const(ZahyoY).begin();
    long count = 0;
    const bool indexed = siteIndex().coordinates(wide.box(), work.Candidates);
    visitItems(indexed, work.Candidates, top, [&](int i) {
        if (wide.insideNoBranch(xs[i], ys[i]) && !hiddenCoordinateName(ZahyoName[i])) {
            work.CoordVisible.set(i);
            ++count;
        }
        return false;
    });
    return count;
}

bool labelled(int used, bool vertexLabelsOff) noexcept
{
    if (used == 1)
        return !vertexLabelsOff;
    return used == 0;
}

}  // namespace

void drawCoordinates(PlotFace& face, PlotPainter& p, RenderState& st, RedrawWork& work)
{
    const long count = countForExtent(st.CoordCountSpan, st.CoordCountKept, countVisibleCoordinates(work));
    p.setDrawWidth(1);
    work.CoordFontSize = coordinateFontSizeFor(FontSize, count, PointLimit, VarFont == 1);
    p.setFontSize(work.CoordFontSize);
    if (!(count <= PointLimit || KakuchiCount == 0))
        return;
    const bool numbers = face.checkValue(1) != 0;
    const bool names = face.checkValue(2) != 0;
    const bool labels = face.checkValue(17) != 0;
    const bool vertexLabelsOff = face.checkValue(3) != 0;
    double r = MarkSize * metresPerTwip(face);
    if (PrintMode == 10)
        r /= 10;
    const ShownRanges ranges = readShownRanges(face);
    const std::uint32_t red = platform::QBColor(12);
    for (int i : work.CoordVisible.items()) {
        if (!ranges.contains(i))
            continue;
        const double x = ZahyoPY[i];
        const double y = -ZahyoPX[i];
        if (numbers || names)
            p.circle(x, y, r, red);
        if (labels && labelled(ZahyoUsed[i], vertexLabelsOff)) {
            const QString text = coordinateLabel(i, ZahyoName[i], numbers, names);
            if (!text.isEmpty())
                p.printAt(x, y, text);
        }
    }
}

}  // namespace tavelcor::render
