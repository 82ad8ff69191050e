// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/render_state.h"

#include "main/render/render_internal.h"
#include "platform/text/strings.h"

#include <algorithm>

namespace tavelcor::render {

RenderState& renderState()
{
    static RenderState state;
    return state;
}

void forgetKeptCounts() noexcept
{
    RenderState& st = renderState();
    st.CoordCountSpan = 1.0;
    st.LabelCountSpan = 1.0;
}

void FlagList::reset(std::size_t top)
{
    if (mFlags.size() != top + 1) {
        mFlags.assign(top + 1, 0);
    } else {
        for (int i : mItems)
            mFlags[static_cast<std::size_t>(i)] = 0;
    }
    mItems.clear();
}

void prepareWorkingTables(RedrawWork& work)
{
    work.ParcelDrawn.reset(static_cast<std::size_t>(kParcelTop));
    work.LabelVisible.reset(static_cast<std::size_t>(kParcelTop));
    work.CoordVisible.reset(static_cast<std::size_t>(kCoordTop));
    work.MovedLabels.clear();
    work.MovedLabels.reserve(static_cast<std::size_t>(kParcelTop));
    work.CoordFontSize = 0.0F;
}

QString coordinateLabel(int n, const QString& name, bool numbers, bool names)
{
    if (numbers && names)
        return QLatin1Char(' ') + QString::number(n) + QLatin1Char(':') + name;
    if (numbers)
        return QLatin1Char(' ') + QString::number(n);
    if (names)
        return QLatin1Char(' ') + name;
    return {};
}

bool hiddenCoordinateName(const QString& name) noexcept
{
    if (name == u"_?>" || name == u"n_p_m")
        return true;
    // The last three characters, trimmed of blanks.
    return platform::trimmedView(QStringView(name).right(3)) == u"_?_";
}

}  // namespace tavelcor::render
