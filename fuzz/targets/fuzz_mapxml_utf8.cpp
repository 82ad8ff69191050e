// SPDX-License-Identifier: LicenseRef-Tavelcor
// A land-registry map XML file as UTF-8 (".xml").
#include "mapxml_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::readMapXml(QStringLiteral("MAP.xml"), data, size);
}
