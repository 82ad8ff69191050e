// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/sima_file.h"

#include "main/site/parcel_attr_file.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/fields.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

// Only the first missing vertices of a file are reported; reading goes on.
constexpr int kReportedMissingVertices = 20;

// The coordinate number of a field, when it is one of the table's numbers.
std::optional<std::int32_t> zahyoNumber(QStringView field)
{
    const std::optional<std::int32_t> n = platform::toLongChecked(platform::Val(field));
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
    if (code == u"A01")
        return readCoordinate(line, pos);
    if (code == u"D00" || code == u"F00")
        return readParcelStart(line, pos);
    if (code == u"B01")
        return readVertex(line, pos);
    return true;  // Z00, G00, A00, A99, D99 and unknown codes carry nothing to keep
}

bool SimaReader::readCoordinate(QStringView line, qsizetype pos)
{
    const std::optional<std::int32_t> n = zahyoNumber(platform::nextFieldView(line, pos));
    if (!n)
        return stop(outOfRangeMessage(mFileName, line));
    ZahyoName[*n] = platform::Trim(platform::nextFieldView(line, pos));
    ZahyoX[*n] = platform::Val(platform::nextFieldView(line, pos));
    ZahyoY[*n] = platform::Val(platform::nextFieldView(line, pos));
    ZahyoH[*n] = platform::Val(platform::nextFieldView(line, pos));
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
    if (!n || platform::trimmedView(ZahyoName[*n]) == freeZahyoName()) {
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

void writeParcel(platform::TextFileWriter& out, QString& line, int p)
{
    sitetext::resetLine(line);
    line += u"D00,";
    sitetext::appendInt(line, p);
    line += u',';
    sitetext::appendTrimmedField(line, KakuchiName[p]);
    line += KakuchiName[p] == openFigureName() ? u",2," : u",1,";
    sitetext::appendTrimmedField(line, KakuchiInfo[p]);
    out.writeLine(line);

    const std::int32_t first = std::max<std::int32_t>(KakuchiFirst[p], 0);
    const std::int32_t last = std::min<std::int32_t>(KakuchiLast[p], kKakuchiVertexTop);
    for (std::int32_t k = first; k <= last; ++k) {
        const std::int32_t n = KakuchiVertex[k];
        sitetext::resetLine(line);
        line += u"B01,";
        sitetext::appendInt(line, n);
        line += u',';
        if (n >= 1 && n <= kZahyoTop)
            sitetext::appendTrimmedField(line, ZahyoName[n]);
        line += u',';
        out.writeLine(line);
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
    SimaReader reader(QFileInfo(path).fileName());
    QString line;
    bool ok = true;
    while (ok && in.readLine(line))
        ok = reader.readRecord(line);
    reader.finish();
    if (!ok)
        return ReadOutcome::StopProgram;
    (void)readParcelAttributes(SiteFolder);
    return ReadOutcome::Ok;
}

WriteResult writeZahyoSim(const QString& path)
{
    platform::TextFileWriter out(path);
    out.writeLine(u"Z00,,");
    out.writeLine(u"G00,01,");
    out.writeLine(u"A00,");
    QString line;
    line.reserve(256);
    const std::int32_t top = std::min<std::int32_t>(ZahyoMax, kZahyoTop);
    for (std::int32_t n = 1; n <= top; ++n) {
        const QString& name = ZahyoName[n];
        if (!isWrittenZahyoName(name))
            continue;
        sitetext::resetLine(line);
        line += u"A01,";
        sitetext::appendInt(line, n);
        line += u',';
        sitetext::appendTrimmedField(line, name);
        line += u',';
        sitetext::appendFixedTrimmed(line, ZahyoX[n], 11, 3);
        line += u',';
        sitetext::appendFixedTrimmed(line, ZahyoY[n], 11, 3);
        line += u',';
        sitetext::appendFixedTrimmed(line, ZahyoH[n], 8, 3);
        line += u',';
        out.writeLine(line);
    }
    out.writeLine(u"A99,");
    out.writeLine(u"Z00,,");
    for (int p = 1; p <= KakuchiCount; ++p)
        writeParcel(out, line, p);
    if (KakuchiCount > 0)
        out.writeLine(u"Z00,");
    WriteResult result{WriteOutcome::Written, path, {}};
    if (!out.commit())
        result = {WriteOutcome::Failed, path, out.errorString()};
    return result;
}

}  // namespace tavelcor
