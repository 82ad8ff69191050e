// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/wirings.h"

#include "main/app/site_wiring.h"
#include "main/app/ui_bindings.h"
#include "main/app/window_layout.h"
#include "main/background/background_drawing.h"
#include "main/edit/edit_wiring.h"
#include "main/edit/panel_wiring.h"
#include "main/export/export_commands.h"
#include "main/interact/interact_wiring.h"
#include "main/render/print_wiring.h"
#include "main/render/view_wiring.h"
#include "main/survey/field_link_wiring.h"
#include "main/survey/survey_wiring.h"
#include "main/ui/ui_wiring.h"
#include "main/window/plot.h"

namespace tavelcor {

void registerPlotWirings()
{
    // One line per part of the program, each wiring its own handlers.
    addPlotWiring(wireWindowLayout);
    addPlotWiring(wireSiteLifecycle);
    addPlotWiring(wireView);
    addPlotWiring(wirePrint);
    addPlotWiring(wireUi);
    addPlotWiring(wireBackground);
    addPlotWiring(wireExport);
    addPlotWiring(wireSurvey);
    addPlotWiring(wireFieldLinks);
    addPlotWiring(wireInteract);
    addPlotWiring(wireEdit);
    addPlotWiring(wirePanels);
    addPlotWiring(wireUiBindings);
}

}  // namespace tavelcor
