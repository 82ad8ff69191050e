// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/picture_blend.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

bool is32Bit(const QImage& image)
{
    return !image.isNull() && image.depth() == 32;
}

// floor(x / 100) for 0 <= x <= 25500, without a division: 5243 / 2^19 lies
// just above 1 / 100, close enough that no quotient up to 43698 comes out
// one too high.
constexpr std::uint32_t divideBy100(std::uint32_t x)
{
    return (x * 5243u) >> 19;
}
// floor(x / 255) for 0 <= x <= 65535, without a division.
constexpr std::uint32_t divideBy255(std::uint32_t x)
{
    return (x + 1u + ((x + 1u) >> 8)) >> 8;
}
static_assert(divideBy255(65152) == 255 && divideBy255(254) == 0 && divideBy255(255) == 1
              && divideBy255(509) == 1 && divideBy255(510) == 2);

static_assert(divideBy100(25500) == 255 && divideBy100(1550) == 15 && divideBy100(1599) == 15
              && divideBy100(1600) == 16 && divideBy100(99) == 0 && divideBy100(100) == 1);

} // namespace

bool blendPictureBytes(const QImage& first, const QImage& second, QImage& target, int percent)
{
    if (percent < 0 || percent > 100)
        return false;
    if (!is32Bit(first) || !is32Bit(second) || !is32Bit(target) || first.size() != second.size()
        || first.size() != target.size())
        return false;
    const auto weightFirst = static_cast<std::uint32_t>(percent);
    const std::uint32_t weightSecond = 100u - weightFirst;
    const auto rowBytes = static_cast<std::size_t>(first.width()) * 4u;
    for (int y = 0; y < first.height(); ++y) {
        // Read both sources before writing: target may be either of them.
        const std::uint8_t* a = first.constScanLine(y);
        const std::uint8_t* b = second.constScanLine(y);
        std::uint8_t* out = target.scanLine(y);
        for (std::size_t k = 0; k < rowBytes; ++k)
            out[k] = static_cast<std::uint8_t>(divideBy100(weightSecond * b[k] + weightFirst * a[k]));
    }
    return true;
}

bool veilWithWhite(QImage& picture, int alpha)
{
    if (!is32Bit(picture))
        return false;
    const auto a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
    if (a == 0)
        return true;
    // Every byte alike: an opaque alpha byte (255) stays 255.
    const std::uint32_t white = 255u * a + 127u;
    const std::uint32_t keep = 255u - a;
    const auto rowBytes = static_cast<std::size_t>(picture.width()) * 4u;
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* row = picture.scanLine(y);
        for (std::size_t k = 0; k < rowBytes; ++k)
            row[k] = static_cast<std::uint8_t>(divideBy255(white + keep * row[k]));
    }
    return true;
}

} // namespace platform
