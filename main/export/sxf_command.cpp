// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/export_commands.h"

#include "main/export/sxf_file.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {
namespace {

// The switches and marker buttons of the main window the sections read.
sxf::SxfView sxfViewOf(Plot& window, bool includeHidden)
{
    const WindowPlotFace face(window);
    sxf::SxfView view;
    view.includeHidden = includeHidden;
    view.check1 = face.checkValue(1);
    view.check2 = face.checkValue(2);
    view.check6 = face.checkValue(6);
    view.check12 = face.checkValue(12);
    view.check14 = face.checkValue(14);
    view.check15 = face.checkValue(15);
    view.check16 = face.checkValue(16);
    view.markMode = SxfMarkMode;
    for (int m = 1; m <= kSymbolCount; ++m) {
        view.symbolCaption[std::size_t(m)] = face.symbolCaption(m);
        view.symbolColorRgb[std::size_t(m)] = face.symbolColor(m);
    }
    return view;
}

}  // namespace

void sxfmake(Plot& window)
{
    const bool includeHidden =
        platform::MsgBox(QStringLiteral("非表示要素も出力しますか？　する＝「はい」 　しない＝「いいえ」"),
                         platform::MsgButtons::YesNo)
        == platform::MsgResult::Yes;
    const std::optional<QString> path =
        chooseExportFile(window, QStringLiteral("SXF ファイル|*.SFC"), QStringLiteral("TAVELCOR.SFC"));
    if (!path)
        return;
    if (sxf::writeSxfFile(*path, sxfViewOf(window, includeHidden)).failed())
        platform::MsgBox(QStringLiteral("保存に失敗しました"));
}

}  // namespace tavelcor
