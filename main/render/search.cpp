// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point and text kinds of the search, the address command and the
// wiring of the search controls.
#include "main/render/search.h"

#include "geodesy/plane_rectangular.h"
#include "main/render/render_state.h"
#include "main/render/search_internal.h"
#include "main/render/search_match.h"
#include "main/render/view_services.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <utility>

namespace tavelcor {

namespace search_detail {

void applyHalfSize(const Plot& window)
{
    const double half = platform::Val(window.Text3.Text());
    if (!std::isfinite(half) || half <= 0.0)
        return;
    ViewSpanX = 2 * half;
    ViewSpanY = 2 * half;
}

QString nextHitQuestion(int total, int next)
{
    return QString::number(total) + QStringLiteral("件のデータがあります") + QStringLiteral("\r\n")
           + QString::number(next) + QStringLiteral("番目のデータを表示しますか");
}

}  // namespace search_detail

namespace {

using search_detail::applyHalfSize;

constexpr int kMaxPoint = kPointTop;
constexpr int kMaxCoord = kZahyoTop;

// A coordinate number the point search may show: in use, not temporary.
bool showableCoordinate(int n)
{
    if (n < 1 || n > std::min<int>(ZahyoMax, kMaxCoord))
        return false;
    const QString& name = ZahyoName[n];
    return platform::trimmedView(name) != u"_?>" && !platform::RTrim(name).endsWith(u"_?_");
}

// The coordinate a point search text finds: by number, else by trimmed name.
int findCoordinate(const QString& text)
{
    const int top = std::clamp<int>(ZahyoMax, 0, kMaxCoord);
    // Coordinate 0 is the calculations' scratch slot, never a hit.
    if (const auto number = search::coordinateNumber(text, top))
        return showableCoordinate(*number) ? *number : 0;
    const QStringView wanted = platform::trimmedView(text);
    for (int i = 1; i <= top; ++i) {
        if (platform::trimmedView(ZahyoName[i]) == wanted)
            return i;
    }
    return 0;
}

void markCoordinate(Plot& window, int n)
{
    platform::Canvas& canvas = window.Picture1.canvas();
    canvas.setForeColor(platform::QBColor(9));
    canvas.PSet(ZahyoPY[n], -ZahyoPX[n]);
    const bool numbers = window.Check1.Value() != 0;
    const bool names = window.Check2.Value() != 0;
    QString label;
    if (numbers && names)
        label = QString::number(n) + QLatin1Char(':') + ZahyoName[n];
    else if (numbers)
        label = QString::number(n);
    else if (names)
        label = QLatin1Char(' ') + ZahyoName[n];
    if (!label.isEmpty())
        canvas.Print(label, false);
}

void showCoordinate(Plot& window, const QString& text)
{
    const int n = findCoordinate(text);
    if (n == 0)
        platform::MsgBox(QStringLiteral("ポイント") + text + QStringLiteral("が見あたりません"));
    window.Command10.setDefault(false);
    if (window.Text3.Text().isEmpty() || n == 0)
        return;
    ViewCX = std::as_const(ZahyoX)[n];
    ViewCY = std::as_const(ZahyoY)[n];
    applyHalfSize(window);
    SearchHit = n;
    crtplot();
    markCoordinate(window, n);
}

void showTwoPoints(Plot& window, int first, int second)
{
    const auto& xs = std::as_const(PointX);
    const auto& ys = std::as_const(PointY);
    ViewCX = OriginX + (xs[first] + xs[second]) / 2;
    ViewCY = OriginY + (ys[first] + ys[second]) / 2;
    ViewSpanX = std::max(2 * std::abs(xs[first] - xs[second]), 0.1);
    ViewSpanY = std::max(2 * std::abs(ys[first] - ys[second]), 0.1);
    if (ViewSpanY > ViewSpanX)
        ViewSpanX = ViewSpanY;
    crtplot();
    platform::Canvas& canvas = window.Picture1.canvas();
    canvas.setDrawWidth(3);
    canvas.Line(ys[first], -xs[first], ys[second], -xs[second], platform::QBColor(13));
    canvas.setDrawWidth(1);
    platform::MsgBox(QStringLiteral("複数有り"));
}

// Ｐ: observation points by their exact name, else a coordinate.
void searchPoints(Plot& window, const QString& text)
{
    int first = 0;
    int second = 0;
    const int count = std::clamp<int>(PointCount, 0, kMaxPoint);
    for (int i = 1; i <= count; ++i) {
        if (PointMark[i] < 100 && PointName[i] == text) {
            if (first == 0)
                first = i;
            else
                second = i;
        }
    }
    if (first == 0) {
        showCoordinate(window, text);
        return;
    }
    window.Command10.setDefault(false);
    if (window.Text3.Text().isEmpty())
        return;
    if (second == 0) {
        ViewCX = OriginX + std::as_const(PointX)[first];
        ViewCY = OriginY + std::as_const(PointY)[first];
        applyHalfSize(window);
        crtplot();
        return;
    }
    showTwoPoints(window, first, second);
}

// Ｔ: texts with a word that matches; a text is listed once per such word.
std::vector<int> findTexts(const QString& text, search::MatchMode mode)
{
    std::vector<int> hits;
    const int count = std::clamp<int>(TxtCount, 0, kTxtTop);
    for (int i = 1; i <= count; ++i) {
        if (TxtColor[i] >= 100)
            continue;
        for (const QString& word : search::splitWords(TxtString[i])) {
            if (!search::wordMatches(word, text, mode))
                continue;
            TxtSel[i] = 1;
            if (static_cast<int>(hits.size()) < kSearchHitLimit) {
                hits.push_back(i);
            } else {
                hits.back() = i;
                break;
            }
        }
    }
    return hits;
}

void searchTexts(Plot& window, const QString& text)
{
    SearchHit = 0;
    if (TxtCount == 0)
        return;
    const auto mode = search::matchModeOf(window.Check33.Value(), window.Check34.Value());
    const std::vector<int> hits = findTexts(text, mode);
    if (hits.empty()) {
        platform::MsgBox(QStringLiteral("テキスト") + text + QStringLiteral("が見あたりません"));
        return;
    }
    search_detail::stepThrough(hits, [&window](int i) {
        ViewCX = std::as_const(TxtX)[i] + OriginX;
        ViewCY = std::as_const(TxtY)[i] + OriginY;
        applyHalfSize(window);
        crtplot();
    });
}

void clearGeocodedPlace()
{
    render::renderState().GeocodeX = 0.0F;
    render::renderState().GeocodeY = 0.0F;
}

// The plane coordinates (X, Y) in the site's zone of a latitude and
// longitude, as the single-precision place the view is centred on. nullopt
// for a position that is not on the earth (a reply can hold any number) or
// whose coordinates no single-precision number holds.
std::optional<std::pair<float, float>> planePlace(double latitude, double longitude)
{
    if (!(std::fabs(latitude) <= 90.0) || !(std::fabs(longitude) <= 180.0))
        return std::nullopt;
    const double x = geodesy::BLtoXY(latitude * 10000, longitude * 10000, ZoneNo, 0);
    const double y = geodesy::BLtoXY(latitude * 10000, longitude * 10000, ZoneNo, 1);
    constexpr double kFloatTop = std::numeric_limits<float>::max();
    if (!(std::fabs(x) <= kFloatTop) || !(std::fabs(y) <= kFloatTop))
        return std::nullopt;
    return std::pair{static_cast<float>(x), static_cast<float>(y)};
}

void showAddress(const QString& address)
{
    const GeocodeAnswer answer = geocodeAddress(address);
    const double latitude = answer.latitude;
    // -1: the request failed; -9998: no request could be made.  Neither is
    // a place, and neither is reported.
    if (latitude == -1.0 || latitude == -9998.0 || !std::isfinite(latitude)
        || !std::isfinite(answer.longitude)) {
        clearGeocodedPlace();
        return;
    }
    const std::optional<std::pair<float, float>> place =
        latitude == 0.0 ? std::nullopt : planePlace(latitude, answer.longitude);
    if (!place) {
        platform::MsgBox(QStringLiteral("住所が見つかりません"));
        clearGeocodedPlace();
        return;
    }
    render::RenderState& st = render::renderState();
    st.GeocodeX = place->first;
    st.GeocodeY = place->second;
    ViewCX = st.GeocodeX;
    ViewCY = st.GeocodeY;
    crtplot();
}

}  // namespace

void Text1_DblClick(Plot& window)
{
    window.Picture1.SetFocus();
    if (window.Text1.Text().isEmpty())
        return;
    QString text = window.Text1.Text();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    window.Text1.setText(text);
    if (window.Option7.Value())
        searchPoints(window, window.Text1.Text());
    else if (window.Option15.Value())
        searchTexts(window, window.Text1.Text());
    else
        search_detail::searchParcels(window);
}

void Command27_Click(Plot& window)
{
    if (GsiOffline == 1)
        return;
    const QString answer = platform::InputBox(QStringLiteral("住所、またはランドマークを入力してください"),
                                              std::nullopt, viewState().LastAddress);
    if (!answer.isEmpty()) {
        viewState().LastAddress = answer;
        try {
            showAddress(answer);
        } catch (const std::exception& e) {
            qWarning() << "address search:" << e.what();
            clearGeocodedPlace();
        } catch (...) {
            clearGeocodedPlace();
        }
    }
    window.Picture1.SetFocus();
}

void wireSearch(Plot& window)
{
    window.Text1.DblClick = [&window] { Text1_DblClick(window); };
    window.Command18.Click = [&window] { Command18_Click(window); };
    window.Command27.Click = [&window] { Command27_Click(window); };
}

}  // namespace tavelcor
