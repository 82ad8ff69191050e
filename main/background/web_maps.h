// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The three web-map buttons of the main window: the area the plot shows
// (the view's centre as latitude and longitude, its extents as angles)
// opened in the user's web browser, on the first web map site as a map
// (Command46 "GoogleMap地図") or as the aerial view (Command56
// "GoogleMapオルソ"), or on the second site (Command58 "Yahoo地図"). The
// address goes to the desktop's URL opener (xdg-open), which returns at
// once; its failure is not reported.

#include <QString>

namespace tavelcor {

class Plot;

/// Half an extent of `extentM` metres as an angle on a sphere of 6370 km,
/// in degrees cut down to 5 decimals, single precision: 2000 m .00899.
float webMapSpan(double extentM);

/// The second site's scale code for an east extent in metres: "1" below
/// 500, up to "16" from 1000000.
QString webMapScaleCode(double eastExtentM);

/// The addresses of the three buttons for the current view (ViewCX, ViewCY,
/// ViewSpanX north, ViewSpanY east, ZoneNo), after the site's base address.
QString googleMapAddress();
QString googleOrthoAddress();
QString yahooMapAddress();

void Command46_Click();
void Command56_Click();
void Command58_Click();

/// Wires the three buttons.
void wireWebMaps(Plot& window);

}  // namespace tavelcor
