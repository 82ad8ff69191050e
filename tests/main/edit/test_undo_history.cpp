// SPDX-License-Identifier: LicenseRef-Tavelcor
// Writing records into the edit history, clearing one entry and compacting
// the history, on the shared tables.
#include "main/edit/undo_history.h"

#include "main/site/tables.h"
#include "platform/text/numbers.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

class UndoHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { resetTables(); }

    /// Fills entries 1..top with kind 11 records whose fields all name the
    /// entry, and sets both positions to `pos` and `top`.
    static void fillHistory(int top, int pos)
    {
        for (int p = 1; p <= top; ++p) {
            UndoKind[p] = undo_kind::kPointAdded;
            UndoItem[p] = p;
            UndoVal1[p] = float(p);
            UndoVal2[p] = float(-p);
            UndoText(0, p) = QString::number(p);
            UndoText(1, p) = QStringLiteral("a") + QString::number(p);
        }
        UndoTop = static_cast<std::int16_t>(top);
        UndoPos = static_cast<std::int16_t>(pos);
    }

    /// Highest entry whose kind is not 0.
    static int highestWritten()
    {
        for (int p = kUndoTop; p >= 1; --p)
            if (UndoKind[p] != 0)
                return p;
        return 0;
    }
};

TEST_F(UndoHistoryTest, StartsEmpty)
{
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(UndoTop, 0);
    EXPECT_EQ(UndoKind[0], 0);
    EXPECT_EQ(highestWritten(), 0);
}

TEST_F(UndoHistoryTest, ClearKeepsTheItemAndEmptiesTheRest)
{
    UndoKind[7] = 13;
    UndoItem[7] = -42;
    UndoVal1[7] = 1.5F;
    UndoVal2[7] = 2.5F;
    UndoText(0, 7) = QStringLiteral("before");
    UndoText(1, 7) = QStringLiteral("after");
    U_clear(7);
    EXPECT_EQ(UndoKind[7], 0);
    EXPECT_EQ(UndoItem[7], -42);
    EXPECT_EQ(UndoVal1[7], 0.0F);
    EXPECT_EQ(UndoVal2[7], 0.0F);
    EXPECT_TRUE(UndoText(0, 7).isEmpty());
    EXPECT_TRUE(UndoText(1, 7).isEmpty());
}

TEST_F(UndoHistoryTest, ClearOutsideTheHistoryChangesNothing)
{
    UndoKind[kUndoTop] = 11;
    U_clear(kUndoTop + 1);
    U_clear(-1);
    EXPECT_EQ(UndoKind[kUndoTop], 11);
}

TEST_F(UndoHistoryTest, APushFillsTheNextEntryAndLeavesUnnamedFieldsCleared)
{
    UndoItem[1] = 99;  // a stale item from an earlier use of the entry
    UndoVal2[1] = 7.0F;
    EXPECT_EQ(pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(4.0F)), 1);
    EXPECT_EQ(UndoPos, 1);
    EXPECT_EQ(UndoTop, 1);
    EXPECT_EQ(UndoKind[1], 11);
    EXPECT_EQ(UndoItem[1], 99) << "kinds without an item leave it as it was";
    EXPECT_EQ(UndoVal1[1], 4.0F);
    EXPECT_EQ(UndoVal2[1], 0.0F);

    EXPECT_EQ(pushUndoRecord(UndoRecordFields(undo_kind::kPointMoved).item(3).values(1.0F, 2.0F)
        .texts(QStringLiteral("10.5"), QStringLiteral("20.25"))),
              2);
    EXPECT_EQ(UndoItem[2], 3);
    EXPECT_EQ(UndoText(0, 2), QStringLiteral("10.5"));
    EXPECT_EQ(UndoText(1, 2), QStringLiteral("20.25"));
}

TEST_F(UndoHistoryTest, ANewRecordAfterUndosGoesAboveTheUndoneOnes)
{
    fillHistory(5, 3);  // two records undone
    EXPECT_EQ(pushUndoRecord(UndoRecordFields(undo_kind::kLineCompleted).values(8.0F)), 6);
    EXPECT_EQ(UndoPos, 6);
    EXPECT_EQ(UndoTop, 6);
    for (int p = 4; p <= 5; ++p) {
        EXPECT_EQ(UndoKind[p], 11) << p;
        EXPECT_EQ(UndoVal1[p], float(p)) << p;
    }
}

