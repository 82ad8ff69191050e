// SPDX-License-Identifier: LicenseRef-Tavelcor
// The printer object: one printer with its paper and orientation, the page
// size in twips, the device capabilities that tell the printable area, and
// one document at a time (pictures painted onto the page, lines of text, new
// pages, the end or discard of the document), over QPrinter and QPainter.
//
// Units: page sizes and painting positions are twips (1440 per inch);
// device capabilities are printer pixels at the printer's resolution (dots
// per inch, dpiX/dpiY). Positions count from the top-left corner of the
// printable area, as on the original platform: with unprintable strips a
// picture painted at (0, 0) with the page's full size runs past the right
// and bottom edges by the strips' widths.
//
// A document begins with the first output call (Print, PaintPicture,
// NewPage) and goes to the device with EndDoc. A printer that writes PDF
// files needs its output file named before the document begins; the file is
// written under a temporary name in the same folder and renamed over the
// named file only when EndDoc succeeds, so a failed or discarded document
// leaves an existing file as it was.
//
// Needs a QGuiApplication (fonts). Not thread-safe: the UI thread's.
#pragma once

#include "platform/print/device_caps.h"

#include <QImage>
#include <QMarginsF>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

namespace platform {

/// Paper size codes (PaperSize), the values of the original platform.
namespace paper {
inline constexpr int Letter = 1;
inline constexpr int Legal = 5;
inline constexpr int A3 = 8;
inline constexpr int A4 = 9;
inline constexpr int A5 = 11;
inline constexpr int B4 = 12;  ///< JIS B4
inline constexpr int B5 = 13;  ///< JIS B5
}  // namespace paper

/// Orientation codes (Orientation).
namespace orientation {
inline constexpr int Portrait = 1;
inline constexpr int Landscape = 2;
}  // namespace orientation

/// One installed printer as the printer list names it.
struct PrinterEntry {
    /// The device name shown to the user and matched exactly.
    QString DeviceName;
    /// True: a printer that writes PDF files instead of a system printer.
    bool pdfFile = false;
    /// PDF-file printers only: the unprintable strips (millimetres, left,
    /// top, right, bottom of the page as it lies in its orientation).
    QMarginsF unprintableMm;
};

class Printer {
public:
    /// A printer with its device's defaults (paper, orientation, margins).
    explicit Printer(PrinterEntry entry);
    /// Discards a document that was not ended.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    const QString& DeviceName() const { return mEntry.DeviceName; }
    const PrinterEntry& entry() const { return mEntry; }
    bool writesPdfFile() const { return mEntry.pdfFile; }

    // --- paper ---------------------------------------------------------------
    /// The paper size code; 0 for a size that has no code here.
    int PaperSize() const;
    /// Sets the paper by its code; false (nothing changes) for a code this
    /// printer object does not know, or while a document is open.
    bool setPaperSize(int code);
    /// 1 portrait, 2 landscape.
    int Orientation() const;
    /// False (nothing changes) for another code or while a document is open.
    bool setOrientation(int code);
    /// The sheet's width and height in whole twips, in its orientation.
    double Width() const;
    double Height() const;
    /// The printable area of the sheet in printer pixels.
    DeviceCaps deviceCaps() const;
    /// Printer pixels -> twips and millimetres, across (X) and down (Y).
    double pixelsToTwipsX(double pixels) const;
    double pixelsToTwipsY(double pixels) const;
    double pixelsToMillimetresX(double pixels) const;
    double pixelsToMillimetresY(double pixels) const;

    // --- the document ----------------------------------------------------------
    /// PDF-file printers: the file the next document goes to.
    void setOutputFileName(const QString& path) { mOutputFile = path; }

    /// The font of Print: a font name as the programs use it ("ＭＳ ゴシック").
    const QString& FontName() const { return mFontName; }
    void setFontName(const QString& name);
    double FontSize() const { return mFontPoints; }
    /// Points; values that are not finite or not above 0 are refused (false).
    bool setFontSize(double points);

    /// Prints one line of text at the current line (with `newline` the next
    /// text starts on the following line, else just after this one). A line
    /// that no longer fits starts a new page. False when the document could
    /// not begin or the device failed.
    bool Print(const QString& text, bool newline = true);
    /// Paints `picture` into the box (x, y, width, height), twips from the
    /// printable area's top-left corner, scaled without smoothing.
    bool PaintPicture(const QImage& picture, double x, double y, double width, double height);
    /// Ends the page; the next output goes on a new one.
    bool NewPage();
    /// Sends the document to the device; true when there was none or it
    /// went out whole. Afterwards no document is open.
    bool EndDoc();
    /// Discards the open document (nothing goes out, no file is left).
    void KillDoc();
    bool documentOpen() const { return mPainter != nullptr; }
    /// Why the last failing call failed ("" when none failed).
    const QString& lastError() const { return mError; }

private:
    bool beginDocument();
    bool fail(const QString& why);
    void applyFont();
    void closeDevice();

    PrinterEntry mEntry;
    std::unique_ptr<QPrinter> mDevice;
    std::unique_ptr<QPainter> mPainter;
    std::unique_ptr<QTemporaryFile> mPartFile;
    QString mOutputFile;
    QString mError;
    QString mFontName;
    double mFontPoints = 10.0;
    double mLineX = 0.0;  ///< current point, device pixels in the printable area
    double mLineY = 0.0;
    bool mPageUsed = false;
    bool mFailed = false;
};

}  // namespace platform
