// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/workbook/workbook_peer.h"

#include "platform/link/frames.h"
#include "platform/link/link_name.h"
#include "platform/link/link_source.h"
#include "platform/system/local_server.h"
#include "platform/workbook/workbook.h"
#include "platform/workbook/workbook_messages.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <algorithm>
#include <map>
#include <mutex>

namespace platform {

namespace wm = workbook_messages;

namespace {

// One attached program.
struct Connection {
    std::unique_ptr<QLocalSocket> socket;
    FrameReader reader;
};

}  // namespace

struct WorkbookPeer::Impl {
    // What any thread may set or read, under the lock.
    mutable std::mutex lock;
    QStringList workbooks;
    int active = -1;
    QStringList sheets;
    std::map<QString, MacroHandler> macros;                  // by name key
    std::map<QString, std::map<QString, QString>> cells;     // sheet key -> cell key -> text
    std::map<QString, QString> sheetNames;                   // sheet key -> name as given
    std::vector<MacroCall> calls;
    bool visible = false;

    // Lives on the peer's thread.
    QThread thread;
    std::unique_ptr<QObject> context;
    std::unique_ptr<QLocalServer> server;
    std::vector<std::unique_ptr<Connection>> connections;
    std::map<QString, std::unique_ptr<LinkSource>> sources;  // by sheet key
    bool failed = false;

    void inThread(const std::function<void()>& work);
    bool listen();
    void stop();
    void serveSheet(const QString& sheet);
    void accept();
    void received(Connection* connection);
    QByteArray answer(const QByteArray& request);
    QByteArray runMacro(QDataStream& in);
    QByteArray readCell(QDataStream& in);
};

namespace {

QByteArray okReply()
{
    PayloadWriter out;
    out.stream() << quint8(wm::Ok);
    return out.bytes();
}

QByteArray failedReply(const QString& why)
{
    PayloadWriter out;
    out.stream() << quint8(wm::Failed) << why;
    return out.bytes();
}

}  // namespace

// Runs `work` on the peer's thread and waits for it.
void WorkbookPeer::Impl::inThread(const std::function<void()>& work)
{
    if (!thread.isRunning() || !context)
        return;
    if (QThread::currentThread() == &thread)
        work();
    else
        QMetaObject::invokeMethod(context.get(), work, Qt::BlockingQueuedConnection);
}

bool WorkbookPeer::Impl::listen()
{
    server = std::make_unique<QLocalServer>();
    if (!listenTakingOverLeftover(*server, workbookServerName())) {
        server.reset();
        return false;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, context.get(), [this] { accept(); });
    QStringList toServe;
    {
        std::lock_guard guard(lock);
        toServe = sheets;
        for (const auto& sheet : sheetNames)
            toServe.append(sheet.second);
    }
    for (const QString& sheet : toServe)
        serveSheet(sheet);
    return !failed;
}

void WorkbookPeer::Impl::stop()
{
    for (auto& connection : connections) {
        QObject::disconnect(connection->socket.get(), nullptr, context.get(), nullptr);
        connection->socket->abort();
    }
    connections.clear();
    sources.clear();
    server.reset();
}

void WorkbookPeer::Impl::serveSheet(const QString& sheet)
{
    const QString key = linkKey(sheet);
    if (sources.count(key) > 0)
        return;
    auto source = std::make_unique<LinkSource>(kWorkbookApplication.toString(), sheet);
    source->setServesAnyItem(true);
    {
        std::lock_guard guard(lock);
        for (const auto& cell : cells[key])
            source->publish(cell.first, cell.second);
    }
    if (!source->listen())
        failed = true;
    sources[key] = std::move(source);
}

void WorkbookPeer::Impl::accept()
{
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        socket->setParent(nullptr);
        auto connection = std::make_unique<Connection>();
        connection->socket.reset(socket);
        Connection* raw = connection.get();
        QObject::connect(socket, &QLocalSocket::readyRead, context.get(), [this, raw] { received(raw); });
        QObject::connect(socket, &QLocalSocket::disconnected, context.get(), [this, raw] {
            QMetaObject::invokeMethod(
                context.get(),
                [this, raw] {
                    std::erase_if(connections, [raw](const auto& c) { return c.get() == raw; });
                },
                Qt::QueuedConnection);
        });
        connections.push_back(std::move(connection));
        if (socket->bytesAvailable() > 0)
            received(raw);
    }
}

void WorkbookPeer::Impl::received(Connection* connection)
{
    connection->reader.append(connection->socket->readAll());
    while (std::optional<QByteArray> request = connection->reader.next()) {
        connection->socket->write(frame(answer(*request)));
        connection->socket->flush();
    }
}

