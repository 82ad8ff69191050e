// SPDX-License-Identifier: LicenseRef-Tavelcor
// The pointer moving over the plot and Timer4: the guard against other
// windows in front, the pan steps over the snapshot, the readouts, the
// line rubber bands with Shift and their length label, the recording of
// hand strokes and the drag-zoom rectangle, checked in the pointer state,
// the tables, the labels and the pixels.
#include "pointer_fixture.h"

#include "main/edit/undo_history.h"
#include "main/interact/press_dispatch.h"
#include "main/site/tables.h"

#include <QFileInfo>

namespace tavelcor::interacttest {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
constexpr int kRed = 12;

using PointerMotion = PointerTest;

TEST_F(PointerMotion, AnotherWindowInFrontStopsEveryMotionOfANormalStart)
{
    ForeHwnd = 0x4400001;
    desktop.setForeground(0x5500002);
    w().Label5.setCaption(QStringLiteral("before"));
    PanDrag = 2;
    moveTo(kLeft, 3.0, 4.0);
    EXPECT_EQ(PointerMoved, 0);
    EXPECT_EQ(PanDrag, 2);
    EXPECT_EQ(RedrawCause, 0);
    EXPECT_EQ(w().Label5.Caption(), QStringLiteral("before"));

    // Our own window in front again: the motion counts.
    desktop.setForeground(0x4400001);
    moveTo(0, 3.0, 4.0);
    EXPECT_EQ(PointerMoved, 1);
    EXPECT_EQ(PanDrag, 0);
}

TEST_F(PointerMotion, AClipboardStartNeverChecksTheWindowInFront)
{
    ForeHwnd = 0x4400001;
    desktop.setForeground(0x5500002);
    for (std::uint8_t mode : {1, 2}) {
        StartMode = mode;
        PointerMoved = 0;
        moveTo(0, 3.0, 4.0);
        EXPECT_EQ(PointerMoved, 1) << int(mode);
        EXPECT_EQ(w().Label5.Caption(), pressPositionText(4.0, -3.0)) << int(mode);
    }
}

TEST_F(PointerMotion, TheFirstPanStepTakesTheSnapshotAndTheSecondDrawsItShiftedFromTheFirst)
{
    // A red square on the picture at north 0..1, east 0..1.
    w().Picture1.canvas().Line(0.0, 0.0, 1.0, -1.0, platform::QBColor(kRed), platform::LineOpt::BoxFill);
    ASSERT_EQ(colorAt(0.5, 0.5), platform::QBColor(kRed));
    const QString snapshot = WorkFolder + QStringLiteral("/TEMP.BMP");
    QFile::remove(snapshot);
    pressAt(kMiddle, 0.0, 0.0);
    redraws = 0;

    moveTo(kMiddle, 0.0, 5.0);  // five metres east of the press
    EXPECT_TRUE(QFileInfo::exists(snapshot));
    EXPECT_EQ(RedrawCause, 2);
    EXPECT_EQ(HaikeiFile(3, 0), snapshot);
    EXPECT_DOUBLE_EQ(HaikeiYMin(3, 0), ViewCY - ViewSpanY / 2);
    EXPECT_DOUBLE_EQ(HaikeiXMin(3, 0), ViewCX - ViewSpanX / 2);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("画面移動"));
    EXPECT_EQ(w().Picture1.MousePointer(), 5);
    EXPECT_EQ(colorAt(0.5, 0.5), platform::QBColor(kRed));  // nothing drawn yet

    moveTo(kMiddle, 0.0, 7.0);  // two metres more
    EXPECT_DOUBLE_EQ(HaikeiYMin(3, 0), ViewCY - ViewSpanY / 2 + 2.0);
    EXPECT_EQ(colorAt(0.5, 2.5), platform::QBColor(kRed));
    EXPECT_EQ(colorAt(0.5, 0.5), white());
    EXPECT_EQ(colorAt(0.5, 5.5), white());  // not shifted by the seven metres from the press
    EXPECT_EQ(redraws, 0);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY);  // only the release moves the view
}

