// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the line, hand-stroke and text panels' openers share: the resets of
// the picks of the other panels and the taking over of the panel place.

namespace platform {
class Frame;
}

namespace tavelcor {

class Plot;

/// Point picks and carried lines cleared: MovePoint, MovedPoint, CurPoint
/// 0 and MoveLines entries 1 to 100 of both lists emptied.
void clearPointPicks();

/// The "対角" rectangle given up: DiagonalArmed 0 and both diagonal-zoom
/// buttons (Command13, Command74) painted white.
void disarmDiagonal(Plot& window);

/// Shows `panel` in the place of the visible operation panel, first ending
/// what that panel leaves behind: a line end being dragged (segments
/// redrawn) and the rubber band of the line panel; the symbol picker, the
/// point pick and the commit caption "確定" of the point panel; the phrase
/// list of the text panel. Opening the visible panel moves nothing.
void takePanelPlace(Plot& window, platform::Frame& panel);

/// Hides the phrase list window when it is loaded (never loads it).
void hidePhraseList();

/// Switches a layer switch on; true when it was off (its own click
/// handling has then run).
bool switchLayerOn(Plot& window, int number);

}  // namespace tavelcor
