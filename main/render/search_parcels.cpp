// SPDX-License-Identifier: LicenseRef-Tavelcor
// The parcel kind of the search (地), the parcel-number search (地番検索)
// and the centring on a parcel's outline.
#include "main/render/search.h"

#include "main/render/search_internal.h"
#include "main/render/search_match.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tavelcor {

namespace {

int parcelCount()
{
    return std::clamp<int>(KakuchiCount, 0, kKakuchiCountLimit);
}

// Column c of parcel p as the attribute search sees it: column 0 is the
// parcel's trimmed name and column 40 its info text.  They are read here,
// not written into the attribute table, so a search never changes the
// parcel attributes that the site's attribute file keeps.
QString searchColumn(int p, int c)
{
    if (c == 0)
        return platform::Trim(KakuchiName[p]);
    if (c == search::kSearchColumnTop)
        return KakuchiInfo[p];
    return KakuchiAttr(p, c);
}

bool parcelMatchesSingle(int p, const QString& text, search::MatchMode mode)
{
    for (int c = 0; c <= search::kSearchColumnTop; ++c) {
        if (search::columnMatches(searchColumn(p, c), text, mode))
            return true;
    }
    return false;
}

struct Box {
    double xMin = std::numeric_limits<double>::infinity();
    double xMax = -std::numeric_limits<double>::infinity();
    double yMin = std::numeric_limits<double>::infinity();
    double yMax = -std::numeric_limits<double>::infinity();
    bool empty() const { return !(xMax >= xMin) || !(yMax >= yMin); }
};

Box outlineBox(int p)
{
    Box box;
    if (p < 1 || p > kKakuchiTop)
        return box;
    const int first = std::max(std::as_const(KakuchiFirst)[p], 0);
    const int last = std::min(std::as_const(KakuchiLast)[p], kKakuchiVertexTop);
    for (int slot = first; slot <= last; ++slot) {
        const int n = std::as_const(KakuchiVertex)[slot];
        if (n < 1 || n > kZahyoTop)
            continue;  // no coordinate of the site
        box.xMin = std::min(box.xMin, std::as_const(ZahyoX)[n]);
        box.xMax = std::max(box.xMax, std::as_const(ZahyoX)[n]);
        box.yMin = std::min(box.yMin, std::as_const(ZahyoY)[n]);
        box.yMax = std::max(box.yMax, std::as_const(ZahyoY)[n]);
    }
    return box;
}

}  // namespace

void centreOnParcel(int p)
{
    const Box box = outlineBox(p);
    if (box.empty())
        return;
    ViewCX = (box.xMin + box.xMax) / 2;
    ViewCY = (box.yMin + box.yMax) / 2;
    // An outline without size gives no extent to fit: the view keeps its own.
    const double side = std::max(box.xMax - box.xMin, box.yMax - box.yMin);
    if (side > 0.0 && std::isfinite(side)) {
        ViewSpanX = 1.5 * side;
        ViewSpanY = 1.5 * side;
    }
    crtplot();
}

namespace search_detail {

void searchParcels(Plot& window)
{
    if (platform::trimmedView(window.Text1.Text()).isEmpty())
        return;
    QString text = window.Text1.Text();
    text.replace(QStringLiteral("＋"), QStringLiteral("+"));
    window.Text1.setText(text);
    text = window.Text1.Text();
    const auto mode = search::matchModeOf(window.Check33.Value(), window.Check34.Value());
    const bool allTerms = text.contains(QLatin1Char('+'));
    const QStringList terms = allTerms ? search::andTerms(text) : QStringList();

    std::vector<int> hits;
    const int count = parcelCount();
    for (int p = 1; p <= count; ++p) {
        const bool hit = allTerms
                             ? search::andTermsMatch([p](int c) { return searchColumn(p, c); }, terms, mode)
                             : parcelMatchesSingle(p, text, mode);
        if (!hit)
            continue;
        KakuchiSel[p] = 1;
        hits.push_back(p);
        if (static_cast<int>(hits.size()) >= kSearchHitLimit) {
            platform::MsgBox(QStringLiteral("対象地番が10000以上あるで、10000データまで表示します"));
            break;
        }
    }
    if (hits.empty()) {
        platform::MsgBox(QStringLiteral("地番または属性 ") + text + QStringLiteral(" が見あたりません"));
        return;
    }
    stepThrough(hits, [](int p) { centreOnParcel(p); });
}

}  // namespace search_detail

void Command18_Click(Plot& window)
{
    const QString wanted = platform::Trim(window.Text4.Text());
    if (wanted.isEmpty())
        return;
    window.Picture1.SetFocus();
    std::vector<int> hits;
    const int count = parcelCount();
    for (int i = 1; i <= count; ++i) {
        if (platform::trimmedView(KakuchiName[i]) != wanted)
            continue;
        KakuchiSel[i] = 1;
        hits.push_back(i);
        if (static_cast<int>(hits.size()) >= kParcelNumberHitLimit) {
            platform::MsgBox(QStringLiteral("対象地番が１０以上あります"));
            break;
        }
    }
    if (hits.empty())
        platform::MsgBox(QStringLiteral("地番") + window.Text4.Text() + QStringLiteral("が見あたりません"));
    for (std::size_t k = 0; k < hits.size(); ++k) {
        if (k > 0
            && platform::MsgBox(QStringLiteral("次データを表示しますか"), platform::MsgButtons::YesNo)
                   != platform::MsgResult::Yes)
            break;
        centreOnParcel(hits[k]);
    }
    window.Command18.setDefault(false);
}

}  // namespace tavelcor
