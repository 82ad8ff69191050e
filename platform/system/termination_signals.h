// SPDX-License-Identifier: LicenseRef-Tavelcor
// The end of the desktop session as an event of the program: SIGTERM, SIGHUP
// and SIGINT, which would end the process at once, run a handler on the UI
// thread instead, so the program closes its windows in order (and saves what
// it saves at its close box).
//
// Needs a QCoreApplication; nothing here needs a display.
#pragma once

#include <functional>

class QObject;

namespace platform {

// From now on each SIGTERM, SIGHUP or SIGINT runs `handler` from the event
// loop of the UI thread. The notifier that carries the signal belongs to
// `owner` (the application). Called once per program. False when the
// signals cannot be caught (their default then stays).
bool onTerminationSignals(QObject& owner, std::function<void()> handler);

}  // namespace platform
