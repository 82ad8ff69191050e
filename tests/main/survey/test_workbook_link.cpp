// SPDX-License-Identifier: LicenseRef-Tavelcor
// The workbook link against the fake workbook peer: the link timer, the
// signal cell opening the station frame, and the frame's ＯＫ, 次 and 取消.
#include "field_link_fixture.h"

#include "main/site/tables.h"
#include "platform/canvas/colors.h"
#include "platform/workbook/workbook_peer.h"

#include <cmath>
#include <memory>

namespace tavelcor::fieldlinktest {
namespace {

const QString kAsk = QStringLiteral("Tavelcorから機械点IDを転送してください");

class WorkbookLink : public FieldLinkTest {
protected:
    void SetUp() override
    {
        FieldLinkTest::SetUp();
        WembraOff = 0;
        peer = std::make_unique<platform::WorkbookPeer>();
        peer->setWorkbooks({QStringLiteral("WEMBRA_2024.XLS")});
        peer->setWorksheets({QStringLiteral("境界")});
        peer->setMacro(QStringLiteral("kbfget"));
        peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("0"));
    }

    void TearDown() override
    {
        peer.reset();
        FieldLinkTest::TearDown();
    }

    // The station frame open as the signal 992 opens it.
    Plot& stationFrame(int signal = 992)
    {
        Plot& w = shownPlot();
        script().expectMessage(platform::MsgResult::Ok, kAsk);
        w.Text10.setText(QString::number(signal));
        EXPECT_TRUE(w.Frame13.Visible());
        return w;
    }

    std::unique_ptr<platform::WorkbookPeer> peer;
};

TEST_F(WorkbookLink, SwitchedOffNothingIsAttachedAndTheCellIsIgnored)
{
    WembraOff = 1;
    ASSERT_TRUE(peer->start());
    Plot& w = shownPlot();
    Timer3_Timer(w);
    EXPECT_TRUE(w.Timer3.Enabled());
    EXPECT_EQ(w.Text10.Text(), QStringLiteral("Text10"));
    EXPECT_EQ(workbookLinkState().link, nullptr);
    w.Text10.setText(QStringLiteral("992"));
    EXPECT_FALSE(w.Frame13.Visible());
    EXPECT_EQ(WembraValue, 0);
}

TEST_F(WorkbookLink, WithoutTheSpreadsheetProgramTheTimerKeepsTrying)
{
    Plot& w = shownPlot();
    Timer3_Timer(w);
    EXPECT_EQ(w.Text10.Text(), QStringLiteral("接続不良"));
    EXPECT_TRUE(w.Timer3.Enabled());
    EXPECT_FALSE(w.Frame13.Visible());
    // Once the workbook is there the next tick links.
    ASSERT_TRUE(peer->start());
    Timer3_Timer(w);
    EXPECT_FALSE(w.Timer3.Enabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.Text10.Text() == QStringLiteral("0"); }, kLinkWaitMs));
}

TEST_F(WorkbookLink, AForeignWorkbookInEitherOrderKeepsTheLinkFromBeingMade)
{
    const QStringList orders[] = {{QStringLiteral("WEMBRA.XLS"), QStringLiteral("Book1")},
                                  {QStringLiteral("Book1"), QStringLiteral("WEMBRA.XLS")},
                                  {QStringLiteral("WEMBRA.XLS"), QStringLiteral("wembra.xls")}};
    // A foreign workbook from the start: the window's own Timer3 may tick
    // while it is being shown, and must find no link to make either.
    peer->setWorkbooks(orders[0]);
    ASSERT_TRUE(peer->start());
    Plot& w = shownPlot();
    ASSERT_EQ(workbookLinkState().link, nullptr);
    for (const QStringList& names : orders) {
        SCOPED_TRACE(names.join(u',').toStdString());
        peer->setWorkbooks(names);
        Timer3_Timer(w);
        EXPECT_TRUE(w.Timer3.Enabled());
        EXPECT_EQ(workbookLinkState().link, nullptr);
        EXPECT_EQ(w.Text10.Text(), QStringLiteral("Text10"));
    }
}

