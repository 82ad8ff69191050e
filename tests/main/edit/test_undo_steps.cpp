// SPDX-License-Identifier: LicenseRef-Tavelcor
// Undo and Redo over the tables, one family of record kinds at a time, with
// a canvas that notes what would be drawn in place.
#include "history_fixture.h"

#include "main/edit/point_names.h"
#include "main/edit/undo_steps.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor {
namespace {

using namespace edittest;

// Notes every call as a short line: "point 3 white", "line 2 own w2",
// "text 1 own", "stroke 5 white", "name P3", "redisplay".
class NotingCanvas final : public HistoryCanvas {
public:
    void point(int i, Ink ink) override { note("point " + std::to_string(i) + inkName(ink)); }
    void line(int j, Ink ink, int width) override
    {
        note("line " + std::to_string(j) + inkName(ink) + " w" + std::to_string(width));
    }
    void text(int i, Ink ink) override { note("text " + std::to_string(i) + inkName(ink)); }
    void strokeSegment(int v, Ink ink) override { note("stroke " + std::to_string(v) + inkName(ink)); }
    void proposeName(const QString& name) override
    {
        proposed = name;
        note("name " + name.toStdString());
    }
    void redisplay() override { note("redisplay"); }

    std::vector<std::string> calls;
    QString proposed;

private:
    static std::string inkName(Ink ink) { return ink == Ink::Own ? " own" : " white"; }
    void note(std::string call) { calls.push_back(std::move(call)); }
};

class UndoStepTest : public ::testing::Test {
protected:
    void SetUp() override { resetTables(); }

    bool undo()
    {
        canvas.calls.clear();
        return undoStep(canvas);
    }
    RedoOutcome redo()
    {
        canvas.calls.clear();
        return redoStep(canvas);
    }
    const std::vector<std::string>& calls() const { return canvas.calls; }

    NotingCanvas canvas;
};

using Calls = std::vector<std::string>;

TEST_F(UndoStepTest, AnEmptyHistoryHasNothingToUndoOrRedo)
{
    EXPECT_FALSE(undo());
    EXPECT_EQ(UndoPos, 0);
    EXPECT_TRUE(calls().empty());
    EXPECT_FALSE(redoAvailable());
    EXPECT_FALSE(redo().applied);
    EXPECT_EQ(UndoPos, 0);
}

TEST_F(UndoStepTest, APointAddedByAClickGoesAndComesBack)
{
    putPoint(1, QStringLiteral("P1"), 0.0, 0.0);
    putPoint(2, QStringLiteral("P2"), 5.0, 0.0);
    addPointByClick(QStringLiteral("P3"), 10.0, 0.0);
    ASSERT_EQ(PointCount, 3);

    EXPECT_TRUE(undo());
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(UndoTop, 1);
    EXPECT_EQ(calls(), (Calls{"point 3 white", "name P3"})) << "the name after the last remaining point";
    EXPECT_TRUE(redoAvailable());

    const RedoOutcome r = redo();
    EXPECT_TRUE(r.applied);
    EXPECT_FALSE(r.moreToRedo);
    EXPECT_EQ(PointCount, 3);
    EXPECT_EQ(UndoPos, 1);
    EXPECT_EQ(calls(), (Calls{"point 3 own", "name P4"}));
}

TEST_F(UndoStepTest, APointAddedOnALineIsOneStepEachWay)
{
    putLine(1, 0.0, 0.0, 10.0, 0.0);
    ASSERT_EQ(LineNext, 2);
    addPointOnLine(1, QStringLiteral("K1"), 4.0, 0.0);
    ASSERT_EQ(UndoPos, 3);
    ASSERT_EQ(LineNext, 3);

    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(LineNext, 2);
    EXPECT_EQ(LineX2[1], 10.0);
    EXPECT_EQ(LineY2[1], 0.0);
    EXPECT_EQ(calls(), (Calls{"point 1 white", "name "})) << "the lines keep their picture";

    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(PointCount, 1);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(LineX2[1], 4.0);
    EXPECT_EQ(calls(), (Calls{"point 1 own", "name K2"}));
    EXPECT_FALSE(redoAvailable());
}

TEST_F(UndoStepTest, AMoveWithTwoCarriedLineEndsIsOneStepEachWay)
{
    putPoint(1, QStringLiteral("M"), 12345.678901, 100.0);
    putLine(1, 12345.678901, 100.0, 12400.0, 100.0);  // starts on the point
    putLine(2, 12300.0, 50.0, 12345.678901, 100.0);    // ends on it
    putLine(3, 0.0, 0.0, 1.0, 1.0);                    // elsewhere
    movePoint(1, 12350.123456789, 101.25);
    ASSERT_EQ(UndoPos, 3);

    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 0);
    // Back from single precision: 12345.678901 is stored as 12345.6787109375.
    EXPECT_EQ(PointX[1], 12345.6787109375);
    EXPECT_EQ(PointY[1], 100.0);
    EXPECT_EQ(LineX1[1], 12345.6787109375);
    EXPECT_EQ(LineY1[1], 100.0);
    EXPECT_EQ(LineX2[2], 12345.6787109375);
    EXPECT_EQ(LineX1[3], 0.0);
    EXPECT_EQ(calls(), (Calls{"point 1 white", "point 1 own", "line 2 white w2", "line 2 own w2",
                              "line 1 white w2", "line 1 own w2"}));

    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(PointX[1], 12350.123456789) << "Redo gives back exactly the moved value";
    EXPECT_EQ(PointY[1], 101.25);
    EXPECT_EQ(LineX1[1], 12350.123456789);
    EXPECT_EQ(LineX2[2], 12350.123456789);
    EXPECT_EQ(LineY2[2], 101.25);
}

