// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/filters.h"

#include "main/render/plot_face.h"
#include "main/render/render_internal.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/text/numbers.h"

namespace tavelcor::render {

ShownRanges shownRangesFromTexts(const QString& text2, const QString& text5, const QString& text15,
                                 const QString& text16)
{
    return ShownRanges{platform::Val(text2), platform::Val(text5), platform::Val(text15),
                       platform::Val(text16)};
}

ShownRanges readShownRanges(const PlotFace& face)
{
    return shownRangesFromTexts(face.rangeText(2), face.rangeText(5), face.rangeText(15),
                                face.rangeText(16));
}

std::optional<int> QbIndex(std::int64_t rgb) noexcept
{
    for (int c = 0; c <= 15; ++c)
        if (static_cast<std::int64_t>(platform::QBColor(c)) == rgb)
            return c;
    return std::nullopt;
}

void ToQbIndexInPlace(std::int64_t& value) noexcept
{
    if (value == 0)
        return;
    value = QbIndex(value).value_or(0);
}

bool pointShownBy(int mark, int layerSwitch, std::uint32_t symbolColor) noexcept
{
    if (mark > 99 || mark <= 0 || layerSwitch == 0)
        return false;
    std::int64_t c = symbolColor;
    ToQbIndexInPlace(c);
    return PointColorShown[static_cast<int>(c)] != 0;
}


bool PointShown(const PlotFace& face, int i)
{
    if (i < 0 || i > kPointTop)
        return false;
    const int mark = PointMark[i];
    const std::uint32_t color = (mark >= 1 && mark <= 18) ? face.symbolColor(mark) : 0U;
    return pointShownBy(mark, face.checkValue(12), color);
}

bool LineShown(int i)
{
    if (i < 0 || i > kLineTop)
        return false;
    const int c = LineColor[i];
    if (c > 99 || c < 0 || c > kColorTableTop)
        return false;
    return LineColorShown[c] != 0;
}

bool TextShown(int i)
{
    if (i < 0 || i > kTxtTop || TxtString[i].isEmpty())
        return false;
    const int c = TxtColor[i];
    if (c > 99 || c < 0 || c > kColorTableTop)
        return false;
    return TxtColorShown[c] != 0;
}

}  // namespace tavelcor::render
