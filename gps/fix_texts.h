// SPDX-License-Identifier: LicenseRef-Tavelcor
// The texts of one fix as ORBELA shows and publishes them: the local time,
// the kind of fix with its constellation mark, the fix line of the `Text7`
// item, the log line and the moving window caption.
#pragma once

#include "gps/nmea.h"

#include <QString>
#include <QStringView>

namespace orbela {

/// The local time text (Japan, UTC + 9 h) of a GGA time field hhmmss.ss: the
/// hour is the numeric value of the first two characters plus 9; up to 23 the
/// text is a blank, the hour without leading zero, ":", characters 3-4, ":",
/// characters 5-6 (" 9:05:30", " 18:05:30"); from 24 on it is the hour less
/// 24 without the blank ("0:05:30").  Fractions of a second and the date are
/// dropped.
QString localTimeText(QStringView utc);

/// The constellation mark: "(G)" GPS only, "(GG)" with GLONASS, "(GQ)" with
/// QZSS, "(GGQ)" with both.
QString constellationMark(bool glonass, bool qzss);

/// The kind of fix from the fix quality field, followed by the mark: 1 and 3
/// "単独即位", 2 "DGPS", 4 "RTK FIX", 5 "RTK FLOAT", any other value the field
/// itself followed by "?".
QString fixKind(QStringView quality, bool glonass, bool qzss);

/// The satellite count as a plain number ("08" gives "8").
QString satelliteCountText(QStringView satellites);

/// The three coordinate texts of a fix: FormatFixed in width 11 (X, Y) or
/// 8 (H) with 3 decimals, blanks trimmed.
struct CoordinateTexts {
    QString x;
    QString y;
    QString h;
};
CoordinateTexts coordinateTexts(double x, double y, double h);

/// `GpsFixText`: X, ", ", Y, ", ", H, ", ", satellites, " ,", local time,
/// " ,", field 7, " ,", field 9, " ,", field 11, " ,", field 12, " ,",
/// field 13, for example
/// "-123.456, 234.567, 45.123, 8 , 18:05:30 ,1 ,0.9 ,M ,36.7 ,M".
QString GpsFixText(const CoordinateTexts& xyh, const QString& satellites,
                   const QString& localTime, const NmeaFieldRow& fields);

/// The log line of a fix: "X=", X, " Y=", Y, " H=", H, " 衛星=", satellites,
/// " ", local time, " ", kind.
QString fixLogLine(const CoordinateTexts& xyh, const QString& satellites,
                   const QString& localTime, const QString& kind);

/// A window caption: `lead`, `step` blanks and "NMEA" ("衛星8   NMEA").
QString movingCaption(const QString& lead, int step);

}  // namespace orbela
