// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/rclick_press.h"

#include "geodesy/format_fixed.h"
#include "main/interact/rclick_calc.h"
#include "main/interact/rclick_modes.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "main/survey/stdisp.h"
#include "main/survey/survey_marks.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace tavelcor {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTraverseFull = QStringLiteral("連続逆計算の点は100点までです");
constexpr double kParcelFrameTop = 4250.0;  // twips

bool ticked(const platform::CheckBox& box)
{
    return box.Value() == platform::check::Checked;
}

bool directionsShown(const Plot& w)
{
    return ticked(w.Check9);
}

bool interiorsShown(const Plot& w)
{
    return ticked(w.Check8);
}

void markPicks()
{
    render::PlotFace& face = plotFace();
    stblueplot(face);
    linedraw(face);
}

void report()
{
    showReportWindow();
}

// Picks kept in CalcPickList as a vector indexed like the list (entry 0 unused).
std::vector<int> pickList(int count)
{
    std::vector<int> list(static_cast<std::size_t>(count) + 1, 0);
    for (int k = 1; k <= count; ++k)
        list[static_cast<std::size_t>(k)] = CalcPickList[k];
    return list;
}

// --- parcel information ----------------------------------------------------------

void listParcel(Plot& window, int i, double area)
{
    QString text = window.Text18.Text() + rclick::parcelBlock(i, area);
    const int caret = static_cast<int>(text.size());
    if (ticked(window.Check35))
        text += rclick::parcelVertexListing(i);
    text += kCrLf;
    window.Text18.setText(text);
    window.Frame16.Move(0.0, kParcelFrameTop);
    window.Frame16.setVisible(true);
    window.Text18.setSelStart(caret);
}

// --- radial inverse --------------------------------------------------------------

void radialPress(Plot& w, int n)
{
    if (CalcPick1 == 0) {
        CalcPick1 = n;
        CalcPickList[2] = n;
        StationNo = static_cast<float>(n);
        MsgText = QStringLiteral("器械点 ") + zahyodisp(w, n) + kCrLf;
    } else if (CalcPick2 == 0) {
        CalcPick2 = n;
        CalcPickList[1] = n;
        CalcPickCount = 2;
        BackNo = static_cast<float>(n);
        const rclick::Leg leg = rclick::legBetween(CalcPick1, n);
        BaseAzimuth = leg.angleDeg;
        MsgText = QStringLiteral("バック ") + zahyodisp(w, n) + rclick::distanceText(leg.distance) + kCrLf;
    } else {
        CalcPick3 = n;
        CalcPickCount = 3;
        CalcPickList[3] = n;
        const rclick::Leg leg = rclick::legBetween(CalcPick1, n);
        MsgText = zahyodisp(w, n) + rclick::directionText(leg.angleDeg, directionsShown(w))
                  + rclick::distanceText(leg.distance);
        surveyClipboard().setText(QString::fromStdString(geodesy::FormatFixed(leg.distance, 11, 3)));
        MsgText += rclick::interiorText(leg.angleDeg, BaseAzimuth, interiorsShown(w)) + kCrLf;
    }
    markPicks();
    report();
}

// --- continuous inverse ----------------------------------------------------------

void closeTraverse()
{
    const std::optional<double> area = rclick::traverseArea(pickList(CalcPickCount), CalcPickCount);
    MsgText += QStringLiteral("  面積= ") + QString::fromStdString(geodesy::FormatFixed(area.value_or(0.0), 20, 3))
               + QStringLiteral("㎡") + kCrLf + kCrLf;
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickA = CalcPickB = 0;
}

void continuousPress(Plot& w, int n)
{
    if (CalcPick1 == 0) {
        CalcPick1 = n;
        CalcPickList[1] = n;
        CalcPickCount = 1;
        MsgText = QStringLiteral("1:") + zahyodisp(w, n) + kCrLf;
        markPicks();
        report();
        return;
    }
    if (CalcPick2 == 0) {
        CalcPick2 = n;
        CalcPickList[2] = n;
        const rclick::Leg leg = rclick::legBetween(CalcPick1, n);
        MsgText = QStringLiteral("2:") + zahyodisp(w, n) + rclick::directionText(leg.angleDeg, directionsShown(w))
                  + rclick::distanceText(leg.distance) + kCrLf;
        CalcPickCount = 2;
        markPicks();
        report();
        BaseAzimuth = leg.angleDeg + 180.0;
        return;
    }
    if (CalcPickCount >= rclick::kMaxPicks) {
        platform::MsgBox(kTraverseFull);
        return;
    }
    CalcPick3 = n;
    ++CalcPickCount;
    CalcPickList[CalcPickCount] = n;
    markPicks();
    const rclick::Leg leg = rclick::legBetween(CalcPickList[CalcPickCount - 1], n);
    const bool backToFirst = n == CalcPickList[1];
    const QString label = CalcPickCount > 3 && backToFirst ? QStringLiteral("1:")
                                                           : platform::Str(CalcPickCount).trimmed() + QLatin1Char(':');
    MsgText = label + zahyodisp(w, n) + rclick::directionText(leg.angleDeg, directionsShown(w))
              + rclick::distanceText(leg.distance) + rclick::interiorText(leg.angleDeg, BaseAzimuth, interiorsShown(w))
              + kCrLf;
    BaseAzimuth = leg.angleDeg + 180.0;
    // The area goes into the same report as the closing leg: the report
    // window takes MsgText once per press.
    if (CalcPickCount > 2 && backToFirst)
        closeTraverse();
    report();
}

