// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/window_presence.h"

#include "platform/system/folders.h"
#include "platform/system/local_server.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QUrl>

#include <utility>

#include <cerrno>
#include <csignal>

namespace platform {

namespace {

// How long a title announced by another instance may take to answer.
constexpr int kTitleProbeMs = 500;

// True when the lock is held by a process that still runs (on this machine,
// or on another one, which cannot be asked). A lock whose holder cannot be
// read counts as held.
bool heldByALiveProcess(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return true;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

}  // namespace

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
    if (lock->tryLock(0)) {
        std::unique_ptr<SingleInstance> instance(new SingleInstance(std::move(lock), name));
        (void)instance->mPresence.announce(true);
        return instance;
    }
    if (lock->error() == QLockFile::LockFailedError && heldByALiveProcess(*lock))
        return nullptr;
    // The folder cannot be written (or a dead holder's lock cannot be
    // removed from it): the announced title is the only sign of another
    // instance. A title that answers is never taken over.
    std::unique_ptr<SingleInstance> instance(new SingleInstance(nullptr, name));
    if (!instance->mPresence.announce(true) && windowTitledExists(name, kTitleProbeMs))
        return nullptr;
    return instance;
}

QString programFolderNotWritableMessage(const QString& folder)
{
    return QStringLiteral("プログラムフォルダ %1 に書き込めません。設定は保存されません。").arg(folder);
}

}  // namespace platform
