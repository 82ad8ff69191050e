// SPDX-License-Identifier: LicenseRef-Tavelcor
// A blocking HTTP GET, as the program's web requests expect it: the call
// returns when the reply has arrived, the request has failed or the time-out
// has passed. Inside, QNetworkAccessManager runs in a local event loop, so
// the windows keep painting and timers keep running meanwhile; input events
// (keys, clicks) wait until the call returns.
//
// The reply is reported whatever its status: a 404 page is a reply with
// status 404 and its body, not a failure. A failure is the absence of a
// reply (no connection, a refused or broken connection, the time-out, an
// address that is no HTTP address) or, for the file form, a body that could
// not be written. Needs a QCoreApplication. QtCore and QtNetwork only.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace platform {

/// Why a request brought no usable reply.
enum class HttpFailure {
    None,        ///< a reply arrived (any status)
    BadAddress,  ///< not an http or https address
    Network,     ///< no connection, refused, reset, host not found, TLS
    TimedOut,    ///< no complete reply within the time-out
    FileWrite,   ///< (file form) the body could not be written
};

struct HttpOptions {
    /// Longest wait for the whole reply, in milliseconds (> 0).
    int timeoutMs = 20000;
};

struct HttpReply {
    HttpFailure failure = HttpFailure::None;
    /// The HTTP status of the reply; 0 when none arrived.
    int status = 0;
    /// The body of the reply (empty for the file form).
    QByteArray body;
    /// The charset named by the reply's Content-Type ("" when none).
    QByteArray charset;
    /// Qt's words for a failure, for a log; "" without one.
    QString errorText;

    bool replied() const { return failure == HttpFailure::None; }
    bool ok() const { return replied() && status == 200; }
};

/// GETs `url` and returns the reply with its body.
HttpReply httpGet(const QUrl& url, const HttpOptions& options = {});

/// The body as text: decoded by the charset of the reply's Content-Type,
/// else as UTF-8 (a byte order mark dropped).
QString bodyText(const HttpReply& reply);

/// GETs `url` and writes the body to the file `path` (replaced atomically)
/// when the status is 200; other statuses leave the file untouched. The
/// reply's body is not kept. A failed write gives HttpFailure::FileWrite.
HttpReply httpGetToFile(const QUrl& url, const QString& path, const HttpOptions& options = {});

}  // namespace platform
