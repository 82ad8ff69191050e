// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "geodesy/plane_geometry.h"

#include <cmath>

#include "geodesy/constants.h"

namespace geodesy {

InverseResult Inverse(double dX, double dY)
{
    InverseResult r;
    r.distance = std::sqrt(dX * dX + dY * dY);
    if (dX == 0) {
        r.angleDeg = dY < 0 ? 270.0 : (dY > 0 ? 90.0 : 0.0);
        return r;
    }
    double a = std::atan(dY / dX) * 180 / kPi;
    if (dX <= 0 && dY > 0)
        a += 180;
    if (dX < 0 && dY <= 0)
        a += 180;
    if (dX >= 0 && dY < 0)
        a += 360;
    r.angleDeg = a;
    return r;
}

float DirectionAngle(double dX, double dY)
{
    if (dX == 0)
        return dY < 0 ? 270.0f : (dY > 0 ? 90.0f : 0.0f);
    float a = static_cast<float>(std::atan(dY / dX) * 180 / kPi);
    if (dX <= 0 && dY > 0)
        a += 180.0f;
    if (dX < 0 && dY <= 0)
        a += 180.0f;
    if (dX >= 0 && dY < 0)
        a += 360.0f;
    return a;
}

IntersectionResult Intersection(double x1, double y1, double x2, double y2,
                                double x3, double y3, double x4, double y4, double viewSpanX)
{
    const double s = 0.0001 * viewSpanX;
    if (x1 == x2)
        x2 += s;
    if (x3 == x4)
        x4 += s;
    if (y1 == y2)
        y2 += s;
    if (y3 == y4)
        y4 += s;
    double m1 = (y2 - y1) / (x2 - x1);
    const double m2 = (y4 - y3) / (x4 - x3);
    if (m1 == m2)
        m1 += s;

    IntersectionResult r;
    r.x = (x3 * m2 - x1 * m1 + y1 - y3) / (m2 - m1);
    r.y = y1 + (r.x - x1) * m1;
    r.x2 = x2;
    r.y2 = y2;
    r.x4 = x4;
    r.y4 = y4;
    return r;
}

}  // namespace geodesy
