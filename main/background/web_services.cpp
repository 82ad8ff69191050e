// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/web_services.h"

#include <QtGlobal>

namespace tavelcor {
namespace {

QString withoutTrailingSlash(QString base)
{
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

void replaceFrom(const char* variable, QString& base)
{
    const QString value = qEnvironmentVariable(variable).trimmed();
    if (!value.isEmpty())
        base = value;
    base = withoutTrailingSlash(base);
}

}  // namespace

WebServices publicWebServices()
{
    WebServices services;
    services.tileBase = QStringLiteral("https://cyberjapandata.gsi.go.jp");
    services.elevationBase = QStringLiteral("https://cyberjapandata2.gsi.go.jp");
    services.geocodeBase = QStringLiteral("https://www.geocoding.jp");
    services.webMap1Base = QStringLiteral("https://maps.google.com");
    services.webMap2Base = QStringLiteral("https://map.yahoo.co.jp");
    services.termsPage = QStringLiteral("https://www.gsi.go.jp/kikakuchousei/kikakuchousei40182.html");
    return services;
}

WebServices webServicesFromEnvironment()
{
    WebServices services = publicWebServices();
    replaceFrom("TAVELCOR_TILE_BASE", services.tileBase);
    replaceFrom("TAVELCOR_ELEVATION_BASE", services.elevationBase);
    replaceFrom("TAVELCOR_GEOCODE_BASE", services.geocodeBase);
    replaceFrom("TAVELCOR_WEBMAP1_BASE", services.webMap1Base);
    replaceFrom("TAVELCOR_WEBMAP2_BASE", services.webMap2Base);
    // A page, not a base: its address is taken whole.
    const QString terms = qEnvironmentVariable("TAVELCOR_TERMS_PAGE").trimmed();
    if (!terms.isEmpty())
        services.termsPage = terms;
    return services;
}

WebServices& webServices()
{
    static WebServices services = webServicesFromEnvironment();
    return services;
}

}  // namespace tavelcor
