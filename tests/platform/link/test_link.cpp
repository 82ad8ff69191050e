// SPDX-License-Identifier: LicenseRef-Tavelcor
// A source and its clients over real local sockets, in one process: the
// event loop serves both ends.
#include "platform/link/link_client.h"
#include "platform/link/link_name.h"
#include "platform/link/link_source.h"

#include "scoped_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace platform {
namespace {

constexpr int kWaitMs = 3000;

// Each test has a program folder of its own, so its link names are its own.
class Link : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    // A client that records every text it receives and its closing.
    struct Recorder {
        std::unique_ptr<LinkClient> client;
        QStringList texts;
        bool closed = false;
    };
    std::unique_ptr<Recorder> linkTo(const QString& application, const QString& topic, const QString& item)
    {
        auto recorder = std::make_unique<Recorder>();
        recorder->client = LinkClient::open(application, topic, item);
        if (recorder->client) {
            Recorder* raw = recorder.get();
            recorder->client->Change = [raw](const QString& text) { raw->texts.append(text); };
            recorder->client->Closed = [raw] { raw->closed = true; };
        }
        return recorder;
    }

    QTemporaryDir home;
    testing_support::ScopedEnv env{"TAVELCOR_HOME", home.path()};
};

TEST_F(Link, OpeningWithoutSourceFailsAtOnce)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7")),
              nullptr);
    EXPECT_LT(clock.elapsed(), 500);
}

TEST_F(Link, ClientGetsTheCurrentTextAtOnceAndEveryUpdate)
{
    LinkSource source(QStringLiteral("FALDREN"), QStringLiteral("orbela_text7"));
    source.publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source.listen());

    // The topic and item written as the main program writes them.
    auto gps = linkTo(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7"));
    ASSERT_NE(gps->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 1; }, kWaitMs));
    EXPECT_EQ(gps->texts, QStringList{QStringLiteral("未接続")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 1; }, kWaitMs));

    const QStringList updates{QStringLiteral("準備中"), QStringLiteral("準備中"),
                              QStringLiteral("-123.456, 234.567, 45.123, 8 , 18:05:30 ,1 ,0.9 ,M ,36.7 ,M"),
                              QStringLiteral("中断")};
    for (const QString& text : updates)
        source.publish(QStringLiteral("TEXT7"), text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 5; }, kWaitMs));
    EXPECT_EQ(gps->texts, QStringList{QStringLiteral("未接続")} + updates);
    EXPECT_EQ(gps->client->text(), QStringLiteral("中断"));
    EXPECT_EQ(gps->client->updateCount(), 5);
    EXPECT_TRUE(gps->client->isLinked());
}

TEST_F(Link, EveryLinkedClientReceivesEveryChange)
{
    LinkSource source(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    source.publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source.listen());
    std::vector<std::unique_ptr<Recorder>> clients;
    for (int i = 0; i < 3; ++i) {
        clients.push_back(linkTo(QStringLiteral("faldren"), QStringLiteral("ORBELA_text7"), QStringLiteral("text7")));
        ASSERT_NE(clients.back()->client, nullptr);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 3; }, kWaitMs));
    source.publish(QStringLiteral("Text7"), QStringLiteral("1.000, 2.000, 3.000, 8 , 9:00:00 ,1 ,1 ,M ,0 ,M"));
    for (const auto& c : clients) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return c->texts.size() == 2; }, kWaitMs));
        EXPECT_EQ(c->texts.last(), source.text(QStringLiteral("TEXT7")).value_or(QString()));
    }
}

TEST_F(Link, OtherItemsDoNotReachTheClient)
{
    LinkSource source(QStringLiteral("App"), QStringLiteral("Topic"));
    source.publish(QStringLiteral("A"), QStringLiteral("a1"));
    source.publish(QStringLiteral("B"), QStringLiteral("b1"));
    ASSERT_TRUE(source.listen());
    auto a = linkTo(QStringLiteral("App"), QStringLiteral("Topic"), QStringLiteral("A"));
    ASSERT_NE(a->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !a->texts.isEmpty(); }, kWaitMs));
    // One connection keeps its order: had "b2" been sent to the client, it
    // would have come before "a2".
    source.publish(QStringLiteral("B"), QStringLiteral("b2"));
    source.publish(QStringLiteral("A"), QStringLiteral("a2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return a->texts.size() >= 2; }, kWaitMs));
    EXPECT_EQ(a->texts, (QStringList{QStringLiteral("a1"), QStringLiteral("a2")}));
}

TEST_F(Link, AnItemNeverPublishedIsRefused)
{
    LinkSource source(QStringLiteral("App"), QStringLiteral("Topic"));
    source.publish(QStringLiteral("Known"), QStringLiteral("x"));
    ASSERT_TRUE(source.listen());
    auto other = linkTo(QStringLiteral("App"), QStringLiteral("Topic"), QStringLiteral("Unknown"));
    ASSERT_NE(other->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return other->closed; }, kWaitMs));
    EXPECT_FALSE(other->client->isLinked());
    EXPECT_TRUE(other->texts.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 0; }, kWaitMs));
}

