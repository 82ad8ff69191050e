// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/export_commands.h"

#include "main/export/kml_export.h"

#include "main/site/tables.h"
#include "main/window/plot.h"

#include <QDir>

namespace tavelcor {

std::optional<QString> chooseExportFile(Plot& window, const QString& filter, const QString& fileName)
{
    platform::CommonDialog& dialog = window.CommonDialog1;
    dialog.setFilter(filter);
    dialog.setFilterIndex(1);
    dialog.setFileName(fileName);
    dialog.setDialogTitle(QString());
    dialog.setFlags(0);
    // Opens where the work is, the site folder, as the site's own save does;
    // the dialog's other uses keep their own start folder.
    dialog.setInitDir(QDir::cleanPath(SiteFolder));
    const bool chosen = dialog.ShowSave();
    dialog.setInitDir(QString());
    if (!chosen)
        return std::nullopt;
    return dialog.FileName();
}

void Command10_Click(Plot& window)
{
    sxfmake(window);
    window.Picture1.SetFocus();
}

void wireExport(Plot& window)
{
    window.Command10.Click = [&window] { Command10_Click(window); };
    window.Command1.Click = [&window] { Command1_Click(window); };
    window.Command82.Click = [&window] { Command82_Click(window); };
}

}  // namespace tavelcor
