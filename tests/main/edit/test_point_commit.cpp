// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point panel's duplicate check, its commit 確定 in 属性 and in 追加, and
// its cancel 取消 of a point move.
#include "point_panel_fixture.h"

#include "main/edit/history_commands.h"
#include "platform/text/strings.h"

namespace tavelcor::edittest {
namespace {

const QString kSamePlace = QStringLiteral("同位置に(P1)名のポイントが登録済みです。登録をキャンセルします");

QString sameNameQuestion(const QString& name)
{
    return name + QStringLiteral("は、すでに登録済みです。この名称で登録しますか？");
}

// --- the duplicate check -------------------------------------------------------

class NameCheck : public PointPanelTest {
protected:
    void SetUp() override
    {
        PointPanelTest::SetUp();
        putPoint(1, QStringLiteral("P1"), 10.0, 10.0);
        putPoint(2, QStringLiteral("P2"), -10.0, 20.0);
    }

    // Point 3 just added at (x, y) under `name`, checked as the add does.
    int checkAdded(const QString& name, double x, double y)
    {
        putPoint(3, name, x, y);
        QString d = name;
        int sw = 0;
        Pointnamecheck(plot(), d, 3, sw, NameCheckFor::AddedPoint);
        return sw;
    }
};

TEST_F(NameCheck, ALivePointAtTheSamePlaceWithdrawsTheAddedPoint)
{
    Plot& w = shownPlot();
    w.Text7.setText(QStringLiteral("x"));
    script().expectMessage(platform::MsgResult::Ok, kSamePlace);
    EXPECT_EQ(checkAdded(QStringLiteral("Q9"), 10.0, 10.0), 1);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P3")) << "the name after the previous point's";
    EXPECT_EQ(w.Text7.Text(), QString());
    EXPECT_EQ(PointName[3], QStringLiteral("Q9")) << "the slot's data stay";
}

struct SilentCase {
    const char* name;
    const char16_t* newName;
    double x;
    double y;
    int markOfP1;
};

class SilentCheck : public NameCheck, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentCheck, RaisesNoMessageAndKeepsThePoint)
{
    const SilentCase& c = GetParam();
    shownPlot();
    PointMark[1] = static_cast<std::uint8_t>(c.markOfP1);
    PointName[2].clear();
    EXPECT_EQ(checkAdded(QString::fromUtf16(c.newName), c.x, c.y), 0);
    EXPECT_EQ(PointCount, 3);
    EXPECT_TRUE(script().records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SilentCheck,
    ::testing::Values(SilentCase{"deleted_twin_same_place", u"Q9", 10.0, 10.0, 102},
                      SilentCase{"deleted_twin_same_name", u"P1", 30.0, 30.0, 100},
                      SilentCase{"one_millimetre_north", u"Q9", 10.001, 10.0, 2},
                      SilentCase{"one_millimetre_east", u"Q9", 10.0, 9.999, 2},
                      SilentCase{"empty_name_beside_an_empty_name", u"", 30.0, 30.0, 2}),
    [](const ::testing::TestParamInfo<SilentCase>& info) { return std::string(info.param.name); });

TEST_F(NameCheck, TheSameNameAnsweredNoWithdrawsTheAddedPoint)
{
    Plot& w = shownPlot();
    script().expectMessage(platform::MsgResult::No, sameNameQuestion(QStringLiteral("P1")));
    EXPECT_EQ(checkAdded(QStringLiteral("P1"), 30.0, 30.0), 1);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P3"));
}

TEST_F(NameCheck, TheSameNameAnsweredYesKeepsIt)
{
    Plot& w = shownPlot();
    w.Text6.setText(QStringLiteral("P1"));
    script().expectMessage(platform::MsgResult::Yes, sameNameQuestion(QStringLiteral("P1")));
    EXPECT_EQ(checkAdded(QStringLiteral("P1"), 30.0, 30.0), 0);
    EXPECT_EQ(PointCount, 3);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P1"));
}

TEST_F(NameCheck, AnExistingPointAnsweredNoGetsItsStoredNameBack)
{
    Plot& w = shownPlot();
    // The highest point counts as existing too.
    w.Text6.setText(QStringLiteral("P1"));
    QString d = QStringLiteral("P1");
    int sw = 0;
    script().expectMessage(platform::MsgResult::No, sameNameQuestion(QStringLiteral("P1")));
    Pointnamecheck(w, d, 2, sw, NameCheckFor::ExistingPoint);
    EXPECT_EQ(sw, 0);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P2"));
}

TEST_F(NameCheck, ASamePlaceHitEndsTheScanWithTheHighestPoint)
{
    // Point 1 at point 2's place: the message names point 1, and the scan
    // then looks at the highest point's name only (P3 here, not point 2).
    shownPlot();
    putPoint(3, QStringLiteral("P3"), 50.0, 50.0);
    PointX[1] = PointX[2];
    PointY[1] = PointY[2];
    QString d = QStringLiteral("P3");
    int sw = 0;
    script().expectMessage(platform::MsgResult::Ok, kSamePlace);
    script().expectMessage(platform::MsgResult::Yes, sameNameQuestion(QStringLiteral("P3")));
    Pointnamecheck(plot(), d, 2, sw, NameCheckFor::ExistingPoint);
    EXPECT_EQ(sw, 0);
    EXPECT_EQ(PointCount, 3);
}

// --- the attribute commit ------------------------------------------------------------

class AttributeCommit : public PointPanelTest {
protected:
    void SetUp() override
    {
        PointPanelTest::SetUp();
        putPoint(1, QStringLiteral("A1"), -20.0, -20.0, 2);
        putPoint(2, QStringLiteral("A2"), 10.0, 5.0, 2);
    }

