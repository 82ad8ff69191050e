// SPDX-License-Identifier: LicenseRef-Tavelcor
// The line panel's presses through the main window: the pick of a line end
// to move, the typed length with Ctrl, the dropped end and its snap, the
// chain of the line add with Shift and its full table, and the colour
// change of a picked line; checked in the line table, the history, the
// prompts and the plot's pixels.
#include "line_rows.h"
#include "interact_fixture.h"

#include "main/edit/history_commands.h"
#include "main/interact/line_clicks.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"

#include <cmath>

namespace tavelcor::interacttest {
namespace {

constexpr int kCtrl = 2;
constexpr int kShift = 1;
constexpr int kRed = 12;

class LineClicks : public InteractTest {
protected:
    Plot& lineMode(platform::OptionButton Plot::*option, int colour = kRed)
    {
        Plot& w = shownPlot();
        openPanel(w.Frame10, &(w.*option));
        w.Option14(colour).setValue(true);
        return w;
    }

    // The default text of the last input box.
    QString lastInputDefault()
    {
        for (auto it = script().records().rbegin(); it != script().records().rend(); ++it) {
            if (it->kind == platform::PromptKind::Input)
                return it->defaultText;
        }
        return QStringLiteral("(no input box)");
    }
};

TEST_F(LineClicks, CtrlNearTheFirstEndGivesTheSecondEndTheTypedLength)
{
    lineMode(&Plot::Option6);
    putLine(1, 0.0, 0.0, 0.0, 10.0);  // 10 m due east
    const int before = UndoPos;
    script().expectInput(QStringLiteral("12.5"), QStringLiteral("起点からの長さ="));
    pressAt(1, 0.1, 2.0, kCtrl);
    EXPECT_EQ(lastInputDefault(), QStringLiteral("10"));
    EXPECT_EQ(MoveLineEnd, 2);
    EXPECT_DOUBLE_EQ(LineX1[1], 0.0);
    EXPECT_DOUBLE_EQ(LineY1[1], 0.0);
    EXPECT_NEAR(LineX2[1], 0.0, 1e-12);
    EXPECT_NEAR(LineY2[1], 12.5, 1e-12);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 23);
    EXPECT_EQ(UndoItem[UndoPos], 1);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 0.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 10.0F);
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("12.5"));
    EXPECT_EQ(LineDragging, 0);
}

TEST_F(LineClicks, CtrlNearTheSecondEndMovesTheFirstAndTheRecordSaysSo)
{
    lineMode(&Plot::Option6);
    putLine(1, 0.0, 0.0, 0.0, 10.0);
    script().expectInput(QStringLiteral("4"), QStringLiteral("起点からの長さ="));
    pressAt(1, -0.1, 9.0, kCtrl);
    EXPECT_EQ(MoveLineEnd, 1);
    EXPECT_NEAR(LineY1[1], 6.0, 1e-12);
    EXPECT_DOUBLE_EQ(LineY2[1], 10.0);
    EXPECT_EQ(UndoItem[UndoPos], -1);
}

TEST_F(LineClicks, TheDefaultIsToTheMillimetreAndAnythingButANumberChangesNothing)
{
    // 2.0625 m: exactly half a millimetre over 2.062.
    lineMode(&Plot::Option6);
    putLine(1, 0.0, 0.0, 0.0, 2.0625);
    const std::optional<QString> answers[] = {QStringLiteral("abc"), std::nullopt, QString()};
    for (const std::optional<QString>& answer : answers) {
        const int before = UndoPos;
        script().expectInput(answer, QStringLiteral("起点からの長さ="));
        pressAt(1, 0.05, 0.5, kCtrl);
        EXPECT_EQ(lastInputDefault(), QStringLiteral("2.063"));
        EXPECT_DOUBLE_EQ(LineY2[1], 2.0625);
        EXPECT_EQ(UndoPos, before);
        EXPECT_EQ(LineDragging, 0);
    }
}

TEST_F(LineClicks, TheFootDecidesWhichEndStays)
{
    lineMode(&Plot::Option6);
    putLine(1, 10.0, 0.0, 0.0, 0.0);  // first end 10 m north of the second
    struct Row {
        const char* name;
        double north, east;
        int fixedEnd;
    };
    const Row rows[] = {{"nearer the first end", 7.0, 0.1, 2}, {"exactly the middle", 5.0, 0.0, 1},
                        {"nearer the second end", 3.0, -0.1, 1}};
    for (const Row& row : rows) {
        LineDragging = 0;
        MoveLineEnd = 0;
        pressAt(1, row.north, row.east);
        EXPECT_EQ(LineDragging, 1) << row.name;
        EXPECT_EQ(MoveLine, 1) << row.name;
        EXPECT_EQ(MoveLineEnd, row.fixedEnd) << row.name;
    }
}

