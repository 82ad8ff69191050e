// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/local_server.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {

constexpr int kProbeMs = 200;

bool someoneListens(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool answered = probe.state() == QLocalSocket::ConnectedState || probe.waitForConnected(kProbeMs);
    probe.abort();
    return answered;
}

}  // namespace

bool listenTakingOverLeftover(QLocalServer& server, const QString& name)
{
    // No socket options: with them Qt binds elsewhere and renames the socket
    // into place, which would replace a live server's name instead of failing.
    if (server.listen(name))
        return true;
    if (server.serverError() != QAbstractSocket::AddressInUseError || someoneListens(name))
        return false;
    QLocalServer::removeServer(name);
    return server.listen(name);
}

}  // namespace platform