TEST_F(PointerMotion, APanStepWithoutItsSnapshotShowsNothingNew)
{
    // The work folder is a file: the picture cannot be saved.
    WorkFolder = SiteFolder + QStringLiteral("blocked");
    QFile blocker(WorkFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w().Picture1.canvas().Line(0.0, 0.0, 1.0, -1.0, platform::QBColor(kRed), platform::LineOpt::BoxFill);
    pressAt(kMiddle, 0.0, 0.0);
    moveTo(kMiddle, 0.0, 1.0);
    moveTo(kMiddle, 0.0, 3.0);
    EXPECT_TRUE(HaikeiFile(3, 0).isEmpty());
    EXPECT_EQ(colorAt(0.5, 0.5), platform::QBColor(kRed));
    EXPECT_EQ(colorAt(0.5, 2.5), white());
    redraws = 0;
    releaseAt(kMiddle, 0.0, 3.0);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY - 3.0);
    EXPECT_EQ(redraws, 1);
}

TEST_F(PointerMotion, TheMiddleButtonPansInEveryModeAndTheLeftOneAfterTheMenusPan)
{
    const auto pans = [this](int buttons) {
        RedrawCause = 0;
        moveTo(buttons, 1.0, 1.0);
        return RedrawCause == 2;
    };
    EXPECT_TRUE(pans(kMiddle));
    openPanel(w().Frame10, &w().Option20);
    EXPECT_TRUE(pans(kMiddle));
    w().Frame10.setVisible(false);
    openPanel(w().Frame9, &w().Option16);
    EXPECT_TRUE(pans(kMiddle));
    EXPECT_EQ(TegakiCount, 0);  // the pan records no stroke
    EXPECT_FALSE(pans(kLeft));
    PanOnce = 1;
    EXPECT_TRUE(pans(kLeft));
    EXPECT_FALSE(pans(kLeft | kRight));
}

TEST_F(PointerMotion, AnArmedPanDragEndsAtTheFirstMotionWithoutTheLeftButtonAlone)
{
    for (int buttons : {0, kRight, kLeft | kRight}) {
        PanDrag = 2;
        RedrawCause = 0;
        moveTo(buttons, 1.0, 1.0);
        EXPECT_EQ(PanDrag, 0) << buttons;
        EXPECT_EQ(RedrawCause, 0) << buttons;
        EXPECT_EQ(w().Picture1.MousePointer(), 2) << buttons;
    }
    PanDrag = 2;
    moveTo(kLeft, 1.0, 1.0);
    EXPECT_EQ(PanDrag, 2);
    EXPECT_EQ(RedrawCause, 2);
}

TEST_F(PointerMotion, TheReadoutShowsOnlyInsideOneHundredAndFiftyKilometresEastOrWest)
{
    struct Row {
        double siteEast;
        bool shown;
    };
    const Row rows[] = {{150000.0, false}, {-150000.0, false}, {149999.999, true}, {-149999.999, true}};
    for (const Row& row : rows) {
        w().Label5.setVisible(!row.shown);
        moveTo(0, 0.0, row.siteEast - kOriginY);
        EXPECT_EQ(w().Label5.Visible(), row.shown) << row.siteEast;
        if (row.shown) {
            EXPECT_EQ(w().Label5.Caption(), pressPositionText(row.siteEast - kOriginY, 0.0));
        }
    }
    PrintMode = 2;
    moveTo(0, 0.0, 0.0);
    EXPECT_FALSE(w().Label5.Visible());
    PrintMode = 1;
    moveTo(0, 0.0, 0.0);
    EXPECT_TRUE(w().Label5.Visible());
}

TEST_F(PointerMotion, LatitudeAndLongitudeFollowTheirSwitchesAndStayWhileTheReadoutIsHidden)
{
    w().Label18.setCaption(QStringLiteral("old"));
    w().Label29.setCaption(QStringLiteral("old"));
    moveTo(0, 0.0, 0.0);
    EXPECT_EQ(w().Label18.Caption(), QString());
    EXPECT_EQ(w().Label29.Caption(), QString());

    w().Check30.setValue(1);
    w().Check31.setValue(1);
    moveTo(0, 0.0, 0.0);
    const QString latitude = w().Label18.Caption();
    EXPECT_EQ(latitude.size(), 13);
    EXPECT_EQ(w().Label29.Caption().size(), 13);
    // Zone 6 near 10 km north, 20 km east of its origin: about 36°05', 136°13'.
    EXPECT_NEAR(latitude.toDouble(), 36.05, 0.02);
    EXPECT_NEAR(w().Label29.Caption().toDouble(), 136.13, 0.02);

    w().Check30.setValue(0);
    moveTo(0, 0.0, 200000.0);  // readout hidden: the labels keep their texts
    EXPECT_EQ(w().Label18.Caption(), latitude);
}

