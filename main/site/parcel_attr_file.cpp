// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/parcel_attr_file.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QFileInfo>
#include <QHash>
#include <QList>

#include <algorithm>

namespace tavelcor {
namespace {

const QString kParcelAttrFileName = QStringLiteral("画地属性.txt");

// The columns the save command always writes: the name and columns 2 to 7.
constexpr int kWrittenColumns = 7;

// The name an attribute line gives for a parcel: its stored name without "V1".
QString attrName(const QString& parcelName)
{
    QString key = parcelName;
    key.remove(QStringLiteral("V1"));
    return key;
}

// Parcels by attrName, for matching attribute lines in one look-up each.
QHash<QString, QList<int>> parcelsByAttrName()
{
    QHash<QString, QList<int>> parcels;
    parcels.reserve(KakuchiCount);
    for (int p = 1; p <= KakuchiCount; ++p)
        parcels[attrName(KakuchiName[p])].append(p);
    return parcels;
}

void applyAttributeLine(QStringView line, const QHash<QString, QList<int>>& parcels)
{
    const auto fields = sitetext::splitFields<kKakuchiAttrTop>(line);
    if (fields.count == 0)
        return;
    const QString name = platform::Trim(fields[0]);
    const auto match = parcels.constFind(name);
    if (match == parcels.constEnd())
        return;
    const int columns = std::min(fields.count, kKakuchiAttrTop);
    for (const int p : *match) {
        setKakuchiAttr(p, 1, name);
        for (int c = 2; c <= columns; ++c)
            setKakuchiAttr(p, c, fields[static_cast<std::size_t>(c - 1)].toString());
    }
}

// The last column to write: 7, or the highest column beyond it that holds
// text in some parcel. 0 when no parcel has an attribute row.
int lastWrittenColumn()
{
    bool anyRow = false;
    int last = kWrittenColumns;
    for (int p = 1; p <= KakuchiCount; ++p) {
        if (KakuchiAttr(p, 1).isEmpty())
            continue;
        anyRow = true;
        for (int c = kKakuchiAttrTop; c > last; --c) {
            if (!KakuchiAttr(p, c).isEmpty()) {
                last = c;
                break;
            }
        }
    }
    return anyRow ? last : 0;
}

}  // namespace

ReadOutcome readParcelAttributes(const QString& folder)
{
    const QString path = sitetext::siteFile(folder, kParcelAttrFileName);
    const QString fileName = QFileInfo(path).fileName();
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return sitetext::notOpened(path, fileName);
    const QHash<QString, QList<int>> parcels = parcelsByAttrName();
    QString line;
    while (in.readLine(line))
        applyAttributeLine(line, parcels);
    return sitetext::readingEnd(in, fileName);
}

WriteResult writeParcelAttributes(const QString& folder)
{
    const QString path = sitetext::siteFile(folder, kParcelAttrFileName);
    if (platform::fileExists(path))
        return {WriteOutcome::Skipped, path, {}};
    const int last = lastWrittenColumn();
    if (last == 0)
        return {WriteOutcome::Skipped, path, {}};
    platform::TextFileWriter out(path);
    sitetext::Row row;
    for (int p = 1; p <= KakuchiCount; ++p) {
        row.clear();
        sitetext::appendField(row, attrName(KakuchiName[p]));
        for (int c = 2; c <= last; ++c) {
            row << u',';
            sitetext::appendField(row, KakuchiAttr(p, c));
        }
        out.writeLine(row.view());
    }
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor
