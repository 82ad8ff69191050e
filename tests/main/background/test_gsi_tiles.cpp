// SPDX-License-Identifier: LicenseRef-Tavelcor
// The arithmetic of the GSI map tiles: the zoom chosen for a view, the keys
// (against the standard web tile formula, written out here on its own),
// corners, layer names, list names and addresses, and the accepted area.
#include "geodesy/plane_rectangular.h"
#include "main/background/gsi_tiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tavelcor {
namespace {

// The web tile scheme as map services publish it (OpenStreetMap "Slippy
// map tilenames"): x = floor((lon + 180) / 360 · 2^z), y = floor((1 -
// asinh(tan φ) / π) / 2 · 2^z).
struct WebTile {
    long long x;
    long long y;
};

WebTile webTile(double latDeg, double lonDeg, int zoom)
{
    const double n = std::ldexp(1.0, zoom);
    const double lat = latDeg * std::numbers::pi / 180.0;
    return {static_cast<long long>(std::floor((lonDeg + 180.0) / 360.0 * n)),
            static_cast<long long>(std::floor((1.0 - std::asinh(std::tan(lat)) / std::numbers::pi) / 2.0 * n))};
}

double webTileNorthLatitude(long long y, int zoom)
{
    const double n = std::ldexp(1.0, zoom);
    return std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * static_cast<double>(y) / n))) * 180.0
           / std::numbers::pi;
}

TEST(TileZoom, IsTheFinestLevelWhoseScreensOfTilesAreWiderThanTheView)
{
    const struct {
        const char* name;
        double width;
        int screens;
        std::uint8_t code;
        int zoom;
    } rows[] = {
        {"5 screens, 1000 m: 5 x 250 > 1000", 1000.0, 5, 5, 17},
        {"5 screens, 10000 m: 5 x 2000 is not greater", 10000.0, 5, 5, 13},
        {"code 6, 500 m: 5 x 125 > 500", 500.0, 5, 6, 18},
        {"code 5 never goes beyond 17", 10.0, 5, 5, 17},
        {"2 screens, narrow view: capped at 15", 10.0, 2, 6, 15},
        {"2 screens, code 5: capped at 15", 10.0, 2, 5, 15},
        {"3 screens are not capped", 10.0, 3, 5, 17},
        {"5 screens, 5120 km: none fits", 5120000.0, 5, 5, 4},
        {"5 screens, just below 5120 km: zoom 5", 5119999.0, 5, 5, 5},
        {"99 screens, 10 km", 10000.0, 99, 5, 17},
    };
    for (const auto& row : rows)
        EXPECT_EQ(chooseTileZoom(row.width, row.screens, row.code), row.zoom) << row.name;
}

TEST(TileZoom, NominalWidthsHalveFrom1024kmAtZoom5To125mAtZoom18)
{
    EXPECT_EQ(nominalTileWidth(5), 1024000.0);
    EXPECT_EQ(nominalTileWidth(13), 4000.0);
    EXPECT_EQ(nominalTileWidth(18), 125.0);
}

TEST(TileKeys, JoinSevenDigitColumnAndRow)
{
    EXPECT_EQ(tileKeyOf(116415, 51612), QStringLiteral("01164150051612"));
    EXPECT_EQ(tileKeyOf(0, 51612), QStringLiteral("00000000051612"));
    EXPECT_EQ(columnRowOf(QStringLiteral("01164150051612")).column, 116415);
    EXPECT_EQ(columnRowOf(QStringLiteral("01164150051612")).row, 51612);
}

TEST(TileKeys, TokyoStationAtZoom17MatchesTheWebTileFormula)
{
    const WebTile expected = webTile(35.6812, 139.7671, 17);
    EXPECT_EQ(expected.x, 116423);
    EXPECT_EQ(expected.y, 51613);
    EXPECT_EQ(TileKey(35.6812, 139.7671, 17), QStringLiteral("01164230051613"));
}

TEST(TileKeys, AgreeWithTheWebTileFormulaOverJapanAtEveryZoom)
{
    const double places[][2] = {{24.3, 123.8}, {33.59, 130.4}, {35.0, 135.0}, {43.06, 141.35}, {45.5, 148.9}};
    for (int zoom = 5; zoom <= 18; ++zoom) {
        for (const auto& p : places) {
            const WebTile t = webTile(p[0], p[1], zoom);
            EXPECT_EQ(TileKey(p[0], p[1], zoom), tileKeyOf(t.x, t.y)) << p[0] << "," << p[1] << " z" << zoom;
        }
    }
}

TEST(TileKeys, LongitudeMinus180IsColumn0)
{
    EXPECT_EQ(TileKey(35.0, -180.0, 10).left(7), QStringLiteral("0000000"));
}

