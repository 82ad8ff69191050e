// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/pointer_motion.h"

#include "geodesy/format_fixed.h"
#include "geodesy/plane_rectangular.h"
#include "main/background/background_drawing.h"
#include "main/edit/undo_history.h"
#include "main/interact/press_dispatch.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/mode_marks.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/system/folders.h"

#include <QCursor>
#include <QGuiApplication>

#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

constexpr int kLeftAlone = 1;
constexpr int kMiddle = 4;
constexpr int kShiftAlone = 1;
constexpr int kCopyPen = 13;
constexpr int kNotXorPen = 10;
constexpr int kGreyBand = 8;
constexpr int kSnapshotSlot = 3;
constexpr int kSnapshotRow = 0;
constexpr std::uint8_t kCauseNone = 0;
constexpr std::uint8_t kCauseSnapshot = 2;
// A pointer this far east or west of the zone's origin shows no readout.
constexpr double kReadoutEastLimit = 150000.0;
constexpr int kStrokeWidth = 2;
// Pointer style of the pan: the four-arrow move pointer.
constexpr int kMovePointer = 5;
// The arrow with the hourglass.
constexpr int kArrowHourglass = 13;
// The phrase button whose text is the free field Text8 ("他").
constexpr int kFreeTextPhrase = 7;

struct Spot {
    double x = 0.0;
    double y = 0.0;
};

QString fixed(double value, int width, int decimals)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, decimals));
}

bool ticked(const platform::CheckBox& box)
{
    return box.Value() == platform::check::Checked;
}

platform::Canvas& picture(Plot& window)
{
    return window.Picture1.canvas();
}

std::uint32_t grey()
{
    return platform::QBColor(kGreyBand);
}

// Draws a rubber segment or box with the not-xor pen (drawing it again
// takes it off).
void rubberLine(Plot& window, Spot a, Spot b)
{
    platform::Canvas& canvas = picture(window);
    canvas.setDrawMode(kNotXorPen);
    canvas.setDrawWidth(1);
    canvas.Line(a.x, a.y, b.x, b.y, grey());
}

void rubberBox(Plot& window, Spot a, Spot b)
{
    platform::Canvas& canvas = picture(window);
    canvas.setDrawMode(kNotXorPen);
    canvas.setDrawWidth(1);
    canvas.Line(a.x, a.y, b.x, b.y, grey(), platform::LineOpt::Box);
}

void copyPen(Plot& window)
{
    picture(window).setDrawMode(kCopyPen);
}

Spot lastClick()
{
    return {LastClickX, LastClickY};
}

// ------------------------------------------------------------------ pan

// The picture of the plot as background slot 3, row 0, with the extent of
// the view it shows. A picture that cannot be saved leaves the slot without
// a file, so the pan steps draw nothing while the release still pans.
void takePanSnapshot(Plot& window)
{
    const QString folder = WorkFolder.isEmpty() ? platform::workFolder() : WorkFolder;
    const QString path = folder + QStringLiteral("/TEMP.BMP");
    const bool saved = platform::ensureFolder(folder) && picture(window).SavePicture(path);
    RedrawCause = kCauseSnapshot;
    HaikeiFile(kSnapshotSlot, kSnapshotRow) = saved ? path : QString();
    HaikeiXMin(kSnapshotSlot, kSnapshotRow) = ViewCX - ViewSpanX / 2;
    HaikeiYMin(kSnapshotSlot, kSnapshotRow) = ViewCY - ViewSpanY / 2;
    HaikeiXMax(kSnapshotSlot, kSnapshotRow) = ViewSpanX / 2 + ViewCX;
    HaikeiYMax(kSnapshotSlot, kSnapshotRow) = ViewSpanY / 2 + ViewCY;
}

