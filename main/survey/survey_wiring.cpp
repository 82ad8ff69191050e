// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/survey_wiring.h"

#include "main/render/render_state.h"
#include "main/survey/redisplay.h"
#include "main/survey/survey_marks.h"
#include "main/survey/workbook_measure.h"
#include "main/window/plot.h"

namespace tavelcor {

void wireSurvey(Plot& window)
{
    window.Command6.Click = [&window] { Command6_Click(window); };
    window.Command81.Click = [&window] { Command81_Click(window); };
    window.Command86.Click = [&window] { Command86_Click(window); };
    wireWorkbookMeasure(window);
    render::RedrawHooks& hooks = render::renderState().hooks;
    hooks.stblueplot = [](render::PlotFace& face) { stblueplot(face); };
    hooks.linedraw = [](render::PlotFace& face) { linedraw(face); };
}

}  // namespace tavelcor