TEST_F(LineClicks, ALineColouredFromTwentyIsNeitherMovedNorRecoloured)
{
    Plot& w = lineMode(&Plot::Option6);
    putLine(1, 0.0, 0.0, 0.0, 10.0, 20);
    pressAt(1, 0.1, 5.0);
    EXPECT_EQ(LineDragging, 0);
    EXPECT_EQ(PickedLine, 0);
    w.Option25.setValue(true);
    const int before = UndoPos;
    pressAt(1, 0.1, 5.0);
    EXPECT_EQ(LineColor[1], 20);
    EXPECT_EQ(UndoPos, before);
}

TEST_F(LineClicks, TheSecondPressDropsTheMovingEndWithASinglePrecisionRecord)
{
    lineMode(&Plot::Option6);
    plot().Check25.setValue(platform::check::Unchecked);
    putLine(1, 0.0, 0.0, 0.0, 10.0);
    pressAt(1, 0.1, 2.0);  // nearer the first end: the second end stays, the first follows
    ASSERT_EQ(LineDragging, 1);
    pressAt(1, 3.25, 11.5);
    EXPECT_DOUBLE_EQ(LineX1[1], 3.25);
    EXPECT_DOUBLE_EQ(LineY1[1], 11.5);
    EXPECT_DOUBLE_EQ(LineY2[1], 10.0);
    EXPECT_EQ(LineDragging, 0);
    EXPECT_EQ(UndoKind[UndoPos], 23);
    EXPECT_EQ(UndoItem[UndoPos], -1);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], 0.0F);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("3.25"));
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("11.5"));
    EXPECT_EQ(colorAt(1.625, 10.75), platform::QBColor(0));  // the line's middle, drawn again
}

// Undo and Redo put a moved end back exactly where the edit put it, for a
// dropped end (also one dropped on the line's other end, which leaves a
// line of length zero) and for a typed length.
TEST_F(LineClicks, UndoAndRedoOfAnEndMovePutTheEndExactlyWhereTheEditPutIt)
{
    const struct {
        const char* what;
        double north;
        double east;
        const char* typed;  // nullptr: the end is dropped at (north, east)
    } rows[] = {
        {"dropped", 2040.4751234567, 11.987654321, nullptr},
        {"dropped on the other end", 1.2345678912, 10.0, nullptr},
        {"typed length", 0.0, 0.0, "12.3456789"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Plot& w = lineMode(&Plot::Option6);
        w.Check25.setValue(platform::check::Unchecked);
        putLine(1, 1.2345678912, 10.0, 7.7777777, 3.3333333);
        if (row.typed != nullptr) {
            script().expectInput(QString::fromLatin1(row.typed), QStringLiteral("起点からの長さ="));
            pressAt(1, 1.3, 9.5, kCtrl);
        } else {
            pressAt(1, 7.7, 3.4);  // nearer the second end: it follows
            ASSERT_EQ(LineDragging, 1);
            pressAt(1, row.north, row.east);
        }
        ASSERT_EQ(UndoKind[UndoPos], 23);
        const double north = LineX2[1];
        const double east = LineY2[1];
        Command60_Click(w);
        EXPECT_EQ(LineX2[1], double(7.7777777F));
        Command61_Click(w);
        EXPECT_EQ(LineX2[1], north);
        EXPECT_EQ(LineY2[1], east);
        EXPECT_EQ(LineX1[1], 1.2345678912);
    }
}

TEST_F(LineClicks, ACoordinateJustOutsideTheViewSnapsAMovedEndButNoNewVertex)
{
    Plot& w = lineMode(&Plot::Option6);
    w.Check1.setValue(platform::check::Checked);
    // The view's test window reaches 0.6 view widths east of the centre.
    const double edge = 0.6 * ViewSpanY;
    addCoordinate(3, QStringLiteral("K3"), 1.0, edge + 0.01);
    putLine(1, 1.0, 0.0, 1.0, edge - 5.0);
    pressAt(1, 1.1, edge - 6.0);  // near the second end: the first stays, the second follows
    pressAt(1, 1.0, edge - 0.01);
    EXPECT_NEAR(LineY2[1], edge + 0.01, 1e-9);

    w.Option20.setValue(true);
    pressAt(1, 1.0, edge - 0.01);
    EXPECT_NEAR(LineY1[LineNext], edge - 0.01, 1e-9);
}

TEST_F(LineClicks, AChainAddsOneLinePerPressAndNoneOnItsLastVertex)
{
    lineMode(&Plot::Option20);
    plot().Check25.setValue(platform::check::Unchecked);
    const int before = UndoPos;
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(LineRubber, 1);
    EXPECT_EQ(plot().Command30.Caption(), QStringLiteral("戻る"));
    pressAt(1, 0.0, 0.0);  // the chain's last vertex again
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(UndoPos, before);
    pressAt(1, 4.0, 3.0);
    ASSERT_EQ(LineNext, 2);
    EXPECT_DOUBLE_EQ(LineX2[1], 4.0);
    EXPECT_DOUBLE_EQ(LineY2[1], 3.0);
    EXPECT_EQ(LineColor[1], kRed);
    EXPECT_EQ(UndoKind[UndoPos], 21);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 1.0F);
    EXPECT_DOUBLE_EQ(LineX1[2], 4.0);
    EXPECT_DOUBLE_EQ(LineChainLength, 5.0);
    EXPECT_EQ(colorAt(2.0, 1.5), platform::QBColor(kRed));
    pressAt(1, 4.0, 6.0);
    EXPECT_DOUBLE_EQ(LineChainLength, 8.0);
}

