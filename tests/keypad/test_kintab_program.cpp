// SPDX-License-Identifier: LicenseRef-Tavelcor
// The kintab program itself, offscreen: it announces the title "KINTAB"
// while it runs, and a second start ends at once without a message.
#include "child_process.h"
#include "scoped_env.h"

#include "platform/system/window_presence.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace {

using keypad_test::ChildProcess;

const QString kKintab = QStringLiteral(TAVELCOR_BIN_DIR "/kintab");

class KintabProgram : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        // The build makes the program with this test.
        ASSERT_TRUE(QFile::exists(kKintab)) << "the kintab program is missing: " << kKintab.toStdString();
        // The presence check of this process must look in the same folder.
        mHomeEnv.emplace("TAVELCOR_HOME", mHome.path());
        mEnvironment = QProcessEnvironment::systemEnvironment();
        mEnvironment.insert(QStringLiteral("TAVELCOR_HOME"), mHome.path());
        mEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    void TearDown() override
    {
        // A keypad ended from outside leaves its socket name behind.
        if (mHomeEnv)
            QLocalServer::removeServer(platform::presenceServerName(QStringLiteral("KINTAB")));
    }

    std::unique_ptr<ChildProcess> startKintab()
    {
        return std::make_unique<ChildProcess>(kKintab, QStringList{}, mEnvironment);
    }

    // Waits until a keypad announces the title, as the main program checks.
    static bool waitForKeypad(int timeoutMs = 15000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            if (platform::windowTitledExists(QStringLiteral("KINTAB"), 200))
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    QTemporaryDir mHome;
    std::optional<testing_support::ScopedEnv> mHomeEnv;
    QProcessEnvironment mEnvironment;
};

TEST_F(KintabProgram, RunsOnceOnlyASecondStartEndsAtOnce)
{
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
    std::unique_ptr<ChildProcess> first = startKintab();
    ASSERT_TRUE(waitForKeypad()) << "the first keypad never announced its title";

    ChildProcess second(kKintab, {}, mEnvironment);
    ASSERT_TRUE(second.waitForEnd(15000)) << "the second keypad did not end by itself";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_TRUE(first->running());
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
    first->stop();
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
}

TEST_F(KintabProgram, AKeypadThatDiedDoesNotBlockTheNextStart)
{
    {
        std::unique_ptr<ChildProcess> crashed = startKintab();
        ASSERT_TRUE(waitForKeypad());
        crashed->kill();  // leaves its lock file and socket name behind
    }
    EXPECT_TRUE(QFile::exists(mHome.path() + QStringLiteral("/KINTAB.lock")));
    std::unique_ptr<ChildProcess> next = startKintab();
    EXPECT_TRUE(waitForKeypad()) << "the next keypad did not take over";
    EXPECT_TRUE(next->running());
}

TEST_F(KintabProgram, WhileAnotherInstanceHoldsTheFolderItEndsWithoutTouchingIt)
{
    std::unique_ptr<platform::SingleInstance> running =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(running, nullptr);
    ChildProcess second(kKintab, {}, mEnvironment);
    ASSERT_TRUE(second.waitForEnd(15000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(mHome.path() + QStringLiteral("/KINTAB.JKN")));
}

// The end of the session closes the keypad as its close box does: the
// program ends by itself and KINTAB.JKN holds the settings.
TEST_F(KintabProgram, TheEndOfTheSessionClosesTheKeypadAndSavesItsSettings)
{
    const std::pair<int, const char*> endings[] = {{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGINT, "SIGINT"}};
    for (const auto& [number, name] : endings) {
        SCOPED_TRACE(name);
        QFile::remove(mHome.path() + QStringLiteral("/KINTAB.JKN"));
        std::unique_ptr<ChildProcess> keypad = startKintab();
        ASSERT_TRUE(waitForKeypad()) << "the keypad never announced its title";
        ASSERT_TRUE(keypad->signal(number));
        ASSERT_TRUE(keypad->waitForEnd(15000)) << "the keypad did not end";
        EXPECT_EQ(keypad->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(keypad->exitCode(), 0);
        QFile saved(mHome.path() + QStringLiteral("/KINTAB.JKN"));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "KINTAB.JKN was not written";
        const QList<QByteArray> lines = saved.readAll().split('\n');
        ASSERT_GE(lines.size(), 8);
        EXPECT_EQ(lines.at(0), QByteArray("X\r"));
        EXPECT_EQ(lines.at(7), QByteArray(" 1 \r")) << "compact mode is on by default";
    }
}

// A program folder that cannot be written does not stop the keypad: it
// announces its title and stays (its message waits for the user).
TEST_F(KintabProgram, AProgramFolderThatCannotBeWrittenDoesNotEndTheKeypad)
{
    QFile plain(mHome.path() + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString folder = mHome.path() + QStringLiteral("/plain/kintab");
    mEnvironment.insert(QStringLiteral("TAVELCOR_HOME"), folder);
    testing_support::ScopedEnv sameFolder("TAVELCOR_HOME", folder);  // the title belongs to it
    std::unique_ptr<ChildProcess> keypad = startKintab();
    ASSERT_TRUE(waitForKeypad()) << "the keypad never announced its title";
    EXPECT_FALSE(keypad->waitForEnd(500)) << "the keypad ended";
    keypad->kill();
    QLocalServer::removeServer(platform::presenceServerName(QStringLiteral("KINTAB")));
}

}  // namespace
