// SPDX-License-Identifier: LicenseRef-Tavelcor
// "Is the machine on the internet?", as the main program asks it before it
// fetches map tiles: "ok", "non" (offline) or "" (nothing known, which the
// callers take as online).
//
// The rule works on the connection flags of the Windows query; here the
// flags are made from Qt's network information. QtCore and QtNetwork only.
#pragma once

#include <QString>

#include <optional>

namespace platform {

// Connection flags of the rule.
namespace netflag {
inline constexpr unsigned Modem = 0x01;
inline constexpr unsigned Lan = 0x02;
inline constexpr unsigned Proxy = 0x04;
inline constexpr unsigned ModemBusy = 0x08;
inline constexpr unsigned RasInstalled = 0x10;
inline constexpr unsigned Offline = 0x20;
inline constexpr unsigned Configured = 0x40;
}  // namespace netflag

// The rule: "non" when the query reports no connection; otherwise the flags
// are tested in the order Configured "non", Lan "ok", Proxy "ok", Modem
// "ok", Offline "non", ModemBusy "non", RasInstalled "ok", the last one set
// deciding; "" when none of them is set.
QString netStateFromFlags(bool connected, unsigned flags);

// What the system's network information says, in the query's terms.
enum class Reachability { Unknown, Disconnected, Reachable };

// The answer for a reachability; nullopt means that no network information
// is available, which counts as connected: "non" for Disconnected, "ok"
// otherwise (reachable networks give the local-network flag).
QString netStateOf(std::optional<Reachability> reachability);

// Asks Qt's network information (loading its default backend on first use;
// needs a QCoreApplication) and answers as netStateOf().
QString queryNetState();

}  // namespace platform