TEST_F(LineClicks, ShiftMakesTheSegmentDueEastOrDueNorth)
{
    lineMode(&Plot::Option20);
    plot().Check25.setValue(platform::check::Unchecked);
    pressAt(1, 0.0, 0.0);
    pressAt(1, 1.0, 3.0, kShift);
    EXPECT_DOUBLE_EQ(LineX2[1], 0.0);
    EXPECT_DOUBLE_EQ(LineY2[1], 3.0);
    pressAt(1, 3.0, 4.0, kShift);  // 1 east, 3 north of (0, 3)
    EXPECT_DOUBLE_EQ(LineX2[2], 3.0);
    EXPECT_DOUBLE_EQ(LineY2[2], 3.0);
    EXPECT_DOUBLE_EQ(LineX1[3], 3.0);
    EXPECT_DOUBLE_EQ(LineY1[3], 3.0);
}

TEST_F(LineClicks, TheLastLineOfTheTableEndsTheChainAndTheNextIsRefused)
{
    lineMode(&Plot::Option20);
    plot().Check25.setValue(platform::check::Unchecked);
    LineNext = kLineTop;
    pressAt(1, 0.0, 0.0);
    pressAt(1, 0.0, 2.0);
    EXPECT_EQ(LineNext, kLineTop + 1);
    EXPECT_DOUBLE_EQ(LineY2[kLineTop], 2.0);
    EXPECT_EQ(LineRubber, 0);
    const int before = UndoPos;
    script().expectMessage(platform::MsgResult::Ok, lineTableFullMessage());
    pressAt(1, 0.0, 4.0);
    EXPECT_EQ(LineNext, kLineTop + 1);
    EXPECT_EQ(UndoPos, before);
}

TEST_F(LineClicks, TheColourChangeRecoloursThePickedLineAndAnchorsTheRange)
{
    lineMode(&Plot::Option25);
    putLine(1, 0.0, 0.0, 0.0, 10.0, 0);
    pressAt(1, 0.1, 5.0);
    EXPECT_EQ(LineColor[1], kRed);
    EXPECT_EQ(PickedLine, 1);
    EXPECT_EQ(PickedLineColor, 0);
    EXPECT_EQ(UndoKind[UndoPos], 24);
    EXPECT_EQ(UndoItem[UndoPos], 1);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 0.0F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], float(kRed));
    EXPECT_EQ(colorAt(0.0, 3.0), platform::QBColor(kRed));
    EXPECT_FLOAT_EQ(RangeStartX, 5.0F);
    EXPECT_FLOAT_EQ(RangeStartY, -0.1F);
}

TEST_F(LineClicks, TheColourChangeWithNoLinesOnlyStoresTheAnchor)
{
    lineMode(&Plot::Option25);
    const int before = UndoPos;
    pressAt(1, 2.0, 3.0);
    EXPECT_EQ(UndoPos, before);
    EXPECT_FLOAT_EQ(RangeStartX, 3.0F);
    EXPECT_FLOAT_EQ(RangeStartY, -2.0F);
    EXPECT_DOUBLE_EQ(LastClickX, 3.0);
    EXPECT_EQ(LineNext, 1);
}

}  // namespace
}  // namespace tavelcor::interacttest
