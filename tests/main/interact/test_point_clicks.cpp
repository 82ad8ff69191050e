// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point panel's presses through the main window: the add with its
// line-end snap, the cut of a line under the point with its question, the
// GPS fix, the next name and the full table; the attribute pick; the move
// pick and placement with its snap, its refusal and the line ends it
// carries, and the cancel after a later pick. Checked in the point and line
// tables, the history, the prompts and the plot's pixels.
#include "line_rows.h"
#include "interact_fixture.h"

#include "main/edit/history_commands.h"
#include "main/edit/point_panel.h"
#include "main/edit/xyin2.h"
#include "main/interact/line_clicks.h"
#include "main/interact/point_clicks.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"

#include <cmath>
#include <vector>

namespace tavelcor::interacttest {
namespace {

constexpr int kMagenta = 13;
constexpr int kBlack = 0;
// HitRadius 10 on the fixture's view 100 m high: t0 = r0 = 0.5 m.
constexpr double kR0 = 0.5;
const QString kDropQuestion = QStringLiteral("線上にポイントを落としますか?");

QString samePlaceMessage(const QString& name)
{
    return QStringLiteral("同位置に(") + name + QStringLiteral(")名のポイントが登録済みです。登録をキャンセルします");
}

class PointClicks : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        HitRadius = 10;
    }

    // The main window with the point panel open on `option`, the point and
    // line layers shown, "ピック" ticked and "Ｇ" not.
    Plot& pointMode(platform::OptionButton Plot::*option)
    {
        Plot& w = shownPlot();
        openPanel(w.Frame4, &(w.*option));
        w.Check12.setValue(platform::check::Checked);
        w.Check13.setValue(platform::check::Checked);
        w.Check24.setValue(platform::check::Checked);
        w.Check29.setValue(platform::check::Unchecked);
        return w;
    }

    // Lines 1 .. n far off, so that lines of a case may take higher indexes.
    static void farLines(int n)
    {
        for (int i = 1; i <= n; ++i)
            putLine(i, 1000.0, 1000.0 + i, 1010.0, 1000.0 + i);
    }

    // The tolerance of the search for a line under a new point: 100 twips
    // of the plot.
    static double cutTolerance() { return 100.0 * ViewSpanY / WindowPlotFace(plot()).pictureWidthTwips(); }

    // The kinds of the history's records 1 .. UndoPos.
    static std::vector<int> history()
    {
        std::vector<int> kinds;
        for (int p = 1; p <= UndoPos; ++p)
            kinds.push_back(UndoKind[p]);
        return kinds;
    }

    // True when some pixel of colour index `colour` lies in the box from
    // (north, east) `down` metres south and `right` metres east.
    static bool inkIn(double north, double east, double down, double right, int colour)
    {
        const std::uint32_t wanted = platform::QBColor(colour);
        for (double dn = 0.0; dn <= down; dn += 0.05)
            for (double de = 0.0; de <= right; de += 0.05)
                if (colorAt(north - dn, east + de) == wanted)
                    return true;
        return false;
    }

    // An empty point and line table and history for the next row.
    static void startAgain()
    {
        PointCount = 0;
        LineNext = 1;
        UndoPos = 0;
        UndoTop = 0;
        LastAddSplit = 0;
    }

    // The number of prompts so far.
    std::size_t prompts() { return script().records().size(); }
};

// ---- the add -----------------------------------------------------------------

TEST_F(PointClicks, APressAddsANamedPointWithOneRecordAndDrawsItAtOnce)
{
    Plot& w = pointMode(&Plot::Option12);
    w.Text6.setText(QStringLiteral("P7"));
    w.Text7.setText(QStringLiteral("杭"));
    w.Option13(5).setValue(true);
    PointChanged = 0;
    pressAt(1, 3.0, -4.0);
    ASSERT_EQ(PointCount, 1);
    EXPECT_EQ(PointName[1], QStringLiteral("P7"));
    EXPECT_EQ(PointName2[1], QStringLiteral("杭"));
    EXPECT_EQ(PointMark[1], 5);
    EXPECT_DOUBLE_EQ(PointX[1], 3.0);
    EXPECT_DOUBLE_EQ(PointY[1], -4.0);
    EXPECT_EQ(history(), std::vector<int>{11});
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 0.0F);
    EXPECT_EQ(PointChanged, 1);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P8"));
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("杭")) << "the second name stays for the next point";
    EXPECT_TRUE(w.Command32.Visible());
    EXPECT_EQ(w.Label28.Caption(), QString());
    EXPECT_TRUE(inkIn(3.0, -4.0, 1.5, 4.0, kBlack)) << "the label, printed at once";
}

