// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/sima_file.h"

#include "main/site/parcel_attr_file.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"
#include "platform/text/strings.h"
#include "platform/text/text_block.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tavelcor {
namespace {

// Only the first missing vertices of a file are reported; reading goes on.
constexpr int kReportedMissingVertices = 20;
// The rows without X or Y that the one message of a file names.
constexpr int kReportedUnplacedRows = 5;
// How much of such a row the message quotes.
constexpr qsizetype kQuotedRowLength = 100;

// The name of a free coordinate number, for comparing without a copy.
constexpr QStringView kFreeName = u"_?>";

// True when the record code is code (three characters), without a call.
bool isCode(QByteArrayView field, const char (&code)[4])
{
    return field.size() == 3 && field[0] == code[0] && field[1] == code[1] && field[2] == code[2];
}

// The coordinate number of the record's next field into n; false when it
// is none of the table's numbers.
bool zahyoNumber(sitetext::RowCursor& record, std::int32_t& n)
{
    return record.whole(1, kZahyoTop, n);
}

// One pass over a SIMA file, record by record, on the CP932 bytes of each
// line: the numbers are read from the bytes, only the names are decoded.
class SimaReader {
public:
    explicit SimaReader(QString fileName) : mFileName(std::move(fileName)) {}

    // False when the line stops the program (its message was shown). The
    // line is one LineReader::readLineView gave, followed by its padding.
    bool readRecord(QByteArrayView line);
    // Ends the last parcel's vertex run.
    void finish() const;
    // Says once which rows had no X or Y; the numbers still without a
    // place, ascending.
    std::vector<std::int32_t> reportUnplaced() const;
    // The file holds fileBytes bytes.
    void expectFile(std::int64_t fileBytes);

private:
    // Each reads the fields after the record code.
    bool readCoordinate(QByteArrayView line, sitetext::RowCursor& record);
    bool readParcelStart(QByteArrayView line, sitetext::RowCursor& record);
    bool readVertex(QByteArrayView line, sitetext::RowCursor& record);
    bool stop(const QString& message) const;

