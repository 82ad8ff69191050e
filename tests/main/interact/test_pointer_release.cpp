// SPDX-License-Identifier: LicenseRef-Tavelcor
// The release on the plot: the pan end, the dispatch of the left release,
// the end of a hand stroke, the single deletes of the four panels and the
// zoom windows, checked in the view, the tables, the history and the
// pixels.
#include "pointer_fixture.h"

#include "main/edit/history_commands.h"
#include "main/edit/undo_history.h"
#include "main/interact/line_picks.h"
#include "main/interact/text_boxes.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"

namespace tavelcor::interacttest {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr int kRed = 12;

using PointerRelease = PointerTest;

TEST_F(PointerRelease, APanWithinOneTenthBothWaysLeavesTheViewAndMoreMovesIt)
{
    pressAt(kMiddle, 0.0, 0.0);
    releaseAt(kMiddle, 0.1, 0.1);
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY);
    EXPECT_EQ(redraws, 0);

    pressAt(kMiddle, 0.0, 0.0);
    releaseAt(kMiddle, 0.0, 0.11);  // 0.11 east only
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX);
    EXPECT_NEAR(ViewCY, kOriginY - 0.11, 1e-6);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(causeDuringRedraw, 9);
    EXPECT_EQ(RedrawCause, 0);
    EXPECT_EQ(w().Picture1.MousePointer(), 2);
}

TEST_F(PointerRelease, TheLeftButtonPansAfterTheMenusPanOrAnArmedDrag)
{
    PanOnce = 1;
    pressAt(kLeft, 0.0, 0.0);  // the press takes it as the middle button
    releaseAt(kLeft, 3.0, 0.0);
    EXPECT_EQ(PanOnce, 0);
    EXPECT_DOUBLE_EQ(ViewCX, kOriginX - 3.0);

    PanDrag = 2;
    PanStartX = 0.0F;
    PanStartY = 0.0F;
    releaseAt(kLeft, 0.0, 2.0);
    EXPECT_EQ(PanDrag, 0);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY - 2.0);

    // A right release never pans, but it too ends the armed drag.
    PanDrag = 2;
    releaseAt(kRight, 0.0, 9.0);
    EXPECT_EQ(PanDrag, 0);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY - 2.0);
}

TEST_F(PointerRelease, TheDispatchTakesTheFirstRowThatHolds)
{
    struct Row {
        platform::Frame Plot::*panel;
        platform::OptionButton Plot::*option;
        int moved;
        int boxDrawn;
        ReleaseRow row;
    };
    const Row rows[] = {
        {&Plot::Frame9, &Plot::Option16, 1, 1, ReleaseRow::StrokeEnd},
        {&Plot::Frame9, &Plot::Option17, 0, 0, ReleaseRow::StrokeDelete},
        {&Plot::Frame9, &Plot::Option17, 1, 0, ReleaseRow::StrokeRangeDelete},
        {&Plot::Frame4, &Plot::Option10, 0, 1, ReleaseRow::PointDelete},
        {&Plot::Frame4, &Plot::Option10, 1, 0, ReleaseRow::Nothing},
        {&Plot::Frame4, &Plot::Option10, 1, 1, ReleaseRow::PointRangeDelete},
        {&Plot::Frame11, &Plot::Option19, 0, 0, ReleaseRow::TextDelete},
        {&Plot::Frame11, &Plot::Option19, 1, 1, ReleaseRow::TextRangeDelete},
        {&Plot::Frame11, &Plot::Option18, 0, 1, ReleaseRow::TextRangeRecolour},
        {&Plot::Frame10, &Plot::Option21, 0, 0, ReleaseRow::LineDelete},
        {&Plot::Frame10, &Plot::Option21, 1, 1, ReleaseRow::LineRangeDelete},
        {&Plot::Frame10, &Plot::Option25, 1, 1, ReleaseRow::LineRangeRecolour},
        {&Plot::Frame10, &Plot::Option20, 1, 1, ReleaseRow::Nothing},
    };
    for (const Row& row : rows) {
        for (platform::Frame* f : {&w().Frame4, &w().Frame9, &w().Frame10, &w().Frame11})
            f->setVisible(false);
        openPanel(w().*row.panel, &(w().*row.option));
        PointerMoved = static_cast<std::uint8_t>(row.moved);
        RangeBoxDrawn = static_cast<std::uint8_t>(row.boxDrawn);
        EXPECT_EQ(releaseRowFor(w()), row.row) << int(row.row);
    }
    // The label hidden by the 対角 button keeps every panel row but the
    // stroke end away; the 対角 mode keeps them all away.
    DiagonalLabelHidden = 1;
    EXPECT_EQ(releaseRowFor(w()), ReleaseRow::Nothing);
    openPanel(w().Frame9, &w().Option16);
    EXPECT_EQ(releaseRowFor(w()), ReleaseRow::StrokeEnd);
    DiagonalArmed = 1;
    EXPECT_EQ(releaseRowFor(w()), ReleaseRow::DiagonalWindow);
    DiagonalArmed = 0;
    w().Frame9.setVisible(false);
    DiagZoom = 1;
    DragZoomArmed = 1;
    DragZoomHeld = 1;
    EXPECT_EQ(releaseRowFor(w()), ReleaseRow::DragZoomWindow);
}