TEST_F(UndoStepTest, AMovedPointComesBackInSinglePrecision)
{
    putPoint(1, QStringLiteral("M"), 12345.678901, -6789.5);
    movePoint(1, 12346.0, -6790.0);
    undo();
    EXPECT_EQ(PointX[1], 12345.6787109375);
    EXPECT_EQ(PointY[1], -6789.5);
    redo();
    EXPECT_EQ(PointX[1], 12346.0);
}

// Records whose after-texts hold seven significant digits, with or without
// the leading blank, still read: Redo takes their decimal values.
TEST_F(UndoStepTest, ShortAfterTextsStillRead)
{
    putLine(1, 0.0, 0.0, 1.0, 1.0);
    putText(1, QStringLiteral("T"), 1.0F, 1.0F);
    pushUndoRecord(UndoRecordFields(undo_kind::kLineEndMoved).item(-1).values(0.0F, 0.0F)
                       .texts(QStringLiteral(" 2040.48"), QStringLiteral("-11.98765")));
    pushUndoRecord(UndoRecordFields(undo_kind::kTextMoved).item(1).values(1.0F, 1.0F)
                       .texts(QStringLiteral("12.34567"), QStringLiteral(" .5")));
    undo();
    undo();
    ASSERT_EQ(UndoPos, 0);
    redo();
    redo();
    EXPECT_EQ(LineX1[1], 2040.48);
    EXPECT_EQ(LineY1[1], -11.98765);
    EXPECT_EQ(TxtX[1], 12.34567F);
    EXPECT_EQ(TxtY[1], 0.5F);
}

TEST_F(UndoStepTest, ARangeDeletionIsOneUndoAndTwoRangesAreTwo)
{
    for (int i = 1; i <= 80; ++i)
        putPoint(i, QString::number(i), i, 0.0);
    deletePointRange(1, 40);
    deletePointRange(41, 80);
    ASSERT_EQ(UndoPos, 80);

    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 40);
    EXPECT_EQ(PointMark[41], 2);
    EXPECT_EQ(PointMark[80], 2);
    EXPECT_EQ(PointMark[40], 102) << "the first range is a group of its own";
    EXPECT_EQ(calls().size(), 40U);

    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(PointMark[1], 2);

    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(UndoPos, 40);
    EXPECT_EQ(PointMark[1], 102);
    EXPECT_EQ(PointMark[41], 2);
    EXPECT_EQ(calls().front(), "point 1 white");
}

TEST_F(UndoStepTest, UndoOfACompletedSegmentMakesItTheSegmentInProgress)
{
    // The line panel: the entry at LineNext holds the next segment's start.
    putLine(1, 0.0, 0.0, 5.0, 5.0, 9);
    LineX1[2] = 5.0;
    LineY1[2] = 5.0;
    LineColor[2] = 9;
    // Segment 2 completed: its end set, kind 21 with its index, LineNext on.
    LineX2[2] = 8.0;
    LineY2[2] = 1.0;
    pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(2.0F));
    LineNext = 3;
    LineColor[3] = 9;

    EXPECT_TRUE(undo());
    EXPECT_EQ(LineNext, 2);
    EXPECT_EQ(calls(), (Calls{"line 2 white w2"}));
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(calls(), (Calls{"line 2 own w2"}));
}

