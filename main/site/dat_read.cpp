// SPDX-License-Identifier: LicenseRef-Tavelcor
// Readers of POINT.DAT, LINE.DAT, TEGAKI.DAT and TEXT.DAT.
#include "main/site/dat_files.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"
#include "platform/text/text_block.h"
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

// The fewest bytes a row of each file takes with its line end ("1,,,0,0,1"
// and the like): a file's size over it bounds the rows it holds.
constexpr qint64 kShortestPointRow = 11;
constexpr qint64 kShortestLineRow = 13;
constexpr qint64 kShortestTegakiRow = 11;

// The next field, a coordinate, minus the origin in single precision;
// false when it does not fit a single.
bool singleOf(sitetext::RowCursor& row, double origin, float& out)
{
    out = static_cast<float>(row.number() - origin);
    return std::isfinite(out);
}

bool stopWith(const QString& message)
{
    showSiteMessage(message);
    return false;
}

// Reads the rows of folder's file name (matched without regard to case) with
// row(line, texts), which returns false to stop the program. The rows are
// CP932 bytes as LineReader::readLineView gives them (padded), valid until
// the next row; texts makes the texts a row keeps.
// A file that is there but cannot be read whole stops the program too.
// opened(bytes) is told the file's size before the first row.
template <typename Opened, typename Row>
ReadOutcome readRows(const QString& folder, const QString& name, Opened&& opened, Row&& row)
{
    const QString path = sitetext::siteFile(folder, name);
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return sitetext::notOpened(path, name);
    opened(in.size());
    platform::TextBlockMaker texts;
    QByteArrayView line;
    while (in.lines().readLineView(line)) {
        if (!row(line, texts))
            return ReadOutcome::StopProgram;
    }
    return sitetext::readingEnd(in, name);
}

// A row as its message shows it.
QString rowText(QByteArrayView line)
{
    return platform::fromCp932(line);
}

// The fields of a row are read first and counted by the reading: a row
// with more fields than its file has is refused, one with fewer is passed
// over (TEXT.DAT refuses it too); only then is anything stored.
using PointRowsAhead = sitetext::RowsAhead<decltype(PointName), decltype(PointName2), decltype(PointX),
                                            decltype(PointY), decltype(PointMark)>;

bool readPointRow(QByteArrayView line, platform::TextBlockMaker& texts, PointRowsAhead& ahead)
{
    sitetext::RowCursor row(line, sitetext::RowCursor::Padded{});
    std::int32_t i = 0;
    std::uint8_t mark = 0;
    const bool indexOk = row.whole(1, kPointTop, i);
    const QByteArrayView name = row.text();
    const QByteArrayView name2 = row.text();
    const double x = row.number();
    const double y = row.number();
    const bool markOk = row.byte(mark);
    if (!row.atEnd())
        return stopWith(extraCommaMessage(kPointDat, rowText(line)));
    if (row.overran())
        return true;
    if (!indexOk || !markOk)
        return stopWith(outOfRangeMessage(kPointDat, rowText(line)));
    ahead.row(i);
    PointName[i] = texts.fromCp932(sitetext::rightTrimmed(name));
    PointName2[i] = texts.fromCp932(sitetext::rightTrimmed(name2));
    PointX[i] = x - OriginX;
    PointY[i] = y - OriginY;
    PointMark[i] = mark;
    PointCount = std::max(PointCount, i);
    return true;
}

// The stroke tables, written through pointers taken once for the file (one
// change each as the tables count them).
struct StrokeTables {
    sitetext::RowsAhead<decltype(TegakiPen), decltype(TegakiColor), decltype(TegakiX), decltype(TegakiY)> ahead{
        kTegakiTop, TegakiPen, TegakiColor, TegakiX, TegakiY};
    std::uint8_t* pen = TegakiPen.begin();
    std::uint8_t* colour = TegakiColor.begin();
    float* x = TegakiX.begin();
    float* y = TegakiY.begin();
};

bool readTegakiRow(QByteArrayView line, StrokeTables& t)
{
    sitetext::RowCursor row(line, sitetext::RowCursor::Padded{});
    std::int32_t i = 0;
    std::uint8_t pen = 0, colour = 0;
    float x = 0.0F, y = 0.0F;
    const bool indexOk = row.whole(1, kTegakiTop, i);
    const bool penOk = row.byte(pen);
    const bool colourOk = row.byte(colour);
    const bool xOk = singleOf(row, OriginX, x);
    const bool yOk = singleOf(row, OriginY, y);
    if (!row.atEnd())
        return stopWith(extraCommaMessage(kTegakiDat, rowText(line)));
    if (row.overran())
        return true;
    if (!indexOk || !penOk || !colourOk || !xOk || !yOk)
        return stopWith(outOfRangeMessage(kTegakiDat, rowText(line)));
    t.ahead.row(i);
    const auto k = static_cast<std::size_t>(i);
    t.pen[k] = pen;
    t.colour[k] = colour;
    t.x[k] = x;
    t.y[k] = y;
    TegakiCount = std::max(TegakiCount, i);
    return true;
}

}  // namespace

