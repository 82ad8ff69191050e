// SPDX-License-Identifier: LicenseRef-Tavelcor
// The GSI map tile mosaic against a local tile server: what is asked, what
// is listed and cached, where the tiles land, the two download modes, the
// fall-backs, the messages that end a mosaic, and a redraw asked for while
// the tiles download.
#include "tile_fixture.h"

#include "geodesy/plane_geometry.h"
#include "main/render/plot_render.h"
#include "main/render/render_state.h"

#include <QFile>

#include <cmath>
#include <numbers>
#include <set>

namespace tavelcor::backgroundtest {
namespace {

constexpr double kTokyoLat = 35.6812;
constexpr double kTokyoLon = 139.7671;
// The origin of zone 9 lies on its central meridian.
constexpr double kMeridianLat = 36.0;
constexpr double kMeridianLon = 139.0 + 50.0 / 60.0;

const QString kZoomedOut = QString::fromUtf16(kTilesZoomedOutMessage);
const QString kOutOfArea = QString::fromUtf16(kTilesOutOfAreaMessage);

class MosaicTest : public TileFixture {
protected:
    /// True when the tiles cover the picture but for seams one pixel wide
    /// between them: tiles are placed on whole pixels, so neighbours may
    /// leave a pixel's gap.
    bool coveredButForSeams()
    {
        const QImage& picture = canvas().image();
        const auto white = [&](int x, int y) {
            return x < 0 || y < 0 || x >= picture.width() || y >= picture.height()
                   || platform::fromQRgb(picture.pixel(x, y)) == kWhite;
        };
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (white(x, y) && (white(x - 1, y) || white(x + 1, y)) && (white(x, y - 1) || white(x, y + 1))) {
                    ADD_FAILURE() << "uncovered at " << x << ", " << y;
                    return false;
                }
            }
        }
        return true;
    }

    QSet<QString> layersAsked() const
    {
        const QStringList layers = requestedLayers();
        return {layers.begin(), layers.end()};
    }
};

TEST_F(MosaicTest, TokyoStationAtZoom17IsAskedByItsStandardPathAndListed)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    EXPECT_EQ(drawLayer(5), 5);
    EXPECT_EQ(TileZoom, 17);
    EXPECT_TRUE(server.targets().contains("/xyz/std/17/116423/51613.png"));
    EXPECT_EQ(layersAsked(), QSet<QString>{QStringLiteral("std/17")});
    // each tile asked once, listed under its key, its file in the work folder
    const std::set<QByteArray> distinct(server.targets().begin(), server.targets().end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(server.targets().size()));
    EXPECT_EQ(TileCacheCount, server.targets().size());
    EXPECT_TRUE(listed().contains(QStringLiteral("01164230051613.png")));
    EXPECT_TRUE(QFile::exists(WorkFolder + QStringLiteral("/01164230051613.png")));
    EXPECT_TRUE(coveredButForSeams());
}

TEST_F(MosaicTest, ACachedTileIsDrawnWithoutARequest)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    drawLayer(5);
    const QImage first = canvas().image().copy();
    server.clearTargets();
    canvas().imageForEdit().fill(Qt::black);
    drawLayer(5);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_EQ(canvas().image(), first);
}

// Every tile whose centre lies in the picture shows its own colour at the
// pixel where the tile's corners, converted on their own here, put that
// centre.
TEST_F(MosaicTest, EachTileLandsWhereItsCornersPutIt)
{
    const struct {
        const char* name;
        double lat;
        double lon;
        double eastM;
        int zoom;
    } rows[] = {
        {"zoom 17 on the central meridian", kMeridianLat, kMeridianLon, 1000.0, 17},
        {"zoom 8 off the meridian, unturned", 36.0, 140.6, 500000.0, 8},
        {"zoom 14 off the meridian, turned", 36.0, 140.6, 8000.0, 14},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        server.clearTargets();
        setTileCache({});
        centreOn(row.lat, row.lon, row.eastM);
        drawLayer(5);
        ASSERT_EQ(TileZoom, row.zoom);
        const platform::Canvas& c = canvas();
        int checked = 0;
        for (const QByteArray& target : server.targets()) {
            const TileRequest tile = *tileRequestOf(target);
            const double n = std::ldexp(1.0, tile.zoom);
            const double lon = (static_cast<double>(tile.column) + 0.5) * 360.0 / n - 180.0;
            const double lat = std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * (tile.row + 0.5) / n))) * 180.0
                               / std::numbers::pi;
            const double x = geodesy::BLtoXY(lat * 1e4, lon * 1e4, ZoneNo, 0);
            const double y = geodesy::BLtoXY(lat * 1e4, lon * 1e4, ZoneNo, 1);
            const int px = static_cast<int>(std::floor((y - OriginY - c.ScaleLeft()) / c.ScaleWidth() * 300.0));
            const int py = static_cast<int>(std::floor((OriginX - x - c.ScaleTop()) / c.ScaleHeight() * 200.0));
            if (px < 2 || px > 297 || py < 2 || py > 197)
                continue;
            ++checked;
            EXPECT_EQ(pixel(px, py), tileColor(tile.column, tile.row)) << target.constData();
        }
        EXPECT_GE(checked, 2);
    }
}

