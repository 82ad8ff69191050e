// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The profile-view instance's change of the vertical factor, on the shared
// tables: a profile keeps its height axis in X (upwards), so a new factor
// stretches every X of the site about the height 0, and the view is fitted
// to the stretched drawing again.

namespace tavelcor {

/// Multiplies the absolute X of every used coordinate, line end, point,
/// text anchor and hand-stroke vertex by `ratio`; plot X values follow
/// (absolute minus OriginX). Y values and heights stay.
void stretchProfileHeights(float ratio);

/// DataExtent from the used coordinates, each side moved outwards by 10 %
/// of the extent in its direction; the view then shows that extent, centred
/// on it. Without a used coordinate nothing changes.
void fitProfileExtent();

}  // namespace tavelcor
