// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Redraws asked for while a redraw (or a tile mosaic) is under way wait
// until it has finished. The tile download lets events run between tiles,
// so a click, a timer or a dialog's handler can ask for a full redraw in the
// middle of one; that redraw never runs inside it, so the outer redraw's
// tables and tile state stay its own. Instead it runs once, from the event
// loop, as soon as the outermost hold has ended; several asks make one
// redraw, and a full redraw that starts meanwhile takes its place.

namespace tavelcor::render {

class PlotFace;

/// Holds redraws back for its lifetime. Nested holds count; when the last
/// one ends, a redraw asked for meanwhile is queued to the event loop.
class RedrawHold {
public:
    RedrawHold();
    ~RedrawHold();
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;
};

/// True while any RedrawHold exists.
bool redrawHeld() noexcept;

/// Remembers that `face` is to be redrawn once the holds end.
void deferRedraw(PlotFace& face) noexcept;

/// Forgets the waiting redraw (of any face): a full redraw is starting.
void forgetDeferredRedraw() noexcept;

/// Forgets the waiting redraw of `face` (the face is going away).
void forgetDeferredRedraw(const PlotFace& face) noexcept;

}  // namespace tavelcor::render
