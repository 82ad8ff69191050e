// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helpers around a real pseudo-terminal pair: the slave stands in for a
// receiver's serial device, the test writes into the master.  Everything is
// released when the helper goes, also when a test fails half-way.
#pragma once

#include "scoped_env.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace testing_support {

/// A pseudo-terminal pair: master and slave file descriptors and the
/// slave's path.  The slave is put in raw mode and kept open by the helper,
/// so that the master stays usable while the port under test is closed.  The
/// master does not block: a write into a full input queue is dropped.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        mMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (mMaster < 0 || grantpt(mMaster) != 0 || unlockpt(mMaster) != 0)
            return;
        const char* name = ptsname(mMaster);
        if (name == nullptr)
            return;
        mSlavePath = QString::fromLocal8Bit(name);
        mSlave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (mSlave < 0)
            return;
        termios raw{};
        if (tcgetattr(mSlave, &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(mSlave, TCSANOW, &raw);
        }
    }
    ~PseudoTerminal()
    {
        if (mSlave >= 0)
            ::close(mSlave);
        if (mMaster >= 0)
            ::close(mMaster);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return mMaster >= 0 && mSlave >= 0 && !mSlavePath.isEmpty(); }
    const QString& slavePath() const { return mSlavePath; }
    int slaveFd() const { return mSlave; }

    /// Writes into the master (the receiver sends); true when all was taken.
    bool send(QByteArrayView bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(mMaster, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    /// The slave's line settings as the port under test left them.
    std::optional<termios> slaveSettings() const
    {
        termios t{};
        if (tcgetattr(mSlave, &t) != 0)
            return std::nullopt;
        return t;
    }

private:
    int mMaster = -1;
    int mSlave = -1;
    QString mSlavePath;
};

/// A receiver that keeps talking: writes `chunk` into the master every
/// `period` on a thread of its own until it is destroyed.  For code under
/// test that blocks its own thread while it waits for data.
class Feeder {
public:
    Feeder(const PseudoTerminal& pty, QByteArray chunk, std::chrono::milliseconds period)
        : mThread([&pty, chunk = std::move(chunk), period, this] {
              while (!mStop.load()) {
                  pty.send(chunk);
                  std::this_thread::sleep_for(period);
              }
          })
    {
    }
    ~Feeder()
    {
        mStop.store(true);
        mThread.join();
    }
    Feeder(const Feeder&) = delete;
    Feeder& operator=(const Feeder&) = delete;

private:
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

}  // namespace testing_support
