// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/line_clicks.h"

#include "geodesy/constants.h"
#include "geodesy/plane_geometry.h"
#include "main/edit/undo_history.h"
#include "main/interact/line_picks.h"
#include "main/interact/press_bodies.h"
#include "main/render/filters.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/buttons.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

constexpr int kNotXorPen = 10;
constexpr int kGreyPicked = 7;
constexpr int kGreyBand = 8;
constexpr int kMagenta = 13;
constexpr int kWhite = 15;
constexpr int kCtrl = 2;
constexpr int kShift = 1;
const QString kStartMark = QStringLiteral("起点");

std::uint32_t colour(int index)
{
    return platform::isQBColorIndex(index) ? platform::QBColor(index) : platform::QBColor(0);
}

int widthOf(int colourIndex)
{
    return colourIndex >= 0 && colourIndex <= kColorTableTop ? LineWidthOf[colourIndex] : 1;
}

bool validLine(int i)
{
    return i >= 1 && i <= lastLineIndex();
}

PlotPosition pressPosition(const Press& press)
{
    return {-press.y, press.x};
}

PlotPosition firstEnd(int i)
{
    return {std::as_const(LineX1)[i], std::as_const(LineY1)[i]};
}

PlotPosition secondEnd(int i)
{
    return {std::as_const(LineX2)[i], std::as_const(LineY2)[i]};
}

void setEnd(int i, bool first, PlotPosition p)
{
    (first ? LineX1 : LineX2)[i] = p.north;
    (first ? LineY1 : LineY2)[i] = p.east;
}

// Draws line i in `color` `width` pixels wide with the copy pen.
void drawLine(render::PlotPainter& painter, int i, std::uint32_t color, int width)
{
    painter.setDrawWidth(width);
    painter.line(std::as_const(LineY1)[i], -std::as_const(LineX1)[i], std::as_const(LineY2)[i],
                 -std::as_const(LineX2)[i], color);
}

// Removes the rubber band from `from` to the last press by drawing it once
// more with the not-xor pen.
void eraseRubberBand(render::PlotPainter& painter, PlotPosition from)
{
    painter.setDrawMode(kNotXorPen);
    painter.setDrawWidth(1);
    painter.line(from.east, -from.north, LastClickX, LastClickY, colour(kGreyBand));
    painter.setDrawMode(render::kCopyPen);
}

double plotUnitsPerTwip(Plot& window)
{
    const double width = WindowPlotFace(window).pictureWidthTwips();
    return width > 0.0 ? ViewSpanY / width : 0.0;
}

int chosenLineColour(const Plot& window)
{
    return SelectedIndex(window.Option14);
}

// Line i as it stood before a change, in the scratch entry 0.
void keepOldLine(int i)
{
    LineX1[0] = LineX1[i];
    LineY1[0] = LineY1[i];
    LineX2[0] = LineX2[i];
    LineY2[0] = LineY2[i];
}

// The snapped observation point in magenta: its glyph and its label.
void markSnappedPoint(Plot& window, render::PlotPainter& painter, int i)
{
    WindowPlotFace face(window);
    painter.setFontSize(PointFontSize);
    const double u = PointFontSize * plotUnitsPerTwip(window);
    const double pn = std::as_const(PointX)[i];
    const double pe = std::as_const(PointY)[i];
    painter.setForeColor(colour(kMagenta));
    painter.pset(pe - 9.5 * u, -(pn + 8.4 * u), colour(kWhite));
    painter.printAt(pe - 9.5 * u, -(pn + 8.4 * u), face.symbolCaption(PointMark[i]));
    painter.pset(pe, -pn, colour(kWhite));
    painter.printAt(pe, -pn, QLatin1Char(' ') + PointName[i] + PointName2[i]);
}

// The snap cascade of "ピック" for a press; the press takes the position
// found, which is marked on the plot.
PlotPosition snapped(Plot& window, render::PlotPainter& painter, PlotPosition at, SnapUse use)
{
    if (window.Check25.Value() != platform::check::Checked)
        return at;
    WindowPlotFace face(window);
    SnapView view;
    view.pointShown = [&face](int i) { return PointShown(face, i); };
    view.lineShown = [](int i) { return LineShown(i); };
    view.insideView = [](double absNorth, double absEast) {
        ZahyoX[0] = absNorth;
        ZahyoY[0] = absEast;
        return hantei(0) == 5;
    };
    view.coordinateInView = [](int j) { return hantei(j) == 5; };
    view.coordinatesShown = window.Check1.Value() == platform::check::Checked
                            || window.Check2.Value() == platform::check::Checked;
    const SnapHit hit = snapPress(at.north, at.east, snapBaseRadius(HitRadius, ViewSpanX), use, view);
    if (hit.kind == SnapKind::Point)
        markSnappedPoint(window, painter, hit.index);
    else if (hit.kind == SnapKind::Coordinate)
        ZahyoIDplot(face, hit.index);
    if (hit.kind == SnapKind::None)
        return at;
    return {hit.north, hit.east};
}