TEST_F(PointerRelease, ARangeDragReachesItsRangeOperation)
{
    openPanel(w().Frame4, &w().Option10);
    addPoint(1, QStringLiteral("IN"), 5.0, 5.0);
    addPoint(2, QStringLiteral("OUT"), 50.0, 5.0);
    pressAt(kLeft, 0.0, 0.0);
    moveTo(kLeft, 10.0, 10.0);
    ASSERT_EQ(RangeBoxDrawn, 1);
    releaseAt(kLeft, 10.0, 10.0);
    EXPECT_EQ(PointMark[1], 101);
    EXPECT_EQ(PointMark[2], 1);
    EXPECT_EQ(UndoKind[UndoPos], 112);
    EXPECT_EQ(RangeBoxDrawn, 0);
}

// A range drag that catches nothing leaves the plot as it was in each of
// the four delete modes: the rubber rectangles drawn while dragging all go
// again, its first corner included.
TEST_F(PointerRelease, AnEmptyRangeDragLeavesNoMarkOnThePlot)
{
    struct Row {
        platform::Frame Plot::*panel;
        platform::OptionButton Plot::*option;
        const char* name;
    };
    const Row rows[] = {
        {&Plot::Frame4, &Plot::Option10, "points"},
        {&Plot::Frame10, &Plot::Option21, "lines"},
        {&Plot::Frame11, &Plot::Option19, "texts"},
        {&Plot::Frame9, &Plot::Option17, "strokes"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (platform::Frame* f : {&w().Frame4, &w().Frame9, &w().Frame10, &w().Frame11})
            f->setVisible(false);
        openPanel(w().*row.panel, &(w().*row.option));
        const QImage before = w().Picture1.canvas().image().copy();
        pressAt(kLeft, 2.3, 3.7);
        moveTo(kLeft, 5.1, 6.2);
        moveTo(kLeft, 9.6, 12.9);
        releaseAt(kLeft, 9.6, 12.9);
        EXPECT_EQ(RangeBoxDrawn, 0);
        EXPECT_EQ(nonWhitePixels(1.0, 2.0, 11.0, 14.0), 0);
        EXPECT_TRUE(w().Picture1.canvas().image() == before);
    }
}

// A range delete taken back and done again leaves the picture of each step
// exactly as the redraw shows it.
TEST_F(PointerRelease, ARangeDeleteUndoneAndRedoneLeavesNoMarkAtItsFirstCorner)
{
    addPoint(1, QStringLiteral("IN"), 6.0, 6.0);
    crtplot();
    const QImage withPoint = w().Picture1.canvas().image().copy();
    openPanel(w().Frame4, &w().Option10);
    pressAt(kLeft, 2.3, 3.7);
    moveTo(kLeft, 5.1, 6.2);
    moveTo(kLeft, 9.6, 12.9);
    releaseAt(kLeft, 9.6, 12.9);
    ASSERT_EQ(PointMark[1], 101);
    EXPECT_EQ(nonWhitePixels(1.0, 2.0, 11.0, 14.0), 0) << "after the delete";
    Command60_Click(w());
    ASSERT_EQ(PointMark[1], 1);
    EXPECT_TRUE(w().Picture1.canvas().image() == withPoint) << "after Undo";
    Command61_Click(w());
    ASSERT_EQ(PointMark[1], 101);
    EXPECT_EQ(nonWhitePixels(1.0, 2.0, 11.0, 14.0), 0) << "after Redo";
}

class StrokeRelease : public PointerTest {
protected:
    void SetUp() override
    {
        PointerTest::SetUp();
        openPanel(w().Frame9, &w().Option16);
        w().Option8[kRed].setValue(true);
    }
};

TEST_F(StrokeRelease, AStrokeOfOneVertexIsDroppedAndARecordlessReleaseChangesNothing)
{
    pressAt(kLeft, 1.0, 1.0);
    moveTo(kLeft, 1.0, 2.0);
    ASSERT_EQ(TegakiCount, 1);
    const int before = UndoPos;
    releaseAt(kLeft, 1.0, 3.0);
    EXPECT_EQ(TegakiPen[1], 0);
    EXPECT_EQ(TegakiCount, 1);
    EXPECT_EQ(UndoPos, before);

    // An ended stroke, then a press and release without motion.
    TegakiCount = 4;
    TegakiPen[4] = 3;
    pressAt(kLeft, 5.0, 5.0);
    releaseAt(kLeft, 5.0, 5.0);
    EXPECT_EQ(TegakiCount, 4);
    EXPECT_EQ(TegakiPen[4], 3);
    EXPECT_EQ(UndoPos, before);
}

TEST_F(StrokeRelease, AStrokeEndedNormallyPushesOneRecordAndDrawsItsLastSegment)
{
    TegakiCount = 3;
    TegakiPen[1] = 1;
    TegakiPen[2] = 2;
    TegakiPen[3] = 3;
    pressAt(kLeft, 2.0, 0.0);
    moveTo(kLeft, 2.0, 1.0);   // vertex 4 starts the stroke
    moveTo(kLeft, 2.0, 5.0);   // vertex 5 goes on
    const int before = UndoPos;
    releaseAt(kLeft, 2.0, 9.0);
    ASSERT_EQ(TegakiCount, 6);
    EXPECT_EQ(TegakiPen[6], 3);
    EXPECT_EQ(TegakiColor[6], kRed);
    EXPECT_FLOAT_EQ(TegakiY[6], 9.0F);
    EXPECT_FLOAT_EQ(TegakiX[6], 2.0F);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 41);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 4.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 6.0F);
    EXPECT_EQ(colorAt(2.0, 7.0), platform::QBColor(kRed));
    EXPECT_EQ(w().Picture1.canvas().DrawWidth(), 1);
}

