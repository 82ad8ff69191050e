// SPDX-License-Identifier: LicenseRef-Tavelcor
// Text: Print at the current point, how it moves the current point, text
// sizes in the user scale, font sizes and names, and pixel-exact glyphs.
#include "canvas_support.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/canvas/font_names.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include <cmath>

namespace {

using platform::Canvas;
using platform::ScaleMode;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;

const QString kLabel = QStringLiteral("測点A1");

struct ScaleCase {
    const char* name;
    double left, top, right, bottom; // Scale (left, top)-(right, bottom) on 200 x 100
    double x, y;                     // where the label is printed
    QPoint pixel;                    // its pixel
};

class CanvasPrintAtPointTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(CanvasPrintAtPointTest, TextLiesRightOfAndBelowThePointSetByPSet)
{
    const ScaleCase row = GetParam();
    Canvas canvas(QSize(200, 100));
    ASSERT_TRUE(canvas.Scale(row.left, row.top, row.right, row.bottom));
    canvas.setForeColor(kRed);
    canvas.setFontSize(12);
    canvas.PSet(row.x, row.y, kWhite); // places the text without a mark
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
    canvas.Print(kLabel);
    const QRect box = canvas_test::boundsOfOther(canvas.image(), kWhite);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), row.pixel.x());
    EXPECT_GE(box.top(), row.pixel.y());
    EXPECT_LE(box.left(), row.pixel.x() + 3);    // starts at the point, not further on
    EXPECT_LE(box.bottom(), row.pixel.y() + 16); // 12 points are 16 pixels
    EXPECT_GE(box.width(), 30);                  // the whole label was drawn
}

INSTANTIATE_TEST_SUITE_P(
    Scales, CanvasPrintAtPointTest,
    testing::Values(ScaleCase{"pixels", 0, 0, 200, 100, 40, 30, {40, 30}},
                    ScaleCase{"plotYDown", -50, -20, 50, 20, -30, -8, {40, 30}},
                    ScaleCase{"plotYUp", -50, 20, 50, -20, -30, 8, {40, 30}}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

class CanvasTextTest : public testing::Test {
protected:
    CanvasTextTest()
    {
        canvas.setScaleMode(ScaleMode::Pixels);
        canvas.setForeColor(kRed);
        canvas.setFontSize(12);
    }
    Canvas canvas{QSize(200, 100)};
};

TEST_F(CanvasTextTest, PrintMovesToTheNextLineAtTheLeftEdge)
{
    canvas.setCurrentX(40);
    canvas.setCurrentY(10);
    const double lineHeight = canvas.TextHeight(QStringLiteral("A"));
    EXPECT_GT(lineHeight, 12.0);
    canvas.Print(kLabel);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 10.0 + lineHeight);
}

TEST_F(CanvasTextTest, PrintWithoutNewlineStaysOnTheLineAfterTheText)
{
    canvas.setCurrentX(40);
    canvas.setCurrentY(10);
    canvas.Print(kLabel, false);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 40.0 + canvas.TextWidth(kLabel));
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 10.0);
}

TEST_F(CanvasTextTest, TwoPiecesPrintedOnOneLineLookLikeOneText)
{
    canvas.setCurrentX(10);
    canvas.setCurrentY(20);
    canvas.Print(QStringLiteral("測点"), false);
    canvas.Print(QStringLiteral("A1"));

    Canvas whole(QSize(200, 100));
    whole.setScaleMode(ScaleMode::Pixels);
    whole.setForeColor(kRed);
    whole.setFontSize(12);
    whole.setCurrentX(10);
    whole.setCurrentY(20);
    whole.Print(kLabel);
    EXPECT_TRUE(canvas_test::samePixels(canvas.image(), whole.image()));
}

TEST_F(CanvasTextTest, LineBreaksStartTheNextLineAtScaleLeft)
{
    canvas.setCurrentX(100);
    canvas.setCurrentY(10);
    canvas.Print(QStringLiteral("AB\r\nCD"), false);
    const double lineHeight = canvas.TextHeight(QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 10.0 + lineHeight);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), canvas.TextWidth(QStringLiteral("CD")));
    const QImage& image = canvas.image();
    const QRect second = canvas_test::boundsOf(image.copy(0, static_cast<int>(10 + lineHeight), 200, static_cast<int>(lineHeight)),
                                               [](std::uint32_t c) { return c != kWhite; });
    EXPECT_LT(second.right(), 100); // "CD" is at the left edge, not under "AB"
}