TEST_F(UndoStepTest, PartsOfCompoundStepsAloneAreSteppedOver)
{
    putLine(1, 0.0, 0.0, 10.0, 0.0);
    putPoint(1, QStringLiteral("A"), 1.0, 1.0);
    for (const std::uint8_t k : {undo_kind::kCarriedLineEnd, undo_kind::kLineSplit, undo_kind::kSplitPiece}) {
        resetTables();
        putLine(1, 0.0, 0.0, 10.0, 0.0);
        pushUndoRecord(UndoRecordFields(k).item(1).values(3.0F, 3.0F)
            .texts(QStringLiteral("7"), QStringLiteral("7")));
        EXPECT_TRUE(undo()) << int(k);
        EXPECT_EQ(UndoPos, 0) << int(k);
        EXPECT_EQ(LineX2[1], 10.0) << int(k);
        EXPECT_EQ(LineX1[1], 0.0) << int(k);
        EXPECT_EQ(LineNext, 2) << int(k);
        EXPECT_TRUE(calls().empty()) << int(k);
    }
}

TEST_F(UndoStepTest, ADeletionWhoseItemIsNoLongerDeletedOnlyMoves)
{
    putPoint(1, QStringLiteral("A"), 1.0, 1.0);
    putLine(1, 0.0, 0.0, 1.0, 1.0);
    putLine(2, 0.0, 0.0, 1.0, 1.0);
    putText(1, QStringLiteral("T"), 1.0F, 1.0F);
    pushUndoRecord(UndoRecordFields(undo_kind::kPointDeleted).values(1.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kLineDeleted).values(2.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kTextDeleted).values(1.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kLineColor).item(1).values(3.0F, 12.0F));
    LineColor[1] = 112;  // the recoloured line deleted since
    for (int expected = 3; expected >= 0; --expected) {
        EXPECT_TRUE(undo());
        EXPECT_EQ(UndoPos, expected);
        EXPECT_TRUE(calls().empty()) << expected;
    }
    EXPECT_EQ(PointMark[1], 2);
    EXPECT_EQ(LineColor[1], 112);
    EXPECT_EQ(LineColor[2], 12);
    EXPECT_EQ(TxtColor[1], 12);
}

TEST_F(UndoStepTest, UndoOfAComputedCoordinateGivesZahyoMaxBackAndRedisplays)
{
    ZahyoMax = 120;
    ++ZahyoMax;
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(float(ZahyoMax - 1)));
    EXPECT_TRUE(undo());
    EXPECT_EQ(ZahyoMax, 120);
    EXPECT_EQ(calls(), (Calls{"redisplay"}));
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(ZahyoMax, 121);
    EXPECT_EQ(calls(), (Calls{"redisplay"}));
}

// Coordinates added above a computed one by other means (a SIMA append, a
// key-in) are never cut by its Undo or Redo; undone records walked again
// after a new computation still put their count back.
TEST_F(UndoStepTest, AComputedCoordinateNoLongerTheNewestChangesNoCount)
{
    ZahyoMax = 121;
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(120.0F));
    for (int n = 122; n <= 125; ++n)
        ZahyoName[n] = QStringLiteral("A%1").arg(n);  // appended since
    ZahyoMax = 125;
    EXPECT_TRUE(undo());
    EXPECT_EQ(ZahyoMax, 125);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(ZahyoMax, 125);
    EXPECT_EQ(UndoPos, 1);

    // Two computations, both undone, then a new one on the freed number.
    resetTables();
    for (const int count : {120, 121}) {
        ZahyoMax = count + 1;
        pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(float(count)));
    }
    undo();
    undo();
    ASSERT_EQ(ZahyoMax, 120);
    ZahyoMax = 121;
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(120.0F));
    undo();
    EXPECT_EQ(ZahyoMax, 120);
    undo();  // the later undone computation's before-count again
    EXPECT_EQ(ZahyoMax, 121);
    undo();
    EXPECT_EQ(ZahyoMax, 120);
}

// A refused four-point intersection keeps its number without a coordinate
// (and without a record): such numbers above a computed coordinate hold
// nothing a Undo could cut, so the computation's Undo still gives its count
// back, and Undo of everything leaves no computed coordinate behind.
TEST_F(UndoStepTest, NumbersTakenWithoutACoordinateDoNotHoldTheCountUp)
{
    ZahyoMax = 1001;
    ZahyoName[1001] = QStringLiteral("1001P");
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(1000.0F));
    ZahyoMax = 1002;  // refused: number 1002 stays free ("_?>")
    ASSERT_EQ(ZahyoName[1002], freeZahyoName());
    EXPECT_TRUE(undo());
    EXPECT_EQ(ZahyoMax, 1000);
    EXPECT_EQ(calls(), (Calls{"redisplay"}));
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(ZahyoMax, 1001);
}

