// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/track_files.h"

#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orbela {

namespace {

constexpr int kRingSize = 10;

QString shortDouble(double value) { return platform::Str(value); }
QString shortSingle(float value) { return platform::StrSingle(value); }

QString noBlanks(QString line) { return line.remove(QLatin1Char(' ')); }

void appendPointRecords(QStringList& lines, const Track& track)
{
    for (int i = 1; i <= track.TrackCount(); ++i)
        lines << noBlanks(QStringLiteral("A01,") + QString::number(i) + QLatin1Char(',')
                          + track.TrackTime(i) + QLatin1Char(',') + shortDouble(track.TrackX(i))
                          + QLatin1Char(',') + shortDouble(track.TrackY(i)) + QLatin1Char(',')
                          + shortSingle(track.TrackH(i)) + QLatin1Char(','));
}

void appendRoute(QStringList& lines, const Track& track)
{
    lines << QStringLiteral("D00,1,ルート,2,");
    for (int i = 1; i <= track.TrackCount(); ++i)
        lines << noBlanks(QStringLiteral("B01,") + QString::number(i) + QLatin1Char(',')
                          + track.TrackTime(i));
    lines << QStringLiteral("D99,") << QStringLiteral("Z00,,");
}

bool writeLines(const QString& path, const QStringList& lines)
{
    if (path.isEmpty())
        return false;
    platform::TextFileWriter writer(path);
    if (!writer.isOpen())
        return false;
    for (const QString& line : lines)
        writer.writeLine(line);
    return writer.commit();
}

}  // namespace

QStringList trackSimaLines(const Track& track)
{
    QStringList lines{QStringLiteral("Z00,,"), QStringLiteral("G00,01,"), QStringLiteral("A00,")};
    appendPointRecords(lines, track);
    lines << QStringLiteral("A99,") << QStringLiteral("Z00,,");
    if (track.TrackCount() > 1)
        appendRoute(lines, track);
    return lines;
}

QStringList trackSaveLines(const Track& track, SaveType type)
{
    if (type == SaveType::Sima)
        return trackSimaLines(track);
    QStringList lines;
    for (int i = 1; i <= track.TrackCount(); ++i) {
        const QString x = platform::CStr(track.TrackX(i));
        const QString y = platform::CStr(track.TrackY(i));
        if (type == SaveType::Type1)
            lines << noBlanks(QString::number(i) + QLatin1Char(',') + x + QLatin1Char(',') + y
                              + QStringLiteral(",,20"));
        else
            lines << noBlanks(x + QLatin1Char(',') + y + QLatin1Char(',') + track.TrackTime(i));
    }
    return lines;
}

QString trackFilePath(const QString& folder, int n)
{
    return QDir(folder).filePath(QStringLiteral("ORBELATMP%1.SIM").arg(n));
}

int nextTrackFileNumber(const QString& folder)
{
    for (int n = 1; n <= kRingSize; ++n)
        if (!QFileInfo::exists(trackFilePath(folder, n)))
            return n;
    return 1;
}

QString WriteTrackFile(const QString& folder, const Track& track)
{
    const int n = nextTrackFileNumber(folder);
    QFile::remove(trackFilePath(folder, n + 1));
    const QString path = trackFilePath(folder, n);
    return writeLines(path, trackSimaLines(track)) ? path : QString();
}

bool saveTrack(const QString& path, const Track& track, SaveType type)
{
    return writeLines(path, trackSaveLines(track, type));
}

QStringList PointFile::lines(std::int32_t n, SaveType type, const QString& sx, const QString& sy,
                             const QString& sh, const QString& time)
{
    const QString number = QString::number(n);
    const QChar c = QLatin1Char(',');
    switch (type) {
    case SaveType::Type1:
        return {noBlanks(QLatin1Char('G') + number + c + sx + c + sy + QStringLiteral(",0,20"))};
    case SaveType::Type2:
        return {noBlanks(sx + c + sy + c + time)};
    case SaveType::Sima:
        break;
    }
    return {QStringLiteral("Z00,,"), QStringLiteral("G00,01,"), QStringLiteral("A00,"),
            noBlanks(QStringLiteral("A01,") + number + c + time + c + sx + c + sy + c + sh + c),
            QStringLiteral("A99,"), QStringLiteral("Z00,,")};
}

bool PointFile::SAVEONE(const QString& path, SaveType type, const QString& sx, const QString& sy,
                        const QString& sh, const QString& time)
{
    if (!writeLines(path, lines(mCount + 1, type, sx, sy, sh, time)))
        return false;
    ++mCount;
    return true;
}

}  // namespace orbela
