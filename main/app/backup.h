// SPDX-License-Identifier: LicenseRef-Tavelcor
// The hourly backup of an open site.
//
// Timer2 ticks every 60 s once a site was opened through its sign file.
// Each tick counts a minute while the main window is not minimised, the
// data count as changed (DataDirty), a site folder is set and the settings
// ask for backups (BackupMinutes above 0); at BackupMinutes counted minutes
// the tick shows the backup window modally, whose activation does the whole
// backup and closes the window again.
//
// Folders (inside SiteFolder, never outside it):
//   TVXBAK<yyyymmdd>/<hour>      hour 0..23 without a leading zero
// The first backup of an hour makes the hour folder with copies of the
// site's TAVELCOR.TVX, POINT.JKN and TEXT.JKN (when the site has them) and
// ZAHYO.SIM, and marks every table for writing; each backup then writes the
// DAT files of the marked, non-empty tables from memory (POINT.DAT with
// every slot 1..PointCount) and clears a table's mark unless its operation
// panel is open. The site's own files are only read.
//
// A new hour folder is built whole (copies and DAT files) under a hidden
// name beside it (".<hour>.part") and renamed to the hour only when
// complete, so a backup cut short (a kill, a full disk) never leaves an hour
// folder that looks done but cannot be opened; the next backup starts the
// hour again. An hour folder left without its copies (no or an empty sign
// file, no ZAHYO.SIM) gets them made again, and every table written.
//
// A backup that fails part-way (a copy or a write) keeps what it wrote,
// closes its window, and the tick shows "timer2_timerでエラーがかかりました";
// the minute count is kept, so the next tick tries again.
#pragma once

#include <QDateTime>
#include <QString>

namespace tavelcor {

class Plot;
class Backup;

/// The day folder and the hour folder of a backup at `when`:
/// SiteFolder + "TVXBAK" + yyyymmdd, and that + "/" + the hour.
QString backupDayFolder(const QDateTime& when);
QString backupHourFolder(const QDateTime& when);

/// The whole backup at `when`; false when a copy or a write failed (what was
/// written before stays).
bool runBackup(Plot& window, const QDateTime& when);

/// The backup window's activation: places it at the main window's top right,
/// runs the backup at the current time, then unloads the window.
void Backup_Form_Activate(Backup& form);

/// The tick of Timer2.
void Timer2_Timer(Plot& window);

/// Wires Timer2's tick and offers the backup window to the survey part's
/// SIMA reload (surveyServices().showBackupWindow).
void wireBackup(Plot& window);

}  // namespace tavelcor
