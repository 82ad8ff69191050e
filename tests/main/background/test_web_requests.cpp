// SPDX-License-Identifier: LicenseRef-Tavelcor
// GetElevation and Geocode against a local HTTP server: what the server is
// asked, what comes back, and the failures (a stopped server, no answer
// within the time-out, an error status).
#include "local_http_server.h"

#include "main/background/web_requests.h"
#include "main/background/web_services.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

using testing_support::LocalHttpServer;

class WebRequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        saved = webServices();
        webServices().elevationBase = server.base();
        webServices().geocodeBase = server.base();
        webServices().timeoutMs = 500;
    }

    void TearDown() override { webServices() = saved; }

    void answer(QByteArray body, int status = 200)
    {
        server.setHandler([body, status](const QByteArray&) { return LocalHttpServer::Reply{status, body}; });
    }

    void holdEveryRequest()
    {
        server.setHandler([](const QByteArray&) {
            LocalHttpServer::Reply reply;
            reply.hold = true;
            return reply;
        });
    }

    LocalHttpServer server;
    WebServices saved;
};

TEST_F(WebRequestTest, ElevationAsksThePointAndGivesTheHeightText)
{
    answer(R"({"elevation":123.4,"hsrc":"5m（レーザ）"})");
    const ElevationResult result = GetElevation(139.7671, 35.6812);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.text, QStringLiteral("123.4"));
    EXPECT_EQ(server.targets(),
              QList<QByteArray>{"/general/dem/scripts/getelevation.php?lon=139.7671&lat=35.6812&outtype=JSON"});
}

TEST_F(WebRequestTest, ElevationFailuresAreMinus9999)
{
    const struct {
        const char* name;
        QByteArray body;
        int status;
    } rows[] = {
        {"no height at the point", R"({"elevation":"-----","hsrc":"-----"})", 200},
        {"error page with a number after its colon", "Error: 500 internal", 500},
        {"empty reply", "", 200},
    };
    for (const auto& row : rows) {
        answer(row.body, row.status);
        const ElevationResult result = GetElevation(139.0, 35.0);
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_EQ(result.value(), kElevationFailed) << row.name;
    }
}

TEST_F(WebRequestTest, ElevationWithoutAnAnswerWithinTheTimeOutIsMinus9999)
{
    holdEveryRequest();
    const ElevationResult result = GetElevation(139.0, 35.0);
    EXPECT_EQ(result.text, QStringLiteral("-9999"));
    EXPECT_EQ(server.targets().size(), 1);
}

TEST_F(WebRequestTest, ElevationFromAStoppedServerIsMinus9999)
{
    server.stop();
    EXPECT_EQ(GetElevation(139.0, 35.0).value(), kElevationFailed);
}

TEST_F(WebRequestTest, GeocodeSendsTheTextInUtf8PercentFormAndReadsTheTags)
{
    answer("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<result><coordinate><lat>35.6812</lat>"
           "<lng>139.7671</lng></coordinate></result>");
    const GeocodeAnswer found = Geocode(QStringLiteral("東京駅"));
    EXPECT_DOUBLE_EQ(found.latitude, 35.6812);
    EXPECT_DOUBLE_EQ(found.longitude, 139.7671);
    Geocode(QStringLiteral("a\tb"));
    Geocode(QString());
    // Letters and digits, which the query form writes as %XX too, reach the
    // server as themselves: URLs treat both forms as one (RFC 3986, 2.3).
    EXPECT_EQ(server.targets(), (QList<QByteArray>{"/api/?q=%E6%9D%B1%E4%BA%AC%E9%A7%85", "/api/?q=a%09b",
                                                   "/api/?q="}));
}

TEST_F(WebRequestTest, GeocodeWithoutTagsFindsNothingAndWithoutAReplyFails)
{
    answer("<result><error>001</error></result>");
    GeocodeAnswer answerOf = Geocode(QStringLiteral("どこにもない"));
    EXPECT_EQ(answerOf.latitude, 0.0);
    EXPECT_EQ(answerOf.longitude, 0.0);

    holdEveryRequest();
    answerOf = Geocode(QStringLiteral("x"));
    EXPECT_EQ(answerOf.latitude, -1.0);
    EXPECT_EQ(answerOf.longitude, -1.0);

    server.stop();
    answerOf = Geocode(QStringLiteral("x"));
    EXPECT_EQ(answerOf.latitude, -1.0);
    EXPECT_EQ(answerOf.longitude, -1.0);
}

}  // namespace
}  // namespace tavelcor
