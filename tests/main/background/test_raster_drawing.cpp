// SPDX-License-Identifier: LicenseRef-Tavelcor
// DrawRaster and BlendPictures, by the pixels of small solid-colour images.
#include "background_fixture.h"

#include "main/background/raster_drawing.h"
#include "platform/prompt/testing.h"

#include <cmath>

namespace tavelcor::backgroundtest {
namespace {

class RasterDrawingTest : public BackgroundFixture {
protected:
    // The view of the fixture's plot: top, left, bottom, right.
    static constexpr RasterEdges kView{-100.0F, -150.0F, 100.0F, 150.0F};

    std::optional<float> draw(const QString& file, const RasterEdges& image, float angle = 0.0F, float size = 1.0F)
    {
        return DrawRaster(file, image, kView, angle, size, plotRasterTarget(*face));
    }

    platform::testing::GTestScriptedPrompter script;
};

TEST_F(RasterDrawingTest, AnImageOnTheViewIsDrawnAtTheTopLeftAtTheBoxSizeOverTheTwipsFactors)
{
    const auto scale = draw(image(QStringLiteral("red.png"), QSize(30, 20), kRed), kView);
    ASSERT_TRUE(scale.has_value());
    // 4500 / 15.03 = 299.4 and 3000 / 15.03 = 199.6 pixels.
    EXPECT_EQ(boundsOf(kRed), QRect(0, 0, 299, 200));
    EXPECT_EQ(countColor(kRed), 299 * 200);
    EXPECT_NEAR(*scale, 4500.0 / (kTwipPix * 30), 1e-4);
}

TEST_F(RasterDrawingTest, TheViewsLeftEdgeHalfWayAcrossShowsOnlyTheRightHalf)
{
    // 200 image pixels across 600 of the box: the smoothing of the drawing
    // mixes the halves within about a pixel of their border.
    QImage halves(200, 10, QImage::Format_RGB32);
    halves.fill(platform::toQRgb(kRed));
    for (int x = 100; x < 200; ++x)
        for (int y = 0; y < 10; ++y)
            halves.setPixel(x, y, platform::toQRgb(kBlue));
    const QString file = dir.filePath(QStringLiteral("halves.png"));
    ASSERT_TRUE(halves.save(file));
    draw(file, {-100.0F, -450.0F, 100.0F, 150.0F});
    EXPECT_EQ(countColor(kRed), 0) << "the left half lies left of the box";
    EXPECT_EQ(pixel(3, 100), kBlue);
    EXPECT_EQ(pixel(290, 100), kBlue);
}

TEST_F(RasterDrawingTest, SizeOnePercentUpGrowsTheImageWithItsTopLeftCornerFixed)
{
    const QString file = image(QStringLiteral("red.png"), QSize(10, 10), kRed);
    // 100 by 150 pixels; the size is single precision (1.0099999904...).
    const RasterEdges box{-75.0F, -100.0F, 75.0F, 0.0F};
    draw(file, box);
    const QRect plain = boundsOf(kRed);
    canvas().Cls();
    draw(file, box, 0.0F, 1.01F);
    const QRect grown = boundsOf(kRed);
    EXPECT_EQ(grown.topLeft(), plain.topLeft());
    EXPECT_EQ(plain.size(), QSize(100, 150));
    EXPECT_EQ(grown.size(), QSize(101, 151));
}

TEST_F(RasterDrawingTest, HalfADegreeTurnsTheImageAboutTheBoxsTopLeftCorner)
{
    // A strip 200 pixels long along the picture's top edge: turned half a
    // degree clockwise, its far end sinks 200 sin 0.5 deg = 1.7 pixels
    // while its corner stays.
    const QString file = image(QStringLiteral("strip.png"), QSize(200, 20), kRed);
    draw(file, {-100.0F, -150.0F, -80.0F, 50.0F}, 0.5F);
    EXPECT_EQ(pixel(1, 1), kRed) << "the corner stays";
    const auto lowestRed = [this](int x) {
        int lowest = -1;
        for (int y = 0; y < 40; ++y)
            if (qRed(canvas().image().pixel(x, y)) > 200 && qGreen(canvas().image().pixel(x, y)) < 60)
                lowest = y;
        return lowest;
    };
    EXPECT_EQ(lowestRed(2), 19);
    EXPECT_GE(lowestRed(196) - lowestRed(2), 1);
    EXPECT_LE(lowestRed(196) - lowestRed(2), 2);
}

TEST_F(RasterDrawingTest, AnImageThatCannotBeLoadedDrawsNothingAndSaysNothing)
{
    EXPECT_FALSE(draw(dir.filePath(QStringLiteral("missing.png")), kView).has_value());
    EXPECT_FALSE(draw(QString(), kView).has_value());
    EXPECT_EQ(countColor(kWhite), 300 * 200);
    EXPECT_TRUE(script->records().empty());
}

TEST_F(RasterDrawingTest, ZeroDivisorsShowGdiErrorAndDrawNothing)
{
    const QString file = image(QStringLiteral("red.png"), QSize(10, 10), kRed);
    script->expectMessage(platform::MsgResult::Ok, QStringLiteral("GDI ERROR"));
    EXPECT_FALSE(draw(file, {-50.0F, 20.0F, 50.0F, 20.0F}).has_value()) << "right equals left";
    script->expectMessage(platform::MsgResult::Ok, QStringLiteral("GDI ERROR"));
    EXPECT_FALSE(DrawRaster(file, kView, {-100.0F, 10.0F, 100.0F, 10.0F}, 0.0F, 1.0F, plotRasterTarget(*face)))
        << "a view of no width";
    TwipPixX = 0.0F;
    script->expectMessage(platform::MsgResult::Ok, QStringLiteral("GDI ERROR"));
    EXPECT_FALSE(draw(file, kView).has_value()) << "no twips factor yet";
    EXPECT_EQ(countColor(kRed), 0);
    EXPECT_EQ(script->records().front().buttons, platform::MsgButtons::OkOnly);
}

class BlendTest : public BackgroundFixture {
protected:
    platform::Canvas first{QSize(4, 3)};
    platform::Canvas second{QSize(4, 3)};
    platform::Canvas target{QSize(4, 3)};

    static void fill(platform::Canvas& c, int value) { c.imageForEdit().fill(qRgb(value, value, value)); }
    static int byteOf(platform::Canvas& c) { return qGreen(c.image().pixel(3, 2)); }
};

TEST_F(BlendTest, BytesAreMixedByThePercentOfTheFirst)
{
    struct Row {
        std::int16_t percent;
        int expected;
    };
    for (const Row row : {Row{50, 15}, Row{0, 21}, Row{100, 10}, Row{101, 99}, Row{-1, 99}}) {
        SCOPED_TRACE(row.percent);
        fill(first, 10);
        fill(second, 21);
        fill(target, 99);
        BlendPictures(first, second, target, row.percent);
        EXPECT_EQ(byteOf(target), row.expected);
    }
}

TEST_F(BlendTest, TheFirstPictureCanBeTheTargetAndUnequalSizesChangeNothing)
{
    fill(first, 200);
    fill(second, 100);
    BlendPictures(first, second, first, 38);
    EXPECT_EQ(byteOf(first), 138);  // 0.62 * 100 + 0.38 * 200
    platform::Canvas wider(QSize(5, 3));
    fill(wider, 0);
    BlendPictures(first, wider, first, 50);
    EXPECT_EQ(byteOf(first), 138);
}

}  // namespace
}  // namespace tavelcor::backgroundtest
