// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's geoid import: the model text converted into the grid file, then
// look-ups at the grid's corners and nodes, just outside it, and at
// positions taken from the input's last 16 bytes.
#include "fuzz/support/fuzz_support.h"

#include "gps/dms.h"
#include "gps/geoid.h"

#include <QDir>

#include <cstring>

namespace {

double tailNumber(const std::uint8_t* data, std::size_t size, std::size_t back)
{
    double value = 0;
    if (size >= back)
        std::memcpy(&value, data + size - back, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString asc = fuzz::writeSiteFile(QLatin1String(orbela::kGeoidAscName), data, size);
    const QString tmp = fuzz::siteFolder() + QLatin1String(orbela::kGeoidTmpName);
    if (orbela::convertGeoidModel(asc, tmp) != orbela::GeoidConversion::Done)
        return 0;
    const orbela::GeoidModel model(asc, tmp);
    QFile file(asc);
    (void)file.open(QIODevice::ReadOnly);
    const auto header = orbela::parseGeoidHeader(QString::fromLatin1(file.readLine()));
    if (header) {
        for (double di : {-1.0, 0.0, 0.5, 1.0, 2.0, 1e6}) {
            for (double dj : {-1.0, 0.0, 0.5, 1.0, 3.0, 1e6}) {
                const double n = orbela::Fdms(header->lat0 + di * header->dlat);
                const double e = orbela::Fdms(header->lon0 + dj * header->dlon);
                (void)model.ジオイドget(n, e);
            }
        }
    }
    (void)model.ジオイドget(tailNumber(data, size, 16), tailNumber(data, size, 8));
    return 0;
}
