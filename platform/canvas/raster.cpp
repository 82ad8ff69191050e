// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/raster.h"

#include <algorithm>
#include <cmath>
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

namespace {

// Half-open range of x where a row crosses a capsule part.
struct Span {
    double from = 1.0;
    double to = 0.0; // empty while from >= to
    bool empty() const { return !(from < to); }
    void unite(const Span& other)
    {
        if (other.empty())
            return;
        if (empty()) {
            *this = other;
            return;
        }
        from = std::min(from, other.from);
        to = std::max(to, other.to);
    }
};

Span discRow(double cx, double cy, double radius, double y)
{
    const double dy = y - cy;
    const double h2 = radius * radius - dy * dy;
    if (h2 <= 0.0)
        return {};
    const double h = std::sqrt(h2);
    return {cx - h, cx + h};
}

// x where (x - ax) * c + k lies in [lo, hi]; the whole row when c is 0.
Span band(double ax, double c, double k, double lo, double hi)
{
    if (c == 0.0)
        return (k >= lo && k <= hi) ? Span{-1e18, 1e18} : Span{};
    double x1 = ax + (lo - k) / c;
    double x2 = ax + (hi - k) / c;
    if (x1 > x2)
        std::swap(x1, x2);
    return {x1, x2};
}

// A segment widened by a radius: the figure a round-ended pen draws.
class Capsule {
public:
    Capsule(QPoint a, QPoint b, double radius)
        : m_ax(a.x()), m_ay(a.y()), m_bx(b.x()), m_by(b.y()), m_radius(radius)
    {
        const double dx = m_bx - m_ax;
        const double dy = m_by - m_ay;
        m_length = std::hypot(dx, dy);
        if (m_length > 0.0) {
            m_ux = dx / m_length;
            m_uy = dy / m_length;
        }
    }

    // Where the row of pixel centres at height y crosses the capsule.
    Span row(double y) const
    {
        Span span = discRow(m_ax, m_ay, m_radius, y);
        span.unite(discRow(m_bx, m_by, m_radius, y));
        if (m_length > 0.0) {
            const Span along = band(m_ax, m_ux, (y - m_ay) * m_uy, 0.0, m_length);
            const Span across = band(m_ax, -m_uy, (y - m_ay) * m_ux, -m_radius, m_radius);
            span.unite(Span{std::max(along.from, across.from), std::min(along.to, across.to)});
        }
        return span;
    }

private:
    double m_ax, m_ay, m_bx, m_by, m_radius;
    double m_length = 0.0;
    double m_ux = 0.0;
    double m_uy = 0.0;
};

} // namespace

void rasterWideLine(const PixelTarget& target, QPoint a, QPoint b, int width, QRgb pen,
                    PenMode mode)
{
    const double radius = width / 2.0;
    const int firstRow = std::max(0, static_cast<int>(std::ceil(std::min(a.y(), b.y()) - radius)));
    const int endRow = std::min(target.height,
                                static_cast<int>(std::ceil(std::max(a.y(), b.y()) + radius)));
    const Capsule capsule(a, b, radius);
    visitPenMode(mode, [&](auto m) {
        constexpr PenMode M = decltype(m)::value;
        for (int y = firstRow; y < endRow; ++y) {
            const Span span = capsule.row(y);
            if (span.empty())
                continue;
            const double from = std::max(span.from, -1.0);
            const double to = std::min(span.to, static_cast<double>(target.width) + 1.0);
            const int left = std::max(0, static_cast<int>(std::ceil(from)));
            const int right = std::min(target.width, static_cast<int>(std::ceil(to)));
            QRgb* row = target.bits + y * target.stride;
            for (int x = left; x < right; ++x)
                row[x] = applyPenMode(M, pen, row[x]);
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
