// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/save_command.h"

#include "main/app/app_context.h"
#include "main/app/plot_procedures.h"
#include "main/site/dat_files.h"
#include "main/site/display_settings.h"
#include "main/site/parcel_attr_file.h"
#include "main/site/settings_file.h"
#include "main/site/sign_file.h"
#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/control.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/text/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace tavelcor {

namespace {

const QString kSignFileName = QStringLiteral("TAVELCOR.TVX");
const QString kZahyoSim = QStringLiteral("ZAHYO.SIM");

using platform::askYesNo;

// Paths compare as the site's file system of origin compares them: without
// regard to letter case.
bool samePath(const QString& a, const QString& b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()).toUpper()
           == QDir::cleanPath(QFileInfo(b).absoluteFilePath()).toUpper();
}

// A save ends: the pointer back to normal, the keyboard to the plot.
SaveEnd endSave(Plot& window, SaveEnd how)
{
    window.setMousePointer(platform::pointer::Default);
    window.Picture1.SetFocus();
    return how;
}

// "保存に失敗しました" with the file that failed and why.
SaveEnd failSave(Plot& window, const WriteResult& failure)
{
    platform::MsgBox(saveFailedMessage(failure));
    return endSave(window, SaveEnd::Failed);
}

void disarmDiagonalZoom(Plot& window)
{
    unloadBackgroundWindow();
    DiagonalArmed = 0;
    window.Command13.setBackColor(platform::QBColor(15));
    window.Command74.setBackColor(platform::QBColor(15));
}

std::optional<QString> chooseSignFile(Plot& window)
{
    platform::CommonDialog& dialog = window.CommonDialog1;
    dialog.setFileName(platform::findFileNoCase(SiteFolder, kSignFileName));
    dialog.setFilter(QStringLiteral("TVX ファイル|*.TVX"));
    dialog.setFilterIndex(1);
    dialog.setDialogTitle(QStringLiteral("TVX 現場登録"));
    if (!dialog.ShowSave())
        return std::nullopt;
    return dialog.FileName();
}

// The chosen path, its name spelt as the folder spells it when the folder
// holds that name in other letters ("tavelcor.tvx" finds "TAVELCOR.TVX"), as
// the sites' file system of origin matches names.
QString pathAsStored(const QString& chosen)
{
    const QFileInfo info(chosen);
    return platform::findFileNoCase(info.path(), info.fileName());
}

// Where a save moves the run: the site folder, the caption and, for an
// existing sign file, its time. Taken only once the sign file is written, so
// a save that fails leaves the run on the site it had.
struct SiteMove {
    QString folder;
    QString caption;
    std::optional<double> signFileDate;
};

void moveSite(Plot& window, const SiteMove& move)
{
    SiteFolder = move.folder;
    window.setCaption(move.caption);
    if (move.signFileDate)
        SignFileDate = *move.signFileDate;
}

// An existing sign file: the overwrite question, then the guards against
// another writer of this site and against another site. The file's time when
// it may be written over; nullopt: not saved.
std::optional<double> mayOverwriteSignFile(const QString& path)
{
    if (!askYesNo(path + QStringLiteral("　に上書き保存しますか")))
        return std::nullopt;
    const double modified = platform::lastModifiedDateDouble(path).value_or(0.0);
    if (SignFileDate != 0.0) {
        const bool ownSignFile = samePath(path, SiteFolder + kSignFileName);
        if (ownSignFile && modified > SignFileDate) {
            if (!askYesNo(QStringLiteral("作業中に他からデータが書き換えられました。無視して更新しますか ?")))
                return std::nullopt;
        } else if (!ownSignFile) {
            if (!askYesNo(QStringLiteral("他の現場に登録しようとしています。登録しますか ?")))
                return std::nullopt;
        }
    }
    return modified;
}

WriteResult writeSignWindow(Plot& window, const QString& path)
{
    const platform::Canvas& plotCanvas = window.Picture1.canvas();
    const SignFileWindow view = signFileWindowFor(
        static_cast<float>(plotCanvas.ScaleLeft()), static_cast<float>(plotCanvas.ScaleTop()),
        static_cast<float>(plotCanvas.ScaleWidth()), static_cast<float>(plotCanvas.ScaleHeight()),
        static_cast<float>(window.Picture1.Width()));
    return writeSignFile(path, view);
}

