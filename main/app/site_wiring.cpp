// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/site_wiring.h"

#include "main/app/backup.h"
#include "main/app/save_command.h"
#include "main/app/shutdown.h"
#include "main/app/startup.h"

namespace tavelcor {

void wireSiteLifecycle(Plot& window)
{
    wireStartup(window);
    wireSaveCommand(window);
    wireBackup(window);
    wireShutdown(window);
}

}  // namespace tavelcor