QByteArray WorkbookPeer::Impl::answer(const QByteArray& request)
{
    QDataStream in(request);
    in.setVersion(kFrameStreamVersion);
    quint8 kind = 0;
    in >> kind;
    switch (kind) {
    case wm::Workbooks: {
        std::lock_guard guard(lock);
        PayloadWriter out;
        out.stream() << quint8(wm::Ok) << workbooks << qint32(active);
        return out.bytes();
    }
    case wm::Worksheets: {
        std::lock_guard guard(lock);
        if (active < 0 || active >= workbooks.size())
            return failedReply(QStringLiteral("no workbook is open"));
        PayloadWriter out;
        out.stream() << quint8(wm::Ok) << sheets;
        return out.bytes();
    }
    case wm::SetVisible: {
        bool show = false;
        in >> show;
        std::lock_guard guard(lock);
        visible = show;
        return okReply();
    }
    case wm::Run: return runMacro(in);
    case wm::Cell: return readCell(in);
    default: return failedReply(QStringLiteral("unknown request"));
    }
}

QByteArray WorkbookPeer::Impl::runMacro(QDataStream& in)
{
    QString name;
    QVariantList arguments;
    in >> name >> arguments;
    if (in.status() != QDataStream::Ok)
        return failedReply(QStringLiteral("malformed macro call"));
    MacroHandler handler;
    {
        std::lock_guard guard(lock);
        calls.push_back(MacroCall{name, arguments});
        if (active < 0 || active >= workbooks.size())
            return failedReply(QStringLiteral("no workbook is open"));
        const auto found = macros.find(linkKey(name));
        if (found == macros.end())
            return failedReply(QStringLiteral("the macro %1 cannot be found").arg(name));
        handler = found->second;
    }
    const MacroReply reply = handler ? handler(arguments) : MacroReply{};
    if (!reply.ok)
        return failedReply(reply.error.isEmpty() ? QStringLiteral("the macro failed") : reply.error);
    PayloadWriter out;
    out.stream() << quint8(wm::Ok) << reply.value;
    return out.bytes();
}

QByteArray WorkbookPeer::Impl::readCell(QDataStream& in)
{
    QString sheet;
    QString cell;
    in >> sheet >> cell;
    std::lock_guard guard(lock);
    const QString sheetKey = linkKey(sheet);
    const bool known = sheetNames.count(sheetKey) > 0
                       || std::any_of(sheets.begin(), sheets.end(),
                                      [&](const QString& s) { return linkKey(s) == sheetKey; });
    if (!known)
        return failedReply(QStringLiteral("the sheet %1 does not exist").arg(sheet));
    const auto& sheetCells = cells[sheetKey];
    const auto found = sheetCells.find(linkKey(cell));
    PayloadWriter out;
    out.stream() << quint8(wm::Ok) << (found == sheetCells.end() ? QString() : found->second);
    return out.bytes();
}

WorkbookPeer::WorkbookPeer() : d(std::make_unique<Impl>()) {}

WorkbookPeer::~WorkbookPeer()
{
    if (d->thread.isRunning()) {
        d->inThread([this] { d->stop(); });
        d->thread.quit();
        d->thread.wait();
    }
    // The thread has ended: its objects take no more events.
    d->context.reset();
}

bool WorkbookPeer::start()
{
    if (d->thread.isRunning())
        return d->server != nullptr;
    d->context = std::make_unique<QObject>();
    d->context->moveToThread(&d->thread);
    d->thread.start();
    bool listening = false;
    d->inThread([this, &listening] { listening = d->listen(); });
    return listening;
}

void WorkbookPeer::setWorkbooks(const QStringList& names, int active)
{
    std::lock_guard guard(d->lock);
    d->workbooks = names;
    d->active = active;
}

void WorkbookPeer::setWorksheets(const QStringList& names)
{
    {
        std::lock_guard guard(d->lock);
        d->sheets = names;
    }
    d->inThread([this, names] {
        for (const QString& sheet : names)
            d->serveSheet(sheet);
    });
}

void WorkbookPeer::setMacro(const QString& name, MacroHandler handler)
{
    std::lock_guard guard(d->lock);
    d->macros[linkKey(name)] = std::move(handler);
}

void WorkbookPeer::setCell(const QString& sheet, const QString& cell, const QString& text)
{
    {
        std::lock_guard guard(d->lock);
        d->sheetNames.emplace(linkKey(sheet), sheet);
        d->cells[linkKey(sheet)][linkKey(cell)] = text;
    }
    d->inThread([this, sheet, cell, text] {
        d->serveSheet(sheet);
        d->sources[linkKey(sheet)]->publish(cell, text);
    });
}

std::vector<MacroCall> WorkbookPeer::calls() const
{
    std::lock_guard guard(d->lock);
    return d->calls;
}

bool WorkbookPeer::isVisible() const
{
    std::lock_guard guard(d->lock);
    return d->visible;
}

}  // namespace platform
