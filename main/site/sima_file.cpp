// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/sima_file.h"

#include "main/site/parcel_attr_file.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/fields.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

// Only the first missing vertices of a file are reported; reading goes on.
constexpr int kReportedMissingVertices = 20;

// The name of a free coordinate number, for comparing without a copy.
constexpr QStringView kFreeName = u"_?>";

// True when the record code is code (three characters), without a call.
bool isCode(QStringView field, const char16_t (&code)[4])
{
    return field.size() == 3 && field[0] == code[0] && field[1] == code[1] && field[2] == code[2];
}

// The coordinate number of a field, when it is one of the table's numbers.
std::optional<std::int32_t> zahyoNumber(QStringView field)
{
    const std::optional<std::int32_t> n = sitetext::fieldLong(field);
    if (!n || *n < 1 || *n > kZahyoTop)
        return std::nullopt;
    return n;
}

// One pass over a SIMA file, record by record.
class SimaReader {
public:
    explicit SimaReader(QString fileName) : mFileName(std::move(fileName)) {}

    // False when the line stops the program (its message was shown).
    bool readRecord(QStringView line);
    // Ends the last parcel's vertex run.
    void finish() const;

private:
    bool readCoordinate(QStringView line, qsizetype pos);
    bool readParcelStart(QStringView line, qsizetype pos);
    bool readVertex(QStringView line, qsizetype pos);
    bool stop(const QString& message) const;

    QString mFileName;
    std::int32_t mNextSlot = 0;  // next free slot of KakuchiVertex
    int mMissing = 0;            // vertices left out so far
};

bool SimaReader::readRecord(QStringView line)
{
    qsizetype pos = 1;
    const QStringView code = platform::nextFieldView(line, pos);
    if (isCode(code, u"B01"))
        return readVertex(line, pos);
    if (isCode(code, u"A01"))
        return readCoordinate(line, pos);
    if (isCode(code, u"D00") || isCode(code, u"F00"))
        return readParcelStart(line, pos);
    return true;  // Z00, G00, A00, A99, D99 and unknown codes carry nothing to keep
}

bool SimaReader::readCoordinate(QStringView line, qsizetype pos)
{
    const std::optional<std::int32_t> n = zahyoNumber(platform::nextFieldView(line, pos));
    if (!n)
        return stop(outOfRangeMessage(mFileName, line));
    ZahyoName[*n] = platform::Trim(platform::nextFieldView(line, pos));
    ZahyoX[*n] = sitetext::fieldNumber(platform::nextFieldView(line, pos));
    ZahyoY[*n] = sitetext::fieldNumber(platform::nextFieldView(line, pos));
    ZahyoH[*n] = sitetext::fieldNumber(platform::nextFieldView(line, pos));
    if (*n > ZahyoMax)
        ZahyoMax = *n;
    return true;
}

bool SimaReader::readParcelStart(QStringView line, qsizetype pos)
{
    if (KakuchiCount >= kKakuchiCountLimit)
        return stop(tableFullMessage(mFileName, line, kKakuchiCountLimit));
    const int k = ++KakuchiCount;
    if (k > 1)
        KakuchiLast[k - 1] = mNextSlot - 1;
    (void)platform::nextFieldView(line, pos);  // the file's own parcel number
    QString name = platform::Trim(platform::nextFieldView(line, pos));
    if (platform::trimmedView(platform::nextFieldView(line, pos)) != u"1") {
        name = openFigureName();
        ++KakuchiOpenCount;
    }
    KakuchiName[k] = name;
    const QStringView info = platform::nextFieldView(line, pos);
    if (!platform::trimmedView(info).isEmpty())
        KakuchiInfo[k] = info.toString();
    KakuchiFirst[k] = mNextSlot;
    return true;
}

