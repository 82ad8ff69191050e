// SPDX-License-Identifier: LicenseRef-Tavelcor
// The printer object over a PDF-file device: paper and orientation codes,
// page sizes in twips, the printable area, pictures and text on the page,
// and documents that fail or are discarded.
#include "platform/print/printer.h"

#include "file_size_limit.h"
#include "tests/platform/print/pdf_pages.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>

namespace platform {
namespace {

using tavelcor::testing_pdf::pdfPageCount;
using tavelcor::testing_pdf::pdfText;
using tavelcor::testing_pdf::pdfToolsPresent;
using tavelcor::testing_pdf::renderPdfPage;

constexpr double kTwipsPerMm = 1440.0 / 25.4;

PrinterEntry pdfPrinter(QMarginsF stripsMm = {})
{
    PrinterEntry entry;
    entry.DeviceName = QStringLiteral("PDF");
    entry.pdfFile = true;
    entry.unprintableMm = stripsMm;
    return entry;
}

QImage halves(QColor left, QColor right)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() / 2; ++x)
            image.setPixelColor(x, y, left);
    return image;
}

bool near(QColor actual, QColor expected, int tolerance = 40)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mDir.isValid()); }
    QString path(const QString& name) const { return mDir.filePath(name); }
    QTemporaryDir mDir;
};

// Sheet sizes of ISO 216, JIS P 0138 and ANSI, in millimetres; the device
// keeps page sizes in whole points, so sizes agree to within 1 point (20 twips).
struct PaperRow {
    const char* name;
    int code;
    int orientation;
    double widthMm;
    double heightMm;
};

class PaperCodeTest : public ::testing::TestWithParam<PaperRow> {};

TEST_P(PaperCodeTest, CodeAndOrientationGiveTheSheetInTwips)
{
    const PaperRow& row = GetParam();
    Printer printer(pdfPrinter());
    ASSERT_TRUE(printer.setPaperSize(row.code));
    ASSERT_TRUE(printer.setOrientation(row.orientation));
    EXPECT_EQ(printer.PaperSize(), row.code);
    EXPECT_EQ(printer.Orientation(), row.orientation);
    EXPECT_NEAR(printer.Width(), row.widthMm * kTwipsPerMm, 20.0);
    EXPECT_NEAR(printer.Height(), row.heightMm * kTwipsPerMm, 20.0);
    EXPECT_EQ(printer.Width(), std::round(printer.Width())) << "whole twips";
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PaperCodeTest,
    ::testing::Values(PaperRow{"A4Portrait", 9, 1, 210, 297}, PaperRow{"A4Landscape", 9, 2, 297, 210},
                      PaperRow{"A3Portrait", 8, 1, 297, 420}, PaperRow{"A3Landscape", 8, 2, 420, 297},
                      PaperRow{"A5Portrait", 11, 1, 148, 210}, PaperRow{"JisB4Portrait", 12, 1, 257, 364},
                      PaperRow{"JisB5Landscape", 13, 2, 257, 182},
                      PaperRow{"LetterPortrait", 1, 1, 215.9, 279.4},
                      PaperRow{"LegalPortrait", 5, 1, 215.9, 355.6}),
    [](const ::testing::TestParamInfo<PaperRow>& info) { return std::string(info.param.name); });

TEST_F(PrinterTest, UnknownCodesAreRefusedAndChangeNothing)
{
    Printer printer(pdfPrinter());
    ASSERT_TRUE(printer.setPaperSize(paper::A3));
    ASSERT_TRUE(printer.setOrientation(orientation::Landscape));
    for (int code : {0, 7, 99, -9})
        EXPECT_FALSE(printer.setPaperSize(code)) << code;
    for (int code : {0, 3, -1})
        EXPECT_FALSE(printer.setOrientation(code)) << code;
    EXPECT_EQ(printer.PaperSize(), paper::A3);
    EXPECT_EQ(printer.Orientation(), orientation::Landscape);
}

TEST_F(PrinterTest, PdfPrinterStartsOnA4PortraitWithNoUnprintableStrips)
{
    Printer printer(pdfPrinter());
    EXPECT_EQ(printer.PaperSize(), paper::A4);
    EXPECT_EQ(printer.Orientation(), orientation::Portrait);
    const DeviceCaps caps = printer.deviceCaps();
    EXPECT_EQ(caps.physicalOffsetX, 0);
    EXPECT_EQ(caps.physicalOffsetY, 0);
    EXPECT_EQ(caps.horzRes, caps.physicalWidth);
    EXPECT_EQ(caps.vertRes, caps.physicalHeight);
}