class SingleDeletes : public PointerTest {
protected:
    // A click: the press's PointerMoved stays 0 up to the release.
    void clickAt(double north, double east)
    {
        PointerMoved = 0;
        releaseAt(kLeft, north, east);
    }
};

TEST_F(SingleDeletes, OfTwoPointsInTheRadiusTheHigherIndexGoesEvenWhenFarther)
{
    openPanel(w().Frame4, &w().Option10);
    const double r0 = snapBaseRadius(HitRadius, ViewSpanX);
    addPoint(1, QStringLiteral("NEAR"), 20.0, 20.0 + 0.1 * r0);
    addPoint(2, QStringLiteral("FAR"), 20.0, 20.0 - 0.9 * r0);
    crtplot();
    ASSERT_GT(nonWhitePixels(22.0, 18.0, 18.0, 26.0), 0);
    const int before = UndoPos;
    clickAt(20.0, 20.0);
    EXPECT_EQ(PointMark[2], 101);
    EXPECT_EQ(PointMark[1], 1);
    EXPECT_EQ(CurPoint, 2);
    EXPECT_EQ(DelPending, 2);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 12);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 2.0F);
}

TEST_F(SingleDeletes, APointOnlyWithinThreeRadiiIsFoundInTheThirdPass)
{
    openPanel(w().Frame4, &w().Option10);
    const double r0 = snapBaseRadius(HitRadius, ViewSpanX);
    addPoint(1, QStringLiteral("THREE"), 20.0, 20.0 + 2.5 * r0);
    addPoint(2, QStringLiteral("BEYOND"), -20.0, -20.0 + 4.2 * r0);
    clickAt(-20.0, -20.0);
    EXPECT_EQ(PointMark[2], 1);  // farther than four radii
    clickAt(20.0, 20.0);
    EXPECT_EQ(PointMark[1], 101);
}

