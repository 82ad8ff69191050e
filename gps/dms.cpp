// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/dms.h"

#include <cmath>

namespace orbela {

namespace {

// Int of the system's runtime: the largest whole number not above the value.
double Int(double value) { return std::floor(value); }

double sign(double value) { return value > 0 ? 1.0 : (value < 0 ? -1.0 : 0.0); }

}  // namespace

double deg(double dm)
{
    const double s = sign(dm);
    const double a = std::fabs(dm);
    const double D = Int(a);
    const double M = Int((a - D + 0.000001) * 100);
    const double S = (a - D - M / 100) * 10000;
    return (M * 60 + D * 3600 + S) / 3600 * s;
}

double Fdms(double angleDeg)
{
    double a = angleDeg;
    double s = 1;
    if (a < 0) {
        s = -1;
        a = std::fabs(a);
    }
    const double D = Int(a);
    const double m = (a - D) * 0.6;
    const double mm = Int(m * 100) / 100;
    const double sec = (m - mm) * 0.6;
    a = (mm + D + sec) * s;
    if (a > 360)
        a -= 360;
    return a;
}

double roundSpacingToSecond(double spacingDeg)
{
    return deg(Int(Fdms(spacingDeg) * 10000 + 0.5) / 10000);
}

}  // namespace orbela
