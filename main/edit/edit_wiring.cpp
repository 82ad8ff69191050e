// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/edit_wiring.h"

#include "main/edit/edit_dialogs_wiring.h"
#include "main/edit/history_commands.h"
#include "main/edit/koho.h"
#include "main/edit/point_panel.h"
#include "main/window/plot.h"

namespace tavelcor {

void wireEdit(Plot& window)
{
    window.Command60.Click = [&window] { Command60_Click(window); };
    window.Command61.Click = [&window] { Command61_Click(window); };
    window.Command62.Click = [&window] { Command62_Click(window); };
    window.Command63.Click = [&window] { Command63_Click(window); };
    window.Command48.Click = [&window] { Command48_Click(window); };
    wireEditDialogs(window);
    wirePointPanel(window);
}

}  // namespace tavelcor
