// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The GSI map tile mosaic: the tile step of plot.Haikei_Draw for the layer
// codes 5 to 9. It chooses the zoom level from the view's width, checks that
// the view lies in the area the tiles are drawn for, converts the tile edges
// into plane rectangular coordinates of the site's zone (ZoneNo), turns the
// mosaic by the meridian convergence, and draws every tile of the view from
// the work folder, fetching the tiles that are not in the tile list from the
// tile service (webServices().tileBase) first.
//
// Between tiles the event loop runs once, so the window stays alive while
// tiles download; a full redraw asked for meanwhile waits until the redraw
// that draws this mosaic has ended, then runs once from the event loop
// (redraw_hold.h).

#include <QString>

#include <cstdint>

namespace tavelcor {

namespace render {
class PlotFace;
}

/// Messages of the mosaic (OK only).
inline constexpr char16_t kTilesZoomedOutMessage[] = u"縮小しすぎです。「＋」か「全体」をクリックして拡大してください";
inline constexpr char16_t kTilesOutOfAreaMessage[] =
    u"範囲外です。「全体図」か「拡大」または「前画面」　をクリックしてください";
inline constexpr char16_t kNoZoom18Message[] = u"zoom18がない地域です";
/// Said once at the end of a mosaic when the tile service could not be
/// reached or refused tiles: without it the map stays blank without a word.
inline constexpr char16_t kTilesNotFetchedMessage[] =
    u"地理院地図のタイルを取得できませんでした。インターネットへの接続と地理院のサーバーの状態を確認してください";

/// Most columns and rows of a mosaic.
inline constexpr int kMosaicGridTop = 99;

/// Module1.GetTile's result: the list name of the tile's file in the work
/// folder ("" when there is none to draw), and whether the tile service
/// could not be reached at all (the mosaic then ends).
struct TileFetch {
    QString file;
    bool connectionLost = false;
    /// The tile was asked for and did not come (a refused request, a reply
    /// other than 200, a file that could not be written).
    bool fetchFailed = false;
};

/// Module1.GetTile: the tile `key` at `zoom` of layer `code` with the photo
/// flag `photo` (tileListName() names its file). A name in the tile list is
/// drawn from the work folder; one that is not is fetched first, unless
/// GsiOffline is 1, and listed on success. Without a connection (`netOk`
/// false) nothing is drawn, listed or not. With GsiOffline 1 the name is
/// given whether listed or not (a missing file draws nothing).
///
/// The download switches between two modes (TileDlMode): 0 the file
/// download; after its failure the same tile is fetched at once in mode 1,
/// the request whose body is written to the file, which stays on while its
/// replies are 200 and gives way to mode 0 at the first other status. A
/// layer without a name at this zoom is not requested and fails.
TileFetch GetTile(const QString& key, int zoom, int photo, std::uint8_t code, bool netOk);

/// The mosaic of layer `code` (5..9) into the face's picture. Sets TileZoom,
/// TileRotation (kept when the convergence cannot be computed). A view too
/// wide for zoom 5, or needing more than 99 columns or rows, shows
/// kTilesZoomedOutMessage; a view outside the tile area
/// kTilesOutOfAreaMessage; both stop Timer5 and draw nothing. A tile that
/// cannot be had is left out (the photo layers try the standard map
/// first); when no tile of a code-6 mosaic can be had, kNoZoom18Message is
/// shown and `code` becomes 5 for good. When the service cannot be reached,
/// or a tile it was asked for is left out, kTilesNotFetchedMessage is shown
/// once at the end of the mosaic (not for the zoom-18 tiles of code 6, whose
/// absence the code-6 rule answers; offline or without a connection no tile
/// is asked for, and nothing is said).
void TileMosaic(render::PlotFace& face, std::uint8_t& code);

}  // namespace tavelcor
