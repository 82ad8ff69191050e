// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The line, hand-stroke and text panels' buttons, the phrase list's opener
// and the parcel line colour button, wired in one place.

namespace tavelcor {

class Plot;

/// Wires LINE, 手書き and TEXT (a press runs the opening at once, so a click
/// runs it twice), the panels' 終了 buttons, the text panel's commit, 字, 色
/// and リスト, and 線色. Registered with addPlotWiring.
void wirePanels(Plot& window);

}  // namespace tavelcor
