// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The orbela executable as a child process of a test, and xdotool to find
// its window and click its buttons on a private X server (xvfb_server.h).

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <optional>

namespace gpstest {

/// How long a test waits for the program, a window or a link.
inline constexpr int kOrbelaWaitMs = 15000;

/// An orbela child process; killed and waited for when the test ends, also
/// when it fails half-way.
class Orbela {
public:
    explicit Orbela(const QProcessEnvironment& environment)
    {
        mProcess.setProgram(QStringLiteral(TAVELCOR_BIN_DIR "/orbela"));
        mProcess.setProcessEnvironment(environment);
    }
    ~Orbela()
    {
        if (mProcess.state() != QProcess::NotRunning) {
            mProcess.kill();
            mProcess.waitForFinished(5000);
        }
    }
    Orbela(const Orbela&) = delete;
    Orbela& operator=(const Orbela&) = delete;

    bool start()
    {
        mProcess.start();
        return mProcess.waitForStarted(kOrbelaWaitMs);
    }
    /// Ends it as the end of the desktop session does (SIGTERM).
    void endSession() { mProcess.terminate(); }
    bool waitForEnd()
    {
        return mProcess.state() == QProcess::NotRunning || mProcess.waitForFinished(kOrbelaWaitMs);
    }
    QProcess& process() { return mProcess; }

private:
    QProcess mProcess;
};

/// Runs xdotool to its end; its standard output, or nullopt when it failed or
/// did not end in time (a search that finds nothing waits for ever).
inline std::optional<QByteArray> xdotool(const QProcessEnvironment& environment, const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(QStandardPaths::findExecutable(QStringLiteral("xdotool")), arguments);
    if (!tool.waitForFinished(kOrbelaWaitMs)) {
        tool.kill();
        tool.waitForFinished(5000);
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return tool.readAllStandardOutput();
}

/// The id of orbela's main window once it is shown, or nullopt.
inline std::optional<QString> orbelaWindow(const QProcessEnvironment& environment)
{
    const std::optional<QByteArray> found = xdotool(
        environment, {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                      QStringLiteral("--name"), QStringLiteral("^ORBELA 1\\.361$")});
    if (!found)
        return std::nullopt;
    return QString::fromLatin1(found->split('\n').front().trimmed());
}

/// Clicks the window's point (x, y), in pixels from its top-left corner.
inline bool clickAt(const QProcessEnvironment& environment, const QString& window, int x, int y)
{
    return xdotool(environment, {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                 QStringLiteral("--sync"), QString::number(x), QString::number(y),
                                 QStringLiteral("click"), QStringLiteral("1")})
        .has_value();
}

// The centres of the buttons, in pixels at 15 twips a pixel.
inline constexpr int kPortSearchX = 303;  // "ポート(16以内)検索" (Command4)
inline constexpr int kPortSearchY = 38;
inline constexpr int kStartX = 58;  // "受信開始" (Command1)
inline constexpr int kStartY = 98;

}  // namespace gpstest
