// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "geodesy/angles.h"

#include <cmath>

#include "geodesy/format_fixed.h"

namespace geodesy {

double DegToDmsWhole(double angleDeg)
{
    const double sign = angleDeg < 0 ? -1.0 : 1.0;
    // 0.504 second up, so that cutting off below gives the nearest second.
    const double a = std::fabs(angleDeg) + 0.00014;
    const double d = std::floor(a);
    const double m = (a - d) * 0.6;               // minutes as a fraction of one
    const double mm = std::floor(m * 100) / 100;  // whole minutes, two decimals
    const double s = (m - mm) * 0.6;              // seconds as hundredths of one
    return std::floor((mm + d + s) * 10000) / 10000 * sign;
}

double NormalizeAngle(double angleDeg)
{
    double a = angleDeg;
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    if (a < 0)
        a += 360;
    if (a >= 360)
        a -= 360;
    return a;
}

std::string AngleText(double angleDeg)
{
    const double packed = DegToDmsWhole(NormalizeAngle(angleDeg));
    const std::string s = FormatFixed(packed, 8, 4);  // "ddd.mmss"
    std::string text;
    text.reserve(9);
    text.append(s, 0, 3);
    text += '-';
    text.append(s, 4, 2);
    text += '-';
    text.append(s, s.size() - 2, 2);
    return text;
}

double round(double a, double k)
{
    const double scale = std::pow(10.0, k);
    const double sign = a > 0 ? 1.0 : (a < 0 ? -1.0 : 0.0);
    return sign * std::floor(scale * std::fabs(a) + 0.50000004) / scale;
}

}  // namespace geodesy
