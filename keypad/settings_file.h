// SPDX-License-Identifier: LicenseRef-Tavelcor
// KINTAB.JKN, the keypad's settings file in the program folder: CP932 text,
// one value per line, CR LF line ends.
//
//   line 1..3  letters of the keys 21, 22, 23 ("X", "P", "R")
//   line 4     the upper-case flag, 0 or 1
//   line 5     size factor of the keypad, 0.5 to 1.5
//   line 6     top edge of the keypad window, twips
//   line 7     left edge of the keypad window, twips
//   line 8     compact mode on close ("Icon化する"), 0 or 1
//
// Numbers are written in their shortest decimal form (single precision) with
// a blank before a number that is not negative and a blank after it
// (" 1.2 ", "-120 "); letters as the bare character. A line is read as its
// first item (up to a comma or the line end, blanks around it dropped) and
// numbers by their leading numeric value.
//
// QtCore only.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace kintab {

inline constexpr float kMinSizeFactor = 0.5F;
inline constexpr float kMaxSizeFactor = 1.5F;

// The file name in the program folder.
QString keypadSettingsPath();

// The values read from the file. A value is empty where its line is missing
// or does not hold a usable value; the reader of the keypad then keeps what
// it had.
struct KeypadFileValues {
    std::array<QString, 3> letters;             // lines 1-3 as read; any text
    std::optional<std::uint8_t> upperCaseFlag;  // line 4: 0 to 255
    std::optional<float> sizeFactor;            // line 5: only 0.5 to 1.5
    double top = -1;                            // line 6; -1 when missing
    double left = -1;                           // line 7; -1 when missing
    std::optional<std::uint8_t> iconMode;       // line 8: 0 to 255
};

// The values of the file's lines (a file with fewer lines gives empty values
// for the rest; lines after the eighth are not looked at).
KeypadFileValues parseKeypadFile(const QStringList& lines);

// The values of the file at path; nullopt when there is no such file or it
// cannot be read.
std::optional<KeypadFileValues> readKeypadFile(const QString& path);

// What is written.
struct KeypadFileContents {
    std::array<QString, 3> letters{QStringLiteral("X"), QStringLiteral("P"), QStringLiteral("R")};
    std::uint8_t upperCaseFlag = 1;
    float sizeFactor = 1.0F;
    float top = 0.0F;   // twips
    float left = 0.0F;  // twips
    std::uint8_t iconMode = 1;
};

// The eight lines of the file, without line ends.
QStringList keypadFileLines(const KeypadFileContents& contents);

// Writes the file atomically (a failure leaves an existing file as it was).
// Empty on success, else what went wrong.
QString writeKeypadFile(const QString& path, const KeypadFileContents& contents);

// The letter a text gives a letter key: its first character when that is an
// upper-case letter A to Z, else nullopt.
std::optional<QChar> acceptedLetter(const QString& text);

}  // namespace kintab
