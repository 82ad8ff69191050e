// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The plot's full redraw and the procedures around it: fitting the picture
// to the view, the region codes against the view, the layer drawers and the
// single-item highlights.  Everything draws into the plot face's picture in
// its user coordinates: a plot coordinate (PX north, PY east, origin
// subtracted) lies at (x, y) = (PY, -PX).
//
// Every procedure here always returns: a bad value in a table (an index out
// of its table, a colour outside the palette) skips that item only.

#include "main/render/plot_face.h"
#include "main/render/view_window.h"

namespace tavelcor::render {

/// The one full redraw of the plot from the shared tables and the view.
/// Does nothing but hide the status label while the main window loads
/// (LoadingFlag 9); draws no layer while ZahyoMax is 1 or less.
void crtplot(PlotFace& face);

/// Fits the picture's user scale to the wanted view (ViewCX, ViewCY,
/// ViewSpanX, ViewSpanY) and the picture's aspect; may widen one extent;
/// FitSpanX/FitSpanY keep the wanted extents.  Returns false, with the view
/// and the scale unchanged, when the picture has no width or height.
bool justsc(PlotFace& face);

/// Region code 1..9 of coordinate i (absolute ZahyoX, ZahyoY) against the
/// window 1.2 times the view (5 = inside).  A number outside 0..500000 gives
/// 0, which no caller takes for inside and which never rejects a segment.
int hantei(int i);
/// The same against the view itself.
int hantei6(int i);
/// The same for a free absolute position against a window just inside the view.
int Hantei3(double X, double Y);

/// Layer drawers.  The hand-stroke drawer reports an error itself with
/// "tegakidrawでエラーがかかりました" and returns, the strokes drawn so far
/// left on the picture; the others let an error pass to their caller.
void Tegakidraw(PlotFace& face);
void Lineview(PlotFace& face);
void Pointview(PlotFace& face);
void Txtview(PlotFace& face);
/// Draws text i in colour index C (nothing when C > 20 or i is no text).
void Txtexprint(PlotFace& face, int i, int C);
/// Lays text i out into TxtLinePos and TxtLineStr (entries 1..e) without
/// drawing; returns e (0 when i is no text).
int Txtexserch(PlotFace& face, int i);
void ArAview(PlotFace& face);
/// Fills the parcel whose vertices occupy slots Stp..Edp (at most 10000).
void Draw_Pol(PlotFace& face, long Stp, long Edp);

/// Single-item highlights.
void redplot(PlotFace& face, int N);       ///< search hit, red
void ZahyoIDplot(PlotFace& face, int F1);  ///< picked coordinate, magenta
void Stblueplot2(PlotFace& face, int P);   ///< photo's coordinate, blue
void Pointplot(PlotFace& face, int F1);    ///< redraw, then one point underlined
void Txtplot(PlotFace& face, int F1);      ///< redraw, then one text underlined

}  // namespace tavelcor::render

// The plot's procedures under the names the rest of the program calls.
namespace tavelcor {
using render::ArAview;
using render::crtplot;
using render::Draw_Pol;
using render::hantei;
using render::hantei2;
using render::Hantei3;
using render::Hantei4;
using render::hantei6;
using render::justsc;
using render::Lineview;
using render::Pointplot;
using render::Pointview;
using render::redplot;
using render::Stblueplot2;
using render::Tegakidraw;
using render::Txtexprint;
using render::Txtexserch;
using render::Txtplot;
using render::Txtview;
using render::ZahyoIDplot;
}  // namespace tavelcor
