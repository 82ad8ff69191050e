// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/backup.h"

#include "main/app/app_context.h"
#include "main/app/app_forms.h"
#include "main/app/plot_procedures.h"
#include "main/site/dat_files.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/text/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace tavelcor {

namespace {

constexpr double kBackupMargin = 100.0;  // twips from the main window's top right

// Copies a site file into the hour folder under its designed name.
bool copySiteFile(const QString& name, const QString& hourFolder)
{
    return platform::copyFile(platform::findFileNoCase(SiteFolder, name), hourFolder + u'/' + name);
}

const QString kSignFile = QStringLiteral("TAVELCOR.TVX");
const QString kZahyoSim = QStringLiteral("ZAHYO.SIM");

// The copies an hour folder starts with: the site's catalogue files when it
// has them, its ZAHYO.SIM and its sign file, and every table marked. Each
// copy replaces its target whole or not at all.
bool copySiteFiles(const QString& hourFolder)
{
    for (const QString& optional : {QStringLiteral("POINT.JKN"), QStringLiteral("TEXT.JKN")}) {
        if (platform::fileExists(platform::findFileNoCase(SiteFolder, optional))
            && !copySiteFile(optional, hourFolder))
            return false;
    }
    if (!copySiteFile(kZahyoSim, hourFolder) || !copySiteFile(kSignFile, hourFolder))
        return false;
    PointChanged = LineChanged = TxtChanged = TegakiChanged = 1;
    return true;
}

// An hour folder that a backup cut short (a kill, a full disk) left without
// its site copies: no or an empty sign file, or no ZAHYO.SIM. Such a folder
// cannot be opened as a site; its copies are made again.
bool lacksSiteCopies(const QString& hourFolder)
{
    const QFileInfo sign(hourFolder + u'/' + kSignFile);
    return !sign.isFile() || sign.size() == 0 || !platform::fileExists(hourFolder + u'/' + kZahyoSim);
}

// Where a new hour folder is built: a hidden name beside it, renamed to the
// hour once it holds everything, so that a backup cut short never leaves an
// hour folder that looks complete.
QString buildingFolderFor(const QString& hourFolder)
{
    const QFileInfo hour(hourFolder);
    return hour.path() + QStringLiteral("/.") + hour.fileName() + QStringLiteral(".part");
}

// Writes one marked, non-empty table; clears its mark unless its panel is
// open. False when writing failed.
bool writeMarked(std::uint8_t& mark, bool hasRows, const platform::Frame& panel,
                 WriteResult (*write)(const QString&), const QString& hourFolder)
{
    if (mark != 1 || !hasRows)
        return true;
    if (write(hourFolder).failed())
        return false;
    if (!panel.Visible())
        mark = 0;
    return true;
}

WriteResult writeBackupPoints(const QString& folder)
{
    return writePointDat(folder, PointRows::Backup);
}

}  // namespace

QString backupDayFolder(const QDateTime& when)
{
    return SiteFolder + QStringLiteral("TVXBAK") + when.date().toString(QStringLiteral("yyyyMMdd"));
}

QString backupHourFolder(const QDateTime& when)
{
    return backupDayFolder(when) + u'/' + QString::number(when.time().hour());
}

namespace {

// The DAT files of the marked tables into folder; false at the first failure.
bool writeMarkedTables(Plot& window, const QString& folder)
{
    return writeMarked(PointChanged, PointCount > 0, window.Frame4, writeBackupPoints, folder)
           && writeMarked(LineChanged, LineNext > 1, window.Frame10, writeLineDat, folder)
           && writeMarked(TegakiChanged, TegakiCount > 0, window.Frame9, writeTegakiDat, folder)
           && writeMarked(TxtChanged, TxtCount > 0, window.Frame11, writeTextDat, folder);
}

// The first backup of an hour: built whole under the building name, then
// renamed to the hour. A failure leaves no hour folder (and removes the
// half-built one), so the next backup starts the hour again.
bool startHourFolder(Plot& window, const QString& hourFolder)
{
    const QString building = buildingFolderFor(hourFolder);
    if (!platform::removeFolderTree(building) || !platform::makeFolder(building))
        return false;
    // The sign file is there from the start, empty until its copy comes.
    platform::TextFileWriter emptySign(building + u'/' + kSignFile);
    const bool built = emptySign.commit() && copySiteFiles(building) && writeMarkedTables(window, building)
                       && QDir().rename(building, hourFolder);
    if (!built) {
        platform::removeFolderTree(building);
        PointChanged = LineChanged = TxtChanged = TegakiChanged = 1;
    }
    return built;
}

}  // namespace

bool runBackup(Plot& window, const QDateTime& when)
{
    Bbc(0);
    if (SiteFolder.isEmpty() || !platform::makeFolder(backupDayFolder(when)))
        return false;
    const QString hourFolder = backupHourFolder(when);
    if (!platform::folderExists(hourFolder))
        return startHourFolder(window, hourFolder);
    if (lacksSiteCopies(hourFolder) && !copySiteFiles(hourFolder))
        return false;
    return writeMarkedTables(window, hourFolder);
}

void Backup_Form_Activate(Backup& form)
{
    Plot& window = plot();
    form.Move(window.Left() + window.Width() - form.Width() - kBackupMargin, window.Top() + kBackupMargin);
    plotRunState().backupFailed = !runBackup(window, currentDateTime());
    platform::Unload(form);
}

void Timer2_Timer(Plot& window)
{
    if (window.windowState() == platform::WindowState::Minimized || DataDirty == 0 || SiteFolder.isEmpty()
        || BackupMinutes == 0)
        return;
    PlotRunState& run = plotRunState();
    ++run.BackupTicks;
    if (run.BackupTicks < BackupMinutes)
        return;
    // Stays set when the window could not run the backup at all.
    run.backupFailed = true;
    backup().ShowModal();
    if (run.backupFailed) {
        platform::MsgBox(QStringLiteral("timer2_timerでエラーがかかりました"));
        return;
    }
    run.BackupTicks = 0;
}

void wireBackup(Plot& window)
{
    window.Timer2.Timer = [&window] { Timer2_Timer(window); };
    // The survey part's reload backs the site up through this window too.
    surveyServices().showBackupWindow = [] { backup().ShowModal(); };
}

}  // namespace tavelcor
