// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/print_wiring.h"

#include "main/render/print_dialog.h"
#include "main/window/plot.h"

namespace tavelcor {

void Command11_Click(Plot& window)
{
    openPrintDialog(1);
    window.Picture1.SetFocus();
}

void wirePrint(Plot& window)
{
    window.Command11.Click = [&window] { Command11_Click(window); };
}

}  // namespace tavelcor
