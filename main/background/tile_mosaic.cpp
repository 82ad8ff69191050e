// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/tile_mosaic.h"

#include "geodesy/constants.h"
#include "geodesy/plane_geometry.h"
#include "geodesy/plane_rectangular.h"
#include "main/background/background_drawing.h"
#include "main/background/gsi_tiles.h"
#include "main/background/haikei.h"
#include "main/background/raster_drawing.h"
#include "main/background/web_services.h"
#include "main/render/plot_face.h"
#include "main/render/redraw_hold.h"
#include "main/site/tables.h"
#include "main/site/tile_list.h"
#include "main/ui/shared_utilities.h"
#include "platform/canvas/canvas.h"
#include "platform/net/http_get.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"

#include <QCoreApplication>
#include <QUrl>

#include <array>
#include <cmath>

namespace tavelcor {
namespace {

constexpr std::uint8_t kStandardMapCode = 5;
constexpr std::uint8_t kZoom18Code = 6;
constexpr std::uint8_t kFirstPhotoCode = 7;
// From this zoom on the mosaic is turned by the meridian convergence.
constexpr int kFirstTurnedZoom = 9;
// Row edges are measured on the west or east column of tall views whose
// north edge lies this far south or north of the zone origin.
constexpr double kFarNorthM = 300000.0;

enum class Fetched { Got, Failed, ConnectionLost };

QUrl tileUrl(const QString& address)
{
    return QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
}

// One download attempt in the modes of TileDlMode; lets events run once
// afterwards (unless the service could not be reached at all).
Fetched download(const QString& address, const QString& path)
{
    const platform::HttpOptions options{webServices().timeoutMs};
    const QUrl url = tileUrl(address);
    bool got = false;
    if (TileDlMode == 0) {
        got = platform::httpGetToFile(url, path, options).ok();
        TileDlMode = got ? 0 : 1;
    }
    if (!got && TileDlMode == 1) {
        const platform::HttpReply reply = platform::httpGet(url, options);
        if (!reply.replied())
            return Fetched::ConnectionLost;
        if (reply.status == 200)
            got = platform::writeFileAtomically(path, reply.body);
        else
            TileDlMode = 0;
    }
    QCoreApplication::processEvents();
    return got ? Fetched::Got : Fetched::Failed;
}

// The view's edges in absolute plane metres.
struct ViewEdges {
    double north = 0, south = 0, west = 0, east = 0;
    double scaleLeft = 0, scaleTop = 0, scaleWidth = 0, scaleHeight = 0;
};

ViewEdges viewEdgesOf(const platform::Canvas& canvas)
{
    ViewEdges v;
    v.scaleLeft = canvas.ScaleLeft();
    v.scaleTop = canvas.ScaleTop();
    v.scaleWidth = canvas.ScaleWidth();
    v.scaleHeight = canvas.ScaleHeight();
    v.north = OriginX - v.scaleTop;
    v.south = v.north - v.scaleHeight;
    v.west = OriginY + v.scaleLeft;
    v.east = v.west + v.scaleWidth;
    return v;
}

ViewCorners cornersOf(const ViewEdges& v)
{
    return {planeToDegrees(v.north, v.west, ZoneNo, 0), planeToDegrees(v.north, v.west, ZoneNo, 1),
            planeToDegrees(v.south, v.east, ZoneNo, 0), planeToDegrees(v.south, v.east, ZoneNo, 1)};
}

void refuse(const char16_t* message)
{
    platform::MsgBox(QString::fromUtf16(message));
    stopTimer5();
}

// The grid of one mosaic: its columns and rows, the edges of the tiles in
// absolute plane metres (east edges E(1..ncols+1), north edges
// N(1..nrows+1)) and the shift that keeps the turned mosaic's middle tile
// in place.
struct Grid {
    int zoom = 0;
    long long west = 0, east = 0, north = 0, south = 0;  // cW, cE, rN, rS
    int columns = 0, rows = 0;
    std::array<double, kMosaicGridTop + 2> E{};
    std::array<double, kMosaicGridTop + 2> N{};
    double shiftX = 0, shiftY = 0;
};

TileCorner cornersOfTile(long long column, long long row, int zoom)
{
    return TileCorners(tileKeyOf(column, row), zoom, ZoneNo);
}

void measureEdges(Grid& g)
{
    const long long middleColumn = (g.east + g.west) / 2;
    const long long middleRow = (g.south + g.north) / 2;
    g.E[1] = cornersOfTile(g.west, middleRow, g.zoom).TileSWY;
    for (int i = 1; i <= g.columns; ++i)
        g.E[i + 1] = cornersOfTile(g.west + i - 1, middleRow, g.zoom).TileSEY;
    g.N[1] = cornersOfTile(middleColumn, g.north, g.zoom).TileNEX;
    long long column = middleColumn;
    if (g.rows >= 3 && g.N[1] < 0)
        column = g.west;
    else if (g.rows >= 3 && g.N[1] > kFarNorthM)
        column = g.east;
    for (int j = 1; j <= g.rows; ++j)
        g.N[j + 1] = cornersOfTile(column, g.north + j - 1, g.zoom).TileSEX;
}

// The turn of the mosaic about the picture's corner moves the middle tile;
// the shift puts its centre back where its corners say.
void turnAndShift(Grid& g)
{
    const TileCorner middle = cornersOfTile((g.east + g.west) / 2, (g.south + g.north) / 2, g.zoom);
    const double cX = (static_cast<double>(middle.TileNWX) + middle.TileSEX) / 2.0;
    const double cY = (static_cast<double>(middle.TileNWY) + middle.TileSEY) / 2.0;
    if (const std::optional<double> turn = geodesy::Convergence(cX, cY, ZoneNo))
        TileRotation = static_cast<float>(*turn);
    if (g.zoom < kFirstTurnedZoom) {
        TileRotation = 0.0F;
        return;
    }
    const geodesy::InverseResult toCentre = geodesy::Inverse(cX - g.N[1], cY - g.E[1]);
    const double angle = (toCentre.angleDeg + TileRotation) * geodesy::kPi / 180.0;
    const double pX = g.N[1] + toCentre.distance * std::cos(angle);
    const double pY = g.E[1] + toCentre.distance * std::sin(angle);
    g.shiftX = cX - pX;
    g.shiftY = cY - pY;
}

void drawTile(render::PlotFace& face, const Grid& g, const ViewEdges& v, const QString& file, int i, int j,
              int photo)
{
    const RasterEdges image{(OriginX - g.N[j]) + g.shiftX, (g.E[i] - OriginY) - g.shiftY,
                            (OriginX - g.N[j + 1]) + g.shiftX, (g.E[i + 1] - OriginY) - g.shiftY};
    const RasterEdges view{v.scaleTop, v.scaleLeft, v.scaleTop + v.scaleHeight, v.scaleLeft + v.scaleWidth};
    // Each tile reaches a little into its east and south neighbours, so
    // that no seam shows between turned tiles.
    const float size = 1.0F + static_cast<float>(g.columns) / (photo == 1 ? 500.0F : 1000.0F);
    DrawRaster(WorkFolder + u'/' + file, image, view, TileRotation, size, plotRasterTarget(face));
}

bool netAvailable()
{
    const auto& netState = backgroundServices().netState;
    return (netState ? netState() : NetState()) != QStringLiteral("non");
}

void fallBackToStandardMap(std::uint8_t& code)
{
    platform::MsgBox(QString::fromUtf16(kNoZoom18Message));
    code = kStandardMapCode;
    if (const auto& switchOptions = backgroundServices().zoom18Missing)
        switchOptions();
    else
        switchZoom18Options();
}

// What a mosaic's tiles came to: whether the service was lost, and whether
// a tile it was asked for is missing from the picture.
struct TilesOutcome {
    bool connectionLost = false;
    bool tileMissing = false;
};

// Fetches and draws every tile, west to east, and north to south in each
// column; ends at the first tile the service cannot be reached for.
TilesOutcome drawTiles(render::PlotFace& face, const Grid& g, const ViewEdges& v, std::uint8_t& code)
{
    const bool netOk = netAvailable();
    const std::uint8_t layer = code;
    int failures = 0;
    TilesOutcome outcome;
    for (int i = 1; i <= g.columns; ++i) {
        for (int j = 1; j <= g.rows; ++j) {
            const QString key = tileKeyOf(g.west + i - 1, g.north + j - 1);
            const int photo = layer >= kFirstPhotoCode ? 1 : 0;
            TileFetch tile = GetTile(key, g.zoom, photo, layer, netOk);
            if (tile.connectionLost)
                return {true, outcome.tileMissing};
            if (!tile.file.isEmpty()) {
                drawTile(face, g, v, tile.file, i, j, photo);
            } else if (layer >= kFirstPhotoCode) {
                tile = GetTile(key, g.zoom, 0, layer, netOk);
                if (tile.connectionLost)
                    return {true, outcome.tileMissing};
                if (!tile.file.isEmpty())
                    drawTile(face, g, v, tile.file, i, j, 0);
                else if (tile.fetchFailed)
                    outcome.tileMissing = true;
            } else if (layer == kZoom18Code) {
                if (++failures == g.columns * g.rows)
                    fallBackToStandardMap(code);
            } else if (tile.fetchFailed) {
                outcome.tileMissing = true;
            }
        }
    }
    return outcome;
}

void drawMosaic(render::PlotFace& face, std::uint8_t& code)
{
    const ViewEdges v = viewEdgesOf(face.picture());
    Grid g;
    g.zoom = chooseTileZoom(v.scaleWidth, TileScreens, code);
    TileZoom = g.zoom;
    if (g.zoom < 5)
        return refuse(kTilesZoomedOutMessage);
    const ViewCorners corners = cornersOf(v);
    if (outsideTileArea(corners))
        return refuse(kTilesOutOfAreaMessage);
    const TileColumnRow nw = columnRowOf(TileKey(corners.northWestLat, corners.northWestLon, g.zoom));
    const TileColumnRow se = columnRowOf(TileKey(corners.southEastLat, corners.southEastLon, g.zoom));
    g.west = nw.column;
    g.north = nw.row;
    g.east = se.column;
    g.south = se.row;
    const long long columns = g.east - g.west + 1;
    const long long rows = g.south - g.north + 1;
    // A grid beyond the edge tables draws nothing: the view is too tall or
    // wide for the screen count.
    if (columns < 1 || rows < 1 || columns > kMosaicGridTop || rows > kMosaicGridTop)
        return refuse(kTilesZoomedOutMessage);
    g.columns = static_cast<int>(columns);
    g.rows = static_cast<int>(rows);
    measureEdges(g);
    turnAndShift(g);
    const TilesOutcome outcome = drawTiles(face, g, v, code);
    if (outcome.connectionLost || outcome.tileMissing)
        platform::MsgBox(QString::fromUtf16(kTilesNotFetchedMessage));
}

}  // namespace

TileFetch GetTile(const QString& key, int zoom, int photo, std::uint8_t code, bool netOk)
{
    const QString name = tileListName(key, code, photo);
    if (findTileName(name) == 0 && netOk && GsiOffline != 1) {
        const QString address = tileAddress(webServices().tileBase, key, zoom, code, photo);
        if (address.isEmpty())
            return {};
        switch (download(address, WorkFolder + u'/' + name)) {
        case Fetched::ConnectionLost:
            return {QString(), true};
        case Fetched::Failed:
            return {QString(), false, true};
        case Fetched::Got:
            appendTileName(name);
            break;
        }
    }
    if (!netOk)
        return {};
    return {name};
}

void TileMosaic(render::PlotFace& face, std::uint8_t& code)
{
    const render::RedrawHold hold;
    drawMosaic(face, code);
}

}  // namespace tavelcor
