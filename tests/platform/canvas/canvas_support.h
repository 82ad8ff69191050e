// SPDX-License-Identifier: LicenseRef-Tavelcor
// Helpers of the canvas tests: looking at the pixels of a picture.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <functional>

namespace canvas_test {

/// The 24-bit colour (red in the low byte) of pixel (x, y).
std::uint32_t colorAt(const QImage& image, int x, int y);

/// Number of pixels whose 24-bit colour is `color`.
int countColor(const QImage& image, std::uint32_t color);

/// Number of pixels whose colour is not `color`.
int countOther(const QImage& image, std::uint32_t color);

/// Smallest rectangle holding every pixel for which `marked` is true
/// (an empty rectangle when there is none).
QRect boundsOf(const QImage& image, const std::function<bool(std::uint32_t)>& marked);

/// Bounds of the pixels that are not `background`.
QRect boundsOfOther(const QImage& image, std::uint32_t background);

/// True when both images have the same size and the same 24-bit colours.
bool samePixels(const QImage& a, const QImage& b);

/// True when every pixel of the RGB32 image has alpha 0xFF.
bool allOpaque(const QImage& image);

/// A picture of the given size whose pixels all differ: a pseudo-random
/// pattern that reveals any pixel changed by a drawing.
QImage noisePicture(int width, int height, std::uint32_t seed = 12345);

} // namespace canvas_test
