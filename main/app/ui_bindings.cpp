// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/ui_bindings.h"

#include "main/app/app_context.h"
#include "main/app/control_bindings.h"
#include "main/app/window_layout.h"
#include "main/background/haikei.h"
#include "main/ui/command_buttons.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"

namespace tavelcor {

namespace {

// The background settings dialog behind the services of start-up, save and
// shut-down; services a test installed beforehand stay.
void installBackgroundWindow()
{
    AppServices& app = appServices();
    if (!app.backgroundWindow) {
        app.backgroundWindow = [] {
            static HaikeiRasterLoader loader;
            return static_cast<BackgroundWindow*>(&loader);
        };
    }
    if (!app.unloadBackgroundWindow)
        app.unloadBackgroundWindow = [] { haikeiForm().unload(); };
    if (!app.showBackgroundWindow)
        app.showBackgroundWindow = [] { Command52_Click(plot()); };
}

}  // namespace

void wireUiBindings(Plot& window)
{
    UiServices& services = uiServices();
    services.symbolButtons = [] { return std::make_unique<PlotSymbolButtons>(plot()); };
    services.presetControls = [] { return std::make_unique<PlotPresetControls>(plot()); };
    services.applyWindowLayout = [](float layoutCode) { applyWindowLayout(plot(), layoutCode); };
    services.closeBackgroundWindow = [] { unloadBackgroundWindow(); };
    installBackgroundWindow();
    wireSettingsCommands(window);
}

}  // namespace tavelcor