// The raster placement names its two points "Ａ点" and "Ｂ点" in Text6 and
// finds them by that name at the clicked place.
TEST_F(PointClicks, ThePlacementPointsTakeTheirNameAndThePressPosition)
{
    Plot& w = pointMode(&Plot::Option12);
    w.Check24.setValue(platform::check::Unchecked);
    w.Text6.setText(QStringLiteral("Ａ点"));
    pressAt(1, 12.5, 7.25);
    EXPECT_EQ(PointName[1], QStringLiteral("Ａ点"));
    EXPECT_DOUBLE_EQ(PointX[1], 12.5);
    EXPECT_DOUBLE_EQ(PointY[1], 7.25);
}

TEST_F(PointClicks, ThePressSnapsToTheFirstLineInIndexOrderNotTheNearestEnd)
{
    pointMode(&Plot::Option12);
    farLines(7);
    putLine(3, 30.0, 30.0, 0.0, 0.4);    // second end 0.4 m away
    putLine(7, 0.1, 0.0, -30.0, -30.0);  // first end 0.1 m away
    pressAt(1, 0.0, 0.0);
    ASSERT_EQ(PointCount, 1);
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    EXPECT_DOUBLE_EQ(PointY[1], static_cast<float>(0.4));
    EXPECT_EQ(history(), std::vector<int>{11});
}

TEST_F(PointClicks, AnEndIsTakenInTheThirdPassButNotBeyondTheFourth)
{
    struct Row {
        double distance;
        double expectedNorth;
    };
    const Row rows[] = {{2.5 * kR0, 2.5 * kR0}, {4.5 * kR0, 0.0}};
    pointMode(&Plot::Option12);
    for (const Row& row : rows) {
        startAgain();
        putLine(1, row.distance, 0.0, 30.0, 0.0);  // north of the press: no foot on it
        pressAt(1, 0.0, 0.0);
        ASSERT_EQ(PointCount, 1) << row.distance;
        EXPECT_DOUBLE_EQ(PointX[1], row.expectedNorth) << row.distance;
    }
    EXPECT_EQ(prompts(), 0U);
}

// A line passing 0.1 m north of the press (its ends 10 m away) and a line
// whose end lies 0.2 m away: with each switch set against snapping nothing
// snaps and nothing is asked or cut.
TEST_F(PointClicks, WithoutPickOrLinesOrWithGpsNothingSnapsAndNothingIsCut)
{
    struct Row {
        const char* name;
        platform::CheckBox Plot::*box;
        int value;
    };
    const Row rows[] = {{"ピック off", &Plot::Check24, platform::check::Unchecked},
                        {"Ｌ off", &Plot::Check13, platform::check::Unchecked},
                        {"Ｇ on", &Plot::Check29, platform::check::Checked}};
    // The last fix lies far off, so that "Ｇ" leaves the press where it is.
    GpsCount = 1;
    GpsX[1] = GpsY[1] = 40.0F;
    for (const Row& row : rows) {
        Plot& w = pointMode(&Plot::Option12);
        startAgain();
        putLine(1, 0.1, -10.0, 0.1, 10.0);
        putLine(2, 0.0, 0.2, 0.0, 30.0);
        (w.*row.box).setValue(row.value);
        pressAt(1, 0.0, -0.5);
        ASSERT_EQ(PointCount, 1) << row.name;
        EXPECT_DOUBLE_EQ(PointX[1], 0.0) << row.name;
        EXPECT_DOUBLE_EQ(PointY[1], -0.5) << row.name;
        EXPECT_EQ(LineNext, 3) << row.name;
        EXPECT_DOUBLE_EQ(LineY2[1], 10.0) << row.name;
    }
    EXPECT_EQ(prompts(), 0U);
}

