// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/parcel_attr_file.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/cp932.h"
#include "platform/text/strings.h"
#include "platform/text/text_block.h"
#include "platform/text/textfile.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <vector>

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

// Parcels by attrName, for matching attribute lines in one look-up each:
// the first parcel of each name, and for every parcel the next one of the
// same name (0 after the last), in parcel order. No list per name: a site
// has tens of thousands of parcels, nearly every name its own.
struct ParcelsByName {
    QHash<QString, int> first;
    std::vector<int> next;
};

ParcelsByName parcelsByAttrName()
{
    ParcelsByName parcels;
    parcels.first.reserve(KakuchiCount);
    parcels.next.assign(std::size_t(std::max<int>(KakuchiCount, 0)) + 1, 0);
    std::vector<int> last;  // the last parcel so far of the name at first's parcel
    last.assign(parcels.next.size(), 0);
    for (int p = 1; p <= KakuchiCount; ++p) {
        int& head = parcels.first[attrName(KakuchiName[p])];  // 0 for a name not seen yet
        if (head == 0)
            head = p;
        else
            parcels.next[std::size_t(last[std::size_t(head)])] = p;
        last[std::size_t(head)] = p;
    }
    return parcels;
}

// One line of CP932 bytes: the texts it gives are made in texts.
void applyAttributeLine(QByteArrayView line, const ParcelsByName& parcels, platform::TextBlockMaker& texts)
{
    const auto fields = sitetext::splitFields<kKakuchiAttrTop>(line);
    if (fields.count == 0)
        return;
    const QString name = texts.fromCp932(sitetext::trimmed(fields[0]));
    const auto match = parcels.first.constFind(name);
    if (match == parcels.first.constEnd())
        return;
    const int columns = std::min(fields.count, kKakuchiAttrTop);
    for (int p = match.value(); p != 0; p = parcels.next[std::size_t(p)]) {
        setKakuchiAttr(p, 1, name);
        reserveKakuchiAttr(p, columns);
        for (int c = 2; c <= columns; ++c)
            setKakuchiAttr(p, c, texts.fromCp932(fields[static_cast<std::size_t>(c - 1)]));
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
    const ParcelsByName parcels = parcelsByAttrName();
    platform::TextBlockMaker texts;
    QByteArrayView line;
    while (in.lines().readLineView(line))
        applyAttributeLine(line, parcels, texts);
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
    sitetext::LineBlock lines(out);
    for (int p = 1; p <= KakuchiCount; ++p) {
        lines.appendField(attrName(KakuchiName[p]));
        for (int c = 2; c <= last; ++c) {
            lines << ',';
            lines.appendField(KakuchiAttr(p, c));
        }
        lines.endLine();
    }
    lines.flush();
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor
