// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/keypad_start.h"

#include "main/site/tables.h"
#include "platform/prompt/prompter.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"
#include "platform/system/window_presence.h"

namespace tavelcor {

namespace {

// The keypad's missing file is reported once a run.
bool& missingReported()
{
    static bool reported = false;
    return reported;
}

}  // namespace

QString kintabProgram()
{
    return platform::executableFolder() + QStringLiteral("/kintab");
}

QString kintabMissingMessage()
{
    return QStringLiteral("KIXTAB.EXEが見つかりません。手動で起動して下さい。");
}

void KintabDisp()
{
    if (KintabAuto != 1)
        return;
    if (platform::windowTitledExists(QStringLiteral("KINTAB")))
        return;
    const QString program = kintabProgram();
    platform::ProcessStarter& starter = platform::processStarter();
    if (!starter.isStartable(program)) {
        if (!missingReported()) {
            missingReported() = true;
            platform::MsgBox(kintabMissingMessage());
        }
        return;
    }
    starter.startDetached(program, {});
}

void resetKintabDisp()
{
    missingReported() = false;
}

}  // namespace tavelcor
