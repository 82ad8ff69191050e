// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/scale_bar.h"

#include <array>

namespace tavelcor::render {

namespace {
struct Threshold {
    double atLeast;
    bool strict;  // true: the extent must exceed atLeast
    ScaleBarRow row;
};

constexpr std::array<Threshold, 6> kRows{{
    {100000.0, false, {"100km", 100000.0, 40000.0}},
    {10000.0, false, {"10km", 10000.0, 4000.0}},
    {1000.0, false, {"1000m", 1000.0, 400.0}},
    {200.0, false, {"100m", 100.0, 40.0}},
    {10.0, false, {"10m", 10.0, 4.0}},
    {1.0, true, {"1m", 1.0, 0.4}},
}};
constexpr ScaleBarRow kSmallest{"0.1m", 0.1, 0.04};
}  // namespace

ScaleBarRow scaleBarFor(double viewSpanX) noexcept
{
    for (const Threshold& t : kRows) {
        const bool passes = t.strict ? viewSpanX > t.atLeast : viewSpanX >= t.atLeast;
        if (passes)
            return t.row;
    }
    return kSmallest;
}

}  // namespace tavelcor::render
