// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The background settings dialog Haikei ("背景指定"): what background 1 and
// background 2 show (nothing, one of the three user rasters or one of five
// GSI tile layers), a brightness level per layer, the choice and clearing of
// the three raster definition files, the tile-cache pass over the current
// view, the two-point raster placement, the terms notice, and "前面", which
// keeps the dialog above the other windows.
//
// The dialog keeps no state of its own: what it shows lives in the shared
// variables (Haikei1Code, Haikei2Code, HaikeiBright, HaikeiDef, HaikeiTop),
// so any code may close it at any moment, and each load shows them afresh.
// It is opened by the main window's two "背景" buttons (Command52,
// Command79) and loaded invisibly by the site loader, which drives the
// raster buttons without file dialogs (HaikeiAutoLoad).
//
// The tile-cache pass raises TileScreens step by step so that the drawing
// fetches the tiles of the higher zoom levels. It ends at its own limits
// (zoom 18, zoom 17 unless background 1 is "地図１８", or two levels above
// the start), when the zoom stops rising, and always before TileScreens
// would pass 255. The user's TileScreens always comes back: at the end,
// when the dialog is closed during the pass, and when a second start is
// asked for while it runs (that start is ignored).

#include "main/site/display_settings.h"
#include "platform/forms/forms.h"
#include "platform/prompt/common_dialog.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace tavelcor {

class Plot;

/// The dialog's flags, kept for the whole run (the form itself comes and
/// goes).
struct HaikeiState {
    /// 1 while "背景" prepares and shows the dialog: the options do not redraw.
    std::uint8_t HaikeiOpening = 0;
    /// 1 while the load fills the controls: bars and path labels do not redraw.
    std::uint8_t HaikeiLoading = 0;
    /// A tile-cache pass is under way (TileScreensSaved holds the user's value).
    bool cachePassRunning = false;
    /// The dialog was closed during the pass: the pass ends after its drawing.
    bool cachePassStopAsked = false;
};

HaikeiState& haikeiState();
/// Back to the start of a run (tests).
void resetHaikeiState();

/// What the dialog and the placement window call around them.
struct HaikeiServices {
    /// The full redraw of the plot. Empty: crtplot().
    std::function<void()> redraw;
};

HaikeiServices& haikeiServices();

/// The full redraw through the services.
void redrawBackground();

/// Messages (OK only unless said).
inline constexpr char16_t kRasterDefinitionFailed[] = u"ラスター定義ができません";
inline constexpr char16_t kCacheNeedsGsiLayer[] = u"背景1にいずれかの地理院地図を指定してください";
inline constexpr char16_t kCacheZoomInHint[] = u"より高レベルの地図をキャッシュする時は、表示を拡大してください";
/// The usage-permission notice on the button that opens the terms notice.
inline constexpr char16_t kUsageNoticeCaption[] = u"地図データ：国土地理院（利用規約）";

/// Highest value the cache pass gives TileScreens (an unsigned byte).
inline constexpr int kTileScreensTop = 255;

/// The cache pass's next screen count after `screens`: one more, and one
/// further each time the result passes 5, 10, 15, then two past 20 and
/// three past 25 (2, 3, 4, 5, 7, 9, 12, 15, 19, 25, 34, 43, ...).
int nextCacheScreens(int screens);

class Haikei final : public platform::Form {
public:
    Haikei();

    /// Background 1 options (in Frame1) and background 2 options, by code;
    /// there is no option for code 4.
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::OptionButton Option0{Frame1, QStringLiteral("Option0")};
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::OptionButton Option2{Frame1, QStringLiteral("Option2")};
    platform::OptionButton Option3{Frame1, QStringLiteral("Option3")};
    platform::OptionButton Option5{Frame1, QStringLiteral("Option5")};
    platform::OptionButton Option6{Frame1, QStringLiteral("Option6")};
    platform::OptionButton Option7{Frame1, QStringLiteral("Option7")};
    platform::OptionButton Option8{Frame1, QStringLiteral("Option8")};
    platform::OptionButton Option9{Frame1, QStringLiteral("Option9")};
    platform::OptionButton Option10{*this, QStringLiteral("Option10")};
    platform::OptionButton Option11{*this, QStringLiteral("Option11")};
    platform::OptionButton Option12{*this, QStringLiteral("Option12")};
    platform::OptionButton Option13{*this, QStringLiteral("Option13")};
    platform::OptionButton Option15{*this, QStringLiteral("Option15")};
    platform::OptionButton Option16{*this, QStringLiteral("Option16")};
    platform::OptionButton Option17{*this, QStringLiteral("Option17")};
    platform::OptionButton Option18{*this, QStringLiteral("Option18")};
    platform::OptionButton Option19{*this, QStringLiteral("Option19")};
    /// "明度" and the brightness bars of codes 1..3 and 5..9 (0 to 5).
    platform::Label Label16{*this, QStringLiteral("Label16")};
    platform::HScrollBar HScroll1{*this, QStringLiteral("HScroll1")};
    platform::HScrollBar HScroll2{*this, QStringLiteral("HScroll2")};
    platform::HScrollBar HScroll3{*this, QStringLiteral("HScroll3")};
    platform::HScrollBar HScroll5{*this, QStringLiteral("HScroll5")};
    platform::HScrollBar HScroll6{*this, QStringLiteral("HScroll6")};
    platform::HScrollBar HScroll7{*this, QStringLiteral("HScroll7")};
    platform::HScrollBar HScroll8{*this, QStringLiteral("HScroll8")};
    platform::HScrollBar HScroll9{*this, QStringLiteral("HScroll9")};
    /// The raster rows: "選択", the definition's path, "消".
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::Label Label3{*this, QStringLiteral("Label3")};
    platform::CommandButton Command6{*this, QStringLiteral("Command6")};
    platform::CommandButton Command7{*this, QStringLiteral("Command7")};
    platform::CommandButton Command8{*this, QStringLiteral("Command8")};
    /// The usage notice (opens the terms notice), "地理院地図キャッシュ",
    /// "ラスター２点配置", "前面" and "閉じる".
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};
    platform::CommandButton Command10{*this, QStringLiteral("Command10")};
    platform::CommandButton Command9{*this, QStringLiteral("Command9")};
    platform::CheckBox Check1{*this, QStringLiteral("Check1")};
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};
    /// The definition file chooser ("分割定義ファイル").
    platform::CommonDialog CommonDialog1;

    /// "選択" of raster 1..3: public, for the site loader, which sets
    /// HaikeiAutoLoad and puts the path into CommonDialog1 first.
    void Command1_Click() { chooseRaster(1); }
    void Command2_Click() { chooseRaster(2); }
    void Command3_Click() { chooseRaster(3); }

    /// The steps of "選択" after its file dialog, with the definition at
    /// `path`: shows it in the raster's label, keeps it in HaikeiDef, reads
    /// it into the raster's slot and selects the raster for background 1; a
    /// definition that cannot be read is reported and the raster cleared.
    /// The placement window installs its written definition so. True when
    /// the definition was read.
    bool readRaster(int raster, const QString& path);

    /// The option of `code` (0..9, not 4) for background 1 or 2; nullptr
    /// for a code without one.
    platform::OptionButton* slot1Option(int code);
    platform::OptionButton* slot2Option(int code);
    /// The brightness bar of `code`; nullptr for 0 and 4.
    platform::HScrollBar* brightnessBar(int code);
    platform::Label& pathLabel(int raster);

    /// The brightness bars are this much wider than 990 twips, so that their
    /// six steps have a track to slide in; what lies right of them moves by
    /// as much and the window grows by it.
    static constexpr double kBarGrowth = 600.0;
    /// Client area, twips.
    static constexpr double kClientWidth = 8085.0 + kBarGrowth;
    static constexpr double kClientHeight = 3255.0;

private:
    void design();
    void designRows();
    void wire();
    void Form_Load();
    void Form_Activate();
    void optionClick(int slot, int code);
    void brightnessChange(int code);
    void setPathLabel(int raster, const QString& path);
    void chooseRaster(int raster);
    void clearRaster(int raster);
    void Check1_Click();
    void Command10_Click();
    void Command9_Click();
    void Command4_Click();
    void Command5_Click();

    std::array<platform::OptionButton*, 10> mSlot1{};
    std::array<platform::OptionButton*, 10> mSlot2{};
    std::array<platform::HScrollBar*, 10> mBars{};
};

platform::FormHolder<Haikei>& haikeiForm();
inline Haikei& haikei()
{
    return haikeiForm().instance();
}

/// The dialog as the site loader drives it while HAIKEI.JKN is read.
class HaikeiRasterLoader final : public BackgroundWindow {
public:
    void loadUserRaster(int n, const QString& path) override;
    void unload() override;
};

/// plot.Command52_Click ("背景"): hides XYIN and "SIMA編集", places the
/// dialog below the main window (or at ScreenH - 4100 when that would leave
/// the screen), lists the work folder anew into the tile list and Eld.AR2,
/// and shows the dialog modeless; its activation moves it into the main
/// window's bottom-right corner.
void Command52_Click(Plot& window);
/// plot.Command79_Click: the plot takes the focus, then Command52_Click.
void Command79_Click(Plot& window);

/// The tile-cache pass from start level `startZoom` ("地理院地図キャッシュ"
/// after its checks). Ignored while a pass runs.
void runTileCachePass(int startZoom);

/// The switch from "地図１８" to "地理院地図" after a zoom-18 mosaic found no
/// tile: selects "地理院地図" in each slot whose "地図１８" option is selected
/// (their clicks store code 5 and redraw). Nothing when the dialog is not
/// loaded: the drawing has changed the slot's code itself.
void switchZoom18Options();

/// Wires the "背景" buttons of the main window and installs the hiding of the
/// dialog that the view dialogs ask for when they come forward.
void wireHaikei(Plot& window);

}  // namespace tavelcor