TEST_F(PointerMotion, TheRectanglesWriteTheReadoutEvenWhileItIsHidden)
{
    PrintMode = 2;
    DiagonalArmed = 1;
    DiagonalDrag = 1;
    LastClickX = BandX = 0.0;
    LastClickY = BandY = 0.0;
    w().Label5.setCaption(QString());
    moveTo(0, 4.0, 6.0);
    EXPECT_FALSE(w().Label5.Visible());
    EXPECT_EQ(w().Label5.Caption(), pressPositionText(6.0, -4.0));
    EXPECT_DOUBLE_EQ(BandX, 6.0);
    EXPECT_DOUBLE_EQ(BandY, -4.0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("拡大"));
    EXPECT_NE(colorAt(2.0, 6.0), white());  // the rectangle's east side

    // The next step takes that rectangle off.
    moveTo(0, 2.0, 3.0);
    EXPECT_EQ(colorAt(2.0, 6.0), white());
    EXPECT_NE(colorAt(1.0, 3.0), white());
}

class LineBands : public PointerTest {
protected:
    void SetUp() override
    {
        PointerTest::SetUp();
        openPanel(w().Frame10, &w().Option20);
        LineNext = 1;
        LineX1[1] = 0.0;  // the chain's start at the plot's origin
        LineY1[1] = 0.0;
        LineRubber = 1;
        Redrawn = 0;
        LastClickX = 0.0;
        LastClickY = 0.0;
    }
};

TEST_F(LineBands, ShiftOnTheDiagonalTakesTheHorizontalAndCtrlOrAltUndoIt)
{
    moveTo(0, 5.0, 5.0, kShift);
    EXPECT_DOUBLE_EQ(LastClickX, 5.0);
    EXPECT_DOUBLE_EQ(LastClickY, 0.0);
    EXPECT_NEAR(w().Label28.Left(), 5.0, 0.5);  // to the pixel
    EXPECT_NE(colorAt(0.0, 2.5), white());
    EXPECT_EQ(colorAt(2.5, 2.5), white());

    moveTo(0, 6.0, 1.0, kShift);  // farther north than east: the vertical
    EXPECT_DOUBLE_EQ(LastClickX, 0.0);
    EXPECT_DOUBLE_EQ(LastClickY, -6.0);
    EXPECT_EQ(colorAt(0.0, 2.5), white());  // the last band is gone

    for (int shift : {kShift | kCtrl, kShift | kAlt}) {
        moveTo(0, 5.0, 5.0, shift);
        EXPECT_DOUBLE_EQ(LastClickX, 5.0) << shift;
        EXPECT_DOUBLE_EQ(LastClickY, -5.0) << shift;
    }
}

