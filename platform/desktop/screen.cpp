// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/screen.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <utility>

namespace platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;

std::function<std::optional<WorkArea>()>& workAreaSource()
{
    static std::function<std::optional<WorkArea>()> source;
    return source;
}

QScreen* primaryScreen()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::primaryScreen();
}

}  // namespace

double twipsPerPixelForDpi(double dotsPerInch)
{
    return dotsPerInch > 0.0 ? kTwipsPerInch / dotsPerInch : kDefaultTwipsPerPixel;
}

std::optional<ScreenMetrics> primaryScreenMetrics()
{
    const QScreen* screen = primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = twipsPerPixelForDpi(screen->logicalDotsPerInchX());
    metrics.twipsPerPixelY = twipsPerPixelForDpi(screen->logicalDotsPerInchY());
    const QRect geometry = screen->geometry();
    metrics.widthTwips = geometry.width() * metrics.twipsPerPixelX;
    metrics.heightTwips = geometry.height() * metrics.twipsPerPixelY;
    return metrics;
}

std::optional<WorkArea> desktopWorkArea()
{
    if (const auto& source = workAreaSource())
        return source();
    const QScreen* screen = primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const QRect area = screen->availableGeometry();
    if (area.isEmpty())
        return std::nullopt;
    return WorkArea{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

void setWorkAreaSource(std::function<std::optional<WorkArea>()> source)
{
    workAreaSource() = std::move(source);
}

}  // namespace platform