TEST_F(UndoHistoryTest, CompactionFrom15000KeepsTheNewest10000)
{
    fillHistory(15000, 15000);
    U_compact();
    EXPECT_EQ(UndoPos, 10000);
    EXPECT_EQ(UndoTop, 10000);
    for (int to : {1, 2, 5000, 9999, 10000}) {
        const int from = to + 5000;
        EXPECT_EQ(UndoKind[to], 11) << to;
        EXPECT_EQ(UndoItem[to], from) << to;
        EXPECT_EQ(UndoVal1[to], float(from)) << to;
        EXPECT_EQ(UndoVal2[to], float(-from)) << to;
        EXPECT_EQ(UndoText(0, to), QString::number(from)) << to;
        EXPECT_EQ(UndoText(1, to), QStringLiteral("a") + QString::number(from)) << to;
    }
    EXPECT_EQ(highestWritten(), 10000) << "kinds 10001..20001 are 0";
}

TEST_F(UndoHistoryTest, CompactionBelow15000DoesNothing)
{
    fillHistory(14999, 14999);
    U_compact();
    EXPECT_EQ(UndoPos, 14999);
    EXPECT_EQ(UndoTop, 14999);
    EXPECT_EQ(UndoItem[1], 1);
    EXPECT_EQ(highestWritten(), 14999);
}

TEST_F(UndoHistoryTest, CompactionAfterUndosDropsTheUndoneRecords)
{
    fillHistory(16500, 15200);
    U_compact();
    EXPECT_EQ(UndoPos, 10000);
    EXPECT_EQ(UndoTop, 10000);
    EXPECT_EQ(UndoItem[1], 5201);
    EXPECT_EQ(UndoItem[10000], 15200);
    EXPECT_EQ(highestWritten(), 10000);
}

TEST_F(UndoHistoryTest, APushAtTheLastEntryCompactsFirst)
{
    fillHistory(kUndoTop, kUndoTop);
    EXPECT_EQ(pushUndoRecord(UndoRecordFields(undo_kind::kTextAdded).values(3.0F)), 10001);
    EXPECT_EQ(UndoPos, 10001);
    EXPECT_EQ(UndoTop, 10001);
    EXPECT_EQ(UndoItem[10000], kUndoTop) << "the newest record before the push stays just below it";
    EXPECT_EQ(UndoKind[10001], undo_kind::kTextAdded);
    EXPECT_EQ(highestWritten(), 10001);
}

// A range step that filled 15000..19999 and was undone back to 14999 lets
// the pointer handlers' compaction pass (UndoPos is below 15000); a second
// range step of the most records a range writes then starts above 19999.
// The push compacts before it would pass entry 20001, and the group keeps
// its running numbers unbroken.
TEST_F(UndoHistoryTest, ARangeStepAfterAnUndoneOneNeverPassesTheLastEntry)
{
    fillHistory(14999, 14999);
    for (int n = 1; n <= kUndoRangeLimit; ++n)
        pushUndoRecord(UndoRecordFields(undo_kind::kRangePointDeleted).values(float(n), float(n)));
    ASSERT_EQ(UndoTop, 19999);
    UndoPos = 14999;  // the whole group undone

    U_compact();  // as the pointer handler does before the second step
    ASSERT_EQ(UndoPos, 14999);
    for (int n = 1; n <= kUndoRangeLimit; ++n) {
        const int p = pushUndoRecord(UndoRecordFields(undo_kind::kRangeTextDeleted).values(float(n), float(n)));
        ASSERT_GE(p, 1);
        ASSERT_LE(p, kUndoTop);
        ASSERT_LE(UndoTop, kUndoTop);
    }
    EXPECT_EQ(UndoPos, UndoTop);
    EXPECT_LE(highestWritten(), kUndoTop);
    // The second group stands unbroken at the top, numbered 1..5000.
    const int top = UndoTop;
    for (int n = 1; n <= kUndoRangeLimit; ++n) {
        const int p = top - kUndoRangeLimit + n;
        ASSERT_EQ(UndoKind[p], undo_kind::kRangeTextDeleted) << p;
        ASSERT_EQ(UndoVal2[p], float(n)) << p;
    }
    EXPECT_EQ(UndoKind[top + 1], 0);
}

TEST_F(UndoHistoryTest, PositionsOutsideTheirOrderArePutBackBeforeAPush)
{
    UndoTop = 5;
    UndoPos = -3;
    EXPECT_EQ(pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded)), 6);
    UndoTop = static_cast<std::int16_t>(30000);
    UndoPos = static_cast<std::int16_t>(30000);
    const int p = pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded));
    EXPECT_LE(p, kUndoTop);
    EXPECT_EQ(UndoPos, p);
    EXPECT_EQ(UndoTop, p);
}

TEST_F(UndoHistoryTest, ANewHistoryHasNothingToUndoOrRedo)
{
    fillHistory(300, 120);
    startNewHistory();
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(UndoTop, 0);
    EXPECT_EQ(highestWritten(), 0);
    EXPECT_TRUE(UndoText(0, 300).isEmpty());
    const int p = pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(4.0F));
    EXPECT_EQ(p, 1);
}

