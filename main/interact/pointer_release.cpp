// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/pointer_release.h"

#include "geodesy/constants.h"
#include "geodesy/plane_geometry.h"
#include "main/edit/undo_history.h"
#include "main/interact/line_picks.h"
#include "main/interact/range_operations.h"
#include "main/interact/text_boxes.h"
#include "main/render/filters.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/mode_marks.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

constexpr int kLeft = 1;
constexpr int kMiddle = 4;
constexpr int kCopyPen = 13;
constexpr int kWhite = 15;
constexpr int kDeletedFrom = 100;
constexpr int kStrokeWidth = 2;
constexpr std::uint8_t kCauseNone = 0;
constexpr std::uint8_t kCauseDeferred = 9;
// A pan drag within this many metres both ways moves nothing.
constexpr float kPanSlack = 0.1F;
// The smallest north extent of a zoom window, and the east extent below
// which the 対角 window is held to it.
constexpr double kLeastSpanX = 0.12;
constexpr double kLeastDiagonalSpanY = 0.15;

std::uint32_t white()
{
    return platform::QBColor(kWhite);
}

bool ticked(const platform::CheckBox& box)
{
    return box.Value() == platform::check::Checked;
}

// ---------------------------------------------------------------- pan

void endPan(double x, double y)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float dN = std::abs(PanStartY - fy);
    const float dE = std::abs(PanStartX - fx);
    if (dN <= kPanSlack && dE <= kPanSlack)
        return;
    ViewCX = ViewCX + (y - PanStartY);
    ViewCY = ViewCY + (PanStartX - x);
    RedrawCause = kCauseDeferred;
    crtplot();
    RedrawCause = kCauseNone;
}

// ------------------------------------------------------- hand strokes

void endStroke(Plot& window, double x, double y)
{
    const int count = TegakiCount;
    if (count < 1 || count > kTegakiTop)
        return;
    if (TegakiPen[count] == kPenFirst) {
        TegakiPen[count] = kPenDeleted;  // a stroke of one vertex is dropped
        return;
    }
    if (TegakiPen[count] != kPenNext)
        return;  // the press added nothing: the last vertex ends an older stroke
    int last = count;
    if (count < kTegakiTop) {
        last = count + 1;
        TegakiCount = last;
        TegakiX[last] = static_cast<float>(-y);
        TegakiY[last] = static_cast<float>(x);
        const int chosen = SelectedIndex(window.Option8);
        TegakiColor[last] = static_cast<std::uint8_t>(platform::isQBColorIndex(chosen) ? chosen : 0);
        platform::Canvas& canvas = window.Picture1.canvas();
        canvas.setDrawWidth(kStrokeWidth);
        canvas.setDrawMode(kCopyPen);
        canvas.Line(std::as_const(TegakiY)[count], -double(std::as_const(TegakiX)[count]), x, y,
                    platform::QBColor(TegakiColor[last]));
        canvas.setDrawWidth(1);
    }
    // On the table's last slot the stroke ends on the vertex it has.
    TegakiPen[last] = kPenLast;
    int first = last;
    while (first >= 1 && TegakiPen[first] != kPenFirst)
        --first;
    if (first < 1)
        first = last;  // vertices read from a file may hold no start
    pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDrawn)
                       .values(static_cast<float>(first), static_cast<float>(last)));
}

// The ground length of 100 twips across the plot: the tolerance of the
// segment picks.
double segmentTolerance(Plot& window)
{
    const double width = WindowPlotFace(window).pictureWidthTwips();
    return width > 0.0 ? ViewSpanY * 100.0 / width : 0.0;
}

// Whether the release (north, east) lies beside the segment a-b: its foot
// falls on the segment (measured from a) and it lies nearer than t. Leaves
// BaseAzimuth holding the segment's direction.
bool segmentHit(double an, double ae, double bn, double be, double north, double east, double t)
{
    const geodesy::InverseResult along = geodesy::Inverse(an - bn, ae - be);
    BaseAzimuth = along.angleDeg;
    const geodesy::InverseResult toA = geodesy::Inverse(an - north, ae - east);
    const double delta = (toA.angleDeg - along.angleDeg) * geodesy::kPi / 180.0;
    const double d1 = toA.distance * std::cos(delta);
    const double d2 = std::abs(toA.distance * std::sin(delta));
    return d1 > 0.0 && d1 <= along.distance && d2 < t;
}

