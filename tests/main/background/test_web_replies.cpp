// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the web look-ups read from their replies and send in their
// addresses: the elevation reply (a reply without a height is a failure,
// never 0 m), the query form of a text, the geocoding reply, the web-map
// addresses, and the service addresses from the environment.
#include "main/background/web_maps.h"
#include "main/background/web_requests.h"
#include "main/background/web_services.h"
#include "main/site/tables.h"
#include "geodesy/plane_rectangular.h"
#include "platform/text/numbers.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

TEST(ElevationReply, GivesTheTrimmedNumberTextAfterTheFirstColon)
{
    const struct {
        const char* reply;
        const char* text;
    } rows[] = {
        {R"({"elevation":123.4,"hsrc":"5m（レーザ）"})", "123.4"},
        {R"({"elevation":0.5,"hsrc":"5m"})", ".5"},
        {R"({"elevation":-1.25,"hsrc":"5m"})", "-1.25"},
        {R"({"elevation":0,"hsrc":"5m"})", "0"},
        {R"({"elevation": 12,"hsrc":"10m"})", "12"},
        // 10 characters after the colon: "1234.56789" of "1234.567891"
        {R"({"elevation":1234.567891,"hsrc":"5m"})", "1234.56789"},
        {"42.5", "42.5"},
    };
    for (const auto& row : rows) {
        const ElevationResult result = parseElevationReply(QString::fromUtf8(row.reply));
        EXPECT_TRUE(result.ok) << row.reply;
        EXPECT_EQ(result.text, QString::fromLatin1(row.text)) << row.reply;
    }
}

// The service answers "-----" for a point without height; an error page
// holds no number after its colon either. Both are failures, not 0 m.
TEST(ElevationReply, AReplyWithoutANumberIsAFailureNotZeroMetres)
{
    for (const char* reply : {R"({"elevation":"-----","hsrc":"-----"})", "<html><head><title>Error: x</title>",
                              "", "no colon at all", "{\"elevation\":", "{\"elevation\":abc}"}) {
        const ElevationResult result = parseElevationReply(QString::fromUtf8(reply));
        EXPECT_FALSE(result.ok) << reply;
        EXPECT_EQ(result.text, QStringLiteral("-9999")) << reply;
        EXPECT_EQ(result.value(), -9999.0) << reply;
    }
}

TEST(ElevationReply, ReadsTheSameFromUtf8Bytes)
{
    EXPECT_EQ(parseElevationReply(QByteArrayView("{\"elevation\":7.25}")).text, QStringLiteral("7.25"));
}

TEST(ElevationAddress, CarriesTheTrimmedDegreesAndTheJsonKey)
{
    EXPECT_EQ(elevationAddress(QStringLiteral("http://h:1"), 139.7671, 35.6812),
              QStringLiteral("http://h:1/general/dem/scripts/getelevation.php?lon=139.7671&lat=35.6812&outtype=JSON"));
    EXPECT_EQ(elevationAddress(QStringLiteral("http://h"), 0.5, -0.25),
              QStringLiteral("http://h/general/dem/scripts/getelevation.php?lon=.5&lat=-.25&outtype=JSON"));
}

TEST(UrlEncode, WritesEveryUtf8ByteAsPercentAndTwoUpperCaseDigits)
{
    const struct {
        QString text;
        const char* encoded;
    } rows[] = {
        {QStringLiteral("東京駅"), "%E6%9D%B1%E4%BA%AC%E9%A7%85"},
        {QStringLiteral("\t"), "%09"},
        {QStringLiteral("A1"), "%41%31"},
        {QStringLiteral(" &=?"), "%20%26%3D%3F"},
        {QString(), ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(UrlEncode(row.text), QString::fromLatin1(row.encoded)) << row.encoded;
    EXPECT_EQ(geocodeAddress(QStringLiteral("http://g"), QString()), QStringLiteral("http://g/api/?q="));
}

TEST(GeocodeReply, ReadsTheNumbersAfterTheTags)
{
    const struct {
        const char* name;
        const char* reply;
        double lat;
        double lng;
    } rows[] = {
        {"found", "<result><coordinate><lat>35.6812</lat><lng>139.7671</lng></coordinate></result>", 35.6812,
         139.7671},
        {"no tags", "<result><error>001</error></result>", 0.0, 0.0},
        {"error page without tags", "<h1>404 Not Found</h1>", 0.0, 0.0},
        {"tag without a number", "<lat>abc</lat><lng>-</lng>", 0.0, 0.0},
        {"only the latitude", "<lat>35.5</lat>", 35.5, 0.0},
        // 20 characters after the tag: "35.12345678901234567" of "35.1234567890123456789"
        {"cut to 20 characters", "<lat>35.1234567890123456789</lat><lng>1</lng>", 35.12345678901234567, 1.0},
        {"first tag counts", "<lat>1</lat><lng>2</lng><lat>3</lat>", 1.0, 2.0},
    };
    for (const auto& row : rows) {
        const GeocodeAnswer answer = parseGeocodeReply(QString::fromUtf8(row.reply));
        EXPECT_DOUBLE_EQ(answer.latitude, row.lat) << row.name;
        EXPECT_DOUBLE_EQ(answer.longitude, row.lng) << row.name;
    }
    EXPECT_DOUBLE_EQ(parseGeocodeReply(QByteArrayView("<lat>1.5x<lng>2.5x")).longitude, 2.5);
}

class WebMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        ZoneNo = 9;
        // the origin of zone 9: 36°N, 139°50'E
        ViewCX = 0.0;
        ViewCY = 0.0;
    }

    static void view(double eastM, double northM)
    {
        ViewSpanY = eastM;
        ViewSpanX = northM;
    }

    // The centre's degrees as the addresses write them.
    static QString degrees(int which)
    {
        return platform::Str(geodesy::DmsToDeg(geodesy::XYtoBL(0.0, 0.0, 9, which) / 10000.0)).trimmed();
    }
};

