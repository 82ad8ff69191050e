// SPDX-License-Identifier: LicenseRef-Tavelcor
// Printed pages looked at as a reader of the paper would: the sample site
// printed to a PDF file and rendered with pdftoppm, and plain text printed
// and read back with pdftotext. The rendered page is saved into the build
// folder (print_sample_site.png) for a person to look at.
#include "print_fixture.h"

#include "tests/platform/print/pdf_pages.h"

#include <QColor>

#include <vector>

namespace tavelcor::testing_print {
namespace {

using testing_pdf::pdfPageCount;
using testing_pdf::pdfPageSizePoints;
using testing_pdf::pdfText;
using testing_pdf::pdfToolsPresent;
using testing_pdf::renderPdfPage;

class PrintPdfTest : public PrintFixture {
protected:
    void SetUp() override
    {
        if (!pdfToolsPresent())
            GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
        PrintFixture::SetUp();
    }
};

bool isBlue(QColor c)
{
    return c.blue() > c.red() + 100 && c.blue() > c.green() + 100;
}

bool isGreen(QColor c)
{
    return c.green() > c.red() + 60 && c.green() > c.blue() + 60;
}

bool isInk(QColor c)
{
    return c.lightness() < 160;
}

// Centres of the runs of pixels along row y that pass `test`.
std::vector<double> runsAlongRow(const QImage& page, int y, bool (*test)(QColor))
{
    std::vector<double> centres;
    int start = -1;
    for (int x = 0; x <= page.width(); ++x) {
        const bool hit = x < page.width() && test(page.pixelColor(x, y));
        if (hit && start < 0)
            start = x;
        if (!hit && start >= 0) {
            centres.push_back((start + x - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

std::vector<double> runsAlongColumn(const QImage& page, int x, bool (*test)(QColor))
{
    std::vector<double> centres;
    int start = -1;
    for (int y = 0; y <= page.height(); ++y) {
        const bool hit = y < page.height() && test(page.pixelColor(x, y));
        if (hit && start < 0)
            start = y;
        if (!hit && start >= 0) {
            centres.push_back((start + y - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

// The bounding box of ink inside `area`.
QRect inkBox(const QImage& page, QRect area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(page.pixelColor(x, y)))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

TEST_F(PrintPdfTest, SampleSitePrintsAtOneToFiveHundredWithTheScaleLabelInTheTopLeftCorner)
{
    const QString pdf = SiteFolder + QStringLiteral("PRINT.PDF");
    const Screen before = screen();
    Prtout& d = openDialog();
    recordMoments();
    script().expectInput(QStringLiteral("５００"), QStringLiteral("縮尺分母"));
    script().expectSaveFile(pdf, QStringLiteral("PDF 出力"));
    d.Command2.setValue(true);
    platform::destroyPendingForms();

    ASSERT_EQ(script().records().size(), 2u);
    EXPECT_EQ(script().records()[0].defaultText, QStringLiteral(" 500"));
    EXPECT_EQ(script().records()[1].defaultText, SiteFolder + QStringLiteral("PRINT.PDF"));
    EXPECT_EQ(script().records()[1].filter, QStringLiteral("PDF ファイル|*.PDF"));

    // The picture that went to the page: twice the A4 sheet in twips, with
    // the label "縮尺= 1/500" and the caption at its top-left corner.
    const PlotMoment printed = moment(platform::PromptKind::SaveFile);
    ASSERT_FALSE(printed.picture.isNull());
    EXPECT_NEAR(printed.widthTwips, 2 * 297 / 25.4 * 1440, 40.0);
    EXPECT_NEAR(printed.heightTwips, 2 * 210 / 25.4 * 1440, 40.0);
    EXPECT_TRUE(hasLabel(printed, FontSize * 2.0, QStringLiteral("縮尺= 1/500    TAVELCOR v5.360")));

    // The page: A4 landscape at 10 pixels per millimetre.
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(pdfPageCount(pdf), 1);
    const QSizeF points = pdfPageSizePoints(pdf);
    EXPECT_NEAR(points.width(), 842, 1);
    EXPECT_NEAR(points.height(), 595, 1);
    const QImage page = renderPdfPage(pdf, 1, 254);
    ASSERT_FALSE(page.isNull());
    page.save(QStringLiteral(TAVELCOR_BUILD_DIR) + QStringLiteral("/print_sample_site.png"));
    const double pxPerMm = page.width() / 297.0;

    // The two blue lines, 50 m apart, are 100 mm apart at 1/500 and lie
    // either side of the page's centre.
    const std::vector<double> blue = runsAlongRow(page, page.height() / 2, isBlue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_NEAR((blue[1] - blue[0]) / pxPerMm, 100.0, 1.0);
    EXPECT_NEAR((blue[0] + blue[1]) / 2, page.width() / 2.0, 2 * pxPerMm);
    // The green line 20 m north of the centre: 40 mm above it.
    const std::vector<double> green = runsAlongColumn(page, page.width() / 2, isGreen);
    ASSERT_EQ(green.size(), 1u);
    EXPECT_NEAR((page.height() / 2.0 - green[0]) / pxPerMm, 40.0, 1.0);

    // The label's ink starts at the sheet's corner and is as wide as the
    // label drawn on its own, scaled from the picture to the page.
    QSize labelBox;
    referenceLabel(printed.picture.size(), FontSize * 2.0, QStringLiteral("縮尺= 1/500    TAVELCOR v5.360"),
                   printed.foreColor, &labelBox);
    const double pageScale = static_cast<double>(page.width()) / printed.picture.width();
    const QRect ink = inkBox(page, QRect(0, 0, static_cast<int>(120 * pxPerMm), static_cast<int>(15 * pxPerMm)));
    ASSERT_FALSE(ink.isNull());
    EXPECT_LT(ink.left() / pxPerMm, 2.0);
    EXPECT_LT(ink.top() / pxPerMm, 2.0);
    EXPECT_NEAR(ink.right(), labelBox.width() * pageScale, 3 * pxPerMm);
    EXPECT_LT(ink.bottom(), labelBox.height() * pageScale + pxPerMm);

    // Afterwards the plot is on the screen as before and the dialog is closed.
    expectScreenRestored(before);
    EXPECT_FALSE(prtoutForm().isLoaded());
    EXPECT_EQ(PrintMode, 1);
}

TEST_F(PrintPdfTest, PrinterWithUnprintableStripsMovesThePictureByThem)
{
    const QString pdf = path(QStringLiteral("strips.pdf"));
    Prtout& d = openDialog();
    ASSERT_TRUE(d.Combo1.setListIndex(1));  // 事務所: 5 mm strips
    script().expectInput(QStringLiteral("500"));
    script().expectSaveFile(pdf);
    d.Command2.setValue(true);
    const QImage page = renderPdfPage(pdf, 1, 254);
    ASSERT_FALSE(page.isNull());
    const double pxPerMm = page.width() / 297.0;
    // The picture starts at the printable area's corner, 5 mm in, and is the
    // page's size, so it keeps the 1/500 scale and runs 5 mm past the centre.
    const std::vector<double> blue = runsAlongRow(page, page.height() / 2, isBlue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_NEAR((blue[1] - blue[0]) / pxPerMm, 100.0, 1.0);
    EXPECT_NEAR((blue[0] + blue[1]) / 2 / pxPerMm, 297.0 / 2 + 5, 1.5);
    const QRect ink = inkBox(page, QRect(0, 0, static_cast<int>(120 * pxPerMm), static_cast<int>(20 * pxPerMm)));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left() / pxPerMm, 5.0, 1.0) << "the label sits in the printable area's corner";
    EXPECT_NEAR(ink.top() / pxPerMm, 5.0, 1.0);
}

TEST_F(PrintPdfTest, PlainTextPrintsBelowFiveEmptyLinesIndentedByTenBlanks)
{
    const QString pdf = path(QStringLiteral("text.pdf"));
    openPrintDialog(2, QStringLiteral("ABC 計算結果\r\n二行目\r\n\r\n四行目\r\n"));
    EXPECT_EQ(PrintKind, 2);
    Prtout& d = prtout();
    plot().Picture1.setMousePointer(platform::pointer::Hourglass);
    script().expectSaveFile(pdf, QStringLiteral("PDF 出力"));
    d.Command2.setValue(true);

    const QString text = pdfText(pdf);
    const qsizetype first = text.indexOf(QStringLiteral("ABC 計算結果"));
    const qsizetype second = text.indexOf(QStringLiteral("二行目"));
    const qsizetype fourth = text.indexOf(QStringLiteral("四行目"));
    ASSERT_GE(first, 0);
    EXPECT_GT(second, first);
    EXPECT_GT(fourth, second);
    EXPECT_EQ(pdfPageCount(pdf), 1);

    // At 72 dpi one pixel is one point: five empty lines of 10 points above
    // the first line, ten blanks of 5 points before it.
    const QImage page = renderPdfPage(pdf, 1, 72);
    const QRect ink = inkBox(page, QRect(0, 0, 300, 120));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.left(), 50, 3);
    EXPECT_GE(ink.top(), 50);
    EXPECT_LE(ink.top(), 62);

    EXPECT_TRUE(prtoutForm().isLoaded()) << "the dialog stays open";
    EXPECT_EQ(plot().Picture1.MousePointer(), platform::pointer::Default);
}

TEST_F(PrintPdfTest, PlainTextPreviewButtonPrintsAsWell)
{
    const QString pdf = path(QStringLiteral("text.pdf"));
    openPrintDialog(2, QStringLiteral("結果"));
    script().expectSaveFile(pdf);
    prtout().Command4.setValue(true);
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("結果")));
    EXPECT_EQ(PrintMode, 1);
}

TEST_F(PrintPdfTest, PlainTextOfMoreThanAThousandLinesPrintsEveryLine)
{
    const QString pdf = path(QStringLiteral("long.pdf"));
    QString text;
    for (int i = 1; i <= 1200; ++i)
        text += QStringLiteral("L%1\r\n").arg(i, 4, 10, QLatin1Char('0'));
    openPrintDialog(2, text);
    script().expectSaveFile(pdf);
    prtout().Command2.setValue(true);
    const QString printed = pdfText(pdf);
    EXPECT_TRUE(printed.contains(QStringLiteral("L1000")));
    EXPECT_TRUE(printed.contains(QStringLiteral("L1001")));
    EXPECT_TRUE(printed.contains(QStringLiteral("L1200")));
    EXPECT_GT(pdfPageCount(pdf), 10);
}

TEST_F(PrintPdfTest, PlainTextWithTheFileDialogCancelledPrintsNothing)
{
    openPrintDialog(2, QStringLiteral("結果"));
    script().expectSaveFile(std::nullopt);
    prtout().Command2.setValue(true);
    EXPECT_TRUE(QDir(SiteFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(prtoutForm().isLoaded());
}

// The main window's spacer: a two-point empty line, after which the next
// text prints twelve points high, lower by that line than without it.
TEST_F(PrintPdfTest, SpacerIsATwoPointLineAndLeavesTwelvePointLetters)
{
    platform::Printer* printer = platform::currentPrinter();
    ASSERT_NE(printer, nullptr);
    const auto printed = [&](const QString& name, bool spacer) {
        const QString pdf = path(name);
        printer->setOutputFileName(pdf);
        printer->setFontName(QStringLiteral("ＭＳ ゴシック"));
        if (spacer) {
            EXPECT_TRUE(Sp());
            EXPECT_DOUBLE_EQ(printer->FontSize(), 12.0);
        } else {
            printer->setFontSize(12);
        }
        EXPECT_TRUE(printer->Print(QStringLiteral("境界")));
        EXPECT_TRUE(printer->EndDoc());
        const QImage page = renderPdfPage(pdf, 1, 288);
        return inkBox(page, QRect(0, 0, page.width() / 2, page.height() / 4));
    };
    const QRect plain = printed(QStringLiteral("plain.pdf"), false);
    const QRect spaced = printed(QStringLiteral("spaced.pdf"), true);
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(spaced.isNull());
    // At 288 dpi four pixels make one point.
    const double shiftPoints = (spaced.top() - plain.top()) / 4.0;
    EXPECT_GE(shiftPoints, 1.5);
    EXPECT_LE(shiftPoints, 4.0);
    EXPECT_NEAR(spaced.height(), plain.height(), 1) << "the same twelve-point letters";
    EXPECT_EQ(spaced.left(), plain.left());
}

TEST_F(PrintPdfTest, SpacerWithoutAPrinterPrintsNothing)
{
    platform::setInstalledPrinters(std::vector<platform::PrinterEntry>{});
    EXPECT_FALSE(Sp());
}

}  // namespace
}  // namespace tavelcor::testing_print
