// SPDX-License-Identifier: LicenseRef-Tavelcor
// Undo and Redo through the main window's buttons, one family of record
// kinds at a time: the tables, the positions, and what is drawn in place on
// the plot. Each edit is made as the plot's pointer handlers make it: the
// tables changed, the records pushed, the plot redrawn.
#include "edit_window_fixture.h"

namespace tavelcor::edittest {
namespace {

using History = EditWindowTest;

TEST_F(History, APointAddedByAClickIsPaintedOverAndComesBack)
{
    putPoint(1, QStringLiteral("P1"), -20.0, -20.0);
    putPoint(2, QStringLiteral("P2"), -10.0, -20.0);
    Plot& w = shownPlot();
    const QImage without = picture();
    addPointByClick(QStringLiteral("P3"), 20.0, 10.0);
    crtplot();
    const QImage with = picture();
    ASSERT_NE(with, without);

    press(w.Command60);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(picture(), without) << "marker and label painted over in white";
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P3")) << "the name after the last remaining point";
    EXPECT_TRUE(w.Command61.Visible());

    press(w.Command61);
    EXPECT_EQ(PointCount, 3);
    EXPECT_EQ(UndoPos, 1);
    EXPECT_EQ(picture(), with) << "drawn again where the point layer draws it";
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P4"));
    EXPECT_FALSE(w.Command61.Visible());
}

TEST_F(History, APointAddedOnALineIsOneUndoAndOneRedo)
{
    putLine(1, 0.0, -30.0, 0.0, 30.0, 12);
    Plot& w = shownPlot();
    addPointOnLine(1, QStringLiteral("K1"), 0.0, 5.0);
    crtplot();
    ASSERT_TRUE(printedAt(0.0, 5.0, QStringLiteral(" K1"), platform::QBColor(0)));

    press(w.Command60);
    EXPECT_EQ(UndoPos, 0) << "three records in one step";
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(LineNext, 2);
    EXPECT_EQ(LineX2[1], 0.0);
    EXPECT_EQ(LineY2[1], 30.0);
    EXPECT_TRUE(erasedAt(0.0, 5.0, QStringLiteral(" K1")));
    EXPECT_EQ(colorAt(0.0, 20.0), platform::QBColor(12)) << "the lines keep their picture";

    press(w.Command61);
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(PointCount, 1);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(LineY2[1], 5.0);
    EXPECT_TRUE(printedAt(0.0, 5.0, QStringLiteral(" K1"), platform::QBColor(0)));
}

TEST_F(History, AMoveWithTwoCarriedLineEndsIsOneStepEachWay)
{
    // The lines leave the point to the west and the north, clear of its label.
    putPoint(1, QStringLiteral("M"), 0.0, 0.0);
    putLine(1, 0.0, 0.0, 0.0, -30.0, 9);   // starts on the point
    putLine(2, 30.0, 0.0, 0.0, 0.0, 9);    // ends on it
    Plot& w = shownPlot();
    movePoint(1, -10.0, 10.0);
    crtplot();
    ASSERT_EQ(colorAt(0.0, -15.0), platform::QBColor(15));

    press(w.Command60);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(PointX[1], 0.0);
    EXPECT_EQ(LineX1[1], 0.0);
    EXPECT_EQ(LineY2[2], 0.0);
    EXPECT_EQ(colorAt(0.0, -15.0), platform::QBColor(9)) << "line 1 back in place";
    EXPECT_EQ(colorAt(15.0, 0.0), platform::QBColor(9)) << "line 2 back in place";
    EXPECT_EQ(colorAt(-5.0, -10.0), platform::QBColor(15)) << "the moved segment painted over";
    EXPECT_TRUE(printedAt(0.0, 0.0, QStringLiteral(" M"), platform::QBColor(0)));
    EXPECT_TRUE(erasedAt(-10.0, 10.0, QStringLiteral(" M")));

    press(w.Command61);
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(PointX[1], -10.0);
    EXPECT_EQ(LineY1[1], 10.0);
    EXPECT_EQ(LineX2[2], -10.0);
    EXPECT_EQ(colorAt(-5.0, -10.0), platform::QBColor(9));
    EXPECT_EQ(colorAt(0.0, -15.0), platform::QBColor(15));
    EXPECT_TRUE(printedAt(-10.0, 10.0, QStringLiteral(" M"), platform::QBColor(0)));
}

TEST_F(History, APointMovedAndUndoneStandsAtItsPositionInSinglePrecision)
{
    putPoint(1, QStringLiteral("M"), 12345.678901, 20.0);
    Plot& w = shownPlot();
    movePoint(1, 12346.25, 21.0);
    press(w.Command60);
    EXPECT_EQ(PointX[1], 12345.6787109375);
    press(w.Command61);
    EXPECT_EQ(PointX[1], 12346.25) << "Redo gives back exactly the moved value";
}

TEST_F(History, ARangeDeletionOf40PointsIsOneUndoAndTwoRangesAreTwo)
{
    for (int i = 1; i <= 80; ++i)
        putPoint(i, QString::number(i), -40.0 + (i - 1) / 10 * 10.0, -40.0 + (i - 1) % 10 * 8.0);
    Plot& w = shownPlot();
    deletePointRange(1, 40);
    deletePointRange(41, 80);
    crtplot();
    ASSERT_TRUE(erasedAt(PointX[41], PointY[41], QStringLiteral(" 41")));

    press(w.Command60);
    EXPECT_EQ(UndoPos, 40);
    EXPECT_EQ(PointMark[41], 2);
    EXPECT_EQ(PointMark[40], 102);
    EXPECT_TRUE(printedAt(PointX[41], PointY[41], QStringLiteral(" 41"), platform::QBColor(0)));
    EXPECT_TRUE(printedAt(PointX[80], PointY[80], QStringLiteral(" 80"), platform::QBColor(0)));
    press(w.Command60);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_TRUE(printedAt(PointX[1], PointY[1], QStringLiteral(" 1"), platform::QBColor(0)));

    press(w.Command61);
    EXPECT_EQ(UndoPos, 40) << "one press redoes the whole group";
    EXPECT_EQ(PointMark[40], 102);
    EXPECT_TRUE(erasedAt(PointX[1], PointY[1], QStringLiteral(" 1")));
}

TEST_F(History, NamesAndMarkerOfAPointGoBackAndForth)
{
    putPoint(1, QStringLiteral("A1"), 0.0, 0.0, 2);
    Plot& w = shownPlot();
    pushUndoRecord(UndoRecordFields(undo_kind::kPointChanged).item(1).values(2.0F, 7.0F)
        .texts(QStringLiteral("A1|"), QStringLiteral("B7|済")));
    PointName[1] = QStringLiteral("B7");
    PointName2[1] = QStringLiteral("済");
    PointMark[1] = 7;
    crtplot();
    ASSERT_TRUE(printedAt(0.0, 0.0, QStringLiteral(" B7済"), platform::QBColor(12)));

    press(w.Command60);
    EXPECT_EQ(PointName[1], QStringLiteral("A1"));
    EXPECT_EQ(PointMark[1], 2);
    EXPECT_TRUE(printedAt(0.0, 0.0, QStringLiteral(" A1"), platform::QBColor(0)));
    press(w.Command61);
    EXPECT_EQ(PointName2[1], QStringLiteral("済"));
    EXPECT_TRUE(printedAt(0.0, 0.0, QStringLiteral(" B7済"), platform::QBColor(12))) << "red: measured";
}

// With label sizes that shrink with the number of points in view, a point
// that Redo deletes leaves nothing of its marker or label behind.
TEST_F(History, RedoOfADeletionWithShrinkingLabelsLeavesNothingBehind)
{
    VarFont = 1;
    for (int i = 1; i <= 600; ++i)
        putPoint(i, QStringLiteral("G"), -45.0 + (i - 1) / 30 * 2.0, -45.0 + (i - 1) % 30 * 1.0);
    putPoint(601, QStringLiteral("ALONE"), 20.0, 20.0);
    Plot& w = shownPlot();
    ASSERT_LT(PointFontSize, FontSize);
    ASSERT_GT(inkNear(20.0, 22.0, 4.0), 0);
    PointMark[601] = 102;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointDeleted).values(601.0F));
    press(w.Command60);
    ASSERT_EQ(PointMark[601], 2);
    press(w.Command61);
    EXPECT_EQ(PointMark[601], 102);
    EXPECT_EQ(inkNear(20.0, 22.0, 4.0), 0);
}

