// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/undo_steps.h"

#include "main/edit/point_names.h"
#include "main/edit/undo_history.h"
#include "main/site/tables.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

namespace tavelcor {

namespace {

namespace kind = undo_kind;

constexpr int kDeletedMark = 100;     // added to a marker or colour of a deleted item
constexpr int kLastPaletteColor = 15;  // colours the plot can draw: 0..15
constexpr int kStrokeWidth = 2;
constexpr int kDefaultLineWidth = 2;

// ------------------------------------------------------------------ records

std::uint8_t kindAt(int p)
{
    return p >= 1 && p <= kUndoLastEntry ? std::as_const(UndoKind)[p] : std::uint8_t{0};
}

// The highest entry Redo may read: the newest record written, and never
// beyond the history's last entry.
int redoLimit()
{
    return std::clamp<int>(UndoTop, 0, kUndoLastEntry);
}

std::uint8_t kindAbove(int p)
{
    return p + 1 <= redoLimit() ? kindAt(p + 1) : std::uint8_t{0};
}

float val1(int p) { return std::as_const(UndoVal1)[p]; }
float val2(int p) { return std::as_const(UndoVal2)[p]; }
std::int32_t item(int p) { return std::as_const(UndoItem)[p]; }
const QString& before(int p) { return std::as_const(UndoText)(0, p); }
const QString& after(int p) { return std::as_const(UndoText)(1, p); }

// A stored value as a whole number within lo..hi; nullopt outside.
std::optional<int> wholeIn(double value, int lo, int hi)
{
    const std::optional<std::int32_t> n = platform::toLongChecked(value);
    if (!n || *n < lo || *n > hi)
        return std::nullopt;
    return *n;
}

std::optional<std::uint8_t> byteValue(float value)
{
    return platform::toByteChecked(value);
}

double textValue(const QString& text)
{
    return platform::Val(text);
}

// The running number of a range record: val2 for deletions of points, lines
// and texts, the before-text for the other range kinds.
double runningNumber(std::uint8_t k, int p)
{
    switch (k) {
    case kind::kRangePointDeleted:
    case kind::kRangeLineDeleted:
    case kind::kRangeTextDeleted:
        return val2(p);
    default:
        return textValue(before(p));
    }
}

// ------------------------------------------------------------------- drawing

bool pointDrawable(int i)
{
    const int mark = PointMark[i];
    return mark >= 1 && mark <= kSymbolCount;
}

bool colorDrawable(int color)
{
    return color >= 0 && color <= kLastPaletteColor;
}

int lineWidthFor(int color)
{
    return color >= 0 && color <= kColorTableTop ? int(std::as_const(LineWidthOf)[color]) : kDefaultLineWidth;
}

void showPoint(HistoryCanvas& canvas, int i, Ink ink)
{
    if (pointDrawable(i))
        canvas.point(i, ink);
}

void showLine(HistoryCanvas& canvas, int j, Ink ink, int width)
{
    if (colorDrawable(LineColor[j]))
        canvas.line(j, ink, width);
}

void showLine(HistoryCanvas& canvas, int j, Ink ink)
{
    showLine(canvas, j, ink, lineWidthFor(LineColor[j]));
}

void showText(HistoryCanvas& canvas, int i, Ink ink)
{
    if (colorDrawable(TxtColor[i]))
        canvas.text(i, ink);
}

void showStroke(HistoryCanvas& canvas, int a, int b, Ink ink)
{
    for (int v = a; v < b; ++v)
        if (colorDrawable(TegakiColor[v]))
            canvas.strokeSegment(v, ink);
}

void proposeAfter(HistoryCanvas& canvas, int i)
{
    canvas.proposeName(NextPointName(PointName[i]));
}

// ------------------------------------------------------------------ indexes

std::optional<int> pointIndex(double value) { return wholeIn(value, 1, kPointTop); }
std::optional<int> lineIndex(double value) { return wholeIn(value, 1, kLineTop); }
std::optional<int> textIndex(double value) { return wholeIn(value, 1, kTxtTop); }

// The first and last vertex of a stroke record.
std::optional<std::pair<int, int>> strokeRange(int p)
{
    const auto a = wholeIn(val1(p), 1, kTegakiTop);
    const auto b = wholeIn(val2(p), 1, kTegakiTop);
    if (!a || !b || *a > *b)
        return std::nullopt;
    return std::pair{*a, *b};
}

// A line end record's line (|item|) and whether its first end is meant.
struct LineEnd {
    int line = 0;
    bool first = false;
};

std::optional<LineEnd> lineEndOf(int p)
{
    const std::int64_t v = item(p);
    const auto j = wholeIn(double(std::llabs(v)), 1, kLineTop);
    if (!j)
        return std::nullopt;
    return LineEnd{*j, v < 0};
}

void setLineEnd(const LineEnd& end, double x, double y)
{
    if (end.first) {
        LineX1[end.line] = x;
        LineY1[end.line] = y;
    } else {
        LineX2[end.line] = x;
        LineY2[end.line] = y;
    }
}

bool deleted(int colorOrMark)
{
    return colorOrMark >= kDeletedMark;
}

// ---------------------------------------------------- shared by Undo and Redo

// A deleted point, line or text marked again as not deleted (Undo of a
// deletion) when it is still marked deleted.
void restorePoint(HistoryCanvas& canvas, int i)
{
    if (PointMark[i] >= kDeletedMark) {
        PointMark[i] = static_cast<std::uint8_t>(PointMark[i] - kDeletedMark);
        showPoint(canvas, i, Ink::Own);
    }
}

void restoreLine(HistoryCanvas& canvas, int j)
{
    if (LineColor[j] >= kDeletedMark) {
        LineColor[j] = static_cast<std::uint8_t>(LineColor[j] - kDeletedMark);
        showLine(canvas, j, Ink::Own);
    }
}

void restoreText(HistoryCanvas& canvas, int i)
{
    if (TxtColor[i] >= kDeletedMark) {
        TxtColor[i] = static_cast<std::uint8_t>(TxtColor[i] - kDeletedMark);
        showText(canvas, i, Ink::Own);
    }
}

// The same items marked deleted again (Redo of a deletion) while they are not.
void deletePoint(HistoryCanvas& canvas, int i)
{
    if (PointMark[i] < kDeletedMark) {
        showPoint(canvas, i, Ink::White);
        PointMark[i] = static_cast<std::uint8_t>(PointMark[i] + kDeletedMark);
    }
}

void deleteLine(HistoryCanvas& canvas, int j)
{
    if (LineColor[j] < kDeletedMark) {
        showLine(canvas, j, Ink::White);
        LineColor[j] = static_cast<std::uint8_t>(LineColor[j] + kDeletedMark);
    }
}

void deleteText(HistoryCanvas& canvas, int i)
{
    if (TxtColor[i] < kDeletedMark) {
        showText(canvas, i, Ink::White);
        TxtColor[i] = static_cast<std::uint8_t>(TxtColor[i] + kDeletedMark);
    }
}

// A line's colour changed from `from` to `to` on the plot, unless the line
// is deleted: drawn over in white as it stands in `from`, then drawn in `to`.
void recolorLine(HistoryCanvas& canvas, int j, std::uint8_t from, std::uint8_t to)
{
    if (deleted(LineColor[j]))
        return;
    LineColor[j] = from;
    showLine(canvas, j, Ink::White);
    LineColor[j] = to;
    showLine(canvas, j, Ink::Own);
}

void setStrokePens(int a, int b, bool present)
{
    if (!present) {
        for (int v = a; v <= b; ++v)
            TegakiPen[v] = 0;
        return;
    }
    TegakiPen[a] = 1;
    for (int v = a + 1; v < b; ++v)
        TegakiPen[v] = 2;
    TegakiPen[b] = 3;
}

void showStrokeAgain(HistoryCanvas& canvas, int p)
{
    if (const auto range = strokeRange(p)) {
        setStrokePens(range->first, range->second, true);
        showStroke(canvas, range->first, range->second, Ink::Own);
    }
}

void takeStrokeAway(HistoryCanvas& canvas, int p)
{
    if (const auto range = strokeRange(p)) {
        setStrokePens(range->first, range->second, false);
        showStroke(canvas, range->first, range->second, Ink::White);
    }
}

// Names and marker of point i from a kind 14 record's text and value.
void setPointNames(HistoryCanvas& canvas, int i, float mark, const QString& text, bool trimSecond)
{
    const std::optional<std::uint8_t> m = byteValue(mark);
    if (!m)
        return;
    showPoint(canvas, i, Ink::White);
    PointMark[i] = *m;
    auto [name, name2] = splitPointNames(text);
    PointName[i] = name;
    PointName2[i] = trimSecond ? platform::RTrim(name2) : name2;
    showPoint(canvas, i, Ink::Own);
}

// True when a number above `added` up to ZahyoMax holds a coordinate.
// Numbers taken without one (a refused four-point intersection keeps its
// number free) hold nothing to keep.
bool coordinateAbove(int added)
{
    const QString free = freeZahyoName();
    const int top = std::min(ZahyoMax, kZahyoTop);
    for (int n = added + 1; n <= top; ++n) {
        if (std::as_const(ZahyoName)[n] != free)
            return true;
    }
    return false;
}

// ZahyoMax set by Undo (`value` = the record's count before the addition)
// or Redo (that count + 1) of a computed coordinate at `value` + 1 or
// `value`. Coordinates above the one the record added came from elsewhere
// (a SIMA append or merge, a key-in): while they stand the record no longer
// describes the newest coordinate and changes nothing, so the history never
// cuts coordinates it did not add.
void setZahyoMax(HistoryCanvas& canvas, int p, double value)
{
    const auto added = wholeIn(double(val1(p)) + 1.0, 1, kZahyoTop);
    const auto n = wholeIn(value, 0, kZahyoTop);
    if (!added || !n || coordinateAbove(*added))
        return;
    ZahyoMax = *n;
    canvas.redisplay();
}

}  // namespace

// ====================================================================== Undo

namespace {

// The line end of a record put back to the record's values (a point's or
// line end's position before the move): the old segment is drawn over in
// white, then the line is drawn.
void moveLineEndBack(HistoryCanvas& canvas, int p)
{
    const auto end = lineEndOf(p);
    if (!end)
        return;
    showLine(canvas, end->line, Ink::White);
    setLineEnd(*end, val1(p), val2(p));
    showLine(canvas, end->line, Ink::Own);
}

void undoPointAdded(HistoryCanvas& canvas, int p)
{
    const auto count = wholeIn(val1(p), 0, kPointTop - 1);
    if (!count)
        return;
    PointCount = *count;
    showPoint(canvas, PointCount + 1, Ink::White);
    proposeAfter(canvas, PointCount);
    // A point added on a line: the new piece and the split line below it.
    if (kindAt(UndoPos - 1) != kind::kSplitPiece)
        return;
    --UndoPos;
    if (const auto next = lineIndex(val1(UndoPos)))
        LineNext = *next;
    if (kindAt(UndoPos - 1) != kind::kLineSplit)
        return;
    --UndoPos;
    if (const auto j = lineIndex(item(UndoPos))) {
        LineX2[*j] = val1(UndoPos);
        LineY2[*j] = val2(UndoPos);
    }
}

void undoPointMoved(HistoryCanvas& canvas, int p)
{
    if (const auto i = pointIndex(item(p))) {
        showPoint(canvas, *i, Ink::White);
        PointX[*i] = val1(p);
        PointY[*i] = val2(p);
        showPoint(canvas, *i, Ink::Own);
    }
    while (kindAt(UndoPos - 1) == kind::kCarriedLineEnd) {
        --UndoPos;
        moveLineEndBack(canvas, UndoPos);
    }
}

void undoLineCompleted(HistoryCanvas& canvas, int p)
{
    const auto index = lineIndex(val1(p));
    if (!index)
        return;
    // The segment in progress starts at LineNext in the current line colour,
    // which is the colour the completed segment was drawn in.
    if (LineNext >= 2 && LineNext <= kLineTop)
        showLine(canvas, LineNext - 1, Ink::White, lineWidthFor(LineColor[LineNext]));
    LineNext = *index;
}

void undoLineColor(HistoryCanvas& canvas, int p)
{
    const auto j = lineIndex(item(p));
    const auto from = byteValue(val1(p));
    const auto to = byteValue(val2(p));
    if (j && from && to)
        recolorLine(canvas, *j, *to, *from);
}

void undoTextAdded(HistoryCanvas& canvas, int p)
{
    if (const auto count = wholeIn(val1(p), 0, kTxtTop - 1)) {
        TxtCount = *count;
        showText(canvas, TxtCount + 1, Ink::White);
    }
}

void undoTextMoved(HistoryCanvas& canvas, int p)
{
    if (const auto i = textIndex(item(p))) {
        showText(canvas, *i, Ink::White);
        TxtX[*i] = val1(p);
        TxtY[*i] = val2(p);
        showText(canvas, *i, Ink::Own);
    }
}

void undoTextEdited(HistoryCanvas& canvas, int p)
{
    const auto i = textIndex(item(p));
    const auto color = byteValue(val1(p));
    if (!i || !color)
        return;
    showText(canvas, *i, Ink::White);
    TxtColor[*i] = *color;
    TxtString[*i] = before(p);
    showText(canvas, *i, Ink::Own);
}

// One record of a range step, taken back.
void undoRangeRecord(HistoryCanvas& canvas, std::uint8_t k, int p)
{
    switch (k) {
    case kind::kRangePointDeleted:
        if (const auto i = pointIndex(val1(p)))
            restorePoint(canvas, *i);
        break;
    case kind::kRangeLineDeleted:
        if (const auto j = lineIndex(val1(p)))
            restoreLine(canvas, *j);
        break;
    case kind::kRangeTextDeleted:
        if (const auto i = textIndex(val1(p)))
            restoreText(canvas, *i);
        break;
    case kind::kRangeLineColor:
        undoLineColor(canvas, p);
        break;
    case kind::kRangeTextColor:
        // The colour goes back whether or not the text is deleted since.
        if (const auto i = textIndex(item(p)); i && byteValue(val1(p))) {
            TxtColor[*i] = *byteValue(val1(p));
            showText(canvas, *i, Ink::Own);
        }
        break;
    case kind::kRangeStrokeDeleted:
        showStrokeAgain(canvas, p);
        break;
    default:
        break;
    }
}

// A range group from UndoPos down to its first record.
void undoRangeGroup(HistoryCanvas& canvas, std::uint8_t k)
{
    for (;;) {
        undoRangeRecord(canvas, k, UndoPos);
        const int below = UndoPos - 1;
        if (kindAt(below) != k || runningNumber(k, below) != runningNumber(k, UndoPos) - 1)
            return;
        UndoPos = static_cast<std::int16_t>(below);
    }
}

void undoRecord(HistoryCanvas& canvas, std::uint8_t k, int p)
{
    switch (k) {
    case kind::kPointAdded: undoPointAdded(canvas, p); break;
    case kind::kPointDeleted:
        if (const auto i = pointIndex(val1(p)))
            restorePoint(canvas, *i);
        break;
    case kind::kPointMoved: undoPointMoved(canvas, p); break;
    case kind::kPointChanged:
        if (const auto i = pointIndex(item(p)))
            setPointNames(canvas, *i, val1(p), before(p), true);
        break;
    case kind::kLineCompleted: undoLineCompleted(canvas, p); break;
    case kind::kLineDeleted:
        if (const auto j = lineIndex(val1(p)))
            restoreLine(canvas, *j);
        break;
    case kind::kLineEndMoved: moveLineEndBack(canvas, p); break;
    case kind::kLineColor: undoLineColor(canvas, p); break;
    case kind::kTextAdded: undoTextAdded(canvas, p); break;
    case kind::kTextDeleted:
        if (const auto i = textIndex(val1(p)))
            restoreText(canvas, *i);
        break;
    case kind::kTextMoved: undoTextMoved(canvas, p); break;
    case kind::kTextEdited: undoTextEdited(canvas, p); break;
    case kind::kStrokeDrawn: takeStrokeAway(canvas, p); break;
    case kind::kStrokeDeleted: showStrokeAgain(canvas, p); break;
    case kind::kCoordinateAppended: setZahyoMax(canvas, p, val1(p)); break;
    case kind::kRangePointDeleted:
    case kind::kRangeLineDeleted:
    case kind::kRangeTextDeleted:
    case kind::kRangeLineColor:
    case kind::kRangeTextColor:
    case kind::kRangeStrokeDeleted: undoRangeGroup(canvas, k); break;
    default:
        // 123, 125 and 126 without the record that leads their step, and
        // unknown kinds, are stepped over.
        break;
    }
}

}  // namespace

bool undoStep(HistoryCanvas& canvas)
{
    const std::uint8_t k = kindAt(UndoPos);
    if (k == 0)
        return false;
    undoRecord(canvas, k, UndoPos);
    UndoPos = static_cast<std::int16_t>(UndoPos - 1);
    return true;
}

// ====================================================================== Redo

namespace {

// The line end of a record moved to the record's after-texts: the line is
// drawn over in white, its end set, the line drawn.
void moveLineEndForward(HistoryCanvas& canvas, int p)
{
    const auto end = lineEndOf(p);
    if (!end)
        return;
    showLine(canvas, end->line, Ink::White);
    setLineEnd(*end, textValue(before(p)), textValue(after(p)));
    showLine(canvas, end->line, Ink::Own);
}

// PointCount raised to a kind 11 record's point, which is drawn and whose
// successor is proposed.
void redoPointAdded(HistoryCanvas& canvas, int p)
{
    const auto count = wholeIn(val1(p), 0, kPointTop - 1);
    if (!count)
        return;
    PointCount = *count + 1;
    showPoint(canvas, PointCount, Ink::Own);
    proposeAfter(canvas, PointCount);
}

void redoPointMoved(HistoryCanvas& canvas, int p)
{
    const auto i = pointIndex(item(p));
    if (!i)
        return;
    PointX[*i] = val1(p);
    PointY[*i] = val2(p);
    showPoint(canvas, *i, Ink::White);
    PointX[*i] = textValue(before(p));
    PointY[*i] = textValue(after(p));
    showPoint(canvas, *i, Ink::Own);
}

// A point move's carried line ends from UndoPos up, then the move itself.
// The walk stops at the newest record written, and at a record that is
// neither a carried end nor the move (the move then stays undone).
void redoCarriedEnds(HistoryCanvas& canvas)
{
    for (;;) {
        if (const auto end = lineEndOf(UndoPos); end && !deleted(LineColor[end->line]))
            moveLineEndForward(canvas, UndoPos);
        const std::uint8_t next = kindAbove(UndoPos);
        if (next != kind::kCarriedLineEnd && next != kind::kPointMoved)
            return;
        UndoPos = static_cast<std::int16_t>(UndoPos + 1);
        if (next == kind::kPointMoved) {
            redoPointMoved(canvas, UndoPos);
            return;
        }
    }
}

// A point added on a line: the split line's new second end, then the new
// piece and the point when their records follow.
void redoLineSplit(HistoryCanvas& canvas, int p)
{
    if (const auto j = lineIndex(item(p))) {
        LineX2[*j] = textValue(before(p));
        LineY2[*j] = textValue(after(p));
    }
    if (kindAbove(UndoPos) != kind::kSplitPiece)
        return;
    UndoPos = static_cast<std::int16_t>(UndoPos + 1);
    if (const auto next = wholeIn(val1(UndoPos), 0, kLineTop - 1))
        LineNext = *next + 1;
    if (kindAbove(UndoPos) != kind::kPointAdded)
        return;
    UndoPos = static_cast<std::int16_t>(UndoPos + 1);
    redoPointAdded(canvas, UndoPos);
}

void redoLineCompleted(HistoryCanvas& canvas, int p)
{
    const auto next = wholeIn(val1(p), 0, kLineTop - 1);
    if (!next || LineNext < 1 || LineNext > kLineTop)
        return;
    showLine(canvas, LineNext, Ink::Own);
    LineNext = *next + 1;
}

void redoLineColor(HistoryCanvas& canvas, int p)
{
    const auto j = lineIndex(item(p));
    const auto from = byteValue(val1(p));
    const auto to = byteValue(val2(p));
    if (j && from && to)
        recolorLine(canvas, *j, *from, *to);
}

void redoTextAdded(HistoryCanvas& canvas, int p)
{
    if (const auto count = wholeIn(val1(p), 0, kTxtTop - 1)) {
        TxtCount = *count + 1;
        showText(canvas, TxtCount, Ink::Own);
    }
}

void redoTextMoved(HistoryCanvas& canvas, int p)
{
    if (const auto i = textIndex(item(p))) {
        showText(canvas, *i, Ink::White);
        TxtX[*i] = static_cast<float>(textValue(before(p)));
        TxtY[*i] = static_cast<float>(textValue(after(p)));
        showText(canvas, *i, Ink::Own);
    }
}

void redoTextEdited(HistoryCanvas& canvas, int p)
{
    const auto i = textIndex(item(p));
    const auto color = byteValue(val2(p));
    if (!i || !color)
        return;
    showText(canvas, *i, Ink::White);
    TxtColor[*i] = *color;
    TxtString[*i] = after(p);
    showText(canvas, *i, Ink::Own);
}

void redoRangeRecord(HistoryCanvas& canvas, std::uint8_t k, int p)
{
    switch (k) {
    case kind::kRangePointDeleted:
        if (const auto i = pointIndex(val1(p)))
            deletePoint(canvas, *i);
        break;
    case kind::kRangeLineDeleted:
        if (const auto j = lineIndex(val1(p)))
            deleteLine(canvas, *j);
        break;
    case kind::kRangeTextDeleted:
        if (const auto i = textIndex(val1(p)))
            deleteText(canvas, *i);
        break;
    case kind::kRangeLineColor:
        redoLineColor(canvas, p);
        break;
    case kind::kRangeTextColor:
        if (const auto i = textIndex(item(p)); i && byteValue(val2(p))) {
            TxtColor[*i] = *byteValue(val2(p));
            showText(canvas, *i, Ink::Own);
        }
        break;
    case kind::kRangeStrokeDeleted:
        takeStrokeAway(canvas, p);
        break;
    default:
        break;
    }
}

// A range group from UndoPos up to its last record.
void redoRangeGroup(HistoryCanvas& canvas, std::uint8_t k)
{
    for (;;) {
        redoRangeRecord(canvas, k, UndoPos);
        const int above = UndoPos + 1;
        if (kindAbove(UndoPos) != k || runningNumber(k, above) != runningNumber(k, UndoPos) + 1)
            return;
        UndoPos = static_cast<std::int16_t>(above);
    }
}

void redoRecord(HistoryCanvas& canvas, std::uint8_t k, int p)
{
    switch (k) {
    case kind::kPointAdded: redoPointAdded(canvas, p); break;
    case kind::kPointDeleted:
        if (const auto i = pointIndex(val1(p)))
            deletePoint(canvas, *i);
        break;
    case kind::kPointMoved: redoPointMoved(canvas, p); break;
    case kind::kPointChanged:
        if (const auto i = pointIndex(item(p)))
            setPointNames(canvas, *i, val2(p), after(p), false);
        break;
    case kind::kLineCompleted: redoLineCompleted(canvas, p); break;
    case kind::kLineDeleted:
        if (const auto j = lineIndex(val1(p)))
            deleteLine(canvas, *j);
        break;
    case kind::kLineEndMoved: moveLineEndForward(canvas, p); break;
    case kind::kLineColor: redoLineColor(canvas, p); break;
    case kind::kTextAdded: redoTextAdded(canvas, p); break;
    case kind::kTextDeleted:
        if (const auto i = textIndex(val1(p)))
            deleteText(canvas, *i);
        break;
    case kind::kTextMoved: redoTextMoved(canvas, p); break;
    case kind::kTextEdited: redoTextEdited(canvas, p); break;
    case kind::kStrokeDrawn: showStrokeAgain(canvas, p); break;
    case kind::kStrokeDeleted: takeStrokeAway(canvas, p); break;
    case kind::kCoordinateAppended: setZahyoMax(canvas, p, double(val1(p)) + 1.0); break;
    case kind::kCarriedLineEnd: redoCarriedEnds(canvas); break;
    case kind::kLineSplit: redoLineSplit(canvas, p); break;
    case kind::kRangePointDeleted:
    case kind::kRangeLineDeleted:
    case kind::kRangeTextDeleted:
    case kind::kRangeLineColor:
    case kind::kRangeTextColor:
    case kind::kRangeStrokeDeleted: redoRangeGroup(canvas, k); break;
    default:
        // 126 met by itself and unknown kinds: only the position moves.
        break;
    }
}

}  // namespace

bool redoAvailable()
{
    return kindAbove(UndoPos) != 0;
}

RedoOutcome redoStep(HistoryCanvas& canvas)
{
    RedoOutcome outcome;
    if (UndoPos < 0 || !redoAvailable())
        return outcome;
    UndoPos = static_cast<std::int16_t>(UndoPos + 1);
    redoRecord(canvas, kindAt(UndoPos), UndoPos);
    outcome.applied = true;
    outcome.moreToRedo = redoAvailable();
    return outcome;
}

}  // namespace tavelcor
