// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/redisplay.h"

#include "geodesy/format_fixed.h"
#include "geodesy/plane_geometry.h"
#include "main/edit/undo_history.h"
#include "main/render/render_state.h"
#include "main/render/window_plot_face.h"
#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "main/survey/sima_reload.h"
#include "main/survey/stdisp.h"
#include "main/survey/survey_marks.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"

#include <optional>

namespace tavelcor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kClearedPickEntries = 50;

// What every call resets before it looks at the clipboard.
void resetPicks()
{
    TileDlMode = 0;
    SearchHit = 0;
    CalcStep = 0;
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickCount = 0;
    CalcPickA = CalcPickB = 0;
    CalcPickName.clear();
    if (SelClearPending == 1) {
        for (int p = 1; p <= KakuchiCount; ++p)
            KakuchiSel[p] = 0;
        for (int t = 1; t <= kTxtTop; ++t)
            TxtSel[t] = 0;
        SelClearPending = 0;
    }
    for (int i = 1; i <= kClearedPickEntries; ++i)
        CalcPickList[i] = 0;
    render::forgetKeptCounts();
}

// A kept number (single precision) as the coordinate it names; nullopt for
// 0 and for a number that is no coordinate of the table.
std::optional<int> keptCoordinate(float kept)
{
    const std::optional<std::int32_t> n = platform::toLongChecked(kept);
    if (!n || *n < 1 || *n > kZahyoTop)
        return std::nullopt;
    return *n;
}

bool stationOfferApplies(const Plot& window, QStringView text)
{
    return !isWorkbookSimaText(text) && window.Option1.Value() && platform::Val(KeepStation) == 1.0
           && keptCoordinate(StationNo) && keptCoordinate(BackNo);
}

void clearStationPicks()
{
    CalcStep = 0;
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickCount = 0;
}

// Offers the kept instrument station and back-sight again; Yes leaves the
// set-up in MsgText and shows the report window. The clipboard stays.
void offerStation(Plot& window)
{
    const int station = *keptCoordinate(StationNo);
    const int back = *keptCoordinate(BackNo);
    CalcPick1 = station;
    CalcPick2 = back;
    CalcPick3 = 0;
    CalcPickCount = 2;
    CalcPickList[1] = CalcPick2;
    CalcPickList[2] = CalcPick1;
    CalcPickList[3] = 0;
    CalcStep = 2;
    crtplot();
    stblueplot(plotFace());
    linedraw(plotFace());
    const QString stationLine = zahyodisp(window, station);
    const QString backLine = zahyodisp(window, back);
    const QString question = QStringLiteral("機械点") + stationLine + kCrLf + QStringLiteral("バック点") + backLine
                             + kCrLf + QStringLiteral("に設定しますか");
    if (platform::MsgBox(question, platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
        clearStationPicks();
        crtplot();
        return;
    }
    const geodesy::InverseResult sight =
        geodesy::Inverse(ZahyoX[back] - ZahyoX[station], ZahyoY[back] - ZahyoY[station]);
    MsgText = QStringLiteral("機械点 ") + stationLine + kCrLf + QStringLiteral("バック ") + backLine
              + QStringLiteral(" S=") + QString::fromStdString(geodesy::FormatFixed(sight.distance, 10, 3)) + kCrLf;
    BaseAzimuth = sight.angleDeg;
    showReportWindow();
}

// The steps of a reload before its scan: the text kept before is written to
// the site's ZAHYO.SIM, the new one kept, a backup made when backups are
// on, the tables cleared and the edit history started afresh (its computed
// coordinates were counted in the table the reload replaces: their Undo
// would cut the reloaded coordinates). False, with nothing changed, when
// ZAHYO.SIM cannot be written (the message names it).
bool prepareReload(Plot& window, const QString& text)
{
    if (!KeptSima.isEmpty()) {
        const QString path = platform::findFileNoCase(SiteFolder, QStringLiteral("ZAHYO.SIM"));
        if (writeSimaText(path, KeptSima).failed()) {
            platform::MsgBox(path + QStringLiteral(" に書き込めませんでした。座標と画地は変わっていません。"));
            return false;
        }
    }
    SiteMode = 1;
    KeptSima = text;
    if (BackupMinutes != 0 && surveyServices().showBackupWindow)
        surveyServices().showBackupWindow();
    clearForSimaReload();
    startNewHistory();
    window.Command61.setVisible(false);
    return true;
}

void redraw(Plot& window)
{
    window.Picture1.SetFocus();
    crtplot();
}

// The SIMA path: the text is checked whole, then taken into the tables.
void takeSimaText(Plot& window, const QString& text)
{
    window.Command6.setDefault(false);
    const std::int32_t slot = nextVertexSlot();
    const SimaTextKind kind = simaTextKind(text);
    if (const std::optional<SimaRefusal> refusal = checkSimaText(text, kind, slot)) {
        platform::MsgBox(simaRefusalMessage(*refusal));
        redraw(window);
        surveyClipboard().clear();
        return;
    }
    if (kind == SimaTextKind::Reload && !prepareReload(window, text)) {
        redraw(window);
        return;
    }
    scanSimaText(text, kind == SimaTextKind::Append, slot, kind == SimaTextKind::Reload);
    redraw(window);
    surveyClipboard().clear();
}

}  // namespace

void Command6_Click(Plot& window)
{
    resetPicks();
    const QString text = surveyClipboard().text();
    if (stationOfferApplies(window, text))
        offerStation(window);
    else
        takeSimaText(window, text);
}

void redisplayForHistory(Plot& window)
{
    resetPicks();
    redraw(window);
}

void Command86_Click(Plot& window)
{
    SelClearPending = 1;
    Command6_Click(window);
}

void Command81_Click(Plot& window)
{
    Command6_Click(window);
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
