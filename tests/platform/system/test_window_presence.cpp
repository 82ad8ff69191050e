// SPDX-License-Identifier: LicenseRef-Tavelcor
// "A window titled X exists" and single instance, over real local sockets
// and lock files in a temporary program folder.
#include "platform/system/window_presence.h"

#include "scoped_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

using testing_support::ScopedEnv;

class WindowPresenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        mGuard.emplace("TAVELCOR_HOME", mHome.path());
    }

    QString home() const { return mHome.path(); }

private:
    QTemporaryDir mHome;
    std::optional<ScopedEnv> mGuard;
};

TEST_F(WindowPresenceTest, TitleExistsExactlyWhileAnnounced)
{
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
    {
        platform::WindowPresence presence(QStringLiteral("KINTAB"));
        ASSERT_TRUE(presence.announce());
        EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
        // The keypad window's caption is another title; titles compare exactly.
        EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB1.43"), 200));
        EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("kintab"), 200));
    }
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
}

TEST_F(WindowPresenceTest, OtherProgramFolderDoesNotSeeTheTitle)
{
    platform::WindowPresence presence(QStringLiteral("KINTAB"));
    ASSERT_TRUE(presence.announce());
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    ScopedEnv otherHome("TAVELCOR_HOME", other.path());
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
}

TEST_F(WindowPresenceTest, SecondAnnouncementOfOneTitleFails)
{
    platform::WindowPresence first(QStringLiteral("ORBELA"));
    ASSERT_TRUE(first.announce());
    platform::WindowPresence second(QStringLiteral("ORBELA"));
    EXPECT_FALSE(second.announce());
    EXPECT_FALSE(second.announce(true));  // a live server is never taken over
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("ORBELA")));
}

TEST_F(WindowPresenceTest, SingleInstanceHoldsTheLockAndAnnouncesTheTitle)
{
    std::unique_ptr<platform::SingleInstance> first =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isAnnounced());
    EXPECT_TRUE(QFile::exists(home() + QStringLiteral("/KINTAB.lock")));
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));

    EXPECT_EQ(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr);

    first.reset();
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
    EXPECT_FALSE(QFile::exists(home() + QStringLiteral("/KINTAB.lock")));
    EXPECT_NE(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr);
}

TEST_F(WindowPresenceTest, LeftoverServerNameIsTakenOverOnlyUnderTheLock)
{
    // A program that died leaves its socket name behind.
    const QString leftover = QDir::tempPath() + QLatin1Char('/')
                             + platform::presenceServerName(QStringLiteral("KINTAB"));
    {
        QFile file(leftover);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    platform::WindowPresence plain(QStringLiteral("KINTAB"));
    EXPECT_FALSE(plain.announce());

    std::unique_ptr<platform::SingleInstance> instance =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(instance->isAnnounced());
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
    instance.reset();
    QFile::remove(leftover);
}

TEST_F(WindowPresenceTest, LockInAFolderThatCannotBeWrittenRefusesToRun)
{
    ScopedEnv badHome("TAVELCOR_HOME", "/proc/no-such-folder");
    EXPECT_EQ(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr);
}

}  // namespace
