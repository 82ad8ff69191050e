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

void prepareWorkingTables(RedrawWork& work)
{
    auto clearTo = [](std::vector<std::uint8_t>& v, std::size_t size) {
        if (v.size() != size)
            v.assign(size, 0);
        else
            std::fill(v.begin(), v.end(), std::uint8_t{0});
    };
    clearTo(work.ParcelDrawn, static_cast<std::size_t>(kParcelTop) + 1);
    clearTo(work.LabelVisible, static_cast<std::size_t>(kParcelTop) + 1);
    clearTo(work.CoordVisible, static_cast<std::size_t>(kCoordTop) + 1);
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
