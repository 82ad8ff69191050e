// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/colors.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct PaletteRow {
    int index;
    int red, green, blue;
    std::uint32_t value; // 0x00BBGGRR
};

// The classic 16-colour palette with red in the low byte.
constexpr std::array<PaletteRow, 16> kPalette = {{
    {0, 0, 0, 0, 0x000000},
    {1, 0, 0, 128, 0x800000},
    {2, 0, 128, 0, 0x008000},
    {3, 0, 128, 128, 0x808000},
    {4, 128, 0, 0, 0x000080},
    {5, 128, 0, 128, 0x800080},
    {6, 128, 128, 0, 0x008080},
    {7, 192, 192, 192, 0xC0C0C0},
    {8, 128, 128, 128, 0x808080},
    {9, 0, 0, 255, 0xFF0000},
    {10, 0, 255, 0, 0x00FF00},
    {11, 0, 255, 255, 0xFFFF00},
    {12, 255, 0, 0, 0x0000FF},
    {13, 255, 0, 255, 0xFF00FF},
    {14, 255, 255, 0, 0x00FFFF},
    {15, 255, 255, 255, 0xFFFFFF},
}};

class CanvasPaletteTest : public testing::TestWithParam<PaletteRow> {};

TEST_P(CanvasPaletteTest, IndexGivesTheTabledValue)
{
    const PaletteRow row = GetParam();
    EXPECT_TRUE(platform::isQBColorIndex(row.index));
    EXPECT_EQ(platform::QBColor(row.index), row.value);
    EXPECT_EQ(platform::RGB(row.red, row.green, row.blue), row.value);
}

TEST_P(CanvasPaletteTest, ValueConvertsToAndFromQColor)
{
    const PaletteRow row = GetParam();
    const QColor color = platform::toQColor(row.value);
    EXPECT_EQ(color, QColor(row.red, row.green, row.blue));
    EXPECT_EQ(platform::fromQColor(color), row.value);
    EXPECT_EQ(platform::toQRgb(row.value), qRgb(row.red, row.green, row.blue));
    EXPECT_EQ(platform::fromQRgb(qRgb(row.red, row.green, row.blue)), row.value);
}

INSTANTIATE_TEST_SUITE_P(AllSixteen, CanvasPaletteTest, testing::ValuesIn(kPalette),
                         [](const testing::TestParamInfo<PaletteRow>& info) {
                             return "index" + std::to_string(info.param.index);
                         });

TEST(CanvasQBColorTest, IndexOutsideThePaletteGivesBlackAndIsReported)
{
    for (int index : {-1, 16, 20, 99, 100, 112}) {
        EXPECT_FALSE(platform::isQBColorIndex(index)) << index;
        EXPECT_EQ(platform::QBColor(index), 0u) << index;
    }
}

TEST(CanvasRgbTest, ChannelsOutsideTheByteRangeAreClamped)
{
    EXPECT_EQ(platform::RGB(300, -5, 255), 0xFF00FFu);
    EXPECT_EQ(platform::RGB(255, 218, 185), 0xB9DAFFu); // the parcel fill colour
}

TEST(CanvasRgbTest, HighBitsOfAValueAreIgnoredByToQColor)
{
    EXPECT_EQ(platform::toQColor(0x80FF0000u), QColor(0, 0, 255));
    EXPECT_EQ(platform::fromQColor(QColor(10, 20, 30, 40)), 0x1E140Au); // alpha dropped
}

} // namespace
