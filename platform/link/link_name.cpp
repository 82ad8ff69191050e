// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/link_name.h"

#include "platform/system/local_server.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace platform {

std::optional<LinkTopic> parseLinkTopic(QStringView text)
{
    const qsizetype bar = text.indexOf(u'|');
    if (bar <= 0 || bar == text.size() - 1 || text.indexOf(u'|', bar + 1) >= 0)
        return std::nullopt;
    return LinkTopic{text.first(bar).toString(), text.sliced(bar + 1).toString()};
}

QString linkKey(QStringView name)
{
    return name.toString().toCaseFolded();
}

bool sameLinkName(QStringView a, QStringView b)
{
    return linkKey(a) == linkKey(b);
}

QString linkServerName(const QString& application, const QString& topic)
{
    // Hashed: a long topic must not make the socket path too long.
    const QByteArray nameKey = QCryptographicHash::hash(
                                   (linkKey(application) + QLatin1Char('|') + linkKey(topic)).toUtf8(),
                                   QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(20);
    return QStringLiteral("tavelcor-link-%1-%2").arg(userFolderKey(), QString::fromLatin1(nameKey));
}

}  // namespace platform
