// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/gsi_tiles.h"

#include "geodesy/constants.h"
#include "geodesy/plane_rectangular.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {
namespace {

constexpr int kLowestZoom = 5;
constexpr int kHighestZoom = 18;
constexpr double kWidthAtLowestZoom = 1024000.0;
// log10(tan(45° + 85.0511°/2)): the Mercator ordinate of the tiles' north
// edge, so that m runs from -1 to 1 over the whole grid.
constexpr double kMercatorEdge = 1.36437635384188;

// Decimal digits of a whole number, its last 7 kept behind "0000000".
QString lastSevenDigits(long long value)
{
    return (QStringLiteral("0000000") + QString::number(value)).right(7);
}

// Int() of a tile coordinate; a value that is no number (a latitude of 90°
// or beyond) counts as 0, and no value leaves the range of the key digits
// by more than the key can show.
long long wholeTileNumber(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<long long>(std::floor(std::clamp(value, -1e15, 1e15)));
}

double arcSin(double x)
{
    return std::atan(x / std::sqrt(1.0 - x * x));
}

double hyperbolicTangent(double x)
{
    return (std::exp(x) - std::exp(-x)) / (std::exp(-x) + std::exp(x));
}

double northLatitude(long long row, double n)
{
    const double pi = geodesy::kPi;
    return arcSin(hyperbolicTangent(pi - 2.0 * pi * static_cast<double>(row) / n)) * 180.0 / pi;
}

struct Layer {
    const char* name;
    int lowest;
    int highest;
    const char* addressExtension;
};

Layer layerOf(std::uint8_t code, int photo)
{
    if (photo == 1) {
        switch (code) {
        case 7:
            return {"seamlessphoto", 5, 17, ".jpg"};
        case 8:
            return {"gazo1", 10, 17, ".jpg"};
        case 9:
            return {"ort_old10", 10, 17, ".png"};
        default:
            break;
        }
    }
    return {"std", kLowestZoom, kHighestZoom, ".png"};
}

QString fileExtension(std::uint8_t code, int photo)
{
    if (photo != 1)
        return QStringLiteral(".png");
    if (code == 8)
        return QStringLiteral(".jpeg");
    if (code == 9)
        return QStringLiteral(".png");
    return QStringLiteral(".jpg");
}

}  // namespace

double nominalTileWidth(int zoom)
{
    return std::ldexp(kWidthAtLowestZoom, kLowestZoom - zoom);
}

int chooseTileZoom(double viewWidthM, int tileScreens, std::uint8_t code)
{
    int level = kLowestZoom - 1;
    for (int z = code == 6 ? kHighestZoom : kHighestZoom - 1; z >= kLowestZoom; --z) {
        if (tileScreens * nominalTileWidth(z) > viewWidthM) {
            level = z;
            break;
        }
    }
    if (tileScreens < 3 && level > 15)
        level = 15;
    return level;
}

QString tileKeyOf(long long column, long long row)
{
    return lastSevenDigits(column) + lastSevenDigits(row);
}

QString TileKey(double latDeg, double lonDeg, int zoom)
{
    const double pi = geodesy::kPi;
    const double n = std::ldexp(1.0, zoom);
    const long long column = wholeTileNumber((lonDeg + 180.0) / (360.0 / n));
    const double m = std::log10(std::tan((45.0 + latDeg / 2.0) * pi / 180.0)) / kMercatorEdge;
    const long long row = wholeTileNumber(n / 2.0 - m * n / 2.0);
    return tileKeyOf(column, row);
}

TileColumnRow columnRowOf(const QString& key)
{
    return {static_cast<long long>(platform::Val(key.left(7))),
            static_cast<long long>(platform::Val(key.right(7)))};
}

TileCorner TileCorners(const QString& key, int zoom, int zone)
{
    const TileColumnRow tile = columnRowOf(key);
    const double n = std::ldexp(1.0, zoom);
    const double west = static_cast<double>(tile.column) * 360.0 / n - 180.0;
    const double east = static_cast<double>(tile.column + 1) * 360.0 / n - 180.0;
    const double north = northLatitude(tile.row, n);
    const double south = northLatitude(tile.row + 1, n);
    const auto x = [zone](double lat, double lon) {
        return static_cast<float>(geodesy::BLtoXY(lat * 10000.0, lon * 10000.0, zone, 0));
    };
    const auto y = [zone](double lat, double lon) {
        return static_cast<float>(geodesy::BLtoXY(lat * 10000.0, lon * 10000.0, zone, 1));
    };
    TileCorner c;
    c.TileNWX = x(north, west);
    c.TileNWY = y(north, west);
    c.TileSEX = x(south, east);
    c.TileSEY = y(south, east);
    c.TileNEX = x(north, east);
    c.TileNEY = y(north, east);
    c.TileSWX = x(south, west);
    c.TileSWY = y(south, west);
    return c;
}

QString tileLayerName(std::uint8_t code, int photo, int zoom)
{
    const Layer layer = layerOf(code, photo);
    if (zoom < layer.lowest || zoom > layer.highest)
        return {};
    return QString::fromLatin1(layer.name);
}

QString tileListName(const QString& key, std::uint8_t code, int photo)
{
    const QString name = key + fileExtension(code, photo);
    return code == 9 ? QStringLiteral("Q") + name : name;
}

QString tileAddress(const QString& base, const QString& key, int zoom, std::uint8_t code, int photo)
{
    const QString layer = tileLayerName(code, photo, zoom);
    if (layer.isEmpty())
        return {};
    const TileColumnRow tile = columnRowOf(key);
    return base + QStringLiteral("/xyz/") + layer + u'/' + QString::number(zoom) + u'/'
           + QString::number(tile.column) + u'/' + QString::number(tile.row)
           + QString::fromLatin1(layerOf(code, photo).addressExtension);
}

double planeToDegrees(double x, double y, int zone, int which)
{
    return geodesy::DmsToDeg(geodesy::XYtoBL(x, y, zone, which) / 10000.0);
}

bool outsideTileArea(const ViewCorners& c)
{
    return c.northWestLat < 20 || c.northWestLat > 55 || c.northWestLon < 100 || c.northWestLon > 150
           || c.southEastLat < 10 || c.southEastLat > 49 || c.southEastLon < 120 || c.southEastLon > 170;
}

}  // namespace tavelcor
