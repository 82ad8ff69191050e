// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The background drawing: plot.Haikei_Draw draws one background layer into
// the plot surface (a user raster, the snapshot of the last picture, the
// placement preview or a mosaic of GSI map tiles) and lays the layer's
// brightness veil over it; Timer5 asks, 30 s after the last drawing of map
// tiles, whether the program is to stop using the GSI server.
//
// Layer codes: 0 the snapshot (HaikeiRaster slot 3 row 0), 1..3 user rasters
// 1..3 (slots 0..2 from row 0), 4 the placement preview (slot 3 row 1), 5..9
// the GSI tile layers ("地理院地図", "地図１８", "オルソ", "古オル70",
// "古オル60").  Rows hold absolute site metres; a slot's rows end at the
// first file name that is empty after trimming.

#include <QString>

#include <cstdint>
#include <functional>

namespace tavelcor {

namespace render {
class PlotFace;
}

class Plot;

/// What the background drawing calls of the parts built around it.  An
/// empty function does nothing.
struct BackgroundServices {
    /// The tile mosaic of layer code 5..9 (the GSI map tiles); it may change
    /// the code for good (the switch from "地図１８" to "地理院地図") and
    /// stop Timer5.  Empty: the tile step draws nothing.  wireBackground
    /// installs TileMosaic (tile_mosaic.h).
    std::function<void(render::PlotFace&, std::uint8_t& code)> tileMosaic;
    /// The connection state the tile mosaic asks for ("non": no
    /// connection).  Empty: NetState().
    std::function<QString()> netState;
    /// The background settings dialog's switch from "地図１８" to
    /// "地理院地図" after a code-6 mosaic found no tile (it selects the
    /// options of the slots showing "地図１８", and their click redraws).
    /// Empty: the dialog's own switch (switchZoom18Options, haikei.h).
    std::function<void()> zoom18Missing;
    /// Whether the raster placement window RasterSet is shown (asked
    /// without creating it).  Empty: the window's own answer
    /// (rasterSetShown, raster_set.h).
    std::function<bool()> rasterSetShown;
    /// Whether the background dialog's tile-cache pass is under way (it
    /// keeps the user's TileScreens in TileScreensSaved meanwhile).  Empty:
    /// the dialog's own state (haikeiState, haikei.h).
    std::function<bool()> tileCachePassRunning;
};

/// The services of this run.
BackgroundServices& backgroundServices();

/// The question of Timer5.
inline constexpr char16_t kStopGsiQuestion[] = u"地理院サーバーへの接続を停止しますか";
/// Timer5's intervals: after a tile drawing, and after the answer No.
inline constexpr int kTileQuestionDelayMs = 30000;
inline constexpr int kTileQuestionAgainMs = 60000;

/// plot.Haikei_Draw(code): fits the plot to the view (justsc) and clears
/// it unless RedrawCause is 9, then:
/// - codes 0 to 4: draws the rows of the code's slot that meet the view
///   (each row's rectangle enlarged by 0.0005 of the view's width on every
///   side).  For user rasters, a view more than TileScreens / 3 times as
///   high or wide as the first row's image draws only the overview images
///   (named "…_0" before their extension), a closer view only the others;
///   a view more than 4 × TileScreens times as wide as the first image, or
///   one that has needed more than 100 × TileScreens images, draws the
///   standard map (code 5) after the current row and gives the code back
///   before returning.  The snapshot and the preview are one row each and
///   end there, without veil;
/// - codes 5 to 9: restarts Timer5 (30 s, unless GsiOffline) and draws the
///   tile mosaic;
/// then, but for code 0, veils the layer white by 50 × HaikeiBright(code)
/// of 255 (HaikeiBright(0) keeps the level used).  An image that cannot be
/// loaded is passed over; one that cannot be drawn shows "GDI ERROR" and
/// the next row follows.  The procedure may be called again from inside the
/// tile step (a redraw started while tiles download).
void Haikei_Draw(render::PlotFace& face, std::uint8_t& code);

/// Timer5's tick: stops the timer; unless GsiOffline is set, asks
/// kStopGsiQuestion with Yes and No.  Yes sets GsiOffline to 1 (during a
/// tile-cache pass TileScreens first gets TileScreensSaved back) and writes
/// the settings file ("保存に失敗しました" when that fails); No asks again
/// in 60 s.
void Timer5_Timer(Plot& window);

/// Stops Timer5 of the main window when the window is loaded (the tile
/// mosaic's zoom-out and out-of-area messages do).
void stopTimer5();

/// Installs the background drawing, the blend and the placement window's
/// question as the redraw's background calls (render_state.h).
void installBackgroundCalls();

/// Wires Timer5 and the web-map buttons to the main window, installs the
/// background calls, the tile mosaic and the geocoder of the address
/// search.
void wireBackground(Plot& window);

}  // namespace tavelcor
