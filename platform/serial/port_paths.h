// SPDX-License-Identifier: LicenseRef-Tavelcor
// Serial port numbers as the GPS program knows them (1 to 16, COM1 to COM16
// on the system it was made for) and the device paths they stand for here.
//
// Port n is the device named by the environment variable ORBELA_PORT<n> when
// that variable is set: a path ("/dev/ttyUSB0", a pseudo-terminal's slave),
// or an empty value for "no device under this number".  Without the variable
// port n is the n-th serial device of the machine, in the order of
// machineSerialDevices().
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

inline constexpr int kFirstSerialPort = 1;
inline constexpr int kLastSerialPort = 16;

/// The serial devices of the machine (their paths, "/dev/ttyUSB0"), in a
/// stable order: sorted by path with digit runs compared as numbers
/// ("/dev/ttyS2" before "/dev/ttyS10").
QStringList machineSerialDevices();

/// Sorts device paths into the order machineSerialDevices() uses.
QStringList sortedDevicePaths(QStringList paths);

/// The device path of port `port`; nullopt when the number lies outside 1 to
/// 16 or no device stands under it.
std::optional<QString> serialDevicePath(int port);

}  // namespace platform
