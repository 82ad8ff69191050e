// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Search and centring of the main window: the search of the frame Frame1
// (検索) for observation points and coordinates (Ｐ, Option7), texts (Ｔ,
// Option15) and parcels with their attributes (地, Option29); the parcel
// number search 地番検索 on Text4; and the address command 住所で地図表示.
// Each marks what it finds (SearchHit, TxtSel, KakuchiSel, the geocoded
// place), centres the view on it and redraws; several hits are shown one
// after another for as long as the user asks for the next.
//
// Text3 holds the half-size in metres of the view put around a found item
// (design value "25").  A Text3 that holds no positive number centres
// without changing the extents.

namespace tavelcor {

class Plot;

/// Most hits the text and attribute searches step through.
inline constexpr int kSearchHitLimit = 10000;
/// Most hits the parcel-number search steps through.
inline constexpr int kParcelNumberHitLimit = 10;

/// The search of Frame1: Text1's text with the kind and comparison of the
/// frame's options and boxes.  The point search finds observation points by
/// their exact name first, then a coordinate by its number (1..ZahyoMax,
/// in use; "0" and blanks name none) or its trimmed name.
void Text1_DblClick(Plot& window);

/// 地番検索: parcels whose trimmed name equals the trimmed Text4, at most ten.
void Command18_Click(Plot& window);

/// 住所で地図表示: asks for an address, has it geocoded and centres the view
/// on the place (marked with a red circle by the redraw).  Nothing while
/// GsiOffline is 1.
void Command27_Click(Plot& window);

/// Centres the view on parcel p's outline: the middle of the box around its
/// vertices, both extents 1.5 times the box's larger side, then redraws.  A
/// box without size keeps the extents; a parcel without a vertex in the
/// coordinate table leaves the view as it is.
void centreOnParcel(int p);

/// Wires the double click of Text1 and the two buttons.
void wireSearch(Plot& window);

}  // namespace tavelcor