bool strokeColourShown(int i)
{
    const int c = TegakiColor[i];
    return c <= kColorTableTop && TegakiColorShown[c] == 1;
}

void deleteStrokeAt(Plot& window, double x, double y)
{
    if (!ticked(window.Check14) || TegakiCount <= 1)
        return;
    const double t = segmentTolerance(window);
    const int count = std::min(TegakiCount, kTegakiTop);
    int hit = 0;
    for (int i = 2; i + 1 <= count && hit == 0; ++i) {
        const std::uint8_t next = TegakiPen[i + 1];
        if ((next != kPenNext && next != kPenLast) || !strokeColourShown(i))
            continue;
        if (segmentHit(TegakiX[i], TegakiY[i], TegakiX[i + 1], TegakiY[i + 1], -y, x, t))
            hit = i;
    }
    if (hit == 0)
        return;
    int last = hit;
    while (last < count && TegakiPen[last] != kPenLast)
        ++last;
    TegakiPen[last] = kPenLast;
    int first = hit;
    while (first >= 1 && TegakiPen[first] != kPenFirst)
        --first;
    if (first < 1)
        first = last;
    for (int v = first; v <= last; ++v)
        TegakiPen[v] = kPenDeleted;
    pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDeleted)
                       .values(static_cast<float>(first), static_cast<float>(last)));
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setDrawMode(render::kCopyPen);
    painter.setDrawWidth(kStrokeWidth);
    for (int v = first; v < last; ++v)
        painter.line(std::as_const(TegakiY)[v], -double(std::as_const(TegakiX)[v]), std::as_const(TegakiY)[v + 1],
                     -double(std::as_const(TegakiX)[v + 1]), white());
    painter.setDrawWidth(1);
}

// -------------------------------------------------------------- points

// The highest-index shown point within the pass radius of the release, in
// passes of r0, 2 r0, 3 r0 and 4 r0; 0 when none.
int pointUnderRelease(Plot& window, double north, double east)
{
    WindowPlotFace face(window);
    const double r0 = snapBaseRadius(HitRadius, ViewSpanX);
    const int count = lastPointIndex();
    for (int pass = 1; pass <= 4; ++pass) {
        const double radius = pass * r0;
        for (int j = count; j >= 1; --j) {
            if (PointMark[j] >= kDeletedFrom || !PointShown(face, j))
                continue;
            if (std::hypot(std::as_const(PointX)[j] - north, std::as_const(PointY)[j] - east) < radius)
                return j;
        }
    }
    return 0;
}

void paintPointWhite(Plot& window, int j)
{
    if (PointMark[j] == 0)
        return;
    WindowPlotFace face(window);
    const double width = face.pictureWidthTwips();
    const double k = width > 0.0 ? PointFontSize * ViewSpanY / width : 0.0;
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setFontSize(PointFontSize);
    painter.setForeColor(white());
    const double pn = std::as_const(PointX)[j];
    const double pe = std::as_const(PointY)[j];
    painter.pset(pe - 9.5 * k, -(pn + 8.4 * k), white());
    painter.printAt(pe - 9.5 * k, -(pn + 8.4 * k), face.symbolCaption(PointMark[j]));
    painter.pset(pe, -pn, white());
    painter.printAt(pe, -pn, QLatin1Char(' ') + PointName[j] + PointName2[j]);
}

void deletePointAt(Plot& window, double x, double y)
{
    const int j = pointUnderRelease(window, -y, x);
    if (j == 0)
        return;
    CurPoint = j;
    paintPointWhite(window, j);
    PointMark[j] = static_cast<std::uint8_t>(PointMark[j] + kDeletedFrom);
    DelPending = j;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointDeleted).values(static_cast<float>(j)));
}

// --------------------------------------------------------------- texts

// The lowest-index text with a drawn line whose box strictly holds the
// release; 0 when none.
int textUnderRelease(Plot& window, double north, double east)
{
    WindowPlotFace face(window);
    const TextBoxScale scale = textBoxScale(face, FontSize * static_cast<double>(TextScale));
    const int count = std::min(TxtCount, kTxtTop);
    for (int i = 1; i <= count; ++i) {
        if (!textTakesPart(i))
            continue;
        const bool hit = anyTextBox(face, i, scale, [north, east](const TextBox& box) {
            return box.south < north && north < box.north && box.west < east && east < box.east;
        });
        if (hit)
            return i;
    }
    return 0;
}

