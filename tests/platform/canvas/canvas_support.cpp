// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "canvas_support.h"

#include "platform/canvas/colors.h"

#include <algorithm>

namespace canvas_test {

std::uint32_t colorAt(const QImage& image, int x, int y)
{
    return platform::fromQRgb(image.pixel(x, y));
}

int countColor(const QImage& image, std::uint32_t color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += colorAt(image, x, y) == color ? 1 : 0;
    return n;
}

int countOther(const QImage& image, std::uint32_t color)
{
    return image.width() * image.height() - countColor(image, color);
}

QRect boundsOf(const QImage& image, const std::function<bool(std::uint32_t)>& marked)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!marked(colorAt(image, x, y)))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect boundsOfOther(const QImage& image, std::uint32_t background)
{
    return boundsOf(image, [background](std::uint32_t c) { return c != background; });
}

bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (colorAt(a, x, y) != colorAt(b, x, y))
                return false;
    return true;
}

bool allOpaque(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 0xFF)
                return false;
    }
    return true;
}

QImage noisePicture(int width, int height, std::uint32_t seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = seed;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u; // LCG: any spread will do
            image.setPixel(x, y, 0xFF000000u | (state >> 8));
        }
    }
    return image;
}

} // namespace canvas_test
