// SPDX-License-Identifier: LicenseRef-Tavelcor
// Japanese plane rectangular coordinates (19 zones) <-> latitude/longitude
// on the GRS80 ellipsoid.
//
// Projection: transverse Mercator, scale factor 0.9999 on the central
// meridian of each zone, no false easting or northing (X = 0, Y = 0 at the
// zone origin).  X is northing, Y easting, in metres.  No geoid.
//
// Method: the classic fixed series.  Gauss-Krüger series to the eighth power
// of the longitude difference (forward X; Y to the seventh) and of the
// easting (inverse), the meridian arc series to e^16, and the footpoint
// latitude by Halley iteration on the meridian arc.  pi is kPi
// (constants.h) in every degree/radian conversion.  These exact formulas
// are what stored site coordinates were computed with, so they are kept as
// they are rather than replaced by a more exact algorithm.
//
// Accuracy, measured against PROJ's exact transverse Mercator (cs2cs,
// EPSG:6668 to EPSG:6669..6687) for every zone on a grid reaching 300 km
// east and west of the central meridian and 2 degrees north and south of the
// zone origin (tests/geodesy): the forward conversion agrees to 0.001 mm
// within 200 km of the meridian and to 0.011 mm at 300 km; forward then
// inverse (XYtoBLRad) returns the start within 1e-10 degree.
//
// Angle forms:
// - decimal degrees × 10000: the main program's forward input
//   (35.5 degrees is 355000);
// - packed d.mmss: integer part degrees, two decimals minutes, then the
//   seconds with any further decimals as fractions of a second
//   (123.4530 is 123°45'30");
// - packed d.mmss × 10000: the inverse output, the zone table and the GPS
//   program's forward input (35°30'15.5" is 353015.5).
//
// Zones: 1 to 19.  Any other zone number is not refused: the origin becomes
// latitude 0, longitude 0 and the results are computed for that origin.
//
// Nothing here throws or keeps state.  Inputs far outside any zone (or not
// finite) can give non-finite results; Convergence reports them.
#pragma once

#include <optional>
#include <string_view>

namespace geodesy {

/// Scale factor on the central meridian.
inline constexpr double kScaleFactor = 0.9999;
/// GRS80 semi-major axis, metres.
inline constexpr double kSemiMajorAxis = 6378137.0;
/// GRS80 inverse flattening.
inline constexpr double kInverseFlattening = 298.257222101;

/// Plane rectangular position, metres: x northing, y easting.
struct PlaneXY {
    double x = 0;
    double y = 0;
};

/// Latitude and longitude in radians.
struct LatLonRad {
    double latitude = 0;
    double longitude = 0;
};

/// Latitude and longitude as packed d.mmss × 10000.
struct LatLonPacked {
    double latitude = 0;
    double longitude = 0;
};

/// True for the zone numbers 1 to 19 of the coordinate system.
bool IsKnownZone(int zone);

/// The published origin of a zone as packed d.mmss × 10000 (zone 9:
/// 360000, 1395000 = 36°N, 139°50'E); 0, 0 for any other zone number.
LatLonPacked ZoneOriginPacked(int zone);

/// The origin of a zone in radians, converted from ZoneOriginPacked with
/// DmsToRad; 0, 0 for any other zone number.
LatLonRad ZoneOrigin(int zone);

/// Packed d.mmss → decimal degrees with the sign of the input:
/// D = Int(|a|), M = Int((|a| - D + 1e-8) × 100), S = (|a| - D - M/100) × 10000,
/// result (M × 60 + D × 3600 + S) / 3600 × Sgn(a).  -35.3 → -35.5.
/// The argument is taken by value (no caller reads it back).
double DmsToDeg(double packedDms);

/// Packed d.mmss × 10000 → radians: DmsToDeg(angle / 10000) × kPi / 180.
double DmsToRad(double packedDms10000);

/// Decimal degrees → packed d.mmss keeping the fraction of the seconds (the
/// coordinate conversion's form; the report form with whole seconds is
/// DegToDmsWhole in angles.h).  1e-7 degree (0.00036 second) is added to
/// |angle| first; minutes that reach 60 carry into the degrees
/// (35.999999 → 36).  The sign of the result is Sgn(angle) (0 gives 0).
double DegToDmsFractional(double angleDeg);

/// Radians → packed d.mmss × 10000: DegToDmsFractional(rad × 180 / kPi) × 10000.
double RadToDms(double angleRad);

/// Length of the meridian arc from the equator to `latitudeRad`, metres
/// (series to e^16 on GRS80).  Odd in the latitude.
double MeridianArc(double latitudeRad);

/// Footpoint latitude, radians, of plane X (metres, from the zone origin):
/// the latitude whose meridian arc is x / 0.9999 plus the arc of the origin.
/// Halley iteration from the origin latitude; stops when a step is below
/// 1e-14 radian or after 101 passes, and returns the last value either way.
double FootpointLatitude(double x, int zone);

/// Forward conversion of the main program.  Latitude and longitude are
/// DECIMAL DEGREES × 10000.
PlaneXY BLtoXYCalc(double latitudeDeg10000, double longitudeDeg10000, int zone);

/// Forward conversion of the GPS receiver program: the same series, with
/// latitude and longitude given as PACKED d.mmss × 10000 and turned into
/// radians by DmsToRad.  The zone check and its message belong to the GPS
/// program; this function computes for origin 0, 0 like the others.
PlaneXY BLtoXYCalcPacked(double latitudeDms10000, double longitudeDms10000, int zone);

/// One coordinate of BLtoXYCalc: X (northing) when `which` is 0, else Y.
double BLtoXY(double latitudeDeg10000, double longitudeDeg10000, int zone, int which);

/// One coordinate of BLtoXYCalcPacked: X when `which` is 0, else Y.
double BLtoXYPacked(double latitudeDms10000, double longitudeDms10000, int zone, int which);

/// Inverse conversion of plane X, Y (absolute metres, not minus a site
/// origin) to latitude and longitude in radians, before any packing.
LatLonRad XYtoBLRad(double x, double y, int zone);

/// Inverse conversion to packed d.mmss × 10000 (RadToDms of XYtoBLRad).  The
/// packing adds its 1e-7 degree bias: the origin of zone 6 comes back as
/// 360000.00036, 1360000.00036.
LatLonPacked XYtoBLCalc(double x, double y, int zone);

/// One angle of XYtoBLCalc: the latitude when `which` is 0, else the
/// longitude, packed d.mmss × 10000.
double XYtoBL(double x, double y, int zone, int which);

/// Message the main program shows (OK button) when Convergence fails; the
/// view is then zoomed out too far for the conversion.  UTF-8.
inline constexpr std::string_view kConvergenceFailureMessage =
    "縮小しすぎです。「＋」か「全体」をクリックしてください";

/// Meridian convergence at plane X, Y (metres) of a zone, in degrees with
/// the usual sign REVERSED: 0 on the central meridian, positive west of it
/// and negative east of it in the northern hemisphere.  Map tiles are turned
/// by this angle.  The position goes through the packed inverse conversion
/// (bias included), then the convergence series to the fifth power of the
/// longitude difference.
///
/// nullopt when the computation breaks down (a non-finite intermediate: the
/// position is far outside the projection).  The main program then shows
/// kConvergenceFailureMessage through its prompter and takes 0.
std::optional<double> Convergence(double x, double y, int zone);

}  // namespace geodesy