TEST_F(History, ACompletedSegmentBecomesTheSegmentInProgressAgain)
{
    putLine(1, 0.0, -30.0, 0.0, 0.0, 9);
    LineX1[2] = 0.0;
    LineY1[2] = 0.0;
    LineColor[2] = 9;
    Plot& w = shownPlot();
    LineX2[2] = 20.0;
    LineY2[2] = 20.0;
    pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(2.0F));
    LineNext = 3;
    LineColor[3] = 9;
    crtplot();
    ASSERT_EQ(colorAt(10.0, 10.0), platform::QBColor(9));

    press(w.Command60);
    EXPECT_EQ(LineNext, 2) << "the stored index";
    EXPECT_EQ(colorAt(10.0, 10.0), platform::QBColor(15));
    EXPECT_EQ(colorAt(0.0, -15.0), platform::QBColor(9));
    press(w.Command61);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(colorAt(10.0, 10.0), platform::QBColor(9));
}

TEST_F(History, LineDeletionEndAndColourGoBackAndForth)
{
    putLine(1, -30.0, -30.0, -30.0, 30.0, 9);
    putLine(2, 30.0, -30.0, 30.0, 30.0, 12);
    Plot& w = shownPlot();
    LineColor[1] = 109;  // deleted
    pushUndoRecord(UndoRecordFields(undo_kind::kLineDeleted).values(1.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kLineColor).item(2).values(12.0F, 10.0F));
    LineColor[2] = 10;
    pushUndoRecord(UndoRecordFields(undo_kind::kLineEndMoved).item(-2).values(30.0F, -30.0F)
        .texts(QStringLiteral("10"), QStringLiteral("-30")));
    LineX1[2] = 10.0;
    crtplot();
    ASSERT_EQ(colorAt(-30.0, 0.0), platform::QBColor(15));
    ASSERT_EQ(colorAt(20.0, 0.0), platform::QBColor(10));

    press(w.Command60);  // 23
    EXPECT_EQ(LineX1[2], 30.0);
    EXPECT_EQ(colorAt(30.0, 0.0), platform::QBColor(10));
    press(w.Command60);  // 24
    EXPECT_EQ(LineColor[2], 12);
    EXPECT_EQ(colorAt(30.0, 0.0), platform::QBColor(12));
    press(w.Command60);  // 22
    EXPECT_EQ(LineColor[1], 9);
    EXPECT_EQ(colorAt(-30.0, 0.0), platform::QBColor(9));

    press(w.Command61);
    EXPECT_EQ(LineColor[1], 109);
    EXPECT_EQ(colorAt(-30.0, 0.0), platform::QBColor(15));
    press(w.Command61);
    EXPECT_EQ(colorAt(30.0, 0.0), platform::QBColor(10));
    press(w.Command61);
    EXPECT_EQ(LineX1[2], 10.0);
    EXPECT_EQ(colorAt(20.0, 0.0), platform::QBColor(10));
    EXPECT_FALSE(w.Command61.Visible());
}