TEST_F(PointClicks, AFootAtTheFirstEndIsNotCutAndOneAtTheSecondEndIs)
{
    HitRadius = 1;  // snap radius 0.05 m, four passes reach 0.2 m
    pointMode(&Plot::Option12);
    const double off = cutTolerance() / 2.0;
    ASSERT_GT(off, 0.2);
    putLine(1, 0.0, 0.0, 0.0, 10.0);  // 10 m due east
    pressAt(1, off, 0.0);          // d1 = 0
    EXPECT_EQ(prompts(), 0U);
    EXPECT_EQ(LineNext, 2);
    script().expectMessage(platform::MsgResult::Yes, kDropQuestion);
    pressAt(1, off, 10.0);  // d1 = L
    EXPECT_EQ(LineNext, 3);
    EXPECT_DOUBLE_EQ(LineY2[1], 10.0);
    EXPECT_DOUBLE_EQ(PointX[2], 0.0);
    EXPECT_DOUBLE_EQ(PointY[2], 10.0);
}

TEST_F(PointClicks, DeletedOrFilteredLinesAreNeitherSnappedToNorCut)
{
    struct Row {
        const char* name;
        int colour;
        bool filtered;
    };
    const Row rows[] = {{"colour 100", 100, false}, {"colour 5 hidden", 5, true}};
    pointMode(&Plot::Option12);
    for (const Row& row : rows) {
        startAgain();
        LineColorShown[row.colour <= kColorTableTop ? row.colour : 0] = row.filtered ? 0 : 1;
        putLine(1, 0.1, -10.0, 0.1, 10.0, row.colour);
        putLine(2, 0.0, 0.2, 0.0, 30.0, row.colour);
        pressAt(1, 0.0, -0.5);
        EXPECT_DOUBLE_EQ(PointY[1], -0.5) << row.name;
        EXPECT_EQ(LineNext, 3) << row.name;
    }
    EXPECT_EQ(prompts(), 0U);
}

TEST_F(PointClicks, ACutEndsTheLineAtTheFootAndRecords125And126Before11)
{
    pointMode(&Plot::Option12);
    putLine(1, 0.1, -10.0, 0.1, 10.0, 5);
    script().expectMessage(platform::MsgResult::Yes, kDropQuestion);
    pressAt(1, 0.0, -0.5);
    ASSERT_EQ(LineNext, 3);
    EXPECT_DOUBLE_EQ(LineX2[1], 0.1);
    EXPECT_DOUBLE_EQ(LineY2[1], -0.5);
    EXPECT_DOUBLE_EQ(LineX1[2], 0.1);
    EXPECT_DOUBLE_EQ(LineY1[2], -0.5);
    EXPECT_DOUBLE_EQ(LineY2[2], 10.0);
    EXPECT_EQ(LineColor[2], 5);
    EXPECT_EQ(history(), (std::vector<int>{125, 126, 11}));
    EXPECT_EQ(UndoItem[1], 1);
    EXPECT_FLOAT_EQ(UndoVal1[1], 0.1F);
    EXPECT_FLOAT_EQ(UndoVal2[1], 10.0F);
    EXPECT_EQ(UndoText(0, 1), QStringLiteral("0.1"));
    EXPECT_EQ(UndoText(1, 1), QStringLiteral("-0.5"));
    EXPECT_FLOAT_EQ(UndoVal1[2], 2.0F);
    EXPECT_EQ(LastAddSplit, 1);
    EXPECT_EQ(PickedLine, 1);
    EXPECT_DOUBLE_EQ(MoveOldY, 10.0);
    EXPECT_DOUBLE_EQ(PointX[1], static_cast<float>(0.1));
    EXPECT_DOUBLE_EQ(PointY[1], -0.5);
    EXPECT_EQ(colorAt(0.1, 5.0), platform::QBColor(kMagenta)) << "the offered line is marked";
}