TEST_F(LineBands, TheLengthLabelTakesItsDecimalsFromTheSegment)
{
    struct Row {
        double d;
        double chain;
        const char* text;
    };
    const Row rows[] = {
        {99.999, 0.0, "99.999 99.999"},
        {100.0, 0.0, "100.00 100.00"},
        {999.99, 0.0, "999.99 999.99"},
        {1000.0, 0.0, "1000.0 1000.0"},
        {5.0, 12.5, "5.000 17.500"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(chainLengthText(row.d, row.chain), QString::fromUtf8(row.text)) << row.d;

    // Through the motion: the first segment of a chain, then a later one.
    LineChainLength = 0.0;
    moveTo(0, 0.0, 99.999);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("99.999 99.999"));
    EXPECT_TRUE(w().Timer4.Enabled());
    LineChainLength = 250.0;
    moveTo(0, 0.0, 100.0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("100.00 350.00"));
}

TEST_F(LineBands, BeforeTheFirstPressTheLabelSaysStartAndNothingIsDrawn)
{
    LineRubber = 0;
    w().Timer4.setEnabled(false);
    const QImage before = w().Picture1.canvas().image().copy();
    moveTo(0, 5.0, 5.0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral(" 始点"));
    EXPECT_EQ(w().Picture1.canvas().image(), before);
    EXPECT_FALSE(w().Timer4.Enabled());
    // Shift still moves the label against the stored start.
    moveTo(0, 5.0, 4.0, kShift);
    EXPECT_NEAR(w().Label28.Left(), 0.0, 0.5);
}

TEST_F(LineBands, AfterARedrawTheBandRestartsAtItsAnchorWithoutErasing)
{
    moveTo(0, 0.0, 5.0);
    Redrawn = 1;
    crtplot();  // the band is gone with the redraw
    moveTo(0, 0.0, 8.0);
    EXPECT_EQ(Redrawn, 0);
    EXPECT_DOUBLE_EQ(LastClickX, 0.0);
    EXPECT_EQ(colorAt(0.0, 4.0), white());
    moveTo(0, 0.0, 8.0);
    EXPECT_NE(colorAt(0.0, 4.0), white());
}

TEST_F(LineBands, ATickWithTheBusyCursorKeepsTheBandAndOtherwiseErasesItOnce)
{
    moveTo(0, 0.0, 5.0);
    ASSERT_NE(colorAt(0.0, 2.5), white());
    ASSERT_TRUE(w().Timer4.Enabled());
    w().setMousePointer(platform::pointer::Hourglass);
    ASSERT_TRUE(busyCursorShown(w()));
    Timer4_Timer(w());
    EXPECT_NE(colorAt(0.0, 2.5), white());
    EXPECT_TRUE(w().Timer4.Enabled());
    EXPECT_DOUBLE_EQ(LastClickX, 5.0);

    w().setMousePointer(platform::pointer::Default);
    Timer4_Timer(w());
    EXPECT_EQ(colorAt(0.0, 2.5), white());
    EXPECT_FALSE(w().Timer4.Enabled());
    EXPECT_DOUBLE_EQ(LastClickX, 0.0);  // back at the chain's start
    EXPECT_DOUBLE_EQ(LastClickY, 0.0);
}

TEST_F(LineBands, TheLineMoveBandHangsOnTheFixedEndAndTheTickReturnsToTheFirstEnd)
{
    w().Option6.setValue(true);
    LineNext = 2;
    LineX1[1] = 10.0;
    LineY1[1] = 0.0;
    LineX2[1] = 0.0;
    LineY2[1] = 0.0;
    MoveLine = 1;
    MoveLineEnd = 2;  // the band hangs on the second end (0, 0)
    LineDragging = 1;
    LastClickX = 0.0;
    LastClickY = -10.0;
    Redrawn = 1;
    moveTo(0, 0.0, 6.0);
    EXPECT_DOUBLE_EQ(LastClickX, 0.0);  // restarted at the anchor
    EXPECT_DOUBLE_EQ(LastClickY, 0.0);
    moveTo(0, 1.0, 6.0, kShift);
    EXPECT_DOUBLE_EQ(LastClickX, 6.0);
    EXPECT_DOUBLE_EQ(LastClickY, 0.0);
    EXPECT_NE(colorAt(0.0, 3.0), white());
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral(" LINE移動"));
    EXPECT_TRUE(w().Timer4.Enabled());
    Timer4_Timer(w());
    EXPECT_EQ(colorAt(0.0, 3.0), white());
    EXPECT_DOUBLE_EQ(LastClickX, 0.0);
    EXPECT_DOUBLE_EQ(LastClickY, -10.0);  // the first end, whichever end is fixed
}

class Strokes : public PointerTest {
protected:
    void SetUp() override
    {
        PointerTest::SetUp();
        openPanel(w().Frame9, &w().Option16);
        ASSERT_NE(w().Option8.find(kRed), nullptr);
        w().Option8[kRed].setValue(true);
    }
};

TEST_F(Strokes, TheFirstVerticesOfAnEmptyTableGetTheirOddCodesAndTheFourthIsDrawn)
{
    moveTo(kLeft, 1.0, 1.0);
    EXPECT_EQ(TegakiCount, 1);
    EXPECT_EQ(TegakiPen[1], 1);
    EXPECT_EQ(TegakiColor[1], kRed);
    EXPECT_FLOAT_EQ(TegakiX[1], 1.0F);
    EXPECT_FLOAT_EQ(TegakiY[1], 1.0F);

    moveTo(kLeft, 2.0, 2.0);
    moveTo(kLeft, 2.0, 6.0);
    EXPECT_EQ(TegakiCount, 3);
    EXPECT_EQ(TegakiPen[2], 1);
    EXPECT_EQ(TegakiPen[3], 2);
    EXPECT_EQ(TegakiColor[2], 0);  // no colour written
    EXPECT_EQ(TegakiColor[3], 0);
    EXPECT_EQ(colorAt(2.0, 4.0), white());  // nothing drawn

    moveTo(kLeft, 2.0, 10.0);
    EXPECT_EQ(TegakiCount, 4);
    EXPECT_EQ(TegakiPen[4], 2);
    EXPECT_EQ(TegakiColor[4], kRed);
    EXPECT_EQ(colorAt(2.0, 8.0), platform::QBColor(kRed));
}

