// SPDX-License-Identifier: LicenseRef-Tavelcor
// The tavelcor program itself, offscreen, in a program folder and a work
// folder of the test's own: the end of the desktop session ends it in order
// while start-up's site chooser is open.
#include "child_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <utility>

namespace {

using keypad_test::ChildProcess;

const QString kTavelcor = QStringLiteral(TAVELCOR_PROGRAM);

class TavelcorProgram : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoot.isValid());
        ASSERT_TRUE(QFileInfo::exists(kTavelcor)) << "the tavelcor program is missing: " << kTavelcor.toStdString();
        ASSERT_TRUE(QDir().mkpath(home()));
        ASSERT_TRUE(QDir().mkpath(runtime()));
        mEnvironment = QProcessEnvironment::systemEnvironment();
        mEnvironment.insert(QStringLiteral("TAVELCOR_HOME"), home());
        mEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        mEnvironment.insert(QStringLiteral("TMPDIR"), runtime());
        mEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    QString home() const { return mRoot.path() + QStringLiteral("/home"); }
    QString runtime() const { return mRoot.path() + QStringLiteral("/run"); }

    // Start-up makes the work folder before it opens the chooser, and after
    // the program listens for the end of the session.
    bool waitForStartUp(const ChildProcess& program, int timeoutMs = 20000) const
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs && program.running()) {
            if (QFileInfo(runtime() + QStringLiteral("/tavelcor/Eld")).isDir())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    QTemporaryDir mRoot;
    QProcessEnvironment mEnvironment;
};

TEST_F(TavelcorProgram, TheEndOfTheSessionEndsItWhileTheChooserIsOpen)
{
    const std::pair<int, const char*> endings[] = {{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGINT, "SIGINT"}};
    for (const auto& [number, name] : endings) {
        SCOPED_TRACE(name);
        ChildProcess program(kTavelcor, {}, mEnvironment);
        ASSERT_TRUE(waitForStartUp(program)) << "the program never reached its chooser";
        // The chooser is a modal dialog with its own event loop by now.
        QThread::msleep(500);
        ASSERT_TRUE(program.running());
        ASSERT_TRUE(program.signal(number));
        ASSERT_TRUE(program.waitForEnd(15000)) << "the program did not end";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "ended by the signal, not by itself";
        EXPECT_EQ(program.exitCode(), 0);
    }
}

}  // namespace
