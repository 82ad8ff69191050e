// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/screen.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Screen, TwipsPerPixelFromResolution)
{
    struct Row {
        double dpi;
        double twips;
    };
    const Row rows[] = {{96, 15}, {120, 12}, {144, 10}, {192, 7.5}, {72, 20}, {0, 15}, {-96, 15}};
    for (const Row& r : rows)
        EXPECT_DOUBLE_EQ(platform::twipsPerPixelForDpi(r.dpi), r.twips) << "dpi " << r.dpi;
}

TEST(Screen, OffscreenPrimaryScreenMeasuresInTwips)
{
    const std::optional<platform::ScreenMetrics> metrics = platform::primaryScreenMetrics();
    ASSERT_TRUE(metrics.has_value());
    // The offscreen platform reports the classic 96 dpi.
    EXPECT_DOUBLE_EQ(metrics->twipsPerPixelX, 15.0);
    EXPECT_DOUBLE_EQ(metrics->twipsPerPixelY, 15.0);
    EXPECT_GT(metrics->widthTwips, 0.0);
    EXPECT_GT(metrics->heightTwips, 0.0);
    // Whole pixels: the size in twips is a multiple of the pixel size.
    EXPECT_DOUBLE_EQ(std::fmod(metrics->widthTwips, 15.0), 0.0);
    EXPECT_DOUBLE_EQ(std::fmod(metrics->heightTwips, 15.0), 0.0);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_DOUBLE_EQ(metrics->widthTwips, screen.width() * 15.0);
    EXPECT_DOUBLE_EQ(metrics->heightTwips, screen.height() * 15.0);
}

TEST(Screen, WorkAreaIsAProperRectangleInsideTheScreen)
{
    const std::optional<platform::WorkArea> area = platform::desktopWorkArea();
    const std::optional<platform::ScreenMetrics> metrics = platform::primaryScreenMetrics();
    ASSERT_TRUE(area.has_value());
    ASSERT_TRUE(metrics.has_value());
    EXPECT_LT(area->left, area->right);
    EXPECT_LT(area->top, area->bottom);
    EXPECT_LE((area->right - area->left) * metrics->twipsPerPixelX, metrics->widthTwips);
    EXPECT_LE((area->bottom - area->top) * metrics->twipsPerPixelY, metrics->heightTwips);
    // Right and bottom lie one pixel past the area (QRect's right() and
    // bottom() are the last pixel).
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(area->left, available.left());
    EXPECT_EQ(area->top, available.top());
    EXPECT_EQ(area->right, available.right() + 1);
    EXPECT_EQ(area->bottom, available.bottom() + 1);
}

}  // namespace
