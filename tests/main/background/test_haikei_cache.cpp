// SPDX-License-Identifier: LicenseRef-Tavelcor
// The background dialog's tile-cache pass ("地理院地図キャッシュ") against a
// local tile server: the check of background 1, the question below zoom 15,
// the levels it reaches per layer, its end when the zoom stops rising, and
// the user's TileScreens coming back however the pass ends.
#include "tile_fixture.h"

#include "main/background/haikei.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace tavelcor::backgroundtest {
namespace {

using platform::MsgResult;

constexpr double kTokyoLat = 35.6812;
constexpr double kTokyoLon = 139.7671;

class CachePassTest : public TileFixture {
protected:
    void SetUp() override
    {
        TileFixture::SetUp();
        resetHaikeiState();
        clearPlotWirings();
        TileScreens = 5;
        // The redraw draws background 1 into the test's plot.
        haikeiServices().redraw = [this] {
            std::uint8_t code = Haikei1Code;
            Haikei_Draw(*face, code);
            Haikei1Code = code;
            zooms.push_back(TileZoom);
            screens.push_back(TileScreens);
        };
        // Loaded once before the cases: its load selects the shown choice.
        haikei();
        zooms.clear();
        screens.clear();
    }

    void TearDown() override
    {
        haikeiServices() = HaikeiServices{};
        resetHaikeiState();
        TileFixture::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The user's view drawn once (so TileZoom is the start level), then the
    // cache button pressed.
    void drawAndPressCache(std::uint8_t code, double eastM)
    {
        centreOn(kTokyoLat, kTokyoLon, eastM);
        Haikei1Code = code;
        redrawBackground();
        startZoom = TileZoom;
        zooms.clear();
        screens.clear();
        server.clearTargets();
        haikei().Command10.setValue(true);
    }

    int highestZoomAsked() const
    {
        int top = 0;
        for (const QByteArray& target : server.targets()) {
            if (const std::optional<TileRequest> tile = tileRequestOf(target))
                top = std::max(top, tile->zoom);
        }
        return top;
    }

    std::vector<int> zooms;
    std::vector<int> screens;
    int startZoom = 0;
};

TEST_F(CachePassTest, WithoutAGsiLayerInBackgroundOneItAsksForOne)
{
    Haikei1Code = 2;
    script->expectMessage(MsgResult::Ok, QStringLiteral("背景1にいずれかの地理院地図を指定してください"));
    haikei().Command10.setValue(true);
    EXPECT_TRUE(zooms.empty());
    EXPECT_EQ(TileScreens, 5);
}

TEST_F(CachePassTest, BelowZoom15ItAsksFirstAndCancelStops)
{
    script->expectMessage(MsgResult::Cancel,
                          QStringLiteral("zoomレベル　14　から　16　までをキャッシュします\r\n"
                                         "より高レベルの地図をキャッシュする時は、表示を拡大してください"));
    drawAndPressCache(5, 8000.0);
    EXPECT_EQ(startZoom, 14);
    EXPECT_EQ(script->records().back().buttons, platform::MsgButtons::OkCancel);
    EXPECT_TRUE(zooms.empty());
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_TRUE(MsgText.endsWith(QStringLiteral("表示を拡大してください")));
}

// From 15 on no question is asked; 地図１８ runs up to zoom 18, the other
// layers up to 17, and a start at 16 or more stops at that maximum.
TEST_F(CachePassTest, ReachesTheLayersHighestLevelWithoutAQuestion)
{
    const struct {
        const char* name;
        std::uint8_t code;
        double eastM;
        int start;
        int highest;
    } rows[] = {
        {"standard map from 16", 5, 2000.0, 16, 17},
        {"zoom-18 map from 16", 6, 2000.0, 16, 18},
        {"standard map from 17", 5, 600.0, 17, 17},
        {"zoom-18 map from 18", 6, 600.0, 18, 18},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TileScreens = 5;
        setTileCache({});
        drawAndPressCache(row.code, row.eastM);
        EXPECT_EQ(startZoom, row.start);
        ASSERT_FALSE(zooms.empty());
        EXPECT_EQ(*std::max_element(zooms.begin(), zooms.end()), row.highest);
        // Tiles of the start level are in the cache since the user's view.
        if (row.start < row.highest)
            EXPECT_EQ(highestZoomAsked(), row.highest);
        else
            EXPECT_LE(highestZoomAsked(), row.highest);
        EXPECT_EQ(TileScreens, 5);
        // The last redraw draws the user's view again.
        EXPECT_EQ(screens.back(), 5);
        EXPECT_EQ(screens.front(), 1);
        EXPECT_FALSE(haikeiState().cachePassRunning);
    }
    EXPECT_TRUE(script->records().empty());
}

// A drawing that never raises the zoom (a view the tiles do not reach, a
// drawing that fails): the pass ends, no screen count passes 255, and the
// user's value comes back.
TEST_F(CachePassTest, AZoomThatNeverRisesEndsThePass)
{
    int drawings = 0;
    backgroundServices().tileMosaic = [&drawings](render::PlotFace&, std::uint8_t&) {
        ++drawings;
        TileZoom = 12;
    };
    TileScreens = 7;
    script->expectMessage(MsgResult::Ok);  // the question below 15
    drawAndPressCache(5, 1000.0);
    EXPECT_EQ(TileScreens, 7);
    ASSERT_FALSE(screens.empty());
    EXPECT_LE(*std::max_element(screens.begin(), screens.end()), 255);
    EXPECT_LT(drawings, 12);
    EXPECT_FALSE(haikeiState().cachePassRunning);
}

// The same against the real mosaic outside the tile area: every drawing
// says so, and the pass still ends with the user's value.
TEST_F(CachePassTest, AViewOutsideTheTileAreaEndsWithTheUsersValue)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    OriginX += 3.0e6;  // far north of the tile area
    ViewCX = OriginX;
    Haikei1Code = 5;
    TileZoom = 16;
    // Screen counts 1 to 5, then the user's view again.
    for (int i = 0; i < 6; ++i)
        script->expectMessage(MsgResult::Ok, QString::fromUtf16(kTilesOutOfAreaMessage));
    haikei().Command10.setValue(true);
    EXPECT_EQ(screens, (std::vector<int>{1, 2, 3, 4, 5, 5}));
    EXPECT_EQ(TileScreens, 5);
    EXPECT_TRUE(server.targets().isEmpty());
}

TEST_F(CachePassTest, ClosingTheDialogDuringThePassEndsItAndASecondStartIsIgnored)
{
    int drawings = 0;
    backgroundServices().tileMosaic = [&drawings](render::PlotFace&, std::uint8_t&) {
        ++drawings;
        TileZoom = 10 + drawings;
        if (drawings == 3) {
            // The tile fetching let the user press the button again, then
            // close the dialog.
            haikei().Command10.setValue(true);
            EXPECT_TRUE(haikeiForm().unload());
        }
    };
    TileScreens = 9;
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    Haikei1Code = 5;
    TileZoom = 15;
    haikei().Command10.setValue(true);
    EXPECT_EQ(drawings, 4);  // the third drawing, then the user's view again
    EXPECT_EQ(TileScreens, 9);
    EXPECT_EQ(screens.back(), 9);
    EXPECT_FALSE(haikeiState().cachePassRunning);
    EXPECT_TRUE(script->records().empty());
}

}  // namespace
}  // namespace tavelcor::backgroundtest