TEST_F(WorkbookLink, ACellHolding992WhenLinkedOpensTheStationFrameAtOnce)
{
    peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("992"));
    ASSERT_TRUE(peer->start());
    Plot& w = shownPlot();
    w.Frame2.setVisible(false);
    w.Frame10.setVisible(true);  // an open line panel is ended first
    script().expectMessage(platform::MsgResult::Ok, kAsk);
    Timer3_Timer(w);
    EXPECT_FALSE(w.Timer3.Enabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Frame13.Visible(); }, kLinkWaitMs));
    EXPECT_FALSE(w.Frame10.Visible());
    EXPECT_FALSE(w.Frame2.Visible());
    EXPECT_DOUBLE_EQ(w.Frame13.Top(), w.Frame2.Top());
    EXPECT_EQ(WembraValue, 992);
    EXPECT_TRUE(w.Option26.Value());
    const platform::PromptRecord& box = script().records().at(0);
    EXPECT_EQ(box.title, QStringLiteral("WEMBRAメッセージ"));
    EXPECT_TRUE(box.systemModal);
}

TEST_F(WorkbookLink, ASignalOf992Point4Counts992)
{
    Plot& w = shownPlot();
    script().expectMessage(platform::MsgResult::Ok, kAsk);
    w.Text10.setText(QStringLiteral("992.4"));
    EXPECT_EQ(WembraValue, 992);
    EXPECT_TRUE(w.Frame13.Visible());
}

TEST_F(WorkbookLink, ASignalWhileTheFrameIsOpenIsIgnored)
{
    Plot& w = stationFrame(993);
    w.Command51.setVisible(true);
    w.Text10.setText(QStringLiteral("992.6"));
    EXPECT_EQ(WembraValue, 993);
    EXPECT_TRUE(w.Command51.Visible());
}

TEST_F(WorkbookLink, OtherValuesOnlyUpdateTheSignalValue)
{
    Plot& w = shownPlot();
    w.Text10.setText(QStringLiteral("12.5"));
    EXPECT_EQ(WembraValue, 12);
    EXPECT_FALSE(w.Frame13.Visible());
    script().expectMessage(platform::MsgResult::Ok, kAsk);
    w.Text10.setText(QStringLiteral("992.6"));
    EXPECT_EQ(WembraValue, 993);
    EXPECT_TRUE(w.Frame13.Visible());
}

TEST_F(WorkbookLink, OkHandsTheSetUpOverAndAnEmptyForesightOpensThePointPanel)
{
    ASSERT_TRUE(peer->start());
    Plot& w = stationFrame();
    w.Text11.setText(QStringLiteral("K1"));
    w.Text12.setText(QStringLiteral("B2"));
    w.Command50.setValue(true);
    const std::vector<platform::MacroCall> calls = peer->calls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls.at(0).name, QStringLiteral("kbfget"));
    EXPECT_EQ(calls.at(0).arguments, (QVariantList{QStringLiteral("K1"), QStringLiteral("B2"), QString()}));
    EXPECT_TRUE(peer->isVisible());
    EXPECT_FALSE(w.Frame13.Visible());
    EXPECT_TRUE(w.Frame4.Visible());
}

TEST_F(WorkbookLink, OkWithAForesightReturnsToTheIdleFrame)
{
    ASSERT_TRUE(peer->start());
    Plot& w = stationFrame();
    w.Text11.setText(QStringLiteral("K1"));
    w.Text12.setText(QStringLiteral("B2"));
    w.Text13.setText(QStringLiteral("F3"));
    w.Command50.setValue(true);
    EXPECT_EQ(peer->calls().size(), 1U);
    EXPECT_FALSE(w.Frame13.Visible());
    EXPECT_TRUE(w.Frame2.Visible());
    EXPECT_FALSE(w.Frame4.Visible());
}

