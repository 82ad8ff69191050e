// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/plane_conversion.h"

#include "geodesy/plane_rectangular.h"
#include "gps/messages.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

namespace orbela {

double BLtoXY(double latitudeDms10000, double longitudeDms10000, int zone, int flag)
{
    if (!geodesy::IsKnownZone(zone))
        platform::MsgBox(kMsgZone.toString());
    return geodesy::BLtoXYPacked(latitudeDms10000, longitudeDms10000, zone, flag);
}

QString NmeaToDms(QStringView nmea)
{
    const qsizetype p = nmea.indexOf(QLatin1Char('.'));
    const QStringView whole = p < 0 ? nmea : nmea.left(p);
    const double fraction = p < 0 ? 0.0 : platform::Val(nmea.mid(p, 10));
    const double packed = (platform::Val(whole) + fraction * 60 / 100) / 100;
    return platform::CStr(packed);
}

}  // namespace orbela
