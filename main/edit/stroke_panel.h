// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The hand-stroke panel Frame9 ("手書き線"): its opener 手書き (Command22),
// which also ends a stroke left unfinished, and its end button 終了
// (Command28).

namespace tavelcor {

class Plot;

/// Opens the hand-stroke panel in the shared panel place. Gives up a
/// cross-section route (LineSubState 0; its segments stay as lines) and
/// closes an unfinished stroke: a last vertex with pen code 2 gets 3.
void Command22_Click(Plot& window);

/// Closes the hand-stroke panel; no pen code changes.
void Command28_Click(Plot& window);

/// The pen code of the last vertex: 2 (stroke going on) becomes 3 (stroke
/// ended); any other code and an empty table are left alone.
void closeUnfinishedStroke();

}  // namespace tavelcor