TEST_F(SingleDeletes, ADeletedPointIsPaintedWhite)
{
    openPanel(w().Frame4, &w().Option10);
    addPoint(1, QStringLiteral("WHITE"), 20.0, 20.0);
    crtplot();
    const int drawn = nonWhitePixels(25.0, 15.0, 15.0, 35.0);
    ASSERT_GT(drawn, 0);
    clickAt(20.0, 20.0);
    EXPECT_EQ(nonWhitePixels(25.0, 15.0, 15.0, 35.0), 0);
}

TEST_F(SingleDeletes, AStrokeDeleteNeedsTheStrokeLayerAndPaintsTheStrokeWhite)
{
    // The layer switch is unticked before the panel opens: an open panel
    // ticks its layer again.
    w().Check14.setValue(0);
    openPanel(w().Frame9, &w().Option17);
    TegakiCount = 3;
    TegakiPen[1] = 1;
    TegakiPen[2] = 2;
    TegakiPen[3] = 3;
    const float xs[] = {0.0F, 10.0F, 10.0F, 10.0F};
    const float ys[] = {0.0F, 0.0F, 10.0F, 20.0F};
    for (int v = 1; v <= 3; ++v) {
        TegakiX[v] = xs[v];
        TegakiY[v] = ys[v];
        TegakiColor[v] = 0;
    }
    const int before = UndoPos;
    clickAt(10.2, 15.0);
    EXPECT_EQ(TegakiPen[2], 2);
    EXPECT_EQ(UndoPos, before);

    w().Check14.setValue(1);
    crtplot();
    ASSERT_NE(colorAt(10.0, 15.0), white());
    clickAt(10.2, 15.0);
    EXPECT_EQ(TegakiPen[1], 0);
    EXPECT_EQ(TegakiPen[2], 0);
    EXPECT_EQ(TegakiPen[3], 0);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 42);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 1.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 3.0F);
    EXPECT_EQ(colorAt(10.0, 15.0), white());
}

TEST_F(SingleDeletes, ATextDeleteTakesTheLowestIndexAndNothingOnAnEdge)
{
    openPanel(w().Frame11, &w().Option19);
    for (int i : {1, 2}) {
        TxtString[i] = QStringLiteral("ABCD");
        TxtX[i] = 10.0F;
        TxtY[i] = 0.0F;
        TxtColor[i] = 0;
    }
    TxtCount = 2;
    crtplot();
    const TextBoxScale scale = textBoxScale(plotFace(), FontSize * static_cast<double>(TextScale));
    ASSERT_GT(scale.lineHeight, 0.0);
    const double midNorth = 10.0 - scale.lineHeight / 2.0;
    const int before = UndoPos;
    clickAt(midNorth, 0.0);  // on the west edge
    EXPECT_EQ(UndoPos, before);
    EXPECT_FLOAT_EQ(RangeStartX, 0.0F);
    clickAt(10.0, scale.widthPerByte);  // on the top edge
    EXPECT_EQ(UndoPos, before);

    clickAt(midNorth, scale.widthPerByte);
    EXPECT_EQ(TxtColor[1], 100);
    EXPECT_EQ(TxtColor[2], 0);
    EXPECT_EQ(TxtEditOld, QStringLiteral("ABCD"));
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 32);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 1.0F);
}