// --- perpendicular check -----------------------------------------------------------

void takeBaseEdge(Plot& w, const Press& press)
{
    const double north = OriginX - press.y;
    const double east = press.x + OriginY;
    const std::optional<rclick::BaseEdge> edge =
        rclick::findBaseEdge(north, east, pickBaseTolerance(HitRadius, ViewSpanX));
    if (!edge)
        return;
    CalcPick1 = CalcPickList[1] = edge->point1;
    CalcPick2 = CalcPickList[2] = edge->point2;
    CalcPickCount = 2;
    const rclick::Leg leg = rclick::legBetween(edge->point1, edge->point2);
    BaseAzimuth = leg.angleDeg;
    BaseLength = leg.distance;
    MsgText = QStringLiteral("1:") + zahyodisp(w, edge->point1) + kCrLf + QStringLiteral("2:")
              + zahyodisp(w, edge->point2) + kCrLf + rclick::directionText(leg.angleDeg, directionsShown(w))
              + rclick::distanceText(leg.distance) + kCrLf;
    report();
    markPicks();
}

void testAgainstBase(Plot& w, int n)
{
    const std::optional<rclick::PerpendicularResult> r = rclick::perpendicularTo(CalcPick2, BaseAzimuth, n);
    if (!r)
        return;
    CalcPick3 = n;
    ZahyoX[0] = r->footX;
    ZahyoY[0] = r->footY;
    ZahyoPX[0] = r->footX - OriginX;
    ZahyoPY[0] = r->footY - OriginY;
    MsgText = QStringLiteral("指定点 ") + zahyodisp(w, n) + kCrLf + zahyodisp(w, 0) + QStringLiteral(" [1]-交点間 = ")
              + QString::fromStdString(geodesy::FormatFixed(BaseLength + r->along, 10, 3)) + QStringLiteral(" 垂線長=")
              + QString::fromStdString(geodesy::FormatFixed(std::abs(r->offset), 10, 3)) + kCrLf;
    CalcPickCount = 4;
    CalcPickList[3] = 0;
    CalcPickList[4] = n;
    crtplot();
    report();
}

void perpendicularPress(Plot& w, const Press& press, int n)
{
    if (CalcPick1 == 0) {
        if (n == 0) {
            takeBaseEdge(w, press);
            return;
        }
        CalcPick1 = n;
        MsgText = QStringLiteral("1:") + zahyodisp(w, n) + kCrLf;
        CalcPickList[1] = n;
        CalcPickCount = 1;
        markPicks();
        report();
        return;
    }
    if (n <= 0)
        return;
    if (CalcPick2 == 0) {
        CalcPick2 = n;
        CalcPickList[2] = n;
        const rclick::Leg leg = rclick::legBetween(CalcPick1, n);
        MsgText = QStringLiteral("2:") + zahyodisp(w, n) + rclick::directionText(leg.angleDeg, directionsShown(w))
                  + rclick::distanceText(leg.distance) + kCrLf;
        CalcPickCount = 2;
        markPicks();
        report();
        BaseAzimuth = leg.angleDeg;
        BaseLength = leg.distance;
        return;
    }
    testAgainstBase(w, n);
}

}  // namespace

PressEnd showParcelInformation(Plot& window, const Press& press)
{
    ParcelRange = 0;
    bool any = false;
    const int parcels = std::min<int>(KakuchiCount, kKakuchiTop);
    for (int i = 1; i <= parcels; ++i) {
        if (KakuchiName[i] == QStringLiteral("type open"))
            continue;
        KakuchiLabelX[0] = static_cast<float>(-press.y);
        KakuchiLabelY[0] = static_cast<float>(press.x);
        const std::optional<float> w = survey::kseek(i, -press.y, press.x);
        if (!w || std::abs(*w) <= 359.0F)
            continue;
        any = true;
        KakuchiSel[i] = KakuchiSel[i] == 1 ? 0 : 1;
        crtplot();
        listParcel(window, i, survey::menseki(i).value_or(0.0));
    }
    return any ? PressEnd::Common : PressEnd::Skip;
}

PressEnd runRightClickCalculation(Plot& window, const Press& press, const CoordinatePick& pick)
{
    const int n = pick.number;
    if (RclickMode == 32)
        rclick_modes::linkPress(window, pick);
    if (RclickMode > 0) {
        if (Stdisp* open = stdispForm().ifLoaded(); open && open->windowState() == platform::WindowState::Minimized)
            open->setWindowState(platform::WindowState::Normal);
    }
    if (RclickMode == 1 && n != 0)
        radialPress(window, n);
    else if (RclickMode == 2 && n != 0)
        continuousPress(window, n);
    else if (RclickMode == 3)
        perpendicularPress(window, press, n);
    else if (RclickMode == 34 && n > 0)
        return rclick_modes::intersectionPress(window, n);
    else if (RclickMode == 4 && n > 0 && rclick::isCoordinateNumber(n) && !ZahyoName[n].endsWith(QStringLiteral("_?_")))
        rclick_modes::copyOrPointPress(window, n);
    return PressEnd::Common;
}

}  // namespace tavelcor