TEST_F(WorkbookLink, OkWithAForeignWorkbookEndsSilently)
{
    peer->setWorkbooks({QStringLiteral("WEMBRA.XLS"), QStringLiteral("Book1")});
    ASSERT_TRUE(peer->start());
    Plot& w = stationFrame();
    w.Text13.setText(QStringLiteral("F3"));
    w.Command50.setValue(true);
    EXPECT_TRUE(peer->calls().empty());
    EXPECT_TRUE(w.Frame13.Visible());
}

TEST_F(WorkbookLink, OkWithoutTheSpreadsheetProgramStillLeavesTheFrame)
{
    Plot& w = stationFrame();
    w.Text13.setText(QStringLiteral("F3"));
    w.Command50.setValue(true);
    EXPECT_FALSE(w.Frame13.Visible());
    EXPECT_TRUE(w.Frame2.Visible());
}

TEST_F(WorkbookLink, CancelOpensThePointPanelInTheFramesPlace)
{
    Plot& w = stationFrame();
    w.Command49.setValue(true);
    EXPECT_FALSE(w.Frame13.Visible());
    EXPECT_TRUE(w.Frame4.Visible());
    EXPECT_DOUBLE_EQ(w.Frame4.Top(), w.Frame13.Top());
}

class NextForesight : public WorkbookLink {
protected:
    // Station S at the plot origin, foresight k 20 m away at k × 40 degrees.
    void setUpList(int foresights)
    {
        PointName[1] = QStringLiteral("S");
        PointCount = 1;
        SightList[1] = 1;
        for (int k = 0; k < foresights; ++k) {
            const int i = 2 + k;
            PointName[i] = QStringLiteral("F%1").arg(k + 1);
            PointX[i] = 20.0 * std::cos((k + 1) * 40.0 * 3.14159265358979 / 180.0);
            PointY[i] = 20.0 * std::sin((k + 1) * 40.0 * 3.14159265358979 / 180.0);
            PointMark[i] = 1;
            PointCount = i;
            SightList[3 + k] = i;
        }
        SightList[0] = 4;
    }

    static std::uint32_t colourOnSight(int i) { return colorAt(PointX[i] / 2.0, PointY[i] / 2.0); }
};

TEST_F(NextForesight, StepsAndWrapsWithTheSightLines)
{
    Plot& w = stationFrame(993);
    setUpList(2);
    w.Command51.setValue(true);
    EXPECT_EQ(w.Text13.Text(), QStringLiteral("F2"));
    EXPECT_EQ(colourOnSight(3), platform::QBColor(13));
    EXPECT_EQ(colourOnSight(2), platform::QBColor(7)) << "the first sight line is silver now";
    EXPECT_EQ(SightList[0], 5);
    w.Command51.setValue(true);
    EXPECT_EQ(w.Text13.Text(), QStringLiteral("F1"));
    EXPECT_EQ(colourOnSight(2), platform::QBColor(13));
    EXPECT_EQ(colourOnSight(3), platform::QBColor(7));
    EXPECT_EQ(SightList[0], 4);
}

TEST_F(NextForesight, EightForesightsStillWrapToTheFirst)
{
    Plot& w = stationFrame(993);
    setUpList(8);
    std::vector<QString> shown;
    for (int press = 0; press < 9; ++press) {
        w.Command51.setValue(true);
        shown.push_back(w.Text13.Text());
    }
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("F4"),
                                           QStringLiteral("F5"), QStringLiteral("F6"), QStringLiteral("F7"),
                                           QStringLiteral("F8"), QStringLiteral("F1"), QStringLiteral("F2")}));
    EXPECT_EQ(SightList[10], 9) << "the eighth foresight keeps its entry";
}

}  // namespace
}  // namespace tavelcor::fieldlinktest