TEST_F(PointClicks, NoToTheQuestionStillAddsThePointAndALaterLineMayBeOffered)
{
    pointMode(&Plot::Option12);
    putLine(1, 0.1, -10.0, 0.1, 10.0);
    putLine(2, -0.2, -10.0, -0.2, 10.0);
    script().expectMessage(platform::MsgResult::No, kDropQuestion);
    script().expectMessage(platform::MsgResult::No, kDropQuestion);
    pressAt(1, 0.0, -0.5);
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    EXPECT_EQ(LineNext, 3);
    EXPECT_EQ(LastAddSplit, 0);
    EXPECT_EQ(history(), std::vector<int>{11});

    script().expectMessage(platform::MsgResult::No, kDropQuestion);
    script().expectMessage(platform::MsgResult::Yes, kDropQuestion);
    pressAt(1, 0.0, 3.0);
    EXPECT_EQ(LineNext, 4);
    EXPECT_DOUBLE_EQ(LineY2[2], 3.0);
    EXPECT_DOUBLE_EQ(LineY2[1], 10.0);
    EXPECT_DOUBLE_EQ(PointX[2], static_cast<float>(-0.2));
}

TEST_F(PointClicks, TheLastPointsNameInText6GivesTheNextNameWithAnEmptySecondName)
{
    Plot& w = pointMode(&Plot::Option12);
    addPoint(1, QStringLiteral("交11"), 20.0, 20.0);
    w.Text6.setText(QStringLiteral("交11"));
    w.Text7.setText(QStringLiteral("済"));
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(PointName[2], QStringLiteral("交12"));
    EXPECT_EQ(PointName2[2], QString());
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("交13"));
}

TEST_F(PointClicks, WithGpsOnAndNoFixThePointGoesToTheSiteOrigin)
{
    Plot& w = pointMode(&Plot::Option12);
    w.Check29.setValue(platform::check::Checked);
    // g = HitRadius x ViewSpanX / 500 = 2 m around entry 0 of the track.
    pressAt(1, 1.5, -1.9);
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    EXPECT_DOUBLE_EQ(PointY[1], 0.0);
    pressAt(1, 2.5, 0.0);
    EXPECT_DOUBLE_EQ(PointX[2], 2.5);
}

TEST_F(PointClicks, The500001stPointIsRefusedAndNothingIsWritten)
{
    pointMode(&Plot::Option12);
    PointCount = kPointTop;
    PointChanged = 0;
    putLine(1, 0.1, -10.0, 0.1, 10.0);
    script().expectMessage(platform::MsgResult::Ok, pointTableFullMessage());
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(PointCount, kPointTop);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_EQ(PointChanged, 0);
    EXPECT_EQ(LineNext, 2);
}

// A full line table leaves no index for the cut's second piece: the cut is
// refused with the line table's message and the point is added at the press.
TEST_F(PointClicks, AFullLineTableRefusesTheCutButNotThePoint)
{
    pointMode(&Plot::Option12);
    putLine(1, 20.1, -10.0, 20.1, 10.0);
    LineNext = kLineTop + 1;  // lines 2 .. 500000 lie unused at the origin, 20 m off
    script().expectMessage(platform::MsgResult::Yes, kDropQuestion);
    script().expectMessage(platform::MsgResult::Ok, lineTableFullMessage());
    pressAt(1, 20.0, 0.0);
    EXPECT_EQ(LineNext, kLineTop + 1);
    EXPECT_DOUBLE_EQ(LineY2[1], 10.0);
    EXPECT_EQ(LastAddSplit, 0);
    EXPECT_DOUBLE_EQ(PointX[1], 20.0);
    EXPECT_EQ(history(), std::vector<int>{11});
}

// ---- the attribute pick --------------------------------------------------

