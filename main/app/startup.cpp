// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/startup.h"

#include "main/app/app_forms.h"
#include "main/app/clipboard_start.h"
#include "main/app/control_bindings.h"
#include "main/app/plot_procedures.h"
#include "main/site/tile_list.h"
#include "main/app/startup_internal.h"
#include "main/app/view_fit.h"
#include "main/app/window_layout.h"
#include "main/render/wheel_zoom.h"
#include "main/render/window_plot_face.h"
#include "main/site/display_settings.h"
#include "main/site/dat_files.h"
#include "main/site/format2000.h"
#include "main/site/mapxml.h"
#include "main/site/settings_file.h"
#include "main/site/symbol_file.h"
#include "main/site/tables.h"
#include "main/site/text_presets.h"
#include "main/ui/mode_marks.h"
#include "main/window/plot.h"
#include "platform/forms/control.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/desktop/screen.h"
#include "platform/desktop/system_clipboard.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/system/window_presence.h"
#include "platform/text/textfile.h"

#include <QWidget>

namespace tavelcor {

namespace startup {

platform::Clipboard& clipboard()
{
    static platform::SystemClipboard desktop;
    platform::Clipboard* chosen = appServices().clipboard;
    return chosen != nullptr ? *chosen : desktop;
}

void repaintNow(platform::Form& form)
{
    if (QWidget* widget = form.window(); widget != nullptr && widget->isVisible())
        widget->repaint();
}

void recordWindowInFront(Plot& window)
{
    QString activeControl;
    ForeHwnd = static_cast<std::uintptr_t>(Pointer_in(window, activeControl));
}

void readPointSymbols(Plot& window)
{
    PlotSymbolButtons buttons(window);
    LoadPointSymbols(SiteFolder + QStringLiteral("POINT.JKN"), buttons);
}

bool readMainSettings(Plot& window)
{
    const SettingsReadResult read =
        LoadSettings([&window](float layoutCode) { applyWindowLayout(window, layoutCode); });
    return read.outcome != ReadOutcome::StopProgram;
}

void readTextPresets(Plot& window)
{
    PlotPresetControls controls(window);
    LoadTextPresets(SiteFolder + QStringLiteral("TEXT.JKN"), controls);
}

}  // namespace startup

namespace {

using startup::ChosenKind;
using startup::ModeOutcome;
using startup::recordWindowInFront;

constexpr double kTwipFactorBias = 1.002;
constexpr int kLargePointCount = 500;
const QString kInstanceName = QStringLiteral("TAVELCOR");

// ------------------------------------------------------------------ preparing

void storeTwipFactors()
{
    const auto screen = platform::primaryScreenMetrics();
    const platform::ScreenMetrics metrics = screen.value_or(platform::ScreenMetrics{});
    TwipPixX = static_cast<float>(metrics.twipsPerPixelX * kTwipFactorBias);
    TwipPixY = static_cast<float>(metrics.twipsPerPixelY * kTwipFactorBias);
}

void giveFirstInitialValues()
{
    FullLayout = 1;
    PointChanged = LineChanged = TxtChanged = TegakiChanged = 1;
    SelOnly = 0;
    TextScale = 1.0F;
    VarFont = 1;
    WembraOff = 1;
    TxtLineEdit = -1;
    TxtSplit = 0;
    SimaZahyoStart = SimaKakuchiStart = 1;
    ZahyoBaseMax = 0;
}

void giveSecondInitialValues()
{
    HaikeiTop = 1;
    ZoneNo = 6;
    MarkSize = 70;
    HitRadius = 10;
    FontSize = PointFontSize = 12;
    WindowLayout = 0.0F;
    KeepStation = QStringLiteral("1");
    GpsColor = 14;
    TegakiCount = PointCount = 0;
    LineNext = 1;
    TxtColorCur = 12;
    for (int c = 0; c <= 15; ++c)
        LineWidthOf[c] = 2;
    LineWidthOf[8] = 1;
    TileScreens = 5;
    SlideFactor = 1.0F;
    LineSubState = 0;
    DanmenPitch = 1;
}

// The splash window shows while the work folder is made, its pictures saved
// and its tile list read.
void prepareWorkFolder(Plot& window)
{
    start().Show();
    WorkFolder = platform::workFolder();
    platform::ensureFolder(WorkFolder);
    window.Picture4.canvas().SavePicture(WorkFolder + QStringLiteral("/ELD.BMP"));
    window.Picture7.canvas().SavePicture(WorkFolder + QStringLiteral("/WHITE.BMP"));
    PrintMarginB = 0;
    PrintOffsetL = 0;
    const int pointer = window.MousePointer();
    window.setMousePointer(platform::pointer::Hourglass);
    readTileList();
    SiteFolder = platform::programFolder() + QStringLiteral("/");
    window.setMousePointer(pointer);
    startForm().unload();
}

// A second instance only warns and starts as the first. A program folder
// that cannot be written is no sign of one: that is said instead.
void warnWhenAnotherInstanceRuns()
{
    PlotRunState& run = plotRunState();
    if (run.instance)
        return;
    std::unique_ptr<platform::SingleInstance> held = platform::SingleInstance::acquire(kInstanceName);
    if (held) {
        if (!held->holdsLock())
            platform::MsgBox(platform::programFolderNotWritableMessage(platform::programFolder()));
        run.instance = std::move(held);
        return;
    }
    platform::MsgBox(QStringLiteral("TAVELCORを複数起動します"), platform::MsgButtons::OkOnly,
                     platform::MsgIcon::None, std::nullopt, true);
}

// The colour options show the colour they stand for.
void paintColourOptions(Plot& window)
{
    for (const int c : {0, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14}) {
        if (platform::OptionButton* option = window.Option8.find(c))
            option->setBackColor(platform::QBColor(c));
        if (platform::OptionButton* option = window.Option14.find(c))
            option->setBackColor(platform::QBColor(c));
    }
}

void resetEditorCaptions()
{
    const char16_t* captions[] = {u"に分筆",       u"から分筆",     u"を合筆",
                                  u"→山林　不詳", u"→畑　不詳",   u"→宅地　不詳",
                                  u"→公道　不詳", u"→用悪水路　不詳", u"→田　不詳"};
    for (int n = 1; n <= 9; ++n)
        CrtextPhrase[n] = QString::fromUtf16(captions[n - 1]);
}

// The screen size, and a maximised window for layout code 1.
void storeScreenSize(Plot& window)
{
    if (const auto screen = platform::primaryScreenMetrics()) {
        ScreenW = static_cast<float>(screen->widthTwips);
        ScreenH = static_cast<float>(screen->heightTwips);
    }
    if (WindowLayout == 1.0F)
        window.setWindowState(platform::WindowState::Maximized);
}

void clearSiteTables()
{
    StartMode = 0;
    CalcPickCount = 0;
    ZahyoMax = 0;
    KakuchiCount = 0;
    KakuchiOpenCount = 0;
    RclickMode = 1;
    clearZahyo();
}

void prepare(Plot& window)
{
    storeTwipFactors();
    LoadingFlag = 9;
    PlotHwnd = static_cast<std::uintptr_t>(window.window()->winId());
    HookWheel();
    giveFirstInitialValues();
    prepareWorkFolder(window);
    window.Label28.setVisible(true);
    BaseCaption = window.Caption();
    KakuchiColor = 8;
    DataDirty = 0;
    SiteMode = 0;
}

// False when a settings file there could not be read (said): the program
// ends.
bool prepareTables(Plot& window)
{
    for (int c = 0; c <= 14; ++c)
        PointColorShown[c] = LineColorShown[c] = TxtColorShown[c] = TegakiColorShown[c] = 1;
    paintColourOptions(window);
    giveSecondInitialValues();
    startup::readPointSymbols(window);
    if (!startup::readMainSettings(window))
        return false;
    startup::readTextPresets(window);
    resetEditorCaptions();
    Setting6Text.clear();
    storeScreenSize(window);
    clearSiteTables();
    return true;
}

ModeOutcome runStartMode(Plot& window, const QString& clipboardText)
{
    switch (clipboardStartMode(clipboardText)) {
    case ClipboardStart::PointRows:
        return startup::startFromPointRows(window, clipboardText);
    case ClipboardStart::SimaHandover:
        return startup::startFromHandover(window, clipboardText);
    case ClipboardStart::Chooser:
        break;
    }
    return startup::runSiteChooser(window);
}

// ----------------------------------------------------------- after the reader

void shiftImportedRows(ChosenKind kind)
{
    if (LineImported > 0)
        shiftImportedLines(OriginX, OriginY);
    if (kind == ChosenKind::MapXml)
        shiftMapXmlRows(OriginX, OriginY);
}

void applyParcelPresets(Plot& window)
{
    const ParcelPresets presets = parcelPresets();
    if (presets.tickNumbers)
        window.Check1.setValue(1);
    if (presets.tickNames)
        window.Check2.setValue(1);
    if (!presets.hideParcelControls) {
        placeParcelLabels();
        return;
    }
    for (platform::Control* control :
         std::initializer_list<platform::Control*>{&window.Command18, &window.Text4, &window.Option5,
                                                   &window.Check35, &window.Check37, &window.Check6,
                                                   &window.Label19, &window.Option29})
        control->setVisible(false);
    window.Check1.setValue(0);
    window.Check2.setValue(0);
}

// A map-sheet frame file beside the chosen file.
void offerFrameImport(Plot& window)
{
    const QString chosen = window.CommonDialog1.FileName();
    if (!chosen.isEmpty())
        ImportFormat2000Frames(chosen);
}

// The captions of the text editor's insert buttons.
void readEditorCaptions()
{
    const QString path = platform::findFileNoCase(SiteFolder, QStringLiteral("CRTEXT.JKN"));
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (!lines)
        return;
    for (int n = 1; n <= 8 && n <= lines->size(); ++n)
        CrtextPhrase[n] = lines->at(n - 1);
}

// The display settings files; false when a file stopped the program.
bool readDisplaySettings()
{
    if (LoadLineWidths() == ReadOutcome::StopProgram || LoadColorSelect() == ReadOutcome::StopProgram)
        return false;
    const AppServices& services = appServices();
    BackgroundWindow* background = services.backgroundWindow ? services.backgroundWindow() : nullptr;
    return LoadBackgroundSettings(background) != ReadOutcome::StopProgram;
}

void drawFirstTime()
{
    if (PointCount > kLargePointCount)
        SkipPointview = SkipTxtview = SkipTegakidraw = 1;
    if (applySavedView(plotRunState().signWindow) == SavedView::AppliedAtFloor)
        platform::MsgBox(smallestSpanMessage());
    crtplot();
    SkipPointview = SkipTxtview = SkipTegakidraw = 0;
}

StartupEnd finish(Plot& window, ChosenKind kind)
{
    recordWindowInFront(window);
    fitViewToCoordinates(plotRunState().unplacedCoordinates);
    shiftImportedRows(kind);
    setPlotCoordinates();
    applyParcelPresets(window);
    if (SiteMode == 1) {
        Bbc(0);
        if (readSiteDatFiles(SiteFolder) == ReadOutcome::StopProgram)
            return StartupEnd::ProgramEnds;
    }
    offerFrameImport(window);
    readEditorCaptions();
    window.setMousePointer(platform::pointer::Default);
    recordWindowInFront(window);
    if (!readDisplaySettings())
        return StartupEnd::ProgramEnds;
    LoadingFlag = 0;
    drawFirstTime();
    ZahyoSaved = ZahyoMax;
    window.Picture1.SetFocus();
    return StartupEnd::Drawn;
}

}  // namespace

StartupEnd Form_Load(Plot& window)
{
    PlotRunState& run = plotRunState();
    run.startupEnd = StartupEnd::NotRun;
    run.signWindow.reset();
    run.unplacedCoordinates.clear();
    prepare(window);
    const QString clipboardText = startup::clipboard().text();
    warnWhenAnotherInstanceRuns();
    if (!prepareTables(window)) {
        run.startupEnd = StartupEnd::ProgramEnds;
        return run.startupEnd;
    }
    const ModeOutcome mode = runStartMode(window, clipboardText);
    run.startupEnd = mode.ended ? *mode.ended : finish(window, mode.kind);
    return run.startupEnd;
}

void wireStartup(Plot& window)
{
    window.Load = [&window] { Form_Load(window); };
}

}  // namespace tavelcor
