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

namespace tavelcor {

namespace {

constexpr double kBackupMargin = 100.0;  // twips from the main window's top right

// Copies a site file into the hour folder under its designed name.
bool copySiteFile(const QString& name, const QString& hourFolder)
{
    return platform::copyFile(platform::findFileNoCase(SiteFolder, name), hourFolder + u'/' + name);
}

// A new hour folder: its copies of the site's files, and every table marked.
bool startHourFolder(const QString& hourFolder)
{
    if (!platform::makeFolder(hourFolder))
        return false;
    platform::TextFileWriter emptySign(hourFolder + QStringLiteral("/TAVELCOR.TVX"));
    if (!emptySign.commit())
        return false;
    for (const QString& optional : {QStringLiteral("POINT.JKN"), QStringLiteral("TEXT.JKN")}) {
        if (platform::fileExists(platform::findFileNoCase(SiteFolder, optional))
            && !copySiteFile(optional, hourFolder))
            return false;
    }
    if (!copySiteFile(QStringLiteral("ZAHYO.SIM"), hourFolder)
        || !copySiteFile(QStringLiteral("TAVELCOR.TVX"), hourFolder))
        return false;
    PointChanged = LineChanged = TxtChanged = TegakiChanged = 1;
    return true;
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

bool runBackup(Plot& window, const QDateTime& when)
{
    Bbc(0);
    if (SiteFolder.isEmpty() || !platform::makeFolder(backupDayFolder(when)))
        return false;
    const QString hourFolder = backupHourFolder(when);
    if (!platform::folderExists(hourFolder) && !startHourFolder(hourFolder))
        return false;
    return writeMarked(PointChanged, PointCount > 0, window.Frame4, writeBackupPoints, hourFolder)
           && writeMarked(LineChanged, LineNext > 1, window.Frame10, writeLineDat, hourFolder)
           && writeMarked(TegakiChanged, TegakiCount > 0, window.Frame9, writeTegakiDat, hourFolder)
           && writeMarked(TxtChanged, TxtCount > 0, window.Frame11, writeTextDat, hourFolder);
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
