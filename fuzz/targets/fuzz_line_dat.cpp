// SPDX-License-Identifier: LicenseRef-Tavelcor
// LINE.DAT of a site folder: the reader of start-up, then a save and a second
// reading, which must give back what the first one kept.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/site/dat_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("LINE.DAT"), data, size);
    if (tavelcor::readLineDat(fuzz::siteFolder()) != tavelcor::ReadOutcome::Ok)
        return 0;
    fuzz::checkDatSurvivesSave(fuzz::DatFile::Line);
    return 0;
}