void pushEndMoved(int line, bool firstMoved, PlotPosition old, const QString& northText, const QString& eastText)
{
    pushUndoRecord(UndoRecordFields(undo_kind::kLineEndMoved)
                       .item(firstMoved ? -line : line)
                       .values(static_cast<float>(old.north), static_cast<float>(old.east))
                       .texts(northText, eastText));
}

// Prints "起点" below the start point in the painter's colour.
void printStartMark(Plot& window, render::PlotPainter& painter, PlotPosition start, std::uint32_t color)
{
    const double below = FontSize * 20.0 * plotUnitsPerTwip(window) * TextScale;
    painter.setForeColor(color);
    painter.pset(start.east, -start.north + below, colour(kWhite));
    painter.printAt(start.east, -start.north + below, kStartMark);
}

// Ctrl on the first press: the line MoveLine gets the typed length from its
// end nearer the press, keeping its direction.
void typeLineLength(Plot& window, render::PlotPainter& painter)
{
    const int i = MoveLine;
    keepOldLine(i);
    window.Label28.setCaption(QString());
    const bool firstMoves = MoveLineEnd == 1;
    const PlotPosition start = firstMoves ? secondEnd(i) : firstEnd(i);
    const PlotPosition moving = firstMoves ? firstEnd(i) : secondEnd(i);
    printStartMark(window, painter, start, colour(kMagenta));
    const geodesy::InverseResult dir = geodesy::Inverse(moving.north - start.north, moving.east - start.east);
    const QString answer = platform::InputBox(QStringLiteral("起点からの長さ="), std::nullopt,
                                              platform::CStr(lengthToMillimetre(dir.distance)));
    printStartMark(window, painter, start, colour(kWhite));
    if (const std::optional<double> length = typedLength(answer)) {
        const double az = dir.angleDeg * geodesy::kPi / 180.0;
        const PlotPosition moved{start.north + *length * std::cos(az), start.east + *length * std::sin(az)};
        setEnd(i, firstMoves, moved);
        pushEndMoved(i, firstMoves, moving, undoCoordinateText(moved.north), undoCoordinateText(moved.east));
    }
    Lineview(plotFace());
    LineDragging = 0;
}

void pickLineToMove(Plot& window, render::PlotPainter& painter, const Press& press)
{
    const PlotPosition at = pressPosition(press);
    const LineFootPick pick = pickLineByFoot(at.north, at.east, 100.0 * plotUnitsPerTwip(window),
                                             [](int i) { return LineShown(i); });
    if (pick.line != 0) {
        const int i = pick.line;
        PickedLine = i;
        MoveLine = i;
        MoveLineEnd = pick.alongFromFirst < pick.length / 2.0 ? 2 : 1;
        drawLine(painter, i, colour(kGreyPicked), widthOf(LineColor[i]));
        LastClickX = LineY1[i];
        LastClickY = -LineX1[i];
        painter.setDrawWidth(1);
        LineDragging = 1;
    }
    if (press.shift != kCtrl || MoveLine == 0)
        return;
    if (!validLine(MoveLine)) {
        LineDragging = 0;
        return;
    }
    typeLineLength(window, painter);
}

void dropLineEnd(Plot& window, render::PlotPainter& painter, const Press& press)
{
    const int i = MoveLine;
    LineDragging = 0;
    if (!validLine(i))
        return;
    const bool firstMoves = MoveLineEnd == 2;
    const PlotPosition fixed = firstMoves ? secondEnd(i) : firstEnd(i);
    eraseRubberBand(painter, fixed);
    PlotPosition at = snapped(window, painter, pressPosition(press), SnapUse::LineMoveDrop);
    drawLine(painter, i, colour(kWhite), widthOf(LineColor[i]));
    PickedLine = i;
    keepOldLine(i);
    painter.setDrawWidth(1);
    const PlotPosition old = firstMoves ? firstEnd(i) : secondEnd(i);
    if (press.shift == kShift)
        at = constrainMovedEnd(fixed, at);
    setEnd(i, firstMoves, at);
    if (press.shift == kShift)
        crtplot(plotFace());
    const PlotPosition stored = firstMoves ? firstEnd(i) : secondEnd(i);
    pushEndMoved(i, firstMoves, old, undoCoordinateText(stored.north), undoCoordinateText(stored.east));
    Lineview(plotFace());
}