TEST_F(PrinterTest, DeviceCapsReportTheStripsInPrinterPixels)
{
    // Strips 5, 4, 6 and 7 mm (left, top, right, bottom) on A4 landscape.
    Printer printer(pdfPrinter(QMarginsF(5, 4, 6, 7)));
    ASSERT_TRUE(printer.setOrientation(orientation::Landscape));
    const DeviceCaps caps = printer.deviceCaps();
    ASSERT_GT(caps.dpiX, 0.0);
    const double perMm = caps.dpiX / 25.4;
    // The device keeps sizes and strips in whole points.
    const double point = caps.dpiX / 72.0;
    EXPECT_NEAR(caps.physicalOffsetX, 5 * perMm, point);
    EXPECT_NEAR(caps.physicalOffsetY, 4 * perMm, point);
    EXPECT_NEAR(caps.physicalWidth, 297 * perMm, point);
    EXPECT_NEAR(caps.physicalHeight, 210 * perMm, point);
    EXPECT_NEAR(caps.horzRes, caps.physicalWidth - 11 * perMm, 2 * point);
    EXPECT_NEAR(caps.vertRes, caps.physicalHeight - 11 * perMm, 2 * point);
    // A3 keeps the strips.
    ASSERT_TRUE(printer.setPaperSize(paper::A3));
    EXPECT_NEAR(printer.deviceCaps().physicalOffsetX, 5 * perMm, point);
    EXPECT_NEAR(printer.deviceCaps().physicalWidth, 420 * perMm, point);
}

TEST_F(PrinterTest, UnitConversionsUseTheDeviceResolution)
{
    Printer printer(pdfPrinter());
    const double dpi = printer.deviceCaps().dpiX;
    EXPECT_DOUBLE_EQ(printer.pixelsToTwipsX(dpi), 1440.0);
    EXPECT_DOUBLE_EQ(printer.pixelsToTwipsY(dpi / 2), 720.0);
    EXPECT_DOUBLE_EQ(printer.pixelsToMillimetresX(dpi), 25.4);
    EXPECT_DOUBLE_EQ(printer.pixelsToMillimetresY(2 * dpi), 50.8);
}

TEST_F(PrinterTest, PictureFillsTheWholeSheet)
{
    if (!pdfToolsPresent())
        GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
    Printer printer(pdfPrinter());
    ASSERT_TRUE(printer.setOrientation(orientation::Landscape));
    printer.setOutputFileName(path(QStringLiteral("sheet.pdf")));
    ASSERT_TRUE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, printer.Width(), printer.Height()));
    EXPECT_TRUE(printer.documentOpen());
    ASSERT_TRUE(printer.EndDoc()) << printer.lastError().toStdString();
    EXPECT_FALSE(printer.documentOpen());

    EXPECT_EQ(pdfPageCount(path(QStringLiteral("sheet.pdf"))), 1);
    const QImage page = renderPdfPage(path(QStringLiteral("sheet.pdf")), 1, 25);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 297 / 25.4 * 25, 2);
    EXPECT_NEAR(page.height(), 210 / 25.4 * 25, 2);
    EXPECT_TRUE(near(page.pixelColor(1, 1), Qt::red)) << "top-left corner";
    EXPECT_TRUE(near(page.pixelColor(page.width() / 4, page.height() / 2), Qt::red));
    EXPECT_TRUE(near(page.pixelColor(3 * page.width() / 4, page.height() / 2), Qt::blue));
    EXPECT_TRUE(near(page.pixelColor(page.width() - 2, page.height() - 2), Qt::blue)) << "bottom-right";
}

