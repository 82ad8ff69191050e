// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/range_operations.h"

#include "geodesy/plane_geometry.h"
#include "main/edit/range_hits.h"
#include "main/edit/undo_history.h"
#include "main/interact/text_boxes.h"
#include "main/render/filters.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavelcor {
namespace {

constexpr int kNotXorPen = 10;
constexpr int kGreyBand = 8;
constexpr int kWhite = 15;
constexpr int kDeletedFrom = 100;
constexpr int kPickableColourEnd = 20;
constexpr int kStrokeWidth = 2;

std::uint32_t white()
{
    return platform::QBColor(kWhite);
}

int widthOf(int colourIndex)
{
    return colourIndex >= 0 && colourIndex <= kColorTableTop ? LineWidthOf[colourIndex] : 1;
}

// The open rectangle between two corners, in the plot's scale.
class Rect {
public:
    Rect(double xa, double ya, double xb, double yb)
        : mX1(std::min(xa, xb)), mY1(std::min(ya, yb)), mX2(std::max(xa, xb)), mY2(std::max(ya, yb))
    {
    }
    bool inside(double x, double y) const { return mX1 < x && x < mX2 && mY1 < y && y < mY2; }
    /// A plot position (north, east) strictly inside.
    bool holds(double north, double east) const { return inside(east, -north); }
    double x1() const { return mX1; }
    double x2() const { return mX2; }
    double y1() const { return mY1; }
    double y2() const { return mY2; }

private:
    double mX1, mY1, mX2, mY2;
};

// The range from the press corner to the release.
Rect pressRange(double x, double y)
{
    return Rect(RangeStartX, RangeStartY, x, y);
}

// Takes the rubber rectangle that the motion drew off the plot.
void clearRubberRectangle(Plot& window)
{
    RangeBoxDrawn = 0;
    platform::Canvas& canvas = window.Picture1.canvas();
    canvas.setDrawMode(kNotXorPen);
    canvas.setDrawWidth(1);
    canvas.Line(RangeStartX, RangeStartY, static_cast<float>(LastClickX), static_cast<float>(LastClickY),
                platform::QBColor(kGreyBand), platform::LineOpt::Box);
    canvas.setDrawMode(render::kCopyPen);
}

// The records of one drag: numbered from `first`, stopped at the cap.
class RangeGroup {
public:
    /// `alignFirst`: the history position goes up to the newest record
    /// before the scan (every operation but the line recolour).
    RangeGroup(int first, bool alignFirst) : mNumber(first)
    {
        if (alignFirst) {
            if (UndoTop > UndoPos)
                UndoPos = UndoTop;
            UndoTop = UndoPos;
        }
    }

    int number() const { return mNumber; }

