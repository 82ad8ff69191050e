// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/ui_services.h"

namespace tavelcor {

UiServices& uiServices()
{
    static UiServices services;
    return services;
}

}  // namespace tavelcor