void panStep(Plot& window, double x, double y)
{
    window.Picture1.setMousePointer(kMovePointer);
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (RedrawCause == kCauseNone) {
        takePanSnapshot(window);
        PanAnchorX = fx;
        PanAnchorY = fy;
        L_28SET(window, QStringLiteral("画面移動"), x, y);
    }
    if (RedrawCause != kCauseSnapshot)
        return;  // a wheel snapshot or a deferred redraw owns the slot
    HaikeiXMin(kSnapshotSlot, kSnapshotRow) = HaikeiXMin(kSnapshotSlot, kSnapshotRow) - fy + PanAnchorY;
    HaikeiXMax(kSnapshotSlot, kSnapshotRow) = HaikeiXMax(kSnapshotSlot, kSnapshotRow) - fy + PanAnchorY;
    HaikeiYMin(kSnapshotSlot, kSnapshotRow) = fx + HaikeiYMin(kSnapshotSlot, kSnapshotRow) - PanAnchorX;
    HaikeiYMax(kSnapshotSlot, kSnapshotRow) = fx + HaikeiYMax(kSnapshotSlot, kSnapshotRow) - PanAnchorX;
    if (fx == PanAnchorX && fy == PanAnchorY)
        return;
    if (!HaikeiFile(kSnapshotSlot, kSnapshotRow).isEmpty()) {
        std::uint8_t snapshot = 0;
        Haikei_Draw(plotFace(), snapshot);
    }
    PanAnchorX = fx;
    PanAnchorY = fy;
    L_28SET(window, QStringLiteral("画面移動"), x, y);
}

// ------------------------------------------------------------- readouts

// Latitude (which 0) or longitude (1) of the site position as packed
// d.mmss in 13 characters.
QString angleText(double north, double east, int which)
{
    return fixed(geodesy::XYtoBL(north, east, ZoneNo, which) / 10000.0, 13, 7);
}

void showReadout(Plot& window, double x, double y)
{
    const double east = x + OriginY;
    if (PrintMode >= 2 || !(std::abs(east) < kReadoutEastLimit)) {
        window.Label5.setVisible(false);
        return;
    }
    const double north = OriginX - y;
    window.Label5.setVisible(true);
    window.Label5.setCaption(pressPositionText(x, y));
    window.Label18.setCaption(ticked(window.Check30) ? angleText(north, east, 0) : QString());
    window.Label29.setCaption(ticked(window.Check31) ? angleText(north, east, 1) : QString());
}

// ----------------------------------------------------------- rectangles

// Takes the last 対角 or drag-zoom rectangle off, draws the one to (x, y)
// and writes the readout into Label5 whether it is shown or not.
void bandRectangle(Plot& window, double x, double y)
{
    if (BandX != 0.0 && BandY != 0.0 && BandX != LastClickX && BandY != LastClickY)
        rubberBox(window, {BandX, BandY}, lastClick());
    rubberBox(window, {x, y}, lastClick());
    copyPen(window);
    window.Label5.setCaption(pressPositionText(x, y));
    BandX = x;
    BandY = y;
}

void diagonalRectangle(Plot& window, double x, double y)
{
    const bool parcels = window.Option5.Value() && ticked(window.Check37);
    L_28SET(window, parcels ? QStringLiteral("選択") : QStringLiteral("拡大"), x, y);
    if (DiagonalDrag != 1)
        return;
    bandRectangle(window, x, y);
}

void rangeRectangle(Plot& window, double x, double y)
{
    RangeBoxDrawn = 1;
    const Spot start{RangeStartX, RangeStartY};
    // The press leaves the last corner on the first one: no rectangle is on
    // the plot yet, and drawing that empty one in not-xor would leave a dot
    // at the first corner that no later drawing takes off.
    // The corners are compared as the first one is kept, in single precision.
    if (static_cast<float>(LastClickX) != RangeStartX || static_cast<float>(LastClickY) != RangeStartY)
        rubberBox(window, start, lastClick());
    rubberBox(window, start, {x, y});
    LastClickX = x;
    LastClickY = y;
}

// ---------------------------------------------------------- rubber bands

// The Shift constraint against an anchor: onto the vertical through it
// when the pointer is farther from it north-south, else onto the
// horizontal (a tie too).
void constrain(Spot anchor, double& x, double& y)
{
    const double dx = std::abs(anchor.x - x);
    const double dy = std::abs(y - anchor.y);
    if (dy > dx)
        x = anchor.x;
    else
        y = anchor.y;
}

bool lineIndexValid(int i)
{
    return i >= 1 && i <= kLineTop;
}

Spot moveAnchor()
{
    const int i = MoveLine;
    if (MoveLineEnd == 2)
        return {std::as_const(LineY2)[i], -double(std::as_const(LineX2)[i])};
    return {std::as_const(LineY1)[i], -double(std::as_const(LineX1)[i])};
}

// The start of the line under construction (entry LineNext).
Spot chainStart()
{
    const int i = LineNext;
    return {std::as_const(LineY1)[i], -double(std::as_const(LineX1)[i])};
}

