// SPDX-License-Identifier: LicenseRef-Tavelcor
// "Undo", "Rdo", "⊃" and "⊂" pressed as a user presses them: what they
// change, and when "Rdo" and "⊂" show and hide.
#include "edit_window_fixture.h"

namespace tavelcor::edittest {
namespace {

class HistoryButtons : public EditWindowTest {
protected:
    /// The main window with point A at north 0, moved three times east.
    Plot& withThreeMoves()
    {
        putPoint(1, QStringLiteral("A"), 0.0, 0.0);
        Plot& w = shownPlot();
        for (int k = 1; k <= 3; ++k)
            movePoint(1, 0.0, 5.0 * k);
        return w;
    }
};

TEST_F(HistoryButtons, WithAnEmptyHistoryUndoChangesNothingAndRdoStaysHidden)
{
    Plot& w = shownPlot();
    EXPECT_FALSE(w.Command61.Visible()) << "hidden at start";
    EXPECT_TRUE(w.Command60.Visible());
    const QImage before = picture();
    press(w.Command60);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_FALSE(w.Command61.Visible());
    EXPECT_EQ(picture(), before);
}

TEST_F(HistoryButtons, ThreeUndosAreRedoneInOrderAndRdoHidesAfterTheThird)
{
    Plot& w = withThreeMoves();
    for (int k = 0; k < 3; ++k)
        press(w.Command60);
    EXPECT_EQ(PointY[1], 0.0);
    EXPECT_TRUE(w.Command61.Visible());
    for (int k = 1; k <= 3; ++k) {
        press(w.Command61);
        EXPECT_EQ(PointY[1], 5.0 * k);
        EXPECT_EQ(w.Command61.Visible(), k < 3) << k;
    }
    EXPECT_EQ(UndoPos, 3);
}

TEST_F(HistoryButtons, AfterTwoUndosAndANewEditRdoChangesNothingAndHides)
{
    Plot& w = withThreeMoves();
    press(w.Command60);
    press(w.Command60);
    ASSERT_EQ(PointY[1], 5.0);
    addPointByClick(QStringLiteral("B"), 30.0, 30.0);
    EXPECT_TRUE(w.Command61.Visible()) << "recording a step leaves the button as it was";

    press(w.Command61);
    EXPECT_FALSE(w.Command61.Visible());
    EXPECT_EQ(UndoPos, 4);
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(PointY[1], 5.0);

    press(w.Command60);
    EXPECT_EQ(PointCount, 1) << "the new edit goes first";
    EXPECT_EQ(PointY[1], 5.0);
    press(w.Command60);
    EXPECT_EQ(PointY[1], 10.0) << "then the later of the two undone moves: its before-value again";
    EXPECT_EQ(UndoPos, 2);
}

TEST_F(HistoryButtons, UndoShowsRdoAlsoWhenItOnlyStepsOverARecord)
{
    Plot& w = shownPlot();
    pushUndoRecord(UndoRecordFields(undo_kind::kSplitPiece).values(5.0F));
    press(w.Command60);
    EXPECT_EQ(UndoPos, 0);
    EXPECT_TRUE(w.Command61.Visible());
    press(w.Command61);
    EXPECT_EQ(UndoPos, 1) << "a piece met by itself only moves the position";
    EXPECT_EQ(LineNext, 1);
    EXPECT_FALSE(w.Command61.Visible());
}

TEST_F(HistoryButtons, UndoButtonOnAnEmptyHistoryOnlyShowsRedoButton)
{
    Plot& w = shownPlot();
    w.Frame4.setVisible(true);
    w.Command63.setVisible(false);
    press(w.Command62);
    EXPECT_TRUE(w.Command63.Visible());
    EXPECT_FALSE(w.Command61.Visible());
    EXPECT_EQ(UndoPos, 0);
}

TEST_F(HistoryButtons, RedoButtonWithRdoHiddenHidesItself)
{
    Plot& w = withThreeMoves();
    w.Frame4.setVisible(true);
    press(w.Command63);
    EXPECT_FALSE(w.Command63.Visible());
    EXPECT_EQ(UndoPos, 3);
    EXPECT_EQ(PointY[1], 15.0);
}

TEST_F(HistoryButtons, ThePickerButtonsUndoAndRedo)
{
    Plot& w = withThreeMoves();
    w.Frame4.setVisible(true);
    press(w.Command62);
    press(w.Command62);
    EXPECT_EQ(PointY[1], 5.0);
    EXPECT_TRUE(w.Command61.Visible());
    press(w.Command63);
    EXPECT_EQ(PointY[1], 10.0);
    press(w.Command63);
    EXPECT_EQ(PointY[1], 15.0);
    EXPECT_FALSE(w.Command61.Visible());
    EXPECT_TRUE(w.Command63.Visible());
    press(w.Command63);
    EXPECT_FALSE(w.Command63.Visible());
}

// Undo and Redo of a computed coordinate set the count and redraw; SIMA
// rows the user copied stay on the clipboard and out of the coordinates.
TEST_F(HistoryButtons, UndoAndRedoOfAComputedCoordinateLeaveTheClipboardAlone)
{
    Plot& w = shownPlot();
    const int base = ZahyoMax;
    viewtest::addCoordinate(base + 1, QStringLiteral("C1"), 1.0, 2.0);
    pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(float(ZahyoMax - 1)));
    const QString copied = QStringLiteral("A01,1,COPIED,-1.000,-2.000,0,\r\nA01,") + QString::number(base + 5)
                           + QStringLiteral(",NEW,-3.000,-4.000,0,\r\n");
    clipboard.setText(copied);
    const QString firstName = ZahyoName[1];
    const double firstX = ZahyoX[1];
    for (const bool undoing : {true, false}) {
        SCOPED_TRACE(undoing ? "Undo" : "Redo");
        // A mark that only a full redraw paints over.
        w.Picture1.canvas().Line(-20.0, 20.0, 20.0, -20.0, platform::QBColor(13));
        ASSERT_GT(inkNear(0.0, 0.0, 1.0), 0);
        press(undoing ? w.Command60 : w.Command61);
        EXPECT_EQ(ZahyoMax, undoing ? base : base + 1);
        EXPECT_EQ(ZahyoName[1], firstName);
        EXPECT_EQ(ZahyoX[1], firstX);
        EXPECT_EQ(ZahyoName[base + 5], freeZahyoName());
        EXPECT_EQ(clipboard.text(), copied);
        EXPECT_NE(picture().pixel(picture().width() / 2, picture().height() / 2) | 0xFF000000U,
                  platform::toQRgb(platform::QBColor(13)) | 0xFF000000U)
            << "the plot is drawn anew";
    }
}

// Coordinates that a SIMA reload or append brought in stay through Undo and
// Redo of a computed coordinate made before: the reload starts a new
// history, and a record whose coordinate is no longer the newest changes
// no count.
TEST_F(HistoryButtons, UndoNeverCutsCoordinatesAReloadOrAnAppendBroughtIn)
{
    const struct {
        const char* head;
        bool historyKept;
    } rows[] = {{"Z00,SIMA_RELOAD,", false}, {"Z00,SIMA_TUIKA,", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.head);
        Plot& w = shownPlot();
        UndoPos = UndoTop = 0;
        KeptSima.clear();
        const int base = ZahyoMax;
        viewtest::addCoordinate(base + 1, QStringLiteral("C1"), 1.0, 2.0);
        pushUndoRecord(UndoRecordFields(undo_kind::kCoordinateAppended).values(float(base)));
        QString text = QString::fromLatin1(row.head) + QStringLiteral("\r\n");
        for (int n = base + 1; n <= base + 3; ++n)
            text += QStringLiteral("A01,%1,R%1,%2,-8000.000,0,\r\n").arg(n).arg(-37000 - n);
        clipboard.setText(text);
        press(w.Command6);
        ASSERT_EQ(ZahyoMax, base + 3);
        ASSERT_EQ(ZahyoName[base + 3], QStringLiteral("R%1").arg(base + 3));
        press(w.Command60);
        EXPECT_EQ(ZahyoMax, base + 3);
        EXPECT_EQ(UndoPos, 0);
        EXPECT_EQ(w.Command61.Visible(), row.historyKept);
        press(w.Command61);
        EXPECT_EQ(ZahyoMax, base + 3);
        EXPECT_EQ(UndoPos, row.historyKept ? 1 : 0);
        EXPECT_EQ(ZahyoName[base + 2], QStringLiteral("R%1").arg(base + 2));
    }
}

TEST_F(HistoryButtons, UndoAndRedoGiveThePlotTheFocus)
{
    Plot& w = withThreeMoves();
    w.Text1.SetFocus();
    press(w.Command60);
    EXPECT_TRUE(w.Picture1.hasFocus());
    w.Text1.SetFocus();
    press(w.Command61);
    EXPECT_TRUE(w.Picture1.hasFocus());
}

}  // namespace
}  // namespace tavelcor::edittest
