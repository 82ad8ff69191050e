// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/display_settings.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/items.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

const QString kLineWidthFile = QStringLiteral("LINEWID.JKN");
const QString kColorSelectFile = QStringLiteral("COLSELECT.JKN");
const QString kBackgroundFile = QStringLiteral("HAIKEI.JKN");

// Colours the writers put out (indexes 0..14; the tables go to 16).
constexpr int kWrittenColors = 15;
// More values than this in COLSELECT.JKN mean four flags per colour.
constexpr int kThreeFlagFormLimit = 50;
// HAIKEI.JKN: 8 brightness levels, 3 raster paths, 2 slot codes.
constexpr int kBrightLines = 8;
constexpr int kRasterCount = 3;
constexpr int kBackgroundValues = 13;
constexpr int kTopBrightness = 5;
// Characters of a stored raster path kept when it is moved to the site's root.
constexpr int kRelocatedLength = 50;

using ByteTable = FixedTable<std::uint8_t, 0, kColorTableTop>;

// Every value of a small settings file (separated by commas or line ends).
struct Values {
    ReadOutcome outcome = ReadOutcome::Missing;
    QStringList values;
};

// The values of folder's file name: Missing when there is no such file;
// StopProgram, after a message naming it, when the file is there but cannot
// be opened or read whole (the save would write the defaults over it).
Values readValues(const QString& folder, const QString& name)
{
    const QString path = sitetext::siteFile(folder, name);
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return {sitetext::notOpened(path, name), {}};
    platform::ItemReader items(in.lines());
    Values read{ReadOutcome::Ok, {}};
    while (const std::optional<QString> item = items.readItem())
        read.values.append(*item);
    read.outcome = sitetext::readingEnd(in, name);
    return read;
}

// A value as a byte; shows the refusal message and gives nullopt when it
// cannot be one.
std::optional<std::uint8_t> byteValue(const QString& fileName, const QString& value)
{
    const std::optional<std::uint8_t> b = platform::toByteChecked(platform::Val(value));
    if (!b)
        showSiteMessage(outOfRangeMessage(fileName, value));
    return b;
}

void setDefaultLineWidths()
{
    for (int c = 0; c < kWrittenColors; ++c)
        LineWidthOf[c] = 2;
    LineWidthOf[8] = 1;
}

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

// The existing file path names, its name matched without regard to case;
// empty when there is none.
QString existingFile(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (platform::fileExists(path))
        return path;
    const QString found = sitetext::siteFilePath(path);
    return platform::fileExists(found) ? found : QString();
}

void loadRasters(BackgroundWindow* window)
{
    for (int n = 1; n <= kRasterCount; ++n) {
        QString& def = HaikeiDef[n - 1];
        if (def.isEmpty())
            continue;
        QString found = existingFile(def);
        if (found.isEmpty())
            found = existingFile(relocatedRasterPath(def, SiteFolder));
        if (found.isEmpty()) {
            def.clear();  // the definition is gone: forget it
            continue;
        }
        def = found;
        if (window)
            window->loadUserRaster(n, found);
    }
}

WriteResult writeLines(const QString& fileName, const QStringList& lines)
{
    const QString path = sitetext::siteFile(SiteFolder, fileName);
    platform::TextFileWriter out(path);
    for (const QString& line : lines)
        out.writeLine(line);
    return sitetext::commitFile(out, path);
}

// A raster path as one value: quoted when a comma, a leading quote or blanks
// at its ends would otherwise change it on reading. A path that holds a
// quote as well cannot be quoted: its commas become "_" (the reader would
// cut it anyway). Line breaks become blanks.
QString pathValue(const QString& path)
{
    const bool plainSafe = !path.contains(u',') && !path.startsWith(u'"') && !path.startsWith(u' ')
                           && !path.endsWith(u' ');
    sitetext::Row value;
    if (plainSafe || path.contains(u'"')) {
        sitetext::appendField(value, path);
    } else {
        value << u'"';
        sitetext::appendLineText(value, path);
        value << u'"';
    }
    return value.toString();
}

}  // namespace

ReadOutcome LoadLineWidths()
{
    const Values read = readValues(SiteFolder, kLineWidthFile);
    if (read.outcome != ReadOutcome::Ok) {
        setDefaultLineWidths();
        return read.outcome;
    }
    const QStringList* values = &read.values;
    for (int c = 0; c < values->size() && ByteTable::contains(c); ++c) {
        const std::optional<std::uint8_t> width = byteValue(kLineWidthFile, values->at(c));
        if (!width)
            break;
        LineWidthOf[c] = *width;
    }
    return ReadOutcome::Ok;
}

