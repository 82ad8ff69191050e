// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/dialog_places.h"

#include "main/render/dialog_support.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"

namespace tavelcor {

void placeAtMainTopRight(platform::Form& dialog, double gap)
{
    placeTopRight(dialog, plot(), gap);
}

void unloadBackgroundSettings()
{
    // The background part lies above this one: its window is reached by name.
    if (platform::FormHolderBase* holder = platform::holderOfLoadedForm(QStringLiteral("Haikei")))
        platform::Unload(*holder->loadedForm());
}

}  // namespace tavelcor
