// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/web_maps.h"

#include "geodesy/constants.h"
#include "main/background/gsi_tiles.h"
#include "main/background/web_services.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/system/documents.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavelcor {
namespace {

// Extents below this are widened for the aerial view.
constexpr double kOrthoLeastExtentM = 200.0;

QString numberText(double value)
{
    return platform::Str(value).trimmed();
}

QString spanText(double extentM)
{
    return platform::StrSingle(webMapSpan(extentM)).trimmed();
}

struct Centre {
    QString lat;
    QString lon;
};

Centre viewCentre()
{
    return {numberText(planeToDegrees(ViewCX, ViewCY, ZoneNo, 0)),
            numberText(planeToDegrees(ViewCX, ViewCY, ZoneNo, 1))};
}

QString firstSiteAddress(const QString& spanKey, double eastM, double northM)
{
    const Centre c = viewCentre();
    return QStringLiteral("/?ll=") + c.lat + u',' + c.lon + spanKey + spanText(eastM) + u',' + spanText(northM)
           + QStringLiteral("&q=") + c.lat + u',' + c.lon;
}

void openAddress(const QString& address)
{
    platform::openUrl(address);
}

}  // namespace

float webMapSpan(double extentM)
{
    const double degrees = extentM * 0.5 / (12740000.0 * geodesy::kPi) * 360.0;
    return static_cast<float>(std::floor(degrees * 100000.0) / 100000.0);
}

QString webMapScaleCode(double eastExtentM)
{
    // Lower bounds of the codes 2 to 16.
    static constexpr std::array<double, 15> kFrom{500,   600,   700,    800,    1000,   1500,   4000,   7500,
                                                  20000, 35000, 100000, 150000, 350000, 700000, 1000000};
    const auto above = std::upper_bound(kFrom.begin(), kFrom.end(), eastExtentM);
    return QString::number(1 + (above - kFrom.begin()));
}

QString googleMapAddress()
{
    return firstSiteAddress(QStringLiteral("&spn="), ViewSpanY, ViewSpanX);
}

QString googleOrthoAddress()
{
    return firstSiteAddress(QStringLiteral("&t=k&spn="), std::max(ViewSpanY, kOrthoLeastExtentM),
                            std::max(ViewSpanX, kOrthoLeastExtentM));
}

QString yahooMapAddress()
{
    const Centre c = viewCentre();
    return QStringLiteral("/pl?type=scroll&lat=") + c.lat + QStringLiteral("&lon=") + c.lon + QStringLiteral("&sc=")
           + webMapScaleCode(ViewSpanY) + QStringLiteral("&mode=map&pointer=on&datum=wgs");
}

void Command46_Click()
{
    openAddress(webServices().webMap1Base + googleMapAddress());
}

void Command56_Click()
{
    openAddress(webServices().webMap1Base + googleOrthoAddress());
}

void Command58_Click()
{
    openAddress(webServices().webMap2Base + yahooMapAddress());
}

void wireWebMaps(Plot& window)
{
    window.Command46.Click = [] { Command46_Click(); };
    window.Command56.Click = [] { Command56_Click(); };
    window.Command58.Click = [] { Command58_Click(); };
}

}  // namespace tavelcor
