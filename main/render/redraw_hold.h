// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Redraws asked for while a redraw (or a tile mosaic) is under way wait
// until it has finished. The tile download lets events run between tiles,
// so a click, a timer or a dialog's handler can ask for a full redraw in the
// middle of one; that redraw runs once, after the outermost one has ended,
// never inside it, so the outer redraw's tables and tile state stay its own.

namespace tavelcor::render {

class PlotFace;

/// Holds redraws back for its lifetime. Nested holds count.
class RedrawHold {
public:
    RedrawHold();
    ~RedrawHold();
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;
};

/// True while any RedrawHold exists.
bool redrawHeld() noexcept;

/// Remembers that `face` is to be redrawn once the holds end (several asks
/// make one redraw).
void deferRedraw(PlotFace& face) noexcept;

/// The face of the redraw asked for while held, taken once (the ask is
/// forgotten); nullptr when none waits or holds remain.
PlotFace* takeDeferredRedraw() noexcept;

}  // namespace tavelcor::render
