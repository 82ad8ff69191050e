// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Steps shared by the search files.  Not for use outside main/render.

#include <QString>

#include <vector>

namespace tavelcor {

class Plot;

namespace search_detail {

/// Sets both extents to twice Text3's number (the half-size around a found
/// item); a Text3 that holds no positive number leaves them.
void applyHalfSize(const Plot& window);

/// "<total>件のデータがあります", a line break, "<next>番目のデータを表示しますか".
QString nextHitQuestion(int total, int next);

/// Centres on each hit in turn through `centre`, asking before each further
/// one through the yes/no window; "no" ends the stepping.
template <class Centre>
void stepThrough(const std::vector<int>& hits, Centre centre);

/// The search of Frame1's kind 地 with the text of Text1.
void searchParcels(Plot& window);

}  // namespace search_detail
}  // namespace tavelcor

#include "main/render/view_services.h"

template <class Centre>
void tavelcor::search_detail::stepThrough(const std::vector<int>& hits, Centre centre)
{
    const int total = static_cast<int>(hits.size());
    for (int k = 0; k < total; ++k) {
        centre(hits[static_cast<std::size_t>(k)]);
        if (k + 1 < total && !askYesNo(nextHitQuestion(total, k + 2)))
            break;
    }
}
