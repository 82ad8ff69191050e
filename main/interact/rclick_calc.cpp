// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/rclick_calc.h"

#include "geodesy/angles.h"
#include "geodesy/format_fixed.h"
#include "geodesy/plane_geometry.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavelcor::rclick {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString fixed(double value, int width, int decimals)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, decimals));
}

double planeDistance(double x1, double y1, double x2, double y2)
{
    return std::hypot(x2 - x1, y2 - y1);
}

// The vertex of slot j, or 0 when the slot or its number lies outside the
// tables.
int vertexAt(int slot)
{
    if (slot < 0 || slot > kKakuchiVertexTop)
        return 0;
    const int v = KakuchiVertex[slot];
    return isCoordinateNumber(v) ? v : 0;
}

bool readableParcel(int i)
{
    if (i < 1 || i > kKakuchiTop)
        return false;
    const int first = KakuchiFirst[i];
    const int last = KakuchiLast[i];
    return first >= 0 && last >= first && last <= kKakuchiVertexTop;
}

// The edge A → B qualifies as the base line under (north, east).
bool edgeQualifies(int a, int b, double north, double east, double t0)
{
    if (a == 0 || b == 0)
        return false;
    const survey::Perpendicular foot = survey::Suisen(ZahyoX[a], ZahyoY[a], ZahyoX[b], ZahyoY[b], north, east);
    const double af = planeDistance(ZahyoX[a], ZahyoY[a], foot.x4, foot.y4);
    const double fb = planeDistance(foot.x4, foot.y4, ZahyoX[b], ZahyoY[b]);
    const double ab = planeDistance(ZahyoX[a], ZahyoY[a], ZahyoX[b], ZahyoY[b]);
    return std::abs(foot.h) < t0 && af + fb - t0 < ab;
}

BaseEdge nearerEndFirst(int a, int b, double north, double east)
{
    const survey::Perpendicular foot = survey::perpendicularFoot(ZahyoX[a], ZahyoY[a], ZahyoX[b], ZahyoY[b], north, east);
    const double af = planeDistance(ZahyoX[a], ZahyoY[a], foot.x4, foot.y4);
    const double bf = planeDistance(ZahyoX[b], ZahyoY[b], foot.x4, foot.y4);
    return af < bf ? BaseEdge{a, b} : BaseEdge{b, a};
}

}  // namespace

bool isCoordinateNumber(int n) noexcept
{
    return n >= 0 && n <= kZahyoTop;
}

Leg legBetween(int p, int q)
{
    if (!isCoordinateNumber(p) || !isCoordinateNumber(q))
        return {};
    const geodesy::InverseResult r = geodesy::Inverse(ZahyoX[q] - ZahyoX[p], ZahyoY[q] - ZahyoY[p]);
    return {r.angleDeg, r.distance};
}

QString distanceText(double distance)
{
    return QStringLiteral(" S=") + fixed(distance, 10, 3);
}

QString directionText(double angleDeg, bool shown)
{
    if (!shown)
        return {};
    return QStringLiteral("  方向角=") + QString::fromStdString(geodesy::AngleText(angleDeg));
}

QString interiorText(double angleDeg, double baseAzimuthDeg, bool shown)
{
    if (!shown)
        return {};
    return QStringLiteral(" 内角=") + QString::fromStdString(geodesy::AngleText(angleDeg - baseAzimuthDeg));
}

std::optional<double> traverseArea(const std::vector<int>& list, int c)
{
    if (c < 3)
        return 0.0;
    if (c >= static_cast<int>(list.size()))
        return std::nullopt;
    for (int k = 1; k <= c; ++k)
        if (!isCoordinateNumber(list[k]))
            return std::nullopt;
    const auto x = [&list](int k) { return ZahyoX[list[k]]; };
    const auto y = [&list](int k) { return ZahyoY[list[k]]; };
    // Entry c is the first point again: the last vertex's far neighbour.
    double s = 0.0;
    for (int k = 2; k <= c - 1; ++k)
        s += x(k) * (y(k - 1) - y(k + 1));
    s += x(1) * (y(c - 1) - y(2));
    return std::abs(s) / 2.0;
}

