// SPDX-License-Identifier: LicenseRef-Tavelcor
// The GPS client on the main window: switching GPS on against a stand-in of
// the GPS program's link (or none), the status words and fix lines of the
// poll, and "Ｇ" of the point panel.
#include "field_link_fixture.h"

#include "main/site/tables.h"
#include "platform/link/link_source.h"

#include <memory>

namespace tavelcor::fieldlinktest {
namespace {

const QString kNotStarted = QStringLiteral("ORBELAを起動していません。起動しますか？");
const QString kMissing = QStringLiteral("ORBELA.EXEが見つかりません。手動で起動して下さい。");

class GpsClient : public FieldLinkTest {
protected:
    // A stand-in of the GPS program serving its fix item.
    void serveGpsProgram(const QString& text)
    {
        source = std::make_unique<platform::LinkSource>(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7"));
        source->publish(QStringLiteral("Text7"), text);
        ASSERT_TRUE(source->listen());
    }

    // GPS on through the GPS window's box, as the user switches it.
    void switchOn()
    {
        Plot& w = shownPlot();
        gpsWindow().Check1.setValue(1);
        ASSERT_EQ(w.Check5.Value(), 1);
        ASSERT_TRUE(w.Timer1.Enabled());
    }

    std::unique_ptr<platform::LinkSource> source;
};

TEST_F(GpsClient, WithoutTheGpsProgramTheLinkFailsAndTheUserIsAsked)
{
    Plot& w = shownPlot();
    w.Check29.setValue(0);
    script().expectMessage(platform::MsgResult::No, kNotStarted);
    gpsWindow().Check1.setValue(1);
    EXPECT_EQ(w.Check5.Value(), 0);
    EXPECT_EQ(gpsWindow().Check1.Value(), 0);
    EXPECT_EQ(w.Check29.Value(), 0);
    EXPECT_FALSE(w.Timer1.Enabled());
    EXPECT_FALSE(w.Image1.Visible());
    EXPECT_FALSE(w.Check7.Visible());
    EXPECT_FALSE(w.Check11.Visible());
    EXPECT_TRUE(starter.starts().empty());
    EXPECT_EQ(script().records().at(0).buttons, platform::MsgButtons::YesNo);
}

TEST_F(GpsClient, YesStartsTheGpsProgramBesideTheMainProgram)
{
    Plot& w = shownPlot();
    starter.install(orbelaProgram());
    script().expectMessage(platform::MsgResult::Yes, kNotStarted);
    w.Check5.setValue(1);
    ASSERT_EQ(starter.starts().size(), 1U);
    EXPECT_EQ(starter.starts().at(0).program, platform::executableFolder() + QStringLiteral("/orbela"));
    EXPECT_TRUE(starter.starts().at(0).arguments.isEmpty());
    EXPECT_EQ(w.Check5.Value(), 0) << "GPS stays off until the user ticks it again";
}

TEST_F(GpsClient, YesWithTheGpsProgramMissingSaysSo)
{
    Plot& w = shownPlot();
    script().expectMessage(platform::MsgResult::Yes, kNotStarted).expectMessage(platform::MsgResult::Ok, kMissing);
    w.Check5.setValue(1);
    EXPECT_TRUE(starter.starts().empty());
    EXPECT_EQ(w.Check5.Value(), 0);
}

TEST_F(GpsClient, SwitchingOnLinksText9ToTheGpsProgramsFixText)
{
    serveGpsProgram(QStringLiteral("未接続"));
    switchOn();
    Plot& w = plot();
    EXPECT_TRUE(w.Image1.Visible());
    EXPECT_EQ(w.Timer1.Interval(), 500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Text9.Text() == QStringLiteral("未接続"); }, kLinkWaitMs));
    source->publish(QStringLiteral("Text7"), fixAt(1.0, 2.0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Text9.Text() == fixAt(1.0, 2.0); }, kLinkWaitMs));
}

struct StatusRow {
    const char* name;
    const char16_t* word;
    int waitMsg;
    const char16_t* message;  // nullptr: none, GPS stays on
    bool hidesSwitches;
};