    // The attribute pick of point i as the plot leaves it.
    Plot& pick(int i)
    {
        Plot& w = openPanel();
        w.Option9.setValue(true);
        CurPoint = i;
        w.Text6.setText(PointName[i]);
        w.Text7.setText(platform::RTrim(PointName2[i]));
        w.Option13(PointMark[i]).setValue(true);
        w.Command32.setVisible(true);
        return w;
    }

    static void commit(Plot& w) { QTest::mousePress(w.Command32.widget(), Qt::LeftButton, {}, QPoint(3, 3)); }
};

TEST_F(AttributeCommit, ANewSymbolIsDrawnRecordedAndUndone)
{
    Plot& w = pick(2);
    const int before = UndoPos;
    w.Option13(3).setValue(true);
    commit(w);
    EXPECT_EQ(PointMark[2], 3);
    EXPECT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoTop, UndoPos);
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kPointChanged);
    EXPECT_EQ(UndoItem[UndoPos], 2);
    EXPECT_EQ(UndoVal1[UndoPos], 2.0F);
    EXPECT_EQ(UndoVal2[UndoPos], 3.0F);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("A2|"));
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("A2|"));
    EXPECT_EQ(LastCommittedName, QStringLiteral("A2"));
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(w.Text6.Text(), QString());
    EXPECT_FALSE(w.Label28.Visible());
    EXPECT_EQ(w.Command24.Caption(), w.Option13(3).Caption() + QLatin1Char(' ') + w.Label24(3).Caption());
    const QImage committed = picture();
    // The new glyph in its colour where the layer puts it: a full redraw
    // leaves the same picture.
    crtplot();
    EXPECT_EQ(picture(), committed);

    press(w.Command60);
    EXPECT_EQ(PointMark[2], 2) << "Undo restores the old symbol";
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
}

TEST_F(AttributeCommit, TheBeforeTextIsRightTrimmedAndTheNewNameStoredAsTyped)
{
    PointName2[2] = QStringLiteral("B1  ");
    Plot& w = pick(2);
    w.Text6.setText(QStringLiteral("A9"));
    w.Text7.setText(QStringLiteral("C 1  "));
    commit(w);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("A2|B1"));
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("A9|C 1  "));
    EXPECT_EQ(PointName[2], QStringLiteral("A9"));
    EXPECT_EQ(PointName2[2], QStringLiteral("C 1  "));
    EXPECT_TRUE(printedAt(10.0, 5.0, QStringLiteral(" A9C 1  "), platform::QBColor(0)));
    // The old label was wiped first: the picture is what a full redraw of
    // the new names makes.
    const QImage inPlace = picture();
    crtplot();
    EXPECT_EQ(picture(), inPlace);
}

