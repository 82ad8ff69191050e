// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA.JKN, the settings file of ORBELA's window in the program folder:
// nine lines of CP932 text, each ended by CR LF, one value a line, no
// header.
//
//   line 1  port number (Text2)         read when 0 < n < 100, as its number
//   line 2  baud rate (Text4)           its leading number ("0" when none)
//   line 3  zone (Text5)                read when 0 < n < 20, as its number
//   line 4  point file path (Text3)     as read
//   line 5  reception mode              "2" for "１回", else "1"; on reading
//                                       1 chooses 連続受信, anything else １回
//   line 6  save type                   "1" ＳＩＭＡ, "2" ＴＹＰＥ１, "3" ＴＹＰＥ２;
//                                       another value changes nothing
//   line 7  watchdog seconds (Text1)    as read
//   line 8  receive threshold (Text6)   blanks removed
//   line 9  EXCEL LINK (Check1)         " 1 " / " 0 "; read as a whole number
//
// Every line is read as one value with surrounding blanks ignored, so a path
// holding a comma keeps its place.  The counted modes ２回, １０ and ５０ are
// saved as "1" and come back as 連続受信.  QtCore only.
#pragma once

#include "gps/track_files.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace orbela {

inline constexpr char kSettingsFileName[] = "ORBELA.JKN";

/// The values written to ORBELA.JKN, as the window's controls hold them.
struct WindowSettings {
    QString port = QStringLiteral("1");             // Text2
    QString baud = QStringLiteral("38400");         // Text4
    QString zone = QStringLiteral("6");             // Text5
    QString pointFile;                              // Text3
    bool once = false;                              // Option2 "１回" chosen
    SaveType saveType = SaveType::Sima;             // Frame2
    QString watchdogSeconds = QStringLiteral("10"); // Text1
    QString threshold = QStringLiteral("5");        // Text6
    int excelLink = 0;                              // Check1: 0, 1 (or 2, grayed)
};

/// What reading the lines gave, line by line: a value is present when its
/// line was there and passed its check.  Reading stops at the end of the
/// lines and at a line 9 that is no whole number from 0 to 2 (the check box
/// refuses it); the values before stay.
struct SettingsRead {
    std::optional<QString> port;
    std::optional<QString> baud;
    std::optional<QString> zone;
    std::optional<QString> pointFile;
    std::optional<bool> continuous;  // true: 連続受信 (Option1); false: １回 (Option2)
    std::optional<SaveType> saveType;
    std::optional<QString> watchdogSeconds;
    std::optional<QString> threshold;
    std::optional<int> excelLink;
};

/// Reads the lines of ORBELA.JKN (line ends removed).
SettingsRead readSettingsLines(const QStringList& lines);

/// The nine lines of ORBELA.JKN for `settings`.
QStringList settingsLines(const WindowSettings& settings);

/// Writes ORBELA.JKN into `folder`, replacing the old file atomically.
/// False when it could not be written (the old file then stays).
bool writeSettingsFile(const QString& folder, const WindowSettings& settings);

/// Reads ORBELA.JKN from `folder`; nullopt when there is none (or it cannot
/// be read): every control keeps its design value.
std::optional<SettingsRead> readSettingsFile(const QString& folder);

}  // namespace orbela