TEST_F(MosaicTest, AtZoom8OrLessNothingIsTurnedAndAbove8TheConvergenceTurnsIt)
{
    TileRotation = 7.0F;
    centreOn(36.0, 140.6, 500000.0);
    drawLayer(5);
    EXPECT_EQ(TileZoom, 8);
    EXPECT_EQ(TileRotation, 0.0F);

    centreOn(36.0, 140.6, 8000.0);
    drawLayer(5);
    EXPECT_EQ(TileZoom, 14);
    EXPECT_LT(TileRotation, -0.3F) << "east of the meridian the reversed convergence is negative";
    EXPECT_GT(TileRotation, -0.5F);
}

TEST_F(MosaicTest, Code8IsListedAsJpegAndFetchedAsJpgFromGazo1)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    drawLayer(8);
    EXPECT_EQ(TileZoom, 17);
    EXPECT_EQ(layersAsked(), QSet<QString>{QStringLiteral("gazo1/17")});
    EXPECT_TRUE(server.targets().contains("/xyz/gazo1/17/116423/51613.jpg"));
    EXPECT_TRUE(listed().contains(QStringLiteral("01164230051613.jpeg")));
    EXPECT_TRUE(coveredButForSeams());
}

TEST_F(MosaicTest, Code8AtZoom9HasNoPhotoLayerAndShowsTheStandardMap)
{
    centreOn(36.0, 139.8, 200000.0);
    drawLayer(8);
    EXPECT_EQ(TileZoom, 9);
    EXPECT_EQ(layersAsked(), QSet<QString>{QStringLiteral("std/9")})
        << "no request without a layer name";
    for (const QString& name : listed())
        EXPECT_TRUE(name.endsWith(QStringLiteral(".png"))) << qPrintable(name);
    // The rows are measured on the middle column: 100 km off it a parallel
    // bows about a pixel northwards, so the corners may show a sliver.
    EXPECT_LT(countColor(kWhite), 300 * 200 / 100);
}

TEST_F(MosaicTest, Code9FallsBackToTheStandardMapListedUnderTheOldPhotosName)
{
    server.setHandler([](const QByteArray& target) {
        const TileRequest tile = *tileRequestOf(target);
        if (tile.layer != QStringLiteral("std"))
            return LocalHttpServer::Reply{404, "none"};
        return LocalHttpServer::Reply{200, solidPng(tileColor(tile.column, tile.row)), "image/png"};
    });
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    drawLayer(9);
    EXPECT_TRUE(server.targets().contains("/xyz/ort_old10/17/116423/51613.png"));
    EXPECT_TRUE(server.targets().contains("/xyz/std/17/116423/51613.png"));
    EXPECT_TRUE(listed().contains(QStringLiteral("Q01164230051613.png")));
    EXPECT_FALSE(listed().contains(QStringLiteral("01164230051613.png")));
    EXPECT_TRUE(coveredButForSeams());

    // later found under that name as if it were the old photo
    server.clearTargets();
    drawLayer(9);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_TRUE(coveredButForSeams());
}