    /// Records the next record. True when the group must stop here: the
    /// cap is reached; with `moreInTable` the cap's message is shown.
    bool record(const UndoRecordFields& fields, bool moreInTable, const QString& capMessage)
    {
        pushUndoRecord(fields);
        const bool full = mNumber >= kRangeGroupCap;
        ++mNumber;
        if (full && moreInTable)
            platform::MsgBox(capMessage, platform::MsgButtons::OkOnly);
        return full;
    }

private:
    int mNumber;
};

float runningNumber(const RangeGroup& group)
{
    return static_cast<float>(group.number());
}

QString runningText(const RangeGroup& group)
{
    return QString::number(group.number());
}

// Paints the stroke from vertex `first` to `last` in white.
void paintStrokeWhite(render::PlotPainter& painter, int first, int last)
{
    painter.setDrawWidth(kStrokeWidth);
    for (int v = first; v < last; ++v)
        painter.line(std::as_const(TegakiY)[v], -double(std::as_const(TegakiX)[v]), std::as_const(TegakiY)[v + 1],
                     -double(std::as_const(TegakiX)[v + 1]), white());
}

bool strokeVertexTakesPart(int i)
{
    if (TegakiPen[i] == kPenDeleted)
        return false;
    const int c = TegakiColor[i];
    if (c > kColorTableTop || TegakiColorShown[c] != 1)
        return false;
    return i + 1 > kTegakiTop || TegakiPen[i + 1] != kPenFirst;
}

// The stroke around vertex i: forward to its last vertex (giving the table's
// last vertex the last pen code when none comes), back to its first.
std::pair<int, int> strokeAround(int i)
{
    int last = i;
    while (last < TegakiCount && TegakiPen[last] != kPenLast)
        ++last;
    if (TegakiPen[last] != kPenLast)
        TegakiPen[last] = kPenLast;
    int first = i;
    while (first >= 1 && TegakiPen[first] != kPenFirst)
        --first;
    if (first < 1)
        first = last;
    return {first, last};
}

// Paints observation point i's marker and label over in white.
void paintPointWhite(Plot& window, render::PlotPainter& painter, int i, double k)
{
    if (PointMark[i] == 0)
        return;
    const double pn = std::as_const(PointX)[i];
    const double pe = std::as_const(PointY)[i];
    painter.setForeColor(white());
    painter.pset(pe - 9.5 * k, -(pn + 8.4 * k), white());
    painter.printAt(pe - 9.5 * k, -(pn + 8.4 * k), WindowPlotFace(window).symbolCaption(PointMark[i]));
    painter.pset(pe, -pn, white());
    painter.printAt(pe, -pn, QLatin1Char(' ') + PointName[i] + PointName2[i]);
}

enum class TextTest { CornersOnly, CornersAndCrossing };

// Whether a line box of a text is caught by the range (north-up frame).
bool textBoxCaught(const Rect& range, const TextBox& box, TextTest test)
{
    if (range.holds(box.north, box.east) || range.holds(box.south, box.west))
        return true;
    if (test == TextTest::CornersOnly)
        return false;
    double ax1 = range.x1();
    double ay1 = -range.y2();
    double ax2 = range.x2();
    double ay2 = -range.y1();
    return Hantei5(ax1, ay1, ax2, ay2, box.west, box.south, box.east, box.north) == 1;
}

// A plot position (north, east).
struct NE {
    double n;
    double e;
};

// Whether line i crosses one of the range's sides, tried in the order:
// the two sides through the press corner, then the two through the release.
bool lineCrossesRange(int i, NE press, NE release)
{
    const NE a{std::as_const(LineX1)[i], std::as_const(LineY1)[i]};
    const NE b{std::as_const(LineX2)[i], std::as_const(LineY2)[i]};
    const std::array<std::pair<NE, NE>, 4> sides{{
        {press, {press.n, release.e}},
        {press, {release.n, press.e}},
        {release, {press.n, release.e}},
        {release, {release.n, press.e}},
    }};
    for (const auto& [s, t] : sides) {
        const geodesy::IntersectionResult p =
            geodesy::Intersection(a.n, a.e, b.n, b.e, s.n, s.e, t.n, t.e, ViewSpanX);
        if (Lxari(a.n, a.e, p.x2, p.y2, s.n, s.e, p.x4, p.y4, p.x, p.y) == 1)
            return true;
    }
    return false;
}

bool lineCaught(int i, const Rect& range, NE press, NE release)
{
    return range.holds(LineX1[i], LineY1[i]) || range.holds(LineX2[i], LineY2[i])
           || lineCrossesRange(i, press, release);
}

bool lineTakesPart(int i)
{
    return LineColor[i] < kPickableColourEnd && LineShown(i);
}

// The lines caught by the drag, in index order, each handed to `change`
// until it returns true (the group stopped).
template <typename Change>
void scanLines(double x, double y, Change change)
{
    const Rect range = pressRange(x, y);
    const NE press{-static_cast<double>(RangeStartY), RangeStartX};
    const NE release{-y, x};
    const int last = lastLineIndex();
    for (int i = 1; i <= last; ++i) {
        if (lineTakesPart(i) && lineCaught(i, range, press, release) && change(i, i < last))
            return;
    }
}

// The texts caught by the drag, each handed to `change` until it returns
// true.
template <typename Change>
void scanTexts(Plot& window, double x, double y, TextTest test, Change change)
{
    WindowPlotFace face(window);
    const Rect range = pressRange(x, y);
    const TextBoxScale scale = textBoxScale(face, FontSize * static_cast<double>(TextScale));
    const int last = std::min(TxtCount, kTxtTop);
    for (int i = 1; i <= last; ++i) {
        if (!textTakesPart(i))
            continue;
        const bool caught = anyTextBox(face, i, scale, [&](const TextBox& box) {
            return textBoxCaught(range, box, test);
        });
        if (caught && change(i, i < last))
            return;
    }
}

}  // namespace

QString rangeDeleteCapMessage()
{
    return QStringLiteral("5000件削除しました。ここで削除を中断します。連続して大量削除すると、UNDOができなくなります");
}

QString rangeChangeCapMessage()
{
    return QStringLiteral("5000件変更しました。ここで削除を中断します。連続して大量変更すると、UNDOができなくなります");
}

void deleteStrokesInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    RangeGroup group(1, true);
    const Rect range = pressRange(x, y);
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setDrawMode(render::kCopyPen);
    const int count = std::min(TegakiCount, kTegakiTop);
    for (int i = 2; i <= count; ++i) {
        if (!strokeVertexTakesPart(i) || !range.holds(TegakiX[i], TegakiY[i]))
            continue;
        const auto [first, last] = strokeAround(i);
        for (int v = first; v <= last; ++v)
            TegakiPen[v] = kPenDeleted;
        paintStrokeWhite(painter, first, last);
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangeStrokeDeleted)
                                            .values(static_cast<float>(first), static_cast<float>(last))
                                            .texts(runningText(group));
        if (group.record(fields, i < count, rangeDeleteCapMessage()))
            break;
    }
    painter.setDrawWidth(1);
}

void deletePointsInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    RangeGroup group(1, true);
    const Rect range = pressRange(x, y);
    WindowPlotFace face(window);
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setFontSize(PointFontSize);
    const double width = face.pictureWidthTwips();
    const double k = width > 0.0 ? PointFontSize * ViewSpanY / width : 0.0;
    const int last = lastPointIndex();
    for (int i = 1; i <= last; ++i) {
        if (PointMark[i] >= kDeletedFrom || !PointShown(face, i) || !range.holds(PointX[i], PointY[i]))
            continue;
        paintPointWhite(window, painter, i, k);
        PointMark[i] = static_cast<std::uint8_t>(PointMark[i] + kDeletedFrom);
        DelPending = 0;
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangePointDeleted)
                                            .values(static_cast<float>(i), runningNumber(group));
        if (group.record(fields, i < last, rangeDeleteCapMessage()))
            break;
    }
}

void deleteTextsInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    RangeGroup group(1, true);
    render::PlotFace& face = plotFace();
    scanTexts(window, x, y, TextTest::CornersAndCrossing, [&](int i, bool more) {
        Txtexprint(face, i, kWhite);
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangeTextDeleted)
                                            .values(static_cast<float>(i), runningNumber(group));
        TxtColor[i] = static_cast<std::uint8_t>(TxtColor[i] + kDeletedFrom);
        window.Command34.setVisible(true);
        window.Command34.setDefault(false);
        return group.record(fields, more, rangeDeleteCapMessage());
    });
}

void recolourTextsInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    RangeGroup group(1, true);
    render::PlotFace& face = plotFace();
    const int colour = TxtColorCur;
    scanTexts(window, x, y, TextTest::CornersOnly, [&](int i, bool more) {
        Txtexprint(face, i, colour);
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangeTextColor)
                                            .item(i)
                                            .values(static_cast<float>(TxtColor[i]), static_cast<float>(colour))
                                            .texts(runningText(group));
        TxtColor[i] = static_cast<std::uint8_t>(colour);
        window.Command34.setDefault(false);
        return group.record(fields, more, rangeChangeCapMessage());
    });
}

void deleteLinesInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    RangeGroup group(1, true);
    render::PlotPainter painter(window.Picture1.canvas());
    scanLines(x, y, [&](int i, bool more) {
        painter.setDrawWidth(widthOf(LineColor[i]));
        painter.setDrawMode(render::kCopyPen);
        painter.line(LineY1[i], -LineX1[i], LineY2[i], -LineX2[i], white());
        LineColor[i] = static_cast<std::uint8_t>(LineColor[i] + kDeletedFrom);
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangeLineDeleted)
                                            .values(static_cast<float>(i), runningNumber(group));
        return group.record(fields, more, rangeDeleteCapMessage());
    });
    painter.setDrawWidth(1);
}

void recolourLinesInRange(Plot& window, double x, double y)
{
    clearRubberRectangle(window);
    const int colour = SelectedIndex(window.Option14);
    if (colour < 0)
        return;  // no colour chosen: nothing to give the lines
    RangeGroup group(PickedLine != 0 ? 2 : 1, false);
    PickedLine = 0;
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setDrawWidth(kStrokeWidth);
    painter.setDrawMode(render::kCopyPen);
    scanLines(x, y, [&](int i, bool more) {
        const int old = LineColor[i];
        painter.setDrawWidth(widthOf(old));
        painter.line(LineY1[i], -LineX1[i], LineY2[i], -LineX2[i], white());
        LineColor[i] = static_cast<std::uint8_t>(colour);
        painter.setDrawWidth(widthOf(colour));
        painter.line(LineY1[i], -LineX1[i], LineY2[i], -LineX2[i], platform::QBColor(colour));
        painter.setDrawWidth(kStrokeWidth);
        const UndoRecordFields fields = UndoRecordFields(undo_kind::kRangeLineColor)
                                            .item(i)
                                            .values(static_cast<float>(old), static_cast<float>(colour))
                                            .texts(QLatin1Char(' ') + runningText(group));
        return group.record(fields, more, rangeChangeCapMessage());
    });
    painter.setDrawWidth(1);
}

void selectParcelsInRange(Plot& window, double x, double y)
{
    ParcelRange = 0;
    if (KakuchiCount > 0) {
        const Rect range(LastClickX, LastClickY, x, y);
        const int count = std::min<int>(KakuchiCount, kKakuchiTop);
        for (int p = 1; p <= count; ++p) {
            if (KakuchiSel[p] != 0)
                continue;
            const int first = std::max(KakuchiFirst[p] + 1, 0);
            const int last = std::min(KakuchiLast[p], kKakuchiVertexTop);
            bool all = true;
            for (int v = first; v <= last && all; ++v) {
                const int j = KakuchiVertex[v];
                all = j >= 0 && j <= kZahyoTop && range.holds(ZahyoPX[j], ZahyoPY[j]);
            }
            if (all)
                KakuchiSel[p] = 1;
        }
        crtplot(plotFace());
    }
    window.Check37.setValue(platform::check::Unchecked);
}

}  // namespace tavelcor
