// SPDX-License-Identifier: LicenseRef-Tavelcor
// Eld.AR2, the list of cached map tiles in the work folder, read at start-up
// into the tile names.
#include "fuzz/support/fuzz_support.h"

#include "main/site/tile_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("Eld.AR2"), data, size, fuzz::programFolder());
    tavelcor::readTileList();
    return 0;
}
