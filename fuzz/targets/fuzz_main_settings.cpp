// SPDX-License-Identifier: LicenseRef-Tavelcor
// tavelcor.jkn, the main settings file: read, written and read again, which
// must give the same settings.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/site/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("TAVELCOR.TVX"), "", 0);  // a site: the settings are written there
    fuzz::writeSiteFile(QStringLiteral("tavelcor.jkn"), data, size);
    (void)tavelcor::LoadSettings([](float) {});
    fuzz::checkSettingsSurviveSave();
    return 0;
}
