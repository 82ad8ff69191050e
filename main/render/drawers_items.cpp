// SPDX-License-Identifier: LicenseRef-Tavelcor
// Observation points and texts.
#include "main/render/plot_render.h"

#include "main/render/filters.h"
#include "main/render/layer_sizes.h"
#include "main/render/render_internal.h"
#include "main/render/text_layout.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace tavelcor::render {

namespace {

constexpr int kMarks = 18;

// The marker buttons are read once per call, not once per point.
struct Symbols {
    std::array<bool, 100> shown{};
    std::array<QString, kMarks + 1> caption;
    std::array<std::uint32_t, kMarks + 1> color{};
};

Symbols readSymbols(const PlotFace& face)
{
    Symbols s;
    const int layer = face.checkValue(12);
    for (int m = 1; m <= 99; ++m) {
        const std::uint32_t color = m <= kMarks ? face.symbolColor(m) : 0U;
        s.shown[static_cast<std::size_t>(m)] = pointShownBy(m, layer, color);
        if (m <= kMarks) {
            s.caption[static_cast<std::size_t>(m)] = face.symbolCaption(m);
            s.color[static_cast<std::size_t>(m)] = color;
        }
    }
    return s;
}

// Flags the points in view, in index order, stopping one past the limit:
// among those the index places near the window, or among all.
long selectPoints(ItemFlags& work, const Symbols& symbols, int last)
{
    const RegionTester wide(currentView(), kWideWindowFactor);
    const std::uint8_t* marks = std::as_const(PointMark).begin();
    const double* xs = std::as_const(PointX).begin();
    const double* ys = std::as_const(PointY).begin();
    long n = 0;
    // True when the selection stops.
    auto take = [&](int i) {
        const int m = marks[i];
        if (m <= 0 || m > 99 || !symbols.shown[static_cast<std::size_t>(m)])
            return false;
        if (!wide.insideNoBranch(xs[i] + OriginX, ys[i] + OriginY))
            return false;
        work.selected.push_back(i);
        return ++n > PointLimit;
    };
    const bool indexed = siteIndex().points(plotWindowOf(wide.box(), OriginX, OriginY), work.candidates);
    visitItems(indexed, work.candidates, last, take);
    return n;
}

void drawPoint(PlotPainter& p, const Symbols& symbols, int i, double k, bool measuredNames, bool names)
{
    const double px = std::as_const(PointX)[i], py = std::as_const(PointY)[i];
    const int m = PointMark[i];
    if (m <= kMarks) {
        p.setForeColor(symbols.color[static_cast<std::size_t>(m)]);
        p.printAt(py - 9.5 * k, -(px + 8.4 * k), symbols.caption[static_cast<std::size_t>(m)]);
    }
    const bool measured = PointName2[i].contains(u'済');
    p.setForeColor(platform::QBColor(measured ? 12 : 0));
    if (measured && !measuredNames)
        return;
    if (names)
        p.printAt(py, -px, QLatin1Char(' ') + PointName[i] + PointName2[i]);
}

}  // namespace

void Pointview(PlotFace& face)
{
    PlotPainter p(face.picture());
    const Scratch<ItemFlags> scratch;
    scratch->selected.clear();
    const int last = std::clamp<int>(PointCount, 0, kPointTop);
    const Symbols symbols = readSymbols(face);
    const long n = selectPoints(*scratch, symbols, last);
    PointFontSize = pointFontSizeFor(FontSize, n, PointLimit, VarFont == 1);
    p.setFontSize(PointFontSize);
    if (n <= PointLimit) {
        const double k = p.fontSize() * metresPerTwip(face);
        if (PrintMode == 10)
            p.setFontSize(p.fontSize() / 10);
        const bool measuredNames = face.checkValue(16) != 0;
        const bool names = face.checkValue(17) != 0;
        for (int i : scratch->selected)
            drawPoint(p, symbols, i, k, measuredNames, names);
    }
    showFill(face, Gauge::Point);
}

