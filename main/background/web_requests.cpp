// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/web_requests.h"

#include "main/background/web_services.h"
#include "platform/net/http_get.h"
#include "platform/text/numbers.h"

#include <QUrl>

namespace tavelcor {
namespace {

// Characters read after the colon of an elevation reply and after a tag of
// a geocoding reply.
constexpr qsizetype kElevationField = 10;
constexpr qsizetype kGeocodeField = 20;

QString trimmedNumberText(double value)
{
    return platform::Str(value).trimmed();
}

ElevationResult elevationFailure()
{
    return {QString::number(kElevationFailed), false};
}

// The number after the first `tag`; 0 when the tag is missing or no number
// follows it.
double numberAfterTag(QStringView reply, QStringView tag)
{
    const qsizetype at = reply.indexOf(tag);
    if (at < 0)
        return 0.0;
    return platform::Val(reply.mid(at + tag.size(), kGeocodeField));
}

QUrl requestUrl(const QString& address)
{
    // The address is already percent-encoded; it goes out as it is.
    return QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
}

platform::HttpOptions requestOptions()
{
    return {webServices().timeoutMs};
}

}  // namespace

double ElevationResult::value() const
{
    return platform::Val(text);
}

ElevationResult parseElevationReply(QStringView reply)
{
    const qsizetype colon = reply.indexOf(u':');
    const QStringView field = reply.mid(colon + 1, kElevationField);
    const std::optional<double> height = platform::leadingNumber(field);
    if (!height)
        return elevationFailure();
    return {trimmedNumberText(*height), true};
}

ElevationResult parseElevationReply(QByteArrayView utf8)
{
    return parseElevationReply(QString::fromUtf8(utf8));
}

QString elevationAddress(const QString& base, double lonDeg, double latDeg)
{
    return base + QStringLiteral("/general/dem/scripts/getelevation.php?lon=") + trimmedNumberText(lonDeg)
           + QStringLiteral("&lat=") + trimmedNumberText(latDeg) + QStringLiteral("&outtype=JSON");
}

ElevationResult GetElevation(double lonDeg, double latDeg)
{
    const QString address = elevationAddress(webServices().elevationBase, lonDeg, latDeg);
    const platform::HttpReply reply = platform::httpGet(requestUrl(address), requestOptions());
    if (!reply.ok())
        return elevationFailure();
    return parseElevationReply(platform::bodyText(reply));
}

QString UrlEncode(const QString& text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QString out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += u'%';
        out += QLatin1Char(kHex[byte >> 4]);
        out += QLatin1Char(kHex[byte & 0x0F]);
    }
    return out;
}

GeocodeAnswer parseGeocodeReply(QStringView reply)
{
    return {numberAfterTag(reply, u"<lat>"), numberAfterTag(reply, u"<lng>")};
}

GeocodeAnswer parseGeocodeReply(QByteArrayView utf8)
{
    return parseGeocodeReply(QString::fromUtf8(utf8));
}

QString geocodeAddress(const QString& base, const QString& place)
{
    return base + QStringLiteral("/api/?q=") + UrlEncode(place);
}

GeocodeAnswer Geocode(const QString& place)
{
    const QString address = geocodeAddress(webServices().geocodeBase, place);
    const platform::HttpReply reply = platform::httpGet(requestUrl(address), requestOptions());
    if (!reply.replied())
        return {-1.0, -1.0};
    return parseGeocodeReply(platform::bodyText(reply));
}

}  // namespace tavelcor