// Whether ZAHYO.SIM is to be written over: asks about added coordinates
// (numbers above ZahyoSaved that are not temporary) or, without such, about
// changed ones.
bool zahyoQuestionsSayWrite()
{
    if (ZahyoMax > ZahyoSaved) {
        const int last = std::min(ZahyoMax, kZahyoTop);
        bool added = false;
        for (int n = std::max(ZahyoSaved + 1, 1); n <= last && !added; ++n)
            added = !ZahyoName[n].endsWith(QStringLiteral("_?_"));
        if (added && askYesNo(QStringLiteral("sima座標が追加されています。上書きしますか？"))) {
            ZahyoSaved = ZahyoMax;
            return true;
        }
        return false;
    }
    return ZahyoDirty == 1 && askYesNo(QStringLiteral("sima座標が変更されています。上書きしますか？"));
}

WriteResult writeZahyoWhenDue()
{
    const QString path = platform::findFileNoCase(SiteFolder, kZahyoSim);
    const bool write = zahyoQuestionsSayWrite();
    if (!write && platform::fileExists(path) && KeptSima.isEmpty())
        return {WriteOutcome::Skipped, path, {}};
    return writeZahyoSim(path);
}

// Steps after the sign file; the first failure ends them and is returned.
WriteResult writeSiteFiles(Plot& window)
{
    using DatWriter = WriteResult (*)(const QString&);
    const DatWriter datWriters[] = {[](const QString& folder) { return writePointDat(folder); },
                                    writeLineDat, writeTegakiDat, writeTextDat};
    for (const DatWriter write : datWriters) {
        if (WriteResult result = write(SiteFolder); result.failed())
            return result;
    }
    if (WriteResult result = writeZahyoWhenDue(); result.failed())
        return result;
    if (WriteResult result = writeParcelAttributes(SiteFolder); result.failed())
        return result;
    using SettingsWriter = WriteResult (*)();
    for (const SettingsWriter write : {SaveBackgroundSettings, SaveLineWidths, SaveColorSelect}) {
        if (WriteResult result = write(); result.failed())
            return result;
    }
    return SaveSettings([&window] { window.Timer3.setEnabled(true); });
}

}  // namespace

SaveEnd saveSite(Plot& window)
{
    disarmDiagonalZoom(window);
    const std::optional<QString> chosen = chooseSignFile(window);
    if (!chosen)
        return SaveEnd::Cancelled;
    const QString path = pathAsStored(*chosen);
    window.setMousePointer(platform::pointer::Hourglass);
    SiteMove move{siteFolderOf(path), BaseCaption + QStringLiteral("  ") + path, std::nullopt};
    const bool exists = platform::fileExists(path);
    if (exists && QFileInfo(path).fileName().toUpper() == kSignFileName) {
        move.signFileDate = mayOverwriteSignFile(path);
        if (!move.signFileDate)
            return endSave(window, SaveEnd::Cancelled);
    } else if (exists) {
        // A file of another name: nothing is written, but the run takes its
        // folder and name.
        moveSite(window, move);
        return endSave(window, SaveEnd::NotASite);
    }
    if (const WriteResult sign = writeSignWindow(window, path); sign.failed())
        return failSave(window, sign);
    moveSite(window, move);
    window.setMousePointer(platform::pointer::Hourglass);
    if (const WriteResult files = writeSiteFiles(window); files.failed())
        return failSave(window, files);
    // Compared with file times later: the system clock, not a test's clock.
    SignFileDate = platform::toDateDouble(QDateTime::currentDateTime());
    return endSave(window, SaveEnd::Saved);
}

void Command23_Click(Plot& window)
{
    saveSite(window);
}

void wireSaveCommand(Plot& window)
{
    window.Command23.Click = [&window] { Command23_Click(window); };
}

}  // namespace tavelcor
