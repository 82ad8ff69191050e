// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/area_measure.h"

#include "main/site/tables.h"
#include "platform/text/numbers.h"

#include <cmath>
#include <utility>

namespace tavelcor {
namespace {

// One shoelace term of vertex k with its neighbours, in single precision as
// the vertices are stored.
float shoelaceTerm(int k, int previous, int next)
{
    const auto& xs = std::as_const(AreaX);
    const auto& ys = std::as_const(AreaY);
    const float difference = ys[previous] - ys[next];
    return xs[k] * difference;
}

}  // namespace

double closedAreaOf(int n)
{
    if (n < 3 || n > kAreaTop)
        return 0.0;
    double sum = 0.0;
    for (int k = 2; k <= n - 1; ++k)
        sum += shoelaceTerm(k, k - 1, k + 1);
    sum += shoelaceTerm(1, n, 2);
    sum += shoelaceTerm(n, n - 1, 1);
    return std::fabs(sum / 2.0);
}

AreaPress areaVertexPress(double x, double y, double closeRadius)
{
    const int m = AreaCount;
    if (m < 1 || m > kAreaTop) {
        AreaCount = 0;
        return {AreaStep::Full, 0.0};
    }
    AreaX[m] = static_cast<float>(-y);
    AreaY[m] = static_cast<float>(x);
    const auto& xs = std::as_const(AreaX);
    const auto& ys = std::as_const(AreaY);
    const auto radius = static_cast<float>(closeRadius);
    if (m > 2 && std::fabs(xs[1] - xs[m]) < radius && std::fabs(ys[1] - ys[m]) < radius) {
        // The closing vertex is vertex 1 itself, so the area does not depend
        // on where inside the radius the press landed.
        AreaX[m] = xs[1];
        AreaY[m] = ys[1];
        const int n = m - 1;
        AreaCount = static_cast<std::int16_t>(n);
        const double area = closedAreaOf(n);
        AreaCount = static_cast<std::int16_t>(n + 2);
        return {AreaStep::Closed, area};
    }
    AreaCount = static_cast<std::int16_t>(m + 1);
    return {AreaCount > kAreaTop ? AreaStep::Full : AreaStep::Open, 0.0};
}

QString areaMessage(double area)
{
    const double rounded = std::floor(area * 100.0 + 0.5) / 100.0;
    return QStringLiteral("面積=") + platform::CStr(rounded) + QStringLiteral("㎡");
}

}  // namespace tavelcor