ReadOutcome LoadColorSelect()
{
    const Values read = readValues(SiteFolder, kColorSelectFile);
    if (read.outcome != ReadOutcome::Ok)
        return read.outcome;
    const QStringList* values = &read.values;
    const std::array<ByteTable*, 4> tables{&PointColorShown, &LineColorShown, &TxtColorShown,
                                           &TegakiColorShown};
    const int perColor = values->size() > kThreeFlagFormLimit ? 4 : 3;
    qsizetype next = 0;
    for (int c = 0; ByteTable::contains(c); ++c) {
        for (int kind = 0; kind < perColor; ++kind) {
            if (next >= values->size())
                return ReadOutcome::Ok;
            const std::optional<std::uint8_t> flag = byteValue(kColorSelectFile, values->at(next++));
            if (!flag)
                return ReadOutcome::Ok;
            (*tables[static_cast<std::size_t>(kind)])[c] = *flag;
        }
    }
    return ReadOutcome::Ok;
}

ReadOutcome LoadBackgroundSettings(BackgroundWindow* window)
{
    const Values read = readValues(SiteFolder, kBackgroundFile);
    if (read.outcome != ReadOutcome::Ok) {
        HaikeiAutoLoad = 0;
        return read.outcome;
    }
    const QStringList* values = &read.values;
    std::array<std::optional<std::uint8_t>, 2> codes;
    const int count = std::min<int>(static_cast<int>(values->size()), kBackgroundValues);
    for (int i = 0; i < count; ++i) {
        const QString& value = values->at(i);
        if (i < kBrightLines) {
            const double level = platform::roundHalfEven(platform::Val(value));
            HaikeiBright[i + 1] = level >= 0 && level <= kTopBrightness ? static_cast<std::uint8_t>(level) : 0;
        } else if (i < kBrightLines + kRasterCount) {
            HaikeiDef[i - kBrightLines] = value;
        } else {
            std::optional<std::uint8_t> code = platform::toByteChecked(platform::Val(value));
            if (!code || *code > kHaikeiLayerTop) {
                showSiteMessage(outOfRangeMessage(kBackgroundFile, value));
                break;
            }
            codes[static_cast<std::size_t>(i - kBrightLines - kRasterCount)] = code;
        }
    }
    HaikeiAutoLoad = 1;
    loadRasters(window);
    if (codes[0])
        Haikei1Code = *codes[0];
    if (codes[1])
        Haikei2Code = *codes[1];
    if (window)
        window->unload();
    HaikeiAutoLoad = 0;
    return ReadOutcome::Ok;
}

QString relocatedRasterPath(const QString& stored, const QString& siteFolder)
{
    const qsizetype first = std::find_if(stored.cbegin(), stored.cend(), isSeparator) - stored.cbegin();
    if (first >= stored.size())
        return {};
    const QString rest = platform::Trim(QStringView(stored).sliced(first + 1).left(kRelocatedLength));
    const bool network = siteFolder.size() >= 2 && isSeparator(siteFolder[0]) && isSeparator(siteFolder[1]);
    const qsizetype from = network ? 2 : 0;
    const auto rootEnd = std::find_if(siteFolder.cbegin() + from, siteFolder.cend(), isSeparator);
    if (rootEnd == siteFolder.cend())
        return {};
    const QString root = siteFolder.left(rootEnd - siteFolder.cbegin() + 1);
    QString candidate = root + rest;
    if (root.contains(u'/'))
        candidate.replace(u'\\', u'/');
    return candidate;
}

WriteResult SaveLineWidths()
{
    QStringList lines;
    for (int c = 0; c < kWrittenColors; ++c)
        lines.append(QString::number(LineWidthOf[c]));
    return writeLines(kLineWidthFile, lines);
}

WriteResult SaveColorSelect()
{
    QStringList lines;
    for (int c = 0; c < kWrittenColors; ++c) {
        for (const ByteTable* table : {&PointColorShown, &LineColorShown, &TxtColorShown, &TegakiColorShown})
            lines.append(QString::number((*table)[c]));
    }
    return writeLines(kColorSelectFile, lines);
}

WriteResult SaveBackgroundSettings()
{
    QStringList lines;
    for (int layer = 1; layer <= kBrightLines; ++layer)
        lines.append(QString::number(HaikeiBright[layer]));
    for (int n = 0; n < kRasterCount; ++n)
        lines.append(pathValue(HaikeiDef[n]));
    lines.append(u' ' + QString::number(Haikei1Code) + u' ');
    lines.append(u' ' + QString::number(Haikei2Code) + u' ');
    return writeLines(kBackgroundFile, lines);
}

}  // namespace tavelcor
