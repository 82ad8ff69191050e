// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/local_server.h"

#include "platform/system/folders.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace platform {

namespace {

// How long a name that is in use may take to answer before it counts as the
// leftover of a program that ended without closing.
constexpr int kLeftoverProbeMs = 200;

}  // namespace

QString userFolderKey()
{
    const QByteArray folderKey = QCryptographicHash::hash(programFolder().toUtf8(),
                                                          QCryptographicHash::Sha1)
                                     .toHex()
                                     .left(16);
    return QString::number(getuid()) + QLatin1Char('-') + QString::fromLatin1(folderKey);
}

bool localServerAnswers(const QString& name, int timeoutMs)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool answered = probe.state() == QLocalSocket::ConnectedState || probe.waitForConnected(timeoutMs);
    probe.abort();
    return answered;
}

bool listenTakingOverLeftover(QLocalServer& server, const QString& name)
{
    // No socket options: with them Qt binds elsewhere and renames the socket
    // into place, which would replace a live server's name instead of failing.
    if (server.listen(name))
        return true;
    if (server.serverError() != QAbstractSocket::AddressInUseError
        || localServerAnswers(name, kLeftoverProbeMs))
        return false;
    QLocalServer::removeServer(name);
    return server.listen(name);
}

}  // namespace platform
