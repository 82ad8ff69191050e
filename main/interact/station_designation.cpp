// SPDX-License-Identifier: LicenseRef-Tavelcor
// The station designation: while the station frame is open, a left press
// on the plot designates the instrument station, the back-sight and the
// foresights of the workbook's set-up, tried in this order:
//
// - on a line whose two ends carry observation points (or, for the signal
//   992 with coordinate labels shown, coordinates): the end nearer the press
//   is the station, the other the back-sight; for the signal 993 the points
//   at the far ends of the other lines leaving the station are the
//   foresights (SightList 3 on, the cursor of "次" at 4);
// - on observation points: each shown point near the press fills the field
//   of the chosen option (機械, BACK, FOR), which moves on to the next;
// - on coordinates, by number, the same way while their numbers or names
//   are shown.
//
// Each passing line is matched on its own: its ends are looked up afresh and
// the line is taken only when both ends matched, so a line with one
// unmatched end never designates the ends of a line examined before it, nor
// reads the point tables with a coordinate number.
#include "main/interact/press_bodies.h"

#include "geodesy/plane_geometry.h"
#include "main/render/filters.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {

namespace {

constexpr int kMagenta = 13;
constexpr double kEndToleranceM = 0.05;
constexpr double kPi = 3.14159265358979;
// A press level with the first end computes a foot a rounding error away
// from it (the cosine of a right angle is not 0 in floating point); feet
// closer than a nanometre count as the first end itself.
constexpr double kLevelM = 1e-9;
constexpr int kFirstForesight = 3;
// Foresights fill entries 3 to 19, so a 0 always follows the last one.
constexpr int kLastForesight = kSightListTop - 1;
constexpr int kClearedEntries = 10;

enum class EndMatch { None, Points, Coordinates };

struct LineEnds {
    EndMatch kind = EndMatch::None;
    std::int32_t station = 0;  // S: the match of the first end
    std::int32_t back = 0;     // B: the match of the second end
};

// The press in plot north and east, and the press tolerance in plot units.
struct PressPlace {
    double north = 0.0;
    double east = 0.0;
    double tolerance = 0.0;
};

bool coordinateLabelsShown(const Plot& w)
{
    return w.Check1.Value() != 0 || w.Check2.Value() != 0;
}

bool lineShown(const Plot& w, int j)
{
    return w.Check13.Value() != 0 && LineShown(j);
}

std::int32_t lastLine()
{
    return std::min<std::int32_t>(LineNext - 1, kLineTop);
}

std::int32_t lastPoint()
{
    return std::min<std::int32_t>(PointCount, kPointTop);
}

std::int32_t lastCoordinate()
{
    return std::min<std::int32_t>(ZahyoMax, kZahyoTop);
}

// The first shown observation point within the end tolerance of (x, y).
std::int32_t pointAt(render::PlotFace& face, double x, double y)
{
    for (std::int32_t i = 1; i <= lastPoint(); ++i) {
        if (PointShown(face, i) && std::hypot(PointY[i] - y, PointX[i] - x) < kEndToleranceM)
            return i;
    }
    return 0;
}

// The first coordinate in use within the end tolerance of (x, y).
std::int32_t coordinateAt(double x, double y)
{
    const QString freeName = freeZahyoName();
    for (std::int32_t k = 1; k <= lastCoordinate(); ++k) {
        if (ZahyoName[k] != freeName && std::hypot(ZahyoPY[k] - y, ZahyoPX[k] - x) < kEndToleranceM)
            return k;
    }
    return 0;
}

// The ends of line j matched afresh: observation points first; for the
// signal 992 with coordinate labels shown, coordinates when the first end
// has no point.
LineEnds matchEnds(const Plot& w, render::PlotFace& face, int j)
{
    LineEnds ends;
    ends.station = pointAt(face, LineX1[j], LineY1[j]);
    if (ends.station == 0 && WembraValue == 992 && coordinateLabelsShown(w)) {
        ends.station = coordinateAt(LineX1[j], LineY1[j]);
        if (ends.station != 0) {
            ends.back = coordinateAt(LineX2[j], LineY2[j]);
            ends.kind = ends.back != 0 ? EndMatch::Coordinates : EndMatch::None;
            return ends;
        }
    }
    ends.back = pointAt(face, LineX2[j], LineY2[j]);
    ends.kind = ends.station != 0 && ends.back != 0 ? EndMatch::Points : EndMatch::None;
    return ends;
}

// True when the foot of the press on line j lies after the first end (not
// at it) and at or before the second, less than the tolerance from the line.
bool pressOnLine(int j, const PressPlace& at)
{
    const geodesy::InverseResult line = geodesy::Inverse(LineX1[j] - LineX2[j], LineY1[j] - LineY2[j]);
    BaseAzimuth = line.angleDeg;
    const geodesy::InverseResult press = geodesy::Inverse(LineX1[j] - at.north, LineY1[j] - at.east);
    const double delta = (press.angleDeg - line.angleDeg) * kPi / 180.0;
    const double along = std::cos(delta) * press.distance;
    const double across = std::abs(std::sin(delta) * press.distance);
    return along > kLevelM && along <= line.distance && across < at.tolerance;
}

void drawLine(platform::Canvas& picture, double x1, double y1, double x2, double y2, int width)
{
    picture.setDrawWidth(width);
    picture.Line(y1, -x1, y2, -x2, platform::QBColor(kMagenta));
    picture.setDrawWidth(1);
}

void markLine(platform::Canvas& picture, int j)
{
    const int colour = LineColor[j];
    const int width = colour >= 0 && colour <= kColorTableTop ? LineWidthOf[colour] : 1;
    drawLine(picture, LineX1[j], LineY1[j], LineX2[j], LineY2[j], std::max(1, width));
}

double distanceTo(const LineEnds& ends, std::int32_t index, const PressPlace& at)
{
    if (ends.kind == EndMatch::Coordinates)
        return std::hypot(ZahyoPX[index] - at.north, ZahyoPY[index] - at.east);
    return std::hypot(PointX[index] - at.north, PointY[index] - at.east);
}

// The shown points at (x, y), within the end tolerance in north and in east
// separately, become foresights after entry c; returns the new c.
int addForesightsAt(render::PlotFace& face, double x, double y, std::int32_t station, std::int32_t back, int c)
{
    for (std::int32_t i = 1; i <= lastPoint() && c < kLastForesight; ++i) {
        if (i == station || i == back || !PointShown(face, i))
            continue;
        if (std::abs(PointX[i] - x) < kEndToleranceM && std::abs(PointY[i] - y) < kEndToleranceM)
            SightList[++c] = i;
    }
    return c;
}

// For the signal 993: the far ends of the lines leaving the station.
int listForesights(const Plot& w, render::PlotFace& face, std::int32_t station, std::int32_t back)
{
    int c = 2;
    for (std::int32_t m = 1; m <= lastLine(); ++m) {
        if (!lineShown(w, m))
            continue;
        if (std::hypot(LineX1[m] - PointX[station], LineY1[m] - PointY[station]) < kEndToleranceM)
            c = addForesightsAt(face, LineX2[m], LineY2[m], station, back, c);
        else if (std::hypot(LineX2[m] - PointX[station], LineY2[m] - PointY[station]) < kEndToleranceM)
            c = addForesightsAt(face, LineX1[m], LineY1[m], station, back, c);
    }
    SightList[c + 1] = 0;
    return c;
}

// The line designates station and back-sight (the end nearer the press is
// the station) and, for the signal 993, the foresights.
void designateLine(Plot& w, render::PlotFace& face, LineEnds ends, const PressPlace& at)
{
    if (distanceTo(ends, ends.station, at) > distanceTo(ends, ends.back, at))
        std::swap(ends.station, ends.back);
    SightList[1] = ends.station;
    SightList[2] = ends.back;
    if (ends.kind == EndMatch::Coordinates) {
        w.Text11.setText(QString::number(ends.station));
        w.Text12.setText(QString::number(ends.back));
    } else {
        w.Text11.setText(PointName[ends.station]);
        w.Text12.setText(PointName[ends.back]);
    }
    w.Text13.setText(QString());
    if (WembraValue != 993 || ends.kind != EndMatch::Points)
        return;
    const int c = listForesights(w, face, ends.station, ends.back);
    if (c <= 2)
        return;
    if (c > kFirstForesight) {
        w.Command51.setVisible(true);
        SightList[0] = 4;
    }
    const std::int32_t first = SightList[kFirstForesight];
    w.Text13.setText(PointName[first]);
    drawLine(face.picture(), PointX[ends.station], PointY[ends.station], PointX[first], PointY[first], 2);
}

// Returns the match kind of the last line taken (None when none was).
EndMatch lineWay(Plot& w, render::PlotFace& face, const PressPlace& at)
{
    EndMatch taken = EndMatch::None;
    for (std::int32_t j = 1; j <= lastLine(); ++j) {
        if (!lineShown(w, j) || !pressOnLine(j, at))
            continue;
        markLine(face.picture(), j);
        const LineEnds ends = matchEnds(w, face, j);
        if (ends.kind == EndMatch::None)
            continue;
        taken = ends.kind;
        if (w.Option26.Value())
            designateLine(w, face, ends, at);
    }
    return taken;
}

// Fills the field of the chosen option and moves the option on; false when
// no option is chosen.
bool fillChosenField(Plot& w, const QString& text)
{
    if (w.Option26.Value()) {
        w.Text11.setText(text);
        w.Option27.setValue(true);
    } else if (w.Option27.Value()) {
        w.Text12.setText(text);
        w.Option28.setValue(true);
    } else if (w.Option28.Value()) {
        w.Text13.setText(text);
        w.Option26.setValue(true);
    } else {
        return false;
    }
    return true;
}

void markAt(platform::Canvas& picture, double north, double east, const QString& label)
{
    picture.setForeColor(platform::QBColor(kMagenta));
    picture.PSet(east, -north, platform::QBColor(kMagenta));
    picture.Print(QStringLiteral(" ") + label);
}

// Returns true when a field was filled.
bool pointWay(Plot& w, render::PlotFace& face, const PressPlace& at)
{
    bool filled = false;
    for (std::int32_t i = lastPoint(); i >= 1; --i) {
        if (PointMark[i] >= 100 || !PointShown(face, i))
            continue;
        if (std::hypot(PointX[i] - at.north, PointY[i] - at.east) >= at.tolerance)
            continue;
        filled = fillChosenField(w, PointName[i]) || filled;
        markAt(face.picture(), PointX[i], PointY[i], PointName[i] + PointName2[i]);
    }
    return filled;
}

void coordinateWay(Plot& w, render::PlotFace& face, const PressPlace& at)
{
    const QString freeName = freeZahyoName();
    for (std::int32_t k = lastCoordinate(); k >= 1; --k) {
        if (ZahyoName[k] == freeName)
            continue;
        if (std::hypot(ZahyoPY[k] - at.east, ZahyoPX[k] - at.north) >= at.tolerance)
            continue;
        fillChosenField(w, QString::number(k));
        markAt(face.picture(), ZahyoPX[k], ZahyoPY[k], ZahyoName[k]);
    }
}

}  // namespace

PressEnd stationDesignationPress(Plot& w, const Press& press)
{
    w.Command51.setVisible(false);
    for (int entry = 0; entry <= kClearedEntries; ++entry)
        SightList[entry] = 0;
    const double widthTwips = w.Picture1.Width();
    PressPlace at{-press.y, press.x, widthTwips > 0.0 ? ViewSpanY * 100.0 / widthTwips : 0.0};
    render::PlotFace& face = plotFace();

    // K of the press: nonzero once a line was taken or a field was filled.
    bool designated = false;
    if (LineNext > 1)
        designated = lineWay(w, face, at) != EndMatch::None;
    if ((w.Option27.Value() || !designated) && PointCount > 0)
        designated = pointWay(w, face, at);
    if (coordinateLabelsShown(w) && !designated)
        coordinateWay(w, face, at);

    RangeStartX = static_cast<float>(press.x);
    RangeStartY = static_cast<float>(press.y);
    LastClickX = press.x;
    LastClickY = press.y;
    return PressEnd::Common;
}

}  // namespace tavelcor