TEST_F(PrinterTest, PicturesReachAPdfFileWithoutLoss)
{
    if (!pdfToolsPresent())
        GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
    // One-pixel columns alternating red and blue, each 1 mm wide on the
    // page: lossy compression would blend them.
    QImage stripes(40, 10, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    Printer printer(pdfPrinter());
    printer.setOutputFileName(path(QStringLiteral("stripes.pdf")));
    ASSERT_TRUE(printer.PaintPicture(stripes, 0, 0, 40 * kTwipsPerMm, 10 * kTwipsPerMm));
    ASSERT_TRUE(printer.EndDoc());
    const QImage page = renderPdfPage(path(QStringLiteral("stripes.pdf")), 1, 254);  // 10 pixels per mm
    ASSERT_FALSE(page.isNull());
    for (int column = 0; column < 40; ++column) {
        const QRgb expected = column % 2 == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        EXPECT_EQ(page.pixel(column * 10 + 5, 50), expected) << "column " << column;
    }
}

TEST_F(PrinterTest, PositionsCountFromThePrintableAreasCorner)
{
    if (!pdfToolsPresent())
        GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
    // 20 mm strips left and top: a sheet-sized picture painted at (0, 0)
    // starts 20 mm in and runs past the right and bottom edges.
    Printer printer(pdfPrinter(QMarginsF(20, 20, 0, 0)));
    printer.setOutputFileName(path(QStringLiteral("strips.pdf")));
    ASSERT_TRUE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, printer.Width(), printer.Height()));
    ASSERT_TRUE(printer.EndDoc());
    const double dpi = 25.4;  // one pixel per millimetre
    const QImage page = renderPdfPage(path(QStringLiteral("strips.pdf")), 1, static_cast<int>(dpi));
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(near(page.pixelColor(10, 100), Qt::white)) << "left strip";
    EXPECT_TRUE(near(page.pixelColor(100, 10), Qt::white)) << "top strip";
    EXPECT_TRUE(near(page.pixelColor(25, 100), Qt::red)) << "picture from 20 mm";
    // The picture's halves meet at 20 + 105 mm across.
    EXPECT_TRUE(near(page.pixelColor(120, 100), Qt::red));
    EXPECT_TRUE(near(page.pixelColor(130, 100), Qt::blue));
}

TEST_F(PrinterTest, TextLinesGoDownThePageAndOntoNewPages)
{
    if (!pdfToolsPresent())
        GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
    Printer printer(pdfPrinter());
    printer.setOutputFileName(path(QStringLiteral("text.pdf")));
    printer.setFontName(QStringLiteral("ＭＳ ゴシック"));
    ASSERT_TRUE(printer.setFontSize(10));
    ASSERT_TRUE(printer.Print(QStringLiteral("座標計算"), false));
    ASSERT_TRUE(printer.Print(QStringLiteral(" 結果")));
    for (int i = 1; i <= 150; ++i)
        ASSERT_TRUE(printer.Print(QStringLiteral("行%1").arg(i, 3, 10, QLatin1Char('0'))));
    ASSERT_TRUE(printer.EndDoc());

    const QString text = pdfText(path(QStringLiteral("text.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("座標計算 結果"))) << "a text printed without a line end continues its line";
    int previous = -1;
    for (int i = 1; i <= 150; ++i) {
        const int at = text.indexOf(QStringLiteral("行%1").arg(i, 3, 10, QLatin1Char('0')));
        ASSERT_GT(at, previous) << "line " << i;
        previous = at;
    }
    // 151 lines of 10 points: between 40 and 100 fit on an A4 page.
    const int pages = pdfPageCount(path(QStringLiteral("text.pdf")));
    EXPECT_GE(pages, 2);
    EXPECT_LE(pages, 4);
}

TEST_F(PrinterTest, FontSizesOutsideTheRangeAreRefused)
{
    Printer printer(pdfPrinter());
    ASSERT_TRUE(printer.setFontSize(4));
    for (double points : {0.0, -1.0, std::nan(""), double(INFINITY)})
        EXPECT_FALSE(printer.setFontSize(points)) << points;
    EXPECT_EQ(printer.FontSize(), 4.0);
}

TEST_F(PrinterTest, PdfPrinterWithoutAFileFailsAndOpensNoDocument)
{
    Printer printer(pdfPrinter());
    EXPECT_FALSE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, 1000, 1000));
    EXPECT_FALSE(printer.lastError().isEmpty());
    EXPECT_FALSE(printer.documentOpen());
    EXPECT_FALSE(printer.Print(QStringLiteral("x")));
    EXPECT_TRUE(printer.EndDoc()) << "nothing to end";
}

TEST_F(PrinterTest, DiscardedDocumentLeavesTheExistingFileAndNoPartialFile)
{
    const QString file = path(QStringLiteral("kept.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    Printer printer(pdfPrinter());
    printer.setOutputFileName(file);
    ASSERT_TRUE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, 2000, 2000));
    EXPECT_FALSE(printer.setPaperSize(paper::A3)) << "no paper change inside a document";
    printer.KillDoc();
    EXPECT_FALSE(printer.documentOpen());
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// The disk fills while the document is written: the end of the document
// reports it, the existing file stays whole and no part file is left over.
TEST_F(PrinterTest, AFullDiskLeavesTheExistingFile)
{
    const QString file = path(QStringLiteral("full.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    Printer printer(pdfPrinter());
    printer.setOutputFileName(file);
    bool ended = true;
    {
        const testing_support::ScopedFileSizeLimit limit(2000);  // a page with a picture is far larger
        ASSERT_TRUE(limit.isActive());
        ASSERT_TRUE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, printer.Width(), printer.Height()));
        ended = printer.EndDoc();
    }
    EXPECT_FALSE(ended);
    EXPECT_FALSE(printer.lastError().isEmpty());
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old contents"));
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("full.pdf")});
}