TEST_F(UndoStepTest, NamesAndMarkerGoBackAndForth)
{
    putPoint(1, QStringLiteral("A1"), 0.0, 0.0, 2);
    PointName2[1] = QStringLiteral("x  ");
    pushUndoRecord(UndoRecordFields(undo_kind::kPointChanged).item(1).values(2.0F, 5.0F)
        .texts(QStringLiteral("A1|x  "), QStringLiteral("B7|済 abcdefghijklmnopqrstuvw")));
    PointName[1] = QStringLiteral("B7");
    PointName2[1] = QStringLiteral("済 abcdefghijklmnopqrstuvw");
    PointMark[1] = 5;

    EXPECT_TRUE(undo());
    EXPECT_EQ(PointName[1], QStringLiteral("A1"));
    EXPECT_EQ(PointName2[1], QStringLiteral("x")) << "Undo drops trailing blanks";
    EXPECT_EQ(PointMark[1], 2);
    EXPECT_EQ(calls(), (Calls{"point 1 white", "point 1 own"}));

    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(PointName[1], QStringLiteral("B7"));
    EXPECT_EQ(PointName2[1], QStringLiteral("済 abcdefghijklmnopqrstuvw")) << "the whole second name";
    EXPECT_EQ(PointMark[1], 5);
}

TEST_F(UndoStepTest, TextsGoBackAndForth)
{
    putText(1, QStringLiteral("old"), 1.0F, 2.0F, 12);
    // 31: text 2 added.
    pushUndoRecord(UndoRecordFields(undo_kind::kTextAdded).values(1.0F));
    putText(2, QStringLiteral("new"), 3.0F, 4.0F, 9);
    // 33: text 1 moved.
    pushUndoRecord(UndoRecordFields(undo_kind::kTextMoved).item(1).values(1.0F, 2.0F)
        .texts(QStringLiteral("1.123456789"), QStringLiteral(" 2.5")));
    TxtX[1] = 1.123456789F;
    TxtY[1] = 2.5F;
    // 34: text 1 edited.
    pushUndoRecord(UndoRecordFields(undo_kind::kTextEdited).item(1).values(12.0F, 3.0F)
        .texts(QStringLiteral("old"), QStringLiteral("edited")));
    TxtString[1] = QStringLiteral("edited");
    TxtColor[1] = 3;

    undo();
    EXPECT_EQ(TxtString[1], QStringLiteral("old"));
    EXPECT_EQ(TxtColor[1], 12);
    undo();
    EXPECT_EQ(TxtX[1], 1.0F);
    EXPECT_EQ(TxtY[1], 2.0F);
    undo();
    EXPECT_EQ(TxtCount, 1);
    EXPECT_EQ(calls(), (Calls{"text 2 white"}));

    redo();
    EXPECT_EQ(TxtCount, 2);
    redo();
    EXPECT_EQ(TxtX[1], 1.123456789F);
    EXPECT_EQ(TxtY[1], 2.5F);
    redo();
    EXPECT_EQ(TxtString[1], QStringLiteral("edited"));
    EXPECT_EQ(TxtColor[1], 3);
}

TEST_F(UndoStepTest, StrokesGoBackAndForth)
{
    const int a = putStroke(4, 0.0F, 0.0F, 10);
    pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDrawn).values(float(a), float(a + 3)));
    EXPECT_TRUE(undo());
    for (int v = a; v <= a + 3; ++v)
        EXPECT_EQ(TegakiPen[v], 0) << v;
    EXPECT_EQ(calls(), (Calls{"stroke 1 white", "stroke 2 white", "stroke 3 white"}));
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(TegakiPen[a], 1);
    EXPECT_EQ(TegakiPen[a + 1], 2);
    EXPECT_EQ(TegakiPen[a + 2], 2);
    EXPECT_EQ(TegakiPen[a + 3], 3);
    EXPECT_EQ(calls(), (Calls{"stroke 1 own", "stroke 2 own", "stroke 3 own"}));
}