TEST_F(MosaicTest, OfflineNoRequestIsMadeListedTilesAreDrawnAndUnlistedLeftOut)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    drawLayer(5);
    // forget one tile: its file gone and its name out of the list
    QStringList names = listed();
    ASSERT_TRUE(names.removeOne(QStringLiteral("01164230051613.png")));
    setTileCache(names);
    ASSERT_TRUE(QFile::remove(WorkFolder + QStringLiteral("/01164230051613.png")));
    server.clearTargets();
    GsiOffline = 1;
    drawLayer(5);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_EQ(countColor(tileColor(116423, 51613)), 0);
    EXPECT_GT(countColor(kWhite), 0);
    EXPECT_GT(countColor(tileColor(116424, 51613)) + countColor(tileColor(116422, 51613)), 0);
}

TEST_F(MosaicTest, WithoutAConnectionNothingIsDrawnNotEvenCachedTiles)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    drawLayer(5);
    server.clearTargets();
    netState = QStringLiteral("non");
    drawLayer(5);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_EQ(countColor(kWhite), 300 * 200);
}

TEST_F(MosaicTest, WhenNoTileOfZoom18CanBeHadTheLayerBecomesTheStandardMap)
{
    server.setHandler([](const QByteArray&) { return LocalHttpServer::Reply{404, "none"}; });
    int switched = 0;
    backgroundServices().zoom18Missing = [&switched] { ++switched; };
    centreOn(kTokyoLat, kTokyoLon, 500.0);
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kNoZoom18Message));
    EXPECT_EQ(drawLayer(6), 5);
    EXPECT_EQ(TileZoom, 18);
    EXPECT_EQ(switched, 1);
    EXPECT_EQ(layersAsked(), QSet<QString>{QStringLiteral("std/18")});
}

TEST_F(MosaicTest, WithoutAConnectionZoom18EndsInTheStandardMapToo)
{
    netState = QStringLiteral("non");
    centreOn(kTokyoLat, kTokyoLon, 500.0);
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kNoZoom18Message));
    EXPECT_EQ(drawLayer(6), 5);
    EXPECT_TRUE(server.targets().isEmpty());
}

TEST_F(MosaicTest, OfflineZoom18NeverCountsFailures)
{
    GsiOffline = 1;
    centreOn(kTokyoLat, kTokyoLon, 500.0);
    EXPECT_EQ(drawLayer(6), 6);  // no message: the scripted prompter would fail
    EXPECT_TRUE(server.targets().isEmpty());
}

TEST_F(MosaicTest, AViewTooWideForZoom5ShowsTheZoomOutMessageAndStopsTimer5)
{
    Plot& window = plot();
    window.Timer5.setEnabled(true);
    const struct {
        const char* name;
        double eastM;
        int screens;
    } rows[] = {{"5 screens, 5120 km", 5120000.0, 5}, {"1 screen, 1100 km", 1100000.0, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TileScreens = static_cast<std::uint8_t>(row.screens);
        centreOn(kTokyoLat, kTokyoLon, row.eastM);
        script->expectMessage(platform::MsgResult::Ok, kZoomedOut);
        drawLayer(5);
        EXPECT_EQ(TileZoom, 4);
        EXPECT_FALSE(window.Timer5.Enabled());
        EXPECT_TRUE(server.targets().isEmpty());
        EXPECT_EQ(countColor(kWhite), 300 * 200);
    }
}

TEST_F(MosaicTest, AViewWhoseNorthWestCornerLiesSouthOf20DegreesIsOutOfArea)
{
    Plot& window = plot();
    window.Timer5.setEnabled(true);
    ZoneNo = 18;  // origin 20°N, 136°E
    centreOn(19.895, 136.0, 1000.0);
    script->expectMessage(platform::MsgResult::Ok, kOutOfArea);
    drawLayer(5);
    EXPECT_FALSE(window.Timer5.Enabled());
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_EQ(countColor(kWhite), 300 * 200);
}

// A view of more than 99 columns does not fit the edge tables: it draws no
// tile and says to zoom out, where the program used to end with an error.
TEST_F(MosaicTest, AGridOfMoreThan99ColumnsDrawsNothingAndAsksToZoomOut)
{
    TileScreens = 99;
    // 99 x 250 m > 24700 m gives zoom 17, whose tiles are 247 m wide here:
    // the view spans 101 columns.
    centreOn(kTokyoLat, kTokyoLon, 24700.0);
    script->expectMessage(platform::MsgResult::Ok, kZoomedOut);
    drawLayer(5);
    EXPECT_EQ(TileZoom, 17);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_EQ(countColor(kWhite), 300 * 200);
}

TEST_F(MosaicTest, AGridOf99ColumnsIsDrawn)
{
    TileScreens = 99;
    // a low picture keeps the rows, and the requests, few
    face = std::make_unique<render::StandalonePlot>(QSize(300, 30));
    centreOn(kTokyoLat, kTokyoLon, 24000.0);
    setView(2400.0, 24000.0);
    drawLayer(5);
    std::set<long long> columns;
    for (const QByteArray& target : server.targets())
        columns.insert(tileRequestOf(target)->column);
    EXPECT_LE(columns.size(), 99U);
    EXPECT_GE(columns.size(), 97U);
    EXPECT_TRUE(coveredButForSeams());
}

// The service cannot be reached at all: the mosaic ends at the first tile
// (after both download modes tried it) instead of waiting for every tile.
TEST_F(MosaicTest, AStoppedServerEndsTheMosaic)
{
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    server.stop();
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kTilesNotFetchedMessage));
    drawLayer(5);
    EXPECT_EQ(TileCacheCount, 0);
    EXPECT_EQ(TileDlMode, 1);
    EXPECT_EQ(countColor(kWhite), 300 * 200);
}

