// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The drawing operations the plot layers use on the picture, in the
// picture's user coordinates (metres; x east, y south).  A thin layer over
// the canvas that keeps redundant state changes away from it.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

class QPointF;

namespace platform {
class Canvas;
}

namespace tavelcor::render {

/// Picture draw modes used by the plot.
inline constexpr int kCopyPen = 13;
inline constexpr int kMaskPen = 9;

class PlotPainter {
public:
    explicit PlotPainter(platform::Canvas& canvas) noexcept : mCanvas(canvas) {}

    platform::Canvas& canvas() noexcept { return mCanvas; }

    double scaleLeft() const;
    double scaleTop() const;
    double scaleWidth() const;
    double scaleHeight() const;
    void setScale(double left, double top, double width, double height);

    void setForeColor(std::uint32_t color);
    std::uint32_t foreColor() const;
    void setDrawMode(int mode);
    void setDrawWidth(int pixels);
    void setFillColor(std::uint32_t color);
    void setFontName(const QString& name);
    void setFontSize(double points);
    double fontSize() const;  ///< the size the picture actually took
    void setFontBold(bool bold);
    void setFontUnderline(bool on);
    void setFontStrikethru(bool on);

    void clear();  ///< Refresh, then Cls
    void line(double x1, double y1, double x2, double y2, std::uint32_t color);
    void pset(double x, double y, std::uint32_t color);
    void circle(double x, double y, double radius, std::uint32_t color);
    /// Prints at (x, y) (top-left corner of the text) in the fore colour,
    /// leaving no mark of its own at that point.
    void printAt(double x, double y, QStringView text);
    /// Prints at the current point.
    void print(QStringView text);
    /// Fills a polygon given in device pixels with a solid brush in the
    /// current draw mode, outlined in `pen` at the current draw width.  The
    /// polygon closes itself.  Pixels are doubles so that vertices far off
    /// the picture keep their place; the picture clips the figure.
    void fillPolygonPixels(std::span<const QPointF> points, std::uint32_t brush, std::uint32_t pen);

private:
    platform::Canvas& mCanvas;
};

}  // namespace tavelcor::render
