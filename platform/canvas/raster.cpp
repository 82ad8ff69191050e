// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/raster.h"

#include <algorithm>
#include <initializer_list>

namespace platform::detail {

namespace {

// Builds the bit pattern from alternating on and off run lengths.
DashPattern runs(std::initializer_list<int> lengths)
{
    DashPattern pattern;
    pattern.bits = 0;
    int position = 0;
    bool on = true;
    for (int length : lengths) {
        for (int i = 0; i < length; ++i, ++position) {
            if (on)
                pattern.bits |= 1u << position;
        }
        on = !on;
    }
    pattern.period = position;
    return pattern;
}

} // namespace

DashPattern dashPatternFor(LineStyle style)
{
    switch (style) {
    case LineStyle::Dash: return runs({18, 6});
    case LineStyle::Dot: return runs({3, 3});
    case LineStyle::DashDot: return runs({9, 6, 3, 6});
    case LineStyle::DashDotDot: return runs({9, 3, 3, 3, 3, 3});
    case LineStyle::Solid:
    case LineStyle::Transparent:
    case LineStyle::InsideSolid: break;
    }
    return DashPattern{};
}

void rasterThinLine(const PixelTarget& target, QPoint a, QPoint b, QRgb pen, PenMode mode,
                    const DashPattern& dash)
{
    visitPenMode(mode, [&](auto m) {
        constexpr PenMode M = decltype(m)::value;
        if (dash.solid()) {
            walkLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y, int) {
                if (target.contains(x, y)) {
                    QRgb& d = target.at(x, y);
                    d = applyPenMode(M, pen, d);
                }
            });
        } else {
            walkLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y, int step) {
                if (dash.on(step) && target.contains(x, y)) {
                    QRgb& d = target.at(x, y);
                    d = applyPenMode(M, pen, d);
                }
            });
        }
    });
}

void rasterFillRect(const PixelTarget& target, const QRect& rect, QRgb pen, PenMode mode)
{
    visitPenMode(mode, [&](auto m) {
        constexpr PenMode M = decltype(m)::value;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            QRgb* row = target.bits + y * target.stride;
            if constexpr (M == PenMode::CopyPen) {
                std::fill(row + rect.left(), row + rect.right() + 1, applyPenMode(M, pen, 0));
            } else {
                for (int x = rect.left(); x <= rect.right(); ++x)
                    row[x] = applyPenMode(M, pen, row[x]);
            }
        }
    });
}

} // namespace platform::detail
