// SPDX-License-Identifier: LicenseRef-Tavelcor
// A reparenting window manager (Openbox, Debian package openbox) on a private
// X server for the length of one test: it frames every window with a title
// bar, as a user's desktop does. Started with a configuration folder of its
// own, so that the machine's user settings stay out; stopped when the object
// goes, also when the test fails.
#pragma once

#include "x11_probe.h"
#include "xvfb_server.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

class WindowManagerProcess {
public:
    WindowManagerProcess() = default;
    ~WindowManagerProcess() { stop(); }
    WindowManagerProcess(const WindowManagerProcess&) = delete;
    WindowManagerProcess& operator=(const WindowManagerProcess&) = delete;

    static bool installed() { return !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty(); }

    // Starts the window manager on `display` and waits until it has taken
    // the screen and answers requests. False with the reason in whyNot when
    // it did not.
    bool start(const QString& display, QString& whyNot, int timeoutMs = 15000)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty() || !mConfig.isValid()) {
            whyNot = QStringLiteral("openbox is not installed");
            return false;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), mConfig.path());
        mProcess.setProcessEnvironment(environment);
        mProcess.setProgram(program);
        mProcess.setArguments({QStringLiteral("--sm-disable")});
        mProcess.setProcessChannelMode(QProcess::MergedChannels);
        mProcess.start();
        if (!mProcess.waitForStarted(timeoutMs)) {
            whyNot = QStringLiteral("openbox did not start: ") + mProcess.errorString();
            return false;
        }
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs && !x11_probe::windowManagerRuns(display.toStdString())) {
            // Waiting here also notices the end of the process.
            if (mProcess.waitForFinished(20) || mProcess.state() != QProcess::Running) {
                whyNot = QStringLiteral("openbox ended at start: ") + QString::fromLocal8Bit(mProcess.readAll());
                return false;
            }
        }
        if (clock.elapsed() >= timeoutMs) {
            whyNot = QStringLiteral("openbox did not take the screen in time: ")
                     + QString::fromLocal8Bit(mProcess.readAll());
            stop();
            return false;
        }
        // It takes the screen before it handles requests.
        const int left = static_cast<int>(timeoutMs - clock.elapsed());
        if (x11_probe::windowManagerAnswers(display.toStdString(), left))
            return true;
        whyNot = QStringLiteral("openbox took the screen but answered no request in time (%1 ms after start)")
                     .arg(clock.elapsed());
        stop();
        return false;
    }

    void stop() { endProcess(mProcess); }

private:
    QTemporaryDir mConfig;
    QProcess mProcess;
};
