// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/text_layout.h"

#include "platform/text/strings.h"

#include <algorithm>

namespace tavelcor::render {

namespace {
constexpr QChar kBlank = u' ';
}  // namespace

bool usesLineLayout(int txtSplit, QStringView text) noexcept
{
    return txtSplit != 0 && text.contains(kBlank);
}

void splitTextLines(QStringView text, TextLines& out) noexcept
{
    const QStringView s = platform::trimmedView(text);
    out.count = 0;
    qsizetype start = 0;
    while (out.count < kMaxTextLines - 1) {
        const QStringView rest = s.sliced(start);
        const qsizetype reach = std::min<qsizetype>(rest.size(), kBlankSearchReach);
        const qsizetype blank = rest.first(reach).indexOf(kBlank);
        if (blank < 0)
            break;
        out.lines[out.count++] = rest.first(blank);
        start += blank + 1;
    }
    out.lines[out.count++] = s.sliced(start);
}

}  // namespace tavelcor::render
