// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The arithmetic of the GSI map tiles: the usual web tile scheme (Web
// Mercator, zoom z, 2^z columns and rows, column 0 at longitude -180, row 0
// at the north edge), the zoom level chosen for a view, the 14-character
// tile key, the corners of a tile in plane rectangular coordinates of the
// site's zone, the layer table and the names under which tiles are kept in
// the work folder. No window, no request.
//
// Layers by code and photo flag (the photo flag is 1 for codes 7 to 9, 0
// for the others and for the standard-map fall-back of the photo layers):
//
//   code  photo  layer            zooms    file ext  address ext  list name
//   5, 6  0      "std"            5..18    .png      .png         key & ext
//   7     1      "seamlessphoto"  5..17    .jpg      .jpg         key & ext
//   8     1      "gazo1"          10..17   .jpeg     .jpg         key & ext
//   9     1      "ort_old10"      10..17   .png      .png         "Q" & key & ext
//   7, 8  0      "std"            5..18    .png      .png         key & ext
//   9     0      "std"            5..18    .png      .png         "Q" & key & ext

#include <QString>

#include <cstdint>

namespace tavelcor {

/// Nominal width of a tile at zoom 5..18 in metres, used only to choose the
/// zoom: 1024000 at 5, halving with each level down to 125 at 18.
double nominalTileWidth(int zoom);

/// The zoom level of a mosaic for a view `viewWidthM` metres wide: from 17
/// (18 for code 6) down to 5, the first level z with tileScreens × T(z) >
/// the width, else 4; at most 15 when tileScreens is below 3. A level below
/// 5 means the view is too wide for map tiles.
int chooseTileZoom(double viewWidthM, int tileScreens, std::uint8_t code);

/// The key of a column and row: each as its last 7 decimal digits, zero
/// padded; column 116415, row 51612 give «01164150051612».
QString tileKeyOf(long long column, long long row);

/// Module1.TileKey: the key of the tile holding latitude `latDeg`, longitude
/// `lonDeg` (decimal degrees) at `zoom`.
QString TileKey(double latDeg, double lonDeg, int zoom);

/// Column and row of a key: the values of its first and last 7 characters.
struct TileColumnRow {
    long long column = 0;
    long long row = 0;
};
TileColumnRow columnRowOf(const QString& key);

/// The corners of a tile in absolute plane metres of a zone (X north,
/// Y east), single precision: north-west, south-east, north-east, south-west.
struct TileCorner {
    float TileNWX = 0, TileNWY = 0;
    float TileSEX = 0, TileSEY = 0;
    float TileNEX = 0, TileNEY = 0;
    float TileSWX = 0, TileSWY = 0;
};

/// Module1.TileCorners: the corners of tile `key` at `zoom`, converted into
/// `zone`.
TileCorner TileCorners(const QString& key, int zoom, int zone);

/// The layer name of a code and photo flag at a zoom: "" when the zoom lies
/// outside the layer's levels (no tile can be had).
QString tileLayerName(std::uint8_t code, int photo, int zoom);

/// The name of the tile's file in the work folder and in the tile list.
QString tileListName(const QString& key, std::uint8_t code, int photo);

/// The tile's address: base, "/xyz/", layer, "/", zoom, "/", column, "/",
/// row (decimal, no leading zeros) and the layer's address extension. ""
/// when the layer has no name at this zoom.
QString tileAddress(const QString& base, const QString& key, int zoom, std::uint8_t code, int photo);

/// Latitude (`which` 0) or longitude (1) in decimal degrees of absolute
/// plane X, Y of a zone: DmsToDeg(XYtoBL(x, y, zone, which) / 10000).
double planeToDegrees(double x, double y, int zone, int which);

/// Latitude and longitude (decimal degrees) of the view's corners.
struct ViewCorners {
    double northWestLat = 0, northWestLon = 0;
    double southEastLat = 0, southEastLon = 0;
};

/// True when the view lies outside the area the map tiles are drawn for:
/// north-west latitude outside 20..55 or longitude outside 100..150,
/// south-east latitude outside 10..49 or longitude outside 120..170.
bool outsideTileArea(const ViewCorners& corners);

}  // namespace tavelcor
