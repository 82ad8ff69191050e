// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/text_boxes.h"

#include "main/render/filters.h"
#include "main/render/plot_face.h"
#include "main/render/plot_render.h"
#include "main/render/text_layout.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"

#include <utility>

namespace tavelcor {
namespace {

// Texts of this colour and above are not picked.
constexpr int kPickableColourEnd = 20;

TextBox boxOf(int i, int k, const TextBoxScale& scale)
{
    const double top = std::as_const(TxtLinePos)[k];
    const double west = std::as_const(TxtY)[i];
    const double bytes = static_cast<double>(platform::cp932Length(TxtLineStr[k]));
    return {west, west + bytes * scale.widthPerByte, top - scale.lineHeight, top};
}

}  // namespace

TextBoxScale textBoxScale(const render::PlotFace& face, double letterPoints)
{
    const double height = face.pictureHeightTwips();
    const double perTwip = height > 0.0 ? ViewSpanX / height : 0.0;
    return {22.0 * letterPoints * perTwip, 11.0 * letterPoints * perTwip};
}

bool textTakesPart(int i)
{
    return TextShown(i) && !TxtString[i].isEmpty() && TxtColor[i] < kPickableColourEnd;
}

bool anyTextBox(render::PlotFace& face, int i, const TextBoxScale& scale,
                const std::function<bool(const TextBox&)>& visit)
{
    const int lines = Txtexserch(face, i);
    if (!render::usesLineLayout(TxtSplit, TxtString[i]))
        return lines >= 1 && visit(boxOf(i, 1, scale));
    const render::LineShowFlags show{TxtLineShow.begin(), static_cast<int>(TxtLineShow.kSize)};
    for (int k = 1; k <= lines && k <= kTxtLineTop; ++k) {
        if (show.shown(k) && visit(boxOf(i, k, scale)))
            return true;
    }
    return false;
}

}  // namespace tavelcor
