// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/net/http_get.h"

#include "platform/system/files.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>

#include <memory>

namespace platform {
namespace {

// One manager for the program's requests, so that connections to a host are
// kept and reused from one tile to the next. It belongs to the application
// object and goes with it.
QNetworkAccessManager& manager()
{
    static QPointer<QNetworkAccessManager> shared;
    if (!shared)
        shared = new QNetworkAccessManager(QCoreApplication::instance());
    return *shared;
}

// The reply is deleted as soon as its request is done with: the waiting loop
// has ended by then, so no signal of the reply is being delivered, and a
// request aborted at its time-out leaves nothing behind for a later event
// loop to clean up.
struct ReplyDeleter {
    void operator()(QNetworkReply* reply) const { delete reply; }
};

QByteArray charsetOf(const QNetworkReply& reply)
{
    const QByteArray type = reply.header(QNetworkRequest::ContentTypeHeader).toByteArray();
    for (const QByteArray& part : type.split(';')) {
        const QByteArray item = part.trimmed();
        if (item.toLower().startsWith("charset=")) {
            QByteArray name = item.mid(8).trimmed();
            if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
                name = name.mid(1, name.size() - 2);
            return name;
        }
    }
    return {};
}

bool isHttpAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == u"http" || scheme == u"https");
}

// Waits for the reply within the time-out; true when it finished in time.
bool waitFor(QNetworkReply& reply, const HttpOptions& options)
{
    if (reply.isFinished())
        return true;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    deadline.start(options.timeoutMs > 0 ? options.timeoutMs : 1);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (timedOut && !reply.isFinished()) {
        // Aborting finishes the reply at once; its error is not reported.
        QObject::disconnect(&reply, nullptr, &loop, nullptr);
        reply.abort();
        return false;
    }
    return true;
}

}  // namespace

HttpReply httpGet(const QUrl& url, const HttpOptions& options)
{
    HttpReply result;
    if (!isHttpAddress(url)) {
        result.failure = HttpFailure::BadAddress;
        result.errorText = QStringLiteral("not an http address: ") + url.toString();
        return result;
    }
    QNetworkRequest request(url);
    const std::unique_ptr<QNetworkReply, ReplyDeleter> reply(manager().get(request));
    if (!waitFor(*reply, options)) {
        result.failure = HttpFailure::TimedOut;
        result.errorText = QStringLiteral("no reply within %1 ms").arg(options.timeoutMs);
        return result;
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (result.status <= 0) {
        // No HTTP reply at all: the connection failed.
        result.status = 0;
        result.failure = HttpFailure::Network;
        result.errorText = reply->errorString();
        return result;
    }
    result.body = reply->readAll();
    result.charset = charsetOf(*reply);
    return result;
}

QString bodyText(const HttpReply& reply)
{
    if (!reply.charset.isEmpty()) {
        QStringDecoder decoder(reply.charset.constData());
        if (decoder.isValid())
            return decoder.decode(reply.body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    return utf8.decode(reply.body);
}

HttpReply httpGetToFile(const QUrl& url, const QString& path, const HttpOptions& options)
{
    HttpReply result = httpGet(url, options);
    if (result.ok() && !writeFileAtomically(path, result.body)) {
        result.failure = HttpFailure::FileWrite;
        result.errorText = QStringLiteral("cannot write ") + path;
    }
    result.body.clear();
    return result;
}

}  // namespace platform