TEST_F(GpsClient, StatusWordsSwitchGpsOffAfterTheirMessage)
{
    const StatusRow rows[] = {
        {"unconnected", u"未接続", 0, u"ORBELAは受信機と接続されていません｡接続状態を確認して下さい｡ ", true},
        {"suspended", u"中断", 0, u"ORBELAは中断しています。手動で再開して下さい。", true},
        {"ended", u"終了", 0, u"ORBELAが起動していません。再起動して下さい。", true},
        {"preparing, asked to say so", u"準備中", 1,
         u"ORBELAは準備中です｡少し待って、再度ＧＰＳのチェックを入れて下さい｡ ", false},
        {"preparing, asked to wait", u"準備中", 0, nullptr, false},
        {"a word followed by a blank", u"未接続 ", 0, nullptr, false},
        {"empty", u"", 0, nullptr, false},
    };
    serveGpsProgram(QStringLiteral("準備中"));
    for (const StatusRow& row : rows) {
        SCOPED_TRACE(row.name);
        switchOn();
        Plot& w = plot();
        w.Check7.setVisible(true);
        w.Check11.setVisible(true);
        GpsWaitMsg = static_cast<std::uint8_t>(row.waitMsg);
        const int before = GpsCount;
        if (row.message != nullptr)
            script().expectMessage(platform::MsgResult::Ok, QString::fromUtf16(row.message));
        tick(QString::fromUtf16(row.word));
        EXPECT_EQ(GpsCount, before);
        if (row.message == nullptr) {
            EXPECT_EQ(w.Check5.Value(), 1);
            EXPECT_TRUE(w.Timer1.Enabled());
            EXPECT_TRUE(w.Check7.Visible());
        } else {
            EXPECT_EQ(w.Check5.Value(), 0);
            EXPECT_EQ(gpsWindow().Check1.Value(), 0);
            EXPECT_FALSE(w.Timer1.Enabled());
            EXPECT_FALSE(w.Image1.Visible());
            EXPECT_EQ(w.Check7.Visible(), !row.hidesSwitches);
            EXPECT_EQ(w.Check11.Visible(), !row.hidesSwitches);
        }
        w.Check5.setValue(0);
    }
}

TEST_F(GpsClient, TicksWhileAPollMessageIsOpenDoNothing)
{
    serveGpsProgram(QStringLiteral("準備中"));
    switchOn();
    gpsClientState().messageOpen = true;
    tick(fixAt(1.0, 2.0));
    tick(QStringLiteral("中断"));  // no second box
    EXPECT_EQ(GpsCount, 0);
    EXPECT_EQ(plot().Check5.Value(), 1);
    gpsClientState().messageOpen = false;
    tick(fixAt(1.0, 2.0));
    EXPECT_EQ(GpsCount, 1);
}

TEST_F(GpsClient, AnUnchangedFixLineStoresOnePositionAndTheMarkerStillBlinks)
{
    serveGpsProgram(QStringLiteral("準備中"));
    switchOn();
    Plot& w = plot();
    std::vector<bool> markerShown;
    for (int k = 0; k < 8; ++k) {
        tick(fixAt(3.0, 4.0));
        markerShown.push_back(w.Image1.Visible());
    }
    EXPECT_EQ(GpsCount, 1);
    EXPECT_EQ(markerShown, (std::vector<bool>{false, false, false, true, false, false, false, true}));
}

TEST_F(GpsClient, TheTrackDrawingRunsOnFixTicksOneFiveNine)
{
    serveGpsProgram(QStringLiteral("準備中"));
    switchOn();
    Plot& w = plot();
    // The marker is placed only when the drawing runs: it follows the fix
    // of ticks 1, 5 and 9.
    std::vector<int> placedAt;
    double lastLeft = w.Image1.Left();
    for (int k = 1; k <= 9; ++k) {
        tick(fixAt(0.0, static_cast<double>(k)));
        if (w.Image1.Left() != lastLeft) {
            placedAt.push_back(k);
            lastLeft = w.Image1.Left();
        }
    }
    EXPECT_EQ(placedAt, (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(GpsCount, 9);
}

TEST_F(GpsClient, TheGSwitchIsRefusedWhileGpsIsOff)
{
    Plot& w = shownPlot();
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("GPSの準備ができていません"));
    w.Check29.setValue(1);
    EXPECT_EQ(w.Check29.Value(), 0);
    EXPECT_EQ(gpsWindow().Check1.Value(), 0);
}

TEST_F(GpsClient, TheGSwitchStaysOnWhileGpsIsOn)
{
    serveGpsProgram(QStringLiteral("準備中"));
    switchOn();
    plot().Check29.setValue(1);
    EXPECT_EQ(plot().Check29.Value(), 1);
    // Switching GPS off takes it off.
    gpsWindow().Check1.setValue(0);
    EXPECT_EQ(plot().Check29.Value(), 0);
}

TEST_F(GpsClient, SwitchingOffAndOnKeepsTheTrack)
{
    serveGpsProgram(QStringLiteral("準備中"));
    switchOn();
    tick(fixAt(1.0, 1.0));
    tick(fixAt(2.0, 2.0));
    ASSERT_EQ(GpsCount, 2);
    redraws = 0;
    plot().Check5.setValue(0);
    EXPECT_EQ(redraws, 1) << "switching off redraws the plot";
    EXPECT_FALSE(plot().Timer1.Enabled());
    switchOn();
    tick(fixAt(3.0, 3.0));
    EXPECT_EQ(GpsCount, 3);
    EXPECT_FLOAT_EQ(GpsX[1], 1.0F);
}

}  // namespace
}  // namespace tavelcor::fieldlinktest
