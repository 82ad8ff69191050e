// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/point_clicks.h"

#include "main/edit/point_names.h"
#include "main/edit/point_panel.h"
#include "main/edit/undo_history.h"
#include "main/edit/xyin2.h"
#include "main/interact/line_clicks.h"
#include "main/interact/line_picks.h"
#include "main/interact/point_picks.h"
#include "main/interact/press_bodies.h"
#include "main/render/filters.h"
#include "main/render/plot_painter.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

constexpr int kBlack = 0;
constexpr int kRed = 12;
constexpr int kMagenta = 13;
constexpr int kWhite = 15;
constexpr int kSymbolFirst = 1;
constexpr int kSymbolLast = 18;

std::uint32_t colour(int index)
{
    return platform::isQBColorIndex(index) ? platform::QBColor(index) : platform::QBColor(kBlack);
}

bool ticked(const platform::CheckBox& box)
{
    return box.Value() == platform::check::Checked;
}

int widthOf(int colourIndex)
{
    return colourIndex >= 0 && colourIndex <= kColorTableTop ? LineWidthOf[colourIndex] : 1;
}

double plotUnitsPerTwip(Plot& window)
{
    const double width = WindowPlotFace(window).pictureWidthTwips();
    return width > 0.0 ? ViewSpanY / width : 0.0;
}

// A plot position; north = minus the press y, east = the press x.
struct Spot {
    double north = 0.0;
    double east = 0.0;
};

// The colours a point's symbol and label are printed in.
struct Ink {
    std::uint32_t symbol = 0;
    std::uint32_t label = 0;
};

// Point i's symbol glyph and label " " + name + second name printed at
// (north, east) with the letter size `fontSize`, each print position first
// marked by a white point.
void printPoint(Plot& window, render::PlotPainter& painter, int i, Spot at, double fontSize, Ink ink)
{
    WindowPlotFace face(window);
    painter.setFontSize(fontSize);
    const double u = fontSize * plotUnitsPerTwip(window);
    const double x = at.east - 9.5 * u;
    const double y = -(at.north + 8.4 * u);
    painter.setForeColor(ink.symbol);
    painter.pset(x, y, colour(kWhite));
    painter.printAt(x, y, face.symbolCaption(PointMark[i]));
    painter.setForeColor(ink.label);
    painter.pset(at.east, -at.north, colour(kWhite));
    painter.printAt(at.east, -at.north, QLatin1Char(' ') + std::as_const(PointName)[i] + std::as_const(PointName2)[i]);
}

Spot pointSpot(int i)
{
    return {std::as_const(PointX)[i], std::as_const(PointY)[i]};
}

// The lines the point panel snaps to and cuts: shown under the colour
// filters, with the line layer "Ｌ" on.
bool lineTakesPart(const Plot& window, int i)
{
    return ticked(window.Check13) && LineShown(i);
}

void pushLineSplit(int i, Spot foot)
{
    pushUndoRecord(UndoRecordFields(undo_kind::kLineSplit)
                       .item(i)
                       .values(static_cast<float>(MoveOldX), static_cast<float>(MoveOldY))
                       .texts(undoCoordinateText(foot.north), undoCoordinateText(foot.east)));
}

// Cuts line i at the foot: line i ends there, a new line of its colour runs
// from there to its old second end. False when the line table has no free
// index (the point is then added without a cut).
bool cutLine(int i, Spot foot)
{
    const int n = LineNext;
    if (n < 1 || n > kLineTop) {
        platform::MsgBox(lineTableFullMessage());
        return false;
    }
    LastAddSplit = 1;
    PickedLine = i;
    MoveOldX = LineX2[i];
    MoveOldY = LineY2[i];
    LineX2[i] = foot.north;
    LineY2[i] = foot.east;
    pushLineSplit(i, foot);
    LineX1[n] = foot.north;
    LineY1[n] = foot.east;
    LineX2[n] = MoveOldX;
    LineY2[n] = MoveOldY;
    LineColor[n] = LineColor[i];
    pushUndoRecord(UndoRecordFields(undo_kind::kSplitPiece).values(static_cast<float>(n)));
    LineNext = n + 1;
    return true;
}

