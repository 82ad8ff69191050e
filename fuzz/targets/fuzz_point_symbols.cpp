// SPDX-License-Identifier: LicenseRef-Tavelcor
// POINT.JKN, the point-symbol catalogue, read into the designed buttons.
#include "fuzz/support/fuzz_support.h"

#include "main/site/symbol_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    tavelcor::DesignSymbolButtons buttons;
    tavelcor::LoadPointSymbols(fuzz::writeSiteFile(QStringLiteral("POINT.JKN"), data, size), buttons);
    return 0;
}
