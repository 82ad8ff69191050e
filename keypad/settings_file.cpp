// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/settings_file.h"

#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/text/items.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

namespace kintab {

namespace {

constexpr int kLineCount = 8;

// The first item of line number (1-based); nullopt when the file has no such
// line.
std::optional<QString> itemOfLine(const QStringList& lines, int number)
{
    if (number > lines.size())
        return std::nullopt;
    const QStringList items = platform::splitInputItems(lines.at(number - 1));
    return items.isEmpty() ? QString() : items.front();
}

std::optional<std::uint8_t> byteOfLine(const QStringList& lines, int number)
{
    const std::optional<QString> item = itemOfLine(lines, number);
    if (!item)
        return std::nullopt;
    return platform::toByteChecked(platform::Val(*item));
}

// A stored position; -1 (never taken) when the line is missing.
double positionOfLine(const QStringList& lines, int number)
{
    const std::optional<QString> item = itemOfLine(lines, number);
    return item ? platform::Val(*item) : -1.0;
}

// The factor of line 5. A factor outside 0.5 to 1.5 would size the keypad
// beyond what its dialog can show or set, so it is ignored.
std::optional<float> factorOfLine(const QStringList& lines)
{
    const std::optional<QString> item = itemOfLine(lines, 5);
    if (!item)
        return std::nullopt;
    const auto factor = static_cast<float>(platform::Val(*item));
    if (!(factor >= kMinSizeFactor && factor <= kMaxSizeFactor))
        return std::nullopt;
    return factor;
}

// A number as the settings file holds it: the signed form and one blank after.
QString numberItem(float value)
{
    return platform::StrSingle(value) + QLatin1Char(' ');
}

}  // namespace

QString keypadSettingsPath()
{
    return platform::programFolder() + QStringLiteral("/KINTAB.JKN");
}

KeypadFileValues parseKeypadFile(const QStringList& lines)
{
    KeypadFileValues values;
    for (int n = 1; n <= 3; ++n)
        values.letters.at(n - 1) = itemOfLine(lines, n).value_or(QString());
    values.upperCaseFlag = byteOfLine(lines, 4);
    values.sizeFactor = factorOfLine(lines);
    values.top = positionOfLine(lines, 6);
    values.left = positionOfLine(lines, 7);
    values.iconMode = byteOfLine(lines, 8);
    return values;
}

std::optional<KeypadFileValues> readKeypadFile(const QString& path)
{
    if (!platform::fileExists(path))
        return std::nullopt;
    const std::optional<QStringList> lines = platform::readTextLines(path);
    if (!lines)
        return std::nullopt;
    return parseKeypadFile(lines->mid(0, kLineCount));
}

QStringList keypadFileLines(const KeypadFileContents& contents)
{
    QStringList lines;
    for (const QString& letter : contents.letters)
        lines << letter;
    lines << numberItem(contents.upperCaseFlag) << numberItem(contents.sizeFactor)
          << numberItem(contents.top) << numberItem(contents.left)
          << numberItem(contents.iconMode);
    return lines;
}

QString writeKeypadFile(const QString& path, const KeypadFileContents& contents)
{
    platform::TextFileWriter writer(path);
    if (writer.isOpen()) {
        for (const QString& line : keypadFileLines(contents))
            writer.writeLine(line);
        if (writer.commit())
            return {};
    }
    const QString error = writer.errorString();
    return error.isEmpty() ? QStringLiteral("cannot write ") + path : error;
}

std::optional<QChar> acceptedLetter(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.front();
    if (first.unicode() > 64 && first.unicode() < 91)
        return first;
    return std::nullopt;
}

}  // namespace kintab