// Tiles that cannot be fetched are said once per mosaic, however many there
// are: a service that refuses connections, or that answers without a tile;
// a mosaic whose tiles all come says nothing.
TEST_F(MosaicTest, TilesThatCannotBeFetchedAreSaidOncePerMosaic)
{
    const QString said = QString::fromUtf16(kTilesNotFetchedMessage);
    EXPECT_EQ(said, QStringLiteral("地理院地図のタイルを取得できませんでした。"
                                   "インターネットへの接続と地理院のサーバーの状態を確認してください"));
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    const struct {
        const char* name;
        int status;  // 0: the connection is refused
        std::uint8_t code;
    } rows[] = {
        {"service_unavailable", 503, 5},
        {"not_found", 404, 5},
        {"photo_and_map_refused", 503, 8},
        {"refused", 0, 5},  // from here on the server stays stopped
        {"refused_zoom18", 0, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        setTileCache({});
        TileDlMode = 0;
        const int status = row.status;
        server.setHandler([status](const QByteArray&) { return LocalHttpServer::Reply{status, "no tile"}; });
        if (status == 0)
            server.stop();
        for (int mosaic = 1; mosaic <= 2; ++mosaic) {
            script->expectMessage(platform::MsgResult::Ok, said);
            EXPECT_EQ(drawLayer(row.code), row.code);
            EXPECT_EQ(script->pending(), 0u);
        }
        EXPECT_EQ(TileCacheCount, 0);
        EXPECT_EQ(countColor(kWhite), 300 * 200);
    }
}

// One tile refused among those that come: the map is drawn, and the one
// missing tile is said once.
TEST_F(MosaicTest, OneRefusedTileAmongOthersIsSaidOnce)
{
    server.setHandler([](const QByteArray& target) {
        const TileRequest tile = *tileRequestOf(target);
        if (tile.column == 116423 && tile.row == 51613)
            return LocalHttpServer::Reply{500, "busy"};
        return LocalHttpServer::Reply{200, solidPng(tileColor(tile.column, tile.row)), "image/png"};
    });
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kTilesNotFetchedMessage));
    drawLayer(5);
    EXPECT_FALSE(listed().contains(QStringLiteral("01164230051613.png")));
    EXPECT_EQ(countColor(tileColor(116423, 51613)), 0);
    EXPECT_GT(countColor(tileColor(116424, 51613)) + countColor(tileColor(116422, 51613)), 0);
    // drawn again, the tiles that came are taken from the cache; the one
    // missing is asked for and said again
    server.clearTargets();
    script->expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kTilesNotFetchedMessage));
    drawLayer(5);
    EXPECT_EQ(server.targets().size(), 2);  // both download modes for the one tile
}

// ------------------------------------------------------------ download modes

