// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/settings_file.h"

#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

namespace orbela {

namespace {

constexpr double kMaxPort = 100;  // exclusive
constexpr double kMaxZone = 20;   // exclusive

// The number of a value when it lies strictly between 0 and `below`, as the
// text its field then gets.
std::optional<QString> numberBelow(const QString& value, double below)
{
    const double n = platform::Val(value);
    if (n > 0 && n < below)
        return platform::CStr(n);
    return std::nullopt;
}

std::optional<SaveType> saveTypeOf(const QString& value)
{
    const std::optional<double> n = platform::toNumberChecked(value);
    if (n == 1.0)
        return SaveType::Sima;
    if (n == 2.0)
        return SaveType::Type1;
    if (n == 3.0)
        return SaveType::Type2;
    return std::nullopt;
}

std::optional<int> checkValueOf(const QString& value)
{
    const std::optional<double> n = platform::toNumberChecked(value);
    if (!n)
        return std::nullopt;
    const std::optional<std::int16_t> whole = platform::toIntegerChecked(*n);
    if (!whole || *whole < 0 || *whole > 2)
        return std::nullopt;
    return *whole;
}

QString saveTypeLine(SaveType type)
{
    switch (type) {
    case SaveType::Type1: return QStringLiteral("2");
    case SaveType::Type2: return QStringLiteral("3");
    case SaveType::Sima: break;
    }
    return QStringLiteral("1");
}

}  // namespace

SettingsRead readSettingsLines(const QStringList& lines)
{
    SettingsRead read;
    const auto line = [&lines](int number) -> std::optional<QString> {
        if (number > lines.size())
            return std::nullopt;
        return lines[number - 1].trimmed();
    };
    if (const auto v = line(1))
        read.port = numberBelow(*v, kMaxPort);
    if (const auto v = line(2))
        read.baud = platform::CStr(platform::Val(*v));
    if (const auto v = line(3))
        read.zone = numberBelow(*v, kMaxZone);
    if (const auto v = line(4))
        read.pointFile = *v;
    if (const auto v = line(5))
        read.continuous = platform::toNumberChecked(*v) == 1.0;
    if (const auto v = line(6))
        read.saveType = saveTypeOf(*v);
    if (const auto v = line(7))
        read.watchdogSeconds = *v;
    if (const auto v = line(8))
        read.threshold = QString(*v).remove(u' ');
    if (const auto v = line(9))
        read.excelLink = checkValueOf(*v);
    return read;
}

namespace {

// A value never carries a line break into the file: it would shift every
// line after it.
QString oneLine(const QString& value)
{
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

}  // namespace

QStringList settingsLines(const WindowSettings& settings)
{
    return {oneLine(settings.port),
            oneLine(settings.baud),
            oneLine(settings.zone),
            oneLine(settings.pointFile),
            settings.once ? QStringLiteral("2") : QStringLiteral("1"),
            saveTypeLine(settings.saveType),
            oneLine(settings.watchdogSeconds),
            oneLine(settings.threshold),
            QLatin1Char(' ') + QString::number(settings.excelLink) + QLatin1Char(' ')};
}

bool writeSettingsFile(const QString& folder, const WindowSettings& settings)
{
    platform::TextFileWriter writer(folder + QLatin1Char('/') + QLatin1String(kSettingsFileName));
    if (!writer.isOpen())
        return false;
    for (const QString& line : settingsLines(settings))
        writer.writeLine(line);
    return writer.commit();
}

std::optional<SettingsRead> readSettingsFile(const QString& folder)
{
    const std::optional<QStringList> lines
        = platform::readTextLines(folder + QLatin1Char('/') + QLatin1String(kSettingsFileName));
    if (!lines)
        return std::nullopt;
    return readSettingsLines(*lines);
}

}  // namespace orbela
