// SPDX-License-Identifier: LicenseRef-Tavelcor
// Bitmap files as the programs exchange them: images are written as 24-bit
// Windows bitmaps (BMP) and read from any format Qt knows.
#pragma once

#include <QImage>
#include <QString>

namespace platform {

/// Writes `image` as an uncompressed 24-bit Windows bitmap at 96 dpi. The
/// file is written under a temporary name and renamed over `path` only when
/// complete, so a failure leaves an existing file as it was. False when the
/// image is empty or the file cannot be written.
bool saveBitmap24(const QImage& image, const QString& path);

/// Reads an image file (BMP, PNG, JPEG, ...) as stored, without turning it by
/// its orientation tag. A null image when the file cannot be read.
QImage loadImageFile(const QString& path);

} // namespace platform