// Draws the band from `anchor` to (x, y) after taking the last one off, or,
// just after a redraw took it off, only restarts it at the anchor.
void moveBand(Plot& window, Spot anchor, double x, double y)
{
    if (Redrawn == 1) {
        Redrawn = 0;
        LastClickX = anchor.x;
        LastClickY = anchor.y;
        return;
    }
    rubberLine(window, anchor, lastClick());
    rubberLine(window, anchor, {x, y});
    LastClickX = x;
    LastClickY = y;
}

void lineMoveBand(Plot& window, int shift, double& x, double& y)
{
    if (!lineIndexValid(MoveLine))
        return;
    const Spot anchor = moveAnchor();
    if (Redrawn != 1 && shift == kShiftAlone)
        constrain(anchor, x, y);
    moveBand(window, anchor, x, y);
    copyPen(window);
}

void lineAddBand(Plot& window, int shift, double& x, double& y)
{
    if (!lineIndexValid(LineNext))
        return;
    const Spot start = chainStart();
    QString text = QStringLiteral(" 始点");
    if (LineRubber != 0) {
        window.Timer4.setEnabled(true);
        text = chainLengthText(std::hypot(x - start.x, y - start.y), LineChainLength);
    }
    if (shift == kShiftAlone)
        constrain(start, x, y);
    L_28SET(window, text, x, y);
    if (LineRubber == 1)
        moveBand(window, start, x, y);
    copyPen(window);
}

// ---------------------------------------------------------- hover texts

QString optionCaption(const platform::ControlArray<platform::OptionButton>& options, int index)
{
    const platform::OptionButton* option = options.find(index);
    return option != nullptr ? option->Caption() : QString();
}

// The text a press of the text panel's 追加 would place.
QString textToPlace(const Plot& window)
{
    const platform::OptionButton* free = window.Option23.find(kFreeTextPhrase);
    if (free != nullptr && free->Value())
        return window.Text8.Text();
    const int i = SelectedIndex(window.Option23);
    if (i < 0 || i > kPhraseTop)
        return QString();
    if (PhraseText[i].trimmed().isEmpty())
        return optionCaption(window.Option23, i);
    return PhraseText[i];
}

// What the hover rows see of one motion.
struct Hover {
    Plot& window;
    int button;
    int shift;
    double x;
    double y;

    bool leftAlone() const { return button == kLeftAlone; }
    bool row(const platform::Frame& panel, const platform::OptionButton& option) const
    {
        return panel.Visible() && option.Value() && DiagonalLabelHidden == 0;
    }
    void show(const QString& text) const { L_28SET(window, text, x, y); }
};

void textPanelRows(Hover& h)
{
    Plot& w = h.window;
    const bool editing = w.Command34.Caption() != QStringLiteral("確定");
    if (h.row(w.Frame11, w.Option22))
        h.show(textToPlace(w));
    if (h.row(w.Frame11, w.Option18) && editing && !h.leftAlone())
        h.show(QStringLiteral(" TEXT編集"));
    if (h.row(w.Frame11, w.Option24)) {
        const bool picked = TxtPick >= 1 && TxtPick <= kTxtTop;
        h.show(picked ? TxtString[TxtPick] : QStringLiteral(" TEXT移動"));
    }
    if (h.row(w.Frame11, w.Option19) && !h.leftAlone())
        h.show(QStringLiteral(" TEXT削除"));
    if (h.row(w.Frame11, w.Option19) && h.leftAlone()) {
        h.show(QStringLiteral(" TEXT範囲削除"));
        rangeRectangle(w, h.x, h.y);
    }
    if (h.row(w.Frame11, w.Option18) && editing && h.leftAlone()) {
        h.show(QStringLiteral(" TEXT範囲色変"));
        rangeRectangle(w, h.x, h.y);
    }
}

void pointPanelRows(Hover& h)
{
    Plot& w = h.window;
    if (h.row(w.Frame4, w.Option12)) {
        const double height = w.Picture1.Height();
        if (height > 0.0)
            w.Label28.setHeight(ViewSpanX / height * 220.0 * FontSize / 10.0);
        const QString symbol = optionCaption(w.Option13, SelectedIndex(w.Option13));
        h.show(symbol + QLatin1Char(' ') + w.Text6.Text() + w.Text7.Text());
    }
    const bool pointPicked = MovePoint >= 1 && MovePoint <= kPointTop;
    if (h.row(w.Frame4, w.Option11) && pointPicked) {
        w.Text6.setText(PointName[MovePoint]);
        h.show(optionCaption(w.Option13, PointMark[MovePoint]) + QLatin1Char(' ') + w.Text6.Text() + w.Text7.Text());
    }
    if (h.row(w.Frame4, w.Option11) && !pointPicked) {
        w.Text6.setText(PointName[0]);
        h.show(QStringLiteral(" POINT移動"));
    }
    if (h.row(w.Frame4, w.Option10) && !h.leftAlone())
        h.show(QStringLiteral(" POINT削除"));
    if (h.row(w.Frame4, w.Option9))
        h.show(QStringLiteral(" POINT属性"));
}

