// SPDX-License-Identifier: LicenseRef-Tavelcor
// The readouts of a left press: latitude (Label18, switch Check30 "B"),
// longitude (Label29, Check31 "L") and the ground height from the web
// elevation service (Label30, Check32 "H"), for the site position of the
// press in the zone ZoneNo.
#pragma once

#include "main/background/web_requests.h"

#include <QString>

namespace tavelcor {

class Plot;

/// What Label30 shows when the elevation service gave no height (its
/// failure codes -9998 and -9999, or a reply that holds no number).
inline constexpr char16_t kNoHeightText[] = u"標高取得不可";

/// The text of Label30 for the service's answer: " " & FormatFixed(h, 8, 1)
/// for a height below 9997, empty for 9997 and above, kNoHeightText for a
/// failure.
QString elevationReadout(const ElevationResult& answer);

/// Fills the three readouts for a press at (x, y) in the plot's scale: B
/// and L as packed d.mmss (FormatFixed width 13, 7 decimals) when their
/// switches are ticked, else empty; the height when Check32 is ticked (asked
/// at the longitude and latitude shown, 0 for one not ticked; the request
/// blocks until the service answers), else empty.
void showPressReadouts(Plot& window, double x, double y);

}  // namespace tavelcor