// The lines under the position, one after the other, each marked in
// magenta and offered; the first accepted is cut at the foot, which the
// position takes.
void dropOntoLine(Plot& window, Spot& at)
{
    LastAddSplit = 0;
    const double tolerance = 100.0 * plotUnitsPerTwip(window);
    if (LineNext <= 1)
        return;
    render::PlotPainter painter(window.Picture1.canvas());
    const auto shown = [&window](int i) { return lineTakesPart(window, i); };
    for (int from = 1;;) {
        const std::optional<LineUnderPress> under = nextLineUnderPress(from, at.north, at.east, tolerance, shown);
        if (!under)
            return;
        const int i = under->line;
        painter.setDrawWidth(widthOf(LineColor[i]));
        painter.line(std::as_const(LineY1)[i], -std::as_const(LineX1)[i], std::as_const(LineY2)[i],
                     -std::as_const(LineX2)[i], colour(kMagenta));
        painter.setDrawWidth(1);
        if (platform::MsgBox(dropOnLineQuestion(), platform::MsgButtons::YesNo) == platform::MsgResult::Yes) {
            const Spot foot{under->footNorth, under->footEast};
            if (cutLine(i, foot))
                at = foot;
            return;
        }
        from = i + 1;
    }
}

// Snapping with "ピック" (only while "Ｇ" is off and "Ｌ" on): a line end
// within four passes, else a line under the position.
void snapToLines(Plot& window, Spot& at)
{
    if (ticked(window.Check29) || !ticked(window.Check13) || !ticked(window.Check24))
        return;
    const auto shown = [&window](int i) { return lineTakesPart(window, i); };
    if (const auto end = snapAddedPoint(at.north, at.east, snapBaseRadius(HitRadius, ViewSpanX), shown)) {
        at = {end->north, end->east};
        return;
    }
    dropOntoLine(window, at);
}

// "Ｇ": a position within a square around the last GPS fix takes the fix
// (before any fix the track's entry 0, the site origin).
void takeGpsFix(Spot& at)
{
    if (GpsCount < 0 || GpsCount > kGpsTrackTop)
        return;
    const float g = static_cast<float>(std::max(HitRadius * ViewSpanX / 500.0, 0.005));
    const float fixNorth = std::as_const(GpsX)[GpsCount];
    const float fixEast = std::as_const(GpsY)[GpsCount];
    if (std::abs(fixNorth - static_cast<float>(at.north)) < g && std::abs(fixEast - static_cast<float>(at.east)) < g)
        at = {fixNorth, fixEast};
}

Spot singlePrecision(Spot at)
{
    return {static_cast<float>(at.north), static_cast<float>(at.east)};
}

// The names, the symbol and the history record of the point just stored.
void registerAddedPoint(Plot& window)
{
    const int p = PointCount;
    const QString name = window.Text6.Text();
    PointName[p] = name;
    AddNameCandidate(name);
    window.Text6.setText(NextPointName(name));
    PointName2[p] = window.Text7.Text();
    PointMark[p] = static_cast<std::uint8_t>(std::clamp(SelectedIndex(window.Option13), kSymbolFirst, kSymbolLast));
    pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(static_cast<float>(p - 1)));
}

void drawAddedPoint(Plot& window, double fontSize)
{
    const int p = PointCount;
    render::PlotPainter painter(window.Picture1.canvas());
    printPoint(window, painter, p, pointSpot(p), fontSize,
               {WindowPlotFace(window).symbolColor(PointMark[p]), colour(kBlack)});
}

// ---- the point move ---------------------------------------------------------

void clearMoveLines()
{
    for (int n = 1; n <= kMoveLinesTop; ++n) {
        MoveLines(0, n) = 0;
        MoveLines(1, n) = 0;
    }
}

