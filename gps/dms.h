// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's own conversions between decimal degrees and packed
// degrees-minutes-seconds (d.mmss: 35.3907404 is 35° 39' 07.404"), used by
// the geoid look-up and its grid spacing.  They differ from the main
// program's DmsToDeg in their bias (1e-6 instead of 1e-8 before the minutes
// are cut), so they are ORBELA's functions, not the shared ones.
#pragma once

namespace orbela {

/// Packed d.mmss → decimal degrees, keeping the sign: with a = |dm|,
/// D = Int(a), M = Int((a − D + 0.000001) × 100), S = (a − D − M/100) × 10000,
/// the result is (M × 60 + D × 3600 + S) / 3600 × sign.  deg(35.3907404) is
/// 35 + 39/60 + 7.404/3600; deg(−135.3) is −135.5.  Never throws; a value that
/// is not finite gives a result that is not finite.
double deg(double dm);

/// Decimal degrees → packed d.mmss, keeping the sign: with a = |angle|,
/// D = Int(a), m = (a − D) × 0.6, mm = Int(m × 100) / 100,
/// sec = (m − mm) × 0.6, the result is (mm + D + sec) × sign, less 360 when
/// it exceeds 360.  Fdms(35.5) is 35.3; Fdms(−0.025) is −0.013.
double Fdms(double angleDeg);

/// A grid spacing in decimal degrees rounded to the nearest whole second of
/// arc: deg(Int(Fdms(value) × 10000 + 0.5) / 10000).  The published header
/// value 0.016667 becomes exactly 1/60 of a degree; 0.025 stays 0.025.
double roundSpacingToSecond(double spacingDeg);

}  // namespace orbela