TEST_F(Link, ASourceOfAnyItemGivesEmptyTextForUnpublishedItems)
{
    LinkSource sheet(QStringLiteral("Excel"), QStringLiteral("境界"));
    sheet.setServesAnyItem(true);
    ASSERT_TRUE(sheet.listen());
    auto cell = linkTo(QStringLiteral("EXCEL"), QStringLiteral("境界"), QStringLiteral("R4C24"));
    ASSERT_NE(cell->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->texts.size() == 1; }, kWaitMs));
    EXPECT_EQ(cell->texts.front(), QString());
    sheet.publish(QStringLiteral("r4c24"), QStringLiteral("9999"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->texts.size() == 2; }, kWaitMs));
    EXPECT_EQ(cell->texts.last(), QStringLiteral("9999"));
}

TEST_F(Link, TextsPublishedJustBeforeTheSourceEndsArriveBeforeTheClose)
{
    auto source = std::make_unique<LinkSource>(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    source->publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source->listen());
    auto gps = linkTo(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7"));
    ASSERT_NE(gps->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return source->linkCount() == 1; }, kWaitMs));
    source->publish(QStringLiteral("Text7"), QStringLiteral("終了"));
    source.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->closed; }, kWaitMs));
    EXPECT_EQ(gps->texts, (QStringList{QStringLiteral("未接続"), QStringLiteral("終了")}));
    EXPECT_FALSE(gps->client->isLinked());
    EXPECT_EQ(LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7")),
              nullptr);
}

TEST_F(Link, ASecondSourceOfTheSameNameCannotServeWhileTheFirstLives)
{
    auto first = std::make_unique<LinkSource>(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    ASSERT_TRUE(first->listen());
    LinkSource second(QStringLiteral("faldren"), QStringLiteral("orbela_text7"));
    EXPECT_FALSE(second.listen());
    first.reset();
    EXPECT_TRUE(second.listen());
}

TEST_F(Link, TheNameOfACrashedSourceIsTakenOver)
{
    // A socket file that no process listens on any more.
    const QString name = linkServerName(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    const QByteArray path = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
    struct RemoveAtEnd {
        QString name;
        ~RemoveAtEnd() { QLocalServer::removeServer(name); }
    } removeAtEnd{name};
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);

    LinkSource source(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    source.publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source.listen());
    auto gps = linkTo(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7"));
    ASSERT_NE(gps->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gps->texts.size() == 1; }, kWaitMs));
}

TEST_F(Link, ProgramsOfAnotherFolderDoNotMeet)
{
    LinkSource source(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    source.publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source.listen());
    QTemporaryDir elsewhere;
    testing_support::ScopedEnv other("TAVELCOR_HOME", elsewhere.path());
    EXPECT_EQ(LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7")),
              nullptr);
}

TEST_F(Link, AChangeHandlerMayEndItsOwnLink)
{
    LinkSource source(QStringLiteral("App"), QStringLiteral("Topic"));
    source.publish(QStringLiteral("Item"), QStringLiteral("one"));
    ASSERT_TRUE(source.listen());
    std::unique_ptr<LinkClient> client = LinkClient::open(QStringLiteral("App"), QStringLiteral("Topic"),
                                                          QStringLiteral("Item"));
    ASSERT_NE(client, nullptr);
    int changes = 0;
    client->Change = [&](const QString&) {
        ++changes;
        client.reset();
    };
    source.publish(QStringLiteral("Item"), QStringLiteral("two"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return client == nullptr; }, kWaitMs));
    source.publish(QStringLiteral("Item"), QStringLiteral("three"));
    // Events run until the source has seen the link end: a change that still
    // reached the ended link would have been counted by then.
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 0; }, kWaitMs));
    EXPECT_EQ(changes, 1);
}

// Clients that link and close at once (a program probing whether the
// source runs): the source answers each into a socket whose peer is gone,
// which reports the end from inside the answer; the source goes on serving
// the clients that stay, and publishing to links that broke meanwhile does
// no harm. Under the address sanitizer a connection freed while it was being
// answered is an error.
TEST_F(Link, ProbesThatCloseAtOnceLeaveTheSourceServing)
{
    LinkSource source(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
    source.publish(QStringLiteral("Text7"), QStringLiteral("未接続"));
    ASSERT_TRUE(source.listen());
    auto stays = linkTo(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7"));
    ASSERT_NE(stays->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 1; }, kWaitMs));
    for (int i = 0; i < 20; ++i) {
        auto probe = LinkClient::open(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"),
                                      QStringLiteral("Text7"));
        ASSERT_NE(probe, nullptr);
        probe.reset();
        if (i % 2 == 0)
            source.publish(QStringLiteral("Text7"), QStringLiteral("準備中%1").arg(i));
        QTest::qWait(i % 3 == 0 ? 0 : 5);
    }
    auto later = linkTo(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"), QStringLiteral("Text7"));
    ASSERT_NE(later->client, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return later->texts.size() == 1; }, kWaitMs));
    EXPECT_EQ(later->texts.value(0), QStringLiteral("準備中18"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return source.linkCount() == 2; }, kWaitMs)) << source.linkCount();
    source.publish(QStringLiteral("Text7"), QStringLiteral("中断"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return stays->texts.size() == 12; }, kWaitMs));
    EXPECT_EQ(stays->texts.last(), QStringLiteral("中断"));
    EXPECT_FALSE(stays->closed);
}

}  // namespace
}  // namespace platform