void linePanelRows(Hover& h)
{
    Plot& w = h.window;
    if (h.row(w.Frame10, w.Option21) && !h.leftAlone())
        h.show(QStringLiteral(" LINE削除"));
    if (h.row(w.Frame10, w.Option25) && !h.leftAlone())
        h.show(QStringLiteral(" LINE色変"));
    if (h.row(w.Frame10, w.Option6) && LineDragging == 0)
        h.show(QStringLiteral(" LINE移動"));
    if (h.row(w.Frame10, w.Option6) && LineDragging == 1) {
        h.show(QStringLiteral(" LINE移動"));
        w.Timer4.setEnabled(true);
        lineMoveBand(w, h.shift, h.x, h.y);
    }
    if (h.row(w.Frame10, w.Option20))
        lineAddBand(w, h.shift, h.x, h.y);
}

void rangeRows(Hover& h)
{
    Plot& w = h.window;
    if (!h.leftAlone())
        return;
    if (h.row(w.Frame9, w.Option17)) {
        h.show(QStringLiteral(" 手書範囲削除"));
        rangeRectangle(w, h.x, h.y);
    }
    if (h.row(w.Frame10, w.Option21)) {
        h.show(QStringLiteral(" LINE範囲削除"));
        rangeRectangle(w, h.x, h.y);
    }
    if (h.row(w.Frame10, w.Option25)) {
        h.show(QStringLiteral(" LINE色範囲変更"));
        rangeRectangle(w, h.x, h.y);
    }
    if (h.row(w.Frame4, w.Option10)) {
        h.show(QStringLiteral(" POINT範囲削除"));
        rangeRectangle(w, h.x, h.y);
    }
}

// The hover texts of the open panel, in the order of their rows; the line
// bands may move (x, y) onto the Shift constraint for what follows.
void hoverRows(Plot& window, int button, int shift, double& x, double& y)
{
    L_28SET(window, QString(), x, y);
    Hover h{window, button, shift, x, y};
    textPanelRows(h);
    pointPanelRows(h);
    linePanelRows(h);
    if (h.row(window.Frame9, window.Option16))
        h.show(QStringLiteral(" 手書追加"));
    if (h.row(window.Frame9, window.Option17) && !h.leftAlone())
        h.show(QStringLiteral(" 手書削除"));
    rangeRows(h);
    x = h.x;
    y = h.y;
}

// --------------------------------------------------------- hand strokes

void setVertex(int n, TegakiPenCode pen, double x, double y)
{
    TegakiPen[n] = pen;
    TegakiX[n] = static_cast<float>(-y);
    TegakiY[n] = static_cast<float>(x);
}

// A stroke that would run past the table's last slot ends on that slot
// (a stroke of one vertex is abandoned) with its record; the message comes
// once for the press.
void refuseStrokeVertex(bool firstMotion)
{
    const int top = kTegakiTop;
    bool tell = firstMotion;
    if (TegakiPen[top] == kPenNext) {
        TegakiPen[top] = kPenLast;
        int first = top;
        while (first >= 1 && TegakiPen[first] != kPenFirst)
            --first;
        pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDrawn)
                           .values(static_cast<float>(first >= 1 ? first : top), static_cast<float>(top)));
        tell = true;
    } else if (TegakiPen[top] == kPenFirst) {
        TegakiPen[top] = kPenDeleted;
        tell = true;
    }
    if (tell)
        platform::MsgBox(strokeTableFullMessage(), platform::MsgButtons::OkOnly);
}

