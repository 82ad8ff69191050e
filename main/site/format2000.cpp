// SPDX-License-Identifier: LicenseRef-Tavelcor
// The format-2000 import: the header, the points of .PNT and .TCP and the
// parcels of .POL, then the later steps (format2000_attr.cpp,
// format2000_lines.cpp) in their order.
#include "main/site/format2000.h"

#include "main/site/format2000_internal.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"
#include "platform/text/width.h"

#include <QFileInfo>

namespace tavelcor {
namespace f2000 {

// ---- shared by the import ----------------------------------------------------------

FileSet::FileSet(const QString& headerPath)
{
    const QFileInfo info(headerPath);
    mFolder = info.path();
    mBaseName = info.fileName().chopped(std::min<qsizetype>(4, info.fileName().size()));
}

QString FileSet::path(QStringView ext) const
{
    const QString found = platform::findFileNoCase(mFolder, fileName(ext));
    return platform::fileExists(found) ? found : QString();
}

QString cleanName(QStringView field)
{
    return platform::toHalfWidth(platform::trimmedView(field));
}

void ZahyoNameIndex::build()
{
    mFirst.clear();
    mFirst.reserve(ZahyoMax);
    mNext.assign(std::size_t(ZahyoMax) + 1, 0);
    // From the top down, so each number links to the next higher one.
    for (int c = ZahyoMax; c >= 1; --c) {
        auto it = mFirst.find(ZahyoName[c]);
        if (it == mFirst.end()) {
            mFirst.insert(ZahyoName[c], c);
        } else {
            mNext[std::size_t(c)] = *it;
            *it = c;
        }
    }
}

int ZahyoNameIndex::first(const QString& name) const
{
    return mFirst.value(name, 0);
}

int ZahyoNameIndex::firstFrom(const QString& name, int start) const
{
    const int lowest = first(name);
    for (int c = lowest; c != 0; c = mNext[std::size_t(c)]) {
        if (c >= start)
            return c;
    }
    return lowest;
}

QString ParcelIndex::key(QStringView name, QStringView district, QStringView subDistrict)
{
    // Lengths first, so that no text can pose as a separator.
    QString k;
    k.reserve(name.size() + district.size() + subDistrict.size() + 24);
    for (const QStringView part : {name, district, subDistrict}) {
        k += QString::number(part.size());
        k += u':';
        k += part;
    }
    return k;
}

void ParcelIndex::build()
{
    mIndex.clear();
    mIndex.reserve(KakuchiCount);
    for (int p = 1; p <= KakuchiCount; ++p) {
        const QString k = key(KakuchiName[p], KakuchiAttr(p, 5), KakuchiAttr(p, 6));
        if (!mIndex.contains(k))
            mIndex.insert(k, p);
    }
}

int ParcelIndex::find(const QString& name, QStringView district, QStringView subDistrict) const
{
    return mIndex.value(key(name, district, subDistrict), 0);
}

bool appendLine(double x1, double y1, double x2, double y2, std::uint8_t color)
{
    if (!LineX1.contains(LineNext) || LineNext < 1)
        return false;
    LineX1[LineNext] = x1;
    LineY1[LineNext] = y1;
    LineX2[LineNext] = x2;
    LineY2[LineNext] = y2;
    LineColor[LineNext] = color;
    ++LineNext;
    return true;
}

ReadOutcome stopWith(const QString& message)
{
    showSiteMessage(message);
    return ReadOutcome::StopProgram;
}

ReadOutcome companionNotOpened(const QString& path, const QString& fileName)
{
    const ReadOutcome r = sitetext::notOpened(path, fileName);
    return r == ReadOutcome::Missing ? ReadOutcome::Ok : r;
}

ReadOutcome cutShort(const platform::TextFileReader& in, const QString& fileName, const QString& lastLine)
{
    return stopWith(in.hasError() ? readErrorMessage(fileName) : truncatedMessage(fileName, lastLine));
}

namespace {

// ---- header and points ---------------------------------------------------------

// Sets ZoneNo from field 3 of the header's first line. Missing when the
// header cannot be opened.
ReadOutcome readHeader(const QString& path, const QString& fileName)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return ReadOutcome::Missing;
    QString line;
    (void)in.readLine(line);  // an empty header is a line without fields
    if (in.hasError())
        return stopWith(readErrorMessage(fileName));
    const auto f = sitetext::splitFields<3>(line);
    if (f.count < 3)
        return stopWith(missingCommaMessage(fileName, line));
    const auto zone = platform::toByteChecked(platform::Val(f[2]));
    if (!zone)
        return stopWith(outOfRangeMessage(fileName, line));
    ZoneNo = *zone;
    return ReadOutcome::Ok;
}

// Appends the points of one .PNT or .TCP file after ZahyoMax.
ReadOutcome readPoints(const QString& path, const QString& fileName, const QString& falseMessage)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return companionNotOpened(path, fileName);
    QString line;
    while (in.readLine(line)) {
        const auto f = sitetext::splitFields<3>(line);
        if (f.count < 7)
            return stopWith(falseMessage);
        if (ZahyoMax >= kZahyoTop)
            return stopWith(tableFullMessage(fileName, line, kZahyoTop));
        const int c = ++ZahyoMax;
        ZahyoName[c] = cleanName(f[0]);
        ZahyoX[c] = platform::Val(f[1]);
        ZahyoY[c] = platform::Val(f[2]);
    }
    return sitetext::readingEnd(in, fileName);
}

// ---- parcels ------------------------------------------------------------------

// The colour index of a boundary from a vertex of line kind `kind` (above 1).
std::uint8_t boundaryColor(int kind)
{
    switch (kind) {
    case 2: return 10;
    case 3: return 11;
    case 4: return 13;
    case 5: return 14;
    case 6: return 7;
    default: return 0;  // kind 7 and above: a line of colour index 0
    }
}

// What the vertices of one parcel leave behind while they are read.
struct VertexWalk {
    double prevX = 0, prevY = 0, curX = 0, curY = 0, firstX = 0, firstY = 0;
    int prevKind = 0;
};

class PolReader {
public:
    PolReader(const FileSet& files, const ZahyoNameIndex& names)
        : mFileName(files.fileName(u".POL")), mNames(names)
    {
    }

