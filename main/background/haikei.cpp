// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/haikei.h"

#include "main/background/background_drawing.h"
#include "main/background/kiyaku.h"
#include "main/background/raster_definition.h"
#include "main/background/raster_set.h"
#include "main/render/view_services.h"
#include "main/render/wheel_zoom.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/site/tile_list.h"
#include "main/window/plot.h"
#include "main/window/start_form.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"

namespace tavelcor {

namespace {

// The grid of nine rows: row 0 "なし", rows 1..8 the codes 1, 2, 3, 5..9.
constexpr double kRowStep = 360.0;
constexpr double kRowTop = 60.0;
constexpr int kLayerCodes[] = {0, 1, 2, 3, 5, 6, 7, 8, 9};
constexpr std::uint32_t kPaleYellow = 0xC0FFFF;
constexpr int kFirstGsiCode = 5;
constexpr int kLastGsiCode = 9;
constexpr int kZoom18Code = 6;
constexpr int kTopZoom = 18;
constexpr int kTopZoomOtherLayers = 17;
constexpr int kCacheLevels = 2;
constexpr int kQuestionZoom = 15;
// The pre-placement: below the main window, unless that leaves the screen.
constexpr double kDialogRoomBelow = 3700.0;
constexpr double kDialogFromScreenBottom = 4100.0;
constexpr double kDialogFromMainRight = 8100.0;
constexpr double kInset = 100.0;

double rowTop(int row)
{
    return kRowTop + row * kRowStep;
}

// Makes the main window the active one, so the keyboard goes back to the plot.
void activateMainWindow()
{
    if (Plot* window = plotForm().ifLoaded(); window != nullptr && window->Visible())
        window->Show();
}

// The work folder's files after the entries already listed.
void appendWorkFolderListing()
{
    for (const QString& name : platform::listFiles(WorkFolder)) {
        if (!appendTileName(name))
            break;
    }
}

// The please-wait window while an empty tile list is filled at load.
void listWorkFolderWithNotice()
{
    Start& notice = start();
    notice.setCaption(QStringLiteral("背景ラスター準備中"));
    notice.Show();
    Plot* window = plotForm().ifLoaded();
    const int oldPointer = window ? window->Picture1.MousePointer() : platform::pointer::Default;
    if (window)
        window->Picture1.setMousePointer(platform::pointer::Hourglass);
    appendWorkFolderListing();
    if (window)
        window->Picture1.setMousePointer(oldPointer);
    notice.Hide();
}

}  // namespace

HaikeiState& haikeiState()
{
    static HaikeiState state;
    return state;
}

void resetHaikeiState()
{
    haikeiState() = HaikeiState{};
}

HaikeiServices& haikeiServices()
{
    static HaikeiServices services;
    return services;
}

void redrawBackground()
{
    if (const auto& redraw = haikeiServices().redraw)
        redraw();
    else
        crtplot();
}

int nextCacheScreens(int screens)
{
    int next = screens + 1;
    for (const auto& [limit, extra] : {std::pair{5, 1}, {10, 1}, {15, 1}, {20, 2}, {25, 3}}) {
        if (next > limit)
            next += extra;
    }
    return next;
}

Haikei::Haikei() : platform::Form(QStringLiteral("Haikei"))
{
    mSlot1 = {&Option0, &Option1, &Option2, &Option3, nullptr, &Option5, &Option6, &Option7, &Option8, &Option9};
    mSlot2 = {&Option10, &Option11, &Option12, &Option13, nullptr,
              &Option15, &Option16, &Option17, &Option18, &Option19};
    mBars = {nullptr, &HScroll1, &HScroll2, &HScroll3, nullptr, &HScroll5, &HScroll6, &HScroll7, &HScroll8, &HScroll9};
    design();
    wire();
}

void Haikei::design()
{
    setCaption(QStringLiteral("背景指定"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kClientWidth, kClientHeight);
    Frame1.setCaption(QString());
    // 1300 wide rather than 1215, so that "地理院地図" keeps room before the
    // frame's edge.
    Frame1.Move(120.0, 0.0, 1300.0, kClientHeight);
    designRows();
    Command4.setCaption(QString::fromUtf16(kUsageNoticeCaption));
    Command4.Move(3960.0 + kBarGrowth, 1560.0, 3975.0, 375.0);
    Command10.setCaption(QStringLiteral("地理院地図キャッシュ"));
    Command10.Move(3960.0 + kBarGrowth, 2040.0, 1935.0, 375.0);
    Command9.setCaption(QStringLiteral("ラスター２点配置"));
    Command9.Move(6240.0 + kBarGrowth, 2040.0, 1695.0, 375.0);
    Check1.setCaption(QStringLiteral("前面"));
    Check1.Move(4320.0 + kBarGrowth, 2640.0, 900.0, 255.0);
    Command5.setCaption(QStringLiteral("閉じる"));
    Command5.Move(5880.0 + kBarGrowth, 2520.0, 2055.0, 615.0);
    CommonDialog1.setDialogTitle(QStringLiteral("分割定義ファイル"));
}

// Options, bars and the raster rows on the nine-row grid.
void Haikei::designRows()
{
    const char16_t* captions[] = {u"なし", u"ラスター1", u"ラスター2", u"ラスター3", u"",
                                  u"地理院地図", u"地図１８", u"オルソ", u"古オル70", u"古オル60"};
    for (int row = 0; row < 9; ++row) {
        const int code = kLayerCodes[row];
        const QString caption = QString::fromUtf16(captions[code]);
        mSlot1[code]->setCaption(caption);
        mSlot1[code]->Move(0.0, rowTop(row), 1200.0, 255.0);
        mSlot2[code]->setCaption(caption);
        mSlot2[code]->Move(1440.0, rowTop(row), 1200.0, 255.0);
        if (platform::HScrollBar* bar = mBars[code]) {
            bar->Move(2760.0, rowTop(row) - 15.0, 990.0 + kBarGrowth, 285.0);
            bar->setMin(0);
            bar->setMax(5);
        }
    }
    Label16.setCaption(QStringLiteral("明度"));
    Label16.setForeColor(platform::QBColor(12));
    Label16.Move(2760.0, rowTop(0), 990.0 + kBarGrowth, 255.0);
    for (int raster = 1; raster <= 3; ++raster) {
        platform::CommandButton& choose = raster == 1 ? Command1 : raster == 2 ? Command2 : Command3;
        platform::CommandButton& clear = raster == 1 ? Command6 : raster == 2 ? Command7 : Command8;
        const double top = rowTop(raster) - 45.0;
        choose.setCaption(QStringLiteral("選択"));
        // 585 wide rather than 615, so that the button ends before its label.
        choose.Move(3840.0 + kBarGrowth, top, 585.0, 345.0);
        // 345 high rather than 375, so that the three labels do not touch.
        platform::Label& label = pathLabel(raster);
        label.setBorderStyle(1);
        label.setBackColor(kPaleYellow);
        label.Move(4440.0 + kBarGrowth, top, 3015.0, 345.0);
        clear.setCaption(QStringLiteral("消"));
        clear.Move(7560.0 + kBarGrowth, top, 375.0, 345.0);
    }
}

void Haikei::wire()
{
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    QueryUnload = [this](int&, int) {
        SetNotTopMost(*this);
        if (haikeiState().cachePassRunning)
            haikeiState().cachePassStopAsked = true;
    };
    for (int code = 0; code <= kHaikeiLayerTop; ++code) {
        if (mSlot1[code] != nullptr) {
            mSlot1[code]->Click = [this, code] { optionClick(1, code); };
            mSlot2[code]->Click = [this, code] { optionClick(2, code); };
        }
        if (mBars[code] != nullptr)
            mBars[code]->Change = [this, code] { brightnessChange(code); };
    }
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command6.Click = [this] { clearRaster(1); };
    Command7.Click = [this] { clearRaster(2); };
    Command8.Click = [this] { clearRaster(3); };
    Check1.Click = [this] { Check1_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
}

platform::OptionButton* Haikei::slot1Option(int code)
{
    return code >= 0 && code <= kHaikeiLayerTop ? mSlot1[static_cast<std::size_t>(code)] : nullptr;
}

platform::OptionButton* Haikei::slot2Option(int code)
{
    return code >= 0 && code <= kHaikeiLayerTop ? mSlot2[static_cast<std::size_t>(code)] : nullptr;
}

platform::HScrollBar* Haikei::brightnessBar(int code)
{
    return code >= 0 && code <= kHaikeiLayerTop ? mBars[static_cast<std::size_t>(code)] : nullptr;
}

platform::Label& Haikei::pathLabel(int raster)
{
    return raster == 1 ? Label1 : raster == 2 ? Label2 : Label3;
}

void Haikei::Form_Load()
{
    for (platform::ControlBase* control : controls()) {
        if (auto* c = dynamic_cast<platform::Control*>(control))
            c->setTabStop(false);
    }
    HaikeiState& state = haikeiState();
    state.HaikeiLoading = 1;
    if (TileCacheCount < 2)
        listWorkFolderWithNotice();
    for (int raster = 1; raster <= 3; ++raster) {
        if (!HaikeiDef[raster - 1].trimmed().isEmpty())
            pathLabel(raster).setCaption(HaikeiDef[raster - 1]);
    }
    platform::OptionButton* first = slot1Option(Haikei1Code);
    (first != nullptr ? first : &Option0)->setValue(true);
    platform::OptionButton* second = slot2Option(Haikei2Code);
    (second != nullptr ? second : &Option10)->setValue(true);
    for (int code = 0; code <= kHaikeiLayerTop; ++code) {
        if (platform::HScrollBar* bar = mBars[static_cast<std::size_t>(code)])
            bar->setValue(std::min<int>(HaikeiBright[code], bar->Max()));
    }
    // The box's value fires no click when it does not change: the topmost
    // state is set from it in any case.
    Check1.setValue(HaikeiTop != 0 ? platform::check::Checked : platform::check::Unchecked);
    Check1_Click();
    state.HaikeiLoading = 0;
}

void Haikei::Form_Activate()
{
    if (Plot* window = plotForm().ifLoaded()) {
        Move(window->Left() + window->Width() - Width() - kInset,
             window->Top() + window->Height() - Height() - kInset);
    }
}

void Haikei::optionClick(int slot, int code)
{
    (slot == 1 ? Haikei1Code : Haikei2Code) = static_cast<std::uint8_t>(code);
    if (haikeiState().HaikeiOpening == 0)
        redrawBackground();
    activateMainWindow();
}

void Haikei::brightnessChange(int code)
{
    if (haikeiState().HaikeiLoading != 0)
        return;
    HaikeiBright[code] = static_cast<std::uint8_t>(mBars[static_cast<std::size_t>(code)]->Value());
    if (Haikei1Code == code || Haikei2Code == code)
        redrawBackground();
}

// The path label's change redraws, but not while the load fills it.
void Haikei::setPathLabel(int raster, const QString& path)
{
    platform::Label& label = pathLabel(raster);
    if (label.Caption() == path)
        return;
    label.setCaption(path);
    if (haikeiState().HaikeiLoading == 0)
        redrawBackground();
}

void Haikei::chooseRaster(int raster)
{
    if (HaikeiAutoLoad == 0) {
        // A cancelled dialog keeps the name it was opened with.
        CommonDialog1.setFileName(pathLabel(raster).Caption());
        CommonDialog1.setFilter(QStringLiteral("定義ファイル|*.AR2"));
        CommonDialog1.ShowOpen();
    }
    const QString path = CommonDialog1.FileName();
    if (path.isEmpty())
        return;
    readRaster(raster, path);
}

bool Haikei::readRaster(int raster, const QString& path)
{
    setPathLabel(raster, path);
    HaikeiDef[raster - 1] = path;
    if (ReadRasterDefinition(path, raster - 1) == RasterDefinitionFault::None) {
        platform::OptionButton* option = slot1Option(raster);
        option->setEnabled(true);
        option->setValue(true);
        Haikei1Code = static_cast<std::uint8_t>(raster);
        redrawBackground();
        return true;
    }
    platform::MsgBox(QString::fromUtf16(kRasterDefinitionFailed));
    Setting6Text.clear();
    CommonDialog1.setFileName(QString());
    clearRaster(raster);
    return false;
}

void Haikei::clearRaster(int raster)
{
    setPathLabel(raster, QString());
    HaikeiDef[raster - 1].clear();
    if (slot1Option(raster)->Value())
        Option0.setValue(true);
    if (slot2Option(raster)->Value())
        Option10.setValue(true);
    if (Haikei1Code == raster)
        Haikei1Code = 0;
    if (Haikei2Code == raster)
        Haikei2Code = 0;
    redrawBackground();
}

void Haikei::Check1_Click()
{
    if (Check1.Value() == platform::check::Checked) {
        SetTopMost(*this);
        HaikeiTop = 1;
    } else {
        SetNotTopMost(*this);
        HaikeiTop = 0;
    }
}

void Haikei::Command10_Click()
{
    // A pass under way ignores the button (the tile fetching lets it be
    // pressed); the running pass gives the user's value back at its end.
    if (haikeiState().cachePassRunning)
        return;
    if (Haikei1Code < kFirstGsiCode || Haikei1Code > kLastGsiCode) {
        platform::MsgBox(QString::fromUtf16(kCacheNeedsGsiLayer));
        return;
    }
    const int z = TileZoom;
    MsgText = QStringLiteral("zoomレベル　%1　から　%2　までをキャッシュします\r\n").arg(z).arg(z + kCacheLevels);
    if (z < kQuestionZoom) {
        MsgText += QString::fromUtf16(kCacheZoomInHint);
        if (platform::MsgBox(MsgText, platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
            return;
    }
    runTileCachePass(z);
}

void Haikei::Command9_Click()
{
    haikeiForm().unload();
    showRasterSet();
}

void Haikei::Command4_Click()
{
    kiyaku().ShowModal();
}

void Haikei::Command5_Click()
{
    SetNotTopMost(*this);
    haikeiForm().unload();
}

void runTileCachePass(int startZoom)
{
    HaikeiState& state = haikeiState();
    if (state.cachePassRunning)
        return;
    state.cachePassRunning = true;
    state.cachePassStopAsked = false;
    TileScreensSaved = TileScreens;
    TileScreens = 1;
    redrawBackground();
    TileScreens = 2;
    // The drawing raises the zoom by one level at the latest when the screen
    // count has doubled; a zoom that has not risen by then never will (a
    // view outside the tile area, a drawing that fails).
    int lastZoom = TileZoom;
    int screensAtRise = 1;
    while (!state.cachePassStopAsked) {
        const bool atTop = TileZoom >= kTopZoom || (TileZoom >= kTopZoomOtherLayers && Haikei1Code != kZoom18Code);
        if (atTop || TileZoom >= startZoom + kCacheLevels)
            break;
        redrawBackground();
        if (TileZoom > lastZoom) {
            lastZoom = TileZoom;
            screensAtRise = TileScreens;
        } else if (TileScreens > 2 * screensAtRise) {
            break;
        }
        const int next = nextCacheScreens(TileScreens);
        if (next > kTileScreensTop)
            break;
        TileScreens = static_cast<std::uint8_t>(next);
    }
    TileScreens = TileScreensSaved;
    state.cachePassRunning = false;
    state.cachePassStopAsked = false;
    redrawBackground();
}

void HaikeiRasterLoader::loadUserRaster(int n, const QString& path)
{
    if (n < 1 || n > 3)
        return;
    Haikei& dialog = haikei();
    dialog.CommonDialog1.setFileName(path);
    dialog.pathLabel(n).setCaption(path);
    if (n == 1)
        dialog.Command1_Click();
    else if (n == 2)
        dialog.Command2_Click();
    else
        dialog.Command3_Click();
}

void HaikeiRasterLoader::unload()
{
    haikeiForm().unload();
}

platform::FormHolder<Haikei>& haikeiForm()
{
    static platform::FormHolder<Haikei> holder;
    return holder;
}

void Command52_Click(Plot& window)
{
    if (platform::FormHolderBase* keyIn = platform::holderOfLoadedForm(QStringLiteral("XYIN"))) {
        if (platform::Form* form = keyIn->loadedForm())
            form->Hide();
    }
    window.Command85.setVisible(false);
    HaikeiState& state = haikeiState();
    state.HaikeiOpening = 1;
    Haikei& dialog = haikei();
    double top = window.Top() + window.Height();
    if (top + kDialogRoomBelow > ScreenH)
        top = ScreenH - kDialogFromScreenBottom;
    const double left = std::max(0.0, window.Left() + window.Width() - kDialogFromMainRight);
    dialog.Move(left, top);
    window.setMousePointer(platform::pointer::Hourglass);
    platform::removeFile(WorkFolder + QStringLiteral("/Eld.AR2"));
    rebuildTileList();
    window.setMousePointer(platform::pointer::Default);
    dialog.Show();
    state.HaikeiOpening = 0;
}

void Command79_Click(Plot& window)
{
    window.Picture1.SetFocus();
    Command52_Click(window);
}

void switchZoom18Options()
{
    Haikei* dialog = haikeiForm().ifLoaded();
    if (dialog == nullptr)
        return;
    if (dialog->Option6.Value())
        dialog->Option5.setValue(true);
    if (dialog->Option16.Value())
        dialog->Option15.setValue(true);
}

void wireHaikei(Plot& window)
{
    window.Command52.Click = [&window] { Command52_Click(window); };
    window.Command79.Click = [&window] { Command79_Click(window); };
    // A dialog that is not loaded shows nothing: it is not loaded to be hidden.
    viewServices().hideBackgroundWindow = [] {
        if (Haikei* dialog = haikeiForm().ifLoaded())
            dialog->Hide();
    };
}

}  // namespace tavelcor
