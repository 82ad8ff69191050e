// SPDX-License-Identifier: LicenseRef-Tavelcor
// The edit history: writing records into it and keeping it within its
// entries.
//
// The history lives in the shared tables (main/site/tables.h): UndoKind,
// UndoItem, UndoVal1, UndoVal2 and UndoText for entries 0..20001 (entry 0 is
// never written), UndoPos (the record the next Undo reverts) and UndoTop (the
// highest record written). Every edit a user can take back writes its
// records through pushUndoRecord, which keeps 0 <= UndoPos <= UndoTop <= 20001
// whatever its callers did before: no writer needs to compact first for the
// history to stay inside its entries.
//
// Record kinds (two digits: 10 x table + operation; tables 1 points, 2 lines,
// 3 texts, 4 hand strokes, 5 coordinate numbers; operations 1 added,
// 2 deleted, 3 moved, 4 changed; three digits: range steps and the parts of
// compound steps). What each kind keeps in which field:
//
//   kind  item            val1                 val2             before (text 0)   after (text 1)
//   11    -               PointCount before    -                -                 -
//   12    -               point index          -                -                 -
//   13    point index     X before             Y before         X after           Y after
//   14    point index     marker before        marker after     name|name2 before name|name2 after
//         (joinPointNames: a "|" or a backslash inside a name gets a
//         backslash before it)
//   21    -               index of the line    -                -                 -
//                         completed (LineNext before it advanced)
//   22    -               line index           -                -                 -
//   23    line index (<0: first end moved)  X before  Y before  X after           Y after
//   24    line index      colour before        colour after     -                 -
//   31    -               TxtCount before      -                -                 -
//   32    -               text index           -                -                 -
//   33    text index      X before             Y before         X after           Y after
//   34    text index      colour before        colour after     string before     string after
//   41    -               first vertex         last vertex      -                 -
//   42    -               first vertex         last vertex      -                 -
//   51    -               ZahyoMax - 1 (taken after it was raised)
//   112   -               point index          running number   -                 -
//   122   -               line index           running number   -                 -
//   123   line index (<0: its first end lay on the point)
//                         point's X before     point's Y before end's X after     end's Y after
//   124   line index      colour before        colour after     running number    -
//   125   split line      its LineX2 before    its LineY2 before split point X    split point Y
//   126   -               index of the new piece (LineNext before it advanced)
//   132   -               text index           running number   -                 -
//   133   text index      colour before        colour after     running number    -
//   142   -               first vertex         last vertex      running number    -
//
// Coordinates are plot coordinates (metres minus the site origin); the two
// values are single precision, the texts hold the full double value as a
// decimal text that reads back as exactly that value (undoCoordinateText);
// readers take any decimal text, shorter ones included. A point move writes one 123 per carried line end and then
// its 13; a point added on a line writes 125, 126 and 11 in this order. A
// range step numbers its records 1, 2, 3 ... on consecutive entries.
//
// The history is in memory only: it starts empty and is never saved.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

namespace tavelcor {

/// Record kinds of the edit history.
namespace undo_kind {
inline constexpr std::uint8_t kPointAdded = 11;
inline constexpr std::uint8_t kPointDeleted = 12;
inline constexpr std::uint8_t kPointMoved = 13;
inline constexpr std::uint8_t kPointChanged = 14;
inline constexpr std::uint8_t kLineCompleted = 21;
inline constexpr std::uint8_t kLineDeleted = 22;
inline constexpr std::uint8_t kLineEndMoved = 23;
inline constexpr std::uint8_t kLineColor = 24;
inline constexpr std::uint8_t kTextAdded = 31;
inline constexpr std::uint8_t kTextDeleted = 32;
inline constexpr std::uint8_t kTextMoved = 33;
inline constexpr std::uint8_t kTextEdited = 34;
inline constexpr std::uint8_t kStrokeDrawn = 41;
inline constexpr std::uint8_t kStrokeDeleted = 42;
inline constexpr std::uint8_t kCoordinateAppended = 51;
inline constexpr std::uint8_t kRangePointDeleted = 112;
inline constexpr std::uint8_t kRangeLineDeleted = 122;
inline constexpr std::uint8_t kCarriedLineEnd = 123;
inline constexpr std::uint8_t kRangeLineColor = 124;
inline constexpr std::uint8_t kLineSplit = 125;
inline constexpr std::uint8_t kSplitPiece = 126;
inline constexpr std::uint8_t kRangeTextDeleted = 132;
inline constexpr std::uint8_t kRangeTextColor = 133;
inline constexpr std::uint8_t kRangeStrokeDeleted = 142;
/// An addition (11, 21 or 126) whose item was later taken out of its table
/// by a step that writes no record (withdrawPointAdditions,
/// withdrawLineAdditions). Undo and Redo step over it as over any kind they
/// do not handle, so the withdrawn item never comes back.
inline constexpr std::uint8_t kWithdrawn = 250;
}  // namespace undo_kind

/// Highest entry of the history (entry 0 is never written).
inline constexpr int kUndoLastEntry = 20001;
/// U_compact acts from this UndoPos on and keeps this many records.
inline constexpr int kUndoCompactFrom = 15000;
inline constexpr int kUndoCompactKeep = 10000;
/// A range step writes at most this many records.
inline constexpr int kUndoRangeLimit = 5000;

/// One record as a writer fills it, named field by field:
///
///     pushUndoRecord(UndoRecordFields(undo_kind::kPointMoved)
///                        .item(i)
///                        .values(float(oldX), float(oldY))
///                        .texts(xAfterText, yAfterText));
///
/// A field not named stays as U_clear leaves it: the item keeps the entry's
/// old value (kinds that do not name an item never read it), the values are
/// 0 and the texts "".
class UndoRecordFields {
public:
    explicit UndoRecordFields(std::uint8_t kind) : mKind(kind) {}

