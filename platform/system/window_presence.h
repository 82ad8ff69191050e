// SPDX-License-Identifier: LicenseRef-Tavelcor
// "A window titled X exists" and "the program runs once only", between the
// programs of the system.
//
// A program announces a window title by listening on a local server whose
// name is made from the title, the user and the program folder; another
// program asks whether that title exists by connecting to it. Window titles
// of other desktops' programs are not looked at. A program runs once only by
// holding a lock file in the program folder (the lock of a program that died
// is taken over) and, while it holds it, announcing its title. In a program
// folder that cannot be written the announced title alone keeps it single.
//
// The checks run in the same user session on the same machine and need a
// QCoreApplication; nothing here needs a display.
#pragma once

#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace platform {

// The local server name under which the title is announced: private to the
// user and to the program folder (platform::programFolder()), so programs
// that share the program folder find each other. Titles compare exactly.
QString presenceServerName(const QString& title);

// Announces a window title while it lives.
class WindowPresence {
public:
    explicit WindowPresence(QString title);
    ~WindowPresence();
    WindowPresence(const WindowPresence&) = delete;
    WindowPresence& operator=(const WindowPresence&) = delete;

    // Starts announcing. A leftover server name of a program that died is
    // taken over when takeOverStale is set (only a holder of the program's
    // single-instance lock may do so). False when the name is in use or the
    // server cannot listen.
    [[nodiscard]] bool announce(bool takeOverStale = false);
    bool isAnnounced() const;
    const QString& title() const { return mTitle; }

private:
    QString mTitle;
    std::unique_ptr<QLocalServer> mServer;
};

// True when some program announces a window with exactly this title (for
// the same user and program folder). Waits at most timeoutMs for the answer.
bool windowTitledExists(const QString& title, int timeoutMs = 1000);

// The one running instance of a program: its lock file "<name>.lock" in the
// program folder, held for the life of this object, and the window title
// <name> announced meanwhile.
class SingleInstance {
public:
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Becomes the running instance of the program, or nullptr when another
    // instance runs: a live process holds the lock, or (where the lock file
    // cannot be written) the title is announced already. A lock file that
    // cannot be written, or the lock of a program that died that cannot be
    // removed, does not stop this one: it runs without the lock
    // (holdsLock() is false) and the caller says that the program folder
    // cannot be written.
    static std::unique_ptr<SingleInstance> acquire(const QString& name);

    // True when the title could be announced as well.
    bool isAnnounced() const { return mPresence.isAnnounced(); }
    // False when the lock file could not be written in the program folder.
    bool holdsLock() const { return mLock != nullptr; }

private:
    SingleInstance(std::unique_ptr<QLockFile> lock, const QString& name);

    std::unique_ptr<QLockFile> mLock;
    WindowPresence mPresence;
};

// The message for a program folder that cannot be written: the folder's
// path, and that the settings are not kept.
QString programFolderNotWritableMessage(const QString& folder);

}  // namespace platform
