// SPDX-License-Identifier: LicenseRef-Tavelcor
// Writers of POINT.DAT, LINE.DAT, TEGAKI.DAT and TEXT.DAT.
#include "main/site/dat_files.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/textfile.h"

#include <algorithm>
#include <cstdint>

namespace tavelcor {
namespace {

// Fixed form of the DAT files: width 10, 2 decimals.
constexpr int kFixedWidth = 10;
constexpr int kFixedDecimals = 2;

// A row buffer reused for every row of a file.
QString rowBuffer()
{
    QString line;
    line.reserve(256);
    return line;
}

WriteResult finish(platform::TextFileWriter& out, const QString& path)
{
    if (!out.commit())
        return {WriteOutcome::Failed, path, out.errorString()};
    return {WriteOutcome::Written, path, {}};
}

void appendFixed(QString& line, double value)
{
    sitetext::appendFixed(line, value, kFixedWidth, kFixedDecimals);
}

// Removes the commas of a name in the table itself (the saved name and the
// kept one then agree).
void removeCommas(QString& name)
{
    if (name.contains(u','))
        name.remove(u',');
}

void pointRow(QString& line, std::int32_t i)
{
    sitetext::resetLine(line);
    sitetext::appendInt(line, i);
    line += u',';
    sitetext::appendWithoutCommas(line, PointName[i]);
    line += u',';
    sitetext::appendWithoutCommas(line, PointName2[i]);
    line += u',';
    appendFixed(line, PointX[i] + OriginX);
    line += u',';
    appendFixed(line, PointY[i] + OriginY);
    line += u',';
    sitetext::appendInt(line, PointMark[i]);
    sitetext::removeBlanksInPlace(line);
}

void lineRow(QString& line, std::int32_t i)
{
    sitetext::resetLine(line);
    sitetext::appendInt(line, i);
    line += u',';
    sitetext::appendInt(line, LineColor[i]);
    line += u',';
    appendFixed(line, LineX1[i] + OriginX);
    line += u',';
    appendFixed(line, LineY1[i] + OriginY);
    line += u',';
    appendFixed(line, LineX2[i] + OriginX);
    line += u',';
    appendFixed(line, LineY2[i] + OriginY);
    sitetext::removeBlanksInPlace(line);
}

void tegakiRow(QString& line, std::int32_t i)
{
    sitetext::resetLine(line);
    sitetext::appendInt(line, i);
    line += u',';
    sitetext::appendInt(line, TegakiPen[i]);
    line += u',';
    sitetext::appendInt(line, TegakiColor[i]);
    line += u',';
    appendFixed(line, double(TegakiX[i]) + OriginX);
    line += u',';
    appendFixed(line, double(TegakiY[i]) + OriginY);
    sitetext::removeBlanksInPlace(line);
}

// Index and colour in the signed-blank form (" 12"): both are never negative.
void textRow(QString& line, std::int32_t i)
{
    sitetext::resetLine(line);
    line += u' ';
    sitetext::appendInt(line, i);
    line += u',';
    appendFixed(line, double(TxtX[i]) + OriginX);
    line += u',';
    appendFixed(line, double(TxtY[i]) + OriginY);
    line += u',';
    sitetext::appendField(line, TxtString[i]);
    line += u',';
    line += u' ';
    sitetext::appendInt(line, TxtColor[i]);
}

}  // namespace

WriteResult writePointDat(const QString& folder, PointRows rows)
{
    const QString path = sitetext::siteFile(folder, QStringLiteral("POINT.DAT"));
    if (PointCount < 1)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    QString line = rowBuffer();
    const std::int32_t top = std::min<std::int32_t>(PointCount, kPointTop);
    for (std::int32_t i = 1; i <= top; ++i) {
        if (rows == PointRows::Save && PointMark[i] == 0)
            continue;
        removeCommas(PointName[i]);
        removeCommas(PointName2[i]);
        pointRow(line, i);
        out.writeLine(line);
    }
    // Deleted points of symbol 2 and up beyond the count still belong to the
    // file (an undone addition keeps its slot).
    for (std::int32_t i = top + 1; i <= kPointTop && PointMark[i] > 101; ++i) {
        pointRow(line, i);
        out.writeLine(line);
    }
    return finish(out, path);
}

WriteResult writeLineDat(const QString& folder)
{
    const QString path = sitetext::siteFile(folder, QStringLiteral("LINE.DAT"));
    if (LineNext <= 1)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    QString line = rowBuffer();
    const std::int32_t top = std::min<std::int32_t>(LineNext - 1, kLineTop);
    for (std::int32_t i = 1; i <= top; ++i) {
        if (LineX1[i] == LineX2[i] && LineY1[i] == LineY2[i])
            continue;  // a segment without length
        lineRow(line, i);
        out.writeLine(line);
    }
    return finish(out, path);
}

WriteResult writeTegakiDat(const QString& folder)
{
    const QString path = sitetext::siteFile(folder, QStringLiteral("TEGAKI.DAT"));
    if (TegakiCount <= 0)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    QString line = rowBuffer();
    const std::int32_t top = std::min<std::int32_t>(TegakiCount, kTegakiTop);
    for (std::int32_t i = 1; i <= top; ++i) {
        tegakiRow(line, i);
        out.writeLine(line);
    }
    return finish(out, path);
}

WriteResult writeTextDat(const QString& folder)
{
    const QString path = sitetext::siteFile(folder, QStringLiteral("TEXT.DAT"));
    if (TxtCount <= 0)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    QString line = rowBuffer();
    const std::int32_t top = std::min<std::int32_t>(TxtCount, kTxtTop);
    for (std::int32_t i = 1; i <= top; ++i) {
        textRow(line, i);
        out.writeLine(line);
    }
    return finish(out, path);
}

}  // namespace tavelcor
