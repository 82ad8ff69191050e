// SPDX-License-Identifier: LicenseRef-Tavelcor
// LINEWID.JKN, the site's line widths per colour.
#include "fuzz/support/fuzz_support.h"

#include "main/site/display_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("LINEWID.JKN"), data, size);
    (void)tavelcor::LoadLineWidths();
    return 0;
}