    QString mFileName;
    platform::TextBlockMaker mTexts;  // the names the tables keep
    sitetext::RowsAhead<decltype(ZahyoName), decltype(ZahyoX), decltype(ZahyoY), decltype(ZahyoH)> mCoordinates{
        kZahyoTop, ZahyoName, ZahyoX, ZahyoY, ZahyoH};
    sitetext::RowsAhead<decltype(KakuchiName), decltype(KakuchiInfo), decltype(KakuchiFirst), decltype(KakuchiLast)>
        mParcels{kKakuchiCountLimit, KakuchiName, KakuchiInfo, KakuchiFirst, KakuchiLast};
    sitetext::RowsAhead<decltype(KakuchiVertex)> mVertices{kKakuchiVertexTop, KakuchiVertex};
    std::int32_t mNextSlot = 0;       // next free slot of KakuchiVertex
    int mMissing = 0;                 // vertices left out so far
    qint64 mRow = 0;                  // rows read so far
    int mUnplacedRows = 0;            // coordinate rows without X or Y
    QStringList mReportedRows;        // the first of them, for the message
    std::vector<bool> mUnplaced;      // by number: its last row had no X or Y
};

bool SimaReader::readRecord(QByteArrayView line)
{
    ++mRow;
    // A field past the line's end reads as empty, as NextField gives it.
    sitetext::RowCursor record(line, sitetext::RowCursor::Padded{});
    const QByteArrayView code = record.text();
    if (isCode(code, "B01"))
        return readVertex(line, record);
    if (isCode(code, "A01"))
        return readCoordinate(line, record);
    if (isCode(code, "D00") || isCode(code, "F00"))
        return readParcelStart(line, record);
    return true;  // Z00, G00, A00, A99, D99 and unknown codes carry nothing to keep
}

bool SimaReader::readCoordinate(QByteArrayView line, sitetext::RowCursor& record)
{
    std::int32_t n = 0;
    if (!zahyoNumber(record, n))
        return stop(outOfRangeMessage(mFileName, platform::fromCp932(line)));
    const QByteArrayView name = sitetext::trimmed(record.text());
    double x = 0.0;
    double y = 0.0;
    const bool hasX = record.leadingNumber(x);
    const bool hasY = record.leadingNumber(y);
    if (!isPlaneCoordinate(x) || !isPlaneCoordinate(y))
        return stop(outOfRangeMessage(mFileName, platform::fromCp932(line)));
    if (!hasX || !hasY) {
        if (++mUnplacedRows <= kReportedUnplacedRows)
            mReportedRows << QStringLiteral("%1行目「%2」").arg(mRow).arg(platform::fromCp932(line).left(kQuotedRowLength));
        if (mUnplaced.empty())
            mUnplaced.resize(std::size_t(kZahyoTop) + 1, false);
        mUnplaced[std::size_t(n)] = true;
    } else if (!mUnplaced.empty()) {
        mUnplaced[std::size_t(n)] = false;  // a later row placed the number
    }
    mCoordinates.row(n);
    ZahyoName[n] = mTexts.fromCp932(name);
    ZahyoX[n] = x;
    ZahyoY[n] = y;
    ZahyoH[n] = record.number();
    if (n > ZahyoMax)
        ZahyoMax = n;
    return true;
}

bool SimaReader::readParcelStart(QByteArrayView line, sitetext::RowCursor& record)
{
    if (KakuchiCount >= kKakuchiCountLimit)
        return stop(tableFullMessage(mFileName, platform::fromCp932(line), kKakuchiCountLimit));
    const int k = ++KakuchiCount;
    mParcels.row(k);
    if (k > 1)
        KakuchiLast[k - 1] = mNextSlot - 1;
    record.skip();  // the file's own parcel number, which is not kept
    const QByteArrayView name = record.text();
    if (sitetext::trimmed(record.text()) != "1") {
        KakuchiName[k] = openFigureName();
        ++KakuchiOpenCount;
    } else {
        KakuchiName[k] = mTexts.fromCp932(sitetext::trimmed(name));
    }
    const QByteArrayView info = record.text();
    if (!sitetext::trimmed(info).isEmpty())
        KakuchiInfo[k] = mTexts.fromCp932(info);
    KakuchiFirst[k] = mNextSlot;
    return true;
}

bool SimaReader::readVertex(QByteArrayView line, sitetext::RowCursor& record)
{
    sitetext::RowCursor numberField = record;  // for the message, as the line holds it
    std::int32_t n = 0;
    const bool known = zahyoNumber(record, n);
    if (!known || platform::trimmedView(std::as_const(ZahyoName)[n]) == kFreeName) {
        ++mMissing;
        if (mMissing <= kReportedMissingVertices) {
            const QString stored = known ? ZahyoName[n] : freeZahyoName();
            const QString field = platform::fromCp932(numberField.text());
            showSiteMessage(missingCoordinateMessage(KakuchiName[KakuchiCount], field, stored));
        }
        return true;
    }
    if (mNextSlot > kKakuchiVertexTop)
        return stop(tableFullMessage(mFileName, platform::fromCp932(line), kKakuchiVertexTop + 1));
    ZahyoUsed[n] = 1;
    mVertices.row(mNextSlot);
    KakuchiVertex[mNextSlot] = n;
    ++mNextSlot;
    return true;
}

void SimaReader::expectFile(std::int64_t fileBytes)
{
    // The shortest rows: "A01,1,,0,0," and "B01,1,".
    mCoordinates.expectFile(fileBytes, 13);
    mVertices.expectFile(fileBytes, 8);
}

void SimaReader::finish() const
{
    if (KakuchiCount > 0)
        KakuchiLast[KakuchiCount] = mNextSlot - 1;
}

std::vector<std::int32_t> SimaReader::reportUnplaced() const
{
    std::vector<std::int32_t> numbers;
    if (mUnplacedRows == 0)
        return numbers;
    showSiteMessage(missingPositionMessage(mFileName, mReportedRows, mUnplacedRows));
    for (std::size_t n = 1; n < mUnplaced.size(); ++n) {
        if (mUnplaced[n])
            numbers.push_back(static_cast<std::int32_t>(n));
    }
    return numbers;
}

bool SimaReader::stop(const QString& message) const
{
    showSiteMessage(message);
    return false;
}

void writeParcel(sitetext::LineBlock& row, int p)
{
    row << "D00,";
    row.appendInt(p);
    row << ',';
    row.appendTrimmedField(KakuchiName[p]);
    row << (KakuchiName[p] == openFigureName() ? ",2," : ",1,");
    row.appendTrimmedField(KakuchiInfo[p]);
    row.endLine();

    const auto& vertex = std::as_const(KakuchiVertex);
    const std::int32_t first = std::max<std::int32_t>(std::as_const(KakuchiFirst)[p], 0);
    const std::int32_t last = std::min<std::int32_t>(std::as_const(KakuchiLast)[p], kKakuchiVertexTop);
    for (std::int32_t k = first; k <= last; ++k) {
        const std::int32_t n = vertex[k];
        row << "B01,";
        row.appendInt(n);
        row << ',';
        if (n >= 1 && n <= kZahyoTop)
            row.appendTrimmedField(std::as_const(ZahyoName)[n]);
        row << ',';
        row.endLine();
    }
    row << "D99,";
    row.endLine();
}

// The coordinate numbers 1..top that some parcel has as a vertex.
std::vector<bool> parcelVertexNumbers(std::int32_t top)
{
    std::vector<bool> used(std::size_t(top) + 1, false);
    for (int p = 1; p <= std::min<int>(KakuchiCount, kKakuchiTop); ++p) {
        const std::int32_t first = std::max<std::int32_t>(std::as_const(KakuchiFirst)[p], 0);
        const std::int32_t last = std::min<std::int32_t>(std::as_const(KakuchiLast)[p], kKakuchiVertexTop);
        for (std::int32_t k = first; k <= last; ++k) {
            const std::int32_t n = std::as_const(KakuchiVertex)[k];
            if (n >= 1 && n <= top)
                used[std::size_t(n)] = true;
        }
    }
    return used;
}

}  // namespace

