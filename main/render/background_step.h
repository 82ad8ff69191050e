// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The background step of the full redraw: whether the picture is cleared
// first, which of the two background slots (Haikei1Code, Haikei2Code) are
// drawn through the background part's plot.Haikei_Draw, and how two of them
// are mixed into one picture.  It runs after the picture's scale has been
// fitted to the view and before anything of the site is drawn.
//
// Layer codes: 0 none, 1..3 the user rasters (a raster without a definition
// path in HaikeiDef draws nothing), 4 the raster placement preview (never
// stored in a slot), 5..9 the GSI tile layers.

#include "main/render/render_state.h"

#include <cstdint>

namespace tavelcor::render {

class PlotFace;

/// What the slots ask for.  mode: 0 nothing, 1 background 1, 2 background
/// 2, 12 both, blended.  clear: the step clears the picture first (all but
/// a single web layer, codes 5 or 7 in one slot and 0 in the other, which
/// the layer drawer clears itself unless a deferred redraw keeps the
/// picture).
struct BackgroundPlan {
    bool clear = true;
    int mode = 0;
};

/// The plan for the slot codes h1, h2, with the definition paths of the
/// three user rasters in HaikeiDef.
BackgroundPlan planBackground(std::uint8_t h1, std::uint8_t h2);

/// The weight in percent of background 2 in a blend: 100 * (b1 + 1) /
/// (b1 + b2 + 2) to the nearest whole number, halves to the even one (levels
/// 2 and 4 give 38, 4 and 2 give 62, 0 and 1 give 33, 0 and 5 give 14).
/// Each background's weight grows with the other's brightness level.
std::int16_t blendPercent(int b1, int b2);

/// The background step: clears by the plan; while the raster placement
/// window is shown draws only layer 4; otherwise draws background 1 and/or
/// 2, and for two keeps background 1 in the blend buffer (shown over the
/// plot, the hourglass on the plot) while background 2 is drawn, then blends
/// them with blendPercent of their brightness levels (HaikeiBright).  The
/// first layer is copied in memory: nothing reads the snapshot file
/// TEMP.BMP but the wheel and the pan, which write it themselves first.
void composeBackground(PlotFace& face, const BackgroundCalls& calls);

/// One layer through the background part's drawer (the wheel's snapshot
/// preview passes 0); nothing when no drawer is installed.
void drawBackgroundLayer(PlotFace& face, std::uint8_t& code);

}  // namespace tavelcor::render
