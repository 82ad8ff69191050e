// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "fuzz/support/main_window.h"

#include "fuzz/support/fuzz_support.h"

#include "main/app/window_layout.h"
#include "main/background/background_drawing.h"
#include "main/export/export_commands.h"
#include "main/render/print_wiring.h"
#include "main/render/view_wiring.h"
#include "main/render/window_plot_face.h"
#include "main/survey/survey_wiring.h"
#include "main/ui/ui_wiring.h"
#include "main/window/plot.h"

namespace fuzz {

tavelcor::Plot& mainWindow()
{
    static tavelcor::Plot& window = [] () -> tavelcor::Plot& {
        using namespace tavelcor;
        setUpOnce(App::Widgets);
        // The program's order (main/app/wirings.cpp) without the life cycle.
        addPlotWiring(wireWindowLayout);
        addPlotWiring(wireView);
        addPlotWiring(wirePrint);
        addPlotWiring(wireUi);
        addPlotWiring(wireBackground);
        addPlotWiring(wireExport);
        addPlotWiring(wireSurvey);
        resetSite();
        Plot& created = plot();
        created.Show();
        crtplot();
        destroyWindowsAtExit();
        return created;
    }();
    return window;
}

}  // namespace fuzz
