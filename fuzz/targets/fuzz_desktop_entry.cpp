// SPDX-License-Identifier: LicenseRef-Tavelcor
// A desktop file of the program the desktop registers for KML files: its
// Exec line read from the file, made the registered command, the KML
// file's name put in and %NAME% pieces expanded, as the hand-over to the
// globe viewer decides on it (nothing is started).
#include "fuzz/support/fuzz_support.h"

#include "main/export/kml_handover.h"
#include "platform/system/documents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString path = fuzz::writeSiteFile(QStringLiteral("viewer.desktop"), data, size);
    const std::optional<QString> exec = platform::desktopExecLine(path);
    if (!exec)
        return 0;
    const QString command = platform::execLineAsCommand(*exec);
    const QString kml = fuzz::siteFolder() + QStringLiteral("site %1.kml");
    const std::optional<QString> expanded = tavelcor::GetEnvToRealPath(tavelcor::commandWithFile(command, kml));
    (void)(expanded && expanded->contains(QStringLiteral("googleearth")));
    return 0;
}
