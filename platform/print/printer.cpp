// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/print/printer.h"

#include "platform/canvas/font_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include <sys/stat.h>

namespace platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr mode_t kNewFileMode = 0666;  // before the user's mask takes its part
constexpr double kMillimetresPerInch = 25.4;

struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};

// The paper codes of the original platform's device mode that this printer
// object knows, with the page sizes they stand for.
constexpr std::array<PaperCode, 7> kPaperCodes{{
    {paper::Letter, QPageSize::Letter},
    {paper::Legal, QPageSize::Legal},
    {paper::A3, QPageSize::A3},
    {paper::A4, QPageSize::A4},
    {paper::A5, QPageSize::A5},
    {paper::B4, QPageSize::JisB4},
    {paper::B5, QPageSize::JisB5},
}};

// The user's file-creation mask. Read from the kernel's status of this
// process, which leaves the mask untouched; else set and set back.
mode_t userMask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        while (!status.atEnd()) {
            const QByteArray line = status.readLine();
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return static_cast<mode_t>(mask & 0777);
            }
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The document is written into a private temporary file (mode 0600); the
// finished file gets the mode of the file it replaces or, for a new file,
// the mode the user's mask gives every new file, as the program's other
// files get. A mode that cannot be set leaves the private one.
void giveUsualMode(const QString& part, const QString& target)
{
    struct stat existing {};
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &existing) == 0
        ? (existing.st_mode & 07777)
        : (kNewFileMode & ~userMask());
    ::chmod(QFile::encodeName(part).constData(), mode);
}

// Qt's PDF writer does not report a write that failed (a full disk): a
// document cut short lacks the end-of-file mark that closes every finished
// PDF file, in its last bytes.
bool pdfFileIsWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 5)
        return false;
    if (!file.seek(std::max<qint64>(0, file.size() - 32)))
        return false;
    return file.readAll().contains("%%EOF");
}

}  // namespace

Printer::Printer(PrinterEntry entry)
    : mEntry(std::move(entry)), mDevice(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      mFontName(QStringLiteral("ＭＳ ゴシック"))
{
    if (mEntry.pdfFile) {
        mDevice->setOutputFormat(QPrinter::PdfFormat);
        mDevice->setPageSize(QPageSize(QPageSize::A4));
        mDevice->setPageOrientation(QPageLayout::Portrait);
        mDevice->setPageMargins(mEntry.unprintableMm, QPageLayout::Millimeter);
    } else {
        mDevice->setPrinterName(mEntry.DeviceName);
    }
    mDevice->setFullPage(false);
    mDevice->setDocName(QStringLiteral("TAVELCOR"));
}

Printer::~Printer()
{
    KillDoc();
}

int Printer::PaperSize() const
{
    const QPageSize::PageSizeId id = mDevice->pageLayout().pageSize().id();
    for (const PaperCode& row : kPaperCodes)
        if (row.id == id)
            return row.code;
    return 0;
}

bool Printer::setPaperSize(int code)
{
    if (documentOpen())
        return false;
    for (const PaperCode& row : kPaperCodes) {
        if (row.code != code)
            continue;
        if (!mDevice->setPageSize(QPageSize(row.id)))
            return false;
        // The strips of a PDF-file printer do not depend on the paper.
        if (mEntry.pdfFile)
            mDevice->setPageMargins(mEntry.unprintableMm, QPageLayout::Millimeter);
        return true;
    }
    return false;
}

int Printer::Orientation() const
{
    return mDevice->pageLayout().orientation() == QPageLayout::Landscape ? orientation::Landscape
                                                                         : orientation::Portrait;
}

bool Printer::setOrientation(int code)
{
    if (documentOpen() || (code != orientation::Portrait && code != orientation::Landscape))
        return false;
    const bool done = mDevice->setPageOrientation(code == orientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
    if (done && mEntry.pdfFile)
        mDevice->setPageMargins(mEntry.unprintableMm, QPageLayout::Millimeter);
    return done;
}

double Printer::Width() const
{
    const DeviceCaps caps = deviceCaps();
    return std::round(pixelsToTwipsX(caps.physicalWidth));
}

double Printer::Height() const
{
    const DeviceCaps caps = deviceCaps();
    return std::round(pixelsToTwipsY(caps.physicalHeight));
}

DeviceCaps Printer::deviceCaps() const
{
    const QRectF paperRect = mDevice->paperRect(QPrinter::DevicePixel);
    const QRectF pageRect = mDevice->pageRect(QPrinter::DevicePixel);
    DeviceCaps caps;
    caps.physicalOffsetX = static_cast<int>(std::lround(pageRect.left() - paperRect.left()));
    caps.physicalOffsetY = static_cast<int>(std::lround(pageRect.top() - paperRect.top()));
    caps.physicalWidth = static_cast<int>(std::lround(paperRect.width()));
    caps.physicalHeight = static_cast<int>(std::lround(paperRect.height()));
    caps.horzRes = static_cast<int>(std::lround(pageRect.width()));
    caps.vertRes = static_cast<int>(std::lround(pageRect.height()));
    caps.dpiX = mDevice->resolution();
    caps.dpiY = mDevice->resolution();
    return caps;
}

double Printer::pixelsToTwipsX(double pixels) const
{
    return pixels * kTwipsPerInch / mDevice->resolution();
}

double Printer::pixelsToTwipsY(double pixels) const
{
    return pixels * kTwipsPerInch / mDevice->resolution();
}

double Printer::pixelsToMillimetresX(double pixels) const
{
    return pixels * kMillimetresPerInch / mDevice->resolution();
}

double Printer::pixelsToMillimetresY(double pixels) const
{
    return pixels * kMillimetresPerInch / mDevice->resolution();
}

void Printer::setFontName(const QString& name)
{
    mFontName = name;
    applyFont();
}

bool Printer::setFontSize(double points)
{
    if (!std::isfinite(points) || !(points > 0.0))
        return false;
    mFontPoints = points;
    applyFont();
    return true;
}

void Printer::applyFont()
{
    if (!mPainter)
        return;
    QFont font(qtFontFamily(mFontName));
    font.setPointSizeF(mFontPoints);
    mPainter->setFont(font);
}

bool Printer::fail(const QString& why)
{
    mError = why;
    mFailed = true;
    return false;
}

bool Printer::beginDocument()
{
    if (mPainter)
        return true;
    mError.clear();
    mFailed = false;
    if (mEntry.pdfFile) {
        if (mOutputFile.isEmpty())
            return fail(QStringLiteral("no output file for %1").arg(mEntry.DeviceName));
        const QFileInfo target(mOutputFile);
        // The document is written beside its file and renamed over it at the
        // end, so an existing file stays whole until the new one is.
        mPartFile = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.print-XXXXXX.part"));
        if (!mPartFile->open()) {
            mPartFile.reset();
            return fail(QStringLiteral("cannot write in %1").arg(target.absolutePath()));
        }
        mPartFile->close();
        mDevice->setOutputFileName(mPartFile->fileName());
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(mDevice.get())) {
        mPartFile.reset();
        return fail(QStringLiteral("%1 cannot print").arg(mEntry.DeviceName));
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A plot's one-pixel lines and small letters must reach a PDF file as
    // they are, not through lossy JPEG compression.
    painter->setRenderHint(QPainter::LosslessImageRendering, true);
    mPainter = std::move(painter);
    mLineX = 0.0;
    mLineY = 0.0;
    mPageUsed = false;
    applyFont();
    return true;
}

bool Printer::Print(const QString& text, bool newline)
{
    if (!beginDocument())
        return false;
    const QFontMetricsF metrics(mPainter->font(), mDevice.get());
    const double lineHeight = metrics.height();
    const double pageHeight = mDevice->pageRect(QPrinter::DevicePixel).height();
    if (mLineX == 0.0 && mPageUsed && mLineY + lineHeight > pageHeight) {
        if (!NewPage())
            return false;
    }
    if (!text.isEmpty())
        mPainter->drawText(QPointF(mLineX, mLineY + metrics.ascent()), text);
    mPageUsed = true;
    if (newline) {
        mLineX = 0.0;
        mLineY += lineHeight;
    } else {
        mLineX += metrics.horizontalAdvance(text);
    }
    return true;
}

bool Printer::PaintPicture(const QImage& picture, double x, double y, double width, double height)
{
    if (picture.isNull())
        return fail(QStringLiteral("no picture"));
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height))
        return fail(QStringLiteral("picture box out of range"));
    if (!beginDocument())
        return false;
    const double perTwip = mDevice->resolution() / kTwipsPerInch;
    mPainter->drawImage(QRectF(x * perTwip, y * perTwip, width * perTwip, height * perTwip), picture);
    mPageUsed = true;
    return true;
}

bool Printer::NewPage()
{
    if (!beginDocument())
        return false;
    if (!mDevice->newPage())
        return fail(QStringLiteral("%1 cannot start a page").arg(mEntry.DeviceName));
    mLineX = 0.0;
    mLineY = 0.0;
    mPageUsed = false;
    return true;
}

bool Printer::EndDoc()
{
    if (!mPainter)
        return true;
    const bool painted = mPainter->end();
    mPainter.reset();
    bool ok = painted && !mFailed;
    if (!painted)
        fail(QStringLiteral("%1 did not take the document").arg(mEntry.DeviceName));
    if (ok && mPartFile && !pdfFileIsWhole(mPartFile->fileName()))
        ok = fail(QStringLiteral("cannot write %1").arg(mOutputFile));
    if (ok && mPartFile) {
        giveUsualMode(mPartFile->fileName(), mOutputFile);
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(mPartFile->fileName()).toStdString(),
                                QFile::encodeName(mOutputFile).toStdString(), error);
        if (error)
            ok = fail(QStringLiteral("cannot write %1").arg(mOutputFile));
        else
            mPartFile->setAutoRemove(false);
    }
    closeDevice();
    return ok;
}

void Printer::KillDoc()
{
    if (mPainter) {
        if (!mEntry.pdfFile)
            mDevice->abort();
        mPainter->end();
        mPainter.reset();
    }
    closeDevice();
}

void Printer::closeDevice()
{
    // Removes the partial file of a PDF document that did not go out.
    // (The device keeps its last file name: an empty one would turn a PDF
    // device into a system printer.)
    mPartFile.reset();
    mLineX = 0.0;
    mLineY = 0.0;
    mPageUsed = false;
}

}  // namespace platform
