// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/press_readouts.h"

#include "geodesy/format_fixed.h"
#include "geodesy/plane_rectangular.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

namespace tavelcor {
namespace {

// Heights from this value on are not shown (the service's own marks).
constexpr double kHeightShownBelow = 9997.0;

QString fixed(double value, int width, int decimals)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, decimals));
}

// One angle readout: the packed d.mmss of the press when `box` is ticked
// (shown in `label`), else 0 with the label emptied.
double angleReadout(const platform::CheckBox& box, platform::Label& label, double north, double east, int which)
{
    if (box.Value() != platform::check::Checked) {
        label.setCaption(QString());
        return 0.0;
    }
    const double packed = geodesy::XYtoBL(north, east, ZoneNo, which) / 10000.0;
    label.setCaption(fixed(packed, 13, 7));
    return packed;
}

}  // namespace

QString elevationReadout(const ElevationResult& answer)
{
    const double height = answer.value();
    if (!answer.ok || height <= kElevationNoRequest)
        return QString::fromUtf16(kNoHeightText);
    if (height >= kHeightShownBelow)
        return QString();
    return QStringLiteral(" ") + fixed(height, 8, 1);
}

void showPressReadouts(Plot& window, double x, double y)
{
    const double north = OriginX - y;
    const double east = x + OriginY;
    const double latitude = angleReadout(window.Check30, window.Label18, north, east, 0);
    const double longitude = angleReadout(window.Check31, window.Label29, north, east, 1);
    if (window.Check32.Value() != platform::check::Checked) {
        window.Label30.setCaption(QString());
        return;
    }
    const ElevationResult answer = GetElevation(geodesy::DmsToDeg(longitude), geodesy::DmsToDeg(latitude));
    window.Label30.setCaption(elevationReadout(answer));
}

}  // namespace tavelcor