void deleteTextAt(Plot& window, double x, double y)
{
    RangeStartX = static_cast<float>(x);
    RangeStartY = static_cast<float>(y);
    if (TxtCount <= 0)
        return;
    const int i = textUnderRelease(window, -y, x);
    if (i == 0)
        return;
    Txtexprint(plotFace(), i, kWhite);
    TxtEditOld = TxtString[i];
    TxtColor[i] = static_cast<std::uint8_t>(TxtColor[i] + kDeletedFrom);
    window.Command34.setDefault(false);
    pushUndoRecord(UndoRecordFields(undo_kind::kTextDeleted).values(static_cast<float>(i)));
}

// --------------------------------------------------------------- lines

int widthOf(int colourIndex)
{
    return colourIndex >= 0 && colourIndex <= kColorTableTop ? LineWidthOf[colourIndex] : 1;
}

void deleteLineAt(Plot& window, double x, double y)
{
    if (LineNext <= 1) {
        LastClickX = x;
        LastClickY = y;
        RangeStartX = static_cast<float>(x);
        RangeStartY = static_cast<float>(y);
        return;
    }
    PickedLine = 0;
    const LineFootPick pick = pickLineByFoot(-y, x, segmentTolerance(window), [](int i) { return LineShown(i); });
    if (pick.line == 0)
        return;
    const int i = pick.line;
    PickedLine = i;
    render::PlotPainter painter(window.Picture1.canvas());
    painter.setDrawMode(render::kCopyPen);
    painter.setDrawWidth(widthOf(LineColor[i]));
    painter.line(std::as_const(LineY1)[i], -std::as_const(LineX1)[i], std::as_const(LineY2)[i],
                 -std::as_const(LineX2)[i], white());
    painter.setDrawWidth(1);
    LineColor[i] = static_cast<std::uint8_t>(LineColor[i] + kDeletedFrom);
    pushUndoRecord(UndoRecordFields(undo_kind::kLineDeleted).values(static_cast<float>(i)));
}

// -------------------------------------------------------- zoom windows

enum class ZoomFloor { Diagonal, Drag };

// The view of the rectangle from (LastClickX, LastClickY) to (x, y). A drag
// within a fiftieth of the view both ways is a click, and one without width
// or height gives no view: both leave the view as it is.
void zoomWindow(Plot& window, double x, double y, ZoomFloor floor)
{
    const double width = std::abs(x - LastClickX);
    const double height = std::abs(y - LastClickY);
    if (width <= ViewSpanY / 50.0 && height <= ViewSpanX / 50.0)
        return;
    if (!(width > 0.0) || !(height > 0.0))
        return;
    ViewSpanY = width;
    ViewSpanX = height;
    ViewCY = (x + LastClickX) / 2.0 + OriginY;
    ViewCX = -(y + LastClickY) / 2.0 + OriginX;
    const bool small = floor == ZoomFloor::Drag ? ViewSpanX < kLeastSpanX
                                                : ViewSpanX < kLeastSpanX && ViewSpanY < kLeastDiagonalSpanY;
    if (small) {
        ViewSpanX = kLeastSpanX;
        platform::MsgBox(zoomFloorMessage(), platform::MsgButtons::OkOnly);
    }
    L_28SET(window, QString(), x, y);
    crtplot();
}

void diagonalWindow(Plot& window, double x, double y)
{
    if (DiagonalLabelHidden == 1)
        DiagonalLabelHidden = 0;
    window.Command13.setBackColor(white());
    window.Command74.setBackColor(white());
    DiagonalArmed = 0;
    DiagonalDrag = 0;
    if (ParcelRange == 1) {
        selectParcelsInRange(window, x, y);
        return;
    }
    // The east side is widened by 30 % on the side farther east.
    if (static_cast<float>(LastClickX) < x)
        x = x + 0.3 * (x - LastClickX);
    else
        LastClickX = LastClickX + 0.3 * (LastClickX - x);
    zoomWindow(window, x, y, ZoomFloor::Diagonal);
}

void dragZoomWindow(Plot& window, double x, double y)
{
    DragZoomArmed = 0;
    DragZoomHeld = 0;
    zoomWindow(window, x, y, ZoomFloor::Drag);
}

