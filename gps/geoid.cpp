// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/geoid.h"

#include "gps/dms.h"
#include "gps/messages.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstdint>

namespace orbela {

namespace {

constexpr int kRecordSize = 6;
constexpr int kValuesPerLine = 28;
constexpr int kFieldWidth = 9;
constexpr float kNoDataThreshold = 9000000.0f;  // 900 m times 10000
constexpr std::uint32_t kNegativeZeroBits = 0x80000000u;

double field(const QString& line, int column, int width)
{
    return platform::Val(QStringView(line).mid(column - 1, width));
}

// A data line made only of the no-data marker, 28 times separated by single
// blanks: the whole line is skipped in one step (most of the sea around
// Japan).
bool isNoDataLine(const QString& line)
{
    const QString t = line.trimmed();
    const QLatin1String noData("999.0000");
    if (t.size() != kValuesPerLine * kFieldWidth - 1)
        return false;
    for (int m = 0; m < kValuesPerLine; ++m) {
        if (QStringView(t).mid(m * kFieldWidth, noData.size()) != noData)
            return false;
        if (m + 1 < kValuesPerLine && t.at(m * kFieldWidth + noData.size()) != QLatin1Char(' '))
            return false;
    }
    return true;
}

bool hasDigit(QStringView text)
{
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return true;
    return false;
}

// Writes the records of the grid file in order, filling the records of
// no-data nodes between two written ones with zero bytes.
class GridWriter {
public:
    explicit GridWriter(const QString& path) : mFile(path) {}

    bool open() { return mFile.open(QIODevice::WriteOnly); }

    void write(qint64 k, float value)
    {
        const qint64 offset = kRecordSize * (k - 1);
        if (mBuffer.size() + mFlushed < offset)
            mBuffer.append(QByteArray(offset - mFlushed - mBuffer.size(), '\0'));
        std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
        if (bits == 0)
            bits = kNegativeZeroBits;  // a height of exactly 0 is a value
        char record[kRecordSize] = {};
        qToLittleEndian(bits, record);
        mBuffer.append(record, kRecordSize);
        if (mBuffer.size() >= (1 << 20))
            flush();
    }

    // QSaveFile's commit puts its temporary file in place even when the last
    // flush of its own buffer fails (a full disk), and may report success:
    // that flush is made and checked first.
    bool commit()
    {
        flush();
        if (mFailed || !mFile.flush()) {
            mFile.cancelWriting();
            return false;
        }
        return mFile.commit();
    }

private:
    void flush()
    {
        if (mFile.write(mBuffer) != mBuffer.size())
            mFailed = true;
        mFlushed += mBuffer.size();
        mBuffer.clear();
    }

