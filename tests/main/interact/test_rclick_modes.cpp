// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right-click calculations that store what they find, driven through
// the main window: the four-point intersection (a new coordinate and its
// undo record), copy or point (the clipboard's number list or a new
// observation point) and the link mode (the photo viewer's candidates).
#include "rclick_fixture.h"

#include "main/background/photo_viewer.h"
#include "main/edit/history_commands.h"
#include "main/edit/undo_history.h"
#include "main/interact/mode_options.h"
#include "main/survey/survey_marks.h"

#include <QFile>

#include <cmath>

namespace tavelcor::rclicktest {
namespace {

using platform::MsgResult;

// --- four-point intersection --------------------------------------------------------

class IntersectionTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(1, QStringLiteral("A"), 0.0, 0.0);
        coordinate(2, QStringLiteral("B"), 10.0, 10.0);
        coordinate(3, QStringLiteral("C"), 0.0, 10.0);
        coordinate(4, QStringLiteral("D"), 10.0, 0.0);
        plot().Option34.setValue(true);
        ASSERT_EQ(RclickMode, 34);
    }

    static void pickAll(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            rightPress(ZahyoX[n], ZahyoY[n]);
    }
};

TEST_F(IntersectionTest, TheFirstOfARunIsNumberedAfterTheNextThousand)
{
    ZahyoMax = 1234;
    pickAll({1, 2, 3, 4});
    ASSERT_EQ(ZahyoMax, 2001);
    EXPECT_EQ(ZahyoBaseMax, 1234);
    EXPECT_EQ(ZahyoName[2001], QStringLiteral("2001P"));
    EXPECT_DOUBLE_EQ(ZahyoX[2001], 5.0);
    EXPECT_DOUBLE_EQ(ZahyoY[2001], 5.0);
    EXPECT_DOUBLE_EQ(ZahyoPX[2001], 5.0);
    EXPECT_DOUBLE_EQ(ZahyoH[2001], 0.0);
    EXPECT_EQ(ZahyoDirty, 1);
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kCoordinateAppended);
    EXPECT_EQ(UndoVal1[UndoPos], 2000.0F);
    EXPECT_EQ(CalcPick1, 0);
    EXPECT_EQ(CalcPickCount, 0);
    const QString report = reportText();
    EXPECT_TRUE(report.startsWith(QStringLiteral("TAVELCOR ４点交点") + kCrLf
                                  + QStringLiteral("1:    1 A              X=      0.000 Y=      0.000") + kCrLf));
    EXPECT_TRUE(report.endsWith(QStringLiteral("4:    4 D              X=     10.000 Y=      0.000") + kCrLf
                                + QStringLiteral("交点  2001 2001P          X=      5.000 Y=      5.000") + kCrLf + kCrLf))
        << report.toStdString();

    pickAll({1, 2, 3, 4});
    EXPECT_EQ(ZahyoMax, 2002) << "the next one follows on";
    EXPECT_EQ(ZahyoName[2002], QStringLiteral("2002P"));
}

TEST_F(IntersectionTest, UndoGivesTheNumberBack)
{
    ZahyoMax = 1234;
    pickAll({1, 2, 3, 4});
    Command60_Click(plot());
    EXPECT_EQ(ZahyoMax, 2000);
}

TEST_F(IntersectionTest, HeightsAreCarriedAlongTheFirstLine)
{
    ZahyoH[1] = 10.0;
    ZahyoH[2] = 30.0;
    pickAll({1, 2, 3, 4});
    EXPECT_DOUBLE_EQ(ZahyoH[ZahyoMax], 20.0);
}

TEST_F(IntersectionTest, RepeatedPicksAreIgnored)
{
    pickAll({1, 1, 2, 3, 3});
    EXPECT_EQ(CalcPick1, 1);
    EXPECT_EQ(CalcPick2, 2);
    EXPECT_EQ(CalcPick3, 3);
    EXPECT_EQ(CalcPickCount, 3);
}

