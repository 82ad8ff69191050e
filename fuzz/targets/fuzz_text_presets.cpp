// SPDX-License-Identifier: LicenseRef-Tavelcor
// TEXT.JKN, the phrase catalogue with the quick-text captions.
#include "fuzz/support/fuzz_support.h"

#include "main/site/text_presets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    tavelcor::MemoryPresetControls controls;
    tavelcor::LoadTextPresets(fuzz::writeSiteFile(QStringLiteral("TEXT.JKN"), data, size), controls);
    return 0;
}
