// SPDX-License-Identifier: LicenseRef-Tavelcor
// Readers of POINT.DAT, LINE.DAT, TEGAKI.DAT and TEXT.DAT.
#include "main/site/dat_files.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

const QString kPointDat = QStringLiteral("POINT.DAT");
const QString kLineDat = QStringLiteral("LINE.DAT");
const QString kTegakiDat = QStringLiteral("TEGAKI.DAT");
const QString kTextDat = QStringLiteral("TEXT.DAT");

// The index a field names, when it lies within first..last.
std::optional<std::int32_t> indexIn(QStringView field, std::int32_t first, std::int32_t last)
{
    const std::optional<std::int32_t> i = sitetext::fieldLong(field);
    if (!i || *i < first || *i > last)
        return std::nullopt;
    return i;
}

// A coordinate field minus the origin, in single precision; nullopt when it
// does not fit a single.
std::optional<float> singleOf(QStringView field, double origin)
{
    const float value = static_cast<float>(sitetext::fieldNumber(field) - origin);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

bool stopWith(const QString& message)
{
    showSiteMessage(message);
    return false;
}

// Reads the rows of folder's file name (matched without regard to case) with
// row(line), which returns false to stop the program. A file that is there
// but cannot be read whole stops the program too.
template <typename Row>
ReadOutcome readRows(const QString& folder, const QString& name, Row&& row)
{
    const QString path = sitetext::siteFile(folder, name);
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return sitetext::notOpened(path, name);
    QString line;
    while (in.readLine(line)) {
        if (!row(QStringView(line)))
            return ReadOutcome::StopProgram;
    }
    return sitetext::readingEnd(in, name);
}

bool readPointRow(QStringView line)
{
    const auto f = sitetext::splitFields<6>(line);
    if (f.count > 6)
        return stopWith(extraCommaMessage(kPointDat, line));
    if (f.count < 6)
        return true;
    const std::optional<std::int32_t> i = indexIn(f[0], 1, kPointTop);
    const std::optional<std::uint8_t> mark = sitetext::fieldByte(f[5]);
    if (!i || !mark)
        return stopWith(outOfRangeMessage(kPointDat, line));
    PointName[*i] = platform::RTrim(f[1]);
    PointName2[*i] = platform::RTrim(f[2]);
    PointX[*i] = sitetext::fieldNumber(f[3]) - OriginX;
    PointY[*i] = sitetext::fieldNumber(f[4]) - OriginY;
    PointMark[*i] = *mark;
    PointCount = std::max(PointCount, *i);
    return true;
}

bool readTegakiRow(QStringView line)
{
    const auto f = sitetext::splitFields<5>(line);
    if (f.count > 5)
        return stopWith(extraCommaMessage(kTegakiDat, line));
    if (f.count < 5)
        return true;
    const std::optional<std::int32_t> i = indexIn(f[0], 1, kTegakiTop);
    const std::optional<std::uint8_t> pen = sitetext::fieldByte(f[1]);
    const std::optional<std::uint8_t> colour = sitetext::fieldByte(f[2]);
    const std::optional<float> x = singleOf(f[3], OriginX);
    const std::optional<float> y = singleOf(f[4], OriginY);
    if (!i || !pen || !colour || !x || !y)
        return stopWith(outOfRangeMessage(kTegakiDat, line));
    TegakiPen[*i] = *pen;
    TegakiColor[*i] = *colour;
    TegakiX[*i] = *x;
    TegakiY[*i] = *y;
    TegakiCount = std::max(TegakiCount, *i);
    return true;
}

}  // namespace

ReadOutcome readPointDat(const QString& folder)
{
    return readRows(folder, kPointDat, readPointRow);
}

ReadOutcome readLineDat(const QString& folder)
{
    if (LineNext >= 2)
        return ReadOutcome::Ok;  // lines came from another reader: keep them
    std::int32_t rows = 0;
    const ReadOutcome outcome = readRows(folder, kLineDat, [&rows](QStringView line) {
        const auto f = sitetext::splitFields<6>(line);
        if (f.count > 6)
            return stopWith(extraCommaMessage(kLineDat, line));
        if (f.count < 6)
            return true;
        if (rows >= kLineTop)
            return stopWith(tableFullMessage(kLineDat, line, kLineTop));
        const std::optional<std::uint8_t> colour = sitetext::fieldByte(f[1]);
        if (!colour)
            return stopWith(outOfRangeMessage(kLineDat, line));
        const std::int32_t k = ++rows;
        LineColor[k] = *colour;
        LineX1[k] = sitetext::fieldNumber(f[2]) - OriginX;
        LineY1[k] = sitetext::fieldNumber(f[3]) - OriginY;
        LineX2[k] = sitetext::fieldNumber(f[4]) - OriginX;
        LineY2[k] = sitetext::fieldNumber(f[5]) - OriginY;
        return true;
    });
    if (outcome == ReadOutcome::Ok)
        LineNext = rows + 1;
    return outcome;
}

ReadOutcome readTegakiDat(const QString& folder)
{
    return readRows(folder, kTegakiDat, readTegakiRow);
}

ReadOutcome readTextDat(const QString& folder)
{
    std::int32_t rows = 0;
    const ReadOutcome outcome = readRows(folder, kTextDat, [&rows](QStringView line) {
        const auto f = sitetext::splitFields<5>(line);
        if (f.count > 5)
            return stopWith(extraCommaMessage(kTextDat, line));
        if (f.count < 5)
            return stopWith(missingCommaMessage(kTextDat, line));
        if (platform::trimmedView(f[3]).isEmpty())
            return true;
        if (rows >= kTxtTop)
            return stopWith(tableFullMessage(kTextDat, line, kTxtTop));
        const std::optional<float> x = singleOf(f[1], OriginX);
        const std::optional<float> y = singleOf(f[2], OriginY);
        const std::optional<std::uint8_t> colour = sitetext::fieldByte(f[4]);
        if (!x || !y || !colour)
            return stopWith(outOfRangeMessage(kTextDat, line));
        const std::int32_t k = ++rows;
        TxtX[k] = *x;
        TxtY[k] = *y;
        TxtString[k] = sitetext::collapseBlankRuns(f[3]);
        TxtColor[k] = *colour;
        return true;
    });
    if (outcome == ReadOutcome::Ok)
        TxtCount = std::max(TxtCount, rows);
    return outcome;
}

ReadOutcome readSiteDatFiles(const QString& folder)
{
    using Reader = ReadOutcome (*)(const QString&);
    for (const Reader read : {readPointDat, readLineDat, readTegakiDat, readTextDat}) {
        if (read(folder) == ReadOutcome::StopProgram)
            return ReadOutcome::StopProgram;
    }
    return ReadOutcome::Ok;
}

}  // namespace tavelcor