class GetTileTest : public TileFixture {
protected:
    void SetUp() override
    {
        TileFixture::SetUp();
        // A fails once then answers, B answers, C and D never do.
        server.setHandler([this](const QByteArray& target) {
            const int asked = ++askedCount[target];
            const TileRequest tile = *tileRequestOf(target);
            const bool ok = tile.column == 1 ? asked > 1 : tile.column == 2;
            if (!ok)
                return LocalHttpServer::Reply{tile.column == 1 ? 500 : 404, "no"};
            return LocalHttpServer::Reply{200, solidPng(kRed), "image/png"};
        });
    }

    static QString key(long long column) { return tileKeyOf(column, 100); }

    TileFetch get(long long column) { return GetTile(key(column), 17, 0, 5, true); }

    std::map<QByteArray, int> askedCount;
};

TEST_F(GetTileTest, AFailedFileDownloadTriesTheRequestAtOnceWhichStaysUntilAReplyIsNot200)
{
    TileDlMode = 0;
    EXPECT_EQ(get(1).file, QStringLiteral("00000010000100.png"));
    EXPECT_EQ(server.targets().size(), 2) << "the same tile in the second mode";
    EXPECT_EQ(TileDlMode, 1);

    EXPECT_EQ(get(2).file, QStringLiteral("00000020000100.png"));
    EXPECT_EQ(server.targets().size(), 3);
    EXPECT_EQ(TileDlMode, 1);

    EXPECT_EQ(get(3).file, QString());
    EXPECT_EQ(server.targets().size(), 4) << "a reply other than 200 in the second mode is not retried";
    EXPECT_EQ(TileDlMode, 0);

    EXPECT_EQ(get(4).file, QString());
    EXPECT_EQ(server.targets().size(), 6) << "back in the first mode: a failure tries the second";
    EXPECT_EQ(TileDlMode, 0);

    EXPECT_EQ(listed(), (QStringList{QStringLiteral("00000010000100.png"), QStringLiteral("00000020000100.png")}));
}

TEST_F(GetTileTest, AListedTileIsNotFetchedAndAFullListTakesNoMore)
{
    ASSERT_EQ(get(2).file, QStringLiteral("00000020000100.png"));
    server.clearTargets();
    EXPECT_EQ(get(2).file, QStringLiteral("00000020000100.png"));
    EXPECT_TRUE(server.targets().isEmpty());

    TileCacheCount = kTileCacheTop;
    server.setHandler([](const QByteArray&) { return LocalHttpServer::Reply{200, solidPng(kRed), "image/png"}; });
    EXPECT_EQ(get(5).file, QStringLiteral("00000050000100.png")) << "fetched and drawn, not listed";
    EXPECT_EQ(TileCacheCount, kTileCacheTop);
}

// ------------------------------------------------- a redraw while downloading

TEST_F(MosaicTest, ARedrawAskedForWhileTilesDownloadRunsOnceAfterTheRedrawThatDrawsThem)
{
    installBackgroundCalls();
    Haikei1Code = 5;
    ZahyoMax = 2;  // the redraw draws its layers
    centreOn(kTokyoLat, kTokyoLon, 1000.0);
    int mosaics = 0;
    bool inside = false;
    backgroundServices().tileMosaic = [&](render::PlotFace& f, std::uint8_t& code) {
        EXPECT_FALSE(inside) << "a mosaic ran inside another";
        inside = true;
        ++mosaics;
        TileMosaic(f, code);
        inside = false;
    };
    int asks = 0;
    server.setHandler([&](const QByteArray& target) {
        // a click that redraws arrives while the first tiles download
        if (asks++ < 2)
            render::crtplot(*face);
        const TileRequest tile = *tileRequestOf(target);
        return LocalHttpServer::Reply{200, solidPng(tileColor(tile.column, tile.row)), "image/png"};
    });
    render::crtplot(*face);
    EXPECT_EQ(mosaics, 1);
    const qsizetype requests = server.targets().size();
    EXPECT_GT(requests, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(mosaics, 2) << "the redraw asked for twice ran once";
    EXPECT_EQ(server.targets().size(), requests) << "its tiles were cached by then";
    QCoreApplication::processEvents();
    EXPECT_EQ(mosaics, 2);
}

}  // namespace
}  // namespace tavelcor::backgroundtest