TEST_F(SingleDeletes, ALineDeleteWithoutLinesOnlyStoresTheAnchors)
{
    openPanel(w().Frame10, &w().Option21);
    const int before = UndoPos;
    const QImage picture = w().Picture1.canvas().image().copy();
    clickAt(3.0, 4.0);
    EXPECT_DOUBLE_EQ(LastClickX, 4.0);
    EXPECT_DOUBLE_EQ(LastClickY, -3.0);
    EXPECT_FLOAT_EQ(RangeStartX, 4.0F);
    EXPECT_FLOAT_EQ(RangeStartY, -3.0F);
    EXPECT_EQ(UndoPos, before);
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(w().Picture1.canvas().image(), picture);
}

TEST_F(SingleDeletes, ALineDeleteTakesTheFirstLineBesideTheClickAndPaintsItWhite)
{
    openPanel(w().Frame10, &w().Option21);
    for (int i : {1, 2}) {
        LineX1[i] = 5.0 * i;
        LineY1[i] = 0.0;
        LineX2[i] = 5.0 * i;
        LineY2[i] = 20.0;
        LineColor[i] = 0;
    }
    LineNext = 3;
    crtplot();
    ASSERT_NE(colorAt(10.0, 10.0), white());
    clickAt(10.1, 10.0);
    EXPECT_EQ(LineColor[2], 100);
    EXPECT_EQ(LineColor[1], 0);
    EXPECT_EQ(PickedLine, 2);
    EXPECT_EQ(UndoKind[UndoPos], 22);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 2.0F);
    EXPECT_EQ(colorAt(10.0, 10.0), white());
    EXPECT_NE(colorAt(5.0, 10.0), white());
}

class ZoomWindows : public PointerTest {
protected:
    void SetUp() override
    {
        PointerTest::SetUp();
        ViewSpanX = 2.0;
        ViewSpanY = 2.0;
        crtplot();  // the east extent grows to the plot's shape
        spanX0 = ViewSpanX;
        spanY0 = ViewSpanY;
        redraws = 0;
        LastClickX = 0.0;
        LastClickY = 0.0;
    }

    // The view a zoom window asked for: the redraw fits it to the plot's
    // shape and keeps the wanted extents in FitSpanX, FitSpanY.
    static double wantedSpanX() { return FitSpanX; }
    static double wantedSpanY() { return FitSpanY; }

    void expectViewUnchanged(const char* what) const
    {
        EXPECT_DOUBLE_EQ(ViewSpanX, spanX0) << what;
        EXPECT_DOUBLE_EQ(ViewSpanY, spanY0) << what;
        EXPECT_DOUBLE_EQ(ViewCX, kOriginX) << what;
        EXPECT_DOUBLE_EQ(ViewCY, kOriginY) << what;
    }

    double spanX0 = 0.0;
    double spanY0 = 0.0;

    static void armDiagonal()
    {
        DiagonalArmed = 1;
        DiagonalDrag = 1;
        DiagonalLabelHidden = 1;
    }

    static void armDragZoom()
    {
        DiagZoom = 1;
        DragZoomArmed = 1;
        DragZoomHeld = 1;
    }
};

TEST_F(ZoomWindows, ATinyDiagonalWindowIsHeldAtTheSmallestViewWithItsMessage)
{
    armDiagonal();
    script().expectMessage(platform::MsgResult::Ok, zoomFloorMessage());
    releaseAt(kLeft, -0.1, 0.1);
    EXPECT_DOUBLE_EQ(wantedSpanX(), 0.12);
    EXPECT_NEAR(wantedSpanY(), 0.13, 1e-9);
    EXPECT_NEAR(ViewCY, kOriginY + 0.065, 1e-9);
    EXPECT_NEAR(ViewCX, kOriginX - 0.05, 1e-9);
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_EQ(DiagonalDrag, 0);
    EXPECT_EQ(DiagonalLabelHidden, 0);
    EXPECT_EQ(w().Command13.BackColor(), white());
    EXPECT_EQ(w().Command74.BackColor(), white());
    EXPECT_EQ(redraws, 1);
}

