// SPDX-License-Identifier: LicenseRef-Tavelcor
// CHOOSER.JKN, the folder the site chooser starts in, read at start-up from
// the program folder.
#include "fuzz/support/fuzz_support.h"

#include "main/site/chooser_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString file = fuzz::writeSiteFile(QString::fromUtf16(tavelcor::kChooserFolderFile), data, size,
                                             fuzz::programFolder());
    tavelcor::readChooserFolder(file);
    return 0;
}