// Undo and Redo give back exactly the names the commit replaced and wrote:
// a name holding "|" stays one name, a second name of more than 20
// characters stays whole.
TEST_F(AttributeCommit, UndoAndRedoGiveBackNamesWithBarsAndLongSecondNames)
{
    const QString longSecond = QStringLiteral("第二名称が二十文字より長い名前でも切られない");
    ASSERT_GT(longSecond.size(), 20);
    PointName[2] = QStringLiteral("A|2");
    PointName2[2] = longSecond;
    Plot& w = pick(2);
    w.Text6.setText(QStringLiteral("K|1\\"));
    w.Text7.setText(longSecond + QStringLiteral("|x"));
    commit(w);
    ASSERT_EQ(PointName[2], QStringLiteral("K|1\\"));
    press(w.Command60);
    EXPECT_EQ(PointName[2], QStringLiteral("A|2"));
    EXPECT_EQ(PointName2[2], longSecond);
    press(w.Command61);
    EXPECT_EQ(PointName[2], QStringLiteral("K|1\\"));
    EXPECT_EQ(PointName2[2], longSecond + QStringLiteral("|x"));
}

TEST_F(AttributeCommit, ARenameToAnotherLivePointsNameAnsweredNoKeepsTheNameAndStillRecords)
{
    Plot& w = pick(2);
    w.Text6.setText(QStringLiteral("A1"));
    script().expectMessage(platform::MsgResult::No, sameNameQuestion(QStringLiteral("A1")));
    commit(w);
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
    EXPECT_EQ(PointCount, 2) << "the highest point stays in the count";
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kPointChanged);
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("A2|"));
}

TEST_F(AttributeCommit, WithoutAPickOrInMoveThePressChangesNothing)
{
    Plot& w = pick(2);
    CurPoint = 0;
    w.Text6.setText(QStringLiteral("Z1"));
    commit(w);
    w.Option11.setValue(true);
    CurPoint = 2;
    w.Text6.setText(QStringLiteral("Z1"));
    commit(w);
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("Z1"));
}

// --- the add-mode commit ---------------------------------------------------------------

class AddCommit : public AttributeCommit {
protected:
    // Point 3 added by a click as the plot adds it: kind 11, drawn, 確定
    // shown, the next name proposed.
    Plot& added(const QString& name = QStringLiteral("A3"))
    {
        Plot& w = openPanel();
        addPointByClick(name, 20.0, -20.0);
        crtplot();
        w.Command32.setVisible(true);
        w.Text6.setText(name);
        return w;
    }
};

TEST_F(AddCommit, AnUnchangedNameRedrawsProposesTheNextAndHidesTheButton)
{
    Plot& w = added();
    w.Option13(3).setValue(true);
    w.Text7.setText(QStringLiteral("n2"));
    const int before = UndoPos;
    commit(w);
    EXPECT_EQ(PointMark[3], 3);
    EXPECT_EQ(PointName2[3], QStringLiteral("n2"));
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("A4"));
    EXPECT_EQ(w.Text7.Text(), QString());
    EXPECT_FALSE(w.Command32.Visible());
    EXPECT_EQ(UndoPos, before) << "no history step";
    EXPECT_TRUE(printedAt(20.0, -20.0, QStringLiteral(" A3n2"), platform::QBColor(0)));
}

TEST_F(AddCommit, ADuplicateNameAnsweredNoWithdrawsThePoint)
{
    Plot& w = added();
    w.Text6.setText(QStringLiteral("A1"));
    script().expectMessage(platform::MsgResult::No, sameNameQuestion(QStringLiteral("A1")));
    commit(w);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("A3")) << "the name after the previous point's";
    EXPECT_EQ(PointName[1], QStringLiteral("A1"));
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
    EXPECT_EQ(PointMark[2], 2);
}

// Fault mended: after Undo took the addition back, PointCount names an
// older point, which the commit must not rename.
TEST_F(AddCommit, AfterTheAddWasUndoneTheCommitChangesNoPoint)
{
    Plot& w = added();
    press(w.Command60);
    ASSERT_EQ(PointCount, 2);
    w.Text6.setText(QStringLiteral("R1"));
    w.Option13(5).setValue(true);
    commit(w);
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
    EXPECT_EQ(PointMark[2], 2);
    EXPECT_EQ(PointName[3], QStringLiteral("A3"));

    // Redone, the point stands again and takes the commit.
    press(w.Command61);
    ASSERT_EQ(PointCount, 3);
    w.Text6.setText(QStringLiteral("R1"));
    commit(w);
    EXPECT_EQ(PointName[3], QStringLiteral("R1"));
    EXPECT_EQ(PointName[2], QStringLiteral("A2"));
}