TEST_F(PrinterTest, EndDocReportsAFileThatCannotBePutInPlace)
{
    QTemporaryDir gone;
    ASSERT_TRUE(gone.isValid());
    Printer printer(pdfPrinter());
    printer.setOutputFileName(gone.filePath(QStringLiteral("out.pdf")));
    ASSERT_TRUE(printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, 2000, 2000));
    ASSERT_TRUE(gone.remove());
    EXPECT_FALSE(printer.EndDoc());
    EXPECT_FALSE(printer.lastError().isEmpty());
    EXPECT_FALSE(QFile::exists(gone.filePath(QStringLiteral("out.pdf"))));
}

TEST_F(PrinterTest, FinishedDocumentReplacesAnExistingFile)
{
    if (!pdfToolsPresent())
        GTEST_FAIL() << "poppler's pdftoppm, pdftotext and pdfinfo are needed (Debian package poppler-utils;scripts/install-packages installs it)";
    const QString file = path(QStringLiteral("again.pdf"));
    Printer printer(pdfPrinter());
    printer.setOutputFileName(file);
    for (int pass = 1; pass <= 2; ++pass) {
        ASSERT_TRUE(printer.Print(QStringLiteral("pass %1").arg(pass)));
        ASSERT_TRUE(printer.EndDoc());
    }
    EXPECT_TRUE(pdfText(file).contains(QStringLiteral("pass 2")));
    EXPECT_FALSE(pdfText(file).contains(QStringLiteral("pass 1")));
}

// The user's file-creation mask for the life of a scope.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : mOld(::umask(mask)) {}
    ~ScopedUmask() { ::umask(mOld); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t mOld;
};

mode_t modeOf(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

bool printOnePage(const QString& file)
{
    Printer printer(pdfPrinter());
    printer.setOutputFileName(file);
    return printer.PaintPicture(halves(Qt::red, Qt::blue), 0, 0, 2000, 2000) && printer.EndDoc();
}

// A new PDF file gets the mode the user's mask gives every new file (as the
// site files do), not a private 0600 of its own.
struct UmaskRow {
    mode_t mask;
    mode_t mode;
};

class PdfFileMode : public PrinterTest, public ::testing::WithParamInterface<UmaskRow> {};

TEST_P(PdfFileMode, ANewFileHonoursTheUsersMask)
{
    const ScopedUmask mask(GetParam().mask);
    const QString file = path(QStringLiteral("new.pdf"));
    ASSERT_TRUE(printOnePage(file));
    EXPECT_EQ(modeOf(file), GetParam().mode) << std::oct << GetParam().mask;
}

INSTANTIATE_TEST_SUITE_P(Masks, PdfFileMode,
                         ::testing::Values(UmaskRow{022, 0644}, UmaskRow{002, 0664}, UmaskRow{077, 0600},
                                           UmaskRow{027, 0640}));

TEST_F(PrinterTest, AReplacedPdfFileKeepsItsMode)
{
    const ScopedUmask mask(022);
    const QString file = path(QStringLiteral("shared.pdf"));
    ASSERT_TRUE(printOnePage(file));
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0664), 0);
    ASSERT_TRUE(printOnePage(file));
    EXPECT_EQ(modeOf(file), mode_t{0664});
}

}  // namespace
}  // namespace platform
