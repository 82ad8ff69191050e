// SPDX-License-Identifier: LicenseRef-Tavelcor
// 画地属性.txt, the parcel attribute file, read for a few parcels whose names
// the attribute lines may match (one of them with the "V1" the reader
// removes before comparing).
#include "fuzz/support/fuzz_support.h"

#include "main/site/parcel_attr_file.h"
#include "main/site/tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const char16_t* names[] = {u"1", u"12-1V1", u"12-1", u"宅地", u""};
    for (const char16_t* name : names)
        tavelcor::KakuchiName[++tavelcor::KakuchiCount] = QString::fromUtf16(name);
    fuzz::writeSiteFile(QStringLiteral("画地属性.txt"), data, size);
    (void)tavelcor::readParcelAttributes(fuzz::siteFolder());
    return 0;
}
