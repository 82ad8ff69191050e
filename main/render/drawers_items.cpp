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
#include <vector>

namespace tavelcor::render {

namespace {

constexpr int kMarks = 18;

void clearFlags(std::vector<std::uint8_t>& flags, std::size_t top)
{
    if (flags.size() < static_cast<std::size_t>(kPointTop) + 1)
        flags.assign(static_cast<std::size_t>(kPointTop) + 1, 0);
    std::fill_n(flags.begin(), std::min(top + 1, flags.size()), std::uint8_t{0});
}

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

long selectPoints(std::vector<std::uint8_t>& flags, const Symbols& symbols, int last)
{
    const RegionTester wide(currentView(), kWideWindowFactor);
    const std::uint8_t* marks = PointMark.begin();
    const double* xs = PointX.begin();
    const double* ys = PointY.begin();
    long n = 0;
    for (int i = 1; i <= last; ++i) {
        const int m = marks[i];
        if (m <= 0 || m > 99 || !symbols.shown[static_cast<std::size_t>(m)])
            continue;
        if (!wide.insideNoBranch(xs[i] + OriginX, ys[i] + OriginY))
            continue;
        flags[static_cast<std::size_t>(i)] = 1;
        if (++n > PointLimit)
            break;
    }
    return n;
}

void drawPoint(PlotPainter& p, const Symbols& symbols, int i, double k, bool measuredNames, bool names)
{
    const double px = PointX[i], py = PointY[i];
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
    std::vector<std::uint8_t>& flags = scratch->flags;
    const int last = std::clamp<int>(PointCount, 0, kPointTop);
    clearFlags(flags, static_cast<std::size_t>(last));
    const Symbols symbols = readSymbols(face);
    const long n = selectPoints(flags, symbols, last);
    PointFontSize = pointFontSizeFor(FontSize, n, PointLimit, VarFont == 1);
    p.setFontSize(PointFontSize);
    if (n <= PointLimit) {
        const double k = p.fontSize() * metresPerTwip(face);
        if (PrintMode == 10)
            p.setFontSize(p.fontSize() / 10);
        const bool measuredNames = face.checkValue(16) != 0;
        const bool names = face.checkValue(17) != 0;
        for (int i = 1; i <= last; ++i)
            if (flags[static_cast<std::size_t>(i)] != 0)
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

long selectTexts(std::vector<std::uint8_t>& flags, int last)
{
    const bool selectedOnly = SelOnly == 1 && anySelectedText(last);
    const RegionTester wide(currentView(), kWideWindowFactor);
    long n = 0;
    for (int i = 1; i <= last; ++i) {
        if (!TextShown(i) && TxtSel[i] != 1)
            continue;
        if (platform::trimmedView(TxtString[i]).isEmpty() && TxtColor[i] >= 21)
            continue;
        if (selectedOnly && TxtSel[i] == 0)
            continue;
        if (!wide.inside(TxtX[i] + OriginX, TxtY[i] + OriginY))
            continue;
        flags[static_cast<std::size_t>(i)] = 1;
        if (++n > TxtLimit)
            break;
    }
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
        std::vector<std::uint8_t>& flags = scratch->flags;
        const int last = std::min<int>(TxtCount, kTxtTop);
        clearFlags(flags, static_cast<std::size_t>(last));
        const long n = selectTexts(flags, last);
        TextScale = textScaleFor(n, TxtLimit, VarFont == 1);
        if (n < TxtLimit) {
            for (int i = 1; i <= last; ++i)
                if (flags[static_cast<std::size_t>(i)] != 0)
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
    const double x = TxtX[i], y = TxtY[i];
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
    TxtLinePos[1] = TxtX[i];
    TxtLineStr[1] = s;
    if (!usesLineLayout(TxtSplit, s))
        return 1;
    TextLines lines;
    splitTextLines(s, lines);
    forEachShownLine(p, face, lines, [&](int k, double offset) {
        TxtLinePos[k] = static_cast<float>(TxtX[i] - offset);
        TxtLineStr[k] = lines.lines[static_cast<std::size_t>(k - 1)].toString();
    });
    return lines.count;
}

}  // namespace tavelcor::render
