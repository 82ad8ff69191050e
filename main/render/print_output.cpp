// SPDX-License-Identifier: LicenseRef-Tavelcor
// The output buttons of the print dialog: the plot printed on one page at a
// confirmed scale denominator (optionally after a reduced preview), the plot
// written as a bitmap in an A0 sheet's proportions, and plain-text printing.
//
// The plot goes to paper by the one full redraw into Picture1, enlarged to
// twice the page's size in twips, and that picture painted onto the page.
// Picture1's size, the view extents and the pointer are kept at the start of
// a command and given back on every path: the ending of an output restores and
// redraws the plot, and PlotOutputScope does so as well when a command leaves
// early.
#include "main/render/print_dialog.h"

#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/print/printers.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/width.h"

#include <QDebug>
#include <QImage>

#include <cmath>
#include <exception>
#include <numbers>
#include <optional>

namespace tavelcor {

namespace {

const QString kBitmapChoice = QStringLiteral("BITMAP");
const QString kPrintFailed = QStringLiteral("印刷できませんでした");
const QString kBadDenominator = QStringLiteral("縮尺分母が正しくありません");

constexpr int kHourglass = platform::pointer::Hourglass;

// The site data count as modified (what the editing code's Bbc does).
void markSiteModified()
{
    DataDirty = -1;
}

// Keeps what one output command changes of the plot and gives it back.
class PlotOutputScope {
public:
    explicit PlotOutputScope(Plot& window)
        : mWindow(window), mPointer(window.Picture1.MousePointer()), mWidth(window.Picture1.Width()),
          mHeight(window.Picture1.Height()), mSpanX(ViewSpanX), mSpanY(ViewSpanY)
    {
        window.Picture1.setMousePointer(kHourglass);
    }
    ~PlotOutputScope()
    {
        try {
            if (mChanged && !mRestored)
                restoreView();
        } catch (...) {
            qWarning("the plot could not be restored after printing");
        }
        mWindow.Picture1.setMousePointer(mPointer);
    }
    PlotOutputScope(const PlotOutputScope&) = delete;
    PlotOutputScope& operator=(const PlotOutputScope&) = delete;

