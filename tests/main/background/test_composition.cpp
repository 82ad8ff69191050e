// SPDX-License-Identifier: LicenseRef-Tavelcor
// The full redraw with the background part installed: two raster
// backgrounds, each veiled by its own level, blended by the other's.
#include "background_fixture.h"

#include "main/background/background_drawing.h"
#include "main/render/plot_render.h"
#include "platform/prompt/testing.h"

namespace tavelcor::backgroundtest {
namespace {

class CompositionTest : public BackgroundFixture {
protected:
    void SetUp() override
    {
        BackgroundFixture::SetUp();
        installBackgroundCalls();
        // Two coordinates far outside the view: a site with data.
        for (const int n : {1, 2}) {
            ZahyoName[n] = QStringLiteral("FAR%1").arg(n);
            ZahyoX[n] = OriginX + (n == 1 ? 90000.0 : -90000.0);
            ZahyoY[n] = OriginY + (n == 1 ? 90000.0 : -90000.0);
            ZahyoPX[n] = ZahyoX[n] - OriginX;
            ZahyoPY[n] = ZahyoY[n] - OriginY;
        }
        ZahyoMax = 2;
        for (int k = 0; k < 3; ++k)
            HaikeiDef[k] = dir.filePath(QStringLiteral("raster%1.AR2").arg(k + 1));
    }

    platform::testing::GTestScriptedPrompter script;
};

TEST_F(CompositionTest, TwoRastersAreVeiledEachByItsLevelAndBlendedByTheOthers)
{
    // Both black over the whole view; background 1 at level 1 (veiled to
    // 50), background 2 at level 0.  Percent 100 * 2 / 3 = 67 for
    // background 2: Int(0.33 * 50 + 0.67 * 0) = 16.
    setRow(0, 0, image(QStringLiteral("one.png"), QSize(30, 20), kBlack), 400.0, 600.0);
    setRow(1, 0, image(QStringLiteral("two.png"), QSize(30, 20), kBlack), 400.0, 600.0);
    Haikei1Code = 1;
    Haikei2Code = 2;
    HaikeiBright[1] = 1;
    HaikeiBright[2] = 0;
    render::crtplot(*face);
    const QRgb centre = canvas().image().pixel(150, 100);
    EXPECT_EQ(qRed(centre), 16);
    EXPECT_EQ(qBlue(centre), 16);
    EXPECT_EQ(face->blendBufferShowings(), 1);
    EXPECT_FALSE(face->blendBufferShown());
}

TEST_F(CompositionTest, EqualLevelsMixHalfAndHalf)
{
    setRow(0, 0, image(QStringLiteral("red.png"), QSize(30, 20), kRed), 400.0, 600.0);
    setRow(2, 0, image(QStringLiteral("blue.png"), QSize(30, 20), kBlue), 400.0, 600.0);
    Haikei1Code = 1;
    Haikei2Code = 3;
    render::crtplot(*face);
    const QRgb centre = canvas().image().pixel(150, 100);
    EXPECT_EQ(qRed(centre), 127);
    EXPECT_EQ(qBlue(centre), 127);
    EXPECT_EQ(qGreen(centre), 0);
}

TEST_F(CompositionTest, OneBackgroundIsDrawnAloneAndVeiled)
{
    setRow(1, 0, image(QStringLiteral("black.png"), QSize(30, 20), kBlack), 400.0, 600.0);
    Haikei1Code = 0;
    Haikei2Code = 2;
    HaikeiBright[2] = 5;
    render::crtplot(*face);
    EXPECT_NEAR(qGreen(canvas().image().pixel(150, 100)), 250, 1);
    EXPECT_EQ(face->blendBufferShowings(), 0);
}

}  // namespace
}  // namespace tavelcor::backgroundtest
