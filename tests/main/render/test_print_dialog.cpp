// SPDX-License-Identifier: LicenseRef-Tavelcor
// The print dialog: opening from the main window, the printer and paper
// choice, the properties dialog, the denominator of the whole shown range,
// the printable-area offsets and closing.
#include "print_fixture.h"

#include <QStringList>
#include <QTest>

namespace tavelcor::testing_print {
namespace {

using PrintDialogTest = PrintFixture;

const QString kUnavailable = QStringLiteral("プリンタが使用できません。通常使うプリンタを変更してください");

QStringList comboItems(const Prtout& d)
{
    QStringList items;
    for (int i = 0; i < d.Combo1.ListCount(); ++i)
        items << d.Combo1.List(i);
    return items;
}

TEST_F(PrintDialogTest, FirstOpeningSelectsA4LandscapeAndProposesTheDefaultDenominator)
{
    ASSERT_NEAR(ViewSpanY, kScreenSpanY, 1e-9) << "the screen view keeps its east extent";
    DataDirty = 0;
    PrintKind = 0;
    Prtout& d = openDialog();

    EXPECT_EQ(PrintKind, 1);
    EXPECT_TRUE(d.Visible());
    EXPECT_TRUE(d.TopMost());
    EXPECT_EQ(d.Caption(), QStringLiteral("印刷"));
    EXPECT_EQ(comboItems(d), (QStringList{QStringLiteral("PDF"), QStringLiteral("事務所")}));
    EXPECT_EQ(d.Combo1.Text(), QStringLiteral("PDF"));
    EXPECT_TRUE(d.Option1.Value());
    EXPECT_FALSE(d.Option2.Value() || d.Option3.Value() || d.Option4.Value());
    ASSERT_NE(platform::currentPrinter(), nullptr);
    EXPECT_EQ(platform::currentPrinter()->PaperSize(), 9);
    EXPECT_EQ(platform::currentPrinter()->Orientation(), 2);
    EXPECT_EQ(PaperChoice, 0);
    EXPECT_EQ(PrintMode, 1);
    EXPECT_EQ(DataDirty, -1);
    // 148.6 m east over an A4 sheet's 297 mm.
    EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 500"));
    EXPECT_TRUE(d.Command5.Visible());
    EXPECT_EQ(d.Command5.Caption(), QStringLiteral("縮尺を表示範囲全体にする"));
    EXPECT_EQ(d.Label1.Caption(), QStringLiteral("　印刷サイズは A4 か A3 の固定です。"));
    const Plot& w = plot();
    EXPECT_NEAR(d.Left(), w.Left() + w.Width() - d.Width() - 100.0, 15.0) << "bottom right of the main window";
    EXPECT_NEAR(d.Top(), w.Top() + w.Height() - d.Height() - 100.0, 15.0);
}

TEST_F(PrintDialogTest, PaperOptionsSetTheirCodesOnTheCurrentPrinter)
{
    Prtout& d = openDialog();
    const struct {
        int row;
        int paperSize;
        int orientation;
    } rows[] = {{1, 9, 1}, {2, 8, 2}, {3, 8, 1}, {0, 9, 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        d.ScaleDenomText = QStringLiteral(" 250");
        DataDirty = 0;
        d.paperOption(row.row).setValue(true);
        EXPECT_EQ(platform::currentPrinter()->PaperSize(), row.paperSize);
        EXPECT_EQ(platform::currentPrinter()->Orientation(), row.orientation);
        EXPECT_EQ(PaperChoice, row.row);
        EXPECT_EQ(d.ScaleDenomText, QString()) << "a paper change forgets the denominator";
        EXPECT_EQ(DataDirty, -1);
    }
}

TEST_F(PrintDialogTest, ReopeningSelectsThePaperLastApplied)
{
    Prtout& first = openDialog();
    first.Option4.setValue(true);  // Ａ３縦
    first.Command3.setValue(true);
    platform::destroyPendingForms();
    EXPECT_FALSE(prtoutForm().isLoaded());

    ASSERT_TRUE(platform::currentPrinter()->setPaperSize(9));  // changed behind the dialog's back
    Prtout& again = openDialog();
    EXPECT_TRUE(again.Option4.Value());
    EXPECT_EQ(platform::currentPrinter()->PaperSize(), 8);
    EXPECT_EQ(platform::currentPrinter()->Orientation(), 1);
    // An A3 sheet upright is 297 mm wide too.
    EXPECT_EQ(again.ScaleDenomText, QStringLiteral(" 500"));
}

TEST_F(PrintDialogTest, OpeningAnOpenDialogKeepsItsState)
{
    Prtout& d = openDialog();
    d.ScaleDenomText = QStringLiteral(" 250");
    d.Option2.setValue(true);
    d.ScaleDenomText = QStringLiteral(" 250");
    Prtout& again = openDialog();
    EXPECT_EQ(&again, &d);
    EXPECT_EQ(again.ScaleDenomText, QStringLiteral(" 250"));
    EXPECT_TRUE(again.Option2.Value());
}

TEST_F(PrintDialogTest, PickingAPrinterMakesItCurrentWithThePaperApplied)
{
    Prtout& d = openDialog();
    DataDirty = 0;
    ASSERT_TRUE(d.Combo1.setListIndex(1));
    ASSERT_NE(platform::currentPrinter(), nullptr);
    EXPECT_EQ(platform::currentPrinter()->DeviceName(), QStringLiteral("事務所"));
    EXPECT_EQ(platform::currentPrinter()->PaperSize(), 9);
    EXPECT_EQ(platform::currentPrinter()->Orientation(), 2) << "a fresh printer gets the chosen paper";
    EXPECT_EQ(d.ScaleDenomText, QString());
    EXPECT_EQ(DataDirty, -1);
}

TEST_F(PrintDialogTest, PrintersOfEqualNamesLeaveTheLastOneCurrent)
{
    platform::setInstalledPrinters(std::vector<platform::PrinterEntry>{
        pdfFilePrinter(QStringLiteral("PDF"), 0.0), pdfFilePrinter(QStringLiteral("同名"), 1.0),
        pdfFilePrinter(QStringLiteral("同名"), 7.0)});
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setListIndex(2));
    EXPECT_EQ(platform::currentPrinter()->entry().unprintableMm.left(), 7.0);
    ASSERT_TRUE(d.Combo1.setListIndex(1));
    EXPECT_EQ(platform::currentPrinter()->entry().unprintableMm.left(), 7.0) << "either entry: the last wins";
}

TEST_F(PrintDialogTest, TypingBitmapKeepsThePrinterAndReappliesThePaper)
{
    Prtout& d = openDialog();
    platform::Printer* printer = platform::currentPrinter();
    ASSERT_TRUE(printer->setPaperSize(8));
    ASSERT_TRUE(printer->setOrientation(1));
    ASSERT_TRUE(d.Combo1.setText(QStringLiteral("BITMAP")));
    EXPECT_EQ(platform::currentPrinter(), printer);
    EXPECT_EQ(printer->PaperSize(), 9);
    EXPECT_EQ(printer->Orientation(), 2);
    EXPECT_EQ(d.ScaleDenomText, QString());
    EXPECT_EQ(d.Combo1.Text(), QStringLiteral("BITMAP"));
}

TEST_F(PrintDialogTest, NoPrinterInstalledWarnsOnceAndOpensEmpty)
{
    platform::setInstalledPrinters(std::vector<platform::PrinterEntry>{});
    PrintMode = 0;
    script().expectMessage(platform::MsgResult::Ok, kUnavailable);
    Prtout& d = openDialog();
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(d.Combo1.ListCount(), 0);
    EXPECT_FALSE(d.Option1.Value() || d.Option2.Value() || d.Option3.Value() || d.Option4.Value());
    EXPECT_EQ(d.ScaleDenomText, QString());
    EXPECT_FALSE(d.Command5.Visible());
    EXPECT_EQ(PrintMode, 0) << "the remaining load steps are left out";
    ASSERT_EQ(script().records().size(), 1u);
    EXPECT_EQ(script().records()[0].buttons, platform::MsgButtons::OkOnly);
}

TEST_F(PrintDialogTest, WholeRangeButtonUsesTheEastExtentInLandscapeAndTheNorthExtentUpright)
{
    Prtout& d = openDialog();
    ViewSpanX = 59.5;  // 59.5 m north over 297 mm: 200
    d.ScaleDenomText.clear();
    d.Command5.setValue(true);
    EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 500"));
    EXPECT_EQ(d.Command5.Caption(), QStringLiteral("縮尺を表示範囲全にする"));

    d.Option2.setValue(true);  // Ａ４縦
    d.Command5.setValue(true);
    EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 200"));
}

TEST_F(PrintDialogTest, WholeRangeOfAViewNarrowerThanThePageIsZero)
{
    Prtout& d = openDialog();
    ViewSpanY = 0.2;
    d.Command5.setValue(true);
    EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 0"));
}

TEST_F(PrintDialogTest, PropertiesHideTheDialogAndThePaperChoiceWins)
{
    Prtout& d = openDialog();
    platform::Printer* printer = platform::currentPrinter();
    printer->setOutputFileName(path(QStringLiteral("pending.pdf")));
    ASSERT_TRUE(printer->Print(QStringLiteral("a document in progress")));
    QStringList shown;
    bool visibleMeanwhile = true;
    platform::setPrinterPropertiesHandler([&](const QString& name) {
        shown << name;
        visibleMeanwhile = prtout().Visible();
        // What a user might pick in the properties: A3 upright.
        EXPECT_FALSE(platform::currentPrinter()->setPaperSize(8)) << "not while a document is open";
    });
    d.ScaleDenomText = QStringLiteral(" 250");
    d.Command1.setValue(true);
    EXPECT_EQ(shown, QStringList{QStringLiteral("PDF")});
    EXPECT_FALSE(visibleMeanwhile);
    EXPECT_TRUE(d.Visible());
    EXPECT_FALSE(printer->documentOpen()) << "the next print starts a new document";
    EXPECT_EQ(printer->PaperSize(), 9);
    EXPECT_EQ(printer->Orientation(), 2);
    EXPECT_EQ(d.ScaleDenomText, QString());
}

TEST_F(PrintDialogTest, PropertiesOverriddenByTheChosenPaper)
{
    Prtout& d = openDialog();
    platform::setPrinterPropertiesHandler([](const QString&) {
        ASSERT_TRUE(platform::currentPrinter()->setPaperSize(8));
        ASSERT_TRUE(platform::currentPrinter()->setOrientation(1));
    });
    d.Command1.setValue(true);
    EXPECT_EQ(platform::currentPrinter()->PaperSize(), 9);
    EXPECT_EQ(platform::currentPrinter()->Orientation(), 2);
}

TEST_F(PrintDialogTest, CancelClosesTheDialogAndReleasesTheCoverPicture)
{
    Prtout& d = openDialog();
    QImage snapshot(10, 10, QImage::Format_RGB32);
    snapshot.fill(Qt::red);
    plot().Picture6.canvas().setPicture(snapshot);
    d.Command3.setValue(true);
    platform::destroyPendingForms();
    EXPECT_FALSE(prtoutForm().isLoaded());
    EXPECT_TRUE(plot().Picture6.canvas().Picture().isNull());
}

// Once per activation: opening, not again on showing it while it is in
// front, and once more on coming back to it from the main window.
TEST_F(PrintDialogTest, ActivationUnloadsTheBackgroundSettingsWindow)
{
    int unloads = 0;
    printDialogHooks().unloadBackgroundSettings = [&unloads] { ++unloads; };
    Prtout& d = openDialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.window()));
    EXPECT_EQ(unloads, 1);
    d.Label1.setCaption(QString());
    d.Show();
    EXPECT_EQ(unloads, 1) << "already active";
    plot().Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot().window()));
    EXPECT_EQ(unloads, 1) << "going to another window is no activation of the dialog";
    d.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.window()));
    EXPECT_EQ(unloads, 2);
    EXPECT_EQ(d.Label1.Caption(), QStringLiteral("　印刷サイズは A4 か A3 の固定です。"));
}

TEST_F(PrintDialogTest, OffsetsAndPrintableSizeComeFromThePrintableArea)
{
    Prtout& d = openDialog();
    d.SetPrintOffsets();
    EXPECT_EQ(PrintOffsetL, 0);
    EXPECT_EQ(PrintMarginB, 0);
    EXPECT_NEAR(d.prtsize().widthMm, 297.0, 1.0);
    EXPECT_NEAR(d.prtsize().heightMm, 210.0, 1.0);

    ASSERT_TRUE(d.Combo1.setListIndex(1));  // 5 mm strips all round
    d.SetPrintOffsets();
    // 5 mm = 283.5 twips; the device keeps its strips in whole points (20 twips).
    EXPECT_NEAR(PrintOffsetL, 283.5, 20.0);
    EXPECT_NEAR(PrintMarginB, 283.5, 20.0);
    EXPECT_NEAR(d.prtsize().widthMm, 287.0, 1.0);
    EXPECT_NEAR(d.prtsize().heightMm, 200.0, 1.0);
}

}  // namespace
}  // namespace tavelcor::testing_print
