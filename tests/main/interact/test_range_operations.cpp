// SPDX-License-Identifier: LicenseRef-Tavelcor
// What a dragged rectangle does in the delete and colour-change modes, and
// the parcel selection by rectangle, called as the release calls them: the
// items caught (strictly inside, crossing lines, text corners and bands),
// the numbered groups with their cap and messages, their place in the
// history and their Undo, and the pixels painted over.
#include "interact_fixture.h"
#include "line_rows.h"

#include "main/edit/history_commands.h"
#include "main/edit/undo_history.h"
#include "main/interact/range_operations.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "platform/canvas/colors.h"

namespace tavelcor::interacttest {
namespace {

using render::testing_support::addParcel;

constexpr int kRed = 12;

class RangeOperations : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        mWindow = &shownPlot();
    }

    Plot& w() { return *mWindow; }

    // The drag from (north0, east0) to the release at (north, east), as the
    // press and the motion leave it for the release.
    static void dragFrom(double north0, double east0, double north, double east)
    {
        RangeStartX = static_cast<float>(east0);
        RangeStartY = static_cast<float>(-north0);
        LastClickX = east;
        LastClickY = -north;
        RangeBoxDrawn = 1;
    }

    static void text(int i, const QString& s, double north, double east, int colour = 0)
    {
        TxtString[i] = s;
        TxtX[i] = static_cast<float>(north);
        TxtY[i] = static_cast<float>(east);
        TxtColor[i] = static_cast<std::uint8_t>(colour);
        TxtCount = std::max(TxtCount, i);
    }

    // `count` points from index 1 in a row along north 5, 0.001 m apart
    // from east 1.
    static void pointsInARow(int count)
    {
        for (int j = 1; j <= count; ++j)
            addPoint(j, QStringLiteral("P%1").arg(j), 5.0, 1.0 + 0.001 * j);
    }

    // Checks that the records at UndoPos - n + 1 .. UndoPos are of `kind`
    // and numbered first .. first + n - 1 in their value 2.
    static void expectNumberedGroup(int kind, int n, int first = 1)
    {
        for (int k = 0; k < n; ++k) {
            const int at = UndoPos - n + 1 + k;
            ASSERT_EQ(UndoKind[at], kind) << at;
            ASSERT_FLOAT_EQ(UndoVal2[at], float(first + k)) << at;
        }
    }

private:
    Plot* mWindow = nullptr;
};

TEST_F(RangeOperations, AnEmptyRectangleChangesNothingAndAPointOnTheEdgeStays)
{
    addPoint(1, QStringLiteral("EDGE"), 10.0, 5.0);  // on the north edge
    addPoint(2, QStringLiteral("OUT"), 20.0, 5.0);
    putLine(1, 20.0, 0.0, 20.0, 10.0);
    text(1, QStringLiteral("AB"), 30.0, 0.0);
    const int pos = UndoPos;
    const int top = UndoTop;
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deletePointsInRange(w(), 10.0, -10.0);
    deleteLinesInRange(w(), 10.0, -10.0);
    deleteTextsInRange(w(), 10.0, -10.0);
    recolourLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(PointMark[1], 1);
    EXPECT_EQ(PointMark[2], 1);
    EXPECT_EQ(LineColor[1], 0);
    EXPECT_EQ(TxtColor[1], 0);
    EXPECT_EQ(UndoPos, pos);
    EXPECT_EQ(UndoTop, top);
    EXPECT_EQ(RangeBoxDrawn, 0);
}

