// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/gps_track.h"

#include "main/site/tables.h"
#include "platform/text/numbers.h"

#include <cmath>

namespace tavelcor {

namespace {

// Characters of the Y field read after the first comma: one blank and the
// 11-character field the GPS program writes.
constexpr qsizetype kYFieldChars = 12;

}  // namespace

GpsStatusWord gpsStatusWord(QStringView text)
{
    if (text == u"中断")
        return GpsStatusWord::Suspended;
    if (text == u"終了")
        return GpsStatusWord::Ended;
    if (text == u"準備中")
        return GpsStatusWord::Preparing;
    if (text == u"未接続")
        return GpsStatusWord::Unconnected;
    return GpsStatusWord::Other;
}

std::optional<GpsFix> readGpsFixLine(QStringView text)
{
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0)
        return std::nullopt;
    return GpsFix{platform::Val(text), platform::Val(text.mid(comma + 1, kYFieldChars))};
}

TrackStep appendGpsFix(const GpsFix& fix)
{
    std::int32_t n = GpsCount + 1;
    if (n > kGpsTrackSize) {
        // A full track: this fix is dropped and the count starts again, so
        // the next fix overwrites position 2 and position 1 keeps its value.
        GpsCount = 1;
        return TrackStep::Restart;
    }
    GpsX[n] = static_cast<float>(fix.x - OriginX);
    GpsY[n] = static_cast<float>(fix.y - OriginY);
    if (n > kGpsFreePositions) {
        const double dx = static_cast<double>(GpsX[n]) - GpsX[n - 1];
        const double dy = static_cast<double>(GpsY[n]) - GpsY[n - 1];
        if (std::sqrt(dx * dx + dy * dy) > kGpsJumpLimitM)
            return TrackStep::Jump;  // the position stays written past GpsCount, unused
    }
    if (n > 1 && GpsX[n] == GpsX[n - 1] && GpsY[n] == GpsY[n - 1])
        return TrackStep::Repeat;
    GpsCount = n;
    return TrackStep::Stored;
}

std::int16_t nextGpsBlink(std::int16_t blink)
{
    const std::int16_t next = static_cast<std::int16_t>(blink + 1);
    return next >= 4 ? std::int16_t{0} : next;
}

std::int32_t workbookSignalValue(QStringView text)
{
    return platform::CLng(platform::Val(text));
}

}  // namespace tavelcor
