// SPDX-License-Identifier: LicenseRef-Tavelcor
// Image files placed on a picture by their edges against the picture's
// visible rectangle, drawn whole, turned and mirrored; and image files read
// in the formats the rasters and photos come in.
#include "canvas_support.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/canvas/image_drawing.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

using platform::Canvas;
using platform::ImageDrawStatus;
using platform::ImageEdges;
using platform::ImageTarget;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
// Twips per pixel as start-up stores them: 15 times 1.002.
constexpr double kTwipPix = 15.0 * 1.002;

QImage solid(int width, int height, std::uint32_t color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(platform::toQRgb(color));
    return image;
}

class ImageDrawingTest : public testing::Test {
protected:
    // A picture of 200 x 100 pixels (3000 x 1500 twips) showing the user
    // rectangle x 0..200, y 0..100.
    Canvas canvas{QSize(200, 100)};
    ImageTarget target{canvas, QSizeF(3000.0, 1500.0), QPointF(kTwipPix, kTwipPix)};
    ImageEdges view{0.0, 0.0, 100.0, 200.0};
    QTemporaryDir dir;

    QString saved(const QImage& image, const char* name, const char* format)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
};

TEST(ImagePlacementTest, AnImageOnTheViewFillsTheBoxSizeInTwipsOverTheTwipsFactors)
{
    const auto placed = platform::placeImage(QSize(10, 5), QSizeF(3000.0, 1500.0), QPointF(kTwipPix, kTwipPix),
                                             {0, 0, 100, 200}, {0, 0, 100, 200}, 1.0);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->x, 0);
    EXPECT_EQ(placed->y, 0);
    // 3000 / 15.03 = 199.6 and 1500 / 15.03 = 99.8 pixels, to the nearest
    // pixel.
    EXPECT_EQ(placed->width, 200);
    EXPECT_EQ(placed->height, 100);
    EXPECT_NEAR(placed->scaleX, 3000.0 / (kTwipPix * 10), 1e-9);
}

TEST(ImagePlacementTest, OffsetsStartAtAWholeImagePixel)
{
    // The view's left edge 3.3 image pixels into a 10-pixel image: the
    // image is drawn from its 4th pixel (column 3) at the view's edge.
    const auto placed = platform::placeImage(QSize(10, 10), QSizeF(1503.0, 1503.0), QPointF(15.03, 15.03),
                                             {0, 0, 100, 100}, {0, 33, 100, 133}, 1.0);
    ASSERT_TRUE(placed.has_value());
    EXPECT_DOUBLE_EQ(placed->scaleX, 10.0);
    EXPECT_EQ(placed->x, -30);
    EXPECT_EQ(placed->width, 100);
}

TEST(ImagePlacementTest, ZeroDivisorsAndHugeResultsAreRefused)
{
    const QSizeF twips(3000.0, 1500.0);
    const QPointF factors(kTwipPix, kTwipPix);
    const ImageEdges image{0, 0, 100, 200};
    const ImageEdges view{0, 0, 100, 200};
    struct Row {
        const char* name;
        QSize pixels;
        QPointF factors;
        ImageEdges image;
        ImageEdges view;
        double size;
    };
    const Row rows[] = {
        {"empty image", QSize(0, 5), factors, image, view, 1.0},
        {"image of no height", QSize(5, 0), factors, image, view, 1.0},
        {"right equals left", QSize(5, 5), factors, {0, 50, 100, 50}, view, 1.0},
        {"bottom equals top", QSize(5, 5), factors, {30, 0, 30, 200}, view, 1.0},
        {"view of no width", QSize(5, 5), factors, image, {0, 10, 100, 10}, 1.0},
        {"view of no height", QSize(5, 5), factors, image, {7, 0, 7, 200}, 1.0},
        {"no twips factor", QSize(5, 5), QPointF(0.0, kTwipPix), image, view, 1.0},
        {"size overflows", QSize(5, 5), factors, image, view, 1e12},
        {"size not a number", QSize(5, 5), factors, image, view, std::nan("")},
        {"a speck of a view", QSize(5, 5), factors, image, {0, 0, 1e-12, 1e-12}, 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(platform::placeImage(row.pixels, twips, row.factors, row.image, row.view, row.size));
    }
}

TEST_F(ImageDrawingTest, AnImageWhoseRectangleEqualsTheViewIsDrawnAtTheTopLeft)
{
    const auto result = platform::drawImageAt(target, solid(8, 4, kRed), view, view, 0.0, 1.0);
    EXPECT_EQ(result.status, ImageDrawStatus::Drawn);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 200 * 100);
}

TEST_F(ImageDrawingTest, ViewLeftEdgeHalfWayAcrossShowsOnlyTheRightHalf)
{
    // Left half red, right half blue; the view starts half-way across.
    QImage halves = solid(8, 4, kRed);
    for (int x = 4; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            halves.setPixel(x, y, platform::toQRgb(kBlue));
    const ImageEdges image{0.0, -200.0, 100.0, 200.0};
    platform::drawImageAt(target, halves, image, view, 0.0, 1.0);
    // Drawn from x = -200, 399 pixels wide (twice 199.6): the right half
    // covers the picture but for its last column.
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 0);
    EXPECT_EQ(canvas_test::boundsOfOther(canvas.image(), kWhite), QRect(0, 0, 199, 100));
}