TEST_F(Strokes, AMoveWithAnyOtherButtonsRecordsNothing)
{
    for (int buttons : {0, kRight, kLeft | kRight})
        moveTo(buttons, 1.0, 1.0);
    EXPECT_EQ(TegakiCount, 0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral(" 手書追加"));
}

TEST_F(Strokes, AStrokeAfterAnEndedOneStartsAfreshWithoutASegment)
{
    TegakiCount = 5;
    TegakiPen[5] = 3;
    moveTo(kLeft, 3.0, 3.0);
    EXPECT_EQ(TegakiPen[6], 1);
    EXPECT_EQ(TegakiColor[6], kRed);
    moveTo(kLeft, 3.0, 9.0);
    EXPECT_EQ(TegakiPen[7], 2);
    EXPECT_EQ(colorAt(3.0, 6.0), platform::QBColor(kRed));
}

TEST_F(Strokes, AStrokeReachingTheLastSlotStopsWithOneMessage)
{
    TegakiCount = kTegakiTop - 1;
    TegakiPen[kTegakiTop - 2] = 1;
    TegakiPen[kTegakiTop - 1] = 2;
    pressAt(kLeft, 1.0, 1.0);
    moveTo(kLeft, 1.0, 2.0);  // fills the last slot
    EXPECT_EQ(TegakiCount, kTegakiTop);
    EXPECT_EQ(TegakiPen[kTegakiTop], 2);
    const int before = UndoPos;
    script().expectMessage(platform::MsgResult::Ok, strokeTableFullMessage());
    moveTo(kLeft, 1.0, 3.0);
    moveTo(kLeft, 1.0, 4.0);  // no second message
    EXPECT_EQ(TegakiCount, kTegakiTop);
    EXPECT_EQ(TegakiPen[kTegakiTop], 3);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 41);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], float(kTegakiTop - 2));
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], float(kTegakiTop));
    releaseAt(kLeft, 1.0, 4.0);  // the stroke is already ended
    EXPECT_EQ(UndoPos, before + 1);
    EXPECT_EQ(TegakiCount, kTegakiTop);

    // The next press into the full table is told once.
    pressAt(kLeft, 5.0, 5.0);
    script().expectMessage(platform::MsgResult::Ok, strokeTableFullMessage());
    moveTo(kLeft, 5.0, 6.0);
    moveTo(kLeft, 5.0, 7.0);
    EXPECT_EQ(TegakiCount, kTegakiTop);
}

class DragZoomBand : public PointerTest {
protected:
    void SetUp() override
    {
        PointerTest::SetUp();
        DiagZoom = 1;
        DragZoomArmed = 1;
        DragZoomHeld = 1;
        LastClickX = 0.0;
        LastClickY = 0.0;
        BandX = 0.0;
        BandY = 0.0;
    }
};

TEST_F(DragZoomBand, TheRectangleFollowsTheLeftButton)
{
    moveTo(kLeft, 4.0, 6.0);
    EXPECT_DOUBLE_EQ(BandX, 6.0);
    EXPECT_DOUBLE_EQ(BandY, -4.0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("拡大範囲"));
    EXPECT_NE(colorAt(2.0, 6.0), white());
    moveTo(kLeft, 2.0, 3.0);
    EXPECT_EQ(colorAt(3.0, 6.0), white());
    EXPECT_NE(colorAt(1.0, 3.0), white());
}

TEST_F(DragZoomBand, NoRectangleAfterARangeRectangleOrWithoutTheSetting)
{
    RangeBoxDrawn = 1;
    moveTo(kLeft, 4.0, 6.0);
    EXPECT_DOUBLE_EQ(BandX, 0.0);
    RangeBoxDrawn = 0;
    DiagZoom = 2;
    moveTo(kLeft, 4.0, 6.0);
    EXPECT_DOUBLE_EQ(BandX, 0.0);
    EXPECT_EQ(colorAt(2.0, 6.0), white());
}

