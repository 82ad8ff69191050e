// SPDX-License-Identifier: LicenseRef-Tavelcor
// ZAHYO.SIM and any chosen *.SIM file: the SIMA reader, then what start-up
// does with the coordinates (view fit, site origin, plot coordinates, parcel
// label points), then a save and a second reading: every coordinate kept
// must come back to within the file's 3 decimals.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/site/sima_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString path = fuzz::writeSiteFile(QStringLiteral("ZAHYO.SIM"), data, size);
    std::vector<std::int32_t> unplaced;
    if (tavelcor::ReadSima(path, &unplaced) != tavelcor::ReadOutcome::Ok)
        return 0;
    fuzz::fitAsStartUpDoes(unplaced);
    fuzz::checkSimaSurvivesSave(path);
    return 0;
}