bool SimaReader::readVertex(QStringView line, qsizetype pos)
{
    const QStringView field = platform::nextFieldView(line, pos);
    const std::optional<std::int32_t> n = zahyoNumber(field);
    if (!n || platform::trimmedView(ZahyoName[*n]) == kFreeName) {
        ++mMissing;
        if (mMissing <= kReportedMissingVertices) {
            const QString stored = n ? ZahyoName[*n] : freeZahyoName();
            showSiteMessage(missingCoordinateMessage(KakuchiName[KakuchiCount], field, stored));
        }
        return true;
    }
    if (mNextSlot > kKakuchiVertexTop)
        return stop(tableFullMessage(mFileName, line, kKakuchiVertexTop + 1));
    ZahyoUsed[*n] = 1;
    KakuchiVertex[mNextSlot] = *n;
    ++mNextSlot;
    return true;
}

void SimaReader::finish() const
{
    if (KakuchiCount > 0)
        KakuchiLast[KakuchiCount] = mNextSlot - 1;
}

bool SimaReader::stop(const QString& message) const
{
    showSiteMessage(message);
    return false;
}

void writeParcel(platform::TextFileWriter& out, sitetext::Row& row, int p)
{
    row.clear();
    row << u"D00,";
    sitetext::appendInt(row, p);
    row << u',';
    sitetext::appendTrimmedField(row, KakuchiName[p]);
    row << (KakuchiName[p] == openFigureName() ? u",2," : u",1,");
    sitetext::appendTrimmedField(row, KakuchiInfo[p]);
    out.writeLine(row.view());

    const std::int32_t first = std::max<std::int32_t>(KakuchiFirst[p], 0);
    const std::int32_t last = std::min<std::int32_t>(KakuchiLast[p], kKakuchiVertexTop);
    for (std::int32_t k = first; k <= last; ++k) {
        const std::int32_t n = KakuchiVertex[k];
        row.clear();
        row << u"B01,";
        sitetext::appendInt(row, n);
        row << u',';
        if (n >= 1 && n <= kZahyoTop)
            sitetext::appendTrimmedField(row, ZahyoName[n]);
        row << u',';
        out.writeLine(row.view());
    }
    out.writeLine(u"D99,");
}

}  // namespace

bool isWrittenZahyoName(QStringView name)
{
    return name != freeZahyoName() && !name.endsWith(u"_?_") && name != u"n_p_m";
}

ReadOutcome ReadSima(const QString& path)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return ReadOutcome::Missing;
    const QString fileName = QFileInfo(path).fileName();
    SimaReader reader(fileName);
    QString line;
    bool ok = true;
    while (ok && in.readLine(line))
        ok = reader.readRecord(line);
    reader.finish();
    if (!ok || sitetext::readingEnd(in, fileName) == ReadOutcome::StopProgram)
        return ReadOutcome::StopProgram;
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
    out.writeLine(u"Z00,,");
    out.writeLine(u"G00,01,");
    out.writeLine(u"A00,");
    sitetext::Row row;
    const std::int32_t top = std::min<std::int32_t>(ZahyoMax, kZahyoTop);
    for (std::int32_t n = 1; n <= top; ++n) {
        const QString& name = ZahyoName[n];
        if (!isWrittenZahyoName(name))
            continue;
        row.clear();
        row << u"A01,";
        sitetext::appendInt(row, n);
        row << u',';
        sitetext::appendTrimmedField(row, name);
        row << u',';
        sitetext::appendFixedTrimmed(row, ZahyoX[n], 11, 3);
        row << u',';
        sitetext::appendFixedTrimmed(row, ZahyoY[n], 11, 3);
        row << u',';
        sitetext::appendFixedTrimmed(row, ZahyoH[n], 8, 3);
        row << u',';
        out.writeLine(row.view());
    }
    out.writeLine(u"A99,");
    out.writeLine(u"Z00,,");
    for (int p = 1; p <= KakuchiCount; ++p)
        writeParcel(out, row, p);
    if (KakuchiCount > 0)
        out.writeLine(u"Z00,");
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor
