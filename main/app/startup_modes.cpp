// SPDX-License-Identifier: LicenseRef-Tavelcor
// The start modes of start-up: clipboard point rows, the clipboard SIMA
// hand-over, and the site chooser with its dispatch, the site sign file
// branch and the map-only view.
#include "main/app/app_forms.h"
#include "main/app/clipboard_start.h"
#include "main/app/plot_procedures.h"
#include "main/app/startup_internal.h"
#include "main/render/wheel_zoom.h"
#include "main/render/window_plot_face.h"
#include "main/site/chooser_folder.h"
#include "main/site/format2000.h"
#include "main/site/mapxml.h"
#include "main/site/sign_file.h"
#include "main/site/sima_file.h"
#include "main/site/site_messages.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "main/window/plot.h"
#include "platform/forms/control.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"

#include <QFileInfo>

namespace tavelcor::startup {

namespace {

const QString kChooserFilter = QStringLiteral(
    "TVX ファイル|*.TVX|SIMA ファイル|*.SIM|フォーマット2000|*.HED|地図xml(UTF8)|*.xml|"
    "地図xml(JIS)|*.TXT|すべてのファイル|*.*");
const QString kSimaFilter = QStringLiteral("SIMA ファイル|*.SIM|すべてのファイル|*.*");
const QString kSignFileName = QStringLiteral("TAVELCOR.TVX");
const QString kZahyoSim = QStringLiteral("ZAHYO.SIM");

ModeOutcome ended(StartupEnd how)
{
    return ModeOutcome{how, ChosenKind::Nothing};
}

ModeOutcome goOn(ChosenKind kind)
{
    return ModeOutcome{std::nullopt, kind};
}

ModeOutcome goOnUnlessStopped(ReadOutcome outcome, ChosenKind kind)
{
    return outcome == ReadOutcome::StopProgram ? ended(StartupEnd::ProgramEnds) : goOn(kind);
}

void showFileInCaption(Plot& window, const QString& path)
{
    window.setCaption(BaseCaption + QStringLiteral("  ") + path);
}

// The map-XML reader's surroundings; its stages show in the splash window.
MapXmlEnvironment mapXmlEnvironment()
{
    MapXmlEnvironment environment = appServices().mapXml;
    if (!environment.showStage)
        environment.showStage = showImportStage;
    return environment;
}

// The hand-over text becomes the program folder's ZAHYO.SIM at once.
void keepHandoverText(const QString& text)
{
    KeptSima = text;
    const QString path = platform::findFileNoCase(SiteFolder, kZahyoSim);
    if (writeSimaText(path, text).failed())
        platform::MsgBox(path + QStringLiteral(" に書き込めませんでした"));
}

// ------------------------------------------------------------ map-only view

void setMapOnlyView()
{
    ZahyoName[1] = QString();
    ZahyoX[1] = -300000.0;
    ZahyoY[1] = -140000.0;
    ZahyoName[2] = QString();
    ZahyoX[2] = 250000.0;
    ZahyoY[2] = 140000.0;
    ZahyoMax = 2;
    DataXMax = 250000.0;
    DataXMin = -300000.0;
    DataYMax = 140000.0;
    DataYMin = -140000.0;
    DragZoomArmed = 0;
    ViewSpanX = FitSpanX = PrevSpanX = DataXMax - DataXMin;
    ViewSpanY = FitSpanY = PrevSpanY = DataYMax - DataYMin;
    ViewCX = PrevCX = OriginX = (DataXMax + DataXMin) / 2.0;
    ViewCY = PrevCY = OriginY = (DataYMax + DataYMin) / 2.0;
    for (int n = 1; n <= 2; ++n) {
        ZahyoPX[n] = ZahyoX[n] - OriginX;
        ZahyoPY[n] = ZahyoY[n] - OriginY;
    }
}

// Asked when no file was chosen: the GSI map alone, or the program ends.
ModeOutcome offerMapOnly(Plot& window)
{
    if (!platform::askYesNo(QStringLiteral("地理院地図のみでも表示しますか"))) {
        window.Picture1.setVisible(false);
        window.protprp.setVisible(false);
        UnhookWheel();
        return ended(StartupEnd::ProgramEnds);
    }
    LoadingFlag = 0;
    if (ZoneNo == 0)
        ZoneNo = 6;
    if (TileScreens == 0)
        TileScreens = 5;
    setMapOnlyView();
    recordWindowInFront(window);
    Haikei1Code = 5;
    crtplot();
    showBackgroundWindow();
    window.setMousePointer(platform::pointer::Default);
    ZahyoSaved = ZahyoMax;
    return ended(StartupEnd::MapOnly);
}

// A chosen file that is there but cannot be opened: said, then start-up goes
// on as after a cancelled chooser, with no site folder taken and no file in
// the caption (else shut-down would offer to save over that folder).
ModeOutcome chosenFileNotOpened(Plot& window, const QString& path)
{
    showSiteMessage(cannotOpenMessage(path));
    SiteFolder = platform::programFolder() + QStringLiteral("/");
    window.setCaption(BaseCaption);
    window.CommonDialog1.setFileName(QString());
    return offerMapOnly(window);
}

// ------------------------------------------------------- site sign file

// The SIMA file of a site: its ZAHYO.SIM, or one the user chooses (copied
// into the site when asked). nullopt when the choice was cancelled.
std::optional<QString> siteSimaFile(Plot& window)
{
    const QString own = platform::findFileNoCase(SiteFolder, kZahyoSim);
    if (platform::fileExists(own))
        return own;
    platform::CommonDialog& dialog = window.CommonDialog1;
    dialog.setDialogTitle(QStringLiteral("SIMA 呼び出し"));
    dialog.setFileName(QString());
    dialog.setFilter(kSimaFilter);
    dialog.setFilterIndex(1);
    if (!dialog.ShowOpen())
        return std::nullopt;
    const QString chosen = dialog.FileName();
    const QString target = SiteFolder + kZahyoSim;
    const QString question = QStringLiteral("TVXの作業データとして") + chosen + QStringLiteral("を、") + target
                             + QStringLiteral(" にコピーします");
    if (platform::askYesNo(question) && NMEACOPY(chosen, target))
        return target;
    // Declined, or the copy failed (said so): the chosen file is read where it lies.
    return chosen;
}

ModeOutcome openSignFile(Plot& window, const QString& path)
{
    SignFileDate = platform::lastModifiedDateDouble(path).value_or(0.0);
    const SignFileRead sign = readSignFile(path);
    if (sign.outcome == ReadOutcome::StopProgram)
        return ended(StartupEnd::ProgramEnds);
    plotRunState().signWindow = sign.window;
    showFileInCaption(window, path);
    SiteFolder = siteFolderOf(path);
    if (!readMainSettings(window))
        return ended(StartupEnd::ProgramEnds);
    readPointSymbols(window);
    readTextPresets(window);
    const std::optional<QString> sima = siteSimaFile(window);
    if (!sima)
        return ended(StartupEnd::ProgramEnds);
    window.CommonDialog1.setFileName(*sima);
    window.Timer2.setInterval(60000);
    window.Timer2.setEnabled(true);
    window.Show();
    window.setMousePointer(platform::pointer::Hourglass);
    const ReadOutcome outcome = ReadSima(*sima, &plotRunState().unplacedCoordinates);
    if (outcome == ReadOutcome::Missing && platform::fileExists(*sima)) {
        // There but unreadable: a site without its coordinates is no site.
        showSiteMessage(cannotOpenMessage(*sima));
        return ended(StartupEnd::ProgramEnds);
    }
    return goOnUnlessStopped(outcome, ChosenKind::SignFile);
}

// --------------------------------------------------------------- dispatch

ModeOutcome readChosenFile(Plot& window, const QString& path)
{
    switch (chosenKind(path)) {
    case ChosenKind::Format2000: {
        showFileInCaption(window, path);
        QString header = path;
        const ReadOutcome outcome =
            ReadFormat2000(header, [](int parcel) { return survey::menseki(parcel); });
        window.CommonDialog1.setFileName(header);
        return goOnUnlessStopped(outcome, ChosenKind::Format2000);
    }
    case ChosenKind::MapXml: {
        showFileInCaption(window, path);
        // The import takes long; the hourglass stays until start-up ends.
        window.setMousePointer(platform::pointer::Hourglass);
        const ReadOutcome outcome = ReadMapXml(path, mapXmlEnvironment());
        startForm().unload();
        if (outcome == ReadOutcome::Missing)
            return chosenFileNotOpened(window, path);
        if (outcome == ReadOutcome::Ok)
            window.Text1.setText(QString());
        return goOnUnlessStopped(outcome, ChosenKind::MapXml);
    }
    case ChosenKind::SignFile:
        return openSignFile(window, path);
    case ChosenKind::Sima: {
        const ReadOutcome outcome = ReadSima(path, &plotRunState().unplacedCoordinates);
        if (outcome == ReadOutcome::Missing)
            return chosenFileNotOpened(window, path);
        showFileInCaption(window, path);
        window.Command1.setVisible(true);
        return goOnUnlessStopped(outcome, ChosenKind::Sima);
    }
    case ChosenKind::Nothing:
        break;
    }
    return goOn(ChosenKind::Nothing);
}

}  // namespace

void showImportStage(const QString& caption)
{
    Start& splash = start();
    splash.Label1.setVisible(false);
    splash.setCaption(caption);
    splash.Show();
}

ChosenKind chosenKind(const QString& path)
{
    // Only the file's own name is looked at: a site in a folder named
    // "A.TXT" is still a site.
    const QString name = QFileInfo(path).fileName().toUpper();
    if (name.contains(QStringLiteral(".HED")))
        return ChosenKind::Format2000;
    if (name.contains(QStringLiteral(".XML")) || name.contains(QStringLiteral(".TXT")))
        return ChosenKind::MapXml;
    if (name.contains(kSignFileName))
        return ChosenKind::SignFile;
    if (name.contains(QStringLiteral(".SIM")))
        return ChosenKind::Sima;
    return ChosenKind::Nothing;
}

ModeOutcome startFromPointRows(Plot& window, const QString& text)
{
    StartMode = 1;
    window.Command1.setVisible(true);
    WembraOff = 1;
    repaintNow(window);
    readTabPointRows(text);
    window.Show();
    clipboard().clear();
    return goOn(ChosenKind::Nothing);
}

ModeOutcome startFromHandover(Plot& window, const QString& text)
{
    StartMode = 2;
    if (isElevationProfileHandover(text)) {
        window.setCaption(BaseCaption + QStringLiteral(" 地理院標高APIを使用した断面図"));
        for (platform::Control* control : std::initializer_list<platform::Control*>{
                 &window.Frame8, &window.Command46, &window.Command56, &window.Command58})
            control->setVisible(false);
    }
    SiteFolder = platform::programFolder() + QStringLiteral("/");
    WembraOff = 1;
    window.Command1.setVisible(true);
    window.Command23.setVisible(true);
    window.Check2.setValue(1);
    window.Check17.setValue(0);
    keepHandoverText(text);
    ZahyoMax = 1;
    repaintNow(window);
    if (readSimaHandover(text).linkSeen) {
        window.Option32.setVisible(true);
        window.Check17.setValue(1);
    }
    window.Show();
    clipboard().clear();
    return goOn(ChosenKind::Nothing);
}

ModeOutcome runSiteChooser(Plot& window)
{
    SiteMode = 1;
    window.Command23.setVisible(true);
    ZahyoMax = 1;
    window.Show();
    repaintNow(window);
    platform::CommonDialog& dialog = window.CommonDialog1;
    dialog.setDialogTitle(QStringLiteral("TVX SIMA 呼び出し"));
    dialog.setFileName(kSignFileName);
    dialog.setFilter(kChooserFilter);
    dialog.setFilterIndex(1);
    // The chooser starts in the folder last chosen in it (also in an earlier
    // run); the later dialogs of the run set their own folders.
    const QString keptFolderFile = platform::programFolder() + u'/' + QString::fromUtf16(kChooserFolderFile);
    dialog.setInitDir(readChooserFolder(keptFolderFile));
    const bool chosen = dialog.ShowOpen();
    dialog.setInitDir(QString());
    if (!chosen || !platform::fileExists(dialog.FileName())) {
        dialog.setFileName(QString());
        return offerMapOnly(window);
    }
    const QString path = dialog.FileName();
    // Optional: a program folder that cannot be written keeps the old one.
    static_cast<void>(writeChooserFolder(keptFolderFile, QFileInfo(path).absolutePath()));
    SiteFolder = siteFolderOf(path);
    return readChosenFile(window, path);
}

}  // namespace tavelcor::startup
