// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/ui_wiring.h"

#include "main/ui/text_fields.h"

namespace tavelcor {

void wireUi(Plot& window)
{
    wireTextFields(window);
}

}  // namespace tavelcor
