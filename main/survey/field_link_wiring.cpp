// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/field_link_wiring.h"

#include "main/survey/gps_client.h"
#include "main/survey/workbook_link.h"
#include "main/window/plot.h"

namespace tavelcor {

void wireFieldLinks(Plot& window)
{
    window.Check5.Click = [&window] { Check5_Click(window); };
    window.Check29.Click = [&window] { Check29_Click(window); };
    window.Timer1.Timer = [&window] { Timer1_Timer(window); };
    window.Command54.Click = [&window] { Command54_Click(window); };
    window.Timer3.Timer = [&window] { Timer3_Timer(window); };
    window.Text10.Change = [&window] { Text10_Change(window); };
    window.Command50.Click = [&window] { Command50_Click(window); };
    window.Command51.Click = [&window] { Command51_Click(window); };
    window.Command49.Click = [&window] { Command49_Click(window); };
}

}  // namespace tavelcor
