// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/shutdown.h"

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

void wireShutdown(Plot& window)
{
    window.Unload = [&window](int& cancel) { Form_Unload(window, cancel); };
}

}  // namespace tavelcor