    QSaveFile mFile;
    QByteArray mBuffer;
    qint64 mFlushed = 0;
    bool mFailed = false;
};

// One data line: advances k over its nodes and writes the valued ones.
void convertLine(const QString& line, qint64& k, GridWriter& grid)
{
    if (isNoDataLine(line)) {
        k += kValuesPerLine;
        return;
    }
    for (int m = 1; m <= kValuesPerLine; ++m) {
        const QStringView text = QStringView(line).mid(kFieldWidth * (m - 1), kFieldWidth);
        if (!hasDigit(text))
            continue;  // blank field: no node
        const float v = static_cast<float>(platform::Val(text) * 10000);
        if (v < kNoDataThreshold)
            grid.write(k, v);
        ++k;
    }
}

// Record k of the grid file: the height times 10000, or nullopt for a node
// without data (four zero bytes, or past the end of the file).
std::optional<float> readRecord(QFile& file, qint64 k)
{
    if (k < 1 || !file.seek(kRecordSize * (k - 1)))
        return std::nullopt;
    char bytes[4];
    if (file.read(bytes, 4) != 4)
        return std::nullopt;
    const std::uint32_t bits = qFromLittleEndian<std::uint32_t>(bytes);
    if (bits == 0)
        return std::nullopt;
    const float value = std::bit_cast<float>(bits);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> firstLine(const QString& path)
{
    platform::TextFileReader reader(path);
    if (!reader.isOpen())
        return std::nullopt;
    return reader.readLine();
}

}  // namespace

std::optional<GeoidHeader> parseGeoidHeader(const QString& line)
{
    GeoidHeader h;
    h.lat0 = field(line, 1, 10);
    h.lon0 = field(line, 11, 10);
    h.dlat = roundSpacingToSecond(field(line, 21, 9));
    h.dlon = roundSpacingToSecond(field(line, 30, 9));
    h.rows = field(line, 39, 5);
    h.cols = static_cast<float>(field(line, 44, 5));
    if (!(h.dlat > 0) || !(h.dlon > 0) || !(h.cols >= 2))
        return std::nullopt;
    return h;
}

GeoidConversion convertGeoidModel(const QString& ascPath, const QString& tmpPath)
{
    platform::TextFileReader reader(ascPath);
    QString line;
    if (!reader.isOpen() || !reader.readLine(line))
        return GeoidConversion::SourceUnreadable;
    GridWriter grid(tmpPath);
    if (!grid.open())
        return GeoidConversion::GridUnwritable;
    qint64 k = 1;
    while (reader.readLine(line))
        convertLine(line, k, grid);
    if (reader.hasError())
        return GeoidConversion::SourceUnreadable;
    return grid.commit() ? GeoidConversion::Done : GeoidConversion::GridUnwritable;
}

GeoidModel::GeoidModel(QString ascPath, QString tmpPath)
{
    setPaths(std::move(ascPath), std::move(tmpPath));
}

GeoidModel GeoidModel::fromProgramFolder(const QString& programFolder)
{
    const QDir dir(programFolder);
    const QString asc = dir.filePath(QLatin1String(kGeoidAscName));
    const QString tmp = dir.filePath(QLatin1String(kGeoidTmpName));
    if (!QFileInfo::exists(asc) || !QFileInfo::exists(tmp))
        return {};
    return GeoidModel(asc, tmp);
}

void GeoidModel::setPaths(QString ascPath, QString tmpPath)
{
    mAscPath = std::move(ascPath);
    mTmpPath = std::move(tmpPath);
}

void GeoidModel::clear()
{
    mAscPath.clear();
    mTmpPath.clear();
}

std::optional<double> GeoidModel::ジオイドget(double n, double e) const
{
    n = deg(n);
    e = deg(e);
    if (!isAvailable() || !std::isfinite(n) || !std::isfinite(e))
        return std::nullopt;
    const auto line = firstLine(mAscPath);
    const auto h = line ? parseGeoidHeader(*line) : std::nullopt;
    if (!h)
        return std::nullopt;
    const double i = std::floor((n - h->lat0) / h->dlat);
    const double j = std::floor((e - h->lon0) / h->dlon);
    const double cols = h->cols;
    // The east neighbour must lie in the same row and the north one inside
    // the grid; a record number below 1 would read before the file.
    if (i < 0 || j < 0 || j + 1 >= cols || (h->rows > 0 && i + 1 >= h->rows))
        return std::nullopt;
    QFile grid(mTmpPath);
    if (!grid.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A record past the end of the grid file reads as no data. The record
    // numbers are checked against the file as doubles before they are made
    // whole numbers: without a row count in the header nothing else bounds
    // them, and a far position or a huge column count would give numbers no
    // integer holds.
    const double firstRecord = i * cols + j + 1;
    const double lastInFile = grid.size() >= 4 ? double((grid.size() - 4) / kRecordSize + 1) : 0.0;
    if (!(firstRecord + cols + 1 <= lastInFile))
        return std::nullopt;
    const auto k = static_cast<qint64>(firstRecord);
    const qint64 c = static_cast<qint64>(cols);
    const auto sw = readRecord(grid, k);
    const auto se = readRecord(grid, k + 1);
    const auto nw = readRecord(grid, k + c);
    const auto ne = readRecord(grid, k + c + 1);
    if (!sw || !se || !nw || !ne)
        return std::nullopt;
    const double hSW = *sw / 10000.0, hSE = *se / 10000.0;
    const double hNW = *nw / 10000.0, hNE = *ne / 10000.0;
    const double t = (n - (i * h->dlat + h->lat0)) / h->dlat;
    const double u = (e - (j * h->dlon + h->lon0)) / h->dlon;
    return hSW * (1 - u) * (1 - t) + hSE * u * (1 - t) + hNW * (1 - u) * t + hNE * u * t;
}

namespace {

GeoidImportOutcome importFailed(const QString& tmpPath)
{
    // A grid file left from an older model must not be paired with the new
    // text at the next start.
    QFile::remove(tmpPath);
    platform::MsgBox(kMsgGeoidUnreadable.toString());
    return {};
}

}  // namespace

GeoidImportOutcome importGeoidModel(const QString& sourceFile, const QString& programFolder,
                                    const std::function<void()>& conversionStarts)
{
    const QDir dir(programFolder);
    GeoidImportOutcome outcome;
    outcome.ascPath = dir.filePath(QLatin1String(kGeoidAscName));
    outcome.tmpPath = dir.filePath(QLatin1String(kGeoidTmpName));
    if (!platform::copyFile(sourceFile, outcome.ascPath) || !firstLine(outcome.ascPath))
        return importFailed(outcome.tmpPath);
    platform::MsgBox(kMsgGeoidLoading.toString(), platform::MsgButtons::OkOnly,
                     platform::MsgIcon::Information);
    if (conversionStarts)
        conversionStarts();
    if (convertGeoidModel(outcome.ascPath, outcome.tmpPath) != GeoidConversion::Done)
        return importFailed(outcome.tmpPath);
    outcome.imported = true;
    return outcome;
}

}  // namespace orbela
