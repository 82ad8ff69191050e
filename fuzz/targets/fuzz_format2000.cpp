// SPDX-License-Identifier: LicenseRef-Tavelcor
// A format-2000 set. The input holds the set's files separated by NUL bytes,
// in the order .HED, .PNT, .TCP, .POL, .ATR, .LIN, .COS, .MAP; an empty part
// leaves that file out, and the files after the input's last part come from
// the project's fixture set (tests/data/main/site_import/f2000_basic), so an
// input of one part is a header read with a whole set behind it. Then what
// start-up does: the view fit, the frame file on Yes, a save and a second
// reading of the coordinates and parcels.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/site/format2000.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"

#include <QFile>

#include <array>

namespace {

constexpr std::array<const char*, 8> kExtensions = {".HED", ".PNT", ".TCP", ".POL", ".ATR", ".LIN", ".COS", ".MAP"};

// The fixture set's files, read once where they lie.
const std::array<QByteArray, 8>& fixtureSet()
{
    static const std::array<QByteArray, 8> files = [] {
        std::array<QByteArray, 8> read;
        for (std::size_t i = 0; i < kExtensions.size(); ++i) {
            QFile file(QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/f2000_basic/SITE")
                       + QLatin1String(kExtensions[i]));
            if (file.open(QIODevice::ReadOnly))
                read[i] = file.readAll();
        }
        return read;
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    for (std::size_t i = 0; i < kExtensions.size(); ++i) {
        const QString name = QStringLiteral("SET") + QLatin1String(kExtensions[i]);
        if (qsizetype(i) >= parts.size())
            fuzz::writeSiteFile(name, fixtureSet()[i]);
        else if (!parts[qsizetype(i)].isEmpty())
            fuzz::writeSiteFile(name, parts[qsizetype(i)]);
    }
    QString header = fuzz::siteFolder() + QStringLiteral("SET.HED");
    if (tavelcor::ReadFormat2000(header, [](int p) { return tavelcor::survey::menseki(p); })
        != tavelcor::ReadOutcome::Ok)
        return 0;
    fuzz::fitAsStartUpDoes();
    tavelcor::shiftImportedLines(tavelcor::OriginX, tavelcor::OriginY);
    fuzz::answerYes(true);
    if (tavelcor::ImportFormat2000Frames(header) == tavelcor::ReadOutcome::StopProgram)
        return 0;
    fuzz::checkSimaSurvivesSave(header);
    return 0;
}
