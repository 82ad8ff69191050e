// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Lines of the shared table as the interaction tests set them up.

#include "main/site/tables.h"

#include <algorithm>
#include <cstdint>

namespace tavelcor::interacttest {

/// Line i from (n1, e1) to (n2, e2) in plot metres, of the given colour;
/// LineNext is raised past it.
inline void putLine(int i, double n1, double e1, double n2, double e2, int colour = 0)
{
    LineX1[i] = n1;
    LineY1[i] = e1;
    LineX2[i] = n2;
    LineY2[i] = e2;
    LineColor[i] = static_cast<std::uint8_t>(colour);
    LineNext = std::max(LineNext, i + 1);
}

}  // namespace tavelcor::interacttest