// Additions of items that left their table without a record are withdrawn:
// the points above the kept count, the lines from the kept LineNext on.
TEST_F(UndoHistoryTest, WithdrawnAdditionsAreThoseOfTheItemsThatLeft)
{
    const struct {
        std::uint8_t kind;
        float val1;
        bool withdrawnWithPointsAbove4;
        bool withdrawnWithLinesFrom7;
    } rows[] = {
        {undo_kind::kPointAdded, 3.0F, false, false},  // point 4 stays
        {undo_kind::kPointAdded, 4.0F, true, false},   // point 5 left
        {undo_kind::kPointAdded, 9.0F, true, false},
        {undo_kind::kLineCompleted, 6.0F, false, false},
        {undo_kind::kLineCompleted, 7.0F, false, true},
        {undo_kind::kSplitPiece, 8.0F, false, true},
        {undo_kind::kSplitPiece, 2.0F, false, false},
        {undo_kind::kTextAdded, 9.0F, false, false},
        {undo_kind::kPointDeleted, 9.0F, false, false},
        {undo_kind::kLineDeleted, 9.0F, false, false},
    };
    for (const bool points : {true, false}) {
        resetTables();
        for (const auto& row : rows)
            pushUndoRecord(UndoRecordFields(row.kind).values(row.val1));
        if (points)
            withdrawPointAdditions(4);
        else
            withdrawLineAdditions(7);
        for (int p = 1; p <= int(std::size(rows)); ++p) {
            const auto& row = rows[p - 1];
            const bool withdrawn = points ? row.withdrawnWithPointsAbove4 : row.withdrawnWithLinesFrom7;
            EXPECT_EQ(UndoKind[p], withdrawn ? undo_kind::kWithdrawn : row.kind) << p << (points ? " points" : " lines");
            EXPECT_EQ(UndoVal1[p], row.val1);
        }
        EXPECT_EQ(UndoPos, int(std::size(rows)));
    }
}

// The two names of a point go through a record of kind 14 unchanged,
// whatever characters and length they have; texts written without escapes
// read as before.
TEST(PointNamesText, NamesComeBackExactly)
{
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("A1"), QString()},
        {QStringLiteral("A|B"), QStringLiteral("C")},
        {QStringLiteral("A\\"), QStringLiteral("|")},
        {QString(), QStringLiteral("x|y|")},
        {QStringLiteral("\\|"), QStringLiteral("\\\\n")},
        {QStringLiteral("境界杭１"), QStringLiteral("第二名称が二十文字より長い名前でも切られずに戻ること")},
        {QStringLiteral("P 1 "), QStringLiteral(" 済 ")},
    };
    for (const auto& [name, name2] : names) {
        const QString text = joinPointNames(name, name2);
        EXPECT_EQ(splitPointNames(text), std::pair(name, name2)) << text.toStdString();
    }
    const struct {
        const char16_t* text;
        const char16_t* name;
        const char16_t* name2;
    } older[] = {
        {u"A1|B 2", u"A1", u"B 2"},
        {u"A1", u"A1", u""},
        {u"A1|", u"A1", u""},
        {u"C:\\x|y", u"C:\\x", u"y"},
    };
    for (const auto& row : older) {
        const auto [name, name2] = splitPointNames(QString::fromUtf16(row.text));
        EXPECT_EQ(name, QString::fromUtf16(row.name));
        EXPECT_EQ(name2, QString::fromUtf16(row.name2));
    }
    EXPECT_EQ(joinPointNames(QStringLiteral("A2"), QStringLiteral("B1")), QStringLiteral("A2|B1"));
}

// A coordinate's after-text reads back as exactly the value written, for
// doubles and for single-precision values held in a double.
TEST(UndoCoordinateText, ReadsBackAsExactlyTheValue)
{
    const double values[] = {2040.4751234567, 2040.47, double(2040.4751F), double(0.1F), -37000.123456789012,
                             1e-7, 123456789.123, 0.0, -0.0, 12.5, double(3.1234567F)};
    for (const double v : values) {
        const QString text = undoCoordinateText(v);
        EXPECT_EQ(platform::Val(text), v == 0.0 ? 0.0 : v) << text.toStdString();
        EXPECT_FALSE(text.contains(u' '));
    }
    EXPECT_EQ(undoCoordinateText(2040.47), QStringLiteral("2040.47"));
    EXPECT_EQ(undoCoordinateText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(undoCoordinateText(-0.0), QStringLiteral("0"));
}

}  // namespace
}  // namespace tavelcor
