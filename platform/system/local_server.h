// SPDX-License-Identifier: LicenseRef-Tavelcor
// Local server names shared by the programs of the system (window presence,
// text links, the workbook peer): the part that keeps a name private to the
// user and to the program folder, asking whether a name answers, and
// listening on a name that a crashed program may have left behind.
//
// Needs a QCoreApplication for the sockets; nothing here needs a display.
#pragma once

#include <QString>

class QLocalServer;

namespace platform {

/// "<user id>-<key of the program folder>" (the key is 16 hex digits of a
/// hash of platform::programFolder()). Server names that hold it are private
/// to the user, and programs that share the program folder find each other
/// while tests with folders of their own do not meet.
QString userFolderKey();

/// True when a server listens on `name`: a connection is made within
/// `timeoutMs` milliseconds (and closed again at once).
bool localServerAnswers(const QString& name, int timeoutMs);

/// Starts `server` listening on `name`. When the name is taken but nobody
/// answers on it (its program ended without closing), the leftover is
/// removed and the name taken over; a name that answers is never taken.
/// False when the server cannot listen.
bool listenTakingOverLeftover(QLocalServer& server, const QString& name);

}  // namespace platform
