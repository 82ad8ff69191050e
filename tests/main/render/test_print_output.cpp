// SPDX-License-Identifier: LicenseRef-Tavelcor
// The output commands of the print dialog through its buttons: the printed
// picture and extents, the reduced preview, the bitmap output, and the plot
// given back on every path (printed, declined, cancelled, refused, failed).
#include "print_fixture.h"

#include <QFileInfo>

#include <cmath>
#include <numbers>

namespace tavelcor::testing_print {
namespace {

using platform::PromptKind;

const QString kStart = QStringLiteral("印刷開始");
const QString kFailed = QStringLiteral("印刷できませんでした");
const QString kBadDenominator = QStringLiteral("縮尺分母が正しくありません");

class PrintOutputTest : public PrintFixture {
protected:
    /// Red pixels around plot coordinate (px, py) in a printed picture.
    static int redPixelsAround(const PlotMoment& m, double px, double py, int radius)
    {
        // Plot coordinate -> picture pixel through the printed extents.
        const double x = (py - (ViewCY - OriginY) + m.spanY / 2) / m.spanY * m.picture.width();
        const double y = ((ViewCX - OriginX) - px + m.spanX / 2) / m.spanX * m.picture.height();
        const QRect area(static_cast<int>(x) - radius, static_cast<int>(y) - radius, 2 * radius + 1,
                         2 * radius + 1);
        return countColor(m.picture, platform::QBColor(12), area);
    }

