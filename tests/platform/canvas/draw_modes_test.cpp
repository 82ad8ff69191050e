// SPDX-License-Identifier: LicenseRef-Tavelcor
// Draw modes: every raster operation on every kind of figure, the mask pen
// that makes white invisible, XOR and not-XOR figures that vanish when drawn
// twice, and erasing by drawing again in white.
#include "canvas_support.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <gtest/gtest.h>

#include <QPolygon>

#include <functional>
#include <string>
#include <vector>

namespace {

using platform::Canvas;
using platform::LineOpt;
using platform::PenMode;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;

// A figure drawn in a given colour with the canvas's current state; the
// canvas measures in pixels.
struct Figure {
    std::string name;
    std::function<void(Canvas&, std::uint32_t)> draw;
};

std::vector<Figure> figures()
{
    return {
        {"thinLineShallow", [](Canvas& c, std::uint32_t k) { c.Line(3, 5, 60, 21, k); }},
        {"thinLineSteep", [](Canvas& c, std::uint32_t k) { c.Line(50, 2, 41, 55, k); }},
        {"thinLineDashed",
         [](Canvas& c, std::uint32_t k) {
             c.setDrawStyle(platform::LineStyle::DashDot);
             c.Line(2, 40, 70, 44, k);
             c.setDrawStyle(platform::LineStyle::Solid);
         }},
        {"wideLine",
         [](Canvas& c, std::uint32_t k) {
             c.setDrawWidth(3);
             c.Line(5, 30, 62, 12, k);
             c.setDrawWidth(1);
         }},
        {"dot", [](Canvas& c, std::uint32_t k) { c.PSet(33, 33, k); }},
        {"wideDot",
         [](Canvas& c, std::uint32_t k) {
             c.setDrawWidth(5);
             c.PSet(20, 50, k);
             c.setDrawWidth(1);
         }},
        {"box", [](Canvas& c, std::uint32_t k) { c.Line(10, 10, 40, 30, k, LineOpt::Box); }},
        {"wideBox",
         [](Canvas& c, std::uint32_t k) {
             c.setDrawWidth(3);
             c.Line(12, 8, 50, 40, k, LineOpt::Box);
             c.setDrawWidth(1);
         }},
        {"filledBox", [](Canvas& c, std::uint32_t k) { c.Line(40, 35, 25, 50, k, LineOpt::BoxFill); }},
        {"circle", [](Canvas& c, std::uint32_t k) { c.Circle(35, 30, 12, k); }},
        {"wideCircle",
         [](Canvas& c, std::uint32_t k) {
             c.setDrawWidth(3);
             c.Circle(30, 35, 15, k);
             c.setDrawWidth(1);
         }},
        {"arc", [](Canvas& c, std::uint32_t k) { c.Circle(40, 25, 14, k, 0.3, 2.5); }},
        {"polygon",
         [](Canvas& c, std::uint32_t k) {
             c.setForeColor(k);
             c.Polygon(QPolygon({QPoint(8, 8), QPoint(55, 15), QPoint(30, 52)}), k);
         }},
    };
}

const QSize kSize(72, 64);

// Measures in pixels and starts from `background`.
void prepare(Canvas& canvas, const QImage& background)
{
    canvas.setScaleMode(platform::ScaleMode::Pixels);
    canvas.PaintPicture(background, 0, 0);
}

QImage uniform(std::uint32_t color)
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(platform::toQRgb(color));
    return image;
}

// The combination of pen P and picture D by each draw mode, written out
// from the definitions of the modes (24-bit values).
std::uint32_t expectedMode(int mode, std::uint32_t p, std::uint32_t d)
{
    std::uint32_t r = 0;
    switch (mode) {
    case 1: r = 0; break;
    case 2: r = ~(p | d); break;
    case 3: r = d & ~p; break;
    case 4: r = ~p; break;
    case 5: r = p & ~d; break;
    case 6: r = ~d; break;
    case 7: r = p ^ d; break;
    case 8: r = ~(p & d); break;
    case 9: r = p & d; break;
    case 10: r = ~(p ^ d); break;
    case 11: r = d; break;
    case 12: r = d | ~p; break;
    case 13: r = p; break;
    case 14: r = p | ~d; break;
    case 15: r = p | d; break;
    case 16: r = 0xFFFFFF; break;
    }
    return r & 0xFFFFFF;
}

class CanvasFigureTest : public testing::TestWithParam<Figure> {};