std::optional<PerpendicularResult> perpendicularTo(int point2, double baseAzimuthDeg, int n)
{
    if (!isCoordinateNumber(point2) || !isCoordinateNumber(n))
        return std::nullopt;
    constexpr double kRadiansPerDegree = 3.14159265358979 / 180.0;
    const Leg leg = legBetween(point2, n);
    const double theta = (leg.angleDeg - baseAzimuthDeg) * kRadiansPerDegree;
    const double beta = baseAzimuthDeg * kRadiansPerDegree;
    PerpendicularResult r;
    r.along = std::cos(theta) * leg.distance;
    r.offset = std::sin(theta) * leg.distance;
    r.footX = ZahyoX[point2] + r.along * std::cos(beta);
    r.footY = ZahyoY[point2] + r.along * std::sin(beta);
    return r;
}

std::optional<BaseEdge> findBaseEdge(double north, double east, double t0)
{
    const int parcels = std::min<int>(KakuchiCount, kKakuchiTop);
    for (int i = 1; i <= parcels; ++i) {
        if (!readableParcel(i))
            continue;
        const int first = KakuchiFirst[i];
        const int last = KakuchiLast[i];
        for (int j = first; j < last; ++j) {
            const int a = vertexAt(j);
            const int b = vertexAt(j + 1);
            if (edgeQualifies(a, b, north, east, t0))
                return nearerEndFirst(a, b, north, east);
        }
        const int a = vertexAt(last);
        const int b = vertexAt(first);
        if (last > first && edgeQualifies(a, b, north, east, t0))
            return nearerEndFirst(a, b, north, east);
    }
    return std::nullopt;
}

std::optional<double> toMillimetres(double value)
{
    // The report writes coordinates in 11 columns; a value whose text is
    // longer would lose its leading digits there and in the rounding.
    constexpr qsizetype kColumns = 11;
    if (!std::isfinite(value))
        return std::nullopt;
    const QString text = fixed(value, 24, 3).trimmed();
    if (text.isEmpty() || text.size() > kColumns)
        return std::nullopt;
    return platform::Val(text);
}

std::optional<IntersectionPoint> fourPointIntersection(int p1, int p2, int p3, int p4)
{
    for (int p : {p1, p2, p3, p4})
        if (!isCoordinateNumber(p))
            return std::nullopt;
    const double x1 = ZahyoX[p1], y1 = ZahyoY[p1];
    const double x2 = ZahyoX[p2], y2 = ZahyoY[p2];
    const double x3 = ZahyoX[p3], y3 = ZahyoY[p3];
    const double x4 = ZahyoX[p4], y4 = ZahyoY[p4];
    // A line whose two points share X has no slope in this form.
    if (x1 == x2 || x3 == x4)
        return std::nullopt;
    const double a1 = (y2 - y1) / (x2 - x1);
    const double a2 = (y4 - y3) / (x4 - x3);
    if (!std::isfinite(a1) || !std::isfinite(a2) || a2 == a1)
        return std::nullopt;
    const double x0 = (a2 * x3 - a1 * x1 + y1 - y3) / (a2 - a1);
    const double y0 = (x0 - x1) * a1 + y1;
    const std::optional<double> x = toMillimetres(x0);
    const std::optional<double> y = toMillimetres(y0);
    if (!x || !y)
        return std::nullopt;
    return IntersectionPoint{*x, *y};
}

std::optional<int> nextComputedNumber()
{
    int top = ZahyoMax;
    if (ZahyoBaseMax == 0 && top < 100000)
        top = (top + 1000) / 1000 * 1000;
    if (top < 0 || top >= kZahyoTop)
        return std::nullopt;
    if (ZahyoBaseMax == 0)
        ZahyoBaseMax = ZahyoMax;
    ZahyoMax = top + 1;
    return ZahyoMax;
}

QString computedName(int m)
{
    QString name = platform::Str(m).trimmed() + QLatin1Char('P');
    if (m >= 1 && isCoordinateNumber(m) && name == ZahyoName[m - 1])
        name += QLatin1Char('P');
    return name;
}

