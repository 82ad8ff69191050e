// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/prompt/common_dialog.h"

#include "platform/prompt/prompter.h"

#include <QFileInfo>

namespace platform {

QString CommonDialog::FileTitle() const
{
    return QFileInfo(mFileName).fileName();
}

bool CommonDialog::showFile(bool save)
{
    FileRequest request;
    request.mode = save ? FileDialogMode::Save : FileDialogMode::Open;
    request.title = mDialogTitle;
    request.fileName = mFileName;
    request.filter = mFilter;
    request.filterIndex = mFilterIndex;
    request.initialFolder = mInitDir;
    request.confirmOverwrite = save && (mFlags & kOverwritePrompt) != 0;
    request.mustExist = !save && (mFlags & kFileMustExist) != 0;
    const std::optional<FileChoice> choice = prompter().file(request);
    if (!choice)
        return false;
    mFileName = choice->path;
    mFilterIndex = choice->filterIndex;
    return true;
}

bool CommonDialog::ShowOpen()
{
    return showFile(false);
}

bool CommonDialog::ShowSave()
{
    return showFile(true);
}

bool CommonDialog::ShowColor()
{
    const std::optional<std::uint32_t> chosen = prompter().color(ColorRequest{mColor, mDialogTitle});
    if (!chosen)
        return false;
    mColor = *chosen;
    return true;
}

}  // namespace platform
