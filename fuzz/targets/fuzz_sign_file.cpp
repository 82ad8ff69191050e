// SPDX-License-Identifier: LicenseRef-Tavelcor
// TAVELCOR.TVX, the site sign file: its saved view window, applied as
// start-up applies it when the settings ask for it.
#include "fuzz/support/fuzz_support.h"

#include "main/app/view_fit.h"
#include "main/site/sign_file.h"
#include "main/site/tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const auto read = tavelcor::readSignFile(fuzz::writeSiteFile(QStringLiteral("TAVELCOR.TVX"), data, size));
    tavelcor::KeepView = 1;
    (void)tavelcor::applySavedView(read.window);
    return 0;
}
