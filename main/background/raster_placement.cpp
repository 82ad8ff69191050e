// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/raster_placement.h"

#include "geodesy/constants.h"
#include "geodesy/format_fixed.h"
#include "geodesy/plane_geometry.h"
#include "main/background/raster_definition.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {

namespace {

constexpr int kDeletedMark = 100;
constexpr int kRotationWidth = 8;
constexpr int kRotationDecimals = 4;

qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

}  // namespace

std::optional<RasterRect> previewForBitmap(QSize pixels, const PlacementView& view)
{
    if (pixels.width() <= 0 || pixels.height() <= 0 || !(view.spanX > 0.0) || !(view.spanY > 0.0))
        return std::nullopt;
    const double w = pixels.width();
    const double h = pixels.height();
    const double metresPerUnit = std::min(view.spanY / w, view.spanX / h);
    RasterRect rect;
    rect.xMax = view.centreX + view.spanX / 2;
    rect.yMin = view.centreY - view.spanY / 2;
    rect.xMin = rect.xMax - metresPerUnit * h;
    rect.yMax = rect.yMin + metresPerUnit * w;
    return rect;
}

std::optional<PlacementResult> placeByTwoPoints(const PlacementInput& in)
{
    const auto height = static_cast<float>(in.preview.xMax - in.preview.xMin);
    const auto width = static_cast<float>(in.preview.yMax - in.preview.yMin);
    const geodesy::InverseResult truePair = geodesy::Inverse(in.trueBX - in.trueAX, in.trueBY - in.trueAY);
    const auto trueAngle = static_cast<float>(truePair.angleDeg);
    const auto trueDistance = static_cast<float>(truePair.distance);
    const geodesy::InverseResult picked =
        geodesy::Inverse(in.pickedBX - in.pickedAX, in.pickedBY - in.pickedAY);
    const auto pickedAngle = static_cast<float>(picked.angleDeg);
    const auto pickedDistance = static_cast<float>(picked.distance);
    // Two picks on one spot give no scale: refused before any division.
    if (!(pickedDistance > 0.0F))
        return std::nullopt;
    PlacementResult result;
    result.rotationDeg = static_cast<double>(trueAngle) - static_cast<double>(pickedAngle);
    const float scale = trueDistance / pickedDistance;
    const geodesy::InverseResult corner = geodesy::Inverse(in.preview.xMax - (in.originX + in.pickedAX),
                                                           in.preview.yMin - (in.originY + in.pickedAY));
    const double turned = (corner.angleDeg + result.rotationDeg) * geodesy::kPi / 180.0;
    const double reach = static_cast<double>(scale) * corner.distance;
    const auto x0 = static_cast<float>(reach * std::cos(turned) + in.trueAX);
    const auto y0 = static_cast<float>(reach * std::sin(turned) + in.trueAY);
    result.placed.xMax = x0;
    result.placed.yMin = y0;
    result.placed.xMin = x0 - scale * height;
    result.placed.yMax = y0 + scale * width;
    return result;
}

QString rotationText(double rotationDeg)
{
    return QString::fromStdString(geodesy::FormatFixed(rotationDeg, kRotationWidth, kRotationDecimals));
}

bool rotationWarns(double rotationDeg)
{
    // The rotation of single-precision directions is never exactly 0.05: the
    // shown value decides, so the warning quotes a value above the limit.
    return std::fabs(platform::Val(rotationText(rotationDeg))) > kRotationWarningDeg;
}

QString definitionPathFor(const QString& bitmapPath)
{
    const qsizetype separator = lastSeparator(bitmapPath);
    const QString folder = bitmapPath.left(separator + 1);
    const QString name = bitmapPath.mid(separator + 1);
    const qsizetype dot = name.indexOf(u'.');
    return folder + (dot < 0 ? name : name.left(dot)) + QStringLiteral(".AR2");
}

QString bareFileName(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QByteArray definitionLine(const QString& bitmapName, const RasterRect& rect)
{
    const QString line = bitmapName + u',' + platform::CStr(rect.xMin) + u',' + platform::CStr(rect.yMin) + u','
                         + platform::CStr(rect.xMax) + u',' + platform::CStr(rect.yMax) + QStringLiteral("\r\n");
    return platform::toCp932(line);
}

DefinitionNameFault definitionNameFault(const QString& bitmapName)
{
    if (bitmapName.contains(u','))
        return DefinitionNameFault::Comma;
    const RasterDefinitionParse back = parseRasterDefinition(definitionLine(bitmapName, RasterRect{}));
    const bool same = back.fault == RasterDefinitionFault::None && back.rows.size() == 1
                      && back.rows.front().file == bitmapName;
    return same ? DefinitionNameFault::None : DefinitionNameFault::Unreadable;
}

int findPlacementPoint(const QString& name, int pointCount)
{
    const int last = std::clamp(pointCount, 0, kPointTop);
    for (int i = 1; i <= last; ++i) {
        if (PointMark[i] < kDeletedMark && PointName[i] == name)
            return i;
    }
    return 0;
}

}  // namespace tavelcor
