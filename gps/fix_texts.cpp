// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/fix_texts.h"

#include "geodesy/format_fixed.h"
#include "platform/text/numbers.h"

namespace orbela {

namespace {

QString fixed(double value, int width)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, 3)).trimmed();
}

}  // namespace

QString localTimeText(QStringView utc)
{
    const double hour = platform::Val(utc.left(2)) + 9;
    const QString rest = QLatin1Char(':') + utc.mid(2, 2).toString() + QLatin1Char(':')
                         + utc.mid(4, 2).toString();
    if (hour <= 23)
        return QLatin1Char(' ') + platform::CStr(hour) + rest;
    return platform::CStr(hour - 24) + rest;
}

QString constellationMark(bool glonass, bool qzss)
{
    if (glonass)
        return qzss ? QStringLiteral("(GGQ)") : QStringLiteral("(GG)");
    return qzss ? QStringLiteral("(GQ)") : QStringLiteral("(G)");
}

QString fixKind(QStringView quality, bool glonass, bool qzss)
{
    const double q = platform::Val(quality);
    QString kind;
    if (q == 1 || q == 3)
        kind = QStringLiteral("単独即位");
    else if (q == 2)
        kind = QStringLiteral("DGPS");
    else if (q == 4)
        kind = QStringLiteral("RTK FIX");
    else if (q == 5)
        kind = QStringLiteral("RTK FLOAT");
    else
        kind = quality.toString() + QLatin1Char('?');
    return kind + constellationMark(glonass, qzss);
}

QString satelliteCountText(QStringView satellites)
{
    return platform::CStr(platform::Val(satellites));
}

CoordinateTexts coordinateTexts(double x, double y, double h)
{
    return {fixed(x, 11), fixed(y, 11), fixed(h, 8)};
}

QString GpsFixText(const CoordinateTexts& xyh, const QString& satellites,
                   const QString& localTime, const NmeaFieldRow& fields)
{
    const QString comma = QStringLiteral(", ");
    const QString later = QStringLiteral(" ,");
    return xyh.x + comma + xyh.y + comma + xyh.h + comma + satellites + later + localTime
           + later + fields[7] + later + fields[9] + later + fields[11] + later + fields[12]
           + later + fields[13];
}

QString fixLogLine(const CoordinateTexts& xyh, const QString& satellites,
                   const QString& localTime, const QString& kind)
{
    return QStringLiteral("X=") + xyh.x + QStringLiteral(" Y=") + xyh.y + QStringLiteral(" H=")
           + xyh.h + QStringLiteral(" 衛星=") + satellites + QLatin1Char(' ') + localTime
           + QLatin1Char(' ') + kind;
}

QString movingCaption(const QString& lead, int step)
{
    return lead + QString(step, QLatin1Char(' ')) + QStringLiteral("NMEA");
}

}  // namespace orbela