TEST_F(PointClicks, TheAttributePickReachesTwoMetresInTheFourthPass)
{
    pointMode(&Plot::Option9);
    addPoint(1, QStringLiteral("N1"), 1.9, 0.0);
    addPoint(2, QStringLiteral("N2"), -2.1, 0.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(CurPoint, 1);
    PointX[1] = 2.1;
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(CurPoint, 0);
}

TEST_F(PointClicks, TheLowerIndexWinsAndDeletedHiddenOrSymbolZeroPointsAreNeverPicked)
{
    pointMode(&Plot::Option9);
    addPoint(1, QStringLiteral("far"), 0.45, 0.0);
    addPoint(2, QStringLiteral("near"), 0.05, 0.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(CurPoint, 1);

    struct Row {
        const char* name;
        int mark;
    };
    const Row rows[] = {{"deleted", 101}, {"symbol 0", 0}};
    for (const Row& row : rows) {
        PointCount = 0;
        addPoint(1, QStringLiteral("only"), 0.05, 0.0, row.mark);
        pressAt(1, 0.0, 0.0);
        EXPECT_EQ(CurPoint, 0) << row.name;
    }
    // The layer switch "Ｐ" stays ticked while the point panel is open; the
    // colour filter hides the point.
    PointMark[1] = 2;
    PointColorShown[12] = 0;  // the colour of symbol 2
    pressAt(1, 0.0, 0.0);
    EXPECT_EQ(CurPoint, 0) << "colour filtered";
}

TEST_F(PointClicks, APickLoadsThePanelWithTheSecondNameTrimmed)
{
    Plot& w = pointMode(&Plot::Option9);
    addPoint(1, QStringLiteral("K3"), 0.0, 0.0, 7);
    PointName2[1] = QStringLiteral("済  ");
    pressAt(1, 0.2, 0.1);
    EXPECT_EQ(CurPoint, 1);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("K3"));
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("済"));
    EXPECT_EQ(PointName2[1], QStringLiteral("済  "));
    EXPECT_TRUE(w.Option13(7).Value());
    EXPECT_EQ(w.Command24.Caption(), w.Option13(7).Caption() + QLatin1Char(' ') + w.Label24(7).Caption());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("K3"));
    EXPECT_TRUE(w.Command32.Visible());
    EXPECT_EQ(w.Command32.Caption(), QStringLiteral("確定"));
    EXPECT_TRUE(w.Command31.Visible());
    EXPECT_TRUE(inkIn(0.0, 0.0, 1.5, 4.0, kMagenta)) << "the label in magenta";
    EXPECT_EQ(UndoPos, 0);
}

TEST_F(PointClicks, AMissForgetsThePickButKeepsTheFields)
{
    Plot& w = pointMode(&Plot::Option9);
    addPoint(1, QStringLiteral("K3"), 0.0, 0.0, 7);
    pressAt(1, 0.0, 0.0);
    ASSERT_EQ(CurPoint, 1);
    const QString symbolCaption = w.Command24.Caption();
    pressAt(1, 30.0, 30.0);
    EXPECT_EQ(CurPoint, 0);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("K3"));
    EXPECT_EQ(w.Command24.Caption(), symbolCaption);
    EXPECT_TRUE(w.Option13(7).Value());
}

// ---- the move --------------------------------------------------------------

TEST_F(PointClicks, ThePickTakesTheHigherIndexAndOffersItsPositionInWholeMetres)
{
    Plot& w = pointMode(&Plot::Option11);
    // Site north 1234.56, east -567.8: far off the view, still picked.
    const double north = 1234.56 - kOriginX;
    const double east = -567.8 - kOriginY;
    addPoint(1, QStringLiteral("A"), north + 0.1, east);
    addPoint(2, QStringLiteral("B"), north, east);
    pressAt(1, north + 0.05, east);
    EXPECT_EQ(MovePoint, 2);
    EXPECT_DOUBLE_EQ(MoveOldX, north);
    EXPECT_EQ(xyin2().Text1.Text(), QStringLiteral(" 1234"));
    EXPECT_EQ(xyin2().Text2.Text(), QStringLiteral("-568"));
    EXPECT_TRUE(w.Command47.Visible());
    EXPECT_EQ(CurPoint, 0);
}

TEST_F(PointClicks, WithPickFirstEndsAreSearchedBeforeSecondEnds)
{
    pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 20.0, 20.0);
    farLines(9);
    putLine(2, -30.0, -30.0, 0.0, 0.5 * kR0);
    putLine(9, 0.0, 1.5 * kR0, 30.0, -30.0);
    pressAt(1, 20.0, 20.0);
    pressAt(1, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    EXPECT_DOUBLE_EQ(PointY[1], 1.5 * kR0);
    EXPECT_EQ(MovedPoint, 1);
    EXPECT_EQ(MovePoint, 0);
}

