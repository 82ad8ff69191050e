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

namespace tavelcor {

/// The one full redraw of the plot from the shared tables and the view.
/// Does nothing but hide the status label while the main window loads
/// (LoadingFlag 9); draws no layer while ZahyoMax is 1 or less.
void crtplot(render::PlotFace& face);

/// Fits the picture's user scale to the wanted view (ViewCX, ViewCY,
/// ViewSpanX, ViewSpanY) and the picture's aspect; may widen one extent;
/// FitSpanX/FitSpanY keep the wanted extents.  Returns false, with the view
/// and the scale unchanged, when the picture has no width or height.
bool justsc(render::PlotFace& face);

/// Region code 1..9 of coordinate i (absolute ZahyoX, ZahyoY) against the
/// window 1.2 times the view (5 = inside).  A number outside 0..500000 gives
/// 0, which no caller takes for inside and which never rejects a segment.
int hantei(int i);
/// The same against the view itself.
int hantei6(int i);
/// The same for a free absolute position against a window just inside the view.
int Hantei3(double X, double Y);
using render::hantei2;
using render::Hantei4;

/// Layer drawers.
void Tegakidraw(render::PlotFace& face);
void Lineview(render::PlotFace& face);
void Pointview(render::PlotFace& face);
void Txtview(render::PlotFace& face);
/// Draws text i in colour index C (nothing when C > 20 or i is no text).
void Txtexprint(render::PlotFace& face, int i, int C);
/// Lays text i out into TxtLinePos and TxtLineStr (entries 1..e) without
/// drawing; returns e (0 when i is no text).
int Txtexserch(render::PlotFace& face, int i);
void ArAview(render::PlotFace& face);
/// Fills the parcel whose vertices occupy slots Stp..Edp (at most 10000).
void Draw_Pol(render::PlotFace& face, long Stp, long Edp);

/// Single-item highlights.
void redplot(render::PlotFace& face, int N);       ///< search hit, red
void ZahyoIDplot(render::PlotFace& face, int F1);  ///< picked coordinate, magenta
void Stblueplot2(render::PlotFace& face, int P);   ///< photo's coordinate, blue
void Pointplot(render::PlotFace& face, int F1);    ///< redraw, then one point underlined
void Txtplot(render::PlotFace& face, int F1);      ///< redraw, then one text underlined

}  // namespace tavelcor
