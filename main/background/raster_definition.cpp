// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/raster_definition.h"

#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/text/fields.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <QBuffer>
#include <QFileInfo>

#include <array>
#include <cmath>

namespace tavelcor {

namespace {

constexpr int kFieldCount = 5;
constexpr int kNetworkDrive = 3;
// Folders of this many files or more are used in place even on a network
// drive: copying them would take too long.
constexpr int kCopyFileLimit = 100;

// One line, or the fault that makes it unreadable.
RasterDefinitionFault parseLine(QStringView line, RasterDefinitionRow& row)
{
    const QList<QStringView> fields = platform::splitCommaViews(line);
    if (fields.size() < kFieldCount)
        return RasterDefinitionFault::TooFewFields;
    std::array<double, 4> values{};
    for (std::size_t k = 0; k < values.size(); ++k) {
        const auto value = platform::toNumberChecked(fields[static_cast<qsizetype>(k) + 1]);
        if (!value || !std::isfinite(*value))
            return RasterDefinitionFault::NotANumber;
        values[k] = *value;
    }
    row.file = fields[0].toString();
    if (!platform::isBareFileName(row.file))
        return RasterDefinitionFault::NotABareName;
    row.xMin = values[0];
    row.yMin = values[1];
    row.xMax = values[2];
    row.yMax = values[3];
    return RasterDefinitionFault::None;
}

RasterDefinitionParse parseLines(platform::LineReader& reader)
{
    RasterDefinitionParse parse;
    QString line;
    while (reader.readLine(line)) {
        const int number = static_cast<int>(parse.rows.size()) + 1;
        if (number > kRasterDefinitionMaxLines) {
            parse.fault = RasterDefinitionFault::TooManyLines;
            parse.faultLine = number;
            return parse;
        }
        RasterDefinitionRow row;
        const RasterDefinitionFault fault = parseLine(line, row);
        if (fault != RasterDefinitionFault::None) {
            parse.fault = fault;
            parse.faultLine = number;
            return parse;
        }
        parse.rows.push_back(std::move(row));
    }
    if (reader.hasError()) {
        parse.fault = RasterDefinitionFault::CannotRead;
        parse.faultLine = static_cast<int>(parse.rows.size()) + 1;
    }
    return parse;
}

void emptyRow(int slot, int row)
{
    if (row <= kHaikeiRowTop)
        HaikeiFile(slot, row).clear();
}

// The local copy of a network image, made once; nullopt when it cannot be.
std::optional<QString> localCopy(const QString& folder, const QString& name, const QString& copyFolder)
{
    const QString local = copyFolder + u'/' + name;
    if (!platform::ensureFolder(copyFolder))
        return std::nullopt;
    if (!platform::fileExists(local) && !platform::copyFile(folder + u'/' + name, local))
        return std::nullopt;
    return local;
}

// Puts the rows into the slot in order; stops with CannotCopy at the first
// image whose local copy cannot be made.
RasterDefinitionFault fillSlot(int slot, const std::vector<RasterDefinitionRow>& rows, const QString& folder,
                               bool useCopies, const QString& copyFolder, int& filled)
{
    for (filled = 0; filled < static_cast<int>(rows.size()); ++filled) {
        const RasterDefinitionRow& row = rows[static_cast<std::size_t>(filled)];
        emptyRow(slot, filled + 1);
        QString file = folder + u'/' + row.file;
        if (useCopies) {
            const auto local = localCopy(folder, row.file, copyFolder);
            if (!local)
                return RasterDefinitionFault::CannotCopy;
            file = *local;
        }
        HaikeiFile(slot, filled) = file;
        HaikeiXMin(slot, filled) = row.xMin;
        HaikeiYMin(slot, filled) = row.yMin;
        HaikeiXMax(slot, filled) = row.xMax;
        HaikeiYMax(slot, filled) = row.yMax;
    }
    return RasterDefinitionFault::None;
}

}  // namespace

RasterDefinitionParse parseRasterDefinition(QByteArrayView bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    platform::LineReader reader(&buffer);
    return parseLines(reader);
}

RasterDefinitionFault ReadRasterDefinition(const QString& path, int slot, const RasterFolderEnvironment& environment)
{
    if (slot < 0 || slot > 2 || path.isEmpty())
        return RasterDefinitionFault::CannotRead;
    const QString folder = QFileInfo(path).absolutePath();
    if (!platform::folderExists(folder))
        return RasterDefinitionFault::CannotRead;
    platform::TextFileReader file(path);
    if (!file.isOpen())
        return RasterDefinitionFault::CannotRead;
    const RasterDefinitionParse parse = parseLines(file.lines());
    // The drive is asked about only when there is an image to place.
    bool useCopies = false;
    if (!parse.rows.empty()) {
        const auto driveType = environment.driveType ? environment.driveType(folder) : DriveType(folder);
        if (!driveType) {
            emptyRow(slot, 0);
            return RasterDefinitionFault::CannotRead;
        }
        const auto fileCount = static_cast<int>(platform::listFiles(folder).size());
        useCopies = fileCount < kCopyFileLimit && *driveType == kNetworkDrive;
    }
    const QString copyFolder = environment.copyFolder.isEmpty() ? platform::localRasterFolder() : environment.copyFolder;
    int filled = 0;
    const RasterDefinitionFault copyFault = fillSlot(slot, parse.rows, folder, useCopies, copyFolder, filled);
    const RasterDefinitionFault fault = copyFault != RasterDefinitionFault::None ? copyFault : parse.fault;
    if (fault != RasterDefinitionFault::None)
        emptyRow(slot, filled);
    return fault;
}

}  // namespace tavelcor
