// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/interact_wiring.h"

#include "main/interact/mode_options.h"
#include "main/interact/plot_double_click.h"
#include "main/interact/press_dispatch.h"
#include "main/window/plot.h"

namespace tavelcor {

void wireInteract(Plot& window)
{
    window.Picture1.MouseDown = [&window](int button, int shift, double x, double y) {
        Picture1_MouseDown(window, button, shift, x, y);
    };
    window.Picture1.DblClick = [&window] { Picture1_DblClick(window); };
    window.Picture1.KeyDown = [&window](int& keyCode, int shift) { Picture1_KeyDown(window, keyCode, shift); };
    wireModeOptions(window);
}

}  // namespace tavelcor