// The first press: the point hit (the highest index within a pass) is
// marked, remembered with its position, and offered in whole metres in the
// key-in window. A new pick forgets the last move, so that 取消 never puts
// the picked point at the place of an earlier one.
void pickPointToMove(Plot& window, const Press& press)
{
    CurPoint = 0;
    const WindowPlotFace face(window);
    const int i = pickPoint(-press.y, press.x, snapBaseRadius(HitRadius, ViewSpanX), PointScan::Descending,
                            [&face](int j) { return PointShown(face, j); });
    if (i == 0)
        return;
    render::PlotPainter painter(window.Picture1.canvas());
    printPoint(window, painter, i, pointSpot(i), PointFontSize, {colour(kMagenta), colour(kMagenta)});
    MovePoint = i;
    MoveOldX = PointX[i];
    MoveOldY = PointY[i];
    MovedPoint = 0;
    clearMoveLines();
    xyin2().showPickedPosition(OriginX + MoveOldX, OriginY + MoveOldY);
    window.Command47.setVisible(true);
}

// Every other live point standing exactly at the target is named in a
// message of its own; true when there was one.
bool targetTaken(Spot at)
{
    bool taken = false;
    const int last = lastPointIndex();
    for (int k = 1; k <= last; ++k) {
        if (k == MovePoint || PointMark[k] >= 100)
            continue;
        if (static_cast<float>(std::as_const(PointX)[k]) == static_cast<float>(at.north)
            && static_cast<float>(std::as_const(PointY)[k]) == static_cast<float>(at.east)) {
            platform::MsgBox(QStringLiteral("同位置に(") + std::as_const(PointName)[k]
                             + QStringLiteral(")名のポイントが登録済みです。登録をキャンセルします"));
            taken = true;
        }
    }
    return taken;
}

// The line ends on the point's old place follow it to `at`, each with a
// history record of kind 123, and are listed in MoveLines for 取消.
void carryLineEnds(Plot& window, Spot at)
{
    clearMoveLines();
    if (!ticked(window.Check24))
        return;
    const Spot old = pointSpot(MovePoint);
    const auto shown = [&window](int j) { return lineTakesPart(window, j); };
    int a = 1;
    int b = 1;
    const QString northText = undoCoordinateText(at.north);
    const QString eastText = undoCoordinateText(at.east);
    for (const CarriedEnd& end : lineEndsAt(old.north, old.east, shown)) {
        const int j = end.line;
        (end.firstEnd ? LineX1 : LineX2)[j] = at.north;
        (end.firstEnd ? LineY1 : LineY2)[j] = at.east;
        pushUndoRecord(UndoRecordFields(undo_kind::kCarriedLineEnd)
                           .item(end.firstEnd ? -j : j)
                           .values(static_cast<float>(MoveOldX), static_cast<float>(MoveOldY))
                           .texts(northText, eastText));
        if (end.firstEnd)
            MoveLines(0, a++) = j;
        else
            MoveLines(1, b++) = j;
    }
}

// The carried lines: the old segments wiped in white, the new ones drawn in
// their colours.
void redrawCarriedLines(render::PlotPainter& painter)
{
    const Spot old{MoveOldX, MoveOldY};
    for (int list = 0; list <= 1; ++list) {
        for (int n = 1; n <= kMoveLinesTop; ++n) {
            const int j = MoveLines(list, n);
            if (j < 1 || j > kLineTop)
                break;
            const Spot first{std::as_const(LineX1)[j], std::as_const(LineY1)[j]};
            const Spot second{std::as_const(LineX2)[j], std::as_const(LineY2)[j]};
            const Spot stays = list == 0 ? second : first;
            painter.setDrawWidth(widthOf(LineColor[j]));
            painter.line(old.east, -old.north, stays.east, -stays.north, colour(kWhite));
            painter.line(first.east, -first.north, second.east, -second.north, colour(LineColor[j]));
        }
    }
    painter.setDrawWidth(1);
}

