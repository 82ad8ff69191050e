// SPDX-License-Identifier: LicenseRef-Tavelcor
// Pixel work behind the canvas (internal to platform_canvas): the binary
// raster operations of the draw modes on RGB32 pixels, segment clipping, and
// the width-1 line rasterizer that draws without a QPainter.
#pragma once

#include "platform/canvas/canvas.h"

#include <QPainter>
#include <QRgb>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <utility>

namespace platform::detail {

/// Combines pen P with picture pixel D (both 0xAARRGGBB) by `mode`; the
/// result is an opaque RGB32 pixel.
constexpr QRgb applyPenMode(PenMode mode, QRgb p, QRgb d)
{
    QRgb r = d;
    switch (mode) {
    case PenMode::Blackness: r = 0; break;
    case PenMode::NotMergePen: r = ~(p | d); break;
    case PenMode::MaskNotPen: r = d & ~p; break;
    case PenMode::NotCopyPen: r = ~p; break;
    case PenMode::MaskPenNot: r = p & ~d; break;
    case PenMode::Invert: r = ~d; break;
    case PenMode::XorPen: r = p ^ d; break;
    case PenMode::NotMaskPen: r = ~(p & d); break;
    case PenMode::MaskPen: r = p & d; break;
    case PenMode::NotXorPen: r = ~(p ^ d); break;
    case PenMode::Nop: r = d; break;
    case PenMode::MergeNotPen: r = d | ~p; break;
    case PenMode::CopyPen: r = p; break;
    case PenMode::MergePenNot: r = p | ~d; break;
    case PenMode::MergePen: r = p | d; break;
    case PenMode::Whiteness: r = 0x00FFFFFF; break;
    }
    return r | 0xFF000000u;
}

/// A draw mode as a compile-time constant.
template <PenMode M>
using Mode = std::integral_constant<PenMode, M>;

/// Calls f(Mode<mode>{}) so that pixel loops are compiled once per mode,
/// without a switch per pixel.
template <class F>
decltype(auto) visitPenMode(PenMode mode, F&& f)
{
    switch (mode) {
    case PenMode::Blackness: return f(Mode<PenMode::Blackness>{});
    case PenMode::NotMergePen: return f(Mode<PenMode::NotMergePen>{});
    case PenMode::MaskNotPen: return f(Mode<PenMode::MaskNotPen>{});
    case PenMode::NotCopyPen: return f(Mode<PenMode::NotCopyPen>{});
    case PenMode::MaskPenNot: return f(Mode<PenMode::MaskPenNot>{});
    case PenMode::Invert: return f(Mode<PenMode::Invert>{});
    case PenMode::XorPen: return f(Mode<PenMode::XorPen>{});
    case PenMode::NotMaskPen: return f(Mode<PenMode::NotMaskPen>{});
    case PenMode::MaskPen: return f(Mode<PenMode::MaskPen>{});
    case PenMode::NotXorPen: return f(Mode<PenMode::NotXorPen>{});
    case PenMode::Nop: return f(Mode<PenMode::Nop>{});
    case PenMode::MergeNotPen: return f(Mode<PenMode::MergeNotPen>{});
    case PenMode::MergePenNot: return f(Mode<PenMode::MergePenNot>{});
    case PenMode::MergePen: return f(Mode<PenMode::MergePen>{});
    case PenMode::Whiteness: return f(Mode<PenMode::Whiteness>{});
    case PenMode::CopyPen: break;
    }
    return f(Mode<PenMode::CopyPen>{});
}

/// The QPainter composition mode that does the same as `mode` on RGB32
/// images, for shapes drawn through Qt (wide pens, circles, polygons).
constexpr QPainter::CompositionMode compositionFor(PenMode mode)
{
    switch (mode) {
    case PenMode::Blackness: return QPainter::RasterOp_ClearDestination;
    case PenMode::NotMergePen: return QPainter::RasterOp_NotSourceAndNotDestination;
    case PenMode::MaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case PenMode::NotCopyPen: return QPainter::RasterOp_NotSource;
    case PenMode::MaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case PenMode::Invert: return QPainter::RasterOp_NotDestination;
    case PenMode::XorPen: return QPainter::RasterOp_SourceXorDestination;
    case PenMode::NotMaskPen: return QPainter::RasterOp_NotSourceOrNotDestination;
    case PenMode::MaskPen: return QPainter::RasterOp_SourceAndDestination;
    case PenMode::NotXorPen: return QPainter::RasterOp_NotSourceXorDestination;
    case PenMode::MergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case PenMode::MergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case PenMode::MergePen: return QPainter::RasterOp_SourceOrDestination;
    case PenMode::Whiteness: return QPainter::RasterOp_SetDestination;
    case PenMode::Nop:
    case PenMode::CopyPen: break;
    }
    return QPainter::CompositionMode_SourceOver;
}

/// Clips the segment a-b to the box [minX, maxX] x [minY, maxY]
/// (Liang-Barsky). False when nothing of it lies inside.
inline bool clipSegment(double& ax, double& ay, double& bx, double& by,
                        double minX, double minY, double maxX, double maxY)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = bx - ax;
    const double dy = by - ay;
    const auto edge = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
        return true;
    };
    if (!edge(-dx, ax - minX) || !edge(dx, maxX - ax) || !edge(-dy, ay - minY)
        || !edge(dy, maxY - ay))
        return false;
    const double sx = ax;
    const double sy = ay;
    if (t1 < 1.0) {
        bx = sx + t1 * dx;
        by = sy + t1 * dy;
    }
    if (t0 > 0.0) {
        ax = sx + t0 * dx;
        ay = sy + t0 * dy;
    }
    return true;
}

