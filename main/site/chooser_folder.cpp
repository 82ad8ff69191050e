// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/chooser_folder.h"

#include "main/site/site_text.h"
#include "platform/system/files.h"
#include "platform/text/textfile.h"

namespace tavelcor {

QString readChooserFolder(const QString& file)
{
    platform::TextFileReader in(file, platform::TextEncoding::Utf8);
    if (!in.isOpen())
        return {};
    QString line;
    if (!in.readLine(line) || line.isEmpty() || !platform::folderExists(line))
        return {};
    return line;
}

WriteResult writeChooserFolder(const QString& file, const QString& folder)
{
    platform::TextFileWriter out(file, platform::TextEncoding::Utf8);
    out.writeLine(folder);
    return sitetext::commitFile(out, file);
}

}  // namespace tavelcor
