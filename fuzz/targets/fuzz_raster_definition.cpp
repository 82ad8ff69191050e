// SPDX-License-Identifier: LicenseRef-Tavelcor
// Raster definition files (*.AR2): the parse of the bytes, and the reading
// into a background raster slot (the first input byte picks the slot and
// whether the folder counts as a network drive, whose images are copied).
#include "fuzz/support/fuzz_support.h"

#include "main/background/raster_definition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const int choice = bytes.take();
    (void)tavelcor::parseRasterDefinition(bytes.rest());
    const QString path = fuzz::writeSiteFile(QStringLiteral("RASTER.AR2"), bytes.rest());
    tavelcor::RasterFolderEnvironment environment;
    const bool network = (choice & 4) != 0;
    environment.driveType = [network](const QString&) { return std::optional<int>(network ? 3 : 2); };
    environment.copyFolder = fuzz::programFolder() + QStringLiteral("TVXTEMP");
    (void)tavelcor::ReadRasterDefinition(path, choice % 3, environment);
    return 0;
}