TEST_F(IntersectionTest, ALineWhoseTwoPointsShareXIsRefused)
{
    coordinate(5, QStringLiteral("E"), 0.0, 20.0);  // shares X with A
    ZahyoMax = 1234;
    script().expectMessage(MsgResult::Ok, QStringLiteral("４点交点が求まりません"));
    pickAll({1, 5, 3, 4});
    EXPECT_EQ(ZahyoMax, 2001) << "the number stays taken, without a coordinate";
    EXPECT_NE(ZahyoName[2001], QStringLiteral("2001P"));
    for (int n : {0, 2001}) {
        EXPECT_TRUE(std::isfinite(ZahyoX[n]) && std::isfinite(ZahyoY[n]) && std::isfinite(ZahyoH[n])) << n;
        EXPECT_TRUE(std::isfinite(ZahyoPX[n]) && std::isfinite(ZahyoPY[n])) << n;
    }
    EXPECT_EQ(CalcPick1, 0);
    EXPECT_EQ(CalcPickList[4], 0);
    EXPECT_EQ(CalcPickCount, 0);
    EXPECT_NE(UndoKind[UndoPos], undo_kind::kCoordinateAppended);
}

TEST_F(IntersectionTest, ParallelLinesAreRefused)
{
    coordinate(5, QStringLiteral("E"), 0.0, 5.0);
    coordinate(6, QStringLiteral("F"), 10.0, 15.0);  // parallel to A-B
    script().expectMessage(MsgResult::Ok, QStringLiteral("４点交点が求まりません"));
    pickAll({1, 2, 5, 6});
    EXPECT_TRUE(std::isfinite(ZahyoX[0]));
    EXPECT_FALSE(ZahyoName[ZahyoMax].endsWith(QLatin1Char('P')));
}

// --- copy or point ---------------------------------------------------------------------

class CopyTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(5, QStringLiteral("K5"), 0.0, 0.0);
        coordinate(6, QStringLiteral("K6"), 10.0, 0.0);
        coordinate(7, QStringLiteral("P9_?_"), 20.0, 0.0);
        for (int n = 1; n <= 4; ++n)
            ZahyoName[n] = freeZahyoName();
        script().expectMessage(platform::MsgResult::Ok, copyPointHint());
        plot().Option4.setValue(true);
        ASSERT_EQ(RclickMode, 4);
    }

    void ticks(bool numbers, bool names)
    {
        tick(plot().Check1, numbers);
        tick(plot().Check2, names);
    }
};

TEST_F(CopyTest, AnObservationPointsCoordinateDoesNothing)
{
    ticks(true, true);
    clipboard.setText(QStringLiteral("kept"));
    const int points = PointCount;
    const std::size_t prompts = script().records().size();
    rightPress(20.0, 0.0);
    EXPECT_EQ(script().records().size(), prompts) << "nothing asked";
    EXPECT_EQ(clipboard.text(), QStringLiteral("kept"));
    EXPECT_EQ(PointCount, points);
    EXPECT_EQ(CalcPick1, 0);
}

TEST_F(CopyTest, ASingleLineOnTheClipboardIsReplacedWithoutAQuestion)
{
    ticks(true, true);
    clipboard.setText(QStringLiteral("12"));
    const std::size_t prompts = script().records().size();
    script().expectMessage(MsgResult::Ok, QStringLiteral(" 5  K5をコピーしました"));
    rightPress(0.0, 0.0);
    EXPECT_EQ(clipboard.text(), QStringLiteral("5\r\n"));
    ASSERT_EQ(script().records().size(), prompts + 1) << "no Yes/No question";
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkOnly);
}

TEST_F(CopyTest, AWaitingListGrowsOnYesAndRestartsOnNo)
{
    ticks(true, true);
    clipboard.setText(QStringLiteral("1\r\n2\r\n"));
    const QString question = QStringLiteral("すでにクリップボードには\r\n1\r\n2\r\nがコピーされています。\r\n\r\n5\tK5\t0\t0\r\n"
                                            "を追加する場合[はい]を、この点のみをコピーする場合は、[いいえ] を選んで下さい");
    script().expectMessage(MsgResult::Yes, question);
    rightPress(0.0, 0.0);
    EXPECT_EQ(clipboard.text(), QStringLiteral("1\r\n2\r\n5\r\n"));
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::YesNo);

    script().expectMessage(MsgResult::No);
    rightPress(10.0, 0.0);
    EXPECT_EQ(clipboard.text(), QStringLiteral("6\r\n")) << "only this point";
    EXPECT_EQ(CalcPick1, 6);
}