TEST_F(PointClicks, AnotherPointAtTheTargetIsNamedAndNothingMoves)
{
    pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 20.0, 20.0);
    addPoint(2, QStringLiteral("B"), 5.0, 5.0);
    addPoint(3, QStringLiteral("C"), 5.0, 5.0);
    addPoint(4, QStringLiteral("D"), 8.0, 8.0, 102);  // deleted
    pressAt(1, 20.0, 20.0);
    script().expectMessage(platform::MsgResult::Ok, samePlaceMessage(QStringLiteral("B")));
    script().expectMessage(platform::MsgResult::Ok, samePlaceMessage(QStringLiteral("C")));
    pressAt(1, 5.0, 5.0);
    EXPECT_DOUBLE_EQ(PointX[1], 20.0);
    EXPECT_EQ(MovePoint, 1);
    EXPECT_EQ(UndoPos, 0);
    pressAt(1, 8.0, 8.0);  // only a deleted point there
    EXPECT_DOUBLE_EQ(PointX[1], 8.0);
    EXPECT_EQ(MovePoint, 0);
}

TEST_F(PointClicks, LineEndsWithinOneCentimetreFollowAndAreRecordedBeforeThePoint)
{
    Plot& w = pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 0.0, 0.0);
    putLine(1, 0.009, 0.009, 30.0, 0.0, 2);
    putLine(2, 0.01, 0.0, -30.0, 0.0);
    putLine(3, 3.0, 3.0, 3.0, 3.0);
    putLine(4, 0.0, 0.0, 0.0, 0.0);  // zero length: both ends
    crtplot();
    ASSERT_EQ(colorAt(15.0, 0.0), platform::QBColor(2));
    pressAt(1, 0.0, 0.0);
    pressAt(1, 3.0, 3.5);  // snaps to line 3's first end (3, 3)
    EXPECT_DOUBLE_EQ(PointX[1], 3.0);
    EXPECT_DOUBLE_EQ(PointY[1], 3.0);
    EXPECT_DOUBLE_EQ(LineX1[1], 3.0);
    EXPECT_DOUBLE_EQ(LineX1[2], 0.01);
    EXPECT_DOUBLE_EQ(LineY2[4], 3.0);
    EXPECT_EQ(history(), (std::vector<int>{123, 123, 123, 13}));
    EXPECT_EQ(UndoItem[1], -1);
    EXPECT_EQ(UndoItem[2], -4);
    EXPECT_EQ(UndoItem[3], 4);
    EXPECT_FLOAT_EQ(UndoVal1[1], 0.0F);
    EXPECT_EQ(UndoText(0, 1), QStringLiteral("3"));
    EXPECT_EQ(UndoItem[4], 1);
    EXPECT_EQ(UndoText(1, 4), QStringLiteral("3"));
    EXPECT_EQ(MoveLines(0, 1), 1);
    EXPECT_EQ(MoveLines(0, 2), 4);
    EXPECT_EQ(MoveLines(0, 3), 0);
    EXPECT_EQ(MoveLines(1, 1), 4);
    EXPECT_EQ(colorAt(21.0, 1.0), platform::QBColor(2)) << "the carried line drawn anew";
    EXPECT_NE(colorAt(15.0, 0.0), platform::QBColor(2)) << "its old place wiped";
    EXPECT_EQ(w.Label28.Caption(), QString());
}

TEST_F(PointClicks, WithoutPickNothingSnapsNoLineFollowsAndOnlyThePointIsRecorded)
{
    Plot& w = pointMode(&Plot::Option11);
    w.Check24.setValue(platform::check::Unchecked);
    addPoint(1, QStringLiteral("A"), 0.0, 0.0);
    putLine(1, 0.0, 0.0, 30.0, 0.0);
    putLine(2, 3.0, 3.2, 30.0, 30.0);
    MoveLines(0, 1) = 7;
    pressAt(1, 0.0, 0.0);
    pressAt(1, 3.0, 3.0);
    EXPECT_DOUBLE_EQ(PointY[1], 3.0);
    EXPECT_DOUBLE_EQ(LineX1[1], 0.0);
    EXPECT_EQ(history(), std::vector<int>{13});
    EXPECT_EQ(MoveLines(0, 1), 0);
    EXPECT_EQ(MoveLines(1, 1), 0);
}

