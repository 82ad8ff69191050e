// SPDX-License-Identifier: LicenseRef-Tavelcor
// Whole pictures mixed byte by byte, and the white veil of a constant
// opacity.
#include "canvas_support.h"

#include "platform/canvas/picture_blend.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QImage filled(int width, int height, QRgb pixel)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(pixel);
    return image;
}

TEST(PictureBlendTest, EveryByteIsTheWholePartOfTheWeightedSum)
{
    struct Row {
        int percent;
        int first;
        int second;
        int expected;
    };
    // Int((1 - p/100) * second + p/100 * first).
    const Row rows[] = {
        {50, 10, 21, 15},   // 15.5
        {0, 10, 21, 21},    // the second picture
        {100, 10, 21, 10},  // the first picture
        {38, 255, 0, 96},   // 96.9
        {62, 255, 0, 158},  // 158.1
        {30, 10, 10, 10},   // exactly 10, never 9.999...
        {33, 200, 100, 133},
        {14, 0, 255, 219},  // 219.3
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.percent);
        const QImage a = filled(3, 2, qRgb(row.first, row.first, row.first));
        const QImage b = filled(3, 2, qRgb(row.second, row.second, row.second));
        QImage out = filled(3, 2, qRgb(1, 2, 3));
        ASSERT_TRUE(platform::blendPictureBytes(a, b, out, row.percent));
        EXPECT_EQ(qRed(out.pixel(2, 1)), row.expected);
        EXPECT_EQ(qBlue(out.pixel(0, 0)), row.expected);
        EXPECT_EQ(qAlpha(out.pixel(0, 0)), 255) << "the fourth byte is mixed alike and stays opaque";
    }
}

TEST(PictureBlendTest, EveryWeightAndByteMatchesExactArithmetic)
{
    QImage a(256, 1, QImage::Format_RGB32);
    QImage b(256, 1, QImage::Format_RGB32);
    for (int percent = 0; percent <= 100; ++percent) {
        for (int second = 0; second < 256; second += 5) {
            for (int x = 0; x < 256; ++x) {
                a.setPixel(x, 0, qRgb(x, x, x));
                b.setPixel(x, 0, qRgb(second, second, second));
            }
            QImage out = a;
            ASSERT_TRUE(platform::blendPictureBytes(a, b, out, percent));
            for (int x = 0; x < 256; ++x)
                ASSERT_EQ(qGreen(out.pixel(x, 0)), ((100 - percent) * second + percent * x) / 100)
                    << "percent " << percent << " bytes " << x << " and " << second;
        }
    }
}

TEST(PictureBlendTest, ThePictureMayBeItsOwnTarget)
{
    QImage a = filled(4, 4, qRgb(200, 0, 100));
    const QImage b = filled(4, 4, qRgb(0, 200, 100));
    ASSERT_TRUE(platform::blendPictureBytes(a, b, a, 25));
    EXPECT_EQ(a.pixel(3, 3), qRgb(50, 150, 100));
}

TEST(PictureBlendTest, PercentOutsideTheRangeOrUnequalPicturesChangeNothing)
{
    const QImage a = filled(4, 4, qRgb(10, 10, 10));
    const QImage b = filled(4, 4, qRgb(90, 90, 90));
    const QImage before = filled(4, 4, qRgb(1, 2, 3));
    for (const int percent : {101, -1, 32767}) {
        QImage out = before;
        EXPECT_FALSE(platform::blendPictureBytes(a, b, out, percent));
        EXPECT_TRUE(canvas_test::samePixels(out, before));
    }
    QImage out = before;
    EXPECT_FALSE(platform::blendPictureBytes(a, filled(5, 4, qRgb(0, 0, 0)), out, 50));
    QImage small = filled(3, 3, qRgb(1, 2, 3));
    EXPECT_FALSE(platform::blendPictureBytes(a, b, small, 50));
    QImage indexed(4, 4, QImage::Format_Indexed8);
    EXPECT_FALSE(platform::blendPictureBytes(a, b, indexed, 50));
}

TEST(PictureVeilTest, LevelsMoveBlackTowardsWhiteAndLeaveWhiteAlone)
{
    for (const int level : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(level);
        QImage image = filled(2, 2, qRgb(0, 0, 0));
        image.setPixel(1, 1, qRgb(255, 255, 255));
        image.setPixel(0, 1, qRgb(100, 0, 200));
        const int alpha = 50 * level;
        ASSERT_TRUE(platform::veilWithWhite(image, alpha));
        EXPECT_NEAR(qRed(image.pixel(0, 0)), alpha, 1);
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
        const double keep = (255.0 - alpha) / 255.0;
        EXPECT_NEAR(qRed(image.pixel(0, 1)), alpha + keep * 100, 1);
        EXPECT_NEAR(qBlue(image.pixel(0, 1)), alpha + keep * 200, 1);
        EXPECT_EQ(qAlpha(image.pixel(0, 1)), 255);
    }
}

TEST(PictureVeilTest, EveryOpacityAndByteIsRoundedToTheNearest)
{
    QImage image(64, 1, QImage::Format_RGB32);
    for (int alpha = 1; alpha <= 255; ++alpha) {
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, 0, qRgb(x, x + 64, x + 128));
        ASSERT_TRUE(platform::veilWithWhite(image, alpha));
        for (int x = 0; x < 64; ++x) {
            const int blue = x + 128;  // the low byte
            ASSERT_EQ(qBlue(image.pixel(x, 0)), (255 * alpha + (255 - alpha) * blue + 127) / 255)
                << "opacity " << alpha << " byte " << blue;
            ASSERT_EQ(qRed(image.pixel(x, 0)), (255 * alpha + (255 - alpha) * x + 127) / 255);
            ASSERT_EQ(qAlpha(image.pixel(x, 0)), 255);
        }
    }
}

TEST(PictureVeilTest, LevelThreeMovesBlackToOneHundredAndFifty)
{
    QImage image = filled(1, 1, qRgb(0, 0, 0));
    ASSERT_TRUE(platform::veilWithWhite(image, 150));
    EXPECT_NEAR(qGreen(image.pixel(0, 0)), 150, 1);
}

TEST(PictureVeilTest, NoOpacityChangesNothing)
{
    QImage image = canvas_test::noisePicture(8, 8);
    const QImage before = image;
    ASSERT_TRUE(platform::veilWithWhite(image, 0));
    EXPECT_TRUE(canvas_test::samePixels(image, before));
    QImage indexed(4, 4, QImage::Format_Indexed8);
    EXPECT_FALSE(platform::veilWithWhite(indexed, 100));
}

} // namespace
