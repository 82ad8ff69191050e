// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/workbook/workbook.h"

#include "platform/link/frames.h"
#include "platform/system/local_server.h"
#include "platform/workbook/workbook_messages.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace platform {

namespace wm = workbook_messages;

QString workbookServerName()
{
    return QStringLiteral("tavelcor-workbook-") + userFolderKey();
}

struct Workbook::Impl {
    // The open workbooks and the index of the active one (-1: none).
    struct WorkbookList {
        QStringList names;
        qint32 active = -1;
    };

    // The reply payload after its status byte, or nullopt (error set).
    std::optional<QByteArray> request(const QByteArray& payload, int timeoutMs);
    // The peer's list of open workbooks, or nullopt (error set).
    std::optional<WorkbookList> workbooks();
    void detach(const QString& why);

    QLocalSocket socket;
    FrameReader reader;
    QString error;
    int requestMs = 5000;
    int runMs = 60000;
};

void Workbook::Impl::detach(const QString& why)
{
    error = why;
    socket.abort();
}

std::optional<QByteArray> Workbook::Impl::request(const QByteArray& payload, int timeoutMs)
{
    if (socket.state() != QLocalSocket::ConnectedState) {
        error = QStringLiteral("the spreadsheet program is not attached");
        return std::nullopt;
    }
    socket.write(frame(payload));
    socket.flush();
    const QDeadlineTimer deadline(timeoutMs);
    std::optional<QByteArray> reply = reader.next();
    while (!reply) {
        if (reader.failed()) {
            detach(QStringLiteral("the spreadsheet program sent a message that is not understood"));
            return std::nullopt;
        }
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            detach(socket.state() == QLocalSocket::ConnectedState
                       ? QStringLiteral("the spreadsheet program did not answer in time")
                       : QStringLiteral("the spreadsheet program went away"));
            return std::nullopt;
        }
        reader.append(socket.readAll());
        reply = reader.next();
    }
    if (reply->isEmpty()) {
        error = QStringLiteral("empty answer");
        return std::nullopt;
    }
    if (static_cast<quint8>(reply->at(0)) != wm::Ok) {
        QDataStream in(reply->sliced(1));
        in.setVersion(kFrameStreamVersion);
        QString why;
        in >> why;
        error = why.isEmpty() ? QStringLiteral("the request failed") : why;
        return std::nullopt;
    }
    error.clear();
    return reply->sliced(1);
}

namespace {

// Reads the values of a reply; false when it does not hold them.
template <class... T>
bool readReply(const QByteArray& reply, QString& error, T&... values)
{
    QDataStream in(reply);
    in.setVersion(kFrameStreamVersion);
    (in >> ... >> values);
    if (in.status() != QDataStream::Ok) {
        error = QStringLiteral("the answer is not understood");
        return false;
    }
    return true;
}

}  // namespace

std::optional<Workbook::Impl::WorkbookList> Workbook::Impl::workbooks()
{
    PayloadWriter out;
    out.stream() << quint8(wm::Workbooks);
    const auto reply = request(out.bytes(), requestMs);
    WorkbookList list;
    if (!reply || !readReply(*reply, error, list.names, list.active))
        return std::nullopt;
    return list;
}

Workbook::Workbook() : d(std::make_unique<Impl>()) {}

Workbook::~Workbook()
{
    d->socket.abort();
}

std::unique_ptr<Workbook> Workbook::attach(int timeoutMs)
{
    std::unique_ptr<Workbook> workbook(new Workbook());
    workbook->d->socket.connectToServer(workbookServerName());
    if (workbook->d->socket.state() != QLocalSocket::ConnectedState
        && !workbook->d->socket.waitForConnected(timeoutMs))
        return nullptr;
    return workbook;
}

void Workbook::setTimeouts(int requestMs, int runMs)
{
    d->requestMs = requestMs;
    d->runMs = runMs;
}

std::optional<QStringList> Workbook::workbookNames()
{
    std::optional<Impl::WorkbookList> list = d->workbooks();
    if (!list)
        return std::nullopt;
    return std::move(list->names);
}

std::optional<QString> Workbook::activeWorkbook()
{
    const std::optional<Impl::WorkbookList> list = d->workbooks();
    if (!list)
        return std::nullopt;
    if (list->active < 0 || list->active >= list->names.size()) {
        d->error = QStringLiteral("no workbook is open");
        return std::nullopt;
    }
    return list->names[list->active];
}

std::optional<QStringList> Workbook::worksheetNames()
{
    PayloadWriter out;
    out.stream() << quint8(wm::Worksheets);
    const auto reply = d->request(out.bytes(), d->requestMs);
    QStringList names;
    if (!reply || !readReply(*reply, d->error, names))
        return std::nullopt;
    return names;
}

bool Workbook::setVisible(bool visible)
{
    PayloadWriter out;
    out.stream() << quint8(wm::SetVisible) << visible;
    return d->request(out.bytes(), d->requestMs).has_value();
}

MacroOutcome Workbook::run(const QString& name, const QVariantList& arguments)
{
    PayloadWriter out;
    out.stream() << quint8(wm::Run) << name << arguments;
    MacroOutcome outcome;
    const auto reply = d->request(out.bytes(), d->runMs);
    if (reply && readReply(*reply, d->error, outcome.value))
        outcome.ok = true;
    else
        outcome.error = d->error;
    return outcome;
}

std::optional<QString> Workbook::cellText(const QString& sheet, const QString& cell)
{
    PayloadWriter out;
    out.stream() << quint8(wm::Cell) << sheet << cell;
    const auto reply = d->request(out.bytes(), d->requestMs);
    QString text;
    if (!reply || !readReply(*reply, d->error, text))
        return std::nullopt;
    return text;
}

const QString& Workbook::errorString() const
{
    return d->error;
}

bool Workbook::isAttached() const
{
    return d->socket.state() == QLocalSocket::ConnectedState;
}

std::unique_ptr<LinkClient> linkCell(const QString& sheet, const QString& cell, int timeoutMs)
{
    return LinkClient::open(kWorkbookApplication.toString(), sheet, cell, timeoutMs);
}

}  // namespace platform