TEST_F(RangeOperations, PointsStrictlyInsideAreDeletedInOneNumberedGroup)
{
    addPoint(1, QStringLiteral("A"), 5.0, 5.0);
    addPoint(2, QStringLiteral("B"), 50.0, 5.0);
    addPoint(3, QStringLiteral("C"), 6.0, 9.0);
    addPoint(4, QStringLiteral("D"), 7.0, 7.0, 101);  // already deleted
    DelPending = 3;
    dragFrom(10.0, 10.0, 0.0, 0.0);  // corners in either order
    deletePointsInRange(w(), 0.0, 0.0);
    EXPECT_EQ(PointMark[1], 101);
    EXPECT_EQ(PointMark[2], 1);
    EXPECT_EQ(PointMark[3], 101);
    EXPECT_EQ(PointMark[4], 101);
    EXPECT_EQ(DelPending, 0);
    expectNumberedGroup(112, 2);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos - 1], 1.0F);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 3.0F);
}

TEST_F(RangeOperations, ADragOverSixThousandPointsStopsAtFiveThousandAndUndoesWhole)
{
    pointsInARow(6000);
    const int before = UndoPos;
    script().expectMessage(platform::MsgResult::Ok, rangeDeleteCapMessage());
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deletePointsInRange(w(), 10.0, -10.0);
    EXPECT_EQ(PointMark[5000], 101);
    EXPECT_EQ(PointMark[5001], 1);
    ASSERT_EQ(UndoPos, before + 5000);
    expectNumberedGroup(112, 5000);
    Command60_Click(w());
    EXPECT_EQ(UndoPos, before);
    EXPECT_EQ(PointMark[1], 1);
    EXPECT_EQ(PointMark[5000], 1);
    // The group's records lie within UndoTop, so Redo takes it again.
    Command61_Click(w());
    EXPECT_EQ(UndoPos, before + 5000);
    EXPECT_EQ(PointMark[1], 101);
    EXPECT_EQ(PointMark[5000], 101);
}

TEST_F(RangeOperations, FiveThousandPointsEndingTheTableGiveNoMessage)
{
    pointsInARow(5000);
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deletePointsInRange(w(), 10.0, -10.0);
    EXPECT_EQ(PointMark[5000], 101);
    expectNumberedGroup(112, 5000);

    // One more point after them, even outside the rectangle: the message.
    resetTables();
    OriginX = kOriginX;
    OriginY = kOriginY;
    pointsInARow(5000);
    addPoint(5001, QStringLiteral("FAR"), 50.0, 50.0);
    script().expectMessage(platform::MsgResult::Ok, rangeDeleteCapMessage());
    deletePointsInRange(w(), 10.0, -10.0);
    EXPECT_EQ(PointMark[5000], 101);
}

TEST_F(RangeOperations, LinesWithAnEndInsideOrCrossingASideAreDeleted)
{
    ViewSpanX = 100.0;  // the crossing tolerance ViewSpanX / 2000 is 0.05 m
    putLine(1, 5.0, -5.0, 5.0, 15.0);   // through, both ends outside
    putLine(2, 5.0, 5.0, 50.0, 50.0);   // one end inside
    putLine(3, 20.0, 0.0, 20.0, 10.0);  // outside
    putLine(4, 5.0, 10.03, 15.0, 10.03);  // meets the north side's continuation 0.03 m past the corner
    putLine(5, 5.0, 10.08, 15.0, 10.08);  // 0.08 m past it
    putLine(6, 5.0, -5.0, 5.0, 15.0, 25);  // colour 25: never caught
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deleteLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(LineColor[1], 100);
    EXPECT_EQ(LineColor[2], 100);
    EXPECT_EQ(LineColor[3], 0);
    EXPECT_EQ(LineColor[4], 100);
    EXPECT_EQ(LineColor[5], 0);
    EXPECT_EQ(LineColor[6], 25);
    expectNumberedGroup(122, 3);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 4.0F);
}

TEST_F(RangeOperations, ADeletedLineIsPaintedWhite)
{
    putLine(1, 5.0, -5.0, 5.0, 15.0);
    Lineview(plotFace());
    ASSERT_EQ(colorAt(5.0, 3.0), platform::QBColor(0));
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deleteLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(colorAt(5.0, 3.0), platform::QBColor(15));
}

