// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/window_presence.h"

#include "platform/system/folders.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QUrl>

#include <unistd.h>

#include <utility>

namespace platform {

QString presenceServerName(const QString& title)
{
    const QByteArray folderKey = QCryptographicHash::hash(programFolder().toUtf8(),
                                                          QCryptographicHash::Sha1)
                                     .toHex()
                                     .left(16);
    const QByteArray titleKey = QUrl::toPercentEncoding(title);
    return QStringLiteral("tavelcor-%1-%2-%3")
        .arg(QString::number(getuid()), QString::fromLatin1(folderKey),
             QString::fromLatin1(titleKey));
}

WindowPresence::WindowPresence(QString title) : mTitle(std::move(title)) {}

WindowPresence::~WindowPresence() = default;

bool WindowPresence::announce(bool takeOverStale)
{
    if (isAnnounced())
        return true;
    const QString name = presenceServerName(mTitle);
    auto server = std::make_unique<QLocalServer>();
    // No socket options: with them Qt binds elsewhere and renames the socket
    // into place, which would replace a live server's name instead of
    // failing. The name is the user's own (it holds the user id), and a
    // socket that others cannot write to cannot be connected to by them.
    // Whoever connects only wants to know that the server is there.
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [raw = server.get()] {
        while (QLocalSocket* socket = raw->nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
        }
    });
    if (!server->listen(name)) {
        if (!takeOverStale || server->serverError() != QAbstractSocket::AddressInUseError)
            return false;
        // A name that still answers belongs to a live program: never take
        // it over.
        if (windowTitledExists(mTitle, 200))
            return false;
        QLocalServer::removeServer(name);
        if (!server->listen(name))
            return false;
    }
    mServer = std::move(server);
    return true;
}

bool WindowPresence::isAnnounced() const
{
    return mServer && mServer->isListening();
}

bool windowTitledExists(const QString& title, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(presenceServerName(title));
    const bool connected = socket.state() == QLocalSocket::ConnectedState
                           || socket.waitForConnected(timeoutMs);
    socket.abort();
    return connected;
}

SingleInstance::SingleInstance(std::unique_ptr<QLockFile> lock, const QString& name)
    : mLock(std::move(lock)), mPresence(name)
{
}

SingleInstance::~SingleInstance() = default;

std::unique_ptr<SingleInstance> SingleInstance::acquire(const QString& name)
{
    auto lock = std::make_unique<QLockFile>(programFolder() + QLatin1Char('/') + name
                                            + QStringLiteral(".lock"));
    // A running instance keeps its lock however long it runs: only a lock
    // whose process is gone counts as stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    std::unique_ptr<SingleInstance> instance(new SingleInstance(std::move(lock), name));
    (void)instance->mPresence.announce(true);
    return instance;
}

}  // namespace platform
