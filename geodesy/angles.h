// SPDX-License-Identifier: LicenseRef-Tavelcor
// Angle texts of the survey reports and the rounding of the area computation.
#pragma once

#include <string>

namespace geodesy {

/// Decimal degrees → packed degrees-minutes-seconds (d.mmss) with WHOLE
/// seconds: 10.5 → 10.3, -10.5 → -10.3.  The sign of the angle is the sign of
/// the result.  0.00014 degree (0.504 second) is added to |angle| before the
/// parts are cut off, so a fraction of 0.496 second or more goes up to the
/// next second and carries into minutes and degrees (359.9999 → 360).
/// The result has exactly four decimals up to floating-point representation.
/// This is the report angle of the main program; the fractional-seconds form
/// of the coordinate conversion is DegToDmsFractional (plane_rectangular.h).
///
/// The argument is taken by value: no caller reads its angle variable back
/// after the conversion.
double DegToDmsWhole(double angleDeg);

/// Brings an angle (degrees) into 0 up to 360 by four steps in this order:
/// add 360 if below 0; subtract 360 if 360 or more; again add 360 if below 0;
/// again subtract 360 if 360 or more.  Angles from -720 up to (not including)
/// 1080 end in [0, 360); others move by at most two turns and stay outside
/// (1100 → 380).
double NormalizeAngle(double angleDeg);

/// The 9-character angle text "DDD-MM-SS" of a direction angle in decimal
/// degrees: degrees right-aligned in 3 characters, two-digit minutes and
/// whole seconds ("  5-07-30" for 5°07'30").  The angle is normalised first
/// (NormalizeAngle), then rounded to whole seconds (DegToDmsWhole), so
/// -90 → "270-00-00" and 359.9999 → "360-00-00".
///
/// The argument is taken by value.  (An implementation that overwrote the
/// caller's variable with the packed value would hand a later "interior
/// angle" computation on the same variable a d.mmss number instead of
/// degrees.)
std::string AngleText(double angleDeg);

/// Rounds `a` to `k` decimals, halves away from zero:
/// Sgn(a) × Int(10^k × |a| + 0.50000004) / 10^k.  The constant 0.50000004
/// (not 0.5) sends a product that lands a few hundred-millionths below a half
/// away from zero as well: 2.345 → 2.35, -2.345 → -2.35.  The area
/// computation of parcels uses it for its registered-area rounding steps.
/// Not finite `a` or `k` give a non-finite result; never throws.
double round(double a, double k);

}  // namespace geodesy
