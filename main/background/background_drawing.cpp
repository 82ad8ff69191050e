// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/background_drawing.h"

#include "main/background/haikei.h"
#include "main/background/profile_command.h"
#include "main/background/raster_set.h"
#include "main/background/raster_drawing.h"
#include "main/background/tile_mosaic.h"
#include "main/background/web_maps.h"
#include "main/background/web_requests.h"
#include "main/render/plot_face.h"
#include "main/render/plot_render.h"
#include "main/render/render_state.h"
#include "main/render/view_services.h"
#include "main/site/settings_file.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/canvas/picture_blend.h"
#include "platform/prompt/prompter.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {

namespace {

constexpr std::uint8_t kSnapshotCode = 0;
constexpr std::uint8_t kPreviewCode = 4;
constexpr std::uint8_t kFirstTileCode = 5;
constexpr std::uint8_t kStandardMapCode = 5;
constexpr int kTemporarySlot = 3;
constexpr std::uint8_t kDeferredRedraw = 9;
// The veil's opacity per brightness level, of 255.
constexpr int kVeilPerLevel = 50;
// An image count that forces the switch to the standard map.
constexpr int kSwitchCount = 100000;

// The view rectangle of the plot in its user units.
struct View {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

View viewOf(const platform::Canvas& canvas)
{
    return {canvas.ScaleLeft(), canvas.ScaleTop(), canvas.ScaleWidth(), canvas.ScaleHeight()};
}

bool emptyName(int slot, int row)
{
    return row > kHaikeiRowTop || HaikeiFile(slot, row).trimmed().isEmpty();
}

// An overview image: "_0" just before the first "." of its file name.
bool isOverviewImage(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QStringView name = QStringView(path).mid(separator + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 2 && name.mid(dot - 2, 2) == u"_0";
}

// Detail level of a user raster's rows for this view, from the size of the
// slot's first image: 1 close (detail images), 0 far (overview images).
// A view far wider than the first image asks for the standard map at once.
struct Level {
    int detail = 1;
    bool standardMap = false;
};

Level levelFor(int slot, const View& view)
{
    Level level;
    if (slot == kTemporarySlot)
        return level;
    const double k = TileScreens / 3.0;
    const double h0 = std::fabs(HaikeiXMin(slot, 0) - HaikeiXMax(slot, 0));
    const double w0 = std::fabs(HaikeiYMin(slot, 0) - HaikeiYMax(slot, 0));
    if (view.height > k * h0 || view.width > k * w0) {
        level.detail = 0;
        // An image without width cannot be compared with the view.
        level.standardMap = w0 > 0.0 && view.width / w0 > 4.0 * TileScreens;
    }
    return level;
}

// Draws row `row` of `slot` when it meets the view and its level fits;
// true when it was drawn.
bool drawRow(render::PlotFace& face, int slot, int row, const View& view, int detail)
{
    const double margin = 0.0005 * view.width;
    const double top = (OriginX - HaikeiXMax(slot, row)) - margin;
    const double left = (HaikeiYMin(slot, row) - OriginY) - margin;
    const double bottom = (OriginX - HaikeiXMin(slot, row)) + margin;
    const double right = (HaikeiYMax(slot, row) - OriginY) + margin;
    const bool meets = !(right < view.left || left > view.left + view.width || bottom < view.top
                         || top > view.top + view.height);
    if (!meets)
        return false;
    const bool overview = isOverviewImage(HaikeiFile(slot, row));
    if (overview == (detail == 1))
        return false;
    const RasterEdges image{top, left, bottom, right};
    const RasterEdges shown{view.top, view.left, view.top + view.height, view.left + view.width};
    DrawRaster(HaikeiFile(slot, row), image, shown, 0.0F, 1.0F, plotRasterTarget(face));
    return true;
}

enum class RowsEnd { Done, Tiles };

// The rows of a slot from `first`; Tiles when the standard map takes over.
RowsEnd drawRows(render::PlotFace& face, int slot, int first, const View& view)
{
    int images = 0;
    for (int row = first;; ++row) {
        const Level level = levelFor(slot, view);
        if (level.standardMap)
            images = kSwitchCount;
        if (drawRow(face, slot, row, view, level.detail))
            ++images;
        if (slot == kTemporarySlot || emptyName(slot, row + 1))
            return RowsEnd::Done;
        if (images > 100 * TileScreens)
            return RowsEnd::Tiles;
    }
}

void drawTiles(render::PlotFace& face, std::uint8_t& code)
{
    stopTimer5();
    if (Plot* window = plotForm().ifLoaded()) {
        if (GsiOffline == 0) {
            window->Timer5.setInterval(kTileQuestionDelayMs);
            window->Timer5.setEnabled(true);
        }
    }
    if (const auto& mosaic = backgroundServices().tileMosaic)
        mosaic(face, code);
}

void veil(render::PlotFace& face, std::uint8_t code)
{
    HaikeiBright[0] = code <= kHaikeiLayerTop ? HaikeiBright[code] : 0;
    const int level = HaikeiBright[0];
    if (level <= 0)
        return;
    platform::Canvas& canvas = face.picture();
    platform::veilWithWhite(canvas.imageForEdit(), kVeilPerLevel * level);
    // The box's own line drawing shows the veiled picture.
    canvas.Line(0.0, 0.0, 0.0, 0.0, platform::QBColor(0));
    canvas.Refresh();
}

}  // namespace

BackgroundServices& backgroundServices()
{
    static BackgroundServices services;
    return services;
}

void Haikei_Draw(render::PlotFace& face, std::uint8_t& code)
{
    // The fit keeps the wanted extents: when the redraw has fitted the view
    // already, a second fit would take the widened extents for them.
    const double wantedX = FitSpanX;
    const double wantedY = FitSpanY;
    const bool fitted = render::justsc(face);
    FitSpanX = wantedX;
    FitSpanY = wantedY;
    // A plot without width or height shows nothing.
    if (!fitted)
        return;
    platform::Canvas& canvas = face.picture();
    const View view = viewOf(canvas);
    if (RedrawCause != kDeferredRedraw)
        canvas.Cls();
    if (code >= kFirstTileCode) {
        drawTiles(face, code);
        veil(face, code);
        return;
    }
    const int slot = (code == kSnapshotCode || code == kPreviewCode) ? kTemporarySlot : code - 1;
    const int first = code == kPreviewCode ? 1 : 0;
    if (!emptyName(slot, first)) {
        if (drawRows(face, slot, first, view) == RowsEnd::Tiles) {
            const std::uint8_t remembered = code;
            code = kStandardMapCode;
            drawTiles(face, code);
            code = remembered;
        } else if (slot == kTemporarySlot) {
            return;
        }
    }
    // The snapshot is a copy of a picture that was veiled already.
    if (code != kSnapshotCode)
        veil(face, code);
}

void Timer5_Timer(Plot& window)
{
    window.Timer5.setEnabled(false);
    if (GsiOffline != 0)
        return;
    const platform::MsgResult answer =
        platform::MsgBox(QString::fromUtf16(kStopGsiQuestion), platform::MsgButtons::YesNo);
    if (answer == platform::MsgResult::Yes) {
        GsiOffline = 1;
        const auto& passRunning = backgroundServices().tileCachePassRunning;
        if (passRunning ? passRunning() : haikeiState().cachePassRunning)
            TileScreens = TileScreensSaved;
        if (SaveSettings([&window] { window.Timer3.setEnabled(true); }).failed())
            platform::MsgBox(QStringLiteral("保存に失敗しました"));
        return;
    }
    window.Timer5.setInterval(kTileQuestionAgainMs);
    window.Timer5.setEnabled(true);
}

void stopTimer5()
{
    if (Plot* window = plotForm().ifLoaded())
        window->Timer5.setEnabled(false);
}

void wireBackground(Plot& window)
{
    window.Timer5.Timer = [&window] { Timer5_Timer(window); };
    wireWebMaps(window);
    wireElevationProfile(window);
    wireHaikei(window);
    installBackgroundCalls();
    backgroundServices().tileMosaic = [](render::PlotFace& face, std::uint8_t& code) { TileMosaic(face, code); };
    viewServices().geocode = [](const QString& place) { return Geocode(place); };
}

void installBackgroundCalls()
{
    render::BackgroundCalls& calls = render::renderState().hooks.background;
    calls.Haikei_Draw = [](render::PlotFace& face, std::uint8_t& code) { Haikei_Draw(face, code); };
    calls.BlendPictures = [](platform::Canvas& first, platform::Canvas& second, platform::Canvas& target,
                             std::int16_t percent) { BlendPictures(first, second, target, percent); };
    calls.rasterSetShown = [] {
        const auto& shown = backgroundServices().rasterSetShown;
        return shown ? shown() : rasterSetShown();
    };
}

}  // namespace tavelcor
