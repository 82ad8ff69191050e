// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the tests of the web requests.
// It runs on the test's own thread: the blocking GET waits in a local event
// loop, which serves the server's sockets as well. Every request's target
// (path and query, as sent) is recorded in order; a handler chosen by the
// test answers each one. Nothing leaves the machine.

#include <QByteArray>
#include <QHostAddress>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <utility>

namespace testing_support {

class LocalHttpServer : public QObject {
public:
    /// What the server does with one request.
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain; charset=utf-8";
        /// Never answer (the client's time-out must end the wait).
        bool hold = false;
    };
    using Handler = std::function<Reply(const QByteArray& target)>;

    explicit LocalHttpServer(Handler handler = {}) : mHandler(std::move(handler))
    {
        connect(&mServer, &QTcpServer::newConnection, this, [this] { accept(); });
        mServer.listen(QHostAddress::LocalHost, 0);
    }

    bool isListening() const { return mServer.isListening(); }

    /// "http://127.0.0.1:<port>", the base address the services are given.
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

    void setHandler(Handler handler) { mHandler = std::move(handler); }

    /// Request targets in the order they arrived ("/xyz/std/17/1/2.png").
    const QList<QByteArray>& targets() const { return mTargets; }
    void clearTargets() { mTargets.clear(); }

    /// Stops listening and drops open connections: later requests to this
    /// port are refused.
    void stop()
    {
        mServer.close();
        for (QTcpSocket* socket : findChildren<QTcpSocket*>())
            socket->abort();
    }

private:
    int port() const { return mServer.serverPort(); }

    void accept()
    {
        while (QTcpSocket* socket = mServer.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                mPending.remove(socket);
                socket->deleteLater();
            });
        }
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& pending = mPending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = pending.left(end);
        pending.clear();
        const QList<QByteArray> firstLine = head.left(head.indexOf("\r\n")).split(' ');
        const QByteArray target = firstLine.size() >= 2 ? firstLine[1] : QByteArray();
        mTargets.append(target);
        const Reply reply = mHandler ? mHandler(target) : Reply{404, "not found"};
        if (reply.hold)
            return;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " Status\r\n";
        out += "Content-Type: " + reply.contentType + "\r\n";
        out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        out += "Connection: close\r\n\r\n";
        out += reply.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    QTcpServer mServer;
    Handler mHandler;
    QList<QByteArray> mTargets;
    QHash<QTcpSocket*, QByteArray> mPending;
};

}  // namespace testing_support
