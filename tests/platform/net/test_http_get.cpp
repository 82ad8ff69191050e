// SPDX-License-Identifier: LicenseRef-Tavelcor
// httpGet and httpGetToFile against a local server: replies of any status
// with their bodies and charsets, refused connections, the time-out, and the
// file written only for a 200 reply.
#include "local_http_server.h"

#include "platform/net/http_get.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using platform::HttpFailure;
using testing_support::LocalHttpServer;

QUrl at(const LocalHttpServer& server, const char* target)
{
    return QUrl(server.base() + QString::fromLatin1(target));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(HttpGet, ReturnsStatusBodyAndTheTargetAsSent)
{
    LocalHttpServer server([](const QByteArray&) { return LocalHttpServer::Reply{200, "hello"}; });
    ASSERT_TRUE(server.isListening());
    const platform::HttpReply reply = platform::httpGet(at(server, "/a/b.php?x=1&y=%E6%9D%B1"));
    EXPECT_TRUE(reply.ok());
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "hello");
    ASSERT_EQ(server.targets().size(), 1);
    EXPECT_EQ(server.targets()[0], "/a/b.php?x=1&y=%E6%9D%B1");
}

TEST(HttpGet, AnErrorStatusIsAReplyWithItsBodyNotAFailure)
{
    LocalHttpServer server([](const QByteArray&) { return LocalHttpServer::Reply{404, "<h1>404</h1>"}; });
    const platform::HttpReply reply = platform::httpGet(at(server, "/missing"));
    EXPECT_TRUE(reply.replied());
    EXPECT_FALSE(reply.ok());
    EXPECT_EQ(reply.status, 404);
    EXPECT_EQ(reply.body, "<h1>404</h1>");
}

TEST(HttpGet, AStoppedServerIsANetworkFailure)
{
    LocalHttpServer server;
    const QUrl url = at(server, "/x");
    server.stop();
    const platform::HttpReply reply = platform::httpGet(url);
    EXPECT_EQ(reply.failure, HttpFailure::Network);
    EXPECT_EQ(reply.status, 0);
    EXPECT_FALSE(reply.errorText.isEmpty());
}

TEST(HttpGet, AServerThatNeverAnswersEndsAtTheTimeOut)
{
    LocalHttpServer server([](const QByteArray&) {
        LocalHttpServer::Reply reply;
        reply.hold = true;
        return reply;
    });
    QElapsedTimer clock;
    clock.start();
    const platform::HttpReply reply = platform::httpGet(at(server, "/slow"), {300});
    EXPECT_EQ(reply.failure, HttpFailure::TimedOut);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(server.targets().size(), 1);
}

TEST(HttpGet, AnAddressThatIsNotHttpSendsNothing)
{
    for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/x", "", "http://"}) {
        const platform::HttpReply reply = platform::httpGet(QUrl(QString::fromLatin1(address)));
        EXPECT_EQ(reply.failure, HttpFailure::BadAddress) << address;
    }
}

// Timers go on while the call waits: the windows keep painting.
TEST(HttpGet, TimersRunWhileWaiting)
{
    LocalHttpServer server([](const QByteArray&) {
        LocalHttpServer::Reply reply;
        reply.hold = true;
        return reply;
    });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    platform::httpGet(at(server, "/slow"), {400});
    EXPECT_GE(ticks, 3);
}

struct TextCase {
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString text;
};

TEST(BodyText, DecodesByTheCharsetOfTheReplyElseUtf8)
{
    const TextCase cases[] = {
        {"utf-8 named", "text/xml; charset=UTF-8", "\xE6\x9D\xB1", QStringLiteral("東")},
        {"quoted windows-31j", "text/plain; charset=\"Shift_JIS\"", "\x93\x8C", QStringLiteral("東")},
        {"none: utf-8", "application/json", "\xE6\x9D\xB1", QStringLiteral("東")},
        {"utf-8 byte order mark dropped", "text/plain", "\xEF\xBB\xBF" "a", QStringLiteral("a")},
        {"unknown charset: utf-8", "text/plain; charset=x-none", "ok", QStringLiteral("ok")},
    };
    for (const TextCase& c : cases) {
        LocalHttpServer server([&c](const QByteArray&) {
            LocalHttpServer::Reply reply;
            reply.body = c.body;
            reply.contentType = c.contentType;
            return reply;
        });
        EXPECT_EQ(platform::bodyText(platform::httpGet(at(server, "/t"))), c.text) << c.name;
    }
}

TEST(HttpGetToFile, WritesTheBodyOnlyForA200Reply)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("tile.png"));
    int status = 200;
    LocalHttpServer server([&status](const QByteArray&) { return LocalHttpServer::Reply{status, "PNGDATA"}; });

    platform::HttpReply reply = platform::httpGetToFile(at(server, "/t.png"), path);
    EXPECT_TRUE(reply.ok());
    EXPECT_TRUE(reply.body.isEmpty());
    EXPECT_EQ(readFile(path), "PNGDATA");

    status = 404;
    reply = platform::httpGetToFile(at(server, "/t.png"), path);
    EXPECT_EQ(reply.status, 404);
    EXPECT_EQ(readFile(path), "PNGDATA") << "an error page never replaces the file";
}

TEST(HttpGetToFile, AFileThatCannotBeWrittenIsAFailure)
{
    LocalHttpServer server([](const QByteArray&) { return LocalHttpServer::Reply{200, "x"}; });
    const platform::HttpReply reply =
        platform::httpGetToFile(at(server, "/t.png"), QStringLiteral("/nonexistent-folder-b2/t.png"));
    EXPECT_EQ(reply.failure, HttpFailure::FileWrite);
    EXPECT_EQ(reply.status, 200);
}

}  // namespace
