// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/bitmap_file.h"

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace platform {

namespace {

constexpr int kDotsPerMeter = 3780; // 96 dpi

} // namespace

bool saveBitmap24(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    // Qt writes images without alpha as 24 bits per pixel.
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    rgb.setDotsPerMeterX(kDotsPerMeter);
    rgb.setDotsPerMeterY(kDotsPerMeter);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "BMP");
    // QSaveFile's commit puts its temporary file in place even when the last
    // flush of its buffer fails (a full disk), and may report success: flush
    // first, and give the file up when that fails.
    if (!writer.write(rgb) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QImage loadImageFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true); // raster files need not carry their suffix
    return reader.read();
}

} // namespace platform