    Plot& window() const { return mWindow; }
    /// From here on the picture or the extents differ from the screen's.
    void changing() { mChanged = true; }
    /// The picture and the extents as they were, and the plot redrawn.
    void restoreView()
    {
        mRestored = true;
        mWindow.Picture1.setWidth(mWidth);
        mWindow.Picture1.setHeight(mHeight);
        mWindow.Picture6.setVisible(false);
        ViewSpanX = mSpanX;
        ViewSpanY = mSpanY;
        justsc(plotFace());
        crtplot();
    }

private:
    Plot& mWindow;
    int mPointer;
    double mWidth;
    double mHeight;
    double mSpanX;
    double mSpanY;
    bool mChanged = false;
    bool mRestored = false;
};

struct Page {
    double width = 0.0;   ///< twips
    double height = 0.0;  ///< twips
};

enum class Outcome { Done, Cancelled, Failed };

// The ending of every plot output: the plot as before; a finished print or
// bitmap closes the dialog, a preview keeps it open.
void ending(PlotOutputScope& scope, bool finished)
{
    scope.restoreView();
    if (PrintMode == 1) {
        if (finished) {
            prtoutForm().unload();
            scope.window().Show();
        }
    } else {
        PrintMode = 10;
    }
}

// Picture6 covers the plot with a snapshot of it (also saved as TEMP.BMP,
// the work folder's snapshot) while the preview shrinks Picture1.
void coverPicture(Plot& window)
{
    platform::PictureBox& cover = window.Picture6;
    const platform::PictureBox& plotPicture = window.Picture1;
    cover.Move(plotPicture.Left(), plotPicture.Top(), plotPicture.Width(), plotPicture.Height());
    cover.setBorderStyle(plotPicture.BorderStyle());
    cover.setBackColor(plotPicture.BackColor());
    cover.canvas().setScaleMode(platform::ScaleMode::Pixels);
    const QImage snapshot = plotPicture.canvas().image();
    if (!WorkFolder.isEmpty())
        static_cast<void>(plotPicture.canvas().SavePicture(WorkFolder + QStringLiteral("/TEMP.BMP")));
    cover.canvas().setPicture(snapshot);
}

std::optional<QString> choosePdfFile(Prtout& dialog)
{
    platform::CommonDialog& files = dialog.CommonDialog1;
    files.setFileName(SiteFolder + QStringLiteral("PRINT.PDF"));
    files.setFilter(QStringLiteral("PDF ファイル|*.PDF"));
    files.setDialogTitle(QStringLiteral("PDF 出力"));
    files.setFlags(platform::CommonDialog::kOverwritePrompt);
    if (!files.ShowSave())
        return std::nullopt;
    return files.FileName();
}

// Names the PDF file of a PDF printer; false when the user cancelled.
bool prepareDocument(Prtout& dialog, platform::Printer& printer)
{
    if (!printer.writesPdfFile())
        return true;
    const std::optional<QString> file = choosePdfFile(dialog);
    if (!file)
        return false;
    printer.setOutputFileName(*file);
    return true;
}

// Picture1 onto one page, from the printer's origin over the page's full
// size.
Outcome sendToPrinter(Prtout& dialog, const Plot& window)
{
    platform::Printer* printer = platform::currentPrinter();
    if (!printer) {
        platform::MsgBox(printerUnavailableMessage());
        return Outcome::Failed;
    }
    if (!prepareDocument(dialog, *printer))
        return Outcome::Cancelled;
    const QImage picture = window.Picture1.canvas().image();
    if (printer->PaintPicture(picture, 0.0, 0.0, printer->Width(), printer->Height()) && printer->EndDoc())
        return Outcome::Done;
    qWarning().noquote() << "printing failed:" << printer->lastError();
    printer->KillDoc();
    platform::MsgBox(kPrintFailed);
    return Outcome::Failed;
}

void setOutputSize(Plot& window, const Page& page, int divisor)
{
    window.Picture1.setWidth(2.0 * page.width / divisor);
    window.Picture1.setHeight(2.0 * page.height / divisor);
}

void setPaperOffsets(Prtout& dialog)
{
    dialog.SetPrintOffsets();
    PrintMarginB = 4 * PrintMarginB;
}

// The full redraw at one and a half times the label size, for paper.
void redrawForPaper()
{
    const std::int16_t kept = FontSize;
    FontSize = platform::CInt(FontSize * 1.5);
    crtplot();
    FontSize = kept;
    PrintOffsetL = 0;
    PrintMarginB = 0;
}

// A label on an opaque background at the picture's top-left corner.
void writeLabel(Plot& window, double points, const QString& text)
{
    platform::Canvas& canvas = window.Picture1.canvas();
    canvas.setFontSize(points);
    canvas.setFontTransparent(false);
    canvas.PSet(canvas.ScaleLeft(), canvas.ScaleTop(), platform::QBColor(15));
    canvas.Print(text);
    canvas.setFontSize(FontSize);
    canvas.setFontTransparent(true);
}

// The grey edge at the bottom and right of the reduced picture.
void drawPreviewEdges(Plot& window)
{
    platform::Canvas& canvas = window.Picture1.canvas();
    const double left = canvas.ScaleLeft();
    const double top = canvas.ScaleTop();
    const double right = left + canvas.ScaleWidth();
    const double bottom = top + canvas.ScaleHeight();
    canvas.setDrawWidth(10);
    canvas.Line(left, bottom, right, bottom, platform::QBColor(8));
    canvas.Line(right, bottom, right, top, platform::QBColor(8));
    canvas.setDrawWidth(1);
}

// The denominator the user confirms; nullopt when the answer was empty or
// cancelled.
std::optional<double> askDenominator(Prtout& dialog, double D0)
{
    if (dialog.ScaleDenomText.isEmpty())
        dialog.ScaleDenomText = render::denominatorText(D0);
    const QString answer = platform::InputBox(QStringLiteral("縮尺分母"), std::nullopt, dialog.ScaleDenomText);
    if (answer.isEmpty())
        return std::nullopt;
    dialog.ScaleDenomText = platform::toHalfWidth(answer);
    return render::readDenominator(dialog.ScaleDenomText);
}

// The picture at the page's size for the current PrintMode, the given
// extents and the paper offsets, the preview's cover, and the redraw.
void drawForPaper(Prtout& dialog, Plot& window, const Page& page, const render::PrintExtents& extents)
{
    setOutputSize(window, page, PrintMode);
    ViewSpanX = extents.spanX;
    ViewSpanY = extents.spanY;
    setPaperOffsets(dialog);
    if (PrintMode == 10) {
        window.Label5.setVisible(false);
        window.Picture6.setVisible(true);
        window.Picture6.ZOrder(1);
    }
    redrawForPaper();
}

// The preview is shown; Yes prints its extents.
void finishPreview(Prtout& dialog, PlotOutputScope& scope, const Page& page, double N)
{
    Plot& window = scope.window();
    drawPreviewEdges(window);
    const platform::MsgResult answer = platform::MsgBox(QStringLiteral("印刷開始"), platform::MsgButtons::YesNo,
                                                        platform::MsgIcon::None, QStringLiteral("プレビュー"));
    if (answer != platform::MsgResult::Yes) {
        PrintMode = 9;
        ending(scope, false);
        return;
    }
    PrintMode = 1;
    drawForPaper(dialog, window, page, render::PrintExtents{ViewSpanY * page.height / page.width, ViewSpanY});
    writeLabel(window, FontSize * 2.0 / PrintMode, render::scaleLabel(N, window.Caption(), true));
    ending(scope, sendToPrinter(dialog, window) == Outcome::Done);
}

void plotPrinting(Prtout& dialog, PlotOutputScope& scope)
{
    Plot& window = scope.window();
    coverPicture(window);
    const platform::Printer* printer = platform::currentPrinter();
    const Page page{printer ? printer->Width() : 0.0, printer ? printer->Height() : 0.0};
    if (!(page.width > 0.0) || !(page.height > 0.0)) {
        platform::MsgBox(printerUnavailableMessage());
        return;
    }
    const double D0 = render::defaultDenominator(ViewSpanY, page.width);
    const std::optional<double> N = askDenominator(dialog, D0);
    if (!N)
        return;
    const std::optional<render::PrintExtents> extents = render::printExtents(ViewSpanY, page.width, page.height, *N, D0);
    if (!extents) {
        platform::MsgBox(kBadDenominator);
        return;
    }
    scope.changing();
    drawForPaper(dialog, window, page, *extents);
    writeLabel(window, FontSize * 2.0 / PrintMode, render::scaleLabel(*N, window.Caption(), false));
    if (PrintMode == 10) {
        finishPreview(dialog, scope, page, *N);
        return;
    }
    ending(scope, sendToPrinter(dialog, window) == Outcome::Done);
}

// Writes the bitmap; true when it was written or the user cancelled.
bool saveBitmap(Prtout& dialog, const Plot& window)
{
    // The folder keeps the case the system gave it: on a case-sensitive file
    // system an upper-cased folder would be another folder.
    platform::CommonDialog& files = dialog.CommonDialog1;
    files.setFileName(SiteFolder + QStringLiteral("PRINTIMAGE.BMP"));
    files.setFilter(QStringLiteral("BMP ファイル|*.BMP"));
    files.setDialogTitle(QStringLiteral("BMP 出力"));
    files.setFlags(0);
    if (!files.ShowSave())
        return true;
    if (window.Picture1.canvas().SavePicture(files.FileName()))
        return true;
    platform::MsgBox(QStringLiteral("%1 に保存できませんでした").arg(files.FileName()));
    return false;
}

void bitmapOutput(Prtout& dialog, PlotOutputScope& scope)
{
    if (PrintMode != 1) {
        // The preview button makes no bitmap. The plot is given back as after
        // a declined preview: the screen redraw must not take the preview's
        // mode, which would leave out the texts and shrink the markers.
        PrintMode = 9;
        ending(scope, false);
        return;
    }
    markSiteModified();
    scope.changing();
    Plot& window = scope.window();
    window.Picture1.setWidth(render::kBitmapWidthTwips);
    window.Picture1.setHeight(render::kBitmapWidthTwips / std::numbers::sqrt2);
    ViewSpanX = render::bitmapExtents(ViewSpanY).spanX;
    // The map credit goes outside the picture.
    PrintOffsetL = -1000;
    PrintMarginB = -1000;
    crtplot();
    const double N = render::bitmapDenominator(ViewSpanY);
    MsgText = render::bitmapLabel(N, ViewCX, ViewCY, ViewSpanX, ViewSpanY);
    writeLabel(window, FontSize * 1.5, MsgText);
    PrintOffsetL = 0;
    PrintMarginB = 0;
    ending(scope, saveBitmap(dialog, window));
}

bool printTextLines(platform::Printer& printer, const QStringList& lines)
{
    const QString font = QStringLiteral("ＭＳ ゴシック");
    for (int i = 0; i < 5; ++i)
        if (!printer.Print(QString()))
            return false;
    for (const QString& line : lines) {
        if (!printer.Print(QString(10, QLatin1Char(' ')) + line))
            return false;
        // A narrow spacer line between the text lines.
        printer.setFontSize(4);
        if (!printer.Print(QStringLiteral(" ")))
            return false;
        printer.setFontSize(10);
        printer.setFontName(font);
    }
    return true;
}

void printPlainText(Prtout& dialog)
{
    Plot& window = plot();
    platform::Printer* printer = platform::currentPrinter();
    if (!printer) {
        platform::MsgBox(printerUnavailableMessage());
    } else if (prepareDocument(dialog, *printer)) {
        printer->setFontSize(10);
        printer->setFontName(QStringLiteral("ＭＳ ゴシック"));
        // Every line is printed, however many the text has.
        if (!printTextLines(*printer, render::printLines(PrintText)) || !printer->EndDoc()) {
            qWarning().noquote() << "printing failed:" << printer->lastError();
            printer->KillDoc();
            platform::MsgBox(kPrintFailed);
        }
    }
    window.Picture1.setMousePointer(platform::pointer::Default);
}

}  // namespace

void Prtout::Command2_Click()
{
    try {
        if (PrintKind == 2) {
            printPlainText(*this);
            return;
        }
        if (PrintKind != 1)
            return;
        PlotOutputScope scope(plot());
        if (Combo1.Text() == kBitmapChoice)
            bitmapOutput(*this, scope);
        else
            plotPrinting(*this, scope);
    } catch (const std::exception& error) {
        qWarning().noquote() << "printing failed:" << error.what();
        platform::MsgBox(kPrintFailed);
    }
}

bool Sp()
{
    platform::Printer* printer = platform::currentPrinter();
    if (!printer)
        return false;
    printer->setFontSize(2);
    const bool printed = printer->Print(QString());
    printer->setFontSize(12);
    return printed;
}

void Prtout::Command4_Click()
{
    PrintMode = 10;
    Command2_Click();
    PrintMode = 1;
}

}  // namespace tavelcor
