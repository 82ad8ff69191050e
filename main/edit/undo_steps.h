// SPDX-License-Identifier: LicenseRef-Tavelcor
// Undo and Redo over the edit history (undo_history.h) and the shared tables.
//
// Undo takes back the step at UndoPos: one record, a whole range step (a
// run of records of one kind whose running numbers rise by one) or a whole
// compound step (a point move with the line ends it carried; a point added
// on a line with the split). It puts the before-values back and lowers
// UndoPos below the step. Redo applies the step just above UndoPos again,
// from its after-values, and raises UndoPos to the step's last record; it
// never reads above UndoTop or above entry 20001.
//
// Undo reads nothing but the records: after some undos and a new edit, the
// next undos walk down through the undone records again and put their
// before-values back once more (a deletion only while its item is still
// marked deleted). Coordinates come back from the records' single-precision
// values on Undo and from their full-precision texts on Redo, so after Undo
// and Redo a moved item stands exactly where it was moved to. A record that
// names an index outside its table, or a value its table cannot hold,
// changes nothing but the position.
//
// What changes is drawn in place through a HistoryCanvas: items in their
// own colour, items taken away in white over themselves. Only items that
// the plot can show reach it: a point with a marker 1..18, a line, text or
// stroke segment with a colour 0..15 (a colour of 100 or more marks a
// deleted item). Undo and Redo never redraw the whole plot, except that a
// change of ZahyoMax asks for the redisplay.
#pragma once

#include <QString>

namespace tavelcor {

/// How an item is drawn in place.
enum class Ink {
    Own,    ///< in its own colour (a point: its marker's colour, its label black or red)
    White,  ///< in white, over the item as it was drawn
};

/// Where Undo and Redo show their changes. Called only for items that can
/// be drawn (see above).
class HistoryCanvas {
public:
    virtual ~HistoryCanvas() = default;

    /// Observation point i: its marker glyph and its label " " + name + name2.
    virtual void point(int i, Ink ink) = 0;
    /// Line j from its first to its second end, `widthPixels` wide.
    virtual void line(int j, Ink ink, int widthPixels) = 0;
    /// Text i as the text layer lays it out.
    virtual void text(int i, Ink ink) = 0;
    /// The hand-stroke segment from vertex v to v + 1, 2 pixels wide, in
    /// the colour of vertex v.
    virtual void strokeSegment(int v, Ink ink) = 0;
    /// The name proposed for the next point (the point panel's Text6).
    virtual void proposeName(const QString& name) = 0;
    /// The plot redrawn in full after ZahyoMax changed (the resets of
    /// 再表示, without its clipboard step).
    virtual void redisplay() = 0;
};

/// Takes back the step at UndoPos. False, with nothing changed, when the
/// history holds nothing to undo there (kind 0); true otherwise, also when
/// the record was only stepped over (a part of a compound step met without
/// the record that leads it, or an unknown kind).
bool undoStep(HistoryCanvas& canvas);

/// What Redo did.
struct RedoOutcome {
    bool applied = false;     ///< a step (or a record stepped over) was taken
    bool moreToRedo = false;  ///< a further record lies above UndoPos
};

/// Applies again the step just above UndoPos.
RedoOutcome redoStep(HistoryCanvas& canvas);

/// Whether a record lies above UndoPos, within UndoTop and entry 20001.
bool redoAvailable();

}  // namespace tavelcor