// A further vertex of the chain: completes line n = LineNext at the press
// and starts line n + 1 there.
void completeLine(Plot& window, render::PlotPainter& painter, PlotPosition at, int shift)
{
    const int n = LineNext;
    const PlotPosition start = firstEnd(n);
    if (static_cast<float>(at.north) == static_cast<float>(start.north)
        && static_cast<float>(at.east) == static_cast<float>(start.east))
        return;  // a press on the chain's last vertex adds nothing
    setEnd(n, false, at);
    if (shift == kShift) {
        at = constrainSegment(start, at);
        setEnd(n, false, at);
        crtplot(plotFace());
    }
    pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(static_cast<float>(n)));
    LineNext = n + 1;
    if (n + 1 > kLineTop) {
        // The table is full: the chain ends with this line.
        LineRubber = 0;
    } else {
        setEnd(n + 1, true, at);
        LineColor[n + 1] = static_cast<std::uint8_t>(std::max(chosenLineColour(window), 0));
    }
    const int nextColour = n + 1 <= kLineTop ? LineColor[n + 1] : LineColor[n];
    painter.setDrawWidth(widthOf(nextColour));
    painter.line(start.east, -start.north, at.east, -at.north, colour(LineColor[n]));
    LineChainLength += std::hypot(at.north - start.north, at.east - start.east);
    painter.setDrawWidth(1);
}

}  // namespace

QString lineTableFullMessage()
{
    return QStringLiteral("ラインの件数が上限の500000件に達しています");
}

void moveLineEnd(Plot& window, const Press& press)
{
    window.Command30.setCaption(QStringLiteral("取消"));
    render::PlotPainter painter(window.Picture1.canvas());
    if (LineDragging == 0)
        pickLineToMove(window, painter, press);
    else
        dropLineEnd(window, painter, press);
}

void addLineVertex(Plot& window, const Press& press)
{
    window.Command30.setCaption(QStringLiteral("取消"));
    render::PlotPainter painter(window.Picture1.canvas());
    const bool chainGoesOn = LineRubber == 1 && LineNext >= 1 && LineNext <= kLineTop;
    if (chainGoesOn)
        eraseRubberBand(painter, firstEnd(LineNext));
    if (LineNext < 1 || LineNext > kLineTop) {
        LineRubber = 0;
        platform::MsgBox(lineTableFullMessage());
        return;
    }
    const PlotPosition at = snapped(window, painter, pressPosition(press), SnapUse::LineAdd);
    if (!chainGoesOn) {
        LineChainLength = 0.0;
        LineRubber = 1;
        setEnd(LineNext, true, at);
        LineColor[LineNext] = static_cast<std::uint8_t>(std::max(chosenLineColour(window), 0));
        window.Command30.setCaption(QStringLiteral("戻る"));
        return;
    }
    completeLine(window, painter, at, press.shift);
}

bool recolourPickedLine(Plot& window, const Press& press)
{
    if (LineNext <= 1) {
        LastClickX = press.x;
        LastClickY = press.y;
        RangeStartX = static_cast<float>(press.x);
        RangeStartY = static_cast<float>(press.y);
        return false;
    }
    window.Command30.setCaption(QStringLiteral("取消"));
    const PlotPosition at = pressPosition(press);
    const LineFootPick pick = pickLineByFoot(at.north, at.east, 100.0 * plotUnitsPerTwip(window),
                                             [](int i) { return LineShown(i); });
    const int chosen = chosenLineColour(window);
    if (pick.line != 0 && chosen >= 0) {
        const int i = pick.line;
        render::PlotPainter painter(window.Picture1.canvas());
        painter.setDrawMode(render::kCopyPen);
        PickedLine = i;
        PickedLineColor = LineColor[i];
        drawLine(painter, i, colour(kWhite), widthOf(LineColor[i]));
        LineColor[i] = static_cast<std::uint8_t>(chosen);
        drawLine(painter, i, colour(chosen), widthOf(chosen));
        painter.setDrawWidth(1);
        pushUndoRecord(UndoRecordFields(undo_kind::kLineColor)
                           .item(i)
                           .values(static_cast<float>(PickedLineColor), static_cast<float>(chosen)));
    }
    RangeStartX = static_cast<float>(press.x);
    RangeStartY = static_cast<float>(press.y);
    RangeBoxDrawn = 0;
    LastClickX = press.x;
    LastClickY = press.y;
    return true;
}

}  // namespace tavelcor
