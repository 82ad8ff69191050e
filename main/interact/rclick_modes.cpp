// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/rclick_modes.h"

#include "geodesy/format_fixed.h"
#include "main/background/photo_viewer.h"
#include "main/edit/point_drawing.h"
#include "main/edit/undo_history.h"
#include "main/interact/rclick_calc.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/stdisp.h"
#include "main/survey/survey_marks.h"
#include "main/survey/survey_services.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <optional>

namespace tavelcor::rclick_modes {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kNoIntersection = QStringLiteral("４点交点が求まりません");
const QString kCopyListFull = QStringLiteral("コピーできる点は100点までです");
const QString kZahyoFull = QStringLiteral("座標の件数が上限の500000件に達しています");
const QString kPointsFull = QStringLiteral("ポイントの件数が上限の500000件に達しています");
constexpr int kFirstSymbol = 1;
constexpr int kLastSymbol = 18;

bool ticked(const platform::CheckBox& box)
{
    return box.Value() == platform::check::Checked;
}

void clearIntersectionPicks()
{
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickList[4] = 0;
    CalcPickCount = 0;
}

// Picks 1 to 3 of the intersection: each noted, listed and reported.
void notePick(Plot& w, int index, int n)
{
    CalcPickList[index] = n;
    CalcPickCount = index;
    MsgText = platform::Str(index).trimmed() + QLatin1Char(':') + zahyodisp(w, n) + kCrLf;
    crtplot();
    showReportWindow();
}

// Coordinate m takes the intersection point; slot 0 holds it as well.
void storeIntersection(int m, const rclick::IntersectionPoint& p)
{
    ZahyoX[0] = ZahyoX[m] = p.x;
    ZahyoY[0] = ZahyoY[m] = p.y;
    ZahyoName[m] = rclick::computedName(m);
    ZahyoH[m] = rclick::intersectionHeight(p.x, p.y, CalcPick1, CalcPick2, CalcPick3, CalcPickList[4]).value_or(0.0);
    ZahyoLink[m].clear();
    ZahyoUsed[m] = 0;
    ZahyoPX[0] = ZahyoPX[m] = p.x - OriginX;
    ZahyoPY[0] = ZahyoPY[m] = p.y - OriginY;
}

PressEnd finishIntersection(Plot& w, int point4)
{
    const std::optional<int> m = rclick::nextComputedNumber();
    if (!m) {
        platform::MsgBox(kZahyoFull);
        clearIntersectionPicks();
        return PressEnd::Skip;
    }
    const std::optional<rclick::IntersectionPoint> p =
        rclick::fourPointIntersection(CalcPick1, CalcPick2, CalcPick3, point4);
    if (!p) {
        // ZahyoMax stays raised: number m is left without a coordinate.
        platform::MsgBox(kNoIntersection);
        clearIntersectionPicks();
        return PressEnd::Skip;
    }
    storeIntersection(*m, *p);
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(static_cast<float>(*m - 1)));
    MsgText = QStringLiteral("4:") + zahyodisp(w, point4) + kCrLf + QStringLiteral("交点 ") + zahyodisp(w, *m) + kCrLf
              + kCrLf;
    ZahyoDirty = 1;
    crtplot();
    showReportWindow();
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickCount = 0;
    return PressEnd::Common;
}

// A new observation point at coordinate n; false (nothing written) when the
// point table is full.
bool makePoint(Plot& w, int n, bool numbers, bool names)
{
    const int j = PointCount + 1;
    if (j > kPointTop) {
        platform::MsgBox(kPointsFull);
        return false;
    }
    PointX[j] = ZahyoX[n] - OriginX;
    PointY[j] = ZahyoY[n] - OriginY;
    PointName[j] = rclick::pointNameFor(n, numbers, names);
    PointName2[j].clear();
    PointMark[j] = static_cast<std::uint8_t>(std::clamp(SelectedIndex(w.Option13), kFirstSymbol, kLastSymbol));
    PointCount = j;
    PointChanged = 1;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(static_cast<float>(j - 1)));
    drawPointInPlace(w, j, false);
    w.Label28.setCaption(QString());
    return true;
}

}  // namespace

PressEnd intersectionPress(Plot& w, int n)
{
    if (CalcPick1 == 0) {
        CalcPick1 = n;
        notePick(w, 1, n);
        return PressEnd::Common;
    }
    if (CalcPick2 == 0) {
        if (n == CalcPick1)
            return PressEnd::Common;
        CalcPick2 = n;
        notePick(w, 2, n);
        return PressEnd::Common;
    }
    if (CalcPick3 == 0) {
        CalcPick3 = n;
        notePick(w, 3, n);
        return PressEnd::Common;
    }
    if (n == CalcPick3)
        return PressEnd::Common;
    CalcPickList[4] = n;
    CalcPickCount = 5;
    return finishIntersection(w, n);
}

void copyOrPointPress(Plot& w, int n)
{
    const bool numbers = ticked(w.Check1);
    const bool names = ticked(w.Check2);
    const bool copy = numbers && names;
    platform::Clipboard& clipboard = surveyClipboard();
    const QString waiting = copy ? clipboard.text() : QString();
    if (CalcPick1 == 0) {
        CalcPick1 = n;
        CalcPickCount = 0;
    }
    if (CalcPickCount >= rclick::kMaxPicks) {
        // A list that would grow past 100 rows is refused as it stands; a
        // new list or a point starts a new run of picks.
        if (copy && rclick::isWaitingList(waiting)) {
            platform::MsgBox(kCopyListFull);
            return;
        }
        CalcPickCount = 0;
    }
    ++CalcPickCount;
    CalcPickList[CalcPickCount] = n;
    stblueplot(plotFace());
    CalcPickName = waiting;
    clipboard.clear();
    if (!rclick::isWaitingList(CalcPickName)) {
        platform::MsgBox(rclick::copyNotice(n, numbers, names));
        CalcPickName.clear();
    }
    if (!CalcPickName.isEmpty()) {
        MsgText = rclick::copyQuestion(CalcPickName, n);
        if (platform::MsgBox(MsgText, platform::MsgButtons::YesNo) == platform::MsgResult::No) {
            CalcPickName.clear();
            CalcPick1 = 0;
        }
    }
    if (copy)
        CalcPickName += platform::Str(n).trimmed() + kCrLf;
    else
        makePoint(w, n, numbers, names);
    CalcPick1 = n;
    render::PlotFace& face = plotFace();
    stblueplot(face);
    linedraw(face);
    clipboard.setText(CalcPickName);
}

void linkPress(Plot&, const CoordinatePick& pick)
{
    const auto exists = [](const QString& name) {
        return platform::isBareFileName(name) && platform::fileExists(SiteFolder + name);
    };
    const std::vector<int> found = rclick::linkCandidates(pick.number, pick.tolerance, exists);
    if (found.empty())
        return;
    LinkCand[0] = static_cast<std::int32_t>(found.size());
    for (std::size_t k = 0; k < found.size(); ++k)
        LinkCand[static_cast<std::ptrdiff_t>(k) + 1] = found[k];
    showPhotoCandidates();
}

}  // namespace tavelcor::rclick_modes
