// SPDX-License-Identifier: LicenseRef-Tavelcor
// A land-registry map XML file saved as Shift-JIS text (".TXT").
#include "mapxml_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::readMapXml(QStringLiteral("MAP.TXT"), data, size);
}