TEST_F(CanvasTextTest, TextSizesFollowTheUserScale)
{
    const double widthPx = canvas.TextWidth(kLabel);
    const double heightPx = canvas.TextHeight(kLabel);
    EXPECT_GT(widthPx, 40);
    EXPECT_EQ(canvas.TextHeight(QStringLiteral("A\nB")), 2 * heightPx);

    ASSERT_TRUE(canvas.Scale(0, 0, 100, 50)); // 2 pixels per unit
    EXPECT_DOUBLE_EQ(canvas.TextWidth(kLabel), widthPx / 2);
    EXPECT_DOUBLE_EQ(canvas.TextHeight(kLabel), heightPx / 2);
    ASSERT_TRUE(canvas.setScaleWidth(400)); // half a pixel per unit
    EXPECT_DOUBLE_EQ(canvas.TextWidth(kLabel), widthPx * 2);
    ASSERT_TRUE(canvas.setScaleHeight(-50)); // y upwards: heights count negative
    EXPECT_DOUBLE_EQ(canvas.TextHeight(kLabel), -heightPx / 2);
}

TEST_F(CanvasTextTest, PrintWithYUpwardsMovesDownTheScreen)
{
    ASSERT_TRUE(canvas.Scale(0, 100, 200, 0));
    canvas.setCurrentX(10);
    canvas.setCurrentY(90);
    canvas.Print(QStringLiteral("A"));
    canvas.Print(QStringLiteral("B"));
    EXPECT_LT(canvas.CurrentY(), 90.0);
    const QRect box = canvas_test::boundsOfOther(canvas.image(), kWhite);
    EXPECT_GE(box.top(), 10);        // the first line starts at the point
    EXPECT_GT(box.bottom(), 10 + 16); // the second line is below it on screen
}

struct SizeCase {
    double requested;
    double taken;
};

class CanvasFontSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(CanvasFontSizeTest, SizeIsRoundedToWholePixels)
{
    Canvas canvas(QSize(10, 10));
    ASSERT_TRUE(canvas.setFontSize(GetParam().requested));
    EXPECT_DOUBLE_EQ(canvas.FontSize(), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CanvasFontSizeTest,
                         testing::Values(SizeCase{8, 8.25}, SizeCase{9, 9}, SizeCase{11, 11.25},
                                         SizeCase{12, 12}, SizeCase{16.5, 16.5},
                                         SizeCase{1.2, 1.5}, SizeCase{1.1, 0.75},
                                         SizeCase{0.1, 0.75}));

TEST(CanvasFontSizeRefusalTest, SizesThatAreNotPositiveAreRefused)
{
    Canvas canvas(QSize(10, 10));
    ASSERT_TRUE(canvas.setFontSize(12));
    EXPECT_FALSE(canvas.setFontSize(0));
    EXPECT_FALSE(canvas.setFontSize(-3));
    EXPECT_FALSE(canvas.setFontSize(std::nan("")));
    EXPECT_DOUBLE_EQ(canvas.FontSize(), 12.0);
}

struct NameCase {
    const char* name;
    const char* family;
};

class CanvasFontNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(CanvasFontNameTest, JapaneseWindowsNamesMapToTheIpaFonts)
{
    const QString family = platform::qtFontFamily(QString::fromUtf8(GetParam().name));
    EXPECT_EQ(family, QString::fromUtf8(GetParam().family));
}

INSTANTIATE_TEST_SUITE_P(Names, CanvasFontNameTest,
                         testing::Values(NameCase{"ＭＳ ゴシック", "IPAGothic"},
                                         NameCase{"ＭＳ 明朝", "IPAMincho"},
                                         NameCase{"ＭＳ Ｐゴシック", "IPAPGothic"},
                                         NameCase{"ＭＳ Ｐ明朝", "IPAPMincho"},
                                         NameCase{"MS ゴシック", "IPAGothic"},
                                         NameCase{"MS Gothic", "IPAGothic"},
                                         NameCase{"Arial", "Arial"}));

TEST(CanvasFontInstallTest, MappedFamiliesAreInstalled)
{
    for (const char* name : {"ＭＳ ゴシック", "ＭＳ 明朝"}) {
        const QFont font(platform::qtFontFamily(QString::fromUtf8(name)));
        EXPECT_EQ(QFontInfo(font).family(), platform::qtFontFamily(QString::fromUtf8(name)));
    }
    Canvas canvas(QSize(10, 10));
    canvas.setFontName(QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(canvas.FontName(), QStringLiteral("ＭＳ 明朝")); // reads back as set
}

struct StyleCase {
    const char* name;
    bool bold, italic, underline, strike;
};

class CanvasGlyphTest : public testing::TestWithParam<StyleCase> {};

TEST_P(CanvasGlyphTest, TextHasNoBlendedPixelsAndErasesByPrintingInWhite)
{
    const StyleCase style = GetParam();
    Canvas canvas(QSize(200, 60));
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.setFontSize(15);
    canvas.setFontBold(style.bold);
    canvas.setFontItalic(style.italic);
    canvas.setFontUnderline(style.underline);
    canvas.setFontStrikethru(style.strike);
    canvas.PSet(10, 10, kWhite);
    canvas.setForeColor(kRed);
    canvas.Print(QStringLiteral("境界点 No.12"));
    const int red = canvas_test::countColor(canvas.image(), kRed);
    EXPECT_GT(red, 50);
    EXPECT_EQ(red + canvas_test::countColor(canvas.image(), kWhite), 200 * 60);

    canvas.PSet(10, 10, kWhite);
    canvas.setForeColor(kWhite);
    canvas.Print(QStringLiteral("境界点 No.12"));
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
}

INSTANTIATE_TEST_SUITE_P(Styles, CanvasGlyphTest,
                         testing::Values(StyleCase{"plain", false, false, false, false},
                                         StyleCase{"bold", true, false, false, false},
                                         StyleCase{"italic", false, true, false, false},
                                         StyleCase{"underline", false, false, true, false},
                                         StyleCase{"strikethru", false, false, false, true}),
                         [](const testing::TestParamInfo<StyleCase>& info) { return info.param.name; });

TEST_F(CanvasTextTest, UnderlineAddsARowUnderTheText)
{
    canvas.setCurrentX(10);
    canvas.setCurrentY(10);
    canvas.Print(QStringLiteral("AAAA"));
    const int plain = canvas_test::countColor(canvas.image(), kRed);
    canvas.Cls();
    canvas.setFontUnderline(true);
    canvas.setCurrentX(10);
    canvas.setCurrentY(10);
    canvas.Print(QStringLiteral("AAAA"));
    EXPECT_GE(canvas_test::countColor(canvas.image(), kRed), plain + canvas.TextWidth(QStringLiteral("AAAA")) - 2);
}

TEST_F(CanvasTextTest, OpaqueTextFillsItsBoxWithBackColor)
{
    canvas.Line(0, 0, 199, 99, kBlack, platform::LineOpt::BoxFill);
    canvas.setFontTransparent(false);
    canvas.setCurrentX(20);
    canvas.setCurrentY(30);
    canvas.Print(kLabel);
    const QRect box = canvas_test::boundsOf(canvas.image(),
                                            [](std::uint32_t c) { return c != kBlack; });
    EXPECT_EQ(box, QRect(20, 30, static_cast<int>(canvas.TextWidth(kLabel)),
                         static_cast<int>(canvas.TextHeight(kLabel))));
    EXPECT_GT(canvas_test::countColor(canvas.image(), kWhite), 0);
    EXPECT_GT(canvas_test::countColor(canvas.image(), kRed), 0);
}

TEST_F(CanvasTextTest, TextPartlyOrWhollyOutsideIsClipped)
{
    canvas.setCurrentX(-20);
    canvas.setCurrentY(-5);
    canvas.Print(kLabel);
    EXPECT_GT(canvas_test::countColor(canvas.image(), kRed), 0);
    canvas.Cls();
    canvas.setCurrentX(1e12);
    canvas.setCurrentY(-1e12);
    canvas.Print(kLabel, false);
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), -1e12);
}

} // namespace
