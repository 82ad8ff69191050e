// SPDX-License-Identifier: LicenseRef-Tavelcor
// The meridian convergence as the main program asks for it: the angle by
// which map tiles are turned, with the failure reported to the user.
#pragma once

#include <QString>

namespace tavelcor::survey {

/// Message (OK button) shown when the convergence cannot be computed: the
/// position lies so far outside the zone that the view must be zoomed out
/// too far.
QString convergenceFailureText();

/// Meridian convergence at absolute plane X (north), Y (east), metres, of
/// `zone`, in degrees with the usual sign reversed: 0 on the central
/// meridian, positive west of it, negative east of it in the northern
/// hemisphere.  Zone numbers outside 1 to 19 are not refused: they compute
/// for an origin at latitude 0, longitude 0, without a message.
///
/// When the computation breaks down (an intermediate or the result is not
/// finite), shows convergenceFailureText() with an OK button through the
/// installed prompter and returns 0, so a caller turning tiles by the
/// result never sees a failure of its own.
double Convergence(double x, double y, int zone);

}  // namespace tavelcor::survey
