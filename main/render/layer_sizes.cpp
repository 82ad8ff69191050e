// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/layer_sizes.h"

#include "platform/text/numbers.h"

#include <algorithm>

namespace tavelcor::render {

std::int16_t pointFontSizeFor(int fontSize, long n, long pointLimit, bool varFont) noexcept
{
    if (!varFont || pointLimit <= 0)
        return static_cast<std::int16_t>(fontSize);
    const double size = fontSize / (1.0 + static_cast<double>(n) / static_cast<double>(pointLimit));
    return platform::CInt(size);
}

float textScaleFor(long n, long txtLimit, bool varFont) noexcept
{
    if (!varFont || txtLimit <= 0)
        return 1.0F;
    const double k = 1.0 - static_cast<double>(n) / static_cast<double>(txtLimit);
    return static_cast<float>(std::max(k, 0.5));
}

float coordinateFontSizeFor(int fontSize, long count, long pointLimit, bool varFont) noexcept
{
    if (!varFont || pointLimit <= 0)
        return static_cast<float>(fontSize);
    return static_cast<float>(fontSize
                              / (static_cast<double>(count) / static_cast<double>(pointLimit) + 1.0));
}

double labelFactorFor(long count, long txtLimit) noexcept
{
    if (txtLimit <= 0)
        return 1.0;
    return 1.0 - static_cast<double>(count) / static_cast<double>(txtLimit);
}

}  // namespace tavelcor::render
