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

namespace tavelcor::render {

namespace {

constexpr int kAttrColumns = 39;

bool openFigure(int i)
{
    return KakuchiName[i] == u"type open";
}

// The label point is tested as an absolute position against the view, the
// way a coordinate is; no coordinate slot is borrowed for it.
long countVisibleLabels(RedrawWork& work, int count)
{
    const RegionTester view(currentView(), kViewWindowFactor);
    long visible = 0;
    for (int i = 1; i <= count; ++i) {
        if (openFigure(i))
            continue;
        const double x = static_cast<double>(KakuchiLabelX[i]) + OriginX;
        const double y = static_cast<double>(KakuchiLabelY[i]) + OriginY;
        if (view.inside(x, y)) {
            work.LabelVisible[static_cast<std::size_t>(i)] = 1;
            ++visible;
        }
    }
    return visible;
}

bool insideParcel(int parcel, double x, double y)
{
    const auto w = survey::kseek(parcel, x, y);
    return w && std::fabs(*w) > 359.0;
}

void moveLabelsIntoView(RedrawWork& work, int count)
{
    const LabelRing ring = labelRingFor(ViewCX - OriginX, ViewCY - OriginY, ViewSpanX, ViewSpanY);
    for (int i = 1; i <= count; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        if (work.ParcelDrawn[idx] != 1 || work.LabelVisible[idx] != 0)
            continue;
        const auto found = findLabelPoint(ring, [i](double x, double y) { return insideParcel(i, x, y); });
        if (!found)
            continue;
        // One entry per parcel at most, so the list never overflows and
        // every moved point is put back.
        work.MovedLabels.push_back(MovedLabel{i, KakuchiLabelX[i], KakuchiLabelY[i]});
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
    const double x = KakuchiLabelY[i];
    int line = 1;
    for (int col = 1; col <= kAttrColumns; ++col) {
        if (KakuchiAttrShow[col] != 0)
            continue;
        const double y = -(static_cast<double>(KakuchiLabelX[i]) - a * (line - 1) * FontSize * k);
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
    const auto idx = static_cast<std::size_t>(i);
    double x = 0, y = 0;
    if (work.LabelVisible[idx] == 1) {
        const auto length = platform::trimmedView(KakuchiName[i]).size();
        x = KakuchiLabelY[i] - 50.0 * work.TwipUnit * static_cast<double>(length);
        y = -static_cast<double>(KakuchiLabelX[i]) - 100.0 * work.TwipUnit;
    } else if (work.ParcelDrawn[idx] == 1 && !openFigure(i)) {
        x = KakuchiLabelY[i];
        y = -static_cast<double>(KakuchiLabelX[i]);
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
        moveLabelsIntoView(work, count);
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
    for (int i = 1; i <= count; ++i) {
        if (SelOnly == 1 && anySelected && KakuchiSel[i] == 0)
            continue;
        printLabel(face, p, work, i, k);
    }
}

void restoreMovedLabels(RedrawWork& work) noexcept
{
    for (const MovedLabel& m : work.MovedLabels) {
        KakuchiLabelX[m.parcel] = m.labelX;
        KakuchiLabelY[m.parcel] = m.labelY;
    }
    work.MovedLabels.clear();
}

}  // namespace tavelcor::render