// After Undo and Redo of a move the carried line ends lie exactly on the
// point again, so that its next move carries them once more.
TEST_F(PointClicks, UndoAndRedoOfAMoveLeaveTheCarriedEndsOnThePoint)
{
    Plot& w = pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 0.0, 0.0);
    putLine(1, 0.0, 0.0, 30.0, 0.0);
    putLine(2, -30.0, 0.0, 0.0, 0.0);
    pressAt(1, 0.0, 0.0);
    pressAt(1, 3.1234567, 2.9876543);
    ASSERT_EQ(history(), (std::vector<int>{123, 123, 13}));
    const double north = PointX[1];
    const double east = PointY[1];
    Command60_Click(w);
    EXPECT_EQ(LineX1[1], 0.0);
    Command61_Click(w);
    EXPECT_EQ(PointX[1], north);
    EXPECT_EQ(PointY[1], east);
    for (const auto& [x, y] : {std::pair{LineX1[1], LineY1[1]}, std::pair{LineX2[2], LineY2[2]}}) {
        EXPECT_EQ(x, north);
        EXPECT_EQ(y, east);
    }
    // The next move carries both ends along.
    pressAt(1, north, east);
    pressAt(1, 5.0, 5.0);
    EXPECT_EQ(history(), (std::vector<int>{123, 123, 13, 123, 123, 13}));
    EXPECT_DOUBLE_EQ(LineY1[1], 5.0);
    EXPECT_DOUBLE_EQ(LineY2[2], 5.0);
}

// A pick after a move forgets that move: the cancel then moves nothing,
// where it used to put the earlier point (and its lines) at the old place
// of the point picked now.
TEST_F(PointClicks, MoveAThenPickBThenCancelMovesNothing)
{
    Plot& w = pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 0.0, 0.0);
    addPoint(2, QStringLiteral("B"), 10.0, 10.0);
    putLine(1, 0.0, 0.0, -20.0, 0.0);
    pressAt(1, 0.0, 0.0);
    pressAt(1, 5.0, 5.0);
    ASSERT_EQ(MovedPoint, 1);
    pressAt(1, 10.0, 10.0);
    ASSERT_EQ(MovePoint, 2);
    EXPECT_EQ(MovedPoint, 0);
    EXPECT_EQ(MoveLines(0, 1), 0);
    Command31_Click(w);
    EXPECT_DOUBLE_EQ(PointX[1], 5.0);
    EXPECT_DOUBLE_EQ(PointX[2], 10.0);
    EXPECT_DOUBLE_EQ(LineX1[1], 5.0);
}

// 102 lines start at the point: the first 100 follow and are listed; the
// cancel puts exactly those back.
TEST_F(PointClicks, AMoveCarriesAtMostOneHundredLineStartsAndTheCancelSeesThem)
{
    Plot& w = pointMode(&Plot::Option11);
    addPoint(1, QStringLiteral("A"), 0.0, 0.0);
    for (int j = 1; j <= 102; ++j)
        putLine(j, 0.0, 0.0, -20.0, j * 0.1);
    pressAt(1, 0.0, 0.0);
    pressAt(1, 5.0, 5.0);
    EXPECT_DOUBLE_EQ(LineX1[100], 5.0);
    EXPECT_DOUBLE_EQ(LineX1[101], 0.0);
    EXPECT_DOUBLE_EQ(LineX1[102], 0.0);
    EXPECT_EQ(UndoPos, 101);
    EXPECT_EQ(UndoKind[101], 13);
    EXPECT_EQ(MoveLines(0, 100), 100);
    w.Command31.setVisible(true);
    Command31_Click(w);
    EXPECT_DOUBLE_EQ(PointX[1], 0.0);
    for (int j : {1, 50, 100, 101, 102})
        EXPECT_DOUBLE_EQ(LineX1[j], 0.0) << j;
}

}  // namespace
}  // namespace tavelcor::interacttest