bool isWrittenZahyoName(QStringView name)
{
    // Every name left out ends in ">", "_" or "m": the others are written
    // without a comparison.
    if (name.isEmpty())
        return true;
    const char16_t last = name.back().unicode();
    if (last != u'>' && last != u'_' && last != u'm')
        return true;
    return name != freeZahyoName() && !name.endsWith(u"_?_") && name != u"n_p_m";
}

ReadOutcome ReadSima(const QString& path, std::vector<std::int32_t>* unplaced)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return ReadOutcome::Missing;
    const QString fileName = QFileInfo(path).fileName();
    SimaReader reader(fileName);
    reader.expectFile(in.size());
    QByteArrayView line;
    bool ok = true;
    while (ok && in.lines().readLineView(line))
        ok = reader.readRecord(line);
    reader.finish();
    if (!ok || sitetext::readingEnd(in, fileName) == ReadOutcome::StopProgram)
        return ReadOutcome::StopProgram;
    std::vector<std::int32_t> numbers = reader.reportUnplaced();
    if (unplaced != nullptr)
        *unplaced = std::move(numbers);
    if (readParcelAttributes(SiteFolder) == ReadOutcome::StopProgram)
        return ReadOutcome::StopProgram;
    return ReadOutcome::Ok;
}

WriteResult writeSimaText(const QString& path, QStringView text)
{
    platform::TextFileWriter out(path);
    out.write(text);
    out.writeLine();
    return sitetext::commitFile(out, path);
}

WriteResult writeZahyoSim(const QString& path)
{
    platform::TextFileWriter out(path);
    sitetext::LineBlock row(out);
    for (const std::string_view line : {"Z00,,", "G00,01,", "A00,"}) {
        row << line;
        row.endLine();
    }
    const std::int32_t top = std::min<std::int32_t>(ZahyoMax, kZahyoTop);
    // An unnamed point of a map XML file keeps the free name, yet a parcel
    // may have it as a vertex: it is written with an empty name, so that the
    // parcel keeps its vertex when the file is read again.
    const std::vector<bool> vertices = parcelVertexNumbers(top);
    const QString freeName = freeZahyoName();
    for (std::int32_t n = 1; n <= top; ++n) {
        const QString& name = std::as_const(ZahyoName)[n];
        const bool unnamedVertex = name == freeName && vertices[std::size_t(n)];
        if (!isWrittenZahyoName(name) && !unnamedVertex)
            continue;
        row << "A01,";
        row.appendInt(n);
        row << ',';
        if (!unnamedVertex)
            row.appendTrimmedField(name);
        row << ',';
        row.appendFixedPairTrimmed<3>(std::as_const(ZahyoX)[n], std::as_const(ZahyoY)[n], 11);
        row << ',';
        row.appendFixedTrimmed<3>(std::as_const(ZahyoH)[n], 8);
        row << ',';
        row.endLine();
    }
    for (const std::string_view line : {"A99,", "Z00,,"}) {
        row << line;
        row.endLine();
    }
    for (int p = 1; p <= KakuchiCount; ++p)
        writeParcel(row, p);
    if (KakuchiCount > 0) {
        row << "Z00,";
        row.endLine();
    }
    row.flush();
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor
