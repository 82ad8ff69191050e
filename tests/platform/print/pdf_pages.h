// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Looking at printed PDF files with poppler's tools: a page rendered to an
// image (pdftoppm), the text of the pages (pdftotext) and the page count
// (pdfinfo). Each gives an empty result when the tool is missing or fails;
// pdfToolsPresent() tells whether they are installed (scripts/install-packages
// installs them); a test that needs them fails without them.

#include <QImage>
#include <QProcess>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tavelcor::testing_pdf {

inline bool pdfToolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QByteArray runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

/// Page `page` (1-based) of `pdf` rendered at `dpi` pixels per inch, RGB32.
inline QImage renderPdfPage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString stem = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

/// The text of every page, laid out as printed.
inline QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                      QStringLiteral("UTF-8"), pdf, QStringLiteral("-")}));
}

/// The number of pages; 0 when the file cannot be read.
inline int pdfPageCount(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return 0;
}

/// The page size in points ("Page size: 842 x 595 pts (A4)"); empty when unknown.
inline QSizeF pdfPageSizePoints(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QStringLiteral("Page size:")))
            continue;
        const QStringList parts = line.mid(10).simplified().split(QLatin1Char(' '));
        if (parts.size() >= 3)
            return QSizeF(parts[0].toDouble(), parts[2].toDouble());
    }
    return {};
}

}  // namespace tavelcor::testing_pdf
