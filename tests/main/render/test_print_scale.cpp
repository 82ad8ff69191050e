// SPDX-License-Identifier: LicenseRef-Tavelcor
// The arithmetic of printing: denominators, printed extents, printable-area
// offsets, labels and plain-text lines. Expected values are worked out by
// hand from the rules (56.7 twips per millimetre, whole parts, halves to
// even) in the comments of each row.
#include "main/render/print_scale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavelcor::render {
namespace {

struct DenominatorRow {
    const char* name;
    double eastSpanM;
    double pageWidthTwips;
    double expected;
};

class DefaultDenominatorTest : public ::testing::TestWithParam<DenominatorRow> {};

TEST_P(DefaultDenominatorTest, WholePartOfTheEastExtentOverThePageWidth)
{
    const DenominatorRow& row = GetParam();
    EXPECT_EQ(defaultDenominator(row.eastSpanM, row.pageWidthTwips), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultDenominatorTest,
    ::testing::Values(
        // 16840 twips = 297.002 mm = 0.297002 m; 148.6 / 0.297002 = 500.33.
        DenominatorRow{"A4Landscape", 148.6, 16840, 500},
        // 11340 twips = 200 mm; 71.5 / 0.2 = 357.5.
        DenominatorRow{"ProposedText357", 71.5, 11340, 357},
        // 56.7 twips = 1 mm; 0.9999 m / 1 mm = 999.9.
        DenominatorRow{"JustBelowAWholeNumber", 0.9999, 56.7, 999},
        // An east extent shorter than the page: 0.2 m / 0.297 m.
        DenominatorRow{"ViewNarrowerThanThePage", 0.2, 16840, 0},
        DenominatorRow{"PageWithoutWidth", 148.6, 0, 0},
        DenominatorRow{"NoExtent", 0, 16840, 0}),
    [](const ::testing::TestParamInfo<DenominatorRow>& info) { return std::string(info.param.name); });

TEST(PrintScaleTest, WholeRangeTakesTheNorthExtentInPortrait)
{
    // Landscape: 148.6 m east over 297 mm = 500. Portrait: 59.5 m north over
    // 16840 twips (297 mm) = 200.3.
    EXPECT_EQ(wholeRangeDenominator(59.5, 148.6, 16840, 11900, true), 500);
    EXPECT_EQ(wholeRangeDenominator(59.5, 148.6, 11900, 16840, false), 200);
    EXPECT_EQ(wholeRangeDenominator(59.5, 148.6, 11900, 0, false), 0);
}

TEST(PrintScaleTest, DenominatorTextKeepsTheSignPosition)
{
    EXPECT_EQ(denominatorText(357), QStringLiteral(" 357"));
    EXPECT_EQ(denominatorText(0), QStringLiteral(" 0"));
    EXPECT_EQ(denominatorText(-5), QStringLiteral("-5"));
}

TEST(PrintScaleTest, TypedDenominatorsReadTheirLeadingNumber)
{
    const struct {
        const char16_t* typed;
        double expected;
    } rows[] = {
        {u"５００", 500},       // full-width digits narrowed
        {u" 357", 357},         // the proposed text with its blank
        {u"1250.5", 1250.5},    // a fraction is accepted
        {u"１ ０００", 1000},   // blanks inside the number are passed over
        {u"500分の1", 500},     // reading stops at the first non-number
        {u"", 0},
        {u"abc", 0},
        {u"－２００", -200},    // a full-width minus narrows to "-"
    };
    for (const auto& row : rows) {
        const QString typed = QString::fromUtf16(row.typed);
        EXPECT_EQ(readDenominator(typed), row.expected) << typed.toStdString();
    }
}

TEST(PrintScaleTest, ExtentsFollowThePageAndTheDenominator)
{
    // A4 landscape page 16840 x 11900 twips.
    const double w = 16840;
    const double h = 11900;
    const auto same = printExtents(148.6, w, h, 500, 500);
    ASSERT_TRUE(same);
    EXPECT_DOUBLE_EQ(same->spanY, 148.6);
    EXPECT_DOUBLE_EQ(same->spanX, 148.6 * h / w);

    const auto twice = printExtents(148.6, w, h, 1000, 500);
    ASSERT_TRUE(twice);
    EXPECT_DOUBLE_EQ(twice->spanY, 297.2);
    EXPECT_DOUBLE_EQ(twice->spanX, 2 * same->spanX);

    // 357 proposed and 357 taken: nothing rescaled.
    const auto kept = printExtents(106.0, w, h, 357, 357);
    ASSERT_TRUE(kept);
    EXPECT_DOUBLE_EQ(kept->spanY, 106.0);
}

TEST(PrintScaleTest, ViewNarrowerThanThePageTakesTheExtentFromTheDenominator)
{
    // D0 = 0: 1/500 on 16840 twips (0.297002 m) prints 148.50 m across.
    const auto e = printExtents(0.2, 16840, 11900, 500, 0);
    ASSERT_TRUE(e);
    EXPECT_NEAR(e->spanY, 500 * 16840 / 56.7 / 1000, 1e-9);
    EXPECT_NEAR(e->spanX, e->spanY * 11900 / 16840, 1e-9);
}

TEST(PrintScaleTest, DenominatorsThatPrintNothingAreRefused)
{
    for (double N : {0.0, -500.0, std::nan(""), double(INFINITY)})
        EXPECT_FALSE(printExtents(148.6, 16840, 11900, N, 500)) << N;
    EXPECT_FALSE(printExtents(148.6, 0, 11900, 500, 500)) << "no page width";
    EXPECT_FALSE(printExtents(148.6, 16840, 0, 500, 500)) << "no page height";
}

TEST(PrintScaleTest, BitmapDenominatorRoundsHalvesUp)
{
    EXPECT_EQ(bitmapDenominator(594.5), 500);  // 594.5 / 1.189 = 500
    EXPECT_EQ(bitmapDenominator(595.0), 500);  // 500.42
    EXPECT_EQ(bitmapDenominator(595.2), 501);  // 500.59 goes up
    EXPECT_DOUBLE_EQ(bitmapExtents(141.4213562373095).spanX, 100.0);
}

TEST(PrintScaleTest, BitmapLabelCornersRoundDown)
{
    // Centre (-2021.3, 499.5), 100 m north by 141.42 m east.
    EXPECT_EQ(bitmapLabel(119, -2021.3, 499.5, 100, 141.42),
              QStringLiteral("Ａ０出力で　概算縮尺= 1/119   左下X = -2072   左下Y = 428"
                             "   右上X = -1972   右上Y = 570"));
    EXPECT_EQ(bitmapLabel(1250.5, 0.5, 0, 1, 1),
              QStringLiteral("Ａ０出力で　概算縮尺= 1/1250.5   左下X = 0   左下Y = -1"
                             "   右上X = 1   右上Y = 0"));
}

TEST(PrintScaleTest, ScaleLabelCarriesTheCaption)
{
    const QString caption = QStringLiteral("TAVELCOR v5.360  /現場/ZAHYO.SIM");
    EXPECT_EQ(scaleLabel(500, caption, false), QStringLiteral("縮尺= 1/500    TAVELCOR v5.360 "));
    EXPECT_EQ(scaleLabel(500, caption, true), QStringLiteral("縮尺= 1/500    ") + caption);
    EXPECT_EQ(scaleLabel(1250.5, QStringLiteral("短い"), false), QStringLiteral("縮尺= 1/1250.5    短い"));
}

TEST(PrintScaleTest, PrintLinesSplitAtCarriageReturns)
{
    const struct {
        const char* name;
        const char16_t* text;
        QStringList lines;
    } rows[] = {
        {"CrLfLines", u"a\r\nbc", {QStringLiteral("a"), QStringLiteral("bc")}},
        {"EndsWithCrLf", u"a\r\nb\r\n", {QStringLiteral("a"), QStringLiteral("b"), QString()}},
        {"CrBeforeAnotherCharacterLosesIt", u"a\rXb", {QStringLiteral("a"), QStringLiteral("b")}},
        {"LoneLfStaysInTheLine", u"a\nb", {QStringLiteral("a\nb")}},
        {"EmptyText", u"", {QString()}},
        {"CrAtTheVeryEnd", u"a\r", {QStringLiteral("a"), QString()}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(printLines(QString::fromUtf16(row.text)), row.lines) << row.name;
}

TEST(PrintScaleTest, MoreThanAThousandLinesAreAllKept)
{
    QString text;
    for (int i = 1; i <= 1500; ++i)
        text += QStringLiteral("L%1\r\n").arg(i);
    const QStringList lines = printLines(text);
    ASSERT_EQ(lines.size(), 1501);
    EXPECT_EQ(lines[1499], QStringLiteral("L1500"));
}

struct OffsetRow {
    const char* name;
    platform::DeviceCaps caps;
    std::int32_t left;
    std::int32_t bottom;
    double widthMm;
    double heightMm;
};

class PrintOffsetsTest : public ::testing::TestWithParam<OffsetRow> {};

TEST_P(PrintOffsetsTest, OffsetsInWholeTwipsAndPrintableSizeInWholeMillimetres)
{
    const OffsetRow& row = GetParam();
    const PrintOffsets offsets = printOffsets(row.caps);
    EXPECT_EQ(offsets.left, row.left);
    EXPECT_EQ(offsets.bottom, row.bottom);
    const PrintableSize size = printableSize(row.caps);
    EXPECT_EQ(size.widthMm, row.widthMm);
    EXPECT_EQ(size.heightMm, row.heightMm);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrintOffsetsTest,
    ::testing::Values(
        // 600 dpi (2.4 twips per pixel): A4 landscape 7016 x 4961 pixels with
        // 100-pixel strips left and top and 120 right and bottom.
        // Left 240 twips; bottom: 11906.4 -> 11906 - (4741 x 2.4 + 240) = 287.6 -> 288.
        // Millimetres: left 4.23 -> 4, width 297.01 -> 297, right 297 - (287.70 + 4) = 5.30 -> 5,
        // printable 297 - 4 - 5 = 288; down 210.02 -> 210, top 4, bottom 210 - (200.70 + 4) = 5.30 -> 5, 201.
        OffsetRow{"A4Landscape600", {100, 100, 7016, 4961, 6796, 4741, 600, 600}, 240, 288, 288, 201},
        // 960 dpi (1.5 twips per pixel): 1 pixel = 1.5 twips -> 2 (halves to even),
        // 3 pixels = 4.5 twips -> 4. Physical height 1000 px = 1500 twips;
        // bottom 1500 - (994 x 1.5 + 4) = 5.
        OffsetRow{"HalvesToEven", {1, 3, 1000, 1000, 998, 994, 960, 960}, 2, 5, 26, 26},
        OffsetRow{"NoStrips", {0, 0, 14031, 9921, 14031, 9921, 1200, 1200}, 0, 0, 297, 210},
        OffsetRow{"NoResolution", {10, 10, 100, 100, 80, 80, 0, 0}, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<OffsetRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavelcor::render
