// SPDX-License-Identifier: LicenseRef-Tavelcor
// The key table and the keypad's geometry: factor sizes, the compact keypad
// and its restore, the proportional resize.
#include "keypad/geometry.h"
#include "keypad/keys.h"

#include "platform/desktop/keysend.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(KeyTable, NumbersAreZeroToTwentyThreeWithoutTwelve)
{
    std::set<int> numbers;
    for (const kintab::KeyDesign& key : kintab::keyDesigns())
        numbers.insert(key.number);
    EXPECT_EQ(numbers.size(), 23u);
    EXPECT_EQ(numbers.count(12), 0u);
    EXPECT_EQ(*numbers.begin(), 0);
    EXPECT_EQ(*numbers.rbegin(), 23);
    EXPECT_EQ(kintab::keyDesign(12), nullptr);
    EXPECT_EQ(kintab::keyDesign(24), nullptr);
    EXPECT_EQ(kintab::keyDesign(-1), nullptr);
}

TEST(KeyTable, EveryFixedTextIsAValidKeyString)
{
    for (const kintab::KeyDesign& key : kintab::keyDesigns()) {
        const std::optional<QString> text = kintab::fixedKeyText(key.number);
        if (key.letterSlot != 0) {
            EXPECT_FALSE(text.has_value()) << key.number;
            continue;
        }
        ASSERT_TRUE(text.has_value()) << key.number;
        const auto strokes = platform::parseKeyNotation(*text);
        ASSERT_TRUE(strokes.has_value()) << key.number;
        EXPECT_EQ(strokes->size(), 1u) << "one key press per key: " << key.number;
    }
}

TEST(KeyTable, KeysDoNotOverlapAndStayOnTheClientArea)
{
    const auto& keys = kintab::keyDesigns();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const kintab::KeyPlace a = kintab::keyPlace(keys[i]);
        EXPECT_LE(a.left + a.width, 3705) << keys[i].number;
        EXPECT_LE(a.top + a.height, 2475) << keys[i].number;
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            const kintab::KeyPlace b = kintab::keyPlace(keys[j]);
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left
                               || a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << keys[i].number << " and " << keys[j].number;
        }
    }
}

TEST(KeyTable, EnterCoversTheLastTwoColumnsOfTheBottomRow)
{
    const kintab::KeyPlace enter = kintab::keyPlace(*kintab::keyDesign(13));
    EXPECT_EQ(enter.left, 2520);
    EXPECT_EQ(enter.top, 1920);
    EXPECT_EQ(enter.width, 1095);
    EXPECT_EQ(enter.left + enter.width, 3120 + 495);
}

TEST(WholeTwips, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(kintab::wholeTwips(1530.5), 1530);
    EXPECT_EQ(kintab::wholeTwips(1531.5), 1532);
    EXPECT_EQ(kintab::wholeTwips(-0.5), 0);
    EXPECT_EQ(kintab::wholeTwips(1152.4), 1152);
}

TEST(FactorSize, TwelveTenthsGiveTheDocumentedSizeAndPlace)
{
    const kintab::OuterSize size = kintab::sizeForFactor(1.2F);
    EXPECT_EQ(size.width, 4590);
    EXPECT_EQ(size.height, 3456);
    const kintab::Corner corner = kintab::placeForFactor(1.2F, size, 19200, 14400);
    EXPECT_NEAR(corner.left, 19200 - 4590 - 120, 1e-3);
    EXPECT_NEAR(corner.top, 14400 - 3456 - 720, 1e-3);
}

TEST(FactorSize, EveryStepOfTheScrollBar)
{
    for (int step = 5; step <= 15; ++step) {
        const float factor = static_cast<float>(step) / 10.0F;
        const kintab::OuterSize size = kintab::sizeForFactor(factor);
        EXPECT_NEAR(size.width, 3825.0 * step / 10.0, 0.5) << step;
        EXPECT_NEAR(size.height, 2880.0 * step / 10.0, 0.5) << step;
    }
    EXPECT_EQ(kintab::sizeForFactor(1.0F).width, 3825);
    EXPECT_EQ(kintab::sizeForFactor(1.0F).height, 2880);
}

struct CompactCase {
    const char* name;
    kintab::KeypadPlace normal;
};

class CompactMode : public testing::TestWithParam<CompactCase> {};

TEST_P(CompactMode, ShrinksAtTheSameCornerAndComesBackWithinATwip)
{
    const kintab::KeypadPlace normal = GetParam().normal;
    const kintab::KeypadPlace compact = kintab::shrunkPlace(normal);
    EXPECT_NEAR(compact.width, 0.4 * normal.width, 0.5);
    EXPECT_NEAR(compact.height, 0.4 * normal.height, 0.5);
    // The bottom-right corner stays within a twip.
    EXPECT_NEAR(compact.left + compact.width, normal.left + normal.width, 1.0);
    EXPECT_NEAR(compact.top + compact.height, normal.top + normal.height, 1.0);

    const kintab::KeypadPlace back = kintab::restoredForClose(compact);
    EXPECT_NEAR(back.width, normal.width, 1.0);
    EXPECT_NEAR(back.height, normal.height, 1.0);
    EXPECT_NEAR(back.left, normal.left, 1.0);
    EXPECT_NEAR(back.top, normal.top, 1.0);
    if (normal.left >= 1 && normal.top >= 1) {
        EXPECT_EQ(kintab::restoredByPress(compact), back);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, CompactMode,
    testing::Values(CompactCase{"design", {15075, 10920, 3825, 2880}},
                    CompactCase{"factor_half", {2000, 3000, 1912, 1440}},
                    CompactCase{"factor_one_and_a_half", {100, 200, 5738, 4320}},
                    CompactCase{"odd_sizes", {333.3, 777.7, 4591, 3457}},
                    CompactCase{"at_the_top_left", {0, 0, 3825, 2880}}),
    [](const testing::TestParamInfo<CompactCase>& info) { return std::string(info.param.name); });

TEST(CompactMode, RestoreByPressNearTheTopLeftStopsAtZero)
{
    // A compact keypad dragged near the screen's top-left corner.
    const kintab::KeypadPlace compact{600, 300, 1530, 1152};
    const kintab::KeypadPlace pressed = kintab::restoredByPress(compact);
    EXPECT_EQ(pressed.left, 0);
    EXPECT_EQ(pressed.top, 0);
    EXPECT_EQ(pressed.width, 3825);
    EXPECT_EQ(pressed.height, 2880);
    const kintab::KeypadPlace closing = kintab::restoredForClose(compact);
    EXPECT_DOUBLE_EQ(closing.left, 600 - 0.6 * 3825);
    EXPECT_DOUBLE_EQ(closing.top, 300 - 0.6 * 2880);
}

TEST(ControlResize, PlaceFollowsItsOwnRatioAndTheFontTheWidthRatio)
{
    const kintab::ControlLayout recorded{720, 1320, 495, 495, 15.75};
    const kintab::ControlLayout scaled = kintab::scaledLayout(recorded, 1.5, 1.25);
    EXPECT_DOUBLE_EQ(scaled.left, 1080);
    EXPECT_DOUBLE_EQ(scaled.width, 742.5);
    EXPECT_DOUBLE_EQ(scaled.top, 1650);
    EXPECT_DOUBLE_EQ(scaled.height, 618.75);
    EXPECT_DOUBLE_EQ(scaled.fontPoints, 23.625);
}

}  // namespace
