// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/app_context.h"

#include "main/ui/ui_services.h"
#include "platform/system/window_presence.h"

namespace tavelcor {

AppServices& appServices()
{
    static AppServices services;
    return services;
}

PlotRunState& plotRunState()
{
    static PlotRunState state;
    return state;
}

void resetAppContext()
{
    appServices() = AppServices{};
    uiServices() = UiServices{};
    plotRunState() = PlotRunState{};
}

QDateTime currentDateTime()
{
    const AppServices& services = appServices();
    return services.now ? services.now() : QDateTime::currentDateTime();
}

void unloadBackgroundWindow()
{
    const AppServices& services = appServices();
    if (services.unloadBackgroundWindow)
        services.unloadBackgroundWindow();
}

void showBackgroundWindow()
{
    const AppServices& services = appServices();
    if (services.showBackgroundWindow)
        services.showBackgroundWindow();
}

}  // namespace tavelcor