void runRow(Plot& window, ReleaseRow row, double x, double y)
{
    switch (row) {
    case ReleaseRow::StrokeEnd: endStroke(window, x, y); return;
    case ReleaseRow::StrokeDelete: deleteStrokeAt(window, x, y); return;
    case ReleaseRow::StrokeRangeDelete: deleteStrokesInRange(window, x, y); return;
    case ReleaseRow::PointDelete: deletePointAt(window, x, y); return;
    case ReleaseRow::PointRangeDelete: deletePointsInRange(window, x, y); return;
    case ReleaseRow::TextDelete: deleteTextAt(window, x, y); return;
    case ReleaseRow::TextRangeDelete: deleteTextsInRange(window, x, y); return;
    case ReleaseRow::TextRangeRecolour: recolourTextsInRange(window, x, y); return;
    case ReleaseRow::LineDelete: deleteLineAt(window, x, y); return;
    case ReleaseRow::LineRangeDelete: deleteLinesInRange(window, x, y); return;
    case ReleaseRow::LineRangeRecolour: recolourLinesInRange(window, x, y); return;
    case ReleaseRow::DiagonalWindow: diagonalWindow(window, x, y); return;
    case ReleaseRow::DragZoomWindow: dragZoomWindow(window, x, y); return;
    case ReleaseRow::Nothing: return;
    }
}

// One row of the panel part of the table: panel, option and what else the
// row needs of the release.
enum class Needs { Click, Drag, Rectangle, RectangleDrag };

struct PanelRow {
    platform::Frame Plot::*panel;
    platform::OptionButton Plot::*option;
    Needs needs;
    ReleaseRow row;
};

constexpr PanelRow kPanelRows[] = {
    {&Plot::Frame9, &Plot::Option17, Needs::Click, ReleaseRow::StrokeDelete},
    {&Plot::Frame9, &Plot::Option17, Needs::Drag, ReleaseRow::StrokeRangeDelete},
    {&Plot::Frame4, &Plot::Option10, Needs::Click, ReleaseRow::PointDelete},
    {&Plot::Frame4, &Plot::Option10, Needs::RectangleDrag, ReleaseRow::PointRangeDelete},
    {&Plot::Frame11, &Plot::Option19, Needs::Click, ReleaseRow::TextDelete},
    {&Plot::Frame11, &Plot::Option19, Needs::RectangleDrag, ReleaseRow::TextRangeDelete},
    {&Plot::Frame11, &Plot::Option18, Needs::Rectangle, ReleaseRow::TextRangeRecolour},
    {&Plot::Frame10, &Plot::Option21, Needs::Click, ReleaseRow::LineDelete},
    {&Plot::Frame10, &Plot::Option21, Needs::RectangleDrag, ReleaseRow::LineRangeDelete},
    {&Plot::Frame10, &Plot::Option25, Needs::Rectangle, ReleaseRow::LineRangeRecolour},
};

bool needsMet(Needs needs)
{
    switch (needs) {
    case Needs::Click: return PointerMoved == 0;
    case Needs::Drag: return PointerMoved == 1;
    case Needs::Rectangle: return RangeBoxDrawn != 0;
    case Needs::RectangleDrag: return RangeBoxDrawn != 0 && PointerMoved == 1;
    }
    return false;
}

}  // namespace

ReleaseRow releaseRowFor(const Plot& window)
{
    if (DiagonalArmed == 0) {
        if (window.Frame9.Visible() && window.Option16.Value())
            return ReleaseRow::StrokeEnd;
        for (const PanelRow& r : kPanelRows) {
            if ((window.*r.panel).Visible() && (window.*r.option).Value() && DiagonalLabelHidden == 0
                && needsMet(r.needs))
                return r.row;
        }
    }
    if (DiagonalArmed == 1)
        return ReleaseRow::DiagonalWindow;
    if (DiagZoom == 1 && DragZoomArmed == 1 && DragZoomHeld == 1)
        return ReleaseRow::DragZoomWindow;
    return ReleaseRow::Nothing;
}

QString zoomFloorMessage()
{
    return QStringLiteral("これ以上拡大できません");
}

void Picture1_MouseUp(Plot& window, int button, int /*shift*/, double x, double y)
{
    U_compact();  // does nothing until the history nears its end
    if (PanOnce == 1) {
        button = kMiddle;
        PanOnce = 0;
    }
    if (button == kMiddle || (button == kLeft && PanDrag == 2))
        endPan(x, y);
    PanDrag = 0;
    window.Picture1.setMousePointer(platform::pointer::Cross);
    window.Picture1.canvas().setDrawMode(kCopyPen);
    if (button != kLeft)
        return;
    runRow(window, releaseRowFor(window), x, y);
}

}  // namespace tavelcor
