// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the release of a drag does with the rectangle it spanned in a
// delete or colour-change mode of an editing panel, and the parcel
// selection by rectangle of the idle panel. The first corner is the press
// (RangeStartX, RangeStartY; for the parcels LastClickX, LastClickY), the
// second the release (x, y), both in the plot's scale (x east, y minus
// north). A position lies in the rectangle only strictly inside it: one on
// an edge is outside.
//
// Each item changed gets one record of a numbered group (1, 2, 3 ... in
// consecutive history entries; the line recolour after a press that
// recoloured a line starts at 2), which Undo takes back whole. A group
// stops at its 5000th record with a message, unless that record was made
// on the table's last entry; the history never grows past entry 20001 (it
// is compacted first when a group reaches its end). Changed items are
// painted in place, without a full redraw.
//
// Every operation is one linear scan of its table.

#include <QString>

namespace tavelcor {

class Plot;

/// Records per group.
inline constexpr int kRangeGroupCap = 5000;

/// The messages of a group stopped at its cap.
QString rangeDeleteCapMessage();
QString rangeChangeCapMessage();

/// Hand strokes with a vertex inside: all their vertices get pen code 0
/// (kind 142).
void deleteStrokesInRange(Plot& window, double x, double y);
/// Observation points inside get their mark + 100 (kind 112).
void deletePointsInRange(Plot& window, double x, double y);
/// Texts with a line whose lower-left or upper-right corner lies inside, or
/// that crosses or covers the rectangle, get their colour + 100 (kind 132).
void deleteTextsInRange(Plot& window, double x, double y);
/// Texts with a line whose lower-left or upper-right corner lies inside
/// take TxtColorCur (kind 133).
void recolourTextsInRange(Plot& window, double x, double y);
/// Lines with an end inside or crossing a side get their colour + 100
/// (kind 122).
void deleteLinesInRange(Plot& window, double x, double y);
/// The same lines take the colour chosen in Option14 (kind 124); nothing
/// changes when no colour is chosen.
void recolourLinesInRange(Plot& window, double x, double y);
/// Parcels whose vertices from the second on all lie inside become
/// selected; 範囲 (Check37) is unticked.
void selectParcelsInRange(Plot& window, double x, double y);

}  // namespace tavelcor
