// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The two geometric tests that the range operations of the plot use for
// lines and texts: whether a point lies on two segments at once, and whether
// a text box crosses or covers a range rectangle without a corner inside it.
// Plot coordinates in metres; no window is needed.

namespace tavelcor {

/// 1 when P lies on both segments F1-F2 and F3-F4 within the tolerance
/// t = ViewSpanX / 1000 (a thousandth of the visible north extent), else 0.
/// P lies on segment A-B when |PA| + |PB| <= |AB| + t (Euclidean). A
/// segment of no length (A = B) is met only within t / 2 of its point.
int Lxari(double F1x, double F1y, double F2x, double F2y, double F3x, double F3y, double F4x, double F4y,
          double PX, double PY);

/// The same test with the tolerance given (metres).
int lxariWithin(double F1x, double F1y, double F2x, double F2y, double F3x, double F3y, double F4x, double F4y,
                double PX, double PY, double tolerance);

/// Overlap of a text box (tx1, ty1)-(tx2, ty2), taken in the order given,
/// with the range rectangle (ax1, ay1)-(ax2, ay2). First puts the range in
/// order in the caller's variables (ax1 <= ax2, ay1 <= ay2). Then 1 when,
/// all comparisons strict, the box crosses the range as a vertical band
/// (inside in x, beyond it on both sides in y), as a horizontal band (beyond
/// in x, inside in y) or covers it (beyond on all four sides); else 0. A box
/// with a corner inside the range is the corner test's case and gives 0 here.
int Hantei5(double& ax1, double& ay1, double& ax2, double& ay2, double tx1, double ty1, double tx2, double ty2);

}  // namespace tavelcor