ReadOutcome readPointDat(const QString& folder)
{
    PointRowsAhead ahead{kPointTop, PointName, PointName2, PointX, PointY, PointMark};
    const auto opened = [&ahead](qint64 bytes) { ahead.expectFile(bytes, kShortestPointRow); };
    return readRows(folder, kPointDat, opened, [&ahead](QByteArrayView line, platform::TextBlockMaker& texts) {
        return readPointRow(line, texts, ahead);
    });
}

ReadOutcome readLineDat(const QString& folder)
{
    if (LineNext >= 2)
        return ReadOutcome::Ok;  // lines came from another reader: keep them
    std::int32_t rows = 0;
    std::uint8_t* const colours = LineColor.begin();
    double* const x1 = LineX1.begin();
    double* const y1 = LineY1.begin();
    double* const x2 = LineX2.begin();
    double* const y2 = LineY2.begin();
    sitetext::RowsAhead<decltype(LineColor), decltype(LineX1), decltype(LineY1), decltype(LineX2), decltype(LineY2)>
        ahead{kLineTop, LineColor, LineX1, LineY1, LineX2, LineY2};
    const auto opened = [&ahead](qint64 bytes) { ahead.expectFile(bytes, kShortestLineRow); };
    const ReadOutcome outcome = readRows(folder, kLineDat, opened, [&](QByteArrayView line, platform::TextBlockMaker&) {
        sitetext::RowCursor row(line, sitetext::RowCursor::Padded{});
        row.skip();  // the file's own index: rows are numbered in file order
        std::uint8_t colour = 0;
        const bool colourOk = row.byte(colour);
        const double ax = row.number();
        const double ay = row.number();
        const double bx = row.number();
        const double by = row.number();
        if (!row.atEnd())
            return stopWith(extraCommaMessage(kLineDat, rowText(line)));
        if (row.overran())
            return true;
        if (rows >= kLineTop)
            return stopWith(tableFullMessage(kLineDat, rowText(line), kLineTop));
        if (!colourOk)
            return stopWith(outOfRangeMessage(kLineDat, rowText(line)));
        ahead.row(rows + 1);
        const auto k = static_cast<std::size_t>(++rows);
        colours[k] = colour;
        x1[k] = ax - OriginX;
        y1[k] = ay - OriginY;
        x2[k] = bx - OriginX;
        y2[k] = by - OriginY;
        return true;
    });
    if (outcome == ReadOutcome::Ok)
        LineNext = rows + 1;
    return outcome;
}

ReadOutcome readTegakiDat(const QString& folder)
{
    StrokeTables tables;
    const auto opened = [&tables](qint64 bytes) { tables.ahead.expectFile(bytes, kShortestTegakiRow); };
    return readRows(folder, kTegakiDat, opened,
                    [&tables](QByteArrayView line, platform::TextBlockMaker&) { return readTegakiRow(line, tables); });
}

ReadOutcome readTextDat(const QString& folder)
{
    std::int32_t rows = 0;
    const auto opened = [](qint64) {};  // a few thousand rows: no long runs to ask for
    const auto readRow = [&rows](QByteArrayView line, platform::TextBlockMaker&) {
        sitetext::RowCursor row(line, sitetext::RowCursor::Padded{});
        row.skip();  // the file's own index
        float x = 0.0F, y = 0.0F;
        std::uint8_t colour = 0;
        const bool xOk = singleOf(row, OriginX, x);
        const bool yOk = singleOf(row, OriginY, y);
        const QByteArrayView text = row.text();
        const bool colourOk = row.byte(colour);
        if (!row.atEnd())
            return stopWith(extraCommaMessage(kTextDat, rowText(line)));
        if (row.overran())
            return stopWith(missingCommaMessage(kTextDat, rowText(line)));
        if (sitetext::trimmed(text).isEmpty())
            return true;
        if (rows >= kTxtTop)
            return stopWith(tableFullMessage(kTextDat, rowText(line), kTxtTop));
        if (!xOk || !yOk || !colourOk)
            return stopWith(outOfRangeMessage(kTextDat, rowText(line)));
        const std::int32_t k = ++rows;
        TxtX[k] = x;
        TxtY[k] = y;
        TxtString[k] = sitetext::collapseBlankRuns(platform::fromCp932(text));
        TxtColor[k] = colour;
        return true;
    };
    const ReadOutcome outcome = readRows(folder, kTextDat, opened, readRow);
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
