// SPDX-License-Identifier: LicenseRef-Tavelcor
// The format-2000 import, lines: the polylines of .LIN and the map-sheet
// frames of .MAP that start-up offers after the site's own files.
#include "main/site/format2000.h"

#include "main/site/format2000_internal.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"
#include "platform/text/width.h"

#include <QFileInfo>

#include <array>
#include <vector>

namespace tavelcor {
namespace f2000 {
namespace {

// Most points one .LIN polyline may hold.
constexpr int kPolylinePointTop = 1000;
// Colour index of .LIN polylines and of map-sheet frames.
constexpr std::uint8_t kPolylineColor = 5;
constexpr std::uint8_t kFrameColor = 8;

class LinReader {
public:
    LinReader(const FileSet& files, const ZahyoNameIndex& names)
        : mFileName(files.fileName(u".LIN")), mNames(names)
    {
    }

    ReadOutcome read(const QString& path);

private:
    ReadOutcome readPolyline(platform::TextFileReader& in, const QString& header);
    ReadOutcome appendSegments(const QString& lastLine, int count);

    QString mFileName;
    const ZahyoNameIndex& mNames;
    // Coordinate numbers of the polyline's points 1..count; 0 when a name
    // matched no coordinate.
    std::array<int, kPolylinePointTop + 1> mPoints{};
};

ReadOutcome LinReader::read(const QString& path)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return companionNotOpened(path, mFileName);
    QString header;
    while (in.readLine(header)) {
        if (const ReadOutcome r = readPolyline(in, header); r != ReadOutcome::Ok)
            return r;
    }
    return sitetext::readingEnd(in, mFileName);
}

ReadOutcome LinReader::readPolyline(platform::TextFileReader& in, const QString& header)
{
    const auto f = sitetext::splitFields<2>(header);
    if (f.count < 2)
        return stopWith(missingCommaMessage(mFileName, header));
    const auto count = platform::toLongChecked(platform::Val(f[1]));
    if (!count || *count < 0)
        return stopWith(outOfRangeMessage(mFileName, header));
    if (*count > kPolylinePointTop)
        return stopWith(tableFullMessage(mFileName, header, kPolylinePointTop));
    QString line = header;  // the last line read
    QString next;
    for (int k = 1; k <= *count; ++k) {
        if (!in.readLine(next))
            return cutShort(in, mFileName, line);
        line.swap(next);
        const auto name = sitetext::splitFields<1>(line);
        mPoints[std::size_t(k)] = mNames.first(platform::toHalfWidth(name[0]));
    }
    return appendSegments(line, *count);
}

// Segments from point k to k + 1. A point whose name matched no coordinate
// has no position: the segments that would touch it are left out rather
// than drawn to a stale or empty coordinate.
ReadOutcome LinReader::appendSegments(const QString& lastLine, int count)
{
    for (int k = 1; k < count; ++k) {
        const int a = mPoints[std::size_t(k)];
        const int b = mPoints[std::size_t(k + 1)];
        if (a == 0 || b == 0)
            continue;
        if (!appendLine(ZahyoX[a], ZahyoY[a], ZahyoX[b], ZahyoY[b], kPolylineColor))
            return stopWith(tableFullMessage(mFileName, lastLine, kLineTop));
    }
    return ReadOutcome::Ok;
}

// ---- frames ---------------------------------------------------------------------

struct Frame {
    QString name;
    std::array<double, 8> corner{};  // X1, Y1 .. X4, Y4, minus the origin
};

// The frames of the file; nullopt (after the message) when the tables
// cannot take them all or the file cannot be read whole.
std::optional<std::vector<Frame>> readFrames(const QString& path, const QString& fileName)
{
    platform::TextFileReader in(path);
    if (!in.isOpen()) {
        showSiteMessage(cannotOpenMessage(fileName));
        return std::nullopt;
    }
    std::vector<Frame> frames;
    QString line;
    qint64 lineTop = LineNext;
    qint64 pointTop = PointCount;
    while (in.readLine(line)) {
        const auto f = sitetext::splitFields<10>(line);
        if (f.count <= 11)
            continue;
        lineTop += 4;
        pointTop += 1;
        if (lineTop - 1 > kLineTop || pointTop > kPointTop) {
            showSiteMessage(tableFullMessage(fileName, line, lineTop - 1 > kLineTop ? kLineTop : kPointTop));
            return std::nullopt;
        }
        Frame frame;
        frame.name = platform::toHalfWidth(f[0]);
        for (std::size_t i = 0; i < 8; ++i)
            frame.corner[i] = platform::Val(f[2 + i]) - (i % 2 == 0 ? OriginX : OriginY);
        frames.push_back(std::move(frame));
    }
    if (in.hasError()) {
        showSiteMessage(readErrorMessage(fileName));
        return std::nullopt;
    }
    return frames;
}

void storeFrame(const Frame& frame)
{
    const auto& c = frame.corner;
    appendLine(c[0], c[1], c[2], c[3], kFrameColor);
    const int p = ++PointCount;
    PointName[p] = frame.name;
    PointName2[p] = QString();
    PointX[p] = c[2];
    PointY[p] = c[3];
    PointMark[p] = 1;
    appendLine(c[2], c[3], c[4], c[5], kFrameColor);
    appendLine(c[4], c[5], c[6], c[7], kFrameColor);
    appendLine(c[6], c[7], c[0], c[1], kFrameColor);
}

}  // namespace

ReadOutcome readPolylines(const FileSet& files, const ZahyoNameIndex& names)
{
    const QString path = files.path(u".LIN");
    if (path.isEmpty())
        return ReadOutcome::Ok;
    LinReader reader(files, names);
    return reader.read(path);
}

}  // namespace f2000

QString format2000FramePath(const QString& chosenPath)
{
    if (chosenPath.size() < 4)
        return {};
    const QString path = sitetext::siteFilePath(chosenPath.chopped(4) + QStringLiteral(".MAP"));
    return platform::fileExists(path) ? path : QString();
}

ReadOutcome ImportFormat2000Frames(const QString& chosenPath)
{
    const QString path = format2000FramePath(chosenPath);
    if (path.isEmpty())
        return ReadOutcome::Missing;
    if (!askSiteQuestion(QStringLiteral("フォーマット２０００の図郭をラインとポイントに取り込みますか？")))
        return ReadOutcome::Ok;
    const auto frames = f2000::readFrames(path, QFileInfo(path).fileName());
    if (!frames)
        return ReadOutcome::Ok;
    for (const f2000::Frame& frame : *frames)
        f2000::storeFrame(frame);
    return ReadOutcome::Ok;
}

}  // namespace tavelcor
