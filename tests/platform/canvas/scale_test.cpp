// SPDX-License-Identifier: LicenseRef-Tavelcor
// The user scale: where a user point lands, the scale modes and their
// switching, and length conversions.
#include "canvas_support.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Canvas;
using platform::ScaleMode;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;

struct Landing {
    double x, y;    // user point
    int px, py;     // expected pixel
};

// A 200 x 100 picture with ScaleLeft -50, ScaleTop -20, ScaleWidth 100 and
// ScaleHeight 40: 2 pixels per unit across, 2.5 down, y growing downwards.
class CanvasSquashedScaleTest : public testing::TestWithParam<Landing> {};

TEST_P(CanvasSquashedScaleTest, PointLandsOnItsPixelAndReadsBack)
{
    const Landing row = GetParam();
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(-50, -20, 50, 20));
    canvas.PSet(row.x, row.y, kRed);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::colorAt(image, row.px, row.py), kRed);
    EXPECT_EQ(canvas_test::countOther(image, kWhite), 1);
    EXPECT_EQ(canvas.Point(row.x, row.y), static_cast<std::int32_t>(kRed));
}

INSTANTIATE_TEST_SUITE_P(Rows, CanvasSquashedScaleTest,
                         testing::Values(Landing{-50, -20, 0, 0},    // top-left corner
                                         Landing{0, 0, 100, 50},      // centre
                                         Landing{49.6, 19.7, 199, 99}, // bottom-right pixel
                                         Landing{-49.8, -19.9, 0, 0},  // u 0.4, v 0.25: rounds down
                                         Landing{-49.7, -19.75, 1, 1}, // u 0.6, v 0.625: rounds up
                                         Landing{-49.75, -20, 1, 0},   // u 0.5 exactly: half up
                                         Landing{10, 12, 120, 80}));

// ScaleTop 40 and ScaleHeight -40: y grows upwards (north up, as a map).
class CanvasUpwardScaleTest : public testing::TestWithParam<Landing> {};

TEST_P(CanvasUpwardScaleTest, PointLandsOnItsPixel)
{
    const Landing row = GetParam();
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(0, 40, 100, 0));
    EXPECT_DOUBLE_EQ(canvas.ScaleHeight(), -40.0);
    canvas.PSet(row.x, row.y, kRed);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), row.px, row.py), kRed);
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, CanvasUpwardScaleTest,
                         testing::Values(Landing{0, 40, 0, 0},     // top-left
                                         Landing{10, 20, 20, 50},  // middle height
                                         Landing{10, 39.6, 20, 1}, // just below the top
                                         Landing{99.6, 0.3, 199, 99}));

TEST(CanvasScaleTest, PixelPositionsRoundTripThroughTheUserScale)
{
    // An odd plot-like scale: metres far from the origin, y = -north.
    Canvas canvas(QSize(300, 200));
    ASSERT_TRUE(canvas.Scale(123456.789, -98765.4321, 123456.789 + 37.3, -98765.4321 + 24.9));
    for (int py = 0; py < 200; py += 7) {
        for (int px = 0; px < 300; px += 11) {
            const QPointF user = canvas.toUser(QPointF(px, py));
            const QPointF back = canvas.toPixel(user);
            EXPECT_NEAR(back.x(), px, 1e-6);
            EXPECT_NEAR(back.y(), py, 1e-6);
            canvas.PSet(user.x(), user.y(), kRed); // a click drawn where it was made
            EXPECT_EQ(canvas_test::colorAt(canvas.image(), px, py), kRed) << px << "," << py;
        }
    }
}

