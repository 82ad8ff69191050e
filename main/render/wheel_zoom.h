// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The mouse wheel zooms the plot about the point under the cursor.  Each
// wheel step answers at once with a cheap preview: the plot's picture is
// saved as WorkFolder/TEMP.BMP, registered as background slot 3 row 0 with
// the extent of the view it shows, and drawn again at the new scale by the
// background drawing (layer code 0).  The
// full redraw runs only once the wheel has rested for 300 ms (Timer6), so a
// run of steps costs one redraw.
//
// The wheel reaches the plot through an event filter (HookWheel installs it,
// UnhookWheel removes it) that takes the wheel events of every widget of the
// main window, the side panel's controls included, and lets every other
// event pass.
//
// The same file carries the window utilities other parts call: keep a
// window on top, release it, and read the desktop work area.

#include "platform/desktop/screen.h"

#include <QPointF>

#include <optional>

namespace platform {
class Form;
}

namespace tavelcor {

namespace render {
class PlotFace;
}

class Plot;

/// Milliseconds between the last wheel step and the deferred redraw.
inline constexpr int kWheelRedrawDelayMs = 300;

/// Installs the wheel filter for the main window (once; a second call does
/// nothing).  Start-up calls it before the splash window shows.
void HookWheel();
/// Removes the wheel filter; nothing when none is installed.
void UnhookWheel();
/// True while the filter is installed on the current main window's plot.
bool wheelHooked();

/// The cursor at a screen position (global pixels) in Picture1's user
/// coordinates (x = east - OriginY, y = OriginX - north), with the plot
/// fitted to the view first.  nullopt when the plot has no height.
std::optional<QPointF> C_position(Plot& window, QPointF globalPixels);

/// One wheel message.  delta: the wheel's turn (only its sign counts; 0
/// takes the snapshot and changes nothing else); cursor: the cursor in
/// Picture1's user coordinates.  Takes the snapshot, zooms out (delta < 0,
/// doubling the extents) or in (delta > 0, halving them) about the cursor,
/// draws the preview and restarts Timer6.  Zooming in below 0.12 m sets the
/// north extent to 0.12 m and shows "これ以上拡大できません" after the
/// preview.  A snapshot that cannot be saved is not registered (the slot's
/// file becomes ""), so no stale picture is drawn; the view still changes.
void WheelWndProc(Plot& window, int delta, QPointF cursor);

/// The deferred redraw: stops Timer6, redraws with RedrawCause 9 (the
/// background drawing keeps the picture), then sets RedrawCause to 0.
void Timer6_Timer(Plot& window);

/// Keeps the window above the other windows; nothing is reported.
void SetTopMost(platform::Form& form);
/// Gives the window its normal place among the windows again.
void SetNotTopMost(platform::Form& form);
/// The desktop work area in pixels.  On failure shows
/// "ワークエリアの取得に失敗しました。" titled "APIs No.1 エラー報告" with
/// the stop icon and returns nullopt.
std::optional<platform::WorkArea> GetWorkArea();

/// Wires Timer6 to the main window (interval 300 ms, disabled).
void wireWheelZoom(Plot& window);

}  // namespace tavelcor