/// The pixel a continuous device coordinate falls on (round half up),
/// kept within a range where integer pixel arithmetic cannot overflow.
inline int pixelIndex(double u)
{
    constexpr double kLimit = 1.0e9;
    if (!(u > -kLimit)) // also catches NaN
        return -static_cast<int>(kLimit);
    if (u > kLimit)
        return static_cast<int>(kLimit);
    return static_cast<int>(std::floor(u + 0.5));
}

/// On/off pattern of a width-1 pen, one bit per pixel along the line,
/// repeating every `period` pixels (the original platform's cosmetic
/// patterns: dash 18 on 6 off, dot 3/3, dash-dot 9/6/3/6, dash-dot-dot
/// 9/3/3/3/3/3).
struct DashPattern {
    std::uint32_t bits = 1;
    int period = 1;
    bool solid() const { return period == 1; }
    bool on(int step) const { return ((bits >> (step % period)) & 1u) != 0; }
};

DashPattern dashPatternFor(LineStyle style);

/// Plain RGB32 pixel access for the loops.
struct PixelTarget {
    QRgb* bits = nullptr;
    qsizetype stride = 0; ///< pixels per row
    int width = 0;
    int height = 0;

    bool contains(int x, int y) const
    {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(height);
    }
    QRgb& at(int x, int y) const { return bits[y * stride + x]; }
};

/// Bresenham line from a to b without the pixel of b, calling plot(x, y,
/// step) for each pixel; step counts pixels from a.
template <class Plot>
void walkLine(int ax, int ay, int bx, int by, Plot&& plot)
{
    const int dx = std::abs(bx - ax);
    const int dy = std::abs(by - ay);
    const int sx = ax < bx ? 1 : -1;
    const int sy = ay < by ? 1 : -1;
    int x = ax;
    int y = ay;
    if (dx >= dy) {
        int err = dx / 2;
        for (int step = 0; step < dx; ++step) {
            plot(x, y, step);
            x += sx;
            err -= dy;
            if (err < 0) {
                y += sy;
                err += dx;
            }
        }
    } else {
        int err = dy / 2;
        for (int step = 0; step < dy; ++step) {
            plot(x, y, step);
            y += sy;
            err -= dx;
            if (err < 0) {
                x += sx;
                err += dy;
            }
        }
    }
}

/// Draws a width-1 line a-b (end pixel left out) into `target` under `mode`.
void rasterThinLine(const PixelTarget& target, QPoint a, QPoint b, QRgb pen, PenMode mode,
                    const DashPattern& dash);

/// Draws a line of `width` pixels with round ends from pixel a to pixel b
/// under `mode`: every pixel whose centre lies within width / 2 of the
/// segment (the rows and columns of the boundary counted half-open, so a
/// line 2 wide covers exactly 2 rows), each combined once.
void rasterWideLine(const PixelTarget& target, QPoint a, QPoint b, int width, QRgb pen,
                    PenMode mode);

/// Combines every pixel of `rect` (already inside the target) with `pen`.
void rasterFillRect(const PixelTarget& target, const QRect& rect, QRgb pen, PenMode mode);

} // namespace platform::detail
