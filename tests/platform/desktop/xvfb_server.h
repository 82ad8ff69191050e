// SPDX-License-Identifier: LicenseRef-Tavelcor
// A private X server (Xvfb) for the length of one test, on a display number
// that Xvfb picks itself among the free ones (-displayfd). The server is
// stopped when the object goes, also when the test fails.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Ends a process the test started: asked to end, then killed when it does not.
inline void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer() { stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // True when the Xvfb program is installed: the tests then need a server
    // that comes up, and fail when it does not.
    static bool installed() { return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty(); }

    // Starts the server and waits until it accepts clients. False with the
    // reason in whyNot when Xvfb is not installed or did not come up.
    bool start(QString& whyNot, int timeoutMs = 15000)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (program.isEmpty()) {
            whyNot = QStringLiteral("Xvfb is not installed");
            return false;
        }
        mProcess.setProgram(program);
        // -noreset: a server resets when its last client leaves, and refuses
        // the clients that come meanwhile; a test's short look at the server
        // must not turn away the program it starts next.
        mProcess.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                               QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp"), QStringLiteral("-noreset")});
        mProcess.setStandardErrorFile(QProcess::nullDevice());
        mProcess.start();
        if (!mProcess.waitForStarted(timeoutMs)) {
            whyNot = QStringLiteral("Xvfb did not start: ") + mProcess.errorString();
            return false;
        }
        // Xvfb writes its display number once it is ready for clients.
        QElapsedTimer clock;
        clock.start();
        while (!mProcess.canReadLine() && clock.elapsed() < timeoutMs) {
            if (mProcess.state() != QProcess::Running) {
                whyNot = QStringLiteral("Xvfb ended at start");
                return false;
            }
            mProcess.waitForReadyRead(100);
        }
        const QByteArray line = mProcess.readLine().trimmed();
        if (line.isEmpty()) {
            whyNot = QStringLiteral("Xvfb gave no display number");
            stop();
            return false;
        }
        mDisplay = QLatin1Char(':') + QString::fromLatin1(line);
        return true;
    }

    // ":N" of the running server; empty before start().
    const QString& display() const { return mDisplay; }

    // The environment of a Qt program shown on this server: the system's,
    // with its display, Qt's X11 platform and an X11 session.
    QProcessEnvironment programEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), mDisplay);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

    void stop() { endProcess(mProcess); }

private:
    QProcess mProcess;
    QString mDisplay;
};
