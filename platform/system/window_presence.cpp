// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/window_presence.h"

#include "platform/system/folders.h"
#include "platform/system/local_server.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QUrl>

#include <utility>

namespace platform {

QString presenceServerName(const QString& title)
{
    return QStringLiteral("tavelcor-%1-%2")
        .arg(userFolderKey(), QString::fromLatin1(QUrl::toPercentEncoding(title)));
}

WindowPresence::WindowPresence(QString title) : mTitle(std::move(title)) {}

WindowPresence::~WindowPresence() = default;

bool WindowPresence::announce(bool takeOverStale)
{
    if (isAnnounced())
        return true;
    const QString name = presenceServerName(mTitle);
    auto server = std::make_unique<QLocalServer>();
    // The name is the user's own (it holds the user id), and a socket that
    // others cannot write to cannot be connected to by them. Whoever
    // connects only wants to know that the server is there.
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [raw = server.get()] {
        while (QLocalSocket* socket = raw->nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
        }
    });
    // A plain listen fails on a name in use, live or left over.
    const bool listening = takeOverStale ? listenTakingOverLeftover(*server, name) : server->listen(name);
    if (!listening)
        return false;
    mServer = std::move(server);
    return true;
}

bool WindowPresence::isAnnounced() const
{
    return mServer && mServer->isListening();
}

bool windowTitledExists(const QString& title, int timeoutMs)
{
    return localServerAnswers(presenceServerName(title), timeoutMs);
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