TEST_P(CanvasFigureTest, EveryDrawModeCombinesPenAndPictureExactly)
{
    constexpr std::uint32_t kPicture = 0x336699;
    constexpr std::uint32_t kPen = 0x5A3C0F;
    for (int mode = 1; mode <= 16; ++mode) {
        Canvas canvas(kSize);
        prepare(canvas, uniform(kPicture));
        ASSERT_TRUE(canvas.setDrawMode(mode));
        GetParam().draw(canvas, kPen);
        const QImage& image = canvas.image();
        const std::uint32_t expected = expectedMode(mode, kPen, kPicture);
        EXPECT_TRUE(canvas_test::allOpaque(image)) << "mode " << mode;
        if (expected == kPicture) { // only the no-operation mode
            EXPECT_EQ(canvas_test::countOther(image, kPicture), 0) << "mode " << mode;
            continue;
        }
        const int touched = canvas_test::countOther(image, kPicture);
        EXPECT_GT(touched, 0) << "mode " << mode;
        EXPECT_EQ(canvas_test::countColor(image, expected), touched) << "mode " << mode;
    }
}

TEST_P(CanvasFigureTest, MaskPenInWhiteLeavesThePictureUnchanged)
{
    const QImage noise = canvas_test::noisePicture(72, 64);
    Canvas canvas(kSize);
    prepare(canvas, noise);
    canvas.setDrawMode(PenMode::MaskPen);
    GetParam().draw(canvas, kWhite);
    EXPECT_TRUE(canvas_test::samePixels(canvas.image(), noise));
}

TEST_P(CanvasFigureTest, MaskPenKeepsBlackAndPaintsOverWhite)
{
    Canvas canvas(kSize);
    prepare(canvas, uniform(kWhite));
    canvas.setDrawMode(PenMode::MaskPen);
    GetParam().draw(canvas, kRed);
    const int red = canvas_test::countColor(canvas.image(), kRed);
    EXPECT_GT(red, 0);
    EXPECT_EQ(red + canvas_test::countColor(canvas.image(), kWhite), 72 * 64);

    Canvas dark(kSize);
    prepare(dark, uniform(kBlack));
    dark.setDrawMode(PenMode::MaskPen);
    GetParam().draw(dark, kRed);
    EXPECT_EQ(canvas_test::countOther(dark.image(), kBlack), 0);
}

TEST_P(CanvasFigureTest, XorAndNotXorDrawnTwiceRestoreThePicture)
{
    const QImage noise = canvas_test::noisePicture(72, 64, 777);
    for (PenMode mode : {PenMode::XorPen, PenMode::NotXorPen}) {
        Canvas canvas(kSize);
        prepare(canvas, noise);
        canvas.setDrawMode(mode);
        GetParam().draw(canvas, 0x808080);
        EXPECT_FALSE(canvas_test::samePixels(canvas.image(), noise));
        GetParam().draw(canvas, 0x808080);
        EXPECT_TRUE(canvas_test::samePixels(canvas.image(), noise))
            << "mode " << static_cast<int>(mode);
    }
}

TEST_P(CanvasFigureTest, DrawingAgainInWhiteErasesIt)
{
    Canvas canvas(kSize);
    prepare(canvas, uniform(kWhite));
    GetParam().draw(canvas, kBlack);
    EXPECT_GT(canvas_test::countOther(canvas.image(), kWhite), 0);
    GetParam().draw(canvas, kWhite);
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
}

TEST_P(CanvasFigureTest, NoPixelOfOneFigureIsCombinedTwice)
{
    // White XOR white is black where a pixel is hit once and white again
    // where it is hit twice; the copy pen shows where the figure lies.
    Canvas copied(kSize);
    prepare(copied, uniform(kWhite));
    GetParam().draw(copied, kBlack);
    Canvas xored(kSize);
    prepare(xored, uniform(kWhite));
    xored.setDrawMode(PenMode::XorPen);
    GetParam().draw(xored, kWhite);
    EXPECT_TRUE(canvas_test::samePixels(copied.image(), xored.image()));
}

INSTANTIATE_TEST_SUITE_P(Figures, CanvasFigureTest, testing::ValuesIn(figures()),
                         [](const testing::TestParamInfo<Figure>& info) { return info.param.name; });

TEST(CanvasDrawModeTest, ValuesOutsideOneToSixteenAreRefused)
{
    Canvas canvas(QSize(10, 10));
    canvas.setDrawMode(PenMode::MaskPen);
    EXPECT_FALSE(canvas.setDrawMode(0));
    EXPECT_FALSE(canvas.setDrawMode(17));
    EXPECT_EQ(canvas.DrawMode(), PenMode::MaskPen);
    EXPECT_TRUE(canvas.setDrawMode(10));
    EXPECT_EQ(canvas.DrawMode(), PenMode::NotXorPen);
}

TEST(CanvasDrawModeTest, TextIsCopiedWhateverTheDrawMode)
{
    // White text under the mask pen still paints white: that is how a label
    // printed again in white erases it.
    Canvas canvas(kSize);
    prepare(canvas, uniform(kBlack));
    canvas.setDrawMode(PenMode::MaskPen);
    canvas.setForeColor(kWhite);
    canvas.setFontSize(12);
    canvas.PSet(5, 5, kWhite);
    canvas.Print(QStringLiteral("測点"));
    EXPECT_GT(canvas_test::countColor(canvas.image(), kWhite), 0);
}

} // namespace