void recordStrokeVertex(Plot& window, double x, double y, bool firstMotion)
{
    if (TegakiCount == 1) {
        TegakiCount = 2;
        setVertex(2, kPenFirst, x, y);
        return;
    }
    if (TegakiCount == 2) {
        TegakiCount = 3;
        setVertex(3, kPenNext, x, y);
        return;
    }
    if (TegakiCount < 0 || TegakiCount >= kTegakiTop) {
        if (TegakiCount == kTegakiTop)
            refuseStrokeVertex(firstMotion);
        return;
    }
    const int n = TegakiCount + 1;
    TegakiCount = n;
    const int chosen = SelectedIndex(window.Option8);
    TegakiColor[n] = static_cast<std::uint8_t>(platform::isQBColorIndex(chosen) ? chosen : 0);
    const std::uint8_t previous = TegakiPen[n - 1];
    if (previous == kPenLast || previous == kPenDeleted) {
        setVertex(n, kPenFirst, x, y);
        return;
    }
    setVertex(n, kPenNext, x, y);
    platform::Canvas& canvas = picture(window);
    canvas.setDrawWidth(kStrokeWidth);
    canvas.setDrawMode(kCopyPen);
    canvas.Line(std::as_const(TegakiY)[n - 1], -double(std::as_const(TegakiX)[n - 1]), x, y,
                platform::QBColor(TegakiColor[n]));
    canvas.setDrawWidth(1);
}

void dragZoomRectangle(Plot& window, double x, double y)
{
    L_28SET(window, QStringLiteral("拡大範囲"), x, y);
    bandRectangle(window, x, y);
}

bool foregroundIsOurs(Plot& window)
{
    QString activeControl;
    const platform::WindowHandle front = Pointer_in(window, activeControl);
    return StartMode != 0 || static_cast<std::uintptr_t>(front) == ForeHwnd;
}

}  // namespace

QString chainLengthText(double d, double chain)
{
    const int decimals = d < 100.0 ? 3 : (d < 1000.0 ? 2 : 1);
    return fixed(d, 12, decimals).trimmed() + QLatin1Char(' ') + fixed(d + chain, 12, decimals).trimmed();
}

QString strokeTableFullMessage()
{
    return QStringLiteral("手書きの点数が上限の1000000点に達しています");
}

bool busyCursorShown(const Plot& window)
{
    const auto busy = [](int pointer) {
        return pointer == platform::pointer::Hourglass || pointer == kArrowHourglass;
    };
    if (busy(window.MousePointer()) || busy(window.Picture1.MousePointer()))
        return true;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && (cursor->shape() == Qt::WaitCursor || cursor->shape() == Qt::BusyCursor);
}

void Picture1_MouseMove(Plot& window, int button, int shift, double x, double y)
{
    if (!foregroundIsOurs(window))
        return;
    U_compact();  // does nothing until the history nears its end
    const bool firstMotion = PointerMoved == 0;
    PointerMoved = 1;
    if (button == kLeftAlone && PanOnce == 1)
        button = kMiddle;
    if (button == kMiddle || (button == kLeftAlone && PanDrag == 2)) {
        panStep(window, x, y);
        return;
    }
    PanDrag = 0;
    window.Picture1.setMousePointer(platform::pointer::Cross);
    showReadout(window, x, y);
    if (DiagonalArmed == 1) {
        diagonalRectangle(window, x, y);
        return;
    }
    if (AreaCount > 0) {
        L_28SET(window, QStringLiteral("面積計測中"), x, y);
        return;
    }
    hoverRows(window, button, shift, x, y);
    copyPen(window);
    if (button != kLeftAlone)
        return;
    if (window.Frame9.Visible() && window.Option16.Value())
        recordStrokeVertex(window, x, y, firstMotion);
    else if (DragZoomArmed == 1 && DragZoomHeld == 1 && DiagZoom == 1 && RangeBoxDrawn == 0)
        dragZoomRectangle(window, x, y);
    copyPen(window);
}

void Timer4_Timer(Plot& window)
{
    if (busyCursorShown(window))
        return;  // the band stays; the timer ticks again
    const bool lineMove = window.Frame10.Visible() && window.Option6.Value() && LineDragging == 1
                          && DiagonalLabelHidden == 0;
    const bool lineAdd = window.Frame10.Visible() && window.Option20.Value() && DiagonalLabelHidden == 0;
    if (lineMove && lineIndexValid(MoveLine)) {
        rubberLine(window, moveAnchor(), lastClick());
        LastClickX = std::as_const(LineY1)[MoveLine];
        LastClickY = -double(std::as_const(LineX1)[MoveLine]);
    } else if (!lineMove && lineAdd && lineIndexValid(LineNext)) {
        const Spot start = chainStart();
        rubberLine(window, start, lastClick());
        LastClickX = start.x;
        LastClickY = start.y;
    }
    copyPen(window);
    window.Timer4.setEnabled(false);
}

}  // namespace tavelcor
