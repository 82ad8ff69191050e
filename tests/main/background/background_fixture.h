// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A plot of 300 x 200 pixels (4500 x 3000 twips) at one metre per pixel,
// centred on the site origin (1000 N, 2000 E): the view is x -150..150, y
// -100..100 in the plot's units; the screen's twips per pixel are 15 x
// 1.002.  Images are small solid-colour files written by the test.

#include "main/render/plot_face.h"
#include "main/render/render_state.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tavelcor::backgroundtest {

inline constexpr double kOriginX = 1000.0;
inline constexpr double kOriginY = 2000.0;
inline constexpr float kTwipPix = 15.0F * 1.002F;

class BackgroundFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        render::renderState() = render::RenderState{};
        OriginX = kOriginX;
        OriginY = kOriginY;
        TwipPixX = TwipPixY = kTwipPix;
        WorkFolder = dir.filePath(QStringLiteral("Eld"));
        face = std::make_unique<render::StandalonePlot>(QSize(300, 200));
        setView(200.0, 300.0);
    }

    void TearDown() override { render::renderState() = render::RenderState{}; }

    /// The view centred on the origin with the given north and east extents.
    static void setView(double spanX, double spanY)
    {
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = spanX;
        ViewSpanY = spanY;
    }

    platform::Canvas& canvas() { return face->picture(); }

    /// A solid image file of the given pixel size and 24-bit colour.
    QString image(const QString& name, QSize pixels, std::uint32_t color) const
    {
        QImage picture(pixels, QImage::Format_RGB32);
        picture.fill(platform::toQRgb(color));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }

    /// A raster row: the file and its rectangle centred on the origin,
    /// `north` by `east` metres (absolute coordinates).
    static void setRow(int slot, int row, const QString& file, double north, double east, double offsetX = 0.0,
                       double offsetY = 0.0)
    {
        HaikeiFile(slot, row) = file;
        HaikeiXMin(slot, row) = OriginX + offsetX - north / 2;
        HaikeiXMax(slot, row) = OriginX + offsetX + north / 2;
        HaikeiYMin(slot, row) = OriginY + offsetY - east / 2;
        HaikeiYMax(slot, row) = OriginY + offsetY + east / 2;
    }

    /// The 24-bit colour of a pixel of the plot.
    std::uint32_t pixel(int x, int y) { return platform::fromQRgb(canvas().image().pixel(x, y)); }

    int countColor(std::uint32_t color)
    {
        const QImage& picture = canvas().image();
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (platform::fromQRgb(picture.pixel(x, y)) == color)
                    ++n;
        return n;
    }

    /// Bounds of the pixels of one colour.
    QRect boundsOf(std::uint32_t color)
    {
        const QImage& picture = canvas().image();
        QRect bounds;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (platform::fromQRgb(picture.pixel(x, y)) == color)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    QTemporaryDir dir;
    std::unique_ptr<render::StandalonePlot> face;
};

inline constexpr std::uint32_t kRed = 0x0000FF;
inline constexpr std::uint32_t kBlue = 0xFF0000;
inline constexpr std::uint32_t kGreen = 0x00FF00;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

}  // namespace tavelcor::backgroundtest