TEST_F(ZoomWindows, TheSameDragAsADragZoomKeepsItsEastExtent)
{
    armDragZoom();
    script().expectMessage(platform::MsgResult::Ok, zoomFloorMessage());
    releaseAt(kLeft, -0.1, 0.1);
    EXPECT_DOUBLE_EQ(wantedSpanX(), 0.12);
    EXPECT_DOUBLE_EQ(wantedSpanY(), 0.1);
    EXPECT_EQ(DragZoomArmed, 0);
    EXPECT_EQ(DragZoomHeld, 0);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ZoomWindows, AWideDragZoomIsHeldEvenWhenTheDiagonalWouldNotBe)
{
    armDragZoom();
    script().expectMessage(platform::MsgResult::Ok, zoomFloorMessage());
    releaseAt(kLeft, -0.1, 0.5);
    EXPECT_DOUBLE_EQ(wantedSpanX(), 0.12);
    EXPECT_DOUBLE_EQ(wantedSpanY(), 0.5);

    LastClickX = 0.0;
    LastClickY = 0.0;
    armDiagonal();
    releaseAt(kLeft, -0.1, 0.5);  // east 0.65: no floor, no message
    EXPECT_DOUBLE_EQ(wantedSpanX(), 0.1);
    EXPECT_NEAR(wantedSpanY(), 0.65, 1e-9);
}

TEST_F(ZoomWindows, ADragWithinAFiftiethOfTheViewIsAClick)
{
    armDiagonal();
    releaseAt(kLeft, -0.03, 0.03);  // widened to 0.039 east, both within a fiftieth
    expectViewUnchanged("diagonal");
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_EQ(redraws, 0);

    armDragZoom();
    LastClickX = LastClickY = 0.0;
    releaseAt(kLeft, -0.04, 0.04);
    expectViewUnchanged("drag zoom");
    EXPECT_EQ(DragZoomArmed, 0);
}

TEST_F(ZoomWindows, ADragWithoutWidthOrHeightLeavesTheView)
{
    struct Row {
        bool diagonal;
        double north;
        double east;
    };
    const Row rows[] = {{false, -1.0, 0.0}, {false, 0.0, 1.0}, {true, -1.0, 0.0}, {true, 0.0, 1.0}};
    for (const Row& row : rows) {
        LastClickX = LastClickY = 0.0;
        if (row.diagonal)
            armDiagonal();
        else
            armDragZoom();
        releaseAt(kLeft, row.north, row.east);
        expectViewUnchanged(row.diagonal ? "diagonal" : "drag zoom");
    }
    EXPECT_EQ(redraws, 0);
}

TEST_F(ZoomWindows, TheDiagonalWindowWidensTowardsItsEasternSide)
{
    armDiagonal();
    LastClickX = 1.0;  // the press lies east of the release
    LastClickY = 0.0;
    releaseAt(kLeft, 0.5, 0.0);
    EXPECT_NEAR(wantedSpanY(), 1.3, 1e-9);
    EXPECT_DOUBLE_EQ(wantedSpanX(), 0.5);
    EXPECT_NEAR(ViewCY, kOriginY + 0.65, 1e-9);
}

TEST_F(ZoomWindows, TheDiagonalWindowSelectsParcelsInsteadWhenArmedSo)
{
    armDiagonal();
    ParcelRange = 1;
    w().Check37.setValue(1);
    releaseAt(kLeft, -1.0, 1.0);
    expectViewUnchanged("parcels");
    EXPECT_EQ(ParcelRange, 0);
    EXPECT_EQ(w().Check37.Value(), 0);
    EXPECT_EQ(DiagonalArmed, 0);
}

}  // namespace
}  // namespace tavelcor::interacttest
