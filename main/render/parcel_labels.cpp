// SPDX-License-Identifier: LicenseRef-Tavelcor
// Parcel names and attribute lines at the label points, with the ring
// search that moves a label point into view for one redraw.
#include "main/render/render_internal.h"

#include "main/render/label_search.h"
#include "main/render/layer_sizes.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "platform/canvas/colors.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

namespace tavelcor::render {

namespace {

constexpr int kAttrColumns = 39;

bool openFigure(int i)
{
    return KakuchiName[i] == u"type open";
}

// The label point is tested as an absolute position against the view, the
// way a coordinate is; no coordinate slot is borrowed for it.  The parcels
// are those the index places near the view, or all of them.
long countVisibleLabels(RedrawWork& work, int count)
{
    const RegionTester view(currentView(), kViewWindowFactor);
    const float* xs = std::as_const(KakuchiLabelX).begin();
    const float* ys = std::as_const(KakuchiLabelY).begin();
    long visible = 0;
    const bool indexed = siteIndex().labels(plotWindowOf(view.box(), OriginX, OriginY), work.Candidates);
    visitItems(indexed, work.Candidates, count, [&](int i) {
        const double x = static_cast<double>(xs[i]) + OriginX;
        const double y = static_cast<double>(ys[i]) + OriginY;
        if (!openFigure(i) && view.inside(x, y)) {
            work.LabelVisible.set(i);
            ++visible;
        }
        return false;
    });
    return visible;
}

bool insideParcel(int parcel, double x, double y)
{
    const auto w = survey::kseek(parcel, x, y);
    return w && std::fabs(*w) > 359.0;
}

// Parcels whose outline reached the view while their label point did not
// get a label point inside the view for this redraw.  Each move is one write
// to each label table, as is each put-back.
void moveLabelsIntoView(RedrawWork& work)
{
    const LabelRing ring = labelRingFor(ViewCX - OriginX, ViewCY - OriginY, ViewSpanX, ViewSpanY);
    work.LabelsBeforeMoves = labelStamp();
    for (int i : work.ParcelDrawn.items()) {
        if (work.LabelVisible[i])
            continue;
        const auto found = findLabelPoint(ring, [i](double x, double y) { return insideParcel(i, x, y); });
        if (!found)
            continue;
        // One entry per parcel at most, so the list never overflows and
        // every moved point is put back.
        work.MovedLabels.push_back(
            MovedLabel{i, std::as_const(KakuchiLabelX)[i], std::as_const(KakuchiLabelY)[i]});
        KakuchiLabelX[i] = static_cast<float>(found->x);
        KakuchiLabelY[i] = static_cast<float>(found->y);
    }
}

std::uint32_t labelColor(int i)
{
    if (KakuchiSel[i] == 1)
        return TxtColorShown[12] == 0 ? platform::QBColor(15) : platform::QBColor(12);
    return TxtColorShown[4] == 0 ? platform::QBColor(15) : platform::QBColor(4);
}

void printAttributeLines(PlotPainter& p, int i, const QString& nameText, double a, double k)
{
    const double x = std::as_const(KakuchiLabelY)[i];
    const double labelX = std::as_const(KakuchiLabelX)[i];
    int line = 1;
    for (int col = 1; col <= kAttrColumns; ++col) {
        if (KakuchiAttrShow[col] != 0)
            continue;
        const double y = -(labelX - a * (line - 1) * FontSize * k);
        if (col == 1) {
            p.printAt(x, y, nameText);
        } else {
            const QString value = KakuchiAttr(i, col);
            if (!platform::trimmedView(value).isEmpty())
                p.printAt(x, y, value);
        }
        ++line;
    }
}

void printLabel(PlotFace& face, PlotPainter& p, const RedrawWork& work, int i, double k)
{
    const double labelX = std::as_const(KakuchiLabelX)[i];
    const double labelY = std::as_const(KakuchiLabelY)[i];
    double x = 0, y = 0;
    if (work.LabelVisible[i]) {
        const auto length = platform::trimmedView(KakuchiName[i]).size();
        x = labelY - 50.0 * work.TwipUnit * static_cast<double>(length);
        y = -labelX - 100.0 * work.TwipUnit;
    } else if (work.ParcelDrawn[i] && !openFigure(i)) {
        x = labelY;
        y = -labelX;
    } else {
        return;
    }
    const std::uint32_t color = labelColor(i);
    if (color == platform::QBColor(15))
        return;  // a white label under the mask pen leaves nothing
    p.setForeColor(color);
    const double a = metresPerPoint(p, face);
    const QString nameText = face.checkValue(36) != 0 ? KakuchiInfo[i] + KakuchiName[i] : KakuchiName[i];
    if (!KakuchiAttr(i, 1).isEmpty())
        printAttributeLines(p, i, nameText, a, k);
    else
        p.printAt(x, y, nameText);
}

}  // namespace

void drawParcelLabels(PlotFace& face, PlotPainter& p, RenderState& st, RedrawWork& work)
{
    if (face.checkValue(6) == 0 || KakuchiCount <= 0)
        return;
    const int count = std::min<int>(KakuchiCount, kParcelTop);
    const long visible = countForExtent(st.LabelCountSpan, st.LabelCountKept, countVisibleLabels(work, count));
    if (labelFactorFor(visible, TxtLimit) > 0.5)
        moveLabelsIntoView(work);
    if (!(visible < TxtLimit))
        return;
    double k = 1.0;
    if (VarFont == 1)
        k = std::max(labelFactorFor(visible, TxtLimit), 0.5);
    p.setFontSize(FontSize * k);
    bool anySelected = false;
    if (SelOnly == 1)
        for (int i = 1; i <= count && !anySelected; ++i)
            anySelected = KakuchiSel[i] == 1;
    // Only parcels whose label point is in view or whose outline was drawn
    // get a label; both lists are in number order.
    std::vector<int>& labelled = work.Merged;
    labelled.clear();
    const std::vector<int>& visibleLabels = work.LabelVisible.items();
    const std::vector<int>& drawn = work.ParcelDrawn.items();
    std::set_union(visibleLabels.begin(), visibleLabels.end(), drawn.begin(), drawn.end(),
                   std::back_inserter(labelled));
    for (int i : labelled) {
        if (SelOnly == 1 && anySelected && KakuchiSel[i] == 0)
            continue;
        printLabel(face, p, work, i, k);
    }
}

void restoreMovedLabels(RedrawWork& work) noexcept
{
    if (work.MovedLabels.empty())
        return;
    for (const MovedLabel& m : work.MovedLabels) {
        KakuchiLabelX[m.parcel] = m.labelX;
        KakuchiLabelY[m.parcel] = m.labelY;
    }
    // The label points hold what they held before the moves again.
    siteIndex().labelsPutBack(work.LabelsBeforeMoves, 2 * work.MovedLabels.size());
    work.MovedLabels.clear();
}

}  // namespace tavelcor::render
