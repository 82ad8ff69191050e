// SPDX-License-Identifier: LicenseRef-Tavelcor
// The background step of the redraw: which slots are drawn, whether the
// picture is cleared first, and how two backgrounds are blended, with the
// background part's procedures replaced by recorders.
#include "plot_fixture.h"

#include "main/render/background_step.h"

#include <QImage>

#include <vector>

namespace tavelcor::render::testing_support {
namespace {

class BackgroundStepTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        BackgroundCalls& calls = renderState().hooks.background;
        calls.Haikei_Draw = [this](PlotFace& f, std::uint8_t& code) {
            drawn.push_back(code);
            bufferShownWhileDrawing.push_back(face->blendBufferShown());
            pointerWhileDrawing.push_back(f.pictureMousePointer());
            // Each layer fills the picture with a grey of its own.
            const int grey = 10 * code + 1;
            f.picture().imageForEdit().fill(qRgb(grey, grey, grey));
        };
        calls.BlendPictures = [this](platform::Canvas& first, platform::Canvas& second, platform::Canvas& target,
                                     std::int16_t percent) {
            blends.push_back(percent);
            blendOnPicture = &first == &face->picture() && &target == &face->picture()
                && &second == &face->blendBuffer();
            bufferGrey = qRed(second.image().pixel(5, 5));
        };
        calls.rasterSetShown = [this] { return placementShown; };
        for (int k = 0; k < 3; ++k)
            HaikeiDef[k] = QStringLiteral("/site/raster%1.AR2").arg(k + 1);
    }

    // Draws a black mark, runs the redraw's background step and tells
    // whether the mark is gone.
    bool stepClears()
    {
        canvas().Line(-100, -100, 100, 100, platform::QBColor(0));
        composeBackground(*face, renderState().hooks.background);
        return countPixels(platform::QBColor(0)) == 0;
    }

    std::vector<int> drawn;
    std::vector<bool> bufferShownWhileDrawing;
    std::vector<int> pointerWhileDrawing;
    std::vector<int> blends;
    bool blendOnPicture = false;
    int bufferGrey = -1;
    bool placementShown = false;
};

TEST_F(BackgroundStepTest, CodesAndDefinitionsDecideClearingAndLayers)
{
    struct Row {
        const char* name;
        int h1;
        int h2;
        int emptyDefinition;  // raster whose HaikeiDef entry is emptied, 0 none
        bool clears;
        std::vector<int> drawn;
        bool blended;
    };
    const Row rows[] = {
        {"nothing", 0, 0, 0, true, {}, false},
        {"standard map alone", 5, 0, 0, false, {5}, false},
        {"orthophoto alone as background 2", 0, 7, 0, false, {7}, false},
        {"orthophoto alone", 7, 0, 0, false, {7}, false},
        {"standard map alone as background 2", 0, 5, 0, false, {5}, false},
        {"map 18 alone", 6, 0, 0, true, {6}, false},
        {"one raster in both slots", 3, 3, 0, true, {3}, false},
        {"raster without definition and a web layer", 1, 5, 1, true, {5}, false},
        {"raster and a raster without definition", 1, 2, 2, true, {1}, false},
        {"raster as background 2 without definition", 0, 2, 2, true, {}, false},
        {"two web layers", 5, 7, 0, true, {5, 7}, true},
        {"raster under a web layer", 2, 6, 0, true, {2, 6}, true},
    };
    // Layers that draw nothing: what is left of the mark shows the clearing.
    renderState().hooks.background.Haikei_Draw = [this](PlotFace&, std::uint8_t& code) { drawn.push_back(code); };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        drawn.clear();
        blends.clear();
        for (int k = 0; k < 3; ++k)
            HaikeiDef[k] = row.emptyDefinition == k + 1 ? QString() : QStringLiteral("/site/r%1.AR2").arg(k);
        Haikei1Code = static_cast<std::uint8_t>(row.h1);
        Haikei2Code = static_cast<std::uint8_t>(row.h2);
        EXPECT_EQ(stepClears(), row.clears);
        EXPECT_EQ(drawn, row.drawn);
        EXPECT_EQ(blends.size(), row.blended ? 1U : 0U);
    }
}

