// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/export_commands.h"

#include "main/export/sima_registration.h"
#include "main/export/simasave.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"

#include <optional>

namespace tavelcor {
namespace {

// Chooses what the target writes (steps up to the redraw); false when the
// registration ends there.
bool chooseForTarget(int target, bool renumber, sima::Selection& selection)
{
    if (!sima::chooseParcels(target, selection)) {
        platform::MsgBox(QStringLiteral("先に画地を選択してください"));
        return false;
    }
    if (target != sima::kTargetAll)
        crtplot();
    sima::chooseCoordinates(target, renumber, selection);
    if (target == sima::kTargetSelectedNear)
        sima::addNearCoordinates(platform::Val(simasave().Text1.Text()), selection);
    crtplot();
    DragZoomArmed = 0;
    return true;
}

// Writes the file after the questions; false when the user declined to
// replace an existing file.
bool writeChosen(int target, bool renumber, const sima::Selection& selection, const QString& path)
{
    if (platform::fileExists(path)
        && platform::MsgBox(path + QStringLiteral(" は既存ファイルです。上書きしますか？"), platform::MsgButtons::OkCancel)
               == platform::MsgResult::Cancel)
        return false;
    sima::SimaFileOptions options;
    options.writeParcels = target != sima::kTargetViewCoordinates;
    options.withLocation = options.writeParcels && platform::askYesNo(QStringLiteral("所在を追記しますか?"));
    options.renumber = renumber;
    options.numbers = {SimaZahyoStart, SimaKakuchiStart};
    const sima::SimaWriteResult written = sima::writeSimaRegistration(path, selection, options);
    if (written.file.failed()) {
        platform::MsgBox(QStringLiteral("保存に失敗しました"));
        return true;
    }
    SimaZahyoStart = written.next.zahyoStart;
    SimaKakuchiStart = written.next.kakuchiStart;
    return true;
}

}  // namespace

QString renumberingTooLargeMessage()
{
    return QStringLiteral("座標登録番号が500000を超えます。座標登録開始番号を小さくしてください");
}

void Command1_Click(Plot& window)
{
    SimaCancel = 0;
    simasave().ShowModal();
    if (SimaCancel == 9)
        return;
    const int target = SimaTarget >= 1 && SimaTarget <= 6 ? SimaTarget : int(sima::kTargetAll);
    const bool renumber = SimaCompress == 1;
    sima::Selection selection;
    if (!chooseForTarget(target, renumber, selection))
        return;
    if (renumber && !sima::renumberingFits(SimaZahyoStart, sima::writtenCoordinateCount(selection))) {
        platform::MsgBox(renumberingTooLargeMessage());
        window.Picture1.SetFocus();
        return;
    }
    // The command asks before it replaces a file itself.
    const std::optional<QString> path =
        chooseExportFile(window, QStringLiteral("SIMA ファイル|*.SIM"), QStringLiteral("TAVELCOR.SIM"));
    if (path && !writeChosen(target, renumber, selection, *path))
        return;
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
