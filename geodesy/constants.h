// SPDX-License-Identifier: LicenseRef-Tavelcor
// Constants shared by the survey computations.
#pragma once

namespace geodesy {

/// The value of pi used by every conversion between degrees and radians in
/// the survey computations: 3.14159265358979, about 3.2e-15 below the full
/// double-precision pi.  Results (angles, coordinates, stored files) are
/// reproduced with this value, so it must not be replaced by M_PI or
/// std::numbers::pi.
inline constexpr double kPi = 3.14159265358979;

}  // namespace geodesy