TEST_F(PointerMotion, HoverTextsFollowTheOpenPanelAndTheButton)
{
    struct Row {
        platform::Frame Plot::*panel;
        platform::OptionButton Plot::*option;
        int buttons;
        const char* text;
    };
    const Row rows[] = {
        {&Plot::Frame11, &Plot::Option19, 0, " TEXT削除"},
        {&Plot::Frame11, &Plot::Option19, kLeft, " TEXT範囲削除"},
        {&Plot::Frame11, &Plot::Option24, 0, " TEXT移動"},
        {&Plot::Frame4, &Plot::Option10, 0, " POINT削除"},
        {&Plot::Frame4, &Plot::Option10, kLeft, " POINT範囲削除"},
        {&Plot::Frame4, &Plot::Option9, kLeft, " POINT属性"},
        {&Plot::Frame4, &Plot::Option11, 0, " POINT移動"},
        {&Plot::Frame10, &Plot::Option21, kRight, " LINE削除"},
        {&Plot::Frame10, &Plot::Option21, kLeft, " LINE範囲削除"},
        {&Plot::Frame10, &Plot::Option25, kLeft, " LINE色範囲変更"},
        {&Plot::Frame10, &Plot::Option6, 0, " LINE移動"},
        {&Plot::Frame9, &Plot::Option17, 0, " 手書削除"},
        {&Plot::Frame9, &Plot::Option17, kLeft, " 手書範囲削除"},
    };
    for (const Row& row : rows) {
        for (platform::Frame* f : {&w().Frame4, &w().Frame9, &w().Frame10, &w().Frame11})
            f->setVisible(false);
        openPanel(w().*row.panel, &(w().*row.option));
        RangeBoxDrawn = 0;
        moveTo(row.buttons, 1.0, 1.0);
        EXPECT_EQ(w().Label28.Caption(), QString::fromUtf8(row.text)) << row.text;
        EXPECT_EQ(RangeBoxDrawn, QString::fromUtf8(row.text).contains(QStringLiteral("範囲")) ? 1 : 0) << row.text;
    }
    // The 対角 button hid the label: no panel text, no range rectangle.
    DiagonalLabelHidden = 1;
    RangeBoxDrawn = 0;
    moveTo(kLeft, 1.0, 1.0);
    EXPECT_EQ(w().Label28.Caption(), QString());
    EXPECT_EQ(RangeBoxDrawn, 0);
}

TEST_F(PointerMotion, ThePointMoveHoverShowsThePickedPointsSymbolAndName)
{
    openPanel(w().Frame4, &w().Option11);
    addPoint(3, QStringLiteral("K-3"), 1.0, 1.0, 2);
    MovePoint = 3;
    w().Text7.setText(QStringLiteral("x"));
    moveTo(0, 4.0, 4.0);
    EXPECT_EQ(w().Text6.Text(), QStringLiteral("K-3"));
    EXPECT_EQ(w().Label28.Caption(), w().Option13[2].Caption() + QStringLiteral(" K-3x"));
}

TEST_F(PointerMotion, TheAreaHintTakesOverFromEveryPanelText)
{
    openPanel(w().Frame4, &w().Option10);
    AreaCount = 2;
    moveTo(kLeft, 1.0, 1.0);
    EXPECT_EQ(w().Label28.Caption(), QStringLiteral("面積計測中"));
    EXPECT_EQ(RangeBoxDrawn, 0);
}

TEST_F(PointerMotion, TheHoverLabelForwardsItsMotionAndReleaseToThePlot)
{
    const platform::Canvas& canvas = w().Picture1.canvas();
    w().Label28.setVisible(true);
    w().Label28.Move(canvas.ScaleLeft() + 10.0, canvas.ScaleTop() + 20.0);
    const double left = w().Label28.Left();
    const double top = w().Label28.Top();
    ASSERT_TRUE(w().Label28.MouseMove);
    w().Label28.MouseMove(0, 0, 0.0, 0.0);
    EXPECT_EQ(PointerMoved, 1);
    EXPECT_EQ(w().Label5.Caption(), pressPositionText(left, top));

    // The menu's pan, released over the label five metres east of its start.
    w().Label28.Move(left, top);
    PanOnce = 1;
    PanStartX = static_cast<float>(left - 5.0);
    PanStartY = static_cast<float>(top);
    const double centreEast = ViewCY;
    w().Label28.MouseUp(kLeft, 0, 0.0, 0.0);
    EXPECT_EQ(PanOnce, 0);
    EXPECT_NEAR(ViewCY, centreEast - 5.0, 1e-3);
}

}  // namespace
}  // namespace tavelcor::interacttest
