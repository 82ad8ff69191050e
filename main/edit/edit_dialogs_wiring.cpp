// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/edit_dialogs_wiring.h"

#include "main/edit/last_name_form.h"
#include "main/edit/mesgbox.h"
#include "main/edit/xyin.h"
#include "main/edit/xyin2.h"
#include "main/render/view_services.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

namespace tavelcor {

void Command42_Click(Plot& window)
{
    lastName().ShowModal();
    window.Picture1.SetFocus();
}

void Command47_Click(Plot& window)
{
    xyin2().ShowModal();
    window.Command47.setVisible(false);
    MovePoint = 0;
}

void Command85_Click(Plot&)
{
    xyin().Show();
}

void wireEditDialogs(Plot& window)
{
    window.Command42.Click = [&window] { Command42_Click(window); };
    window.Command47.Click = [&window] { Command47_Click(window); };
    window.Command85.Click = [&window] { Command85_Click(window); };
    viewServices().askYesNo = [](const QString& question) { return askInMesgbox(question); };
}

}  // namespace tavelcor