TEST_F(CopyTest, NeitherTickMakesAnObservationPointNamedByTheNumber)
{
    ticks(false, false);
    Plot& w = plot();
    w.Option13[7].setValue(true);
    const int before = PointCount;
    clipboard.setText(QStringLiteral("text"));
    script().expectMessage(MsgResult::Ok, QStringLiteral(" 5  K5をコピーしました"));
    rightPress(0.0, 0.0);
    ASSERT_EQ(PointCount, before + 1);
    EXPECT_EQ(PointName[PointCount], QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(PointX[PointCount], 0.0);
    EXPECT_DOUBLE_EQ(PointY[PointCount], 0.0);
    EXPECT_EQ(PointMark[PointCount], 7);
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kPointAdded);
    EXPECT_EQ(UndoVal1[UndoPos], static_cast<float>(before));
    EXPECT_TRUE(clipboard.text().isEmpty());
    EXPECT_TRUE(w.Label28.Caption().isEmpty());
}

TEST_F(CopyTest, TheNameTickAloneNamesThePointAfterTheCoordinate)
{
    ticks(false, true);
    script().expectMessage(MsgResult::Ok, QStringLiteral("K6をポイント化しました"));
    rightPress(10.0, 0.0);
    EXPECT_EQ(PointName[PointCount], QStringLiteral("K6"));
    EXPECT_DOUBLE_EQ(PointX[PointCount], 10.0);
}

TEST_F(CopyTest, ACopyListPastAHundredRowsIsRefused)
{
    ticks(true, true);
    CalcPick1 = 5;
    CalcPickCount = 100;
    clipboard.setText(QStringLiteral("1\r\n2\r\n"));
    script().expectMessage(MsgResult::Ok, QStringLiteral("コピーできる点は100点までです"));
    rightPress(10.0, 0.0);
    EXPECT_EQ(CalcPickCount, 100);
    EXPECT_EQ(clipboard.text(), QStringLiteral("1\r\n2\r\n")) << "the list stays as it was";
}

TEST_F(CopyTest, InMenuModeTheHitTestStillTakesAnObservationPoint)
{
    Plot& w = plot();
    interacttest::InteractTest::addPoint(1, QStringLiteral("PT"), 40.0, 40.0);
    w.Option33.setValue(true);
    const int before = ZahyoMax;
    script().expectPopupMenu(std::nullopt);
    rightPress(40.3, 40.2);
    ASSERT_EQ(ZahyoMax, before + 1);
    EXPECT_EQ(ZahyoName[ZahyoMax], QStringLiteral("PT_?_"));
    EXPECT_EQ(RclickMode, 0);
}

// --- link mode ----------------------------------------------------------------------------

class LinkTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        for (const char* name : {"a.jpg", "b.jpg", "d.jpg"}) {
            QFile file(SiteFolder + QString::fromLatin1(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        link(1, 0.0, 0.0, "a.jpg");
        link(2, 0.3, 0.0, "b.jpg");
        link(3, 0.0, 0.2, "missing.jpg");
        link(4, 5.0, 0.0, "a.jpg");
        link(5, 20.0, 20.0, "d.jpg");
        plot().Option32.setValue(true);
        ASSERT_EQ(RclickMode, 32);
    }

    static void link(int n, double x, double y, const char* file)
    {
        coordinate(n, QStringLiteral("L%1").arg(n), x, y);
        ZahyoLink[n] = QString::fromLatin1(file);
    }
};

TEST_F(LinkTest, TheCoordinatesNearTheHitWithExistingFilesOpenTheViewer)
{
    rightPress(0.0, 0.0);
    EXPECT_EQ(LinkCand[0], 2);
    EXPECT_EQ(LinkCand[1], 1);
    EXPECT_EQ(LinkCand[2], 2);
    EXPECT_EQ(LinkCandCount, 1);
    const Jpegdisp* viewer = jpegdispForm().ifLoaded();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->Visible());
}

TEST_F(LinkTest, APressWithNoCoordinateHitShowsNothing)
{
    // Regression: the scratch slot 0 holds a computed point beside coordinate
    // 5, whose photo was shown for a press far from every coordinate.
    ZahyoX[0] = ZahyoPX[0] = 20.0;
    ZahyoY[0] = ZahyoPY[0] = 20.0;
    rightPress(-40.0, -40.0);
    EXPECT_EQ(LinkCand[0], 0);
    EXPECT_EQ(jpegdispForm().ifLoaded(), nullptr);
}

}  // namespace
}  // namespace tavelcor::rclicktest