    UndoRecordFields& item(std::int32_t index)
    {
        mItem = index;
        return *this;
    }
    /// UndoVal1 and UndoVal2.
    UndoRecordFields& values(float val1, float val2 = 0.0F)
    {
        mVal1 = val1;
        mVal2 = val2;
        return *this;
    }
    /// UndoText(0, ...) and UndoText(1, ...).
    UndoRecordFields& texts(QString before, QString after = QString())
    {
        mBefore = std::move(before);
        mAfter = std::move(after);
        return *this;
    }

    std::uint8_t kind() const { return mKind; }
    const std::optional<std::int32_t>& itemIndex() const { return mItem; }
    float val1() const { return mVal1; }
    float val2() const { return mVal2; }
    const QString& before() const { return mBefore; }
    const QString& after() const { return mAfter; }

private:
    std::uint8_t mKind;
    std::optional<std::int32_t> mItem;
    float mVal1 = 0.0F;
    float mVal2 = 0.0F;
    QString mBefore;
    QString mAfter;
};

/// The after-text of a coordinate in a record: the shortest decimal text
/// (at most 17 significant digits, "." as the point) that reads back as
/// exactly `value`, so that Redo puts an item exactly where the edit put it:
/// 2040.47 is "2040.47", 0.1F taken as a double "0.10000000149011612".
QString undoCoordinateText(double value);

/// The text of a point's two names in a record of kind 14: the name, "|"
/// and the second name, in full. A "|" or a backslash inside either name
/// is written with a backslash before it, so that splitPointNames gives
/// back exactly these two names whatever they hold.
QString joinPointNames(const QString& name, const QString& name2);

/// The two names of a kind 14 text: the name up to the first "|" that has
/// no backslash before it, the second name after it (all of it); in both,
/// a backslash followed by "|" or by a backslash stands for that second
/// character, and a backslash before any other character stays as it is.
/// A text without "|" is a name alone. Texts whose names hold neither
/// character read as before: "A1|B 2" is "A1" and "B 2".
std::pair<QString, QString> splitPointNames(const QString& text);

/// Records one record of a step (a single step, or one record of a range or
/// compound step), following the history's protocol: UndoPos goes up to
/// UndoTop (records that were undone stay below the new one), then one
/// entry up; UndoTop follows; the entry is cleared (U_clear) and filled.
/// When the next entry would lie beyond entry 20001, the history is
/// compacted first (U_compact), so the record lands at entry 10001. Returns
/// the entry written.
///
/// Before-values must be taken before the change, after-values after it;
/// the caller makes the change in the tables and on the plot itself.
int pushUndoRecord(const UndoRecordFields& fields);

/// Starts the history afresh, as at start-up: every written entry is
/// emptied and UndoPos and UndoTop become 0, so nothing can be undone or
/// redone. For a step that replaces a table the history's records describe
/// (a SIMA reload replaces the coordinates): records made before it would
/// put counts back that no longer fit the new table.
void startNewHistory();

/// Points above `keptCount` were taken out of the point table without a
/// record (PointCount set back to `keptCount`, as the raster placement does
/// with its two picks): every point addition (kind 11) that added one of
/// them becomes kWithdrawn, so Undo and Redo never bring them back.
void withdrawPointAdditions(int keptCount);

/// Lines from `keptNext` on were taken out of the line table without a
/// record (LineNext set back to `keptNext`, as the end of the elevation
/// profile's route does): every completed segment (kind 21) and split
/// piece (kind 126) that added one of them becomes kWithdrawn.
void withdrawLineAdditions(int keptNext);

/// Empties entry P: kind, both values and both texts; UndoItem(P) keeps its
/// value. A position outside 0..20001 changes nothing.
void U_clear(int P);

/// Compaction: when UndoPos is 15000 or more, the 10000 records ending at
/// UndoPos move (all six fields, in order) to entries 1..10000, the kinds of
/// entries 10001..20001 become 0 and UndoPos and UndoTop become 10000; the
/// oldest records and the undone ones above UndoPos are lost. Below 15000 it
/// does nothing. The plot's pointer handlers call it before they write.
void U_compact();

}  // namespace tavelcor