TEST_F(RangeOperations, ARecolourTakesTheChosenColourAndCountsFromTwoAfterAPressRecolour)
{
    w().Option14(kRed).setValue(true);
    putLine(1, 50.0, 0.0, 50.0, 10.0, 3);  // recoloured by the press, outside
    putLine(2, 5.0, -5.0, 5.0, 15.0, 3);
    putLine(3, 6.0, 1.0, 6.0, 2.0, 4);
    PickedLine = 1;
    const int before = UndoPos;
    dragFrom(0.0, 0.0, 10.0, 10.0);
    recolourLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(PickedLine, 0);
    EXPECT_EQ(LineColor[1], 3);
    EXPECT_EQ(LineColor[2], kRed);
    EXPECT_EQ(LineColor[3], kRed);
    ASSERT_EQ(UndoPos, before + 2);
    EXPECT_EQ(UndoKind[UndoPos], 124);
    EXPECT_EQ(UndoItem[UndoPos - 1], 2);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos - 1], 3.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos - 1], float(kRed));
    EXPECT_EQ(UndoText(0, UndoPos - 1), QStringLiteral(" 2"));
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral(" 3"));
    EXPECT_EQ(colorAt(5.0, 3.0), platform::QBColor(kRed));
}

TEST_F(RangeOperations, ALineRecolourWithNoColourChosenChangesNothing)
{
    for (const auto& [index, option] : w().Option14)
        option->setValue(false);
    ASSERT_EQ(SelectedIndex(w().Option14), -1);
    putLine(1, 5.0, -5.0, 5.0, 15.0, 3);
    const int before = UndoPos;
    dragFrom(0.0, 0.0, 10.0, 10.0);
    recolourLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(LineColor[1], 3);
    EXPECT_EQ(UndoPos, before);
}

TEST_F(RangeOperations, ALineRecolourOverTheCapShowsTheChangeMessage)
{
    w().Option14(kRed).setValue(true);
    for (int i = 1; i <= 5002; ++i)
        putLine(i, 5.0, 1.0, 5.0, 2.0);
    script().expectMessage(platform::MsgResult::Ok, rangeChangeCapMessage());
    dragFrom(0.0, 0.0, 10.0, 10.0);
    recolourLinesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(LineColor[5000], kRed);
    EXPECT_EQ(LineColor[5001], 0);
}

TEST_F(RangeOperations, TextsAreCaughtByTheirLowerLeftOrUpperRightCornerOrABand)
{
    // Range north 0..40, east 0..40; boxes as the text layer draws them.
    const double p = ViewSpanX / WindowPlotFace(w()).pictureHeightTwips();
    const double f = FontSize * static_cast<double>(TextScale);
    const double h = 22.0 * f * p;
    const double perByte = 11.0 * f * p;
    const QString four = QStringLiteral("ABCD");
    const QString wide = QString(static_cast<int>(60.0 / perByte) + 1, QLatin1Char('A'));  // over 60 m
    struct Row {
        const char* name;
        QString s;
        double north, east;
        bool deleted, recoloured;
    };
    const Row rows[] = {
        {"upper left only", four, 2.0, 38.0, false, false},
        {"lower right only", four, 38.0 + h, 2.0 - 4 * perByte, false, false},
        {"lower left", four, 10.0, 38.0, true, true},
        {"upper right", four, 38.0 + h * 0.5, 1.0 - 4 * perByte, true, true},
        {"a band from west to east", wide, 20.0, -10.0, true, false},
        {"outside", four, 60.0, 0.0, false, false},
    };
    for (const Row& row : rows) {
        text(1, row.s, row.north, row.east, 2);
        TxtColorCur = 4;
        dragFrom(0.0, 0.0, 40.0, 40.0);
        recolourTextsInRange(w(), 40.0, -40.0);
        EXPECT_EQ(TxtColor[1], row.recoloured ? 4 : 2) << row.name;
        text(1, row.s, row.north, row.east, 2);
        deleteTextsInRange(w(), 40.0, -40.0);
        EXPECT_EQ(TxtColor[1], row.deleted ? 102 : 2) << row.name;
    }
}

