// SPDX-License-Identifier: LicenseRef-Tavelcor
// plot.Haikei_Draw: raster rows at two levels of detail, the switch to the
// standard map, the snapshot and the preview, the veil and the arming of
// Timer5; the tile mosaic is replaced by a recorder.
#include "background_fixture.h"

#include "main/background/background_drawing.h"
#include "main/background/tile_mosaic.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QDir>
#include <QFile>

#include <vector>

namespace tavelcor::backgroundtest {
namespace {

class HaikeiDrawTest : public BackgroundFixture {
protected:
    void SetUp() override
    {
        BackgroundFixture::SetUp();
        backgroundServices().tileMosaic = [this](render::PlotFace&, std::uint8_t& code) {
            mosaics.push_back(code);
        };
    }

    void TearDown() override
    {
        backgroundServices() = BackgroundServices{};
        platform::destroyAllForms();
        clearPlotWirings();
        BackgroundFixture::TearDown();
    }

    void blacken() { canvas().imageForEdit().fill(platform::toQRgb(kBlack)); }

    std::vector<int> mosaics;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(HaikeiDrawTest, ACloseViewDrawsOnlyDetailRowsAndAFarViewOnlyOverviewRows)
{
    // The first image is 300 m square; with 5 screens a view up to 500 m
    // is close.
    setRow(0, 0, image(QStringLiteral("over_0.png"), QSize(30, 30), kRed), 300.0, 300.0);
    setRow(0, 1, image(QStringLiteral("detail.png"), QSize(30, 30), kBlue), 300.0, 300.0);
    std::uint8_t code = 1;
    Haikei_Draw(*face, code);
    EXPECT_EQ(countColor(kRed), 0);
    EXPECT_GT(countColor(kBlue), 0);

    setView(1000.0, 1500.0);  // beyond 500 m, within 20 times the image
    Haikei_Draw(*face, code);
    EXPECT_GT(countColor(kRed), 0);
    EXPECT_EQ(countColor(kBlue), 0);
    EXPECT_TRUE(mosaics.empty());
}

TEST_F(HaikeiDrawTest, OnlyRowsThatMeetTheViewAreDrawn)
{
    // Overview pieces 20 m square: the view, 300 m wide, is far for them.
    setRow(0, 0, image(QStringLiteral("in_0.png"), QSize(10, 10), kRed), 20.0, 20.0);
    setRow(0, 1, image(QStringLiteral("out_0.png"), QSize(10, 10), kBlue), 20.0, 20.0, 0.0, 500.0);
    setRow(0, 2, image(QStringLiteral("edge_0.png"), QSize(10, 10), kGreen), 20.0, 20.0, 0.0, 155.0);
    std::uint8_t code = 1;
    Haikei_Draw(*face, code);
    EXPECT_GT(countColor(kRed), 0);
    EXPECT_EQ(countColor(kBlue), 0);
    EXPECT_GT(countColor(kGreen), 0) << "a row reaching into the view from outside is drawn";
}

TEST_F(HaikeiDrawTest, AFarViewSwitchesToTheStandardMapAfterTheCurrentRowAndGivesTheCodeBack)
{
    // A view 300 m wide over images 10 m wide: more than 4 x 5 times.
    setRow(1, 0, image(QStringLiteral("a_0.png"), QSize(10, 10), kRed), 10.0, 10.0);
    setRow(1, 1, image(QStringLiteral("b_0.png"), QSize(10, 10), kBlue), 10.0, 10.0);
    setRow(1, 2, image(QStringLiteral("c_0.png"), QSize(10, 10), kGreen), 10.0, 10.0);
    Haikei1Code = 2;
    Haikei_Draw(*face, Haikei1Code);
    EXPECT_EQ(mosaics, std::vector<int>{5});
    EXPECT_GT(countColor(kRed), 0) << "row 0 is drawn first";
    EXPECT_EQ(countColor(kBlue), 0);
    EXPECT_EQ(Haikei1Code, 2) << "the slot's code is back";
}

TEST_F(HaikeiDrawTest, ARasterOfOneRowNeverSwitches)
{
    setRow(1, 0, image(QStringLiteral("a_0.png"), QSize(10, 10), kRed), 10.0, 10.0);
    std::uint8_t code = 2;
    Haikei_Draw(*face, code);
    EXPECT_TRUE(mosaics.empty());
    EXPECT_GT(countColor(kRed), 0);
}

TEST_F(HaikeiDrawTest, MoreThanAHundredImagesPerScreenSwitchToTheStandardMap)
{
    TileScreens = 1;
    const QString grey = image(QStringLiteral("d.png"), QSize(4, 4), 0x808080);
    for (int row = 0; row < 100; ++row)
        setRow(2, row, grey, 2000.0, 2000.0);
    setRow(2, 100, image(QStringLiteral("hundred_and_first.png"), QSize(4, 4), kBlue), 10.0, 10.0, 0.0, -100.0);
    setRow(2, 101, image(QStringLiteral("too_many.png"), QSize(4, 4), kGreen), 10.0, 10.0, 0.0, 100.0);
    std::uint8_t code = 3;
    Haikei_Draw(*face, code);
    EXPECT_GT(countColor(kBlue), 0) << "the 101st image is drawn";
    EXPECT_EQ(countColor(kGreen), 0) << "then the standard map takes over";
    EXPECT_EQ(mosaics, std::vector<int>{5});
    EXPECT_EQ(code, 3);
}

TEST_F(HaikeiDrawTest, OverviewNamesAreTakenFromTheFileNameNotTheFolder)
{
    // A folder with a dot in its name ("scan_0.d") does not make a detail
    // image an overview one.
    const QString folder = dir.filePath(QStringLiteral("scan_0.d"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString detail = folder + QStringLiteral("/detail.png");
    ASSERT_TRUE(QFile::copy(image(QStringLiteral("blue.png"), QSize(10, 10), kBlue), detail));
    setRow(0, 0, detail, 300.0, 300.0);
    std::uint8_t code = 1;
    Haikei_Draw(*face, code);
    EXPECT_GT(countColor(kBlue), 0);
}

TEST_F(HaikeiDrawTest, TheVeilOfLevelThreeMovesBlackToOneHundredAndFifty)
{
    setRow(0, 0, image(QStringLiteral("black.png"), QSize(30, 20), kBlack), 400.0, 600.0);
    HaikeiBright[1] = 3;
    std::uint8_t code = 1;
    Haikei_Draw(*face, code);
    const QRgb centre = canvas().image().pixel(150, 100);
    EXPECT_NEAR(qRed(centre), 150, 1);
    EXPECT_NEAR(qGreen(centre), 150, 1);
    EXPECT_EQ(HaikeiBright[0], 3) << "the level last used";
}

TEST_F(HaikeiDrawTest, ThePreviewCodeWithoutARowDrawsNothingButIsVeiledByItsOwnLevel)
{
    HaikeiBright[4] = 2;
    RedrawCause = 9;  // keeps the picture, so the veil shows on black
    blacken();
    std::uint8_t code = 4;
    Haikei_Draw(*face, code);
    EXPECT_NEAR(qRed(canvas().image().pixel(10, 10)), 100, 1);
    EXPECT_TRUE(mosaics.empty());
}

TEST_F(HaikeiDrawTest, ThePreviewRowIsDrawnWithoutAVeil)
{
    HaikeiBright[4] = 5;
    setRow(3, 1, image(QStringLiteral("preview.png"), QSize(30, 20), kBlue), 200.0, 300.0);
    std::uint8_t code = 4;
    Haikei_Draw(*face, code);
    EXPECT_EQ(pixel(150, 100), kBlue);
}

TEST_F(HaikeiDrawTest, TheSnapshotIsNeverVeiled)
{
    HaikeiBright[0] = 4;  // left by the last veil
    RedrawCause = 9;
    blacken();
    std::uint8_t code = 0;
    Haikei_Draw(*face, code);
    EXPECT_EQ(pixel(10, 10), kBlack) << "no snapshot file: nothing drawn, nothing veiled";

    // The snapshot of a view half as large (a step out), drawn at half size
    // in the middle.
    setRow(3, 0, image(QStringLiteral("TEMP.BMP"), QSize(300, 200), kRed), 100.0, 150.0);
    RedrawCause = 2;
    Haikei_Draw(*face, code);
    EXPECT_EQ(pixel(150, 100), kRed);
    EXPECT_EQ(pixel(10, 10), kWhite) << "cleared around the shrunk snapshot";
    const QRect red = boundsOf(kRed);
    EXPECT_NEAR(red.width(), 150, 2);
    EXPECT_NEAR(red.center().x(), 150, 2);
}

TEST_F(HaikeiDrawTest, TheDeferredRedrawKeepsThePictureAndOthersClearIt)
{
    std::uint8_t code = 1;  // a raster without rows draws nothing
    blacken();
    RedrawCause = 9;
    Haikei_Draw(*face, code);
    EXPECT_EQ(pixel(5, 5), kBlack);
    RedrawCause = 0;
    Haikei_Draw(*face, code);
    EXPECT_EQ(pixel(5, 5), kWhite);
}

TEST_F(HaikeiDrawTest, TileCodesGoToTheMosaicAndAreVeiledAfterIt)
{
    HaikeiBright[7] = 1;
    RedrawCause = 9;
    blacken();
    for (std::uint8_t code : {5, 7, 9}) {
        std::uint8_t slot = code;
        Haikei_Draw(*face, slot);
    }
    EXPECT_EQ(mosaics, (std::vector<int>{5, 7, 9}));
    EXPECT_NEAR(qRed(canvas().image().pixel(10, 10)), 50, 1) << "level 1 of code 7, once";
}

// --------------------------------------------------------------------- Timer5

class Timer5Test : public HaikeiDrawTest {
protected:
    Plot& window()
    {
        clearPlotWirings();
        addPlotWiring(wireBackground);
        return plot();
    }

    QStringList settingsLines() const
    {
        QFile file(WorkFolder + QStringLiteral("/tavelcor.jkn"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    }
};

TEST_F(Timer5Test, EveryTileDrawingRestartsTheThirtySecondWaitAndRastersLeaveIt)
{
    Plot& w = window();
    std::uint8_t tiles = 5;
    // The test program's tile service refuses: the mosaic says so once.
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kTilesNotFetchedMessage));
    Haikei_Draw(*face, tiles);
    EXPECT_TRUE(w.Timer5.Enabled());
    EXPECT_EQ(w.Timer5.Interval(), 30000);
    w.Timer5.setEnabled(false);
    std::uint8_t raster = 1;
    Haikei_Draw(*face, raster);
    EXPECT_FALSE(w.Timer5.Enabled());
    GsiOffline = 1;
    w.Timer5.setEnabled(true);
    Haikei_Draw(*face, tiles);
    EXPECT_FALSE(w.Timer5.Enabled()) << "offline: the tile drawing stops it";
}

TEST_F(Timer5Test, YesStopsTheServerForGoodAndWritesTheSetting)
{
    Plot& w = window();
    ASSERT_TRUE(QDir().mkpath(WorkFolder));
    SiteFolder = dir.path() + u'/';
    w.Timer5.setEnabled(true);
    script->expectMessage(platform::MsgResult::Yes, QStringLiteral("地理院サーバーへの接続を停止しますか"));
    w.Timer5.Timer();
    EXPECT_EQ(script->records().back().buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(GsiOffline, 1);
    EXPECT_FALSE(w.Timer5.Enabled());
    const QStringList lines = settingsLines();
    ASSERT_GE(lines.size(), 22);
    EXPECT_EQ(lines[21].trimmed(), QStringLiteral("1")) << "line 22";

    // Offline: the tick asks nothing more.
    w.Timer5.setEnabled(true);
    w.Timer5.Timer();
    EXPECT_EQ(script->records().size(), 1U);
    EXPECT_FALSE(w.Timer5.Enabled());
}

TEST_F(Timer5Test, DuringATileCachePassYesPutsTheUsersScreenCountBackFirst)
{
    Plot& w = window();
    ASSERT_TRUE(QDir().mkpath(WorkFolder));
    SiteFolder = dir.path() + u'/';
    TileScreensSaved = 7;
    TileScreens = 40;  // the pass's own count
    backgroundServices().tileCachePassRunning = [] { return true; };
    script->expectMessage(platform::MsgResult::Yes);
    w.Timer5.Timer();
    EXPECT_EQ(TileScreens, 7);
    const QStringList lines = settingsLines();
    ASSERT_GE(lines.size(), 22);
    EXPECT_EQ(lines[19].trimmed(), QStringLiteral("7")) << "line 20";
}

TEST_F(Timer5Test, NoAsksAgainInAMinute)
{
    Plot& w = window();
    script->expectMessage(platform::MsgResult::No, QStringLiteral("地理院サーバーへの接続を停止しますか"));
    w.Timer5.Timer();
    EXPECT_EQ(GsiOffline, 0);
    EXPECT_TRUE(w.Timer5.Enabled());
    EXPECT_EQ(w.Timer5.Interval(), 60000);
    EXPECT_FALSE(QFile::exists(WorkFolder + QStringLiteral("/tavelcor.jkn")));
}

}  // namespace
}  // namespace tavelcor::backgroundtest
