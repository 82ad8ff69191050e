// SPDX-License-Identifier: LicenseRef-Tavelcor
// The line settings of a serial port as one text, the way the GPS program
// gives them: baud rate, parity letter, data bits and stop bits joined by
// commas ("38400,N,8,1").  QtCore only.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace platform {

enum class Parity : std::uint8_t { None, Even, Odd, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

struct LineSettings {
    std::int32_t baudRate = 9600;  // bits per second, 1 .. kMaxBaudRate
    Parity parity = Parity::None;
    int dataBits = 8;              // 5 .. 8
    StopBits stopBits = StopBits::One;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

/// The highest baud rate a settings text may name.
inline constexpr std::int32_t kMaxBaudRate = 4000000;

/// Reads a settings text: four comma-separated parts, blanks around each
/// allowed: the baud rate (decimal digits only, 1 .. kMaxBaudRate), the
/// parity letter (N, E, O, M or S, either case), the data bits (5 to 8) and
/// the stop bits (1, 1.5 or 2).  nullopt for anything else (a missing part,
/// "0" or "38400.5" as the rate, "X" as the parity, 9 data bits ...): the
/// port then keeps its old settings.
std::optional<LineSettings> parseLineSettings(QStringView text);

/// The settings text of `settings`: "38400,N,8,1", "9600,E,7,1.5".
QString lineSettingsText(const LineSettings& settings);

}  // namespace platform
