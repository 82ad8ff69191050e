// SPDX-License-Identifier: LicenseRef-Tavelcor
// The numbers ORBELA's window takes from its serial-port fields: port
// number, receive threshold, watchdog time, the port search's wait, and the
// baud rate steps of the baud field.  Each field is read as its leading
// number (platform::Val).  A value the port or the timer cannot hold is
// refused (nullopt): the caller keeps the old value or reports the failure,
// so nothing overflows.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace orbela {

/// The baud field after a double-click: "1200" -> "4800" -> "9600" ->
/// "19200" -> "38400" -> "57600" -> "115200" -> "1200"; any other text
/// (compared exactly) gives "1200".
QString nextBaudRate(const QString& text);

/// The port number of the port field: its number rounded half to even.
/// nullopt when that is not a 16-bit whole number.
std::optional<int> portNumber(const QString& text);

/// The receive threshold in bytes of the threshold field, which counts
/// hundreds of bytes: its number times 100, rounded half to even ("5" gives
/// 500, "0.5" gives 50).  nullopt outside 0 to 32767.
std::optional<int> receiveThreshold(const QString& text);

/// The watchdog interval in milliseconds of the time-out field (seconds):
/// its number times 1000, rounded half to even.  nullopt outside 0 to 65535
/// (timer intervals end there, so a time-out above 65 s is refused).
std::optional<int> watchdogIntervalMs(const QString& text);

/// The time-out field limited to what the watchdog can hold: nullopt when
/// watchdogIntervalMs() takes the field as it is, else the text of the
/// nearest limit, "65" (seconds) for a longer time-out and "0" for a
/// negative one.
std::optional<QString> limitedWatchdogField(const QString& text);

/// The wait of the port search in milliseconds, used twice per port: the
/// time-out field's number times 200.
double searchWaitMs(const QString& text);

/// Milliseconds from `start` to `now`, two readings of a 32-bit millisecond
/// counter, taken modulo 2^32: a wrap of the counter between them does not
/// change the result.
constexpr std::uint32_t elapsedMs(std::uint32_t start, std::uint32_t now)
{
    return now - start;
}

/// The system's running millisecond counter, 32 bits (it wraps after about
/// 49.7 days).
std::uint32_t tickCount32();

}  // namespace orbela