TEST_F(ImageDrawingTest, SizeGrowsTheImageWithItsTopLeftCornerFixed)
{
    const ImageEdges image{10.0, 20.0, 60.0, 120.0};
    platform::drawImageAt(target, solid(10, 10, kRed), image, view, 0.0, 1.0);
    const QRect plain = canvas_test::boundsOfOther(canvas.image(), kWhite);
    EXPECT_EQ(plain, QRect(20, 10, 100, 50));
    canvas.Cls();
    platform::drawImageAt(target, solid(10, 10, kRed), image, view, 0.0, 1.1);
    const QRect grown = canvas_test::boundsOfOther(canvas.image(), kWhite);
    EXPECT_EQ(grown.topLeft(), plain.topLeft());
    EXPECT_EQ(grown.width(), static_cast<int>(std::nearbyint(plain.width() * 1.1)));
    EXPECT_EQ(grown.height(), static_cast<int>(std::floor(plain.height() * 1.1)));
}

TEST_F(ImageDrawingTest, AngleTurnsTheImageClockwiseAboutTheTopLeftPixel)
{
    // A 40 x 10 strip at the top-left corner turned a quarter: it hangs down
    // the left edge, from x -10 to 0, so only its turned top row is gone.
    const ImageEdges image{0.0, 0.0, 10.0, 40.0};
    const ImageTarget square{canvas, QSizeF(1503.0, 1503.0), QPointF(15.03, 15.03)};
    platform::drawImageAt(square, solid(40, 10, kRed), image, {0.0, 0.0, 100.0, 100.0}, 90.0, 1.0);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kRed), 0) << "turned out of the picture to the left";
    canvas.Cls();
    platform::drawImageAt(square, solid(40, 10, kRed), {-10.0, 0.0, 0.0, 40.0}, {0.0, 0.0, 100.0, 100.0}, 90.0,
                          1.0);
    EXPECT_EQ(canvas_test::boundsOfOther(canvas.image(), kWhite), QRect(0, 0, 10, 40));
}

TEST_F(ImageDrawingTest, NegativeExtentsDrawTheImageMirrored)
{
    QImage halves = solid(8, 4, kRed);
    for (int x = 4; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            halves.setPixel(x, y, platform::toQRgb(kBlue));
    // The view runs right to left: the image turns round, its box running
    // leftwards from x = 200.
    const auto result = platform::drawImageAt(target, halves, view, {0.0, 200.0, 100.0, 0.0}, 0.0, 1.0);
    EXPECT_EQ(result.status, ImageDrawStatus::Drawn);
    EXPECT_EQ(canvas_test::boundsOfOther(canvas.image(), kWhite), QRect(0, 0, 200, 100));
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 10, 10), kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 190, 10), kRed);
}

TEST_F(ImageDrawingTest, FilesOfEveryRasterFormatAreReadAndSized)
{
    for (const auto& [name, format] : {std::pair{"a.bmp", "BMP"}, std::pair{"a.png", "PNG"},
                                       std::pair{"a.jpg", "JPEG"}, std::pair{"a.jpeg", "JPEG"},
                                       std::pair{"no_suffix", "PNG"}}) {
        SCOPED_TRACE(name);
        const QString path = saved(solid(12, 7, kBlue), name, format);
        EXPECT_EQ(platform::imageFileSize(path), QSize(12, 7));
        canvas.Cls();
        const auto result = platform::drawImageFile(target, path, view, view, 0.0, 1.0);
        EXPECT_EQ(result.status, ImageDrawStatus::Drawn);
        // JPEG is lossy: blue within a few levels.
        const std::uint32_t centre = canvas_test::colorAt(canvas.image(), 100, 50);
        EXPECT_LE(centre & 0xFF, 8u);
        EXPECT_GE(centre >> 16, 247u);
    }
}

TEST_F(ImageDrawingTest, AFileThatCannotBeReadDrawsNothingAndIsNotAFailure)
{
    QFile junk(dir.filePath(QStringLiteral("junk.jpg")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an image");
    junk.close();
    for (const QString& path : {dir.filePath(QStringLiteral("missing.bmp")), junk.fileName(), QString()}) {
        EXPECT_EQ(platform::drawImageFile(target, path, view, view, 0.0, 1.0).status, ImageDrawStatus::NotLoaded);
        EXPECT_FALSE(platform::imageFileSize(path).has_value());
    }
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
}

TEST_F(ImageDrawingTest, APlacementThatCannotBeComputedFailsAndDrawsNothing)
{
    const auto result = platform::drawImageAt(target, solid(4, 4, kRed), {0, 50, 100, 50}, view, 0.0, 1.0);
    EXPECT_EQ(result.status, ImageDrawStatus::Failed);
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
}

} // namespace
