// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/shutdown.h"

#include "main/app/app_context.h"
#include "main/app/backup.h"
#include "main/app/plot_procedures.h"
#include "main/site/tile_list.h"
#include "main/app/save_command.h"
#include "main/render/wheel_zoom.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"

#include <QCoreApplication>

namespace tavelcor {

namespace {

const QString kResultsWindowName = QStringLiteral("stdisp");

// The calculation results window goes before the site is saved. It belongs
// to the survey part and is found by its name among the loaded windows, so
// nothing here depends on that part.
void unloadResultsWindow()
{
    platform::FormHolderBase* holder = platform::holderOfLoadedForm(kResultsWindowName);
    if (holder != nullptr && !platform::Unload(*holder->loadedForm()))
        holder->destroy();
}

// The local copies of network rasters go at every close. A folder that
// cannot be removed (a file in use) is named in a message; closing goes on.
void removeRasterCopies()
{
    const QString rasterCopies = platform::localRasterFolder();
    if (platform::folderExists(rasterCopies) && !platform::removeFolderTree(rasterCopies))
        platform::MsgBox(rasterCopies + QStringLiteral(" を削除できませんでした"));
}

// The tile list is rewritten when it holds names; a list that cannot be
// written is named in a message and the old file stays.
void saveTileList()
{
    if (TileCacheCount > 0 && !writeTileList())
        platform::MsgBox(WorkFolder + QStringLiteral("/Eld.AR2 に書き込めませんでした"));
}

// Every loaded window but the main window, which is unloading already. A
// window that refuses is destroyed: the program ends all the same.
void unloadOtherWindows(const Plot& window)
{
    for (platform::FormHolderBase* holder = platform::FormHolderBase::first(); holder != nullptr;
         holder = holder->next()) {
        platform::Form* form = holder->loadedForm();
        if (form == nullptr || form == &window)
            continue;
        if (!platform::Unload(*form))
            holder->destroy();
    }
}

// The save command of a site at the close, with the GPS poll stopped while
// it writes. False when the save failed (its message is shown): the program
// then stays, with the poll as it was, so that the user can save elsewhere
// rather than lose the edits since the last save. A cancelled save closes.
bool saveBeforeClosing(Plot& window)
{
    const bool polling = window.Timer1.Enabled();
    window.Timer1.setEnabled(false);
    if (saveSite(window) != SaveEnd::Failed)
        return true;
    window.Timer1.setEnabled(polling);
    return false;
}

}  // namespace

void Form_Unload(Plot& window, int& cancel)
{
    if (platform::MsgBox(QStringLiteral("プログラムを終了します。よろしいですか？"), platform::MsgButtons::OkCancel)
        != platform::MsgResult::Ok) {
        cancel = 1;
        return;
    }
    removeRasterCopies();
    unloadResultsWindow();
    Bbc(0);
    if (SiteMode == 1 && !saveBeforeClosing(window)) {
        cancel = 1;
        return;
    }
    saveTileList();
    UnhookWheel();
    unloadOtherWindows(window);
}

namespace {

// The backup of a site opened through its sign file, all four tables
// written whatever their marks, so that nothing since the last save is lost.
void backUpAtSessionEnd(Plot& window)
{
    if (!window.Timer2.Enabled() || SiteFolder.isEmpty())
        return;
    PointChanged = LineChanged = TxtChanged = TegakiChanged = 1;
    static_cast<void>(runBackup(window, currentDateTime()));
}

}  // namespace

void endSession()
{
    if (Plot* window = plotForm().ifLoaded()) {
        window->Timer1.setEnabled(false);
        backUpAtSessionEnd(*window);
        // The quiet steps of a close: nobody is there to read a message.
        if (TileCacheCount > 0)
            static_cast<void>(writeTileList());
        platform::removeFolderTree(platform::localRasterFolder());
        UnhookWheel();
    }
    // Every event loop ends, those of open dialogs too; what a dialog's
    // caller does next sees it cancelled, and a dialog shown after this
    // returns at once. The executable then unloads every window and ends.
    QCoreApplication::exit(0);
}

void wireShutdown(Plot& window)
{
    window.Unload = [&window](int& cancel) { Form_Unload(window, cancel); };
}

}  // namespace tavelcor