// --- the cancel of a move ------------------------------------------------------------

class MoveCancel : public PointPanelTest {
protected:
    Plot& moving()
    {
        Plot& w = openPanel();
        w.Option11.setValue(true);
        return w;
    }
};

TEST_F(MoveCancel, AMoveThatCarriedTwoLineEndsIsTakenBack)
{
    // The lines leave the point to the west and the north, clear of its label.
    putPoint(1, QStringLiteral("M"), 0.0, 0.0);
    putLine(1, 0.0, 0.0, 0.0, -30.0, 9);  // starts on the point
    putLine(2, 30.0, 0.0, 0.0, 0.0, 9);   // ends on it
    Plot& w = moving();
    w.Check13.setValue(1);
    crtplot();
    const QImage before = picture();
    moveOnPlot(1, -10.0, 10.0);
    ASSERT_EQ(colorAt(0.0, -15.0), platform::QBColor(15));
    const int undoPos = UndoPos;
    PointChanged = 0;
    click(w.Command31);
    EXPECT_EQ(PointChanged, 1);
    EXPECT_EQ(PointX[1], 0.0);
    EXPECT_EQ(PointY[1], 0.0);
    EXPECT_EQ(LineX1[1], 0.0);
    EXPECT_EQ(LineY1[1], 0.0);
    EXPECT_EQ(LineX2[2], 0.0);
    EXPECT_EQ(LineY2[2], 0.0);
    EXPECT_EQ(colorAt(0.0, -15.0), platform::QBColor(9)) << "line 1 drawn back in place";
    EXPECT_EQ(colorAt(15.0, 0.0), platform::QBColor(9)) << "line 2 drawn back in place";
    EXPECT_TRUE(printedAt(0.0, 0.0, label(1), platform::QBColor(0)));
    EXPECT_TRUE(erasedAt(-10.0, 10.0, label(1))) << "the label wiped at the moved place";
    EXPECT_EQ(UndoPos, undoPos) << "the history keeps the move";
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kPointMoved);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_EQ(MoveLines(0, 1), 0);
    EXPECT_EQ(MoveLines(1, 1), 0);
    EXPECT_FALSE(w.Command31.Visible());
    crtplot();
    EXPECT_EQ(picture(), before) << "the full redraw agrees with the drawing in place";
}

TEST_F(MoveCancel, AfterAKeyedMoveOnlyThePointReturns)
{
    putPoint(1, QStringLiteral("K"), 0.0, 0.0);
    putLine(1, 0.0, 0.0, 0.0, -30.0, 9);
    Plot& w = moving();
    // A keyed move moves the point alone and carries no line end.
    MoveOldX = 0.0;
    MoveOldY = 0.0;
    PointX[1] = 20.0;
    PointY[1] = 20.0;
    MovedPoint = 1;
    w.Command31.setVisible(true);
    click(w.Command31);
    EXPECT_EQ(PointX[1], 0.0);
    EXPECT_EQ(PointY[1], 0.0);
    EXPECT_EQ(LineX1[1], 0.0);
    EXPECT_EQ(LineY2[1], -30.0);
    EXPECT_FALSE(w.Command31.Visible());
}

TEST_F(MoveCancel, WithNothingMovedOrOutsideMoveThePressOnlyHidesTheButton)
{
    putPoint(1, QStringLiteral("K"), 5.0, 5.0);
    Plot& w = moving();
    MoveOldX = 0.0;
    MoveOldY = 0.0;
    w.Command31.setVisible(true);
    click(w.Command31);
    EXPECT_FALSE(w.Command31.Visible());
    EXPECT_EQ(PointX[1], 5.0);

    // In 追加 a pending move is not taken back either.
    w.Option12.setValue(true);
    MovedPoint = 1;
    w.Command31.setVisible(true);
    click(w.Command31);
    EXPECT_FALSE(w.Command31.Visible());
    EXPECT_EQ(PointX[1], 5.0);
    EXPECT_EQ(MovedPoint, 1);
}

}  // namespace
}  // namespace tavelcor::edittest
