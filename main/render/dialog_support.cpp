// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/dialog_support.h"

#include "main/window/plot.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"

namespace tavelcor {

void clearTabStops(platform::Form& form)
{
    // Timers and menus have no Tab stop: they are passed over.
    for (platform::ControlBase* control : form.controls()) {
        if (auto* withWidget = dynamic_cast<platform::Control*>(control))
            withWidget->setTabStop(false);
    }
}

void placeTopRight(platform::Form& dialog, const Plot& window, double gap)
{
    dialog.setTop(window.Top() + gap);
    dialog.setLeft(window.Left() + window.Width() - dialog.Width() - gap);
}

}  // namespace tavelcor
