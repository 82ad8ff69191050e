// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/export_commands.h"

#include "main/window/plot.h"

namespace tavelcor {

void Command10_Click(Plot& window)
{
    sxfmake(window);
    window.Picture1.SetFocus();
}

void wireExport(Plot& window)
{
    window.Command10.Click = [&window] { Command10_Click(window); };
    window.Command1.Click = [&window] { Command1_Click(window); };
}

}  // namespace tavelcor