// The second press: the picked point is put down at the press (or the line
// end it snaps to), unless another point stands there.
void placePickedPoint(Plot& window, const Press& press)
{
    const int i = MovePoint;
    if (i < 1 || i > lastPointIndex()) {
        MovePoint = 0;  // the pick no longer names a point (taken back since)
        return;
    }
    Spot at = singlePrecision({-press.y, press.x});
    if (ticked(window.Check24)) {
        const auto shown = [&window](int j) { return lineTakesPart(window, j); };
        if (const auto end = snapMovedPoint(at.north, at.east, snapBaseRadius(HitRadius, ViewSpanX), shown))
            at = singlePrecision({end->north, end->east});
    }
    if (targetTaken(at))
        return;
    carryLineEnds(window, at);
    PointX[i] = at.north;
    PointY[i] = at.east;
    render::PlotPainter painter(window.Picture1.canvas());
    redrawCarriedLines(painter);
    printPoint(window, painter, i, {MoveOldX, MoveOldY}, PointFontSize, {colour(kWhite), colour(kWhite)});
    const bool measured = std::as_const(PointName2)[i].contains(u'済');
    printPoint(window, painter, i, at, PointFontSize,
               {WindowPlotFace(window).symbolColor(PointMark[i]), colour(measured ? kRed : kBlack)});
    window.Label28.setCaption(QString());
    MovedPoint = i;
    MovePoint = 0;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointMoved)
                       .item(i)
                       .values(static_cast<float>(MoveOldX), static_cast<float>(MoveOldY))
                       .texts(undoCoordinateText(PointX[i]), undoCoordinateText(PointY[i])));
}

}  // namespace

QString pointTableFullMessage()
{
    return QStringLiteral("ポイントの件数が上限の500000件に達しています");
}

QString dropOnLineQuestion()
{
    return QStringLiteral("線上にポイントを落としますか?");
}

PointAddResult addObservationPoint(Plot& window, double x, double y, PointAddInput input)
{
    if (PointCount < 0 || PointCount >= kPointTop) {
        platform::MsgBox(pointTableFullMessage());
        return PointAddResult::Refused;
    }
    const bool press = input == PointAddInput::Press;
    PointChanged = 1;
    NameFieldClicked = 0;
    Spot at{-y, x};
    snapToLines(window, at);
    if (ticked(window.Check29) && (press || !ticked(window.Check24)))
        takeGpsFix(at);
    if (press)
        at = singlePrecision(at);
    if (window.Text6.Text() == std::as_const(PointName)[PointCount]) {
        window.Text6.setText(NextPointName(std::as_const(PointName)[PointCount]));
        window.Text7.setText(QString());
    }
    ++PointCount;
    PointX[PointCount] = at.north;
    PointY[PointCount] = at.east;
    QString name = window.Text6.Text();
    int sw = 0;
    Pointnamecheck(window, name, PointCount, sw, NameCheckFor::AddedPoint);
    if (sw == 1)
        return PointAddResult::Withdrawn;
    registerAddedPoint(window);
    drawAddedPoint(window, press ? PointFontSize : FontSize);
    window.Label28.setCaption(QString());
    window.Command32.setVisible(true);
    return PointAddResult::Added;
}

void addPointAtPress(Plot& window, const Press& press)
{
    addObservationPoint(window, press.x, press.y, PointAddInput::Press);
}

void pickPointAttributes(Plot& window, const Press& press)
{
    window.Command32.setCaption(QStringLiteral("確定"));
    CurPoint = 0;
    const WindowPlotFace face(window);
    const int i = pickPoint(-press.y, press.x, snapBaseRadius(HitRadius, ViewSpanX), PointScan::Ascending,
                            [&face](int j) { return PointShown(face, j); });
    if (i == 0)
        return;
    window.Label28.setCaption(std::as_const(PointName)[i]);
    window.Text6.SetFocus();
    const int m = PointMark[i];
    window.Command32.setVisible(true);
    CurPoint = i;
    render::PlotPainter painter(window.Picture1.canvas());
    printPoint(window, painter, i, pointSpot(i), PointFontSize, {colour(kMagenta), colour(kMagenta)});
    const platform::OptionButton* symbol = window.Option13.find(m);
    const platform::Label* label = window.Label24.find(m);
    if (symbol != nullptr && label != nullptr)
        window.Command24.setCaption(symbol->Caption() + QLatin1Char(' ') + label->Caption());
    window.Text6.setText(std::as_const(PointName)[i]);
    window.Text7.setText(platform::RTrim(std::as_const(PointName2)[i]));
    if (platform::OptionButton* chosen = window.Option13.find(m))
        chosen->setValue(true);
    window.Command31.setVisible(true);
}

void movePointPress(Plot& window, const Press& press)
{
    if (MovePoint == 0)
        pickPointToMove(window, press);
    else
        placePickedPoint(window, press);
}

}  // namespace tavelcor