TEST_F(BackgroundStepTest, BothRastersWithoutDefinitionsLeaveAClearedPicture)
{
    Haikei1Code = 1;
    Haikei2Code = 2;
    HaikeiDef[0].clear();
    HaikeiDef[1].clear();
    EXPECT_TRUE(stepClears());
    EXPECT_TRUE(drawn.empty());
}

TEST_F(BackgroundStepTest, WhileThePlacementWindowIsShownOnlyThePreviewIsDrawn)
{
    placementShown = true;
    for (const auto& [h1, h2] : {std::pair{0, 0}, std::pair{1, 5}, std::pair{5, 0}}) {
        drawn.clear();
        Haikei1Code = static_cast<std::uint8_t>(h1);
        Haikei2Code = static_cast<std::uint8_t>(h2);
        composeBackground(*face, renderState().hooks.background);
        EXPECT_EQ(drawn, std::vector<int>{4});
        EXPECT_TRUE(blends.empty());
    }
}

TEST_F(BackgroundStepTest, BrightnessLevelsWeighTheBlend)
{
    struct Row {
        int b1;
        int b2;
        int percent;
    };
    for (const Row row : {Row{2, 4, 38}, Row{4, 2, 62}, Row{0, 1, 33}, Row{3, 3, 50}, Row{0, 0, 50},
                          Row{0, 5, 14}, Row{5, 0, 86}}) {
        SCOPED_TRACE(testing::Message() << row.b1 << ", " << row.b2);
        EXPECT_EQ(blendPercent(row.b1, row.b2), row.percent);
        blends.clear();
        Haikei1Code = 2;
        Haikei2Code = 7;
        HaikeiBright[2] = static_cast<std::uint8_t>(row.b1);
        HaikeiBright[7] = static_cast<std::uint8_t>(row.b2);
        composeBackground(*face, renderState().hooks.background);
        EXPECT_EQ(blends, std::vector<int>{row.percent});
    }
}

// Background 1 waits in the buffer, shown over the plot, while background 2
// is drawn under the hourglass; then the plot's picture is the target.
TEST_F(BackgroundStepTest, TheFirstBackgroundWaitsInTheShownBufferDuringTheSecond)
{
    face->setPictureMousePointer(2);
    Haikei1Code = 1;
    Haikei2Code = 5;
    composeBackground(*face, renderState().hooks.background);
    EXPECT_EQ(drawn, (std::vector<int>{1, 5}));
    EXPECT_EQ(bufferShownWhileDrawing, (std::vector<bool>{false, true}));
    EXPECT_EQ(pointerWhileDrawing, (std::vector<int>{2, 11}));
    EXPECT_EQ(face->pictureMousePointer(), 2) << "the pointer is put back";
    EXPECT_FALSE(face->blendBufferShown());
    EXPECT_EQ(face->blendBuffer().pixelSize(), canvas().pixelSize());
    EXPECT_EQ(bufferGrey, 11) << "the buffer holds background 1";
    EXPECT_EQ(qRed(canvas().image().pixel(5, 5)), 51) << "the picture holds background 2 until the blend";
    EXPECT_TRUE(blendOnPicture);
}

TEST_F(BackgroundStepTest, WithoutTheBackgroundPartNothingIsDrawnButTheClearing)
{
    renderState().hooks.background = BackgroundCalls{};
    Haikei1Code = 2;
    Haikei2Code = 6;
    EXPECT_TRUE(stepClears());
    std::uint8_t snapshot = 0;
    drawBackgroundLayer(*face, snapshot);
    EXPECT_TRUE(drawn.empty());
}

}  // namespace
}  // namespace tavelcor::render::testing_support