TEST_F(History, TextsGoBackAndForth)
{
    FontSize = 12;
    Plot& w = shownPlot();
    pushUndoRecord(UndoRecordFields(undo_kind::kTextAdded).values(0.0F));
    putText(1, QStringLiteral("ABC"), 10.0F, -20.0F, 9);
    pushUndoRecord(UndoRecordFields(undo_kind::kTextMoved).item(1).values(10.0F, -20.0F)
        .texts(QStringLiteral("-10"), QStringLiteral("5")));
    TxtX[1] = -10.0F;
    TxtY[1] = 5.0F;
    crtplot();
    ASSERT_GT(inkNear(-11.0, 6.0, 2.0), 0);

    press(w.Command60);  // 33
    EXPECT_EQ(TxtX[1], 10.0F);
    EXPECT_EQ(inkNear(-11.0, 6.0, 2.0), 0) << "erased where it stood";
    EXPECT_GT(inkNear(9.0, -19.0, 2.0), 0) << "drawn where it stands again";
    press(w.Command60);  // 31
    EXPECT_EQ(TxtCount, 0);
    EXPECT_EQ(inkNear(9.0, -19.0, 2.0), 0);
    press(w.Command61);
    EXPECT_EQ(TxtCount, 1);
    EXPECT_GT(inkNear(9.0, -19.0, 2.0), 0);
}

TEST_F(History, StrokesGoBackAndForth)
{
    Plot& w = shownPlot();
    const int a = putStroke(10, -5.0F, -5.0F, 10);
    pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDrawn).values(float(a), float(a + 9)));
    crtplot();
    ASSERT_EQ(colorAt(0.0, 0.0), platform::QBColor(10));

    press(w.Command60);
    EXPECT_EQ(TegakiPen[a], 0);
    EXPECT_EQ(colorAt(0.0, 0.0), platform::QBColor(15));
    press(w.Command61);
    EXPECT_EQ(TegakiPen[a + 9], 3);
    EXPECT_EQ(colorAt(0.0, 0.0), platform::QBColor(10));
}

TEST_F(History, UndoOfAComputedCoordinateGivesZahyoMaxBackAndRunsTheRedisplay)
{
    Plot& w = shownPlot();
    const int before = ZahyoMax;
    surveytest::addCoordinate(ZahyoMax + 1, QStringLiteral("C"), 5.0, 5.0);
    ASSERT_EQ(ZahyoMax, before + 1);
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(float(ZahyoMax - 1)));
    CalcPick1 = 7;  // the redisplay clears the calculation picks
    press(w.Command60);
    EXPECT_EQ(ZahyoMax, before);
    EXPECT_EQ(CalcPick1, 0);
    CalcPick1 = 7;
    press(w.Command61);
    EXPECT_EQ(ZahyoMax, before + 1);
    EXPECT_EQ(CalcPick1, 0);
}

}  // namespace
}  // namespace tavelcor::edittest
