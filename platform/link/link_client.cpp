// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/link_client.h"

#include "platform/link/frames.h"
#include "platform/link/link_messages.h"
#include "platform/link/link_name.h"

#include <QLocalSocket>
#include <QObject>

namespace platform {

struct LinkClient::Impl {
    explicit Impl(LinkClient& owner) : owner(owner) {}

    void received();
    void ended();
    // False when the handler destroyed the client.
    bool deliver(const QString& newText);

    LinkClient& owner;
    QObject context;  // receiver of the socket's signals
    QLocalSocket socket;
    FrameReader reader;
    QString item;
    QString text;
    int updates = 0;
    bool linked = true;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

bool LinkClient::Impl::deliver(const QString& newText)
{
    text = newText;
    ++updates;
    if (!owner.Change)
        return true;
    const std::weak_ptr<bool> stillAlive = alive;
    const auto handler = owner.Change;
    handler(newText);
    return !stillAlive.expired();
}

void LinkClient::Impl::received()
{
    reader.append(socket.readAll());
    while (std::optional<QByteArray> payload = reader.next()) {
        QDataStream in(*payload);
        in.setVersion(kFrameStreamVersion);
        quint8 kind = 0;
        QString name;
        in >> kind >> name;
        if (in.status() != QDataStream::Ok || !sameLinkName(name, item))
            continue;
        if (kind == link_messages::Refused) {
            ended();
            return;
        }
        if (kind != link_messages::Data)
            continue;
        QString newText;
        in >> newText;
        if (in.status() == QDataStream::Ok && !deliver(newText))
            return;
    }
    if (reader.failed())
        ended();
}

void LinkClient::Impl::ended()
{
    if (!linked)
        return;
    linked = false;
    QObject::disconnect(&socket, nullptr, &context, nullptr);
    socket.abort();
    if (owner.Closed) {
        const auto handler = owner.Closed;
        handler();
    }
}

LinkClient::LinkClient() : d(std::make_unique<Impl>(*this)) {}

LinkClient::~LinkClient()
{
    *d->alive = false;
    QObject::disconnect(&d->socket, nullptr, &d->context, nullptr);
    d->socket.abort();
}

std::unique_ptr<LinkClient> LinkClient::open(const QString& application, const QString& topic,
                                             const QString& item, int timeoutMs)
{
    std::unique_ptr<LinkClient> client(new LinkClient());
    Impl& d = *client->d;
    d.item = item;
    d.socket.connectToServer(linkServerName(application, topic));
    if (d.socket.state() != QLocalSocket::ConnectedState && !d.socket.waitForConnected(timeoutMs))
        return nullptr;
    QObject::connect(&d.socket, &QLocalSocket::readyRead, &d.context, [&d] { d.received(); });
    QObject::connect(&d.socket, &QLocalSocket::disconnected, &d.context, [&d] {
        // Texts that came just before the end are still delivered.
        const std::weak_ptr<bool> stillAlive = d.alive;
        if (d.socket.bytesAvailable() > 0)
            d.received();
        if (!stillAlive.expired())
            d.ended();
    });
    PayloadWriter out;
    out.stream() << quint8(link_messages::Advise) << item;
    d.socket.write(frame(out.bytes()));
    d.socket.flush();
    return client;
}

const QString& LinkClient::text() const
{
    return d->text;
}

int LinkClient::updateCount() const
{
    return d->updates;
}

bool LinkClient::isLinked() const
{
    return d->linked;
}

const QString& LinkClient::item() const
{
    return d->item;
}

}  // namespace platform
