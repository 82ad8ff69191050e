// SPDX-License-Identifier: LicenseRef-Tavelcor
// Mixing whole pictures: the byte-wise blend of two pictures of one size and
// the constant-opacity white veil. Both work on the 32-bit pixels of the
// canvases' persistent pictures, every byte of a pixel alike, in one pass.
#pragma once

#include <QImage>

namespace platform {

/// Writes into `target` every byte k of the 32-bit pictures as
///
///     Int((1 - percent / 100) * second[k] + percent / 100 * first[k])
///
/// computed exactly (10 and 21 at 50 give 15; 0 gives `second`, 100
/// `first`). The three pictures must be 32-bit (RGB32 or ARGB32) and of one
/// size; `target` may be `first` or `second`. False, with nothing changed,
/// when percent lies outside 0..100 or the pictures do not match.
bool blendPictureBytes(const QImage& first, const QImage& second, QImage& target, int percent);

/// Lays white with the constant opacity alpha / 255 over every pixel of the
/// 32-bit picture: each colour byte d becomes round(alpha * 255 + (255 -
/// alpha) * d) / 255, so alpha 150 moves black to 150 and white stays
/// white. alpha is taken within 0..255; 0 changes nothing. False when the
/// picture is not 32-bit.
bool veilWithWhite(QImage& picture, int alpha);

} // namespace platform
