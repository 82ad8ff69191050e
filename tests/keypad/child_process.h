// SPDX-License-Identifier: LicenseRef-Tavelcor
// Processes the tests start: a child program that is ended when the object
// goes (also when the test fails), and one-shot tools whose output is read.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

#include <csignal>

namespace keypad_test {

class ChildProcess {
public:
    ChildProcess(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& environment)
    {
        mProcess.setProgram(program);
        mProcess.setArguments(arguments);
        mProcess.setProcessEnvironment(environment);
        mProcess.setStandardErrorFile(QProcess::nullDevice());
        mProcess.start();
        mProcess.waitForStarted(10000);
    }
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running() const { return mProcess.state() == QProcess::Running; }

    // The next line of its standard output, without the line end; nullopt
    // when none came in time.
    std::optional<QByteArray> readLine(int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!mProcess.canReadLine() && clock.elapsed() < timeoutMs && running())
            mProcess.waitForReadyRead(50);
        if (!mProcess.canReadLine())
            return std::nullopt;
        return mProcess.readLine().trimmed();
    }

    // Waits for the end; true when it ended by itself in time.
    bool waitForEnd(int timeoutMs) { return mProcess.waitForFinished(timeoutMs); }
    int exitCode() const { return mProcess.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return mProcess.exitStatus(); }

    // Sends it a signal (the end of the session is SIGTERM, SIGHUP or SIGINT).
    bool signal(int number) const
    {
        return running() && ::kill(static_cast<pid_t>(mProcess.processId()), number) == 0;
    }

    // Ends it at once, as a crash would.
    void kill()
    {
        if (running()) {
            mProcess.kill();
            mProcess.waitForFinished(5000);
        }
    }

    void stop()
    {
        if (!running())
            return;
        mProcess.terminate();
        if (!mProcess.waitForFinished(5000))
            kill();
    }

private:
    QProcess mProcess;
};

// Runs a tool to its end and gives its standard output; nullopt when it could
// not run, did not end in time or failed.
inline std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments,
                                         const QProcessEnvironment& environment,
                                         int timeoutMs = 10000)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

}  // namespace keypad_test
