// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Edits made as the plot's pointer handlers make them: the tables changed
// and the records written through the history's push, as the record
// catalogue (undo_history.h) describes each kind. Positions are plot
// coordinates (metres minus the origin).

#include "main/edit/undo_history.h"
#include "main/site/tables.h"

#include <QString>

namespace tavelcor::edittest {

/// The full-precision text a writer keeps of a coordinate.
inline QString coordinateText(double value)
{
    return QString::number(value, 'g', 17);
}

inline void putPoint(int i, const QString& name, double x, double y, int mark = 2)
{
    PointName[i] = name;
    PointName2[i].clear();
    PointX[i] = x;
    PointY[i] = y;
    PointMark[i] = static_cast<std::uint8_t>(mark);
    if (i > PointCount)
        PointCount = i;
}

inline void putLine(int j, double x1, double y1, double x2, double y2, int color = 12)
{
    LineX1[j] = x1;
    LineY1[j] = y1;
    LineX2[j] = x2;
    LineY2[j] = y2;
    LineColor[j] = static_cast<std::uint8_t>(color);
    if (j >= LineNext)
        LineNext = j + 1;
}

inline void putText(int i, const QString& text, float x, float y, int color = 12)
{
    TxtString[i] = text;
    TxtX[i] = x;
    TxtY[i] = y;
    TxtColor[i] = static_cast<std::uint8_t>(color);
    if (i > TxtCount)
        TxtCount = i;
}

/// A stroke of `count` vertices from vertex TegakiCount + 1, along a line.
inline int putStroke(int count, float x, float y, int color = 12)
{
    const int first = TegakiCount + 1;
    for (int k = 0; k < count; ++k) {
        const int v = first + k;
        TegakiX[v] = x + float(k);
        TegakiY[v] = y + float(k);
        TegakiColor[v] = static_cast<std::uint8_t>(color);
        TegakiPen[v] = k == 0 ? 1 : (k == count - 1 ? 3 : 2);
    }
    TegakiCount = first + count - 1;
    return first;
}

/// A point added by a click (kind 11).
inline int addPointByClick(const QString& name, double x, double y, int mark = 2)
{
    pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(float(PointCount)));
    const int i = PointCount + 1;
    putPoint(i, name, x, y, mark);
    return i;
}

/// A point added on line j at (x, y): the line ends there (125), the new
/// piece runs on to the old end (126), then the point (11).
inline int addPointOnLine(int j, const QString& name, double x, double y)
{
    pushUndoRecord(UndoRecordFields(undo_kind::kLineSplit).item(j).values(float(LineX2[j]), float(LineY2[j]))
        .texts(coordinateText(x), coordinateText(y)));
    const double oldX2 = LineX2[j], oldY2 = LineY2[j];
    LineX2[j] = x;
    LineY2[j] = y;
    const int piece = LineNext;
    pushUndoRecord(UndoRecordFields(undo_kind::kSplitPiece).values(float(piece)));
    putLine(piece, x, y, oldX2, oldY2, LineColor[j]);
    return addPointByClick(name, x, y);
}

/// Point i moved to (x, y), carrying the line ends that lay on it (123 per
/// end, then 13).
inline void movePoint(int i, double x, double y)
{
    const double oldX = PointX[i], oldY = PointY[i];
    for (int j = 1; j < LineNext; ++j) {
        for (const bool first : {true, false}) {
            double& ex = first ? LineX1[j] : LineX2[j];
            double& ey = first ? LineY1[j] : LineY2[j];
            if (ex != oldX || ey != oldY)
                continue;
            ex = x;
            ey = y;
            pushUndoRecord(UndoRecordFields(undo_kind::kCarriedLineEnd)
                               .item(first ? -j : j)
                               .values(float(oldX), float(oldY))
                               .texts(coordinateText(x), coordinateText(y)));
        }
    }
    PointX[i] = x;
    PointY[i] = y;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointMoved).item(i).values(float(oldX), float(oldY))
        .texts(coordinateText(x), coordinateText(y)));
}

/// Points first..last deleted by one range step (112, numbered from 1).
inline void deletePointRange(int first, int last)
{
    int n = 0;
    for (int i = first; i <= last; ++i) {
        PointMark[i] = static_cast<std::uint8_t>(PointMark[i] + 100);
        pushUndoRecord(UndoRecordFields(undo_kind::kRangePointDeleted).values(float(i), float(++n)));
    }
}

}  // namespace tavelcor::edittest