TEST_F(RangeOperations, TextRecordsCarryTheirNumbersAndTheCurrentColour)
{
    text(1, QStringLiteral("AB"), 10.0, 5.0, 2);
    text(2, QStringLiteral("CD"), 20.0, 5.0, 6);
    TxtColorCur = 9;
    dragFrom(0.0, 0.0, 40.0, 40.0);
    recolourTextsInRange(w(), 40.0, -40.0);
    EXPECT_EQ(TxtColor[1], 9);
    EXPECT_EQ(TxtColor[2], 9);
    EXPECT_EQ(UndoKind[UndoPos], 133);
    EXPECT_EQ(UndoItem[UndoPos], 2);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 6.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 9.0F);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("2"));
    deleteTextsInRange(w(), 40.0, -40.0);
    EXPECT_EQ(TxtColor[2], 109);
    expectNumberedGroup(132, 2);
    EXPECT_TRUE(w().Command34.Visible());
}

TEST_F(RangeOperations, AStrokeWithAVertexInsideIsDeletedWhole)
{
    const float xs[] = {0, 50, 5, 50, 60, 70, 80};
    const std::uint8_t pens[] = {0, 1, 2, 3, 1, 2, 3};
    for (int v = 1; v <= 6; ++v) {
        TegakiX[v] = xs[v];
        TegakiY[v] = 5.0F;
        TegakiPen[v] = pens[v];
        TegakiColor[v] = 0;
    }
    TegakiCount = 6;
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deleteStrokesInRange(w(), 10.0, -10.0);
    EXPECT_EQ(TegakiPen[1], 0);
    EXPECT_EQ(TegakiPen[3], 0);
    EXPECT_EQ(TegakiPen[4], 1);
    EXPECT_EQ(UndoKind[UndoPos], 142);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 1.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 3.0F);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("1"));
}

TEST_F(RangeOperations, AParcelIsSelectedWhenAllItsVerticesButTheFirstLieInside)
{
    addCoordinate(11, QStringLiteral("A"), -5.0, -5.0);  // the first vertex, outside
    addCoordinate(12, QStringLiteral("B"), 2.0, 2.0);
    addCoordinate(13, QStringLiteral("C"), 8.0, 2.0);
    addCoordinate(14, QStringLiteral("D"), 8.0, 10.0);  // on the east edge
    const int first = addParcel(QStringLiteral("1"), {11, 12, 13, 12});
    const int onEdge = addParcel(QStringLiteral("2"), {12, 13, 14});
    w().Check37.setValue(platform::check::Checked);
    ParcelRange = 1;
    LastClickX = 0.0;
    LastClickY = 0.0;
    selectParcelsInRange(w(), 10.0, -10.0);
    EXPECT_EQ(KakuchiSel[first], 1);
    EXPECT_EQ(KakuchiSel[onEdge], 0);
    EXPECT_EQ(ParcelRange, 0);
    EXPECT_EQ(w().Check37.Value(), platform::check::Unchecked);
}

TEST_F(RangeOperations, AGroupStartedNearTheHistoryEndWritesNothingPastItsLastEntry)
{
    // Many undos: the position low, the newest record near the end.
    for (int k = 1; k <= 19999; ++k)
        UndoKind[k] = 21;
    UndoPos = 100;
    UndoTop = 19999;
    pointsInARow(10);
    dragFrom(0.0, 0.0, 10.0, 10.0);
    deletePointsInRange(w(), 10.0, -10.0);
    EXPECT_LE(UndoTop, kUndoLastEntry);
    EXPECT_LE(UndoPos, kUndoLastEntry);
    expectNumberedGroup(112, 10);
    EXPECT_EQ(UndoKind[UndoPos + 1], 0);
    Command60_Click(w());
    EXPECT_EQ(PointMark[1], 1);
    EXPECT_EQ(PointMark[10], 1);
}

}  // namespace
}  // namespace tavelcor::interacttest
