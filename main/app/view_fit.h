// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the first redraw after start-up shows: the view fitted to the SIMA
// coordinates with the site origin, the parcel display presets with the
// label point of every parcel, and the view window saved in the site sign
// file. Pure logic over the shared tables; the window applies the presets.
//
// Units: metres. View and extent values are absolute (X north, Y east);
// label points and the sign file's window are in plot coordinates (minus the
// origin; the window in the plot's user scale: x east, y south).
#pragma once

#include "main/site/sign_file.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tavelcor {

// Fits the view to the coordinates 1..ZahyoMax read so far (before any DAT
// file): the extent is seeded with number ZahyoMax whatever its name, then
// widened by every number below it that is not free ("_?>"), and grown by
// 2.5 % of its span on each side (DataXMax ..DataYMin). The view (ViewCX,
// ViewCY, ViewSpanX north, ViewSpanY east) covers that extent, FitSpanX and
// FitSpanY and the previous view equal it, DragZoomArmed is 0, and the
// origin (OriginX, OriginY) is the view's centre. ZahyoMax 0 seeds with the
// scratch number 0 (a cleared table gives the point 0, 0). A coordinate that
// cannot be a plane coordinate (isPlaneCoordinate, tables.h) takes no part:
// it would put the origin so far off that every other value lost its digits
// (or make it infinite); the first plane coordinate seeds instead, and with
// none the extent is the point 0, 0. The numbers in `leftOut` (ascending:
// coordinates read without X or Y, which stand at a made-up 0) take no part
// either.
void fitViewToCoordinates(const std::vector<std::int32_t>& leftOut = {});

// Sets ZahyoPX and ZahyoPY (minus the origin) of every number 1..ZahyoMax
// whose trimmed name is not "_?>".
void setPlotCoordinates();

// What the display switches and parcel controls should show for the parcels
// read.
struct ParcelPresets {
    bool tickNumbers = false;        // Check1 (coordinate numbers) ticked
    bool tickNames = false;          // Check2 (coordinate names) ticked
    bool hideParcelControls = false; // no closed parcel: hide the parcel
                                     // controls and untick Check1 and Check2
};

// The presets: exactly one parcel that is closed ticks numbers and names;
// two parcels of which one is open tick names; no closed parcel at all
// (KakuchiOpenCount equals KakuchiCount) hides the parcel controls.
ParcelPresets parcelPresets();

// The label point of every parcel 1..KakuchiCount (open figures included),
// as single-precision plot coordinates in KakuchiLabelX/Y: the centroid when
// the parcel's outline winds round it (359 < |angle| < 361); else the
// midpoint of the two vertices nearest the centroid when that lies inside;
// else the midpoint of the nearest vertex and the vertex before it in the
// list (after it, when it is the first). A parcel without vertices keeps the
// centroid (0, 0). Vertex slots and numbers outside their tables are passed
// over.
void placeParcelLabels();

// How the saved view window was taken.
enum class SavedView {
    NotApplied,       // KeepView is not 1, no window was read, or it is flat
    Applied,          // the view is the saved window
    AppliedAtFloor,   // applied, with the north extent raised to 0.12 m: the
                      // caller shows "これ以上拡大できません"
};

// Applies the sign file's window (left, top, right, bottom in the plot's
// user scale) to the view when KeepView is 1, left differs from top and
// right from bottom: widened by 30 % towards the larger x, centred at
// OriginY + (left + right) / 2 east and OriginX - (top + bottom) / 2 north.
// A window smaller than 0.12 m north and 0.15 m east gets the 0.12 m north
// extent. FitSpanX/Y and the previous view keep the fitted values.
SavedView applySavedView(const std::optional<SignFileWindow>& window);

// The smallest north extent of a view, metres, and its message.
inline constexpr double kSmallestSpan = 0.12;
QString smallestSpanMessage();

}  // namespace tavelcor