    QString pdfPath() const { return path(QStringLiteral("out.pdf")); }
};

TEST_F(PrintOutputTest, DirectPrintCarriesTheFirstSixteenCharactersOfTheCaption)
{
    plot().setCaption(QStringLiteral("TAVELCOR v5.360  ") + SiteFolder + QStringLiteral("ZAHYO.SIM"));
    Prtout& d = openDialog();
    recordMoments();
    logRedraws();
    script().expectInput(QStringLiteral(" 500"), QStringLiteral("縮尺分母"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);

    const PlotMoment printed = moment(PromptKind::SaveFile);
    EXPECT_EQ(printed.printMode, 1);
    EXPECT_TRUE(hasLabel(printed, FontSize * 2.0, QStringLiteral("縮尺= 1/500    TAVELCOR v5.360 ")));
    EXPECT_GT(countColor(printed.picture, platform::QBColor(13)), 20) << "texts are printed";
    // The paper redraw at one and a half times the letter size, then the
    // screen redraw at the kept size.
    ASSERT_GE(mRedraws.size(), 2u);
    EXPECT_EQ(mRedraws.front().fontSize, 18);
    EXPECT_EQ(mRedraws.back().fontSize, 12);
    EXPECT_EQ(mRedraws.back().printMode, 1);
    EXPECT_TRUE(QFileInfo::exists(pdfPath()));
}

TEST_F(PrintOutputTest, PaperRedrawRoundsTheLetterSizeHalvesToEven)
{
    for (const auto& [setting, paper] : {std::pair{11, 16}, std::pair{9, 14}, std::pair{12, 18}}) {
        SCOPED_TRACE(setting);
        FontSize = static_cast<std::int16_t>(setting);
        mRedraws.clear();
        Prtout& d = openDialog();
        logRedraws();
        script().expectInput(QStringLiteral(" 500"));
        script().expectSaveFile(pdfPath());
        d.Command2.setValue(true);
        platform::destroyPendingForms();
        ASSERT_FALSE(mRedraws.empty());
        EXPECT_EQ(mRedraws.front().fontSize, paper);
        EXPECT_EQ(FontSize, setting) << "the setting is given back";
    }
}

TEST_F(PrintOutputTest, PreviewDrawsAReducedPlotWithoutTextsAndDeclinedKeepsTheDialog)
{
    const Screen before = screen();
    Prtout& d = openDialog();
    recordMoments();
    logRedraws();
    script().expectInput(QStringLiteral(" 500"));
    script().expectMessage(platform::MsgResult::No, kStart);
    d.Command4.setValue(true);

    const PlotMoment preview = moment(PromptKind::Message);
    ASSERT_FALSE(preview.picture.isNull());
    EXPECT_EQ(preview.printMode, 10);
    // A tenth of the printing size: 2 x 297 mm / 10 across.
    EXPECT_NEAR(preview.widthTwips, 2 * 297 / 25.4 * 1440 / 10, 20.0);
    EXPECT_NEAR(preview.heightTwips, 2 * 210 / 25.4 * 1440 / 10, 20.0);
    EXPECT_EQ(countColor(preview.picture, platform::QBColor(13)), 0) << "no texts in the preview";
    EXPECT_LE(redPixelsAround(preview, 10, 10, 3), 4) << "coordinate markers a tenth of their size";
    EXPECT_GT(countColor(preview.picture, platform::QBColor(8),
                         QRect(0, preview.picture.height() - 4, preview.picture.width(), 4)),
              preview.picture.width() / 2)
        << "grey edge along the bottom";
    EXPECT_GT(countColor(preview.picture, platform::QBColor(8),
                         QRect(preview.picture.width() - 4, 0, 4, preview.picture.height())),
              preview.picture.height() / 2)
        << "grey edge along the right";
    EXPECT_TRUE(hasLabel(preview, FontSize * 2.0 / 10, QStringLiteral("縮尺= 1/500    TAVELCOR v5.360")));
    EXPECT_TRUE(preview.coverVisible) << "the snapshot of the plot lies behind";
    EXPECT_TRUE(preview.cover == before.picture);
    EXPECT_FALSE(preview.readoutVisible);

    // The redraws saw 10 for the preview and 9 while the declined preview
    // gives the plot back; the command ends with 1 and the dialog open.
    ASSERT_EQ(mRedraws.size(), 2u);
    EXPECT_EQ(mRedraws[0].printMode, 10);
    EXPECT_EQ(mRedraws[1].printMode, 9);
    EXPECT_EQ(PrintMode, 1);
    EXPECT_TRUE(prtoutForm().isLoaded());
    EXPECT_TRUE(d.Visible());
    expectScreenRestored(before);
    EXPECT_TRUE(QDir(SiteFolder).entryList(QDir::Files).isEmpty());
}

TEST_F(PrintOutputTest, PrintedMarkersAreFullSize)
{
    Prtout& d = openDialog();
    recordMoments();
    script().expectInput(QStringLiteral(" 500"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    // 70 twips = 4.7 pixels of radius around the coordinate.
    EXPECT_GE(redPixelsAround(moment(PromptKind::SaveFile), 10, 10, 8), 20);
}

TEST_F(PrintOutputTest, AcceptedPreviewPrintsItsExtentsWithTheWholeCaption)
{
    const QString caption = QStringLiteral("TAVELCOR v5.360  ") + SiteFolder + QStringLiteral("ZAHYO.SIM");
    plot().setCaption(caption);
    const Screen before = screen();
    Prtout& d = openDialog();
    recordMoments();
    logRedraws();
    script().expectInput(QStringLiteral("1000"));
    script().expectMessage(platform::MsgResult::Yes, kStart);
    script().expectSaveFile(pdfPath());
    d.Command4.setValue(true);
    platform::destroyPendingForms();

    const PlotMoment preview = moment(PromptKind::Message);
    const PlotMoment printed = moment(PromptKind::SaveFile);
    EXPECT_EQ(printed.printMode, 1);
    EXPECT_NEAR(printed.widthTwips, 2 * 297 / 25.4 * 1440, 40.0);
    EXPECT_NEAR(printed.spanY, preview.spanY, preview.spanY * 0.005) << "the previewed extents";
    EXPECT_NEAR(printed.spanX, preview.spanX, preview.spanX * 0.005);
    EXPECT_TRUE(hasLabel(printed, FontSize * 2.0, QStringLiteral("縮尺= 1/1000    ") + caption));
    EXPECT_GT(countColor(printed.picture, platform::QBColor(13)), 20) << "texts printed";
    ASSERT_EQ(mRedraws.size(), 3u);
    EXPECT_EQ(mRedraws[0].printMode, 10);
    EXPECT_EQ(mRedraws[1].printMode, 1);
    EXPECT_EQ(mRedraws[2].printMode, 1);
    EXPECT_TRUE(QFileInfo::exists(pdfPath()));
    EXPECT_FALSE(prtoutForm().isLoaded());
    EXPECT_EQ(PrintMode, 1);
    expectScreenRestored(before);
}

TEST_F(PrintOutputTest, EnteringTwiceTheProposalDoublesBothPrintedExtents)
{
    Prtout& d = openDialog();
    recordMoments();
    script().expectInput(QStringLiteral("1000"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    const PlotMoment printed = moment(PromptKind::SaveFile);
    const double pageRatio = 210.0 / 297.0;
    EXPECT_NEAR(printed.spanY, 2 * kScreenSpanY, 2 * kScreenSpanY * 0.005);
    EXPECT_NEAR(printed.spanX, 2 * kScreenSpanY * pageRatio, 2 * kScreenSpanY * pageRatio * 0.005);
}

TEST_F(PrintOutputTest, ProposedDenominatorWithItsBlankIsTakenAsIs)
{
    // 106.2 m east over 297 mm proposes " 357"; accepting it changes no extent.
    ViewSpanX = 50.0;
    ViewSpanY = 106.2;
    crtplot();
    const double east = ViewSpanY;
    Prtout& d = openDialog();
    recordMoments();
    script().expectInput(QStringLiteral(" 357"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    ASSERT_EQ(script().records()[0].defaultText, QStringLiteral(" 357"));
    const PlotMoment printed = moment(PromptKind::SaveFile);
    EXPECT_NEAR(printed.spanY, east, east * 0.005);
    EXPECT_TRUE(hasLabel(printed, FontSize * 2.0, QStringLiteral("縮尺= 1/357    TAVELCOR v5.360")));
}

TEST_F(PrintOutputTest, WholeRangeUprightPrintsTheViewsNorthExtent)
{
    Prtout& d = openDialog();
    d.Option2.setValue(true);  // Ａ４縦
    const double north = ViewSpanX;
    d.Command5.setValue(true);
    const QString proposed = d.ScaleDenomText;
    recordMoments();
    script().expectInput(proposed);
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    const PlotMoment printed = moment(PromptKind::SaveFile);
    // Up to the truncation of the two denominators (about 1 in 500).
    EXPECT_NEAR(printed.spanX, north, north * 0.006);
    EXPECT_TRUE(hasLabel(printed, FontSize * 2.0, QStringLiteral("縮尺= 1/") + proposed.trimmed() +
                                                      QStringLiteral("    TAVELCOR v5.360")));
}

TEST_F(PrintOutputTest, ViewNarrowerThanThePageTakesItsExtentFromTheDenominator)
{
    ViewSpanX = 0.15;
    ViewSpanY = 0.2;
    crtplot();
    Prtout& d = openDialog();
    EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 0"));
    recordMoments();
    script().expectInput(QStringLiteral("500"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    // 1/500 across 297 mm: 148.5 m.
    EXPECT_NEAR(moment(PromptKind::SaveFile).spanY, 148.5, 0.8);
}

TEST_F(PrintOutputTest, CancelledOrEmptyDenominatorChangesNothing)
{
    for (const std::optional<QString>& answer : {std::optional<QString>{}, std::optional<QString>{QString()}}) {
        SCOPED_TRACE(answer ? "empty" : "cancel");
        Prtout& d = openDialog();
        plot().Picture1.setMousePointer(platform::pointer::Cross);
        const Screen before = screen();
        logRedraws();
        mRedraws.clear();
        script().expectInput(answer);
        d.Command2.setValue(true);
        EXPECT_TRUE(mRedraws.empty()) << "no redraw";
        expectScreenRestored(before);
        EXPECT_TRUE(prtoutForm().isLoaded());
        EXPECT_EQ(d.ScaleDenomText, QStringLiteral(" 500"));
    }
}

TEST_F(PrintOutputTest, DenominatorsThatPrintNothingAreRefused)
{
    for (const QString& typed : {QStringLiteral("0"), QStringLiteral("-500"), QStringLiteral("abc")}) {
        SCOPED_TRACE(typed.toStdString());
        Prtout& d = openDialog();
        const Screen before = screen();
        logRedraws();
        mRedraws.clear();
        script().expectInput(typed);
        script().expectMessage(platform::MsgResult::Ok, kBadDenominator);
        d.Command2.setValue(true);
        EXPECT_TRUE(mRedraws.empty());
        expectScreenRestored(before);
        EXPECT_TRUE(prtoutForm().isLoaded());
    }
}

TEST_F(PrintOutputTest, FailedPrintGivesThePlotBackAndKeepsTheDialog)
{
    Prtout& d = openDialog();
    const Screen before = screen();
    const QString unwritable = path(QStringLiteral("no-such-folder/out.pdf"));
    script().expectInput(QStringLiteral(" 500"));
    script().expectSaveFile(unwritable);
    script().expectMessage(platform::MsgResult::Ok, kFailed);
    d.Command2.setValue(true);
    expectScreenRestored(before);
    EXPECT_TRUE(prtoutForm().isLoaded());
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    EXPECT_FALSE(platform::currentPrinter()->documentOpen());
}

TEST_F(PrintOutputTest, CancelledPdfFileGivesThePlotBackAndKeepsTheDialog)
{
    Prtout& d = openDialog();
    const Screen before = screen();
    script().expectInput(QStringLiteral(" 500"));
    script().expectSaveFile(std::nullopt);
    d.Command2.setValue(true);
    expectScreenRestored(before);
    EXPECT_TRUE(prtoutForm().isLoaded());
    EXPECT_TRUE(QDir(SiteFolder).entryList(QDir::Files).isEmpty());
}

TEST_F(PrintOutputTest, SnapshotOfThePlotIsSavedInTheWorkFolder)
{
    const Screen before = screen();
    Prtout& d = openDialog();
    script().expectInput(std::nullopt);
    d.Command2.setValue(true);
    const QImage snapshot(WorkFolder + QStringLiteral("/TEMP.BMP"));
    ASSERT_FALSE(snapshot.isNull());
    EXPECT_TRUE(snapshot.convertToFormat(QImage::Format_RGB32) == before.picture);
}

TEST_F(PrintOutputTest, PrintOffsetsReachThePaperRedrawOnly)
{
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setListIndex(1));  // 5 mm strips: 283.5 twips
    logRedraws();
    script().expectInput(QStringLiteral(" 500"));
    script().expectSaveFile(pdfPath());
    d.Command2.setValue(true);
    ASSERT_EQ(mRedraws.size(), 2u);
    EXPECT_NEAR(mRedraws[0].offsetL, 283.5, 20.0);
    EXPECT_NEAR(mRedraws[0].marginB, 4 * 283.5, 80.0) << "four times the bottom strip";
    EXPECT_EQ(mRedraws[1].offsetL, 0);
    EXPECT_EQ(mRedraws[1].marginB, 0);
    EXPECT_EQ(PrintOffsetL, 0);
    EXPECT_EQ(PrintMarginB, 0);
}

TEST_F(PrintOutputTest, BitmapWritesPrintImageWithTheA0Label)
{
    const Screen before = screen();
    const QString folder = SiteFolder;
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setText(QStringLiteral("BITMAP")));
    DataDirty = 0;
    recordMoments();
    logRedraws();
    const QString file = SiteFolder + QStringLiteral("PRINTIMAGE.BMP");
    script().expectSaveFile(file, QStringLiteral("BMP 出力"));
    d.Command2.setValue(true);
    platform::destroyPendingForms();

    ASSERT_EQ(script().records().size(), 1u);
    EXPECT_EQ(script().records()[0].defaultText, folder + QStringLiteral("PRINTIMAGE.BMP"))
        << "the folder keeps its case";
    EXPECT_EQ(script().records()[0].filter, QStringLiteral("BMP ファイル|*.BMP"));
    EXPECT_EQ(SiteFolder, folder);

    const PlotMoment bitmap = moment(PromptKind::SaveFile);
    EXPECT_NEAR(bitmap.widthTwips, 80000.0, 15.0);
    EXPECT_NEAR(bitmap.heightTwips, 80000.0 / std::numbers::sqrt2, 15.0);
    ASSERT_FALSE(mRedraws.empty());
    EXPECT_EQ(mRedraws.front().offsetL, -1000) << "the map credit lies outside the picture";
    EXPECT_EQ(mRedraws.front().marginB, -1000);
    EXPECT_EQ(mRedraws.front().fontSize, 12) << "the letter size is not enlarged";
    // 148.6 m east and 105.1 m north around 1000 N / 2000 E; 148.6 / 1.189 = 125.
    EXPECT_EQ(MsgText, QStringLiteral("Ａ０出力で　概算縮尺= 1/125   左下X = 947   左下Y = 1925"
                                      "   右上X = 1052   右上Y = 2074"));

    const QImage written(file);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), bitmap.picture.size());
    EXPECT_NEAR(written.width(), 80000 / 15 - 4, 2) << "the picture inside its border";
    EXPECT_NEAR(written.height(), 80000 / std::numbers::sqrt2 / 15 - 4, 2);
    PlotMoment read = bitmap;
    read.picture = written.convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(hasLabel(read, FontSize * 1.5, MsgText));

    EXPECT_EQ(DataDirty, -1);
    EXPECT_FALSE(prtoutForm().isLoaded());
    EXPECT_EQ(PrintOffsetL, 0);
    EXPECT_EQ(PrintMarginB, 0);
    expectScreenRestored(before);
}

TEST_F(PrintOutputTest, BitmapWithThePreviewButtonMakesNoBitmap)
{
    const Screen before = screen();
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setText(QStringLiteral("BITMAP")));
    logRedraws();
    d.Command4.setValue(true);
    ASSERT_EQ(mRedraws.size(), 1u) << "the plot is redrawn";
    EXPECT_NE(mRedraws[0].printMode, 10) << "as on the screen, texts and full-size markers included";
    EXPECT_TRUE(QDir(SiteFolder).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(prtoutForm().isLoaded());
    EXPECT_EQ(PrintMode, 1);
    expectScreenRestored(before);
}

TEST_F(PrintOutputTest, BitmapSaveCancelledWritesNothingAndClosesTheDialog)
{
    const Screen before = screen();
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setText(QStringLiteral("BITMAP")));
    script().expectSaveFile(std::nullopt);
    d.Command2.setValue(true);
    platform::destroyPendingForms();
    EXPECT_TRUE(QDir(SiteFolder).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(prtoutForm().isLoaded());
    expectScreenRestored(before);
}

TEST_F(PrintOutputTest, BitmapThatCannotBeWrittenIsReportedAndKeepsTheDialog)
{
    const Screen before = screen();
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setText(QStringLiteral("BITMAP")));
    const QString unwritable = path(QStringLiteral("no-such-folder/PRINTIMAGE.BMP"));
    script().expectSaveFile(unwritable);
    script().expectMessage(platform::MsgResult::Ok, unwritable + QStringLiteral(" に保存できませんでした"));
    d.Command2.setValue(true);
    EXPECT_TRUE(prtoutForm().isLoaded());
    expectScreenRestored(before);
}

TEST_F(PrintOutputTest, NoPrinterInstalledPrintsNothing)
{
    platform::setInstalledPrinters(std::vector<platform::PrinterEntry>{});
    script().expectMessage(platform::MsgResult::Ok);  // at loading
    Prtout& d = openDialog();
    const Screen before = screen();
    script().expectMessage(platform::MsgResult::Ok, printerUnavailableMessage());
    d.Command2.setValue(true);
    expectScreenRestored(before);
    EXPECT_TRUE(prtoutForm().isLoaded());
}

}  // namespace
}  // namespace tavelcor::testing_print
