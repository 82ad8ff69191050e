// SPDX-License-Identifier: LicenseRef-Tavelcor
// The texts the field links receive from other programs: the GPS program's
// fix text, read by the GPS poll into the track, and the workbook's signal
// cell, read into the signal value.
//
// The first byte sets the scene: how full the track is before (empty, ten
// positions, one short of full, full) and the site origin (0 or far away).
// The rest is split at line feeds; each piece, as UTF-8, is one text the
// link delivered. After every text the track count stays within the table.
#include "fuzz/support/fuzz_support.h"

#include "main/site/tables.h"
#include "main/survey/gps_track.h"

#include <QByteArrayList>

#include <cstdlib>

namespace {

using namespace tavelcor;

void prepareTrack(int fill)
{
    const std::int32_t counts[] = {0, 10, kGpsTrackSize - 1, kGpsTrackSize};
    GpsCount = counts[fill];
    for (std::int32_t i = 1; i <= GpsCount; i += 997) {
        GpsX[i] = static_cast<float>(i);
        GpsY[i] = static_cast<float>(-i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const std::uint8_t scene = bytes.take();
    prepareTrack(scene % 4);
    if ((scene & 4) != 0) {
        OriginX = -33000.0;
        OriginY = 13000.0;
    }
    for (const QByteArray& piece : bytes.rest().toByteArray().split('\n')) {
        const QString text = QString::fromUtf8(piece);
        (void)gpsStatusWord(text);
        if (const std::optional<GpsFix> fix = readGpsFixLine(text))
            appendGpsFix(*fix);
        if (GpsCount < 0 || GpsCount > kGpsTrackSize)
            std::abort();
        (void)workbookSignalValue(text);
    }
    return 0;
}
