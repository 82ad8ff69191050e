// SPDX-License-Identifier: LicenseRef-Tavelcor
// Whether a line of the line table has a length. The site files and the
// exports leave lines without one out: the empty entry 1 that a map XML site
// keeps (all zero) would otherwise be a segment at the zone origin.
#pragma once

#include "main/site/tables.h"

#include <cstdint>
#include <utility>

namespace tavelcor {

// True when both ends of line i lie on one spot (read through a const
// reference: a check is no change of the table).
inline bool lineWithoutLength(std::int32_t i)
{
    return std::as_const(LineX1)[i] == std::as_const(LineX2)[i] && std::as_const(LineY1)[i] == std::as_const(LineY2)[i];
}

}  // namespace tavelcor
