// SPDX-License-Identifier: LicenseRef-Tavelcor
// Writers of POINT.DAT, LINE.DAT, TEGAKI.DAT and TEXT.DAT.
#include "main/site/dat_files.h"

#include "main/site/line_length.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/textfile.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

namespace tavelcor {
namespace {

// Fixed form of the DAT files: width 10, 2 decimals.
constexpr int kFixedWidth = 10;
constexpr int kFixedDecimals = 2;

// The fixed form with its leading blanks (TEXT.DAT).
void appendFixed(sitetext::LineBlock& row, double value)
{
    row.appendFixed(value, kFixedWidth, kFixedDecimals);
}

// The fixed forms of a pair of coordinates without blanks (the rows that
// lose every blank): "x,y".
void appendFixedPairCompact(sitetext::LineBlock& row, double x, double y)
{
    row.appendFixedPairTrimmed<kFixedDecimals>(x, y, kFixedWidth);
}

// True when name holds a comma: names are short, and a plain loop over them
// costs less than a call.
bool holdsComma(QStringView name)
{
    for (const char16_t c : std::u16string_view(name.utf16(), static_cast<std::size_t>(name.size()))) {
        if (c == u',')
            return true;
    }
    return false;
}

// Removes the commas of the name in row i of a table of names in the table
// itself (the saved name and the kept one then agree). A name without one
// is only read, so the table counts no change for it.
template <typename Names>
void removeCommas(Names& names, std::int32_t i)
{
    if (holdsComma(std::as_const(names)[i]))
        names[i].remove(u',');
}

// The rows of POINT.DAT, LINE.DAT and TEGAKI.DAT hold no blank at all: names
// lose theirs (and any comma or line break), numbers their leading blanks.
void pointRow(sitetext::LineBlock& row, std::int32_t i)
{
    row.appendInt(i);
    row << ',';
    row.appendCompact(std::as_const(PointName)[i]);
    row << ',';
    row.appendCompact(std::as_const(PointName2)[i]);
    row << ',';
    appendFixedPairCompact(row, std::as_const(PointX)[i] + OriginX, std::as_const(PointY)[i] + OriginY);
    row << ',';
    row.appendInt(std::as_const(PointMark)[i]);
}

void lineRow(sitetext::LineBlock& row, std::int32_t i)
{
    row.appendInt(i);
    row << ',';
    row.appendInt(std::as_const(LineColor)[i]);
    row << ',';
    appendFixedPairCompact(row, std::as_const(LineX1)[i] + OriginX, std::as_const(LineY1)[i] + OriginY);
    row << ',';
    appendFixedPairCompact(row, std::as_const(LineX2)[i] + OriginX, std::as_const(LineY2)[i] + OriginY);
}

void tegakiRow(sitetext::LineBlock& row, std::int32_t i)
{
    row.appendInt(i);
    row << ',';
    row.appendInt(std::as_const(TegakiPen)[i]);
    row << ',';
    row.appendInt(std::as_const(TegakiColor)[i]);
    row << ',';
    appendFixedPairCompact(row, double(std::as_const(TegakiX)[i]) + OriginX,
                           double(std::as_const(TegakiY)[i]) + OriginY);
}

// Index and colour in the signed-blank form (" 12"): both are never negative.
void textRow(sitetext::LineBlock& row, std::int32_t i)
{
    row << ' ';
    row.appendInt(i);
    row << ',';
    appendFixed(row, double(std::as_const(TxtX)[i]) + OriginX);
    row << ',';
    appendFixed(row, double(std::as_const(TxtY)[i]) + OriginY);
    row << ',';
    row.appendField(std::as_const(TxtString)[i]);
    row << ',';
    row << ' ';
    row.appendInt(std::as_const(TxtColor)[i]);
}

// Writes rows 1..min(count, top) of a table into the file `name` of
// folder, one fillRow(row, i) each, leaving out the rows leftOut(i) names;
// Skipped (the old file stays) when count is 0 or less.
template <typename FillRow, typename LeftOut>
WriteResult writeRows(const QString& folder, const QString& name, std::int32_t count, std::int32_t top,
                      FillRow fillRow, LeftOut leftOut)
{
    const QString path = sitetext::siteFile(folder, name);
    if (count <= 0)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    sitetext::LineBlock lines(out);
    const std::int32_t last = std::min(count, top);
    for (std::int32_t i = 1; i <= last; ++i) {
        if (leftOut(i))
            continue;
        fillRow(lines, i);
        lines.endLine();
    }
    lines.flush();
    return sitetext::commitFile(out, path);
}

}  // namespace

WriteResult writePointDat(const QString& folder, PointRows rows)
{
    const QString path = sitetext::siteFile(folder, QStringLiteral("POINT.DAT"));
    if (PointCount < 1)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    sitetext::LineBlock lines(out);
    const std::int32_t top = std::min<std::int32_t>(PointCount, kPointTop);
    for (std::int32_t i = 1; i <= top; ++i) {
        if (rows == PointRows::Save && std::as_const(PointMark)[i] == 0)
            continue;
        removeCommas(PointName, i);
        removeCommas(PointName2, i);
        pointRow(lines, i);
        lines.endLine();
    }
    // Deleted points of symbol 2 and up beyond the count still belong to the
    // file (an undone addition keeps its slot).
    for (std::int32_t i = top + 1; i <= kPointTop && std::as_const(PointMark)[i] > 101; ++i) {
        pointRow(lines, i);
        lines.endLine();
    }
    lines.flush();
    return sitetext::commitFile(out, path);
}

WriteResult writeLineDat(const QString& folder)
{
    return writeRows(folder, QStringLiteral("LINE.DAT"), LineNext - 1, kLineTop, lineRow, lineWithoutLength);
}

WriteResult writeTegakiDat(const QString& folder)
{
    return writeRows(folder, QStringLiteral("TEGAKI.DAT"), TegakiCount, kTegakiTop, tegakiRow,
                     [](std::int32_t) { return false; });
}

WriteResult writeTextDat(const QString& folder)
{
    return writeRows(folder, QStringLiteral("TEXT.DAT"), TxtCount, kTxtTop, textRow, [](std::int32_t) { return false; });
}

}  // namespace tavelcor
