// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/link_source.h"

#include "platform/link/frames.h"
#include "platform/link/link_messages.h"
#include "platform/link/link_name.h"
#include "platform/system/local_server.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {

struct DeleteLater {
    void operator()(QObject* object) const { object->deleteLater(); }
};

// One client connection and the item it linked (empty key until it did).
struct Connection {
    std::unique_ptr<QLocalSocket, DeleteLater> socket;
    FrameReader reader;
    QString itemKey;
    bool linked = false;
    bool closing = false;  // refused or broken: closed from the event loop
};

}  // namespace

struct LinkSource::Impl {
    void accept();
    void received(Connection* connection);
    void drop(Connection* connection);
    void send(Connection& connection, const QString& item);
    void refuse(Connection& connection, const QString& item);
    void closeLater(Connection* connection);

    QString application;
    QString topic;
    QObject context;  // receiver of the sockets' signals
    std::unique_ptr<QLocalServer> server;
    std::map<QString, QString> texts;  // by item key
    std::vector<std::unique_ptr<Connection>> connections;
    bool anyItem = false;
};

void LinkSource::Impl::accept()
{
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        socket->setParent(nullptr);
        auto connection = std::make_unique<Connection>();
        connection->socket.reset(socket);
        Connection* raw = connection.get();
        QObject::connect(socket, &QLocalSocket::readyRead, &context, [this, raw] { received(raw); });
        QObject::connect(socket, &QLocalSocket::disconnected, &context, [this, raw] { drop(raw); });
        connections.push_back(std::move(connection));
        if (socket->bytesAvailable() > 0)
            received(raw);
    }
}

void LinkSource::Impl::received(Connection* connection)
{
    connection->reader.append(connection->socket->readAll());
    while (std::optional<QByteArray> payload = connection->reader.next()) {
        QDataStream in(*payload);
        in.setVersion(kFrameStreamVersion);
        quint8 kind = 0;
        QString item;
        in >> kind >> item;
        if (connection->closing)
            break;
        if (in.status() != QDataStream::Ok || kind != link_messages::Advise)
            continue;
        const QString key = linkKey(item);
        if (!anyItem && texts.find(key) == texts.end()) {
            refuse(*connection, item);
            continue;
        }
        connection->itemKey = key;
        connection->linked = true;
        send(*connection, item);
    }
    if (connection->reader.failed())
        connection->closing = true;
    if (connection->closing)
        closeLater(connection);
}

// Closing a socket can report its disconnection at once, which drops the
// connection; so it is never closed while its own data is being handled.
void LinkSource::Impl::closeLater(Connection* connection)
{
    QMetaObject::invokeMethod(
        &context,
        [this, connection] {
            const bool present = std::any_of(connections.begin(), connections.end(),
                                             [connection](const auto& c) { return c.get() == connection; });
            if (present)
                connection->socket->disconnectFromServer();
        },
        Qt::QueuedConnection);
}

// A socket reports its disconnection from inside a write or a flush to a
// client that has gone (one that linked and closed at once, as a probe
// does), that is while its own data is being handled: the connection is
// only marked here and goes from the event loop, never under the feet of
// the code that handles it.
void LinkSource::Impl::drop(Connection* connection)
{
    const auto found = std::find_if(connections.begin(), connections.end(),
                                    [connection](const auto& c) { return c.get() == connection; });
    if (found == connections.end())
        return;
    connection->closing = true;
    connection->linked = false;
    QMetaObject::invokeMethod(
        &context,
        [this, connection] {
            const auto gone = std::find_if(connections.begin(), connections.end(),
                                           [connection](const auto& c) { return c.get() == connection; });
            if (gone != connections.end())
                connections.erase(gone);
        },
        Qt::QueuedConnection);
}

void LinkSource::Impl::send(Connection& connection, const QString& item)
{
    const auto text = texts.find(connection.itemKey);
    PayloadWriter out;
    out.stream() << quint8(link_messages::Data) << item
                 << (text == texts.end() ? QString() : text->second);
    connection.socket->write(frame(out.bytes()));
    connection.socket->flush();
}

void LinkSource::Impl::refuse(Connection& connection, const QString& item)
{
    PayloadWriter out;
    out.stream() << quint8(link_messages::Refused) << item;
    connection.socket->write(frame(out.bytes()));
    connection.socket->flush();
    connection.linked = false;
    connection.closing = true;
}

LinkSource::LinkSource(QString application, QString topic) : d(std::make_unique<Impl>())
{
    d->application = std::move(application);
    d->topic = std::move(topic);
}

LinkSource::~LinkSource()
{
    // Hand what is still queued to the system, then end every link.
    for (const auto& connection : d->connections) {
        QObject::disconnect(connection->socket.get(), nullptr, &d->context, nullptr);
        connection->socket->flush();
        connection->socket->disconnectFromServer();
    }
    d->connections.clear();
    if (d->server)
        d->server->close();
}

bool LinkSource::listen()
{
    if (isListening())
        return true;
    const QString name = linkServerName(d->application, d->topic);
    auto server = std::make_unique<QLocalServer>();
    if (!listenTakingOverLeftover(*server, name))
        return false;
    QObject::connect(server.get(), &QLocalServer::newConnection, &d->context, [this] { d->accept(); });
    d->server = std::move(server);
    return true;
}

bool LinkSource::isListening() const
{
    return d->server && d->server->isListening();
}

void LinkSource::setServesAnyItem(bool any)
{
    d->anyItem = any;
}

void LinkSource::publish(const QString& item, const QString& text)
{
    const QString key = linkKey(item);
    d->texts[key] = text;
    for (const auto& connection : d->connections) {
        if (connection->linked && connection->itemKey == key)
            d->send(*connection, item);
    }
}

std::optional<QString> LinkSource::text(const QString& item) const
{
    const auto found = d->texts.find(linkKey(item));
    if (found == d->texts.end())
        return std::nullopt;
    return found->second;
}

int LinkSource::linkCount() const
{
    return static_cast<int>(std::count_if(d->connections.begin(), d->connections.end(),
                                          [](const auto& c) { return c->linked; }));
}

}  // namespace platform