TEST_F(UndoStepTest, RangeRecolouringsAndStrokeDeletionsAreGroups)
{
    for (int j = 1; j <= 3; ++j)
        putLine(j, j, 0.0, j, 1.0, 12);
    for (int j = 1; j <= 3; ++j) {
        pushUndoRecord(UndoRecordFields(undo_kind::kRangeLineColor).item(j).values(12.0F, 9.0F)
            .texts(QString::number(j)));
        LineColor[j] = 9;
    }
    const int a = putStroke(3, 0.0F, 0.0F);
    const int b = putStroke(2, 5.0F, 5.0F);
    int n = 0;
    for (const auto& [first, last] : {std::pair{a, a + 2}, std::pair{b, b + 1}}) {
        for (int v = first; v <= last; ++v)
            TegakiPen[v] = 0;
        pushUndoRecord(UndoRecordFields(undo_kind::kRangeStrokeDeleted).values(float(first), float(last))
            .texts(QString::number(++n)));
    }
    ASSERT_EQ(UndoPos, 5);

    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(TegakiPen[a], 1);
    EXPECT_EQ(TegakiPen[b + 1], 3);
    EXPECT_TRUE(undo());
    EXPECT_EQ(UndoPos, 0);
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(LineColor[j], 12) << j;

    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(UndoPos, 3);
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(LineColor[j], 9) << j;
    EXPECT_TRUE(redo().applied);
    EXPECT_EQ(UndoPos, 5);
    EXPECT_EQ(TegakiPen[a], 0);
}

TEST_F(UndoStepTest, TextRecolouringAndTextAndLineRangeDeletions)
{
    for (int i = 1; i <= 2; ++i)
        putText(i, QStringLiteral("t"), float(i), 0.0F, 12);
    for (int i = 1; i <= 2; ++i) {
        pushUndoRecord(UndoRecordFields(undo_kind::kRangeTextColor).item(i).values(12.0F, 14.0F)
            .texts(QString::number(i)));
        TxtColor[i] = 14;
    }
    putLine(1, 0.0, 0.0, 1.0, 1.0);
    for (int i = 1; i <= 2; ++i) {
        TxtColor[i] = static_cast<std::uint8_t>(TxtColor[i] + 100);
        pushUndoRecord(UndoRecordFields(undo_kind::kRangeTextDeleted).values(float(i), float(i)));
    }
    LineColor[1] = 112;
    pushUndoRecord(UndoRecordFields(undo_kind::kRangeLineDeleted).values(1.0F, 1.0F));

    undo();
    EXPECT_EQ(LineColor[1], 12);
    undo();
    EXPECT_EQ(TxtColor[1], 14);
    EXPECT_EQ(TxtColor[2], 14);
    undo();
    EXPECT_EQ(TxtColor[1], 12);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(calls(), (Calls{"text 2 own", "text 1 own"}));
    redo();
    EXPECT_EQ(TxtColor[2], 14);
    EXPECT_EQ(calls(), (Calls{"text 1 own", "text 2 own"}));
    redo();
    EXPECT_EQ(TxtColor[1], 114);
    redo();
    EXPECT_EQ(LineColor[1], 112);
}

TEST_F(UndoStepTest, AfterTwoUndosANewEditIsTakenBackFirstThenTheLaterUndoneStep)
{
    putPoint(1, QStringLiteral("A"), 0.0, 0.0);
    movePoint(1, 1.0, 0.0);  // entry 1
    movePoint(1, 2.0, 0.0);  // entry 2
    undo();
    undo();
    ASSERT_EQ(PointX[1], 0.0);
    addPointByClick(QStringLiteral("B"), 9.0, 9.0);  // entry 3, above the undone ones
    EXPECT_EQ(UndoPos, 3);
    EXPECT_FALSE(redoAvailable());
    EXPECT_FALSE(redo().applied) << "nothing above the new edit";
    EXPECT_EQ(UndoPos, 3);

    undo();
    EXPECT_EQ(PointCount, 1) << "the new edit goes first";
    undo();
    EXPECT_EQ(PointX[1], 1.0) << "then the later undone move puts its before-value back again";
    EXPECT_EQ(UndoPos, 1);
}

TEST_F(UndoStepTest, ThreeUndosAreRedoneInTheirOrder)
{
    putPoint(1, QStringLiteral("A"), 0.0, 0.0);
    movePoint(1, 1.0, 0.0);
    movePoint(1, 2.0, 0.0);
    movePoint(1, 3.0, 0.0);
    undo();
    undo();
    undo();
    ASSERT_EQ(PointX[1], 0.0);
    for (int k = 1; k <= 3; ++k) {
        const RedoOutcome r = redo();
        EXPECT_TRUE(r.applied);
        EXPECT_EQ(r.moreToRedo, k < 3) << k;
        EXPECT_EQ(PointX[1], double(k));
    }
    EXPECT_FALSE(redo().applied);
}

