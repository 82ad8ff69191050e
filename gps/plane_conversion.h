// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's entry to the plane rectangular conversion: latitude and longitude
// come as packed degrees-minutes-seconds times 10000 (35° 39' 07.404" is
// 353907.404), converted on GRS80 by the shared series (geodesy), with a
// message for a zone number outside 1 to 19; and the conversion of the NMEA
// notation of an angle (degrees and decimal minutes) to packed d.mmss.
#pragma once

#include <QString>
#include <QStringView>

namespace orbela {

/// Plane X (northing, `flag` 0) or Y (easting, any other flag) in metres of
/// `zone`, for latitude and longitude given as packed d.mmss × 10000.  Agrees
/// with PROJ's exact transverse Mercator to 0.001 mm within 200 km of the
/// zone's meridian.  A zone outside 1 to 19 shows "系を指定してください" (OK
/// button) on every call and computes from an origin at latitude 0,
/// longitude 0.  Never throws; a position far outside any zone can give a
/// value that is not finite.
double BLtoXY(double latitudeDms10000, double longitudeDms10000, int zone, int flag);

/// NMEA ddmm.mmmm or dddmm.mmmm → packed d.mmss as text (not times 10000):
/// the digits before the first "." are degrees and whole minutes; the
/// fraction of a minute is the "." and at most nine further characters; the
/// result is (whole part + fraction × 60 / 100) / 100, written with up to 15
/// significant digits and no blanks.  35 degrees 39.1234 minutes ("3539.1234")
/// gives "35.3907404"; "13945.6789" gives "139.4540734"; "3539.0000" gives
/// "35.39".  A text without "." is taken as whole minutes (fraction 0).
QString NmeaToDms(QStringView nmea);

}  // namespace orbela
