// SPDX-License-Identifier: LicenseRef-Tavelcor
// Starting the companion programs of the system (the keypad, the GPS
// program, a second main program) without waiting for them.
//
// The programs start programs through processStarter(), which starts real
// processes; a test installs a starter of its own with ScopedProcessStarter
// to see which programs would be started, and which exist, without starting
// anything. QtCore only.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

class ProcessStarter {
public:
    ProcessStarter() = default;
    ProcessStarter(const ProcessStarter&) = delete;
    ProcessStarter& operator=(const ProcessStarter&) = delete;
    virtual ~ProcessStarter() = default;

    // True when `program` (a path) names a file that can be run.
    virtual bool isStartable(const QString& program) const = 0;

    // Starts `program` with `arguments` in its own folder and returns at
    // once; the started program outlives this one. False when it could not
    // be started (missing, not executable).
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

// The starter of this run: the system's unless a ScopedProcessStarter has
// installed another.
ProcessStarter& processStarter();

// Installs `starter` for its lifetime and puts the previous one back
// afterwards. The starter must outlive this object.
class ScopedProcessStarter {
public:
    explicit ScopedProcessStarter(ProcessStarter& starter);
    ~ScopedProcessStarter();
    ScopedProcessStarter(const ScopedProcessStarter&) = delete;
    ScopedProcessStarter& operator=(const ScopedProcessStarter&) = delete;

private:
    ProcessStarter* mPrevious;
};

// A starter that starts nothing and records every start asked of it (tests).
// A program counts as startable when it was named with install().
class RecordingProcessStarter final : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;

        friend bool operator==(const Start&, const Start&) = default;
    };

    // Makes `program` startable.
    void install(const QString& program) { mInstalled.append(program); }

    bool isStartable(const QString& program) const override { return mInstalled.contains(program); }

    // Recorded whether or not the program is installed; succeeds only for
    // an installed one.
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        mStarts.push_back({program, arguments});
        return isStartable(program);
    }

    const std::vector<Start>& starts() const { return mStarts; }

private:
    QStringList mInstalled;
    std::vector<Start> mStarts;
};

}  // namespace platform
