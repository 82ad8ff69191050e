// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/ui_bindings.h"

#include "main/app/app_context.h"
#include "main/app/control_bindings.h"
#include "main/app/window_layout.h"
#include "main/ui/command_buttons.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"

namespace tavelcor {

void wireUiBindings(Plot& window)
{
    UiServices& services = uiServices();
    services.symbolButtons = [] { return std::make_unique<PlotSymbolButtons>(plot()); };
    services.presetControls = [] { return std::make_unique<PlotPresetControls>(plot()); };
    services.applyWindowLayout = [](float layoutCode) { applyWindowLayout(plot(), layoutCode); };
    services.closeBackgroundWindow = [] { unloadBackgroundWindow(); };
    wireSettingsCommands(window);
}

}  // namespace tavelcor
