// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The synchronous look-ups of the web services: the ground height at a
// latitude and longitude from the GSI elevation service (GetElevation), and
// the latitude and longitude of an address or landmark from the geocoding
// service (Geocode, with its query form UrlEncode). Each call makes one GET
// to the base address of webServices() and blocks until the reply has
// arrived, the request has failed or the time-out has passed; the windows
// keep painting meanwhile.
//
// The replies are read by parseElevationReply and parseGeocodeReply, which
// take the reply's text (or its UTF-8 bytes) and never fail.

#include "main/render/view_services.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tavelcor {

/// Failure codes of the elevation look-up, as its callers test them (any
/// value below -100 is no height): no request could be made, the request
/// failed.
inline constexpr int kElevationNoRequest = -9998;
inline constexpr int kElevationFailed = -9999;

/// The elevation look-up's result: the height's trimmed number text in
/// metres («123.4», «.5», «-1.25»), or the text of a failure code («-9999»).
struct ElevationResult {
    QString text;
    bool ok = false;

    /// The height, or the failure code.
    double value() const;
};

/// Reads an elevation reply: the number at the start of the 10 characters
/// after the reply's first ":" (from its first character when it has none),
/// given back as its trimmed number text. A reply whose text there does not
/// begin with a number (the service's "-----" for a point without height,
/// an error page) is a failure (-9999), never a height of 0 m.
ElevationResult parseElevationReply(QStringView reply);
ElevationResult parseElevationReply(QByteArrayView utf8);

/// The address of the elevation request for a point: the base address,
/// "/general/dem/scripts/getelevation.php?lon=" lon "&lat=" lat
/// "&outtype=JSON", the degrees as trimmed number texts.
QString elevationAddress(const QString& base, double lonDeg, double latDeg);

/// Module1.GetElevation: the ground height at east longitude `lonDeg`, north
/// latitude `latDeg` (decimal degrees, GRS80). -9999 when no reply arrives
/// within the time-out, when the reply's status is not 200 or when it holds
/// no height (parseElevationReply).
ElevationResult GetElevation(double lonDeg, double latDeg);

/// Module1.UrlEncode: every UTF-8 byte of `text` (no byte order mark) as
/// "%" and two upper-case hexadecimal digits, letters and digits included:
/// 東 «%E6%9D%B1», A «%41», a tab «%09».
QString UrlEncode(const QString& text);

/// Reads a geocoding reply: the latitude is the number at the start of the
/// 20 characters after the first "<lat>", the longitude the same after the
/// first "<lng>"; a tag that is missing, or not followed by a number, gives
/// 0 (nothing found).
GeocodeAnswer parseGeocodeReply(QStringView reply);
GeocodeAnswer parseGeocodeReply(QByteArrayView utf8);

/// The address of the geocoding request: the base address, "/api/?q=" and
/// UrlEncode(place); an empty place sends q with an empty value.
QString geocodeAddress(const QString& base, const QString& place);

/// Module1.Geocode: the latitude and longitude of `place` (decimal degrees);
/// both 0 when the service found nothing, both -1 when no reply arrived. The
/// reply's status is not examined: an error page holds no tags and finds
/// nothing.
GeocodeAnswer Geocode(const QString& place);

}  // namespace tavelcor
