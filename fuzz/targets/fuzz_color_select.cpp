// SPDX-License-Identifier: LicenseRef-Tavelcor
// COLSELECT.JKN, the site's shown colours.
#include "fuzz/support/fuzz_support.h"

#include "main/site/display_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("COLSELECT.JKN"), data, size);
    (void)tavelcor::LoadColorSelect();
    return 0;
}
