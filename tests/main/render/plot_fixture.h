// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A small site on a 400 x 300 pixel plot at one metre per pixel: the view is
// centred on the site origin (1000 N, 2000 E), 300 m north by 400 m east, so
// plot coordinate (PX, PY) lands on pixel (200 + PY, 150 - PX).

#include "site_builders.h"
#include "text_ink.h"

#include "main/render/plot_face.h"
#include "main/render/plot_render.h"
#include "main/render/render_state.h"
#include "main/render/site_index.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QImage>
#include <QSize>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tavelcor::render::testing_support {

inline constexpr double kOriginX = 1000.0;
inline constexpr double kOriginY = 2000.0;

// A plot of the given size with the marker symbols 1 to 3 (■ blue, ● green,
// ◎ red) and the number, name and parcel-label switches ticked.
inline std::unique_ptr<StandalonePlot> plotWithSymbols(QSize pixels)
{
    auto face = std::make_unique<StandalonePlot>(pixels);
    face->setSymbol(1, QStringLiteral("■"), platform::QBColor(9));
    face->setSymbol(2, QStringLiteral("●"), platform::QBColor(2));
    face->setSymbol(3, QStringLiteral("◎"), platform::QBColor(12));
    face->setCheck(1, 1);
    face->setCheck(2, 1);
    face->setCheck(6, 1);
    return face;
}

class PlotFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        renderState() = RenderState{};
        // The small sites of these tests take the index's road, as large
        // sites do, wherever a window allows it.
        siteIndex().setUse(SiteIndex::Use::Always);
        LoadingFlag = 0;
        OriginX = kOriginX;
        OriginY = kOriginY;
        face = std::make_unique<StandalonePlot>(QSize(400, 300));
        setView(0.0, 0.0, 300.0, 400.0);
        // Two coordinates far outside the view: a site with data, nothing drawn.
        addCoordinate(1, QStringLiteral("FAR1"), 90000.0, 90000.0);
        addCoordinate(2, QStringLiteral("FAR2"), -90000.0, -90000.0);
        face->setSymbol(1, QStringLiteral("■"), platform::QBColor(9));
        face->setSymbol(2, QStringLiteral("●"), platform::QBColor(2));
    }

    void setView(double centrePX, double centrePY, double spanX, double spanY)
    {
        ViewCX = OriginX + centrePX;
        ViewCY = OriginY + centrePY;
        ViewSpanX = spanX;
        ViewSpanY = spanY;
    }

    platform::Canvas& canvas() { return face->picture(); }

    // Colour at plot coordinate (PX, PY).
    std::uint32_t colorAt(double px, double py) { return static_cast<std::uint32_t>(canvas().Point(py, -px)); }

    // The letter size the picture takes when asked for `points`.
    static double letterSizeTaken(double points)
    {
        platform::Canvas probe(QSize(1, 1));
        probe.setFontSize(points);
        return probe.FontSize();
    }

    // Pixels of one colour within a pixel rectangle of the picture.
    int countPixels(const QRect& area, std::uint32_t color)
    {
        const QImage& img = canvas().image();
        const QRgb wanted = platform::toQRgb(color);
        int n = 0;
        for (int y = std::max(0, area.top()); y <= std::min(img.height() - 1, area.bottom()); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(img.width() - 1, area.right()); ++x)
                if ((img.pixel(x, y) | 0xFF000000u) == wanted)
                    ++n;
        return n;
    }
    int countPixels(std::uint32_t color) { return countPixels(QRect(0, 0, 400, 300), color); }

    // Pixels that differ from white.
    int countInk(const QRect& area) { return area.width() * area.height() - countPixels(area, 0xFFFFFF); }

    // Pixel rectangle around plot coordinate (PX, PY): `before` pixels
    // left/up, `after` pixels right/down.
    static QRect around(double px, double py, int before, int after)
    {
        const int x = 200 + static_cast<int>(py);
        const int y = 150 - static_cast<int>(px);
        return QRect(QPoint(x - before, y - before), QPoint(x + after, y + after));
    }

    // The ink a text leaves when printed alone on a blank picture with the
    // plot's current scale and font, at user point (x, y) in `color`.
    QImage referenceText(double x, double y, const QString& text, std::uint32_t color, double fontSize)
    {
        return testing_support::referenceText(canvas(), x, y, text, color, fontSize);
    }

    // Every inked pixel of the reference has the same colour on the plot.
    ::testing::AssertionResult containsText(const QImage& reference)
    {
        return testing_support::containsText(canvas().image(), reference);
    }

    std::unique_ptr<StandalonePlot> face;
};

}  // namespace tavelcor::render::testing_support
