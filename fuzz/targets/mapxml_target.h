// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML targets (".xml" read as UTF-8, ".TXT" as CP932): the import,
// then what start-up does with it, then a save and a second reading of the
// coordinates and parcels. The first input byte answers the import's
// question (map-sheet names after the parcel numbers) with Yes when odd.
#pragma once

#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"

namespace fuzz {

inline int readMapXml(const QString& fileName, const std::uint8_t* data, std::size_t size)
{
    Case c;
    Bytes bytes(data, size);
    answerYes(bytes.flag());
    const QString path = writeSiteFile(fileName, data, size);
    tavelcor::MapXmlEnvironment environment;
    environment.runConverter = [](const QString&, const QStringList&) { return tavelcor::ProcessRun{}; };
    environment.openTextEditor = [](const QString&) { return false; };
    environment.showStage = [](const QString&) {};
    if (tavelcor::ReadMapXml(path, environment) != tavelcor::ReadOutcome::Ok)
        return 0;
    fitAsStartUpDoes();
    tavelcor::shiftMapXmlRows(tavelcor::OriginX, tavelcor::OriginY);
    checkSimaSurvivesSave(path);
    return 0;
}

}  // namespace fuzz