TEST_F(WebMapTest, SpansAreHalfTheExtentsAsAnglesCutToFiveDecimals)
{
    const struct {
        double extent;
        float span;
    } rows[] = {{2000.0, 0.00899F}, {1500.0, 0.00674F}, {200.0, 0.00089F}, {0.0, 0.0F}, {100000.0, 0.44973F}};
    for (const auto& row : rows)
        EXPECT_EQ(webMapSpan(row.extent), row.span) << row.extent;
}

TEST_F(WebMapTest, TheMapAddressGivesTheEastSpanFirst)
{
    view(2000.0, 1500.0);
    const QString ll = degrees(0) + u',' + degrees(1);
    EXPECT_TRUE(ll.startsWith(QStringLiteral("36.0000001,139.83333")));
    EXPECT_EQ(googleMapAddress(), QStringLiteral("/?ll=") + ll + QStringLiteral("&spn=.00899,.00674&q=") + ll);
}

TEST_F(WebMapTest, TheAerialViewWidensExtentsBelow200mAndTheMapDoesNot)
{
    view(120.0, 80.0);
    EXPECT_TRUE(googleOrthoAddress().contains(QStringLiteral("&t=k&spn=.00089,.00089&q=")))
        << qPrintable(googleOrthoAddress());
    EXPECT_TRUE(googleMapAddress().contains(QStringLiteral("&spn=.00053,.00035&q=")))
        << qPrintable(googleMapAddress());
    view(300.0, 80.0);
    EXPECT_TRUE(googleOrthoAddress().contains(QStringLiteral("&t=k&spn=.00134,.00089&q=")));
}

TEST_F(WebMapTest, TheSecondSiteGetsTheScaleCodeOfTheEastExtent)
{
    const struct {
        double east;
        const char* code;
    } rows[] = {{499.9, "1"},    {500.0, "2"},     {599.0, "2"},     {600.0, "3"},     {700.0, "4"},
                {800.0, "5"},    {999.0, "5"},     {1000.0, "6"},    {1500.0, "7"},    {4000.0, "8"},
                {7500.0, "9"},   {20000.0, "10"},  {35000.0, "11"},  {100000.0, "12"}, {150000.0, "13"},
                {350000.0, "14"}, {700000.0, "15"}, {999999.0, "15"}, {1000000.0, "16"}, {5e6, "16"}};
    for (const auto& row : rows)
        EXPECT_EQ(webMapScaleCode(row.east), QString::fromLatin1(row.code)) << row.east;
    view(500.0, 100.0);
    EXPECT_EQ(yahooMapAddress(), QStringLiteral("/pl?type=scroll&lat=") + degrees(0) + QStringLiteral("&lon=")
                                     + degrees(1) + QStringLiteral("&sc=2&mode=map&pointer=on&datum=wgs"));
}

TEST(WebServices, PublicDefaultsAreReplacedByTheEnvironment)
{
    const WebServices defaults = publicWebServices();
    EXPECT_EQ(defaults.tileBase, QStringLiteral("https://cyberjapandata.gsi.go.jp"));
    EXPECT_EQ(defaults.elevationBase, QStringLiteral("https://cyberjapandata2.gsi.go.jp"));
    qputenv("TAVELCOR_TILE_BASE", "http://127.0.0.1:8080/");
    qputenv("TAVELCOR_ELEVATION_BASE", "http://e");
    qputenv("TAVELCOR_GEOCODE_BASE", "http://g");
    qputenv("TAVELCOR_WEBMAP1_BASE", "http://m1");
    qputenv("TAVELCOR_WEBMAP2_BASE", "");
    qputenv("TAVELCOR_TERMS_PAGE", "http://t/terms.html");
    const WebServices services = webServicesFromEnvironment();
    EXPECT_EQ(services.tileBase, QStringLiteral("http://127.0.0.1:8080"));
    EXPECT_EQ(services.elevationBase, QStringLiteral("http://e"));
    EXPECT_EQ(services.geocodeBase, QStringLiteral("http://g"));
    EXPECT_EQ(services.webMap1Base, QStringLiteral("http://m1"));
    EXPECT_EQ(services.webMap2Base, defaults.webMap2Base) << "an empty value keeps the default";
    EXPECT_EQ(services.termsPage, QStringLiteral("http://t/terms.html"));
    EXPECT_TRUE(defaults.termsPage.startsWith(QStringLiteral("https://www.gsi.go.jp/")));
    for (const char* variable : {"TAVELCOR_TILE_BASE", "TAVELCOR_ELEVATION_BASE", "TAVELCOR_GEOCODE_BASE",
                                 "TAVELCOR_WEBMAP1_BASE", "TAVELCOR_WEBMAP2_BASE", "TAVELCOR_TERMS_PAGE"})
        qputenv(variable, "http://127.0.0.1:9");
}

}  // namespace
}  // namespace tavelcor