std::optional<double> intersectionHeight(double x, double y, int p1, int p2, int p3, int p4)
{
    for (int p : {p1, p2, p3, p4})
        if (!isCoordinateNumber(p))
            return std::nullopt;
    if (ZahyoH[p1] == 0.0 && ZahyoH[p2] == 0.0 && ZahyoH[p3] == 0.0 && ZahyoH[p4] == 0.0)
        return std::nullopt;
    const double d1 = planeDistance(x, y, ZahyoX[p1], ZahyoY[p1]);
    const double d2 = planeDistance(x, y, ZahyoX[p2], ZahyoY[p2]);
    const double d12 = planeDistance(ZahyoX[p1], ZahyoY[p1], ZahyoX[p2], ZahyoY[p2]);
    if (d12 == 0.0)
        return std::nullopt;
    const double h1 = ZahyoH[p1];
    const double rise = (ZahyoH[p2] - h1) * d1 / d12;
    // Beyond point 1 the height goes the other way from point 1.
    const bool beyondPoint1 = d2 > d1 && d2 > d12;
    return toMillimetres(beyondPoint1 ? h1 - rise : h1 + rise);
}

std::vector<int> linkCandidates(int centre, double tolerance, const std::function<bool(const QString&)>& exists)
{
    std::vector<int> found;
    if (centre < 1 || centre > kZahyoTop)
        return found;
    const int last = std::clamp(ZahyoMax, 0, kZahyoTop);
    const double cx = ZahyoX[centre];
    const double cy = ZahyoY[centre];
    for (int i = 1; i <= last && static_cast<int>(found.size()) < kMaxLinkCandidates; ++i) {
        if (planeDistance(cx, cy, ZahyoX[i], ZahyoY[i]) >= tolerance)
            continue;
        const QString file = ZahyoLink[i].trimmed();
        if (!file.isEmpty() && exists(file))
            found.push_back(i);
    }
    return found;
}

QString parcelBlock(int parcel, double areaM2)
{
    if (parcel < 1 || parcel > kKakuchiTop)
        return {};
    QString block = QStringLiteral("画地　　　") + KakuchiName[parcel] + kCrLf + QStringLiteral("座標面積　")
                    + fixed(areaM2, 20, 7).trimmed() + QStringLiteral("㎡") + kCrLf;
    for (int k = 2; k <= 39; ++k) {
        const QString attr = KakuchiAttr(parcel, k);
        if (!attr.trimmed().isEmpty())
            block += attr + kCrLf;
    }
    return block;
}

QString parcelVertexListing(int parcel)
{
    QString text = QStringLiteral("    NO  NAME                 X            Y") + kCrLf;
    if (!readableParcel(parcel))
        return text;
    for (int j = KakuchiFirst[parcel]; j <= KakuchiLast[parcel]; ++j) {
        const int v = vertexAt(j);
        const QString name = (ZahyoName[v] + QString(17, QLatin1Char(' '))).left(15);
        text += fixed(v, 7, 0) + QLatin1Char(' ') + name + fixed(ZahyoX[v], 11, 3) + QStringLiteral("  ")
                + fixed(ZahyoY[v], 11, 3) + kCrLf;
    }
    return text;
}

QString copyNotice(int n, bool numbers, bool names)
{
    const QString number = platform::Str(n);
    const QString name = isCoordinateNumber(n) ? ZahyoName[n] : QString();
    if (names && !numbers)
        return (name.isEmpty() ? number : name) + QStringLiteral("をポイント化しました");
    if (numbers && !names)
        return number + QStringLiteral("をポイント化しました");
    return number + QStringLiteral("  ") + name + QStringLiteral("をコピーしました");
}

QString copyQuestion(const QString& waiting, int n)
{
    const QString tab = QStringLiteral("\t");
    const bool known = isCoordinateNumber(n);
    return QStringLiteral("すでにクリップボードには") + kCrLf + waiting + QStringLiteral("がコピーされています。") + kCrLf
           + kCrLf + platform::Str(n).trimmed() + tab + (known ? ZahyoName[n].trimmed() : QString()) + tab
           + platform::Str(known ? ZahyoX[n] : 0.0).trimmed() + tab + platform::Str(known ? ZahyoY[n] : 0.0).trimmed()
           + kCrLf + QStringLiteral("を追加する場合[はい]を、この点のみをコピーする場合は、[いいえ] を選んで下さい");
}

bool isWaitingList(const QString& text)
{
    return text.size() > 1 && text.contains(QLatin1Char('\r'));
}

QString pointNameFor(int n, bool numbers, bool names)
{
    if (names && !numbers && isCoordinateNumber(n) && !ZahyoName[n].trimmed().isEmpty())
        return ZahyoName[n];
    return platform::Str(n).trimmed();
}

}  // namespace tavelcor::rclick