TEST(CanvasScaleTest, NewCanvasMeasuresInTwips)
{
    Canvas canvas(QSize(200, 100));
    EXPECT_EQ(canvas.scaleMode(), ScaleMode::Twips);
    EXPECT_DOUBLE_EQ(canvas.ScaleLeft(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleTop(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleWidth(), 3000.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleHeight(), 1500.0);
}

struct UnitRow {
    ScaleMode mode;
    double width, height;
};

class CanvasScaleModeTest : public testing::TestWithParam<UnitRow> {};

TEST_P(CanvasScaleModeTest, UnitModeSetsOriginAndSize)
{
    const UnitRow row = GetParam();
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(-5, -5, 5, 5));
    ASSERT_TRUE(canvas.setScaleMode(row.mode));
    EXPECT_EQ(canvas.scaleMode(), row.mode);
    EXPECT_DOUBLE_EQ(canvas.ScaleLeft(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleTop(), 0.0);
    EXPECT_NEAR(canvas.ScaleWidth(), row.width, 1e-9);
    EXPECT_NEAR(canvas.ScaleHeight(), row.height, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Units, CanvasScaleModeTest,
    testing::Values(UnitRow{ScaleMode::Twips, 3000, 1500}, UnitRow{ScaleMode::Points, 150, 75},
                    UnitRow{ScaleMode::Pixels, 200, 100}, UnitRow{ScaleMode::Characters, 25, 6.25},
                    UnitRow{ScaleMode::Inches, 3000.0 / 1440, 1500.0 / 1440},
                    UnitRow{ScaleMode::Millimeters, 3000.0 / 1440 * 25.4, 1500.0 / 1440 * 25.4},
                    UnitRow{ScaleMode::Centimeters, 3000.0 / 1440 * 2.54, 1500.0 / 1440 * 2.54}));

TEST(CanvasScaleTest, SettingAScaleValueSwitchesToUserAndUserModeKeepsTheValues)
{
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.setScaleMode(ScaleMode::Pixels));
    ASSERT_TRUE(canvas.setScaleLeft(10));
    EXPECT_EQ(canvas.scaleMode(), ScaleMode::User);
    EXPECT_DOUBLE_EQ(canvas.ScaleWidth(), 200.0);
    ASSERT_TRUE(canvas.setScaleMode(ScaleMode::User));
    EXPECT_DOUBLE_EQ(canvas.ScaleLeft(), 10.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleWidth(), 200.0);
    canvas.Scale();
    EXPECT_EQ(canvas.scaleMode(), ScaleMode::Twips);
    EXPECT_DOUBLE_EQ(canvas.ScaleLeft(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleWidth(), 3000.0);
}

TEST(CanvasScaleTest, ZeroOrNonFiniteExtentsAreRefusedWithTheScaleUnchanged)
{
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(-50, -20, 50, 20));
    EXPECT_FALSE(canvas.setScaleWidth(0.0));
    EXPECT_FALSE(canvas.setScaleHeight(0.0));
    EXPECT_FALSE(canvas.setScaleHeight(std::nan("")));
    EXPECT_FALSE(canvas.setScaleLeft(INFINITY));
    EXPECT_FALSE(canvas.Scale(1, 1, 1, 5));
    EXPECT_FALSE(canvas.Scale(1, 3, 5, 3));
    EXPECT_FALSE(canvas.setScaleMode(ScaleMode::Himetric));
    EXPECT_FALSE(canvas.setScaleMode(9));
    EXPECT_FALSE(canvas.setScaleMode(-1));
    EXPECT_DOUBLE_EQ(canvas.ScaleLeft(), -50.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleTop(), -20.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleWidth(), 100.0);
    EXPECT_DOUBLE_EQ(canvas.ScaleHeight(), 40.0);
    EXPECT_EQ(canvas.scaleMode(), ScaleMode::User);
    EXPECT_EQ(canvas.toPixel(QPointF(0, 0)), QPointF(100, 50));
}

TEST(CanvasScaleTest, ResizeStretchesAUserScaleAndFollowsAUnitScale)
{
    Canvas user(QSize(200, 100));
    ASSERT_TRUE(user.Scale(-50, -20, 50, 20));
    user.resize(QSize(400, 100));
    EXPECT_DOUBLE_EQ(user.ScaleWidth(), 100.0);
    EXPECT_EQ(user.toPixel(QPointF(0, 0)), QPointF(200, 50));

    Canvas pixels(QSize(200, 100));
    ASSERT_TRUE(pixels.setScaleMode(ScaleMode::Pixels));
    pixels.resize(QSize(320, 240));
    EXPECT_DOUBLE_EQ(pixels.ScaleWidth(), 320.0);
    EXPECT_DOUBLE_EQ(pixels.ScaleHeight(), 240.0);
}

struct LengthRow {
    const char* name;
    bool vertical;
    double value;
    ScaleMode from, to;
    double expected;
};

class CanvasLengthConversionTest : public testing::TestWithParam<LengthRow> {};

TEST_P(CanvasLengthConversionTest, ConvertsBetweenUnits)
{
    const LengthRow row = GetParam();
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(-50, 20, 50, -20)); // 2 px per unit across, -2.5 down
    const double got = row.vertical ? canvas.ScaleY(row.value, row.from, row.to)
                                    : canvas.ScaleX(row.value, row.from, row.to);
    EXPECT_NEAR(got, row.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CanvasLengthConversionTest,
    testing::Values(LengthRow{"pixelToTwips", false, 1, ScaleMode::Pixels, ScaleMode::Twips, 15},
                    LengthRow{"twipsToInches", false, 1440, ScaleMode::Twips, ScaleMode::Inches, 1},
                    LengthRow{"mmToInches", true, 25.4, ScaleMode::Millimeters, ScaleMode::Inches, 1},
                    LengthRow{"himetricToMm", false, 100, ScaleMode::Himetric, ScaleMode::Millimeters, 1},
                    LengthRow{"charAcross", false, 1, ScaleMode::Characters, ScaleMode::Twips, 120},
                    LengthRow{"charDown", true, 1, ScaleMode::Characters, ScaleMode::Twips, 240},
                    LengthRow{"userAcross", false, 1, ScaleMode::User, ScaleMode::Pixels, 2},
                    LengthRow{"userDownSigned", true, 1, ScaleMode::User, ScaleMode::Pixels, -2.5},
                    LengthRow{"twipsToUser", false, 15, ScaleMode::Twips, ScaleMode::User, 0.5},
                    LengthRow{"pointsToUserDown", true, 30, ScaleMode::Points, ScaleMode::User, -16}),
    [](const testing::TestParamInfo<LengthRow>& info) { return info.param.name; });

} // namespace
