// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/geometry.h"

#include "platform/text/numbers.h"

namespace kintab {

namespace {

constexpr float kRightMargin = 100.0F;
constexpr float kBottomMargin = 600.0F;

}  // namespace

std::int32_t wholeTwips(double twips)
{
    return platform::CLng(twips);
}

OuterSize sizeForFactor(float factor)
{
    // The product is taken in single precision, as the factor is stored.
    return OuterSize{wholeTwips(factor * static_cast<float>(kDesignOuterWidth)),
                     wholeTwips(factor * static_cast<float>(kDesignOuterHeight))};
}

Corner placeForFactor(float factor, OuterSize size, double screenWidth, double screenHeight)
{
    return Corner{screenWidth - size.width - factor * kRightMargin,
                  screenHeight - size.height - factor * kBottomMargin};
}

KeypadPlace shrunkPlace(const KeypadPlace& normal)
{
    KeypadPlace compact;
    compact.top = normal.top + kCompactMove * normal.height;
    compact.left = normal.left + kCompactMove * normal.width;
    compact.width = wholeTwips(kCompactSize * normal.width);
    compact.height = wholeTwips(kCompactSize * normal.height);
    return compact;
}

KeypadPlace restoredForClose(const KeypadPlace& compact)
{
    KeypadPlace full;
    full.width = wholeTwips(compact.width / kCompactSize);
    full.height = wholeTwips(compact.height / kCompactSize);
    full.top = compact.top - kCompactMove * full.height;
    full.left = compact.left - kCompactMove * full.width;
    return full;
}

KeypadPlace restoredByPress(const KeypadPlace& compact)
{
    KeypadPlace full = restoredForClose(compact);
    if (full.top < 0)
        full.top = 0;
    if (full.left < 0)
        full.left = 0;
    return full;
}

ControlLayout scaledLayout(const ControlLayout& recorded, double fx, double fy)
{
    return ControlLayout{recorded.left * fx, recorded.top * fy, recorded.width * fx,
                         recorded.height * fy, recorded.fontPoints * fx};
}

}  // namespace kintab
