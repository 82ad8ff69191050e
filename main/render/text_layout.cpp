// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/text_layout.h"

namespace tavelcor::render {

bool usesLineLayout(int txtSplit, QStringView text) noexcept
{
    return txtSplit != 0 && text.contains(u' ');
}

void splitTextLines(QStringView text, TextLines& out) noexcept
{
    out.count = 0;
    forEachTextLine(text, kMaxTextLines, [&out](QStringView line) { out.lines[out.count++] = line; });
}

}  // namespace tavelcor::render
