// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/shutdown.h"

#include "main/app/plot_procedures.h"
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

}  // namespace

void Form_Unload(Plot& window, int& cancel)
{
    if (platform::MsgBox(QStringLiteral("プログラムを終了します。よろしいですか？"), platform::MsgButtons::OkCancel)
        != platform::MsgResult::Ok) {
        cancel = 1;
        return;
    }
    const QString rasterCopies = platform::localRasterFolder();
    if (platform::folderExists(rasterCopies))
        platform::removeFolderTree(rasterCopies);
    Bbc(0);
    if (SiteMode == 1) {
        window.Timer1.setEnabled(false);
        Command23_Click(window);
    }
    writeTileList();
    UnhookWheel();
    unloadOtherWindows(window);
}

void wireShutdown(Plot& window)
{
    window.Unload = [&window](int& cancel) { Form_Unload(window, cancel); };
}

}  // namespace tavelcor
