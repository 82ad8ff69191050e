// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/interact_wiring.h"

#include "main/interact/mode_options.h"
#include "main/interact/plot_double_click.h"
#include "main/interact/pointer_motion.h"
#include "main/interact/pointer_release.h"
#include "main/interact/press_dispatch.h"
#include "main/window/plot.h"

namespace tavelcor {
namespace {

// Timer4 takes the line rubber band off this long after the last motion.
constexpr int kRubberBandRestMs = 100;

}  // namespace

void wireInteract(Plot& window)
{
    window.Picture1.MouseDown = [&window](int button, int shift, double x, double y) {
        Picture1_MouseDown(window, button, shift, x, y);
    };
    window.Picture1.DblClick = [&window] { Picture1_DblClick(window); };
    window.Picture1.KeyDown = [&window](int& keyCode, int shift) { Picture1_KeyDown(window, keyCode, shift); };
    window.Picture1.MouseMove = [&window](int button, int shift, double x, double y) {
        Picture1_MouseMove(window, button, shift, x, y);
    };
    window.Picture1.MouseUp = [&window](int button, int shift, double x, double y) {
        Picture1_MouseUp(window, button, shift, x, y);
    };
    window.Timer4.setInterval(kRubberBandRestMs);
    window.Timer4.setEnabled(false);
    window.Timer4.Timer = [&window] { Timer4_Timer(window); };
    wireModeOptions(window);
}

}  // namespace tavelcor
