// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The operation panels of the main window's side panel share one place: at
// most one of them is visible, and the visible one is the current edit layer.
// A panel that opens takes the Top and Left of the panel it replaces and
// hides it; a panel that closes puts the idle panel Frame2 at its own place.

#include <array>

namespace platform {
class Frame;
}

namespace tavelcor {

class Plot;

/// The six frames that share the panel place: Frame2 (idle), Frame4
/// (points), Frame9 (hand strokes), Frame10 (lines), Frame11 (texts) and
/// Frame13 (instrument station designation).
std::array<platform::Frame*, 6> operationPanels(Plot& w);

/// The visible operation panel, or nullptr when none is shown.
platform::Frame* visibleOperationPanel(Plot& w);

/// Shows `panel` at the place of the panel visible now and hides that one
/// (with Frame4 goes its symbol picker Frame6). Opening the visible panel
/// again moves nothing. With no panel visible, `panel` stays where it is.
void openPanelInPlace(Plot& w, platform::Frame& panel);

/// Hides `panel` and shows the idle panel Frame2 at its Top and Left.
void closePanelToIdle(Plot& w, platform::Frame& panel);

}  // namespace tavelcor
