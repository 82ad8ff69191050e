// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/panel_wiring.h"

#include "main/edit/line_panel.h"
#include "main/edit/plist.h"
#include "main/edit/stroke_panel.h"
#include "main/edit/text_panel.h"
#include "main/window/plot.h"

namespace tavelcor {

namespace {

void wireOpener(platform::CommandButton& button, Plot& window, void (*open)(Plot&))
{
    button.Click = [&window, open] { open(window); };
    button.MouseDown = [&window, open](int, int, double, double) { open(window); };
}

}  // namespace

void wirePanels(Plot& w)
{
    wireOpener(w.Command21, w, Command21_Click);
    wireOpener(w.Command22, w, Command22_Click);
    wireOpener(w.Command33, w, Command33_Click);
    w.Command29.Click = [&w] { Command29_Click(w); };
    w.Command28.Click = [&w] { Command28_Click(w); };
    w.Command35.Click = [&w] { Command35_Click(w); };
    w.Command34.Click = [&w] { Command34_Click(w); };
    // Gaining or losing the focus takes the default flag away.
    w.Command34.GotFocus = [&w] { w.Command34.setDefault(false); };
    w.Command34.LostFocus = [&w] { w.Command34.setDefault(false); };
    w.Command36.Click = [&w] { Command36_Click(w); };
    w.Command37.Click = [&w] { Command37_Click(w); };
    w.Command45.Click = [&w] { Command45_Click(w); };
    w.Command38.MouseDown = [&w](int, int, double, double) { Command38_MouseDown(w); };
    w.Command38.MouseUp = [&w](int, int, double, double) { Command38_MouseUp(w); };
}

}  // namespace tavelcor
