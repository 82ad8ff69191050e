// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/work_folder.h"

#include "main/site/settings_file.h"
#include "main/site/tables.h"
#include "main/site/tile_list.h"
#include "main/survey/keypad_start.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/forms/form.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/processes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavelcor {

namespace {

constexpr int kBusyPointer = 11;

// Shows the wait pointer over a form for its lifetime.
class BusyPointer {
public:
    explicit BusyPointer(platform::Form& form) : mForm(form) { mForm.setMousePointer(kBusyPointer); }
    ~BusyPointer() { mForm.setMousePointer(0); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    platform::Form& mForm;
};

// True when the settings are kept in the work folder: the site has no sign
// file, so clearing the folder took tavelcor.jkn with it.
bool settingsLiveInWorkFolder()
{
    return QFileInfo(settingsFileToWrite()).absolutePath() == QFileInfo(WorkFolder).absoluteFilePath();
}

// The work folder made again with what the program keeps there.
bool refillWorkFolder()
{
    if (!QDir().mkpath(WorkFolder))
        return false;
    const Plot& window = plot();
    if (!window.Picture4.canvas().SavePicture(WorkFolder + QStringLiteral("/ELD.BMP")))
        return false;
    if (!window.Picture7.canvas().SavePicture(WorkFolder + QStringLiteral("/WHITE.BMP")))
        return false;
    if (settingsLiveInWorkFolder() && SaveSettings([] { plot().Timer3.setEnabled(true); }).failed())
        return false;
    return true;
}

}  // namespace

void startKeypadProgram()
{
    const QString program = kintabProgram();
    platform::ProcessStarter& starter = platform::processStarter();
    if (!starter.isStartable(program)) {
        platform::MsgBox(kintabMissingMessage());
        return;
    }
    starter.startDetached(program, {});
}

void clearWorkFolderAsked(platform::Form& busy)
{
    const platform::MsgResult answer = platform::MsgBox(
        QStringLiteral("一時ファイルを消去する前に、現場を保存してください。消去しますか？"), platform::MsgButtons::YesNo);
    BusyPointer pointer(busy);
    if (answer != platform::MsgResult::Yes)
        return;
    if (!ClearWorkFolder() || !refillWorkFolder()) {
        platform::MsgBox(QStringLiteral("一時保存フォルダを削除できませんでした"));
        return;
    }
    setTileCache({});
    platform::MsgBox(QStringLiteral("一時保存ファイルを削除しました"));
}

void rebuildTileIndex(platform::Form& busy)
{
    BusyPointer pointer(busy);
    const QString old = platform::findFileNoCase(WorkFolder, QStringLiteral("Eld.AR2"));
    if (QFileInfo(old).isFile())
        QFile::remove(old);
    setTileCache(platform::listFiles(WorkFolder));
    bool written = false;
    if (TileCacheCount > 0) {
        written = writeTileList();
    } else {
        QFile empty(WorkFolder + QStringLiteral("/Eld.AR2"));
        written = empty.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    platform::MsgBox(written ? QStringLiteral("地理院地図インデックスを再作成しました")
                             : QStringLiteral("地理院地図インデックスを作成できませんでした"));
}

}  // namespace tavelcor