TEST(TileCorners, AreTheTileEdgesConvertedIntoTheZone)
{
    const int zoom = 17;
    const QString key = QStringLiteral("01164230051613");
    const TileCorner c = TileCorners(key, zoom, 9);
    const double n = std::ldexp(1.0, zoom);
    const double west = 116423.0 * 360.0 / n - 180.0;
    const double east = 116424.0 * 360.0 / n - 180.0;
    const double north = webTileNorthLatitude(51613, zoom);
    const double south = webTileNorthLatitude(51614, zoom);
    const auto X = [](double lat, double lon) { return geodesy::BLtoXY(lat * 1e4, lon * 1e4, 9, 0); };
    const auto Y = [](double lat, double lon) { return geodesy::BLtoXY(lat * 1e4, lon * 1e4, 9, 1); };
    // single precision of values near 10 km: a few millimetres
    constexpr double tol = 0.01;
    EXPECT_NEAR(c.TileNWX, X(north, west), tol);
    EXPECT_NEAR(c.TileNWY, Y(north, west), tol);
    EXPECT_NEAR(c.TileSEX, X(south, east), tol);
    EXPECT_NEAR(c.TileSEY, Y(south, east), tol);
    EXPECT_NEAR(c.TileNEX, X(north, east), tol);
    EXPECT_NEAR(c.TileNEY, Y(north, east), tol);
    EXPECT_NEAR(c.TileSWX, X(south, west), tol);
    EXPECT_NEAR(c.TileSWY, Y(south, west), tol);
    // a zoom-17 tile near Tokyo is about 245 m across
    EXPECT_NEAR(c.TileSEY - c.TileSWY, 245.0, 5.0);
    EXPECT_GT(c.TileNWX, c.TileSWX);
}

TEST(TileLayers, NamesListNamesAndAddressesByCodePhotoAndZoom)
{
    const QString key = QStringLiteral("01164230051613");
    const QString base = QStringLiteral("http://h");
    const struct {
        std::uint8_t code;
        int photo;
        int zoom;
        const char* listName;
        const char* address;
    } rows[] = {
        {5, 0, 17, "01164230051613.png", "http://h/xyz/std/17/116423/51613.png"},
        {6, 0, 18, "01164230051613.png", "http://h/xyz/std/18/116423/51613.png"},
        {5, 0, 4, "01164230051613.png", ""},
        {7, 1, 17, "01164230051613.jpg", "http://h/xyz/seamlessphoto/17/116423/51613.jpg"},
        {7, 1, 18, "01164230051613.jpg", ""},
        {8, 1, 17, "01164230051613.jpeg", "http://h/xyz/gazo1/17/116423/51613.jpg"},
        {8, 1, 9, "01164230051613.jpeg", ""},
        {8, 0, 9, "01164230051613.png", "http://h/xyz/std/9/116423/51613.png"},
        {9, 1, 10, "Q01164230051613.png", "http://h/xyz/ort_old10/10/116423/51613.png"},
        {9, 0, 17, "Q01164230051613.png", "http://h/xyz/std/17/116423/51613.png"},
        {7, 0, 18, "01164230051613.png", "http://h/xyz/std/18/116423/51613.png"},
    };
    for (const auto& row : rows) {
        const QString which = QStringLiteral("code %1 photo %2 zoom %3").arg(row.code).arg(row.photo).arg(row.zoom);
        EXPECT_EQ(tileListName(key, row.code, row.photo), QString::fromLatin1(row.listName)) << qPrintable(which);
        EXPECT_EQ(tileAddress(base, key, row.zoom, row.code, row.photo), QString::fromLatin1(row.address))
            << qPrintable(which);
    }
}

TEST(TileArea, EachCornerHasItsOwnLimits)
{
    const ViewCorners inside{35.7, 139.7, 35.6, 139.8};
    EXPECT_FALSE(outsideTileArea(inside));
    const struct {
        const char* name;
        ViewCorners corners;
        bool outside;
    } rows[] = {
        {"north-west latitude 19.9", {19.9, 139.7, 19.8, 139.8}, true},
        {"north-west latitude 20", {20.0, 139.7, 19.8, 139.8}, false},
        {"north-west latitude 55.1", {55.1, 139.7, 45.0, 139.8}, true},
        {"north-west longitude 99.9", {35.7, 99.9, 35.6, 139.8}, true},
        {"north-west longitude 150.1", {35.7, 150.1, 35.6, 160.0}, true},
        {"south-east latitude 9.9", {35.7, 139.7, 9.9, 139.8}, true},
        {"south-east latitude 49.1", {50.0, 139.7, 49.1, 139.8}, true},
        {"south-east longitude 119.9", {35.7, 110.0, 35.6, 119.9}, true},
        {"south-east longitude 170.1", {35.7, 149.0, 35.6, 170.1}, true},
        {"south-east longitude 170", {35.7, 149.0, 35.6, 170.0}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(outsideTileArea(row.corners), row.outside) << row.name;
}

}  // namespace
}  // namespace tavelcor
