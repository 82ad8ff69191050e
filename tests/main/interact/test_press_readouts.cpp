// SPDX-License-Identifier: LicenseRef-Tavelcor
// The B, L and H readouts of a left press, with the elevation service
// pointed at a local HTTP server: the point asked for, the heights shown,
// the heights not shown, and the failures shown as such, never as a height.
#include "interact_fixture.h"
#include "local_http_server.h"

#include "main/background/web_services.h"
#include "main/interact/press_readouts.h"
#include "main/site/tables.h"

#include <utility>

namespace tavelcor::interacttest {
namespace {

using testing_support::LocalHttpServer;

// The press at site (0, 0): the origin of zone 6 (36°N, 136°E). The packed
// angles carry the conversion's bias of 1e-7 degree, which the request's
// decimal degrees keep (136.0000001).
constexpr double kZoneOriginX = -kOriginY;  // plot east of site east 0
constexpr double kZoneOriginY = kOriginX;   // minus plot north of site north 0

class PressReadouts : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        ASSERT_TRUE(server.isListening());
        saved = webServices();
        webServices().elevationBase = server.base();
        webServices().timeoutMs = 2000;
        ZoneNo = 6;
    }

    void TearDown() override
    {
        webServices() = saved;
        InteractTest::TearDown();
    }

    void answer(QByteArray body, int status = 200)
    {
        server.setHandler([body, status](const QByteArray&) { return LocalHttpServer::Reply{status, body}; });
    }

    static void pressAtZoneOrigin() { plot().Picture1.MouseDown(1, 0, kZoneOriginX, kZoneOriginY); }

    LocalHttpServer server;
    WebServices saved;
};

TEST_F(PressReadouts, LatitudeAndLongitudeAsPackedDegrees)
{
    Plot& w = shownPlot();
    w.Check30.setValue(1);
    w.Check31.setValue(1);
    pressAtZoneOrigin();
    EXPECT_EQ(w.Label18.Caption(), QStringLiteral("   36.0000000"));
    EXPECT_EQ(w.Label29.Caption(), QStringLiteral("  136.0000000"));
    EXPECT_TRUE(w.Label30.Caption().isEmpty());
    EXPECT_TRUE(server.targets().isEmpty()) << "no height without H";

    w.Check30.setValue(0);
    pressAtZoneOrigin();
    EXPECT_TRUE(w.Label18.Caption().isEmpty());
    EXPECT_EQ(w.Label29.Caption(), QStringLiteral("  136.0000000"));
}

TEST_F(PressReadouts, HWithoutBAsksForLatitudeZero)
{
    Plot& w = shownPlot();
    w.Check32.setValue(1);  // ticks B and L with it
    // The window keeps B ticked while H is; the press reads the boxes as
    // they are, so B is unticked here without its click.
    const auto keepTicked = std::exchange(w.Check30.Click, nullptr);
    w.Check30.setValue(0);
    w.Check30.Click = keepTicked;
    answer(R"({"elevation":12.34,"hsrc":"5m"})");
    pressAtZoneOrigin();
    ASSERT_EQ(server.targets().size(), 1);
    EXPECT_EQ(QString::fromLatin1(server.targets()[0]), QStringLiteral("/general/dem/scripts/getelevation.php?lon=136.0000001&lat=0&outtype=JSON"));
    EXPECT_EQ(w.Label30.Caption(), QStringLiteral("     12.3"));
    EXPECT_TRUE(w.Label18.Caption().isEmpty());
}

TEST_F(PressReadouts, TheHeightIsAskedAtThePressInDecimalDegrees)
{
    Plot& w = shownPlot();
    w.Check32.setValue(1);
    ASSERT_EQ(w.Check30.Value(), 1);
    ASSERT_EQ(w.Check31.Value(), 1);
    answer(R"({"elevation":-3.26,"hsrc":"5m"})");
    pressAtZoneOrigin();
    ASSERT_EQ(server.targets().size(), 1);
    EXPECT_EQ(QString::fromLatin1(server.targets()[0]), QStringLiteral("/general/dem/scripts/getelevation.php?lon=136.0000001&lat=36.0000001&outtype=JSON"));
    EXPECT_EQ(w.Label30.Caption(), QStringLiteral("     -3.3"));
}

TEST_F(PressReadouts, HeightsFrom9997OnClearTheReadout)
{
    Plot& w = shownPlot();
    w.Check32.setValue(1);
    w.Label30.setCaption(QStringLiteral("old"));
    answer(R"({"elevation":9997,"hsrc":"-"})");
    pressAtZoneOrigin();
    EXPECT_TRUE(w.Label30.Caption().isEmpty());
    answer(R"({"elevation":9996.9,"hsrc":"-"})");
    pressAtZoneOrigin();
    EXPECT_EQ(w.Label30.Caption(), QStringLiteral("   9996.9"));
}

TEST_F(PressReadouts, FailuresSayNoHeightWasObtained)
{
    Plot& w = shownPlot();
    w.Check32.setValue(1);
    const QString noHeight = QString::fromUtf16(kNoHeightText);
    const struct {
        const char* name;
        QByteArray body;
        int status;
    } rows[] = {
        {"the failure code", R"({"elevation":-9999,"hsrc":"-"})", 200},
        {"the no-request code", R"({"elevation":-9998,"hsrc":"-"})", 200},
        {"no height at the point", R"({"elevation":"-----","hsrc":"-----"})", 200},
        {"an error page", "<html>error</html>", 500},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        w.Label30.setCaption(QStringLiteral("old"));
        answer(row.body, row.status);
        pressAtZoneOrigin();
        EXPECT_EQ(w.Label30.Caption(), noHeight);
        EXPECT_FALSE(w.Label30.Caption().contains(QStringLiteral("9999")));
    }
    server.stop();
    pressAtZoneOrigin();
    EXPECT_EQ(w.Label30.Caption(), noHeight) << "no server";
}

TEST_F(PressReadouts, AMiddlePressAsksNothing)
{
    Plot& w = shownPlot();
    w.Check32.setValue(1);
    answer(R"({"elevation":1,"hsrc":"-"})");
    plot().Picture1.MouseDown(4, 0, kZoneOriginX, kZoneOriginY);
    script().expectPopupMenu(std::nullopt);  // the design's "MENU表示"
    plot().Picture1.MouseDown(2, 0, kZoneOriginX, kZoneOriginY);
    EXPECT_TRUE(server.targets().isEmpty());
    EXPECT_TRUE(w.Label30.Caption().isEmpty());
}

TEST(ElevationReadout, ShowsHeightsInWidthNineWithOneDecimal)
{
    EXPECT_EQ(elevationReadout({QStringLiteral("123.45"), true}), QStringLiteral("    123.5"));
    EXPECT_EQ(elevationReadout({QStringLiteral("0"), true}), QStringLiteral("      0.0"));
    EXPECT_EQ(elevationReadout({QStringLiteral("-9999"), false}), QString::fromUtf16(kNoHeightText));
}

}  // namespace
}  // namespace tavelcor::interacttest
