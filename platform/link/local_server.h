// SPDX-License-Identifier: LicenseRef-Tavelcor
// Listening on a local server name that a crashed program may have left
// behind.
#pragma once

#include <QString>

class QLocalServer;

namespace platform {

/// Starts `server` listening on `name`.  When the name is taken but nobody
/// answers on it (its program ended without closing), the leftover is
/// removed and the name taken over; a name that answers is never taken.
/// False when the server cannot listen.
bool listenTakingOverLeftover(QLocalServer& server, const QString& name);

}  // namespace platform
