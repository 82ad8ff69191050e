// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The last used names of the observation points: the report of the highest
// numbers already used in the names, pattern by pattern, and the list of the
// names that contain a text.  Pure logic over the Point table.
//
// Numbers are read from names as their leading number (platform::Val) and
// kept as 32-bit whole numbers, rounded half to even.  A number that does
// not fit 32 bits (a name of ten or more digits) takes no part in any
// maximum; it never stops the survey.

#include <QString>

#include <functional>

namespace tavelcor {

/// Whether observation point i takes part in the survey (it is shown on the
/// plot: layer switched on, not deleted, its symbol's colour shown).
using PointTakesPart = std::function<bool(int i)>;
/// Shows a notice (an OK message box) while the survey runs.
using SurveyNotice = std::function<void(const QString& text)>;

/// The report of LastName.Kaishi, lines ended by CR LF but for the last,
/// "終了しました".  With no point at all it is "ポイント未登録です".
///
/// Side effect, as the survey has always had: a first name of a point that
/// takes part loses a leading "-" (keeping at most 20 characters after it),
/// a second name likewise (at most 10), each with a notice
/// "ポイント名称１ -<name> の先頭マイナスを消しました" (２ for the second name).
QString lastNamesReport(const PointTakesPart& takesPart, const SurveyNotice& notice);

/// Most names "文字で抽出" lists before it gives up.
inline constexpr int kExtractListLimit = 250;

/// The first names of the points that are not deleted and contain `text`
/// (exact, case-sensitive), each followed by CR LF, in index order.  After
/// the 251st name the list ends with "候補が多すぎます", CR LF and
/// "検索を中止しました".
QString namesContaining(const QString& text);

}  // namespace tavelcor
