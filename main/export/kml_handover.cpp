// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/kml_handover.h"

#include "platform/prompt/prompter.h"
#include "platform/system/documents.h"

#include <QStringList>

namespace tavelcor {

QString GetAssocCommand(const QString& f)
{
    const qsizetype dot = f.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString command = platform::registeredOpenCommand(f.mid(dot));
    if (command.isEmpty())
        return {};
    return GetEnvToRealPath(commandWithFile(command, f)).value_or(QString());
}

QString commandWithFile(const QString& command, const QString& f)
{
    const QString quoted = u'"' + f + u'"';
    QStringList parts = command.split(QStringLiteral("\"%1\""));
    for (QString& part : parts)
        part.replace(QStringLiteral("%1"), quoted);
    return parts.join(quoted);
}

std::optional<QString> GetEnvToRealPath(const QString& path)
{
    QString joined;
    for (const QString& piece : path.split(u'/')) {
        QString text = piece;
        if (piece.startsWith(u'%') && piece.endsWith(u'%')) {
            if (piece.size() < 2)
                return std::nullopt;
            const QString name = piece.mid(1, piece.size() - 2);
            const QString value = name.isEmpty() ? QString() : qEnvironmentVariable(name.toLocal8Bit().constData());
            if (!value.isEmpty())
                text = value;
        }
        if (!joined.isEmpty())
            joined += u'/';
        joined += text;
    }
    return joined;
}

bool FileOpen_ShellApplication(const QString& strFile)
{
    return platform::openDocument(strFile);
}

QString globeViewerMissingMessage(const QString& written)
{
    // Without the file's place the export looks failed, though the file is
    // there for any other viewer.
    return QStringLiteral("Google earthが見つかりません。先にソフトをインストールしてください")
           + QStringLiteral("\r\nKMLファイルは次の場所に作成しました：\r\n") + written;
}

HandOver handOverToGlobeViewer(const QString& f)
{
    const QString command = GetAssocCommand(f);
    if (command.contains(QStringLiteral("googleearth"), Qt::CaseSensitive))
        return FileOpen_ShellApplication(f) ? HandOver::Opened : HandOver::OpenFailed;
    platform::MsgBox(globeViewerMissingMessage(f));
    return HandOver::NotRegistered;
}

}  // namespace tavelcor