TEST_F(UndoStepTest, RedoAtTheLastEntryReadsNothing)
{
    UndoKind[kUndoTop] = undo_kind::kPointAdded;
    UndoTop = static_cast<std::int16_t>(kUndoTop);
    UndoPos = static_cast<std::int16_t>(kUndoTop);
    EXPECT_FALSE(redoAvailable());
    EXPECT_FALSE(redo().applied);
    EXPECT_EQ(UndoPos, kUndoTop);
}

TEST_F(UndoStepTest, RedoNeverReadsAboveTheNewestRecord)
{
    putPoint(1, QStringLiteral("A"), 0.0, 0.0);
    movePoint(1, 1.0, 0.0);
    movePoint(1, 2.0, 0.0);
    undo();
    UndoTop = 1;  // entry 2 lies above the newest record: stale
    EXPECT_FALSE(redoAvailable());
    EXPECT_FALSE(redo().applied);
    EXPECT_EQ(PointX[1], 1.0);
}

// A run of carried line ends without its move, at the top of the history:
// Redo's walk puts the ends forward and stops at the newest record.
TEST_F(UndoStepTest, RedoOfCarriedEndsWithoutTheirMoveStopsAtTheTop)
{
    putLine(1, 0.0, 0.0, 5.0, 5.0);
    putLine(2, 5.0, 5.0, 9.0, 0.0);
    pushUndoRecord(UndoRecordFields(undo_kind::kCarriedLineEnd).item(1).values(5.0F, 5.0F)
        .texts(QStringLiteral("6"), QStringLiteral("7")));
    pushUndoRecord(UndoRecordFields(undo_kind::kCarriedLineEnd).item(-2).values(5.0F, 5.0F)
        .texts(QStringLiteral("6"), QStringLiteral("7")));
    UndoKind[3] = undo_kind::kPointMoved;  // stale, above UndoTop
    UndoItem[3] = 1;
    UndoPos = 0;

    const RedoOutcome r = redo();
    EXPECT_TRUE(r.applied);
    EXPECT_FALSE(r.moreToRedo);
    EXPECT_EQ(UndoPos, 2);
    EXPECT_EQ(LineX2[1], 6.0);
    EXPECT_EQ(LineY1[2], 7.0);
}

TEST_F(UndoStepTest, RecordsNamingNoItemOfTheirTableChangeOnlyThePosition)
{
    putPoint(1, QStringLiteral("A"), 0.0, 0.0);
    PointMark[1] = 102;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointDeleted).values(600000.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(-1.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kPointMoved).item(900000).values(1.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kStrokeDrawn).values(5.0F, 2.0F));
    pushUndoRecord(UndoRecordFields(undo_kind::kLineColor).item(1).values(300.0F, 2.0F));
    for (int expected = 4; expected >= 0; --expected) {
        EXPECT_TRUE(undo());
        EXPECT_EQ(UndoPos, expected);
        EXPECT_TRUE(calls().empty());
    }
    EXPECT_EQ(PointCount, 1);
    EXPECT_EQ(PointMark[1], 102);
}

// An item still marked deleted, or a point whose marker has no button, is
// never handed to the drawing, whatever the records ask.
TEST_F(UndoStepTest, ItemsThePlotCannotShowNeverReachTheDrawing)
{
    putPoint(1, QStringLiteral("A"), 0.0, 0.0, 105);  // deleted
    putPoint(2, QStringLiteral("B"), 0.0, 0.0, 0);    // no marker
    putLine(1, 0.0, 0.0, 1.0, 1.0, 112);               // deleted
    movePoint(1, 1.0, 1.0);
    movePoint(2, 1.0, 1.0);
    pushUndoRecord(UndoRecordFields(undo_kind::kLineEndMoved).item(-1).values(3.0F, 3.0F)
        .texts(QStringLiteral("4"), QStringLiteral("4")));
    for (int k = 0; k < 3; ++k) {
        undo();
        EXPECT_TRUE(calls().empty()) << k;
    }
    for (int k = 0; k < 3; ++k) {
        redo();
        EXPECT_TRUE(calls().empty()) << k;
    }
    EXPECT_EQ(LineX1[1], 4.0) << "the table still changes";
}

}  // namespace
}  // namespace tavelcor