namespace {

bool anySelectedText(int last)
{
    for (int i = 1; i <= last; ++i)
        if (TxtSel[i] == 1)
            return true;
    return false;
}

// Flags the texts in view, in index order, stopping one past the limit:
// among those the index places near the window, or among all.
long selectTexts(ItemFlags& work, int last)
{
    const bool selectedOnly = SelOnly == 1 && anySelectedText(last);
    const RegionTester wide(currentView(), kWideWindowFactor);
    const float* xs = std::as_const(TxtX).begin();
    const float* ys = std::as_const(TxtY).begin();
    long n = 0;
    // True when the selection stops.
    auto take = [&](int i) {
        if (!TextShown(i) && TxtSel[i] != 1)
            return false;
        if (platform::trimmedView(TxtString[i]).isEmpty() && TxtColor[i] >= 21)
            return false;
        if (selectedOnly && TxtSel[i] == 0)
            return false;
        if (!wide.inside(xs[i] + OriginX, ys[i] + OriginY))
            return false;
        work.selected.push_back(i);
        return ++n > TxtLimit;
    };
    const bool indexed = siteIndex().texts(plotWindowOf(wide.box(), OriginX, OriginY), work.candidates);
    visitItems(indexed, work.candidates, last, take);
    return n;
}

// Calls visit(k, offset) for each line k (from 1) of a text laid out into
// lines that TxtLineShow leaves shown, in order; offset is how many metres
// south of the text's point it stands: one line pitch (the scaled letter
// height) per shown line before it.
template <typename Visit>
void forEachShownLine(PlotPainter& p, const PlotFace& face, const TextLines& lines, Visit visit)
{
    const double pitch = FontSize * metresPerPoint(p, face) * TextScale;
    const LineShowFlags show{TxtLineShow.begin(), static_cast<int>(TxtLineShow.kSize)};
    int j = 0;
    for (int k = 1; k <= lines.count; ++k) {
        if (!show.shown(k))
            continue;
        visit(k, j * pitch);
        ++j;
    }
}

}  // namespace

void Txtview(PlotFace& face)
{
    PlotPainter p(face.picture());
    p.setFontSize(FontSize);
    if (TxtCount > 0) {
        const Scratch<ItemFlags> scratch;
        scratch->selected.clear();
        const int last = std::min<int>(TxtCount, kTxtTop);
        const long n = selectTexts(*scratch, last);
        TextScale = textScaleFor(n, TxtLimit, VarFont == 1);
        if (n < TxtLimit) {
            for (int i : scratch->selected)
                Txtexprint(face, i, TxtSel[i] != 0 ? 13 : TxtColor[i]);
        }
    }
    showFill(face, Gauge::Text);
}

void Txtexprint(PlotFace& face, int i, int C)
{
    // Colours above 20 (a deleted text's 100 + c) draw nothing; neither do
    // 16..20, which name no palette colour.
    if (C > 15 || C < 0 || i < 0 || i > kTxtTop)
        return;
    PlotPainter p(face.picture());
    p.setForeColor(platform::QBColor(C));
    p.setFontSize(static_cast<double>(TextScale) * FontSize);
    const QString& s = TxtString[i];
    const double x = std::as_const(TxtX)[i], y = std::as_const(TxtY)[i];
    if (!usesLineLayout(TxtSplit, s)) {
        p.printAt(y, -x, s);
        return;
    }
    TextLines lines;
    splitTextLines(s, lines);
    forEachShownLine(p, face, lines, [&](int k, double offset) {
        p.printAt(y, -(x - offset), lines.lines[static_cast<std::size_t>(k - 1)]);
    });
}

int Txtexserch(PlotFace& face, int i)
{
    if (i < 0 || i > kTxtTop)
        return 0;
    PlotPainter p(face.picture());
    const QString& s = TxtString[i];
    const double x = std::as_const(TxtX)[i];
    TxtLinePos[1] = static_cast<float>(x);
    TxtLineStr[1] = s;
    if (!usesLineLayout(TxtSplit, s))
        return 1;
    TextLines lines;
    splitTextLines(s, lines);
    forEachShownLine(p, face, lines, [&](int k, double offset) {
        TxtLinePos[k] = static_cast<float>(x - offset);
        TxtLineStr[k] = lines.lines[static_cast<std::size_t>(k - 1)].toString();
    });
    return lines.count;
}

}  // namespace tavelcor::render