    ReadOutcome read(const QString& path);

private:
    ReadOutcome readParcel(platform::TextFileReader& in, const QString& header, qsizetype fieldCount);
    ReadOutcome storeHeader(const QString& header, int vertexCount);
    ReadOutcome readVertex(const QString& line, int v, VertexWalk& walk);
    ReadOutcome addBoundary(const QString& line, const VertexWalk& walk, bool closing);

    QString mFileName;
    const ZahyoNameIndex& mNames;
    int mSlot = 1;         // the next vertex slot
    int mSearchStart = 1;  // where the name search resumes
};

ReadOutcome PolReader::read(const QString& path)
{
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return companionNotOpened(path, mFileName);
    QString line;
    while (in.readLine(line)) {
        const auto f = sitetext::splitFields<1>(line);
        if (f.count <= 3)
            continue;  // not a parcel header; a surplus vertex line lands here too
        const ReadOutcome r = readParcel(in, line, f.count);
        if (r != ReadOutcome::Ok)
            return r;
    }
    return sitetext::readingEnd(in, mFileName);
}

ReadOutcome PolReader::readParcel(platform::TextFileReader& in, const QString& header,
                                  qsizetype fieldCount)
{
    if (fieldCount < 6)
        return stopWith(missingCommaMessage(mFileName, header));
    const auto f = sitetext::splitFields<6>(header);
    const auto count = platform::toNumberChecked(f[5]);
    if (!count)
        return stopWith(notNumberMessage(mFileName, header));
    const auto n = platform::toLongChecked(*count);
    if (!n || *n < 2)
        return stopWith(outOfRangeMessage(mFileName, header));
    if (const ReadOutcome r = storeHeader(header, *n); r != ReadOutcome::Ok)
        return r;
    VertexWalk walk;
    QString line = header;  // the last line read
    QString next;
    for (int v = 1; v <= *n - 1; ++v) {
        if (!in.readLine(next))
            return cutShort(in, mFileName, line);
        line.swap(next);
        if (const ReadOutcome r = readVertex(line, v, walk); r != ReadOutcome::Ok)
            return r;
    }
    return addBoundary(line, walk, true);
}

ReadOutcome PolReader::storeHeader(const QString& header, int vertexCount)
{
    if (KakuchiCount >= kKakuchiCountLimit)
        return stopWith(tableFullMessage(mFileName, header, kKakuchiCountLimit));
    const qint64 last = qint64(mSlot) + vertexCount - 2;
    if (last > kKakuchiVertexTop)
        return stopWith(tableFullMessage(mFileName, header, kKakuchiVertexTop));
    const auto f = sitetext::splitFields<6>(header);
    const int p = ++KakuchiCount;
    KakuchiName[p] = cleanName(f[4]);
    const QString district = platform::Trim(f[2]);
    if (platform::trimmedView(f[3]).isEmpty()) {
        KakuchiInfo[p] = district;
    } else {
        QString info = district + u'字' + f[3].toString();
        info.replace(QStringLiteral("字字"), QStringLiteral("字"));
        KakuchiInfo[p] = info;
    }
    setKakuchiAttr(p, 1, KakuchiName[p]);
    setKakuchiAttr(p, 5, f[2].toString());
    setKakuchiAttr(p, 6, f[3].toString());
    KakuchiFirst[p] = mSlot;
    KakuchiLast[p] = int(last);
    return ReadOutcome::Ok;
}

ReadOutcome PolReader::readVertex(const QString& line, int v, VertexWalk& walk)
{
    const QString polFalse = QStringLiteral("POL Data False");
    const auto f = sitetext::splitFields<2>(line);
    if (f.count != 2)
        return stopWith(polFalse);
    const auto kind = platform::toByteChecked(platform::Val(f[1]));
    if (!kind)
        return stopWith(outOfRangeMessage(mFileName, line));
    const int c = mNames.firstFrom(cleanName(f[0]), std::max(1, mSearchStart - 100));
    if (c == 0)
        return stopWith(polFalse);
    KakuchiVertex[mSlot] = c;
    walk.prevX = walk.curX;
    walk.prevY = walk.curY;
    walk.curX = ZahyoX[c];
    walk.curY = ZahyoY[c];
    if (v == 1) {
        walk.firstX = walk.curX;
        walk.firstY = walk.curY;
    }
    if (const ReadOutcome r = addBoundary(line, walk, false); r != ReadOutcome::Ok)
        return r;
    ZahyoUsed[c] = 1;
    mSearchStart = c;
    walk.prevKind = *kind;
    ++mSlot;
    return ReadOutcome::Ok;
}

// The segment from the previous vertex to the current one, or (closing) from
// the last vertex back to the first, when the kind asks for a line.
ReadOutcome PolReader::addBoundary(const QString& line, const VertexWalk& walk, bool closing)
{
    if (walk.prevKind <= 1)
        return ReadOutcome::Ok;
    const std::uint8_t color = boundaryColor(walk.prevKind);
    const bool added = closing ? appendLine(walk.curX, walk.curY, walk.firstX, walk.firstY, color)
                               : appendLine(walk.prevX, walk.prevY, walk.curX, walk.curY, color);
    return added ? ReadOutcome::Ok : stopWith(tableFullMessage(mFileName, line, kLineTop));
}

// Deletes the site's attribute file beside the header.
void removeOldAttributeFile(const FileSet& files)
{
    const QString path = sitetext::siteFile(files.folder(), QStringLiteral("画地属性.txt"));
    if (platform::fileExists(path))
        platform::removeFile(path);
}

ReadOutcome readPointFiles(const FileSet& files)
{
    ZahyoMax = 0;
    ReadOutcome r = readPoints(files.path(u".PNT"), files.fileName(u".PNT"), QStringLiteral("PNT Data False"));
    if (r != ReadOutcome::Ok)
        return r;
    const QString tcp = files.path(u".TCP");
    if (!tcp.isEmpty())
        r = readPoints(tcp, files.fileName(u".TCP"), QStringLiteral("TCP Data False"));
    return r;
}

// The steps after the points, in their order; stops at the first failure.
ReadOutcome readRest(const FileSet& files, const ParcelAreaFunction& area)
{
    ZahyoNameIndex names;
    names.build();
    KakuchiCount = 0;
    if (const QString pol = files.path(u".POL"); !pol.isEmpty()) {
        PolReader reader(files, names);
        if (const ReadOutcome r = reader.read(pol); r != ReadOutcome::Ok)
            return r;
    }
    ParcelIndex parcels;
    parcels.build();
    if (const ReadOutcome r = readAttributes(files, parcels, area); r != ReadOutcome::Ok)
        return r;
    if (const ReadOutcome r = readPolylines(files, names); r != ReadOutcome::Ok)
        return r;
    return readPersonCounts(files, parcels);
}

}  // namespace
}  // namespace f2000

ReadOutcome ReadFormat2000(QString& path, const ParcelAreaFunction& area)
{
    const f2000::FileSet files(path);
    const ReadOutcome header = f2000::readHeader(path, QFileInfo(path).fileName());
    if (header != ReadOutcome::Ok)
        return header;
    if (files.path(u".PNT").isEmpty()) {
        path.clear();
        return ReadOutcome::Missing;
    }
    if (const ReadOutcome r = f2000::readPointFiles(files); r != ReadOutcome::Ok)
        return r;
    if (const ReadOutcome r = f2000::readRest(files, area); r != ReadOutcome::Ok)
        return r;
    LineImported = LineNext;
    f2000::removeOldAttributeFile(files);
    return ReadOutcome::Ok;
}

void shiftImportedLines(double originX, double originY)
{
    const int last = std::min(LineImported, LineNext - 1);
    for (int i = 1; i <= last && i <= kLineTop; ++i) {
        LineX1[i] -= originX;
        LineY1[i] -= originY;
        LineX2[i] -= originX;
        LineY2[i] -= originY;
    }
}

}  // namespace tavelcor
